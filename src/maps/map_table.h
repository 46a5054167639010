#pragma once
// The thirteen map windows as data: the overview chart with its twelve hot
// areas, and the twelve sub-region maps with their captions, pictures, keys,
// geo codes and marina marks. The map windows are configured from this table;
// the look-ups below are what they ask of it.
#include <QPoint>
#include <QRect>
#include <QSize>
#include <QString>
#include <vector>

namespace qw::maps {

inline constexpr int kTwipsPerPixel = 15;
inline constexpr int kSubRegionCount = 12;

// A rectangle in twips on a picture (left, top, width, height).
struct TwipsRect {
  int left = 0, top = 0, width = 0, height = 0;
  // The same rectangle in pixels of the picture. A point lies inside when it
  // lies in [left, left + width) x [top, top + height).
  QRect Pixels() const;
};

// One marina mark of a sub-region map: control ImgN, the marina its click
// stores, where it lies on the picture.
struct MapMark {
  int number = 0;  // N of ImgN: the marina's number in the map's key (mapkeys.mapno)
  int marinaNo = 0;
  TwipsRect rect;
  QString ControlName() const { return QStringLiteral("Img%1").arg(number); }
};

struct SubRegionMap {
  int k = 0;                 // 1..12, the map order
  QString numeral;           // "I" .. "XII"
  QString windowName;        // "frmSubRegion", "Frmsubregion2" .. "Frmsubregion12"
  QString key;               // formload while current: "Subregion", "Subregion2" ..
  int geoCode = 0;           // 5..16
  QString title;             // Label1's caption
  TwipsRect titleRect;       // Label1 on the picture
  int pictureBoxHeight = 0;  // Picture1's height, twips (its left is 1440, its width 9015)
  QString regionName;        // mapkeys.regionname of this map
  QString picture;           // picture file, relative to the program folder
  std::vector<MapMark> marks;  // in the order the window defines them
};

// One hot area of the overview chart: lblsubRegionK over sub-region K.
struct OverviewHotArea {
  int k = 0;
  QString labelName;  // "lblsubRegion1" ..
  TwipsRect rect;     // on the overview's picture
  QString tooltip;    // exactly as shown, trailing blanks included
};

// Map windows' shared look.
inline constexpr unsigned kMapBackgroundRgb = 0x000040;  // &H00400000: dark navy
inline const QSize kDesignClientSize{11880, 8880};      // twips, every map window
inline const QSize kSubRegionPictureSize{600, 492};     // pixels
inline constexpr int kSubRegionPictureLeft = 1440;      // twips
inline constexpr int kSubRegionPictureWidth = 9015;     // twips

// The overview chart frmOverviewChart.
inline const QSize kOverviewPictureSize{447, 480};
inline const TwipsRect kOverviewPictureRect{2520, 0, 6735, 7215};
inline const TwipsRect kOverviewTitleRect{480, 120, 5775, 255};
inline const QString kOverviewTitle = QStringLiteral("Quaywise 12 Sub-Regions");
inline const QString kOverviewPicture = QStringLiteral("maps/OverviewChart.jpg");
inline const QString kOverviewKey = QStringLiteral("Overviewchart");  // keyvalue while current

// The twelve maps in K order, and the overview's twelve hot areas in K order.
const std::vector<SubRegionMap>& SubRegionMaps();
const std::vector<OverviewHotArea>& OverviewHotAreas();

// Map K (1..12), or nullptr.
const SubRegionMap* MapNumber(int k);
// The map of a marina's geo code (Return to Maps), or nullptr for a code
// outside 5..16.
const SubRegionMap* MapForGeoCode(int geoCode);
// The map whose window name equals name exactly (case-sensitive), or nullptr.
const SubRegionMap* MapForWindowName(const QString& name);
// The map and mark of a marina, or {nullptr, nullptr}.
struct MarkRef {
  const SubRegionMap* map = nullptr;
  const MapMark* mark = nullptr;
};
MarkRef FindMarina(int marinaNo);

// The mark under a point of the map's picture (pixels): where marks overlap,
// the one defined later wins, as it lies on top. nullptr on bare picture.
const MapMark* MarkAt(const SubRegionMap& map, QPoint picturePixel);
// K of the overview hot area under a point of the overview's picture, 0 if none.
int HotAreaAt(QPoint picturePixel);

}  // namespace qw::maps

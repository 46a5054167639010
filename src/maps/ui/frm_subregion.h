#pragma once
// The twelve sub-region map windows frmSubRegion, Frmsubregion2 ..
// Frmsubregion12: one window class, configured per sub-region from the map
// table (caption, picture, title, marks, key), with one instance per map.
#include <QWidget>
#include <vector>

#include "host/ui/window_host.h"
#include "maps/map_table.h"

namespace qw {

class MapHotSpot;
class MapPictureBox;
class MapTitle;

class SubRegionMapWindow : public QWidget {
  Q_OBJECT

 public:
  // k: the map, 1 to 12.
  explicit SubRegionMapWindow(int k);

  const maps::SubRegionMap& Map() const { return map_; }
  // formload: the window's own key while it is the current map, else "".
  QString formload() const;
  void setFormload(const QString& key);

  // Reads the marinas' names for the marks' tooltips; makes this map current.
  void Form_Load();
  // Switches the toolbar's Maps and Key on and makes this map current.
  void Form_Activate();
  void Form_Resize();
  // The right button opens the map keys grid.
  void Picture1_MouseUp(Qt::MouseButton button);
  // Hands the mark's marina to the report.
  void Img_Click(const maps::MapMark& mark);

  // The mark ImgN (nullptr when the map has none of that number).
  MapHotSpot* Img(int n) const;

  MapPictureBox* Picture1 = nullptr;
  MapTitle* Label1 = nullptr;
  // The marks in the order the window defines them: a later one lies over an
  // earlier one and takes the click where they overlap.
  std::vector<MapHotSpot*> Marks;

  // The designed size: the main window gives it to the window's frame, so that
  // restoring the maximised window shows the whole map.
  QSize sizeHint() const override;

 protected:
  void resizeEvent(QResizeEvent* event) override;

 private:
  const maps::SubRegionMap& map_;
};

// One instance per map: SubRegionWindow<1> is frmSubRegion, SubRegionWindow<K>
// is FrmsubregionK.
template <int K>
class SubRegionWindow final : public SubRegionMapWindow, public OneInstance<SubRegionWindow<K>> {
 public:
  static constexpr bool kMdiChild = true;
  SubRegionWindow() : SubRegionMapWindow(K) {}
};

using frmSubRegion = SubRegionWindow<1>;
using Frmsubregion2 = SubRegionWindow<2>;
using Frmsubregion3 = SubRegionWindow<3>;
using Frmsubregion4 = SubRegionWindow<4>;
using Frmsubregion5 = SubRegionWindow<5>;
using Frmsubregion6 = SubRegionWindow<6>;
using Frmsubregion7 = SubRegionWindow<7>;
using Frmsubregion8 = SubRegionWindow<8>;
using Frmsubregion9 = SubRegionWindow<9>;
using Frmsubregion10 = SubRegionWindow<10>;
using Frmsubregion11 = SubRegionWindow<11>;
using Frmsubregion12 = SubRegionWindow<12>;

// Map K's window by number (nullptr for a K outside 1..12): its one
// instance, created and loaded when needed; the instance while it is loaded.
SubRegionMapWindow* SubRegionMapInstance(int k);
SubRegionMapWindow* LoadedSubRegionMap(int k);
// Shows map K maximised in the main window (nothing for a K outside 1..12).
SubRegionMapWindow* ShowSubRegionMap(int k);
// Unloads frmSubRegion, Frmsubregion2 .. Frmsubregion12 in that order; a map
// that is not loaded stays so. The keys are left as they are.
void UnloadSubRegionMaps();

}  // namespace qw

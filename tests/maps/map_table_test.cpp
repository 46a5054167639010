// The map data table and the look-ups the map windows make of it.
#include <gtest/gtest.h>

#include <QSet>

#include "maps/map_keys.h"
#include "maps/map_table.h"

namespace {

using namespace qw::maps;

// 227 marinas, each on one map once, and each map's marks Img1..ImgN.
TEST(MapTable, EveryMarinaHasOneMarkAndEveryMapItsNumbers) {
  QSet<int> marinas;
  int marks = 0;
  const int counts[] = {24, 18, 22, 21, 25, 23, 15, 13, 19, 23, 13, 11};
  for (const SubRegionMap& map : SubRegionMaps()) {
    EXPECT_EQ(static_cast<int>(map.marks.size()), counts[map.k - 1]) << map.k;
    QSet<int> numbers;
    for (const MapMark& mark : map.marks) {
      numbers.insert(mark.number);
      marinas.insert(mark.marinaNo);
      ++marks;
    }
    EXPECT_EQ(numbers.size(), static_cast<int>(map.marks.size()));
    EXPECT_TRUE(numbers.contains(1) && numbers.contains(static_cast<int>(map.marks.size())));
  }
  EXPECT_EQ(marks, 227);
  EXPECT_EQ(marinas.size(), 227);
}

TEST(MapTable, MapsAreFoundByGeoCodeWindowNameAndMarina) {
  struct Case {
    int geoCode;
    QString window, key, numeral;
  };
  const Case cases[] = {{5, "frmSubRegion", "Subregion", "I"},
                        {11, "Frmsubregion7", "Subregion7", "VII"},
                        {16, "Frmsubregion12", "Subregion12", "XII"}};
  for (const Case& c : cases) {
    const SubRegionMap* map = MapForGeoCode(c.geoCode);
    ASSERT_NE(map, nullptr) << c.geoCode;
    EXPECT_EQ(map->windowName, c.window);
    EXPECT_EQ(map->key, c.key);
    EXPECT_EQ(map->numeral, c.numeral);
    EXPECT_EQ(MapForWindowName(c.window), map);
  }
  EXPECT_EQ(MapForGeoCode(4), nullptr);
  EXPECT_EQ(MapForGeoCode(17), nullptr);
  EXPECT_EQ(MapForWindowName("frmsubregion2"), nullptr);  // case counts
  EXPECT_EQ(MapForWindowName("frmOverviewChart"), nullptr);
  const MarkRef ref = FindMarina(2528);
  ASSERT_NE(ref.mark, nullptr);
  EXPECT_EQ(ref.map->windowName, "Frmsubregion8");
  EXPECT_EQ(ref.mark->number, 13);
  EXPECT_EQ(FindMarina(12).mark, nullptr);
}

TEST(MapTable, WhereMarksOverlapTheOneDefinedLaterTakesThePoint) {
  struct Case {
    int k;
    QPoint pixel;
    int marinaNo;  // 0: bare picture
  };
  const Case cases[] = {
      {1, {525, 195}, 833},   // inside Img1 only
      {1, {10, 480}, 0},      // bare picture
      {3, {364, 276}, 2566},  // Img11 and Img12 share 9 x 9 pixels: Img12 is defined later
      {3, {356, 276}, 890},   // Img12 and Img13: Img13 is defined near the end, after Img14
      {3, {356, 266}, 2566},  // Img12 alone
      {3, {330, 276}, 888},   // Img4 and Img15: Img15 is defined last
  };
  for (const Case& c : cases) {
    const MapMark* m = MarkAt(*MapNumber(c.k), c.pixel);
    EXPECT_EQ(m ? m->marinaNo : 0, c.marinaNo) << c.k << ": " << c.pixel.x() << "," << c.pixel.y();
  }
  // Every point two marks share belongs to the one defined later.
  int shared = 0;
  for (const SubRegionMap& map : SubRegionMaps())
    for (size_t i = 0; i < map.marks.size(); ++i)
      for (size_t j = i + 1; j < map.marks.size(); ++j) {
        const QRect common = map.marks[i].rect.Pixels() & map.marks[j].rect.Pixels();
        if (common.isEmpty()) continue;
        ++shared;
        const MapMark* top = MarkAt(map, common.center());
        // A third mark defined still later may lie over both.
        EXPECT_TRUE(top == &map.marks[j] || top > &map.marks[j]) << qPrintable(map.windowName) << " "
                                                                 << qPrintable(map.marks[j].ControlName());
      }
  EXPECT_GT(shared, 100);
}

TEST(MapTable, OverviewHotAreasOpenTheirMaps) {
  ASSERT_EQ(OverviewHotAreas().size(), 12u);
  for (const OverviewHotArea& area : OverviewHotAreas()) {
    EXPECT_EQ(area.labelName, QStringLiteral("lblsubRegion%1").arg(area.k));
    EXPECT_EQ(HotAreaAt(area.rect.Pixels().center()), area.k);
  }
  EXPECT_EQ(OverviewHotAreas()[3].tooltip, "MAINE - PORTLAND & SOUTH COAST  ");
  EXPECT_EQ(OverviewHotAreas()[10].tooltip, "RHODE ISLAND - WESTERN  NARRAGANSETT BAY ");
  EXPECT_EQ(HotAreaAt({5, 5}), 0);
}

TEST(MapKeys, OneMapIsCurrentAtATime) {
  MapKeys().keyvalue = kOverviewKey;
  EXPECT_TRUE(OverviewIsCurrent());
  MakeMapCurrent(3);
  EXPECT_FALSE(OverviewIsCurrent());
  EXPECT_EQ(CurrentMap(), 3);
  MakeMapCurrent(11);
  EXPECT_EQ(CurrentMap(), 11);
  EXPECT_EQ(MapKeys().formload[2], "");
  EXPECT_EQ(MapKeys().formload[10], "Subregion11");
  // The hand-over marks the active child; a window that is no map changes nothing.
  EXPECT_EQ(MarkActiveMap("frmOverviewChart"), 0);
  EXPECT_EQ(CurrentMap(), 11);
  EXPECT_EQ(MarkActiveMap("Frmsubregion7"), 7);
  EXPECT_EQ(CurrentMap(), 7);  // the smaller K wins while both hold their keys
  EXPECT_EQ(MapKeys().formload[10], "Subregion11");
  ClearMapFormload();
  EXPECT_EQ(CurrentMap(), 0);
  for (const QString& key : MapKeys().formload) EXPECT_TRUE(key.isEmpty());
}

}  // namespace

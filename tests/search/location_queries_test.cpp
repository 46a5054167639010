#include <gtest/gtest.h>

#include "qstring_printer.h"
#include "search/location_queries.h"

namespace qw {
namespace {

AppSettings Range(int single, int from, int to) {
  AppSettings s;
  s.SingleGeoCode = static_cast<std::int16_t>(single);
  s.GeoCodeFrom = static_cast<std::int16_t>(from);
  s.GeoCodeTo = static_cast<std::int16_t>(to);
  return s;
}

TEST(LocationQueriesTest, PickerQueryFollowsTheRangeTest) {
  EXPECT_EQ(GeoCodePickerQuery(Range(7, 5, 16)),
            "SELECT * FROM rpm_Geo_Code_CD where (rpm_Geo_Code_CD.[Geo Code]= 7) ORDER BY [Geo Code]");
  EXPECT_EQ(GeoCodePickerQuery(Range(0, 5, 16)),
            "SELECT * FROM rpm_Geo_Code_CD where ((rpm_Geo_Code_CD.[Geo Code]>= 5) And (rpm_Geo_Code_CD.[Geo Code]<= "
            "16)) ORDER BY [Geo Code]");
  EXPECT_EQ(GeoCodePickerQuery(Range(0, 0, 0)),
            "SELECT * FROM rpm_Geo_Code_CD where ((rpm_Geo_Code_CD.[Geo Code]>= 0) And (rpm_Geo_Code_CD.[Geo Code]<= "
            "0)) ORDER BY [Geo Code]");
  EXPECT_EQ(GeoCodePickerQuery(Range(-3, 0, -2)),
            "SELECT * FROM rpm_Geo_Code_CD where ((rpm_Geo_Code_CD.[Geo Code]>= 0) And (rpm_Geo_Code_CD.[Geo Code]<= "
            "-2)) ORDER BY [Geo Code]");
  EXPECT_FALSE(GeoCodePickerQuery(Range(0, 5, 0)));
  EXPECT_FALSE(GeoCodePickerQuery(Range(0, -1, 16)));
}

TEST(LocationQueriesTest, NameLookupAndCodeList) {
  EXPECT_EQ(GeoCodeLookupQuery("Buzzards Bay"), "SELECT * FROM rpm_Geo_Code_CD WHERE [Geo Code Name] LIKE 'Buzzards Bay'");
  EXPECT_EQ(GeoCodeLookupQuery("Martha's Vineyard"),
            "SELECT * FROM rpm_Geo_Code_CD WHERE [Geo Code Name] LIKE 'Martha''s Vineyard'");
  EXPECT_EQ(GeoCodeListText({}), "");
  EXPECT_EQ(GeoCodeListText({9}), "9");
  EXPECT_EQ(GeoCodeListText({5, 7, 12}), "5, 7, 12");
  auto lookup = [](const QString& name) -> std::optional<std::int16_t> {
    if (name == "gone") return std::nullopt;
    return static_cast<std::int16_t>(name.size());
  };
  EXPECT_EQ(GetGeoCodeList({"abcde", "gone", "abcdefg", "ab"}, lookup), "5, 7, 2");
  EXPECT_EQ(GetGeoCodeList({"gone"}, lookup), "");
}

TEST(LocationQueriesTest, CityAndHarborLists) {
  EXPECT_EQ(CityListQuery("5, 7"),
            "SELECT DISTINCT rpm_Vyk.[Geo Code], rpm_Contact_Information.City FROM rpm_Vyk LEFT JOIN "
            "rpm_Contact_Information ON rpm_Vyk.MarinaNo = rpm_Contact_Information.MarinaNo WHERE ([Geo Code] in (5, "
            "7)) ORDER BY [Geo Code], rpm_Contact_Information.City");
  EXPECT_EQ(HarborListQuery("5, 7", std::nullopt),
            "SELECT DISTINCT rpm_Vyk.[Geo Code], rpm_nav_info.Harbor FROM rpm_Vyk LEFT JOIN rpm_nav_info ON "
            "rpm_Vyk.MarinaNo = rpm_nav_info.MarinaNo WHERE ([Geo Code] in (5, 7)) ORDER BY [Geo Code], "
            "rpm_nav_info.Harbor");
  EXPECT_EQ(HarborListQuery("8", QString("Orr's Island")),
            "SELECT DISTINCT rpm_Vyk.[Geo Code], rpm_Contact_Information.City, rpm_nav_info.Harbor FROM (rpm_Vyk LEFT "
            "JOIN rpm_Contact_Information ON rpm_Contact_Information.MarinaNo = rpm_Vyk.MarinaNo) LEFT JOIN "
            "rpm_nav_info ON rpm_Vyk.MarinaNo = rpm_nav_info.MarinaNo  WHERE (([Geo Code] in (8)) and (City LIKE "
            "'Orr''s Island')) ORDER BY [Geo Code], rpm_nav_info.Harbor");
}

}  // namespace
}  // namespace qw

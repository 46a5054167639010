#include <gtest/gtest.h>

#include "qstring_printer.h"

#include "search/result_query.h"

namespace qw {
namespace {

const QString kCountHead =
    "select rpm_Contact_Information.marinano, rpm_marinaname_no.[Marina Name],rpm_Contact_Information.City, "
    "rpm_Contact_Information.State, rpm_Vyk.[Bell rating], rpm_nav_Info.Harbor, rpm_nav_Info.[USCG Statute Mile], "
    "['97 Editions].[In Disk] FROM ";
const QString kListHead =
    "select rpm_Contact_Information.marinano, rpm_marinaname_no.[Marina 30 char Name],rpm_marinaname_no.[Marina "
    "Name],rpm_Contact_Information.City, rpm_Contact_Information.State,rpm_Vyk.[Bell rating], rpm_Vyk.[Boatyard "
    "Rating], rpm_Vyk.[Sunset], rpm_nav_Info.[USCG Statute Mile],rpm_nav_Info.[Harbor], ['97 Editions].[In "
    "Disk],rpm_marina_facilities.[Total # Slips],rpm_marina_facilities.[Total # of "
    "Moorings],rpm_marina_facilities.[Maximum Length Overall],rpm_marina_facilities.[In Season Slips--Nightly Rate] "
    "from";
const QString kFrom =
    "(((((((rpm_Contact_Information LEFT JOIN rpm_nav_info ON rpm_Contact_Information.MarinaNo = "
    "rpm_nav_info.MarinaNo) LEFT JOIN rpm_marinaname_no ON rpm_Contact_Information.MarinaNo = "
    "rpm_marinaname_no.MarinaNo) LEFT JOIN rpm_Vyk ON rpm_Contact_Information.MarinaNo = rpm_Vyk.MarinaNo) LEFT "
    "JOIN rpm_marina_facilities ON rpm_Contact_Information.MarinaNo = rpm_marina_facilities.MarinaNo) LEFT JOIN "
    "rpm_marina_services ON rpm_Contact_Information.MarinaNo = rpm_marina_services.MarinaNo) LEFT JOIN "
    "rpm_Boat_and_Boatyard_Services_EI ON rpm_Contact_Information.MarinaNo = "
    "rpm_Boat_and_Boatyard_Services_EI.MarinaNo) LEFT JOIN ['97 Editions] ON rpm_Vyk.MarinaNo = ['97 "
    "Editions].MarinaNo) LEFT JOIN rpm_marina_operations ON rpm_Contact_Information.MarinaNo = "
    "rpm_marina_operations.MarinaNo";
const QString kWhere = " where rpm_Vyk.[Sunset] = TRUE ";

AppSettings Config(const char* edition, int single, int from, int to) {
  AppSettings s;
  s.EditionFilter = edition;
  s.SingleGeoCode = static_cast<std::int16_t>(single);
  s.GeoCodeFrom = static_cast<std::int16_t>(from);
  s.GeoCodeTo = static_cast<std::int16_t>(to);
  return s;
}

// The text after the FROM part, for both variants.
QString Tail(ResultQueryKind kind, const QString& where, const AppSettings& s, int sortOrder = 1) {
  const QString sql = BuildResultQuery(kind, where, s, static_cast<ListOrder>(sortOrder));
  const QString head = (kind == ResultQueryKind::Count ? kCountHead : kListHead) + kFrom;
  EXPECT_TRUE(sql.startsWith(head)) << sql.toStdString();
  return sql.mid(head.size());
}

TEST(ResultQueryTest, NoCriteriaAndNoEditionCountsEveryMarina) {
  const AppSettings s = Config("Everything", 0, 5, 16);  // a range alone restricts nothing
  EXPECT_EQ(BuildResultQuery(ResultQueryKind::Count, "", s, ListOrder::Geographic), kCountHead + kFrom + " ORDER BY rpm_Vyk.[Geo Code]");
  EXPECT_EQ(BuildResultQuery(ResultQueryKind::List, "", s, ListOrder::Geographic),
            kListHead + kFrom + " ORDER BY rpm_Vyk.[Geo Code], rpm_Vyk.[N/S#]");
  EXPECT_EQ(BuildResultQuery(ResultQueryKind::Count, "", s, ListOrder::Alphabetical),
            kCountHead + kFrom + " ORDER BY rpm_marinaname_no.[Marina Name]");
  EXPECT_EQ(BuildResultQuery(ResultQueryKind::List, "", s, ListOrder::Alphabetical),
            kListHead + kFrom + " ORDER BY rpm_marinaname_no.[Marina Name]");
  EXPECT_EQ(Tail(ResultQueryKind::Count, "", s, -3), " ORDER BY rpm_Vyk.[Geo Code]");
}

TEST(ResultQueryTest, SeventhEditionRangeWithoutCriteria) {
  const AppSettings s = Config("In 7th Edition", 0, 5, 16);
  EXPECT_EQ(Tail(ResultQueryKind::Count, "", s),
            " where rpm_Vyk.[In 7th Edition] = TRUE And ((rpm_Vyk.[Geo Code]>= 5) And (rpm_Vyk.[Geo Code]<= 16))"
            " ORDER BY rpm_Vyk.[Geo Code]");
  EXPECT_EQ(Tail(ResultQueryKind::List, "", s),
            " where rpm_Vyk.[In 7th Edition] = TRUE And((rpm_Vyk.[Geo Code]>= 5) And (rpm_Vyk.[Geo Code]<= 16))"
            " ORDER BY rpm_Vyk.[Geo Code], rpm_Vyk.[N/S#]");
  EXPECT_EQ(Tail(ResultQueryKind::Count, kWhere, s),
            kWhere + "And (rpm_Vyk.[In 7th Edition] = TRUE) And ((rpm_Vyk.[Geo Code]>= 5) And (rpm_Vyk.[Geo Code]<= "
                     "16)) ORDER BY rpm_Vyk.[Geo Code]");
  EXPECT_EQ(Tail(ResultQueryKind::List, kWhere, s),
            kWhere + "And (rpm_Vyk.[In 7th Edition] = TRUE) And ((rpm_Vyk.[Geo Code]>= 5) And (rpm_Vyk.[Geo Code]<= "
                     "16)) ORDER BY rpm_Vyk.[Geo Code], rpm_Vyk.[N/S#]");
}

TEST(ResultQueryTest, EditionAndSubRegionFilterCases) {
  struct Case {
    AppSettings settings;
    const char* withWhere;     // appended after kWhere
    const char* withoutWhere;  // the filter when no criterion is set
  };
  const Case cases[] = {
      {Config("In 6th Edition", 7, 5, 16),
       "And (['97 Editions].[In Disk] = TRUE) And (rpm_Vyk.[Geo Code] = 7)",
       " where ['97 Editions].[In Disk] = TRUE And (rpm_Vyk.[Geo Code]= 7)"},
      {Config("In 6th Edition", 0, 0, 16),
       "And (['97 Editions].[In Disk] = TRUE) And ((rpm_Vyk.[Geo Code]>= 0) And (rpm_Vyk.[Geo Code]<= 16))",
       " where ['97 Editions].[In Disk] = TRUE And ((rpm_Vyk.[Geo Code]>= 0) And (rpm_Vyk.[Geo Code]<= 16))"},
      {Config("In 6th Edition", 0, 5, 0), "And (['97 Editions].[In Disk] = TRUE)",
       " where ['97 Editions].[In Disk] = TRUE"},
      {Config("In 6th Edition", 0, -1, 9), "And (['97 Editions].[In Disk] = TRUE)",
       " where ['97 Editions].[In Disk] = TRUE"},
      {Config("In 7th Edition", 12, -4, 3), "And (rpm_Vyk.[In 7th Edition] = TRUE) And (rpm_Vyk.[Geo Code] = 12)",
       " where rpm_Vyk.[In 7th Edition] = TRUE And (rpm_Vyk.[Geo Code] = 12)"},
      {Config("In 7th Edition", 0, 0, 0),
       "And (rpm_Vyk.[In 7th Edition] = TRUE) And ((rpm_Vyk.[Geo Code]>= 0) And (rpm_Vyk.[Geo Code]<= 0))",
       " where rpm_Vyk.[In 7th Edition] = TRUE And ((rpm_Vyk.[Geo Code]>= 0) And (rpm_Vyk.[Geo Code]<= 0))"},
      {Config("In 7th Edition", -2, 6, -1), "And (rpm_Vyk.[In 7th Edition] = TRUE)",
       " where rpm_Vyk.[In 7th Edition] = TRUE"},
      {Config("in 7th edition", 9, 5, 16), "And (rpm_Vyk.[Geo Code] = 9)", " where (rpm_Vyk.[Geo Code] = 9)"},
      {Config("", 0, 5, 16), "", ""},
  };
  for (const Case& test : cases) {
    const std::string label = test.settings.EditionFilter.toStdString() + " " +
                              std::to_string(test.settings.SingleGeoCode) + " " +
                              std::to_string(test.settings.GeoCodeFrom) + "-" + std::to_string(test.settings.GeoCodeTo);
    for (ResultQueryKind kind : {ResultQueryKind::Count, ResultQueryKind::List}) {
      const QString order = " ORDER BY rpm_marinaname_no.[Marina Name]";
      QString withoutWhere = test.withoutWhere;
      // The list variant's seventh-edition range has no blank before its brackets.
      if (kind == ResultQueryKind::List) withoutWhere.replace("[In 7th Edition] = TRUE And ((", "[In 7th Edition] = TRUE And((");
      EXPECT_EQ(Tail(kind, kWhere, test.settings, 0), kWhere + test.withWhere + order) << label;
      EXPECT_EQ(Tail(kind, "", test.settings, 0), withoutWhere + order) << label;
    }
  }
}

TEST(ResultQueryTest, RangeTest) {
  EXPECT_TRUE(GeoCodeRangeApplies(Config("", 0, 5, 16)));
  EXPECT_TRUE(GeoCodeRangeApplies(Config("", 0, 0, 0)));
  EXPECT_TRUE(GeoCodeRangeApplies(Config("", 0, 0, -3)));
  EXPECT_FALSE(GeoCodeRangeApplies(Config("", 0, 5, 0)));
  EXPECT_FALSE(GeoCodeRangeApplies(Config("", 0, 5, -1)));
  EXPECT_FALSE(GeoCodeRangeApplies(Config("", 0, -1, 16)));
}

TEST(ResultQueryTest, AnEateryGroupClosedAtTheEndMeetsTheFilterDirectly) {
  const QString where = " where (x OR y)";
  EXPECT_EQ(Tail(ResultQueryKind::Count, where, Config("In 7th Edition", 7, 0, 0)),
            where + "And (rpm_Vyk.[In 7th Edition] = TRUE) And (rpm_Vyk.[Geo Code] = 7) ORDER BY rpm_Vyk.[Geo Code]");
}

TEST(ResultQueryTest, FoundCaption) {
  EXPECT_EQ(MarinasFoundCaption(37), "Marinas Found: 37");
  EXPECT_EQ(MarinasFoundCaption(0), "Marinas Found: 0");
  EXPECT_EQ(MarinasFoundCaption(70000), "Marinas Found: 70000");
}

}  // namespace
}  // namespace qw

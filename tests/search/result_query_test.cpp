#include <gtest/gtest.h>

#include "qstring_printer.h"

#include "common/result_query_text.h"
#include "search/result_query.h"

namespace qw {
namespace {

using testing::kCountHead;
using testing::kFrom;
using testing::kListHead;

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
      {Config("In 6th Edition", 9, 5, 16),
       "And (['97 Editions].[In Disk] = TRUE) And (rpm_Vyk.[Geo Code] = 9)",
       " where ['97 Editions].[In Disk] = TRUE And (rpm_Vyk.[Geo Code]= 9)"},
      {Config("In 6th Edition", 0, 5, 16),
       "And (['97 Editions].[In Disk] = TRUE) And ((rpm_Vyk.[Geo Code]>= 5) And (rpm_Vyk.[Geo Code]<= 16))",
       " where ['97 Editions].[In Disk] = TRUE And ((rpm_Vyk.[Geo Code]>= 5) And (rpm_Vyk.[Geo Code]<= 16))"},
      {Config("In 6th Edition", 0, 0, 16),
       "And (['97 Editions].[In Disk] = TRUE) And ((rpm_Vyk.[Geo Code]>= 0) And (rpm_Vyk.[Geo Code]<= 16))",
       " where ['97 Editions].[In Disk] = TRUE And ((rpm_Vyk.[Geo Code]>= 0) And (rpm_Vyk.[Geo Code]<= 16))"},
      {Config("In 6th Edition", 0, 5, 0), "And (['97 Editions].[In Disk] = TRUE)",
       " where ['97 Editions].[In Disk] = TRUE"},
      {Config("In 6th Edition", 0, -1, 9), "And (['97 Editions].[In Disk] = TRUE)",
       " where ['97 Editions].[In Disk] = TRUE"},
      {Config("In 7th Edition", 12, -4, 3), "And (rpm_Vyk.[In 7th Edition] = TRUE) And (rpm_Vyk.[Geo Code] = 12)",
       " where rpm_Vyk.[In 7th Edition] = TRUE And (rpm_Vyk.[Geo Code] = 12)"},
      {Config("In 7th Edition", 12, 0, 0), "And (rpm_Vyk.[In 7th Edition] = TRUE) And (rpm_Vyk.[Geo Code] = 12)",
       " where rpm_Vyk.[In 7th Edition] = TRUE And (rpm_Vyk.[Geo Code] = 12)"},
      // No code at all: the range 0 to 0 applies, which nothing satisfies.
      {Config("In 7th Edition", 0, 0, 0),
       "And (rpm_Vyk.[In 7th Edition] = TRUE) And ((rpm_Vyk.[Geo Code]>= 0) And (rpm_Vyk.[Geo Code]<= 0))",
       " where rpm_Vyk.[In 7th Edition] = TRUE And ((rpm_Vyk.[Geo Code]>= 0) And (rpm_Vyk.[Geo Code]<= 0))"},
      {Config("In 7th Edition", -2, 6, -1), "And (rpm_Vyk.[In 7th Edition] = TRUE)",
       " where rpm_Vyk.[In 7th Edition] = TRUE"},
      {Config("In 7th Edition", 0, 7, 0), "And (rpm_Vyk.[In 7th Edition] = TRUE)", " where rpm_Vyk.[In 7th Edition] = TRUE"},
      {Config("In 8th Edition", 6, 5, 16), "And (rpm_Vyk.[Geo Code] = 6)", " where (rpm_Vyk.[Geo Code] = 6)"},
      // Any other edition text never applies a range.
      {Config("in 7th edition", 9, 5, 16), "And (rpm_Vyk.[Geo Code] = 9)", " where (rpm_Vyk.[Geo Code] = 9)"},
      {Config("in 7th edition", 0, 5, 16), "", ""},
      {Config("", 0, 5, 16), "", ""},
      {Config("", 0, 0, 0), "", ""},
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
  const struct {
    int from, to;
    bool applies;
  } cases[] = {{5, 16, true}, {0, 0, true}, {0, -3, true}, {5, 0, false}, {5, -1, false}, {-1, 16, false}};
  for (const auto& c : cases) EXPECT_EQ(GeoCodeRangeApplies(Config("", 0, c.from, c.to)), c.applies) << c.from << "-" << c.to;
}

TEST(ResultQueryTest, AnEateryGroupClosedAtTheEndMeetsTheFilterDirectly) {
  const QString where = " where (x OR y)";
  EXPECT_EQ(Tail(ResultQueryKind::Count, where, Config("In 7th Edition", 7, 0, 0)),
            where + "And (rpm_Vyk.[In 7th Edition] = TRUE) And (rpm_Vyk.[Geo Code] = 7) ORDER BY rpm_Vyk.[Geo Code]");
}

TEST(ResultQueryTest, FoundCaption) {
  for (int n : {37, 0, 70000}) EXPECT_EQ(MarinasFoundCaption(n), QString("Marinas Found: %1").arg(n));
}

}  // namespace
}  // namespace qw

// The key list's texts, the keys grid's query and cell reading, the
// hand-over's name look-up and the hint box's mark in chart_information.
#include <gtest/gtest.h>

#include <QFile>

#include "common/testing.h"
#include "data/marina_db.h"
#include "maps/map_lists.h"

namespace {

using namespace qw;
using namespace qw::maps;

TEST(ChartKeyList, ShowsTheTwelveSubRegionsAndOpensOnlyByNumeral) {
  EXPECT_EQ(ChartKeyFormatString(), QStringLiteral(" Sub-Region No| Sub-Region Name") + QString(39, QLatin1Char(' ')));
  EXPECT_EQ(ChartKeyFormatString().size(), 70);
  ASSERT_EQ(ChartKeyNumerals().size(), 12);
  ASSERT_EQ(ChartKeyNames().size(), 12);
  EXPECT_EQ(ChartKeyNumerals().join(','), "I,II,III,IV,V,VI,VII,VIII,IX,X,XI,XII");
  EXPECT_EQ(ChartKeyNames()[0], "ME - DOWNEAST / ACADIA ");
  EXPECT_EQ(ChartKeyNames()[7], "MA -THE ISLANDS ");
  EXPECT_EQ(ChartKeyNames()[8], "MA - BUZZARDS BAY ");
  EXPECT_EQ(ChartKeyNames()[10], "RI - WESTERN  NARRAGANSETT BAY ");
  struct Case {
    QString cell;
    int k;
  };
  const Case cases[] = {{"I", 1}, {"VIII", 8}, {"XII", 12}, {"viii", 0}, {"MA - CAPE COD", 0},
                        {" Sub-Region No", 0}, {"", 0}, {"VIII ", 0}};
  for (const Case& c : cases) EXPECT_EQ(ChartKeyTarget(c.cell), c.k) << qPrintable(c.cell);
}

TEST(MapKeysGrid, QueriesTheRegionAsItStandsAndReadsOnlyNumbersThatFit) {
  EXPECT_EQ(MapKeysQuery("WESTERN  NARRAGANSETT BAY"),
            "select mapno,marinaname,harbor,marinano from mapkeys where regionname='WESTERN  NARRAGANSETT BAY'");
  EXPECT_EQ(MapKeysQuery(""), "select mapno,marinaname,harbor,marinano from mapkeys where regionname=''");
  struct Case {
    QString cell;
    std::optional<int> marinaNo;
  };
  const Case cases[] = {{"2813", 2813}, {" 11 ", 11}, {"32767", 32767}, {"32768", std::nullopt}, {"-32768", -32768},
                        {"", std::nullopt}, {"Harbor Light", std::nullopt}, {"2.5", 2}, {"3.5", 4}};
  for (const Case& c : cases) EXPECT_EQ(MarinaNoFromCell(c.cell), c.marinaNo) << qPrintable(c.cell);
}

TEST(MapHandOver, ChoosesTheShortNameThenTheFullNameThenThePreviousOne) {
  using S = Field::State;
  const Field null(S::Null, {});
  struct Case {
    Field full, shortName;
    QString expected;
  };
  const Case cases[] = {
      {Field(S::Value, "Saltmarsh Creek Marina"), Field(S::Value, "     "), "Saltmarsh Creek Marina"},
      {Field(S::Value, "Full"), Field(S::Value, " Short "), " Short "},
      {Field(S::Value, "Full"), null, "Full"},
      {null, null, "previous"},
      {Field(S::Value, ""), Field(S::Value, ""), ""},
  };
  for (const Case& c : cases) EXPECT_EQ(ChooseMapMarinaName(c.full, c.shortName, "previous"), c.expected);
  EXPECT_EQ(MapMarinaNameQuery(-5),
            "select rpm_marinaname_no.[Marina Name],rpm_marinaname_no.[Marina 30 char Name] from rpm_marinaname_no "
            "where MarinaNo=-5");

  auto db = Database::OpenDatabase(qw::testing::DemoDatabasePath(), -1, true, ConnectString());
  EXPECT_EQ(LookUpMapMarinaName(*db, 2616, "x"), QString("Saltmarsh Creek Marina"));
  EXPECT_EQ(LookUpMapMarinaName(*db, 581, "x"), QString("Tollander Brothers Marine Railway & Storage"));
  EXPECT_EQ(LookUpMapMarinaName(*db, 2660, "x"), QString("Quarry Point Marina "));
  EXPECT_EQ(LookUpMapMarinaName(*db, 12, "x"), std::nullopt);  // no such marina
}

class HintBox : public ::testing::Test {
 protected:
  qlonglong Rows() {
    auto db = Database::OpenDatabase(folder_.DatabasePath(), -1, true, ConnectString());
    return db->OpenRecordset("select count(*), min(checkalert), max(checkalert) from chart_information")->Fields(0).Value().toLongLong();
  }
  std::function<DatabasePtr()> Open(const QString& path) {
    return [path] { return Database::OpenDatabase(path, 0, false, ConnectString()); };
  }
  qw::testing::TempProgramFolder folder_;
};

TEST_F(HintBox, WritesOneRowOnlyWhenTickedAndReportsWhatStoppedIt) {
  using O = HintWrite::Outcome;
  EXPECT_EQ(WriteChartHint(false, 1, Open(folder_.DatabasePath())).outcome, O::NotTicked);
  EXPECT_EQ(WriteChartHint(true, 0, Open(folder_.DatabasePath())).outcome, O::NotTicked);  // ticked, then cleared
  EXPECT_EQ(Rows(), 0);
  EXPECT_EQ(WriteChartHint(true, 1, Open(folder_.DatabasePath())).outcome, O::Written);
  EXPECT_EQ(Rows(), 1);
  auto db = Database::OpenDatabase(folder_.DatabasePath(), -1, true, ConnectString());
  EXPECT_EQ(db->OpenRecordset("select checkalert from chart_information")->Fields(0).Value().toInt(), 1);
  db.reset();

  const HintWrite missing = WriteChartHint(true, 1, Open(folder_.DataFolder() + "/gone.mdb"));
  EXPECT_EQ(missing.outcome, O::Failed);
  EXPECT_FALSE(missing.error.isEmpty());

  ASSERT_TRUE(QFile::setPermissions(folder_.DatabasePath(), QFile::ReadOwner | QFile::ReadGroup | QFile::ReadOther));
  EXPECT_EQ(WriteChartHint(true, 1, Open(folder_.DatabasePath())).outcome, O::ReadOnly);
  QFile::setPermissions(folder_.DatabasePath(), QFile::ReadOwner | QFile::WriteOwner);
  EXPECT_EQ(Rows(), 1);
}

}  // namespace

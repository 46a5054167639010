// The search's SQL run on the demo database through the database adapter:
// the counts prove what the criteria mean, not only how they read.
#include <gtest/gtest.h>

#include <QFile>

#include "common/testing.h"
#include "criteria_arrays.h"
#include "data/marina_db.h"
#include "qstring_printer.h"
#include "search/location_queries.h"
#include "search/result_query.h"
#include "search/where_clause.h"

namespace qw {
namespace {

class DemoSearchTest : public ::testing::Test {
 protected:
  void SetUp() override {
    if (!QFile::exists(testing::DemoDatabasePath())) GTEST_SKIP() << "no demo database built";
    db_ = Database::OpenDatabase(testing::DemoDatabasePath(), -1, true, ConnectString());
  }
  void TearDown() override {
    if (db_) db_->Close();
  }

  GeoCodeLookup Lookup() {
    return [this](const QString& name) { return LookupGeoCode(*db_, name); };
  }

  // Find's count for the criteria, with no edition filter unless given, and
  // optionally narrowed to one marina.
  qint32 Count(const SearchCriteria& c, int marinaNo = 0, AppSettings settings = AppSettings{}) {
    QString where = BuildWhereClause(c, Lookup());
    if (marinaNo > 0)
      where += (where.isEmpty() ? QStringLiteral(" where ") : QStringLiteral(" AND ")) +
               QStringLiteral("rpm_Contact_Information.MarinaNo = %1 ").arg(marinaNo);
    const Result<qint32> count =
        CountMarinas(*db_, BuildResultQuery(ResultQueryKind::Count, where, settings, ListOrder::Geographic));
    EXPECT_TRUE(count.ok()) << count.error().description.toStdString();
    return count.value_or(0);
  }

  // A number from a plain query of the test's own.
  int Scalar(const QString& sql) {
    RecordsetPtr rs = db_->OpenRecordset(sql);
    const int value = rs->Fields(0).Value().toInt();
    rs->Close();
    return value;
  }

  DatabasePtr db_;
};

TEST_F(DemoSearchTest, EditionAndSubRegionFilters) {
  const int all = Scalar("SELECT COUNT(*) FROM rpm_Contact_Information");
  ASSERT_GT(all, 100);
  EXPECT_EQ(Count({}), all);

  AppSettings s;
  s.EditionFilter = "In 7th Edition";
  s.GeoCodeFrom = 5;
  s.GeoCodeTo = 16;
  EXPECT_EQ(Count({}, 0, s), Scalar("SELECT COUNT(*) FROM rpm_Vyk WHERE [In 7th Edition] = 1 AND [Geo Code] BETWEEN 5 "
                                    "AND 16"));
  s.SingleGeoCode = 11;
  EXPECT_EQ(Count({}, 0, s), Scalar("SELECT COUNT(*) FROM rpm_Vyk WHERE [In 7th Edition] = 1 AND [Geo Code] = 11"));
  s = {};
  s.EditionFilter = "In 6th Edition";
  const int sixth = Scalar("SELECT COUNT(*) FROM ['97 Editions] WHERE [In Disk] = 1");
  EXPECT_LT(sixth, all);  // marinas numbered 2600 and up are not on the disk
  EXPECT_EQ(Count({}, 0, s), 0);  // no GeoCode key: the range 0 to 0 matches nothing
  s.GeoCodeFrom = 5;              // a range that fails the test: the edition alone
  EXPECT_EQ(Count({}, 0, s), sixth);
  SearchCriteria sunset;
  sunset.chkSunset = 1;
  EXPECT_EQ(Count(sunset, 0, s),
            Scalar("SELECT COUNT(*) FROM rpm_Vyk v JOIN ['97 Editions] e ON v.MarinaNo = e.MarinaNo WHERE v.Sunset = 1 "
                   "AND e.[In Disk] = 1"));
}

TEST_F(DemoSearchTest, DistanceClassesAreCumulative) {
  // Marina 507: "Beach" only within 1-3 miles, "Picnic Area" on site, "Golf
  // Course" with a blank-only approximate distance.
  auto recreation = [&](int row, int code) {
    SearchCriteria c;
    c.Amenity.RecreationDistance[row] = static_cast<std::int16_t>(code);
    return Count(c, 507);
  };
  for (int code = 1; code <= 6; ++code) {
    EXPECT_EQ(recreation(1, code), code >= 5 ? 1 : 0) << "Beach, code " << code;
    EXPECT_EQ(recreation(3, code), 1) << "Picnic Area, code " << code;
    EXPECT_EQ(recreation(8, code), 0) << "Golf Course, code " << code;
  }
  // Marina 508: "Museum" with only an approximate distance: 3+ miles alone.
  for (int code = 1; code <= 6; ++code) {
    SearchCriteria c;
    c.Amenity.EntertainmentDistance[3] = static_cast<std::int16_t>(code);
    EXPECT_EQ(Count(c, 508), code == 6 ? 1 : 0) << "Museum, code " << code;
  }
}

TEST_F(DemoSearchTest, RemarksCountForTheCheckBoxGroups) {
  const struct {
    int SearchCriteria::*box;
    int marinaNo, count;
  } cases[] = {
      {&SearchCriteria::chkHospital, 186, 1},  // a remark and no distance mark
      {&SearchCriteria::chkHospital, 484, 0},  // no amenity rows at all
      {&SearchCriteria::chk911, 2528, 1},
      {&SearchCriteria::chk911, 2637, 0},
      {&SearchCriteria::chkAirport, 485, 1},
  };
  for (const auto& test : cases) {
    SearchCriteria c;
    c.*test.box = 1;
    EXPECT_EQ(Count(c, test.marinaNo), test.count) << test.marinaNo;
  }
}

TEST_F(DemoSearchTest, MooringsCompareAsNumbers) {
  const int thresholds[] = {1, 10, 25, 50};
  for (int index = 1; index <= 4; ++index) {
    SearchCriteria c;
    c.cboMoorings = index;
    EXPECT_EQ(Count(c), Scalar(QStringLiteral("SELECT COUNT(*) FROM rpm_marina_facilities WHERE [Total # of "
                                              "Moorings] >= %1")
                                   .arg(thresholds[index - 1])))
        << thresholds[index - 1];
  }
  SearchCriteria fifty;
  fifty.cboMoorings = 4;
  EXPECT_LT(Count(fifty), Scalar("SELECT COUNT(*) FROM rpm_marina_facilities WHERE [Total # of Moorings] IS NOT NULL"));
}

TEST_F(DemoSearchTest, NumbersWithAnExponentCountAsTheirDecimals) {
  const struct {
    const char* exponent;
    const char* decimal;
  } cases[] = {{"1e2", "100"}, {".5e+2", "50"}, {"4E1", "40"}, {"-2.5E-1", "-0.25"}};
  for (const auto& n : cases) {
    SearchCriteria a, b;
    a.ebMinLOA = n.exponent;
    b.ebMinLOA = n.decimal;
    EXPECT_EQ(Count(a), Count(b)) << n.exponent;
    a = b = {};
    a.txtbicwmax = n.exponent;
    b.txtbicwmax = n.decimal;
    EXPECT_EQ(Count(a), Count(b)) << n.exponent;
  }
  SearchCriteria some;
  some.ebMinLOA = "1e2";
  EXPECT_GT(Count(some), 0);
}

TEST_F(DemoSearchTest, TextCriteriaWithApostrophesAndAnyLetterCase) {
  SearchCriteria c;
  c.tbMarinaName = "Captain Ned's";
  EXPECT_EQ(Count(c), 1);
  EXPECT_EQ(Count(c, 833), 1);
  c.tbMarinaName = "o'brien";
  EXPECT_EQ(Count(c, 2558), 1);
  c.tbMarinaName = "Sailor's Rest & Skipper's";
  EXPECT_EQ(Count(c, 865), 1);
  c.tbMarinaName = "Sailor?s*Wharf";  // the user's own pattern characters
  EXPECT_EQ(Count(c, 865), 1);

  SearchCriteria city;
  city.cboCity = {{"", "Orr's Island"}, 1};
  EXPECT_EQ(Count(city, 2690), 1);
  city.cboCity = {{"", "SOUTHWEST HARBOR"}, 1};
  const qint32 upper = Count(city);
  city.cboCity = {{"", "Southwest Harbor"}, 1};
  EXPECT_EQ(Count(city), upper);
  EXPECT_GE(upper, 1);
  SearchCriteria harbor;
  harbor.cboHarbor = {{"", "carver's harbor"}, 1};
  EXPECT_EQ(Count(harbor, 2651), 1);
}

TEST_F(DemoSearchTest, SubRegionsByName) {
  EXPECT_EQ(LookupGeoCode(*db_, "MA - CAPE COD"), std::optional<std::int16_t>(11));
  EXPECT_EQ(LookupGeoCode(*db_, "ma - cape cod"), std::optional<std::int16_t>(11));
  EXPECT_EQ(LookupGeoCode(*db_, "No Such Region"), std::nullopt);
  SearchCriteria c;
  c.lbGeoCodes = {"MA - CAPE COD", "No Such Region", "MA - THE ISLANDS"};
  EXPECT_EQ(Count(c), Scalar("SELECT COUNT(*) FROM rpm_Vyk WHERE [Geo Code] IN (11, 12)"));
  c.lbGeoCodes = {"No Such Region"};
  EXPECT_EQ(Count(c), 0);

  AppSettings s;
  s.GeoCodeFrom = 5;
  s.GeoCodeTo = 16;
  const QStringList names = ReadGeoCodeNames(*db_, *GeoCodePickerQuery(s));
  ASSERT_EQ(names.size(), 12);
  EXPECT_EQ(names.first(), "ME - DOWNEAST / ACADIA");
  s.SingleGeoCode = 7;
  EXPECT_EQ(ReadGeoCodeNames(*db_, *GeoCodePickerQuery(s)), QStringList{"ME - BOOTHBAY HARBOR REGION"});
}

TEST_F(DemoSearchTest, NameLookupOnAConnectionOfItsOwn) {
  const testing::TempProgramFolder folder;
  EXPECT_EQ(GetGeoCode("RI - BLOCK ISLAND SOUND"), std::optional<std::int16_t>(16));
  EXPECT_EQ(GetGeoCode("Gone Region"), std::nullopt);
  SearchCriteria c;
  c.lbGeoCodes = {"Gone Region", "RI - BLOCK ISLAND SOUND"};
  EXPECT_EQ(BuildWhereClause(c, GetGeoCode), " where  rpm_Vyk.[Geo Code] in (16) ");
  QFile::remove(folder.DatabasePath());  // no database: no code, never an exception
  EXPECT_EQ(GetGeoCode("RI - BLOCK ISLAND SOUND"), std::nullopt);
}

TEST_F(DemoSearchTest, CityAndHarborLists) {
  const QStringList cities = ReadTrimmedColumn(*db_, CityListQuery("5"), "City");
  // The city stored with a trailing blank (839) is listed trimmed, beside the same city stored without one.
  const int stored = Scalar("SELECT COUNT(DISTINCT c.City) FROM rpm_Contact_Information c, rpm_Vyk v "
                            "WHERE c.MarinaNo = v.MarinaNo AND v.[Geo Code] = 5 AND TRIM(c.City) = 'Bar Harbor'");
  EXPECT_GE(stored, 1);
  EXPECT_EQ(cities.count("Bar Harbor"), stored);
  const QString region = QString::number(*LookupGeoCode(*db_, "ME - PORTLAND & SOUTHERN COAST"));
  const QStringList harbors = ReadTrimmedColumn(*db_, HarborListQuery(region, QString("Orr's Island")), "Harbor");
  EXPECT_TRUE(harbors.contains("Harpswell Sound"));
  EXPECT_GE(ReadTrimmedColumn(*db_, HarborListQuery(region, std::nullopt), "Harbor").size(), harbors.size());
}

// Within each sub-region the lists are alphabetical, without regard to letter
// case; the sub-regions follow one another by code.
TEST_F(DemoSearchTest, CityAndHarborListsAreAlphabeticalWithinEachSubRegion) {
  const QString regions = "14, 5, 16";
  // A city of these sub-regions with more than one harbour.
  RecordsetPtr cityRs = db_->OpenRecordset(
      "SELECT c.City FROM rpm_Contact_Information c, rpm_Vyk v, rpm_nav_info n WHERE c.MarinaNo = v.MarinaNo AND "
      "n.MarinaNo = v.MarinaNo AND v.[Geo Code] IN (14, 5, 16) GROUP BY c.City HAVING COUNT(DISTINCT n.Harbor) > 1 "
      "ORDER BY c.City");
  ASSERT_FALSE(cityRs->Eof());
  const QString city = cityRs->Fields(0).Value().toString();
  cityRs->Close();
  const struct {
    QString sql, column;
  } lists[] = {{CityListQuery(regions), "City"},
               {HarborListQuery(regions, std::nullopt), "Harbor"},
               {HarborListQuery(regions, city), "Harbor"}};
  for (const auto& list : lists) {
    RecordsetPtr rs = db_->OpenRecordset(list.sql);
    int rows = 0, lastCode = 0;
    QString last;
    for (; !rs->Eof(); rs->MoveNext(), ++rows) {
      const int code = rs->Fields("Geo Code").Value().toInt();
      const QString value = rs->Fields(list.column).Value().toString();
      ASSERT_GE(code, lastCode) << list.sql.toStdString();
      if (code == lastCode) {
        EXPECT_LE(QString::compare(last, value, Qt::CaseInsensitive), 0)
            << last.toStdString() << " before " << value.toStdString();
      }
      lastCode = code;
      last = value;
    }
    rs->Close();
    EXPECT_GT(rows, 1) << list.sql.toStdString();
  }
}

TEST_F(DemoSearchTest, EveryCriterionGivesAQueryTheDatabaseRuns) {
  for (std::int16_t code = 1; code <= 6; ++code) {
    SearchCriteria c;
    ForEachDistance(c.Amenity, [code](auto& array) { array.fill(code); });
    c.Amenity.FacilityChecks.fill(1);
    c.Amenity.CreditCardChecks.fill(1);
    c.Amenity.ServiceChecks.fill(1);
    c.lstMail.fill(true);
    c.chkBoatStorage = c.chkAmtrak = c.chkAirport = c.chk911 = c.chkHospital = 1;
    c.tbMarinaName = "a";
    c.lbGeoCodes = {"MA - CAPE COD"};
    c.cboCity = {{"", "Chatham"}, 1};
    c.cboHarbor = {{"", "Stage Harbor"}, 1};
    c.txtbicwmin = "0";
    c.txtbicwmax = "900";
    c.cboBellRating = 1;
    c.cmbTotalSlips = 1;
    c.cboFuel = 2;
    c.cboMoorings = 1;
    c.cboDockage = 5;
    c.cboElectricity = 6;
    c.cboBoatRating = 1;
    c.chkPumpOut = c.chkMegaYachtFacilities = c.chkSunset = 1;
    c.ebMinLOA = "10";
    c.cboDepth = 1;
    AppSettings s;
    s.EditionFilter = "In 7th Edition";
    s.GeoCodeFrom = 5;
    s.GeoCodeTo = 16;
    for (ResultQueryKind kind : {ResultQueryKind::Count, ResultQueryKind::List}) {
      const QString sql = BuildResultQuery(kind, BuildWhereClause(c, Lookup()), s, ListOrder::Alphabetical);
      const Result<qint32> count = CountMarinas(*db_, sql);
      EXPECT_TRUE(count.ok()) << "code " << code << ": " << count.error().description.toStdString();
      EXPECT_EQ(count.value_or(-1), 0);
    }
  }
}

TEST_F(DemoSearchTest, AQueryThatCannotRunIsAnErrorNotAnEmptyCount) {
  const Result<qint32> count = CountMarinas(*db_, "select nothing from nowhere");
  EXPECT_FALSE(count.ok());
  EXPECT_EQ(count.value_or(0), 0);
  EXPECT_FALSE(count.error().description.isEmpty());
}

}  // namespace
}  // namespace qw

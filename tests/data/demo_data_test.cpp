// The built program folder: the demo database holds what the searches, the
// list, the report and the maps need, and the ini file and pictures are there.
#include <gtest/gtest.h>

#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QImage>
#include <QProcess>
#include <QRegularExpression>
#include <QStringList>
#include <QTemporaryDir>
#include <cmath>
#include <map>
#include <memory>
#include <numbers>
#include <tuple>

#include "common/testing.h"
#include "platform/jet.h"
#include "data/marina_db.h"
#include "platform/program.h"
#include "platform/record_file.h"
#include "services/config_file.h"
#include "services/settings.h"

namespace {

// Reads the built demo database through the program's database adapter, in
// the SQL dialect the program writes.
class DemoDatabase : public ::testing::Test {
 protected:
  static void SetUpTestSuite() { db_ = qw::Database::OpenDatabase(qw::testing::DemoDatabasePath(), 0, true, QString()); }
  static void TearDownTestSuite() { db_.reset(); }

  static QVariant Scalar(const QString& sql) {
    const auto rs = db_->OpenRecordset(sql);
    if (rs->Eof()) return {};
    const qw::Field f = rs->Fields(0);
    return f.HasValue() ? f.Value() : QVariant();
  }
  static qlonglong Count(const QString& sql) { return Scalar(sql).toLongLong(); }
  static QStringList Column(const QString& sql) {
    QStringList out;
    for (auto rs = db_->OpenRecordset(sql); !rs->Eof(); rs->MoveNext()) out << rs->Fields(0).Value().toString();
    return out;
  }
  static QString Quote(QString text) { return QLatin1Char('\'') + text.replace(QLatin1Char('\''), QStringLiteral("''")) + QLatin1Char('\''); }

  static inline std::shared_ptr<qw::Database> db_;
};

// The distance classes as the search tests them: each class takes its own
// flag and every nearer one; the farthest also takes a non-blank distance.
QString ClassTest(int cls) {
  static const QStringList flags = {"[On-Site]", "[On-Call]", "NearBy", "[W/in 1 Mile]", "[1-3 Miles]"};
  QStringList sum;
  for (int i = 0; i < std::min(cls, 5); ++i) sum << flags[i];
  QString test = QStringLiteral("(%1) > 0").arg(sum.join(QLatin1Char('+')));
  if (cls == 6) test = QStringLiteral("(%1 OR TRIM(IFNULL([Approx Distance], '')) <> '')").arg(test);
  return test;
}

TEST_F(DemoDatabase, HoldsEveryMarinaOnceInEveryOnePerMarinaTable) {
  for (const char* table : {"rpm_Contact_Information", "rpm_nav_info", "rpm_Vyk", "['97 Editions]", "rpm_marinaname_no",
                            "rpm_marina_facilities", "rpm_marina_operations", "rpm_marina_services",
                            "rpm_Boat_and_Boatyard_Services_EI", "rpm_extras", "mapkeys"}) {
    const QString t = QString::fromLatin1(table).startsWith('[') ? QString::fromLatin1(table) : QStringLiteral("[%1]").arg(table);
    EXPECT_EQ(Count(QStringLiteral("SELECT COUNT(*) FROM %1").arg(t)), 227) << table;
    EXPECT_EQ(Count(QStringLiteral("SELECT COUNT(DISTINCT %1) FROM %2").arg(QStringLiteral("MarinaNo"), t)), 227) << table;
  }
  EXPECT_EQ(Count("SELECT MIN(MarinaNo) FROM rpm_Contact_Information"), 11);
  EXPECT_EQ(Count("SELECT MAX(MarinaNo) FROM rpm_Contact_Information"), 2813);
  EXPECT_EQ(Count("SELECT COUNT(*) FROM rpm_output"), 226);
  EXPECT_EQ(Count("SELECT COUNT(*) FROM rpm_output WHERE marinaNo = 34"), 0);
  EXPECT_EQ(Count("SELECT COUNT(*) FROM rpm_display"), 224);
  EXPECT_EQ(Count("SELECT COUNT(*) FROM rpm_display WHERE marinano IN (1271, 479, 484)"), 0);
  EXPECT_EQ(Count("SELECT COUNT(*) FROM chart_information"), 0);
  EXPECT_EQ(Count("SELECT COUNT(*) FROM rpm_Geo_Code_CD"), 12);
  EXPECT_EQ(Count("SELECT COUNT(*) FROM dumyServices"), 126);
  // A marina's rows agree with each other: every contact row has its rating row.
  EXPECT_EQ(Count("SELECT COUNT(*) FROM rpm_Contact_Information c LEFT JOIN rpm_Vyk v ON v.MarinaNo = c.MarinaNo "
                  "WHERE v.MarinaNo IS NULL"), 0);
}

TEST_F(DemoDatabase, EverySubRegionHasItsMarinasMapKeysAndNorthSouthOrder) {
  const int expected[] = {24, 18, 22, 21, 25, 23, 15, 13, 19, 23, 13, 11};
  for (int code = 5; code <= 16; ++code) {
    const qlonglong n = expected[code - 5];
    EXPECT_EQ(Count(QStringLiteral("SELECT COUNT(*) FROM rpm_Vyk WHERE [Geo Code] = %1 AND [In 7th Edition] = TRUE").arg(code)), n) << code;
    const QString name = Scalar(QStringLiteral("SELECT [Geo Code Name] FROM rpm_Geo_Code_CD WHERE [Geo Code] = %1").arg(code)).toString();
    EXPECT_FALSE(name.isEmpty()) << code;
    // N/S# runs 1..n, and 1 is the northernmost marina.
    EXPECT_EQ(Count(QStringLiteral("SELECT COUNT(DISTINCT [N/S#]) FROM rpm_Vyk WHERE [Geo Code] = %1 AND [N/S#] BETWEEN 1 AND %2").arg(code).arg(n)), n);
    EXPECT_EQ(Count(QStringLiteral("SELECT COUNT(*) FROM rpm_Vyk v JOIN rpm_nav_info n ON n.MarinaNo = v.MarinaNo "
                                   "WHERE v.[Geo Code] = %1 AND v.[N/S#] = 1 AND n.Latitude < (SELECT MAX(Latitude) FROM rpm_Vyk v2 "
                                   "JOIN rpm_nav_info n2 ON n2.MarinaNo = v2.MarinaNo WHERE v2.[Geo Code] = %1 AND TRIM(n2.Latitude) <> '')")
                        .arg(code)), 0) << code;
  }
  // The map keys grid reads a region's rows without ORDER BY: they come in map order.
  const QStringList mapNos = Column("SELECT mapno FROM mapkeys WHERE regionname = 'WESTERN  NARRAGANSETT BAY'");
  ASSERT_EQ(mapNos.size(), 13);
  for (int i = 0; i < mapNos.size(); ++i) EXPECT_EQ(mapNos[i].toInt(), i + 1);
  EXPECT_EQ(Count("SELECT COUNT(*) FROM mapkeys WHERE regionname = 'downeast/acadia'"), 24);  // compared ignoring case
  // Marinas new in this edition drop out of the earlier one.
  EXPECT_EQ(Count("SELECT COUNT(*) FROM ['97 Editions] WHERE [In Disk] = TRUE"), 175);
}

TEST_F(DemoDatabase, EveryAmenityTypeIsFoundInEveryDistanceClass) {
  // Types the search checks in any class (by a remark alone, too) and a type it never searches.
  const QStringList anyClass = {"Rail", "Nearest Airport", "911 Service", "Hospital", "How do guests move around"};
  int checked = 0;
  for (auto rs = db_->OpenRecordset("SELECT TableName, serviceName FROM dumyServices ORDER BY TableName, serviceIndex"); !rs->Eof();
       rs->MoveNext()) {
    const QString table = QStringLiteral("rpm_") + rs->Fields(0).Value().toString();
    const QString type = rs->Fields(1).Value().toString();
    if (anyClass.contains(type)) {
      if (type == QStringLiteral("How do guests move around")) continue;
      EXPECT_GT(Count(QStringLiteral("SELECT COUNT(*) FROM %1 WHERE type = %2 AND (%3 OR TRIM(IFNULL(Comments, '')) <> '')")
                            .arg(table, Quote(type), ClassTest(6))), 0) << qPrintable(type);
      continue;
    }
    for (int cls = 1; cls <= 6; ++cls)
      EXPECT_GT(Count(QStringLiteral("SELECT COUNT(DISTINCT MarinaNo) FROM %1 WHERE type = %2 AND %3")
                          .arg(table, Quote(type), ClassTest(cls))), 0)
          << qPrintable(table) << " " << qPrintable(type) << " class " << cls;
    ++checked;
  }
  EXPECT_GT(checked, 110);
  for (const char* kind : {"Restaurant", "Seafood Shack", "Coffee Shop", "Snack Bar", "Lite Fare", "Fast Food", "Pizzeria",
                           "Raw Bar", "Crab House", "Shack"})
    for (int cls = 1; cls <= 6; ++cls)
      EXPECT_GT(Count(QStringLiteral("SELECT COUNT(*) FROM rpm_Restaurants WHERE [Rest Type] = %1 AND %2").arg(Quote(kind), ClassTest(cls))), 0)
          << kind << " class " << cls;
  for (const char* kind : {"Hotel", "Motel", "Inn/B&B", "Condo/Cottage"})
    for (int cls = 1; cls <= 6; ++cls)
      EXPECT_GT(Count(QStringLiteral("SELECT COUNT(*) FROM rpm_Accommodations WHERE [Accommodation Type] = %1 AND %2").arg(Quote(kind), ClassTest(cls))), 0)
          << kind << " class " << cls;
  // Every stored type has its display row, apart from the one never listed on purpose.
  for (const char* table : {"Boat_Supplies", "Boat_and_Boatyard_Services", "Recreation", "Entertainment", "General_Services",
                            "Provisioning", "Transportation", "Medical"})
    EXPECT_EQ(Count(QStringLiteral("SELECT COUNT(*) FROM rpm_%1 t WHERE type <> 'group fishing boat' AND NOT EXISTS "
                                   "(SELECT 1 FROM dumyServices d WHERE d.TableName = '%1' AND d.serviceName = t.type)").arg(table)), 0)
        << table;
}

TEST_F(DemoDatabase, QuotingAndBlankEdgeRowsArePresent) {
  // Apostrophes reach names, the map keys, a city and a harbour.
  EXPECT_GE(Count("SELECT COUNT(*) FROM rpm_marinaname_no WHERE [Marina Name] LIKE '*''*'"), 3);
  EXPECT_EQ(Scalar("SELECT [Marina Name] FROM rpm_marinaname_no WHERE MarinaNo = 833").toString(), QStringLiteral("Captain Ned's Landing"));
  EXPECT_EQ(Scalar("SELECT marinaname FROM mapkeys WHERE marinano = 2558").toString(), QStringLiteral("O'Brien Boat Works"));
  EXPECT_EQ(Count("SELECT COUNT(*) FROM rpm_Contact_Information WHERE City = 'Orr''s Island' AND MarinaNo = 2690"), 1);
  EXPECT_EQ(Count("SELECT COUNT(*) FROM rpm_nav_info WHERE Harbor = 'Carver''s Harbor' AND MarinaNo = 2651"), 1);
  EXPECT_GT(Count("SELECT COUNT(*) FROM rpm_Boat_Supplies WHERE type = 'Ships'' Store'"), 0);
  EXPECT_GT(Count("SELECT COUNT(*) FROM rpm_Provisioning WHERE type = 'Farmers'' Market'"), 0);
  // The same name in two sub-regions.
  EXPECT_EQ(Count("SELECT COUNT(DISTINCT v.[Geo Code]) FROM rpm_marinaname_no n JOIN rpm_Vyk v ON v.MarinaNo = n.MarinaNo "
                  "WHERE n.[Marina Name] = 'Harbor Light Marina'"), 2);
  // A long name without a short name; a blank short name; a trailing blank kept.
  EXPECT_GT(Scalar("SELECT LENGTH([Marina Name]) FROM rpm_marinaname_no WHERE MarinaNo = 581").toInt(), 30);
  EXPECT_TRUE(Scalar("SELECT [Marina 30 char Name] FROM rpm_marinaname_no WHERE MarinaNo = 581").isNull());
  EXPECT_EQ(Scalar("SELECT marinaname FROM mapkeys WHERE marinano = 2616").toString(), QStringLiteral("Saltmarsh Creek Marina"));
  EXPECT_EQ(Scalar("SELECT [Marina 30 char Name] FROM rpm_marinaname_no WHERE MarinaNo = 2660").toString(), QStringLiteral("Quarry Point Marina "));
  EXPECT_EQ(Count("SELECT COUNT(*) FROM rpm_marinaname_no WHERE LENGTH([Marina 30 char Name]) > 30"), 0);
  // A blank-only distance is in no class, not even the farthest.
  EXPECT_EQ(Count(QStringLiteral("SELECT COUNT(*) FROM rpm_Recreation WHERE MarinaNo = 507 AND type = 'Golf Course' AND %1").arg(ClassTest(6))), 0);
  EXPECT_EQ(Count("SELECT COUNT(*) FROM rpm_Recreation WHERE MarinaNo = 507 AND type = 'Golf Course'"), 1);
  // The empty marina has no amenity, eatery or lodging rows at all.
  for (const char* table : {"rpm_Boat_Supplies", "rpm_Recreation", "rpm_Medical", "rpm_Restaurants", "rpm_Accommodations"})
    EXPECT_EQ(Count(QStringLiteral("SELECT COUNT(*) FROM %1 WHERE MarinaNo = 484").arg(table)), 0) << table;
  // The 911 check finds a marina by its remark alone.
  EXPECT_EQ(Count(QStringLiteral("SELECT COUNT(*) FROM rpm_Medical WHERE MarinaNo = 2528 AND type = '911 Service' AND "
                                 "NOT %1 AND TRIM(Comments) <> ''").arg(ClassTest(6))), 1);
}

TEST_F(DemoDatabase, ValuesHaveTheFormatsTheProgramReadsByPosition) {
  const QRegularExpression lat(QStringLiteral("^[0-9]{4}\\.[0-9]{3}$"));
  const QRegularExpression lon(QStringLiteral("^-[0-9]{5}\\.[0-9]{3}$"));
  for (const QString& v : Column("SELECT Latitude FROM rpm_nav_info WHERE MarinaNo <> 2541")) EXPECT_TRUE(lat.match(v).hasMatch()) << qPrintable(v);
  for (const QString& v : Column("SELECT Longitude FROM rpm_nav_info")) EXPECT_TRUE(lon.match(v).hasMatch()) << qPrintable(v);
  EXPECT_EQ(Scalar("SELECT Latitude FROM rpm_nav_info WHERE MarinaNo = 2541").toString(), QStringLiteral(" "));
  // Ratings in range; a boatyard flag exactly when there is a boatyard rating.
  EXPECT_EQ(Count("SELECT COUNT(*) FROM rpm_Vyk WHERE [Bell Rating] NOT BETWEEN 1 AND 5 OR [Bell Rating] IS NULL"), 0);
  EXPECT_EQ(Count("SELECT COUNT(*) FROM rpm_Vyk WHERE [Boatyard Rating] NOT BETWEEN 0 AND 2"), 0);
  for (int rating = 1; rating <= 5; ++rating)
    EXPECT_GT(Count(QStringLiteral("SELECT COUNT(*) FROM rpm_Vyk WHERE [Bell Rating] = %1").arg(rating)), 0) << rating;
  EXPECT_GT(Count("SELECT COUNT(*) FROM rpm_Vyk WHERE Sunset = TRUE"), 0);
  EXPECT_EQ(Count("SELECT COUNT(*) FROM rpm_Vyk v JOIN rpm_Boat_and_Boatyard_Services_EI y ON y.MarinaNo = v.MarinaNo "
                  "WHERE (v.[Boatyard Rating] > 0) <> (y.[Marina has Boatyard on site?] = 1)"), 0);
  // Phone numbers are fictional; domains are reserved ones.
  EXPECT_EQ(Count("SELECT COUNT(*) FROM rpm_Contact_Information WHERE Phone IS NOT NULL AND Phone NOT LIKE '*555-01*' "
                  "AND Phone NOT LIKE '*55501*'"), 0);
  EXPECT_EQ(Count("SELECT COUNT(*) FROM rpm_Contact_Information WHERE Website IS NOT NULL AND RTRIM(Website, '.') NOT LIKE '*.example.com'"), 0);
  // Numbers read back as the program shows them: whole feet without a decimal part.
  EXPECT_EQ(Scalar("SELECT typeof([Total # Slips]) FROM rpm_marina_facilities WHERE MarinaNo = 11").toString(), QStringLiteral("integer"));
  EXPECT_EQ(Scalar("SELECT [USCG Statute Mile] FROM rpm_nav_info WHERE MarinaNo = 487").toDouble(), 12.5);
}

TEST(DemoProgramFolder, HoldsTheIniFileAndThePictures) {
  const QString folder = qw::testing::BuiltProgramFolder();
  const QByteArray text = qw::testing::ReadFile(folder + QStringLiteral("/VykMarina.ini"));
  EXPECT_TRUE(text.startsWith("Edition,\"New England\"\r\n"));
  EXPECT_TRUE(text.contains("List,In 7th Edition\r\n"));
  EXPECT_TRUE(text.contains("GeoCode,5-16\r\n"));
  // Folders relative to the program folder, so that it can be moved or copied.
  EXPECT_TRUE(text.contains("DatabasePath,\"Database\"\r\n"));
  EXPECT_TRUE(text.contains("PhotosRootFolder,\"Photos\"\r\n"));
  EXPECT_FALSE(text.contains("\n\n"));
  // Read as the program reads it: key and value fields, in order.
  qw::RecordReader reader(text);
  QStringList fields;
  for (QString f; reader.ReadField(f);) fields << f;
  EXPECT_FALSE(reader.Stopped());
  ASSERT_EQ(fields.size(), 10);
  for (const auto& [i, field] : {std::pair{0, "Edition"}, {1, "New England"}, {3, "Photos"}, {4, "DatabasePath"},
                                 {7, "In 7th Edition"}, {9, "5-16"}})
    EXPECT_EQ(fields[i], QLatin1String(field)) << i;
  EXPECT_TRUE(QFileInfo::exists(folder + QLatin1Char('/') + fields[5] + QStringLiteral("/marina.mdb")));

  for (const QString& prefix : {QStringLiteral("c"), QStringLiteral("b")}) {
    for (int n = 1; n <= 5; ++n) EXPECT_FALSE(QImage(folder + QStringLiteral("/%1bell%2.jpg").arg(prefix).arg(n)).isNull()) << n;
    for (int n = 1; n <= 2; ++n) EXPECT_FALSE(QImage(folder + QStringLiteral("/%1boat%2.jpg").arg(prefix).arg(n)).isNull()) << n;
    EXPECT_FALSE(QImage(folder + QStringLiteral("/%1sunset.jpg").arg(prefix)).isNull());
  }
  // More bells make a wider picture of the same height.
  const QImage one(folder + QStringLiteral("/cbell1.jpg")), five(folder + QStringLiteral("/cbell5.jpg"));
  EXPECT_EQ(one.height(), five.height());
  EXPECT_GT(five.width(), 4 * one.width());
  for (int n = 1; n <= 13; ++n) {
    const QImage icon(folder + QStringLiteral("/pictures/toolbar/%1.png").arg(n, 2, 10, QLatin1Char('0')));
    ASSERT_FALSE(icon.isNull()) << n;
    EXPECT_EQ(icon.size(), QSize(32, 32)) << n;
    EXPECT_TRUE(icon.hasAlphaChannel()) << n;
    EXPECT_EQ(qAlpha(icon.pixel(0, 0)), 0) << n;  // transparent ground
  }
  const int gridWidths[] = {19, 33, 50, 67, 84, 17, 33, 17};
  for (int n = 1; n <= 8; ++n)
    EXPECT_EQ(QImage(folder + QStringLiteral("/pictures/list/%1.png").arg(n, 2, 10, QLatin1Char('0'))).size(), QSize(gridWidths[n - 1], 17)) << n;
  EXPECT_EQ(QImage(folder + QStringLiteral("/pictures/logo.png")).size(), QSize(248, 298));
  EXPECT_EQ(QImage(folder + QStringLiteral("/pictures/pointer.png")).size(), QSize(32, 32));
}

TEST_F(DemoDatabase, AmenityRowsKeepTheRulesTheSearchAndReportRelyOn) {
  for (const char* table : {"rpm_Boat_Supplies", "rpm_Boat_and_Boatyard_Services", "rpm_Recreation", "rpm_Entertainment",
                            "rpm_General_Services", "rpm_Provisioning", "rpm_Transportation", "rpm_Medical"}) {
    // At most one row per marina and type, so sums over a type count marinas.
    EXPECT_EQ(Count(QStringLiteral("SELECT COUNT(*) FROM (SELECT MarinaNo, type FROM %1 GROUP BY MarinaNo, type HAVING COUNT(*) > 1)").arg(table)), 0) << table;
  }
  for (const char* table : {"rpm_Boat_Supplies", "rpm_Recreation", "rpm_Medical", "rpm_Restaurants", "rpm_Accommodations"}) {
    // One flag at most, and a distance only without a flag.
    EXPECT_EQ(Count(QStringLiteral("SELECT COUNT(*) FROM %1 WHERE [On-Site] + [On-Call] + NearBy + [W/in 1 Mile] + [1-3 Miles] > 1").arg(table)), 0) << table;
    EXPECT_EQ(Count(QStringLiteral("SELECT COUNT(*) FROM %1 WHERE [On-Site] + [On-Call] + NearBy + [W/in 1 Mile] + [1-3 Miles] = 1 "
                                   "AND [Approx Distance] IS NOT NULL").arg(table)), 0) << table;
  }
  // A yard's travel lift is on site; a marina without a yard never has one on site.
  EXPECT_EQ(Count("SELECT COUNT(*) FROM rpm_Boat_and_Boatyard_Services s JOIN rpm_Vyk v ON v.MarinaNo = s.MarinaNo "
                  "WHERE s.type = 'Travelift' AND (v.[Boatyard Rating] > 0) <> (s.[On-Site] = 1)"), 0);
  // The nearest yard named by a marina without one is a yard (of any sub-region).
  EXPECT_GT(Count("SELECT COUNT(*) FROM rpm_Boat_and_Boatyard_Services_EI WHERE [Name of Nearest Boatyard] IS NOT NULL"), 50);
  EXPECT_EQ(Count("SELECT COUNT(*) FROM rpm_Boat_and_Boatyard_Services_EI e "
                  "WHERE e.[Name of Nearest Boatyard] IS NOT NULL AND NOT EXISTS (SELECT 1 FROM rpm_marinaname_no n "
                  "JOIN rpm_Vyk y ON y.MarinaNo = n.MarinaNo WHERE n.[Marina Name] = e.[Name of Nearest Boatyard] "
                  "AND y.[Boatyard Rating] > 0)"), 0);
  // The two West Marine forms never meet at one marina.
  EXPECT_EQ(Count("SELECT COUNT(*) FROM rpm_Boat_Supplies a JOIN rpm_Boat_Supplies b ON a.MarinaNo = b.MarinaNo "
                  "WHERE a.type = 'West Marine' AND b.type = 'West Marine or E&B Marine Store'"), 0);
  // Every marina but the empty one has somewhere to eat.
  EXPECT_EQ(Count("SELECT COUNT(*) FROM rpm_Contact_Information c WHERE MarinaNo <> 484 AND NOT EXISTS "
                  "(SELECT 1 FROM rpm_Restaurants r WHERE r.MarinaNo = c.MarinaNo)"), 0);
}

TEST_F(DemoDatabase, MapKeysAndSplitPositionsMatchTheirMarinas) {
  // The key shows the list's name: the short name unless it is blank.
  EXPECT_EQ(Count("SELECT COUNT(*) FROM mapkeys k JOIN rpm_marinaname_no n ON n.MarinaNo = k.marinano JOIN rpm_nav_info h "
                  "ON h.MarinaNo = k.marinano WHERE k.harbor <> h.Harbor OR k.marinaname <> CASE WHEN "
                  "TRIM(IFNULL(n.[Marina 30 char Name], '')) = '' THEN n.[Marina Name] ELSE n.[Marina 30 char Name] END"), 0);
  EXPECT_EQ(Count("SELECT COUNT(*) FROM mapkeys k JOIN rpm_Vyk v ON v.MarinaNo = k.marinano JOIN rpm_Geo_Code_CD g "
                  "ON g.[Geo Code] = v.[Geo Code] WHERE g.[Geo Code] = 15 AND k.regionname <> 'WESTERN  NARRAGANSETT BAY'"), 0);
  EXPECT_EQ(Count("SELECT BottomSectionPos FROM rpm_output WHERE marinaNo = 1686"), 300);
  EXPECT_EQ(Count("SELECT COUNT(*) FROM rpm_output WHERE marinaNo IN (1686, 2648) AND MiddleSectionPos > 200"), 2);
  EXPECT_GT(Count("SELECT COUNT(*) FROM rpm_output WHERE MiddleSectionPos > 1200"), 5);
  EXPECT_TRUE(Scalar("SELECT Comments FROM rpm_output WHERE marinaNo = 2608").toString().contains(QStringLiteral("\r\n")));
}

// The fixed rows other parts of the program test against: (query, value),
// where a null QVariant stands for NULL.
TEST_F(DemoDatabase, FixedEdgeRowsHoldTheirValues) {
  const QVariant null;
  const std::vector<std::pair<const char*, QVariant>> cases = {
      {"SELECT City FROM rpm_Contact_Information WHERE MarinaNo = 839", "Bar Harbor "},
      {"SELECT City FROM rpm_Contact_Information WHERE MarinaNo = 2465", null},
      {"SELECT [PO  Box] FROM rpm_Contact_Information WHERE MarinaNo = 2465", null},
      {"SELECT Zip FROM rpm_Contact_Information WHERE MarinaNo = 2562", "04544-1234"},
      {"SELECT Phone FROM rpm_Contact_Information WHERE MarinaNo = 2694", null},
      {"SELECT [Toll Free Phone] FROM rpm_Contact_Information WHERE MarinaNo = 2694", "(800) 555-0147"},
      {"SELECT Phone FROM rpm_Contact_Information WHERE MarinaNo = 856", "555-0134"},
      {"SELECT [Miles to Town] FROM rpm_Contact_Information WHERE MarinaNo = 2680", "1/2"},
      {"SELECT [Miles to Town] FROM rpm_Contact_Information WHERE MarinaNo = 2689", " "},
      {"SELECT [Nearest Town] FROM rpm_Contact_Information WHERE MarinaNo = 2812", null},
      {"SELECT [VHF Monitor] FROM rpm_Contact_Information WHERE MarinaNo = 2626", "  "},
      {"SELECT substr(Website, -13) FROM rpm_Contact_Information WHERE MarinaNo = 641", ".example.com."},
      {"SELECT Website FROM rpm_Contact_Information WHERE MarinaNo = 2690", null},
      {"SELECT [USCG Statute Mile] FROM rpm_nav_info WHERE MarinaNo = 2641", 0},
      {"SELECT [Deepest Slip] FROM rpm_nav_info WHERE MarinaNo = 2571", 12},
      {"SELECT [Deepest Mooring] FROM rpm_nav_info WHERE MarinaNo = 2498", null},
      {"SELECT Sunset FROM rpm_Vyk WHERE MarinaNo = 2575", null},
      {"SELECT [Fuel?] * 10 + [Gasoline?] * 100 + [Diesel?] FROM rpm_marina_facilities WHERE MarinaNo = 2574", 110},
      {"SELECT Brand FROM rpm_marina_facilities WHERE MarinaNo = 2576", null},
      {"SELECT [Off Season Slips--Nightly Rate] FROM rpm_marina_facilities WHERE MarinaNo = 2497", 1.5},
      {"SELECT [30 Amp $] FROM rpm_marina_facilities WHERE MarinaNo = 2573", null},
      {"SELECT [50 Amp $] FROM rpm_marina_facilities WHERE MarinaNo = 2573", "$8"},
      {"SELECT [Cable TV Rate $] FROM rpm_marina_facilities WHERE MarinaNo = 2570", "5"},
      {"SELECT [Laundry?] * 10 + [On Site Book Exchange?] FROM rpm_marina_facilities WHERE MarinaNo = 2530", 1},
      {"SELECT Pumpout_Comments FROM rpm_marina_operations WHERE MarinaNo = 489 AND [On Site] = 1 AND [On Call] = 1",
       "Free"},
      {"SELECT [Dockage Discount] FROM rpm_marina_operations WHERE MarinaNo = 172", null},
      {"SELECT Other FROM rpm_marina_operations WHERE MarinaNo = 574", "Debit cards"},
      {"SELECT [Fax Charge] FROM rpm_marina_services WHERE MarinaNo = 490 AND Security = 1", "0"},
      {"SELECT [Yard Rate] FROM rpm_Boat_and_Boatyard_Services_EI WHERE MarinaNo = 200 AND [On Land] IS NOT NULL",
       null},
      {"SELECT Blocking FROM rpm_Boat_and_Boatyard_Services_EI WHERE MarinaNo = 2533", "INCLUDED"},
      {"SELECT COUNT(*) FROM rpm_Boat_and_Boatyard_Services WHERE MarinaNo = 216 AND type = 'Travelift'", 0},
      {"SELECT COUNT(*) FROM rpm_Boat_and_Boatyard_Services WHERE MarinaNo = 510 AND type LIKE 'Engine Mechanic*'", 1},
      {"SELECT COUNT(*) FROM rpm_Medical WHERE MarinaNo = 2637 AND type = '911 Service'", 0},
      {"SELECT COUNT(*) FROM rpm_Transportation WHERE MarinaNo = 485 AND type = 'Nearest Airport' AND [Approx "
       "Distance] = 'x' "
       "AND Comments LIKE 'Airport at *'",
       1},
      {"SELECT COUNT(*) FROM rpm_Recreation WHERE MarinaNo = 1273 AND type IN ('Head(Group) Fishing Boats', 'group "
       "fishing boat')",
       2},
      {"SELECT COUNT(*) FROM rpm_Restaurants WHERE MarinaNo = 2653 AND [Rest Type] = 'Restaurant' AND [W/in 1 Mile] = "
       "1",
       3},
      {"SELECT COUNT(*) FROM rpm_Accommodations WHERE MarinaNo = 480 AND [Accommodation Type] = 'Motel' AND Name IS "
       "NULL",
       1},
      {"SELECT [Telephone #] FROM rpm_Restaurants WHERE MarinaNo = 2639 AND Name = 'Foghorn Cafe'", "(   )   -"},
      {"SELECT pool FROM rpm_display WHERE marinano = 2637", null},
      {"SELECT pool + hospital + [911Service] FROM rpm_display WHERE marinano IN (478, 473, 474) GROUP BY 1", 1},
      {"SELECT restaurant + motel FROM rpm_display WHERE marinano = 2640", 2},
      {"SELECT Environs FROM rpm_extras WHERE MarinaNo = 2813", null},
      {"SELECT Notable FROM rpm_extras WHERE MarinaNo = 2813", "   "},
      {"SELECT Environs FROM rpm_extras WHERE MarinaNo = 484", ""},
  };
  for (const auto& [sql, expected] : cases) {
    const auto rs = db_->OpenRecordset(QString::fromUtf8(sql));
    ASSERT_FALSE(rs->Eof()) << sql;
    const qw::Field f = rs->Fields(0);
    if (expected.isNull())
      EXPECT_TRUE(f.IsNull()) << sql << " gave " << qPrintable(f.Value().toString());
    else
      EXPECT_EQ(f.Value().toString(), expected.toString()) << sql;
  }
}

// The texts a reader sees read as a printed guide's: no word twice in a row
// ("Landing Landing"), no double blank inside a text, and every town and
// region named in its own case. The blanks the edge rows keep on purpose
// (masks, padded names) sit at the ends of their values or alone.
TEST_F(DemoDatabase, TextsHaveNoDoubledWordsBlanksOrLowercaseNames) {
  // Towns and regions, each found in any case; a word the name capitalises
  // must be capitalised in the text. A region's leading "THE" is no part of
  // its name, and a one-word region ("ISLANDS") is an ordinary word too.
  const QRegularExpression separator(QStringLiteral("[\\s/]+"));
  QStringList names = Column("SELECT DISTINCT City FROM rpm_Contact_Information WHERE City IS NOT NULL UNION "
                             "SELECT DISTINCT [Nearest Town] FROM rpm_Contact_Information WHERE [Nearest Town] IS NOT NULL");
  for (QString region : Column("SELECT DISTINCT regionname FROM mapkeys")) {
    region = region.simplified().remove(QRegularExpression(QStringLiteral("^THE ")));
    if (region.split(separator).size() > 1) names << region;
  }
  std::vector<std::pair<QStringList, QRegularExpression>> patterns;
  for (const QString& n : names) {
    const QStringList words = n.trimmed().split(separator, Qt::SkipEmptyParts);
    if (words.isEmpty()) continue;
    QStringList escaped;
    for (const QString& w : words) escaped << QRegularExpression::escape(w);
    patterns.emplace_back(words, QRegularExpression(QStringLiteral("\\b") + escaped.join(QStringLiteral("[\\s/]+")) + QStringLiteral("\\b"),
                                                    QRegularExpression::CaseInsensitiveOption));
  }
  const QRegularExpression doubled(QStringLiteral("\\b(\\w+)\\s+\\1\\b"), QRegularExpression::CaseInsensitiveOption);
  const QRegularExpression tag(QStringLiteral("<[^>]*>"));
  const QRegularExpression blanks(QStringLiteral("\\S {2,}\\S"));
  const char* const columns[] = {
      "SELECT Environs FROM rpm_extras", "SELECT [Marina Notes] FROM rpm_extras", "SELECT Notable FROM rpm_extras",
      "SELECT [Marina Name] FROM rpm_marinaname_no", "SELECT [Marina 30 char Name] FROM rpm_marinaname_no",
      "SELECT Harbor FROM rpm_nav_info", "SELECT [Navigational Directions from ICW] FROM rpm_nav_info",
      "SELECT Name FROM rpm_Restaurants", "SELECT Comments FROM rpm_Restaurants", "SELECT Name FROM rpm_Accommodations",
      "SELECT Comments FROM rpm_Transportation", "SELECT Comments FROM rpm_Medical", "SELECT Comments FROM rpm_Recreation"};
  QStringList faults;
  for (const char* sql : columns) {
    for (const QString& text : Column(QString::fromUtf8(sql))) {
      const QString plain = QString(text).replace(tag, QStringLiteral(" "));
      if (doubled.match(plain).hasMatch() || blanks.match(text).hasMatch()) faults << text;
      for (const auto& [words, pattern] : patterns)
        for (auto it = pattern.globalMatch(plain); it.hasNext();) {
          const QStringList found = it.next().captured(0).split(separator);
          for (int i = 0; i < words.size(); ++i)
            if (words[i][0].isUpper() && found[i][0].isLower()) faults << text;
        }
    }
  }
  faults.removeDuplicates();
  EXPECT_TRUE(faults.isEmpty()) << faults.size() << ": " << faults.mid(0, 10).join(QStringLiteral(" | ")).toStdString();
}

// A sentence about the marina's own facilities or its town's ferries stands
// only where the marina's rows bear it out.
TEST_F(DemoDatabase, TextsAgreeWithTheMarinasRows) {
  const std::pair<const char*, const char*> cases[] = {
      {"Notable LIKE '*Ferries for*'",
       "EXISTS (SELECT 1 FROM rpm_Transportation t WHERE t.MarinaNo = e.MarinaNo AND t.type = 'Ferry Service')"},
      {"Notable LIKE '*farmers'' market*'",
       "EXISTS (SELECT 1 FROM rpm_Provisioning p WHERE p.MarinaNo = e.MarinaNo AND p.type = 'Farmers'' Market' "
       "AND p.[On-Site] + p.[On-Call] + p.NearBy + p.[W/in 1 Mile] + p.[1-3 Miles] = 1)"},
      {"Notable LIKE '*rentals are near the docks*'",
       "EXISTS (SELECT 1 FROM rpm_Transportation t WHERE t.MarinaNo = e.MarinaNo AND t.type = 'Bikes' "
       "AND t.[On-Site] + t.[On-Call] + t.NearBy + t.[W/in 1 Mile] = 1)"},
      {"[Marina Notes] LIKE '*fuel dock*'",
       "EXISTS (SELECT 1 FROM rpm_marina_facilities f WHERE f.MarinaNo = e.MarinaNo AND f.[Fuel?] = 1)"},
      {"[Marina Notes] LIKE '*bathhouse*'",
       "EXISTS (SELECT 1 FROM rpm_marina_facilities f WHERE f.MarinaNo = e.MarinaNo AND f.[Showers?] = 1)"},
      {"[Marina Notes] LIKE '*yard crew*'",
       "EXISTS (SELECT 1 FROM rpm_Vyk v WHERE v.MarinaNo = e.MarinaNo AND v.[Boatyard Rating] > 0)"},
      {"[Marina Notes] LIKE '*ship''s store*'",
       "EXISTS (SELECT 1 FROM rpm_Boat_Supplies b WHERE b.MarinaNo = e.MarinaNo AND b.type = 'Ships'' Store' AND "
       "b.[On-Site] = 1)"},
      {"[Marina Notes] LIKE '*moorings*'",
       "EXISTS (SELECT 1 FROM rpm_marina_facilities f WHERE f.MarinaNo = e.MarinaNo AND f.[Total # of Moorings] > 0)"},
      {"Environs LIKE '*harbors on this stretch*'",
       "EXISTS (SELECT 1 FROM rpm_nav_info n WHERE n.MarinaNo = e.MarinaNo AND (n.Harbor LIKE '*Harbor' OR n.Harbor "
       "LIKE '*Cove' "
       "OR n.Harbor LIKE '*Pond' OR n.Harbor LIKE '*Basin' OR n.Harbor LIKE '*Pool' OR n.Harbor LIKE '*Haven'))"}};
  for (const auto& [text, fact] : cases) {
    EXPECT_GT(Count(QStringLiteral("SELECT COUNT(*) FROM rpm_extras e WHERE %1").arg(QString::fromUtf8(text))), 0) << text;
    const qlonglong unfounded =
        Count(QStringLiteral("SELECT COUNT(*) FROM rpm_extras e WHERE %1 AND NOT %2").arg(QString::fromUtf8(text), QString::fromUtf8(fact)));
    EXPECT_EQ(unfounded, 0) << text;
  }
}

// Values a reader sets side by side agree: for each (what, the rows that say
// it, the condition those rows need), some rows say it and none lacks the
// condition.
TEST_F(DemoDatabase, ValuesAgreeWithTheRowsTheySpeakOf) {
  const QString pumpOut = QStringLiteral(
      "([On Site] = 1 OR [On Call] = 1 OR [Full Service] = 1 OR [Self Service] = 1 OR IFNULL([# Central Stations], 0) > 0 "
      "OR IFNULL([# of Portable Units], 0) > 0 OR IFNULL([# In Slip Dedication Units], 0) > 0)");
  const QString walkingEatery = QStringLiteral(
      "EXISTS (SELECT 1 FROM rpm_Restaurants r WHERE r.MarinaNo = o.marinaNo AND ([On-Site] = 1 OR NearBy = 1 OR [W/in 1 Mile] = 1))");
  struct Case {
    QString what, rows, condition;
    bool some = true;  // some rows say it (per table, only across the tables)
  };
  std::vector<Case> cases = {
      {"a pump-out fee", "SELECT COUNT(*) FROM rpm_marina_operations WHERE Fee > 0", pumpOut},
      {"a pump-out remark", "SELECT COUNT(*) FROM rpm_marina_operations WHERE TRIM(IFNULL(Pumpout_Comments, '')) <> ''",
       "([On Site] = 1 OR [On Call] = 1)"},
      {"a free pump-out", "SELECT COUNT(*) FROM rpm_marina_operations WHERE Pumpout_Comments = 'Free'", "IFNULL(Fee, 0) = 0"},
      {"a fuel brand", "SELECT COUNT(*) FROM rpm_marina_facilities WHERE TRIM(IFNULL(Brand, '')) <> ''",
       "[Fuel?] = 1 AND ([Gasoline?] = 1 OR [Diesel?] = 1)"},
      {"a note on the fuel dock", "SELECT COUNT(*) FROM rpm_output o WHERE Comments LIKE '*fuel dock*'",
       "EXISTS (SELECT 1 FROM rpm_marina_facilities f WHERE f.MarinaNo = o.marinaNo AND f.[Fuel?] = 1)"},
      {"a note on the slips and floats", "SELECT COUNT(*) FROM rpm_output o WHERE (Comments LIKE '*slip*' OR Comments LIKE '*float*')",
       "EXISTS (SELECT 1 FROM rpm_marina_facilities f WHERE f.MarinaNo = o.marinaNo AND f.[Total # Slips] > 0)"},
      {"a note on the chowder up the hill", "SELECT COUNT(*) FROM rpm_output o WHERE Comments LIKE '*chowder*'", walkingEatery},
  };
  // Where a remark puts an amenity, eatery or lodging: a walk is under a mile, the wharf on site or next door.
  qlonglong walks = 0, wharves = 0;
  for (const char* table : {"rpm_Boat_Supplies", "rpm_Boat_and_Boatyard_Services", "rpm_Recreation", "rpm_Entertainment",
                            "rpm_General_Services", "rpm_Provisioning", "rpm_Transportation", "rpm_Medical", "rpm_Restaurants",
                            "rpm_Accommodations"}) {
    const QString walk = QStringLiteral("SELECT COUNT(*) FROM %1 WHERE (Comments LIKE '*walk*' OR Comments LIKE '*on foot*')").arg(table);
    const QString wharf = QStringLiteral("SELECT COUNT(*) FROM %1 WHERE Comments LIKE '*wharf*'").arg(table);
    walks += Count(walk);
    wharves += Count(wharf);
    cases.push_back({QStringLiteral("a walk in %1").arg(table), walk, QStringLiteral("[W/in 1 Mile] = 1"), false});
    cases.push_back({QStringLiteral("the wharf in %1").arg(table), wharf, QStringLiteral("([On-Site] = 1 OR NearBy = 1)"), false});
  }
  EXPECT_GT(walks, 0);
  EXPECT_GT(wharves, 0);
  // An eatery's or a lodging's name says what kind it is (a nameless one says nothing).
  const std::tuple<const char*, const char*, QStringList> named[] = {
      {"Rest Type", "Restaurant", {"Grill", "Chowder House", "Tavern", "Galley", "Dining Room", "Restaurant"}},
      {"Rest Type", "Seafood Shack", {"Clam Shack", "Lobster Shack", "Fish Shack"}},
      {"Rest Type", "Coffee Shop", {"Cafe", "Coffee House"}},
      {"Rest Type", "Snack Bar", {"Snack Bar", "Dairy Bar", "Take-Out"}},
      {"Rest Type", "Lite Fare", {"Sandwich Shop", "Deli", "Cafe"}},
      {"Rest Type", "Fast Food", {"Burger Stand", "Fish & Chips", "Drive-In"}},
      {"Rest Type", "Pizzeria", {"Pizza", "Pizzeria"}},
      {"Rest Type", "Raw Bar", {"Raw Bar", "Oyster Bar", "Clam Bar"}},
      {"Rest Type", "Crab House", {"Crab House", "Crab Shack"}},
      {"Rest Type", "Shack", {"Lobster Shack", "Clam Shack"}},
      {"Accommodation Type", "Inn/B&B", {"Inn", "House"}},
      {"Accommodation Type", "Hotel", {"Hotel", "House", "Inn"}},
      {"Accommodation Type", "Motel", {"Motel", "Motor Lodge"}},
      {"Accommodation Type", "Condo/Cottage", {"Cottages"}}};
  for (const auto& [column, kind, nouns] : named) {
    QStringList fits = {QStringLiteral("Name IS NULL")};
    for (const QString& n : nouns) fits << QStringLiteral("Name LIKE '*%1'").arg(n);
    const char* table = QLatin1String(column) == QLatin1String("Rest Type") ? "rpm_Restaurants" : "rpm_Accommodations";
    cases.push_back({QStringLiteral("a place of kind %1").arg(kind),
                     QStringLiteral("SELECT COUNT(*) FROM %1 WHERE [%2] = '%3'").arg(table, column, kind),
                     QStringLiteral("(%1)").arg(fits.join(QStringLiteral(" OR ")))});
  }
  for (const Case& c : cases) {
    if (c.some) {
      EXPECT_GT(Count(c.rows), 0) << qPrintable(c.what);
    }
    EXPECT_EQ(Count(c.rows + QStringLiteral(" AND NOT ") + c.condition), 0) << qPrintable(c.what);
  }
}

// The nearest yard a marina names is the nearest of all the region's yards by
// water, whatever their sub-region (tools/maps/sea-miles.csv, worked out on the
// whole coast); every pair of marinas has its distance there, never shorter
// than the straight line between their printed positions.
TEST_F(DemoDatabase, NearestYardIsTheNearestByWater) {
  QFile f(QStringLiteral(QUAYWISE_SOURCE_DIR "/tools/maps/sea-miles.csv"));
  ASSERT_TRUE(f.open(QIODevice::ReadOnly));
  std::map<std::pair<int, int>, double> miles;
  for (const QString& line : QString::fromUtf8(f.readAll()).split(QLatin1Char('\n'), Qt::SkipEmptyParts)) {
    const QStringList c = line.split(QLatin1Char(','));
    if (line.startsWith(QLatin1Char('#')) || c.size() < 3 || c[0] == QLatin1String("from") || c[2].trimmed().isEmpty()) continue;
    miles[{c[0].toInt(), c[1].toInt()}] = c[2].toDouble();
  }
  EXPECT_EQ(miles.size(), 227u * 226u / 2);
  const auto between = [&](int a, int b) {
    const auto it = miles.find({std::min(a, b), std::max(a, b)});
    return a == b ? 0.0 : it == miles.end() ? 1e9 : it->second;
  };
  // Printed DDMM.mmm positions in radians; nautical miles on the sphere (one minute of arc each).
  const auto radians = [](const QString& ddmm) {
    const double v = std::fabs(ddmm.toDouble()), deg = std::floor(v / 100);
    return (deg + (v - deg * 100) / 60) * std::numbers::pi / 180;
  };
  std::map<int, std::pair<double, double>> at;
  for (auto rs = db_->OpenRecordset("SELECT MarinaNo, Latitude, Longitude FROM rpm_nav_info WHERE TRIM(Latitude) <> ''"); !rs->Eof();
       rs->MoveNext())
    at[rs->Fields(0).Value().toInt()] = {radians(rs->Fields(1).Value().toString()), radians(rs->Fields(2).Value().toString())};
  QStringList shorter;
  for (const auto& [pair, nm] : miles) {
    if (!at.count(pair.first) || !at.count(pair.second)) continue;
    const auto [lat1, lon1] = at[pair.first];
    const auto [lat2, lon2] = at[pair.second];
    const double h = std::pow(std::sin((lat2 - lat1) / 2), 2) + std::cos(lat1) * std::cos(lat2) * std::pow(std::sin((lon2 - lon1) / 2), 2);
    const double straight = 2 * std::asin(std::sqrt(h)) * 180 / std::numbers::pi * 60;
    if (nm + 0.05 < straight) shorter << QStringLiteral("%1-%2").arg(pair.first).arg(pair.second);
  }
  EXPECT_TRUE(shorter.isEmpty()) << shorter.join(QLatin1Char(' ')).toStdString();
  std::vector<int> yards;
  for (auto rs = db_->OpenRecordset("SELECT MarinaNo FROM rpm_Vyk WHERE [Boatyard Rating] > 0"); !rs->Eof(); rs->MoveNext())
    yards.push_back(rs->Fields(0).Value().toInt());
  int named = 0;
  for (auto rs = db_->OpenRecordset("SELECT e.MarinaNo, y.MarinaNo FROM rpm_Boat_and_Boatyard_Services_EI e JOIN rpm_marinaname_no y "
                                    "ON y.[Marina Name] = e.[Name of Nearest Boatyard] JOIN rpm_Vyk yv ON yv.MarinaNo = y.MarinaNo "
                                    "AND yv.[Boatyard Rating] > 0");
       !rs->Eof(); rs->MoveNext()) {
    const int no = rs->Fields(0).Value().toInt(), yard = rs->Fields(1).Value().toInt();
    double nearest = 1e9;
    for (int other : yards) nearest = std::min(nearest, between(no, other));
    EXPECT_LE(between(no, yard), nearest + 0.05) << no << " names " << yard;
    ++named;
  }
  EXPECT_GT(named, 100);
  // Some name a yard of another sub-region (Long Island in Casco Bay the one on Peaks Island).
  EXPECT_GT(Count("SELECT COUNT(*) FROM rpm_Boat_and_Boatyard_Services_EI e JOIN rpm_Vyk v ON v.MarinaNo = e.MarinaNo "
                  "JOIN rpm_marinaname_no y ON y.[Marina Name] = e.[Name of Nearest Boatyard] JOIN rpm_Vyk yv "
                  "ON yv.MarinaNo = y.MarinaNo AND yv.[Boatyard Rating] > 0 WHERE yv.[Geo Code] <> v.[Geo Code]"), 0);
}

// Shares that make the demo look like a real guide: a broken random stream
// would flatten or empty them.
TEST_F(DemoDatabase, SharesFollowTheirDistributions) {
  const auto share = [&](const char* sql) { return Count(QString::fromUtf8(sql)) / 227.0; };
  EXPECT_NEAR(share("SELECT COUNT(*) FROM rpm_Vyk WHERE Sunset = TRUE"), 0.22, 0.08);
  EXPECT_NEAR(share("SELECT COUNT(*) FROM rpm_Vyk WHERE [Boatyard Rating] = 0"), 0.52, 0.1);
  EXPECT_NEAR(share("SELECT COUNT(*) FROM rpm_Vyk WHERE [Bell Rating] = 3"), 0.38, 0.1);
  EXPECT_NEAR(share("SELECT COUNT(*) FROM rpm_marina_facilities WHERE [Fuel?] = TRUE"), 0.7, 0.1);
  EXPECT_NEAR(share("SELECT COUNT(*) FROM rpm_marina_facilities WHERE [Total # Slips] = 0"), 0.1, 0.08);
  EXPECT_NEAR(share("SELECT COUNT(*) FROM rpm_Contact_Information WHERE Website IS NOT NULL"), 0.8, 0.1);
  EXPECT_NEAR(share("SELECT COUNT(*) FROM rpm_Medical WHERE type = 'Hospital'"), 1.0, 0.01);
  // Marinas take the town nearest their mark, so busy harbours share one.
  EXPECT_GT(Count("SELECT COUNT(DISTINCT City) FROM rpm_Contact_Information"), 100);
  EXPECT_EQ(Count("SELECT COUNT(*) FROM (SELECT [Marina Name] FROM rpm_marinaname_no GROUP BY [Marina Name] HAVING COUNT(*) > 1)"), 1);
  EXPECT_GT(Count("SELECT COUNT(*) FROM rpm_extras WHERE Environs LIKE '*<*>*' OR [Marina Notes] LIKE '*<*>*' OR Notable LIKE '*<*>*'"), 20);
}

TEST(DemoProgramFolder, ACopyOfItWritesItsOwnDatabase) {
  const QString original = qw::testing::BuiltProgramFolder();
  const QByteArray before = qw::testing::ReadFile(original + QStringLiteral("/Database/marina.mdb"));
  ASSERT_FALSE(before.isEmpty());
  QTemporaryDir copy;
  QDir(copy.path()).mkpath(QStringLiteral("Database"));
  for (const char* name : {"VykMarina.ini", "Database/marina.mdb"})
    ASSERT_TRUE(QFile::copy(original + QLatin1Char('/') + QLatin1String(name), copy.filePath(QLatin1String(name))));
  // Started from the copy, in another working folder: it reads its own ini
  // file and writes a note into its own database.
  const QString savedWorkingFolder = QDir::currentPath();
  QDir::setCurrent(QDir::tempPath());
  qw::SetProgramFolder(copy.path());
  qw::ReadIniFile(copy.filePath(QStringLiteral("VykMarina.ini")), qw::Settings());
  qw::Settings().DatabaseFileName = QStringLiteral("marina.mdb");
  {
    const qw::DatabasePtr db = qw::OpenMarinaDatabase(0, false);
    const qw::RecordsetPtr rs = db->OpenRecordset(QStringLiteral("SELECT * FROM rpm_output WHERE MarinaNo = 2608"));
    rs->Edit();
    rs->SetField(QStringLiteral("Comments"), QStringLiteral("Written in the copy"));
    rs->Update();
    rs->Close();
    db->Close();
  }
  qw::SetProgramFolder(QString());
  qw::Settings() = qw::AppSettings{};
  QDir::setCurrent(savedWorkingFolder);
  EXPECT_TRUE(qw::testing::ReadFile(original + QStringLiteral("/Database/marina.mdb")) == before);
  const auto db = qw::Database::OpenDatabase(copy.filePath(QStringLiteral("Database/marina.mdb")), 0, true, QString());
  EXPECT_EQ(db->OpenRecordset(QStringLiteral("SELECT Comments FROM rpm_output WHERE MarinaNo = 2608"))
                ->Fields(0)
                .Value()
                .toString(),
            "Written in the copy");
}

// The generator itself: the same bytes on every run, and the synthetic option.
class Generator : public ::testing::Test {
 protected:
  void SetUp() override {
    exe_ = qw::testing::BuiltProgramFolder() + QStringLiteral("/../tools/demo_data/quaywise_demogen");
    if (!QFileInfo::exists(exe_)) GTEST_SKIP() << "generator not built";
  }
  int Run(const QStringList& args) {
    QProcess p;
    p.start(exe_, args);
    if (!p.waitForFinished(60000)) return -1;
    return p.exitStatus() == QProcess::NormalExit ? p.exitCode() : -1;
  }
  static QByteArray Bytes(const QString& path) { return qw::testing::ReadFile(path); }
  QString exe_;
  QTemporaryDir dir_;
};

TEST_F(Generator, WritesTheSameBytesOnEveryRun) {
  ASSERT_EQ(Run({"--program-folder", dir_.path()}), 0);
  const QByteArray again = Bytes(dir_.path() + QStringLiteral("/Database/marina.mdb"));
  ASSERT_FALSE(again.isEmpty());
  EXPECT_TRUE(again == Bytes(qw::testing::DemoDatabasePath()));
  EXPECT_TRUE(Bytes(dir_.path() + QStringLiteral("/cbell3.jpg")) == Bytes(qw::testing::BuiltProgramFolder() + QStringLiteral("/cbell3.jpg")));
  EXPECT_TRUE(Bytes(dir_.path() + QStringLiteral("/VykMarina.ini")) ==
              Bytes(qw::testing::BuiltProgramFolder() + QStringLiteral("/VykMarina.ini")));
}

TEST_F(Generator, WritesASyntheticSetAndRefusesBadArguments) {
  const QString out = dir_.path() + QStringLiteral("/big.mdb");
  ASSERT_EQ(Run({"--marinas", "500", "--out", out}), 0);
  auto db = qw::Database::OpenDatabase(out, 0, true, QString());
  const auto count = [&](const QString& sql) { return db->OpenRecordset(sql)->Fields(0).Value().toLongLong(); };
  EXPECT_EQ(count("SELECT COUNT(*) FROM rpm_Contact_Information"), 500);
  EXPECT_EQ(count("SELECT COUNT(*) FROM mapkeys"), 500);
  EXPECT_EQ(count("SELECT COUNT(DISTINCT [Geo Code]) FROM rpm_Vyk"), 12);
  EXPECT_GT(count("SELECT COUNT(*) FROM rpm_Recreation"), 500);
  db.reset();
  EXPECT_NE(Run({"--marinas", "0", "--out", out}), 0);
  EXPECT_NE(Run({"--marinas", "100001", "--out", out}), 0);
  EXPECT_NE(Run({"--marinas", "50"}), 0);
}

}  // namespace

#include <gtest/gtest.h>

#include "common/fake_recordset.h"
#include "common/testing.h"
#include "results/list_fill.h"
#include "results/list_state.h"
#include "services/settings.h"

namespace {

using qw::ListRow;
using qw::OptionalColumns;
using qw::testing::FakeRecordset;
using Row = FakeRecordset::Row;

Row Marina(int no, QVariant bell, QVariant boat, QVariant sunset) {
  return Row{{"marinano", no},
             {"Marina 30 char Name", QString("Short %1").arg(no)},
             {"Marina Name", QString("Full name %1").arg(no)},
             {"City", "Mystic"},
             {"State", "CT"},
             {"Harbor", "Mystic River"},
             {"Bell rating", bell},
             {"Boatyard Rating", boat},
             {"Sunset", sunset},
             {"Total # Slips", 120},
             {"Total # of Moorings", QVariant()},
             {"Maximum Length Overall", 150},
             {"In Season Slips--Nightly Rate", 2.5}};
}

ListRow ReadOne(const Row& row, OptionalColumns columns = {}) {
  FakeRecordset rs({row});
  return qw::ReadListRow(rs, columns);
}

TEST(ListRows, RatingPicturesAndTheRatingsStore) {
  ListRow r = ReadOne(Marina(7, 3, 2, 1));
  EXPECT_EQ(r.marinaNo, 7);
  EXPECT_EQ(r.bellPicture, 3);
  EXPECT_EQ(r.boatyardPicture, 7);
  EXPECT_TRUE(r.sunsetPicture);
  EXPECT_EQ(r.bellText, "3");
  EXPECT_EQ(r.boatyardText, "2");
  EXPECT_EQ(r.sunsetText, "1");
  EXPECT_EQ(qw::RowBellRating().toInt(), 3);
  EXPECT_EQ(qw::RowSunset(), 1);

  // Outside the pictures: none shown, the stored number kept.
  r = ReadOne(Marina(8, 6, 3, 0));
  EXPECT_EQ(r.bellPicture, 0);
  EXPECT_EQ(r.boatyardPicture, 0);
  EXPECT_FALSE(r.sunsetPicture);
  EXPECT_EQ(r.bellText, "6");
  EXPECT_EQ(r.boatyardText, "3");
  EXPECT_EQ(r.sunsetText, "0");

  r = ReadOne(Marina(9, 0, 0, 0));
  EXPECT_EQ(r.bellPicture, 0);
  EXPECT_EQ(r.boatyardPicture, 0);

  // Null or missing ratings are stored as "0"; a Null sunset counts as false.
  Row missing = Marina(10, QVariant(), QVariant(), QVariant());
  missing.remove("Boatyard Rating");
  r = ReadOne(missing);
  EXPECT_EQ(r.bellText, "0");
  EXPECT_EQ(r.boatyardText, "0");
  EXPECT_EQ(r.sunsetText, "0");
  EXPECT_EQ(qw::RowSunset(), 0);
  EXPECT_EQ(qw::RowBoatyardRating().toInt(), 0);
}

TEST(ListRows, NamesAndPlaces) {
  Row row = Marina(1, 1, 0, 0);
  row["Marina 30 char Name"] = QString("Kelp Cove  ");
  EXPECT_EQ(ReadOne(row).name, "Kelp Cove  ");  // shown with its trailing blanks
  // Only blanks count as empty: a short name of tabs or line breaks is shown.
  const struct {
    const char* shortName;
    const char* shown;
  } names[] = {{"   ", "Full name 1"}, {"", "Full name 1"}, {"\t", "\t"}, {" \r\n ", " \r\n "}};
  for (const auto& n : names) {
    row["Marina 30 char Name"] = QString(n.shortName);
    EXPECT_EQ(ReadOne(row).name, n.shown) << n.shortName;
  }
  row["Marina 30 char Name"] = QVariant();
  EXPECT_EQ(ReadOne(row).name, "Full name 1");
  row["Marina Name"] = QVariant();
  EXPECT_EQ(ReadOne(row).name, "");
  row.remove("City");
  row["Harbor"] = QVariant();
  const ListRow r = ReadOne(row);
  EXPECT_EQ(r.city, "");
  EXPECT_EQ(r.state, "CT");
  EXPECT_EQ(r.harbor, "");
}

TEST(ListRows, OptionalCellsFollowTheColumnsInTheirFixedOrder) {
  EXPECT_TRUE(ReadOne(Marina(1, 1, 0, 0)).optional.isEmpty());
  EXPECT_EQ(ReadOne(Marina(1, 1, 0, 0), {true, true, true, true}).optional,
            QStringList({"120", "", "$2.50", "150"}));
  EXPECT_EQ(ReadOne(Marina(1, 1, 0, 0), {true, false, false, true}).optional, QStringList({"120", "150"}));
  EXPECT_EQ(ReadOne(Marina(1, 1, 0, 0), {false, true, true, false}).optional, QStringList({"", "$2.50"}));
}

// A database whose queries give fixed rows or fail.
class FakeDatabase : public qw::Database {
 public:
  QList<Row> rows;
  bool fail = false;
  QString lastSql;
  std::unique_ptr<qw::Recordset> OpenRecordset(const QString& sql) override {
    lastSql = sql;
    if (fail) throw std::runtime_error("Syntax error in FROM clause.");
    return std::make_unique<FakeRecordset>(rows);
  }
  void Execute(const QString&) override {}
  void Close() override {}
  bool IsOpen() const override { return true; }
  bool IsReadOnly() const override { return true; }
  QString Name() const override { return "fake"; }
};

TEST(ListRows, AQueryThatFailsIsAnErrorNotAnEmptyList) {
  FakeDatabase db;
  db.rows = {Marina(1, 1, 0, 0), Marina(2, 5, 1, 1)};
  qw::Result<QList<qw::ListRow>> fill = qw::RunListQuery(db, "select 1", {});
  ASSERT_TRUE(fill.ok());
  ASSERT_EQ(fill.value().size(), 2);
  EXPECT_EQ(fill.value()[1].bellPicture, 5);

  db.rows.clear();
  fill = qw::RunListQuery(db, "select 1", {});
  ASSERT_TRUE(fill.ok());
  EXPECT_TRUE(fill.value().isEmpty());

  db.fail = true;
  fill = qw::RunListQuery(db, "select 1", {});
  ASSERT_FALSE(fill.ok());
  EXPECT_EQ(fill.error().description, "Syntax error in FROM clause.");
}

// The forward read of the real list query gives the rows that reading each
// record by name gives.
TEST(ListRows, TheDemoListReadForwardMatchesTheRecordsReadByName) {
  const OptionalColumns all{true, true, true, true};
  qw::DatabasePtr db = qw::Database::OpenDatabase(qw::testing::DemoDatabasePath(), 0, true, "");
  const qw::Result<QList<ListRow>> fill = qw::RunListQuery(*db, qw::ListQueryText(""), all);
  ASSERT_TRUE(fill.ok()) << fill.error().description.toStdString();
  qw::RecordsetPtr records = db->OpenRecordset(qw::ListQueryText(""));
  ASSERT_EQ(fill.value().size(), records->RecordCount());
  ASSERT_GT(fill.value().size(), 100);
  for (const ListRow& row : fill.value()) {
    SCOPED_TRACE(row.marinaNo);
    const ListRow expected = qw::ReadListRow(*records, all);
    EXPECT_TRUE(row == expected) << row.name.toStdString();
    records->MoveNext();
  }
  records->Close();
  db->Close();
}

// The list query: the list's select, the edition and sub-region filter in
// each case, and both orders.
class ListQuery : public ::testing::Test {
 protected:
  void SetUp() override {
    saved_ = qw::Settings();
    savedSort_ = qw::SortOrder();
  }
  void TearDown() override {
    qw::Settings() = saved_;
    qw::SortOrder() = savedSort_;
  }
  void Use(const QString& filter, int single, int from, int to) {
    qw::Settings().EditionFilter = filter;
    qw::Settings().SingleGeoCode = single;
    qw::Settings().GeoCodeFrom = from;
    qw::Settings().GeoCodeTo = to;
  }
  qw::AppSettings saved_;
  qw::ListOrder savedSort_ = qw::ListOrder::Geographic;
};

const QString kJoins =
    "(((((((rpm_Contact_Information LEFT JOIN rpm_nav_info ON rpm_Contact_Information.MarinaNo = rpm_nav_info.MarinaNo) "
    "LEFT JOIN rpm_marinaname_no ON rpm_Contact_Information.MarinaNo = rpm_marinaname_no.MarinaNo) "
    "LEFT JOIN rpm_Vyk ON rpm_Contact_Information.MarinaNo = rpm_Vyk.MarinaNo) "
    "LEFT JOIN rpm_marina_facilities ON rpm_Contact_Information.MarinaNo = rpm_marina_facilities.MarinaNo) "
    "LEFT JOIN rpm_marina_services ON rpm_Contact_Information.MarinaNo = rpm_marina_services.MarinaNo) "
    "LEFT JOIN rpm_Boat_and_Boatyard_Services_EI ON rpm_Contact_Information.MarinaNo = "
    "rpm_Boat_and_Boatyard_Services_EI.MarinaNo) "
    "LEFT JOIN ['97 Editions] ON rpm_Vyk.MarinaNo = ['97 Editions].MarinaNo) "
    "LEFT JOIN rpm_marina_operations ON rpm_Contact_Information.MarinaNo = rpm_marina_operations.MarinaNo";

const QString kSelect =
    "select rpm_Contact_Information.marinano, rpm_marinaname_no.[Marina 30 char Name],rpm_marinaname_no.[Marina Name],"
    "rpm_Contact_Information.City, rpm_Contact_Information.State,"
    "rpm_Vyk.[Bell rating], rpm_Vyk.[Boatyard Rating], rpm_Vyk.[Sunset], rpm_nav_Info.[USCG Statute Mile],"
    "rpm_nav_Info.[Harbor], ['97 Editions].[In Disk],rpm_marina_facilities.[Total # Slips],"
    "rpm_marina_facilities.[Total # of Moorings],rpm_marina_facilities.[Maximum Length Overall],"
    "rpm_marina_facilities.[In Season Slips--Nightly Rate] from";

TEST_F(ListQuery, WholeTextAndBothOrders) {
  Use("In 7th Edition", 0, 5, 16);
  qw::SortOrder() = qw::ListOrder::Geographic;
  EXPECT_EQ(qw::ListQueryText(""),
            kSelect + kJoins +
                " where rpm_Vyk.[In 7th Edition] = TRUE And((rpm_Vyk.[Geo Code]>= 5) And (rpm_Vyk.[Geo Code]<= 16))"
                " ORDER BY rpm_Vyk.[Geo Code], rpm_Vyk.[N/S#]");
  qw::SortOrder() = qw::ListOrder::Alphabetical;
  EXPECT_TRUE(qw::ListQueryText("").endsWith("<= 16)) ORDER BY rpm_marinaname_no.[Marina Name]"));
  qw::SortOrder() = static_cast<qw::ListOrder>(2);  // any other value is geographic
  EXPECT_TRUE(qw::ListQueryText("").endsWith(" ORDER BY rpm_Vyk.[Geo Code], rpm_Vyk.[N/S#]"));
}

TEST_F(ListQuery, EditionAndSubRegionFilterInEachCase) {
  qw::SortOrder() = qw::ListOrder::Alphabetical;
  const QString where = " where (rpm_Vyk.[Bell Rating] >= 3)";
  const QString order = " ORDER BY rpm_marinaname_no.[Marina Name]";
  struct Case {
    QString filter;
    int single, from, to;
    QString withWhere, withoutWhere;
  };
  const QList<Case> cases = {
      {"In 6th Edition", 9, 5, 16, "And (['97 Editions].[In Disk] = TRUE) And (rpm_Vyk.[Geo Code] = 9)",
       " where ['97 Editions].[In Disk] = TRUE And (rpm_Vyk.[Geo Code]= 9)"},
      {"In 6th Edition", 0, 5, 16,
       "And (['97 Editions].[In Disk] = TRUE) And ((rpm_Vyk.[Geo Code]>= 5) And (rpm_Vyk.[Geo Code]<= 16))",
       " where ['97 Editions].[In Disk] = TRUE And ((rpm_Vyk.[Geo Code]>= 5) And (rpm_Vyk.[Geo Code]<= 16))"},
      {"In 6th Edition", 0, 5, 0, "And (['97 Editions].[In Disk] = TRUE)", " where ['97 Editions].[In Disk] = TRUE"},
      {"In 7th Edition", 12, 0, 0, "And (rpm_Vyk.[In 7th Edition] = TRUE) And (rpm_Vyk.[Geo Code] = 12)",
       " where rpm_Vyk.[In 7th Edition] = TRUE And (rpm_Vyk.[Geo Code] = 12)"},
      // No code at all: the range 0 to 0 applies, which nothing satisfies.
      {"In 7th Edition", 0, 0, 0,
       "And (rpm_Vyk.[In 7th Edition] = TRUE) And ((rpm_Vyk.[Geo Code]>= 0) And (rpm_Vyk.[Geo Code]<= 0))",
       " where rpm_Vyk.[In 7th Edition] = TRUE And((rpm_Vyk.[Geo Code]>= 0) And (rpm_Vyk.[Geo Code]<= 0))"},
      {"In 7th Edition", 0, 7, 0, "And (rpm_Vyk.[In 7th Edition] = TRUE)", " where rpm_Vyk.[In 7th Edition] = TRUE"},
      {"In 8th Edition", 6, 5, 16, "And (rpm_Vyk.[Geo Code] = 6)", " where (rpm_Vyk.[Geo Code] = 6)"},
      // Any other edition text never applies a range.
      {"in 7th edition", 0, 5, 16, "", ""},
      {"", 0, 0, 0, "", ""},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(c.filter.toStdString() + " " + std::to_string(c.single) + " " + std::to_string(c.from) + "-" +
                 std::to_string(c.to));
    Use(c.filter, c.single, c.from, c.to);
    EXPECT_EQ(qw::ListQueryText(where), kSelect + kJoins + where + c.withWhere + order);
    EXPECT_EQ(qw::ListQueryText(""), kSelect + kJoins + c.withoutWhere + order);
  }
}

}  // namespace

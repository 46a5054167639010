#include <gtest/gtest.h>

#include "common/fake_recordset.h"
#include "common/result_query_text.h"
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
  // Ratings outside the pictures show none and keep the stored number; Null
  // or missing ratings are stored as "0", and a Null sunset counts as false.
  Row missing = Marina(10, QVariant(), QVariant(), QVariant());
  missing.remove("Boatyard Rating");
  const struct {
    Row row;
    int bellPicture, boatyardPicture;
    bool sunsetPicture;
    const char* texts;  // bell, boatyard, sunset
  } cases[] = {{Marina(7, 3, 2, 1), 3, 7, true, "321"},
               {Marina(8, 6, 3, 0), 0, 0, false, "630"},
               {Marina(9, 0, 0, 0), 0, 0, false, "000"},
               {missing, 0, 0, false, "000"}};
  for (const auto& c : cases) {
    const ListRow r = ReadOne(c.row);
    SCOPED_TRACE(r.marinaNo);
    EXPECT_EQ(r.marinaNo, c.row.value("marinano").toInt());
    EXPECT_EQ(r.bellPicture, c.bellPicture);
    EXPECT_EQ(r.boatyardPicture, c.boatyardPicture);
    EXPECT_EQ(r.sunsetPicture, c.sunsetPicture);
    EXPECT_EQ((r.bellText + r.boatyardText + r.sunsetText).toStdString(), c.texts);
    // The program-wide store holds the row just read.
    EXPECT_EQ((qw::RowBellRating().toString() + qw::RowBoatyardRating().toString() + QString::number(qw::RowSunset()))
                  .toStdString(),
              c.texts);
  }
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

// The list query reads the program's settings and sort order (the filter in
// each case is the search's, tested with the result query).
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

using qw::testing::kFrom;
using qw::testing::kListHead;

TEST_F(ListQuery, WholeTextAndBothOrders) {
  Use("In 7th Edition", 0, 5, 16);
  qw::SortOrder() = qw::ListOrder::Geographic;
  EXPECT_EQ(qw::ListQueryText(""),
            kListHead + kFrom +
                " where rpm_Vyk.[In 7th Edition] = TRUE And((rpm_Vyk.[Geo Code]>= 5) And (rpm_Vyk.[Geo Code]<= 16))"
                " ORDER BY rpm_Vyk.[Geo Code], rpm_Vyk.[N/S#]");
  qw::SortOrder() = qw::ListOrder::Alphabetical;
  EXPECT_TRUE(qw::ListQueryText("").endsWith("<= 16)) ORDER BY rpm_marinaname_no.[Marina Name]"));
  qw::SortOrder() = static_cast<qw::ListOrder>(2);  // any other value is geographic
  EXPECT_TRUE(qw::ListQueryText("").endsWith(" ORDER BY rpm_Vyk.[Geo Code], rpm_Vyk.[N/S#]"));
  EXPECT_TRUE(qw::ListQueryText(" where (x)").startsWith(kListHead + kFrom + " where (x)And (rpm_Vyk.[In 7th Edition]"));
}

}  // namespace

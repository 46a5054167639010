// How SQLite answers Find's amenity sub-queries on the demo database: each one
// is an index search that never reads the amenity table itself.
#include <gtest/gtest.h>

#include <QFile>
#include <QSqlDatabase>
#include <QSqlQuery>
#include <QStringList>

#include "common/testing.h"
#include "criteria_arrays.h"
#include "search/result_query.h"
#include "search/where_clause.h"

namespace qw {
namespace {

QStringList PlanOf(const QString& jetSql) {
  QStringList plan;
  {
    QSqlDatabase db = QSqlDatabase::addDatabase(QStringLiteral("QSQLITE"), QStringLiteral("find_plan"));
    db.setDatabaseName(testing::DemoDatabasePath());
    db.setConnectOptions(QStringLiteral("QSQLITE_OPEN_READONLY"));
    EXPECT_TRUE(db.open());
    QSqlQuery q(db);
    EXPECT_TRUE(q.exec(QStringLiteral("EXPLAIN QUERY PLAN ") + TranslateJetSql(jetSql)));
    while (q.next()) plan << q.value(3).toString();
  }
  QSqlDatabase::removeDatabase(QStringLiteral("find_plan"));
  return plan;
}

TEST(FindPlan, EveryAmenitySubQueryReadsOnlyItsCoveringIndex) {
  if (!QFile::exists(testing::DemoDatabasePath())) GTEST_SKIP() << "no demo database built";
  const QStringList amenityTables = {
      "rpm_Boat_Supplies", "rpm_Boat_and_Boatyard_Services", "rpm_Recreation",   "rpm_Entertainment",
      "rpm_Restaurants",   "rpm_Accommodations",             "rpm_General_Services", "rpm_Provisioning",
      "rpm_Transportation", "rpm_Medical"};
  // Each class sums another set of distance columns; class 6 also counts [Approx Distance].
  for (const std::int16_t distanceClass : {1, 3, 5, 6}) {
    SCOPED_TRACE(distanceClass);
    SearchCriteria c;
    AmenityCriteria& a = c.Amenity;
    ForEachDistance(a, [distanceClass](auto& distances) { distances[0] = distanceClass; });
    a.EateryLodgingDistance.back() = distanceClass;  // a lodging row too
    AppSettings settings;
    settings.EditionFilter = QStringLiteral("In 7th Edition");
    settings.GeoCodeFrom = 5;
    settings.GeoCodeTo = 16;
    const QStringList plan =
        PlanOf(BuildResultQuery(ResultQueryKind::Count, BuildWhereClause(c, nullptr), settings, ListOrder::Geographic));
    QStringList searched;
    for (const QString& step : plan) {
      for (const QString& table : amenityTables) {
        if (!step.startsWith(QStringLiteral("SEARCH ") + table + QLatin1Char(' '))) continue;
        searched << table;
        EXPECT_TRUE(step.contains(QStringLiteral(" USING COVERING INDEX "))) << step.toStdString();
      }
    }
    searched.removeDuplicates();
    EXPECT_EQ(searched.size(), amenityTables.size()) << searched.join(", ").toStdString();
  }
}

}  // namespace
}  // namespace qw

// Find's count on the demo database, and on a larger generated one named by
// QUAYWISE_BENCH_LARGE_DB (quaywise_demogen --marinas 20000 --out FILE):
// with no criterion, with every general criterion, and with ten amenity
// criteria across the tabs. Each iteration is one whole Find: build the
// clause and the query, open the connection, count, close.
#include <benchmark/benchmark.h>

#include <QByteArray>
#include <QFile>
#include <QSqlDatabase>
#include <QSqlQuery>
#include <QString>

#include "search/result_query.h"
#include "search/where_clause.h"

namespace {

using namespace qw;

SearchCriteria NoCriterion() { return SearchCriteria{}; }

SearchCriteria EveryGeneralCriterion() {
  SearchCriteria c;
  c.tbMarinaName = "a";
  c.txtbicwmin = "0";
  c.txtbicwmax = "500";
  c.cboBellRating = 1;
  c.cmbTotalSlips = 1;
  c.cboFuel = 1;
  c.cboMoorings = 1;
  c.cboDockage = 5;
  c.cboElectricity = 1;
  c.cboBoatRating = 1;
  c.chkPumpOut = 1;
  c.chkMegaYachtFacilities = 1;
  c.chkSunset = 1;
  c.ebMinLOA = "30";
  c.cboDepth = 1;
  return c;
}

SearchCriteria TenAmenities() {
  SearchCriteria c;
  c.Amenity.SupplyDistance[0] = 4;
  c.Amenity.FacilityChecks[0] = 1;
  c.Amenity.CreditCardChecks[2] = 1;
  c.Amenity.BoatyardDistance[0] = 6;
  c.Amenity.RecreationDistance[0] = 5;
  c.Amenity.EntertainmentDistance[3] = 6;
  c.Amenity.EateryLodgingDistance[0] = 4;
  c.Amenity.GeneralServiceDistance[0] = 5;
  c.Amenity.ProvisioningDistance[0] = 6;
  c.Amenity.MedicalDistance[0] = 6;
  return c;
}

void Find(benchmark::State& state, const QString& path, SearchCriteria (*criteria)()) {
  if (!QFile::exists(path)) {
    state.SkipWithError("database missing");
    return;
  }
  AppSettings settings;
  settings.EditionFilter = "In 7th Edition";
  settings.GeoCodeFrom = 5;
  settings.GeoCodeTo = 16;
  const SearchCriteria c = criteria();
  qint32 count = 0;
  for (auto _ : state) {
    const QString sql = BuildResultQuery(ResultQueryKind::Count, BuildWhereClause(c, nullptr), settings,
                                         ListOrder::Geographic);
    DatabasePtr db = Database::OpenDatabase(path, -1, true, ";PWD=x");
    const Result<qint32> result = CountMarinas(*db, sql);
    db->Close();
    if (!result.ok()) {
      state.SkipWithError(result.error().description.toStdString().c_str());
      return;
    }
    count = result.value();
  }
  state.counters["marinas"] = count;
}

// The same translated count run straight through Qt SQL, opened the way the
// adapter opens it: the difference to Find is the adapter's own cost.
void Direct(benchmark::State& state, const QString& path, SearchCriteria (*criteria)()) {
  if (!QFile::exists(path)) {
    state.SkipWithError("database missing");
    return;
  }
  AppSettings settings;
  settings.EditionFilter = "In 7th Edition";
  settings.GeoCodeFrom = 5;
  settings.GeoCodeTo = 16;
  const QString sql = QStringLiteral("SELECT COUNT(*) FROM (") +
                      TranslateJetSql(BuildResultQuery(ResultQueryKind::Count, BuildWhereClause(criteria(), nullptr),
                                                       settings, ListOrder::Geographic)) +
                      QStringLiteral(")");
  qint64 count = 0;
  for (auto _ : state) {
    {
      QSqlDatabase db = QSqlDatabase::addDatabase(QStringLiteral("QSQLITE"), QStringLiteral("bench_direct"));
      db.setDatabaseName(path);
      db.setConnectOptions(QStringLiteral("QSQLITE_OPEN_READONLY"));
      db.open();
      QSqlQuery query(db);
      query.exec(QStringLiteral("PRAGMA mmap_size=268435456"));
      query.exec(sql);
      if (query.next()) count = query.value(0).toLongLong();
      query.finish();
      db.close();
    }
    QSqlDatabase::removeDatabase(QStringLiteral("bench_direct"));
  }
  state.counters["marinas"] = static_cast<double>(count);
}

QString DemoDatabase() { return QStringLiteral(QUAYWISE_PROGRAM_DIR "/Database/marina.mdb"); }

void Register(const char* prefix, const QString& path) {
  benchmark::RegisterBenchmark((std::string(prefix) + "/NoCriterion").c_str(), Find, path, NoCriterion)
      ->Unit(benchmark::kMillisecond);
  benchmark::RegisterBenchmark((std::string(prefix) + "/EveryGeneralCriterion").c_str(), Find, path,
                               EveryGeneralCriterion)
      ->Unit(benchmark::kMillisecond);
  benchmark::RegisterBenchmark((std::string(prefix) + "/TenAmenities").c_str(), Find, path, TenAmenities)
      ->Unit(benchmark::kMillisecond);
  benchmark::RegisterBenchmark((std::string(prefix) + "/NoCriterionDirect").c_str(), Direct, path, NoCriterion)
      ->Unit(benchmark::kMillisecond);
  benchmark::RegisterBenchmark((std::string(prefix) + "/TenAmenitiesDirect").c_str(), Direct, path, TenAmenities)
      ->Unit(benchmark::kMillisecond);
}

// Registered before the benchmark library's main runs.
const bool registered = [] {
  Register("FindCount/Demo", DemoDatabase());
  const QByteArray large = qgetenv("QUAYWISE_BENCH_LARGE_DB");
  if (!large.isEmpty()) Register("FindCount/Large", QString::fromLocal8Bit(large));
  return true;
}();

}  // namespace

// Find's count on the demo database, and on a larger generated one named by
// QUAYWISE_BENCH_LARGE_DB (quaywise_demogen --marinas 20000 --out FILE):
// with no criterion, with the general criteria, and with ten amenity criteria
// across the tabs. Each iteration is one whole Find: build the clause and the
// query, open the connection, count, close. The same count run on a warm raw
// SQLite connection gives x_raw.
#include <benchmark/benchmark.h>

#include <QByteArray>
#include <QFile>
#include <QString>

#include "bench_support.h"
#include "raw_sqlite.h"
#include "search/result_query.h"
#include "search/where_clause.h"

namespace {

using namespace qw;

SearchCriteria NoCriterion() { return SearchCriteria{}; }

// Every general criterion that can hold at once: in the generated data no
// marina with an ICW mile also has mega-yacht facilities and a sunset view,
// so those two boxes stay clear and the search finds some marinas.
SearchCriteria GeneralCriteria() {
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
  // What CountMarinas hands to the database, in SQLite's dialect.
  bench::RawSqlite raw(path);
  const QByteArray rawSql =
      TranslateJetSql(QStringLiteral("SELECT COUNT(*) FROM (") +
                      BuildResultQuery(ResultQueryKind::Count, BuildWhereClause(c, nullptr), settings, ListOrder::Geographic) +
                      QStringLiteral(")"))
          .toUtf8();
  const bench::RawSqlite::Result expected = raw.Run(rawSql);
  if (expected.rows != 1) {
    state.SkipWithError("raw SQLite cannot run the count");
    return;
  }
  qint32 count = 0;
  bench::TimeAgainst(
      state, "raw",
      [&] {
        const QString sql = BuildResultQuery(ResultQueryKind::Count, BuildWhereClause(c, nullptr), settings, ListOrder::Geographic);
        DatabasePtr db = Database::OpenDatabase(path, -1, true, ";PWD=x");
        const Result<qint32> result = CountMarinas(*db, sql);
        db->Close();
        if (!result.ok() || result.value() != expected.first) {
          state.SkipWithError(result.ok() ? "the count differs from raw SQLite's"
                                          : result.error().description.toStdString().c_str());
          return false;
        }
        count = result.value();
        return true;
      },
      [&] { benchmark::DoNotOptimize(raw.Run(rawSql)); });
  state.counters["marinas"] = count;
}

void Register(const char* prefix, const QString& path) {
  const std::pair<const char*, SearchCriteria (*)()> cases[] = {
      {"NoCriterion", NoCriterion}, {"GeneralCriteria", GeneralCriteria}, {"TenAmenities", TenAmenities}};
  for (const auto& [name, criteria] : cases)
    benchmark::RegisterBenchmark((std::string(prefix) + "/" + name).c_str(), Find, path, criteria)
        ->Unit(benchmark::kMillisecond);
}

// Registered before the benchmark library runs.
const bool registered = [] {
  Register("FindCount/Demo", bench::DemoDatabase());
  const QString large = bench::LargeDatabase();
  if (!large.isEmpty()) Register("FindCount/Large", large);
  return true;
}();

}  // namespace

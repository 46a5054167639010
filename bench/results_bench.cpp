// The result list's fill, from the list query to filled grids, on the demo
// database and on the larger generated one named by QUAYWISE_BENCH_LARGE_DB
// (every marina, no edition filter). The list query run on a warm raw SQLite
// connection, every column of every row read, gives x_raw.
#include <QApplication>
#include <QFile>
#include <QFileInfo>
#include <benchmark/benchmark.h>
#include <sys/resource.h>
#include <unistd.h>

#include <fstream>

#include "services/settings.h"
#include "platform/program.h"
#include "raw_sqlite.h"
#include "results/ui/frm_list.h"

namespace {

QString DemoFolder() { return QStringLiteral(QUAYWISE_PROGRAM_DIR); }

// The process's resident memory now and at its peak, in MiB.
double ResidentMib() {
  long pages = 0, resident = 0;
  std::ifstream("/proc/self/statm") >> pages >> resident;
  return double(resident) * double(sysconf(_SC_PAGESIZE)) / (1024.0 * 1024.0);
}
double PeakResidentMib() {
  rusage usage{};
  getrusage(RUSAGE_SELF, &usage);
  return double(usage.ru_maxrss) / 1024.0;
}

void UseDatabase(const QString& path, bool demoFilter) {
  qw::AppSettings& s = qw::Settings();
  s = qw::AppSettings{};
  const QFileInfo file(path);
  s.DataFolder = file.absolutePath();
  s.DatabaseFileName = file.fileName();
  s.EditionName = QStringLiteral("New England");
  if (demoFilter) {
    s.EditionFilter = QStringLiteral("In 7th Edition");
    s.GeoCodeFrom = 5;
    s.GeoCodeTo = 16;
  }
  qw::SortOrder() = qw::ListOrder::Geographic;
  qw::SetProgramFolder(DemoFolder());
}

void Fill(benchmark::State& state, const QString& path, bool demoFilter) {
  if (!QFile::exists(path)) {
    state.SkipWithError("database missing");
    return;
  }
  UseDatabase(path, demoFilter);
  qw::frmList* list = qw::frmList::Instance();
  list->UpdateListAlternative();  // also gives the query to run raw
  qw::bench::RawSqlite raw(path);
  const QByteArray rawSql = qw::TranslateJetSql(list->LastQuery()).toUtf8();
  if (raw.Run(rawSql).rows != list->GetMarinasCount()) {
    state.SkipWithError("the list and raw SQLite disagree");
  } else {
    qw::bench::TimeAgainstRaw(
        state,
        [&] {
          list->UpdateListAlternative();
          benchmark::DoNotOptimize(list->GetMarinasCount());
          return true;
        },
        [&] { benchmark::DoNotOptimize(raw.Run(rawSql)); });
    state.counters["marinas"] = list->GetMarinasCount();
    // Memory with the filled list shown and painted, as after a Show.
    list->resize(list->sizeHint());
    list->show();
    QApplication::processEvents();
    state.counters["rss_mb"] = ResidentMib();
    state.counters["peak_mb"] = PeakResidentMib();
  }
  qw::frmList::Unload();
  QApplication::sendPostedEvents(nullptr, QEvent::DeferredDelete);
}

const bool registered = [] {
  benchmark::RegisterBenchmark("ListFill/Demo", Fill, DemoFolder() + QStringLiteral("/Database/marina.mdb"), true)
      ->Unit(benchmark::kMillisecond);
  const QByteArray large = qgetenv("QUAYWISE_BENCH_LARGE_DB");
  if (!large.isEmpty())
    benchmark::RegisterBenchmark("ListFill/Large", Fill, QString::fromLocal8Bit(large), false)
        ->Unit(benchmark::kMillisecond)
        ->Iterations(5);
  return true;
}();

}  // namespace

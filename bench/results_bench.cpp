// The result list's fill, from the list query to filled grids, on the demo
// database and on the larger generated one named by QUAYWISE_BENCH_LARGE_DB
// (every marina, no edition filter). The list query run on a warm raw SQLite
// connection, every column of every row read, gives x_raw.
#include <QApplication>
#include <QFile>
#include <benchmark/benchmark.h>

#include "bench_support.h"
#include "platform/jet.h"
#include "raw_sqlite.h"
#include "results/ui/frm_list.h"

namespace {

void Fill(benchmark::State& state, const QString& path, bool demoFilter) {
  if (!QFile::exists(path)) {
    state.SkipWithError("database missing");
    return;
  }
  qw::bench::UseDatabase(path, demoFilter);
  qw::frmList* list = qw::frmList::Instance();
  list->UpdateListAlternative();  // also gives the query to run raw
  qw::bench::RawSqlite raw(path);
  const QByteArray rawSql = qw::TranslateJetSql(list->LastQuery()).toUtf8();
  if (raw.Run(rawSql).rows != list->GetMarinasCount()) {
    state.SkipWithError("the list and raw SQLite disagree");
  } else {
    qw::bench::TimeAgainst(
        state, "raw",
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
    qw::bench::CountMemory(state);
  }
  qw::frmList::Unload();
  QApplication::sendPostedEvents(nullptr, QEvent::DeferredDelete);
}

const bool registered = [] {
  benchmark::RegisterBenchmark("ListFill/Demo", Fill, qw::bench::DemoDatabase(), true)
      ->Unit(benchmark::kMillisecond);
  const QString large = qw::bench::LargeDatabase();
  if (!large.isEmpty())
    benchmark::RegisterBenchmark("ListFill/Large", Fill, large, false)
        ->Unit(benchmark::kMillisecond)
        ->Iterations(10);
  return true;
}();

}  // namespace

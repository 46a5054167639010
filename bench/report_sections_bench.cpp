// The report's middle and bottom sections of the demo marina with the longest
// middle section: composed over an open report connection, and with what every
// report adds around them (the hiding flags over their own connection, the
// report connection reopened).
#include <benchmark/benchmark.h>

#include <QFile>
#include <QString>

#include "bench_support.h"
#include "platform/jet.h"
#include "report/dont_show.h"
#include "report/middle_bottom_sections.h"

namespace {

using namespace qw;

DatabasePtr Open() { return Database::OpenDatabase(bench::DemoDatabase(), -1, true, QStringLiteral(";PWD=x")); }

// The marina whose middle section is longest, and that length.
std::pair<int, qsizetype> RichestMarina(Database& db) {
  std::pair<int, qsizetype> best{0, -1};
  const RecordsetPtr rs = db.OpenRecordset(QStringLiteral("select MarinaNo from rpm_Contact_Information"));
  for (; !rs->Eof(); rs->MoveNext()) {
    const int marina = rs->Fields(0).Value().toInt();
    QString note911;
    const qsizetype length = BuildMiddleSectionHtml(db, marina, DontShowFlags{}, note911).size();
    if (length > best.second) best = {marina, length};
  }
  return best;
}

void Compose(benchmark::State& state, bool withConnections) {
  if (!QFile::exists(bench::DemoDatabase())) {
    state.SkipWithError("database missing");
    return;
  }
  DatabasePtr db = Open();
  const auto [marina, length] = RichestMarina(*db);
  DontShowFlags flags;
  flags.DontShowMarinaNo = marina;
  LoadDontShowFlags(flags, *db);
  ReportSectionsState sections;
  for (auto _ : state) {
    if (withConnections) {
      ClearDontShowFlags(flags);
      LoadDontShowFlags(flags, *Open());
      db = Open();
    }
    benchmark::DoNotOptimize(AppendMiddleAndBottomSections(*db, marina, flags, sections));
  }
  state.counters["marina"] = marina;
  state.counters["middle_chars"] = static_cast<double>(length);
}

BENCHMARK_CAPTURE(Compose, RichestMarina, false)->Unit(benchmark::kMillisecond);
BENCHMARK_CAPTURE(Compose, RichestMarinaWithConnections, true)->Unit(benchmark::kMillisecond);

}  // namespace

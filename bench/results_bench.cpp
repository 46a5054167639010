// The result list's fill, from the list query to a filled grid, on the demo
// database and on a generated database of 20,000 marinas.
#include <QApplication>
#include <QDir>
#include <QFile>
#include <QProcess>
#include <QTemporaryDir>
#include <benchmark/benchmark.h>

#include "platform/program.h"
#include "results/ui/frm_list.h"
#include "services/settings.h"

namespace {

QString DemoFolder() { return QStringLiteral(QUAYWISE_PROGRAM_DIR); }

void EnsureApplication() {
  static int argc = 1;
  static char name[] = "quaywise_bench";
  static char* argv[] = {name, nullptr};
  if (QCoreApplication::instance()) return;
  if (qEnvironmentVariableIsEmpty("QT_QPA_PLATFORM")) qputenv("QT_QPA_PLATFORM", "offscreen");
  static QApplication app(argc, argv);
}

void UseDatabaseFolder(const QString& folder, bool demoFilter) {
  qw::AppSettings& s = qw::Settings();
  s = qw::AppSettings{};
  s.DataFolder = folder;
  s.DatabaseFileName = QStringLiteral("marina.mdb");
  s.EditionName = QStringLiteral("New England");
  if (demoFilter) {
    s.EditionFilter = QStringLiteral("In 7th Edition");
    s.GeoCodeFrom = 5;
    s.GeoCodeTo = 16;
  }
  qw::SortOrder() = qw::ListOrder::Geographic;
  qw::SetProgramFolder(DemoFolder());
}

// A synthetic database of `marinas` marinas written by the demo-data
// generator; empty when it could not be made.
QString GeneratedDatabaseFolder(int marinas) {
  static QTemporaryDir dir;
  static bool made = false;
  static bool ok = false;
  if (!made) {
    made = true;
    const QString generator = DemoFolder() + QStringLiteral("/../tools/demo_data/quaywise_demogen");
    QProcess run;
    run.start(generator, {QStringLiteral("--marinas"), QString::number(marinas), QStringLiteral("--out"),
                          dir.filePath(QStringLiteral("marina.mdb"))});
    ok = run.waitForFinished(600000) && run.exitStatus() == QProcess::NormalExit && run.exitCode() == 0;
  }
  return ok ? dir.path() : QString();
}

void RunFill(benchmark::State& state) {
  qw::frmList* list = qw::frmList::Instance();
  for (auto _ : state) {
    list->UpdateListAlternative();
    benchmark::DoNotOptimize(list->GetMarinasCount());
  }
  state.counters["marinas"] = list->GetMarinasCount();
  qw::frmList::Unload();
  QCoreApplication::sendPostedEvents(nullptr, QEvent::DeferredDelete);
}

void BM_UpdateListAlternative_Demo(benchmark::State& state) {
  EnsureApplication();
  UseDatabaseFolder(DemoFolder() + QStringLiteral("/Database"), true);
  RunFill(state);
}
BENCHMARK(BM_UpdateListAlternative_Demo)->Unit(benchmark::kMillisecond);

void BM_UpdateListAlternative_20000(benchmark::State& state) {
  EnsureApplication();
  const QString folder = GeneratedDatabaseFolder(20000);
  if (folder.isEmpty()) {
    state.SkipWithError("the demo-data generator could not write the database");
    return;
  }
  UseDatabaseFolder(folder, false);
  RunFill(state);
}
BENCHMARK(BM_UpdateListAlternative_20000)->Unit(benchmark::kMillisecond)->Iterations(3);

}  // namespace

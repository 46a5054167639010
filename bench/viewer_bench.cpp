// The report viewer switching to another marina of its list, from the click
// until the browser has loaded the new page: suppression flags, the report
// connection reopened, the page composed and written, and its load. Over the
// 227 demo marinas in list order. Its floor (x_bare) is the bare browser
// engine loading the same saved page, in a view of the same size.
#include <QFile>
#include <QListWidget>
#include <QTemporaryDir>
#include <benchmark/benchmark.h>

#include "bare_engine.h"
#include "bench_support.h"
#include "demo_viewer.h"
#include "platform/ui/browser.h"
#include "report/report_files.h"
#include "report/ui/frm_view_report.h"

namespace {

void BM_ViewerSwitchToAnotherMarina(benchmark::State& state) {
  const DemoViewer demo;
  qw::frm_view_report* viewer = demo.Viewer();
  if (!viewer) {
    state.SkipWithError("the first report did not load");
    return;
  }
  QTemporaryDir work;
  const QString saved = work.filePath(QStringLiteral("report.htm"));
  qw::bench::BareEngine bare(viewer->wb->size());
  const int count = static_cast<int>(demo.Entries().size());
  int index = 0;
  qw::bench::TimeAgainst(
      state, "bare",
      [&] {
        index = (index + 1) % count;
        viewer->lstMarinaNames->setCurrentRow(index);
        if (viewer->wb->WaitForLoad(30000)) return true;
        state.SkipWithError("a report did not load");
        return false;
      },
      [&] {
        QFile::remove(saved);
        QFile::copy(qw::ReportPagePath(), saved);
        bare.Load(saved);
      });
}

}  // namespace

BENCHMARK(BM_ViewerSwitchToAnotherMarina)->Unit(benchmark::kMillisecond)->UseRealTime();

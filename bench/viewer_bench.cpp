// The report viewer switching to another marina of its list, from the click
// until the browser has loaded the new page: suppression flags, the report
// connection reopened, the page composed and written, and its load. Over the
// 227 demo marinas in list order.
#include <QListWidget>
#include <benchmark/benchmark.h>

#include "demo_viewer.h"
#include "platform/ui/browser.h"
#include "report/ui/frm_view_report.h"

namespace {

void BM_ViewerSwitchToAnotherMarina(benchmark::State& state) {
  const DemoViewer demo;
  qw::frm_view_report* viewer = demo.Viewer();
  if (!viewer) {
    state.SkipWithError("the first report did not load");
    return;
  }
  const int count = static_cast<int>(demo.Entries().size());
  int index = 0;
  for (auto _ : state) {
    index = (index + 1) % count;
    viewer->lstMarinaNames->setCurrentRow(index);
    if (!viewer->wb->WaitForLoad(30000)) {
      state.SkipWithError("a report did not load");
      break;
    }
  }
}

}  // namespace

BENCHMARK(BM_ViewerSwitchToAnotherMarina)->Unit(benchmark::kMillisecond)->UseRealTime();

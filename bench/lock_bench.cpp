// The report viewer switching to another marina while another program takes
// an exclusive lock on the marina database in bursts (the sqlite3 shell:
// held for the first argument's ms, let go for the second's, over and over),
// with the notes box holding typed text before each switch when the third
// argument is 1. Each switch is timed twice: the window held up (the click's
// own work, until the viewer answers again: freeze_ms) and until the page has
// loaded or the viewer has told that it could not (switch_ms); mean and
// longest of each, and how many message boxes a switch showed at most. The
// same switches without the lock, in the same run, are its floor
// (free_switch_ms).
#include <QFile>
#include <QListWidget>
#include <QPlainTextEdit>
#include <QProcess>
#include <QTemporaryDir>
#include <benchmark/benchmark.h>

#include <algorithm>
#include <chrono>

#include "bench_support.h"
#include "demo_viewer.h"
#include "platform/message_box.h"
#include "platform/ui/browser.h"
#include "report/ui/frm_view_report.h"

namespace {

using Clock = std::chrono::steady_clock;

double Ms(Clock::duration d) { return std::chrono::duration<double, std::milli>(d).count(); }

void BM_ViewerSwitchUnderLockBursts(benchmark::State& state) {
  const int holdMs = static_cast<int>(state.range(0));
  const int freeMs = static_cast<int>(state.range(1));
  const bool typed = state.range(2) != 0;
  QTemporaryDir work;
  const QString database = work.filePath(QStringLiteral("marina.mdb"));
  if (!QFile::copy(qw::bench::DemoDatabase(), database)) {
    state.SkipWithError("the demo database could not be copied");
    return;
  }
  int boxes = 0;
  const qw::MsgBoxHandler previous = qw::SetMsgBoxHandler([&](const qw::MsgBoxCall& call) {
    ++boxes;
    return qw::DefaultAnswer(call);
  });
  {
    const DemoViewer demo(database);
    qw::frm_view_report* viewer = demo.Viewer();
    if (!viewer) {
      state.SkipWithError("the first report did not load");
      qw::SetMsgBoxHandler(previous);
      return;
    }
    const int count = static_cast<int>(demo.Entries().size());
    int index = 0;
    int typedCount = 0;
    // One switch: its freeze, its whole time and the boxes it showed.
    struct Switch {
      double freeze, whole;
      int boxes;
    };
    const auto change = [&] {
      if (typed) viewer->tbNotes->setPlainText(QStringLiteral("Typed %1").arg(++typedCount));
      index = (index + 1) % count;
      boxes = 0;
      const auto start = Clock::now();
      viewer->lstMarinaNames->setCurrentRow(index);
      const auto answered = Clock::now();
      if (viewer->mnuprint->isEnabled()) viewer->wb->WaitForLoad(30000);
      return Switch{Ms(answered - start), Ms(Clock::now() - start), boxes};
    };

    double freeWhole = 0;
    constexpr int kFreeSwitches = 10;
    for (int i = 0; i < kFreeSwitches; ++i) freeWhole += change().whole;

    QProcess locker;
    locker.start(QStringLiteral("sqlite3"), {database});
    if (!locker.waitForStarted()) {
      state.SkipWithError("the sqlite3 shell is needed");
      qw::SetMsgBoxHandler(previous);
      return;
    }
    QByteArray script = ".timeout 60000\n";
    for (int i = 0; i < 2000; ++i)
      script += QStringLiteral("BEGIN EXCLUSIVE;\n.shell sleep %1\nCOMMIT;\n.shell sleep %2\n")
                    .arg(holdMs / 1000.0)
                    .arg(freeMs / 1000.0)
                    .toUtf8();
    locker.write(script);
    locker.waitForBytesWritten();

    double freezeSum = 0, wholeSum = 0, freezeMax = 0, wholeMax = 0;
    int boxesMax = 0, told = 0;
    for (auto _ : state) {
      const Switch s = change();
      freezeSum += s.freeze;
      wholeSum += s.whole;
      freezeMax = std::max(freezeMax, s.freeze);
      wholeMax = std::max(wholeMax, s.whole);
      boxesMax = std::max(boxesMax, s.boxes);
      if (s.boxes > 0) ++told;
      state.SetIterationTime(s.whole / 1000.0);
    }
    locker.kill();
    locker.waitForFinished();
    const double n = static_cast<double>(state.iterations());
    state.counters["freeze_ms"] = freezeSum / n;
    state.counters["freeze_max_ms"] = freezeMax;
    state.counters["switch_ms"] = wholeSum / n;
    state.counters["switch_max_ms"] = wholeMax;
    state.counters["boxes_max"] = boxesMax;
    state.counters["told"] = told;
    state.counters["free_switch_ms"] = freeWhole / kFreeSwitches;
  }
  qw::SetMsgBoxHandler(previous);
}

}  // namespace

BENCHMARK(BM_ViewerSwitchUnderLockBursts)
    ->Args({1000, 300, 0})
    ->Args({1000, 300, 1})
    ->Args({400, 100, 0})
    ->Args({3000, 100, 0})
    ->Args({3000, 100, 1})
    ->Args({1400, 20, 0})
    ->Args({1400, 20, 1})
    ->Iterations(30)
    ->Unit(benchmark::kMillisecond)
    ->UseManualTime();

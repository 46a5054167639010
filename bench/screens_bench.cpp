// The search screen's Find and Show as a click runs them in the main window,
// with the wait window and the screens they show, each against its floor in
// the same iterations: Find against the same click without the wait window
// (Find alone), on the demo database; Show, from the search screen to the painted
// list (Back to Search in between, untimed), against the list query read on a
// warm raw SQLite connection, on the demo database and on the larger one named
// by QUAYWISE_BENCH_LARGE_DB (every marina, no edition filter). A click is
// done once its screens are painted.
#include <QApplication>
#include <QFile>
#include <QLabel>
#include <benchmark/benchmark.h>

#include "app/ui/choice_dialog.h"
#include "app/ui/mdi_frm_main.h"
#include "bench_support.h"
#include "data/marina_db.h"
#include "host/ui/screens.h"
#include "host/ui/window_host.h"
#include "platform/ui/tab_control.h"
#include "raw_sqlite.h"
#include "results/ui/frm_list.h"
#include "results/ui/register.h"
#include "search/result_query.h"
#include "search/ui/frm_criteria.h"
#include "search/ui/register.h"

namespace {

using namespace qw;

// The search screen over the database in the main window, as after the start
// choice.
class SearchScreen {
 public:
  SearchScreen(const QString& path, bool demoFilter) {
    bench::UseDatabase(path, demoFilter);
    saved_ = AppScreens();
    RegisterSearchScreens();
    RegisterResultScreens();
    ShowMainWindow();
    ChoiceDialog::Instance()->Comsearch_Click();
    screen_ = frmCriteria::Instance();
    QApplication::processEvents();
  }
  ~SearchScreen() {
    frmList::Unload();
    frmCriteria::Unload();
    MDIFrmMain::Unload();
    QApplication::sendPostedEvents(nullptr, QEvent::DeferredDelete);
    AppScreens() = saved_;
  }
  frmCriteria* operator->() const { return screen_; }

 private:
  Screens saved_;
  frmCriteria* screen_;
};

void FindAsClicked(benchmark::State& state, const QString& path) {
  if (!QFile::exists(path)) {
    state.SkipWithError("database missing");
    return;
  }
  const SearchScreen search(path, true);
  bench::TimeAgainst(
      state, "alone",
      [&] {
        search->cmdFind_Click();
        QApplication::processEvents();
        return true;
      },
      [&] {
        // The same click without its wait window: the tab's values, the
        // pointer, the caption, the clause, the connection, the count.
        search->AssignValuesFromControl(search->SSTab1->Tab());
        search->setCursor(Qt::WaitCursor);
        search->lblCount->setText(QStringLiteral("Searching marinas..."));
        const QString sql = BuildResultQuery(ResultQueryKind::Count, search->BuildWhereClause(), Settings(), SortOrder());
        OpenMyDatabase(Settings().DatabaseFileName);
        const Result<qint32> count = CountMarinas(*MyDatabase(), sql);
        MyDatabase()->Close();
        search->lblCount->setText(MarinasFoundCaption(count.value_or(0)));
        search->unsetCursor();
        QApplication::processEvents();
      });
  state.counters["caption_ok"] = search->lblCount->text().startsWith(QStringLiteral("Marinas Found: ")) ? 1 : 0;
}

void ShowAsClicked(benchmark::State& state, const QString& path, bool demoFilter) {
  if (!QFile::exists(path)) {
    state.SkipWithError("database missing");
    return;
  }
  const SearchScreen search(path, demoFilter);
  search->cmdShow_Click();  // loads the list, which gives the query to run raw
  QApplication::processEvents();
  frmList* list = frmList::Loaded();
  bench::RawSqlite raw(path);
  const QByteArray rawSql = TranslateJetSql(list->LastQuery()).toUtf8();
  if (raw.Run(rawSql).rows != list->GetMarinasCount()) {
    state.SkipWithError("the list and raw SQLite disagree");
    return;
  }
  bench::TimeAgainst(
      state, "raw",
      [&] {
        search->cmdShow_Click();
        QApplication::processEvents();
        return true;
      },
      [&] { benchmark::DoNotOptimize(raw.Run(rawSql)); },
      [&] {
        list->cmdOK_Click();
        QApplication::processEvents();
      });
  state.counters["marinas"] = list->GetMarinasCount();
  bench::CountMemory(state);
}

const bool registered = [] {
  benchmark::RegisterBenchmark("FindAsClicked/Demo", FindAsClicked, bench::DemoDatabase())->Unit(benchmark::kMillisecond);
  benchmark::RegisterBenchmark("ShowAsClicked/Demo", ShowAsClicked, bench::DemoDatabase(), true)
      ->Unit(benchmark::kMillisecond);
  const QString large = bench::LargeDatabase();
  if (!large.isEmpty())
    benchmark::RegisterBenchmark("ShowAsClicked/Large", ShowAsClicked, large, false)
        ->Unit(benchmark::kMillisecond)
        ->Iterations(30);
  return true;
}();

}  // namespace

// The report viewer switching to another marina of its list, from the click
// until the browser has loaded the new page: suppression flags, the report
// connection reopened, the page composed and written, and its load. Over the
// 227 demo marinas in list order.
#include <QListWidget>
#include <benchmark/benchmark.h>

#include "app/ui/screens.h"
#include "data/marina_db.h"
#include "platform/program.h"
#include "platform/ui/browser.h"
#include "report/ui/frm_view_report.h"
#include "services/settings.h"

namespace {

QString DemoFolder() { return QStringLiteral(QUAYWISE_PROGRAM_DIR); }

struct Entry {
  QString name;
  std::int32_t no;
};

void BM_ViewerSwitchToAnotherMarina(benchmark::State& state) {
  qw::AppSettings& s = qw::Settings();
  s = qw::AppSettings{};
  s.DataFolder = DemoFolder() + QStringLiteral("/Database");
  s.DatabaseFileName = QStringLiteral("marina.mdb");
  s.PhotosFolder = DemoFolder() + QStringLiteral("/Photos");
  s.EditionName = QStringLiteral("New England");
  qw::SetProgramFolder(DemoFolder());

  // The list as the result list would hand it: every demo marina.
  QList<Entry> entries;
  {
    const qw::DatabasePtr db = qw::OpenMarinaDatabase();
    const qw::RecordsetPtr rs = db->OpenRecordset(QStringLiteral(
        "select rpm_Vyk.MarinaNo, [Marina Name] from rpm_Vyk inner join rpm_marinaname_no on "
        "rpm_Vyk.MarinaNo = rpm_marinaname_no.MarinaNo order by [Geo Code], [N/S#]"));
    for (; !rs->Eof(); rs->MoveNext())
      entries.append({rs->Fields(QStringLiteral("Marina Name")).Value().toString(),
                      rs->Fields(QStringLiteral("MarinaNo")).Value().toInt()});
    db->Close();
  }
  qw::Screens& screens = qw::AppScreens();
  const qw::Screens saved = screens;
  screens.listMarinasCount = [&] { return static_cast<int>(entries.size()); };
  screens.listMarinaName = [&](int row) { return entries.value(row - 1).name; };
  screens.listMarinaNo = [&](int row) { return entries.value(row - 1).no; };

  qw::ShowReport(qw::ReportHandOver{qw::ReportHandOver::Road::List, 1, entries.value(0).no});
  qw::frm_view_report* viewer = qw::frm_view_report::Loaded();
  if (!viewer || !viewer->wb->WaitForLoad(30000)) {
    state.SkipWithError("the first report did not load");
  } else {
    int index = 0;
    for (auto _ : state) {
      index = (index + 1) % static_cast<int>(entries.size());
      viewer->lstMarinaNames->setCurrentRow(index);
      if (!viewer->wb->WaitForLoad(30000)) {
        state.SkipWithError("a report did not load");
        break;
      }
    }
  }
  qw::frm_view_report::Unload();
  screens = saved;
  qw::SetProgramFolder(QString());
}

}  // namespace

BENCHMARK(BM_ViewerSwitchToAnotherMarina)->Unit(benchmark::kMillisecond)->UseRealTime();

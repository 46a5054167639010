#include "demo_viewer.h"

#include <QCoreApplication>

#include "bench_support.h"
#include "data/marina_db.h"
#include "platform/program.h"
#include "platform/ui/browser.h"
#include "report/ui/frm_view_report.h"
#include "services/settings.h"

DemoViewer::DemoViewer(const QString& database) {
  const QString demo = qw::bench::DemoFolder();
  qw::bench::UseDatabase(database.isEmpty() ? demo + QStringLiteral("/Database/marina.mdb") : database, false);
  qw::Settings().PhotosFolder = demo + QStringLiteral("/Photos");
  {
    const qw::DatabasePtr db = qw::OpenMarinaDatabase();
    const qw::RecordsetPtr rs = db->OpenRecordset(QStringLiteral(
        "select rpm_Vyk.MarinaNo, [Marina Name] from rpm_Vyk inner join rpm_marinaname_no on "
        "rpm_Vyk.MarinaNo = rpm_marinaname_no.MarinaNo order by [Geo Code], [N/S#]"));
    for (; !rs->Eof(); rs->MoveNext())
      entries_.append({rs->Fields(QStringLiteral("Marina Name")).Value().toString(),
                       rs->Fields(QStringLiteral("MarinaNo")).Value().toInt()});
    db->Close();
  }
  qw::Screens& screens = qw::AppScreens();
  saved_ = screens;
  screens.listMarinasCount = [this] { return static_cast<int>(entries_.size()); };
  screens.listMarinaName = [this](int row) { return entries_.value(row - 1).name; };
  screens.listMarinaNo = [this](int row) { return entries_.value(row - 1).no; };

  qw::ShowReport(qw::ReportHandOver{qw::ReportHandOver::Road::List, 1, entries_.value(0).no});
  viewer_ = qw::frm_view_report::Loaded();
  if (viewer_ && !viewer_->wb->WaitForLoad(30000)) viewer_ = nullptr;
}

DemoViewer::~DemoViewer() {
  qw::frm_view_report::Unload();
  // The viewer's browsers go before the engine's profile does.
  QCoreApplication::sendPostedEvents(nullptr, QEvent::DeferredDelete);
  qw::AppScreens() = saved_;
  qw::SetProgramFolder(QString());
}

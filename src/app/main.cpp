#include <QApplication>
#include <QIcon>
#include <QImage>
#include <QPixmap>
#include <memory>

#include "app/ui/frm_logo.h"
#include "app/ui/frm_splash.h"
#include "data/marina_db.h"
#include "maps/ui/register.h"
#include "platform/message_box.h"
#include "platform/print_job.h"
#include "platform/program.h"
#include "platform/temp_pages.h"
#include "platform/ui/message_box_widgets.h"
#include "platform/ui/window_frame.h"
#include "report/ui/register.h"
#include "results/ui/register.h"
#include "search/ui/register.h"
#include "services/page_setup.h"
#include "services/settings.h"

int main(int argc, char** argv) {
  QApplication app(argc, argv);
  QApplication::setApplicationName(QStringLiteral("Quaywise"));
  // The windows carry the compass of the program's logo as their icon.
  const QImage logo(qw::ProgramFolder() + QStringLiteral("/pictures/logo.png"));
  if (!logo.isNull()) QApplication::setWindowIcon(QIcon(QPixmap::fromImage(logo.copy(44, 16, 160, 160))));
  // The program ends with its main window (or when the start refuses to go
  // on), never merely because the logo closed while the splash, which the
  // desktop does not count as a window of its own, is up.
  QApplication::setQuitOnLastWindowClosed(false);
  qw::InstallWidgetMessageBoxes();
  qw::RaiseActiveWindowsWithoutWindowManager();
  qw::LookAfterDialogs();
  // One copy at a time: a second would write over the first one's report
  // pages and store notes over the ones the first is showing. The program
  // folder is held now; the database, which another folder's copy may use
  // too, once the settings name it.
  static std::unique_ptr<qw::CopyLock> running = qw::LockProgramFolder(qw::ProgramFolder());
  if (!running) {
    qw::MsgBox(qw::kAlreadyRunningMessage, qw::MsgButtons::OK, qw::MsgIcon::Information);
    return 0;
  }
  qw::AtProgramEnd([] { running->Unlock(); });
  static std::unique_ptr<qw::CopyLock> database;
  qw::DatabaseGuard() = [] {
    database = qw::LockDatabase(qw::MarinaDatabasePath(qw::Settings().DatabaseFileName));
    return database != nullptr;
  };
  qw::AtProgramEnd([] {
    if (database) database->Unlock();
  });
  // Print pages a killed run left behind may hold personal notes.
  qw::RemoveLeftoverTempPageFolders();
  // Pages of failed prints are kept for the user a month.
  qw::RemoveOldKeptPrints();
  qw::InstallPageSetupStore();
  // The windows of the other subsystems fill in the screen table.
  qw::RegisterSearchScreens();
  qw::RegisterResultScreens();
  qw::RegisterReportScreens();
  qw::RegisterMapScreens();
  qw::ShowLogo();
  return app.exec();
}

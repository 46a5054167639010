#pragma once
// The report viewer over a copy of the demo database and the real result
// list: opening it on a marina as a double-click in the list does, and
// reading what the database keeps.
#include <QCoreApplication>
#include <QElapsedTimer>
#include <QFile>
#include <QListWidget>
#include <QPointer>
#include <QWebEngineScript>
#include <functional>

#include "data/marina_db.h"
#include "platform/ui/browser.h"
#include "platform/ui/flex_grid.h"
#include "platform/ui/message_box_widgets.h"
#include "platform/ui/window_frame.h"
#include "report/notes.h"
#include "report/report_files.h"
#include "report/ui/frm_view_report.h"
#include "report/ui/register.h"
#include "results/ui/list_fixture.h"
#include "results/ui/register.h"

namespace qw::testing {

// Runs the event loop until done() holds or ms have passed; whether it holds.
inline bool WaitFor(const std::function<bool()>& done, int ms = 60000) {
  QElapsedTimer timer;
  timer.start();
  while (!done() && timer.elapsed() < ms) QCoreApplication::processEvents(QEventLoop::AllEvents, 10);
  return done();
}

// The result of a script of the program's own world on the shown page;
// invalid when none came within ten seconds.
inline QVariant Evaluate(WebBrowser* wb, const QString& script) {
  QVariant result;
  bool done = false;
  wb->Page()->runJavaScript(script, QWebEngineScript::ApplicationWorld, [&](const QVariant& v) {
    result = v;
    done = true;
  });
  WaitFor([&] { return done; }, 10000);
  return result;
}

class ViewerWindowTest : public ListWindowTest {
 protected:
  void SetUp() override {
    ListWindowTest::SetUp();
    RegisterResultScreens();
    RegisterReportScreens();
    AppScreens().clearMapFormload = [this] { ++mapKeysCleared_; };
    AppScreens().unloadList = [this] { ++listUnloaded_; };
    DropKeptNotes();
  }
  void TearDown() override {
    frm_view_report::Unload();
    DropKeptNotes();
    QCoreApplication::sendPostedEvents(nullptr, QEvent::DeferredDelete);
    ListWindowTest::TearDown();
  }

  // The result list's row of a marina (0 when it does not list it).
  static int RowOf(int marinaNo) {
    frmList* list = frmList::Instance();
    for (int r = 1; r <= list->GetMarinasCount(); ++r)
      if (list->GetMarinaNo(r) == marinaNo) return r;
    return 0;
  }
  // Double-clicks a marina's row of the result list; waits for its report.
  static frm_view_report* DoubleClick(int marinaNo) {
    frmList* list = frmList::Instance();
    list->fgList->SetRow(RowOf(marinaNo));
    list->fgList_DblClick();
    return Shown();
  }
  // The viewer once its page has loaded.
  static frm_view_report* Shown() {
    frm_view_report* v = frm_view_report::Loaded();
    if (v) {
      EXPECT_TRUE(v->wb->WaitForLoad(30000));
    }
    return v;
  }
  static QString Page() {
    QFile f(ReportPagePath());
    return f.open(QIODevice::ReadOnly) ? QString::fromUtf8(f.readAll()) : QString();
  }
  static QString StoredNotes(int marinaNo) {
    const DatabasePtr db = OpenMarinaDatabase(-1, true);
    return ReadNotes(*db, marinaNo);
  }
  // Selects an entry (0-based) of the viewer's list; whether its page loaded.
  static bool ShowEntry(frm_view_report* v, int entry) {
    v->lstMarinaNames->setCurrentRow(entry);
    return v->wb->WaitForLoad(30000);
  }
  // No page stays up and nothing can be printed.
  static void ExpectNoPage(frm_view_report* v) {
    EXPECT_EQ(v->wb->Url(), QUrl("about:blank"));
    EXPECT_FALSE(v->mnuprint->isEnabled());
  }
  // The copied marina database made read-only (as on a CD) or writable again.
  void SetDatabaseReadOnly(bool on) {
    QFile::setPermissions(folder_.DatabasePath(), on ? QFile::ReadOwner | QFile::ReadGroup | QFile::ReadOther
                                                     : QFile::ReadOwner | QFile::WriteOwner);
  }

  int mapKeysCleared_ = 0;
  int listUnloaded_ = 0;
};

// The same with the program's real message boxes and its care of dialogs.
class RealDialogsViewerTest : public ViewerWindowTest {
 protected:
  void SetUp() override {
    ViewerWindowTest::SetUp();
    InstallWidgetMessageBoxes();
    LookAfterDialogs();
  }
  void TearDown() override {
    SetMsgBoxHandler(nullptr);
    ViewerWindowTest::TearDown();
  }
};

}  // namespace qw::testing

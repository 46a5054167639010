// Without a window manager nothing hands the keyboard back when a dialog
// closes: the program does, to the window that had it, so that the viewer's
// Alt+F opens its File menu again and no letter meant for a menu lands in
// the search screen's Marina Name.
#include <QApplication>
#include <QMenu>
#include <QMenuBar>
#include <QPushButton>
#include <QTest>
#include <QTimer>
#include <gtest/gtest.h>

#include "common/keyboard_to_nowhere.h"
#include "platform/ui/text_box.h"
#include "report/ui/frm_print_all.h"
#include "report/ui/report_print_commands.h"
#include "search/ui/frm_criteria.h"
#include "search/ui/register.h"
#include "viewer_fixture.h"

namespace qw {
namespace {

class DialogFocus : public testing::RealDialogsViewerTest {
 protected:
  void TearDown() override {
    frmCriteria::Unload();
    MDIFrmMain::Unload();
    RealDialogsViewerTest::TearDown();
  }
  // Closes the next modal dialog as the user would, once it is up.
  static void WhenUp(std::function<void(QWidget*)> close) {
    auto* poll = new QTimer(qApp);
    poll->start(50);
    QObject::connect(poll, &QTimer::timeout, [poll, close] {
      QWidget* dialog = QApplication::activeModalWidget();
      // The progress window closes by itself.
      if (!dialog || !dialog->isVisible() || dialog->objectName() == QLatin1String("frmprogress")) return;
      poll->deleteLater();
      close(dialog);
    });
  }
  // The keyboard is back on window: its Alt+F opens the File menu.
  static void ExpectKeyboardOn(QWidget* window, QMenu* file) {
    EXPECT_TRUE(testing::WaitFor([window] { return QApplication::activeWindow() == window; }, 2000));
    QTest::keyClick(window, Qt::Key_F, Qt::AltModifier);
    EXPECT_TRUE(testing::WaitFor([file] { return file->isVisible(); }, 2000));
    file->hide();
  }

  const AssumeWindowManager bare_{false};
  const testing::KeyboardToNowhere nowhere_;
};

TEST_F(DialogFocus, TheKeyboardGoesBackToTheViewerAfterEachDialog) {
  frm_view_report* viewer = DoubleClick(2608);
  ASSERT_NE(viewer, nullptr);
  viewer->activateWindow();
  ASSERT_TRUE(testing::WaitFor([viewer] { return QApplication::activeWindow() == viewer; }, 2000));
  const auto reject = [](QWidget* dialog) { static_cast<QDialog*>(dialog)->reject(); };
  const QList<std::tuple<const char*, std::function<void()>, std::function<void(QWidget*)>>> dialogs{
      {"Page Setup", [viewer] { viewer->mnuPage->trigger(); }, reject},
      {"Preview", [viewer] { viewer->mnuPrev->trigger(); }, reject},
      {"Print Report(s), Cancel", [viewer] { viewer->mnuAll->trigger(); },
       [](QWidget*) { frm_PrintAll::Instance()->CancelButton->click(); }},
      {"Print Marina Report: the progress window, then the print dialog (Cancel)",
       [viewer] { viewer->mnuprintmarinaDETAILS->trigger(); }, reject},
      {"message box", [] { MsgBox("The report could not be shown."); },
       [](QWidget* box) { box->findChild<QPushButton*>()->click(); }},
  };
  for (const auto& [name, open, close] : dialogs) {
    SCOPED_TRACE(name);
    WhenUp(close);
    open();
    ExpectKeyboardOn(viewer, viewer->mnuRstp);
  }
}

TEST_F(DialogFocus, NoLetterForAMenuLandsInMarinaName) {
  RegisterSearchScreens();
  MDIFrmMain* main = MDIFrmMain::Instance();
  main->show();
  CallScreen(AppScreens().showSearch);
  frmCriteria* search = frmCriteria::Instance();
  main->activateWindow();
  search->tbMarinaName->setFocus();
  ASSERT_TRUE(testing::WaitFor([main] { return QApplication::activeWindow() == main; }, 2000));
  WhenUp([](QWidget* box) { box->findChild<QPushButton*>()->click(); });
  search->cmdRemoveGeoCode->click();  // "Select the Region to remove"
  // The window has the keyboard again, and with it Marina Name; Alt+F goes to
  // the menu or Find Marinas (both take it), never into the box as a letter.
  EXPECT_TRUE(testing::WaitFor([main] { return QApplication::activeWindow() == main; }, 2000));
  EXPECT_EQ(QApplication::focusWidget(), search->tbMarinaName);
  QMenu* file = main->findChild<QMenu*>(QStringLiteral("mnuFile"));
  for (int press = 0; press < 2; ++press) QTest::keyClick(QApplication::focusWidget(), Qt::Key_F, Qt::AltModifier);
  EXPECT_TRUE(testing::WaitFor([file] { return file->isVisible(); }, 2000));
  file->hide();
  EXPECT_EQ(search->tbMarinaName->text(), "");
}

}  // namespace
}  // namespace qw

#include <QLabel>
#include <QPointer>
#include <QProgressBar>
#include <QPushButton>
#include <QTimer>
#include <gtest/gtest.h>

#include "app/ui/frm_logo.h"
#include "app/ui/ui_helpers.h"
#include "host/ui/frm_progress.h"
#include "host/ui/frm_wait.h"
#include "host/ui/window_host.h"

namespace qw {
namespace {

// The logo, wait and progress windows: an empty caption, a close button and
// no minimise or maximise buttons, each of its kind.
TEST(SmallWindows, HaveAnEmptyCaptionAndNoMinimiseOrMaximiseButtons) {
  frmLogo logo;
  logo.Timer1->stop();
  frmWait wait;
  frmprogress progress;
  progress.Timer1->stop();
  const std::pair<QWidget*, Qt::WindowType> windows[] = {
      {&logo, Qt::Window}, {&wait, Qt::Dialog}, {&progress, Qt::Tool}};
  for (const auto& [window, kind] : windows) {
    SCOPED_TRACE(window->objectName().toStdString());
    window->show();
    EXPECT_EQ(window->windowTitle(), "");
    EXPECT_EQ(window->windowType(), kind);
    const Qt::WindowFlags flags = window->windowFlags();
    EXPECT_TRUE(flags.testFlag(Qt::CustomizeWindowHint) && flags.testFlag(Qt::WindowCloseButtonHint));
    EXPECT_FALSE(flags & (Qt::WindowMinimizeButtonHint | Qt::WindowMaximizeButtonHint));
  }
}

TEST(ProgressWindow, ClosesItselfOnTheTenthStep) {
  frmprogress progress;
  progress.show();
  EXPECT_EQ(progress.ProgressBar1->minimum(), 0);
  EXPECT_EQ(progress.ProgressBar1->maximum(), 100);
  EXPECT_EQ(progress.ProgressBar1->value(), 0);
  EXPECT_EQ(progress.Timer1->interval(), 100);
  for (int step = 1; step <= 9; ++step) {
    progress.Timer1_Timer();
    EXPECT_EQ(progress.ProgressBar1->value(), step * 10);
    EXPECT_TRUE(progress.isVisible());
  }
  progress.Timer1_Timer();
  EXPECT_FALSE(progress.isVisible());
  EXPECT_EQ(progress.result(), QDialog::Accepted);
  EXPECT_FALSE(progress.Timer1->isActive());
}

TEST(ProgressWindow, EachModalShowingStartsFromZeroAndReturns) {
  const int saved = frmprogress::TimerInterval();
  frmprogress::TimerInterval() = 2;
  int shown = 0;
  for (int round = 0; round < 2; ++round) {
    QTimer::singleShot(0, [&] {
      for (QWidget* w : QApplication::topLevelWidgets())
        if (auto* p = qobject_cast<frmprogress*>(w); p && p->isVisible()) {
          EXPECT_LE(p->ProgressBar1->value(), 10);
          ++shown;
        }
    });
    ShowPrintProgress();  // returns after ten steps
    // The finished window goes; none stays behind, hidden.
    QCoreApplication::sendPostedEvents(nullptr, QEvent::DeferredDelete);
    for (QWidget* w : QApplication::topLevelWidgets()) EXPECT_EQ(qobject_cast<frmprogress*>(w), nullptr);
  }
  EXPECT_EQ(shown, 2);
  frmprogress::TimerInterval() = saved;
}

TEST(WaitWindow, ShowsUntilUnloadedOrCancelled) {
  QPointer<frmWait> wait = ShowWaitWindow();
  ASSERT_TRUE(wait);
  EXPECT_TRUE(wait->isVisible());
  EXPECT_TRUE(wait->HasPainted()) << "drawn before the caller's query blocks";
  EXPECT_EQ(wait->lblWait->text(), "Searching... Please Wait.");
  EXPECT_EQ(wait->cmdCancel->text(), "&Cancel");
  EXPECT_EQ(wait->windowTitle(), "");
  UnloadWaitWindow();
  EXPECT_TRUE(uitest::WaitFor([&] { return wait.isNull(); }));
  EXPECT_EQ(frmWait::Loaded(), nullptr);

  wait = ShowWaitWindow();
  wait->cmdCancel->click();
  EXPECT_TRUE(uitest::WaitFor([&] { return wait.isNull(); }));
  UnloadWaitWindow();  // the search that showed it ends normally
  EXPECT_EQ(frmWait::Loaded(), nullptr);
}

}  // namespace
}  // namespace qw

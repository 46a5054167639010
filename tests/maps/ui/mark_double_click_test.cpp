// A double-click on a map mark, as users make it (the keys grid and the hint
// box speak of double-clicks): the mark's single click opens its marina, and
// the rest of the double-click, coming as the report opens, reaches nothing
// that now lies where the map was (the result list, whose own double-click
// opens its current row). The mouse comes as the display sends it: to the
// main window at the pointer, with its times.
#include <QApplication>
#include <QTest>
#include <QTimer>
#include <gtest/gtest.h>

#include "common/store_faults.h"
#include "maps/map_table.h"
#include "maps/ui/frm_subregion.h"
#include "maps/ui/map_controls.h"
#include "maps/ui/register.h"
#include "platform/jet.h"
#include "report/ui/viewer_fixture.h"

namespace qw {
namespace {

class MarkDoubleClick : public testing::ViewerWindowTest {
 protected:
  void SetUp() override {
    ViewerWindowTest::SetUp();
    RegisterMapScreens();
    AppScreens().hideSearch = [] {};
    AppScreens().unloadSearch = [] {};
    list_ = ShowListInMainWindow();
    ASSERT_NE(list_, nullptr);
    ASSERT_GT(list_->GetMarinasCount(), 100);
  }
  void TearDown() override {
    UnloadSubRegionMaps();
    MDIFrmMain::Unload();
    ViewerWindowTest::TearDown();
  }

  // One button event at a point of the main window, at a time in ms.
  static void Mouse(QEvent::Type type, QPoint at, int time) {
    QWidget* main = MDIFrmMain::Instance();
    const Qt::MouseButtons held = type == QEvent::MouseButtonPress ? Qt::LeftButton : Qt::NoButton;
    qt_handleMouseEvent(main->windowHandle(), at, main->mapToGlobal(at), held, Qt::LeftButton, type, Qt::NoModifier,
                        time);
  }
  // A double-click at a point, its second press `gap` ms after the first:
  // the first click's work opens the report, and the second press comes as
  // soon as that work lets the program look at its input.
  static void DoubleClickAt(QPoint at, int time, int gap) {
    Mouse(QEvent::MouseButtonPress, at, time);
    QTimer::singleShot(0, [at, time, gap] {
      Mouse(QEvent::MouseButtonPress, at, time + gap);
      Mouse(QEvent::MouseButtonRelease, at, time + gap + 40);
    });
    Mouse(QEvent::MouseButtonRelease, at, time + 40);
  }
  // Lets the double-click time pass with the program running.
  static void Settle() {
    testing::WaitFor([] { return false; }, QApplication::doubleClickInterval() + 100);
    QCoreApplication::sendPostedEvents(nullptr, QEvent::DeferredDelete);
  }

  frmList* list_ = nullptr;
};

// A marina chosen on a map while another program holds the database's lock:
// the name's look-up and the report's read wait for it once in all, and the
// failure is told once.
TEST_F(MarkDoubleClick, AMarkMetByALockWaitsOnceInAll) {
  SubRegionMapWindow* window = ShowSubRegionMap(1);
  ASSERT_NE(window, nullptr);
  testing::InjectedFault lock(testing::StoreFault::Lock, folder_.DatabasePath());
  boxes_.Clear();
  const qint64 before = LockWaitedMs();
  window->Img_Click(maps::SubRegionMaps()[0].marks[0]);
  EXPECT_LE(LockWaitedMs() - before, 1500);
  EXPECT_EQ(boxes_.Shown().size(), 1);
}

TEST_F(MarkDoubleClick, TwentyOfTwentyOpenTheMarinaClicked) {
  // Twenty marks across the maps, double-clicked at the speeds users click.
  const int gaps[] = {90, 150, 220, 300, 360};
  int time = 1000000;
  int opened = 0;
  for (int round = 0; round < 20; ++round) {
    const maps::SubRegionMap& map = maps::SubRegionMaps()[size_t(round % 12)];
    const maps::MapMark& mark = map.marks[size_t(round * 7 % map.marks.size())];
    SCOPED_TRACE(qPrintable(map.windowName + " " + mark.ControlName()));
    SubRegionMapWindow* window = ShowSubRegionMap(map.k);
    ASSERT_NE(window, nullptr);
    QApplication::processEvents();
    MapHotSpot* img = window->Img(mark.number);
    const QPoint at = img->mapTo(MDIFrmMain::Instance(), img->rect().center());
    // The list lies where the map is: what the rest of the double-click
    // would meet there.
    time += 10000;
    DoubleClickAt(at, time, gaps[round % 5]);
    frm_view_report* viewer = Shown();
    ASSERT_NE(viewer, nullptr);
    Settle();
    ASSERT_TRUE(viewer->wb->WaitForLoad(30000));
    if (viewer->CurrentMarinaNo() == mark.marinaNo) ++opened;
    EXPECT_EQ(viewer->CurrentMarinaNo(), mark.marinaNo);
    frm_view_report::Unload();
    QCoreApplication::sendPostedEvents(nullptr, QEvent::DeferredDelete);
  }
  EXPECT_EQ(opened, 20);

  // The list's own double-click is as it was, on a row and on the grid's
  // empty area (its current row).
  list_->fgList->SetRow(3);
  QWidget* viewport = list_->fgList->viewport();
  const QPoint empty = viewport->mapTo(MDIFrmMain::Instance(), QPoint(viewport->width() - 3, viewport->height() - 3));
  time += 10000;
  Mouse(QEvent::MouseButtonPress, empty, time);
  Mouse(QEvent::MouseButtonRelease, empty, time + 40);
  Mouse(QEvent::MouseButtonPress, empty, time + 150);
  Mouse(QEvent::MouseButtonRelease, empty, time + 190);
  frm_view_report* viewer = Shown();
  ASSERT_NE(viewer, nullptr);
  EXPECT_EQ(viewer->CurrentMarinaNo(), list_->GetMarinaNo(3));
}

}  // namespace
}  // namespace qw

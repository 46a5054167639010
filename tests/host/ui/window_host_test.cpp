// The one-instance access every window class gets from the window host.
#include <QApplication>
#include <QMdiArea>
#include <QMdiSubWindow>
#include <QPointer>
#include <gtest/gtest.h>
#include <stdexcept>

#include "app/ui/mdi_frm_main.h"
#include "host/ui/window_host.h"

namespace qw {
namespace {

struct Hooks {
  int loads = 0;
  int activations = 0;
  int unloads = 0;
  bool failLoad = false;
};
Hooks& Calls() {
  static Hooks hooks;
  return hooks;
}

class frmTop : public QWidget, public OneInstance<frmTop> {
 public:
  void Form_Load() {
    ++Calls().loads;
    if (Calls().failLoad) throw std::runtime_error("load failed");
  }
  void Form_Unload() { ++Calls().unloads; }
};

class frmChild : public QWidget, public OneInstance<frmChild> {
 public:
  static constexpr bool kMdiChild = true;
  void Form_Activate() { ++Calls().activations; }
};

TEST(OneInstance, CreatedAndLoadedOnceUnloadedOnceAndAFailedLoadLeavesNothing) {
  Calls() = {};
  EXPECT_EQ(frmTop::Loaded(), nullptr) << "Loaded() never loads";
  QPointer<frmTop> top = frmTop::Instance();
  EXPECT_EQ(frmTop::Instance(), top.data());
  EXPECT_EQ(frmTop::Loaded(), top.data());
  EXPECT_EQ(Calls().loads, 1);
  frmTop::Unload();
  frmTop::Unload();
  EXPECT_EQ(frmTop::Loaded(), nullptr);
  EXPECT_EQ(Calls().unloads, 1);
  QCoreApplication::sendPostedEvents(nullptr, QEvent::DeferredDelete);
  EXPECT_TRUE(top.isNull());

  Calls().failLoad = true;
  EXPECT_THROW(frmTop::Instance(), std::runtime_error);
  EXPECT_EQ(frmTop::Loaded(), nullptr);
  Calls().failLoad = false;
  EXPECT_NE(frmTop::Instance(), nullptr);
  frmTop::Unload();
}

TEST(OneInstance, AnMdiChildIsPlacedWhenTheMainWindowExistsAndFollowsItsFrame) {
  Calls() = {};
  frmChild* alone = frmChild::Instance();
  EXPECT_EQ(FrameOf(alone), alone) << "no main window is created for it";
  frmChild::Unload();
  QCoreApplication::sendPostedEvents(nullptr, QEvent::DeferredDelete);

  MDIFrmMain::Instance()->show();
  frmChild* child = frmChild::Instance();
  auto* frame = qobject_cast<QMdiSubWindow*>(FrameOf(child));
  ASSERT_NE(frame, nullptr);
  ShowInMainWindow(child);
  EXPECT_GE(Calls().activations, 1);
  const int before = Calls().activations;
  MDIFrmMain::Instance()->MdiArea()->setActiveSubWindow(nullptr);
  MDIFrmMain::Instance()->MdiArea()->setActiveSubWindow(frame);
  EXPECT_EQ(Calls().activations, before + 1);
  frmChild::Unload();
  MDIFrmMain::Unload();
}

}  // namespace
}  // namespace qw

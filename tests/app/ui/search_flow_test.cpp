// The main window with the real search screen and result list: the toolbar
// follows the screen the user is on through a whole search.
#include <QAction>
#include <QLabel>
#include <QPushButton>
#include <gtest/gtest.h>

#include "app/ui/mdi_frm_main.h"
#include "common/testing.h"
#include "host/ui/screens.h"
#include "platform/message_box.h"
#include "results/ui/frm_list.h"
#include "results/ui/register.h"
#include "search/ui/frm_criteria.h"
#include "search/ui/register.h"
#include "services/settings.h"
#include "ui_helpers.h"

namespace qw {
namespace {

bool Enabled(int button) { return MDIFrmMain::Instance()->ToolbarButton(button)->isEnabled(); }

TEST(SearchFlow, FindShowAndBackKeepTheToolbarInStepWithTheScreen) {
  testing::TempProgramFolder folder;
  ScriptedMsgBoxes boxes;
  const Screens saved = AppScreens();
  RegisterSearchScreens();
  RegisterResultScreens();
  MDIFrmMain* main = MDIFrmMain::Instance();
  main->show();

  CallScreen(AppScreens().showSearch);
  frmCriteria* search = frmCriteria::Instance();
  ASSERT_TRUE(uitest::WaitFor([] { return ScreenMode() == ScreenKind::Search && Enabled(4); }));
  EXPECT_FALSE(Enabled(6));

  search->cmdFind->click();
  EXPECT_EQ(search->lblCount->text(), "Marinas Found: 227");

  main->Toolbar1_ButtonClick(5);  // Show
  ASSERT_TRUE(uitest::WaitFor([] { return frmList::Loaded() && frmList::Loaded()->isVisible(); }));
  EXPECT_TRUE(uitest::WaitFor([] { return ScreenMode() == ScreenKind::List; }, 2000)) << "mode " << static_cast<int>(ScreenMode());
  EXPECT_EQ(uitest::ButtonsOnOff({3, 6, 7, 4}), "ooox");
  EXPECT_EQ(frmList::Loaded()->GetMarinasCount(), 227);

  main->Toolbar1_ButtonClick(3);  // Back to Search
  EXPECT_TRUE(uitest::WaitFor([] { return ScreenMode() == ScreenKind::Search; }, 2000));
  EXPECT_EQ(uitest::ButtonsOnOff({4, 6}), "ox");

  // Closed by its close box, the screen goes; Back to Search brings it back.
  FrameOf(frmCriteria::Loaded())->close();
  EXPECT_EQ(frmCriteria::Loaded(), nullptr);
  EXPECT_EQ(uitest::ButtonsOnOff({3, 4}), "ox");
  EXPECT_EQ(uitest::OnOff({main->mnuSearch, main->mnuFind}), "ox");
  main->Toolbar1_ButtonClick(3);
  ASSERT_TRUE(uitest::WaitFor([] { return frmCriteria::Loaded() && frmCriteria::Loaded()->isVisible(); }));
  EXPECT_TRUE(uitest::WaitFor([] { return Enabled(4); }, 2000));
  AppScreens() = saved;
  MDIFrmMain::Unload();
}

}  // namespace
}  // namespace qw

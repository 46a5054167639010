// The main window with the real search screen and result list: the toolbar
// follows the screen the user is on through a whole search.
#include <QAction>
#include <QLabel>
#include <QPushButton>
#include <gtest/gtest.h>

#include "services/settings.h"
#include "app/ui/main_window.h"
#include "app/ui/screens.h"
#include "common/testing.h"
#include "platform/message_box.h"
#include "results/ui/frm_list.h"
#include "results/ui/register.h"
#include "search/ui/criteria_window.h"
#include "search/ui/register.h"
#include "ui_helpers.h"

namespace qw {
namespace {

bool Enabled(int button) { return MainWindow()->ToolbarButton(button)->isEnabled(); }

TEST(SearchFlow, FindShowAndBackKeepTheToolbarInStepWithTheScreen) {
  testing::TempProgramFolder folder;
  ScriptedMsgBoxes boxes;
  const Screens saved = AppScreens();
  RegisterSearchScreens();
  RegisterResultScreens();
  MDIFrmMain* main = MainWindow();
  main->show();

  CallScreen(AppScreens().showSearch);
  frmCriteria* search = CriteriaScreen();
  ASSERT_TRUE(uitest::WaitFor([] { return ScreenMode() == 0 && Enabled(4); }));
  EXPECT_FALSE(Enabled(6));

  search->cmdFind->click();
  EXPECT_EQ(search->lblCount->text(), "Marinas Found: 227");

  main->Toolbar1_ButtonClick(5);  // Show
  ASSERT_TRUE(uitest::WaitFor([] { return FrmList::Loaded() && FrmList::Loaded()->isVisible(); }));
  EXPECT_TRUE(uitest::WaitFor([] { return ScreenMode() == 1; }, 2000)) << "mode " << ScreenMode();
  EXPECT_TRUE(Enabled(3));
  EXPECT_TRUE(Enabled(6));
  EXPECT_TRUE(Enabled(7));
  EXPECT_FALSE(Enabled(4));
  EXPECT_EQ(FrmList::Loaded()->GetMarinasCount(), 227);

  main->Toolbar1_ButtonClick(3);  // Back to Search
  EXPECT_TRUE(uitest::WaitFor([] { return ScreenMode() == 0; }, 2000));
  EXPECT_TRUE(Enabled(4));
  EXPECT_FALSE(Enabled(6));
  AppScreens() = saved;
  DestroyMainWindow();
}

}  // namespace
}  // namespace qw

#include <QAction>
#include <QMdiArea>
#include <QMdiSubWindow>
#include <QStyle>
#include <QStyleOptionTitleBar>
#include <QPointer>
#include <QSqlDatabase>
#include <QSqlQuery>
#include <gtest/gtest.h>

#include "app/ui/choice_dialog.h"
#include "app/ui/clickable_label.h"
#include "app/ui/mdi_frm_main.h"
#include "common/testing.h"
#include "data/marina_db.h"
#include "host/ui/screens.h"
#include "platform/message_box.h"
#include "services/settings.h"
#include "ui_helpers.h"

namespace qw {
namespace {

class StartChoice : public ::testing::Test {
 protected:
  void SetUp() override {
    // A database of its own with an empty hint table.
    {
      QSqlDatabase db = QSqlDatabase::addDatabase(QStringLiteral("QSQLITE"), QStringLiteral("choice_test"));
      db.setDatabaseName(folder_.DatabasePath());
      ASSERT_TRUE(db.open());
      QSqlQuery q(db);
      ASSERT_TRUE(q.exec(QStringLiteral("CREATE TABLE chart_information (checkalert INTEGER)")));
      db.close();
    }
    QSqlDatabase::removeDatabase(QStringLiteral("choice_test"));
    saved_ = AppScreens();
    AppScreens().showSearch = [this] { calls.append(QStringLiteral("showSearch")); };
    AppScreens().showOverview = [this] { calls.append(QStringLiteral("showOverview")); };
    // The hint box writes its mark into the database while the choice waits for it.
    AppScreens().showAlertChart = [this] {
      calls.append(QStringLiteral("showAlertChart"));
      DatabasePtr db = OpenMarinaDatabase(2, false);
      db->Execute(QStringLiteral("INSERT INTO chart_information (checkalert) VALUES (1)"));
      db->Close();
    };
  }
  void TearDown() override {
    AppScreens() = saved_;
    MDIFrmMain::Unload();
  }

  testing::TempProgramFolder folder_{false};
  ScriptedMsgBoxes boxes_;
  Screens saved_;
  QStringList calls;
};

TEST_F(StartChoice, SwitchesScreenCommandsOffUntilAChoiceIsMade) {
  QPointer<ChoiceDialog> dialog = ShowChoiceDialog();
  EXPECT_EQ(dialog->Label3->text(), "Please select search type");
  EXPECT_EQ(dialog->Label1->text(), "Search Screen Interface");
  EXPECT_EQ(dialog->Label2->text(), "Map Interface");
  MDIFrmMain* main = MDIFrmMain::Instance();
  EXPECT_EQ(uitest::ButtonsOnOff({1, 2, 3, 4, 5, 6, 7, 8, 9, 10, 11, 12, 13}), "xxxxxxxoooxxo");
  EXPECT_EQ(uitest::OnOff({main->mnuOpen, main->mnuSave, main->mnuFind, main->mnuShow, main->mnuSearch,
                           main->mnuExit, main->mnuContents, main->mnuAbout}),
            "xxxxxooo");
  // It is a child window of the main window; closing it without a choice
  // leaves them off.
  auto* frame = qobject_cast<QMdiSubWindow*>(dialog->parentWidget());
  ASSERT_TRUE(frame);
  EXPECT_TRUE(main->MdiArea()->subWindowList().contains(frame));
  // Its picture box is centred on the window's outer size.
  main->show();
  frame->resize(500, 400);
  EXPECT_EQ(dialog->Picture1->pos(),
            QPoint(250 - dialog->Picture1->width() / 2, 200 - dialog->Picture1->height() / 2));
  // The user can close it: its title bar shows a close button.
  QStyleOptionTitleBar bar;
  bar.initFrom(frame);
  bar.titleBarFlags = frame->windowFlags();
  bar.subControls = QStyle::SC_TitleBarCloseButton;
  bar.rect = QRect(0, 0, frame->width(), frame->style()->pixelMetric(QStyle::PM_TitleBarHeight, &bar, frame));
  EXPECT_FALSE(frame->style()->subControlRect(QStyle::CC_TitleBar, &bar, QStyle::SC_TitleBarCloseButton, frame).isEmpty());
  frame->close();
  EXPECT_TRUE(uitest::WaitFor([&] { return dialog.isNull(); }));
  EXPECT_FALSE(main->ToolbarButton(1)->isEnabled());
  EXPECT_TRUE(calls.isEmpty());
}

// The main window may take its size (maximised by the desktop) after the
// choice has loaded, and it may change again later.
TEST_F(StartChoice, StaysCentredInTheMainWindowWhateverItsSize) {
  MDIFrmMain* main = MDIFrmMain::Instance();
  main->resize(600, 450);
  main->show();
  QPointer<ChoiceDialog> dialog = ShowChoiceDialog();
  QWidget* frame = dialog->parentWidget();
  QWidget* area = main->MdiArea()->viewport();
  for (const QSize size : {QSize(600, 450), QSize(1200, 900), QSize(900, 700)}) {
    main->resize(size);
    EXPECT_TRUE(uitest::WaitFor([&] { return main->size() == size; }));
    const QPoint offset = frame->geometry().center() - area->rect().center();
    EXPECT_LE(offset.manhattanLength(), 2) << size.width() << "x" << size.height();
  }
}

TEST_F(StartChoice, SearchChoiceShowsTheSearchScreen) {
  for (int label = 0; label < 2; ++label) {
    QPointer<ChoiceDialog> dialog = ShowChoiceDialog();
    QPointer<QWidget> frame = dialog->parentWidget();
    uitest::Click(label ? static_cast<QWidget*>(dialog->Label1) : dialog->Comsearch);
    EXPECT_EQ(calls, QStringList({"showSearch"}));
    // The choice leaves no empty frame behind in the main window.
    EXPECT_TRUE(uitest::WaitFor([&] { return dialog.isNull() && frame.isNull(); }));
    calls.clear();
  }
}

TEST_F(StartChoice, MapChoiceShowsTheHintOnlyWhileTheTableIsEmpty) {
  QPointer<ChoiceDialog> dialog = ShowChoiceDialog();
  uitest::Click(dialog->Commaps);
  // The hint box could write its mark: the choice held no connection open.
  EXPECT_EQ(calls, QStringList({"showOverview", "showAlertChart"}));
  EXPECT_TRUE(uitest::WaitFor([&] { return dialog.isNull(); }));
  EXPECT_TRUE(boxes_.Shown().isEmpty());
  calls.clear();
  dialog = ShowChoiceDialog();
  uitest::Click(dialog->Label2);
  EXPECT_EQ(calls, QStringList({"showOverview"}));
  EXPECT_TRUE(uitest::WaitFor([&] { return dialog.isNull(); }));
}

TEST_F(StartChoice, MapChoiceWithoutTheMediumEndsTheProgram) {
  uitest::CatchProgramEnd catchEnd;
  Settings().DataFolder = folder_.Path() + QStringLiteral("/no-such-cd/Database");
  for (int label = 0; label < 2; ++label) {
    boxes_.Clear();
    ChoiceDialog* dialog = ShowChoiceDialog();
    EXPECT_THROW(label ? dialog->Label2_Click() : dialog->Commaps_Click(), uitest::ProgramEnded);
    ASSERT_EQ(boxes_.Shown().size(), 1);
    const MsgBoxCall& box = boxes_.Shown().first();
    EXPECT_EQ(box.text, "Please insert Quaywise CD-ROM into your CD drive and re-start the program.");
    EXPECT_EQ(box.icon, MsgIcon::Information);
    EXPECT_EQ(box.title, kAppTitle);
    EXPECT_TRUE(calls.isEmpty());
  }
}

TEST_F(StartChoice, MapChoiceOnAnUnreadableDatabaseStillShowsTheOverview) {
  Settings().DatabaseFileName = QStringLiteral("missing.mdb");
  QPointer<ChoiceDialog> dialog = ShowChoiceDialog();
  dialog->Label2_Click();
  EXPECT_EQ(calls, QStringList({"showOverview"}));
  EXPECT_TRUE(boxes_.Shown().isEmpty());
}

}  // namespace
}  // namespace qw

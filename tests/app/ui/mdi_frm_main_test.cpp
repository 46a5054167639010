#include <QAction>
#include <QCloseEvent>
#include <QGuiApplication>
#include <QMdiArea>
#include <QPushButton>
#include <QScopeGuard>
#include <QScreen>
#include <QTemporaryDir>
#include <QTest>
#include <QTextBrowser>
#include <QToolBar>
#include <QToolButton>
#include <gtest/gtest.h>

#include <stdexcept>

#include "app/ui/choice_dialog.h"
#include "app/ui/help_window.h"
#include "app/ui/mdi_frm_main.h"
#include "common/testing.h"
#include "host/ui/screens.h"
#include "platform/jet.h"
#include "platform/message_box.h"
#include "platform/ui/window_frame.h"
#include "report/notes.h"
#include "services/page_setup.h"
#include "services/settings.h"
#include "services/user_store.h"
#include "ui_helpers.h"

namespace qw {
namespace {

// Fills every entry of the screen table with a recorder.
class RecordedScreens {
 public:
  RecordedScreens() : saved_(AppScreens()) {
    Screens& s = AppScreens();
    const std::pair<std::function<void()> Screens::*, const char*> recorded[] = {
        {&Screens::showSearch, "showSearch"},     {&Screens::unloadSearch, "unloadSearch"},
        {&Screens::find, "find"},                 {&Screens::show, "show"},
        {&Screens::unloadList, "unloadList"},     {&Screens::sortDialog, "sortDialog"},
        {&Screens::unloadReport, "unloadReport"}, {&Screens::showOverview, "showOverview"},
        {&Screens::unloadOverview, "unloadOverview"}, {&Screens::clearMapFormload, "clearMapFormload"},
        {&Screens::showChartKey, "showChartKey"}, {&Screens::showMapKeysGrid, "showMapKeysGrid"},
        {&Screens::unloadMapKeysGrid, "unloadMapKeysGrid"}, {&Screens::unloadSubRegionMaps, "unloadSubRegionMaps"},
        {&Screens::showAlertChart, "showAlertChart"}};
    for (const auto& [entry, name] : recorded) s.*entry = [this, name] { calls.append(QLatin1String(name)); };
    s.loadCriteria = [this](const QString& f) { calls.append(QStringLiteral("loadCriteria ") + f); };
    s.saveCriteria = [this](const QString& f) {
      calls.append(QStringLiteral("saveCriteria ") + f);
      return saveSucceeds;
    };
    s.printList = [this] {
      calls.append(QStringLiteral("printList"));
      headerAtPrint = PageSetupValue(QStringLiteral("header"));
      footerAtPrint = PageSetupValue(QStringLiteral("footer"));
    };
    s.keepOpenForNotes = [this] {
      calls.append(QStringLiteral("keepOpenForNotes"));
      return keepOpenForNotes;
    };
    s.overviewKeyValue = [this] { return keyValue; };
  }
  ~RecordedScreens() { AppScreens() = saved_; }
  bool saveSucceeds = true;
  bool keepOpenForNotes = false;
  QStringList Take() {
    QStringList out = calls;
    calls.clear();
    return out;
  }

  QStringList calls;
  QString keyValue;
  QString headerAtPrint;
  QString footerAtPrint;

 private:
  Screens saved_;
};

class MainWindowTest : public ::testing::Test {
 protected:
  void SetUp() override { SetUserStoreFolder(store_.path()); }
  void TearDown() override {
    MDIFrmMain::Unload();
    SetUserStoreFolder(QString());
  }
  QTemporaryDir store_;
  testing::TempProgramFolder folder_{false};
  ScriptedMsgBoxes boxes_;
  RecordedScreens screens_;
};

TEST_F(MainWindowTest, MenusAndToolbar) {
  MDIFrmMain* main = MDIFrmMain::Instance();
  const struct {
    QAction* menu;
    const char* text;     // nullptr: not checked
    const char* shortcut; // "": none checked
  } menus[] = {{main->mnuOpen, "&Open", "Ctrl+O"},     {main->mnuSave, nullptr, "Ctrl+S"},
               {main->mnuExit, "E&xit", ""},           {main->mnuSearch, "Sea&rch", "Ctrl+R"},
               {main->mnuFind, nullptr, "Ctrl+F"},     {main->mnuShow, "S&how", "Ctrl+H"},
               {main->mnuContents, "Con&tents", ""},   {main->mnuAbout, "&About", ""}};
  for (const auto& m : menus) {
    SCOPED_TRACE(m.menu->objectName().toStdString() + " " + m.shortcut);
    if (m.text) {
      EXPECT_EQ(m.menu->text(), m.text);
    }
    if (*m.shortcut) {
      EXPECT_EQ(m.menu->shortcut(), QKeySequence(QString::fromLatin1(m.shortcut)));
    }
  }
  const QStringList captions{"Open", "Save", "Search", "Find", "Show",  "Sort", "Print",
                             "Intro", "Rating", "Help", "Maps", "Key", "Exit"};
  const QStringList tips{"Open Search criteria File", "Save Search Criteria File", "Back to Search",
                         "Find Marinas", "Show Marinas", "Sort Marinas ", "Print Search Results",
                         "Overview and Intro to Guide", "Explanation of Bell Ratings", "Help", "View Maps",
                         "MapKeys", "Exit"};
  for (int i = 1; i <= 13; ++i) {
    ASSERT_TRUE(main->ToolbarButton(i));
    EXPECT_EQ(main->ToolbarButton(i)->text(), captions[i - 1]);
    EXPECT_EQ(main->ToolbarButton(i)->toolTip(), tips[i - 1]);
    EXPECT_TRUE(main->ToolbarButton(i)->isEnabled());
  }
  EXPECT_EQ(main->ToolbarButton(0), nullptr);
  EXPECT_EQ(main->ToolbarButton(14), nullptr);
  main->Toolbar1_ButtonClick(14);
  main->Toolbar1_ButtonClick(0);
  EXPECT_TRUE(screens_.Take().isEmpty());
}

TEST_F(MainWindowTest, UpdateToolBoxKeepsWhatTheTableLeavesAlone) {
  MDIFrmMain* main = MDIFrmMain::Instance();
  main->ToolbarButton(9)->setEnabled(false);
  main->ToolbarButton(13)->setEnabled(false);
  ScreenMode() = ScreenKind::List;
  main->UpdateToolBox();
  EXPECT_EQ(uitest::ButtonsOnOff({8, 9, 10, 13, 6}), "xxoxo");
  EXPECT_EQ(uitest::OnOff({main->mnuSearch, main->mnuFind}), "ox");
  ScreenMode() = ScreenKind::Map;
  main->UpdateToolBox();
  EXPECT_EQ(uitest::ButtonsOnOff({9, 13, 12}), "ooo");
  ScreenMode() = ScreenKind::Search;
  main->UpdateToolBox();
  EXPECT_EQ(uitest::OnOff({main->mnuOpen, main->mnuSearch}), "ox");
  EXPECT_EQ(uitest::ButtonsOnOff({11, 12}), "ox");
  // Exit and the Help menu are never switched.
  EXPECT_TRUE(main->mnuExit->isEnabled());
  EXPECT_TRUE(main->mnuContents->isEnabled());
}

TEST_F(MainWindowTest, ToolbarCommandsCallTheirScreens) {
  MDIFrmMain* main = MDIFrmMain::Instance();
  main->ToolbarButton(3)->trigger();
  EXPECT_EQ(screens_.Take(), QStringList({"clearMapFormload", "unloadList", "showSearch", "unloadOverview",
                                          "unloadMapKeysGrid", "unloadSubRegionMaps"}));
  main->ToolbarButton(4)->trigger();
  main->ToolbarButton(5)->trigger();
  main->mnuFind->trigger();
  main->mnuShow->trigger();
  EXPECT_EQ(screens_.Take(), QStringList({"find", "show", "find", "show"}));
  main->ToolbarButton(6)->trigger();
  EXPECT_EQ(screens_.Take(), QStringList({"sortDialog", "show"}));
  main->ToolbarButton(11)->trigger();
  EXPECT_EQ(screens_.Take(), QStringList({"showOverview", "unloadSearch"}));
  screens_.keyValue = QStringLiteral("Overviewchart");
  main->ToolbarButton(12)->trigger();
  screens_.keyValue.clear();
  main->ToolbarButton(12)->trigger();
  EXPECT_EQ(screens_.Take(), QStringList({"showChartKey", "showMapKeysGrid"}));
  main->mnuSearch->trigger();
  EXPECT_EQ(screens_.Take(), QStringList({"unloadList", "showSearch"}));
}

TEST_F(MainWindowTest, PrintSetsAndThenEmptiesThePageHeaderAndFooter) {
  MDIFrmMain* main = MDIFrmMain::Instance();
  SetRegistryString(kPageSetupKeyPath, QStringLiteral("header"), QStringLiteral("old header"));
  main->ToolbarButton(7)->trigger();
  EXPECT_EQ(screens_.Take(), QStringList({"printList"}));
  EXPECT_EQ(screens_.headerAtPrint, "Brinewick's Digital Guide to New England Marinas ");
  EXPECT_EQ(screens_.footerAtPrint, "Page No [ &p ]");
  EXPECT_EQ(PageSetupValue(QStringLiteral("header")), "");
  EXPECT_EQ(PageSetupValue(QStringLiteral("footer")), "");
  // Without a readable title the list still prints, with an empty title.
  folder_.WriteFile(QStringLiteral("VykMarina.ini"), "");
  main->ToolbarButton(7)->trigger();
  EXPECT_EQ(screens_.headerAtPrint, "Brinewick's Digital Guide to  Marinas ");
}

TEST_F(MainWindowTest, OpenAndSaveCriteriaFiles) {
  MDIFrmMain* main = MDIFrmMain::Instance();
  QString chosen;
  QList<bool> saves;
  main->CommonDialog1 = [&](bool save) {
    saves.append(save);
    return chosen;
  };
  main->mnuOpen->trigger();  // cancelled
  main->mnuSave->trigger();
  chosen = QStringLiteral("   ");
  main->ToolbarButton(2)->trigger();
  EXPECT_TRUE(screens_.Take().isEmpty());
  EXPECT_TRUE(boxes_.Shown().isEmpty());
  EXPECT_EQ(GetSetting(kAppTitle, QStringLiteral("SettingsFileName"), QStringLiteral("RootFolder")), "");
  EXPECT_EQ(saves, QList<bool>({false, true, true}));

  // A save that failed (it told the user itself) is neither confirmed nor remembered.
  screens_.saveSucceeds = false;
  chosen = QStringLiteral("/media/cdrom/boston.vyk");
  main->ToolbarButton(2)->trigger();
  EXPECT_EQ(screens_.Take(), QStringList({"saveCriteria /media/cdrom/boston.vyk"}));
  EXPECT_TRUE(boxes_.Shown().isEmpty());
  EXPECT_EQ(GetSetting(kAppTitle, QStringLiteral("SettingsFileName"), QStringLiteral("RootFolder")), "");
  screens_.saveSucceeds = true;

  // The file is written under the trimmed name; the store keeps the dialog's.
  chosen = QStringLiteral("/home/me/boston.vyk ");
  main->ToolbarButton(2)->trigger();
  EXPECT_EQ(screens_.Take(), QStringList({"saveCriteria /home/me/boston.vyk"}));
  EXPECT_EQ(GetSetting(kAppTitle, QStringLiteral("SettingsFileName"), QStringLiteral("RootFolder")),
            "/home/me/boston.vyk ");
  ASSERT_EQ(boxes_.Shown().size(), 1);
  EXPECT_EQ(boxes_.Shown().first().text, "Search settings were saved to /home/me/boston.vyk ");
  EXPECT_EQ(boxes_.Shown().first().buttons, MsgButtons::OK);
  chosen = QStringLiteral("/home/me/cape.vyk");
  main->ToolbarButton(1)->trigger();
  EXPECT_EQ(screens_.Take(), QStringList({"loadCriteria /home/me/cape.vyk"}));
}

TEST_F(MainWindowTest, ExitStoresNotesDeletesReportPagesAndEnds) {
  uitest::CatchProgramEnd catchEnd;
  MDIFrmMain* main = MDIFrmMain::Instance();
  EXPECT_THROW(main->mnuExit_Click(), uitest::ProgramEnded);
  EXPECT_EQ(screens_.Take(), QStringList({"keepOpenForNotes", "unloadReport"}));
  EXPECT_THROW(main->Toolbar1_ButtonClick(13), uitest::ProgramEnded);
  EXPECT_EQ(screens_.Take(), QStringList({"keepOpenForNotes", "unloadReport"}));
  QCloseEvent close;
  EXPECT_THROW(QApplication::sendEvent(main, &close), uitest::ProgramEnded);
  EXPECT_EQ(screens_.Take(), QStringList({"keepOpenForNotes", "unloadReport"}));
  // A missing medium found during the session ends the program the same way.
  EXPECT_THROW(ExitProgram(), uitest::ProgramEnded);
  EXPECT_EQ(screens_.Take(), QStringList({"keepOpenForNotes", "unloadReport"}));
  EXPECT_TRUE(boxes_.Shown().isEmpty());

  // Notes that cannot be stored, and the user keeps the program open.
  screens_.keepOpenForNotes = true;
  main->mnuExit_Click();
  main->Toolbar1_ButtonClick(13);
  QCloseEvent refused;
  QApplication::sendEvent(main, &refused);
  EXPECT_FALSE(refused.isAccepted());
  ExitProgram();
  EXPECT_EQ(screens_.Take(), QStringList(4, "keepOpenForNotes"));
}

// A step that fails is skipped, and ErrorLog.txt names its procedure and
// error; the question about notes not yet stored is never skipped at the end:
// when the viewer cannot ask it, it is asked without the viewer.
TEST_F(MainWindowTest, SkippedStepsAreLoggedAndTheNotesQuestionIsNeverSkipped) {
  uitest::CatchProgramEnd catchEnd;
  MDIFrmMain* main = MDIFrmMain::Instance();
  AppScreens().sortDialog = [] {
    throw JetError(kJetFileInUse, QStringLiteral("DAO.Database"), QStringLiteral("The sort could not be read."));
  };
  main->ToolbarButton(6)->trigger();
  EXPECT_EQ(screens_.Take(), QStringList({"show"}));  // the next step runs
  AppScreens().keepOpenForNotes = []() -> bool { throw std::runtime_error("the viewer is gone"); };
  KeepNote(2608, QStringLiteral("Lobster Cove Marina"), QStringLiteral("Typed"));
  boxes_.Answer(MsgResult::Yes);
  main->mnuExit_Click();  // kept open
  ASSERT_EQ(boxes_.Shown().size(), 1);
  EXPECT_EQ(boxes_.Shown()[0].buttons, MsgButtons::YesNo);
  EXPECT_TRUE(boxes_.Shown()[0].text.startsWith("Your personal notes for Lobster Cove Marina could not be stored"));
  boxes_.Answer(MsgResult::No);
  EXPECT_THROW(main->mnuExit_Click(), uitest::ProgramEnded);
  EXPECT_TRUE(KeptNotes().isEmpty());

  const QString log = QString::fromUtf8(testing::ReadFile(folder_.Path() + "/ErrorLog.txt"));
  for (const char* logged : {"\"MDIFrmMain\",\"Toolbar1_ButtonClick\",\"Err\",3045,\"DAO.Database\",\"The sort could "
                             "not be read.\"",
                             "\"MDIFrmMain\",\"MayEnd\",\"Err\",5,\"Quaywise\",\"the viewer is gone\""})
    EXPECT_TRUE(log.contains(QLatin1String(logged))) << logged << "\n" << log.toStdString();
}

// Notes that a run which ended without storing them left behind are told of
// once as the main window loads, over the start choice, once the main window
// is on the screen with the keyboard.
TEST_F(MainWindowTest, LoadTellsOfNotesLeftByTheLastRun) {
  KeepNote(20, QStringLiteral("Seal Harbor Marina"), QStringLiteral("Left behind"));
  const QString file = KeptNotesFile();
  const QByteArray left = testing::ReadFile(file);
  DropKeptNotes();  // this run's memory; the file is what a new run finds
  ASSERT_TRUE(testing::WriteFile(file, left));
  QWidget* activeWhenTold = nullptr;
  MsgBoxHandler scripted;
  scripted = SetMsgBoxHandler([&](const MsgBoxCall& call) {
    activeWhenTold = QApplication::activeWindow();
    return scripted(call);
  });
  const auto restore = qScopeGuard([&] { SetMsgBoxHandler(scripted); });
  ShowMainWindow();
  EXPECT_TRUE(boxes_.Shown().isEmpty());  // not before the window is seen
  ASSERT_TRUE(uitest::WaitFor([this] { return !boxes_.Shown().isEmpty(); }, 6000));
  ASSERT_EQ(boxes_.Shown().size(), 1);
  EXPECT_EQ(activeWhenTold, MDIFrmMain::Instance());
  // No database here: they stay kept.
  EXPECT_TRUE(boxes_.Shown()[0].text.startsWith(
      "Your personal notes for Seal Harbor Marina, which Quaywise kept when it last ended before it could store "
      "them, still cannot be stored: "));
  EXPECT_EQ(KeptNotes().value(20).text, "Left behind");
  EXPECT_TRUE(ChoiceDialog::Loaded());
  DropKeptNotes();
}

TEST_F(MainWindowTest, LoadSetsCaptionAndSortOrderAndShowsTheStartChoice) {
  SortOrder() = ListOrder::Alphabetical;
  Settings().EditionName = QStringLiteral("Chesapeake");
  ShowMainWindow();
  EXPECT_EQ(MDIFrmMain::Instance()->windowTitle(), "Brinewick's Digital Guide to Chesapeake Marinas");
  EXPECT_EQ(SortOrder(), ListOrder::Geographic);
  ASSERT_TRUE(ChoiceDialog::Loaded());
  EXPECT_EQ(ChoiceDialog::Loaded()->windowTitle(), "Select Search Interface");
  EXPECT_EQ(MDIFrmMain::Instance()->Parse_String_Edition(), "New England");
}

TEST_F(MainWindowTest, HelpCommandsOpenOurPages) {
  SetProgramFolder(testing::BuiltProgramFolder());
  MDIFrmMain* main = MDIFrmMain::Instance();
  const QList<std::pair<std::function<void()>, QString>> commands{
      {[&] { main->mnuContents->trigger(); }, "IntroMarinaGuide.htm"},
      {[&] { main->mnuAbout->trigger(); }, "AboutVyk.htm"},
      {[&] { main->ToolbarButton(8)->trigger(); }, "AboutIntro.htm"},
      {[&] { main->ToolbarButton(9)->trigger(); }, "AboutRatings.htm"},
      {[&] { main->ToolbarButton(10)->trigger(); }, "AboutHelp.htm"}};
  for (const auto& [command, page] : commands) {
    command();
    HelpWindow* help = HelpWindow::Loaded();
    ASSERT_TRUE(help);
    EXPECT_TRUE(help->isVisible());
    EXPECT_TRUE(help->page->source().toLocalFile().endsWith(QStringLiteral("/help/") + page)) << page.toStdString();
    EXPECT_FALSE(help->page->documentTitle().isEmpty()) << page.toStdString();
    EXPECT_EQ(help->windowTitle(), help->page->documentTitle());
    EXPECT_GT(help->page->toPlainText().size(), 400) << page.toStdString();
    EXPECT_LE((help->geometry().center() - QGuiApplication::primaryScreen()->availableGeometry().center())
                  .manhattanLength(),
              2)
        << "opens in the middle of the screen, and stays there for the next topic";
    EXPECT_FALSE(help->isMinimized()) << "comes back when the user had minimised it";
    help->showMinimized();
  }
  delete HelpWindow::Loaded();
  SetProgramFolder(folder_.Path());
}

// Where no window manager draws a close button, the window's own ways out,
// and the caption strip the program draws.
TEST_F(MainWindowTest, HelpWindowClosesByButtonAndKeys) {
  const AssumeWindowManager bare(false);
  const QList<std::pair<const char*, std::function<void(HelpWindow*)>>> closers{
      {"Close", [](HelpWindow* h) { h->cmdClose->click(); }},
      {"drawn close",
       [](HelpWindow* h) {
         auto* strip = h->findChild<QWidget*>(QStringLiteral("qw_caption_strip"));
         ASSERT_TRUE(strip && uitest::WaitFor([strip] { return strip->isVisible(); }));
         strip->findChild<QToolButton*>()->click();
       }},
      {"Escape", [](HelpWindow* h) { QTest::keyClick(h->page, Qt::Key_Escape); }},
      {"Ctrl+W", [](HelpWindow* h) { QTest::keyClick(h->page, Qt::Key_W, Qt::ControlModifier); }},
      {"Alt+F4", [](HelpWindow* h) { QTest::keyClick(h->page, Qt::Key_F4, Qt::AltModifier); }}};
  for (const auto& [name, close] : closers) {
    QPointer<HelpWindow> help = ShowHelpTopic(QStringLiteral("AboutHelp.htm"));
    ASSERT_TRUE(uitest::WaitFor([&] { return help->isActiveWindow(); })) << name;
    close(help);
    EXPECT_TRUE(uitest::WaitFor([&] { return help.isNull(); })) << name;
    EXPECT_FALSE(HelpWindow::Loaded()) << name;
  }
}

}  // namespace
}  // namespace qw

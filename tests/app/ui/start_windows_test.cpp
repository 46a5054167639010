#include <QAction>
#include <QApplication>
#include <QFile>
#include <QImage>
#include <QLabel>
#include <QLockFile>
#include <QPointer>
#include <QTimer>
#include <gtest/gtest.h>

#include "app/ui/choice_dialog.h"
#include "app/ui/clickable_label.h"
#include "app/ui/frm_logo.h"
#include "app/ui/frm_splash.h"
#include "app/ui/intro_player.h"
#include "app/ui/mdi_frm_main.h"
#include "common/testing.h"
#include "data/marina_db.h"
#include "platform/message_box.h"
#include "platform/program.h"
#include "services/settings.h"
#include "ui_helpers.h"

namespace qw {
namespace {

using uitest::WaitFor;

class StartUp : public ::testing::Test {
 protected:
  void SetUp() override {
    Settings() = AppSettings{};
    savedTimings_ = StartTimers();
    savedVersion_ = BrowserVersionSource();
    savedDownload_ = OpenBrowserDownloadPage();
    BrowserVersionSource() = [] { return QStringLiteral("6"); };
    OpenBrowserDownloadPage() = [this] { ++downloads_; };
  }
  void TearDown() override {
    MDIFrmMain::Unload();
    for (QWidget* w : QApplication::topLevelWidgets()) {
      if (w->objectName() == QLatin1String("frmSplash") || w->objectName() == QLatin1String("frmLogo")) delete w;
    }
    StartTimers() = savedTimings_;
    BrowserVersionSource() = savedVersion_;
    OpenBrowserDownloadPage() = savedDownload_;
  }
  static QWidget* TopLevel(const char* name) {
    for (QWidget* w : QApplication::topLevelWidgets())
      if (w->objectName() == QLatin1String(name) && w->isVisible()) return w;
    return nullptr;
  }

  testing::TempProgramFolder folder_{false};
  ScriptedMsgBoxes boxes_;
  StartTimings savedTimings_;
  std::function<QString()> savedVersion_;
  std::function<void()> savedDownload_;
  int downloads_ = 0;
};

TEST_F(StartUp, LogoThenSplashThenMainWindowWithTheStartChoice) {
  // Timers that never run out on their own: the test lets each one go off
  // once it has seen its window, and then waits for the next window, however
  // slow the machine.
  constexpr int kNever = 3600 * 1000;
  constexpr int kPatience = 120 * 1000;
  Settings() = AppSettings{};
  StartTimers() = {kNever, kNever};
  QPointer<frmLogo> logo = ShowLogo();
  EXPECT_TRUE(logo->isVisible());
  EXPECT_TRUE(logo->Timer1->isActive());
  EXPECT_EQ(logo->Timer1->interval(), kNever);
  EXPECT_EQ(logo->Timer1->timerType(), Qt::PreciseTimer);  // its full time, never less
  EXPECT_EQ(Settings().EditionName, "");  // nothing is read before the logo's timer
  logo->Timer1->start(0);

  ASSERT_TRUE(WaitFor([] { return TopLevel("frmSplash") != nullptr; }, kPatience));
  EXPECT_TRUE(WaitFor([&] { return logo.isNull(); }, kPatience));
  auto* splash = qobject_cast<frmSplash*>(TopLevel("frmSplash"));
  ASSERT_TRUE(splash);
  EXPECT_TRUE(splash->Timerflash->isActive());
  EXPECT_EQ(splash->Timerflash->timerType(), Qt::PreciseTimer);
  EXPECT_FALSE((MDIFrmMain::Loaded() != nullptr));
  // The splash read the configuration file and fixed the database file name.
  EXPECT_EQ(Settings().EditionName, "New England");
  EXPECT_EQ(Settings().EditionFilter, "In 7th Edition");
  EXPECT_EQ(Settings().DataFolder, folder_.DataFolder());
  EXPECT_EQ(Settings().GeoCodeFrom, 5);
  EXPECT_EQ(Settings().GeoCodeTo, 16);
  EXPECT_EQ(Settings().DatabaseFileName, "marina.mdb");
  splash->Timerflash->start(0);

  ASSERT_TRUE(WaitFor([] { return (MDIFrmMain::Loaded() != nullptr) && MDIFrmMain::Instance()->isVisible(); }, kPatience));
  EXPECT_TRUE(WaitFor([] { return TopLevel("frmSplash") == nullptr; }, kPatience));
  EXPECT_EQ(MDIFrmMain::Instance()->windowTitle(), "Brinewick's Digital Guide to New England Marinas");
  EXPECT_EQ(SortOrder(), ListOrder::Geographic);
  ASSERT_TRUE(WaitFor([] { return ChoiceDialog::Loaded() && ChoiceDialog::Loaded()->isVisible(); }, kPatience));
  EXPECT_FALSE(MDIFrmMain::Instance()->ToolbarButton(1)->isEnabled());
  EXPECT_TRUE(MDIFrmMain::Instance()->ToolbarButton(13)->isEnabled());
  EXPECT_TRUE(boxes_.Shown().isEmpty());
}

TEST_F(StartUp, SkipIntroShowsTheMainWindowAtOnce) {
  StartTimers().intro = 60000;
  QPointer<frmSplash> splash = ShowSplash();
  EXPECT_EQ(splash->Lblskipintro->text(), "   Skip Intro");
  EXPECT_FALSE((MDIFrmMain::Loaded() != nullptr));
  uitest::Click(splash->Lblskipintro);
  EXPECT_TRUE((MDIFrmMain::Loaded() != nullptr) && MDIFrmMain::Instance()->isVisible());
  EXPECT_TRUE(WaitFor([&] { return splash.isNull(); }));
}

TEST_F(StartUp, TheIntroTimerEndsTheSplash) {
  StartTimers().intro = 40;
  QPointer<frmSplash> splash = ShowSplash();
  EXPECT_TRUE(splash->isVisible());
  EXPECT_FALSE((MDIFrmMain::Loaded() != nullptr));
  ASSERT_TRUE(WaitFor([] { return (MDIFrmMain::Loaded() != nullptr) && MDIFrmMain::Instance()->isVisible(); }));
  EXPECT_TRUE(WaitFor([&] { return splash.isNull(); }));
}

TEST_F(StartUp, OtherBrowserVersionsEndTheProgramBeforeTheConfigurationIsRead) {
  uitest::CatchProgramEnd catchEnd;
  int round = 0;
  for (const char* version : {"5", "7", "ERROR"}) {
    BrowserVersionSource() = [version] { return QString::fromLatin1(version); };
    boxes_.Clear();
    const bool yes = round++ == 0;
    boxes_.Answer(yes ? MsgResult::Yes : MsgResult::No);
    EXPECT_THROW(ShowSplash(), uitest::ProgramEnded) << version;
    ASSERT_EQ(boxes_.Shown().size(), 1) << version;
    const MsgBoxCall& box = boxes_.Shown().first();
    EXPECT_EQ(box.text,
              "Your machine does not have proper version of IE. Do you want to download Internet Explorer6.0?");
    EXPECT_EQ(box.title, "VykMarina");
    EXPECT_EQ(box.buttons, MsgButtons::YesNo);
    EXPECT_EQ(box.icon, MsgIcon::None);
    EXPECT_EQ(box.defaultButton, 1);
    EXPECT_EQ(Settings().EditionName, "") << version;
    EXPECT_EQ(Settings().DatabaseFileName, "") << version;
  }
  EXPECT_EQ(downloads_, 1);  // only Yes opens the download page
  EXPECT_FALSE((MDIFrmMain::Loaded() != nullptr));

  // The intro's timer does not run on behind the open question.
  StartTimers().intro = 20;
  BrowserVersionSource() = [] { return QStringLiteral("7"); };
  const MsgBoxHandler previous = SetMsgBoxHandler([](const MsgBoxCall&) {
    WaitFor([] { return false; }, 150);
    return MsgResult::No;
  });
  EXPECT_THROW(ShowSplash(), uitest::ProgramEnded);
  SetMsgBoxHandler(previous);
  EXPECT_FALSE((MDIFrmMain::Loaded() != nullptr));
}

TEST_F(StartUp, AnotherCopyOnTheSameDatabaseIsRefused) {
  uitest::CatchProgramEnd catchEnd;
  StartTimers().intro = 60000;
  // As the program guards it: by the database the settings name.
  DatabaseGuard() = [] { return LockDatabase(MarinaDatabasePath(Settings().DatabaseFileName)) != nullptr; };
  // Another copy, from another folder, names the same file its own way.
  auto other = LockDatabase(folder_.Path() + QStringLiteral("/./Database//marina.mdb"));
  ASSERT_TRUE(other);
  EXPECT_THROW(ShowSplash(), uitest::ProgramEnded);
  ASSERT_EQ(boxes_.Shown().size(), 1);
  EXPECT_EQ(boxes_.Shown()[0].text, kAlreadyRunningMessage);
  EXPECT_FALSE((MDIFrmMain::Loaded() != nullptr));
  // Once it has ended, this copy starts.
  other.reset();
  boxes_.Clear();
  QPointer<frmSplash> splash = ShowSplash();
  EXPECT_TRUE(boxes_.Shown().isEmpty());
  delete splash.data();
  DatabaseGuard() = nullptr;
}

TEST_F(StartUp, ClosingAStartWindowBeforeItsTimeEndsTheProgram) {
  uitest::CatchProgramEnd catchEnd;
  StartTimers() = {60000, 60000};
  frmLogo* logo = ShowLogo();
  EXPECT_THROW(logo->close(), uitest::ProgramEnded);
  delete logo;
  frmSplash* splash = ShowSplash();
  EXPECT_THROW(splash->close(), uitest::ProgramEnded);
  delete splash;
  EXPECT_FALSE((MDIFrmMain::Loaded() != nullptr));
}

TEST_F(StartUp, OurEngineVersionPasses) { EXPECT_EQ(GetIEVersion(), "6"); }

TEST_F(StartUp, ConfigurationFileNameIsFoundWhateverItsCase) {
  QFile::rename(folder_.Path() + QStringLiteral("/VykMarina.ini"), folder_.Path() + QStringLiteral("/vykmarina.ini"));
  StartTimers().intro = 60000;
  QPointer<frmSplash> splash = ShowSplash();
  EXPECT_EQ(Settings().EditionName, "New England");
  delete splash.data();
}

TEST_F(StartUp, SplashPlacesTheSkipBoxAndPlaysOurIntro) {
  StartTimers().intro = 60000;
  QPointer<frmSplash> splash = ShowSplash();
  EXPECT_FALSE(splash->SFlash->IsPlaying());  // no intro: black
  splash->showNormal();
  splash->resize(600, 450);
  QApplication::processEvents();
  EXPECT_EQ(splash->Picture1->pos(), QPoint(560, 420));
  EXPECT_EQ(splash->SFlash->geometry(), splash->rect());
  delete splash.data();

  QImage still(40, 30, QImage::Format_RGB32);
  still.fill(Qt::blue);
  still.save(folder_.Path() + QStringLiteral("/marina_final.png"));
  EXPECT_EQ(IntroPlayer::FindIntro(folder_.Path()), folder_.Path() + QStringLiteral("/marina_final.png"));
  IntroPlayer player;
  EXPECT_TRUE(player.SetMovie(IntroPlayer::FindIntro(folder_.Path())));
  EXPECT_FALSE(player.SetMovie(QString()));
}

}  // namespace
}  // namespace qw

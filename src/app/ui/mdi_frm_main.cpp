#include "app/ui/mdi_frm_main.h"

#include <QAction>
#include <QApplication>
#include <QCloseEvent>
#include <QElapsedTimer>
#include <QFileDialog>
#include <QIcon>
#include <QMdiArea>
#include <QMenuBar>
#include <QPointer>
#include <QScopedValueRollback>
#include <QTimer>
#include <QToolBar>
#include <exception>
#include <memory>

#include "app/ui/choice_dialog.h"
#include "app/ui/frm_splash.h"
#include "app/ui/help_window.h"
#include "host/ui/screens.h"
#include "platform/message_box.h"
#include "platform/print_pages.h"
#include "platform/program.h"
#include "platform/ui/wait_cursor.h"
#include "platform/ui/window_frame.h"
#include "report/notes.h"
#include "services/config_file.h"
#include "services/error_handler.h"
#include "services/page_setup.h"
#include "services/settings.h"
#include "services/user_store.h"

namespace qw {
namespace {

// The module name under which failures are logged.
const QString kModule = QStringLiteral("MDIFrmMain");

struct ToolbarButtonDef {
  const char* caption;
  const char* toolTip;
  int picture;
};
constexpr std::array<ToolbarButtonDef, kToolbarButtonCount> kButtons{{
    {"Open", "Open Search criteria File", 1},
    {"Save", "Save Search Criteria File", 2},
    {"Search", "Back to Search", 3},
    {"Find", "Find Marinas", 4},
    {"Show", "Show Marinas", 5},
    {"Sort", "Sort Marinas ", 6},
    {"Print", "Print Search Results", 7},
    {"Intro", "Overview and Intro to Guide", 8},
    {"Rating", "Explanation of Bell Ratings", 9},
    {"Help", "Help", 10},
    {"Maps", "View Maps", 12},
    {"Key", "MapKeys", 13},
    {"Exit", "Exit", 11},
}};

const QString kCriteriaFilter = QStringLiteral("Search Criteria Files(*.vyk)");

QString DefaultFileDialog(QWidget* parent, bool save) {
  QFileDialog dialog(parent);
  dialog.setDirectory(ProgramFolder());
  dialog.setDefaultSuffix(QStringLiteral("vyk"));
  dialog.setNameFilter(kCriteriaFilter);
  dialog.selectFile(QString());
  dialog.setAcceptMode(save ? QFileDialog::AcceptSave : QFileDialog::AcceptOpen);
  dialog.setFileMode(save ? QFileDialog::AnyFile : QFileDialog::ExistingFile);
  DrawCaptionWithoutWindowManager(&dialog);
  if (dialog.exec() != QDialog::Accepted || dialog.selectedFiles().isEmpty()) return QString();
  return dialog.selectedFiles().first();
}

}  // namespace

MDIFrmMain::MDIFrmMain(QWidget* parent) : QMainWindow(parent) {
  setObjectName(QStringLiteral("MDIFrmMain"));
  setWindowTitle(QStringLiteral("Quaywise"));
  mdiArea_ = new QMdiArea(this);
  mdiArea_->setObjectName(QStringLiteral("MDIClient"));
  mdiArea_->setBackground(QColor(128, 128, 128));
  setCentralWidget(mdiArea_);

  QMenu* mnuFile = menuBar()->addMenu(QStringLiteral("&File"));
  mnuFile->setObjectName(QStringLiteral("mnuFile"));
  mnuOpen = mnuFile->addAction(QStringLiteral("&Open"), this, &MDIFrmMain::mnuOpen_Click);
  mnuOpen->setShortcut(QKeySequence(Qt::CTRL | Qt::Key_O));
  mnuSave = mnuFile->addAction(QStringLiteral("&Save"), this, &MDIFrmMain::mnuSave_Click);
  mnuSave->setShortcut(QKeySequence(Qt::CTRL | Qt::Key_S));
  mnuFile->addSeparator()->setObjectName(QStringLiteral("mnuSep1"));
  mnuExit = mnuFile->addAction(QStringLiteral("E&xit"), this, &MDIFrmMain::mnuExit_Click);

  QMenu* mnuOptions = menuBar()->addMenu(QStringLiteral("&Options"));
  mnuOptions->setObjectName(QStringLiteral("mnuOptions"));
  mnuSearch = mnuOptions->addAction(QStringLiteral("Sea&rch"), this, &MDIFrmMain::mnuSearch_Click);
  mnuSearch->setShortcut(QKeySequence(Qt::CTRL | Qt::Key_R));
  mnuFind = mnuOptions->addAction(QStringLiteral("&Find"), this, &MDIFrmMain::mnuFind_Click);
  mnuFind->setShortcut(QKeySequence(Qt::CTRL | Qt::Key_F));
  mnuShow = mnuOptions->addAction(QStringLiteral("S&how"), this, &MDIFrmMain::mnuShow_Click);
  mnuShow->setShortcut(QKeySequence(Qt::CTRL | Qt::Key_H));

  QMenu* mnuHelp = menuBar()->addMenu(QStringLiteral("&Help"));
  mnuHelp->setObjectName(QStringLiteral("mnuHelp"));
  mnuContents = mnuHelp->addAction(QStringLiteral("Con&tents"), this, &MDIFrmMain::mnuContents_Click);
  mnuHelp->addSeparator()->setObjectName(QStringLiteral("mnuSep2"));
  mnuAbout = mnuHelp->addAction(QStringLiteral("&About"), this, &MDIFrmMain::mnuAbout_Click);

  const std::pair<QAction*, const char*> names[] = {
      {mnuOpen, "mnuOpen"}, {mnuSave, "mnuSave"},         {mnuExit, "mnuExit"},
      {mnuSearch, "mnuSearch"}, {mnuFind, "mnuFind"},     {mnuShow, "mnuShow"},
      {mnuContents, "mnuContents"}, {mnuAbout, "mnuAbout"}};
  for (const auto& [action, name] : names) action->setObjectName(QLatin1String(name));

  toolbar_ = addToolBar(QStringLiteral("Toolbar1"));
  toolbar_->setObjectName(QStringLiteral("Toolbar1"));
  toolbar_->setMovable(false);
  toolbar_->setIconSize(QSize(32, 32));
  toolbar_->setToolButtonStyle(Qt::ToolButtonTextUnderIcon);
  const QString pictures = ProgramFolder() + QStringLiteral("/pictures/toolbar/");
  for (int i = 0; i < kToolbarButtonCount; ++i) {
    const ToolbarButtonDef& def = kButtons[i];
    const QIcon icon(pictures + QStringLiteral("%1.png").arg(def.picture, 2, 10, QLatin1Char('0')));
    QAction* button = toolbar_->addAction(icon, QLatin1String(def.caption));
    button->setToolTip(QLatin1String(def.toolTip));
    button->setObjectName(QStringLiteral("Toolbar1_%1").arg(i + 1));
    const int index = i + 1;
    connect(button, &QAction::triggered, this, [this, index] { Toolbar1_ButtonClick(index); });
    buttons_[i] = button;
  }

  CommonDialog1 = [this](bool save) { return DefaultFileDialog(this, save); };
  RegisterMainWindow(this, this);
  // A missing medium found while the program runs ends it this way too.
  SetExitRoad([self = QPointer<MDIFrmMain>(this)] { return !self || self->MayEnd(); });
}

QAction* MDIFrmMain::ToolbarButton(int index) const {
  if (index < 1 || index > kToolbarButtonCount) return nullptr;
  return buttons_[index - 1];
}

QAction* MDIFrmMain::MenuAction(ToolMenu menu) const {
  switch (menu) {
    case ToolMenu::Open: return mnuOpen;
    case ToolMenu::Save: return mnuSave;
    case ToolMenu::Find: return mnuFind;
    case ToolMenu::Show: return mnuShow;
    case ToolMenu::Search: return mnuSearch;
  }
  return nullptr;
}

ToolBoxState MDIFrmMain::CurrentToolBoxState() const {
  ToolBoxState state;
  for (int i = 1; i <= kToolbarButtonCount; ++i) state.Button(i) = ToolbarButton(i)->isEnabled();
  for (int m = 0; m < kToolMenuCount; ++m)
    state.menus[m] = MenuAction(static_cast<ToolMenu>(m))->isEnabled();
  return state;
}

void MDIFrmMain::ApplyToolBoxState(const ToolBoxState& state) {
  for (int i = 1; i <= kToolbarButtonCount; ++i) ToolbarButton(i)->setEnabled(state.Button(i));
  for (int m = 0; m < kToolMenuCount; ++m) MenuAction(static_cast<ToolMenu>(m))->setEnabled(state.menus[m]);
}

void MDIFrmMain::UpdateToolBox() { ApplyToolBoxState(ToolBoxForMode(ScreenMode(), CurrentToolBoxState())); }

QString MDIFrmMain::Parse_String_Edition() { return qw::Parse_String_Edition(); }

void MDIFrmMain::MDIForm_Load() {
  {
    const WaitCursor wait;
    SkipOnFailure(kModule, QStringLiteral("MDIForm_Load"), [&] {
      setWindowTitle(QStringLiteral("Brinewick's Digital Guide to ") + Settings().EditionName +
                     QStringLiteral(" Marinas"));
    });
    QCoreApplication::processEvents(QEventLoop::ExcludeUserInputEvents);
    SortOrder() = ListOrder::Geographic;
    QCoreApplication::processEvents(QEventLoop::ExcludeUserInputEvents);
  }
  SkipOnFailure(kModule, QStringLiteral("MDIForm_Load"), [&] { ShowChoiceDialog(); });
  // Notes that a run which ended without storing them left behind are stored
  // now, or kept for their marina, and told once, over the start choice.
  SkipOnFailure(kModule, QStringLiteral("MDIForm_Load"), [this] {
    const RecoveredNotes recovered = RecoverKeptNotes();
    const QString message = RecoveredNotesMessage(recovered);
    if (!message.isEmpty())
      TellOnceOnScreen(message, recovered.kept.isEmpty() ? MsgIcon::Information : MsgIcon::Exclamation);
  });
  loaded_ = true;
}

void MDIFrmMain::TellOnceOnScreen(const QString& message, MsgIcon icon) {
  // The load runs as the window is shown, before the desktop has put it on
  // the screen and while the splash still covers it: a message told then
  // would stand over the splash, or behind the main window once it comes.
  // It waits for the main window to be seen with the keyboard (a few seconds
  // at most: it is never lost).
  auto* poll = new QTimer(this);
  const auto since = std::make_shared<QElapsedTimer>();
  since->start();
  connect(poll, &QTimer::timeout, this, [this, poll, since, message, icon] {
    const bool splashUp = frmSplash::Loaded() && frmSplash::Loaded()->isVisible();
    const bool seen = isVisible() && IsOnScreen(this) && !splashUp;
    if (seen && !isActiveWindow() && since->elapsed() < kTellWithinMs / 2) GiveKeyboardTo(this);
    if (!(seen && isActiveWindow()) && since->elapsed() < kTellWithinMs) return;
    poll->stop();
    poll->deleteLater();
    SkipOnFailure(kModule, QStringLiteral("MDIForm_Load"), [&] { MsgBox(message, MsgButtons::OK, icon); });
  });
  poll->start(50);
}

void MDIFrmMain::mnuOpen_Click() {
  const QString fileName = CommonDialog1(false);
  if (!fileName.isEmpty()) CallScreen(AppScreens().loadCriteria, fileName);
}

void MDIFrmMain::mnuSave_Click() {
  const QString fileName = CommonDialog1(true);
  const QString trimmed = fileName.trimmed();
  if (trimmed.isEmpty()) return;
  // The file is written under the trimmed name; the store and the
  // confirmation keep the dialog's name. A save that failed has told the user
  // so; its name is neither remembered nor confirmed.
  if (!CallScreen(AppScreens().saveCriteria, trimmed)) return;
  SaveLastCriteriaFile(fileName);
  MsgBox(QStringLiteral("Search settings were saved to ") + fileName, MsgButtons::OK);
}

bool MDIFrmMain::MayEnd() {
  // Nothing the user typed is lost: notes that cannot be stored keep the
  // program open when the user says so. The report's temporary pages go.
  // The question about them is never skipped: when the viewer cannot ask it,
  // it is asked without the viewer; when that fails too, the error is told
  // and the program stays open unless the user goes on. (A missing medium
  // told there ends the program through here again: it then ends at once,
  // the notes still kept in their recovery file.)
  static bool ending = false;
  if (ending) return true;
  const QScopedValueRollback<bool> once(ending, true);
  bool keepOpen = false;
  try {
    keepOpen = CallScreen(AppScreens().keepOpenForNotes);
  } catch (const std::exception& e) {
    LogFailure(kModule, QStringLiteral("MayEnd"), RuntimeError::From(e), QList<EngineError>());
    try {
      keepOpen = !MayCloseWithKeptNotes(NotesClosing::Program);
    } catch (const std::exception& again) {
      keepOpen = ErrorHandler(kModule, QStringLiteral("MayEnd"), RuntimeError::From(again));
    }
  }
  if (keepOpen) return false;
  SkipOnFailure(kModule, QStringLiteral("MayEnd"), [] { CallScreen(AppScreens().unloadReport); });
  return true;
}

bool MDIFrmMain::EndProgramNow() {
  if (!MayEnd()) return false;
  EndProgram(0);
}

void MDIFrmMain::mnuExit_Click() { EndProgramNow(); }

void MDIFrmMain::closeEvent(QCloseEvent* event) {
  if (!EndProgramNow()) event->ignore();
}

void MDIFrmMain::mnuSearch_Click() {
  SkipOnFailure(kModule, QStringLiteral("mnuSearch_Click"), [] { CallScreen(AppScreens().unloadList); });
  SkipOnFailure(kModule, QStringLiteral("mnuSearch_Click"), [] { CallScreen(AppScreens().showSearch); });
}

void MDIFrmMain::mnuFind_Click() { CallScreen(AppScreens().find); }

void MDIFrmMain::mnuShow_Click() { CallScreen(AppScreens().show); }

void MDIFrmMain::mnuContents_Click() { ShowHelpTopic(QStringLiteral("IntroMarinaGuide.htm")); }

void MDIFrmMain::mnuAbout_Click() { ShowHelpTopic(QStringLiteral("AboutVyk.htm")); }

void MDIFrmMain::Toolbar1_ButtonClick(int index) {
  Screens& screens = AppScreens();
  switch (index) {
    case 1:
      SkipOnFailure(kModule, QStringLiteral("Toolbar1_ButtonClick"), [&] { mnuOpen_Click(); });
      break;
    case 2:
      SkipOnFailure(kModule, QStringLiteral("Toolbar1_ButtonClick"), [&] { mnuSave_Click(); });
      break;
    case 3:
      SkipOnFailure(kModule, QStringLiteral("Toolbar1_ButtonClick"), [&] { CallScreen(screens.clearMapFormload); });
      mnuSearch_Click();
      SkipOnFailure(kModule, QStringLiteral("Toolbar1_ButtonClick"), [&] { CallScreen(screens.unloadOverview); });
      SkipOnFailure(kModule, QStringLiteral("Toolbar1_ButtonClick"), [&] { CallScreen(screens.unloadMapKeysGrid); });
      SkipOnFailure(kModule, QStringLiteral("Toolbar1_ButtonClick"), [&] { CallScreen(screens.unloadSubRegionMaps); });
      break;
    case 4:
      SkipOnFailure(kModule, QStringLiteral("Toolbar1_ButtonClick"), [&] { mnuFind_Click(); });
      break;
    case 5:
      SkipOnFailure(kModule, QStringLiteral("Toolbar1_ButtonClick"), [&] { CallScreen(screens.show); });
      break;
    case 6:
      SkipOnFailure(kModule, QStringLiteral("Toolbar1_ButtonClick"), [&] { CallScreen(screens.sortDialog); });
      SkipOnFailure(kModule, QStringLiteral("Toolbar1_ButtonClick"), [&] { CallScreen(screens.show); });
      break;
    case 7: {
      QString title;
      SkipOnFailure(kModule, QStringLiteral("Toolbar1_ButtonClick"), [&] { title = Parse_String_Edition(); });
      const QString header = QStringLiteral("Brinewick's Digital Guide to ") + title + QStringLiteral(" Marinas ");
      const QString footer = QStringLiteral("Page No [ &p ]");
      InstallPageSetupStore();
      PrintWithPageSetup(
          {{kPageHeader, header}, {kPageFooter, footer}}, {{kPageHeader, QString()}, {kPageFooter, QString()}}, [&] {
            SkipOnFailure(kModule, QStringLiteral("Toolbar1_ButtonClick"), [&] { CallScreen(screens.printList); });
          });
      break;
    }
    case 8: ShowHelpTopic(QStringLiteral("AboutIntro.htm")); break;
    case 9: ShowHelpTopic(QStringLiteral("AboutRatings.htm")); break;
    case 10: ShowHelpTopic(QStringLiteral("AboutHelp.htm")); break;
    case 11:
      SkipOnFailure(kModule, QStringLiteral("Toolbar1_ButtonClick"), [&] { CallScreen(screens.showOverview); });
      SkipOnFailure(kModule, QStringLiteral("Toolbar1_ButtonClick"), [&] { CallScreen(screens.unloadSearch); });
      break;
    case 12:
      SkipOnFailure(kModule, QStringLiteral("Toolbar1_ButtonClick"), [&] {
        if (CallScreen(screens.overviewKeyValue) == QLatin1String("Overviewchart"))
          CallScreen(screens.showChartKey);
        else
          CallScreen(screens.showMapKeysGrid);
      });
      break;
    case 13: EndProgramNow(); break;
    default: break;
  }
}

void MDIFrmMain::Unload() { delete Loaded(); }

void ShowMainWindow() {
  MDIFrmMain* main = MDIFrmMain::Instance();
  ShowMaximised(main);
  if (!main->IsLoaded()) main->MDIForm_Load();
}

}  // namespace qw

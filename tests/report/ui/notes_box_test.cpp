// The viewer's notes box: its text stored to the marina it was loaded for (on
// leaving the box, before another marina is shown, after a re-sort of the
// result list, when the program ends or the viewer closes), and a database
// read from the CD or that cannot be written.
#include <QApplication>
#include <QClipboard>
#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QFocusEvent>
#include <QKeyEvent>
#include <QLabel>
#include <QListWidget>
#include <QMenu>
#include <QMenuBar>
#include <QPlainTextEdit>
#include <QProcess>
#include <QTemporaryDir>
#include <QTest>
#include <QThread>
#include <cstdio>
#include <gtest/gtest.h>
#include <memory>

#include "app/ui/ui_helpers.h"
#include "common/store_faults.h"
#include "platform/message_box.h"
#include "platform/program.h"
#include "report/ui/notes_box.h"
#include "results/list_state.h"
#include "search/qstring_printer.h"
#include "search/ui/frm_criteria.h"
#include "search/ui/register.h"
#include "services/error_handler.h"
#include "services/settings.h"
#include "services/user_store.h"
#include "viewer_fixture.h"

namespace qw {
namespace {

void Key(QWidget* w, int key, Qt::KeyboardModifiers mods = Qt::NoModifier, const QString& text = QString()) {
  QKeyEvent press(QEvent::KeyPress, key, mods, text);
  QKeyEvent release(QEvent::KeyRelease, key, mods, text);
  QApplication::sendEvent(w, &press);
  QApplication::sendEvent(w, &release);
}

void Type(QWidget* w, const QString& text) {
  for (const QChar c : text) Key(w, c == u'\r' ? int(Qt::Key_Return) : c.toUpper().unicode(), Qt::NoModifier, QString(c));
}

class NotesBoxTest : public testing::ViewerWindowTest {
 protected:
  // Demo marinas 2608 and 20 have notes, 11 has none.
  void SetUp() override {
    ViewerWindowTest::SetUp();
    viewer_ = DoubleClick(2608);
    ASSERT_NE(viewer_, nullptr);
    viewer_->show();
    QApplication::setActiveWindow(viewer_);
  }
  static void Focus(QWidget* w) {
    w->setFocus(Qt::OtherFocusReason);
    QApplication::processEvents();
  }
  void TypeAtEnd(const QString& text) {
    Focus(viewer_->tbNotes);
    viewer_->tbNotes->moveCursor(QTextCursor::End);
    Type(viewer_->tbNotes, text);
  }
  void Select(int marinaNo) {
    int entry = 0;
    while (entry < viewer_->lstMarinaNames->count() && viewer_->EntryMarinaNo(entry) != marinaNo) ++entry;
    ASSERT_LT(entry, viewer_->lstMarinaNames->count());
    ASSERT_TRUE(ShowEntry(viewer_, entry));
  }

  QPointer<frm_view_report> viewer_;
};

TEST_F(NotesBoxTest, StoredToTheMarinaTheyWereLoadedFor) {
  const QString first = StoredNotes(2608);
  const QString second = StoredNotes(20);
  ASSERT_FALSE(first.isEmpty());
  EXPECT_EQ(viewer_->notes->Text(), first);

  // Leaving the box stores it.
  TypeAtEnd(" A");
  Focus(viewer_->lstMarinaNames);
  EXPECT_EQ(StoredNotes(2608), first + " A");

  // Another marina shown while the box still has the focus (a run, a map):
  // stored first, then the other marina's notes shown.
  TypeAtEnd("B");
  Select(20);
  EXPECT_EQ(StoredNotes(2608), first + " AB");
  EXPECT_EQ(viewer_->notes->Text(), second);
  EXPECT_EQ(viewer_->notes->NotesMarinaNo(), 20);

  // The result list re-sorted under the viewer: the entry's row of the list
  // now holds another marina, and the box's text still goes to marina 20.
  SortOrder() = ListOrder::Alphabetical;
  frmList::Instance()->UpdateListAlternative();
  ASSERT_NE(frmList::Instance()->GetMarinaNo(viewer_->ListIndex() + 1), 20);
  TypeAtEnd("\rC");
  Focus(viewer_->lstMarinaNames);
  EXPECT_EQ(StoredNotes(20), second + "\r\nC");

  // A marina chosen on a map that has no rpm_output row gets one.
  AppScreens().showReport(ReportHandOver{ReportHandOver::Road::Map, 0, 34});
  ASSERT_TRUE(viewer_->wb->WaitForLoad(30000));
  TypeAtEnd("Dry stack");
  Focus(viewer_->lstMarinaNames);
  EXPECT_EQ(StoredNotes(34), "Dry stack");

  // What is still in the box when the program ends (Exit's hook).
  Select(20);
  TypeAtEnd("D");
  EXPECT_FALSE(CallScreen(AppScreens().keepOpenForNotes));
  EXPECT_EQ(StoredNotes(20), second + "\r\nCD");
  EXPECT_TRUE(boxes_.Shown().isEmpty());

  // The viewer closes while the box has the focus and holds typed text.
  TypeAtEnd("E");
  frm_view_report::Unload();
  QCoreApplication::sendPostedEvents(nullptr, QEvent::DeferredDelete);
  EXPECT_EQ(viewer_, nullptr);
  EXPECT_EQ(StoredNotes(20), second + "\r\nCDE");
  EXPECT_EQ(StoredNotes(11), "");
}

TEST_F(NotesBoxTest, ReadOnlyDataRefusesEditsAndLosesNothing) {
  const QString first = viewer_->notes->Text();
  QFile ini(folder_.Path() + "/VykMarina.ini");
  ASSERT_TRUE(ini.open(QIODevice::ReadOnly));
  const QByteArray settings = ini.readAll();
  ini.close();

  // Read from the CD: each typed character, Backspace and a paste bring the
  // message and change nothing; the box takes no drop or menu paste either.
  folder_.WriteFile("VykMarina.ini", settings + "DatabasePath,\"CDD Path\"\r\n");
  QGuiApplication::clipboard()->setText("pasted");
  TypeAtEnd("xy");
  Key(viewer_->tbNotes, Qt::Key_Backspace, Qt::NoModifier, "\b");
  Key(viewer_->tbNotes, Qt::Key_V, Qt::ControlModifier, "\x16");
  Key(viewer_->tbNotes, Qt::Key_Insert, Qt::ShiftModifier);
  EXPECT_EQ(boxes_.Shown().size(), 5);
  for (const MsgBoxCall& box : boxes_.Shown()) EXPECT_EQ(box.text, kNotesFromCdMessage);
  EXPECT_TRUE(viewer_->tbNotes->isReadOnly());
  EXPECT_EQ(viewer_->notes->Text(), first);
  Focus(viewer_->lstMarinaNames);
  EXPECT_EQ(StoredNotes(2608), first);

  // A database that cannot be written: the store says so, the text stays in
  // the box, and goes in once the database can be written again.
  folder_.WriteFile("VykMarina.ini", settings);
  boxes_.Clear();
  TypeAtEnd("z");
  EXPECT_FALSE(viewer_->tbNotes->isReadOnly());
  SetDatabaseReadOnly(true);
  Focus(viewer_->lstMarinaNames);
  ASSERT_EQ(boxes_.Shown().size(), 1);
  EXPECT_TRUE(boxes_.Shown()[0].text.contains("marina.mdb is read-only.")) << boxes_.Shown()[0].text.toStdString();
  EXPECT_EQ(viewer_->notes->Text(), first + "z");
  EXPECT_EQ(StoredNotes(2608), first);
  SetDatabaseReadOnly(false);
  EXPECT_TRUE(viewer_->notes->StorePending());
  EXPECT_EQ(StoredNotes(2608), first + "z");

  // The store fails as another marina is shown: the text comes back with its
  // marina and is stored then.
  // It is told once, though the store is tried again as the other marina's
  // notes load.
  SetDatabaseReadOnly(true);
  boxes_.Clear();
  TypeAtEnd("w");
  Select(20);
  EXPECT_EQ(boxes_.Shown().size(), 1);
  EXPECT_EQ(viewer_->notes->Text(), StoredNotes(20));
  SetDatabaseReadOnly(false);
  Select(2608);
  EXPECT_EQ(viewer_->notes->Text(), first + "zw");
  Select(20);
  EXPECT_EQ(StoredNotes(2608), first + "zw");
}

TEST_F(NotesBoxTest, NotesThatCannotBeStoredAreNeverDroppedSilently) {
  const QString first = StoredNotes(2608);
  const auto askedOnce = [this](const char* about) {
    EXPECT_EQ(boxes_.Shown().size(), 1) << about;
    if (boxes_.Shown().isEmpty()) return;
    EXPECT_EQ(boxes_.Shown()[0].buttons, MsgButtons::YesNo) << about;
    EXPECT_TRUE(boxes_.Shown()[0].text.contains(
        "marina.mdb is read-only.\n\nYes keeps "))
        << about << ": " << boxes_.Shown()[0].text.toStdString();
    boxes_.Clear();
  };
  SetDatabaseReadOnly(true);
  TypeAtEnd("q");
  Focus(viewer_->lstMarinaNames);
  ASSERT_EQ(boxes_.Shown().size(), 1);  // the failed store is told once
  boxes_.Clear();

  // Closing the viewer tries once more, then asks: Yes keeps it open.
  boxes_.Answer(MsgResult::Yes);
  viewer_->close();
  askedOnce("close, kept open");
  EXPECT_EQ(frm_view_report::Loaded(), viewer_.data());
  EXPECT_EQ(viewer_->notes->Text(), first + "q");

  // Return to Search: No discards the text.
  boxes_.Answer(MsgResult::No);
  viewer_->mnubksearch_Click();
  askedOnce("return to search, discarded");
  EXPECT_EQ(frm_view_report::Loaded(), nullptr);
  EXPECT_TRUE(KeptNotes().isEmpty());
  EXPECT_EQ(StoredNotes(2608), first);

  // Find closes the viewer without asking: the text stays in memory for its
  // marina, comes back with it, and the end of the program asks about it.
  viewer_ = DoubleClick(2608);
  ASSERT_NE(viewer_, nullptr);
  TypeAtEnd("r");
  Focus(viewer_->lstMarinaNames);
  boxes_.Clear();
  CallScreen(AppScreens().unloadReportIfCleared);
  EXPECT_EQ(frm_view_report::Loaded(), nullptr);
  EXPECT_TRUE(boxes_.Shown().isEmpty());
  viewer_ = DoubleClick(2608);
  ASSERT_NE(viewer_, nullptr);
  EXPECT_EQ(viewer_->notes->Text(), first + "r");
  CallScreen(AppScreens().unloadReportIfCleared);
  boxes_.Clear();
  boxes_.Answer(MsgResult::Yes);
  EXPECT_TRUE(CallScreen(AppScreens().keepOpenForNotes));
  askedOnce("exit, kept open");
  // Once the database can be written, ending stores it without a word.
  SetDatabaseReadOnly(false);
  EXPECT_FALSE(CallScreen(AppScreens().keepOpenForNotes));
  EXPECT_TRUE(boxes_.Shown().isEmpty());
  EXPECT_EQ(StoredNotes(2608), first + "r");
}

// Each fault that keeps notes from the database, met first by the store after
// a pause while the user types on, then by every road out: nothing typed is
// lost; the failure is told once, naming its cause, and never while typing;
// each road out asks once and Yes keeps the program open; once the fault is
// gone the kept texts are stored.
TEST_F(NotesBoxTest, EveryStoreFaultKeepsWhatWasTypedUntilItCanBeStored) {
  using testing::StoreFault;
  struct Case {
    StoreFault fault;
    const char* cause;  // in the message that tells of it
    bool readable;      // another marina's notes can still be read
  };
  const Case cases[] = {
      {StoreFault::ReadOnlyFile, "marina.mdb is read-only.", true},
      {StoreFault::ReadOnlyFolder, "/Database, is read-only.", true},
      {StoreFault::Lock, ": another program holds a lock on the marina database.", false},
      {StoreFault::DiskFull, ": the disk holding the marina database is full.", true},
      {StoreFault::IoError, ": the disk holding the marina database reported an input/output error.", true},
      {StoreFault::FolderAway, "/Database, cannot be found (the disk holding it may have been removed).", false},
      {StoreFault::FileAway, "marina.mdb cannot be found.", false},
  };
  const uitest::CatchProgramEnd catchEnd;
  SetExitRoad([] { return !CallScreen(AppScreens().keepOpenForNotes); });
  const auto aboutNotes = [this] {
    QList<MsgBoxCall> shown;
    for (const MsgBoxCall& box : boxes_.Shown())
      if (box.text.contains("personal notes")) shown << box;
    return shown;
  };
  // One road out: asks once about the kept notes; Yes keeps everything open.
  const auto asksOnce = [&](const char* road, const QString& names, const std::function<void()>& go) {
    SCOPED_TRACE(road);
    boxes_.Clear();
    boxes_.Answer(MsgResult::Yes);
    EXPECT_NO_THROW(go());
    const QList<MsgBoxCall> asked = aboutNotes();
    ASSERT_EQ(asked.size(), 1);
    EXPECT_EQ(asked[0].buttons, MsgButtons::YesNo);
    EXPECT_TRUE(asked[0].text.contains(names)) << asked[0].text.toStdString();
    EXPECT_EQ(frm_view_report::Loaded(), viewer_.data());
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(testing::StoreFaultName(c.fault));
    Select(2608);
    const QString a = StoredNotes(2608);
    const QString b = StoredNotes(20);
    {
      testing::InjectedFault fault(c.fault, folder_.DatabasePath());
      boxes_.Clear();
      TypeAtEnd(" a1");
      viewer_->notes->PauseInTyping();
      EXPECT_TRUE(boxes_.Shown().isEmpty());
      EXPECT_FALSE(viewer_->notes->TextStored());
      EXPECT_EQ(viewer_->lblNotes->text(), "Notes not stored");
      EXPECT_EQ(QApplication::focusWidget(), viewer_->tbNotes);
      Type(viewer_->tbNotes, " a2");
      EXPECT_EQ(viewer_->notes->Text(), a + " a1 a2");

      Focus(viewer_->lstMarinaNames);
      Select(20);
      const QList<MsgBoxCall> told = aboutNotes();
      ASSERT_EQ(told.size(), 1);
      EXPECT_TRUE(told[0].text.contains(c.cause)) << told[0].text.toStdString();
      if (c.readable) {
        TypeAtEnd(" b1");
        viewer_->notes->PauseInTyping();
        Type(viewer_->tbNotes, " b2");
      } else {
        EXPECT_TRUE(viewer_->tbNotes->isReadOnly());  // notes it could not read are not typed over
      }

      const QString names = c.readable ? "for 2 marinas (" : "for ";
      asksOnce("closing the viewer", names, [&] { viewer_->close(); });
      asksOnce("Exit", names, [] { ExitProgram(); });
      boxes_.Answer(MsgResult::OK);  // the insert-CD message first
      asksOnce("a missing medium found by a search", names, [] {
        ErrorHandler("DavedoZoroz", "OpenMyDatabase", RuntimeError{kJetDiskOrNetwork, "DAO.Workspace", "Disk or network error.", {}, 0});
      });
      EXPECT_EQ(KeptNotes().size(), c.readable ? 2 : 1);
    }
    // The fault gone: the box's next try stores it, and the notes kept for
    // the other marina go with it; notes that could not be read are read
    // once the box is entered; the end of the program stores the rest without
    // a word.
    boxes_.Clear();
    viewer_->notes->PauseInTyping();
    if (c.readable) {
      EXPECT_TRUE(KeptNotes().isEmpty());
      EXPECT_TRUE(viewer_->notes->TextStored());
    } else {
      Focus(viewer_->tbNotes);
      EXPECT_EQ(viewer_->notes->NotesMarinaNo(), 20);
      EXPECT_FALSE(viewer_->tbNotes->isReadOnly());
    }
    EXPECT_EQ(viewer_->lblNotes->text(), "Personal Notes");
    EXPECT_FALSE(CallScreen(AppScreens().keepOpenForNotes));
    EXPECT_TRUE(boxes_.Shown().isEmpty());
    EXPECT_EQ(StoredNotes(2608), a + " a1 a2");
    EXPECT_EQ(StoredNotes(20), c.readable ? b + " b1 b2" : b);
  }
  SetExitRoad(nullptr);
}

// One action of the user that meets another program's lock waits for it once
// (1.5 s in all) however many notes it stores and tells once; a menu opened
// over the box stores them as a pause in typing does: silent, without a wait.
// The menu bar taking the keyboard leaves the box: the failure is told.
TEST_F(NotesBoxTest, EachActionWaitsForAnotherProgramsLockOnceInAll) {
  const uitest::CatchProgramEnd catchEnd;
  SetExitRoad([] { return !CallScreen(AppScreens().keepOpenForNotes); });
  struct Case {
    const char* action;
    std::function<void()> act;
    qint64 maxWaitMs;
    int told;               // messages: the failure told, or the closing question
    bool switches = false;  // the viewer shows another marina
  };
  const Case cases[] = {
      {"a click on another marina in the list",
       [this] {
         QListWidget* list = viewer_->lstMarinaNames;
         int entry = 0;
         while (viewer_->EntryMarinaNo(entry) != 20) ++entry;
         // The focus moves as the button goes down, then the press is handled.
         list->setFocus(Qt::MouseFocusReason);
         QTest::mouseClick(list->viewport(), Qt::LeftButton, {}, list->visualItemRect(list->item(entry)).center());
         QApplication::processEvents();
       },
       1500, 1, true},
      {"a menu opened over the box",
       [this] {
         viewer_->mnuRstp->popup(viewer_->mapToGlobal(QPoint(0, 0)));
         QApplication::processEvents();
         viewer_->mnuRstp->hide();
       },
       0, 0},
      {"the menu bar takes the keyboard",
       [this] {
         QTest::keyClick(viewer_->tbNotes, Qt::Key_Alt);  // Alt alone
         EXPECT_EQ(QApplication::focusWidget(), viewer_->menuBar());
         QTest::keyClick(viewer_->menuBar(), Qt::Key_Escape);
       },
       1500, 1},
      {"Alt+F opens the File menu over the box",
       [this] {
         QTest::keyClick(viewer_->tbNotes, Qt::Key_F, Qt::AltModifier);
         EXPECT_TRUE(viewer_->mnuRstp->isVisible());
         QTest::keyClick(viewer_->mnuRstp, Qt::Key_Escape);
         QTest::keyClick(viewer_->menuBar(), Qt::Key_Escape);
       },
       0, 0},
      {"Return to Search", [this] { viewer_->mnubksearch_Click(); }, 1500, 1},
      {"Return to Maps", [this] { viewer_->mnucharts_Click(); }, 1500, 1},
      {"closing the viewer", [this] { viewer_->close(); }, 1500, 1},
      {"Exit", [] { ExitProgram(); }, 1500, 1},
  };
  const QString stored = StoredNotes(2608);
  for (const Case& c : cases) {
    SCOPED_TRACE(c.action);
    Select(2608);
    QApplication::setActiveWindow(viewer_);
    testing::InjectedFault lock(testing::StoreFault::Lock, folder_.DatabasePath());
    KeepNote(20, QStringLiteral("Marina 20"), QStringLiteral("kept for 20"));
    KeepNote(11, QStringLiteral("Marina 11"), QStringLiteral("kept for 11"));
    TypeAtEnd(" typed");
    boxes_.Clear();
    boxes_.Answer(MsgResult::Yes);  // keep everything open
    const qint64 before = LockWaitedMs();
    EXPECT_NO_THROW(c.act());
    EXPECT_LE(LockWaitedMs() - before, c.maxWaitMs);
    EXPECT_EQ(boxes_.Shown().size(), c.told);
    EXPECT_EQ(frm_view_report::Loaded(), viewer_.data());
    if (!c.switches) EXPECT_EQ(viewer_->notes->Text(), stored + " typed");
    EXPECT_EQ(KeptNotes().value(2608).text, stored + " typed");
    EXPECT_EQ(KeptNotes().size(), 3);
    lock.Lift();
    EXPECT_FALSE(CallScreen(AppScreens().keepOpenForNotes));  // stores them all
    ASSERT_TRUE(KeptNotes().isEmpty());
    ASSERT_EQ(StoredNotes(2608), stored + " typed");
    ASSERT_TRUE(StoreNotes(2608, stored).Ok());  // as before, for the next action
    viewer_->notes->Load(2608);
  }
  SetExitRoad(nullptr);
}

// Find on the search screen, which closes the viewer, and its count wait for
// another program's lock once in all; the notes stay kept.
TEST_F(NotesBoxTest, FindMetByALockWaitsOnceForTheNotesAndTheCount) {
  RegisterSearchScreens();
  CallScreen(AppScreens().showSearch);
  const QString stored = StoredNotes(2608);
  testing::InjectedFault lock(testing::StoreFault::Lock, folder_.DatabasePath());
  TypeAtEnd(" typed");
  boxes_.Clear();
  boxes_.Answer(MsgResult::OK);   // the notes' message
  boxes_.Answer(MsgResult::Yes);  // the count's error: go on
  const qint64 before = LockWaitedMs();
  frmCriteria::Instance()->cmdFind_Click();
  EXPECT_LE(LockWaitedMs() - before, 1500);
  EXPECT_EQ(frm_view_report::Loaded(), nullptr);
  EXPECT_EQ(KeptNotes().value(2608).text, stored + " typed");
  frmCriteria::Unload();
}

// A child process that types into a notes box and then waits, never leaving
// the box, until it is killed (started by the test below).
TEST(NotesBoxPause, DISABLED_ChildTypesAndWaits) {
  const QString folder = qEnvironmentVariable("QUAYWISE_NOTES_CHILD_FOLDER");
  if (folder.isEmpty()) GTEST_SKIP();
  SetProgramFolder(folder);
  Settings().DataFolder = folder + "/Database";
  Settings().DatabaseFileName = QStringLiteral("marina.mdb");
  QPlainTextEdit edit;
  NotesBox box(&edit);
  edit.show();
  box.Load(2608);
  edit.setFocus(Qt::OtherFocusReason);
  edit.moveCursor(QTextCursor::End);
  Type(&edit, " Typed before the crash");
  std::printf("typed\n");
  std::fflush(stdout);
  for (;;) QCoreApplication::processEvents(QEventLoop::AllEvents, 100);
}

TEST(NotesBoxPause, TypedTextReachesTheDatabaseBeforeTheProgramDies) {
  testing::TempProgramFolder folder;
  const QString first = PersonalNotes().Load(2608);
  QProcess child;
  QProcessEnvironment env = QProcessEnvironment::systemEnvironment();
  env.insert(QStringLiteral("QUAYWISE_NOTES_CHILD_FOLDER"), folder.Path());
  child.setProcessEnvironment(env);
  child.start(QCoreApplication::applicationFilePath(),
              {QStringLiteral("--gtest_filter=NotesBoxPause.DISABLED_ChildTypesAndWaits"),
               QStringLiteral("--gtest_also_run_disabled_tests")});
  QByteArray output;
  while (!output.contains("typed") && child.waitForReadyRead(30000)) output += child.readAllStandardOutput();
  ASSERT_TRUE(output.contains("typed")) << output.constData();
  // The child never leaves the box: only the pause in typing stores the text.
  const QString expected = first + " Typed before the crash";
  QElapsedTimer waited;
  waited.start();
  while (PersonalNotes().Load(2608) != expected && waited.elapsed() < 20000) QThread::msleep(100);
  child.kill();
  child.waitForFinished();
  EXPECT_EQ(PersonalNotes().Load(2608), expected);
}

// Notes kept for two marinas by a run that is killed (kill -9) while a store
// fault keeps them from the database. The child below keeps them; the test
// kills it, and a start (once with the fault still on, where the fault
// outlives the child, then with it lifted) recovers them.
const QString kKeptA = QStringLiteral(
    "Fuel dock \"B\" closes at 5; ask for \u017baneta \u2014 caf\u00e9 \u2615 \U0001F6A4 (slip #12)\n"
    "\tTab, back\\slash, {braces} [brackets] <b>not bold</b> & 'quotes', 100% _under_\n"
    "\u05e2\u05d1\u05e8\u05d9\u05ea, \u65e5\u672c\u8a9e, e\u0301, end ");
QString KeptB() {
  QString text;
  for (int line = 1; line <= 8; ++line)
    text += QStringLiteral("Line %1: moorings \u00bd mile north, channel 9, \"Harbormaster\" on 16.\n").arg(line);
  return text + QStringLiteral("  trailing blanks  ");
}
// What the box keeps of a text: its line ends as CR LF.
QString AsKept(QString text) {
  return text.replace(QStringLiteral("\r\n"), QStringLiteral("\n")).replace(u'\n', QStringLiteral("\r\n"));
}
// Faults that a process puts on itself only (its file size limit, its file
// system shim) go with it; the others stay until they are lifted.
bool FaultOfTheChildAlone(testing::StoreFault fault) {
  return fault == testing::StoreFault::DiskFull || fault == testing::StoreFault::IoError;
}

TEST(KeptNotesRecovery, DISABLED_ChildKeepsNotesForTwoMarinasAndWaits) {
  const QString folder = qEnvironmentVariable("QUAYWISE_KEPT_CHILD_FOLDER");
  if (folder.isEmpty()) GTEST_SKIP();
  const auto fault = static_cast<testing::StoreFault>(qEnvironmentVariableIntValue("QUAYWISE_KEPT_CHILD_FAULT"));
  SetProgramFolder(folder);
  Settings().DataFolder = folder + "/Database";
  Settings().DatabaseFileName = QStringLiteral("marina.mdb");
  SetUserStoreFolder(qEnvironmentVariable("QUAYWISE_KEPT_CHILD_STORE"));
  const ScriptedMsgBoxes boxes;
  QPlainTextEdit a, b;
  NotesBox boxA(&a), boxB(&b);
  boxA.Load(2608, QStringLiteral("Marina 2608"));
  boxB.Load(20, QStringLiteral("Marina 20"));
  std::printf("loaded\n");
  std::fflush(stdout);
  char go[16] = {};
  ASSERT_NE(std::fgets(go, sizeof go, stdin), nullptr);  // the parent has put its fault on
  std::unique_ptr<testing::InjectedFault> own;
  if (FaultOfTheChildAlone(fault))
    own = std::make_unique<testing::InjectedFault>(fault, folder + "/Database/marina.mdb");
  a.setPlainText(kKeptA);
  b.setPlainText(KeptB());
  boxA.PauseInTyping();
  boxB.PauseInTyping();
  std::printf(KeptNotes().size() == 2 ? "kept\n" : "not kept\n");
  std::fflush(stdout);
  for (;;) QCoreApplication::processEvents(QEventLoop::AllEvents, 100);
}

TEST(KeptNotesRecovery, NotesKeptWhenTheProgramIsKilledAreStoredAtTheNextStart) {
  using testing::StoreFault;
  for (const StoreFault fault :
       {StoreFault::ReadOnlyFile, StoreFault::ReadOnlyFolder, StoreFault::Lock, StoreFault::DiskFull,
        StoreFault::IoError, StoreFault::FolderAway, StoreFault::FileAway}) {
    SCOPED_TRACE(testing::StoreFaultName(fault));
    testing::TempProgramFolder folder;
    QTemporaryDir store;
    SetUserStoreFolder(store.path());
    const ScriptedMsgBoxes boxes;
    QProcess child;
    QProcessEnvironment env = QProcessEnvironment::systemEnvironment();
    env.insert(QStringLiteral("QUAYWISE_KEPT_CHILD_FOLDER"), folder.Path());
    env.insert(QStringLiteral("QUAYWISE_KEPT_CHILD_STORE"), store.path());
    env.insert(QStringLiteral("QUAYWISE_KEPT_CHILD_FAULT"), QString::number(int(fault)));
    child.setProcessEnvironment(env);
    child.start(QCoreApplication::applicationFilePath(),
                {QStringLiteral("--gtest_filter=KeptNotesRecovery.DISABLED_ChildKeepsNotesForTwoMarinasAndWaits"),
                 QStringLiteral("--gtest_also_run_disabled_tests")});
    QByteArray output;
    const auto waitFor = [&](const char* word) {
      while (!output.contains(word) && child.waitForReadyRead(30000)) output += child.readAllStandardOutput();
      return output.contains(word);
    };
    ASSERT_TRUE(waitFor("loaded")) << output.constData();
    std::unique_ptr<testing::InjectedFault> lasting;
    if (!FaultOfTheChildAlone(fault)) lasting = std::make_unique<testing::InjectedFault>(fault, folder.DatabasePath());
    child.write("go\n");
    ASSERT_TRUE(waitFor("kept\n")) << output.constData();
    child.kill();  // SIGKILL: nothing of the child's runs after it
    child.waitForFinished();
    const QString file = KeptNotesFile();
    ASSERT_TRUE(QFileInfo::exists(file));
    EXPECT_EQ(QFileInfo(file).permissions() & 0x0077, 0);  // the user's alone

    const QStringList names{"Marina 20", "Marina 2608"};
    if (lasting) {
      // A start while the fault lasts: kept, told once, and shown with
      // their marina.
      const RecoveredNotes kept = RecoverKeptNotes();
      EXPECT_EQ(kept.kept, names);
      EXPECT_TRUE(kept.stored.isEmpty());
      EXPECT_TRUE(RecoveredNotesMessage(kept).contains("Marina 20 and Marina 2608, which Quaywise kept"));
      EXPECT_TRUE(QFileInfo::exists(file));
      QPlainTextEdit edit;
      NotesBox box(&edit);
      box.Load(2608);
      EXPECT_EQ(box.Text(), AsKept(kKeptA));
      EXPECT_FALSE(box.TextStored());
      lasting.reset();
    }
    // A start with the fault lifted: every character stored.
    const RecoveredNotes recovered = RecoverKeptNotes();
    EXPECT_EQ(recovered.stored, names);
    EXPECT_TRUE(recovered.kept.isEmpty());
    EXPECT_EQ(
        RecoveredNotesMessage(recovered),
        "Your personal notes for Marina 20 and Marina 2608, which Quaywise kept when it last ended before it could "
        "store them, are now stored.");
    EXPECT_EQ(PersonalNotes().Load(2608), AsKept(kKeptA));
    EXPECT_EQ(PersonalNotes().Load(20), AsKept(KeptB()));
    EXPECT_TRUE(KeptNotes().isEmpty());
    EXPECT_FALSE(QFileInfo::exists(file));
    EXPECT_EQ(QDir(store.path()).entryList(QDir::Files | QDir::Hidden), QStringList());
    SetUserStoreFolder(QString());
  }
}

}  // namespace
}  // namespace qw

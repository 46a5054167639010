// Every Yes/No question of the program, asked for real and answered on the
// real box in each way a user can: Escape, the window manager's close
// button, the close button the program draws without one, Yes and No.
// Escape and both close buttons give the answer that loses nothing, and
// each answer does what it says (the notes question is checked against the
// database while another program holds its lock).
#include <QApplication>
#include <QFile>
#include <QFileDialog>
#include <QMessageBox>
#include <QPlainTextEdit>
#include <QPrinter>
#include <QTest>
#include <QTimer>
#include <QToolButton>
#include <gtest/gtest.h>

#include "app/ui/frm_splash.h"
#include "common/store_faults.h"
#include "platform/message_box.h"
#include "platform/ui/browser.h"
#include "report/ui/notes_box.h"
#include "report/ui/viewer_fixture.h"
#include "services/error_handler.h"
#include "ui_helpers.h"

namespace qw {
namespace {

enum class Way { Escape, WindowClose, DrawnClose, Yes, No };
const char* WayName(Way way) {
  static const char* const names[] = {"Escape", "window close", "drawn close", "Yes", "No"};
  return names[int(way)];
}

QMessageBox* OpenBox() {
  for (QWidget* w : QApplication::topLevelWidgets())
    if (auto* box = qobject_cast<QMessageBox*>(w); box && box->isVisible()) return box;
  return nullptr;
}

// While it lives, answers each box that opens in the way given, as a user
// would once it shows (a key held back while the box is not yet seen or the
// keyboard not quiet is typed again), and counts the boxes it answered.
class Answerer : public QObject {
 public:
  explicit Answerer(Way way) : way_(way) { startTimer(20); }
  int Answered() const { return int(answered_.size()); }

 protected:
  void timerEvent(QTimerEvent*) override {
    QMessageBox* box = OpenBox();
    if (!box) return;
    if (!answered_.contains(box)) {
      answered_ << box;
      since_.start();
    }
    switch (way_) {
      case Way::Escape:
        if (since_.elapsed() < kKeysQuietMs + 150) return;
        since_.restart();
        QTest::keyClick(box, Qt::Key_Escape);
        break;
      case Way::WindowClose:
        box->close();
        break;
      case Way::DrawnClose: {
        auto* strip = box->findChild<QWidget*>(QStringLiteral("qw_caption_strip"));
        if (strip && strip->isVisible()) strip->findChild<QToolButton*>()->click();
        break;
      }
      case Way::Yes:
        box->button(QMessageBox::Yes)->click();
        break;
      case Way::No:
        box->button(QMessageBox::No)->click();
        break;
    }
  }

 private:
  Way way_;
  QList<const void*> answered_;
  QElapsedTimer since_;
};

class Questions : public testing::RealDialogsViewerTest {
 public:
  // Each question raised by its real caller; what the program did after it,
  // as the answer it acted on.
  MsgResult ContinueAfterError() {
    const bool notYes = ErrorHandler("frmCriteria", "Form_Load", RuntimeError{3024, "DAO.Database", "No file.", {}, 0});
    return notYes ? MsgResult::No : MsgResult::Yes;
  }

  MsgResult ReplaceFile() {
    const QString file = folder_.Path() + "/old.pdf";
    QFile f(file);
    EXPECT_TRUE(f.open(QIODevice::WriteOnly) && f.write("old") == 3);
    f.close();
    QPrinter& printer = WebBrowser::Printer();
    const QString savedFile = printer.outputFileName();
    printer.setOutputFileName(QString());
    // The file chooser takes the file in the way; asked again after a No, it
    // is cancelled.
    int chosen = 0;
    const auto hook = WebBrowser::SetDialogHook([&](QDialog& dialog) {
      if (chosen++ > 0) return int(QDialog::Rejected);
      static_cast<QFileDialog&>(dialog).selectFile(file);
      return int(QDialog::Accepted);
    });
    const bool replace = WebBrowser::ChoosePrintFile(nullptr, "Print");
    const QString output = printer.outputFileName();
    WebBrowser::SetDialogHook(hook);
    printer.setOutputFileName(savedFile);
    EXPECT_EQ(chosen, replace ? 1 : 2);
    EXPECT_TRUE(f.open(QIODevice::ReadOnly) && f.readAll() == "old") << "nothing is written before the print";
    EXPECT_EQ(output, replace ? file : QString());
    return replace ? MsgResult::Yes : MsgResult::No;
  }

  // Notes typed while another program holds the database's lock, then Return
  // to Search.
  MsgResult KeepForNotes() {
    if (!frm_view_report::Loaded()) {
      EXPECT_NE(DoubleClick(2608), nullptr);
    }
    frm_view_report* viewer = frm_view_report::Loaded();
    if (!viewer) return MsgResult::Cancel;
    const QString before = StoredNotes(2608);
    const QString typed = QStringLiteral(" typed %1").arg(++notesRound_);
    {
      testing::InjectedFault lock(testing::StoreFault::Lock, folder_.DatabasePath());
      viewer->tbNotes->setFocus();
      viewer->tbNotes->moveCursor(QTextCursor::End);
      QTest::keyClicks(viewer->tbNotes, typed);
      viewer->mnubksearch_Click();
    }
    const bool kept = frm_view_report::Loaded() == viewer;
    if (kept) {
      // Every character is still there and goes in once the lock is gone.
      EXPECT_TRUE(viewer->notes->Text().endsWith(typed));
      viewer->notes->PauseInTyping();
      EXPECT_EQ(StoredNotes(2608), before + typed);
    } else {
      EXPECT_TRUE(KeptNotes().isEmpty());
      EXPECT_EQ(StoredNotes(2608), before) << "discarded: no row holds what was typed";
    }
    return kept ? MsgResult::Yes : MsgResult::No;
  }

  MsgResult DownloadBrowser() {
    const uitest::CatchProgramEnd catchEnd;
    const auto version = BrowserVersionSource();
    const auto download = OpenBrowserDownloadPage();
    int downloads = 0;
    BrowserVersionSource() = [] { return QStringLiteral("5"); };
    OpenBrowserDownloadPage() = [&] { ++downloads; };
    EXPECT_THROW(ShowSplash(), uitest::ProgramEnded);
    BrowserVersionSource() = version;
    OpenBrowserDownloadPage() = download;
    for (QWidget* w : QApplication::topLevelWidgets())
      if (w->objectName() == QLatin1String("frmSplash") || w->objectName() == QLatin1String("frmLogo")) delete w;
    return downloads > 0 ? MsgResult::Yes : MsgResult::No;
  }

 protected:
  int notesRound_ = 0;
};

TEST_F(Questions, EscapeAndCloseGiveTheAnswerThatLosesNothing) {
  struct Row {
    Question question;
    MsgResult (Questions::*ask)();
  };
  const Row rows[] = {
      {Question::ContinueAfterError, &Questions::ContinueAfterError},
      {Question::ReplaceFile, &Questions::ReplaceFile},
      {Question::KeepForNotes, &Questions::KeepForNotes},
      {Question::DownloadBrowser, &Questions::DownloadBrowser},
  };
  ASSERT_EQ(std::size(rows), std::size(kQuestions)) << "every question of the program is here";
  EXPECT_EQ(SafeAnswer(Question::KeepForNotes), MsgResult::Yes);
  EXPECT_EQ(SafeAnswer(Question::ReplaceFile), MsgResult::No);
  for (const Row& row : rows) {
    for (Way way : {Way::Escape, Way::WindowClose, Way::DrawnClose, Way::Yes, Way::No}) {
      SCOPED_TRACE(std::string(kQuestions[int(row.question)].why) + " / " + WayName(way));
      std::optional<AssumeWindowManager> bare;
      if (way == Way::DrawnClose) bare.emplace(false);
      const Answerer user(way);
      const MsgResult acted = (this->*row.ask)();
      EXPECT_EQ(user.Answered(), 1);
      const MsgResult expected = way == Way::Yes  ? MsgResult::Yes
                                 : way == Way::No ? MsgResult::No
                                                  : SafeAnswer(row.question);
      EXPECT_EQ(acted, expected);
    }
  }
}

// A Yes/No box that names no question cannot be dismissed: only its buttons
// answer it.
TEST_F(Questions, ABoxWithoutASafeAnswerIsAnsweredByItsButtonsOnly) {
  QTimer::singleShot(0, [] {
    ASSERT_TRUE(uitest::WaitFor([] { return OpenBox() != nullptr; }));
    QMessageBox* box = OpenBox();
    uitest::WaitFor([] { return false; }, kKeysQuietMs + 150);
    QTest::keyClick(box, Qt::Key_Escape);
    box->close();
    EXPECT_TRUE(box->isVisible());
    box->button(QMessageBox::No)->click();
  });
  EXPECT_EQ(MsgBox("Continue?", MsgButtons::YesNo), MsgResult::No);
}

}  // namespace
}  // namespace qw

// The notes box in a stand-in viewer: its text stored to the marina it was
// loaded for (on leaving the box, before another marina is shown, after a
// re-sort, at the program's end), and a database read from the CD or that
// cannot be written.
#include <QApplication>
#include <QClipboard>
#include <QFile>
#include <QKeyEvent>
#include <gtest/gtest.h>

#include "platform/message_box.h"
#include "report/notes.h"
#include "search/qstring_printer.h"
#include "viewer_stand_in.h"

namespace qw {
namespace {

using testing::ListedMarina;
using testing::ViewerStandIn;

QString StoredNotes(int marinaNo) {
  DatabasePtr db = OpenMarinaDatabase(-1, true);
  return ReadNotes(*db, marinaNo);
}

void Key(QWidget* w, int key, Qt::KeyboardModifiers mods = Qt::NoModifier, const QString& text = QString()) {
  QKeyEvent press(QEvent::KeyPress, key, mods, text);
  QKeyEvent release(QEvent::KeyRelease, key, mods, text);
  QApplication::sendEvent(w, &press);
  QApplication::sendEvent(w, &release);
}

void Type(QWidget* w, const QString& text) {
  for (const QChar c : text) Key(w, c == u'\r' ? int(Qt::Key_Return) : c.toUpper().unicode(), Qt::NoModifier, QString(c));
}

class NotesBoxTest : public ::testing::Test {
 protected:
  void SetUp() override {
    // Demo marinas 2608 and 20 have notes, 11 has none.
    viewer_ = std::make_unique<ViewerStandIn>(
        QList<ListedMarina>{{2608, "First"}, {20, "Second"}, {11, "Third"}}, ViewerStandIn::Pages::Plain);
    viewer_->show();
    QApplication::setActiveWindow(viewer_.get());
    viewer_->lstMarinaNames->setCurrentRow(0);
  }
  void Focus(QWidget* w) {
    w->setFocus(Qt::OtherFocusReason);
    QApplication::processEvents();
  }
  void TypeAtEnd(const QString& text) {
    Focus(viewer_->tbNotes);
    viewer_->tbNotes->moveCursor(QTextCursor::End);
    Type(viewer_->tbNotes, text);
  }

  testing::TempProgramFolder folder_;
  ScriptedMsgBoxes boxes_;
  std::unique_ptr<ViewerStandIn> viewer_;
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
  viewer_->lstMarinaNames->setCurrentRow(1);
  EXPECT_EQ(StoredNotes(2608), first + " AB");
  EXPECT_EQ(viewer_->notes->Text(), second);
  EXPECT_EQ(viewer_->notes->NotesMarinaNo(), 20);

  // The result list re-sorted: the box's text still belongs to marina 20.
  std::swap(viewer_->rows[1], viewer_->rows[2]);
  TypeAtEnd("\rC");
  Focus(viewer_->lstMarinaNames);
  EXPECT_EQ(StoredNotes(20), second + "\r\nC");
  EXPECT_EQ(StoredNotes(11), "");

  // What is still in the box when the program ends.
  TypeAtEnd("D");
  EXPECT_TRUE(viewer_->notes->StorePending());
  EXPECT_EQ(StoredNotes(20), second + "\r\nCD");
  EXPECT_TRUE(boxes_.Shown().isEmpty());

  // The viewer closes while the box has the focus: its notes stay.
  Focus(viewer_->tbNotes);
  viewer_.reset();
  EXPECT_EQ(StoredNotes(20), second + "\r\nCD");
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
  QFile::setPermissions(folder_.DatabasePath(), QFile::ReadOwner | QFile::ReadGroup | QFile::ReadOther);
  Focus(viewer_->lstMarinaNames);
  ASSERT_EQ(boxes_.Shown().size(), 1);
  EXPECT_EQ(boxes_.Shown()[0].text, kNotesFromCdMessage);
  EXPECT_EQ(viewer_->notes->Text(), first + "z");
  EXPECT_EQ(StoredNotes(2608), first);
  QFile::setPermissions(folder_.DatabasePath(), QFile::ReadOwner | QFile::WriteOwner);
  EXPECT_TRUE(viewer_->notes->StorePending());
  EXPECT_EQ(StoredNotes(2608), first + "z");
}

}  // namespace
}  // namespace qw

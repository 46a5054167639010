#include <QApplication>
#include <QElapsedTimer>
#include <QLineEdit>
#include <QMessageBox>
#include <QPushButton>
#include <QTest>
#include <QTimer>
#include <gtest/gtest.h>

#include "platform/message_box.h"
#include "platform/ui/message_box_widgets.h"

namespace {

// The message box that is open; nullptr when none is.
QMessageBox* OpenBox() {
  for (QWidget* w : QApplication::topLevelWidgets())
    if (auto* box = qobject_cast<QMessageBox*>(w); box && box->isVisible()) return box;
  return nullptr;
}

// Runs check on the message box once it is open, then clicks `press`.
void WhenBoxOpens(std::function<void(QMessageBox*)> check, QMessageBox::StandardButton press) {
  QTimer::singleShot(0, [check, press]() {
    QMessageBox* box = OpenBox();
    ASSERT_NE(box, nullptr) << "no message box open";
    check(box);
    box->button(press)->click();
  });
}

TEST(WidgetMessageBoxes, ShowTextTitleButtonsIconAndDefault) {
  qw::InstallWidgetMessageBoxes();
  WhenBoxOpens(
      [](QMessageBox* box) {
        EXPECT_EQ(box->windowTitle(), "Error");
        EXPECT_EQ(box->text(), "Database error. Continue?\nError #  3024");
        EXPECT_EQ(box->icon(), QMessageBox::Warning);
        EXPECT_EQ(box->standardButtons(), QMessageBox::Yes | QMessageBox::No | QMessageBox::Cancel);
        EXPECT_EQ(box->defaultButton(), box->button(QMessageBox::No));
      },
      QMessageBox::Cancel);
  EXPECT_EQ(qw::MsgBox("Database error. Continue?\rError #  3024", qw::MsgButtons::YesNoCancel,
                       qw::MsgIcon::Exclamation, "Error", 2),
            qw::MsgResult::Cancel);

  WhenBoxOpens([](QMessageBox* box) { EXPECT_EQ(box->windowTitle(), "Quaywise 2.2"); }, QMessageBox::Yes);
  EXPECT_EQ(qw::MsgBox("Continue?", qw::MsgButtons::YesNo), qw::MsgResult::Yes);
  qw::SetMsgBoxHandler(nullptr);
}

// Typing on as a box appears (blank, Enter, a button's letter, its Alt
// shortcut) answers nothing; once the keyboard has been quiet a moment, a key
// answers.
TEST(WidgetMessageBoxes, KeysTypedAsABoxAppearsDoNotAnswerIt) {
  qw::InstallWidgetMessageBoxes();
  bool stillOpen = false;
  QTimer::singleShot(0, [&stillOpen] {
    QMessageBox* box = OpenBox();
    ASSERT_NE(box, nullptr);
    const auto key = [box](Qt::Key k, Qt::KeyboardModifiers mods = Qt::NoModifier) {
      QTest::keyClick(box->focusWidget() ? box->focusWidget() : box, k, mods);
    };
    for (Qt::Key k : {Qt::Key_N, Qt::Key_Space, Qt::Key_Return, Qt::Key_Escape}) key(k);
    key(Qt::Key_N, Qt::AltModifier);
    stillOpen = box->isVisible();
    QTimer::singleShot(qw::kKeysQuietMs + 250, [key] { key(Qt::Key_N); });
  });
  EXPECT_EQ(qw::MsgBox("Continue?", qw::MsgButtons::YesNo), qw::MsgResult::No);
  EXPECT_TRUE(stillOpen);
  qw::SetMsgBoxHandler(nullptr);
}

// The quiet time counts from the moment the box can be seen (on a busy
// machine long after it was made) and starts again with every key typed
// anywhere in the program.
TEST(WidgetMessageBoxes, KeysWaitUntilTheBoxHasBeenSeenAndTheKeyboardQuiet) {
  const auto wait = [](int ms) {
    QElapsedTimer t;
    t.start();
    while (t.elapsed() < ms) QApplication::processEvents(QEventLoop::AllEvents, 10);
  };
  QLineEdit elsewhere;
  elsewhere.show();
  QWidget box;
  int reached = 0;
  struct Counter : QObject {
    int* n;
    bool eventFilter(QObject*, QEvent* e) override { return *n += e->type() == QEvent::KeyPress, false; }
  } counter;
  counter.n = &reached;
  box.installEventFilter(&counter);
  const qw::KeysQuietGuard guard(&box);
  wait(qw::kKeysQuietMs + 250);  // made, not yet shown
  box.show();
  wait(100);
  EXPECT_FALSE(guard.KeysReachBox()) << "seen 0.1 s ago";
  QTest::keyClick(&box, Qt::Key_Return);
  EXPECT_EQ(reached, 0);
  wait(qw::kKeysQuietMs + 100);
  EXPECT_TRUE(guard.KeysReachBox());
  QTest::keyClick(&elsewhere, Qt::Key_A);  // typing in another window
  EXPECT_EQ(elsewhere.text(), "a");
  wait(100);
  QTest::keyClick(&box, Qt::Key_Return);
  EXPECT_EQ(reached, 0);
  wait(qw::kKeysQuietMs + 100);
  QTest::keyClick(&box, Qt::Key_Return);
  EXPECT_EQ(reached, 1);
}

}  // namespace

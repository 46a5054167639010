#include <QApplication>
#include <QMessageBox>
#include <QPushButton>
#include <QTimer>
#include <gtest/gtest.h>

#include "platform/message_box.h"
#include "platform/ui/message_box_widgets.h"

namespace {

// Runs check on the message box once it is open, then clicks `press`.
void WhenBoxOpens(std::function<void(QMessageBox*)> check, QMessageBox::StandardButton press) {
  QTimer::singleShot(0, [check, press]() {
    for (QWidget* w : QApplication::topLevelWidgets()) {
      if (auto* box = qobject_cast<QMessageBox*>(w); box && box->isVisible()) {
        check(box);
        box->button(press)->click();
        return;
      }
    }
    ADD_FAILURE() << "no message box open";
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

}  // namespace

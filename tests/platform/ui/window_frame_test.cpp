// The window frame without a window manager: the caption and close button the
// program draws itself, and which windows a click raises.
#include <QApplication>
#include <QDialog>
#include <QElapsedTimer>
#include <QFileDialog>
#include <QLabel>
#include <QMessageBox>
#include <QPointer>
#include <QScreen>
#include <QTimer>
#include <QToolButton>
#include <functional>
#include <gtest/gtest.h>
#include <map>

#include "common/keyboard_to_nowhere.h"
#include "platform/ui/window_frame.h"

namespace qw {
namespace {

QWidget* Strip(const QWidget* window) { return window->findChild<QWidget*>(QStringLiteral("qw_caption_strip")); }

TEST(WindowFrame, WithoutAWindowManagerTheProgramDrawsCaptionAndCloseButtonAboveTheWindow) {
  QWidget owner;
  owner.show();
  auto* dialog = new QDialog(&owner);
  dialog->setWindowTitle(QStringLiteral("VYK Information"));
  UseFixedFrame(dialog);
  auto* keys = new QWidget(&owner, Qt::Window);
  keys->setWindowTitle(QStringLiteral("Double click to view Sub-Region Map"));
  keys->setAttribute(Qt::WA_DeleteOnClose);
  DrawCaptionWithoutWindowManager(keys);
  const QRect area = QGuiApplication::primaryScreen()->availableGeometry();
  for (QWidget* window : {static_cast<QWidget*>(dialog), keys}) {
    SCOPED_TRACE(qPrintable(window->windowTitle()));
    {
      // A window manager draws its own.
      window->show();
      QApplication::processEvents();
      EXPECT_TRUE(!Strip(window) || !Strip(window)->isVisible());
      window->hide();
    }
    const AssumeWindowManager bare(false);
    window->move(area.left() + 100, area.top());  // no room above: the window moves down
    window->show();
    QApplication::processEvents();
    QWidget* strip = Strip(window);
    ASSERT_NE(strip, nullptr);
    EXPECT_TRUE(strip->isVisible());
    EXPECT_EQ(strip->findChild<QLabel*>()->text(), window->windowTitle());
    EXPECT_EQ(strip->geometry().top(), area.top());
    EXPECT_EQ(strip->geometry().bottom() + 1, window->frameGeometry().top());
    EXPECT_EQ(strip->width(), window->frameGeometry().width());
    // It follows the window and its caption.
    window->move(window->x() + 40, window->y() + 60);
    window->setWindowTitle(window->windowTitle() + QStringLiteral(" (moved)"));
    QApplication::processEvents();
    EXPECT_EQ(strip->geometry().bottomLeft() + QPoint(0, 1), window->frameGeometry().topLeft());
    EXPECT_EQ(strip->findChild<QLabel*>()->text(), window->windowTitle());
    // Its close button closes the window as the desktop's would.
    QPointer<QWidget> closing = window;
    strip->findChild<QToolButton*>()->click();
    QApplication::processEvents();
    QCoreApplication::sendPostedEvents(nullptr, QEvent::DeferredDelete);
    EXPECT_TRUE(closing.isNull() || !closing->isVisible());
    EXPECT_TRUE(closing.isNull() || !strip->isVisible());
  }
}

TEST(WindowFrame, WithoutAWindowManagerAClickedOwnerCoversTheWindowsThatLetIt) {
  const AssumeWindowManager bare(false);
  RaiseActiveWindowsWithoutWindowManager();
  QWidget owner;
  auto* keys = new QWidget(&owner, Qt::Window);
  LetOwnerCover(keys);
  DrawCaptionWithoutWindowManager(keys);
  auto* tool = new QWidget(&owner, Qt::Tool);
  owner.show();
  keys->show();
  tool->show();
  QApplication::processEvents();
  // Each raise of a window tells it of its new place in the stack.
  std::map<QObject*, int> raised;
  struct Counter : QObject {
    std::map<QObject*, int>* raised;
    bool eventFilter(QObject* o, QEvent* e) override {
      if (e->type() == QEvent::ZOrderChange) ++(*raised)[o];
      return false;
    }
  } counter;
  counter.raised = &raised;
  for (QWidget* w : {&owner, keys, Strip(keys), tool}) w->installEventFilter(&counter);

  QApplication::setActiveWindow(&owner);
  QApplication::processEvents();
  EXPECT_GT(raised[&owner], 0);
  EXPECT_GT(raised[tool], 0) << "a window the owner keeps above it";
  EXPECT_EQ(raised[keys], 0) << "covered by its owner";
  EXPECT_EQ(raised[Strip(keys)], 0) << "and so is its caption";

  raised.clear();
  QApplication::setActiveWindow(keys);
  QApplication::processEvents();
  EXPECT_GT(raised[keys], 0) << "clicked, it comes up again";
  EXPECT_GT(raised[Strip(keys)], 0);
}

// Every dialog, the toolkit's own too (a file dialog opened by the print
// dialog's "...", a question of a file dialog), shows the strip without a
// window manager and gives the keyboard back to the window that had it.
TEST(WindowFrame, EveryDialogShowsTheStripAndGivesTheKeyboardBack) {
  LookAfterDialogs();
  const AssumeWindowManager bare(false);
  const testing::KeyboardToNowhere nowhere;
  QWidget opener;
  opener.setWindowTitle(QStringLiteral("View Report"));
  opener.show();
  opener.activateWindow();
  QApplication::processEvents();
  ASSERT_EQ(QApplication::activeWindow(), &opener);
  const QList<std::pair<const char*, std::function<void()>>> dialogs{
      {"file dialog", [&] { QFileDialog::getSaveFileName(&opener, QStringLiteral("Print To File ...")); }},
      {"message box", [&] { QMessageBox::question(&opener, QStringLiteral("Print"), QStringLiteral("Replace?")); }},
      {"dialog", [&] {
         QDialog dialog(&opener);
         dialog.setWindowTitle(QStringLiteral("Page Setup"));
         dialog.exec();
       }}};
  for (const auto& [name, open] : dialogs) {
    SCOPED_TRACE(name);
    bool stripShown = false;
    QString caption;
    // Once it is up: its strip, with which the user closes it.
    QTimer poll;
    poll.start(20);
    QElapsedTimer waited;
    waited.start();
    QObject::connect(&poll, &QTimer::timeout, [&] {
      auto* dialog = qobject_cast<QDialog*>(QApplication::activeModalWidget());
      QWidget* strip = dialog ? Strip(dialog) : nullptr;
      if (dialog && waited.elapsed() > 5000) dialog->reject();  // none came
      if (!strip || !strip->isVisible()) return;
      stripShown = true;
      caption = strip->findChild<QLabel*>()->text();
      strip->findChild<QToolButton*>()->click();
    });
    open();
    QElapsedTimer settle;
    settle.start();
    while (QApplication::activeWindow() != &opener && settle.elapsed() < 1000) QApplication::processEvents();
    EXPECT_TRUE(stripShown);
    EXPECT_FALSE(caption.isEmpty());
    EXPECT_EQ(QApplication::activeWindow(), &opener);
  }
}

// Dialogs stacked or following one another, without a window manager: when
// the last closes, the keyboard is back on the window that had it before the
// first, also where the display told no window of the keyboard in between
// (a message box opened as a dialog closed, the print run's progress window).
TEST(WindowFrame, TheKeyboardGoesBackPastStackedDialogs) {
  LookAfterDialogs();
  const AssumeWindowManager bare(false);
  const testing::KeyboardToNowhere nowhere;
  QWidget opener;
  opener.show();
  opener.activateWindow();
  QApplication::processEvents();
  ASSERT_EQ(QApplication::activeWindow(), &opener);
  // Each modal dialog closes itself once it is up.
  QTimer closer;
  closer.start(20);
  QObject::connect(&closer, &QTimer::timeout, [] {
    auto* dialog = qobject_cast<QDialog*>(QApplication::activeModalWidget());
    if (dialog && dialog->isVisible() && !dialog->property("qw_holds").toBool()) dialog->reject();
  });
  const auto dialogOver = [](QWidget* parent, const std::function<void()>& inside = nullptr) {
    QDialog dialog(parent);
    if (inside) {
      dialog.setProperty("qw_holds", true);
      QTimer::singleShot(50, &dialog, [&] {
        inside();
        dialog.setProperty("qw_holds", false);
      });
    }
    dialog.exec();
  };
  const QList<std::pair<const char*, std::function<void()>>> cases{
      {"the progress window (a tool window)",
       [&] {
         QDialog progress(&opener, Qt::Tool);
         QTimer::singleShot(100, &progress, &QDialog::accept);
         progress.exec();
       }},
      {"a message box opened as a dialog closes",
       [&] {
         dialogOver(&opener);
         QMessageBox::information(QApplication::activeWindow(), QStringLiteral("Print"), QStringLiteral("Printed."));
       }},
      {"a dialog over a dialog", [&] { dialogOver(&opener, [&] { dialogOver(QApplication::activeModalWidget()); }); }},
  };
  for (const auto& [name, open] : cases) {
    SCOPED_TRACE(name);
    open();
    QElapsedTimer settle;
    settle.start();
    while (QApplication::activeWindow() != &opener && settle.elapsed() < 1000) QApplication::processEvents();
    EXPECT_EQ(QApplication::activeWindow(), &opener);
  }
}

}  // namespace
}  // namespace qw

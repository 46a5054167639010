#include <QApplication>
#include <QKeyEvent>
#include <QMouseEvent>
#include <QPushButton>
#include <gtest/gtest.h>

#include "platform/ui/check_box.h"
#include "platform/ui/combo_box.h"
#include "platform/ui/tab_control.h"
#include "platform/ui/text_box.h"

namespace qw {
namespace {

// A left mouse button pressed (and released) on target at a point of it.
void SendMouse(QWidget* target, const QPointF& at, bool release = true) {
  QMouseEvent press(QEvent::MouseButtonPress, at, target->mapToGlobal(at), Qt::LeftButton, Qt::LeftButton,
                    Qt::NoModifier);
  QApplication::sendEvent(target, &press);
  if (!release) return;
  QMouseEvent up(QEvent::MouseButtonRelease, at, target->mapToGlobal(at), Qt::LeftButton, Qt::NoButton, Qt::NoModifier);
  QApplication::sendEvent(target, &up);
}

TEST(ComboBoxTest, ClickFollowsEveryChangeOfTheChosenEntryAndNothingElse) {
  ComboBox box;
  int clicks = 0;
  QObject::connect(&box, &ComboBox::Click, [&] { ++clicks; });
  box.AddItems({"", "Gas", "Diesel"});
  EXPECT_EQ(box.ListIndex(), -1) << "a filled list has no chosen entry yet";
  EXPECT_EQ(clicks, 0);
  EXPECT_TRUE(box.SetListIndex(0));
  EXPECT_EQ(clicks, 1) << "the program's change raises the click like the user's";
  EXPECT_TRUE(box.SetListIndex(0));
  EXPECT_EQ(clicks, 1) << "the unchanged choice raises nothing";
  box.AddItem("Both");
  EXPECT_EQ(box.ListIndex(), 0);
  EXPECT_EQ(clicks, 1);
  EXPECT_FALSE(box.SetListIndex(4));
  EXPECT_FALSE(box.SetListIndex(-2));
  EXPECT_EQ(box.ListIndex(), 0);
  box.setCurrentIndex(2);  // as the user's choice arrives
  EXPECT_EQ(clicks, 2);
  EXPECT_EQ(box.Text(), "Diesel");
  box.Clear();
  EXPECT_EQ(clicks, 2) << "emptying raises nothing";
  EXPECT_EQ(box.ListIndex(), -1);
  EXPECT_EQ(box.Text(), "");
  // After emptying and one new empty entry, choosing it is a change.
  box.AddItem("");
  EXPECT_TRUE(box.SetListIndex(0));
  EXPECT_EQ(clicks, 3);
}

TEST(CheckBoxTest, ValuesAndUserToggle) {
  CheckBox box("Sunset");
  EXPECT_EQ(box.Value(), 0);
  EXPECT_TRUE(box.SetValue(1));
  EXPECT_EQ(box.Value(), 1);
  EXPECT_TRUE(box.SetValue(2));
  EXPECT_EQ(box.Value(), 2);
  EXPECT_FALSE(box.SetValue(3));
  EXPECT_EQ(box.Value(), 2);
  // The user never reaches the greyed state by clicking.
  for (const int next : {1, 0, 1}) {
    box.click();
    EXPECT_EQ(box.Value(), next);
  }
}

TEST(TextBoxTest, RefusedCheckKeepsTheFocusAgainstTabAndClick) {
  QWidget window;
  auto* edit = new TextBox(&window);
  auto* other = new QPushButton("Go", &window);
  edit->setGeometry(0, 0, 100, 20);
  other->setGeometry(0, 30, 100, 25);
  int checks = 0, clicks = 0;
  bool pass = false;
  edit->SetValidate([&] { ++checks; return pass; });
  QObject::connect(other, &QPushButton::clicked, [&] { ++clicks; });
  window.show();
  window.activateWindow();
  QApplication::setActiveWindow(&window);
  edit->setFocus();
  QApplication::processEvents();
  ASSERT_TRUE(edit->hasFocus());

  QKeyEvent tab(QEvent::KeyPress, Qt::Key_Tab, Qt::NoModifier);
  QApplication::sendEvent(edit, &tab);
  EXPECT_EQ(checks, 1);
  EXPECT_TRUE(edit->hasFocus());

  SendMouse(other, QPointF(10, 10));
  EXPECT_EQ(checks, 2);
  EXPECT_EQ(clicks, 0) << "a refused check swallows the click";
  EXPECT_TRUE(edit->hasFocus());

  // A click on a tab's caption is refused as well: the tab stays.
  auto* tabs = new TabControl(&window);
  tabs->setGeometry(0, 60, 300, 150);
  tabs->SetTabs({"One", "Two"}, 2);
  const QPoint onTwo = tabs->TabRect(1).center();
  QWidget* caption = tabs->childAt(onTwo);
  ASSERT_NE(caption, nullptr);
  const QPointF onCaption = caption->mapFrom(tabs, QPointF(onTwo));
  SendMouse(caption, onCaption, false);
  EXPECT_EQ(tabs->Tab(), 0);
  EXPECT_EQ(checks, 3);

  pass = true;
  SendMouse(caption, onCaption, false);
  EXPECT_EQ(tabs->Tab(), 1);
  SendMouse(other, QPointF(10, 10));
  EXPECT_EQ(clicks, 1) << "a passed check lets the click through";
}

TEST(TabControlTest, ClickTellsTheTabBeingLeftAndRowsRotate) {
  TabControl tabs;
  tabs.resize(500, 300);
  tabs.SetTabs({"A", "B", "C", "D", "E", "F", "G", "H", "I", "J"}, 5);
  std::vector<int> left;
  QObject::connect(&tabs, &TabControl::Click, [&](int previous) { left.push_back(previous); });
  EXPECT_EQ(tabs.Tab(), 0);
  EXPECT_TRUE(tabs.SetTab(3));
  EXPECT_TRUE(tabs.SetTab(3));
  EXPECT_TRUE(tabs.SetTab(7));
  EXPECT_FALSE(tabs.SetTab(10));
  EXPECT_EQ(left, (std::vector<int>{0, 3}));
  EXPECT_EQ(tabs.Tab(), 7);
  EXPECT_TRUE(tabs.Page(7)->isVisibleTo(&tabs));
  EXPECT_FALSE(tabs.Page(3)->isVisibleTo(&tabs));
  // The chosen tab's row lies next to the page, the other row above it.
  EXPECT_GT(tabs.TabRect(7).top(), tabs.TabRect(0).top());
  EXPECT_EQ(tabs.TabAt(tabs.TabRect(2).center()), 2);
  tabs.SetTab(1);
  EXPECT_LT(tabs.TabRect(9).top(), tabs.TabRect(4).top());
  EXPECT_EQ(tabs.TabAt(tabs.TabRect(9).center()), 9);
  EXPECT_EQ(tabs.TabAt(QPoint(5, tabs.HeaderHeight() + 20)), -1);
}

}  // namespace
}  // namespace qw

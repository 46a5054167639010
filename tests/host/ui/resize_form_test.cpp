#include <QComboBox>
#include <QFrame>
#include <QLineEdit>
#include <QListWidget>
#include <QSpinBox>
#include <gtest/gtest.h>

#include "host/ui/window_host.h"
#include "platform/program.h"

namespace qw {
namespace {

struct Window {
  Window() {
    form.setGeometry(100, 100, 300, 200);
    QFont font = form.font();
    font.setPointSizeF(8);
    form.setFont(font);
    text = new QLineEdit(&form);
    text->setGeometry(10, 16, 100, 20);  // 150, 240, 1500, 300 twips
    combo = new QComboBox(&form);
    combo->setGeometry(10, 40, 100, 22);
    edge = new QLineEdit(&form);
    edge->setGeometry(0, 70, 50, 20);
    frame = new QFrame(&form);
    frame->setGeometry(20, 100, 100, 60);
    inner = new QLineEdit(frame);
    inner->setGeometry(10, 10, 50, 20);
    spin = new QSpinBox(&form);
    spin->setGeometry(150, 16, 60, 22);
    list = new QListWidget(&form);
    list->setGeometry(150, 60, 100, 80);
  }
  QWidget form;
  QLineEdit* text;
  QComboBox* combo;
  QLineEdit* edge;
  QFrame* frame;
  QLineEdit* inner;
  QSpinBox* spin;
  QListWidget* list;
};

TEST(ResizeForm, ScalesControlsAndFontsButNotTheWindowWhileRePosFormIsOff) {
  Window w;
  RePosForm() = false;
  const int comboHeight = w.combo->height();
  QList<std::pair<QWidget*, QRect>> parts;
  for (QWidget* compound : {static_cast<QWidget*>(w.spin), static_cast<QWidget*>(w.list)}) {
    for (QWidget* part : compound->findChildren<QWidget*>()) {
      if (!part->isWindow()) parts.append({part, part->geometry()});
    }
  }
  ResizeForm(1.2f, 1.5f, &w.form);
  EXPECT_EQ(w.text->geometry(), QRect(12, 24, 120, 30));
  EXPECT_NEAR(w.text->font().pointSizeF(), 8 * 1.35, 1e-4);
  EXPECT_EQ(w.combo->geometry(), QRect(12, 60, 120, comboHeight));
  // Left 0: position, size and font kept.
  EXPECT_EQ(w.edge->geometry(), QRect(0, 70, 50, 20));
  EXPECT_DOUBLE_EQ(w.edge->font().pointSizeF(), 8);
  // Controls inside a frame scale in the frame's coordinates, once.
  EXPECT_EQ(w.frame->geometry(), QRect(24, 150, 120, 90));
  EXPECT_EQ(w.inner->geometry(), QRect(12, 15, 60, 30));
  EXPECT_NEAR(w.inner->font().pointSizeF(), 8 * 1.35, 1e-4);
  // Compound controls scale as one: their own parts (text field, viewport,
  // scroll bars) are left for the control to place.
  EXPECT_EQ(w.spin->geometry(), QRect(180, 24, 72, 33));
  EXPECT_EQ(w.list->geometry(), QRect(180, 90, 120, 120));
  for (const auto& [part, before] : parts) {
    EXPECT_EQ(part->geometry(), before) << part->objectName().toStdString();
  }
  EXPECT_EQ(w.form.geometry(), QRect(100, 100, 300, 200));
}

TEST(ResizeForm, MovesAndSizesTheWindowWhileRePosFormIsOn) {
  Window w;
  RePosForm() = true;
  ResizeForm(1.2f, 1.5f, &w.form);
  EXPECT_EQ(w.form.frameGeometry().topLeft(), QPoint(120, 150));
  EXPECT_EQ(w.form.frameGeometry().size(), QSize(360, 300));
  RePosForm() = false;
}

TEST(ResizeForm, ResizeEventsFollowTheHandshake) {
  Window w;
  DoResize() = false;
  FormSizeMemory memory;
  ResizeFormOnResize(&w.form, memory);  // no recorded size: nothing
  EXPECT_FALSE(DoResize());
  memory.Record(PixelsToTwips(300), PixelsToTwips(200));
  w.form.resize(600, 400);
  ResizeFormOnResize(&w.form, memory);  // arms
  EXPECT_TRUE(DoResize());
  EXPECT_EQ(w.text->geometry(), QRect(10, 16, 100, 20));
  ResizeFormOnResize(&w.form, memory);  // rescales by 2 x 2
  EXPECT_EQ(w.text->geometry(), QRect(20, 32, 200, 40));
  EXPECT_EQ(memory.previousWidth, PixelsToTwips(600));
  DoResize() = false;
}

}  // namespace
}  // namespace qw

#pragma once
// Without a window manager the display gives the keyboard to no window when
// the window that had it goes. While one lives, the program's idea of the
// active window follows that rule (the offscreen platform would otherwise
// hand it on by itself).
#include <QApplication>
#include <QEvent>

namespace qw::testing {

class KeyboardToNowhere : public QObject {
 public:
  KeyboardToNowhere() { qApp->installEventFilter(this); }

 protected:
  bool eventFilter(QObject* watched, QEvent* e) override {
    if (e->type() == QEvent::Hide && watched == QApplication::activeWindow()) QApplication::setActiveWindow(nullptr);
    return false;
  }
};

}  // namespace qw::testing

#pragma once
// Helpers of the shell's window tests.
#include <QAction>
#include <QApplication>
#include <QElapsedTimer>
#include <QMouseEvent>
#include <QWidget>
#include <functional>
#include <optional>

#include "app/ui/mdi_frm_main.h"
#include "platform/program.h"

namespace qw::uitest {

struct ProgramEnded {
  int code;
};

// Ends the program by throwing ProgramEnded for the test's duration.
class CatchProgramEnd {
 public:
  CatchProgramEnd() : previous_(SetEndProgramHandler([](int code) { throw ProgramEnded{code}; })) {}
  ~CatchProgramEnd() { SetEndProgramHandler(previous_); }

 private:
  EndProgramHandler previous_;
};

// Runs the event loop until done() holds or ms have passed; returns done().
inline bool WaitFor(const std::function<bool()>& done, int ms = 5000) {
  QElapsedTimer timer;
  timer.start();
  while (!done() && timer.elapsed() < ms) QApplication::processEvents(QEventLoop::AllEvents, 10);
  return done();
}

inline void Click(QWidget* w) {
  const QPointF at(w->width() / 2.0, w->height() / 2.0);
  QMouseEvent press(QEvent::MouseButtonPress, at, w->mapToGlobal(at), Qt::LeftButton, Qt::LeftButton,
                    Qt::NoModifier);
  QMouseEvent release(QEvent::MouseButtonRelease, at, w->mapToGlobal(at), Qt::LeftButton, Qt::NoButton,
                      Qt::NoModifier);
  QApplication::sendEvent(w, &press);
  QApplication::sendEvent(w, &release);
}

// A left double-click at a point of w (its middle when none is given).
inline void DoubleClick(QWidget* w, std::optional<QPointF> point = std::nullopt) {
  const QPointF at = point.value_or(QPointF(w->width() / 2.0, w->height() / 2.0));
  QMouseEvent dbl(QEvent::MouseButtonDblClick, at, w->mapToGlobal(at), Qt::LeftButton, Qt::LeftButton,
                  Qt::NoModifier);
  QApplication::sendEvent(w, &dbl);
}

// 'o' for each action that is on, 'x' for each that is off, in the order given.
inline QString OnOff(std::initializer_list<const QAction*> actions) {
  QString states;
  for (const QAction* action : actions) states += action->isEnabled() ? 'o' : 'x';
  return states;
}

// The same for the main window's toolbar buttons, by number.
inline QString ButtonsOnOff(std::initializer_list<int> buttons) {
  QString states;
  for (int b : buttons) states += MDIFrmMain::Instance()->ToolbarButton(b)->isEnabled() ? 'o' : 'x';
  return states;
}

}  // namespace qw::uitest

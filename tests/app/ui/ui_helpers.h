#pragma once
// Helpers of the shell's window tests.
#include <QApplication>
#include <QElapsedTimer>
#include <QMouseEvent>
#include <QWidget>
#include <functional>

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

}  // namespace qw::uitest

#include "host/ui/window_host.h"

#include <QAbstractScrollArea>
#include <QAbstractSpinBox>
#include <QApplication>
#include <QComboBox>
#include <QEvent>
#include <QElapsedTimer>
#include <QEventLoop>
#include <QGuiApplication>
#include <QMdiArea>
#include <QMdiSubWindow>
#include <QPointer>
#include <QScreen>
#include <QTimer>
#include <cmath>

#include "host/ui/frm_progress.h"
#include "host/ui/frm_wait.h"
#include "platform/program.h"
#include "platform/ui/window_frame.h"

namespace qw {
namespace {

QMdiSubWindow* MdiFrame(const QWidget* window) { return qobject_cast<QMdiSubWindow*>(window->parentWidget()); }

// Follows a window's activation: its own while top-level, its MDI frame's
// once it has been placed in the main window.
class ActivationWatch : public QObject {
 public:
  ActivationWatch(QWidget* window, std::function<void()> onActivate)
      : QObject(window), window_(window), onActivate_(std::move(onActivate)) {
    setObjectName(kName);
    window->installEventFilter(this);
    FollowFrame();
  }

  // The watch of a window, if it has one.
  static ActivationWatch* Of(const QWidget* window) {
    return static_cast<ActivationWatch*>(window->findChild<QObject*>(kName, Qt::FindDirectChildrenOnly));
  }
  void Activated() { onActivate_(); }

 protected:
  bool eventFilter(QObject* watched, QEvent* e) override {
    if (watched == window_) {
      if (e->type() == QEvent::WindowActivate && !MdiFrame(window_)) onActivate_();
      else if (e->type() == QEvent::ParentChange) FollowFrame();
    }
    return QObject::eventFilter(watched, e);
  }

 private:
  // Watched from the moment the window is put into its frame, before the
  // frame is shown and activated for the first time.
  void FollowFrame() {
    QMdiSubWindow* frame = MdiFrame(window_);
    if (!frame || frame == frame_) return;
    frame_ = frame;
    connect(frame, &QMdiSubWindow::windowStateChanged, this, [this](Qt::WindowStates was, Qt::WindowStates now) {
      if (now.testFlag(Qt::WindowActive) && !was.testFlag(Qt::WindowActive)) onActivate_();
    });
  }

  static constexpr const char* kName = "qw_activation_watch";
  QWidget* window_;
  std::function<void()> onActivate_;
  QPointer<QMdiSubWindow> frame_;
};

// The registered main window: the frame while its window exists.
struct RegisteredMainWindow {
  QPointer<QWidget> window;
  MainWindowFrame* frame = nullptr;
};
RegisteredMainWindow& Registered() {
  static RegisteredMainWindow main;
  return main;
}
MainWindowFrame* MainFrame() {
  const RegisteredMainWindow& main = Registered();
  return main.window ? main.frame : nullptr;
}

int ToPixels(double twips) { return static_cast<int>(std::lround(twips / kTwipsPerPixel)); }

// The parts a compound control builds and places itself (the text field of a
// spin box or combo box, the viewport and scroll bars of a list, the bar of a
// tab control) are not controls of the window: they follow their control.
bool IsPartOfCompound(const QWidget* widget, const QWidget* frm) {
  if (widget->objectName().startsWith(QLatin1String("qt_"))) return true;
  for (const QWidget* up = widget->parentWidget(); up && up != frm; up = up->parentWidget()) {
    if (qobject_cast<const QComboBox*>(up) || qobject_cast<const QAbstractSpinBox*>(up) ||
        qobject_cast<const QAbstractScrollArea*>(up))
      return true;
  }
  return false;
}

}  // namespace

// ---------------------------------------------------------------------------
// The main window

void RegisterMainWindow(QWidget* window, MainWindowFrame* frame) { Registered() = {window, frame}; }

// ---------------------------------------------------------------------------
// Placing windows

QWidget* MainWindowOrNull() { return MainFrame() ? Registered().window.data() : nullptr; }

void CentreOnScreen(QWidget* window) {
  if (QScreen* screen = QGuiApplication::primaryScreen()) {
    const QRect area = screen->availableGeometry();
    window->move(area.center() - QPoint(window->width() / 2, window->height() / 2));
  }
}

QWidget* PlaceInMainWindow(QWidget* window) {
  if (QMdiSubWindow* frame = MdiFrame(window)) return frame;
  MainWindowFrame* main = MainFrame();
  if (!main) return window;
  QMdiSubWindow* frame = main->MdiArea()->addSubWindow(window);
  return frame ? static_cast<QWidget*>(frame) : window;
}

QWidget* FrameOf(QWidget* window) {
  if (QMdiSubWindow* frame = MdiFrame(window)) return frame;
  return window;
}

void ShowInMainWindow(QWidget* window, bool maximised) {
  QWidget* outer = PlaceInMainWindow(window);
  // A window that opens maximised is restored to the area's top-left corner,
  // where the most of it is in view: the area places a new frame beside the
  // windows already there, which may put a large one half outside.
  if (maximised && outer != window && outer->isHidden() && !outer->isMaximized()) outer->move(0, 0);
  if (maximised) outer->setWindowState(outer->windowState() | Qt::WindowMaximized);
  if (QMdiSubWindow* frame = MdiFrame(window)) {
    frame->show();
    // Shown is not always activated (it depends on the desktop): make it the
    // active screen so that its activation sets the toolbar.
    if (MainWindowFrame* main = MainFrame()) main->MdiArea()->setActiveSubWindow(frame);
  }
  window->show();
  window->raise();
  if (outer == window) window->activateWindow();
}

void UnloadWindow(QWidget* window) {
  if (!window) return;
  QWidget* frame = FrameOf(window);
  // Closed rather than only deleted later: a top-level window then closes
  // through its platform window and goes at the next turn of any event loop.
  frame->setAttribute(Qt::WA_DeleteOnClose);
  const QPointer<QWidget> guard = frame;
  // A hidden window whose platform window is gone (a dialog that has
  // finished) takes a close as done without closing: it would never go.
  const bool closed = frame->close();
  if (guard && (!closed || guard->testAttribute(Qt::WA_DeleteOnClose))) {
    guard->hide();
    guard->deleteLater();
  }
}

void WatchActivation(QWidget* window, std::function<void()> onActivate) {
  new ActivationWatch(window, std::move(onActivate));
}

void ReturnActivationToMainWindow() {
  // Once the closing window's handlers have run, as the desktop would.
  QTimer::singleShot(0, [] {
    MainWindowFrame* main = MainFrame();
    QMdiSubWindow* frame = main ? main->MdiArea()->activeSubWindow() : nullptr;
    if (!frame || !frame->widget()) return;
    if (ActivationWatch* watch = ActivationWatch::Of(frame->widget())) watch->Activated();
  });
}

// ---------------------------------------------------------------------------
// Screen activation and the toolbar

void ActivateScreen(ScreenKind screen) {
  ScreenMode() = screen;
  UpdateToolBox();
}

void UpdateToolBox() {
  if (MainWindowFrame* main = MainFrame()) main->UpdateToolBox();
}

void ChangeToolBox(ToolBoxState (*change)(ToolBoxState)) {
  if (MainWindowFrame* main = MainFrame()) main->ApplyToolBoxState(change(main->CurrentToolBoxState()));
}

// ---------------------------------------------------------------------------
// Wait and progress windows

frmWait* ShowWaitWindow() {
  UnloadWaitWindow();
  QPointer<frmWait> w = frmWait::Instance();
  w->show();
  w->raise();
  // The caller's query blocks the event loop next, so the window must be on
  // the screen and drawn before it starts. A new window is drawn only once
  // the desktop has mapped it in its frame and exposed it, a few turns of the
  // event loop after show (more on a busy machine). Each turn waits for the
  // next event and no longer, so the query starts as soon as the window is
  // drawn; the deadline's timer wakes the last turn. User input waits.
  const auto drawn = [&] { return !w || (w->HasPainted() && IsOnScreen(w)); };
  QCoreApplication::processEvents(QEventLoop::ExcludeUserInputEvents);
  if (!drawn()) {
    QElapsedTimer clock;
    clock.start();
    QTimer deadline;
    deadline.setSingleShot(true);
    deadline.start(kWaitWindowDrawLimitMs);
    while (!drawn() && clock.elapsed() < kWaitWindowDrawLimitMs)
      QCoreApplication::processEvents(QEventLoop::ExcludeUserInputEvents | QEventLoop::WaitForMoreEvents);
  }
  // A late expose is handled, and what the window drew has reached the
  // display.
  QGuiApplication::sync();
  QCoreApplication::processEvents(QEventLoop::ExcludeUserInputEvents);
  QGuiApplication::sync();
  return w;
}

void UnloadWaitWindow() { frmWait::Unload(); }

void ShowPrintProgress(QWidget* over) {
  frmprogress::Unload();
  frmprogress* progress = frmprogress::Instance();
  if (over && over->window() != progress->parentWidget()) {
    const QPoint at = progress->pos();
    progress->setParent(over->window(), progress->windowFlags());
    progress->move(at);
  }
  progress->exec();
  frmprogress::Unload();
}

// ---------------------------------------------------------------------------
// Form scaling

void ResizeForm(float xScale, float yScale, QWidget* frm) {
  if (!frm) return;
  // All controls, those inside frames and picture boxes too, each in its
  // container's coordinates.
  // Everything is read before anything changes: a container's new font would
  // otherwise pass on to the controls inside it and scale them twice.
  struct Item {
    QWidget* control;
    ControlGeometry before;
    QFont font;
  };
  QList<Item> items;
  for (QWidget* control : frm->findChildren<QWidget*>()) {
    if (control->isWindow() || IsPartOfCompound(control, frm)) continue;
    ControlGeometry g;
    g.left = PixelsToTwips(control->x());
    g.top = PixelsToTwips(control->y());
    g.width = PixelsToTwips(control->width());
    g.height = PixelsToTwips(control->height());
    g.fontSize = control->font().pointSizeF();
    g.isComboBox = qobject_cast<QComboBox*>(control) != nullptr;
    items.append({control, g, control->font()});
  }
  for (const Item& item : items) {
    const ControlGeometry& g = item.before;
    QWidget* control = item.control;
    if (!(g.left > 0)) {
      control->setFont(item.font);  // keeps its font whatever its container gets
      continue;
    }
    const ControlGeometry s = ScaleControl(g, xScale, yScale);
    if (g.isComboBox) {
      control->move(ToPixels(s.left), ToPixels(s.top));
      control->resize(ToPixels(s.width), control->height());
    } else {
      control->setGeometry(ToPixels(s.left), ToPixels(s.top), ToPixels(s.width), ToPixels(s.height));
    }
    if (g.fontSize > 0) {
      QFont font = item.font;
      font.setPointSizeF(s.fontSize);
      control->setFont(font);
    }
  }
  if (RePosForm()) {
    const QRect outer = frm->frameGeometry();
    const int dw = outer.width() - frm->width();
    const int dh = outer.height() - frm->height();
    const int width = ToPixels(PixelsToTwips(outer.width()) * xScale);
    const int height = ToPixels(PixelsToTwips(outer.height()) * yScale);
    frm->move(ToPixels(PixelsToTwips(outer.x()) * xScale), ToPixels(PixelsToTwips(outer.y()) * yScale));
    frm->resize(width - dw, height - dh);
  }
}

void ResizeFormOnResize(QWidget* frm, FormSizeMemory& memory) {
  const QRect outer = frm->frameGeometry();
  const double width = PixelsToTwips(outer.width());
  const double height = PixelsToTwips(outer.height());
  const auto factors = ResizeEventFactors(memory, width, height);
  if (!factors) return;
  ResizeForm(factors->first, factors->second, frm);
  const QRect after = frm->frameGeometry();
  memory.Record(PixelsToTwips(after.width()), PixelsToTwips(after.height()));
}

ScreenMetrics& SharedScreenMetrics() {
  static ScreenMetrics metrics;
  return metrics;
}

}  // namespace qw

#include "platform/ui/window_frame.h"

#include <QApplication>
#include <QEvent>
#include <QGuiApplication>
#include <QHBoxLayout>
#include <QLabel>
#include <QList>
#include <QMouseEvent>
#include <QPointer>
#include <QScreen>
#include <QShortcut>
#include <QTimer>
#include <QToolButton>
#include <QWidget>
#include <QWindow>
#include <optional>

#ifdef QUAYWISE_HAVE_XCB
#include <xcb/xcb.h>

#include <cstdlib>
#include <memory>
#endif

namespace qw {
namespace {

#ifdef QUAYWISE_HAVE_XCB
template <typename Reply>
using ReplyPtr = std::unique_ptr<Reply, decltype(&std::free)>;

class X11 {
 public:
  static X11* Get() {
    auto* x11 = qGuiApp ? qGuiApp->nativeInterface<QNativeInterface::QX11Application>() : nullptr;
    if (!x11 || !x11->connection()) return nullptr;
    static X11 instance(x11->connection());
    return &instance;
  }

  xcb_atom_t Atom(const char* name) {
    ReplyPtr<xcb_intern_atom_reply_t> reply(
        xcb_intern_atom_reply(c_, xcb_intern_atom(c_, 0, uint16_t(qstrlen(name)), name), nullptr), &std::free);
    return reply ? reply->atom : xcb_atom_t(XCB_ATOM_NONE);
  }

  QByteArray Property(xcb_window_t window, xcb_atom_t property, xcb_atom_t type) {
    ReplyPtr<xcb_get_property_reply_t> reply(
        xcb_get_property_reply(c_, xcb_get_property(c_, 0, window, property, type, 0, 1024), nullptr), &std::free);
    if (!reply || reply->type == XCB_ATOM_NONE) return {};
    return QByteArray(static_cast<const char*>(xcb_get_property_value(reply.get())),
                      xcb_get_property_value_length(reply.get()));
  }

  void Set(xcb_window_t window, xcb_atom_t property, xcb_atom_t type, int format, const void* data, int count) {
    xcb_change_property(c_, XCB_PROP_MODE_REPLACE, window, property, type, uint8_t(format), uint32_t(count), data);
  }

  // Openbox keeps its minimise button on every window but toolbars and menus.
  // Asked each time: the window manager may change while the program runs.
  bool UnderOpenbox() {
    const xcb_window_t root = xcb_setup_roots_iterator(xcb_get_setup(c_)).data->root;
    const QByteArray check = Property(root, Atom("_NET_SUPPORTING_WM_CHECK"), XCB_ATOM_WINDOW);
    if (check.size() < int(sizeof(xcb_window_t))) return false;
    const auto wm = *reinterpret_cast<const xcb_window_t*>(check.constData());
    return Property(wm, Atom("_NET_WM_NAME"), Atom("UTF8_STRING")) == "Openbox";
  }

  void Flush() { xcb_flush(c_); }

  // A window manager redirects the mapping of the root's children; whether
  // it also names itself (_NET_SUPPORTING_WM_CHECK) does not matter.
  bool WindowManagerRunning() {
    const xcb_window_t root = xcb_setup_roots_iterator(xcb_get_setup(c_)).data->root;
    ReplyPtr<xcb_get_window_attributes_reply_t> reply(
        xcb_get_window_attributes_reply(c_, xcb_get_window_attributes(c_, root), nullptr), &std::free);
    return !reply || (reply->all_event_masks & XCB_EVENT_MASK_SUBSTRUCTURE_REDIRECT);
  }

  void Focus(xcb_window_t window) {
    xcb_set_input_focus(c_, XCB_INPUT_FOCUS_PARENT, window, XCB_CURRENT_TIME);
    xcb_flush(c_);
  }

  bool Viewable(xcb_window_t window) {
    ReplyPtr<xcb_get_window_attributes_reply_t> reply(
        xcb_get_window_attributes_reply(c_, xcb_get_window_attributes(c_, window), nullptr), &std::free);
    return reply && reply->map_state == XCB_MAP_STATE_VIEWABLE;
  }

 private:
  explicit X11(xcb_connection_t* c) : c_(c) {}
  xcb_connection_t* c_;
};

// What the desktop is told of the window, set after Qt has told it its own.
void ApplyNative(QWidget* window) {
  X11* x = X11::Get();
  if (!x || !window->testAttribute(Qt::WA_WState_Created)) return;
  const auto id = xcb_window_t(window->winId());
  if (window->windowTitle().isEmpty()) {
    // Qt sends the program's name for an empty caption. A single blank: an
    // empty name makes some desktops show a name of their own.
    static const char blank[] = " ";
    x->Set(id, x->Atom("_NET_WM_NAME"), x->Atom("UTF8_STRING"), 8, blank, 1);
    x->Set(id, XCB_ATOM_WM_NAME, XCB_ATOM_STRING, 8, blank, 1);
  }
  if (x->UnderOpenbox()) {
    const xcb_atom_t toolbar = x->Atom("_NET_WM_WINDOW_TYPE_TOOLBAR");
    const xcb_atom_t typeProperty = x->Atom("_NET_WM_WINDOW_TYPE");
    const QByteArray types = x->Property(id, typeProperty, XCB_ATOM_ATOM);
    const auto* given = reinterpret_cast<const xcb_atom_t*>(types.constData());
    const int count = int(types.size() / sizeof(xcb_atom_t));
    if (count == 0 || given[0] != toolbar) {
      // The toolbar first, then the kinds Qt gave (for other readers).
      QList<xcb_atom_t> list{toolbar};
      for (int i = 0; i < count; ++i) list << given[i];
      x->Set(id, typeProperty, XCB_ATOM_ATOM, 32, list.constData(), int(list.size()));
    }
  }
  x->Flush();
}
#endif

class FixedFrame : public QObject {
 public:
  explicit FixedFrame(QWidget* window) : QObject(window) { window->installEventFilter(this); }

 protected:
  bool eventFilter(QObject* watched, QEvent* e) override {
#ifdef QUAYWISE_HAVE_XCB
    switch (e->type()) {
      case QEvent::Show:
      case QEvent::WindowTitleChange:
      case QEvent::WinIdChange:
        ApplyNative(static_cast<QWidget*>(watched));
        break;
      default:
        break;
    }
#else
    Q_UNUSED(e);
#endif
    return QObject::eventFilter(watched, e);
  }
};

// Set on an owned window that its owner covers when clicked (LetOwnerCover).
constexpr const char* kOwnerCovers = "qw_owner_covers";

// Whether `owned`, a window among those `owner` owns, or a window between
// the two, is one the owner covers.
bool CoveredBy(const QWidget* owned, const QWidget* owner) {
  for (const QWidget* w = owned; w && w != owner; w = w->parentWidget())
    if (w->isWindow() && w->property(kOwnerCovers).toBool()) return true;
  return false;
}

// Raises each window that becomes active, as a window manager would.
class ActiveWindowRaiser : public QObject {
 public:
  using QObject::QObject;

 protected:
  bool eventFilter(QObject* watched, QEvent* e) override {
    if (e->type() == QEvent::WindowActivate && watched->isWidgetType()) {
      auto* window = static_cast<QWidget*>(watched);
      if (window->isWindow() && !HasWindowManager()) Raise(window);
    }
    return QObject::eventFilter(watched, e);
  }

 private:
  static void Raise(QWidget* window) {
    window->raise();
    // The windows it owns (dialogs and tool windows), each above its owner;
    // not those it covers.
    for (QWidget* owned : window->findChildren<QWidget*>()) {
      const Qt::WindowType type = owned->windowType();
      if (owned->isWindow() && owned->isVisible() && type != Qt::Popup && type != Qt::ToolTip &&
          !CoveredBy(owned, window))
        owned->raise();
    }
    if (QWidget* modal = QApplication::activeModalWidget(); modal && modal != window) modal->raise();
  }
};

// The caption and the close button a window manager would draw, drawn by the
// program along the top edge of a window, outside it.
class CaptionStrip : public QWidget {
 public:
  explicit CaptionStrip(QWidget* window)
      : QWidget(window, Qt::Tool | Qt::FramelessWindowHint | Qt::WindowDoesNotAcceptFocus), window_(window) {
    setObjectName(QStringLiteral("qw_caption_strip"));
    setAttribute(Qt::WA_ShowWithoutActivating);
    setAutoFillBackground(true);
    QPalette colours = palette();
    colours.setColor(QPalette::Window, colours.color(QPalette::Active, QPalette::Highlight));
    colours.setColor(QPalette::WindowText, colours.color(QPalette::Active, QPalette::HighlightedText));
    setPalette(colours);
    auto* row = new QHBoxLayout(this);
    row->setContentsMargins(6, 2, 2, 2);
    caption_ = new QLabel(this);
    caption_->setObjectName(QStringLiteral("qw_caption"));
    caption_->setTextFormat(Qt::PlainText);  // a caption may name a marina
    QFont bold = caption_->font();
    bold.setBold(true);
    caption_->setFont(bold);
    // As wide as the window, however long the caption.
    caption_->setSizePolicy(QSizePolicy::Ignored, QSizePolicy::Preferred);
    close_ = new QToolButton(this);
    close_->setObjectName(QStringLiteral("qw_caption_close"));
    close_->setText(QString(QChar(0x00D7)));  // a multiplication sign: a cross in every font
    QFont cross = bold;
    cross.setPointSizeF(bold.pointSizeF() * 1.4);
    close_->setFont(cross);
    close_->setToolTip(QStringLiteral("Close"));
    close_->setAutoRaise(true);
    close_->setFocusPolicy(Qt::NoFocus);
    row->addWidget(caption_, 1);
    row->addWidget(close_);
    connect(close_, &QToolButton::clicked, window, &QWidget::close);
  }

  // Shown with its window once the window has been placed (a dialog centres
  // itself as it shows); the window moves down where the strip would lie
  // above the screen's free area.
  void Place() {
    if (!window_->isVisible() || HasWindowManager()) {
      hide();
      return;
    }
    const int height = sizeHint().height();
    if (const QScreen* screen = window_->screen()) {
      const int top = screen->availableGeometry().top() + height;
      if (window_->frameGeometry().top() < top) window_->move(window_->frameGeometry().left(), top);
    }
    show();
    Follow();
  }
  // Along the window's top edge, with its caption.
  void Follow() {
    if (isHidden()) return;
    caption_->setText(window_->windowTitle());
    const int height = sizeHint().height();
    const QRect outer = window_->frameGeometry();
    setGeometry(outer.left(), outer.top() - height, outer.width(), height);
    raise();
  }

 protected:
  bool event(QEvent* e) override {
    // The keyboard belongs to the window, should a platform activate the strip.
    if (e->type() == QEvent::WindowActivate) window_->activateWindow();
    return QWidget::event(e);
  }
  void mousePressEvent(QMouseEvent* e) override {
    if (e->button() != Qt::LeftButton) return;
    window_->raise();
    window_->activateWindow();
    raise();
    grip_ = e->globalPosition().toPoint() - window_->frameGeometry().topLeft();
  }
  void mouseMoveEvent(QMouseEvent* e) override {
    if (grip_) window_->move(e->globalPosition().toPoint() - *grip_);
  }
  void mouseReleaseEvent(QMouseEvent*) override { grip_.reset(); }

 private:
  QWidget* window_;
  QLabel* caption_ = nullptr;
  QToolButton* close_ = nullptr;
  std::optional<QPoint> grip_;
};

class CaptionWatch : public QObject {
 public:
  static constexpr const char* kName = "qw_caption_watch";
  explicit CaptionWatch(QWidget* window) : QObject(window), window_(window) {
    setObjectName(kName);
    window->installEventFilter(this);
    if (window->isVisible()) Shown();
  }

 protected:
  bool eventFilter(QObject* watched, QEvent* e) override {
    if (watched != window_) return QObject::eventFilter(watched, e);
    switch (e->type()) {
      case QEvent::Show:
        Shown();
        break;
      case QEvent::Hide:
        if (strip_) strip_->hide();
        break;
      case QEvent::Move:
      case QEvent::Resize:
      case QEvent::WindowTitleChange:
        if (strip_) strip_->Follow();
        break;
      default:
        break;
    }
    return QObject::eventFilter(watched, e);
  }

 private:
  void Shown() {
    if (!HasWindowManager() && !strip_) strip_ = new CaptionStrip(window_);
    if (strip_) QTimer::singleShot(0, strip_, [strip = strip_] { strip->Place(); });
  }

  QWidget* window_;
  QPointer<CaptionStrip> strip_;
};

std::optional<bool>& AssumedWindowManager() {
  static std::optional<bool> assumed;
  return assumed;
}

}  // namespace

bool HasWindowManager() {
  if (AssumedWindowManager()) return *AssumedWindowManager();
#ifdef QUAYWISE_HAVE_XCB
  if (X11* x = X11::Get()) return x->WindowManagerRunning();
#endif
  return true;
}

void RaiseActiveWindowsWithoutWindowManager() {
  static bool installed = false;
  if (installed || !qApp) return;
  installed = true;
  qApp->installEventFilter(new ActiveWindowRaiser(qApp));
}

bool IsOnScreen(QWidget* window) {
  const QWindow* handle = window->windowHandle();
  if (!handle || !handle->isExposed()) return false;
#ifdef QUAYWISE_HAVE_XCB
  if (X11* x = X11::Get()) return x->Viewable(xcb_window_t(window->winId()));
#endif
  return true;
}

void UseFixedFrame(QWidget* window) {
  const Qt::WindowFlags kind = window->windowFlags() & Qt::WindowType_Mask;
  window->setWindowFlags(kind | Qt::CustomizeWindowHint | Qt::WindowTitleHint | Qt::WindowCloseButtonHint);
  new FixedFrame(window);
  DrawCaptionWithoutWindowManager(window);
}

void DrawCaptionWithoutWindowManager(QWidget* window) {
  if (!window->findChild<QObject*>(CaptionWatch::kName, Qt::FindDirectChildrenOnly)) new CaptionWatch(window);
}

void CloseByKeys(QWidget* window) {
  // Each key once: a key bound twice would close nothing.
  QList<QKeySequence> keys = QKeySequence::keyBindings(QKeySequence::Close);
  for (const QKeySequence& more : {QKeySequence(Qt::Key_Escape), QKeySequence(Qt::CTRL | Qt::Key_W),
                                   QKeySequence(Qt::ALT | Qt::Key_F4)}) {
    if (!keys.contains(more)) keys << more;
  }
  auto* closeKeys = new QShortcut(window);
  closeKeys->setObjectName(QStringLiteral("qw_close_keys"));
  closeKeys->setKeys(keys);
  QObject::connect(closeKeys, &QShortcut::activated, window, &QWidget::close);
}

namespace {

class KeyboardReturn : public QObject {
 public:
  KeyboardReturn(QWidget* window, std::function<QWidget*()> to)
      : QObject(window), window_(window), to_(std::move(to)) {
    window->installEventFilter(this);
  }

 protected:
  bool eventFilter(QObject* watched, QEvent* e) override {
    if (watched == window_ && e->type() == QEvent::Close && window_->isActiveWindow()) {
      // Whether the close goes through is known once its handling has run.
      QPointer<QWidget> target = to_();
      QPointer<QWidget> closing = window_.data();
      QTimer::singleShot(0, qApp, [target, closing] {
        if (!target || (closing && closing->isVisible())) return;
        QWidget* active = QApplication::activeWindow();
        if (active && active != closing) return;  // taken meanwhile
        GiveKeyboardTo(target);
      });
    }
    return QObject::eventFilter(watched, e);
  }

 private:
  QPointer<QWidget> window_;
  std::function<QWidget*()> to_;
};

}  // namespace

void ReturnKeyboardOnClose(QWidget* window, std::function<QWidget*()> to) { new KeyboardReturn(window, std::move(to)); }

void GiveKeyboardTo(QWidget* window) {
  window->activateWindow();
#ifdef QUAYWISE_HAVE_XCB
  // The toolkit asks a window manager for it whenever the display says one
  // runs, which a window manager that has ended leaves said.
  if (X11* x = X11::Get(); x && !HasWindowManager() && window->testAttribute(Qt::WA_WState_Created))
    x->Focus(xcb_window_t(window->winId()));
#endif
}

namespace {

// A dialog by its kind, or a dialog shown as a tool window (the print
// progress window).
bool IsDialog(const QWidget* w) {
  const Qt::WindowType type = w->windowType();
  return w->isWindow() && (type == Qt::Dialog || type == Qt::Sheet || (type == Qt::Tool && w->inherits("QDialog")));
}

// Remembers which window had the keyboard when a dialog opened, and gives it
// back when the dialog closes with the keyboard.
class DialogKeyboard : public QObject {
 public:
  static constexpr const char* kName = "qw_dialog_keyboard";
  explicit DialogKeyboard(QWidget* dialog) : QObject(dialog), dialog_(dialog) { setObjectName(kName); }

  // lastActive: the window that had the keyboard last, for a dialog opened
  // while none has it (the display gave it to no window as the dialog before
  // closed).
  void Opened(QWidget* lastActive) {
    QWidget* active = QApplication::activeWindow();
    // A menu still closing as the dialog opens speaks for its window.
    if (active && active->windowType() == Qt::Popup)
      active = active->parentWidget() ? active->parentWidget()->window() : nullptr;
    if (!active && lastActive) active = lastActive;
    // One that closed meanwhile stands for the window it hands the keyboard
    // back to: it may be gone by the time this one closes.
    if (active && active != dialog_) opener_ = OpenShownBefore(active);
    if (!opener_ && dialog_->parentWidget()) opener_ = dialog_->parentWidget()->window();
  }
  // Where the keyboard goes back to as the dialog closes.
  QWidget* ReturnTarget() const { return OpenShownBefore(opener_); }
  // Where the keyboard went is looked at once the event loop runs again: a
  // dialog closed before it had the keyboard may still be given it.
  void Closed() {
    QTimer::singleShot(0, qApp, [dialog = QPointer<QWidget>(dialog_), opener = opener_] {
      QWidget* now = QApplication::activeWindow();
      if (now && now != dialog && now->isVisible()) return;  // taken meanwhile
      // A modal dialog still open keeps the keyboard (a message box shown
      // as the print dialog closes).
      QWidget* target = QApplication::activeModalWidget();
      if (!target || target == dialog || !target->isVisible()) target = OpenShownBefore(opener);
      if (target && target != dialog) GiveKeyboardTo(target);
    });
  }

 private:
  // The window itself while it is shown, else (a dialog that closed
  // meanwhile, or that the display still named active when this one opened)
  // the window that had the keyboard before it, and so on back.
  static QWidget* OpenShownBefore(QWidget* window) {
    for (int depth = 0; window && depth < 16; ++depth) {
      if (window->isVisible()) return window;
      const auto* keyboard = window->findChild<DialogKeyboard*>(kName, Qt::FindDirectChildrenOnly);
      window = keyboard ? keyboard->opener_.data() : nullptr;
    }
    return nullptr;
  }

  QWidget* dialog_;
  QPointer<QWidget> opener_;
};

class DialogWatch : public QObject {
 public:
  using QObject::QObject;

 protected:
  bool eventFilter(QObject* watched, QEvent* e) override {
    const QEvent::Type type = e->type();
    if ((type != QEvent::Show && type != QEvent::Hide && type != QEvent::WindowActivate) || !watched->isWidgetType())
      return false;
    auto* window = static_cast<QWidget*>(watched);
    if (!window->isWindow() || window->objectName() == QLatin1String("qw_caption_strip")) return false;
    if (type == QEvent::WindowActivate && window->windowType() != Qt::Popup && window->windowType() != Qt::ToolTip)
      lastActive_ = window;
    if (!IsDialog(window)) return false;
    auto* keyboard = window->findChild<DialogKeyboard*>(DialogKeyboard::kName, Qt::FindDirectChildrenOnly);
    if (type == QEvent::Show) {
      DrawCaptionWithoutWindowManager(window);
      if (!keyboard) keyboard = new DialogKeyboard(window);
      keyboard->Opened(lastActive_);
    } else if (keyboard && (type == QEvent::Hide || !window->isVisible())) {
      // Closed, or given the keyboard only after it closed. Until a window
      // takes the keyboard again, the one it goes back to had it last.
      keyboard->Closed();
      if (lastActive_ == window || !lastActive_) lastActive_ = keyboard->ReturnTarget();
    }
    return false;
  }

 private:
  QPointer<QWidget> lastActive_;
};

}  // namespace

void LookAfterDialogs() {
  static bool installed = false;
  if (installed || !qApp) return;
  installed = true;
  qApp->installEventFilter(new DialogWatch(qApp));
}

void ShowMaximised(QWidget* window) {
  if (!HasWindowManager()) {
    if (QScreen* screen = window->screen()) window->setGeometry(screen->availableGeometry());
  }
  window->setWindowState((window->windowState() & ~Qt::WindowMinimized) | Qt::WindowMaximized);
  window->show();
}

void LetOwnerCover(QWidget* window) { window->setProperty(kOwnerCovers, true); }

AssumeWindowManager::AssumeWindowManager(bool running) { AssumedWindowManager() = running; }
AssumeWindowManager::~AssumeWindowManager() { AssumedWindowManager().reset(); }

}  // namespace qw

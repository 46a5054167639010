#include "platform/ui/message_box_widgets.h"

#include <QAbstractNativeEventFilter>
#include <QApplication>
#include <QCloseEvent>
#include <QKeyEvent>
#include <QMessageBox>
#include <QPushButton>
#include <QWindow>

#ifdef QUAYWISE_HAVE_XCB
#include <xcb/xcb.h>
#endif

#include "platform/message_box.h"
#include "platform/ui/window_frame.h"

namespace qw {
namespace {

QMessageBox::StandardButton StandardButtonFor(MsgResult result) {
  switch (result) {
    case MsgResult::OK: return QMessageBox::Ok;
    case MsgResult::Cancel: return QMessageBox::Cancel;
    case MsgResult::Abort: return QMessageBox::Abort;
    case MsgResult::Retry: return QMessageBox::Retry;
    case MsgResult::Ignore: return QMessageBox::Ignore;
    case MsgResult::Yes: return QMessageBox::Yes;
    case MsgResult::No: return QMessageBox::No;
  }
  return QMessageBox::Ok;
}

QMessageBox::Icon IconFor(MsgIcon icon) {
  switch (icon) {
    case MsgIcon::None: return QMessageBox::NoIcon;
    case MsgIcon::Critical: return QMessageBox::Critical;
    case MsgIcon::Question: return QMessageBox::Question;
    case MsgIcon::Exclamation: return QMessageBox::Warning;
    case MsgIcon::Information: return QMessageBox::Information;
  }
  return QMessageBox::NoIcon;
}

// Refuses Escape and the close button on a box that only its buttons answer.
class Undismissable : public QObject {
 public:
  Undismissable(QMessageBox* box, bool on) : box_(box) {
    if (on) box->installEventFilter(this);
  }

 protected:
  bool eventFilter(QObject* watched, QEvent* event) override {
    if (watched != box_) return false;
    if (event->type() == QEvent::Close && !box_->clickedButton()) {
      event->ignore();
      return true;
    }
    if (event->type() == QEvent::KeyPress && static_cast<QKeyEvent*>(event)->matches(QKeySequence::Cancel)) return true;
    return false;
  }

 private:
  QMessageBox* box_;
};

MsgResult ShowWidgetBox(const MsgBoxCall& call) {
  // Texts use a lone CR as a line break.
  QString text = call.text;
  text.replace(QStringLiteral("\r\n"), QStringLiteral("\n"));
  text.replace(QLatin1Char('\r'), QLatin1Char('\n'));

  QMessageBox box(QApplication::activeWindow());
  box.setWindowTitle(call.title);
  box.setTextFormat(Qt::PlainText);
  box.setText(text);
  box.setIcon(IconFor(call.icon));
  // A close button only: a modal box minimised out of sight would leave the
  // program taking no input.
  UseFixedFrame(&box);
  const QList<MsgResult> results = MsgBoxButtonResults(call.buttons);
  QList<QAbstractButton*> buttons;
  for (MsgResult result : results) buttons.append(box.addButton(StandardButtonFor(result)));
  const MsgResult defaultResult = DefaultAnswer(call);
  box.setDefaultButton(StandardButtonFor(defaultResult));
  // Escape and the close button give the answer that loses nothing; a box
  // without one cannot be dismissed (the toolkit would take its No).
  const std::optional<MsgResult> dismiss = DismissAnswer(call);
  if (dismiss) box.setEscapeButton(StandardButtonFor(*dismiss));
  const KeysQuietGuard guard(&box);
  const Undismissable refuse(&box, !dismiss);
  box.exec();
  QAbstractButton* clicked = box.clickedButton();
  for (qsizetype i = 0; i < buttons.size(); ++i) {
    if (buttons.at(i) == clicked) return results.at(i);
  }
  return dismiss.value_or(defaultResult);
}

}  // namespace

// Key presses the display sends to any window of the program but the box,
// seen before the toolkit drops those meant for a window behind a modal box.
class KeysQuietGuard::NativeKeys : public QAbstractNativeEventFilter {
 public:
  explicit NativeKeys(KeysQuietGuard* guard) : guard_(guard) {}
  bool nativeEventFilter(const QByteArray& eventType, void* message, qintptr*) override {
#ifdef QUAYWISE_HAVE_XCB
    if (eventType != "xcb_generic_event_t") return false;
    const auto* event = static_cast<const xcb_generic_event_t*>(message);
    if ((event->response_type & 0x7f) != XCB_KEY_PRESS) return false;
    const auto* key = reinterpret_cast<const xcb_key_press_event_t*>(event);
    QWidget* box = guard_->box_;
    const QWindow* window = box ? box->windowHandle() : nullptr;
    if (!window || key->event != xcb_window_t(window->winId())) guard_->KeyElsewhere();
#else
    Q_UNUSED(eventType);
    Q_UNUSED(message);
#endif
    return false;
  }

 private:
  KeysQuietGuard* guard_;
};

KeysQuietGuard::KeysQuietGuard(QWidget* box) : box_(box), native_(new NativeKeys(this)) {
  qApp->installEventFilter(this);
  qApp->installNativeEventFilter(native_);
}

KeysQuietGuard::~KeysQuietGuard() {
  qApp->removeNativeEventFilter(native_);
  delete native_;
  qApp->removeEventFilter(this);
}

bool KeysQuietGuard::KeysReachBox() const { return seen_ && quiet_.elapsed() >= kKeysQuietMs; }

void KeysQuietGuard::KeyElsewhere() {
  if (seen_) quiet_.restart();
}

bool KeysQuietGuard::eventFilter(QObject* watched, QEvent* event) {
  const QEvent::Type type = event->type();
  if (type == QEvent::Expose) {
    // The quiet time counts from the moment the box can be seen.
    const QWindow* window = box_ ? box_->windowHandle() : nullptr;
    if (!seen_ && watched == window && window->isExposed()) {
      seen_ = true;
      quiet_.start();
    }
    return false;
  }
  if (type != QEvent::KeyPress && type != QEvent::KeyRelease && type != QEvent::ShortcutOverride &&
      type != QEvent::Shortcut)
    return false;
  // A key goes to a window first, then to its widget: the box's own window
  // leaves the choice to the widget.
  if (auto* window = qobject_cast<QWindow*>(watched)) {
    if (type == QEvent::KeyPress && (!box_ || window != box_->windowHandle())) KeyElsewhere();
    return false;
  }
  auto* widget = qobject_cast<QWidget*>(watched);
  if (!box_ || !widget || (widget != box_ && !box_->isAncestorOf(widget))) {
    if (type == QEvent::KeyPress) KeyElsewhere();
    return false;
  }
  if (KeysReachBox()) return false;
  if (type == QEvent::KeyPress) KeyElsewhere();
  // A key the box takes over (a mnemonic) is then not a shortcut either.
  if (type == QEvent::ShortcutOverride) event->accept();
  return true;
}

void InstallWidgetMessageBoxes() { SetMsgBoxHandler(&ShowWidgetBox); }

}  // namespace qw

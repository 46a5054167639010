#include "platform/ui/text_box.h"

#include <QApplication>
#include <QFocusEvent>
#include <QKeyEvent>
#include <QPointer>
#include <QTimer>

namespace qw {

TextBox::TextBox(QWidget* parent) : QLineEdit(parent) {}

TextBox::~TextBox() { Watch(false); }

bool TextBox::Validate() {
  if (!validate_ || validating_) return true;
  validating_ = true;
  const bool ok = validate_();
  validating_ = false;
  return ok;
}

void TextBox::Watch(bool on) {
  if (on == watching_ || !qApp) return;
  watching_ = on;
  if (on) qApp->installEventFilter(this);
  else qApp->removeEventFilter(this);
}

bool TextBox::event(QEvent* e) {
  if (e->type() == QEvent::KeyPress) {
    auto* key = static_cast<QKeyEvent*>(e);
    const bool tab = key->key() == Qt::Key_Tab || key->key() == Qt::Key_Backtab;
    if (tab && !(key->modifiers() & (Qt::ControlModifier | Qt::AltModifier)) && !Validate()) {
      return true;  // the focus stays
    }
  }
  return QLineEdit::event(e);
}

void TextBox::focusInEvent(QFocusEvent* e) {
  QLineEdit::focusInEvent(e);
  Watch(true);
  if (e->reason() != Qt::PopupFocusReason) emit GotFocus();
}

void TextBox::focusOutEvent(QFocusEvent* e) {
  QLineEdit::focusOutEvent(e);
  // Leaving the window (or opening a pop-up such as a message box) is not a
  // move of the focus within the window.
  if (e->reason() == Qt::ActiveWindowFocusReason || e->reason() == Qt::PopupFocusReason) return;
  Watch(false);
  if (!Validate()) {
    QPointer<TextBox> self(this);
    QTimer::singleShot(0, this, [self] {
      if (self) self->setFocus(Qt::OtherFocusReason);
    });
  }
}

bool TextBox::eventFilter(QObject* watched, QEvent* e) {
  if (e->type() != QEvent::MouseButtonPress && e->type() != QEvent::MouseButtonDblClick) return false;
  if (!hasFocus() || !watched->isWidgetType()) return false;
  auto* target = static_cast<QWidget*>(watched);
  if (target == this || target->window() != window() || !target->isEnabled()) return false;
  QWidget* taker = target->focusProxy() ? target->focusProxy() : target;
  if (!(taker->focusPolicy() & Qt::ClickFocus)) return false;
  return !Validate();  // a refused check swallows the click
}

}  // namespace qw

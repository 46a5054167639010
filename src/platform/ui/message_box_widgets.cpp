#include "platform/ui/message_box_widgets.h"

#include <QApplication>
#include <QElapsedTimer>
#include <QKeyEvent>
#include <QMessageBox>
#include <QPushButton>

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

// Keeps keys from answering a box until the keyboard has been quiet for
// kKeysQuietMs since the box appeared: a user typing elsewhere (in the notes
// box) when it appears would otherwise answer it unseen with the next blank,
// Enter or letter of a button. A key typed meanwhile goes nowhere and starts
// the quiet time again; the mouse answers at once.
class TypingGuard : public QObject {
 public:
  explicit TypingGuard(QMessageBox* box) : box_(box) {
    quiet_.start();
    qApp->installEventFilter(this);
  }
  ~TypingGuard() override { qApp->removeEventFilter(this); }

 protected:
  bool eventFilter(QObject* watched, QEvent* event) override {
    const QEvent::Type type = event->type();
    if (type != QEvent::KeyPress && type != QEvent::KeyRelease && type != QEvent::ShortcutOverride &&
        type != QEvent::Shortcut)
      return false;
    auto* widget = qobject_cast<QWidget*>(watched);
    if (!widget || (widget != box_ && !box_->isAncestorOf(widget))) return false;
    if (quiet_.elapsed() >= kKeysQuietMs) return false;
    if (type == QEvent::KeyPress) quiet_.restart();
    // A key the box takes over (a mnemonic) is then not a shortcut either.
    if (type == QEvent::ShortcutOverride) event->accept();
    return true;
  }

 private:
  QMessageBox* box_;
  QElapsedTimer quiet_;
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
  // Escape (and closing the box) answers Cancel where there is one, else the
  // only button; a Yes/No box cannot be dismissed without an answer.
  if (results.contains(MsgResult::Cancel)) {
    box.setEscapeButton(StandardButtonFor(MsgResult::Cancel));
  } else if (results.size() == 1) {
    box.setEscapeButton(buttons.first());
  }
  const TypingGuard guard(&box);
  box.exec();
  QAbstractButton* clicked = box.clickedButton();
  for (qsizetype i = 0; i < buttons.size(); ++i) {
    if (buttons.at(i) == clicked) return results.at(i);
  }
  return results.contains(MsgResult::Cancel) ? MsgResult::Cancel : defaultResult;
}

}  // namespace

void InstallWidgetMessageBoxes() { SetMsgBoxHandler(&ShowWidgetBox); }

}  // namespace qw

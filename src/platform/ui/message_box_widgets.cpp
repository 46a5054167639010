#include "platform/ui/message_box_widgets.h"

#include <QApplication>
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

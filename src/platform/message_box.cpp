#include "platform/message_box.h"

namespace qw {
namespace {
MsgBoxHandler& Handler() {
  static MsgBoxHandler handler;
  return handler;
}
}  // namespace

QList<MsgResult> MsgBoxButtonResults(MsgButtons buttons) {
  switch (buttons) {
    case MsgButtons::OK:
      return {MsgResult::OK};
    case MsgButtons::OKCancel:
      return {MsgResult::OK, MsgResult::Cancel};
    case MsgButtons::AbortRetryIgnore:
      return {MsgResult::Abort, MsgResult::Retry, MsgResult::Ignore};
    case MsgButtons::YesNoCancel:
      return {MsgResult::Yes, MsgResult::No, MsgResult::Cancel};
    case MsgButtons::YesNo:
      return {MsgResult::Yes, MsgResult::No};
    case MsgButtons::RetryCancel:
      return {MsgResult::Retry, MsgResult::Cancel};
  }
  return {MsgResult::OK};
}

MsgResult DefaultAnswer(const MsgBoxCall& call) {
  const QList<MsgResult> results = MsgBoxButtonResults(call.buttons);
  const int index = call.defaultButton - 1;
  if (index >= 0 && index < results.size()) return results.at(index);
  return results.first();
}

std::optional<MsgResult> DismissAnswer(const MsgBoxCall& call) {
  const QList<MsgResult> results = MsgBoxButtonResults(call.buttons);
  if (results.contains(MsgResult::Cancel)) return MsgResult::Cancel;
  if (results.size() == 1) return results.first();
  if (call.question) return SafeAnswer(*call.question);
  return std::nullopt;
}

MsgResult SafeAnswer(Question question) {
  for (const QuestionRule& rule : kQuestions)
    if (rule.question == question) return rule.safeAnswer;
  return MsgResult::No;
}

namespace {

MsgResult Show(MsgBoxCall call, const QString& title) {
  call.title = title.isEmpty() ? kAppTitle : title;
  // A copy, so that a handler may replace itself while its box is open.
  const MsgBoxHandler handler = Handler();
  if (handler) return handler(call);
  return DefaultAnswer(call);
}

}  // namespace

MsgResult MsgBox(const QString& text, MsgButtons buttons, MsgIcon icon, const QString& title, int defaultButton) {
  return Show({text, QString(), buttons, icon, defaultButton, std::nullopt}, title);
}

MsgResult Ask(Question question, const QString& text, MsgIcon icon, const QString& title, int defaultButton) {
  return Show({text, QString(), MsgButtons::YesNo, icon, defaultButton, question}, title);
}

MsgBoxHandler SetMsgBoxHandler(MsgBoxHandler handler) {
  MsgBoxHandler previous = std::move(Handler());
  Handler() = std::move(handler);
  return previous;
}

ScriptedMsgBoxes::ScriptedMsgBoxes() {
  previous_ = SetMsgBoxHandler([this](const MsgBoxCall& call) {
    shown_.append(call);
    if (!answers_.isEmpty()) return answers_.takeFirst();
    return DefaultAnswer(call);
  });
}

ScriptedMsgBoxes::~ScriptedMsgBoxes() { SetMsgBoxHandler(std::move(previous_)); }

}  // namespace qw

#pragma once
// One message-box service for the whole program. Windows call MsgBox; the
// program shows real boxes, tests script the answers and read what was shown.
#include <QList>
#include <QString>
#include <functional>
#include <optional>

namespace qw {

enum class MsgButtons { OK, OKCancel, AbortRetryIgnore, YesNoCancel, YesNo, RetryCancel };
enum class MsgIcon { None, Critical, Question, Exclamation, Information };
enum class MsgResult { OK = 1, Cancel = 2, Abort = 3, Retry = 4, Ignore = 5, Yes = 6, No = 7 };

// The caption of every box that names none of its own.
inline const QString kAppTitle = QStringLiteral("Quaywise 2.2");

// Every Yes/No question the program asks. A question has no Cancel, so
// Escape and the box's close button give the answer that loses nothing
// (kQuestions), never whichever button the toolkit would guess.
enum class Question {
  ContinueAfterError,  // the error reporter's "... Continue?"
  ReplaceFile,         // "... already exists. Do you want to replace it?"
  KeepForNotes,        // notes that cannot be stored: keep the window open?
  DownloadBrowser,     // the browser engine is too old: open its download page?
};

struct QuestionRule {
  Question question;
  MsgResult safeAnswer;  // what Escape and the close button answer
  const char* why;
};
// (The toolkit's file and print dialogs ask their own "... already exists"
// questions, whose Escape and close answer No, the answer that keeps the
// file.)
inline constexpr QuestionRule kQuestions[] = {
    {Question::ContinueAfterError, MsgResult::Yes,
     "the callers go on alike after either answer; Yes is the box's default"},
    {Question::ReplaceFile, MsgResult::No, "the file in the way stays as it is, and another name can be chosen"},
    {Question::KeepForNotes, MsgResult::Yes, "the window stays open with the notes that could not be stored"},
    {Question::DownloadBrowser, MsgResult::No, "nothing is opened; the program ends after either answer"},
};
// The answer of a question that loses nothing.
MsgResult SafeAnswer(Question question);

struct MsgBoxCall {
  QString text;
  QString title;  // already resolved: kAppTitle when the caller gave none
  MsgButtons buttons = MsgButtons::OK;
  MsgIcon icon = MsgIcon::None;
  int defaultButton = 1;  // 1 = first button, 2 = second, 3 = third
  std::optional<Question> question;  // set for a Yes/No question (Ask)
};

// Shows a box and returns the answer. An empty title means kAppTitle.
MsgResult MsgBox(const QString& text, MsgButtons buttons = MsgButtons::OK,
                 MsgIcon icon = MsgIcon::None, const QString& title = QString(),
                 int defaultButton = 1);

// Asks a Yes/No question of kQuestions. An empty title means kAppTitle.
MsgResult Ask(Question question, const QString& text, MsgIcon icon = MsgIcon::None, const QString& title = QString(),
              int defaultButton = 1);

// Replaces how boxes are shown. Without a handler (the widget-free core) a
// box answers its default button at once; the program installs real boxes at
// start-up (InstallWidgetMessageBoxes, platform/ui/message_box_widgets.h).
// Returns the previous handler.
using MsgBoxHandler = std::function<MsgResult(const MsgBoxCall&)>;
MsgBoxHandler SetMsgBoxHandler(MsgBoxHandler handler);

// The answers of a box's buttons, in the order they are shown
// (YesNoCancel: Yes, No, Cancel).
QList<MsgResult> MsgBoxButtonResults(MsgButtons buttons);
// The answer of the box's default button (the first button when
// defaultButton names none of its buttons).
MsgResult DefaultAnswer(const MsgBoxCall& call);
// What Escape and the close button answer: Cancel where the box has it, the
// only button of a box of one, a question's safe answer; none for any other
// box, which only its buttons answer.
std::optional<MsgResult> DismissAnswer(const MsgBoxCall& call);

// For tests: answers boxes from a queue (the default answer of the box when
// the queue is empty) and keeps every box shown. Restores the previous
// handler when destroyed.
class ScriptedMsgBoxes {
 public:
  ScriptedMsgBoxes();
  ~ScriptedMsgBoxes();
  ScriptedMsgBoxes(const ScriptedMsgBoxes&) = delete;
  ScriptedMsgBoxes& operator=(const ScriptedMsgBoxes&) = delete;
  void Answer(MsgResult answer) { answers_.append(answer); }
  const QList<MsgBoxCall>& Shown() const { return shown_; }
  void Clear() { shown_.clear(); }

 private:
  QList<MsgResult> answers_;
  QList<MsgBoxCall> shown_;
  MsgBoxHandler previous_;
};

}  // namespace qw

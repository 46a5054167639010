#include <gtest/gtest.h>

#include "platform/message_box.h"

namespace {

TEST(MsgBox, WithoutAHandlerAnswersTheDefaultButton) {
  EXPECT_EQ(qw::MsgBox("x"), qw::MsgResult::OK);
  EXPECT_EQ(qw::MsgBox("x", qw::MsgButtons::YesNo), qw::MsgResult::Yes);
  EXPECT_EQ(qw::MsgBox("x", qw::MsgButtons::YesNoCancel, qw::MsgIcon::None, {}, 3), qw::MsgResult::Cancel);
  EXPECT_EQ(qw::MsgBox("x", qw::MsgButtons::RetryCancel, qw::MsgIcon::None, {}, 2), qw::MsgResult::Cancel);
  // A default button the box does not have falls back to the first.
  EXPECT_EQ(qw::MsgBox("x", qw::MsgButtons::OKCancel, qw::MsgIcon::None, {}, 3), qw::MsgResult::OK);
}

// Escape and the close button: Cancel, the only button, a question's safe
// answer; nothing for a plain Yes/No box, which only its buttons answer.
TEST(MsgBox, DismissingGivesTheAnswerThatLosesNothing) {
  using qw::MsgButtons;
  using qw::MsgResult;
  const auto dismiss = [](MsgButtons buttons, std::optional<qw::Question> question = std::nullopt) {
    return qw::DismissAnswer({"x", "t", buttons, qw::MsgIcon::None, 1, question});
  };
  EXPECT_EQ(dismiss(MsgButtons::OK), MsgResult::OK);
  EXPECT_EQ(dismiss(MsgButtons::YesNoCancel), MsgResult::Cancel);
  EXPECT_EQ(dismiss(MsgButtons::YesNo), std::nullopt);
  EXPECT_EQ(dismiss(MsgButtons::YesNo, qw::Question::KeepForNotes), MsgResult::Yes);
  EXPECT_EQ(dismiss(MsgButtons::YesNo, qw::Question::ReplaceFile), MsgResult::No);
  qw::ScriptedMsgBoxes boxes;
  qw::Ask(qw::Question::KeepForNotes, "Keep?");
  ASSERT_EQ(boxes.Shown().size(), 1);
  EXPECT_EQ(boxes.Shown()[0].buttons, MsgButtons::YesNo);
  EXPECT_EQ(boxes.Shown()[0].question, qw::Question::KeepForNotes);
}

TEST(ScriptedMsgBoxes, AnswersInOrderAndRecordsEveryBox) {
  qw::ScriptedMsgBoxes boxes;
  boxes.Answer(qw::MsgResult::No);
  boxes.Answer(qw::MsgResult::Cancel);
  EXPECT_EQ(qw::MsgBox("Continue?", qw::MsgButtons::YesNo, qw::MsgIcon::None, "Error"), qw::MsgResult::No);
  EXPECT_EQ(qw::MsgBox("Save?", qw::MsgButtons::YesNoCancel), qw::MsgResult::Cancel);
  // Queue empty: the box's default answer.
  EXPECT_EQ(qw::MsgBox("Insert the CD", qw::MsgButtons::OK, qw::MsgIcon::Information), qw::MsgResult::OK);
  ASSERT_EQ(boxes.Shown().size(), 3);
  EXPECT_EQ(boxes.Shown()[0].text, "Continue?");
  EXPECT_EQ(boxes.Shown()[0].title, "Error");
  EXPECT_EQ(boxes.Shown()[0].buttons, qw::MsgButtons::YesNo);
  EXPECT_EQ(boxes.Shown()[1].title, "Quaywise 2.2");  // no title given
  EXPECT_EQ(boxes.Shown()[2].icon, qw::MsgIcon::Information);
  boxes.Clear();
  EXPECT_TRUE(boxes.Shown().isEmpty());
}

TEST(ScriptedMsgBoxes, NestAndRestoreThePreviousHandler) {
  qw::ScriptedMsgBoxes outer;
  {
    qw::ScriptedMsgBoxes inner;
    inner.Answer(qw::MsgResult::Retry);
    EXPECT_EQ(qw::MsgBox("a", qw::MsgButtons::RetryCancel), qw::MsgResult::Retry);
    EXPECT_EQ(inner.Shown().size(), 1);
  }
  qw::MsgBox("b");
  ASSERT_EQ(outer.Shown().size(), 1);
  EXPECT_EQ(outer.Shown()[0].text, "b");
}

}  // namespace

#pragma once
// A one-line text box with a check that runs when the focus is about to leave
// it and can keep the focus there: a refused click on another control of the
// window does not happen, a refused Tab does not move, and any other move of
// the focus is taken back.
#include <QLineEdit>
#include <functional>

namespace qw {

class TextBox : public QLineEdit {
  Q_OBJECT

 public:
  // Returns true when the focus may leave the box.
  using ValidateHandler = std::function<bool()>;

  explicit TextBox(QWidget* parent = nullptr);
  ~TextBox() override;

  void SetValidate(ValidateHandler handler) { validate_ = std::move(handler); }
  // Runs the check now (as a move of the focus would); true when it passes.
  bool Validate();

 signals:
  void GotFocus();

 protected:
  bool event(QEvent* e) override;
  void focusInEvent(QFocusEvent* e) override;
  void focusOutEvent(QFocusEvent* e) override;
  bool eventFilter(QObject* watched, QEvent* e) override;

 private:
  void Watch(bool on);
  ValidateHandler validate_;
  bool validating_ = false;
  bool watching_ = false;
};

}  // namespace qw

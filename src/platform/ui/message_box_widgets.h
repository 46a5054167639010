#pragma once
// Real message boxes for the running program.
#include <QElapsedTimer>
#include <QObject>
#include <QPointer>

class QWidget;

namespace qw {

// Makes MsgBox show a modal QMessageBox with the call's text, title,
// buttons, icon and default button. Called once by main(). Escape and the
// box's close button give the call's DismissAnswer; a box without one is
// answered by its buttons alone. Keys answer a box only under a
// KeysQuietGuard.
void InstallWidgetMessageBoxes();
inline constexpr int kKeysQuietMs = 750;

// Keeps keys from a box until it has been on the screen and the keyboard
// quiet for kKeysQuietMs: a user typing elsewhere (in the notes box) when it
// appears, or before it can be seen on a busy machine, would otherwise answer
// it unseen with the next blank, Enter or letter of a button. Every key
// typed anywhere in the program counts, also one that a window behind the
// box never gets; a key the box holds goes nowhere and starts the quiet time
// again. The mouse answers at once.
class KeysQuietGuard : public QObject {
 public:
  explicit KeysQuietGuard(QWidget* box);
  ~KeysQuietGuard() override;
  KeysQuietGuard(const KeysQuietGuard&) = delete;
  KeysQuietGuard& operator=(const KeysQuietGuard&) = delete;

  // Whether keys reach the box now.
  bool KeysReachBox() const;
  // A key was typed where the box does not get it.
  void KeyElsewhere();

 protected:
  bool eventFilter(QObject* watched, QEvent* event) override;

 private:
  class NativeKeys;
  QPointer<QWidget> box_;
  bool seen_ = false;
  QElapsedTimer quiet_;
  NativeKeys* native_ = nullptr;
};

}  // namespace qw

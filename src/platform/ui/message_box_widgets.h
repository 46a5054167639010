#pragma once
// Real message boxes for the running program.

namespace qw {

// Makes MsgBox show a modal QMessageBox with the call's text, title,
// buttons, icon and default button. Called once by main(). Keys answer a box
// only once the keyboard has been quiet for kKeysQuietMs since it appeared,
// so that typing meant for another window never answers it unseen.
void InstallWidgetMessageBoxes();
inline constexpr int kKeysQuietMs = 750;

}  // namespace qw

#pragma once
// Real message boxes for the running program.

namespace qw {

// Makes MsgBox show a modal QMessageBox with the call's text, title,
// buttons, icon and default button. Called once by main().
void InstallWidgetMessageBoxes();

}  // namespace qw

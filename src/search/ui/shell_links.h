#pragma once
// What the search windows use of the main window and the shell: the MDI
// area, the toolbar switch, the wait window and the per-user settings store.
#include <QString>

class QWidget;

namespace qw {

// Makes window a child of the main window's MDI area when the main window
// exists; returns the widget to show, hide and maximise (the MDI frame, or the
// window itself when it stays top-level).
QWidget* AttachToMainWindow(QWidget* window);
// The main window's UpdateToolBox, when the main window exists.
void UpdateMainToolBox();
// The wait window of a running search.
void ShowSearchWaitWindow();
void UnloadSearchWaitWindow();
// The name of the last saved criteria file in the per-user settings store;
// defaultValue when none is stored.
QString LastCriteriaFileName(const QString& defaultValue);

}  // namespace qw

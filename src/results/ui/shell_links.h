#pragma once
// What the result list needs of the main window and its shared services,
// gathered in one place.
#include <QString>

class QWidget;

namespace qw {

// Shows the modal progress window that covers a print page's load.
void ShowPrintProgress();
// Scales a window's controls (and the window while RePosForm is set).
void ScaleForm(float xScale, float yScale, QWidget* form);
// The shared rescale hand-shake flags.
bool& RePosFormFlag();
bool& DoResizeFlag();
// The shared screen metrics of the print-option dialog.
struct ScreenMetrics {
  int twipsX = 15;
  int twipsY = 15;
  int pixelsX = 0;
  int pixelsY = 0;
};
ScreenMetrics& SharedScreenMetrics();
// The list became the current screen: ScreenMode 1 and the toolbar follows.
void ListScreenActivated();
// The list was unloaded: toolbar buttons 1 to 5 and the menus Open, Save,
// Find and Show are enabled again.
void ListScreenUnloaded();
// Lets the browser print with the page setup the print commands store
// (unless another source is installed).
void InstallPageSetupSource();
// Shows a screen inside the main window.
void ShowScreen(QWidget* screen);

}  // namespace qw

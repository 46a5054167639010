#include "results/ui/shell_links.h"

#include <QAction>
#include <QMdiArea>
#include <QMdiSubWindow>
#include <QWidget>

#include "app/form_scaling.h"
#include "app/page_setup.h"
#include "app/settings.h"
#include "app/ui/main_window.h"
#include "app/ui/resize_form.h"
#include "app/ui/wait_windows.h"

namespace qw {

void ShowPrintProgress() { ShowProgressModal(); }

void ScaleForm(float xScale, float yScale, QWidget* form) { ResizeForm(xScale, yScale, form); }

bool& RePosFormFlag() { return RePosForm(); }

bool& DoResizeFlag() { return DoResize(); }

ScreenMetrics& SharedScreenMetrics() {
  static ScreenMetrics metrics;
  return metrics;
}

void ListScreenActivated() {
  ScreenMode() = 1;
  if (MainWindowExists()) MainWindow()->UpdateToolBox();
}

void ListScreenUnloaded() {
  if (!MainWindowExists()) return;
  MDIFrmMain* main = MainWindow();
  for (int button = 1; button <= 5; ++button)
    if (QAction* action = main->ToolbarButton(button)) action->setEnabled(true);
  for (QAction* menu : {main->mnuOpen, main->mnuSave, main->mnuFind, main->mnuShow})
    if (menu) menu->setEnabled(true);
}

void InstallPageSetupSource() { InstallPageSetupStore(); }

void ShowScreen(QWidget* screen) {
  if (MainWindowExists() && !qobject_cast<QMdiSubWindow*>(screen->parentWidget())) MainWindow()->AddChild(screen);
  if (auto* frame = qobject_cast<QMdiSubWindow*>(screen->parentWidget())) {
    frame->show();
    // Shown is not always activated (it depends on the desktop): make it the
    // active screen so that its activation sets the toolbar.
    if (MainWindowExists()) MainWindow()->MdiArea()->setActiveSubWindow(frame);
  }
  screen->show();
  screen->raise();
}

}  // namespace qw

#include "results/ui/shell_links.h"

#include <QWidget>

#include "app/settings.h"

namespace qw {

void ShowPrintProgress() {}

void ScaleForm(float, float, QWidget*) {}

bool& RePosFormFlag() {
  static bool flag = false;
  return flag;
}

bool& DoResizeFlag() {
  static bool flag = false;
  return flag;
}

ScreenMetrics& SharedScreenMetrics() {
  static ScreenMetrics metrics;
  return metrics;
}

void ListScreenActivated() { ScreenMode() = 1; }

void ListScreenUnloaded() {}

void ShowScreen(QWidget* screen) {
  screen->show();
  screen->raise();
}

}  // namespace qw

#include "search/ui/shell_links.h"

#include <QMdiSubWindow>
#include <QWidget>

#include "app/ui/main_window.h"
#include "app/ui/wait_windows.h"
#include "services/user_store.h"
#include "platform/message_box.h"
#include "search/criteria_file.h"

namespace qw {

QWidget* AttachToMainWindow(QWidget* window) {
  if (!MainWindowExists()) return window;
  QMdiSubWindow* frame = MainWindow()->AddChild(window);
  return frame ? static_cast<QWidget*>(frame) : window;
}

void UpdateMainToolBox() {
  if (MainWindowExists()) MainWindow()->UpdateToolBox();
}

void ShowSearchWaitWindow() { ShowWaitWindow(); }

void UnloadSearchWaitWindow() { UnloadWaitWindow(); }

QString LastCriteriaFileName(const QString& defaultValue) {
  return GetSetting(kAppTitle, QLatin1String(kCriteriaSettingsSection), QLatin1String(kCriteriaSettingsKey),
                    defaultValue);
}

}  // namespace qw

#include "search/ui/shell_links.h"

#include <QWidget>

#include "platform/message_box.h"
#include "search/criteria_file.h"

#if __has_include("app/ui/main_window.h")
#include <QMdiSubWindow>

#include "app/ui/main_window.h"
#include "app/ui/wait_windows.h"
#include "app/user_store.h"
#define QW_SHELL_AVAILABLE 1
#else
#include <QSettings>
#endif

namespace qw {

#ifdef QW_SHELL_AVAILABLE

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

#else

QWidget* AttachToMainWindow(QWidget* window) { return window; }
void UpdateMainToolBox() {}
void ShowSearchWaitWindow() {}
void UnloadSearchWaitWindow() {}

QString LastCriteriaFileName(const QString& defaultValue) {
  QSettings store(QStringLiteral("Quaywise"), kAppTitle);
  store.beginGroup(QLatin1String(kCriteriaSettingsSection));
  return store.value(QLatin1String(kCriteriaSettingsKey), defaultValue).toString();
}

#endif

}  // namespace qw

#include "services/user_store.h"

#include <QDir>
#include <QSettings>
#include <QStandardPaths>

namespace qw {
namespace {
QString& FolderOverride() {
  static QString folder;
  return folder;
}
}  // namespace

void SetUserStoreFolder(const QString& folder) { FolderOverride() = folder; }

QString UserStoreFile(const QString& store) {
  QString folder = FolderOverride();
  if (folder.isEmpty()) {
    folder = QStandardPaths::writableLocation(QStandardPaths::GenericConfigLocation);
    if (folder.isEmpty()) folder = QDir::homePath() + QStringLiteral("/.config");
    folder += QStringLiteral("/Quaywise");
  }
  QDir().mkpath(folder);
  return folder + QLatin1Char('/') + store + QStringLiteral(".ini");
}

void SaveSetting(const QString& appName, const QString& section, const QString& key, const QString& value) {
  QSettings store(UserStoreFile(QStringLiteral("settings")), QSettings::IniFormat);
  store.beginGroup(appName);
  store.beginGroup(section);
  store.setValue(key, value);
  store.sync();
}

QString GetSetting(const QString& appName, const QString& section, const QString& key,
                   const QString& defaultValue) {
  QSettings store(UserStoreFile(QStringLiteral("settings")), QSettings::IniFormat);
  store.beginGroup(appName);
  store.beginGroup(section);
  return store.value(key, defaultValue).toString();
}

}  // namespace qw

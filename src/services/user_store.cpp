#include "services/user_store.h"

#include <QDir>
#include <QSettings>
#include <QStandardPaths>

#include "platform/message_box.h"

namespace qw {
namespace {
QString& FolderOverride() {
  static QString folder;
  return folder;
}

const QString kCriteriaFileSection = QStringLiteral("SettingsFileName");
const QString kCriteriaFileKey = QStringLiteral("RootFolder");
}  // namespace

void SetUserStoreFolder(const QString& folder) { FolderOverride() = folder; }

QString UserStoreFolder() {
  QString folder = FolderOverride();
  if (folder.isEmpty()) {
    folder = QStandardPaths::writableLocation(QStandardPaths::GenericConfigLocation);
    if (folder.isEmpty()) folder = QDir::homePath() + QStringLiteral("/.config");
    folder += QStringLiteral("/Quaywise");
  }
  QDir().mkpath(folder);
  return folder;
}

QString UserStoreFile(const QString& store) {
  return UserStoreFolder() + QLatin1Char('/') + store + QStringLiteral(".ini");
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

void SaveLastCriteriaFile(const QString& fileName) {
  SaveSetting(kAppTitle, kCriteriaFileSection, kCriteriaFileKey, fileName);
}

QString LastCriteriaFile(const QString& defaultValue) {
  return GetSetting(kAppTitle, kCriteriaFileSection, kCriteriaFileKey, defaultValue);
}

}  // namespace qw

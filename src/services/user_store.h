#pragma once
// The per-user stores: the settings store the program reads and writes by
// application, section and key (the last criteria file), and the browser's
// page-setup values that printing reads. Both are QSettings files in the
// user's configuration folder.
#include <QString>

namespace qw {

// Writes / reads one text of the per-user settings store.
void SaveSetting(const QString& appName, const QString& section, const QString& key, const QString& value);
QString GetSetting(const QString& appName, const QString& section, const QString& key,
                   const QString& defaultValue = QString());

// The name of the last saved criteria file, remembered in the settings store
// (section "SettingsFileName", key "RootFolder" of the program's title), and
// reading it back: defaultValue when none is stored.
void SaveLastCriteriaFile(const QString& fileName);
QString LastCriteriaFile(const QString& defaultValue);

// Points both stores at files in another folder (tests); an empty folder
// restores the user's configuration folder.
void SetUserStoreFolder(const QString& folder);
// The user's configuration folder of the program (~/.config/Quaywise), made
// when it is missing; the folder given to SetUserStoreFolder instead.
QString UserStoreFolder();
// The file of a store ("settings" or "pagesetup").
QString UserStoreFile(const QString& store);

}  // namespace qw

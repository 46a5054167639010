#pragma once
// The browser's print page setup: the registry writer the print commands call
// (SetRegistryString with a full key path) and what printing reads back
// (PageSetupValue). The values live in the per-user page-setup store.
#include <QString>
#include <cstdint>

namespace qw {

// The key path the print commands write under, and the value names.
inline const QString kPageSetupKeyPath =
    QStringLiteral("HKEY_CURRENT_USER\\Software\\Microsoft\\Internet Explorer\\PageSetup");

// The predefined root keys by name (exact, case matters); 0 for any other.
std::uint32_t GetRootKeyHandle(const QString& name);

// Splits "ROOT\sub\key" into the root key's handle (0 for an unknown root
// name) and the sub-key (empty when the path is the root alone). A path not
// starting with "HKEY_" or ending in "\" shows "Incorrect Format:", two line
// feeds and the path, leaves both arguments unchanged and returns false.
bool SplitRegistryPath(QString& path, std::uint32_t& rootKey);

// Writes value as a text value named valueName under keyPath. Only keys that
// exist are written: the current user's root and the page-setup key; nothing
// is created and no failure is reported.
void SetRegistryString(QString keyPath, const QString& valueName, const QString& value);

// A page-setup value ("header", "footer", "margin_top") as last written; a
// null QString when it was never written (the printer's default applies).
QString PageSetupValue(const QString& name);

// Lets printing read and write the page-setup values here (unless a test has
// installed its own reader).
void InstallPageSetupStore();

}  // namespace qw

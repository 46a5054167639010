#include "services/page_setup.h"

#include <QSettings>
#include <array>

#include "platform/message_box.h"
#include "platform/print_pages.h"
#include "services/user_store.h"

namespace qw {
namespace {

struct RootKey {
  const char* name;
  std::uint32_t handle;
};
constexpr std::array<RootKey, 7> kRootKeys{{{"HKEY_CLASSES_ROOT", 0x80000000u},
                                            {"HKEY_CURRENT_USER", 0x80000001u},
                                            {"HKEY_LOCAL_MACHINE", 0x80000002u},
                                            {"HKEY_USERS", 0x80000003u},
                                            {"HKEY_PERFORMANCE_DATA", 0x80000004u},
                                            {"HKEY_CURRENT_CONFIG", 0x80000005u},
                                            {"HKEY_DYN_DATA", 0x80000006u}}};
constexpr std::uint32_t kCurrentUser = 0x80000001u;
const QString kPageSetupSubKey = QStringLiteral("Software\\Microsoft\\Internet Explorer\\PageSetup");

// The group in the store of an existing key; empty when the key does not exist.
QString StoreGroup(std::uint32_t root, const QString& subKey) {
  if (root != kCurrentUser) return {};
  if (subKey.isEmpty()) return QStringLiteral("CurrentUser");
  // Registry key names do not depend on case.
  if (subKey.compare(kPageSetupSubKey, Qt::CaseInsensitive) == 0) return QStringLiteral("PageSetup");
  return {};
}

}  // namespace

std::uint32_t GetRootKeyHandle(const QString& name) {
  for (const RootKey& key : kRootKeys) {
    if (name == QLatin1String(key.name)) return key.handle;
  }
  return 0;
}

bool SplitRegistryPath(QString& path, std::uint32_t& rootKey) {
  const qsizetype slash = path.indexOf(QLatin1Char('\\'));
  if (!path.startsWith(QLatin1String("HKEY_")) || path.endsWith(QLatin1Char('\\'))) {
    MsgBox(QStringLiteral("Incorrect Format:") + QStringLiteral("\n\n") + path);
    return false;
  }
  if (slash >= 0) {
    rootKey = GetRootKeyHandle(path.left(slash));
    path = path.mid(slash + 1);
  } else {
    rootKey = GetRootKeyHandle(path);
    path.clear();
  }
  return true;
}

void SetRegistryString(QString keyPath, const QString& valueName, const QString& value) {
  std::uint32_t root = 0;
  if (!SplitRegistryPath(keyPath, root) || root == 0) return;
  const QString group = StoreGroup(root, keyPath);
  if (group.isEmpty()) return;
  QSettings store(UserStoreFile(QStringLiteral("pagesetup")), QSettings::IniFormat);
  store.beginGroup(group);
  // Value names do not depend on case either.
  store.setValue(valueName.toLower(), value);
  store.sync();
}

QString PageSetupValue(const QString& name) {
  QSettings store(UserStoreFile(QStringLiteral("pagesetup")), QSettings::IniFormat);
  store.beginGroup(QStringLiteral("PageSetup"));
  const QVariant v = store.value(name.toLower());
  if (!v.isValid()) return QString();
  QString text = v.toString();
  if (text.isNull()) text = QLatin1String("");  // written empty: not the same as never written
  return text;
}

void InstallPageSetupStore() {
  if (!HasPageSetupSource()) {
    SetPageSetupSource([] {
      return PageSetup{PageSetupValue(kPageHeader), PageSetupValue(kPageFooter),   PageSetupValue(kMarginTop),
                       PageSetupValue(kMarginBottom), PageSetupValue(kMarginLeft), PageSetupValue(kMarginRight),
                       PageSetupValue(kPaperSize),    PageSetupValue(kPaperOrientation)};
    });
  }
  if (!HasPageSetupSink()) {
    SetPageSetupSink([](const QString& name, const QString& value) {
      SetRegistryString(kPageSetupKeyPath, name, value);
    });
  }
}

}  // namespace qw

#include <QTemporaryDir>
#include <gtest/gtest.h>

#include "platform/message_box.h"
#include "platform/print_pages.h"
#include "services/page_setup.h"
#include "services/user_store.h"

namespace qw {
namespace {

class PageSetup : public ::testing::Test {
 protected:
  void SetUp() override { SetUserStoreFolder(dir_.path()); }
  void TearDown() override { SetUserStoreFolder(QString()); }
  QTemporaryDir dir_;
  ScriptedMsgBoxes boxes_;
};

TEST_F(PageSetup, RootKeyNamesAreExact) {
  const std::pair<const char*, std::uint32_t> cases[] = {
      {"HKEY_CLASSES_ROOT", 0x80000000u},    {"HKEY_CURRENT_USER", 0x80000001u}, {"HKEY_LOCAL_MACHINE", 0x80000002u},
      {"HKEY_USERS", 0x80000003u},           {"HKEY_PERFORMANCE_DATA", 0x80000004u},
      {"HKEY_CURRENT_CONFIG", 0x80000005u},  {"HKEY_DYN_DATA", 0x80000006u},
      {"hkey_current_user", 0u},             {"HKEY_NOWHERE", 0u}};
  for (const auto& [name, handle] : cases) EXPECT_EQ(GetRootKeyHandle(QString::fromLatin1(name)), handle) << name;
}

TEST_F(PageSetup, SplitsPathsAndRejectsBadForms) {
  QString path = kPageSetupKeyPath;
  std::uint32_t root = 0;
  EXPECT_TRUE(SplitRegistryPath(path, root));
  EXPECT_EQ(root, 0x80000001u);
  EXPECT_EQ(path, "Software\\Microsoft\\Internet Explorer\\PageSetup");
  path = QStringLiteral("HKEY_CURRENT_USER");
  EXPECT_TRUE(SplitRegistryPath(path, root));
  EXPECT_EQ(root, 0x80000001u);
  EXPECT_EQ(path, "");
  path = QStringLiteral("HKEY_NOWHERE\\Software");
  EXPECT_TRUE(SplitRegistryPath(path, root));
  EXPECT_EQ(root, 0u);
  EXPECT_TRUE(boxes_.Shown().isEmpty());

  for (const QString& bad : {kPageSetupKeyPath.toLower(), kPageSetupKeyPath + QLatin1Char('\\'),
                             QStringLiteral("HKEY"), QString()}) {
    boxes_.Clear();
    path = bad;
    root = 7;
    EXPECT_FALSE(SplitRegistryPath(path, root));
    EXPECT_EQ(path, bad);
    EXPECT_EQ(root, 7u);
    ASSERT_EQ(boxes_.Shown().size(), 1);
    EXPECT_EQ(boxes_.Shown().first().text, QStringLiteral("Incorrect Format:\n\n") + bad);
    EXPECT_EQ(boxes_.Shown().first().title, kAppTitle);
    EXPECT_EQ(boxes_.Shown().first().buttons, MsgButtons::OK);
  }
}

TEST_F(PageSetup, WritesOnlyTheExistingPageSetupKey) {
  EXPECT_TRUE(PageSetupValue(QStringLiteral("header")).isNull());
  const std::pair<QString, QString> values[] = {
      {"header", "Guide header "}, {"footer", "Page No [ &p ]"}, {"margin_top", "0.07"}};
  for (const auto& [name, value] : values) SetRegistryString(kPageSetupKeyPath, name, value);
  for (const auto& [name, value] : values) EXPECT_EQ(PageSetupValue(name), value) << name.toStdString();
  // Writing "" stores an empty value, not the absence of one.
  SetRegistryString(kPageSetupKeyPath, QStringLiteral("header"), QString());
  EXPECT_FALSE(PageSetupValue(QStringLiteral("header")).isNull());
  EXPECT_EQ(PageSetupValue(QStringLiteral("header")), "");
  // Keys that do not exist are not created; unknown roots write nothing.
  for (const auto& [key, value] : {std::pair{"HKEY_CURRENT_USER\\Software\\Other\\PageSetup", "other"},
                                   {"HKEY_LOCAL_MACHINE\\Software\\Microsoft\\Internet Explorer\\PageSetup", "machine"},
                                   {"HKEY_NOWHERE\\Software\\Microsoft\\Internet Explorer\\PageSetup", "nowhere"}})
    SetRegistryString(QString::fromLatin1(key), QStringLiteral("footer"), QString::fromLatin1(value));
  EXPECT_EQ(PageSetupValue(QStringLiteral("footer")), "Page No [ &p ]");
  EXPECT_TRUE(boxes_.Shown().isEmpty());
}

// What the page-setup dialog writes is what the next start prints with.
TEST_F(PageSetup, StoreKeepsThePaperWithTheMargins) {
  const PageSetupSource source = SetPageSetupSource(nullptr);
  const PageSetupSink sink = SetPageSetupSink(nullptr);
  InstallPageSetupStore();
  EXPECT_EQ(StoredPaper(CurrentPageSetup()).pageSize().id(), LocalePaper(QLocale::system()).id());
  WritePageSetup({{kMarginTop, "0.07"}, {kPaperSize, "Legal"}, {kPaperOrientation, "landscape"}});
  const qw::PageSetup read = CurrentPageSetup();
  EXPECT_EQ(read.marginTop, "0.07");
  EXPECT_EQ(StoredPaper(read).pageSize().id(), QPageSize::Legal);
  EXPECT_EQ(StoredPaper(read).orientation(), QPageLayout::Landscape);
  SetPageSetupSource(source);
  SetPageSetupSink(sink);
}

TEST_F(PageSetup, UserSettingsStoreKeepsTextsBySection) {
  EXPECT_EQ(GetSetting(kAppTitle, QStringLiteral("SettingsFileName"), QStringLiteral("RootFolder")), "");
  SaveSetting(kAppTitle, QStringLiteral("SettingsFileName"), QStringLiteral("RootFolder"),
              QStringLiteral("/home/me/boston.vyk"));
  EXPECT_EQ(GetSetting(kAppTitle, QStringLiteral("SettingsFileName"), QStringLiteral("RootFolder")),
            "/home/me/boston.vyk");
  EXPECT_EQ(GetSetting(kAppTitle, QStringLiteral("Other"), QStringLiteral("RootFolder"), QStringLiteral("d")), "d");
}

}  // namespace
}  // namespace qw

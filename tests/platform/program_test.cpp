#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QLockFile>
#include <QTemporaryDir>
#include <gtest/gtest.h>

#include "platform/program.h"

namespace {

TEST(ProgramFolder, FindsFileNamesWithoutRegardToCase) {
  QTemporaryDir dir;
  QFile f(dir.filePath("VykMarina.ini"));
  ASSERT_TRUE(f.open(QIODevice::WriteOnly));
  f.close();
  EXPECT_EQ(qw::FindFileNoCase(dir.path(), "vykmarina.ini"), dir.filePath("VykMarina.ini"));
  EXPECT_EQ(qw::FindFileNoCase(dir.path(), "VYKMARINA.INI"), dir.filePath("VykMarina.ini"));
  EXPECT_EQ(qw::FindFileNoCase(dir.path(), "missing.ini"), dir.filePath("missing.ini"));
}

TEST(ProgramFolder, WritesInTheProgramFolderOnlyWhenItIsWritable) {
  QTemporaryDir dir;
  qw::SetProgramFolder(dir.path());
  EXPECT_EQ(qw::WritableFolder(), dir.path());
  qw::SetProgramFolder("/proc/nonexistent-program-folder");
  EXPECT_NE(qw::WritableFolder(), "/proc/nonexistent-program-folder");
  EXPECT_TRUE(QFileInfo(qw::WritableFolder()).isWritable());
  qw::SetProgramFolder(QString());
}

TEST(ProgramFolder, OneRunningCopyHoldsItsFolder) {
  QTemporaryDir a;
  QTemporaryDir b;
  auto first = qw::LockProgramFolder(a.path());
  ASSERT_TRUE(first);
  EXPECT_TRUE(first->isLocked());
  // A second copy from the same folder is refused; another folder is free.
  EXPECT_FALSE(qw::LockProgramFolder(a.path()));
  EXPECT_FALSE(qw::LockProgramFolder(a.path() + "/."));
  EXPECT_TRUE(qw::LockProgramFolder(b.path()));
  // Once the first copy lets go, the folder is free again.
  first->unlock();
  EXPECT_TRUE(qw::LockProgramFolder(a.path()));
  // Without a usable temporary folder nothing is held against anyone.
  const QByteArray saved = qgetenv("TMPDIR");
  qputenv("TMPDIR", "/proc/nonexistent-temporary-folder");
  auto unlocked = qw::LockProgramFolder(a.path());
  qputenv("TMPDIR", saved);
  if (saved.isEmpty()) qunsetenv("TMPDIR");
  EXPECT_TRUE(unlocked);
}

TEST(Twips, FifteenToAPixel) {
  EXPECT_EQ(qw::TwipsToPixels(3720), 248);
  EXPECT_EQ(qw::TwipsToPixels(7), 0);
  EXPECT_EQ(qw::TwipsToPixels(8), 1);
  EXPECT_EQ(qw::PixelsToTwips(10), 150);
}

}  // namespace

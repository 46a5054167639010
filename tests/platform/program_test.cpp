#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QLockFile>
#include <QTemporaryDir>
#include <gtest/gtest.h>

#include <cerrno>
#include <cstring>
#include <unistd.h>

#include "common/testing.h"
#include "platform/program.h"

namespace {

TEST(ProgramFolder, FindsFileNamesWithoutRegardToCase) {
  QTemporaryDir dir;
  ASSERT_TRUE(qw::testing::WriteFile(dir.filePath("VykMarina.ini"), ""));
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
  // A copy started with another temporary folder is refused all the same.
  {
    const qw::testing::ScopedEnv otherTemporaryFolder("TMPDIR", b.path().toUtf8());
    EXPECT_FALSE(qw::LockProgramFolder(a.path()));
  }
  // Once the first copy lets go, the folder is free again.
  first->unlock();
  EXPECT_TRUE(qw::LockProgramFolder(a.path()));
}

TEST(ProgramFolder, OneRunningCopyHoldsItsDatabaseWhateverFolderItRunsFrom) {
  QTemporaryDir dir;
  ASSERT_TRUE(QDir(dir.path()).mkpath("data"));
  const QString db = dir.filePath("data/marina.mdb");
  ASSERT_TRUE(qw::testing::WriteFile(db, ""));
  ASSERT_TRUE(QFile::link(dir.filePath("data"), dir.filePath("linked")));
  ASSERT_EQ(::link(QFile::encodeName(db).constData(), QFile::encodeName(dir.filePath("hard.mdb")).constData()), 0);
  auto first = qw::LockDatabase(db);
  ASSERT_TRUE(first);
  // The same file however it is named, whatever the temporary folder; the
  // program folder's lock is another.
  const qw::testing::ScopedEnv otherTemporaryFolder("TMPDIR", dir.filePath("data").toUtf8());
  for (const QString& same :
       {db, dir.filePath("data/./marina.mdb"), dir.filePath("linked/marina.mdb"), dir.filePath("hard.mdb")})
    EXPECT_FALSE(qw::LockDatabase(same)) << same.toStdString();
  EXPECT_TRUE(qw::LockDatabase(dir.filePath("data/other.mdb")));
  EXPECT_TRUE(qw::LockProgramFolder(db));
  first->unlock();
  EXPECT_TRUE(qw::LockDatabase(dir.filePath("linked/marina.mdb")));
}

TEST(WholeFiles, WrittenWholeOrLeftAsTheyWereWithTheReason) {
  const QString strerrorEacces = QString::fromLocal8Bit(std::strerror(EACCES));
  const struct {
    int errnum;
    const char* fallback;
    QString reason;
  } reasons[] = {
      {ENOSPC, "Unknown error", "the disk is full"},
      {EDQUOT, "", "the disk is full"},
      {EACCES, "Unknown error", strerrorEacces},
      {0, "Unknown error", "the file could not be written"},
      {0, "Device busy", "Device busy"},
  };
  for (const auto& c : reasons) EXPECT_EQ(qw::WriteFailureReason(c.errnum, c.fallback), c.reason) << c.errnum;

  QTemporaryDir dir;
  const QString path = dir.filePath("page.htm");
  ASSERT_EQ(qw::WriteWholeFile(path, "old page"), "");
  EXPECT_EQ(qw::testing::ReadFile(path), "old page");

  // Writes stopped short by the file size limit, as a disk that fills up
  // stops them: a write taken in one go (large) and one the file keeps in its
  // buffer until it is committed (small).
  for (const int size : {20000, 5000}) {
    QString reason;
    {
      const qw::testing::FileSizeLimit limit(4096);
      reason = qw::WriteWholeFile(path, QByteArray(size, 'x'));
    }
    EXPECT_EQ(reason, qw::testing::FileSizeLimit::Reason()) << size;
    EXPECT_EQ(qw::testing::ReadFile(path), "old page") << size;
    EXPECT_EQ(QDir(dir.path()).entryList(QDir::Files), QStringList{"page.htm"}) << size;
  }
}

TEST(Twips, FifteenToAPixel) {
  for (const auto& [twips, pixels] : {std::pair{3720, 248}, {7, 0}, {8, 1}})
    EXPECT_EQ(qw::TwipsToPixels(twips), pixels) << twips;
  EXPECT_EQ(qw::PixelsToTwips(10), 150);
}

}  // namespace

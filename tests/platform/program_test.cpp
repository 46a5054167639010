#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QTemporaryDir>
#include <gtest/gtest.h>

#include <cerrno>
#include <cstring>
#include <functional>
#include <sys/stat.h>
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
  EXPECT_TRUE(first->IsLocked());
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
  first->Unlock();
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
  first->Unlock();
  EXPECT_TRUE(qw::LockDatabase(dir.filePath("linked/marina.mdb")));
}

// What another local user can put where the locks go, in a shared folder
// like /tmp (sticky, open to all): at the name of the user's lock folder, in
// $XDG_RUNTIME_DIR, and at the names the locks had in /tmp before. None keeps
// the program from starting, none is written, and the lock still holds a
// second copy off. A lock of the user's own that a copy left behind is taken
// over. As root, the files are given to another user (nobody).
TEST(OneCopyLocks, NoFileOfAnotherUserKeepsTheProgramFromStarting) {
  const uid_t other = ::getuid() == 0 ? 65534 : ::getuid();
  const uid_t me = ::getuid();
  QTemporaryDir shared;
  QTemporaryDir home;
  QTemporaryDir program;
  ASSERT_EQ(::chmod(QFile::encodeName(shared.path()).constData(), 01777), 0);
  qw::SetSharedTempRoot(shared.path());
  const qw::testing::ScopedEnv cache("XDG_CACHE_HOME", home.filePath("cache").toUtf8());
  const QString mine = shared.filePath(QStringLiteral("quaywise-%1").arg(me));
  const auto give = [&](const QString& path) {
    ASSERT_EQ(::lchown(QFile::encodeName(path).constData(), other, other), 0) << path.toStdString();
  };
  const auto file = [&](const QString& path) {
    ASSERT_TRUE(qw::testing::WriteFile(path, "12345\nelsewhere\n"));
    give(path);
  };
  const auto folder = [&](const QString& path) {
    ASSERT_TRUE(QDir().mkpath(path));
    ASSERT_EQ(::chmod(QFile::encodeName(path).constData(), 0777), 0);
    give(path);
  };
  const auto link = [&](const QString& path) {
    ASSERT_TRUE(QFile::link(home.path(), path));
    give(path);
  };
  // The names the locks of the program folder have in the user's folder.
  const auto lockNames = [&] {
    auto held = qw::LockProgramFolder(program.path());
    QStringList names;
    for (const QString& f : QDir(mine).entryList(QDir::Files)) names << mine + "/" + f;
    return names;
  };
  const QStringList names = lockNames();
  ASSERT_EQ(names.size(), 1);
  // quaywise-<device>-<inode>.lock, which was quaywise-<uid>-<device>-<inode>.lock in /tmp itself.
  const QString oldName = shared.filePath(QStringLiteral("quaywise-%1-").arg(me) + names[0].section('-', -2));
  const struct {
    const char* what;
    std::function<void()> put;
  } squats[] = {
      {"a file at the user's folder name", [&] { file(mine); }},
      {"a link at the user's folder name", [&] { link(mine); }},
      {"a folder open to all at the user's folder name", [&] { folder(mine); }},
      {"a file at the lock's name",
       [&] {
         QDir().mkdir(mine);
         file(names[0]);
       }},
      {"a link at the lock's name",
       [&] {
         QDir().mkdir(mine);
         link(names[0]);
       }},
      {"a folder at the lock's name",
       [&] {
         QDir().mkdir(mine);
         folder(names[0]);
         file(names[0] + "/.rmlock");
       }},
      {"the old names and their .rmlock",
       [&] {
         file(oldName);
         file(oldName + ".rmlock");
       }},
      {"$XDG_RUNTIME_DIR of another user", [&] { folder(home.filePath("run")); }},
  };
  for (const auto& squat : squats) {
    SCOPED_TRACE(squat.what);
    QDir(mine).removeRecursively();
    QFile::remove(mine);
    QDir(home.filePath("cache")).removeRecursively();
    squat.put();
    const qw::testing::ScopedEnv runtime("XDG_RUNTIME_DIR", home.filePath("run").toUtf8());
    auto first = qw::LockProgramFolder(program.path());
    ASSERT_TRUE(first);
    EXPECT_TRUE(first->IsLocked());
    EXPECT_FALSE(qw::LockProgramFolder(program.path()));
    for (const QString& lockFolder : qw::LockFolders()) {
      QFileInfo folderInfo(lockFolder);
      EXPECT_EQ(folderInfo.ownerId(), me);
      EXPECT_EQ(folderInfo.permissions() & 0x0077, 0) << lockFolder.toStdString();
      for (const QFileInfo& lock : QDir(lockFolder).entryInfoList(QDir::Files)) {
        EXPECT_EQ(lock.ownerId(), me);
        EXPECT_EQ(lock.permissions(), QFile::ReadOwner | QFile::WriteOwner | QFile::ReadUser | QFile::WriteUser)
            << lock.filePath().toStdString();
      }
    }
    if (QFileInfo::exists(oldName)) {
      EXPECT_EQ(qw::testing::ReadFile(oldName), "12345\nelsewhere\n");
    }
    first->Unlock();
    EXPECT_TRUE(qw::LockProgramFolder(program.path()));
    QFile::remove(oldName);
    QFile::remove(oldName + ".rmlock");
    QDir(home.filePath("run")).removeRecursively();
  }
  // A lock file of the user's own that no running copy holds (a copy that
  // was killed) is taken over.
  QDir(mine).removeRecursively();
  QFile::remove(mine);
  ASSERT_TRUE(QDir().mkdir(mine));
  ASSERT_TRUE(qw::testing::WriteFile(names[0], "99999\n"));
  EXPECT_TRUE(qw::LockProgramFolder(program.path()));
  qw::SetSharedTempRoot(QString());
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

  // Both writers: the one for every file, and the one for a file that only
  // the user may read.
  for (const bool own : {false, true}) {
    SCOPED_TRACE(own ? "the user's own" : "any file");
    const auto write = [own](const QString& path, const QByteArray& bytes) {
      return own ? qw::WriteWholePrivateFile(path, bytes) : qw::WriteWholeFile(path, bytes);
    };
    QTemporaryDir dir;
    const QString path = dir.filePath("page.htm");
    ASSERT_EQ(write(path, "old page"), "");
    EXPECT_EQ(qw::testing::ReadFile(path), "old page");
    if (own) {
      EXPECT_EQ(QFileInfo(path).permissions() & 0x0077, 0);
    }

    // Writes stopped short by the file size limit, as a disk that fills up
    // stops them: a write taken in one go (large) and one the file keeps in
    // its buffer until it is committed (small).
    for (const int size : {20000, 5000}) {
      QString reason;
      {
        const qw::testing::FileSizeLimit limit(4096);
        reason = write(path, QByteArray(size, 'x'));
      }
      EXPECT_EQ(reason, qw::testing::FileSizeLimit::Reason()) << size;
      EXPECT_EQ(qw::testing::ReadFile(path), "old page") << size;
      EXPECT_EQ(QDir(dir.path()).entryList(QDir::Files | QDir::Hidden), QStringList{"page.htm"}) << size;
    }
    if (own) {
      EXPECT_EQ(qw::RemoveFileForGood(path), "");
      EXPECT_EQ(qw::RemoveFileForGood(path), "");  // gone already
      EXPECT_FALSE(QFileInfo::exists(path));
    }
  }
}

TEST(Twips, FifteenToAPixel) {
  for (const auto& [twips, pixels] : {std::pair{3720, 248}, {7, 0}, {8, 1}})
    EXPECT_EQ(qw::TwipsToPixels(twips), pixels) << twips;
  EXPECT_EQ(qw::PixelsToTwips(10), 150);
}

}  // namespace

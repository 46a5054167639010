#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QLockFile>
#include <QProcess>
#include <QTemporaryDir>
#include <QTemporaryFile>
#include <gtest/gtest.h>
#include <memory>
#include <unistd.h>
#include <utime.h>

#include "common/testing.h"
#include "platform/program.h"
#include "platform/temp_pages.h"

namespace {

using qw::testing::ScopedEnv;

TEST(TempPages, WritesPagesAndDeletesThemWithTheirOwnerOrAtTheProgramsEnd) {
  auto window = std::make_unique<QObject>();
  auto* pages = new qw::TempPages(window.get());
  QString first, second;
  ASSERT_TRUE(pages->Write("<HTML>Côte</HTML>", &first));
  ASSERT_TRUE(pages->Write("<HTML>2</HTML>", &second));
  EXPECT_NE(first, second);
  EXPECT_TRUE(first.endsWith(".htm"));
  EXPECT_EQ(qw::testing::ReadFile(first), QString("<HTML>Côte</HTML>\r\n").toUtf8());
  EXPECT_EQ(pages->Files(), (QStringList{first, second}));

  // The pages (personal notes among them) lie in a folder of this run in the
  // temporary folder; only the user reads either.
  const QFileInfo folder(QFileInfo(first).absolutePath());
  EXPECT_EQ(folder.absolutePath(), QDir::tempPath());
  EXPECT_TRUE(folder.fileName().startsWith(QString("quaywise-pages-%1-").arg(getuid())));
  const auto othersMay = [](const QFileInfo& f) { return (f.permissions() & 0x0077) != 0; };  // group or others
  EXPECT_FALSE(othersMay(folder));
  EXPECT_FALSE(othersMay(QFileInfo(first)));
  EXPECT_TRUE(folder.permissions().testFlag(QFileDevice::ExeOwner));

  // A file written elsewhere goes with them; one already gone is no trouble.
  const QString other = QDir::temp().filePath("quaywise-test-kept.htm");
  QFile(other).open(QIODevice::WriteOnly);
  pages->Keep(other);
  QFile::remove(second);
  window.reset();  // the window unloads
  EXPECT_FALSE(QFile::exists(first));
  EXPECT_FALSE(QFile::exists(other));

  // The program's end reaches every owner still alive, however it ends, and
  // takes the run's folder with it.
  qw::TempPages alive;
  QString third;
  ASSERT_TRUE(alive.Write("3", &third));
  qw::RunProgramEndCleanups();
  EXPECT_FALSE(QFile::exists(third));
  EXPECT_FALSE(QFileInfo::exists(QFileInfo(third).absolutePath()));
  EXPECT_TRUE(alive.Files().isEmpty());

  // A page that cannot be written says so and still names where it went.
  QTemporaryFile notAFolder;  // a temporary "folder" that is a file
  ASSERT_TRUE(notAFolder.open());
  QString failed;
  {
    const ScopedEnv temp("TMPDIR", notAFolder.fileName().toLocal8Bit());
    EXPECT_FALSE(alive.Write("x", &failed));
  }
  EXPECT_FALSE(failed.isEmpty());
  // Without a temporary folder at all, the pages go to /tmp, never to "/".
  const ScopedEnv temp("TMPDIR", "/nonexistent-temporary-folder");
  EXPECT_EQ(QFileInfo(qw::TempPageFolder()).absolutePath(), "/tmp");
}

// The folders of runs that were killed go at the next start; those of runs
// still going, and one only just being made, stay.
TEST(TempPages, LeftoverFoldersOfEndedRunsAreRemoved) {
  QTemporaryDir temp;
  {
    const ScopedEnv tmpdir("TMPDIR", temp.path().toLocal8Bit());
    const QString prefix = temp.filePath(QString("quaywise-pages-%1-").arg(getuid()));
    const auto made = [&](const char* name) {
      QDir().mkpath(prefix + name);
      QFile(prefix + name + "/rad1.htm").open(QIODevice::WriteOnly);
      return prefix + name;
    };
    // A run that ended without letting go of its lock: its process is gone.
    QProcess gone;
    gone.start("sleep", {"0.1"});
    ASSERT_TRUE(gone.waitForStarted());
    const qint64 pid = gone.processId();
    ASSERT_TRUE(gone.waitForFinished());
    const QString killed = made("killed");
    {
      QLockFile ours(temp.filePath("model.lock"));
      ASSERT_TRUE(ours.tryLock(0));
      QFile model(temp.filePath("model.lock"));
      ASSERT_TRUE(model.open(QIODevice::ReadOnly));
      QList<QByteArray> lines = model.readAll().split('\n');
      lines[0] = QByteArray::number(pid);
      QFile lockFile(killed + "/.lock");
      ASSERT_TRUE(lockFile.open(QIODevice::WriteOnly));
      lockFile.write(lines.join('\n'));
    }
    // A killed run's folder from before it locked, made a while ago.
    const QString unlocked = made("unlocked");
    const utimbuf anHourAgo{time(nullptr) - 3600, time(nullptr) - 3600};
    ASSERT_EQ(utime(unlocked.toLocal8Bit().constData(), &anHourAgo), 0);
    // A run still going, one only just made, and this run's own.
    const QString running = made("running");
    QLockFile held(running + "/.lock");
    ASSERT_TRUE(held.tryLock(0));
    const QString fresh = made("fresh");
    const QString own = qw::TempPageFolder();

    qw::RemoveLeftoverTempPageFolders();
    EXPECT_FALSE(QFileInfo::exists(killed));
    EXPECT_FALSE(QFileInfo::exists(unlocked));
    for (const QString& kept : {running, fresh, own}) EXPECT_TRUE(QFileInfo::exists(kept + "/.")) << kept.toStdString();
    EXPECT_TRUE(QFileInfo::exists(running + "/rad1.htm"));
  }
  qw::RunProgramEndCleanups();
}

}  // namespace

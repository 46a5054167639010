#include <QFile>
#include <QFileInfo>
#include <QDir>
#include <QTemporaryFile>
#include <gtest/gtest.h>
#include <memory>

#include "platform/program.h"
#include "platform/temp_pages.h"

namespace {

QByteArray Read(const QString& path) {
  QFile f(path);
  return f.open(QIODevice::ReadOnly) ? f.readAll() : QByteArray();
}

TEST(TempPages, WritesPagesAndDeletesThemWithTheirOwnerOrAtTheProgramsEnd) {
  auto window = std::make_unique<QObject>();
  auto* pages = new qw::TempPages(window.get());
  QString first, second;
  ASSERT_TRUE(pages->Write("<HTML>Côte</HTML>", &first));
  ASSERT_TRUE(pages->Write("<HTML>2</HTML>", &second));
  EXPECT_NE(first, second);
  EXPECT_EQ(QFileInfo(first).absolutePath(), QDir::tempPath());
  EXPECT_TRUE(first.endsWith(".htm"));
  EXPECT_EQ(Read(first), QString("<HTML>Côte</HTML>\r\n").toUtf8());
  EXPECT_EQ(pages->Files(), (QStringList{first, second}));

  // A file written elsewhere goes with them; one already gone is no trouble.
  const QString other = QDir::temp().filePath("quaywise-test-kept.htm");
  QFile(other).open(QIODevice::WriteOnly);
  pages->Keep(other);
  QFile::remove(second);
  window.reset();  // the window unloads
  EXPECT_FALSE(QFile::exists(first));
  EXPECT_FALSE(QFile::exists(other));

  // The program's end reaches every owner still alive, however it ends.
  qw::TempPages alive;
  QString third;
  ASSERT_TRUE(alive.Write("3", &third));
  qw::RunProgramEndCleanups();
  EXPECT_FALSE(QFile::exists(third));
  EXPECT_TRUE(alive.Files().isEmpty());

  // A page that cannot be written says so and still names its file.
  const QByteArray tmp = qgetenv("TMPDIR");
  QTemporaryFile notAFolder;  // a temporary "folder" that is a file
  ASSERT_TRUE(notAFolder.open());
  qputenv("TMPDIR", notAFolder.fileName().toLocal8Bit());
  QString failed;
  EXPECT_FALSE(alive.Write("x", &failed));
  if (tmp.isNull()) qunsetenv("TMPDIR"); else qputenv("TMPDIR", tmp);
  EXPECT_FALSE(failed.isEmpty());
}

}  // namespace

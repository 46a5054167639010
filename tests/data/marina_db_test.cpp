#include <QFile>
#include <QSqlDatabase>
#include <QSqlQuery>
#include <gtest/gtest.h>

#include "common/testing.h"
#include "data/marina_db.h"
#include "platform/message_box.h"
#include "platform/program.h"
#include "services/settings.h"

namespace qw {
namespace {

struct ProgramEnded {};

// A small marina database of the folder's own (two marinas in rpm_Vyk).
void MakeDatabase(const testing::TempProgramFolder& folder) {
  testing::MakeSqliteFile(folder.DatabasePath(),
                          {"CREATE TABLE rpm_Vyk (MarinaNo INTEGER PRIMARY KEY, [Geo Code] INTEGER)",
                           "INSERT INTO rpm_Vyk VALUES (11, 5), (12, 6)"});
}

TEST(MarinaDatabase, PathAndConnectString) {
  testing::TempProgramFolder folder(false);
  EXPECT_EQ(ConnectString(), ";PWD=718pandorixev");
  Settings().DataFolder = QStringLiteral("/data/");
  EXPECT_EQ(MarinaDatabasePath(QStringLiteral("marina.mdb")), "/data//marina.mdb");
  Settings().DataFolder.clear();
  EXPECT_EQ(MarinaDatabasePath(QStringLiteral("marina.mdb")), "/marina.mdb");
  // A relative folder lies in the program folder, wherever the program was
  // started from.
  Settings().DataFolder = QStringLiteral("Database");
  EXPECT_EQ(MarinaDatabasePath(QStringLiteral("marina.mdb")), folder.Path() + "/Database/marina.mdb");
  Settings().DataFolder.clear();
}

TEST(MarinaDatabase, OpenMyDatabaseOpensReadOnly) {
  testing::TempProgramFolder folder(false);
  MakeDatabase(folder);
  ScriptedMsgBoxes boxes;
  MyDatabase().reset();
  OpenMyDatabase(Settings().DatabaseFileName);
  ASSERT_TRUE(MyDatabase());
  EXPECT_TRUE(MyDatabase()->IsOpen());
  EXPECT_TRUE(MyDatabase()->IsReadOnly());
  RecordsetPtr rs = MyDatabase()->OpenRecordset(QStringLiteral("SELECT MarinaNo FROM rpm_Vyk"));
  EXPECT_EQ(rs->RecordCount(), 2);
  rs->Close();
  MyDatabase()->Close();
  EXPECT_TRUE(boxes.Shown().isEmpty());
}

TEST(MarinaDatabase, FailedOpenReportsAndKeepsThePreviousConnection) {
  testing::TempProgramFolder folder(false);
  MakeDatabase(folder);
  ScriptedMsgBoxes boxes;
  OpenMyDatabase(Settings().DatabaseFileName);
  const DatabasePtr before = MyDatabase();
  ASSERT_TRUE(before);
  before->Close();
  boxes.Answer(MsgResult::Yes);
  OpenMyDatabase(QStringLiteral("missing.mdb"));
  EXPECT_EQ(MyDatabase(), before);
  ASSERT_EQ(boxes.Shown().size(), 1);
  EXPECT_EQ(boxes.Shown().first().title, "Error");
  EXPECT_TRUE(boxes.Shown().first().text.contains(QStringLiteral("Continue?")));
  // A missing database file is never created, and the failure is logged.
  EXPECT_FALSE(QFile::exists(folder.DataFolder() + QStringLiteral("/missing.mdb")));
  EXPECT_TRUE(testing::ReadFile(folder.Path() + QStringLiteral("/ErrorLog.txt"))
                  .contains("\"DavedoZoroz\",\"OpenMyDatabase\",\"Err\","));
  MyDatabase().reset();
}

// Leaves at path the marina database of a writer killed inside a
// transaction: the file half-written and its journal beside it (the files
// copied while another connection is in the middle of changing every row and
// has had to write some of them to the file already).
void PlantHalfWrittenDatabase(const QString& path) {
  const QString work = path + QStringLiteral(".writer");
  {
    QSqlDatabase db = QSqlDatabase::addDatabase(QStringLiteral("QSQLITE"), QStringLiteral("killed_writer"));
    db.setDatabaseName(work);
    ASSERT_TRUE(db.open());
    QSqlQuery q(db);
    ASSERT_TRUE(q.exec(QStringLiteral("CREATE TABLE rpm_output (marinaNo INTEGER, Comments TEXT)")));
    ASSERT_TRUE(q.exec(QStringLiteral("WITH RECURSIVE n(i) AS (SELECT 1 UNION ALL SELECT i + 1 FROM n WHERE i < 400) "
                                      "INSERT INTO rpm_output SELECT i, printf('%.500c', 'a') FROM n")));
    ASSERT_TRUE(q.exec(QStringLiteral("PRAGMA cache_size = 10")));  // so the change spills into the file
    ASSERT_TRUE(q.exec(QStringLiteral("BEGIN")));
    ASSERT_TRUE(q.exec(QStringLiteral("UPDATE rpm_output SET Comments = 'lost'")));
    for (const QString& suffix : {QString(), QStringLiteral("-journal")}) {
      QFile::remove(path + suffix);
      ASSERT_TRUE(QFile::copy(work + suffix, path + suffix));
    }
    ASSERT_TRUE(q.exec(QStringLiteral("ROLLBACK")));
    db.close();
  }
  QSqlDatabase::removeDatabase(QStringLiteral("killed_writer"));
}

TEST(MarinaDatabase, AJournalLeftByAKilledWriterIsRolledBackAndLoggedUnlessTheFileIsReadOnly) {
  for (const bool readOnlyFile : {false, true}) {
    SCOPED_TRACE(readOnlyFile ? "read-only file" : "writable file");
    testing::TempProgramFolder folder(false);
    PlantHalfWrittenDatabase(folder.DatabasePath());
    const QString journal = folder.DatabasePath() + QStringLiteral("-journal");
    ASSERT_TRUE(QFile::exists(journal));
    if (readOnlyFile) {
      ASSERT_TRUE(QFile::setPermissions(folder.DatabasePath(), QFile::ReadOwner));
    }
    ScriptedMsgBoxes boxes;
    boxes.Answer(MsgResult::Yes);
    MyDatabase().reset();
    OpenMyDatabase(Settings().DatabaseFileName);
    const QByteArray logged = testing::ReadFile(folder.Path() + QStringLiteral("/ErrorLog.txt"));
    ASSERT_FALSE(logged.isEmpty());
    if (readOnlyFile) {
      // Nothing can be undone on a read-only file: the open says why, once.
      EXPECT_FALSE(MyDatabase());
      ASSERT_EQ(boxes.Shown().size(), 1);
      EXPECT_TRUE(boxes.Shown().first().text.contains(QStringLiteral("left unfinished"))) << boxes.Shown().first().text.toStdString();
      EXPECT_TRUE(logged.contains("\"OpenMyDatabase\",\"DBEngine\",3051,")) << logged.toStdString();
      EXPECT_TRUE(QFile::exists(journal));
      QFile::setPermissions(folder.DatabasePath(), QFile::ReadOwner | QFile::WriteOwner);
      continue;
    }
    ASSERT_TRUE(MyDatabase());
    EXPECT_TRUE(boxes.Shown().isEmpty());
    RecordsetPtr rs = MyDatabase()->OpenRecordset(
        QStringLiteral("SELECT count(*) AS n, sum(Comments = 'lost') AS lost FROM rpm_output"));
    EXPECT_EQ(rs->Fields(QStringLiteral("n")).Value().toInt(), 400);
    EXPECT_EQ(rs->Fields(QStringLiteral("lost")).Value().toInt(), 0);
    EXPECT_FALSE(QFile::exists(journal));
    EXPECT_TRUE(logged.contains("\"DavedoZoroz\",\"OpenDatabase\",\"DBEngine\",3051,")) << logged.toStdString();
    EXPECT_TRUE(logged.contains("undone")) << logged.toStdString();
    MyDatabase()->Close();
    MyDatabase().reset();
  }
}

TEST(MarinaDatabase, MissingMediumEndsTheProgram) {
  testing::TempProgramFolder folder(false);
  Settings().DataFolder = folder.Path() + QStringLiteral("/no-such-cd/Database");
  ScriptedMsgBoxes boxes;
  const EndProgramHandler previous = SetEndProgramHandler([](int) { throw ProgramEnded{}; });
  EXPECT_THROW(OpenMyDatabase(QStringLiteral("marina.mdb")), ProgramEnded);
  SetEndProgramHandler(previous);
  ASSERT_EQ(boxes.Shown().size(), 1);
  EXPECT_EQ(boxes.Shown().first().text,
            "Please insert Quaywise CD-ROM into your CD drive and re-start the program.");
  EXPECT_FALSE(QFile::exists(folder.Path() + QStringLiteral("/ErrorLog.txt")));
}

}  // namespace
}  // namespace qw

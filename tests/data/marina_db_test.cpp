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
  {
    QSqlDatabase db = QSqlDatabase::addDatabase(QStringLiteral("QSQLITE"), QStringLiteral("marina_db_test"));
    db.setDatabaseName(folder.DatabasePath());
    ASSERT_TRUE(db.open());
    QSqlQuery q(db);
    ASSERT_TRUE(q.exec(QStringLiteral("CREATE TABLE rpm_Vyk (MarinaNo INTEGER PRIMARY KEY, [Geo Code] INTEGER)")));
    ASSERT_TRUE(q.exec(QStringLiteral("INSERT INTO rpm_Vyk VALUES (11, 5), (12, 6)")));
    db.close();
  }
  QSqlDatabase::removeDatabase(QStringLiteral("marina_db_test"));
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
  QFile log(folder.Path() + QStringLiteral("/ErrorLog.txt"));
  ASSERT_TRUE(log.open(QIODevice::ReadOnly));
  EXPECT_TRUE(log.readAll().contains("\"DavedoZoroz\",\"OpenMyDatabase\",\"Err\","));
  MyDatabase().reset();
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

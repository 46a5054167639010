#include <QCoreApplication>
#include <QDateTime>
#include <QElapsedTimer>
#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QSqlDatabase>
#include <QSqlQuery>
#include <QTemporaryDir>
#include <gtest/gtest.h>
#include <stdio.h>

#include <chrono>
#include <functional>
#include <future>
#include <optional>
#include <thread>
#include <vector>

#include "common/store_faults.h"
#include "common/testing.h"
#include "platform/jet.h"

namespace {

using qw::testing::MakeSqliteFile;

const QString kConnect = ";PWD=secret";

// How many connections the process holds on path: its open descriptors of
// the file, also of a file removed or replaced since.
int Connections(const QString& path) {
  const QString file = QFileInfo(path).absoluteFilePath();
  int n = 0;
  for (const QFileInfo& fd : QDir("/proc/self/fd").entryInfoList(QDir::AllEntries | QDir::System | QDir::NoDotAndDotDot)) {
    const QString target = fd.symLinkTarget();
    n += target == file || target == file + " (deleted)" ? 1 : 0;
  }
  return n;
}

// Whether the process has path mapped into memory.
bool Mapped(const QString& path) {
  QFile maps("/proc/self/maps");
  return maps.open(QIODevice::ReadOnly) && maps.readAll().contains(QFile::encodeName(QFileInfo(path).canonicalFilePath()));
}

// Whether the process lets go of its mapping of path (waiting for it as the
// program's event loop would, up to ten seconds).
bool Unmapped(const QString& path) {
  QElapsedTimer clock;
  clock.start();
  while (Mapped(path) && clock.elapsed() < 10000) QCoreApplication::processEvents(QEventLoop::WaitForMoreEvents, 50);
  return !Mapped(path);
}

// The marina tables the tests query, with a few rows.
class JetDatabase : public ::testing::Test {
 protected:
  void SetUp() override {
    path_ = dir_.filePath("marina.mdb");
    MakeSqliteFile(path_, {
        "CREATE TABLE rpm_Contact_Information (MarinaNo INTEGER PRIMARY KEY, City TEXT COLLATE NOCASE)",
        "CREATE TABLE rpm_marinaname_no (MarinaNo INTEGER PRIMARY KEY, [Marina Name] TEXT COLLATE NOCASE)",
        "CREATE TABLE rpm_Vyk (MarinaNo INTEGER PRIMARY KEY, [Geo Code] INTEGER, Sunset BOOLEAN, [In 7th Edition] BOOLEAN)",
        "CREATE TABLE ['97 Editions] (MarinaNo INTEGER PRIMARY KEY, [In Disk] BOOLEAN)",
        "CREATE TABLE rpm_marina_facilities (MarinaNo INTEGER PRIMARY KEY, [Total # of Moorings] INTEGER, "
        "[Maximum Length Overall] NUMERIC, [30 Amp $] TEXT)",
        "CREATE TABLE rpm_output (marinaNo INTEGER, Notes TEXT, MiddleSectionPos INTEGER DEFAULT 50)",
        "CREATE TABLE chart_information (checkalert INTEGER)",
        "INSERT INTO rpm_Contact_Information VALUES (1, 'Camden'), (2, 'Rockland'), (3, 'Bar Harbor'), (4, 'Camden')",
        "INSERT INTO rpm_marinaname_no VALUES (1, 'Dyer''s Cove Marina'), (2, '100% Boatyard'), (3, 'Harbor_Point'), "
        "(4, 'Sandy Cove')",
        "INSERT INTO rpm_Vyk VALUES (1, 5, 1, 1), (2, 6, 0, 1), (3, 16, NULL, 0), (4, 5, 1, 1)",
        "INSERT INTO ['97 Editions] VALUES (1, 1), (2, 0), (3, 1)",
        "INSERT INTO rpm_marina_facilities VALUES (1, 9, 150, '$6'), (2, 10, 45.5, '  '), (3, 120, NULL, NULL), "
        "(4, NULL, 60, 'Incl.')",
        "INSERT INTO rpm_output (marinaNo, Notes) VALUES (1, 'first note')",
    });
  }

  qw::DatabasePtr Open(bool readOnly = true) { return qw::Database::OpenDatabase(path_, -1, readOnly, kConnect); }

  int Count(const QString& sql) {
    auto db = Open();
    auto rs = db->OpenRecordset(sql);
    const int n = rs->RecordCount();
    rs->Close();
    db->Close();
    return n;
  }

  // Expects call to throw the engine error number and leave it in the collection.
  template <typename F>
  void ExpectJetError(int number, F call) {
    qw::DBEngine::RefreshErrors();
    try {
      call();
      ADD_FAILURE() << "no error, expected " << number;
    } catch (const qw::JetError& e) {
      EXPECT_EQ(e.number(), number) << e.description().toStdString();
      ASSERT_EQ(qw::DBEngine::Errors().size(), 1);
      EXPECT_EQ(qw::DBEngine::Errors()[0].number, number);
      EXPECT_FALSE(qw::DBEngine::Errors()[0].source.isEmpty());
      EXPECT_FALSE(qw::DBEngine::Errors()[0].description.isEmpty());
    }
  }

  QTemporaryDir dir_;
  QString path_;
};

TEST_F(JetDatabase, OpeningAMissingFileOrFolderGivesTheEngineNumbersAndCreatesNothing) {
  const QString missing = dir_.filePath("nothere.mdb");
  ExpectJetError(qw::kJetFileNotFound, [&] { qw::Database::OpenDatabase(missing, -1, true, kConnect); });
  ExpectJetError(qw::kJetFileNotFound, [&] { qw::Database::OpenDatabase(missing, 2, false, kConnect); });
  EXPECT_FALSE(QFileInfo::exists(missing));
  // The folder itself is missing: the medium (a CD) is not there.
  const QString noFolder = dir_.filePath("cdrom/Database/marina.mdb");
  ExpectJetError(qw::kJetDiskOrNetwork, [&] { qw::Database::OpenDatabase(noFolder, -1, true, kConnect); });
  EXPECT_FALSE(QFileInfo::exists(dir_.filePath("cdrom")));
  EXPECT_EQ(qw::DBEngine::Errors()[0].description, "Disk or network error.");
}

TEST_F(JetDatabase, AFileThatIsNotADatabaseGivesACleanError) {
  for (const QByteArray& content : {QByteArray("Edition,\"New England\"\r\n"), QByteArray(),
                                    QByteArray(4096, '\0'), QByteArray("SQLite format 3") + QByteArray(200, 'x'),
                                    QByteArray("SQLite format 3\0", 16) + QByteArray(200, 'x')}) {
    const QString path = dir_.filePath("bad.mdb");
    ASSERT_TRUE(qw::testing::WriteFile(path, content));
    ExpectJetError(qw::kJetUnrecognizedFormat, [&] { qw::Database::OpenDatabase(path, -1, false, kConnect); });
  }
}

TEST_F(JetDatabase, RecordsetsNavigateAndCountEveryRow) {
  auto db = Open();
  EXPECT_TRUE(db->IsOpen());
  EXPECT_TRUE(db->IsReadOnly());
  EXPECT_EQ(db->Name(), path_);
  auto rs = db->OpenRecordset("select MarinaNo, City from rpm_Contact_Information order by MarinaNo");
  EXPECT_EQ(rs->RecordCount(), 4);  // right after opening, without moving to the last row
  EXPECT_FALSE(rs->Bof());
  EXPECT_FALSE(rs->Eof());
  QStringList cities;
  for (rs->MoveFirst(); !rs->Eof(); rs->MoveNext()) cities << rs->Fields("city").Value().toString();
  EXPECT_EQ(cities, (QStringList{"Camden", "Rockland", "Bar Harbor", "Camden"}));
  rs->MoveNext();  // past the end: stays there
  EXPECT_TRUE(rs->Eof());
  rs->MoveLast();
  EXPECT_EQ(rs->Fields("MARINANO").Value().toInt(), 4);
  rs->MovePrevious();
  EXPECT_EQ(rs->Fields(0).Value().toInt(), 3);
  rs->MoveFirst();
  rs->MovePrevious();
  EXPECT_TRUE(rs->Bof());
  EXPECT_TRUE(rs->Fields("City").IsMissing());
  EXPECT_EQ(rs->FieldNames(), (QStringList{"MarinaNo", "City"}));
  rs->Close();
  EXPECT_FALSE(rs->IsOpen());
  EXPECT_TRUE(rs->Eof());

  auto empty = db->OpenRecordset("select * from rpm_Contact_Information where MarinaNo = 99");
  EXPECT_EQ(empty->RecordCount(), 0);
  EXPECT_TRUE(empty->Bof());
  EXPECT_TRUE(empty->Eof());
  empty->MoveFirst();
  EXPECT_TRUE(empty->Eof());
  EXPECT_TRUE(empty->Fields("City").IsMissing());
}

TEST_F(JetDatabase, FieldsTellValueNullAndMissingApart) {
  auto db = Open();
  auto rs = db->OpenRecordset("select * from rpm_Vyk where MarinaNo = 3");
  ASSERT_EQ(rs->RecordCount(), 1);
  EXPECT_TRUE(rs->Fields("[Geo Code]").HasValue());
  EXPECT_EQ(rs->Fields("geo code").Value().toInt(), 16);
  EXPECT_TRUE(rs->Fields("Sunset").IsNull());
  EXPECT_TRUE(rs->Fields("No Such Column").IsMissing());
  EXPECT_TRUE(rs->Fields(99).IsMissing());
  // Yes/No columns read as booleans; a qualified name finds its column.
  EXPECT_EQ(rs->Fields("rpm_Vyk.[In 7th Edition]").Value(), QVariant(false));
  auto facilities = db->OpenRecordset("select * from rpm_marina_facilities order by MarinaNo");
  EXPECT_EQ(facilities->Fields("Maximum Length Overall").Value().toDouble(), 150);
  facilities->MoveNext();
  EXPECT_EQ(facilities->Fields("Maximum Length Overall").Value().toDouble(), 45.5);
  EXPECT_EQ(facilities->Fields("30 Amp $").Value().toString(), "  ");
}

TEST_F(JetDatabase, TheProgramsQueryFormsGiveTheEnginesAnswers) {
  const struct {
    const char* why;
    QString sql;
    int rows;
  } cases[] = {
      // 9 < 10 and NULL never pass; compared as text every row would.
      {"numeric moorings",
       "select * from rpm_marina_facilities where RTRIM(LTRIM(rpm_marina_facilities.[Total # of Moorings])) >= 10", 2},
      {"trimmed text",
       "select * from rpm_marina_facilities where RTRIM(LTRIM(rpm_marina_facilities.[30 Amp $])) <> ''", 2},
      {"number column",
       "select * from rpm_marina_facilities where rpm_marina_facilities.[Maximum Length Overall] >= 60", 2},
      // Name patterns: apostrophes, and % and _ typed by the user are plain characters.
      {"apostrophe", "select * from rpm_marinaname_no where rpm_marinaname_no.[Marina Name] LIKE '*dyer''s*'", 1},
      {"percent", "select * from rpm_marinaname_no where [Marina Name] LIKE '*100%*'", 1},
      {"underscore", "select * from rpm_marinaname_no where [Marina Name] LIKE '*r_P*'", 1},
      {"lone percent", "select * from rpm_marinaname_no where [Marina Name] LIKE '*%*'", 1},
      {"star", "select * from rpm_marinaname_no where [Marina Name] LIKE '*Cove*'", 2},
      {"question mark", "select * from rpm_marinaname_no where [Marina Name] LIKE 'S?ndy*'", 1},
      // A lone surrogate neither swallows its closing quote (which would run
      // the rest of the text as SQL) nor makes the query a table name.
      {"lone surrogate",
       QString("select * from rpm_marinaname_no where [Marina Name] LIKE '*") + QChar(0xD83D) + "'' or 1=1 --*'", 0},
      {"parameter look-alikes",
       "select * from rpm_marinaname_no where [Marina Name] LIKE '*:name?*' or [Marina Name] = '?'", 0},
      {"joined list with bracketed table and TRUE",
       "select rpm_Contact_Information.marinano, ['97 Editions].[In Disk] from((rpm_Contact_Information "
       "LEFT JOIN rpm_Vyk ON rpm_Contact_Information.MarinaNo = rpm_Vyk.MarinaNo) LEFT JOIN ['97 Editions] "
       "ON rpm_Vyk.MarinaNo = ['97 Editions].MarinaNo) where rpm_Vyk.[In 7th Edition] = TRUE "
       "And((rpm_Vyk.[Geo Code]>= 5) And (rpm_Vyk.[Geo Code]<= 16)) ORDER BY rpm_Vyk.[Geo Code]", 3},
      {"joined edition flag",
       "select * from rpm_Contact_Information LEFT JOIN ['97 Editions] ON rpm_Contact_Information.MarinaNo = "
       "['97 Editions].MarinaNo where ['97 Editions].[In Disk] = TRUE", 2},
      {"distinct towns",
       "SELECT DISTINCT rpm_Vyk.[Geo Code], rpm_Contact_Information.City FROM rpm_Vyk LEFT JOIN "
       "rpm_Contact_Information ON rpm_Vyk.MarinaNo = rpm_Contact_Information.MarinaNo WHERE ([Geo Code] "
       "in (5, 6)) and (City LIKE 'camden') ORDER BY [Geo Code]", 1},
      {"bracketed table name", "['97 Editions]", 3},
      {"table name", "rpm_Vyk", 4},
  };
  for (const auto& c : cases) EXPECT_EQ(Count(c.sql), c.rows) << c.why;
  {
    auto db = Open();
    auto rs = db->OpenRecordset("select rpm_Contact_Information.marinano, ['97 Editions].[In Disk] from "
                                "rpm_Contact_Information LEFT JOIN ['97 Editions] ON rpm_Contact_Information.MarinaNo "
                                "= ['97 Editions].MarinaNo order by 1");
    EXPECT_EQ(rs->FieldNames().join("|").toLower().toStdString(), "marinano|in disk");
    EXPECT_EQ(rs->Fields("in disk").Value(), QVariant(true));
    rs->MoveLast();
    EXPECT_TRUE(rs->Fields("In Disk").IsNull());  // no row in the joined table
  }
}

TEST_F(JetDatabase, FailingSqlIsAnErrorNeverAnEmptyResult) {
  auto db = Open();
  ExpectJetError(qw::kJetTableNotFound, [&] { db->OpenRecordset("select * from rpm_nothing"); });
  ExpectJetError(qw::kJetTableNotFound, [&] { db->OpenRecordset("rpm_nothing"); });
  ExpectJetError(qw::kJetUnknownName, [&] { db->OpenRecordset("select [No Column] from rpm_Vyk"); });
  // A city with an apostrophe inserted unquoted breaks the query.
  ExpectJetError(qw::kJetSyntaxError, [&] { db->OpenRecordset("select * from rpm_Contact_Information where City = 'O'Neil'"); });
  EXPECT_EQ(qw::DBEngine::Errors()[0].source, "DAO.Database");
  // A second statement behind the first is refused, never run, also where
  // the connection could write.
  auto writer = Open(false);
  ExpectJetError(qw::kJetCharactersAfterEnd, [&] { writer->OpenRecordset("select * from rpm_Vyk; delete from rpm_Vyk"); });
  ExpectJetError(qw::kJetCharactersAfterEnd, [&] { writer->OpenForwardOnly("select 1; delete from rpm_Vyk"); });
  ExpectJetError(qw::kJetCharactersAfterEnd, [&] { writer->Execute("delete from chart_information; delete from rpm_Vyk"); });
  EXPECT_EQ(writer->OpenRecordset("rpm_Vyk")->RecordCount(), 4);
  // The collection holds the last failing call's errors until refreshed.
  db->OpenRecordset("rpm_Vyk");
  EXPECT_EQ(qw::DBEngine::Errors().size(), 1);
  qw::DBEngine::RefreshErrors();
  EXPECT_TRUE(qw::DBEngine::Errors().isEmpty());
  db->Close();
  EXPECT_FALSE(db->IsOpen());
  ExpectJetError(qw::kJetObjectClosed, [&] { db->OpenRecordset("rpm_Vyk"); });
}

TEST_F(JetDatabase, AForwardReadGivesEachRowOnceWithItsColumnsFoundBeforehand) {
  auto db = Open();
  auto writer = Open(false);
  {
    qw::RowReaderPtr rows =
        db->OpenForwardOnly("select rpm_Vyk.MarinaNo, [Geo Code], Sunset from rpm_Vyk order by MarinaNo");
    // Columns are found as Recordset::Fields finds them.
    const int no = rows->Position("marinano");
    const int geo = rows->Position("rpm_Vyk.[Geo Code]");
    const int sunset = rows->Position("[Sunset]");
    EXPECT_EQ(std::vector<int>({no, geo, sunset, rows->Position("No Such Column")}), std::vector<int>({0, 1, 2, -1}));
    EXPECT_TRUE(rows->Value(no).IsMissing());  // no current row yet
    QStringList seen;
    while (rows->Next()) {
      const qw::Field flag = rows->Value(sunset);
      seen << QString("%1:%2:%3")
                  .arg(rows->Value(no).Value().toInt())
                  .arg(rows->Value(geo).Value().toInt())
                  .arg(flag.IsNull() ? "Null" : flag.Value().typeId() == QMetaType::Bool ? flag.Value().toString() : "?");
      EXPECT_TRUE(rows->Value(-1).IsMissing());
    }
    EXPECT_EQ(seen, (QStringList{"1:5:true", "2:6:false", "3:16:Null", "4:5:true"}));
    EXPECT_FALSE(rows->Next());
    EXPECT_TRUE(rows->Value(no).IsMissing());
    // Read to its end, the query keeps no writer out.
    writer->Execute("INSERT INTO chart_information (checkalert) VALUES (2)");
  }
  ExpectJetError(qw::kJetTableNotFound, [&] { db->OpenForwardOnly("select * from rpm_nothing"); });
  ExpectJetError(qw::kJetSyntaxError, [&] { db->OpenForwardOnly("select * from rpm_Vyk where ("); });
  db->Close();
  ExpectJetError(qw::kJetObjectClosed, [&] { db->OpenForwardOnly("select * from rpm_Vyk"); });
}

TEST_F(JetDatabase, ReadersShareOneKeptConnectionThatNeverHoldsAWriterBack) {
  auto a = Open();
  EXPECT_EQ(Connections(path_), 1);
  auto b = Open();
  EXPECT_EQ(Connections(path_), 1);  // one reader for both
  auto c = Open(false);
  EXPECT_EQ(Connections(path_), 2);
  // A recordset left open on the reader does not keep the writer out, and the
  // reader's next query sees what was written.
  auto ra = a->OpenRecordset("rpm_Vyk");
  EXPECT_TRUE(Mapped(path_));
  c->Execute("INSERT INTO chart_information (checkalert) VALUES (1)");
  EXPECT_EQ(b->OpenRecordset("chart_information")->RecordCount(), 1);
  EXPECT_EQ(ra->RecordCount(), 4);
  ExpectJetError(qw::kJetCannotWrite, [&] { b->Execute("DELETE FROM chart_information"); });
  ExpectJetError(qw::kJetCannotWrite, [&] { b->OpenRecordset("chart_information")->Edit(); });
  // Closing one handle leaves the others working; closed handles refuse work.
  a->Close();
  EXPECT_FALSE(a->IsOpen());
  ExpectJetError(qw::kJetObjectClosed, [&] { a->OpenRecordset("rpm_Vyk"); });
  EXPECT_EQ(b->OpenRecordset("rpm_Vyk")->RecordCount(), 4);
  b.reset();
  c.reset();  // the writer's connection ends with it; the reader stays for the next open
  EXPECT_EQ(Connections(path_), 1);
  // Kept between searches, it lets go of the file's mapping a moment later.
  EXPECT_TRUE(Unmapped(path_));
  EXPECT_EQ(Count("chart_information"), 1);
  EXPECT_EQ(Connections(path_), 1);
  EXPECT_TRUE(Unmapped(path_));
}

// What happens to the file between two opens is what the second open sees.
TEST_F(JetDatabase, TheKeptConnectionFollowsTheFileOnDisk) {
  // Another database of the same tables with two marinas.
  const QString other = dir_.filePath("other.mdb");
  MakeSqliteFile(other, {"CREATE TABLE rpm_Vyk (MarinaNo INTEGER PRIMARY KEY, [Geo Code] INTEGER, Sunset BOOLEAN, "
                       "[In 7th Edition] BOOLEAN)",
                       "INSERT INTO rpm_Vyk VALUES (1, 5, 1, 1), (2, 6, 0, 1)"});
  // Written through the same inode.
  const auto write = [](const QString& path, const QByteArray& bytes) {
    ASSERT_TRUE(qw::testing::WriteFile(path, bytes));
  };
  struct Case {
    const char* name;
    std::function<void(const QString& path)> change;
    int error;  // 0: the open succeeds
    int rows;   // rpm_Vyk rows then seen
  };
  const std::vector<Case> cases = {
      {"unchanged", [](const QString&) {}, 0, 4},
      {"written through a writable connection",
       [&](const QString& path) {
         qw::Database::OpenDatabase(path, 2, false, kConnect)->Execute("INSERT INTO rpm_Vyk VALUES (5, 7, 0, 1)");
       },
       0, 5},
      {"written by another program",
       [](const QString& path) { MakeSqliteFile(path, {"DELETE FROM rpm_Vyk WHERE MarinaNo = 4"}); }, 0, 3},
      {"replaced by another file",
       [&](const QString& path) {
         QFile::copy(other, path + ".new");
         ASSERT_EQ(::rename(QFile::encodeName(path + ".new").constData(), QFile::encodeName(path).constData()), 0);
       },
       0, 2},
      {"rewritten in place",
       [&](const QString& path) {
         write(path, qw::testing::ReadFile(other));
         QFile f(path);
         ASSERT_TRUE(f.open(QIODevice::ReadWrite));
         f.setFileTime(QDateTime::currentDateTime().addSecs(10), QFileDevice::FileModificationTime);
       },
       0, 2},
      {"overwritten by something else", [&](const QString& path) { write(path, "not a database"); },
       qw::kJetUnrecognizedFormat, 0},
      {"removed", [](const QString& path) { QFile::remove(path); }, qw::kJetFileNotFound, 0},
      {"medium removed", [](const QString& path) { QDir(QFileInfo(path).absolutePath()).removeRecursively(); },
       qw::kJetDiskOrNetwork, 0},
  };
  int i = 0;
  for (const Case& c : cases) {
    SCOPED_TRACE(c.name);
    const QString folder = dir_.filePath(QString::number(++i));
    ASSERT_TRUE(QDir().mkpath(folder));
    const QString path = folder + "/marina.mdb";
    ASSERT_TRUE(QFile::copy(path_, path));
    auto first = qw::Database::OpenDatabase(path, -1, true, kConnect);
    EXPECT_EQ(first->OpenRecordset("rpm_Vyk")->RecordCount(), 4);
    first->Close();
    EXPECT_EQ(Connections(path), 1);  // the reader stays open for the next open

    c.change(path);
    if (c.error) {
      ExpectJetError(c.error, [&] { qw::Database::OpenDatabase(path, -1, true, kConnect); });
      EXPECT_EQ(Connections(path), 0);  // let go, not held open
      continue;
    }
    auto again = qw::Database::OpenDatabase(path, -1, true, kConnect);
    EXPECT_EQ(again->OpenRecordset("rpm_Vyk")->RecordCount(), c.rows);
    EXPECT_EQ(Connections(path), 1);  // still one reader for the file
  }
}

TEST_F(JetDatabase, WritesThroughARecordsetOnATableOrASelectStar) {
  {
    auto db = Open(false);
    EXPECT_FALSE(db->IsReadOnly());
    auto rs = db->OpenRecordset("SELECT * FROM rpm_output WHERE MarinaNo = 1");
    ASSERT_EQ(rs->RecordCount(), 1);
    rs->Edit();
    rs->SetField("notes", QString("it's changed"));
    EXPECT_EQ(rs->Fields("Notes").Value().toString(), "it's changed");
    rs->Update();
    EXPECT_EQ(rs->Fields("Notes").Value().toString(), "it's changed");

    auto none = db->OpenRecordset("SELECT * FROM rpm_output WHERE MarinaNo = 2");
    EXPECT_TRUE(none->Eof());
    none->AddNew();
    none->SetField("MarinaNo", 2);
    none->SetField("Notes", QString("new"));
    none->Update();
    EXPECT_EQ(none->RecordCount(), 1);
    none->MoveFirst();
    EXPECT_EQ(none->Fields("Notes").Value().toString(), "new");
    EXPECT_EQ(none->Fields("MiddleSectionPos").Value().toInt(), 50);  // the table's default

    auto chart = db->OpenRecordset("chart_information");
    chart->AddNew();
    chart->SetField("checkalert", 1);
    chart->Update();
    EXPECT_EQ(chart->RecordCount(), 1);
  }
  auto db = Open();
  auto rs = db->OpenRecordset("select Notes from rpm_output order by marinaNo");
  ASSERT_EQ(rs->RecordCount(), 2);
  EXPECT_EQ(rs->Fields("Notes").Value().toString(), "it's changed");
  rs->MoveNext();
  EXPECT_EQ(rs->Fields("Notes").Value().toString(), "new");
  EXPECT_EQ(db->OpenRecordset("chart_information")->RecordCount(), 1);
}

TEST_F(JetDatabase, WritesInTheWrongStateOrPlaceFail) {
  auto db = Open(false);
  auto rs = db->OpenRecordset("SELECT * FROM rpm_output");
  ExpectJetError(qw::kJetUpdateWithoutEdit, [&] { rs->Update(); });
  ExpectJetError(qw::kJetUpdateWithoutEdit, [&] { rs->SetField("Notes", QString("x")); });
  rs->Edit();
  ExpectJetError(qw::kJetItemNotFound, [&] { rs->SetField("Nothing", 1); });
  rs->MoveNext();
  rs->MoveNext();
  ExpectJetError(qw::kJetNoCurrentRecord, [&] { rs->Edit(); });
  auto joined = db->OpenRecordset("select Notes from rpm_output");
  ExpectJetError(qw::kJetObjectReadOnly, [&] { joined->Edit(); });
  // A write that breaks the key.
  db->Execute("CREATE UNIQUE INDEX out_no ON rpm_output (marinaNo)");
  auto dup = db->OpenRecordset("rpm_output");
  dup->AddNew();
  dup->SetField("marinaNo", 1);
  ExpectJetError(qw::kJetDuplicateKey, [&] { dup->Update(); });
}

TEST_F(JetDatabase, AReadOnlyConnectionOrFileRefusesEveryWrite) {
  auto db = Open(true);
  auto rs = db->OpenRecordset("SELECT * FROM rpm_output WHERE MarinaNo = 1");
  ExpectJetError(qw::kJetCannotWrite, [&] { rs->Edit(); });
  ExpectJetError(qw::kJetCannotWrite, [&] { rs->AddNew(); });
  ExpectJetError(qw::kJetCannotWrite, [&] { db->Execute("DELETE FROM rpm_output"); });
  db->Close();

  // A file marked read-only (as on a CD) is read-only even when opened for writing.
  ASSERT_TRUE(QFile::setPermissions(path_, QFile::ReadOwner | QFile::ReadGroup | QFile::ReadOther));
  auto writable = Open(false);
  EXPECT_TRUE(writable->IsReadOnly());
  EXPECT_EQ(writable->OpenRecordset("rpm_output")->RecordCount(), 1);
  auto out = writable->OpenRecordset("rpm_output");
  ExpectJetError(qw::kJetCannotWrite, [&] { out->Edit(); });
  ExpectJetError(qw::kJetCannotWrite, [&] { writable->Execute("UPDATE rpm_output SET Notes = 'x'"); });
  EXPECT_EQ(qw::DBEngine::Errors()[0].number, qw::kJetCannotWrite);
  writable->Close();
  QFile::setPermissions(path_, QFile::ReadOwner | QFile::WriteOwner);
}

// Another program writing holds the file locked for a while: a read waits for
// it within a bound (not at all under NoLockWait), then says the file is busy
// (never an empty result, never "Could not update"); a write says it could
// not update.
TEST_F(JetDatabase, ALockHeldByAnotherConnectionIsWaitedForThenToldApartFromNoRows) {
  struct Case {
    const char* name;
    int holdMs;       // how long the other connection keeps its lock
    int readError;    // 0: the read waits and finds the rows
    int writeError;
    bool wait = true;
  };
  const Case cases[] = {
      {"a short write", 300, 0, 0},
      {"a long write", 3500, qw::kJetFileInUse, qw::kJetLocked},
      {"a short write, not waited for", 1000, qw::kJetFileInUse, qw::kJetLocked, false},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(c.name);
    std::optional<qw::NoLockWait> noWait;
    if (!c.wait) noWait.emplace();
    auto reader = Open();
    auto writer = Open(false);
    std::promise<void> locked;
    std::thread other([&] {
      const QString name = QString("other_%1").arg(c.holdMs);
      {
        QSqlDatabase db = QSqlDatabase::addDatabase("QSQLITE", name);
        db.setDatabaseName(path_);
        db.open();
        QSqlQuery q(db);
        q.exec("BEGIN EXCLUSIVE");
        locked.set_value();
        std::this_thread::sleep_for(std::chrono::milliseconds(c.holdMs));
        q.exec("ROLLBACK");
        db.close();
      }
      QSqlDatabase::removeDatabase(name);
    });
    locked.get_future().wait();
    if (c.readError) {
      ExpectJetError(c.readError, [&] { reader->OpenRecordset("select * from rpm_Vyk"); });
      EXPECT_FALSE(qw::DBEngine::Errors()[0].description.contains("Could not update"));
      ExpectJetError(c.writeError, [&] { writer->Execute("INSERT INTO chart_information (checkalert) VALUES (1)"); });
    } else {
      EXPECT_EQ(reader->OpenRecordset("select * from rpm_Vyk")->RecordCount(), 4);
      writer->Execute("INSERT INTO chart_information (checkalert) VALUES (1)");
    }
    other.join();
  }
}

}  // namespace

namespace qw {
namespace {

// Every fault that keeps a write from the file gives its engine number, a
// description that names it, and the cause that messages about it need; once
// the fault is gone the same write goes in.
TEST_F(JetDatabase, AFailedWriteNamesItsCause) {
  using testing::StoreFault;
  struct Case {
    StoreFault fault;
    int number;
    DatabaseFault cause;
    QString description;
  };
  const QString folder = dir_.filePath("data");
  const QString path = folder + "/marina.mdb";
  const Case cases[] = {
      {StoreFault::ReadOnlyFile, kJetCannotWrite, DatabaseFault::ReadOnlyFile,
       "Cannot write to the database '" + path + "': the file is read-only."},
      {StoreFault::ReadOnlyFolder, kJetCannotWrite, DatabaseFault::ReadOnlyFolder,
       "Cannot write to the database '" + path + "': its folder is read-only."},
      {StoreFault::Lock, kJetFileInUse, DatabaseFault::Locked,
       "Could not read the database '" + path + "': another program is using it. Try again in a moment."},
      {StoreFault::DiskFull, kJetDiskFull, DatabaseFault::DiskFull, "Not enough space on disk."},
      {StoreFault::IoError, kJetDiskIo, DatabaseFault::IoError, "Disk I/O error during write."},
      {StoreFault::FolderAway, kJetDiskOrNetwork, DatabaseFault::MissingFolder, "Disk or network error."},
      {StoreFault::FileAway, kJetFileNotFound, DatabaseFault::MissingFile, "Could not find file '" + path + "'."},
  };
  ASSERT_TRUE(QDir().mkpath(folder));
  ASSERT_TRUE(QFile::copy(path_, path));
  const auto write = [&](const QString& notes) {
    const NoLockWait quick;  // the lock is told at once
    DatabasePtr db = Database::OpenDatabase(path, 0, false, kConnect);
    db->Execute("UPDATE rpm_output SET Notes = '" + notes + "'");
    db->Close();
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(testing::StoreFaultName(c.fault));
    {
      testing::InjectedFault fault(c.fault, path);
      ExpectJetError(c.number, [&] { write("lost"); });
      ASSERT_FALSE(DBEngine::Errors().isEmpty());
      EXPECT_EQ(DBEngine::Errors()[0].description, c.description);
      EXPECT_EQ(DiagnoseDatabaseFault(c.number, path), c.cause);
    }
    write(testing::StoreFaultName(c.fault));
    auto db = Database::OpenDatabase(path, -1, true, kConnect);
    EXPECT_EQ(db->OpenRecordset("rpm_output")->Fields("Notes").Value().toString(), testing::StoreFaultName(c.fault));
  }
  // A connection opened read-only says so, whatever the file allows.
  ExpectJetError(kJetCannotWrite, [&] { Database::OpenDatabase(path, -1, true, kConnect)->Execute("DELETE FROM rpm_output"); });
  EXPECT_EQ(DBEngine::Errors()[0].description, "Cannot write to the database '" + path + "': it was opened read-only.");
  EXPECT_EQ(DiagnoseDatabaseFault(kJetLocked, path), DatabaseFault::Locked);
  EXPECT_FALSE(OnOpticalDisc(path));
}

}  // namespace
}  // namespace qw

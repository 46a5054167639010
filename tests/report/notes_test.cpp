// Personal notes over a copy of the demo database: loaded, stored to the
// marina they belong to, a row made for a marina without one, a database that
// cannot be written, and the CD rule of the notes box.
#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <gtest/gtest.h>

#include "common/testing.h"
#include "data/marina_db.h"
#include "platform/message_box.h"
#include "report/notes.h"

namespace qw {
namespace {

// Demo marinas: 20 and 2608 have notes, 11 has Null notes, 34 has no
// rpm_output row.
constexpr int kWithNotes = 2608;
constexpr int kOther = 20;
constexpr int kWithoutRow = 34;

QString NotesInDatabase(int marinaNo) {
  DatabasePtr db = OpenMarinaDatabase(-1, true);
  return ReadNotes(*db, marinaNo);
}

int OutputRows(int marinaNo) {
  DatabasePtr db = OpenMarinaDatabase(-1, true);
  return db->OpenRecordset(NotesQuery(marinaNo))->RecordCount();
}

using Outcome = NotesStoreResult::Outcome;

TEST(PersonalNotes, StoredToTheMarinaWhoseNotesWereLoaded) {
  testing::TempProgramFolder folder;
  EXPECT_EQ(NotesQuery(2608), "SELECT * FROM rpm_output WHERE MarinaNo = 2608");

  PersonalNotes box;
  EXPECT_EQ(box.NotesMarinaNo(), 0);
  EXPECT_EQ(box.Store(QStringLiteral("typed before any report")).outcome, Outcome::NoMarina);

  EXPECT_EQ(box.Load(kWithNotes),
            "Skipper's notes: fuel dock closes at 5.\r\nOuter float is rough in a SW breeze.");
  EXPECT_EQ(box.NotesMarinaNo(), kWithNotes);
  EXPECT_EQ(box.Load(11), "");  // a Null Comments shows an empty box

  // The list is re-sorted (or a map shows another marina) while the box holds
  // marina 20's notes: they still go to marina 20.
  const QString before = NotesInDatabase(kWithNotes);
  box.Load(kOther);
  const QString text = QStringLiteral("Line one\nLine two & <three>");
  EXPECT_EQ(box.Store(text).outcome, Outcome::Stored);
  EXPECT_EQ(box.Store(text).outcome, Outcome::Unchanged);
  EXPECT_EQ(NotesInDatabase(kOther), text);
  EXPECT_EQ(NotesInDatabase(kWithNotes), before);

  // Switching marina and back reloads what was stored, and emptied notes stay
  // empty.
  box.Load(kWithNotes);
  EXPECT_EQ(box.Load(kOther), text);
  EXPECT_EQ(box.Store(QString()).outcome, Outcome::Stored);
  EXPECT_EQ(PersonalNotes().Load(kOther), "");

  box.Clear();
  EXPECT_EQ(box.NotesMarinaNo(), 0);
  EXPECT_EQ(box.Store(QStringLiteral("x")).outcome, Outcome::NoMarina);
}

TEST(PersonalNotes, MarinaWithoutOutputRowGetsOne) {
  testing::TempProgramFolder folder;
  ASSERT_EQ(OutputRows(kWithoutRow), 0);
  PersonalNotes box;
  EXPECT_EQ(box.Load(kWithoutRow), "");
  EXPECT_EQ(box.Store(QString()).outcome, Outcome::Unchanged);  // nothing typed: no row made
  EXPECT_EQ(OutputRows(kWithoutRow), 0);
  EXPECT_EQ(box.Store(QStringLiteral("Launch ramp at high tide only.")).outcome, Outcome::Stored);
  EXPECT_EQ(OutputRows(kWithoutRow), 1);
  EXPECT_EQ(PersonalNotes().Load(kWithoutRow), "Launch ramp at high tide only.");
}

TEST(PersonalNotes, FailedStoreSaysWhyAndLosesNothing) {
  testing::TempProgramFolder folder;
  ScriptedMsgBoxes boxes;
  PersonalNotes box;
  const QString stored = box.Load(kOther);
  ASSERT_FALSE(stored.isEmpty());

  // A read-only database file that does not lie on a CD: the message names
  // the file, and is logged; the database keeps its notes, and the same text
  // is stored once the file can be written.
  QFile::setPermissions(folder.DatabasePath(), QFile::ReadOwner | QFile::ReadGroup | QFile::ReadOther);
  EXPECT_EQ(box.Store(stored).outcome, Outcome::Unchanged);  // untouched: quiet
  NotesStoreResult result = box.Store(QStringLiteral("new text"));
  EXPECT_EQ(result.outcome, Outcome::ReadOnly);
  EXPECT_EQ(result.fault, DatabaseFault::ReadOnlyFile);
  EXPECT_FALSE(result.Ok());
  result.Report(QStringLiteral("tbNotes_LostFocus"), kOther, QStringLiteral("Harbor Marina "));
  ASSERT_EQ(boxes.Shown().size(), 1);
  EXPECT_EQ(boxes.Shown()[0].text, "Your personal notes for Harbor Marina could not be stored: the marina database file " +
                                       folder.DatabasePath() +
                                       " is read-only.\n\nQuaywise keeps them, stores them as soon as it can, and asks "
                                       "about them before it closes.");
  EXPECT_EQ(boxes.Shown()[0].icon, MsgIcon::Exclamation);
  EXPECT_EQ(boxes.Shown()[0].buttons, MsgButtons::OK);
  EXPECT_TRUE(QFile::exists(folder.Path() + QStringLiteral("/ErrorLog.txt")));
  EXPECT_EQ(NotesInDatabase(kOther), stored);
  QFile::setPermissions(folder.DatabasePath(), QFile::ReadOwner | QFile::WriteOwner);
  EXPECT_EQ(box.Store(QStringLiteral("new text")).outcome, Outcome::Stored);
  EXPECT_EQ(NotesInDatabase(kOther), "new text");

  // A missing file is named as such; a marina without a name by its number.
  boxes.Clear();
  QFile::rename(folder.DatabasePath(), folder.DatabasePath() + QStringLiteral(".away"));
  result = box.Store(QStringLiteral("newer text"));
  EXPECT_EQ(result.outcome, Outcome::Failed);
  EXPECT_EQ(result.error.number, kJetFileNotFound);
  result.Report(QStringLiteral("tbNotes_LostFocus"), kOther, QString());
  ASSERT_EQ(boxes.Shown().size(), 1);
  EXPECT_TRUE(boxes.Shown()[0].text.startsWith("Your personal notes for marina number 20 could not be stored: the "
                                               "marina database file " +
                                               folder.DatabasePath() + " cannot be found."))
      << boxes.Shown()[0].text.toStdString();

  // A box whose notes could not be read belongs to no marina: neither an
  // untouched box nor a typed text writes over the notes it could not show.
  PersonalNotes unread;
  EXPECT_EQ(unread.Load(kWithNotes), "");
  EXPECT_EQ(unread.NotesMarinaNo(), 0);
  QFile::rename(folder.DatabasePath() + QStringLiteral(".away"), folder.DatabasePath());
  const QString before = NotesInDatabase(kWithNotes);
  unread.Store(QString());
  unread.Store(QStringLiteral("typed over"));
  EXPECT_EQ(NotesInDatabase(kWithNotes), before);
  EXPECT_FALSE(before.isEmpty());
}

TEST(PersonalNotes, CdRuleCountsExactDatabasePathPairs) {
  struct Case {
    const char* ini;
    int refusals;
  };
  const Case cases[] = {
      {"Edition,\"New England\"\r\nDatabasePath,\"C:\\Data\"\r\n", 0},
      {"Edition,\"New England\"\r\nDatabasePath,\"CDD Path\"\r\nPhotosRootFolder,\"CDD Path\"\r\n", 1},
      {"DatabasePath,CDD Path\nDatabasePath,\"CDD Path\"\nDatabasePath,\"CDD Path\"\n", 3},
      {"PhotosRootFolder,\"CDD Path\"\r\nList,\"CDD Path\"\r\n", 0},
      {"databasepath,\"CDD Path\"\r\nDATABASEPATH,\"CDD Path\"\r\n", 0},
      {"DatabasePath,\"cdd path\"\r\nDatabasePath,\"CDD PATH\"\r\nDatabasePath,\"CDD Path \"\r\n", 0},
      {"DatabasePath,\"CDD Path\"\r\nDatabasePath", 1},  // a key without its value ends the reading
      {"", 0},
  };
  for (const Case& c : cases) EXPECT_EQ(CdNotesRefusals(QByteArray(c.ini)), c.refusals) << c.ini;

  testing::TempProgramFolder folder;
  EXPECT_EQ(CdNotesRefusalsNow(), 0);
  folder.WriteFile(QStringLiteral("VykMarina.ini"), "Edition,\"New England\"\r\nDatabasePath,\"CDD Path\"\r\n");
  EXPECT_EQ(CdNotesRefusalsNow(), 1);
  EXPECT_EQ(CdNotesRefusalsInFile(folder.Path() + QStringLiteral("/missing.ini")), 0);
}

// A recovery file that cannot be read is never written over: it is put
// aside, and the notes kept from then on go to a file of their own.
TEST(KeptNotesFile, OneThatCannotBeReadIsPutAsideNotWrittenOver) {
  testing::TempProgramFolder folder;
  ASSERT_TRUE(testing::WriteFile(KeptNotesFile(), "{\"notes\": [{\"marinaNo\": 20, \"text\": \"cut sho"));
  const RecoveredNotes recovered = RecoverKeptNotes();
  EXPECT_TRUE(recovered.stored.isEmpty());
  EXPECT_TRUE(recovered.kept.isEmpty());
  KeepNote(kOther, QStringLiteral("Other"), QStringLiteral("New text"));
  const QStringList aside = QDir(QFileInfo(KeptNotesFile()).absolutePath()).entryList({"*.unread-*"});
  ASSERT_EQ(aside.size(), 1);
  EXPECT_EQ(testing::ReadFile(QFileInfo(KeptNotesFile()).absolutePath() + "/" + aside[0]),
            "{\"notes\": [{\"marinaNo\": 20, \"text\": \"cut sho");
  EXPECT_TRUE(testing::ReadFile(KeptNotesFile()).contains("New text"));
  DropKeptNotes();
  EXPECT_FALSE(QFileInfo::exists(KeptNotesFile()));
}

}  // namespace
}  // namespace qw

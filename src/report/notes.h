#pragma once
// Personal notes: the user's own text about a marina, kept in the Comments
// column of the marina's rpm_output row. Loading and storing them, the rule
// that refuses typing while the data is read from the CD, and the link between
// the viewer's notes box and the marina whose notes it holds.
#include <QByteArray>
#include <QMap>
#include <QString>
#include <QStringList>

#include "platform/jet.h"
#include "services/error_handler.h"

namespace qw {

inline const QString kNotesFromCdMessage =
    QStringLiteral("You cannot use this function while you are accessing database from CD.");

// "SELECT * FROM rpm_output WHERE MarinaNo = " and the number.
QString NotesQuery(int marinaNo);

// The notes of a marina over db: Comments of its rpm_output row; empty when
// the row is missing or Comments is Null. Throws JetError.
QString ReadNotes(Database& db, int marinaNo);
// Stores text as the notes of a marina over a writable db: Comments of its
// rpm_output row, or a new row when it has none. Throws JetError (3051 when
// the database cannot be written).
void WriteNotes(Database& db, int marinaNo, const QString& text);

// The CD rule of the notes box: how many times one typed character is refused
// with kNotesFromCdMessage. One for every pair of the configuration file whose
// key is "DatabasePath" and whose value is "CDD Path", both compared exactly
// (case included); 0 means typing is allowed.
int CdNotesRefusals(const QByteArray& iniContent);
// The same over the configuration file at iniPath. A file that cannot be read
// refuses nothing: a store that then cannot write says so.
int CdNotesRefusalsInFile(const QString& iniPath);
// The same over VykMarina.ini in the program folder.
int CdNotesRefusalsNow();

// How a store of the notes box ended.
struct NotesStoreResult {
  enum class Outcome {
    Stored,     // written to the database
    Unchanged,  // the database already holds this text: nothing written
    NoMarina,   // the box belongs to no marina: nothing written
    ReadOnly,   // the database cannot be written (engine error 3051)
    Failed,     // any other failure
  };
  Outcome outcome = Outcome::Unchanged;
  RuntimeError error;
  QList<EngineError> engineErrors;  // the engine's error collection at the failure
  DatabaseFault fault = DatabaseFault::Other;  // what kept the text from the database
  QString path;                                // the database file it went to

  // Nothing the user typed is left unsaved.
  bool Ok() const { return outcome != Outcome::ReadOnly && outcome != Outcome::Failed; }
  // Why a store failed, as a sentence ends, naming the cause: "the marina
  // database file /data/marina.mdb is read-only", "another program holds a
  // lock on the marina database", ...; else the error's own description.
  QString Reason() const;
  // Tells the user about a failed store of the notes of marinaName (number
  // marinaNo when it has none) and logs it under the viewer's name and
  // procName: the CD message where the database lies on a CD or DVD, else
  // that the notes could not be stored, why, and that they are kept. Nothing
  // for a store that is Ok().
  void Report(const QString& procName, int marinaNo, const QString& marinaName) const;
};

// Stores text as the notes of a marina over a shared writable connection of
// its own. waitForLock false: another program's lock fails the store at once
// (NoLockWait) rather than after a moment's wait.
NotesStoreResult StoreNotes(int marinaNo, const QString& text, bool waitForLock = true);

// Notes whose store failed, by marina: kept in memory, also after the viewer
// has closed, until they are stored or the user lets them go when the viewer
// closes or the program ends. The viewer shows a kept text again when it
// shows its marina. As they are kept they are also written to a recovery
// file of the user's own (KeptNotesFile), so that a crash, a kill or a power
// cut while the database cannot be written loses none of them: the next
// start stores them (RecoverKeptNotes).
struct KeptNote {
  QString marinaName;  // for the question when closing; may be empty
  QString text;
  bool told = false;  // the user has been told that it could not be stored
};
const QMap<int, KeptNote>& KeptNotes();
// Keeps text as the notes of marinaNo (named marinaName) that could not be
// stored, and writes the recovery file.
void KeepNote(int marinaNo, const QString& marinaName, const QString& text);
// The user has been told that the kept notes of marinaNo could not be stored.
void SetKeptNoteTold(int marinaNo);
// Lets go of the kept notes of marinaNo (stored, or typed back to what the
// database holds), or of all of them; the recovery file follows (removed
// once none are left).
void DropKeptNote(int marinaNo);
void DropKeptNotes();
// The recovery file of the notes kept for the marina database the settings
// name: kept-notes-<key>.json in the user's configuration folder (key: from
// the database's path), readable by the user alone, written whole or not at
// all. It holds the database's path and each kept note's marina number,
// name and text.
QString KeptNotesFile();

// What the start did with the notes a run that ended without storing them
// left in the recovery file: the marinas (as messages name them) whose notes
// are now stored, and those whose notes still cannot be, and why.
struct RecoveredNotes {
  QStringList stored;
  QStringList kept;
  QString reason;
};
// At the start, once the program holds its database: the notes of the
// recovery file are stored, waiting for another program's lock once in all;
// those that cannot be stay kept (in memory and in the file), told, and the
// viewer shows them with their marina.
RecoveredNotes RecoverKeptNotes();
// The one message that tells of them; empty when there is nothing to tell.
QString RecoveredNotesMessage(const RecoveredNotes& recovered);

// What is about to close while notes are kept.
enum class NotesClosing { Viewer, Program };
// The one question asked when kept notes still cannot be stored as something
// closes: which notes, why, and that Yes keeps the window open and No
// discards them.
QString KeptNotesQuestion(NotesClosing closing, const QMap<int, KeptNote>& notes, const QString& reason);
// Stores every kept note but the one of marina `except` once more and drops
// those stored. Why the first that failed could not be stored; empty when
// none failed.
QString StoreKeptNotes(int except, bool waitForLock);
// Before the viewer closes or the program ends: every kept note (but the one
// of `triedJustNow`, a marina whose store has just failed) is stored once
// more. When some still cannot be stored, one message asks whether to keep
// the window open. True when closing may go on: every note stored, or the
// user chose to discard them (they are then dropped). `reason` is why the
// store tried just now failed.
bool MayCloseWithKeptNotes(NotesClosing closing, int triedJustNow = 0, const QString& reason = QString());

// The notes box's link to its marina. The text in the box belongs to the
// marina whose notes were last loaded into it, whatever the list shows since
// (a re-sort of the result list, a marina chosen on a map), and is stored to
// that marina.
class PersonalNotes {
 public:
  // Reads the notes of marinaNo over a read-only connection of its own and
  // returns them for the box; the box belongs to marinaNo from now on. A read
  // that fails gives an empty text and a box that belongs to no marina.
  QString Load(int marinaNo);
  // The marina the box's text belongs to; 0 when none (before the first Load,
  // after Clear).
  int NotesMarinaNo() const { return marinaNo_; }
  // Stores text as the notes of NotesMarinaNo over a shared writable
  // connection of its own. Text the database already holds is not written
  // again, so that an untouched box never writes over notes that could not be
  // read, and a read-only database stays quiet while nothing was typed. After
  // a failure the caller keeps the text in the box: a later Store retries.
  // waitForLock: as StoreNotes.
  NotesStoreResult Store(const QString& text, bool waitForLock = true);
  // The box belongs to no marina any more.
  void Clear();

 private:
  int marinaNo_ = 0;
  QString stored_;  // what the database holds for marinaNo_, as far as known
};

}  // namespace qw

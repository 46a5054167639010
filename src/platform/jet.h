#pragma once
// The database engine as the program uses it: connections opened on a path
// with a connect string, recordsets on SQL text or a table name, the engine's
// error collection and the engine error numbers the program tests for.
// Implemented over SQLite's C API. SQL is written in the Jet dialect and
// translated just before it runs (see TranslateJetSql).
#include <QList>
#include <QString>
#include <QStringList>
#include <QVariant>
#include <functional>
#include <memory>
#include <stdexcept>

namespace qw {

// Engine error numbers the program reacts to.
inline constexpr int kJetFileNotFound = 3024;     // the database file does not exist
inline constexpr int kJetDiskOrNetwork = 3043;    // the medium holding the database is missing
inline constexpr int kJetCannotWrite = 3051;      // read-only file, connection or medium

// One entry of the engine's error collection.
struct EngineError {
  int number = 0;
  QString source;
  QString description;
};

// A failing engine call throws this; the same error also stands in the
// engine's error collection until the collection is refreshed.
class JetError : public std::runtime_error {
 public:
  JetError(int number, QString source, QString description);
  int number() const { return number_; }
  const QString& source() const { return source_; }
  const QString& description() const { return description_; }

 private:
  int number_;
  QString source_;
  QString description_;
};

namespace DBEngine {
// The engine's error collection: the errors of the most recent failing call.
// A failing call replaces it; calls that succeed leave it as it is.
const QList<EngineError>& Errors();
// Empties the collection (the program's "refresh" after it has reported it).
void RefreshErrors();
// Replaces the collection (the adapter's failing calls; tests of reporters).
void SetErrors(const QList<EngineError>& errors);
// Where the engine tells what it has mended on its own, such as a journal of
// unfinished changes rolled back before a read; nothing is told while unset.
void SetRepairLog(std::function<void(const EngineError&)> log);
}  // namespace DBEngine

// Further engine error numbers the adapter raises.
inline constexpr int kJetNoCurrentRecord = 3021;     // Edit with no current row
inline constexpr int kJetUpdateWithoutEdit = 3020;   // SetField/Update without Edit or AddNew
inline constexpr int kJetObjectReadOnly = 3027;      // Edit on a recordset that cannot be written
inline constexpr int kJetTableNotFound = 3078;       // no such table
inline constexpr int kJetUnknownName = 3061;         // no such column in the SQL
inline constexpr int kJetSyntaxError = 3075;         // the SQL does not parse
inline constexpr int kJetItemNotFound = 3265;        // SetField on a column the recordset lacks
inline constexpr int kJetUnrecognizedFormat = 3343;  // the file is not a database
inline constexpr int kJetObjectClosed = 3420;        // use of a closed database or recordset
inline constexpr int kJetDuplicateKey = 3022;        // a write would duplicate a key
inline constexpr int kJetDamagedFile = 3049;         // the file cannot be opened: it may be damaged
inline constexpr int kJetDiskFull = 3026;            // not enough space on disk
inline constexpr int kJetLocked = 3218;              // a write waited too long for another connection's lock
inline constexpr int kJetFileInUse = 3045;           // a read waited too long for another connection's lock
inline constexpr int kJetCharactersAfterEnd = 3142;  // a second statement after the first
inline constexpr int kJetValueNotAllowed = 3317;     // a constraint refused the value
inline constexpr int kJetReserved = 3000;            // any other engine failure
inline constexpr int kJetDiskIo = 3040;              // the disk reported a fault while the file was there

// While one lives, the engine's calls on this thread do not wait for another
// program's lock on a file: they fail at once (3045 reading, 3218 writing).
// For work in the window's thread that must never hold up the user (a store
// made while the user types) and that is tried again later.
class NoLockWait {
 public:
  NoLockWait();
  ~NoLockWait();
  NoLockWait(const NoLockWait&) = delete;
  NoLockWait& operator=(const NoLockWait&) = delete;
};

// While one lives, the waits of the engine's calls on this thread for another
// program's lock come out of one allowance: once ms have gone by since it
// was made, a call that meets a lock fails at once (3045 reading, 3218
// writing). For one piece of work that runs many calls while the user waits
// (showing another marina's report), which must never hold the window up
// longer than one call alone may wait. One made inside another ends no later
// than the outer one.
class LockWaitBudget {
 public:
  explicit LockWaitBudget(int ms = 1500);
  ~LockWaitBudget();
  LockWaitBudget(const LockWaitBudget&) = delete;
  LockWaitBudget& operator=(const LockWaitBudget&) = delete;

 private:
  qint64 previous_;
};

// How long the engine's calls on this thread have waited for other
// programs' locks since the program started, in ms (the waits asked for).
qint64 LockWaitedMs();

// What kept the engine from reading or writing a database file.
enum class DatabaseFault {
  Other,           // nothing the file shows: the error's description says what
  MissingFolder,   // its folder (or the disk holding it) is gone
  MissingFile,     // the folder is there, the file is not
  ReadOnlyFile,    // the file is marked read-only
  ReadOnlyFolder,  // its folder is marked read-only: no journal can be made there
  ReadOnlyDisk,    // its file system is mounted read-only
  OpticalDisc,     // it lies on a CD or DVD
  OpenedReadOnly,  // the connection was opened read-only
  Locked,          // another program holds a lock on it
  DiskFull,        // no room on its disk (or for a file that large)
  IoError,         // its disk reported an input/output error
};
// The fault behind an engine error (its number) on the database at path,
// judged from the number and from the file, its folder and its disk as they
// stand now; so call it right after the failure.
DatabaseFault DiagnoseDatabaseFault(int number, const QString& path);
// Whether path lies on a CD or DVD: an iso9660 or udf file system of the
// mount table.
bool OnOpticalDisc(const QString& path);

// Whether an error says that the file could not be read at that moment
// (another program's lock, the medium, a damaged file) rather than anything
// about the query: a reader must not take it for "no row".
bool IsReadFailure(int number);

// Jet SQL -> SQLite SQL: LIKE patterns with * and ? become % and _ (literal %
// and _ escaped with an ESCAPE clause); a Trim/LTrim/RTrim result compared
// with a number is compared as a number (CAST ... AS REAL); a text literal in
// double quotes becomes one in single quotes. Everything else ([bracketed]
// names, TRUE, nested LEFT JOINs, quoted texts) passes unchanged.
QString TranslateJetSql(const QString& jetSql);

// The text with every lone surrogate (half of a UTF-16 pair) replaced by
// U+FFFD, as UTF-8 would carry it. SQL must never hold one: SQLite reads a
// high surrogate and whatever unit follows as one character, so a lone one
// in a text value would swallow its closing quote and run the rest as SQL.
// The adapter applies it to every SQL text before reading it.
QString WithoutLoneSurrogates(QString text);

// One column of the current row: a value, Null, or unreadable (no such
// column, or no current row).
class Field {
 public:
  enum class State { Value, Null, Missing };
  Field() = default;
  Field(State state, QVariant value) : state_(state), value_(std::move(value)) {}
  State state() const { return state_; }
  bool IsNull() const { return state_ == State::Null; }
  bool IsMissing() const { return state_ == State::Missing; }
  bool HasValue() const { return state_ == State::Value; }
  const QVariant& Value() const { return value_; }

 private:
  State state_ = State::Missing;
  QVariant value_;
};

class Database;

// A snapshot of the rows of one query, navigated like the engine's recordset.
// RecordCount is the real number of rows. An empty recordset is at Bof and
// Eof at once; moving past either end leaves it there (no error); Fields
// without a current row are Missing. Edit/AddNew/SetField/Update write
// through to the database when the recordset was opened on a table name or on
// "SELECT * FROM" one table; on a read-only connection or medium Edit and
// AddNew throw 3051. After AddNew and Update the new row is the last row and
// the current row stays where it was. Yes/No columns read as bool.
class Recordset {
 public:
  virtual ~Recordset() = default;
  virtual bool Eof() const = 0;
  virtual bool Bof() const = 0;
  virtual void MoveFirst() = 0;
  virtual void MoveNext() = 0;
  virtual void MovePrevious() = 0;
  virtual void MoveLast() = 0;
  virtual int RecordCount() const = 0;
  virtual int FieldCount() const = 0;
  virtual QStringList FieldNames() const = 0;
  // Fields by name, without regard to case; by index from 0.
  virtual Field Fields(const QString& name) const = 0;
  virtual Field Fields(int index) const = 0;
  virtual void Edit() = 0;
  virtual void AddNew() = 0;
  virtual void SetField(const QString& name, const QVariant& value) = 0;
  virtual void Update() = 0;
  virtual void Close() = 0;
  virtual bool IsOpen() const = 0;
};

// A query's rows read once, forward, for callers that go through every row in
// order: only the current row is held, and a column is read where the query
// puts it. Find the positions of the columns once (Position), then read row
// after row (Next, Value). The query ends when the reader is destroyed.
class RowReader {
 public:
  virtual ~RowReader() = default;
  // The position of a column, found by name as Recordset::Fields finds it;
  // -1 when the query has no such column.
  virtual int Position(const QString& name) = 0;
  // Moves to the next row (the first on the first call); false after the
  // last. Throws JetError when the rows cannot be read.
  virtual bool Next() = 0;
  // A column of the current row: Missing for position -1 or without a
  // current row. Yes/No columns read as bool.
  virtual Field Value(int position) const = 0;
  // The same column when it holds text, as the text itself, without a value
  // in between (the fast road for texts that are shown as they are); a null
  // text when it holds anything else, is Null or missing: read those with
  // Value.
  virtual QString Text(int position) const;
};
using RowReaderPtr = std::unique_ptr<RowReader>;

// A connection to one database file.
class Database {
 public:
  // Opens path. options is the engine's options value (True = -1 exclusive,
  // 2, ...: accepted, several connections may be open on one file at once);
  // connect is ";PWD=..." (accepted and ignored: the file has no password).
  // Never creates a missing file. Throws JetError: 3043 when the folder or
  // medium is missing, 3024 when the file is missing, 3343 for a file that
  // is not a database. A file marked read-only, in a folder marked read-only
  // or on a read-only medium opens read-only whatever readOnly says, so every
  // write gives 3051, whose description names which (also for a user, such
  // as root, whom the system would let write it).
  // Read-only opens of one file share a connection kept open between them
  // while the file keeps its inode, size and modification time; every open
  // still checks the file first, and Close ends only the caller's handle.
  // A journal of unfinished changes left by a writer that stopped is rolled
  // back through one writable open when the file may be written (and told
  // to the repair log); on a read-only file or medium such a file gives 3051.
  // A statement waits a moment for another connection's lock (not at all
  // under NoLockWait), then gives 3045 when it was reading and 3218 when it
  // was writing. An input/output error gives 3043 when the file's folder is
  // gone, 3026 when the disk is full and 3040 otherwise.
  static std::shared_ptr<Database> OpenDatabase(const QString& path, int options, bool readOnly,
                                                const QString& connect);
  virtual ~Database() = default;
  // SQL text, or the name of a table. Throws JetError.
  virtual std::unique_ptr<Recordset> OpenRecordset(const QString& sqlOrTable) = 0;
  // SQL text, read forward only. Throws JetError as OpenRecordset does. This
  // reads through OpenRecordset; the engine's own connections read the
  // query's rows as they come, each column only when it is asked for.
  virtual RowReaderPtr OpenForwardOnly(const QString& sql);
  // Runs an action query. Throws JetError (3051 on a read-only connection).
  virtual void Execute(const QString& sql) = 0;
  // Runs work, whose calls on this connection only read, as one read: they
  // all see the file as it stood at the first of them, and another program's
  // lock can keep them waiting only before the first (a lock it takes later
  // waits for them). Writes of other connections, also of this program, wait
  // until work is done: work must not wait for them. What work throws is
  // thrown on. Inside another such read, work is simply run.
  virtual void ReadTogether(const std::function<void()>& work) { work(); }
  virtual void Close() = 0;
  virtual bool IsOpen() const = 0;
  virtual bool IsReadOnly() const = 0;
  virtual QString Name() const = 0;  // the path it was opened on
};

using DatabasePtr = std::shared_ptr<Database>;
using RecordsetPtr = std::unique_ptr<Recordset>;

}  // namespace qw

// The database engine over SQLite's C API.
#include "platform/jet.h"

#include <QCoreApplication>
#include <QFile>
#include <QFileInfo>
#include <QHash>
#include <QRegularExpression>
#include <QStorageInfo>
#include <QThread>
#include <QTimer>
#include <sqlite3.h>
#include <sys/stat.h>

#include <algorithm>
#include <cerrno>
#include <chrono>
#include <iterator>
#include <limits>
#include <mutex>
#include <optional>
#include <string>
#include <string_view>
#include <thread>
#include <vector>

namespace qw {

JetError::JetError(int number, QString source, QString description)
    : std::runtime_error(QStringLiteral("%1 (%2)").arg(description).arg(number).toStdString()),
      number_(number),
      source_(std::move(source)),
      description_(std::move(description)) {}

namespace DBEngine {
namespace {
QList<EngineError>& Collection() {
  static QList<EngineError> errors;
  return errors;
}
std::function<void(const EngineError&)>& RepairLog() {
  static std::function<void(const EngineError&)> log;
  return log;
}
}  // namespace
const QList<EngineError>& Errors() { return Collection(); }
void RefreshErrors() { Collection().clear(); }
void SetErrors(const QList<EngineError>& errors) { Collection() = errors; }
void SetRepairLog(std::function<void(const EngineError&)> log) { RepairLog() = std::move(log); }
}  // namespace DBEngine

bool IsReadFailure(int number) {
  return number == kJetFileInUse || number == kJetLocked || number == kJetDiskOrNetwork ||
         number == kJetDamagedFile || number == kJetDiskIo;
}

namespace {

const QString kSourceWorkspace = QStringLiteral("DAO.Workspace");
const QString kSourceDatabase = QStringLiteral("DAO.Database");
const QString kSourceRecordset = QStringLiteral("DAO.Recordset");
const QString kRowIdColumn = QStringLiteral("__qw_rowid");

// How long a statement waits for another connection's lock before it gives
// up: long enough to ride out another program's short writes, short enough
// that a window waiting on a held lock answers within a moment.
constexpr int kBusyTimeoutMs = 1500;

thread_local int noLockWaits = 0;
// When the waits of a LockWaitBudget run out (a steady clock's ms); none
// while no budget lives.
constexpr qint64 kNoBudget = std::numeric_limits<qint64>::max();
thread_local qint64 budgetEnds = kNoBudget;
thread_local qint64 lockWaitedMs = 0;

qint64 NowMs() {
  return std::chrono::duration_cast<std::chrono::milliseconds>(std::chrono::steady_clock::now().time_since_epoch())
      .count();
}

// The engine's busy handler: a call that meets another connection's lock
// waits, in growing steps, up to kBusyTimeoutMs from its first meeting, no
// longer than the budget of its thread allows, and not at all under
// NoLockWait. The wait of every call counts from its own first meeting
// (count 0); the budget counts for them all.
int WaitForLock(void*, int count) {
  thread_local qint64 since = 0;
  if (noLockWaits > 0) return 0;
  const qint64 now = NowMs();
  if (count == 0) since = now;
  const qint64 until = std::min(since + kBusyTimeoutMs, budgetEnds);
  if (now >= until) return 0;
  static constexpr int kSteps[] = {1, 2, 5, 10, 15, 20, 25, 25, 25, 50, 50, 100};
  const qint64 step = std::min<qint64>(kSteps[std::min<int>(count, int(std::size(kSteps)) - 1)], until - now);
  lockWaitedMs += step;
  std::this_thread::sleep_for(std::chrono::milliseconds(step));
  return 1;
}

// Every connection waits for another's lock through WaitForLock.
void WaitForLocks(sqlite3* db) { sqlite3_busy_handler(db, &WaitForLock, nullptr); }

// Every failing call ends here: the error replaces the engine's collection
// and is thrown.
[[noreturn]] void Raise(int number, const QString& source, const QString& description) {
  DBEngine::SetErrors({EngineError{number, source, description}});
  throw JetError(number, source, description);
}

// 3043 when the file's folder (or the medium holding it) is gone, 3024 when
// the file is.
void RaiseIfGone(const QString& path, const QFileInfo& info, const QString& source) {
  if (path.isEmpty() || !QFileInfo(info.absolutePath()).isDir())
    Raise(kJetDiskOrNetwork, source, QStringLiteral("Disk or network error."));
  if (!info.exists() || info.isDir())
    Raise(kJetFileNotFound, source, QStringLiteral("Could not find file '%1'.").arg(path));
}

// Whether the file may be written: the system allows it and the file is not
// marked read-only (also for a user, such as root, whom the system would let
// write a read-only file).
bool FileWritable(const QFileInfo& info) {
  const QFile::Permissions writeBits = QFile::WriteOwner | QFile::WriteGroup | QFile::WriteOther;
  return info.isWritable() && (info.permissions() & writeBits);
}

// The same for the file's folder, where every write makes its journal.
bool FolderWritable(const QFileInfo& info) { return FileWritable(QFileInfo(info.absolutePath())); }

// Why a file that the engine was asked to write cannot be written.
DatabaseFault ReadOnlyCause(const QString& path) {
  if (OnOpticalDisc(path)) return DatabaseFault::OpticalDisc;
  const QFileInfo info(path);
  if (QStorageInfo(info.absolutePath()).isReadOnly()) return DatabaseFault::ReadOnlyDisk;
  if (info.exists() && !FileWritable(info)) return DatabaseFault::ReadOnlyFile;
  if (!FolderWritable(info)) return DatabaseFault::ReadOnlyFolder;
  return DatabaseFault::OpenedReadOnly;
}

QString CannotWrite(const QString& path, bool openedReadOnly = false) {
  QString why;
  switch (openedReadOnly ? DatabaseFault::OpenedReadOnly : ReadOnlyCause(path)) {
    case DatabaseFault::OpticalDisc: why = QStringLiteral("it lies on a CD or DVD, which cannot be written"); break;
    case DatabaseFault::ReadOnlyDisk: why = QStringLiteral("the disk holding it is mounted read-only"); break;
    case DatabaseFault::ReadOnlyFile: why = QStringLiteral("the file is read-only"); break;
    case DatabaseFault::ReadOnlyFolder: why = QStringLiteral("its folder is read-only"); break;
    default: why = QStringLiteral("it was opened read-only"); break;
  }
  return QStringLiteral("Cannot write to the database '%1': %2.").arg(path, why);
}

// Whether a failed call only read or was writing: another connection's lock
// keeps a reader waiting, it does not make its read an update.
enum class Access { Read, Write };

// The engine error for a failed SQLite call: its extended result code,
// message and the system's error number behind it.
[[noreturn]] void RaiseEngineError(int rc, const QString& text, int systemErrno, const QString& source,
                                   const QString& path, const QString& sql, Access access) {
  switch (rc & 0xFF) {
    case SQLITE_READONLY:
      if (rc == SQLITE_READONLY_ROLLBACK)
        Raise(kJetCannotWrite, source,
              QStringLiteral("The database '%1' holds changes that a program left unfinished when it stopped; "
                             "they cannot be undone because the file or its medium is read-only.")
                  .arg(path));
      [[fallthrough]];
    case SQLITE_CANTOPEN:  // the file (or its journal) cannot be opened for writing
    case SQLITE_AUTH:
      Raise(kJetCannotWrite, source, CannotWrite(path));
    case SQLITE_IOERR: {
      // A file grown past what its disk (or the process) allows fails as a
      // full disk; a file whose folder is gone, as a missing medium.
      if (systemErrno == ENOSPC || systemErrno == EDQUOT || systemErrno == EFBIG)
        Raise(kJetDiskFull, source, QStringLiteral("Not enough space on disk."));
      RaiseIfGone(path, QFileInfo(path), source);
      Raise(kJetDiskIo, source,
            access == Access::Read ? QStringLiteral("Disk I/O error during read.")
                                   : QStringLiteral("Disk I/O error during write."));
    }
    case SQLITE_NOTADB:
      Raise(kJetUnrecognizedFormat, source, QStringLiteral("Unrecognized database format '%1'.").arg(path));
    case SQLITE_CORRUPT:
      Raise(kJetDamagedFile, source, QStringLiteral("Cannot open database '%1'. The file may be damaged.").arg(path));
    case SQLITE_FULL:
      Raise(kJetDiskFull, source, QStringLiteral("Not enough space on disk."));
    case SQLITE_BUSY:
    case SQLITE_LOCKED:
      if (access == Access::Read)
        Raise(kJetFileInUse, source,
              QStringLiteral("Could not read the database '%1': another program is using it. Try again in a "
                             "moment.")
                  .arg(path));
      Raise(kJetLocked, source,
            QStringLiteral("Could not update; the database '%1' is locked by another program.").arg(path));
    case SQLITE_CONSTRAINT:
      if (text.contains(QLatin1String("UNIQUE")) || text.contains(QLatin1String("PRIMARY KEY")))
        Raise(kJetDuplicateKey, source,
              QStringLiteral("The changes were not made because they would create duplicate values in "
                             "the key of the table."));
      Raise(kJetValueNotAllowed, source, QStringLiteral("The value is not allowed in this field: %1.").arg(text));
    default:
      break;
  }
  static const QRegularExpression noTable(QStringLiteral("^no such table: (.*)$"));
  static const QRegularExpression noColumn(QStringLiteral("^no such column: (.*)$"));
  if (const auto m = noTable.match(text); m.hasMatch())
    Raise(kJetTableNotFound, source,
          QStringLiteral("The database engine cannot find the input table or query '%1'. Make sure it "
                         "exists and that its name is spelled correctly.")
              .arg(m.captured(1)));
  if (const auto m = noColumn.match(text); m.hasMatch())
    Raise(kJetUnknownName, source, QStringLiteral("Too few parameters. Expected 1. (Unknown name '%1'.)").arg(m.captured(1)));
  if (text.contains(QLatin1String("syntax error")) || text.contains(QLatin1String("incomplete input")) ||
      text.contains(QLatin1String("unrecognized token")))
    Raise(kJetSyntaxError, source, QStringLiteral("Syntax error in query expression '%1'.").arg(sql));
  Raise(kJetReserved, source, QStringLiteral("Reserved error (%1); %2").arg(rc & 0xFF).arg(text));
}

QString QuoteName(const QString& name) {
  QString quoted = name;
  quoted.replace(QLatin1Char('"'), QStringLiteral("\"\""));
  return QLatin1Char('"') + quoted + QLatin1Char('"');
}

// Whether a file carries the SQLite header.
bool LooksLikeDatabase(const QString& path) {
  QFile file(path);
  if (!file.open(QIODevice::ReadOnly)) return true;  // let the engine report what is wrong
  const QByteArray head = file.read(16);
  return head == QByteArray("SQLite format 3\0", 16);
}

// A writer that stopped inside a transaction (killed, or the machine went
// down) leaves its journal beside the file, and the file can only be read once
// the journal is rolled back, which a read-only connection cannot do. One
// writable open rolls it back when the file and its folder may be written;
// the program's log is told. False when it cannot be done here.
bool RollBackUnfinishedWrite(const QString& path) {
  const QFileInfo info(path);
  if (!FileWritable(info) || !FolderWritable(info)) return false;
  sqlite3* db = nullptr;
  int rc = sqlite3_open_v2(QFile::encodeName(path).constData(), &db, SQLITE_OPEN_READWRITE, nullptr);
  if (rc == SQLITE_OK) {
    WaitForLocks(db);
    rc = sqlite3_exec(db, "SELECT count(*) FROM sqlite_master", nullptr, nullptr, nullptr);
  }
  sqlite3_close(db);
  if (rc != SQLITE_OK) return false;
  if (const auto& log = DBEngine::RepairLog())
    log(EngineError{kJetCannotWrite, kSourceWorkspace,
                    QStringLiteral("The database '%1' held changes that a program left unfinished when it "
                                   "stopped; they were undone before the database was read.")
                        .arg(path)});
  return true;
}

// The table of a recordset that can write through: a bare or bracketed table
// name, or SELECT * FROM one table with nothing but WHERE / ORDER BY after it.
struct Source {
  QString sql;    // what runs (without the row id)
  QString table;  // the table written through, or empty
};

Source ParseSource(const QString& sqlOrTable) {
  const QString trimmed = sqlOrTable.trimmed();
  static const QRegularExpression isSql(QStringLiteral("^(select|with|pragma|values)\\b"),
                                        QRegularExpression::CaseInsensitiveOption);
  if (!isSql.match(trimmed).hasMatch()) {
    QString table = trimmed;
    if (table.startsWith(QLatin1Char('[')) && table.endsWith(QLatin1Char(']'))) table = table.mid(1, table.size() - 2);
    return {QStringLiteral("SELECT * FROM ") + QuoteName(table), table};
  }
  static const QRegularExpression oneTable(
      QStringLiteral("^select\\s+\\*\\s*from\\s+(\\[[^\\]]+\\]|\"[^\"]+\"|[A-Za-z_][A-Za-z0-9_]*)\\s*(?:$|;|where\\b|order\\b)"),
      QRegularExpression::CaseInsensitiveOption);
  const auto m = oneTable.match(trimmed);
  if (!m.hasMatch()) return {trimmed, QString()};
  QString table = m.captured(1);
  if (table.startsWith(QLatin1Char('[')) || table.startsWith(QLatin1Char('"'))) table = table.mid(1, table.size() - 2);
  return {trimmed, table};
}

// One open SQLite connection, closed when its last user lets go.
class Connection : public std::enable_shared_from_this<Connection> {
 public:
  Connection(sqlite3* db, QString path) : db_(db), path_(std::move(path)) {}
  Connection(const Connection&) = delete;
  Connection& operator=(const Connection&) = delete;
  ~Connection() { sqlite3_close_v2(db_); }

  sqlite3* Handle() const { return db_; }
  const QString& Path() const { return path_; }

  // Searches run many small index probes: reading through a mapping of the
  // whole file instead of a per-connection cache keeps a large search in
  // line with its rows. The engine maps what the file holds, up to its own
  // limit. The mapping is let go a moment after the last handle, so that a
  // connection kept between searches holds none of the file in memory, while
  // the several opens of one click (names looked up, the count, the list)
  // find the file still mapped.
  void Enter() {
    if (users_++ == 0 && !mapped_) SetMapping(std::numeric_limits<qint64>::max());
  }
  void Leave() {
    if (--users_ != 0) return;
    if (!QCoreApplication::instance()) {
      SetMapping(0);
      return;
    }
    QTimer::singleShot(kKeepMappedMs, [weak = weak_from_this()] {
      if (const std::shared_ptr<Connection> connection = weak.lock(); connection && connection->users_ == 0)
        connection->SetMapping(0);
    });
  }

 private:
  static constexpr int kKeepMappedMs = 2000;

  // A mapping the engine refuses only costs speed: reads go through its cache.
  void SetMapping(qint64 bytes) {
    sqlite3_exec(db_, QByteArray("PRAGMA mmap_size=" + QByteArray::number(bytes)).constData(), nullptr, nullptr,
                 nullptr);
    mapped_ = bytes != 0;
  }

  sqlite3* db_;
  QString path_;
  int users_ = 0;
  bool mapped_ = false;
};
using ConnectionPtr = std::shared_ptr<Connection>;

bool IsBoolType(const char* declared) {
  return declared && (qstricmp(declared, "boolean") == 0 || qstricmp(declared, "bool") == 0);
}

// One statement on a connection, prepared from SQL text and stepped through
// its rows. Each column is converted when it is read: an integer, a real,
// text (from UTF-8, once), bytes, or a Null text; Yes/No columns as bool.
class Statement {
 public:
  // sql runs; shownSql is what an error names. Throws JetError.
  Statement(ConnectionPtr connection, const QString& sql, const QString& shownSql, const QString& source, Access access)
      : connection_(std::move(connection)), shownSql_(shownSql), source_(source), access_(access) {
    const QByteArray text = sql.toUtf8();
    const char* tail = nullptr;
    const auto prepare = [&] {
      sqlite3_finalize(stmt_);
      stmt_ = nullptr;
      return sqlite3_prepare_v2(Db(), text.constData(), int(text.size()), &stmt_, &tail);
    };
    int rc = prepare();  // reads the schema: the first read of a new connection
    if (rc == SQLITE_READONLY_ROLLBACK && RollBackUnfinishedWrite(connection_->Path())) rc = prepare();
    if (rc != SQLITE_OK) Fail(rc);
    if (!stmt_) Raise(kJetSyntaxError, source_, QStringLiteral("Syntax error in query expression '%1'.").arg(shownSql_));
    // One statement per call: what follows it is refused, never run.
    if (tail && !QByteArray(tail).trimmed().isEmpty()) {
      sqlite3_finalize(stmt_);  // no destructor runs for a constructor that throws
      stmt_ = nullptr;
      Raise(kJetCharactersAfterEnd, source_, QStringLiteral("Characters found after end of SQL statement."));
    }
    const int columns = sqlite3_column_count(stmt_);
    isBool_.reserve(columns);
    for (int i = 0; i < columns; ++i) isBool_.push_back(IsBoolType(sqlite3_column_decltype(stmt_, i)));
  }
  ~Statement() { sqlite3_finalize(stmt_); }
  Statement(const Statement&) = delete;
  Statement& operator=(const Statement&) = delete;

  // Moves to the next row: false after the last, when the statement has let
  // go of the file. Throws JetError.
  bool Step() {
    int rc = sqlite3_step(stmt_);
    if (rc == SQLITE_READONLY_ROLLBACK && !stepped_) {
      sqlite3_reset(stmt_);
      if (RollBackUnfinishedWrite(connection_->Path())) rc = sqlite3_step(stmt_);
    }
    stepped_ = true;
    if (rc == SQLITE_ROW) return true;
    if (rc == SQLITE_DONE) {
      sqlite3_reset(stmt_);
      return false;
    }
    Fail(rc);
  }

  int ColumnCount() const { return int(isBool_.size()); }
  bool IsBool(int i) const { return isBool_[i]; }
  QString ColumnName(int i) const { return QString::fromUtf8(sqlite3_column_name(stmt_, i)).remove(QLatin1Char('"')); }
  QStringList ColumnNames(int from = 0) const {
    QStringList names;
    for (int i = from; i < ColumnCount(); ++i) names << ColumnName(i);
    return names;
  }

  // The engine's type of column i of the current row (SQLITE_NULL, ...).
  int Type(int i) const { return sqlite3_column_type(stmt_, i); }

  // Column i of the current row, whose engine type is type.
  QVariant Value(int i, int type) const {
    switch (type) {
      case SQLITE_NULL:
        return QVariant(QMetaType::fromType<QString>());
      case SQLITE_INTEGER:
        if (isBool_[i]) return QVariant(sqlite3_column_int64(stmt_, i) != 0);
        return QVariant(qlonglong(sqlite3_column_int64(stmt_, i)));
      case SQLITE_FLOAT:
        if (isBool_[i]) return QVariant(sqlite3_column_double(stmt_, i) != 0);
        return QVariant(sqlite3_column_double(stmt_, i));
      case SQLITE_BLOB:
        return QVariant(QByteArray(static_cast<const char*>(sqlite3_column_blob(stmt_, i)), sqlite3_column_bytes(stmt_, i)));
      default: {
        const std::string_view bytes = Utf8(i);
        const QString value = QString::fromUtf8(bytes.data(), qsizetype(bytes.size()));
        if (isBool_[i]) return QVariant(value.toLongLong() != 0);
        return QVariant(value);
      }
    }
  }
  QVariant Value(int i) const { return Value(i, Type(i)); }
  // Column i of the current row as the UTF-8 bytes of its text.
  std::string_view Utf8(int i) const {
    const auto* text = reinterpret_cast<const char*>(sqlite3_column_text(stmt_, i));
    return std::string_view(text ? text : "", std::size_t(sqlite3_column_bytes(stmt_, i)));
  }
  qint64 RowId(int i) const { return sqlite3_column_int64(stmt_, i); }

  // Binds value to the next parameter: Yes/No as 1/0, Empty as Null.
  void Bind(const QVariant& value) {
    const int at = ++bound_;
    int rc;
    if (!value.isValid() || value.isNull()) {
      rc = sqlite3_bind_null(stmt_, at);
    } else {
      switch (value.typeId()) {
        case QMetaType::Bool:
          rc = sqlite3_bind_int(stmt_, at, value.toBool() ? 1 : 0);
          break;
        case QMetaType::Int:
        case QMetaType::UInt:
        case QMetaType::Short:
        case QMetaType::UShort:
        case QMetaType::LongLong:
        case QMetaType::ULongLong:
          rc = sqlite3_bind_int64(stmt_, at, value.toLongLong());
          break;
        case QMetaType::Double:
        case QMetaType::Float:
          rc = sqlite3_bind_double(stmt_, at, value.toDouble());
          break;
        case QMetaType::QByteArray: {
          const QByteArray bytes = value.toByteArray();
          rc = sqlite3_bind_blob64(stmt_, at, bytes.constData(), sqlite3_uint64(bytes.size()), SQLITE_TRANSIENT);
          break;
        }
        default: {
          const QByteArray text = value.toString().toUtf8();
          rc = sqlite3_bind_text64(stmt_, at, text.constData(), sqlite3_uint64(text.size()), SQLITE_TRANSIENT,
                                   SQLITE_UTF8);
          break;
        }
      }
    }
    if (rc != SQLITE_OK) Fail(rc);
  }

  qint64 LastInsertRowId() const { return sqlite3_last_insert_rowid(Db()); }

 private:
  sqlite3* Db() const { return connection_->Handle(); }

  [[noreturn]] void Fail(int rc) {
    const QString text = QString::fromUtf8(sqlite3_errmsg(Db()));
    const int systemErrno = sqlite3_system_errno(Db());
    if (stmt_) sqlite3_reset(stmt_);  // lets go of the file
    RaiseEngineError(rc, text, systemErrno, source_, connection_->Path(), shownSql_, access_);
  }

  ConnectionPtr connection_;
  QString shownSql_;
  QString source_;
  Access access_;
  sqlite3_stmt* stmt_ = nullptr;
  std::vector<bool> isBool_;
  int bound_ = 0;
  bool stepped_ = false;
};

// What tells one state of a database file from another: a file replaced on
// disk has another inode, a file rewritten in place another size or time.
struct FileIdentity {
  dev_t device = 0;
  ino_t inode = 0;
  off_t size = 0;
  timespec modified{};
  bool operator==(const FileIdentity& o) const {
    return device == o.device && inode == o.inode && size == o.size && modified.tv_sec == o.modified.tv_sec &&
           modified.tv_nsec == o.modified.tv_nsec;
  }
};

std::optional<FileIdentity> IdentityOf(const QString& path) {
  struct stat st {};
  if (::stat(QFile::encodeName(path).constData(), &st) != 0) return std::nullopt;
  return FileIdentity{st.st_dev, st.st_ino, st.st_size, st.st_mtim};
}


// Read-only connections kept open between opens of the same file: a search
// opens the database for every count and list, and opening a connection and
// reading the schema costs more than a small search itself. A kept
// connection is used again only while the file keeps its identity; a file
// that is gone or replaced lets it go. A kept connection holds no read
// transaction between queries (every query is read to its end or dropped), so
// writers on other connections are never blocked by it and its next query
// reads what they wrote.
class KeptConnections {
 public:
  ConnectionPtr Find(const QString& path, const FileIdentity& identity) {
    const std::lock_guard lock(mutex_);
    const auto it = Entry(path);
    if (it == entries_.end()) return nullptr;
    if (!(it->identity == identity)) {
      entries_.erase(it);
      return nullptr;
    }
    // Most recently used last.
    std::rotate(it, it + 1, entries_.end());
    return entries_.back().connection;
  }

  void Keep(const QString& path, const FileIdentity& identity, ConnectionPtr connection) {
    const std::lock_guard lock(mutex_);
    Erase(path);
    if (entries_.size() >= kMaxKept) entries_.erase(entries_.begin());
    entries_.push_back({path, QThread::currentThread(), identity, std::move(connection)});
  }

  void Forget(const QString& path) {
    const std::lock_guard lock(mutex_);
    Erase(path);
  }

 private:
  // The program uses one database; tests and tools may use a few.
  static constexpr std::size_t kMaxKept = 4;

  struct Kept {
    QString path;
    QThread* thread;  // a connection serves the thread that made it
    FileIdentity identity;
    ConnectionPtr connection;
  };

  std::vector<Kept>::iterator Entry(const QString& path) {
    return std::find_if(entries_.begin(), entries_.end(),
                        [&](const Kept& k) { return k.path == path && k.thread == QThread::currentThread(); });
  }

  void Erase(const QString& path) {
    const auto it = Entry(path);
    if (it != entries_.end()) entries_.erase(it);
  }

  std::mutex mutex_;
  std::vector<Kept> entries_;
};

// Never destroyed: the kept connections end with the process.
KeptConnections& Kept() {
  static KeptConnections* kept = new KeptConnections;
  return *kept;
}

// The columns of a query by their names in lower case; the first of two
// columns of one name wins.
QHash<QString, int> ColumnIndex(const QStringList& names) {
  QHash<QString, int> index;
  for (qsizetype i = 0; i < names.size(); ++i) {
    const QString key = names.at(i).toLower();
    if (!index.contains(key)) index.insert(key, static_cast<int>(i));
  }
  return index;
}

// A column's position by name, without regard to case; -1 when there is none.
int FindColumn(const QHash<QString, int>& index, const QString& name) {
  const auto it = index.constFind(name.toLower());
  if (it != index.constEnd()) return it.value();
  // A qualified name ("table.column", "[table].[column]") finds its column.
  const qsizetype dot = name.lastIndexOf(QLatin1Char('.'));
  if (dot > 0) {
    QString column = name.mid(dot + 1);
    if (column.startsWith(QLatin1Char('[')) && column.endsWith(QLatin1Char(']'))) column = column.mid(1, column.size() - 2);
    const auto qualified = index.constFind(column.toLower());
    if (qualified != index.constEnd()) return qualified.value();
  }
  if (name.startsWith(QLatin1Char('[')) && name.endsWith(QLatin1Char(']')))
    return FindColumn(index, name.mid(1, name.size() - 2));
  return -1;
}

class SqliteDatabase;

class SqliteRecordset final : public Recordset {
 public:
  SqliteRecordset(std::shared_ptr<SqliteDatabase> db, QString table, QStringList names, QList<QVariantList> rows,
                  QList<qint64> rowIds)
      : db_(std::move(db)),
        table_(std::move(table)),
        names_(std::move(names)),
        rows_(std::move(rows)),
        rowIds_(std::move(rowIds)),
        index_(ColumnIndex(names_)) {}

  bool Eof() const override { return !open_ || rows_.isEmpty() || pos_ >= rows_.size(); }
  bool Bof() const override { return !open_ || rows_.isEmpty() || pos_ < 0; }
  void MoveFirst() override { Move(0); }
  void MoveNext() override { Move(pos_ + 1); }
  void MovePrevious() override { Move(pos_ - 1); }
  void MoveLast() override { Move(rows_.size() - 1); }
  int RecordCount() const override { return open_ ? static_cast<int>(rows_.size()) : 0; }
  int FieldCount() const override { return static_cast<int>(names_.size()); }
  QStringList FieldNames() const override { return names_; }

  Field Fields(const QString& name) const override { return Fields(IndexOf(name)); }

  Field Fields(int index) const override {
    if (index < 0 || index >= names_.size()) return Field();
    const QVariant* value = nullptr;
    if (mode_ != Mode::None) {
      value = &buffer_[index];
    } else {
      if (Eof() || Bof()) return Field();
      value = &rows_[pos_][index];
    }
    if (!value->isValid() || value->isNull()) return Field(Field::State::Null, *value);
    return Field(Field::State::Value, *value);
  }

  void Edit() override {
    CheckWritable();
    if (Eof() || Bof()) Raise(kJetNoCurrentRecord, kSourceRecordset, QStringLiteral("No current record."));
    buffer_ = rows_.at(pos_);
    changed_ = QList<bool>(names_.size(), false);
    mode_ = Mode::Edit;
  }

  void AddNew() override {
    CheckWritable();
    buffer_ = QVariantList(names_.size());
    changed_ = QList<bool>(names_.size(), false);
    mode_ = Mode::AddNew;
  }

  void SetField(const QString& name, const QVariant& value) override {
    CheckOpen();
    if (mode_ == Mode::None)
      Raise(kJetUpdateWithoutEdit, kSourceRecordset, QStringLiteral("Update or CancelUpdate without AddNew or Edit."));
    const int index = IndexOf(name);
    if (index < 0) Raise(kJetItemNotFound, kSourceRecordset, QStringLiteral("Item not found in this collection."));
    buffer_[index] = value;
    changed_[index] = true;
  }

  void Update() override;

  void Close() override {
    open_ = false;
    mode_ = Mode::None;
    rows_.clear();
    rowIds_.clear();
    db_.reset();
  }

  bool IsOpen() const override { return open_; }

 private:
  enum class Mode { None, Edit, AddNew };

  int IndexOf(const QString& name) const { return FindColumn(index_, name); }

  void Move(qsizetype to) {
    if (!open_ || rows_.isEmpty()) return;
    pos_ = std::clamp<qsizetype>(to, -1, rows_.size());
  }

  void CheckOpen() const {
    if (!open_) Raise(kJetObjectClosed, kSourceRecordset, QStringLiteral("Object invalid or no longer set."));
  }

  void CheckWritable() const;
  QVariantList Reread(qint64 rowId) const;

  std::shared_ptr<SqliteDatabase> db_;
  QString table_;
  QStringList names_;
  QList<QVariantList> rows_;
  QList<qint64> rowIds_;
  QHash<QString, int> index_;
  qsizetype pos_ = 0;
  bool open_ = true;
  Mode mode_ = Mode::None;
  QVariantList buffer_;
  QList<bool> changed_;
};

// The rows of one query as the engine steps through them: a column is read
// from the statement only when asked for, nothing is copied ahead. A text
// that repeats the one its column held on the row before (a state, a town,
// a harbour down a sorted list) is not converted again but shared.
class SqliteRowReader final : public RowReader {
 public:
  explicit SqliteRowReader(std::unique_ptr<Statement> statement)
      : statement_(std::move(statement)),
        index_(ColumnIndex(statement_->ColumnNames())),
        lastTexts_(std::size_t(statement_->ColumnCount())) {}

  int Position(const QString& name) override { return FindColumn(index_, name); }

  bool Next() override {
    if (done_) return false;
    current_ = false;
    done_ = true;  // a failing step ends the reading too
    if (!statement_->Step()) return false;
    done_ = false;
    return current_ = true;
  }

  Field Value(int position) const override {
    if (!current_ || position < 0 || position >= statement_->ColumnCount()) return Field();
    const int type = statement_->Type(position);
    if (type == SQLITE_TEXT && !statement_->IsBool(position)) return Field(Field::State::Value, SharedText(position));
    return Field(type == SQLITE_NULL ? Field::State::Null : Field::State::Value, statement_->Value(position, type));
  }

  QString Text(int position) const override {
    if (!current_ || position < 0 || position >= statement_->ColumnCount() || statement_->IsBool(position) ||
        statement_->Type(position) != SQLITE_TEXT)
      return QString();
    return SharedText(position);
  }

 private:
  struct LastText {
    std::string bytes;
    QString text;
    bool set = false;
  };

  const QString& SharedText(int position) const {
    LastText& last = lastTexts_[std::size_t(position)];
    const std::string_view bytes = statement_->Utf8(position);
    if (!last.set || bytes != last.bytes) {
      last.bytes.assign(bytes);
      last.text = QString::fromUtf8(bytes.data(), qsizetype(bytes.size()));
      last.set = true;
    }
    return last.text;
  }

  std::unique_ptr<Statement> statement_;
  QHash<QString, int> index_;
  mutable std::vector<LastText> lastTexts_;
  bool current_ = false;
  bool done_ = false;
};

class SqliteDatabase final : public Database, public std::enable_shared_from_this<SqliteDatabase> {
 public:
  // readOnly: the connection cannot write; askedReadOnly: because the opener
  // asked for that (else the file, its folder or its disk is read-only).
  SqliteDatabase(QString path, ConnectionPtr connection, bool readOnly, bool askedReadOnly)
      : path_(std::move(path)), connection_(std::move(connection)), readOnly_(readOnly), askedReadOnly_(askedReadOnly) {
    connection_->Enter();
  }
  ~SqliteDatabase() override { Close(); }

  std::unique_ptr<Recordset> OpenRecordset(const QString& sqlOrTable) override;

  RowReaderPtr OpenForwardOnly(const QString& sql) override {
    CheckOpen();
    return std::make_unique<SqliteRowReader>(Prepare(TranslateJetSql(sql), sql, kSourceDatabase, Access::Read));
  }

  void Execute(const QString& sql) override {
    CheckOpen();
    if (readOnly_) Raise(kJetCannotWrite, kSourceDatabase, CannotWriteHere());
    Statement statement(connection_, TranslateJetSql(sql), sql, kSourceDatabase, Access::Write);
    while (statement.Step()) {
    }
  }

  void ReadTogether(const std::function<void()>& work) override {
    CheckOpen();
    sqlite3* db = connection_->Handle();
    // BEGIN takes no lock yet; the first read takes one that lasts to the
    // end. Without a transaction (BEGIN failed, or one is open) work runs as
    // it is.
    if (!sqlite3_get_autocommit(db) || sqlite3_exec(db, "BEGIN", nullptr, nullptr, nullptr) != SQLITE_OK) {
      work();
      return;
    }
    try {
      work();
    } catch (...) {
      sqlite3_exec(db, "ROLLBACK", nullptr, nullptr, nullptr);
      throw;
    }
    // Ending a read cannot lose anything: a failed end lets go all the same.
    if (sqlite3_exec(db, "COMMIT", nullptr, nullptr, nullptr) != SQLITE_OK)
      sqlite3_exec(db, "ROLLBACK", nullptr, nullptr, nullptr);
  }

  // A kept connection stays open for the next opener.
  void Close() override {
    open_ = false;
    if (!connection_) return;
    connection_->Leave();
    connection_.reset();
  }

  bool IsOpen() const override { return open_; }
  bool IsReadOnly() const override { return readOnly_; }
  // The description of 3051 on this connection.
  QString CannotWriteHere() const { return CannotWrite(path_, askedReadOnly_); }
  QString Name() const override { return path_; }
  const QString& Path() const { return path_; }

  void CheckOpen() const {
    if (!open_) Raise(kJetObjectClosed, kSourceDatabase, QStringLiteral("Object invalid or no longer set."));
  }

  std::unique_ptr<Statement> Prepare(const QString& sql, const QString& shownSql, const QString& source,
                                     Access access) const {
    return std::make_unique<Statement>(connection_, sql, shownSql, source, access);
  }

  // Runs a query and loads every row. withRowId: the first column is the row
  // id, kept apart from the fields. Throws JetError.
  void Load(const QString& sql, const QString& shownSql, bool withRowId, QStringList& names,
            QList<QVariantList>& rows, QList<qint64>& rowIds) const {
    const std::unique_ptr<Statement> statement = Prepare(sql, shownSql, kSourceDatabase, Access::Read);
    const int first = withRowId ? 1 : 0;
    names = statement->ColumnNames(first);
    const int columns = statement->ColumnCount();
    while (statement->Step()) {
      QVariantList row;
      row.reserve(columns - first);
      for (int i = first; i < columns; ++i) row << statement->Value(i);
      rows << row;
      if (withRowId) rowIds << statement->RowId(0);
    }
  }

 private:
  QString path_;
  ConnectionPtr connection_;
  bool readOnly_;
  bool askedReadOnly_;
  bool open_ = true;
};

void SqliteRecordset::CheckWritable() const {
  CheckOpen();
  if (!db_ || !db_->IsOpen()) Raise(kJetObjectClosed, kSourceRecordset, QStringLiteral("Object invalid or no longer set."));
  if (db_->IsReadOnly()) Raise(kJetCannotWrite, kSourceRecordset, db_->CannotWriteHere());
  if (table_.isEmpty())
    Raise(kJetObjectReadOnly, kSourceRecordset, QStringLiteral("Cannot update. Database or object is read-only."));
}

// The row as the file now holds it (defaults filled in, types as stored);
// the edit buffer when it cannot be read back.
QVariantList SqliteRecordset::Reread(qint64 rowId) const {
  QStringList names;
  QList<QVariantList> rows;
  QList<qint64> ids;
  const QString sql = QStringLiteral("SELECT rowid AS %1, * FROM %2 WHERE rowid = %3")
                          .arg(kRowIdColumn, QuoteName(table_)).arg(rowId);
  try {
    db_->Load(sql, sql, true, names, rows, ids);
  } catch (const JetError&) {
    return buffer_;
  }
  if (rows.size() == 1 && names == names_) return rows.first();
  return buffer_;
}

void SqliteRecordset::Update() {
  CheckOpen();
  if (mode_ == Mode::None)
    Raise(kJetUpdateWithoutEdit, kSourceRecordset, QStringLiteral("Update or CancelUpdate without AddNew or Edit."));
  CheckWritable();
  QStringList columns;
  QVariantList values;
  for (qsizetype i = 0; i < names_.size(); ++i) {
    if (!changed_.at(i)) continue;
    columns << QuoteName(names_.at(i));
    values << buffer_.at(i);
  }
  if (mode_ == Mode::Edit) {
    if (columns.isEmpty()) {
      mode_ = Mode::None;
      return;
    }
    QStringList sets;
    for (const QString& column : columns) sets << column + QStringLiteral(" = ?");
    const QString sql = QStringLiteral("UPDATE %1 SET %2 WHERE rowid = ?").arg(QuoteName(table_), sets.join(QStringLiteral(", ")));
    const std::unique_ptr<Statement> statement = db_->Prepare(sql, sql, kSourceRecordset, Access::Write);
    for (const QVariant& value : values) statement->Bind(value);
    statement->Bind(rowIds_.at(pos_));
    statement->Step();
    rows_[pos_] = Reread(rowIds_.at(pos_));
  } else {
    QString sql;
    if (columns.isEmpty()) {
      sql = QStringLiteral("INSERT INTO %1 DEFAULT VALUES").arg(QuoteName(table_));
    } else {
      sql = QStringLiteral("INSERT INTO %1 (%2) VALUES (%3)")
                .arg(QuoteName(table_), columns.join(QStringLiteral(", ")),
                     QStringList(columns.size(), QStringLiteral("?")).join(QStringLiteral(", ")));
    }
    const std::unique_ptr<Statement> statement = db_->Prepare(sql, sql, kSourceRecordset, Access::Write);
    for (const QVariant& value : values) statement->Bind(value);
    statement->Step();
    const qint64 rowId = statement->LastInsertRowId();
    const bool atEnd = pos_ >= rows_.size();
    rows_.append(Reread(rowId));
    rowIds_.append(rowId);
    if (atEnd) pos_ = rows_.size();
  }
  mode_ = Mode::None;
}

std::unique_ptr<Recordset> SqliteDatabase::OpenRecordset(const QString& sqlOrTable) {
  CheckOpen();
  const Source source = ParseSource(WithoutLoneSurrogates(sqlOrTable));
  const QString translated = TranslateJetSql(source.sql);
  QStringList names;
  QList<QVariantList> rows;
  QList<qint64> rowIds;
  if (!source.table.isEmpty()) {
    // The row id tells later writes which row to change. A source whose rows
    // have none (a view) is read as it stands, and cannot write through.
    static const QRegularExpression select(QStringLiteral("^\\s*select\\s+\\*"), QRegularExpression::CaseInsensitiveOption);
    QString withRowId = translated;
    withRowId.replace(select, QStringLiteral("SELECT rowid AS %1, *").arg(kRowIdColumn));
    try {
      Load(withRowId, sqlOrTable, true, names, rows, rowIds);
      return std::make_unique<SqliteRecordset>(shared_from_this(), source.table, names, rows, rowIds);
    } catch (const JetError& e) {
      if (IsReadFailure(e.number())) throw;  // the file, not the row id, is what failed
    }
    names.clear();
    rows.clear();
    rowIds.clear();
  }
  Load(translated, sqlOrTable, false, names, rows, rowIds);
  return std::make_unique<SqliteRecordset>(shared_from_this(), QString(), names, rows, QList<qint64>());
}

// Opens a fresh connection on a file that passed OpenDatabase's checks. A
// connection serves one thread (kept connections are kept per thread), so the
// engine's own locking of each call is left out.
ConnectionPtr Connect(const QString& path, bool readOnly) {
  sqlite3* db = nullptr;
  const int rc = sqlite3_open_v2(QFile::encodeName(path).constData(), &db,
                                 (readOnly ? SQLITE_OPEN_READONLY : SQLITE_OPEN_READWRITE) | SQLITE_OPEN_NOMUTEX,
                                 nullptr);
  auto connection = std::make_shared<Connection>(db, path);  // closes it, opened or not
  if (rc != SQLITE_OK)
    RaiseEngineError(sqlite3_extended_errcode(db), QString::fromUtf8(sqlite3_errmsg(db)), sqlite3_system_errno(db),
                     kSourceWorkspace, path, QString(), Access::Read);
  sqlite3_extended_result_codes(db, 1);
  WaitForLocks(db);
  // The file is only read on the first statement: make sure it is a database.
  Statement probe(connection, QStringLiteral("SELECT count(*) FROM sqlite_master"), QString(), kSourceWorkspace,
                  Access::Read);
  while (probe.Step()) {
  }
  return connection;
}

// The checks of every open, in the order the engine reports them.
void CheckFile(const QString& path, const QFileInfo& info) {
  RaiseIfGone(path, info, kSourceWorkspace);
  if (!info.isReadable())
    Raise(kJetCannotWrite, kSourceWorkspace,
          QStringLiteral("The database engine cannot open the file '%1'. You need permission to read it.").arg(path));
  if (!LooksLikeDatabase(path))
    Raise(kJetUnrecognizedFormat, kSourceWorkspace, QStringLiteral("Unrecognized database format '%1'.").arg(path));
}

// Any recordset read forward: the columns are looked up by name on each read.
class RecordsetRowReader final : public RowReader {
 public:
  explicit RecordsetRowReader(RecordsetPtr records) : records_(std::move(records)) {}
  ~RecordsetRowReader() override {
    try {
      records_->Close();
    } catch (const std::exception&) {
      // Nothing to tell from a destructor: the recordset is released all the same.
    }
  }

  int Position(const QString& name) override {
    names_ << name;
    return static_cast<int>(names_.size()) - 1;
  }

  bool Next() override {
    if (started_) {
      records_->MoveNext();
    } else {
      started_ = true;
      records_->MoveFirst();
    }
    return !records_->Eof();
  }

  Field Value(int position) const override {
    if (position < 0 || position >= names_.size() || !started_) return Field();
    return records_->Fields(names_[position]);
  }

 private:
  RecordsetPtr records_;
  QStringList names_;
  bool started_ = false;
};

}  // namespace

QString RowReader::Text(int position) const {
  const Field field = Value(position);
  return field.HasValue() && field.Value().typeId() == QMetaType::QString ? field.Value().toString() : QString();
}

NoLockWait::NoLockWait() { ++noLockWaits; }
NoLockWait::~NoLockWait() { --noLockWaits; }

LockWaitBudget::LockWaitBudget(int ms) : previous_(budgetEnds) { budgetEnds = std::min(budgetEnds, NowMs() + ms); }
LockWaitBudget::~LockWaitBudget() { budgetEnds = previous_; }

qint64 LockWaitedMs() { return lockWaitedMs; }

bool OnOpticalDisc(const QString& path) {
  const QByteArray type = QStorageInfo(QFileInfo(path).absolutePath()).fileSystemType();
  return type == "iso9660" || type == "udf";
}

DatabaseFault DiagnoseDatabaseFault(int number, const QString& path) {
  const QFileInfo info(path);
  switch (number) {
    case kJetCannotWrite:
      return info.exists() && !info.isReadable() ? DatabaseFault::Other : ReadOnlyCause(path);
    case kJetLocked:
    case kJetFileInUse: return DatabaseFault::Locked;
    case kJetDiskFull: return DatabaseFault::DiskFull;
    case kJetDiskOrNetwork:
    case kJetDiskIo:
    case kJetFileNotFound:
      if (!QFileInfo(info.absolutePath()).isDir()) return DatabaseFault::MissingFolder;
      if (!info.exists()) return DatabaseFault::MissingFile;
      return number == kJetFileNotFound ? DatabaseFault::Other : DatabaseFault::IoError;
    default: return DatabaseFault::Other;
  }
}

RowReaderPtr Database::OpenForwardOnly(const QString& sql) {
  return std::make_unique<RecordsetRowReader>(OpenRecordset(sql));
}

std::shared_ptr<Database> Database::OpenDatabase(const QString& path, int options, bool readOnly,
                                                 const QString& connect) {
  Q_UNUSED(options);  // exclusive use is not enforced: several connections may be open at once
  Q_UNUSED(connect);  // the file carries no password
  const QFileInfo info(path);
  const QString key = info.absoluteFilePath();
  try {
    CheckFile(path, info);
  } catch (const JetError&) {
    Kept().Forget(key);  // a file or medium that is gone is not held open
    throw;
  }

  // A read-only file or medium opens read-only whatever was asked, so that
  // every write fails alike.
  const bool effectiveReadOnly = readOnly || !FileWritable(info) || !FolderWritable(info);
  if (!effectiveReadOnly) return std::make_shared<SqliteDatabase>(path, Connect(path, false), false, false);

  // Taken before the connection opens: a file replaced meanwhile differs at
  // the next open and is opened afresh.
  const std::optional<FileIdentity> identity = IdentityOf(path);
  if (identity) {
    if (ConnectionPtr kept = Kept().Find(key, *identity))
      return std::make_shared<SqliteDatabase>(path, kept, true, readOnly);
  }
  ConnectionPtr connection = Connect(path, true);
  // A connection kept open for a file on a disc would hold the disc in its
  // drive; those are opened afresh each time.
  if (identity && !OnOpticalDisc(path)) Kept().Keep(key, *identity, connection);
  return std::make_shared<SqliteDatabase>(path, connection, true, readOnly);
}

}  // namespace qw

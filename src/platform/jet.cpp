// The database engine over Qt SQL and SQLite.
#include "platform/jet.h"

#include <QAtomicInteger>
#include <QFile>
#include <QFileInfo>
#include <QHash>
#include <QRegularExpression>
#include <QSqlDatabase>
#include <QSqlError>
#include <QSqlField>
#include <QSqlQuery>
#include <QSqlRecord>
#include <QStorageInfo>
#include <QThread>
#include <sys/stat.h>

#include <algorithm>
#include <mutex>
#include <optional>
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
}  // namespace
const QList<EngineError>& Errors() { return Collection(); }
void RefreshErrors() { Collection().clear(); }
void SetErrors(const QList<EngineError>& errors) { Collection() = errors; }
}  // namespace DBEngine

namespace {

const QString kSourceWorkspace = QStringLiteral("DAO.Workspace");
const QString kSourceDatabase = QStringLiteral("DAO.Database");
const QString kSourceRecordset = QStringLiteral("DAO.Recordset");
const QString kRowIdColumn = QStringLiteral("__qw_rowid");

// Every failing call ends here: the error replaces the engine's collection
// and is thrown.
[[noreturn]] void Raise(int number, const QString& source, const QString& description) {
  DBEngine::SetErrors({EngineError{number, source, description}});
  throw JetError(number, source, description);
}

QString CannotWrite(const QString& path) {
  return QStringLiteral("Cannot write to the database '%1': the file or its medium is read-only.").arg(path);
}

// The engine error for a failed statement.
[[noreturn]] void RaiseSqlError(const QSqlError& error, const QString& source, const QString& path,
                                const QString& sql) {
  const int code = error.nativeErrorCode().toInt() & 0xFF;  // primary result code
  const QString text = error.databaseText().isEmpty() ? error.text() : error.databaseText();
  switch (code) {
    case 8:   // read-only database
    case 14:  // the file (or its journal) cannot be opened for writing
    case 23:  // not authorised
      Raise(kJetCannotWrite, source, CannotWrite(path));
    case 10:  // I/O error: the medium went away
      Raise(kJetDiskOrNetwork, source, QStringLiteral("Disk or network error."));
    case 26:
      Raise(kJetUnrecognizedFormat, source, QStringLiteral("Unrecognized database format '%1'.").arg(path));
    case 11:
      Raise(kJetDamagedFile, source, QStringLiteral("Cannot open database '%1'. The file may be damaged.").arg(path));
    case 13:
      Raise(kJetDiskFull, source, QStringLiteral("Not enough space on disk."));
    case 5:
    case 6:
      Raise(kJetLocked, source, QStringLiteral("Could not update; the database is locked by another connection."));
    case 19:
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
  Raise(kJetReserved, source, QStringLiteral("Reserved error (%1); %2").arg(code).arg(text));
}

QString QuoteName(const QString& name) {
  QString quoted = name;
  quoted.replace(QLatin1Char('"'), QStringLiteral("\"\""));
  return QLatin1Char('"') + quoted + QLatin1Char('"');
}

// A write keeps Yes/No as 1/0 and Empty as Null.
QVariant ForBinding(const QVariant& value) {
  if (!value.isValid()) return QVariant(QMetaType::fromType<QString>());
  if (value.typeId() == QMetaType::Bool && !value.isNull()) return QVariant(value.toBool() ? 1 : 0);
  return value;
}

// Whether a file carries the SQLite header.
bool LooksLikeDatabase(const QString& path) {
  QFile file(path);
  if (!file.open(QIODevice::ReadOnly)) return true;  // let the engine report what is wrong
  const QByteArray head = file.read(16);
  return head == QByteArray("SQLite format 3\0", 16);
}

// Whether the file may be written: the system allows it and the file is not
// marked read-only (also for a user, such as root, whom the system would let
// write a read-only file).
bool FileWritable(const QFileInfo& info) {
  const QFile::Permissions writeBits = QFile::WriteOwner | QFile::WriteGroup | QFile::WriteOther;
  return info.isWritable() && (info.permissions() & writeBits);
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

// One open Qt SQL connection, closed and removed when its last user lets go.
// Only its name is held, so that Qt's own clean-up at application exit finds
// no copy still in use.
class SqlConnection {
 public:
  explicit SqlConnection(QString name) : name_(std::move(name)) {}
  SqlConnection(const SqlConnection&) = delete;
  SqlConnection& operator=(const SqlConnection&) = delete;
  ~SqlConnection() {
    {
      QSqlDatabase db = QSqlDatabase::database(name_, false);
      db.close();
    }
    QSqlDatabase::removeDatabase(name_);
  }
  QSqlDatabase Get() const { return QSqlDatabase::database(name_, false); }
  // False once Qt has closed it (its clean-up when an application ends).
  bool IsOpen() const { return Get().isOpen(); }

  // Searches run many small index probes: reading through a mapping of the
  // file instead of a per-connection cache takes about a third off a large
  // search. The file is mapped only while a handle uses the connection, so
  // that a connection kept between searches holds none of it in memory.
  void Enter() {
    if (users_++ == 0) SetMapping(268435456);
  }
  void Leave() {
    if (--users_ == 0) SetMapping(0);
  }

 private:
  void SetMapping(qint64 bytes) {
    QSqlQuery query(Get());
    query.exec(QStringLiteral("PRAGMA mmap_size=%1").arg(bytes));
  }

  QString name_;
  int users_ = 0;
};
using SqlConnectionPtr = std::shared_ptr<SqlConnection>;

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

// A connection kept open for a file on a disc would hold the disc in its
// drive; those are opened afresh each time, as before.
bool OnRemovableMedium(const QString& path) {
  const QByteArray type = QStorageInfo(path).fileSystemType();
  return type == "iso9660" || type == "udf";
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
  SqlConnectionPtr Find(const QString& path, const FileIdentity& identity) {
    const std::lock_guard lock(mutex_);
    const auto it = Entry(path);
    if (it == entries_.end()) return nullptr;
    if (!(it->identity == identity) || !it->connection->IsOpen()) {
      entries_.erase(it);
      return nullptr;
    }
    // Most recently used last.
    std::rotate(it, it + 1, entries_.end());
    return entries_.back().connection;
  }

  void Keep(const QString& path, const FileIdentity& identity, SqlConnectionPtr connection) {
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
    QThread* thread;  // a Qt SQL connection serves only the thread that made it
    FileIdentity identity;
    SqlConnectionPtr connection;
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

// Never destroyed: the kept connections end with Qt's own clean-up of every
// connection when the application object goes, or with the process.
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

bool IsBoolColumn(const QSqlRecord& record, int column) {
  return record.field(column).metaType().id() == QMetaType::Bool;
}

// A value as the program reads it: Yes/No columns as bool.
QVariant AsRead(QVariant value, bool isBool) {
  if (isBool && !value.isNull()) return QVariant(value.toLongLong() != 0);
  return value;
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

// The rows of one query as the engine steps through them: each value is read
// from the statement when asked for, nothing is copied ahead.
class SqliteRowReader final : public RowReader {
 public:
  // query has run on connection, which is kept for as long as the query lives.
  SqliteRowReader(SqlConnectionPtr connection, QSqlQuery query, QString path, QString sql)
      : connection_(std::move(connection)), query_(std::move(query)), path_(std::move(path)), sql_(std::move(sql)) {
    const QSqlRecord record = query_.record();
    QStringList names;
    for (int i = 0; i < record.count(); ++i) {
      names << record.fieldName(i);
      isBool_ << IsBoolColumn(record, i);
    }
    index_ = ColumnIndex(names);
  }

  int Position(const QString& name) override { return FindColumn(index_, name); }

  bool Next() override {
    if (done_) return false;
    if (query_.next()) return current_ = true;
    current_ = false;
    done_ = true;
    if (query_.lastError().isValid()) RaiseSqlError(query_.lastError(), kSourceRecordset, path_, sql_);
    query_.finish();
    return false;
  }

  Field Value(int position) const override {
    if (!current_ || position < 0 || position >= isBool_.size()) return Field();
    QVariant value = query_.value(position);
    if (value.isNull()) return Field(Field::State::Null, value);
    return Field(Field::State::Value, AsRead(std::move(value), isBool_[position]));
  }

 private:
  SqlConnectionPtr connection_;
  QSqlQuery query_;  // after the connection: ends before it
  QString path_;
  QString sql_;
  QHash<QString, int> index_;
  QList<bool> isBool_;
  bool current_ = false;
  bool done_ = false;
};

class SqliteDatabase final : public Database, public std::enable_shared_from_this<SqliteDatabase> {
 public:
  SqliteDatabase(QString path, SqlConnectionPtr connection, bool readOnly)
      : path_(std::move(path)), connection_(std::move(connection)), readOnly_(readOnly) {
    connection_->Enter();
  }
  ~SqliteDatabase() override { Close(); }

  std::unique_ptr<Recordset> OpenRecordset(const QString& sqlOrTable) override;
  RowReaderPtr OpenForwardOnly(const QString& sql) override;

  void Execute(const QString& sql) override {
    CheckOpen();
    if (readOnly_) Raise(kJetCannotWrite, kSourceDatabase, CannotWrite(path_));
    const QString translated = TranslateJetSql(sql);
    QSqlQuery query(Connection());
    if (!query.exec(translated)) RaiseSqlError(query.lastError(), kSourceDatabase, path_, sql);
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
  QString Name() const override { return path_; }

  QSqlDatabase Connection() const { return connection_ ? connection_->Get() : QSqlDatabase(); }
  const QString& Path() const { return path_; }

  void CheckOpen() const {
    if (!open_) Raise(kJetObjectClosed, kSourceDatabase, QStringLiteral("Object invalid or no longer set."));
  }

  // Prepares and runs sql, to be read forward; false with the error when the
  // engine refuses it.
  bool Start(QSqlQuery& query, const QString& sql, QSqlError& error) const {
    query = QSqlQuery(Connection());
    query.setForwardOnly(true);
    if (query.prepare(sql) && query.exec()) return true;
    error = query.lastError();
    return false;
  }

  // Runs a query and loads every row. withRowId: the first column is the row
  // id, kept apart from the fields.
  bool Load(const QString& sql, bool withRowId, QStringList& names, QList<QVariantList>& rows, QList<qint64>& rowIds,
            QSqlError& error) const {
    QSqlQuery query;
    if (!Start(query, sql, error)) return false;
    const QSqlRecord record = query.record();
    const int first = withRowId ? 1 : 0;
    QList<bool> isBool;
    for (int i = first; i < record.count(); ++i) {
      names << record.fieldName(i);
      isBool << IsBoolColumn(record, i);
    }
    while (query.next()) {
      QVariantList row;
      row.reserve(record.count() - first);
      for (int i = first; i < record.count(); ++i) row << AsRead(query.value(i), isBool.at(i - first));
      rows << row;
      if (withRowId) rowIds << query.value(0).toLongLong();
    }
    if (query.lastError().isValid()) {
      error = query.lastError();
      return false;
    }
    return true;
  }

 private:
  QString path_;
  SqlConnectionPtr connection_;
  bool readOnly_;
  bool open_ = true;
};

void SqliteRecordset::CheckWritable() const {
  CheckOpen();
  if (!db_ || !db_->IsOpen()) Raise(kJetObjectClosed, kSourceRecordset, QStringLiteral("Object invalid or no longer set."));
  if (db_->IsReadOnly()) Raise(kJetCannotWrite, kSourceRecordset, CannotWrite(db_->Path()));
  if (table_.isEmpty())
    Raise(kJetObjectReadOnly, kSourceRecordset, QStringLiteral("Cannot update. Database or object is read-only."));
}

// The row as the file now holds it (defaults filled in, types as stored);
// the edit buffer when it cannot be read back.
QVariantList SqliteRecordset::Reread(qint64 rowId) const {
  QStringList names;
  QList<QVariantList> rows;
  QList<qint64> ids;
  QSqlError error;
  const QString sql = QStringLiteral("SELECT rowid AS %1, * FROM %2 WHERE rowid = %3")
                          .arg(kRowIdColumn, QuoteName(table_)).arg(rowId);
  if (db_->Load(sql, true, names, rows, ids, error) && rows.size() == 1 && names == names_) return rows.first();
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
    values << ForBinding(buffer_.at(i));
  }
  QSqlQuery query(db_->Connection());
  if (mode_ == Mode::Edit) {
    if (columns.isEmpty()) {
      mode_ = Mode::None;
      return;
    }
    QStringList sets;
    for (const QString& column : columns) sets << column + QStringLiteral(" = ?");
    const QString sql = QStringLiteral("UPDATE %1 SET %2 WHERE rowid = ?").arg(QuoteName(table_), sets.join(QStringLiteral(", ")));
    if (!query.prepare(sql)) RaiseSqlError(query.lastError(), kSourceRecordset, db_->Path(), sql);
    for (const QVariant& value : values) query.addBindValue(value);
    query.addBindValue(rowIds_.at(pos_));
    if (!query.exec()) RaiseSqlError(query.lastError(), kSourceRecordset, db_->Path(), sql);
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
    if (!query.prepare(sql)) RaiseSqlError(query.lastError(), kSourceRecordset, db_->Path(), sql);
    for (const QVariant& value : values) query.addBindValue(value);
    if (!query.exec()) RaiseSqlError(query.lastError(), kSourceRecordset, db_->Path(), sql);
    const qint64 rowId = query.lastInsertId().toLongLong();
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
  QSqlError error;
  if (!source.table.isEmpty()) {
    // The row id tells later writes which row to change.
    static const QRegularExpression select(QStringLiteral("^\\s*select\\s+\\*"), QRegularExpression::CaseInsensitiveOption);
    QString withRowId = translated;
    withRowId.replace(select, QStringLiteral("SELECT rowid AS %1, *").arg(kRowIdColumn));
    if (Load(withRowId, true, names, rows, rowIds, error))
      return std::make_unique<SqliteRecordset>(shared_from_this(), source.table, names, rows, rowIds);
    names.clear();
    rows.clear();
    rowIds.clear();
  }
  if (!Load(translated, false, names, rows, rowIds, error)) RaiseSqlError(error, kSourceDatabase, path_, sqlOrTable);
  return std::make_unique<SqliteRecordset>(shared_from_this(), QString(), names, rows, QList<qint64>());
}

RowReaderPtr SqliteDatabase::OpenForwardOnly(const QString& sql) {
  CheckOpen();
  QSqlQuery query;
  QSqlError error;
  if (!Start(query, TranslateJetSql(sql), error)) RaiseSqlError(error, kSourceDatabase, path_, sql);
  return std::make_unique<SqliteRowReader>(connection_, std::move(query), path_, sql);
}

}  // namespace

namespace {

// Opens a fresh connection on a file that passed OpenDatabase's checks.
SqlConnectionPtr Connect(const QString& path, bool readOnly) {
  static QAtomicInteger<quint64> counter;
  const QString name = QStringLiteral("qw_jet_%1").arg(counter.fetchAndAddRelaxed(1) + 1);
  QSqlDatabase db = QSqlDatabase::addDatabase(QStringLiteral("QSQLITE"), name);
  auto connection = std::make_shared<SqlConnection>(name);
  db.setDatabaseName(path);
  db.setConnectOptions(readOnly ? QStringLiteral("QSQLITE_OPEN_READONLY;QSQLITE_BUSY_TIMEOUT=3000")
                                : QStringLiteral("QSQLITE_BUSY_TIMEOUT=3000"));
  bool ok = db.open();
  QSqlError error = db.lastError();
  if (ok) {
    // The file is only read on the first statement: make sure it is a database.
    QSqlQuery probe(db);
    ok = probe.exec(QStringLiteral("SELECT count(*) FROM sqlite_master"));
    if (!ok) error = probe.lastError();
  }
  db = QSqlDatabase();
  if (!ok) {
    connection.reset();  // closes and removes it
    RaiseSqlError(error, kSourceWorkspace, path, QString());
  }
  return connection;
}

// The checks of every open, in the order the engine reports them.
void CheckFile(const QString& path, const QFileInfo& info) {
  const QFileInfo folder(info.absolutePath());
  if (path.isEmpty() || !folder.isDir()) Raise(kJetDiskOrNetwork, kSourceWorkspace, QStringLiteral("Disk or network error."));
  if (!info.exists() || info.isDir())
    Raise(kJetFileNotFound, kSourceWorkspace, QStringLiteral("Could not find file '%1'.").arg(path));
  if (!info.isReadable())
    Raise(kJetCannotWrite, kSourceWorkspace,
          QStringLiteral("The database engine cannot open the file '%1'. You need permission to read it.").arg(path));
  if (!LooksLikeDatabase(path))
    Raise(kJetUnrecognizedFormat, kSourceWorkspace, QStringLiteral("Unrecognized database format '%1'.").arg(path));
}

}  // namespace

namespace {

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
  const bool effectiveReadOnly = readOnly || !FileWritable(info);
  if (!effectiveReadOnly) return std::make_shared<SqliteDatabase>(path, Connect(path, false), false);

  // Taken before the connection opens: a file replaced meanwhile differs at
  // the next open and is opened afresh.
  const std::optional<FileIdentity> identity = IdentityOf(path);
  if (identity) {
    if (SqlConnectionPtr kept = Kept().Find(key, *identity)) return std::make_shared<SqliteDatabase>(path, kept, true);
  }
  SqlConnectionPtr connection = Connect(path, true);
  if (identity && !OnRemovableMedium(path)) Kept().Keep(key, *identity, connection);
  return std::make_shared<SqliteDatabase>(path, connection, true);
}

}  // namespace qw

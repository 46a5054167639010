#include "raw_sqlite.h"

#include <QFile>
#include <benchmark/benchmark.h>
#include <sqlite3.h>

namespace qw::bench {

RawSqlite::RawSqlite(const QString& path) {
  if (sqlite3_open_v2(QFile::encodeName(path).constData(), &db_, SQLITE_OPEN_READONLY, nullptr) != SQLITE_OK) {
    sqlite3_close(db_);
    db_ = nullptr;
    return;
  }
  sqlite3_exec(db_, "PRAGMA mmap_size=9223372036854775807", nullptr, nullptr, nullptr);
  Run("SELECT count(*) FROM sqlite_master");  // reads the schema: warm from here on
}

RawSqlite::~RawSqlite() { sqlite3_close(db_); }

RawSqlite::Result RawSqlite::Run(const QByteArray& sql) {
  Result result;
  sqlite3_stmt* statement = nullptr;
  if (!db_ || sqlite3_prepare_v2(db_, sql.constData(), static_cast<int>(sql.size()), &statement, nullptr) != SQLITE_OK)
    return result;
  long long rows = 0;
  int rc;
  while ((rc = sqlite3_step(statement)) == SQLITE_ROW) {
    const int columns = sqlite3_column_count(statement);
    for (int i = 0; i < columns; ++i) {
      switch (sqlite3_column_type(statement, i)) {
        case SQLITE_INTEGER:
          benchmark::DoNotOptimize(sqlite3_column_int64(statement, i));
          break;
        case SQLITE_FLOAT:
          benchmark::DoNotOptimize(sqlite3_column_double(statement, i));
          break;
        case SQLITE_TEXT:
          benchmark::DoNotOptimize(sqlite3_column_text(statement, i));
          break;
        default:
          break;
      }
    }
    if (rows == 0 && columns > 0) result.first = sqlite3_column_int64(statement, 0);
    ++rows;
  }
  sqlite3_finalize(statement);
  if (rc == SQLITE_DONE) result.rows = rows;
  return result;
}

}  // namespace qw::bench

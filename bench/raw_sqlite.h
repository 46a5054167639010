#pragma once
// Raw SQLite through its C API on one warm connection: the yardstick for the
// program's own figures, measured in the same run.
#include <QByteArray>
#include <QString>

struct sqlite3;

namespace qw::bench {

class RawSqlite {
 public:
  // Opens path read-only with the whole file mapped, as the program's adapter
  // maps it.
  explicit RawSqlite(const QString& path);
  ~RawSqlite();
  RawSqlite(const RawSqlite&) = delete;
  RawSqlite& operator=(const RawSqlite&) = delete;

  struct Result {
    long long rows = -1;   // -1: the query failed
    long long first = 0;   // the first column of the first row, as a number
  };
  // Runs sql (SQLite's dialect) and reads every column of every row.
  Result Run(const QByteArray& sql);

 private:
  sqlite3* db_ = nullptr;
};

}  // namespace qw::bench

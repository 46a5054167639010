#pragma once
// Raw SQLite through its C API on one warm connection: the yardstick for the
// program's own figures, measured in the same run.
#include <QByteArray>
#include <QString>
#include <benchmark/benchmark.h>
#include <chrono>

struct sqlite3;

namespace qw::bench {

class RawSqlite {
 public:
  // Opens path read-only with the same page mapping as the program's adapter.
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

// Times ours() as the benchmark's iteration, and raw() right after it in the
// same iteration with the benchmark's clock stopped, so that both meet the
// same machine load. Reports raw's time per iteration (raw_ms) and ours over
// raw (x_raw). ours() returns false after it has called state.SkipWithError.
template <typename Ours, typename Raw>
void TimeAgainstRaw(benchmark::State& state, Ours&& ours, Raw&& raw) {
  using Clock = std::chrono::steady_clock;
  Clock::duration oursTime{};
  Clock::duration rawTime{};
  for (auto _ : state) {
    const auto start = Clock::now();
    if (!ours()) break;
    const auto middle = Clock::now();
    state.PauseTiming();
    raw();
    rawTime += Clock::now() - middle;
    state.ResumeTiming();
    oursTime += middle - start;
  }
  if (state.iterations() == 0 || rawTime.count() == 0) return;
  state.counters["raw_ms"] =
      std::chrono::duration<double, std::milli>(rawTime).count() / static_cast<double>(state.iterations());
  state.counters["x_raw"] = std::chrono::duration<double>(oursTime) / std::chrono::duration<double>(rawTime);
}

}  // namespace qw::bench

#pragma once
// What the benchmarks share: the databases and settings they run on, the
// process's memory, and the timing of the program's work against its floor.
#include <QString>
#include <benchmark/benchmark.h>
#include <chrono>
#include <string>

namespace qw::bench {

// The program folder the build laid out, and the generator's demo database.
QString DemoFolder();
QString DemoDatabase();
// The larger generated database named by QUAYWISE_BENCH_LARGE_DB; "" when unset.
QString LargeDatabase();

// Points the program's settings at the database at path. demoFilter: the
// demo edition's filter (7th edition, sub-regions 5 to 16); otherwise every
// marina. Geographic order.
void UseDatabase(const QString& path, bool demoFilter);

// The process's resident memory now and at its peak, in MiB.
double ResidentMib();
double PeakResidentMib();
// Starts counting the peak anew (PeakResidentMib then gives the peak since).
void ResetPeakResident();
// Sets the counters rss_mb (now, the database file still mapped for a
// moment after its last use), idle_mb (once the program has been idle long
// enough to let the mapping go) and peak_mb.
void CountMemory(benchmark::State& state);

// Times ours() as the benchmark's iteration, and floor() right after it in the
// same iteration with the benchmark's clock stopped, so that both meet the
// same machine load. Reports floor's time per iteration (<name>_ms) and ours
// over floor (x_<name>). ours() returns false after it has called
// state.SkipWithError. before() runs ahead of each ours(), timed by neither.
template <typename Ours, typename Floor, typename Before = void (*)()>
void TimeAgainst(benchmark::State& state, const std::string& name, Ours&& ours, Floor&& floor,
                 Before&& before = [] {}) {
  using Clock = std::chrono::steady_clock;
  Clock::duration oursTime{};
  Clock::duration floorTime{};
  for (auto _ : state) {
    state.PauseTiming();
    before();
    state.ResumeTiming();
    const auto start = Clock::now();
    if (!ours()) break;
    const auto middle = Clock::now();
    state.PauseTiming();
    floor();
    floorTime += Clock::now() - middle;
    state.ResumeTiming();
    oursTime += middle - start;
  }
  if (state.iterations() == 0 || floorTime.count() == 0) return;
  state.counters[name + "_ms"] =
      std::chrono::duration<double, std::milli>(floorTime).count() / static_cast<double>(state.iterations());
  state.counters["x_" + name] = std::chrono::duration<double>(oursTime) / std::chrono::duration<double>(floorTime);
}

}  // namespace qw::bench

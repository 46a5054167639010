#include "bench_support.h"

#include <QCoreApplication>
#include <QElapsedTimer>
#include <QFileInfo>
#include <sys/resource.h>
#include <unistd.h>

#include <fstream>
#include <string>

#include "platform/program.h"
#include "services/settings.h"

namespace qw::bench {

QString DemoFolder() { return QStringLiteral(QUAYWISE_PROGRAM_DIR); }
QString DemoDatabase() { return QStringLiteral(QUAYWISE_DEMO_DB); }
QString LargeDatabase() { return qEnvironmentVariable("QUAYWISE_BENCH_LARGE_DB"); }

void UseDatabase(const QString& path, bool demoFilter) {
  AppSettings& s = Settings();
  s = AppSettings{};
  const QFileInfo file(path);
  s.DataFolder = file.absolutePath();
  s.DatabaseFileName = file.fileName();
  s.EditionName = QStringLiteral("New England");
  if (demoFilter) {
    s.EditionFilter = QStringLiteral("In 7th Edition");
    s.GeoCodeFrom = 5;
    s.GeoCodeTo = 16;
  }
  SortOrder() = ListOrder::Geographic;
  SetProgramFolder(DemoFolder());
}

double ResidentMib() {
  long pages = 0, resident = 0;
  std::ifstream("/proc/self/statm") >> pages >> resident;
  return double(resident) * double(sysconf(_SC_PAGESIZE)) / (1024.0 * 1024.0);
}

void CountMemory(benchmark::State& state) {
  state.counters["rss_mb"] = ResidentMib();
  QElapsedTimer idle;
  idle.start();
  while (idle.elapsed() < 2500) QCoreApplication::processEvents(QEventLoop::AllEvents, 50);
  state.counters["idle_mb"] = ResidentMib();
  state.counters["peak_mb"] = PeakResidentMib();
}

double PeakResidentMib() {
  // The kernel's high-water mark, which ResetPeakResident can set back.
  std::ifstream status("/proc/self/status");
  for (std::string line; std::getline(status, line);)
    if (line.rfind("VmHWM:", 0) == 0) return std::stod(line.substr(6)) / 1024.0;
  rusage usage{};
  getrusage(RUSAGE_SELF, &usage);
  return double(usage.ru_maxrss) / 1024.0;
}

void ResetPeakResident() { std::ofstream("/proc/self/clear_refs") << "5"; }

}  // namespace qw::bench

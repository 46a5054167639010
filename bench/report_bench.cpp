// One marina's whole report composed from the demo database and written to
// its two page files, as the viewer does for every selection: the hiding
// flags, the upper boxes, the middle section with its two balanced columns,
// the bottom band, the ornaments.
#include <QCoreApplication>
#include <QTemporaryDir>
#include <benchmark/benchmark.h>

#include "platform/jet.h"
#include "platform/program.h"
#include "report/dont_show.h"
#include "report/report_files.h"
#include "report/report_page.h"

namespace {

QString DemoFolder() { return QStringLiteral(QUAYWISE_PROGRAM_DIR); }

qw::DatabasePtr OpenDemo() {
  return qw::Database::OpenDatabase(DemoFolder() + QStringLiteral("/Database/marina.mdb"), -1, true,
                                    QStringLiteral(";PWD=x"));
}

qw::ReportRequest Request(int marinaNo) {
  qw::ReportRequest r;
  r.marinaNo = marinaNo;
  r.edition = QStringLiteral("New England");
  r.photosFolder = DemoFolder() + QStringLiteral("/Photos");
  r.programFolder = DemoFolder();
  return r;
}

// The marinas in turn: a full one, one with further photos, one with the
// program's photo and a long name.
const int kMarinas[] = {2673, 507, 581, 865};

void Run(benchmark::State& state, bool reopen) {
  QTemporaryDir pages;
  qw::SetProgramFolder(pages.path());
  qw::DatabasePtr db = OpenDemo();
  qw::DontShowFlags flags;
  size_t i = 0;
  for (auto _ : state) {
    const int marina = kMarinas[i++ % 4];
    flags.DontShowMarinaNo = marina;
    qw::ClearDontShowFlags(flags);
    if (reopen) {
      // The flags over a connection of their own, then the report's reopened.
      qw::LoadDontShowFlags(flags, *OpenDemo());
      db = OpenDemo();
    } else {
      qw::LoadDontShowFlags(flags, *db);
    }
    qw::ReportRequest request = Request(marina);
    request.hidden = flags;
    const qw::ReportPages p = qw::ComposeReportPages(*db, request);
    const qw::PageFilesWritten written = qw::WriteReportPages(p.reportHtml, p.photosHtml);
    if (!written.ok) state.SkipWithError(qPrintable(written.error));
  }
  qw::SetProgramFolder(QString());
}

// The connection reopened for every report, as the viewer does.
void BM_ReportComposeAndWrite(benchmark::State& state) { Run(state, true); }
// On a connection kept open.
void BM_ReportComposeAndWriteKeptConnection(benchmark::State& state) { Run(state, false); }

}  // namespace

BENCHMARK(BM_ReportComposeAndWrite)->Unit(benchmark::kMillisecond);
BENCHMARK(BM_ReportComposeAndWriteKeptConnection)->Unit(benchmark::kMillisecond);

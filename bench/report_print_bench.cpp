// Every demo marina's report printed in one run of the report viewer's
// "Print report" dialog ("All pages"): each report composed, written, loaded
// into the browser and printed in turn, three runs in a row.
//  - Into one PDF file: the file's size, its pages, how many pages carry
//    their marina's name as text, what a page weighs without its pictures,
//    and the file beside one document of the same pages (the bare engine
//    printing all the saved pages at once). Its floor (x_bare) is the bare
//    engine loading each of the same pages and laying it out for print.
//  - To a queue of a print service of the benchmark's own (cupsd), whose
//    backend keeps each job: the job as the printer gets it beside the same
//    reports printed into a file.
// Both give the program's memory before the runs, and the peak during each
// run and what is left after it. A run's time runs from Print to the end of
// the print: the file written, or the job taken by the service (which then
// prints it while the program goes on).
// The one document and the floor fail the benchmark loudly when they cannot
// be measured.
#include <QApplication>
#include <QElapsedTimer>
#include <QFile>
#include <QFileDialog>
#include <QFileInfo>
#include <QPdfDocument>
#include <QPrinter>
#include <QProcess>
#include <QSet>
#include <QTemporaryDir>
#include <benchmark/benchmark.h>

#include <optional>

#include "bare_engine.h"
#include "bench_support.h"
#include "common/pdf_text.h"
#include "common/print_service.h"
#include "demo_viewer.h"
#include "platform/print_pages.h"
#include "platform/program.h"
#include "platform/ui/browser.h"
#include "report/report_files.h"
#include "report/ui/frm_view_report.h"
#include "report/ui/report_print_commands.h"

namespace {

constexpr int kRuns = 3;

// Lets the program settle after a run: pending deletions done, the event
// loop idle for a moment.
void Settle() {
  QCoreApplication::sendPostedEvents(nullptr, QEvent::DeferredDelete);
  QElapsedTimer idle;
  idle.start();
  while (idle.elapsed() < 2000) QApplication::processEvents(QEventLoop::AllEvents, 50);
}

double Mib(qint64 bytes) { return bytes / double(1 << 20); }

// True the first time `key` comes.
bool Once(QSet<QString>& seen, const QString& key) {
  if (seen.contains(key)) return false;
  seen.insert(key);
  return true;
}

// The bytes of the pictures in a PDF file, as pdfimages lists them: each
// picture once, however many pages show it (it lists one line a showing).
qint64 PictureBytes(const QString& pdf) {
  QProcess p;
  p.start(QStringLiteral("pdfimages"), {QStringLiteral("-list"), pdf});
  p.waitForFinished(120000);
  qint64 total = 0;
  QSet<QString> counted;
  const QStringList lines = QString::fromUtf8(p.readAllStandardOutput()).split(u'\n');
  for (const QString& line : lines.mid(2)) {
    const QString fields = line.simplified();
    const QString size = fields.section(u' ', 14, 14);                             // "12.3K", "1.2M", "512B"
    if (size.isEmpty() || !Once(counted, fields.section(u' ', 10, 11))) continue;  // its object and generation
    const double value = size.chopped(1).toDouble();
    const QChar unit = size.back();
    total += qint64(value * (unit == u'M' ? 1 << 20 : unit == u'K' ? 1 << 10 : 1));
  }
  return total;
}

// How many pages of the PDF carry the name of the marina they belong to.
int PagesNamingTheirMarina(const QString& pdf, const QList<DemoViewer::Entry>& marinas) {
  const QStringList pageTexts = qw::testing::PdfPageTexts(pdf);
  int named = 0;
  for (int i = 0; i < std::min<qsizetype>(pageTexts.size(), marinas.size()); ++i)
    named += pageTexts[i].contains(marinas[i].name.trimmed().left(20)) ? 1 : 0;
  return named;
}

// The viewer over the demo database (or the large one when named), on its
// first report; nullptr, the benchmark skipped, when that did not load.
qw::frm_view_report* ViewerOrSkip(const DemoViewer& demo, benchmark::State& state) {
  if (!demo.Viewer()) state.SkipWithError("the first report did not load");
  return demo.Viewer();
}

// Prints every report of the viewer's list in one run and waits for its end.
void PrintAll(qw::frm_view_report* viewer) {
  viewer->printCommands->StartRun({qw::PrintChoice::AllPages, QString(), QString()});
  while (viewer->printCommands->Run().PrintFlagAvail()) QApplication::processEvents(QEventLoop::AllEvents, 50);
}

// While it lives, prints go into the PDF file `pdf`: the run's question for
// its file gets that file as answer.
class IntoFile {
 public:
  explicit IntoFile(const QString& pdf) {
    QPrinter& printer = qw::WebBrowser::Printer();
    printer.setOutputFormat(QPrinter::PdfFormat);
    printer.setOutputFileName(pdf);
    previous_ = qw::WebBrowser::SetDialogHook([pdf](QDialog& d) {
      if (auto* files = qobject_cast<QFileDialog*>(&d)) files->selectFile(pdf);
      return int(QDialog::Accepted);
    });
  }
  ~IntoFile() { qw::WebBrowser::SetDialogHook(previous_); }
  IntoFile(const IntoFile&) = delete;
  IntoFile& operator=(const IntoFile&) = delete;

 private:
  qw::WebBrowser::DialogHook previous_;
};

// The runs of one benchmark: each timed, with the peak memory during it and
// what is left once the program has settled after it.
class Runs {
 public:
  Runs(benchmark::State& state, qw::frm_view_report* viewer) : state_(state), viewer_(viewer) {
    Settle();
    before_ = qw::bench::ResidentMib();
  }
  // One run of every report; `after` runs once it has ended, untimed.
  template <typename After>
  void Run(After&& after) {
    qw::bench::ResetPeakResident();
    QElapsedTimer clock;
    clock.start();
    PrintAll(viewer_);
    seconds_ = clock.elapsed() / 1000.0;
    state_.SetIterationTime(seconds_);
    const double peak = qw::bench::PeakResidentMib();
    after();
    Settle();
    const int n = ++runs_;
    state_.counters["peak_MB_" + std::to_string(n)] = peak;
    state_.counters["after_MB_" + std::to_string(n)] = qw::bench::ResidentMib();
  }
  void Count() { state_.counters["memory_before_MB"] = before_; }
  double Seconds() const { return seconds_; }

 private:
  benchmark::State& state_;
  qw::frm_view_report* viewer_;
  double before_ = 0;
  double seconds_ = 0;
  int runs_ = 0;
};

// How long the bare engine may take to load and lay out the one document:
// as long as a print may take.
constexpr int kOneDocumentTimeoutMs = 600000;

// One document of these pages: each page shown whole in a frame of the
// body's size, a frame a page, printed by the bare engine at once. 0, and
// the benchmark failed with the reason, when it cannot be made.
qint64 OneDocumentBytes(benchmark::State& state, const QStringList& pages, const QPageLayout& body, QSize view,
                        const QString& folder) {
  const QSizeF inches = body.paintRect(QPageLayout::Inch).size();
  QString html = QStringLiteral("<html><body style='margin:0'>");
  for (const QString& page : pages)
    html += QStringLiteral("<iframe src='%1' style='display:block;border:0;width:%2in;height:%3in;"
                           "break-after:page'></iframe>")
                .arg(QUrl::fromLocalFile(page).toString())
                .arg(inches.width() - 0.02)
                .arg(inches.height() - 0.05);
  const QString all = folder + QStringLiteral("/all.htm");
  const auto fail = [&state](const QString& why) {
    state.SkipWithError(("the one-document floor could not be measured: " + why).toStdString().c_str());
    return qint64(0);
  };
  if (const QString why = qw::WriteWholeFile(all, (html + QStringLiteral("</body></html>")).toUtf8()); !why.isEmpty())
    return fail(why);
  qw::bench::BareEngine bare(view);
  if (!bare.Load(all, kOneDocumentTimeoutMs))
    return fail(QStringLiteral("the bare engine did not load the %1 pages within %2 s")
                    .arg(pages.size())
                    .arg(kOneDocumentTimeoutMs / 1000));
  const QByteArray pdf = bare.PrintToPdf(body, kOneDocumentTimeoutMs);
  if (pdf.isEmpty())
    return fail(QStringLiteral("the bare engine did not print the %1 pages within %2 s")
                    .arg(pages.size())
                    .arg(kOneDocumentTimeoutMs / 1000));
  qw::WriteWholeFile(folder + QStringLiteral("/one.pdf"), pdf);
  return pdf.size();
}

void BM_PrintAllDemoReportsToOnePdf(benchmark::State& state) {
  const DemoViewer demo(qw::bench::LargeDatabase());
  qw::frm_view_report* viewer = ViewerOrSkip(demo, state);
  if (!viewer) return;
  QTemporaryDir work;
  const QString pdf = work.filePath(QStringLiteral("reports.pdf"));
  QPrinter& printer = qw::WebBrowser::Printer();
  std::optional<IntoFile> intoFile(std::in_place, pdf);
  // Each page as the first run loads it, for the floor.
  QStringList saved;
  const auto saving = QObject::connect(viewer->wb, &qw::WebBrowser::DocumentComplete, [&] {
    saved << work.filePath(QStringLiteral("page%1.htm").arg(saved.size(), 4, 10, QLatin1Char('0')));
    QFile::copy(qw::ReportPagePath(), saved.last());
  });
  Runs runs(state, viewer);
  for (auto _ : state) {
    QFile::remove(pdf);
    runs.Run([&] { QObject::disconnect(saving); });
  }
  intoFile.reset();
  runs.Count();
  const QPageLayout body = qw::BodyLayout(printer.pageLayout(), qw::CurrentPageSetup());
  {
    qw::bench::BareEngine bare(viewer->wb->size());
    QElapsedTimer clock;
    clock.start();
    int laidOut = 0;
    for (const QString& page : saved) laidOut += bare.Load(page) && !bare.PrintToPdf(body).isEmpty() ? 1 : 0;
    const double bareSeconds = clock.elapsed() / 1000.0;
    state.counters["bare_s"] = bareSeconds;
    state.counters["bare_pages"] = laidOut;
    if (laidOut < saved.size()) {
      state.SkipWithError(QStringLiteral("the floor could not be measured: the bare engine laid out %1 of %2 pages")
                              .arg(laidOut)
                              .arg(saved.size())
                              .toStdString()
                              .c_str());
      return;
    }
    if (bareSeconds > 0) state.counters["x_bare"] = runs.Seconds() / bareSeconds;
  }
  const qint64 bytes = QFileInfo(pdf).size();
  // One document of the demo's pages (a thousand frames are more than the
  // engine lays out in one go).
  const qint64 one =
      qw::bench::LargeDatabase().isEmpty() ? OneDocumentBytes(state, saved, body, viewer->wb->size(), work.path()) : 0;
  QPdfDocument document;
  document.load(pdf);
  const int pages = document.pageCount();
  state.counters["pages_naming_their_marina"] = PagesNamingTheirMarina(pdf, demo.Entries());
  state.counters["reports"] = double(demo.Entries().size());
  state.counters["pages"] = pages;
  state.counters["file_MB"] = Mib(bytes);
  state.counters["one_document_MB"] = Mib(one);
  if (one > 0) state.counters["x_one_document"] = double(bytes) / double(one);
  state.counters["page_KB_without_pictures"] = pages ? (bytes - PictureBytes(pdf)) / 1024.0 / pages : 0;
  // QUAYWISE_BENCH_KEEP_PDF=FILE keeps the printed file for a look.
  const QString keep = qEnvironmentVariable("QUAYWISE_BENCH_KEEP_PDF");
  if (!keep.isEmpty()) {
    QFile::remove(keep);
    QFile::copy(pdf, keep);
  }
}

void BM_PrintAllDemoReportsToAPrintQueue(benchmark::State& state) {
  qw::testing::PrintService service;
  if (!service.Ready() || !service.AddQueue(QStringLiteral("bench"), QStringLiteral("Letter"), true)) {
    state.SkipWithError(("no print service: " + service.Why()).toStdString().c_str());
    return;
  }
  const DemoViewer demo(qw::bench::LargeDatabase());
  qw::frm_view_report* viewer = ViewerOrSkip(demo, state);
  if (!viewer) return;
  QTemporaryDir work;
  const QString pdf = work.filePath(QStringLiteral("reports.pdf"));
  // The same reports into a file first, untimed.
  {
    const IntoFile intoFile(pdf);
    PrintAll(viewer);
  }
  const qint64 fileBytes = QFileInfo(pdf).size();
  QPrinter& printer = qw::WebBrowser::Printer();
  printer.setOutputFileName(QString());
  printer.setOutputFormat(QPrinter::NativeFormat);
  printer.setPrinterName(QStringLiteral("bench"));
  Runs runs(state, viewer);
  qint64 jobBytes = 0;
  QString job;
  int sent = 0;
  double taken = 0;
  for (auto _ : state) {
    runs.Run([&] {
      // The run ends once the service has taken its job.
      taken += runs.Seconds();
      const QList<qw::testing::PrintService::Job> jobs = service.Jobs(QStringLiteral("bench"), ++sent);
      job = jobs.isEmpty() ? QString() : jobs.last().file;
      jobBytes = QFileInfo(job).size();
    });
  }
  runs.Count();
  const QList<qw::testing::PrintService::Job> jobs = service.Jobs(QStringLiteral("bench"), kRuns);
  QPdfDocument document;
  document.load(job);
  state.counters["print_to_job_taken_s"] = sent ? taken / sent : 0;
  state.counters["jobs"] = double(jobs.size());
  state.counters["job_pages"] = document.pageCount();
  state.counters["pages_naming_their_marina"] = PagesNamingTheirMarina(job, demo.Entries());
  state.counters["job_MB"] = Mib(jobBytes);
  state.counters["file_MB"] = Mib(fileBytes);
  if (fileBytes > 0) state.counters["x_file"] = double(jobBytes) / double(fileBytes);
}

}  // namespace

BENCHMARK(BM_PrintAllDemoReportsToOnePdf)->Unit(benchmark::kSecond)->Iterations(kRuns)->UseManualTime();
BENCHMARK(BM_PrintAllDemoReportsToAPrintQueue)->Unit(benchmark::kSecond)->Iterations(kRuns)->UseManualTime();

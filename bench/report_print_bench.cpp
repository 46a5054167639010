// Every demo marina's report printed in one run of the report viewer's
// "Print report" dialog ("All pages") into one PDF file: each report composed,
// written, loaded into the browser and printed in turn. Reports the file's
// size, its pages, and what a page weighs without its pictures. Its floor
// (x_bare) is the bare browser engine loading each of the same pages, saved
// as the run showed them, and laying it out for print on the same paper.
#include <QApplication>
#include <QElapsedTimer>
#include <QFile>
#include <QFileDialog>
#include <QFileInfo>
#include <QPdfDocument>
#include <QPrinter>
#include <QProcess>
#include <QTemporaryDir>
#include <benchmark/benchmark.h>

#include "bare_engine.h"
#include "bench_support.h"
#include "demo_viewer.h"
#include "platform/print_pages.h"
#include "platform/ui/browser.h"
#include "report/report_files.h"
#include "report/ui/frm_view_report.h"
#include "report/ui/report_print_commands.h"

namespace {

// Lets the program settle after a run: pending deletions done, the event
// loop idle for a moment.
void Settle() {
  QCoreApplication::sendPostedEvents(nullptr, QEvent::DeferredDelete);
  QElapsedTimer idle;
  idle.start();
  while (idle.elapsed() < 2000) QApplication::processEvents(QEventLoop::AllEvents, 50);
}

// The bytes of the pictures in a PDF file, as pdfimages lists them.
qint64 PictureBytes(const QString& pdf) {
  QProcess p;
  p.start(QStringLiteral("pdfimages"), {QStringLiteral("-list"), pdf});
  p.waitForFinished(120000);
  qint64 total = 0;
  const QStringList lines = QString::fromUtf8(p.readAllStandardOutput()).split(u'\n');
  for (const QString& line : lines.mid(2)) {
    const QString size = line.simplified().section(u' ', 14, 14);  // "12.3K", "1.2M", "512B"
    if (size.isEmpty()) continue;
    const double value = size.chopped(1).toDouble();
    const QChar unit = size.back();
    total += qint64(value * (unit == u'M' ? 1 << 20 : unit == u'K' ? 1 << 10 : 1));
  }
  return total;
}

void BM_PrintAllDemoReportsToOnePdf(benchmark::State& state) {
  const DemoViewer demo;
  qw::frm_view_report* viewer = demo.Viewer();
  if (!viewer) {
    state.SkipWithError("the first report did not load");
    return;
  }
  QTemporaryDir work;
  const QString pdf = work.filePath(QStringLiteral("reports.pdf"));
  QPrinter& printer = qw::WebBrowser::Printer();
  printer.setOutputFormat(QPrinter::PdfFormat);
  printer.setOutputFileName(pdf);
  // Each page as the run loads it, for the floor.
  QStringList saved;
  const auto saving = QObject::connect(viewer->wb, &qw::WebBrowser::DocumentComplete, [&] {
    saved << work.filePath(QStringLiteral("page%1.htm").arg(saved.size(), 3, 10, QLatin1Char('0')));
    QFile::copy(qw::ReportPagePath(), saved.last());
  });
  double runSeconds = 0;
  // The run asks for its file first: the same file every time.
  const auto chooseFile = qw::WebBrowser::SetDialogHook([&](QDialog& d) {
    if (auto* files = qobject_cast<QFileDialog*>(&d)) files->selectFile(pdf);
    return int(QDialog::Accepted);
  });
  Settle();
  // The program's own memory: the browser engine's helper processes are not
  // counted.
  const double before = qw::bench::ResidentMib();
  for (auto _ : state) {
    QFile::remove(pdf);
    QElapsedTimer clock;
    clock.start();
    viewer->printCommands->StartRun({qw::PrintChoice::AllPages, QString(), QString()});
    while (viewer->printCommands->Run().PrintFlagAvail()) QApplication::processEvents(QEventLoop::AllEvents, 50);
    runSeconds = clock.elapsed() / 1000.0;
    state.SetIterationTime(runSeconds);
  }
  QObject::disconnect(saving);
  {
    const QPageLayout paper = qw::BodyLayout(printer.pageLayout(), qw::CurrentPageSetup());
    qw::bench::BareEngine bare(viewer->wb->size());
    QElapsedTimer clock;
    clock.start();
    int laidOut = 0;
    for (const QString& page : saved) laidOut += bare.Load(page) && !bare.PrintToPdf(paper).isEmpty() ? 1 : 0;
    const double bareSeconds = clock.elapsed() / 1000.0;
    state.counters["bare_s"] = bareSeconds;
    state.counters["bare_pages"] = laidOut;
    if (bareSeconds > 0) state.counters["x_bare"] = runSeconds / bareSeconds;
  }
  Settle();
  // A run keeps nothing of its reports once it has ended.
  state.counters["memory_before_MB"] = before;
  state.counters["memory_after_MB"] = qw::bench::ResidentMib();
  qw::WebBrowser::SetDialogHook(chooseFile);
  const QList<DemoViewer::Entry>& marinas = demo.Entries();
  QPdfDocument document;
  document.load(pdf);
  const qint64 bytes = QFileInfo(pdf).size();
  const int pages = document.pageCount();
  // Searchable: the page of each report carries its marina's name as text.
  QProcess text;
  text.start(QStringLiteral("pdftotext"), {QStringLiteral("-layout"), pdf, QStringLiteral("-")});
  text.waitForFinished(120000);
  const QStringList pageTexts = QString::fromUtf8(text.readAllStandardOutput()).split(u'\f');
  int named = 0;
  for (int i = 0; i < std::min<qsizetype>(pageTexts.size(), marinas.size()); ++i)
    named += pageTexts[i].contains(marinas[i].name.trimmed().left(20)) ? 1 : 0;
  state.counters["pages_naming_their_marina"] = named;
  state.counters["reports"] = double(marinas.size());
  state.counters["pages"] = pages;
  state.counters["file_MB"] = bytes / double(1 << 20);
  state.counters["page_KB_without_pictures"] = pages ? (bytes - PictureBytes(pdf)) / 1024.0 / pages : 0;
  // QUAYWISE_BENCH_KEEP_PDF=FILE keeps the printed file for a look.
  const QString keep = qEnvironmentVariable("QUAYWISE_BENCH_KEEP_PDF");
  if (!keep.isEmpty()) {
    QFile::remove(keep);
    QFile::copy(pdf, keep);
  }
}

}  // namespace

BENCHMARK(BM_PrintAllDemoReportsToOnePdf)->Unit(benchmark::kSecond)->Iterations(1)->UseManualTime();

// Every demo marina's report printed in one run of the report viewer's
// "Print report" dialog ("All pages") into one PDF file: each report composed,
// written, loaded into the browser and printed in turn. Reports the file's
// size, its pages, and what a page weighs without its pictures.
#include <QApplication>
#include <QElapsedTimer>
#include <QFile>
#include <QFileInfo>
#include <QListWidget>
#include <QPdfDocument>
#include <QPrinter>
#include <QProcess>
#include <QTemporaryDir>
#include <benchmark/benchmark.h>

#include "platform/jet.h"
#include "platform/program.h"
#include "platform/ui/browser.h"
#include "report/dont_show.h"
#include "report/middle_bottom_sections.h"
#include "report/report_files.h"
#include "report/report_page.h"
#include "report/ui/report_print_commands.h"
#include "services/settings.h"

namespace {

QString DemoFolder() { return QStringLiteral(QUAYWISE_PROGRAM_DIR); }

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
  QTemporaryDir work;
  qw::SetProgramFolder(work.path());
  qw::Settings().DataFolder = DemoFolder() + QStringLiteral("/Database");
  qw::Settings().DatabaseFileName = QStringLiteral("marina.mdb");
  qw::DatabasePtr db = qw::Database::OpenDatabase(qw::Settings().DataFolder + QStringLiteral("/marina.mdb"), -1,
                                                  true, QStringLiteral(";PWD=x"));
  QList<std::pair<int, QString>> marinas;
  qw::RecordsetPtr rs = db->OpenRecordset(
      QStringLiteral("SELECT MarinaNo, [Marina Name] FROM rpm_marinaname_no ORDER BY [Marina Name]"));
  for (; !rs->Eof(); rs->MoveNext())
    marinas.append({rs->Fields(QStringLiteral("MarinaNo")).Value().toInt(),
                    rs->Fields(QStringLiteral("Marina Name")).Value().toString()});
  rs->Close();

  QWidget window;
  window.resize(1280, 1024);
  auto* list = new QListWidget(&window);
  for (const auto& m : marinas) list->addItem(m.second);
  auto* wb = new qw::WebBrowser(&window);
  wb->setGeometry(0, 0, 1280, 1024);
  wb->SetScriptsEnabled(true);  // as the viewer shows its reports
  auto* hidden = new qw::WebBrowser(&window, qw::WebBrowser::Kind::Hidden);
  const auto showReport = [&] {
    const auto& m = marinas.value(list->currentRow());
    qw::ReportRequest request;
    request.marinaNo = m.first;
    request.marinaName = m.second;
    request.edition = QStringLiteral("New England");
    request.photosFolder = DemoFolder() + QStringLiteral("/Photos");
    request.programFolder = DemoFolder();
    request.screen = QSize(1280, 1024);
    request.middleAndBottom = [](qw::Database& reportDb, int no) {
      qw::DontShowFlags flags;
      flags.DontShowMarinaNo = no;
      qw::LoadDontShowFlags(flags, reportDb);
      qw::ReportSectionsState sections;
      return qw::AppendMiddleAndBottomSections(reportDb, no, flags, sections);
    };
    const qw::ReportPages pages = qw::ComposeReportPages(*db, request);
    qw::WriteReportPages(pages.reportHtml, pages.photosHtml);
    wb->Navigate(qw::ReportPagePath());
  };
  QObject::connect(list, &QListWidget::currentRowChanged, &window, showReport);
  qw::ReportPrintCommands commands(wb, hidden, hidden,
                                   {{}, {}, {}, [&] { return list->count(); }, [&] { return list->currentRow(); },
                                    [&](int i) { list->setCurrentRow(i); }, showReport},
                                   &window);
  window.show();

  const QString pdf = work.filePath(QStringLiteral("reports.pdf"));
  QPrinter& printer = qw::WebBrowser::Printer();
  printer.setOutputFormat(QPrinter::PdfFormat);
  printer.setOutputFileName(pdf);
  for (auto _ : state) {
    QElapsedTimer clock;
    clock.start();
    commands.StartRun({qw::PrintChoice::AllPages, QString(), QString()});
    while (commands.Run().PrintFlagAvail()) QApplication::processEvents(QEventLoop::AllEvents, 50);
    state.SetIterationTime(clock.elapsed() / 1000.0);
  }
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
    named += pageTexts[i].contains(marinas[i].second.trimmed().left(20)) ? 1 : 0;
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
  qw::SetProgramFolder(QString());
}

}  // namespace

BENCHMARK(BM_PrintAllDemoReportsToOnePdf)->Unit(benchmark::kSecond)->Iterations(1)->UseManualTime();

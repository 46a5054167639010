#include "platform/ui/print_output.h"

#include <QDir>
#include <QFile>
#include <QImage>
#include <QPainter>
#include <QPdfDocument>
#include <QPrintEngine>
#include <QPrinter>
#include <QSaveFile>
#include <QTemporaryFile>
#include <algorithm>
#include <cerrno>
#include <memory>

#include "platform/message_box.h"
#include "platform/print_job.h"
#include "platform/program.h"
#include "platform/temp_pages.h"
#include "platform/ui/print_service_wait.h"

namespace qw {
namespace {

constexpr int kPrinterDpi = 300;  // pictures of pages for a printer
constexpr int kPreviewDpi = 150;  // and for the preview

// The print dialog's choices that the print service takes as they are (pages
// per sheet, page set, the job options), in name and value pairs: Qt's engine
// for the print service keeps them under this key, and only that engine
// knows it (for any other printer the value is invalid).
constexpr auto kServiceOptionsKey = QPrintEngine::PrintEnginePropertyKey(0xfe00);

QVariant ServiceOptions(QPrinter& printer) {
  return printer.printEngine() ? printer.printEngine()->property(kServiceOptionsKey) : QVariant();
}

// A new file of printed pages: in the run's page folder (the temporary
// folder without it).
QString PrintFileTemplate() {
  const QString folder = TempPageFolder();
  return (folder.isEmpty() ? TempFolder() : folder) + QStringLiteral("/quaywise-print-XXXXXX.pdf");
}

bool Ranged(const QPrinter& printer) { return printer.printRange() == QPrinter::PageRange && printer.fromPage() > 0; }

// The print's choices as options of its job.
PrintJobOptions JobOptions(QPrinter& printer) {
  const QPageLayout layout = printer.pageLayout();
  const bool landscape = layout.orientation() == QPageLayout::Landscape;
  PrintJobOptions options{{QStringLiteral("media"), layout.pageSize().key()},
                          {QStringLiteral("orientation-requested"), landscape ? QStringLiteral("4") : QStringLiteral("3")}};
  if (printer.copyCount() > 1) {
    options.append({QStringLiteral("copies"), QString::number(printer.copyCount())});
    options.append({QStringLiteral("Collate"), printer.collateCopies() ? QStringLiteral("True") : QStringLiteral("False")});
  }
  QString sides = QStringLiteral("one-sided");
  if (printer.duplex() == QPrinter::DuplexLongSide || (printer.duplex() == QPrinter::DuplexAuto && !landscape))
    sides = QStringLiteral("two-sided-long-edge");
  else if (printer.duplex() == QPrinter::DuplexShortSide || printer.duplex() == QPrinter::DuplexAuto)
    sides = QStringLiteral("two-sided-short-edge");
  options.append({QStringLiteral("sides"), sides});
  if (Ranged(printer))
    options.append({QStringLiteral("page-ranges"), printer.toPage() >= printer.fromPage()
                                                        ? QStringLiteral("%1-%2").arg(printer.fromPage()).arg(printer.toPage())
                                                        : QStringLiteral("%1-").arg(printer.fromPage())});
  if (printer.pageOrder() == QPrinter::LastPageFirst) options.append({QStringLiteral("outputorder"), QStringLiteral("reverse")});
  if (printer.colorMode() == QPrinter::GrayScale)
    options.append({QStringLiteral("print-color-mode"), QStringLiteral("monochrome")});
  const QStringList more = ServiceOptions(printer).toStringList();
  for (qsizetype i = 0; i + 1 < more.size(); i += 2) options.append({more[i], more[i + 1]});
  return options;
}

}  // namespace

void ClearPrintServiceOptions(QPrinter& printer) {
  if (ServiceOptions(printer).isValid()) printer.printEngine()->setProperty(kServiceOptionsKey, QStringList());
}

PrintOutput::PrintOutput(QPrinter& printer, Kind kind, const QString& jobTitle)
    : printer_(printer), kind_(kind), path_(Path::Pictures), jobTitle_(jobTitle) {
  if (kind_ == Kind::Printer && printer_.outputFormat() == QPrinter::PdfFormat && !printer_.outputFileName().isEmpty())
    path_ = Path::PdfFile;
  else if (kind_ == Kind::Printer && printer_.outputFormat() == QPrinter::NativeFormat &&
           printer_.outputFileName().isEmpty() && ServiceOptions(printer_).isValid())
    path_ = Path::PrintService;
}

PrintOutput::~PrintOutput() {
  if (painter_ && painter_->isActive()) painter_->end();
}

bool PrintOutput::Start() {
  if (pdf_) return true;
  QIODevice* out = nullptr;
  if (path_ == Path::PdfFile) {
    file_ = std::make_unique<QSaveFile>(printer_.outputFileName());
    errno = 0;
    // Unbuffered: the document buffers its writing itself, and checks each.
    if (!file_->open(QIODevice::WriteOnly | QIODevice::Unbuffered)) return FileFailed();
    out = file_.get();
  } else {
    // Readable by the user only: the pages may hold personal notes. In the
    // run's own page folder, which goes with the run however it ends.
    jobFile_ = std::make_unique<QTemporaryFile>(PrintFileTemplate());
    errno = 0;
    if (!jobFile_->open()) {
      error_ = QStringLiteral("the pages for the printer could not be written to the temporary folder: %1.")
                   .arg(WriteFailureReason(errno, jobFile_->errorString()));
      return false;
    }
    out = jobFile_.get();
  }
  // A job's page range is the print service's to apply.
  const bool ranged = path_ == Path::PdfFile && Ranged(printer_);
  pdf_ = std::make_unique<PdfAssembler>(*out, ranged ? printer_.fromPage() : 0, ranged ? printer_.toPage() : 0);
  return true;
}

bool PrintOutput::Add(const QByteArray& bodyPdf, const PageSetup& setup, const QString& title,
                      const QString& url) {
  error_.clear();
  if (finished_) {
    error_ = QStringLiteral("The print has already gone out.");
    return false;
  }
  if (path_ == Path::Pictures) return Paint(bodyPdf, setup, title, url);
  if (!Start()) return false;
  const int added = pdf_->Add(bodyPdf, setup, title, url, UnprintableInches(printer_.pageLayout()));
  error_ = pdf_->Error();
  pages_ += added;
  return added > 0;
}

bool PrintOutput::Paint(const QByteArray& bodyPdf, const PageSetup& setup, const QString& title,
                        const QString& url) {
  // QtPdf reads documents from files.
  QTemporaryFile file(PrintFileTemplate());
  if (!file.open() || file.write(bodyPdf) != bodyPdf.size() || !file.flush()) {
    error_ = QStringLiteral("The printed page could not be kept for the printer.");
    return false;
  }
  QPdfDocument document;
  if (document.load(file.fileName()) != QPdfDocument::Error::None || document.pageCount() < 1) {
    error_ = QStringLiteral("The printed page could not be read back.");
    return false;
  }
  if (!painter_) {
    printer_.setFullPage(true);
    painter_ = std::make_unique<QPainter>();
    if (!painter_->begin(&printer_)) {
      painter_.reset();
      error_ = QStringLiteral("The printer could not be started.");
      return false;
    }
  }
  const bool ranged = Ranged(printer_);
  const int dpi =
      kind_ == Kind::Preview ? kPreviewDpi : std::min(kPrinterDpi, std::max(72, printer_.resolution()));
  const QRectF sheet = printer_.paperRect(QPrinter::DevicePixel);
  const int count = document.pageCount();
  for (int i = 0; i < count; ++i) {
    const int number = pages_ + 1;
    ++pages_;
    if (ranged && (number < printer_.fromPage() || (printer_.toPage() > 0 && number > printer_.toPage())))
      continue;
    if (painted_ && !printer_.newPage()) {
      error_ = QStringLiteral("The printer did not take the next page.");
      return false;
    }
    // Flattened onto white: the rendered page is transparent where nothing
    // is drawn, which would leave a seam around the body.
    const QSizeF points = document.pagePointSize(i);
    const QImage rendered = document.render(i, (points * dpi / 72.0).toSize());
    QImage page(rendered.size(), QImage::Format_RGB32);
    page.fill(Qt::white);
    {
      QPainter flatten(&page);
      flatten.drawImage(0, 0, rendered);
    }
    painter_->drawImage(sheet, page);
    DrawHeaderFooter(*painter_, sheet, setup, PageCodeValues{i + 1, count, title, url, {}},
                     UnprintableInches(printer_.pageLayout()));
    painted_ = true;
  }
  return true;
}

bool PrintOutput::Finish() {
  error_.clear();
  if (finished_) return true;
  finished_ = true;
  if (path_ != Path::Pictures) {
    if (!pdf_) {
      error_ = QStringLiteral("Nothing was printed.");
      return false;
    }
    pdf_->SetTitle(jobTitle_);
    if (!pdf_->Finish()) {
      error_ = pdf_->Error();
      return false;
    }
    if (path_ == Path::PrintService) return SendJob();
    errno = 0;
    return file_->commit() || FileFailed();
  }
  if (!painter_) {
    error_ = QStringLiteral("Nothing was printed.");
    return false;
  }
  const bool ended = painter_->end();
  painter_.reset();
  if (!painted_) {
    error_ = QStringLiteral("The chosen pages are not in the print.");
    return false;
  }
  if (!ended) error_ = QStringLiteral("The printer did not finish the print.");
  return ended;
}

bool PrintOutput::FileFailed() {
  error_ = QStringLiteral("the PDF file %1 could not be written: %2.")
               .arg(printer_.outputFileName(), WriteFailureReason(errno, file_->errorString()));
  return false;
}

bool PrintOutput::SendJob() {
  const QString file = jobFile_->fileName();
  jobFile_->close();
  if (printer_.printerName().isEmpty()) {
    error_ = QStringLiteral("no printer is chosen.");
    return false;
  }
  // The file goes on with the job (the watch deletes it once the job is
  // done) or stays with the user when it fails.
  jobFile_->setAutoRemove(false);
  const QString title = PrintJobTitle(jobTitle_);
  const PrintJobRequest request{printer_.printerName(), title, file, JobOptions(printer_),
                                PrintServiceAddress::Current()};
  auto result = std::make_shared<PrintJobResult>();
  const bool finished = WaitForPrintService(
      nullptr, QStringLiteral("Sending \"%1\" to the printer \"%2\"\u2026").arg(title, request.queue),
      [request, result](PrintCall& call) { *result = SendPrintJob(request, call); });
  if (!finished || result->outcome == PrintJobResult::Outcome::Cancelled) {
    QFile::remove(file);  // the user gave up: nothing is printed, nothing kept
    return false;
  }
  if (result->sent()) {
    FollowPrintJob({request.service, request.queue, result->jobId, result->uuid, title, file, result->waits});
    if (!result->waits.isEmpty())
      MsgBox(QStringLiteral("\"%1\" has not printed yet: %2.").arg(title, result->waits), MsgButtons::OK,
             MsgIcon::Information, kPrintStatusTitle);
    return true;
  }
  // Nothing of the work is lost: the pages stay for another try.
  const QString kept = KeepUnprintedPages(file, title);
  error_ = result->reason +
           QStringLiteral(" The pages are kept in %1.").arg(QDir::toNativeSeparators(kept.isEmpty() ? file : kept));
  return false;
}

}  // namespace qw

#include "platform/ui/print_output.h"

#include <QImage>
#include <QPainter>
#include <QPdfDocument>
#include <QPrinter>
#include <QTemporaryFile>
#include <algorithm>

#include "platform/program.h"

namespace qw {
namespace {

constexpr int kPrinterDpi = 300;  // pictures of pages for a printer
constexpr int kPreviewDpi = 150;  // and for the preview

}  // namespace

PrintOutput::PrintOutput(QPrinter& printer, Kind kind) : printer_(printer), kind_(kind) {
  if (PdfFile()) pdf_ = std::make_unique<PdfAssembler>();
}

PrintOutput::~PrintOutput() {
  if (painter_ && painter_->isActive()) painter_->end();
}

bool PrintOutput::PdfFile() const {
  return kind_ == Kind::Printer && printer_.outputFormat() == QPrinter::PdfFormat &&
         !printer_.outputFileName().isEmpty();
}

bool PrintOutput::Add(const QByteArray& bodyPdf, const PageSetup& setup, const QString& title,
                      const QString& url) {
  error_.clear();
  if (finished_) {
    error_ = QStringLiteral("The print has already gone out.");
    return false;
  }
  if (pdf_) {
    const int added = pdf_->Add(bodyPdf, setup, title, url);
    error_ = pdf_->Error();
    pages_ += added;
    return added > 0;
  }
  return Paint(bodyPdf, setup, title, url);
}

bool PrintOutput::Paint(const QByteArray& bodyPdf, const PageSetup& setup, const QString& title,
                        const QString& url) {
  // QtPdf reads documents from files.
  QTemporaryFile file(TempFolder() + QStringLiteral("/quaywise-print-XXXXXX.pdf"));
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
  const bool ranged = printer_.printRange() == QPrinter::PageRange && printer_.fromPage() > 0;
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
    DrawHeaderFooter(*painter_, sheet, setup, PageCodeValues{i + 1, count, title, url});
    painted_ = true;
  }
  return true;
}

bool PrintOutput::Finish() {
  error_.clear();
  if (finished_) return true;
  finished_ = true;
  if (pdf_) {
    const bool ranged = printer_.printRange() == QPrinter::PageRange && printer_.fromPage() > 0;
    const QByteArray document = ranged ? pdf_->Finish(printer_.fromPage(), printer_.toPage()) : pdf_->Finish();
    if (document.isEmpty()) {
      error_ = pdf_->Error();
      return false;
    }
    const QString reason = WriteWholeFile(printer_.outputFileName(), document);
    if (!reason.isEmpty()) {
      error_ = QStringLiteral("the PDF file %1 could not be written: %2.").arg(printer_.outputFileName(), reason);
      return false;
    }
    return true;
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

}  // namespace qw

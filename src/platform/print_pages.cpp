#include "platform/print_pages.h"

#include <QBuffer>
#include <QFont>
#include <QPaintDevice>
#include <QPainter>
#include <QPdfWriter>
#include <QStringList>
#include <algorithm>
#include <exception>
#include <string>
#include <vector>

// This code uses std::shared_ptr only, none of qpdf's older pointer type.
#define POINTERHOLDER_TRANSITION 4
#include <qpdf/QPDF.hh>
#include <qpdf/QPDFPageDocumentHelper.hh>
#include <qpdf/QPDFPageObjectHelper.hh>
#include <qpdf/QPDFWriter.hh>

#include "platform/message_box.h"

namespace qw {
namespace {

PageSetupSource& Source() {
  static PageSetupSource source;
  return source;
}

PageSetupSink& Sink() {
  static PageSetupSink sink;
  return sink;
}

constexpr double kLineInches = 0.25;  // height of the header and footer lines
constexpr double kGapInches = 0.1;    // between those lines and the body
constexpr double kDefaultTopInches = 0.4;
constexpr double kDefaultBottomInches = 0.4;
constexpr double kDefaultSideInches = 0.5;
constexpr double kBandInches = kLineInches + kGapInches;

// The page's margins in inches (see PageSetupLayout) on a sheet of this size.
QMarginsF SheetMargins(const QSizeF& sheetInches, const PageSetup& setup) {
  const QMarginsF margins(MarginInches(setup.marginLeft, kDefaultSideInches),
                          MarginInches(setup.marginTop, kDefaultTopInches),
                          MarginInches(setup.marginRight, kDefaultSideInches),
                          MarginInches(setup.marginBottom, kDefaultBottomInches));
  const double bands = (setup.header.isEmpty() ? 0 : kBandInches) + (setup.footer.isEmpty() ? 0 : kBandInches);
  // Margins that leave no body (a hand-edited store) give way to the defaults.
  if (sheetInches.height() - margins.top() - margins.bottom() - bands < 1 ||
      sheetInches.width() - margins.left() - margins.right() < 1)
    return QMarginsF(kDefaultSideInches, kDefaultTopInches, kDefaultSideInches, kDefaultBottomInches);
  return margins;
}

// Territories whose usual paper is Letter.
constexpr QLocale::Territory kLetterTerritories[] = {
    QLocale::UnitedStates, QLocale::Canada,     QLocale::Mexico,    QLocale::Belize,
    QLocale::Chile,        QLocale::Colombia,   QLocale::CostaRica, QLocale::ElSalvador,
    QLocale::Guatemala,    QLocale::Nicaragua,  QLocale::Panama,    QLocale::Philippines,
    QLocale::PuertoRico,   QLocale::Venezuela,
};
constexpr double kFontPoints = 9;

// Draws the parts of an expanded header or footer into one line: one part
// left, two parts left and right, three left, centre and right.
void DrawLine(QPainter& painter, const QRectF& line, const QStringList& parts) {
  if (parts.isEmpty()) return;
  const int v = Qt::AlignVCenter | Qt::TextSingleLine;
  painter.drawText(line, Qt::AlignLeft | v, parts[0]);
  if (parts.size() == 2) painter.drawText(line, Qt::AlignRight | v, parts[1]);
  if (parts.size() >= 3) {
    painter.drawText(line, Qt::AlignHCenter | v, parts[1]);
    painter.drawText(line, Qt::AlignRight | v, parts.mid(2).join(QString()));
  }
}

QByteArray ToByteArray(QPDFWriter& writer) {
  std::shared_ptr<Buffer> buffer = writer.getBufferSharedPointer();
  return QByteArray(reinterpret_cast<const char*>(buffer->getBuffer()), qsizetype(buffer->getSize()));
}

QSizeF PagePoints(QPDFPageObjectHelper& page) {
  const QPDFObjectHandle::Rectangle box = page.getMediaBox().getArrayAsRectangle();
  return QSizeF(box.urx - box.llx, box.ury - box.lly);
}

// One header-and-footer page per body page, each of the body page's size.
QByteArray HeaderFooterPages(const QList<QSizeF>& sizes, const PageSetup& setup, const QString& title,
                             const QString& url) {
  QBuffer out;
  out.open(QIODevice::WriteOnly);
  {
    QPdfWriter writer(&out);
    writer.setResolution(72);  // one unit a point, as in the body
    writer.setPageMargins(QMarginsF(0, 0, 0, 0));
    writer.setPageSize(QPageSize(sizes.value(0), QPageSize::Point));
    QPainter painter(&writer);
    for (int i = 0; i < sizes.size(); ++i) {
      if (i > 0) {
        writer.setPageSize(QPageSize(sizes[i], QPageSize::Point));
        writer.newPage();
      }
      DrawHeaderFooter(painter, QRectF(QPointF(0, 0), sizes[i]), setup,
                       PageCodeValues{i + 1, int(sizes.size()), title, url});
    }
  }
  return out.data();
}

// Places page `overlay` over `page` (both of one size), leaving the page's
// own drawing as it was: its content is wrapped so that no graphics state
// it leaves behind reaches the overlay.
void Overlay(QPDF& doc, QPDFPageObjectHelper& page, QPDFPageObjectHelper& overlay) {
  QPDFObjectHandle form = doc.copyForeignObject(overlay.getFormXObjectForPage());
  QPDFObjectHandle resources = page.getAttribute("/Resources", true);
  if (!resources.isDictionary()) {
    resources = QPDFObjectHandle::newDictionary();
    page.getObjectHandle().replaceKey("/Resources", resources);
  }
  if (!resources.getKey("/XObject").isDictionary())
    resources.replaceKey("/XObject", QPDFObjectHandle::newDictionary());
  int suffix = 0;
  const std::string name = resources.getUniqueResourceName("/Fx", suffix);
  resources.getKey("/XObject").replaceKey(name, form);
  const std::string place =
      page.placeFormXObject(form, name, page.getTrimBox().getArrayAsRectangle(), true, true, true);
  page.addPageContents(doc.newStream("q\n"), true);
  page.addPageContents(doc.newStream("\nQ\nq\n" + place + "\nQ\n"), false);
}

}  // namespace

PageSetupSource SetPageSetupSource(PageSetupSource source) {
  PageSetupSource previous = std::move(Source());
  Source() = std::move(source);
  return previous;
}

PageSetupSink SetPageSetupSink(PageSetupSink sink) {
  PageSetupSink previous = std::move(Sink());
  Sink() = std::move(sink);
  return previous;
}

bool HasPageSetupSource() { return bool(Source()); }
bool HasPageSetupSink() { return bool(Sink()); }

PageSetup CurrentPageSetup() { return Source() ? Source()() : PageSetup(); }

void WritePageSetup(const PageSetupChange& change) {
  if (!Sink()) return;
  for (const auto& [name, value] : change) Sink()(name, value);
}

void PrintWithPageSetup(const PageSetupChange& during, const PageSetupChange& after,
                        const std::function<void()>& print) {
  WritePageSetup(during);
  try {
    if (print) print();
  } catch (...) {
    WritePageSetup(after);
    throw;
  }
  WritePageSetup(after);
}

bool PrintWhenEnabled(long printStatus, const std::function<void()>& beforePrint,
                      const std::function<bool()>& print) {
  if (!(printStatus & kPrintCommandEnabled)) {
    MsgBox(kPrintDisabledMessage, MsgButtons::OK, MsgIcon::Critical, kPrintStatusTitle);
    return false;
  }
  if (beforePrint) beforePrint();
  return print && print();
}

double MarginInches(const QString& text, double fallback) {
  QString number = text.trimmed();
  number.replace(u',', u'.');
  bool ok = false;
  const double value = number.toDouble(&ok);
  return ok && value >= 0 ? value : fallback;
}

QPageSize LocalePaper(const QLocale& locale) {
  for (const QLocale::Territory letter : kLetterTerritories) {
    if (locale.territory() == letter) return QPageSize(QPageSize::Letter);
  }
  return QPageSize(QPageSize::A4);
}

QString PaperText(const QPageSize& paper) {
  if (paper.id() != QPageSize::Custom) return paper.key();
  const QSizeF mm = paper.size(QPageSize::Millimeter);
  return QStringLiteral("%1x%2mm").arg(mm.width(), 0, 'g', 6).arg(mm.height(), 0, 'g', 6);
}

QString OrientationText(QPageLayout::Orientation orientation) {
  return orientation == QPageLayout::Landscape ? QStringLiteral("landscape") : QStringLiteral("portrait");
}

QPageLayout StoredPaper(const PageSetup& setup) {
  QPageSize paper;
  const QString text = setup.paper.trimmed();
  for (int id = 0; id <= int(QPageSize::LastPageSize) && !paper.isValid(); ++id) {
    const auto standard = QPageSize::PageSizeId(id);
    if (standard != QPageSize::Custom && QPageSize::key(standard).compare(text, Qt::CaseInsensitive) == 0)
      paper = QPageSize(standard);
  }
  if (!paper.isValid() && text.endsWith(QLatin1String("mm"), Qt::CaseInsensitive)) {
    const QStringList sides = text.chopped(2).split(u'x', Qt::KeepEmptyParts, Qt::CaseInsensitive);
    bool wide = false;
    bool high = false;
    const double w = sides.size() == 2 ? sides[0].toDouble(&wide) : 0;
    const double h = sides.size() == 2 ? sides[1].toDouble(&high) : 0;
    if (wide && high && w > 0 && h > 0) paper = QPageSize(QSizeF(w, h), QPageSize::Millimeter);
  }
  if (!paper.isValid()) paper = LocalePaper(QLocale::system());
  const QPageLayout::Orientation orientation =
      setup.orientation.trimmed().compare(QLatin1String("landscape"), Qt::CaseInsensitive) == 0
          ? QPageLayout::Landscape
          : QPageLayout::Portrait;
  return QPageLayout(paper, orientation, QMarginsF(), QPageLayout::Inch);
}

QPageLayout PageSetupLayout(const QPageLayout& paper, const PageSetup& setup) {
  QPageLayout layout(paper.pageSize(), paper.orientation(), QMarginsF(), QPageLayout::Inch);
  layout.setMargins(SheetMargins(layout.fullRect(QPageLayout::Inch).size(), setup));
  return layout;
}

QPageLayout BodyLayout(const QPageLayout& paper, const PageSetup& setup) {
  QPageLayout layout = PageSetupLayout(paper, setup);
  QMarginsF margins = layout.margins(QPageLayout::Inch);
  if (!setup.header.isEmpty()) margins.setTop(margins.top() + kBandInches);
  if (!setup.footer.isEmpty()) margins.setBottom(margins.bottom() + kBandInches);
  layout.setMargins(margins);
  return layout;
}

void DrawHeaderFooter(QPainter& painter, const QRectF& sheet, const PageSetup& setup,
                      const PageCodeValues& values) {
  if (setup.header.isEmpty() && setup.footer.isEmpty()) return;
  QPaintDevice* device = painter.device();
  const double dpiX = device ? device->logicalDpiX() : 72;
  const double dpiY = device ? device->logicalDpiY() : 72;
  QFont font(QStringLiteral("Sans Serif"));
  font.setPointSizeF(kFontPoints);
  painter.save();
  painter.setFont(font);
  painter.setPen(Qt::black);
  const QMarginsF margins = SheetMargins(QSizeF(sheet.width() / dpiX, sheet.height() / dpiY), setup);
  const double left = margins.left() * dpiX;
  const double width = sheet.width() - left - margins.right() * dpiX;
  const QRectF header(sheet.left() + left, sheet.top() + margins.top() * dpiY, width, kLineInches * dpiY);
  const QRectF footer(sheet.left() + left, sheet.bottom() - (margins.bottom() + kLineInches) * dpiY, width,
                      kLineInches * dpiY);
  DrawLine(painter, header, ExpandPageCodes(setup.header, values));
  DrawLine(painter, footer, ExpandPageCodes(setup.footer, values));
  painter.restore();
}

struct PdfAssembler::Parts {
  // The documents the pages come from must live until the output is written.
  std::vector<QByteArray> buffers;
  std::vector<std::unique_ptr<QPDF>> sources;
  QPDF out;
  int pages = 0;
};

PdfAssembler::PdfAssembler() : parts_(std::make_unique<Parts>()) {
  parts_->out.setSuppressWarnings(true);
  parts_->out.emptyPDF();
}

PdfAssembler::~PdfAssembler() = default;

int PdfAssembler::PageCount() const { return parts_->pages; }

int PdfAssembler::Add(const QByteArray& bodyPdf, const PageSetup& setup, const QString& title,
                      const QString& url) {
  error_.clear();
  try {
    parts_->buffers.push_back(bodyPdf);
    auto body = std::make_unique<QPDF>();
    body->setSuppressWarnings(true);
    const QByteArray& bytes = parts_->buffers.back();
    body->processMemoryFile("printed page", bytes.constData(), size_t(bytes.size()));
    std::vector<QPDFPageObjectHelper> pages = QPDFPageDocumentHelper(*body).getAllPages();
    if (pages.empty()) {
      error_ = QStringLiteral("The printed page has no pages.");
      return 0;
    }
    if (!setup.header.isEmpty() || !setup.footer.isEmpty()) {
      QList<QSizeF> sizes;
      for (QPDFPageObjectHelper& page : pages) sizes << PagePoints(page);
      parts_->buffers.push_back(HeaderFooterPages(sizes, setup, title, url));
      auto overlay = std::make_unique<QPDF>();
      overlay->setSuppressWarnings(true);
      const QByteArray& lines = parts_->buffers.back();
      overlay->processMemoryFile("header and footer", lines.constData(), size_t(lines.size()));
      std::vector<QPDFPageObjectHelper> overlays = QPDFPageDocumentHelper(*overlay).getAllPages();
      for (size_t i = 0; i < pages.size() && i < overlays.size(); ++i) Overlay(*body, pages[i], overlays[i]);
      parts_->sources.push_back(std::move(overlay));
    }
    QPDFPageDocumentHelper out(parts_->out);
    for (QPDFPageObjectHelper& page : pages) out.addPage(page, false);
    parts_->sources.push_back(std::move(body));
    parts_->pages += int(pages.size());
    return int(pages.size());
  } catch (const std::exception& e) {
    error_ = QStringLiteral("The printed page could not be read: ") + QString::fromLocal8Bit(e.what());
    return 0;
  }
}

QByteArray PdfAssembler::Finish(int fromPage, int toPage) {
  error_.clear();
  if (parts_->pages == 0) {
    error_ = QStringLiteral("Nothing was printed.");
    return {};
  }
  try {
    if (fromPage > 0) {
      if (toPage < fromPage) toPage = parts_->pages;
      QPDFPageDocumentHelper doc(parts_->out);
      std::vector<QPDFPageObjectHelper> pages = doc.getAllPages();
      for (int i = int(pages.size()); i >= 1; --i)
        if (i < fromPage || i > toPage) doc.removePage(pages[size_t(i - 1)]);
      if (doc.getAllPages().empty()) {
        error_ = QStringLiteral("The chosen pages are not in the print.");
        return {};
      }
    }
    QPDFWriter writer(parts_->out);
    writer.setOutputMemory();
    writer.setObjectStreamMode(qpdf_o_generate);
    writer.write();
    return ToByteArray(writer);
  } catch (const std::exception& e) {
    error_ = QStringLiteral("The print could not be written: ") + QString::fromLocal8Bit(e.what());
    return {};
  }
}

}  // namespace qw

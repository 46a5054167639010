#pragma once
// What every print of a page needs apart from the browser: the page-setup
// values (header, footer, margins) and the store they live in, the layout of
// the page body that leaves room for the header and footer, the header and
// footer drawn on a page, and the assembly of printed pages into one PDF
// whose text stays text (the body as the browser engine laid it out, the
// header and footer stamped on top).
#include <QByteArray>
#include <QList>
#include <QLocale>
#include <QMarginsF>
#include <QPageLayout>
#include <QRectF>
#include <QString>
#include <functional>
#include <memory>
#include <utility>

#include "platform/print_codes.h"

class QIODevice;
class QPainter;

namespace qw {

// The page-setup values as the store holds them: texts, margins in inches
// written as numbers ("0.75"; a decimal comma is read too), the paper (its
// name such as "Letter" or "A4", or "210x297mm") and its orientation
// ("portrait" or "landscape"). An empty or unreadable value takes the
// default: the margins below, the paper of the user's country, portrait.
struct PageSetup {
  QString header;
  QString footer;
  QString marginTop;
  QString marginBottom;
  QString marginLeft;
  QString marginRight;
  QString paper;
  QString orientation;
};

// The store's value names.
inline const QString kPageHeader = QStringLiteral("header");
inline const QString kPageFooter = QStringLiteral("footer");
inline const QString kMarginTop = QStringLiteral("margin_top");
inline const QString kMarginBottom = QStringLiteral("margin_bottom");
inline const QString kMarginLeft = QStringLiteral("margin_left");
inline const QString kMarginRight = QStringLiteral("margin_right");
inline const QString kPaperSize = QStringLiteral("paper_size");
inline const QString kPaperOrientation = QStringLiteral("orientation");

// Reading and writing the page-setup store. The program installs both at
// start-up (the page-setup service); without them printing uses the defaults
// and writes go nowhere. Each setter returns the previous function.
using PageSetupSource = std::function<PageSetup()>;
using PageSetupSink = std::function<void(const QString& name, const QString& value)>;
PageSetupSource SetPageSetupSource(PageSetupSource source);
PageSetupSink SetPageSetupSink(PageSetupSink sink);
bool HasPageSetupSource();
bool HasPageSetupSink();
PageSetup CurrentPageSetup();

// Value name and value pairs to write to the store, in order.
using PageSetupChange = QList<std::pair<QString, QString>>;
void WritePageSetup(const PageSetupChange& change);

// The one sequence of every print command: writes `during`, runs print, then
// writes `after`, also when print throws (the exception goes on). The result
// list sets its header and footer and clears them afterwards; the report
// writes its top margin and leaves it.
void PrintWithPageSetup(const PageSetupChange& during, const PageSetupChange& after,
                        const std::function<void()>& print);

// The guarded print every print command ends in, given the browser's status
// of its print command: when the enabled bit is set, runs beforePrint (the
// report writes its top margin there) and print, returning what print
// returns; otherwise shows kPrintDisabledMessage (critical icon, title
// kPrintStatusTitle) and returns false.
inline const QString kPrintDisabledMessage = QStringLiteral("The Print command is currently disabled.");
inline const QString kPrintStatusTitle = QStringLiteral("Print Status");
inline constexpr long kPrintCommandEnabled = 2;
bool PrintWhenEnabled(long printStatus, const std::function<void()>& beforePrint,
                      const std::function<bool()>& print);
// Says that `what` ("The page", "The reports") could not be printed and why
// (critical icon, title kPrintStatusTitle).
void SayNotPrinted(const QString& what, const QString& why);

// Reads a margin in inches; `fallback` when empty, not a number or negative.
double MarginInches(const QString& text, double fallback);

// The paper of the country of `locale`: Letter where it is the usual paper
// (the United States, Canada, Mexico, ...), A4 elsewhere.
QPageSize LocalePaper(const QLocale& locale);
// The paper and orientation as the store writes and reads them.
QString PaperText(const QPageSize& paper);
QString OrientationText(QPageLayout::Orientation orientation);
// The stored paper and orientation; where none is stored (or it cannot be
// read), the paper of the user's locale, portrait.
QPageLayout StoredPaper(const PageSetup& setup);

// The margins of the sheet the printer cannot print on (its imageable area
// leaves them), in inches; none for a PDF file.
QMarginsF UnprintableInches(const QPageLayout& paper);

// The page as the page setup describes it, on paper of this size and
// orientation: its margins as stored (the defaults where a value is missing
// or unreadable, or where the margins leave no room for the body), and never
// less than the margins the printer cannot print on (the paper's minimum
// margins). The header line is printed just inside the top margin and the
// footer line just inside the bottom one; the page-setup dialog shows these
// margins.
QPageLayout PageSetupLayout(const QPageLayout& paper, const PageSetup& setup);

// The layout of the page body: the page-setup layout less the room that the
// header and footer lines take, when there are any.
QPageLayout BodyLayout(const QPageLayout& paper, const PageSetup& setup);

// Draws one page's header (top) and footer (bottom) with their codes
// expanded, on a painter whose device covers the whole sheet `sheet` (in
// device units; the device's resolution converts the inches), inside the
// printer's imageable area (`unprintable`, inches).
void DrawHeaderFooter(QPainter& painter, const QRectF& sheet, const PageSetup& setup,
                      const PageCodeValues& values, const QMarginsF& unprintable = QMarginsF());

// The number of pages of a PDF; 0 when it cannot be read.
int PdfPageCount(const QByteArray& pdf);

// Printed pages gathered into one PDF, written as they come: each Add takes
// the body of one print (a PDF from the browser engine), stamps that print's
// header and footer on its pages as text (page numbers count within the
// print) and writes its pages out at once, so that a long run holds one
// print at a time. What several prints share (a font program, a picture, any
// other identical object) is written once. Finish ends the document. A
// failure leaves a message in Error(), and the document is then not usable.
class PdfAssembler {
 public:
  // Writes into out, which stays open until Finish. With fromPage greater
  // than 0, only pages fromPage to toPage (1-based, counted over the whole
  // document; to the end when toPage is less than fromPage) are written.
  explicit PdfAssembler(QIODevice& out, int fromPage = 0, int toPage = 0);
  ~PdfAssembler();
  PdfAssembler(const PdfAssembler&) = delete;
  PdfAssembler& operator=(const PdfAssembler&) = delete;

  // The title the document carries.
  void SetTitle(const QString& title);
  // The number of pages of the added print, 0 on failure. unprintable: the
  // printer's margins it cannot print on (inches); the header and footer
  // stay inside them.
  int Add(const QByteArray& bodyPdf, const PageSetup& setup, const QString& title, const QString& url,
          const QMarginsF& unprintable = QMarginsF());
  // Pages added (those outside the range too).
  int PageCount() const;
  // Ends the document; false on failure (no page written included).
  bool Finish();
  const QString& Error() const { return error_; }

 private:
  struct Parts;
  class Copier;
  std::unique_ptr<Parts> parts_;
  QString error_;
};

}  // namespace qw

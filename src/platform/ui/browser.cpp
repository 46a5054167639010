#include "platform/ui/browser.h"

#include <QDir>
#include <QElapsedTimer>
#include <QEventLoop>
#include <QFileInfo>
#include <QPainter>
#include <QPdfDocument>
#include <QPrintDialog>
#include <QPrinter>
#include <QPrinterInfo>
#include <QTemporaryFile>
#include <QTimer>
#include <QVBoxLayout>
#include <QWebEnginePage>
#include <QWebEngineScript>
#include <QWebEngineSettings>
#include <QWebEngineView>

#include "platform/print_codes.h"

namespace qw {
namespace {

PageSetupSource& Source() {
  static PageSetupSource source;
  return source;
}

WebBrowser::PrintDialogHook& DialogHook() {
  static WebBrowser::PrintDialogHook hook;
  return hook;
}

constexpr int kPdfTimeoutMs = 60000;
constexpr double kRenderDpi = 200;
constexpr double kEdgeInches = 0.4;       // page edge to header / footer
constexpr double kBandInches = 0.25;      // height of the header and footer lines
constexpr double kSideInches = 0.5;       // left and right margins of the page body
constexpr double kDefaultTopInches = 0.75;

// Draws the parts of an expanded header or footer into one line.
void DrawPageLine(QPainter& painter, const QRectF& line, const QStringList& parts) {
  if (parts.isEmpty()) return;
  const int v = Qt::AlignVCenter | Qt::TextSingleLine;
  if (parts.size() == 1) {
    painter.drawText(line, Qt::AlignLeft | v, parts[0]);
  } else if (parts.size() == 2) {
    painter.drawText(line, Qt::AlignLeft | v, parts[0]);
    painter.drawText(line, Qt::AlignRight | v, parts[1]);
  } else {
    painter.drawText(line, Qt::AlignLeft | v, parts[0]);
    painter.drawText(line, Qt::AlignHCenter | v, parts[1]);
    painter.drawText(line, Qt::AlignRight | v, parts.mid(2).join(QString()));
  }
}

}  // namespace

PageSetupSource SetPageSetupSource(PageSetupSource source) {
  PageSetupSource previous = std::move(Source());
  Source() = std::move(source);
  return previous;
}

PageSetup CurrentPageSetup() { return Source() ? Source()() : PageSetup(); }

WebBrowser::PrintDialogHook WebBrowser::SetPrintDialogHook(PrintDialogHook hook) {
  PrintDialogHook previous = std::move(DialogHook());
  DialogHook() = std::move(hook);
  return previous;
}

WebBrowser::WebBrowser(QWidget* parent) : QWidget(parent) {
  auto* layout = new QVBoxLayout(this);
  layout->setContentsMargins(0, 0, 0, 0);
}

WebBrowser::~WebBrowser() = default;

void WebBrowser::EnsureView() {
  if (view_) return;
  view_ = new QWebEngineView(this);
  layout()->addWidget(view_);
  // The program's pages need no scripts of their own; outerHTML runs in the
  // application's script world, which this does not switch off.
  view_->settings()->setAttribute(QWebEngineSettings::JavascriptEnabled, false);
  view_->settings()->setAttribute(QWebEngineSettings::LocalContentCanAccessFileUrls, true);
  view_->settings()->setAttribute(QWebEngineSettings::LocalContentCanAccessRemoteUrls, false);
  connect(view_, &QWebEngineView::loadStarted, this, [this] { loading_ = true; });
  connect(view_, &QWebEngineView::loadFinished, this, [this](bool ok) {
    loading_ = false;
    loadedOk_ = ok;
    emit DocumentComplete(view_->url().toString());
  });
}

QWebEngineView* WebBrowser::View() {
  EnsureView();
  return view_;
}

void WebBrowser::Navigate(const QString& pathOrUrl) {
  EnsureView();
  QUrl url;
  if (QFileInfo(pathOrUrl).isAbsolute())
    url = QUrl::fromLocalFile(pathOrUrl);
  else
    url = QUrl::fromUserInput(pathOrUrl, QDir::currentPath(), QUrl::AssumeLocalFile);
  loading_ = true;
  loadedOk_ = false;
  view_->load(url);
}

bool WebBrowser::WaitForLoad(int timeoutMs) {
  QElapsedTimer clock;
  clock.start();
  while (loading_) {
    const qint64 left = timeoutMs - clock.elapsed();
    if (left <= 0) break;
    QEventLoop loop;
    QTimer::singleShot(int(left), &loop, &QEventLoop::quit);
    // DocumentComplete handlers may start another load (a refresh): wait on.
    connect(this, &WebBrowser::DocumentComplete, &loop, &QEventLoop::quit, Qt::QueuedConnection);
    loop.exec();
  }
  return !loading_ && loadedOk_;
}

long WebBrowser::QueryStatusWB(int command) const {
  if (command != kCmdPrint && command != kCmdRefresh) return 0;
  if (!view_) return kStatusSupported;
  if (command == kCmdRefresh) return kStatusSupported | kStatusEnabled;
  return (!loading_ && loadedOk_) ? (kStatusSupported | kStatusEnabled) : kStatusSupported;
}

bool WebBrowser::ExecWB(int command, int option) {
  if (command == kCmdRefresh) {
    Refresh();
    return view_ != nullptr;
  }
  if (command == kCmdPrint) return Print(option == kPromptUser);
  return false;
}

void WebBrowser::Refresh() {
  if (!view_) return;
  loading_ = true;
  view_->reload();
}

QPrinter& WebBrowser::Printer() {
  if (!printer_) {
    printer_ = std::make_unique<QPrinter>(QPrinter::HighResolution);
    // With no printer installed, printing still goes to a PDF file.
    if (QPrinterInfo::availablePrinterNames().isEmpty()) {
      printer_->setOutputFormat(QPrinter::PdfFormat);
      printer_->setOutputFileName(QDir::home().filePath(QStringLiteral("quaywise-print.pdf")));
    }
  }
  return *printer_;
}

bool WebBrowser::Print(bool prompt) {
  lastPrintError_.clear();
  if (!(QueryStatusWB(kCmdPrint) & kStatusEnabled)) {
    lastPrintError_ = QStringLiteral("No page is loaded.");
    return false;
  }
  QPrinter& printer = Printer();
  if (prompt) {
    bool accepted = false;
    if (DialogHook()) {
      accepted = DialogHook()(printer);
    } else {
      QPrintDialog dialog(&printer, window());
      accepted = dialog.exec() == QDialog::Accepted;
    }
    if (!accepted) return false;  // cancelled: no error
  }
  return PrintPages(printer);
}

bool WebBrowser::PrintPages(QPrinter& printer) {
  const PageSetup setup = CurrentPageSetup();
  bool ok = false;
  QString marginTop = setup.marginTop.trimmed();
  marginTop.replace(u',', u'.');  // written in the user's number format
  double top = marginTop.toDouble(&ok);
  if (!ok || top < 0) top = kDefaultTopInches;
  const double band = kEdgeInches + kBandInches + 0.1;
  if (!setup.header.isEmpty()) top = std::max(top, band);
  const double bottom = setup.footer.isEmpty() ? kEdgeInches : band;

  const QPageLayout printerLayout = printer.pageLayout();
  const QPageLayout bodyLayout(printerLayout.pageSize(), printerLayout.orientation(),
                               QMarginsF(kSideInches, top, kSideInches, bottom), QPageLayout::Inch);

  // The page as PDF, laid out with room for the header and footer.
  struct Result {
    bool done = false;
    QByteArray pdf;
  };
  auto result = std::make_shared<Result>();
  QEventLoop loop;
  QPointer<QEventLoop> loopPtr(&loop);
  view_->page()->printToPdf(
      [result, loopPtr](const QByteArray& pdf) {
        result->pdf = pdf;
        result->done = true;
        if (loopPtr) loopPtr->quit();
      },
      bodyLayout);
  QTimer::singleShot(kPdfTimeoutMs, &loop, &QEventLoop::quit);
  if (!result->done) loop.exec();
  if (result->pdf.isEmpty()) {
    lastPrintError_ = QStringLiteral("The page could not be laid out for printing.");
    return false;
  }

  QTemporaryFile file(QDir::temp().filePath(QStringLiteral("quaywise-print-XXXXXX.pdf")));
  if (!file.open() || file.write(result->pdf) != result->pdf.size()) {
    lastPrintError_ = QStringLiteral("The print file could not be written.");
    return false;
  }
  file.close();
  QPdfDocument document;
  if (document.load(file.fileName()) != QPdfDocument::Error::None || document.pageCount() < 1) {
    lastPrintError_ = QStringLiteral("The printed page could not be read back.");
    return false;
  }

  printer.setFullPage(true);
  QPainter painter;
  if (!painter.begin(&printer)) {
    lastPrintError_ = QStringLiteral("The printer could not be started.");
    return false;
  }
  const QRectF paper = printer.paperRect(QPrinter::DevicePixel);
  const double dpiX = paper.width() / printerLayout.fullRectPoints().width() * 72.0;
  const double dpiY = paper.height() / printerLayout.fullRectPoints().height() * 72.0;
  QFont font(QStringLiteral("Sans Serif"));
  font.setPointSizeF(9);
  painter.setFont(font);
  const int pages = document.pageCount();
  for (int i = 0; i < pages; ++i) {
    if (i > 0) printer.newPage();
    const QSizeF points = document.pagePointSize(i);
    // Flattened onto white: the rendered page is transparent where nothing
    // is drawn, which would leave a seam around the body.
    const QImage rendered = document.render(i, (points * kRenderDpi / 72.0).toSize());
    QImage image(rendered.size(), QImage::Format_RGB32);
    image.fill(Qt::white);
    {
      QPainter flatten(&image);
      flatten.drawImage(0, 0, rendered);
    }
    painter.drawImage(paper, image);
    const PageCodeValues values{i + 1, pages, view_->title(), view_->url().toString()};
    const double left = kSideInches * dpiX;
    const double width = paper.width() - 2 * left;
    const QRectF headerLine(left, kEdgeInches * dpiY, width, kBandInches * dpiY);
    const QRectF footerLine(left, paper.height() - (kEdgeInches + kBandInches) * dpiY, width,
                            kBandInches * dpiY);
    DrawPageLine(painter, headerLine, ExpandPageCodes(setup.header, values));
    DrawPageLine(painter, footerLine, ExpandPageCodes(setup.footer, values));
  }
  painter.end();
  return true;
}

QString WebBrowser::OuterHtml(const QString& elementId, int timeoutMs) {
  if (!view_) return QString();
  auto result = std::make_shared<std::pair<bool, QString>>(false, QString());
  QEventLoop loop;
  QPointer<QEventLoop> loopPtr(&loop);
  QString id = elementId;
  id.replace(u'\\', QStringLiteral("\\\\")).replace(u'\'', QStringLiteral("\\'"));
  const QString script =
      QStringLiteral("(function(){var e=document.getElementById('%1');return e?e.outerHTML:'';})()").arg(id);
  view_->page()->runJavaScript(script, QWebEngineScript::ApplicationWorld, [result, loopPtr](const QVariant& v) {
    result->first = true;
    result->second = v.toString();
    if (loopPtr) loopPtr->quit();
  });
  QTimer::singleShot(timeoutMs, &loop, &QEventLoop::quit);
  if (!result->first) loop.exec();
  return result->second;
}

}  // namespace qw

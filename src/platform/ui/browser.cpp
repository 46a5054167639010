#include "platform/ui/browser.h"

#include <QAbstractEventDispatcher>
#include <QAction>
#include <QChildEvent>
#include <QComboBox>
#include <QDesktopServices>
#include <QDir>
#include <QDoubleSpinBox>
#include <QElapsedTimer>
#include <QEventLoop>
#include <QFileDialog>
#include <QFileInfo>
#include <QFormLayout>
#include <QGroupBox>
#include <QGuiApplication>
#include <QHBoxLayout>
#include <QLabel>
#include <QLineEdit>
#include <QMenu>
#include <QPageSetupDialog>
#include <QPaintEngine>
#include <QPrintDialog>
#include <QPrintPreviewDialog>
#include <QPrintPreviewWidget>
#include <QPrinter>
#include <QPrinterInfo>
#include <QPushButton>
#include <QRadioButton>
#include <QScopeGuard>
#include <QScreen>
#include <QTimer>
#include <QVBoxLayout>
#include <QWebEngineLoadingInfo>
#include <QWebEngineNewWindowRequest>
#include <QWebEngineScript>
#include <QWebEngineScriptCollection>
#include <QWebEngineSettings>
#include <QWebEngineUrlRequestInfo>
#include <QWebEngineUrlRequestInterceptor>
#include <QWebEngineView>
#include <algorithm>
#include <memory>
#include <optional>

#include "platform/message_box.h"
#include "platform/page_fonts.h"
#include "platform/print_job.h"
#include "platform/ui/print_output.h"
#include "platform/ui/print_service_wait.h"
#include "platform/ui/window_frame.h"

namespace qw {
namespace {

// Stops every request for something that is not local, main page or part.
class RemoteBlocker : public QWebEngineUrlRequestInterceptor {
 public:
  void interceptRequest(QWebEngineUrlRequestInfo& info) override {
    if (!BrowserPage::IsLocal(info.requestUrl())) info.block(true);
  }
};

// How long the program's own scripts in a page may take.
constexpr int kScriptTimeoutMs = 5000;

// The extent of what a page draws, in CSS pixels from its top left corner:
// [right, bottom, whether it has a page break]. Text counts by its lines,
// and every box that is not a block in the flow (which is as wide as the
// window, whatever it holds) by its border: tables and their cells, pictures,
// inline boxes, boxes placed by position. With a page break (a BR of class
// page), only what comes before it.
constexpr char kExtentScript[] = R"((function(){
var b=document.body;if(!b)return[0,0,false];
var stop=document.querySelector('br.page'),w=0,h=0,x=window.scrollX,y=window.scrollY,r=document.createRange();
function take(q){if(q.width<=0&&q.height<=0)return;w=Math.max(w,q.right+x);h=Math.max(h,q.bottom+y);}
var walk=document.createTreeWalker(b,NodeFilter.SHOW_ELEMENT|NodeFilter.SHOW_TEXT);
for(var n=walk.nextNode();n;n=walk.nextNode()){
if(stop&&(n===stop||!(n.compareDocumentPosition(stop)&Node.DOCUMENT_POSITION_FOLLOWING)))break;
if(n.nodeType===3){if(!n.data.trim())continue;r.selectNodeContents(n);var q=r.getClientRects();for(var i=0;i<q.length;i++)take(q[i]);continue;}
var c=getComputedStyle(n);
if(/^(static|relative|sticky)$/.test(c.position)&&/^(block|list-item|flow-root|flex|grid)$/.test(c.display))continue;
take(n.getBoundingClientRect());}
return[w,h,!!stop];})())";

bool SameAddress(const QUrl& a, const QUrl& b) {
  const auto key = [](const QUrl& u) { return u.adjusted(QUrl::RemoveFragment | QUrl::NormalizePathSegments); };
  return key(a) == key(b);
}

RemoteBlocker* Blocker() {
  // Pages keep a pointer to it until they go, some at the program's end.
  static RemoteBlocker* blocker = new RemoteBlocker;
  return blocker;
}

BrowserPage::DesktopOpener& Opener() {
  static BrowserPage::DesktopOpener opener;
  return opener;
}

WebBrowser::PrintDialogHook& PrintHook() {
  static WebBrowser::PrintDialogHook hook;
  return hook;
}

WebBrowser::DialogHook& OtherDialogHook() {
  static WebBrowser::DialogHook hook;
  return hook;
}

int& PrintDepth() {
  static int depth = 0;
  return depth;
}

// Marks a print, preview or page setup as running for its lifetime, in the
// program and, when given, in the browser that prints.
class PrintScope {
 public:
  explicit PrintScope(bool* printing = nullptr) : printing_(printing) {
    ++PrintDepth();
    if (printing_) *printing_ = true;
  }
  ~PrintScope() {
    --PrintDepth();
    if (printing_) *printing_ = false;
  }
  PrintScope(const PrintScope&) = delete;
  PrintScope& operator=(const PrintScope&) = delete;

 private:
  bool* printing_;
};

int ExecDialog(QDialog& dialog) { return OtherDialogHook() ? OtherDialogHook()(dialog) : dialog.exec(); }

QString InchText(double inches) { return QString::number(inches, 'g', 6); }

// The paper the page setup keeps, on the printer.
void UseStoredPaper(QPrinter& printer, const PageSetup& setup) {
  const QPageLayout paper = StoredPaper(setup);
  printer.setPageSize(paper.pageSize());
  printer.setPageOrientation(paper.orientation());
}

// Whether the user has chosen a printer in a print dialog in this session.
bool& PrinterChosen() {
  static bool chosen = false;
  return chosen;
}

// Shows `paper` in a page-setup dialog, or in the print dialog's printer
// properties, in place of the printer's own default paper, which the dialogs
// would show (and hand back) otherwise.
void ShowPaper(QWidget& dialog, const QPageLayout& paper) {
  if (auto* sizes = dialog.findChild<QComboBox*>(QStringLiteral("pageSizeCombo"))) {
    for (int i = 0; i < sizes->count(); ++i) {
      const QPageSize size = qvariant_cast<QPageSize>(sizes->itemData(i));
      if (size.isValid() && size.isEquivalentTo(paper.pageSize())) {
        sizes->setCurrentIndex(i);
        break;
      }
    }
  }
  const QString side =
      paper.orientation() == QPageLayout::Landscape ? QStringLiteral("landscape") : QStringLiteral("portrait");
  if (auto* button = dialog.findChild<QRadioButton*>(side); button && !button->isChecked()) button->click();
}

// Shows the margins of `layout` in a page-setup dialog, which shows none on
// a printer of the print service otherwise.
void ShowMargins(QWidget& dialog, const QPageLayout& layout) {
  auto* units = dialog.findChild<QComboBox*>(QStringLiteral("unitCombo"));
  if (!units) return;
  QPageLayout shown = layout;
  shown.setUnits(qvariant_cast<QPageLayout::Unit>(units->currentData()));
  const QMarginsF m = shown.margins();
  const std::pair<const char*, double> boxes[] = {
      {"leftMargin", m.left()}, {"topMargin", m.top()}, {"rightMargin", m.right()}, {"bottomMargin", m.bottom()}};
  for (const auto& [name, value] : boxes)
    if (auto* box = dialog.findChild<QDoubleSpinBox*>(QLatin1String(name))) box->setValue(value);
}

// Keeps the print's paper through the print dialog: its printer properties
// show that paper when they open, and the printer keeps it afterwards unless
// the user confirmed other paper there.
class PaperKeeper : public QObject {
 public:
  PaperKeeper(QDialog& dialog, const QPageLayout& paper) : dialog_(dialog), paper_(paper) {
    dialog.installEventFilter(this);
  }
  void Apply(QPrinter& printer) const {
    if (confirmedIn_) return;
    printer.setPageSize(paper_.pageSize());
    printer.setPageOrientation(paper_.orientation());
  }

 protected:
  bool eventFilter(QObject* watched, QEvent* event) override {
    // The printer properties are made when first needed: watched from then.
    if (watched == &dialog_ && event->type() == QEvent::ChildAdded)
      static_cast<QChildEvent*>(event)->child()->installEventFilter(this);
    if (watched != &dialog_ && event->type() == QEvent::Show) {
      auto* properties = qobject_cast<QDialog*>(watched);
      if (properties && properties != shown_ && properties->findChild<QComboBox*>(QStringLiteral("pageSizeCombo"))) {
        shown_ = properties;
        ShowPaper(*properties, paper_);
        connect(properties, &QDialog::accepted, this, [this, properties] { confirmedIn_ = properties; });
      }
    }
    return false;
  }

 private:
  QDialog& dialog_;
  QPageLayout paper_;
  QPointer<QDialog> shown_;
  QPointer<QDialog> confirmedIn_;
};

// Where the printer prints: the session's printer, which a print dialog
// changes only when the user confirms it.
struct PrinterIdentity {
  QPrinter::OutputFormat format = QPrinter::NativeFormat;
  QString name;
  QString file;
  bool operator==(const PrinterIdentity&) const = default;
};

PrinterIdentity IdentityOf(const QPrinter& printer) {
  return {printer.outputFormat(), printer.printerName(), printer.outputFileName()};
}

// A queue of the print service that the session's printer is to print on
// again: a dialog cancelled while the service was out of reach left the
// printer without it ("" when none).
QString& PendingQueue() {
  static QString queue;
  return queue;
}

// The session's printer was made while the service did not answer: it is to
// print on the service's default queue once the service answers.
bool& PendingDefault() {
  static bool pending = false;
  return pending;
}

// The print's own choices, as the printer had them when it was made (those
// of no print dialog).
struct PrintChoices {
  int copies = 1;
  bool collate = true;
  QPrinter::ColorMode color = QPrinter::Color;
  QPrinter::DuplexMode duplex = QPrinter::DuplexNone;
  QPrinter::PageOrder order = QPrinter::FirstPageFirst;
};

PrintChoices& NeutralChoices() {
  static PrintChoices choices;
  return choices;
}

// Asks the print service (while the windows go on, `text` saying so) for its
// default queue; nullopt when the user cancelled. A service found silent a
// moment ago is not asked again at once.
std::optional<PrintServiceAnswer> AskService(QWidget* parent, const QString& text) {
  auto answer = std::make_shared<PrintServiceAnswer>();
  const PrintServiceAddress service = PrintServiceAddress::Current();
  if (!WaitForPrintService(parent, text,
                           [answer, service](PrintCall& call) { *answer = AskPrintService(service, call); }))
    return std::nullopt;
  return *answer;
}

// The printer was made a moment ago while the service did not answer: what
// it said (so that the print that made it does not ask again at once).
struct MadeSilently {
  QElapsedTimer since;
  QString reason;
};
MadeSilently& PrinterMadeSilently() {
  static MadeSilently made;
  return made;
}

const QString kAskingForPrinters = QStringLiteral("Asking the print service for its printers\u2026");

// While one lives, Qt's own calls to the print service on this thread (the
// page-setup and preview dialogs ask about the printer) fail at once if the
// service, asked first, does not answer.
class QtPrintServiceCalls {
 public:
  explicit QtPrintServiceCalls(QWidget* parent) : asked_(AskService(parent, kAskingForPrinters)) {
    if (asked_ && asked_->hangs) none_.emplace();
  }
  // The user cancelled the question.
  bool Cancelled() const { return !asked_; }

 private:
  std::optional<PrintServiceAnswer> asked_;
  std::optional<NoPrintServiceHere> none_;
};

// Puts the session's printer back on PendingQueue() (or the service's
// default queue, PendingDefault()), once the service answers (Qt asks the
// service about the printer on this thread). False, with *why (empty when
// the user cancelled), when it cannot be done now.
bool ReachPendingQueue(QPrinter& printer, QWidget* parent, QString* why) {
  if (why) why->clear();
  if (PendingDefault() && PendingQueue().isEmpty()) {
    MadeSilently& made = PrinterMadeSilently();
    if (made.since.isValid() && made.since.elapsed() < 1000) {
      made.since.invalidate();
      if (why) *why = QStringLiteral("the printers cannot be reached: %1.").arg(made.reason);
      return false;
    }
    const auto answer = AskService(parent, kAskingForPrinters);
    if (!answer) return false;
    if (!answer->answered) {
      if (why) *why = QStringLiteral("the printers cannot be reached: %1.").arg(answer->reason);
      return false;
    }
    PendingDefault() = false;
    PendingQueue() = answer->defaultQueue;
  }
  const QString queue = PendingQueue();
  if (queue.isEmpty()) return true;
  const auto answer =
      AskService(parent, QStringLiteral("Asking the print service for the printer \"%1\"\u2026").arg(queue));
  if (!answer) return false;
  if (!answer->answered) {
    if (why) *why = QStringLiteral("the printer \"%1\" cannot be reached: %2.").arg(queue, answer->reason);
    return false;
  }
  printer.setPrinterName(queue);
  if (printer.outputFormat() == QPrinter::NativeFormat && printer.printerName() == queue) {
    if (!printer.outputFileName().isEmpty()) printer.setOutputFileName(QString());
    PendingQueue().clear();
    return true;
  }
  // Gone from the service meanwhile: the next print dialog chooses anew.
  PendingQueue().clear();
  if (why) *why = QStringLiteral("the print service no longer has the printer \"%1\".").arg(queue);
  return false;
}

// Puts the printer back where it printed before a dialog the user cancelled.
void RestorePrinter(QPrinter& printer, const PrinterIdentity& was, QWidget* parent) {
  if (IdentityOf(printer) == was) return;
  if (was.format == QPrinter::PdfFormat) {
    printer.setOutputFormat(QPrinter::PdfFormat);
    printer.setOutputFileName(was.file);
    return;
  }
  PendingQueue() = was.name;
  ReachPendingQueue(printer, parent, nullptr);  // else at the next print
}

// The print dialog (or its replacement) on the printer, which holds the
// print's paper; pageRange: the user may choose pages. True when confirmed;
// a dialog the user cancels leaves the printer where it printed. `asked`:
// what the service said just before, if it was asked.
bool AskPrintDialog(QPrinter& printer, QWidget* parent, bool pageRange,
                    std::optional<PrintServiceAnswer> asked = std::nullopt) {
  const PrinterIdentity was = IdentityOf(printer);
  bool accepted = false;
  if (PrintHook()) {
    accepted = PrintHook()(printer);
  } else {
    // The dialog lists the service's printers on this thread: a service that
    // does not answer would hold the program up, so the dialog then offers
    // printing to a file only.
    if (!asked) asked = AskService(parent, kAskingForPrinters);
    if (!asked) return false;
    std::optional<NoPrintServiceHere> none;
    if (asked->hangs) {
      MsgBox(QStringLiteral("The print service does not answer, so its printers cannot be listed now (%1). "
                            "You can still print to a PDF file.")
                 .arg(asked->reason.section(u'(', 1).section(u')', 0, 0)),
             MsgButtons::OK, MsgIcon::Exclamation, kPrintStatusTitle);
      none.emplace();
    }
    QPrintDialog dialog(&printer, parent);
    UseFixedFrame(&dialog);  // modal: nothing to minimise out of sight
    dialog.setOption(QAbstractPrintDialog::PrintPageRange, pageRange);
    const PaperKeeper keeper(dialog, printer.pageLayout());
    accepted = ExecDialog(dialog) == QDialog::Accepted;
    if (accepted) keeper.Apply(printer);
  }
  if (!accepted) {
    RestorePrinter(printer, was, parent);
    return false;
  }
  PrinterChosen() = true;
  PendingQueue().clear();
  PendingDefault() = false;
  return true;
}

// A preview a page can be read in: most of the screen, the page as wide as
// the window.
void MakeReadable(QPrintPreviewDialog& dialog, const QWidget* over) {
  QScreen* screen = over && over->screen() ? over->screen() : QGuiApplication::primaryScreen();
  if (screen) {
    const QRect area = screen->availableGeometry();
    const QSize size(area.width() * 9 / 10, area.height() * 9 / 10);
    dialog.resize(size);
    dialog.move(area.center() - QPoint(size.width() / 2, size.height() / 2));
  }
  // The dialog's own button, so that its toolbar shows the choice.
  if (auto* fitWidth = dialog.findChild<QAction*>(QStringLiteral("fitWidthAction"))) fitWidth->trigger();
  if (auto* preview = dialog.findChild<QPrintPreviewWidget*>())
    preview->setZoomMode(QPrintPreviewWidget::FitToWidth);
}

}  // namespace

// ---------------------------------------------------------------- BrowserPage

BrowserPage::BrowserPage(QObject* parent) : QWebEnginePage(parent) {
  QWebEngineSettings* s = settings();
  // outerHTML runs in the application's script world, which this leaves on.
  s->setAttribute(QWebEngineSettings::JavascriptEnabled, false);
  s->setAttribute(QWebEngineSettings::JavascriptCanOpenWindows, false);
  // The pages show pictures from other folders, which the engine loads only
  // with this on; what it would also let a page do, read other files, takes
  // a script, and scripts are off.
  s->setAttribute(QWebEngineSettings::LocalContentCanAccessFileUrls, true);
  s->setAttribute(QWebEngineSettings::LocalContentCanAccessRemoteUrls, false);
  // Mail and other non-web links reach acceptNavigationRequest only from
  // the user's own clicks; scripts cannot start them.
  s->setUnknownUrlSchemePolicy(QWebEngineSettings::AllowUnknownUrlSchemesFromUserInteraction);
  setUrlRequestInterceptor(Blocker());
  connect(this, &QWebEnginePage::newWindowRequested, this, &BrowserPage::OnNewWindow);
  // The fonts the pages name, in every page and its prints, before its
  // content is laid out; the application's script world runs it whether the
  // page's own scripts are on or off.
  const auto addScript = [this](const QString& name, const QString& source) {
    QWebEngineScript script;
    script.setName(name);
    script.setSourceCode(source);
    script.setInjectionPoint(QWebEngineScript::DocumentCreation);
    script.setWorldId(QWebEngineScript::ApplicationWorld);
    script.setRunsOnSubFrames(true);
    scripts().insert(script);
  };
  addScript(QStringLiteral("PageFonts"), PageFontsScript());
  // A printed table row (a marina of a long result list) is never cut in two
  // by a page break. An adopted style sheet leaves the page's text as written;
  // an engine without them prints the rows as they fall.
  addScript(QStringLiteral("PrintRows"),
            QStringLiteral("(function(){try{var s=new CSSStyleSheet();"
                           "s.replaceSync('@media print{tr{break-inside:avoid}}');"
                           "document.adoptedStyleSheets=document.adoptedStyleSheets.concat([s]);}catch(e){}})();"));
}

void BrowserPage::SetScriptsEnabled(bool enabled) {
  settings()->setAttribute(QWebEngineSettings::JavascriptEnabled, enabled);
  settings()->setAttribute(QWebEngineSettings::JavascriptCanOpenWindows, enabled);
}

bool BrowserPage::IsLocal(const QUrl& url) {
  const QString scheme = url.scheme().toLower();
  return scheme == QLatin1String("file") || scheme == QLatin1String("qrc") || scheme == QLatin1String("data") ||
         scheme == QLatin1String("blob") || scheme == QLatin1String("about");
}

BrowserPage::DesktopOpener BrowserPage::SetDesktopOpener(DesktopOpener opener) {
  DesktopOpener previous = std::move(Opener());
  Opener() = std::move(opener);
  return previous;
}

bool BrowserPage::OpenOnDesktop(const QUrl& url) {
  const QString scheme = url.scheme().toLower();
  if (scheme != QLatin1String("http") && scheme != QLatin1String("https") && scheme != QLatin1String("mailto"))
    return false;
  if (Opener() ? Opener()(url) : QDesktopServices::openUrl(url)) return true;
  // Without a web browser or mail program on the desktop the click would do
  // nothing at all: the user learns why. Said once the page has dealt with
  // the click, not from inside the engine's own call.
  const bool mail = scheme == QLatin1String("mailto");
  const QString text = (mail ? QStringLiteral("The e-mail address ") + url.path()
                             : QStringLiteral("The web address ") + url.toString()) +
                       QStringLiteral(" could not be opened: no ") +
                       (mail ? QStringLiteral("e-mail program") : QStringLiteral("web browser")) +
                       QStringLiteral(" is set up on this computer to open it.");
  QTimer::singleShot(0, qApp, [text] { MsgBox(text, MsgButtons::OK, MsgIcon::Exclamation); });
  return false;
}

bool BrowserPage::OpenNewWindow(const QUrl& url, const QRect& geometry, QWidget* parent) {
  if (!IsLocal(url)) return OpenOnDesktop(url);
  (new BrowserPopup(url, geometry, parent))->Open();
  return true;
}

bool BrowserPage::acceptNavigationRequest(const QUrl& url, NavigationType type, bool isMainFrame) {
  ++deciding_;
  const bool accepted = Decide(url, type);
  --deciding_;
  // The program's own loads that are refused end as failed loads; other
  // refusals leave the page as it is, and their end is recognised as such.
  if (!accepted && isMainFrame && type != NavigationTypeTyped && type != NavigationTypeReload) {
    refused_ << url;
    if (refused_.size() > 16) refused_.removeFirst();  // ends that never came
  }
  return accepted;
}

bool BrowserPage::TakeRefusedEnd(const QUrl& url) {
  for (qsizetype i = 0; i < refused_.size(); ++i) {
    if (SameAddress(refused_[i], url)) {
      refused_.removeAt(i);
      return true;
    }
  }
  return false;
}

bool BrowserPage::ScriptsEnabled() const {
  return settings()->testAttribute(QWebEngineSettings::JavascriptEnabled);
}

bool BrowserPage::Decide(const QUrl& url, NavigationType type) {
  if (type == NavigationTypeLinkClicked) {
    if (linkHandler_ && linkHandler_(url)) return false;
    if (IsLocal(url)) return true;
    // Only the user's own click on a link reaches the desktop: in a page that
    // runs scripts, a script may have started this one.
    if (!ScriptsEnabled()) OpenOnDesktop(url);
    return false;
  }
  // The program's own loads, reloads and redirects: local pages only.
  return IsLocal(url);
}

void BrowserPage::OnNewWindow(QWebEngineNewWindowRequest& request) {
  // Left unopened, the request is dropped: the program shows the page itself.
  const QUrl url = request.requestedUrl();
  if (newWindowHandler_ && newWindowHandler_(url, request.requestedGeometry())) return;
  // An address outside goes to the desktop only from the user's click on a
  // link with a target, never from a script (window.open).
  if (!IsLocal(url) && (!request.isUserInitiated() || ScriptsEnabled())) return;
  QWidget* owner = qobject_cast<QWidget*>(parent());
  OpenNewWindow(url, request.requestedGeometry(), owner ? owner->window() : nullptr);
}

// ----------------------------------------------------------------- WebBrowser

WebBrowser::PrintDialogHook WebBrowser::SetPrintDialogHook(PrintDialogHook hook) {
  PrintDialogHook previous = std::move(PrintHook());
  PrintHook() = std::move(hook);
  return previous;
}

WebBrowser::DialogHook WebBrowser::SetDialogHook(DialogHook hook) {
  DialogHook previous = std::move(OtherDialogHook());
  OtherDialogHook() = std::move(hook);
  return previous;
}

WebBrowser::WebBrowser(QWidget* parent, Kind kind) : QWidget(parent), kind_(kind) {
  auto* layout = new QVBoxLayout(this);
  layout->setContentsMargins(0, 0, 0, 0);
}

WebBrowser::~WebBrowser() {
  // The view lets go of the page before the page goes.
  delete view_;
  delete page_;
}

BrowserPage* WebBrowser::EnsurePage() {
  if (page_) return page_;
  page_ = new BrowserPage(this);
  page_->SetScriptsEnabled(scripts_);
  page_->SetLinkHandler(linkHandler_);
  page_->SetNewWindowHandler(newWindowHandler_);
  connect(page_, &QWebEnginePage::loadingChanged, this, &WebBrowser::OnLoadingChanged);
  if (kind_ == Kind::Visible) {
    view_ = new QWebEngineView(this);
    view_->setPage(page_);
    layout()->addWidget(view_);
  }
  return page_;
}

BrowserPage* WebBrowser::Page() { return EnsurePage(); }

QWebEngineView* WebBrowser::View() {
  EnsurePage();
  return view_;
}

void WebBrowser::SetLinkHandler(BrowserPage::LinkHandler handler) {
  linkHandler_ = std::move(handler);
  if (page_) page_->SetLinkHandler(linkHandler_);
}

void WebBrowser::SetNewWindowHandler(BrowserPage::NewWindowHandler handler) {
  newWindowHandler_ = std::move(handler);
  if (page_) page_->SetNewWindowHandler(newWindowHandler_);
}

void WebBrowser::SetScriptsEnabled(bool enabled) {
  scripts_ = enabled;
  if (page_) page_->SetScriptsEnabled(enabled);
}

QUrl WebBrowser::Url() const { return page_ ? page_->url() : QUrl(); }

QString WebBrowser::Title() const { return page_ ? page_->title() : QString(); }

bool WebBrowser::MayLoad() {
  if (printing_) {
    lastError_ = QStringLiteral("The page cannot change while it is being printed.");
    return false;
  }
  if (waitingForLoad_ && loading_) {
    lastError_ = QStringLiteral("Another page is still loading for a command that waits for it.");
    return false;
  }
  return true;
}

bool WebBrowser::MayPrint() {
  if (PrintRunning()) {
    lastError_ = QStringLiteral("Another print is still running.");
    return false;
  }
  if (!page_ || loading_ || !loadedOk_) {
    lastError_ = loading_ ? QStringLiteral("The page has not finished loading.") : QStringLiteral("No page is loaded.");
    return false;
  }
  return true;
}

bool WebBrowser::PrintRunning() { return PrintDepth() > 0; }

bool WebBrowser::Navigate(const QString& pathOrUrl) {
  lastError_.clear();
  if (!MayLoad()) return false;
  EnsurePage();
  QUrl url;
  if (QFileInfo(pathOrUrl).isAbsolute())
    url = QUrl::fromLocalFile(pathOrUrl);
  else
    url = QUrl::fromUserInput(pathOrUrl, QDir::currentPath(), QUrl::AssumeLocalFile);
  loadedOk_ = false;
  StartProgramLoad(url, [page = page_, url] { page->load(url); });
  return true;
}

bool WebBrowser::Refresh() {
  lastError_.clear();
  if (!MayLoad()) return false;
  if (!page_ || page_->url().isEmpty()) {
    lastError_ = QStringLiteral("No page is loaded.");
    return false;
  }
  StartProgramLoad(page_->url(), [page = page_] { page->triggerAction(QWebEnginePage::Reload); });
  return true;
}

void WebBrowser::StartProgramLoad(const QUrl& url, std::function<void()> load) {
  ++serial_;
  programLoad_ = true;
  programUrl_ = url;
  programStart_ = load;
  retried_ = false;
  loading_ = true;
  deferredLoad_ = nullptr;
  if (!page_->DecidingNavigation() && !page_->RefusedPending()) {
    load();
    return;
  }
  // Asked for while the page refuses a link (a link handler that loads a
  // page in its place): started before the refused link has ended, the
  // engine would stop this load in its place. It starts when that end has
  // come, or after a while should it never come.
  deferredLoad_ = std::move(load);
  QTimer::singleShot(kRefusedEndTimeoutMs, this, [this, serial = serial_] {
    if (serial == serial_) RunDeferredLoad();
  });
}

void WebBrowser::RunDeferredLoad() {
  if (!deferredLoad_ || !page_) return;
  const std::function<void()> load = std::move(deferredLoad_);
  deferredLoad_ = nullptr;
  load();
}

void WebBrowser::OnLoadingChanged(const QWebEngineLoadingInfo& info) {
  if (info.status() == QWebEngineLoadingInfo::LoadStartedStatus) {
    if (!programLoad_ && !loading_) {  // the page's own: a link it follows
      loading_ = true;
      emit StateChanged();
    }
    return;
  }
  const bool stopped = info.status() == QWebEngineLoadingInfo::LoadStoppedStatus;
  Outcome outcome = info.status() == QWebEngineLoadingInfo::LoadSucceededStatus ? Outcome::Loaded : Outcome::Failed;
  if (stopped && page_->TakeRefusedEnd(info.url())) {
    // A link refused or taken by the program: the page stays as it was. A
    // load the program asked for meanwhile may start now.
    if (deferredLoad_ && !page_->RefusedPending())
      QMetaObject::invokeMethod(this, &WebBrowser::RunDeferredLoad, Qt::QueuedConnection);
    if (programLoad_) return;
    outcome = Outcome::Unchanged;
  } else if (programLoad_) {
    // An earlier navigation replaced by the program's load.
    if (stopped && !SameAddress(info.url(), programUrl_)) return;
    // Ended without an error of its own: the engine dropped it while it
    // still wound up a refused link. It is asked for once more.
    if (outcome == Outcome::Failed && !stopped && info.errorCode() == 0 && !retried_) {
      retried_ = true;
      deferredLoad_ = programStart_;
      QMetaObject::invokeMethod(this, &WebBrowser::RunDeferredLoad, Qt::QueuedConnection);
      return;
    }
    programLoad_ = false;
  } else if (stopped) {
    outcome = Outcome::Unchanged;
  }
  if (!stopped) page_->ForgetRefused();
  // Handlers of the notification may print or load: they run from the event
  // loop, not from inside the engine's own notification.
  const quint64 serial = serial_;
  QMetaObject::invokeMethod(this, [this, outcome, serial] { Complete(outcome, serial); }, Qt::QueuedConnection);
}

void WebBrowser::Complete(Outcome outcome, quint64 serial) {
  if (serial != serial_) return;  // a newer load has started since
  loading_ = false;
  if (outcome != Outcome::Unchanged) printZoomed_ = false;  // a new document
  if (outcome != Outcome::Unchanged) {
    loadedOk_ = outcome == Outcome::Loaded;
    emit DocumentComplete(Url().toString(), loadedOk_);
  }
  emit StateChanged();
}

bool WebBrowser::WaitUntil(const std::function<bool()>& done, int timeoutMs) {
  QElapsedTimer clock;
  clock.start();
  while (!done()) {
    const qint64 left = timeoutMs - clock.elapsed();
    if (left <= 0) break;
    QEventLoop loop;
    QTimer::singleShot(int(left), &loop, &QEventLoop::quit);
    connect(this, &WebBrowser::StateChanged, &loop, &QEventLoop::quit);
    // A wait often runs inside the delivery of a posted event (a handler of
    // DocumentComplete that prints). Events posted before that one and still
    // queued behind it are delivered again only once something new is posted;
    // the engine's own scheduling may be among them, and it then posts nothing
    // new and never answers. Waking the dispatcher delivers them first.
    if (auto* dispatcher = QAbstractEventDispatcher::instance()) dispatcher->wakeUp();
    loop.exec(QEventLoop::ExcludeUserInputEvents);
  }
  return done();
}

bool WebBrowser::WaitForLoad(int timeoutMs) {
  if (loading_) {
    const bool outer = !waitingForLoad_;
    waitingForLoad_ = true;
    WaitUntil([this] { return !loading_; }, timeoutMs);
    if (outer) waitingForLoad_ = false;
  }
  return !loading_ && loadedOk_;
}

long WebBrowser::QueryStatusWB(int command) const {
  const bool loaded = page_ && !loading_ && loadedOk_;
  switch (command) {
    case kCmdPrint:
    case kCmdPrintPreview: return loaded ? (kStatusSupported | kStatusEnabled) : kStatusSupported;
    case kCmdPageSetup: return kStatusSupported | kStatusEnabled;
    case kCmdRefresh: return page_ ? (kStatusSupported | kStatusEnabled) : kStatusSupported;
    default: return 0;
  }
}

bool WebBrowser::ExecWB(int command, int option) {
  switch (command) {
    case kCmdPrint: return Print(option == kPromptUser);
    case kCmdPrintPreview: return Preview();
    case kCmdPageSetup:
      PageSetupDialog();
      return lastError_.isEmpty();
    case kCmdRefresh: return Refresh();
    default: return false;
  }
}

QPrinter& WebBrowser::Printer() {
  // One for the program, kept to its end (the printer or file the user chose
  // stays chosen).
  static QPrinter* printer = nullptr;
  static bool making = false;
  if (printer) return *printer;
  // Made, Qt asks the service for its default printer on this thread: not
  // of a service that does not answer (the printer then writes a file until
  // it answers).
  std::optional<PrintServiceAnswer> asked;
  if (!making) {
    making = true;
    asked = AskService(nullptr, kAskingForPrinters);
    making = false;
    if (printer) return *printer;
  }
  std::optional<NoPrintServiceHere> none;
  if (asked && asked->hangs) {
    none.emplace();
    PendingDefault() = true;
    PrinterMadeSilently().reason = asked->reason;
    PrinterMadeSilently().since.start();
  }
  printer = new QPrinter(QPrinter::HighResolution);
  UseStoredPaper(*printer, CurrentPageSetup());
  // With no printer installed, printing still goes to a PDF file.
  if (QPrinterInfo::availablePrinterNames().isEmpty()) {
    printer->setOutputFormat(QPrinter::PdfFormat);
    printer->setOutputFileName(QDir::home().filePath(QStringLiteral("quaywise-print.pdf")));
  }
  NeutralChoices() = {printer->copyCount(), printer->collateCopies(), printer->colorMode(), printer->duplex(),
                      printer->pageOrder()};
  return *printer;
}

void WebBrowser::ForgetPrinterChoice() { PrinterChosen() = false; }

void WebBrowser::ResetPrintChoices() {
  QPrinter& printer = Printer();
  const PrintChoices& neutral = NeutralChoices();
  printer.setCopyCount(neutral.copies);
  printer.setCollateCopies(neutral.collate);
  printer.setColorMode(neutral.color);
  printer.setDuplex(neutral.duplex);
  printer.setPageOrder(neutral.order);
  printer.setPrintRange(QPrinter::AllPages);
  ClearPrintServiceOptions(printer);
}

bool WebBrowser::PrepareRun(QWidget* parent, const QString& title, QString* why) {
  if (why) why->clear();
  QPrinter& printer = Printer();
  ResetPrintChoices();
  UseStoredPaper(printer, CurrentPageSetup());
  if (!ReachPendingQueue(printer, parent, why)) return false;
  // Without a default printer the run would go to whichever printer comes
  // first: the user says which.
  const auto toPrinter = [&printer] {
    return printer.outputFileName().isEmpty() && printer.outputFormat() == QPrinter::NativeFormat;
  };
  if (toPrinter() && !PrinterChosen()) {
    const auto asked = AskService(parent, kAskingForPrinters);
    if (!asked || (asked->defaultQueue.isEmpty() && !AskPrintDialog(printer, parent, false, asked))) return false;
  }
  // Into a file ("Print to File" chosen there too): the file is asked for.
  return toPrinter() || ChoosePrintFile(parent, title);
}

bool WebBrowser::ChoosePrintFile(QWidget* parent, const QString& title) {
  QPrinter& printer = Printer();
  const bool pdf = printer.outputFormat() == QPrinter::PdfFormat;
  QString file = printer.outputFileName();
  for (;;) {
    QFileDialog dialog(parent, title);
    dialog.setAcceptMode(QFileDialog::AcceptSave);
    dialog.setFileMode(QFileDialog::AnyFile);
    // The replacement is asked below, as every other question is.
    dialog.setOption(QFileDialog::DontConfirmOverwrite);
    if (pdf) {
      dialog.setNameFilter(QStringLiteral("PDF files (*.pdf)"));
      dialog.setDefaultSuffix(QStringLiteral("pdf"));
    }
    const QFileInfo current(file.isEmpty() ? QDir::home().filePath(QStringLiteral("quaywise-print.pdf")) : file);
    dialog.setDirectory(current.absolutePath());
    dialog.selectFile(current.fileName());
    DrawCaptionWithoutWindowManager(&dialog);
    if (ExecDialog(dialog) != QDialog::Accepted || dialog.selectedFiles().isEmpty()) return false;
    file = dialog.selectedFiles().constFirst();
    if (!QFileInfo::exists(file)) break;
    if (Ask(Question::ReplaceFile,
            QStringLiteral("%1 already exists.\nDo you want to replace it?").arg(QDir::toNativeSeparators(file)),
            MsgIcon::Exclamation, title, 2) == MsgResult::Yes)
      break;
  }
  printer.setOutputFileName(file);
  return true;
}

QVariant WebBrowser::RunScript(const QString& script, int timeoutMs) {
  if (!page_) return {};
  auto result = std::make_shared<std::optional<QVariant>>();
  QPointer<WebBrowser> self(this);
  page_->runJavaScript(script, QWebEngineScript::ApplicationWorld, [result, self](const QVariant& v) {
    *result = v;
    if (self) emit self->StateChanged();
  });
  WaitUntil([&] { return result->has_value(); }, timeoutMs);
  return result->value_or(QVariant());
}

void WebBrowser::SetPrintZoom(double zoom) {
  // A style sheet of the program's own, for print only: the page on screen
  // stays as it is.
  RunScript(QStringLiteral("(function(z){var d=document,s=d.quaywisePrintZoom;"
                           "if(!s){s=new CSSStyleSheet();d.quaywisePrintZoom=s;"
                           "d.adoptedStyleSheets=d.adoptedStyleSheets.concat([s]);}"
                           "s.replaceSync(z>0?'@media print{html{zoom:'+z+'}}':'');return 1;})(%1)")
                .arg(zoom < 1 ? zoom : 0, 0, 'g', 6),
            kScriptTimeoutMs);
  printZoomed_ = zoom < 1;
}

QByteArray WebBrowser::Layout(const QPageLayout& layout, PrintFit fit) {
  double zoom = 1;
  bool oneSheet = false;
  if (fit != PrintFit::None) {
    // The page's extent in CSS pixels (96 an inch): what it draws (text,
    // pictures, tables, boxes placed by position), not the width of the
    // window it lies in; for a page made as one sheet, up to its first page
    // break.
    const QVariantList extent = RunScript(QString::fromLatin1(kExtentScript), kScriptTimeoutMs).toList();
    const QSizeF body = layout.paintRect(QPageLayout::Inch).size() * 96;
    const double width = extent.value(0).toDouble();
    const double height = extent.value(1).toDouble();
    if (width > body.width()) zoom = body.width() / width;
    if (fit == PrintFit::FirstPage && height > body.height()) zoom = std::min(zoom, body.height() / height);
    oneSheet = fit == PrintFit::FirstPage && !extent.value(2).toBool();
  }
  for (int attempt = 0;; ++attempt) {
    if (zoom < 1 || printZoomed_) SetPrintZoom(zoom);
    auto result = std::make_shared<std::optional<QByteArray>>();
    QPointer<WebBrowser> self(this);
    page_->printToPdf(
        [result, self](const QByteArray& pdf) {
          *result = pdf;
          if (self) emit self->StateChanged();
        },
        layout);
    WaitUntil([&] { return result->has_value(); }, kLayoutTimeoutMs);
    const QByteArray pdf = result->value_or(QByteArray());
    // A page that still runs over (the engine's own rounding): a little
    // smaller again.
    if (!oneSheet || pdf.isEmpty() || attempt == 3 || PdfPageCount(pdf) <= 1) return pdf;
    zoom *= 0.96;
  }
}

bool WebBrowser::AddTo(PrintOutput& output, PrintFit fit) {
  const PageSetup setup = CurrentPageSetup();
  const QByteArray body = Layout(BodyLayout(output.Printer().pageLayout(), setup), fit);
  if (body.isEmpty()) {
    lastError_ = QStringLiteral("The page could not be laid out for printing.");
    return false;
  }
  if (!output.Add(body, setup, Title(), Url().toString())) {
    lastError_ = output.Error();
    return false;
  }
  return true;
}

QString WebBrowser::DocumentTitle() const {
  const QString title = Title();
  const QUrl url = Url();
  return title == url.fileName() || title == url.toString() || title == url.toLocalFile() ? QString() : title;
}

bool WebBrowser::Print(bool prompt, const PrintJobInfo& job) {
  lastError_.clear();
  if (!MayPrint()) return false;
  PrintScope scope(&printing_);
  QPrinter& printer = Printer();
  // The paper, orientation and choices of this print end with it: the next
  // print starts from the page setup's paper, one copy, again.
  const auto ended = qScopeGuard([&printer] {
    ResetPrintChoices();
    UseStoredPaper(printer, CurrentPageSetup());
  });
  UseStoredPaper(printer, CurrentPageSetup());
  if (job.orientation) printer.setPageOrientation(*job.orientation);
  if (prompt) {
    if (!AskPrintDialog(printer, window(), true)) return false;  // cancelled: no error
  } else if (!ReachPendingQueue(printer, window(), &lastError_)) {
    return false;
  }
  PrintOutput output(printer, PrintOutput::Kind::Printer, job.title.isEmpty() ? DocumentTitle() : job.title);
  const bool printed = AddTo(output, job.fit) && output.Finish();
  if (!printed && lastError_.isEmpty()) lastError_ = output.Error();
  return printed;
}

bool WebBrowser::PrintTo(PrintOutput& output, PrintFit fit) {
  lastError_.clear();
  if (!MayPrint()) return false;
  PrintScope scope(&printing_);
  return AddTo(output, fit);
}

bool WebBrowser::Preview(const PrintJobInfo& job) {
  lastError_.clear();
  if (!MayPrint()) return false;
  std::optional<QPageLayout::Orientation> printAfter;
  {
    PrintScope scope(&printing_);
    // Its page-setup button asks the service about the printer.
    const QtPrintServiceCalls calls(window());
    if (calls.Cancelled()) return false;
    const PageSetup setup = CurrentPageSetup();
    QByteArray body;
    QPageLayout laidOut;
    UseStoredPaper(Printer(), setup);
    QPrintPreviewDialog dialog(&Printer(), window());
    connect(&dialog, &QPrintPreviewDialog::paintRequested, &dialog, [&](QPrinter* printer) {
      // The dialog's orientation and page-setup buttons change the paper.
      const QPageLayout layout = BodyLayout(printer->pageLayout(), setup);
      if (body.isEmpty() || !layout.isEquivalentTo(laidOut)) {
        body = Layout(layout, job.fit);
        laidOut = layout;
      }
      // Drawing the preview goes to a picture engine; the dialog's own Print
      // (when it is not the program's, below) sends the same request with the
      // real printer.
      const bool previewing = printer->paintEngine() && printer->paintEngine()->type() == QPaintEngine::Picture;
      PrintOutput output(*printer, previewing ? PrintOutput::Kind::Preview : PrintOutput::Kind::Printer);
      if (body.isEmpty() || !output.Add(body, setup, Title(), Url().toString()) || !output.Finish()) {
        lastError_ = body.isEmpty() ? QStringLiteral("The page could not be laid out for printing.") : output.Error();
        // The preview stays open: a print from it that failed says so now.
        if (!previewing) SayNotPrinted(QStringLiteral("The page"), lastError_);
      }
    });
    // Its Print is the program's print, once the preview has closed: the
    // paper of the page setup in the orientation previewed, the print dialog
    // that keeps it, and the job checked.
    for (QAction* action : dialog.findChildren<QAction*>()) {
      if (action->text().remove(u'&') != QLatin1String("Print")) continue;
      disconnect(action, &QAction::triggered, nullptr, nullptr);
      connect(action, &QAction::triggered, &dialog, [&dialog, &printAfter] {
        printAfter = Printer().pageLayout().orientation();
        dialog.accept();
      });
    }
    MakeReadable(dialog, window());
    // Its toolbar has no close button.
    DrawCaptionWithoutWindowManager(&dialog);
    ExecDialog(dialog);
  }
  if (printAfter && !Print(true, {job.title, printAfter, job.fit}) && !lastError_.isEmpty())
    SayNotPrinted(QStringLiteral("The page"), lastError_);
  return true;
}

bool WebBrowser::PageSetupDialog() {
  lastError_.clear();
  if (PrintRunning()) {
    lastError_ = QStringLiteral("Another print is still running.");
    return false;
  }
  PrintScope scope;
  // The dialog asks the service about the printer (its papers).
  const QtPrintServiceCalls calls(window());
  if (calls.Cancelled()) return false;
  QPrinter& printer = Printer();
  const PageSetup setup = CurrentPageSetup();
  // The paper and margins that the print will use, as stored.
  UseStoredPaper(printer, setup);
  const QPageLayout stored = PageSetupLayout(printer.pageLayout(), setup);
  printer.setPageMargins(stored.margins(QPageLayout::Inch), QPageLayout::Inch);
  QPageSetupDialog dialog(&printer, window());
  UseFixedFrame(&dialog);
  // The dialog offers the printer's default paper first, and on a printer of
  // the print service no margins: it shows the stored ones.
  ShowPaper(dialog, StoredPaper(setup));
  ShowMargins(dialog, stored);
  // The printed header and footer (with the page codes &p, &P, &w, ...) are
  // set here too, beside the paper and the margins.
  auto* texts = new QGroupBox(QStringLiteral("Headers and Footers"), &dialog);
  auto* form = new QFormLayout(texts);
  auto* header = new QLineEdit(setup.header, texts);
  auto* footer = new QLineEdit(setup.footer, texts);
  header->setObjectName(QStringLiteral("Header"));
  footer->setObjectName(QStringLiteral("Footer"));
  form->addRow(QStringLiteral("&Header:"), header);
  form->addRow(QStringLiteral("&Footer:"), footer);
  if (auto* box = qobject_cast<QBoxLayout*>(dialog.layout()))
    box->insertWidget(std::max(0, box->count() - 1), texts);
  else
    texts->hide();
  if (ExecDialog(dialog) != QDialog::Accepted) return false;
  const QPageLayout chosen = printer.pageLayout();
  const QMarginsF margins = chosen.margins(QPageLayout::Inch);
  PageSetupChange change{{kMarginTop, InchText(margins.top())},
                         {kMarginBottom, InchText(margins.bottom())},
                         {kMarginLeft, InchText(margins.left())},
                         {kMarginRight, InchText(margins.right())},
                         {kPaperSize, PaperText(chosen.pageSize())},
                         {kPaperOrientation, OrientationText(chosen.orientation())}};
  if (texts->isVisibleTo(&dialog)) {
    change.append({kPageHeader, header->text()});
    change.append({kPageFooter, footer->text()});
  }
  WritePageSetup(change);
  return true;
}

QString WebBrowser::OuterHtml(const QString& elementId, int timeoutMs) {
  QString id = elementId;
  id.replace(u'\\', QStringLiteral("\\\\")).replace(u'\'', QStringLiteral("\\'"));
  return RunScript(
             QStringLiteral("(function(){var e=document.getElementById('%1');return e?e.outerHTML:'';})()").arg(id),
             timeoutMs)
      .toString();
}

// --------------------------------------------------------------- BrowserPopup

namespace {

// The browser engine's own menu offers saving the page or a picture, opening
// in new windows and the page's source, none of which a window of the
// program handles: its menu keeps only what works here and now.
void OfferWorkingActionsOnly(QWebEngineView* view) {
  view->setContextMenuPolicy(Qt::CustomContextMenu);
  QObject::connect(view, &QWidget::customContextMenuRequested, view, [view](const QPoint& at) {
    QMenu* menu = view->createStandardContextMenu();
    if (!menu) return;
    menu->setAttribute(Qt::WA_DeleteOnClose);
    QList<QAction*> working;
    for (QWebEnginePage::WebAction action : kWorkingPageActions) working << view->pageAction(action);
    // Separators only between kept items.
    QAction* last = nullptr;
    for (QAction* action : menu->actions()) {
      const bool keep =
          action->isSeparator() ? last && !last->isSeparator() : working.contains(action) && action->isEnabled();
      if (keep)
        last = action;
      else
        menu->removeAction(action);
    }
    if (last && last->isSeparator()) menu->removeAction(last);
    if (menu->actions().isEmpty()) {
      delete menu;
      return;
    }
    menu->popup(view->mapToGlobal(at));
  });
}

}  // namespace

BrowserPopup::BrowserPopup(const QUrl& url, const QRect& geometry, QWidget* parent, const QString& caption)
    : QWidget(parent, Qt::Window) {
  setObjectName(QStringLiteral("BrowserPopup"));
  setAttribute(Qt::WA_DeleteOnClose);
  auto* layout = new QVBoxLayout(this);
  layout->setContentsMargins(0, 0, 0, 0);
  layout->setSpacing(0);
  browser_ = new WebBrowser(this);
  layout->addWidget(browser_, 1);
  // The status bar the page asks for, which holds the close control that a
  // bare display without a window manager has nowhere else.
  auto* bar = new QWidget(this);
  auto* row = new QHBoxLayout(bar);
  row->setContentsMargins(6, 3, 6, 3);
  lblCaption = new QLabel(bar);
  lblCaption->setObjectName(QStringLiteral("lblCaption"));
  // The caption names a marina: shown as it stands, on one line, and never
  // wider than the window, which keeps Close on the screen.
  lblCaption->setTextFormat(Qt::PlainText);
  lblCaption->setSizePolicy(QSizePolicy::Ignored, QSizePolicy::Fixed);
  cmdClose = new QPushButton(QStringLiteral("Close"), bar);
  cmdClose->setObjectName(QStringLiteral("cmdClose"));
  cmdClose->setFocusPolicy(Qt::NoFocus);  // the keyboard stays on the page
  row->addWidget(lblCaption, 1);
  row->addWidget(cmdClose);
  layout->addWidget(bar);
  connect(cmdClose, &QPushButton::clicked, this, &QWidget::close);
  connect(this, &QWidget::windowTitleChanged, lblCaption,
          [this](const QString& title) { lblCaption->setText(title.simplified()); });
  if (caption.isEmpty())
    connect(browser_->Page(), &QWebEnginePage::titleChanged, this, &QWidget::setWindowTitle);
  else
    setWindowTitle(caption);
  CloseByKeys(this);
  ReturnKeyboardOnClose(this, [opener = QPointer<QWidget>(parent ? parent->window() : nullptr)] { return opener.data(); });
  OfferWorkingActionsOnly(browser_->View());

  const QScreen* screen = parent && parent->screen() ? parent->screen() : QGuiApplication::primaryScreen();
  const QRect area = screen ? screen->availableGeometry() : QRect(0, 0, 800, 600);
  const QSize asked = geometry.width() > 0 && geometry.height() > 0 ? geometry.size() : QSize(800, 600);
  fillsScreen_ = asked.width() >= area.width() && asked.height() >= area.height();
  if (fillsScreen_) {
    // Restored from the free area, most of it, in the middle.
    const QSize size = area.size() * 9 / 10;
    resize(size);
    move(area.center() - QPoint(size.width() / 2, size.height() / 2));
  } else {
    // A script asks for the page's size and the window's outer position; the
    // window stays on the screen with its frame.
    resize(asked.boundedTo(area.size()));
    move(std::clamp(geometry.x(), area.left(), std::max(area.left(), area.right() - width())),
         std::clamp(geometry.y(), area.top(), std::max(area.top(), area.bottom() - height())));
  }
  browser_->Navigate(url.toString());
}

void BrowserPopup::Open() {
  if (fillsScreen_)
    ShowMaximised(this);
  else
    show();
  raise();
  activateWindow();
  // The keyboard on the page, where the close keys are typed.
  if (QWidget* view = browser_->View()) view->setFocus();
}

// --------------------------------------------------------------- GuardedPrint

bool GuardedPrint(WebBrowser& browser, bool prompt, const std::function<void()>& beforePrint,
                  const PrintJobInfo& job) {
  return PrintWhenEnabled(browser.QueryStatusWB(WebBrowser::kCmdPrint), beforePrint, [&] {
    if (browser.Print(prompt, job)) return true;
    if (!browser.LastError().isEmpty())
      SayNotPrinted(QStringLiteral("The page"), browser.LastError());
    return false;
  });
}

}  // namespace qw

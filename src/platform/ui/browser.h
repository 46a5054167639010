#pragma once
// The embedded browser as the program uses it: navigate to a local page, the
// page-loaded notification, waiting for a load, the status of the print,
// preview, page-setup and refresh commands, printing (with or without the
// print dialog, to a printer or a PDF file), print preview, page setup and
// the outerHTML of an element. Printed pages carry the header, footer and
// margins of the page-setup store (print_pages.h), with the codes of
// print_codes.h.
//
// One thing at a time: while a print runs (anywhere in the program: the
// printer is shared) no other print, preview or page setup starts, and the
// printing browser loads nothing; while a caller waits for a load, no other
// load starts in that browser. A refused call returns false and LastError()
// says why. The waits leave user input aside, so no click starts anything
// meanwhile.
//
// Links and new windows: a click on a link and a request for a new window
// (a link with a target, window.open) go to the handlers the owner sets.
// Without a handler, or when it declines, local pages load in place (a new
// window opens a small window of the program showing the page), web and mail
// addresses go to the desktop's own programs, and anything else is refused.
// An address goes to the desktop only from the user's click on a link in a
// page that runs no script; never from a script. Nothing remote is ever
// loaded into a page.
#include <QList>
#include <QPageLayout>
#include <QPointer>
#include <QRect>
#include <QString>
#include <QUrl>
#include <QVariant>
#include <QWebEnginePage>
#include <QWidget>
#include <functional>
#include <optional>

#include "platform/print_pages.h"

class QDialog;
class QLabel;
class QPrinter;
class QPushButton;
class QWebEngineLoadingInfo;
class QWebEngineNewWindowRequest;
class QWebEngineView;

namespace qw {

class PrintOutput;

// How a print fits its page to the sheet's printable part (the sheet less
// the page setup's margins, the header and footer, and what the printer
// cannot print on). The engine by itself shrinks a page only so far and cuts
// what is wider still.
enum class PrintFit {
  None,       // as the engine lays it out
  Width,      // a page wider than that part is scaled down to its width; it
              // runs on over as many sheets as it needs (a list)
  FirstPage,  // a page made as one sheet (a report): what comes before its
              // first page break is scaled down to fit one sheet, never cut
              // and never split; what follows the break goes on new sheets
};

// What one print sets beside the page setup: the title of its job (what the
// print queue lists; the page's own title when empty), for a print that is
// laid out across the sheet its own orientation in place of the stored one,
// and how it fits the sheet.
struct PrintJobInfo {
  QString title;
  std::optional<QPageLayout::Orientation> orientation;
  PrintFit fit = PrintFit::None;
};

// The page of a browser: applies the link and new-window rules above.
class BrowserPage : public QWebEnginePage {
  Q_OBJECT

 public:
  // The owner's say on a link or a new window: true when the program has
  // dealt with the address (the page stays as it is), false to leave it to
  // the default rules.
  using LinkHandler = std::function<bool(const QUrl& url)>;
  using NewWindowHandler = std::function<bool(const QUrl& url, const QRect& geometry)>;

  explicit BrowserPage(QObject* parent = nullptr);
  void SetLinkHandler(LinkHandler handler) { linkHandler_ = std::move(handler); }
  void SetNewWindowHandler(NewWindowHandler handler) { newWindowHandler_ = std::move(handler); }
  // Scripts stay off unless a page needs them (then windows may be opened).
  void SetScriptsEnabled(bool enabled);
  bool ScriptsEnabled() const;

  // file:, qrc:, data:, blob: and about: addresses.
  static bool IsLocal(const QUrl& url);
  // Hands a web or mail address to the desktop; false for other schemes.
  // Tests replace the desktop; each setter returns the previous function.
  using DesktopOpener = std::function<bool(const QUrl& url)>;
  static DesktopOpener SetDesktopOpener(DesktopOpener opener);
  static bool OpenOnDesktop(const QUrl& url);
  // The default for a new window: a local page opens in a BrowserPopup (its
  // parent window `parent`), anything else as a link.
  static bool OpenNewWindow(const QUrl& url, const QRect& geometry, QWidget* parent);

  // While the page decides on a navigation (the link handler runs inside).
  bool DecidingNavigation() const { return deciding_ > 0; }
  // A navigation the page refused (a link declined or taken by the program)
  // still ends, stopped, some time later: true, once, for the address of
  // such an end.
  bool TakeRefusedEnd(const QUrl& url);
  // Whether a refused navigation has yet to end.
  bool RefusedPending() const { return !refused_.isEmpty(); }
  // A page loaded or failed: every refused navigation before it has ended.
  void ForgetRefused() { refused_.clear(); }

 protected:
  bool acceptNavigationRequest(const QUrl& url, NavigationType type, bool isMainFrame) override;

 private:
  bool Decide(const QUrl& url, NavigationType type);
  void OnNewWindow(QWebEngineNewWindowRequest& request);

  LinkHandler linkHandler_;
  NewWindowHandler newWindowHandler_;
  int deciding_ = 0;
  QList<QUrl> refused_;
};

class WebBrowser : public QWidget {
  Q_OBJECT

 public:
  // Commands, options and status bits of ExecWB / QueryStatusWB.
  static constexpr int kCmdPrint = 6;
  static constexpr int kCmdPrintPreview = 7;
  static constexpr int kCmdPageSetup = 8;
  static constexpr int kCmdRefresh = 22;
  static constexpr int kPromptUser = 1;
  static constexpr int kDontPromptUser = 2;
  static constexpr long kStatusSupported = 1;
  static constexpr long kStatusEnabled = 2;
  // How long a print waits for the engine to lay the page out.
  static constexpr int kLayoutTimeoutMs = 60000;
  // How long a load asked for while a link is being refused waits for the
  // engine to finish refusing it.
  static constexpr int kRefusedEndTimeoutMs = 2000;

  // A Visible browser shows its page; a Hidden one never does (it only loads
  // and prints), and so never touches the native window it sits in.
  enum class Kind { Visible, Hidden };
  explicit WebBrowser(QWidget* parent = nullptr, Kind kind = Kind::Visible);
  ~WebBrowser() override;

  // Loads a file path or an address. False when refused (see above).
  bool Navigate(const QString& pathOrUrl);
  bool IsLoading() const { return loading_; }
  // Waits until no load is in progress or the time is up. True when the last
  // load finished and succeeded.
  bool WaitForLoad(int timeoutMs);
  // Loads the page again. False when refused or nothing is loaded.
  bool Refresh();
  // The outerHTML of the element with this id ("" when none).
  QString OuterHtml(const QString& elementId, int timeoutMs = 5000);
  // The address of the page and its title.
  QUrl Url() const;
  QString Title() const;

  // The status bits of a command: supported, and enabled when it can run now
  // (print and preview need a loaded page).
  long QueryStatusWB(int command) const;
  // Print (6, kPromptUser shows the print dialog), preview (7), page setup
  // (8) or refresh (22). False when nothing was done.
  bool ExecWB(int command, int option);
  // Prints the loaded page on Printer() and returns when it has gone out (a
  // job on a queue of the print service: once the service has taken it; it
  // is watched after that). The print is on the paper and orientation of the
  // page setup unless the user changes them in the print dialog; what the
  // dialog chooses for it (copies, pages, colour, ...) ends with it, and a
  // dialog the user cancels leaves the printer as it was. False when nothing
  // printed: LastError() says why, and is empty when the user cancelled the
  // print dialog or the sending.
  bool Print(bool prompt, const PrintJobInfo& job = {});
  // Prints the loaded page into an output that gathers several prints (a
  // run of reports into one PDF or one printer job); the caller finishes it.
  bool PrintTo(PrintOutput& output, PrintFit fit = PrintFit::None);
  // The print preview of the loaded page, over most of the screen with the
  // page as wide as the window; returns when it is closed. True when it was
  // shown. Its Print prints as Print(true, job) does.
  bool Preview(const PrintJobInfo& job = {});
  // The page-setup dialog on Printer() showing the stored paper, orientation
  // and margins, those every print uses (whatever paper the printer would
  // offer first); the paper, orientation, margins, header and footer chosen
  // are written to the page-setup store. True when confirmed.
  bool PageSetupDialog();
  // Whether a print, preview or page setup is running anywhere.
  static bool PrintRunning();
  const QString& LastError() const { return lastError_; }

  // The printer every browser prints on. Each print starts from the stored
  // paper (see StoredPaper); the printer the print dialog chooses is kept for
  // the session. With no printer installed it writes a PDF file.
  static QPrinter& Printer();
  // Readies Printer() for a run of prints without a print dialog each (the
  // report's batch), titled `title`: on the stored paper, one copy of every
  // page (ResetPrintChoices); into a file, asks for the file
  // (ChoosePrintFile); to a printer when the system names no default printer
  // and none was chosen in this session, asks for it with the print dialog
  // first. False when the user cancelled, or when the session's printer
  // cannot be reached (*why then says why).
  static bool PrepareRun(QWidget* parent, const QString& title, QString* why = nullptr);
  // Gives the printer back the choices of no print dialog: one copy,
  // collated, in colour, every page in order, the printer's own further
  // options. Each print does so when it ends; a run when it has gone out.
  static void ResetPrintChoices();
  // Forgets that a printer was chosen: the next run asks again when the
  // system names no default printer, as at the start of a session.
  static void ForgetPrinterChoice();
  // Asks for the file a print into a file goes to (a save dialog on the
  // printer's file, titled `title`); a file that exists is replaced only when
  // the user says so, else the dialog comes back. False when cancelled;
  // otherwise the printer writes to the chosen file. The dialog goes through
  // the dialog replacement of SetDialogHook.
  static bool ChoosePrintFile(QWidget* parent, const QString& title);

  // The link and new-window handlers, and scripts (see BrowserPage).
  void SetLinkHandler(BrowserPage::LinkHandler handler);
  void SetNewWindowHandler(BrowserPage::NewWindowHandler handler);
  void SetScriptsEnabled(bool enabled);
  BrowserPage* Page();
  // The view showing the page; nullptr for a Hidden browser.
  QWebEngineView* View();

  // Replace the dialogs (tests); each returns the previous replacement. The
  // print dialog replacement gets the printer and answers whether to print;
  // the other replaces exec() of the preview, page-setup and file dialogs,
  // and of the print dialog when no print dialog replacement is set.
  using PrintDialogHook = std::function<bool(QPrinter&)>;
  static PrintDialogHook SetPrintDialogHook(PrintDialogHook hook);
  using DialogHook = std::function<int(QDialog&)>;
  static DialogHook SetDialogHook(DialogHook hook);

 signals:
  // The page-loaded notification, once for every load that finished (a load
  // replaced by a newer one, or a link refused, does not count). Emitted
  // from the event loop, never from inside Navigate.
  void DocumentComplete(const QString& url, bool ok);
  // Something a wait may be waiting for happened.
  void StateChanged();

 private:
  BrowserPage* EnsurePage();
  // Refuses (false, with LastError) what must not start now.
  bool MayLoad();
  bool MayPrint();
  // Starts a load the program asks for (Navigate, Refresh) with this address.
  void StartProgramLoad(const QUrl& url, std::function<void()> load);
  void RunDeferredLoad();
  // The engine's report on a navigation of the page: each one starts, then
  // ends once (loaded, failed, or stopped: refused, or replaced by another).
  void OnLoadingChanged(const QWebEngineLoadingInfo& info);
  // How a navigation left the page: a stopped one leaves it as it was.
  enum class Outcome { Loaded, Failed, Unchanged };
  void Complete(Outcome outcome, quint64 serial);
  // Runs the event loop without user input until done() or the time is up.
  bool WaitUntil(const std::function<bool()>& done, int timeoutMs);
  // The page laid out for printing with this layout, as PDF, fitted as asked.
  QByteArray Layout(const QPageLayout& layout, PrintFit fit);
  // Sets the zoom of the page's prints (none for 1).
  void SetPrintZoom(double zoom);
  bool AddTo(PrintOutput& output, PrintFit fit);
  // Runs a script in the program's own script world; its result.
  QVariant RunScript(const QString& script, int timeoutMs);
  // The page's own title; "" for a page without one (the engine would name
  // it after its file).
  QString DocumentTitle() const;

  Kind kind_;
  QPointer<BrowserPage> page_;
  QPointer<QWebEngineView> view_;
  BrowserPage::LinkHandler linkHandler_;
  BrowserPage::NewWindowHandler newWindowHandler_;
  bool scripts_ = false;
  // A load the program asked for is under way, to this address.
  bool programLoad_ = false;
  QUrl programUrl_;
  // How it starts, and whether it was started again (see OnLoadingChanged).
  std::function<void()> programStart_;
  bool retried_ = false;
  // Its start, while a link the page refused has not ended yet.
  std::function<void()> deferredLoad_;
  bool loading_ = false;
  bool loadedOk_ = false;
  bool waitingForLoad_ = false;
  bool printing_ = false;
  bool printZoomed_ = false;  // the loaded page has a print zoom set
  quint64 serial_ = 0;
  QString lastError_;
};

// What a window's page menu offers (the photo window's): going back and
// forth, reloading, copying text, a picture or an address, selecting all.
inline constexpr QWebEnginePage::WebAction kWorkingPageActions[] = {QWebEnginePage::Back,
                                                                    QWebEnginePage::Forward,
                                                                    QWebEnginePage::Reload,
                                                                    QWebEnginePage::Copy,
                                                                    QWebEnginePage::SelectAll,
                                                                    QWebEnginePage::CopyImageToClipboard,
                                                                    QWebEnginePage::CopyImageUrlToClipboard,
                                                                    QWebEnginePage::CopyLinkToClipboard};

// A window of the program showing one local page: what a new-window request
// opens (the report's photo window). Below the page, a bar with the caption
// and a Close button; Escape, Ctrl+W and Alt+F4 close it too, and the
// keyboard goes back to the window it was opened from (its parent). A
// request for the screen's size (or more) takes the screen's free area, its
// frame included; a smaller one lies at the outer position asked for, kept on
// the screen. Its page's menu offers kWorkingPageActions only.
class BrowserPopup : public QWidget {
  Q_OBJECT

 public:
  // The caption is the page's title unless one is given.
  BrowserPopup(const QUrl& url, const QRect& geometry, QWidget* parent = nullptr, const QString& caption = {});
  WebBrowser* Browser() const { return browser_; }
  // Shows it where asked, in front, with the keyboard.
  void Open();

  QLabel* lblCaption = nullptr;
  QPushButton* cmdClose = nullptr;

 private:
  WebBrowser* browser_;
  bool fillsScreen_ = false;
};

// PrintWhenEnabled on this browser: when its print command is enabled, runs
// beforePrint and prints, with the print dialog when prompt is true;
// otherwise shows "The Print command is currently disabled." A print that
// fails says why. True when something was printed (or, on a printer of the
// print service, sent: what becomes of it later is told then).
bool GuardedPrint(WebBrowser& browser, bool prompt, const std::function<void()>& beforePrint = {},
                  const PrintJobInfo& job = {});

}  // namespace qw

#pragma once
// The embedded browser as the program uses it: navigate to a local page, the
// page-loaded notification, waiting for a load with a time limit, whether
// printing is available, print with or without the print dialog, refresh and
// the outerHTML of an element. Printed pages carry the header, footer and top
// margin of the page-setup store, with the codes of print_codes.h.
#include <QPointer>
#include <QString>
#include <QWidget>
#include <functional>
#include <memory>

class QPrinter;
class QWebEngineView;

namespace qw {

// The page-setup values the browser prints with.
struct PageSetup {
  QString header;
  QString footer;
  QString marginTop;  // inches as text; empty for the default
};
// Where the values come from (the page-setup store by default).
using PageSetupSource = std::function<PageSetup()>;
PageSetupSource SetPageSetupSource(PageSetupSource source);
PageSetup CurrentPageSetup();

class WebBrowser : public QWidget {
  Q_OBJECT

 public:
  // Commands and options of ExecWB / QueryStatusWB.
  static constexpr int kCmdPrint = 6;
  static constexpr int kCmdRefresh = 22;
  static constexpr int kPromptUser = 1;
  static constexpr int kDontPromptUser = 2;
  static constexpr long kStatusSupported = 1;
  static constexpr long kStatusEnabled = 2;

  explicit WebBrowser(QWidget* parent = nullptr);
  ~WebBrowser() override;

  // A file path or an address.
  void Navigate(const QString& pathOrUrl);
  bool IsLoading() const { return loading_; }
  // Waits (running the event loop) until no load is in progress or the time
  // is up. True when the last load finished and succeeded.
  bool WaitForLoad(int timeoutMs);
  // The status bits of a command: supported, and enabled when a page has
  // loaded.
  long QueryStatusWB(int command) const;
  // Print (6) or refresh (22). For print, option kPromptUser shows the print
  // dialog first. False when nothing was done.
  bool ExecWB(int command, int option);
  void Refresh();
  // Prints the loaded page. False when nothing printed: LastPrintError says
  // why, and is empty when the user cancelled the print dialog.
  bool Print(bool prompt);
  const QString& LastPrintError() const { return lastPrintError_; }
  // The outerHTML of the element with this id ("" when none).
  QString OuterHtml(const QString& elementId, int timeoutMs = 5000);
  // The printer the browser prints on. With no printer installed it is set
  // to write a PDF file.
  QPrinter& Printer();
  QWebEngineView* View();

  // Replaces the print dialog (tests); returns the previous replacement. The
  // function gets the printer and answers whether to print.
  using PrintDialogHook = std::function<bool(QPrinter&)>;
  static PrintDialogHook SetPrintDialogHook(PrintDialogHook hook);

 signals:
  // The page-loaded notification, for every finished load.
  void DocumentComplete(const QString& url);

 private:
  void EnsureView();
  bool PrintPages(QPrinter& printer);

  QPointer<QWebEngineView> view_;
  std::unique_ptr<QPrinter> printer_;
  bool loading_ = false;
  bool loadedOk_ = false;
  QString lastPrintError_;
};

}  // namespace qw

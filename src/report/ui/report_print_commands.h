#pragma once
// The report viewer's print commands: its File menu (Page Setup, Preview,
// Print Report, Print Report(s)) and Print menu (Print Marina Report, Print
// Personal Notes, Print Marina Report and Notes), and the batch run of the
// "Print report" dialog, which its browser's page-loaded event drives.
//
// The viewer owns one ReportPrintCommands, gives it its three browsers and
// what the commands read of it (ReportPrintLinks), and calls the handlers
// from its menus. The run follows wb's page-loaded event by itself: each
// report of a run is printed once its page has loaded, and the next report
// is selected only after that print has finished. All reports of a run go
// into one print (one PDF file, one printer job). While a run goes, a small
// window shows its progress and offers Cancel; the rest of the program takes
// no input.
#include <QObject>
#include <QPointer>
#include <QString>
#include <functional>
#include <memory>

#include "report/print_run.h"

class QWidget;

namespace qw {

class PrintOutput;
class PrintRunProgress;
class WebBrowser;
struct PrintJobInfo;

// What the commands read of the viewer, and how they move its marina list.
struct ReportPrintLinks {
  std::function<QString()> ReportPageHtml;  // the report page last composed
  std::function<QString()> NotesText;       // the notes box's text
  std::function<int()> NotesMarinaNo;       // the marina the notes belong to
  std::function<QString()> MarinaName;      // the shown marina's name (the print job's title)
  std::function<int()> ListCount;           // lstMarinaNames.ListCount
  std::function<int()> ListIndex;           // lstMarinaNames.ListIndex (-1: none)
  // Selects an entry (ListIndex = index); its Click rebuilds and loads the
  // report.
  std::function<void(int index)> SetListIndex;
  // Rebuilds and loads the report of the selected entry.
  std::function<void()> lstMarinaNames_Click;
  // Whether the viewer shows a report (not the blank page it leaves when a
  // report cannot be composed or written); none: always.
  std::function<bool()> ReportShown;
};

class ReportPrintCommands : public QObject {
  Q_OBJECT

 public:
  // wb shows the report; WBPrint and WBPRINTALL are the hidden browsers of
  // the notes pages. window: the viewer (owner of the dialogs).
  ReportPrintCommands(WebBrowser* wb, WebBrowser* WBPrint, WebBrowser* WBPRINTALL, ReportPrintLinks links,
                      QWidget* window);
  ~ReportPrintCommands() override;

  // File menu.
  void mnuPage_Click();   // page setup; the top margin is 0.07 inch afterwards
  void mnuPrev_Click();   // print preview of the shown page
  void mnuPrint_Click();  // prints the shown page (the print dialog first)
  void mnuAll_Click();    // the "Print report" dialog (frm_PrintAll), modal
  // Print menu.
  void mnuprintmarinaDETAILS_Click();  // the shown report, after the progress window
  void mnuPrintMARINANotes_Click();    // the notes page
  void mnuprintmarinaDandN_Click();    // the report, then the notes on a page of their own

  // OK of frm_PrintAll: prints the current report, or starts a run. A
  // request it refuses shows why; false then (the dialog stays open).
  bool StartRun(const PrintRunRequest& request);
  // wb finished loading a page (connected to its DocumentComplete).
  void wb_DocumentComplete(const QString& url, bool ok);
  // Ends a run; nothing of it is printed.
  void CancelRun();
  // The viewer unloads: a run ends, the print pages are deleted.
  void Form_Unload();

  // The state of the run (PrintFlagAvail, LastPrintMarina).
  const PrintRun& Run() const { return run_; }
  int ListCount() const;

 private:
  enum class RunEnd { Finished, Cancelled, Failed };
  // The viewer shows a report (ReportPrintLinks::ReportShown).
  bool ReportShown() const;
  // The guarded print of wb's report, with the print dialog; a blank page
  // left where no report could be shown counts as a disabled print.
  bool PrintReport(const std::function<void()>& beforePrint);
  // Prints a print page: written (empty path: it could not be), loaded into
  // browser, printed once it has loaded, as `job` says.
  void PrintPage(WebBrowser& browser, const QString& path, const PrintJobInfo& job);
  // The print job's title: the shown marina's name and what is printed of it.
  QString JobTitle(const QString& what) const;
  // Shows entry index for the run (reload: it is selected already, build it
  // again). What the run does next when the page already loaded meanwhile or
  // never began to load; nothing (None) while the load goes on.
  PrintRunStep Select(int index, bool reload);
  // Goes through the run's steps until it has to wait for a page.
  void Advance(PrintRunStep step);
  void EndRun(RunEnd end);

  QPointer<WebBrowser> wb_;
  QPointer<WebBrowser> WBPrint_;
  QPointer<WebBrowser> WBPRINTALL_;
  ReportPrintLinks links_;
  QPointer<QWidget> window_;
  PrintRun run_;
  std::unique_ptr<PrintOutput> output_;  // the run's one print
  QPointer<PrintRunProgress> progress_;
  int printed_ = 0;
  QString failure_;  // why the run failed
  bool selecting_ = false;
  bool printing_ = false;             // a page of the run is being printed
  bool cancelWhilePrinting_ = false;  // and the run ends after it
  int loadedWhileSelecting_ = -1;  // -1: no load; 0 failed, 1 loaded
};

}  // namespace qw

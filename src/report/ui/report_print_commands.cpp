#include "report/ui/report_print_commands.h"

#include <QApplication>
#include <QDialog>
#include <QLabel>
#include <QPrinter>
#include <QProgressBar>
#include <QPushButton>
#include <algorithm>
#include <utility>

#include "host/ui/window_host.h"
#include "platform/message_box.h"
#include "platform/program.h"
#include "platform/ui/browser.h"
#include "platform/ui/print_output.h"
#include "platform/ui/twips.h"
#include "platform/ui/wait_cursor.h"
#include "platform/ui/window_frame.h"
#include "report/notes_print_pages.h"
#include "report/ui/frm_print_all.h"

namespace qw {
namespace {

// How long a print page may take to load before its print gives up.
constexpr int kPageLoadTimeoutMs = 30000;

}  // namespace

// The progress of a run with its Cancel button. While it shows, the rest of
// the program takes no input, so nothing changes the viewer's page under the
// run.
class PrintRunProgress : public QDialog {
 public:
  PrintRunProgress(QWidget* parent, int total)
      : QDialog(parent, Qt::Dialog | Qt::CustomizeWindowHint | Qt::WindowTitleHint), total_(total) {
    setObjectName(QStringLiteral("PrintRunProgress"));
    setWindowTitle(kPrintAllCaption);
    setWindowModality(Qt::ApplicationModal);
    UseFixedFrame(this);
    setFixedSize(TwipsToPixels(4620), TwipsToPixels(1620));
    lblStatus = new QLabel(this);
    lblStatus->setObjectName(QStringLiteral("lblStatus"));
    PlaceTwips(lblStatus, 240, 120, 4140, 315);
    ProgressBar1 = new QProgressBar(this);
    ProgressBar1->setObjectName(QStringLiteral("ProgressBar1"));
    ProgressBar1->setRange(0, total_);
    ProgressBar1->setTextVisible(false);
    PlaceTwips(ProgressBar1, 240, 480, 4140, 300);
    cmdCancel = new QPushButton(QStringLiteral("Cancel"), this);
    cmdCancel->setObjectName(QStringLiteral("cmdCancel"));
    PlaceTwips(cmdCancel, 3165, 960, 1215, 375);
    connect(cmdCancel, &QPushButton::clicked, this, &QDialog::reject);
    ShowPrinted(0);
  }

  // printed reports of the run have gone into the print.
  void ShowPrinted(int printed) {
    ProgressBar1->setValue(std::min(printed, total_));
    lblStatus->setText(QStringLiteral("Printing report %1 of %2").arg(std::min(printed + 1, total_)).arg(total_));
  }

  QLabel* lblStatus = nullptr;
  QProgressBar* ProgressBar1 = nullptr;
  QPushButton* cmdCancel = nullptr;

 private:
  int total_;
};

ReportPrintCommands::ReportPrintCommands(WebBrowser* wb, WebBrowser* WBPrint, WebBrowser* WBPRINTALL,
                                         ReportPrintLinks links, QWidget* window)
    : QObject(window), wb_(wb), WBPrint_(WBPrint), WBPRINTALL_(WBPRINTALL), links_(std::move(links)),
      window_(window) {
  connect(wb, &WebBrowser::DocumentComplete, this, &ReportPrintCommands::wb_DocumentComplete);
}

ReportPrintCommands::~ReportPrintCommands() { CancelRun(); }

int ReportPrintCommands::ListCount() const { return links_.ListCount ? links_.ListCount() : 0; }

// ---------------------------------------------------------------- File menu

void ReportPrintCommands::mnuPage_Click() {
  if (wb_) wb_->ExecWB(WebBrowser::kCmdPageSetup, WebBrowser::kPromptUser);
  // Confirmed or not, the report prints with its own top margin.
  WriteReportTopMargin();
}

void ReportPrintCommands::mnuPrev_Click() {
  if (!wb_) return;
  // The preview shows the report as it prints, and its Print is titled so.
  if (!wb_->Preview({JobTitle(QString()), {}, PrintFit::FirstPage}) && !wb_->LastError().isEmpty())
    MsgBox(QStringLiteral("The preview could not be shown: ") + wb_->LastError(), MsgButtons::OK, MsgIcon::Critical,
           kPrintStatusTitle);
}

void ReportPrintCommands::mnuPrint_Click() { PrintReport({}); }

bool ReportPrintCommands::ReportShown() const { return !links_.ReportShown || links_.ReportShown(); }

bool ReportPrintCommands::PrintReport(const std::function<void()>& beforePrint) {
  if (!wb_) return false;
  // The blank page left where a report could not be shown is not printed.
  if (!ReportShown()) return PrintWhenEnabled(0, {}, {});
  return GuardedPrint(*wb_, true, beforePrint, {JobTitle(QString()), {}, PrintFit::FirstPage});
}

QString ReportPrintCommands::JobTitle(const QString& what) const {
  QString name = links_.MarinaName ? links_.MarinaName() : QString();
  if (name.isEmpty()) name = QStringLiteral("Marina report");
  return what.isEmpty() ? name : name + QStringLiteral(", ") + what;
}

void ReportPrintCommands::mnuAll_Click() {
  frm_PrintAll* dialog = frm_PrintAll::Instance();
  dialog->SetCommands(this);
  if (window_ && dialog->parentWidget() != window_) dialog->setParent(window_, dialog->windowFlags());
  dialog->exec();
}

// --------------------------------------------------------------- Print menu

void ReportPrintCommands::mnuprintmarinaDETAILS_Click() {
  if (!wb_) return;
  ShowPrintProgress(window_);
  PrintReport(&WriteReportTopMargin);
}

void ReportPrintCommands::mnuPrintMARINANotes_Click() {
  if (!WBPrint_) return;
  QString path;
  {
    WaitCursor wait;
    path = WritePersonalNotesPage(links_.NotesMarinaNo(), links_.NotesText());
  }
  PrintPage(*WBPrint_, path, {JobTitle(QStringLiteral("personal notes")), {}, PrintFit::Width});
}

void ReportPrintCommands::mnuprintmarinaDandN_Click() {
  if (!WBPRINTALL_) return;
  if (!ReportShown()) {
    PrintWhenEnabled(0, {}, {});  // the disabled-print message
    return;
  }
  QString path;
  {
    WaitCursor wait;
    path = WriteReportAndNotesPage(links_.ReportPageHtml(), links_.NotesMarinaNo(), links_.NotesText());
  }
  // The report on its own sheet, the notes after it.
  PrintPage(
      *WBPRINTALL_, path,
      {JobTitle(links_.NotesText && !links_.NotesText().isEmpty() ? QStringLiteral("report and notes") : QString()),
       {},
       PrintFit::FirstPage});
}

void ReportPrintCommands::PrintPage(WebBrowser& browser, const QString& path, const PrintJobInfo& job) {
  if (path.isEmpty()) {
    MsgBox(QStringLiteral("The page could not be written for printing. Nothing was printed."), MsgButtons::OK,
           MsgIcon::Critical, kPrintStatusTitle);
    return;
  }
  if (!browser.Navigate(path)) {
    SayNotPrinted(QStringLiteral("The page"), browser.LastError());
    return;
  }
  {
    // The print waits for the page: loaded, then its print status asked, then
    // the print dialog.
    WaitCursor wait;
    browser.WaitForLoad(kPageLoadTimeoutMs);
  }
  GuardedPrint(browser, true, &WriteReportTopMargin, job);
}

// ----------------------------------------------------------------- the run

bool ReportPrintCommands::StartRun(const PrintRunRequest& request) {
  if (run_.PrintFlagAvail()) return true;  // one run at a time
  const PrintRunStart start = run_.Start(request, ListCount(), links_.ListIndex ? links_.ListIndex() : -1);
  switch (start.action) {
    case PrintRunStart::Action::Refuse:
      MsgBox(start.message, MsgButtons::OK, MsgIcon::Exclamation, kPrintAllCaption);
      return false;
    case PrintRunStart::Action::PrintCurrent: mnuPrint_Click(); return true;
    case PrintRunStart::Action::LoadEntry: break;
  }
  // Every report of the run goes into one print, on the printer of the
  // session, without a print dialog for each, whatever page range an
  // earlier print dialog chose. A run into a file goes into the file the user
  // picks now, as a print through the print dialog does (an earlier file is
  // replaced only when the user says so); with no default printer the user
  // picks the printer first. Cancel prints nothing.
  QString why;
  if (!WebBrowser::PrepareRun(window_, kPrintAllCaption, &why)) {
    run_.Reset();
    if (!why.isEmpty()) SayNotPrinted(QStringLiteral("The reports"), why);
    return true;
  }
  QPrinter& printer = WebBrowser::Printer();
  const int first = start.entry + 1;
  const int last = std::max(first, std::min(run_.LastPrintMarina(), ListCount()));
  output_ = std::make_unique<PrintOutput>(printer, PrintOutput::Kind::Printer,
                                          first == last ? QStringLiteral("Marina report %1").arg(first)
                                                        : QStringLiteral("Marina reports %1-%2").arg(first).arg(last));
  printed_ = 0;
  progress_ = new PrintRunProgress(window_, std::max(1, run_.LastPrintMarina() - start.entry));
  connect(progress_.data(), &QDialog::rejected, this, &ReportPrintCommands::CancelRun);
  progress_->show();
  Advance(Select(start.entry, start.reload));
  return true;
}

void ReportPrintCommands::wb_DocumentComplete(const QString& url, bool ok) {
  Q_UNUSED(url);
  if (!run_.PrintFlagAvail()) return;  // an ordinary page: never printed unasked
  if (selecting_) {
    // The viewer waited for its page while it built it: the run goes on once
    // the selection is done.
    loadedWhileSelecting_ = ok ? 1 : 0;
    return;
  }
  if (!ok) failure_ = QStringLiteral("a report page did not load.");
  Advance(run_.PageLoaded(ok));
}

PrintRunStep ReportPrintCommands::Select(int index, bool reload) {
  loadedWhileSelecting_ = -1;
  selecting_ = true;
  if (reload) {
    if (links_.lstMarinaNames_Click) links_.lstMarinaNames_Click();
  } else if (links_.SetListIndex) {
    links_.SetListIndex(index);
  }
  selecting_ = false;
  if (!ReportShown()) {
    // The blank page left in its place loads, but is never printed.
    failure_ = QStringLiteral("the report of entry %1 was not shown.").arg(index + 1);
    return run_.PageLoaded(false);
  }
  if (loadedWhileSelecting_ == 0) failure_ = QStringLiteral("a report page did not load.");
  if (loadedWhileSelecting_ >= 0) return run_.PageLoaded(loadedWhileSelecting_ == 1);
  if (!wb_ || !wb_->IsLoading()) {
    failure_ = QStringLiteral("the report of entry %1 was not shown.").arg(index + 1);
    return run_.PageLoaded(false);
  }
  return PrintRunStep{};  // its page load comes back through wb_DocumentComplete
}

void ReportPrintCommands::Advance(PrintRunStep step) {
  for (;;) {
    switch (step.action) {
      case PrintRunStep::Action::None: return;
      case PrintRunStep::Action::PrintPage: {
        printing_ = true;
        // Each report on one sheet of its own, whatever the paper and margins.
        const bool printed = wb_ && output_ && wb_->PrintTo(*output_, PrintFit::FirstPage);
        printing_ = false;
        if (std::exchange(cancelWhilePrinting_, false)) {
          EndRun(RunEnd::Cancelled);
          return;
        }
        if (printed) {
          ++printed_;
          if (progress_) progress_->ShowPrinted(printed_);
        } else {
          failure_ = wb_ ? wb_->LastError() : QStringLiteral("the viewer has closed.");
        }
        step = run_.PrintFinished(printed, links_.ListIndex(), ListCount());
        break;
      }
      case PrintRunStep::Action::LoadEntry: step = Select(step.entry, false); break;
      case PrintRunStep::Action::Finished: EndRun(RunEnd::Finished); return;
      case PrintRunStep::Action::Failed: EndRun(RunEnd::Failed); return;
    }
  }
}

void ReportPrintCommands::CancelRun() {
  // The print under way still uses the run's output: the run ends after it.
  if (printing_) {
    cancelWhilePrinting_ = true;
    return;
  }
  if (run_.PrintFlagAvail() || output_) EndRun(RunEnd::Cancelled);
}

void ReportPrintCommands::EndRun(RunEnd end) {
  run_.Reset();
  const QString failure = std::exchange(failure_, QString());
  bool failed = end == RunEnd::Failed;
  QString why = failure;
  {
    const std::unique_ptr<PrintOutput> output = std::move(output_);
    // Gone without Finish, nothing of a run that did not finish goes out.
    if (end == RunEnd::Finished && output) {
      if (progress_ && output->PrintService()) {
        // The sending shows a window of its own, with its own Cancel.
        progress_->hide();
      } else if (progress_) {
        progress_->lblStatus->setText(QStringLiteral("Writing the reports"));
        progress_->cmdCancel->setEnabled(false);
      }
      const WaitCursor wait;
      failed = !output->Finish();
      if (failed) why = output->Error();
    }
  }
  // A later print without a dialog prints one copy again.
  WebBrowser::ResetPrintChoices();
  if (progress_) {
    progress_->disconnect(this);
    progress_->hide();
    progress_->deleteLater();
    progress_ = nullptr;
  }
  // Everything the run gathered is gone: the program gives the memory back
  // rather than keep it for good.
  ReleaseFreedMemory();
  // A sending the user cancelled printed nothing, and says nothing.
  if (failed && !why.isEmpty()) SayNotPrinted(QStringLiteral("The reports"), why);
}

void ReportPrintCommands::Form_Unload() {
  CancelRun();
  DeletePrintPages();
}

}  // namespace qw

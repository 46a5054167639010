#pragma once
// Printing the report viewer's pages: the guarded print every print command
// ends in, the top margin the commands set, and the batch run of the
// "Print report" dialog (the current report, all listed reports, or a range
// of them), which the viewer drives from its browser's page-loaded event.
#include <QString>
#include <functional>

#include "platform/print_pages.h"

namespace qw {

// ---- the guarded print

// kPrintDisabledMessage, kPrintStatusTitle and kPrintCommandEnabled come
// with the print path every print shares (platform/print_pages.h).

// The top print margin the report's print commands set, in inches.
inline constexpr double kReportTopMarginInches = 0.07;
// The margin as the page-setup store keeps it: a plain number with a point,
// whatever the user's locale ("0.07").
QString ReportTopMarginText();
// Writes it to the page-setup store ("margin_top").
void WriteReportTopMargin();

// The common last steps of the print commands, given the browser's status of
// its print command: when the enabled bit is set, writes the top margin
// (unless writeTopMargin is false) and calls print, returning what it
// returns; otherwise shows kPrintDisabledMessage (critical icon, title
// kPrintStatusTitle) and returns false.
bool GuardedPrint(long printStatus, bool writeTopMargin, const std::function<bool()>& print);

// ---- the batch run

// The dialog's option buttons.
enum class PrintChoice { CurrentReport, AllPages, FromTo };

// What OK of the dialog hands over.
struct PrintRunRequest {
  PrintChoice choice = PrintChoice::CurrentReport;
  QString fromText;  // txtFrom
  QString toText;    // txtTo
};

// txtFrom and txtTo each time the dialog becomes active: "1" and the number
// of listed marinas.
struct PrintRangeTexts {
  QString fromText;
  QString toText;
};
PrintRangeTexts PrintRangeDefaults(int listCount);

// The dialog's caption, also the title of its messages.
inline const QString kPrintAllCaption = QStringLiteral("Print report");

// What the viewer does after OK.
struct PrintRunStart {
  enum class Action {
    Refuse,        // nothing printed; show message and leave the dialog open
    PrintCurrent,  // the guarded print of the shown report (mnuPrint_Click)
    LoadEntry,     // show list entry `entry` (select it, or rebuild it)
  };
  Action action = Action::Refuse;
  int entry = -1;       // 0-based list index
  bool reload = false;  // entry is the selected one: rebuild it (lstMarinaNames_Click)
  QString message;
};

// What the viewer does after a page load or a print during a run.
struct PrintRunStep {
  enum class Action {
    None,       // not part of a run: do nothing
    PrintPage,  // print the loaded page, without the print dialog
    LoadEntry,  // select list entry `entry`; its page load comes back
    Finished,   // the run printed its last entry
    Failed,     // a page did not load or print; the run is over
  };
  Action action = Action::None;
  int entry = -1;
};

// The state of a run. A run prints entries one after another: the viewer
// selects an entry, its page loads (PageLoaded), the viewer prints it
// (PrintFinished) and selects the next entry, until the last one. Only a page
// the run itself asked for is printed, and only while a run is in progress;
// a failure, Cancel and the viewer's unload end it (Reset), so nothing is
// printed unasked afterwards.
class PrintRun {
 public:
  // OK of the dialog, with the viewer's list size and selected index (-1 when
  // none). From and to are numbers, each floored to the whole number at or
  // below it; From must then be from 1 to the number of entries; a To beyond
  // the list is the last entry, and a To below From prints From alone. An
  // empty list prints nothing.
  PrintRunStart Start(const PrintRunRequest& request, int listCount, int listIndex);
  // The viewer's browser finished loading a page (loaded: it succeeded).
  PrintRunStep PageLoaded(bool loaded);
  // The print of the run's page finished (printed: it succeeded), with the
  // viewer's selected index and list size at that moment.
  PrintRunStep PrintFinished(bool printed, int listIndex, int listCount);
  // Ends a run without printing further (cancel, failure, viewer closed).
  void Reset();

  // True while a run is in progress.
  bool PrintFlagAvail() const { return state_ != State::Idle; }
  // 1-based number of the last entry to print.
  int LastPrintMarina() const { return lastPrintMarina_; }
  // A print of the run is under way: the viewer's page must not change now.
  bool Printing() const { return state_ == State::Printing; }

 private:
  enum class State { Idle, AwaitingPage, Printing };
  PrintRunStart Begin(int lastPrintMarina, int startIndex, int listIndex);

  State state_ = State::Idle;
  int lastPrintMarina_ = 0;
};

}  // namespace qw

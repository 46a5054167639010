#pragma once
// Calls to the print service (CUPS) while the windows go on: the call runs on
// a thread of its own, and the program keeps painting and answering. After a
// moment a small window says what is being done, naming the printer, with a
// Cancel button; until then, and under that window, the program's other
// windows take no input.
//
// What the watches of sent jobs find (print_job.h) is told here too: one
// message for a job that did not print after all (the printer, what was
// printed, the service's reason and the kept pages), and one for a job that
// waits.
#include <QString>
#include <functional>

#include "platform/print_job.h"

class QWidget;

namespace qw {

// How long a call may take before its window shows.
inline constexpr int kPrintServiceWindowDelayMs = 300;

// Runs work(call) on a thread of its own and waits for it. True when it has
// finished; false when the user pressed Cancel: the call is then told to stop
// (PrintCall::Cancel) and ends by itself, and whatever it leaves must not be
// used. `text` says what is being done ("Sending ... to the printer ...").
bool WaitForPrintService(QWidget* parent, const QString& text, std::function<void(PrintCall& call)> work);

// Follows the job in the background (WatchPrintJob) and tells the user what
// its watch finds.
void FollowPrintJob(const WatchedJob& job);

// Tells what the watches have found so far (the program does so by itself
// every moment while jobs are watched); tests call it to be told at once.
void TellPrintJobNews();

}  // namespace qw

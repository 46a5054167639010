#pragma once
// Print jobs on the system's print service (CUPS): a PDF file sent to a queue
// as one job with its options, and watched until the service has taken it.
// The service's filters turn the PDF into whatever the printer needs (and do
// copies, page ranges, n-up and fitting), so the pages keep their text.
#include <QList>
#include <QString>
#include <functional>
#include <utility>

namespace qw {

// Job options as the print service names them ("media", "copies",
// "page-ranges", "sides", ...), in order; a later one of the same name wins.
using PrintJobOptions = QList<std::pair<QString, QString>>;

struct PrintJobRequest {
  QString queue;  // the queue's name, "name/instance" for an instance
  QString title;  // what the queue lists as the job's name
  QString file;   // the PDF to print
  PrintJobOptions options;
};

struct PrintJobResult {
  bool sent = false;  // the service has taken the job
  int jobId = 0;      // its number with the service; 0 when none was made
  // Why it was not sent: the printer named and the service's own reason, as a
  // sentence ends ("the printer \"Laser\" is not accepting jobs: ...").
  QString reason;
};

// How long a job may wait in its queue, neither taken nor refused, before it
// counts as sent (it waits behind other jobs).
inline constexpr int kJobTakenTimeoutMs = 20000;

// Sends the file and waits until the service has taken the job: it is
// printing or done, or it waits its turn in a queue that runs. A job that the
// service refuses, stops, aborts or cancels, or that sits in a stopped queue,
// is not sent; a job it made is then withdrawn, so that nothing prints later
// that the user was told did not. `pause` waits the given milliseconds
// between looks at the job (default: the event loop runs, without user
// input).
PrintJobResult SendPrintJob(const PrintJobRequest& request, const std::function<void(int ms)>& pause = {});

// Whether the print service names a default queue for this user.
bool HasDefaultPrintQueue();

}  // namespace qw

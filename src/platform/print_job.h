#pragma once
// Print jobs on the system's print service (CUPS): a PDF file sent to a queue
// as one job with its options, and watched until the printer has done it.
// The service's filters turn the PDF into whatever the printer needs (and do
// copies, page ranges, n-up and fitting), so the pages keep their text.
//
// Every call here talks to the service and may wait for it: none runs on the
// thread that keeps the windows going. Each wait for an answer ends after
// kServiceAnswerSeconds without one, and at once when the caller gives up
// (PrintCall::Cancel), so a service that hangs (a stopped process, a network
// that dropped) is told as such within seconds.
#include <QByteArray>
#include <QList>
#include <QString>
#include <utility>

namespace qw {

// Job options as the print service names them ("media", "copies",
// "page-ranges", "sides", ...), in order; a later one of the same name wins.
using PrintJobOptions = QList<std::pair<QString, QString>>;

// Where the print service is: the server (host name or socket), port and
// encryption as libcups has them on the calling thread (CUPS_SERVER, the
// client configuration, cupsSetServer). Taken once and handed to the thread
// that talks to the service, so that a job is watched where it was sent.
struct PrintServiceAddress {
  QString server;
  int port = 0;
  int encryption = 0;
  static PrintServiceAddress Current();
};

// How long the service may stay silent while the program waits for it.
inline constexpr int kServiceAnswerSeconds = 4;

// One call's link with whoever waits for it: Cancel() makes every wait of the
// call end at once (the call then withdraws what it made).
class PrintCall {
 public:
  void Cancel() { cancelled_ = 1; }
  bool Cancelled() const { return cancelled_ != 0; }
  // The flag as libcups polls it while it connects.
  int* Flag() { return &cancelled_; }

 private:
  int cancelled_ = 0;
};

// What the print queue lists as a job's name: control characters (line
// breaks, tabs, escapes) as blanks, and cut to the 255 bytes the service
// takes, never inside a character; "Quaywise" when nothing is left.
QString PrintJobTitle(const QString& title);

struct PrintJobRequest {
  QString queue;  // the queue's name, "name/instance" for an instance
  QString title;  // what the queue lists as the job's name (PrintJobTitle)
  QString file;   // the PDF to print
  PrintJobOptions options;
  PrintServiceAddress service = {};  // none given: PrintServiceAddress::Current()
};

struct PrintJobResult {
  enum class Outcome {
    Sent,       // the service has the job, and nothing has gone wrong yet
    Refused,    // the service or the printer would not print it
    NoAnswer,   // the service did not answer: nothing can be said
    Cancelled,  // the caller gave up; nothing is left to print
  };
  Outcome outcome = Outcome::Refused;
  bool sent() const { return outcome == Outcome::Sent; }
  int jobId = 0;  // its number with the service; 0 when none was made
  QString uuid;   // the job's own identity (job-uuid), where the service gives it
  // Why it was not sent: the printer named and the service's own reason, as a
  // sentence ends ("the printer \"Laser\" is not accepting jobs: ...").
  QString reason;
  // A job that waits (held, or behind other jobs): why, as a sentence ends;
  // "" for a job that prints now.
  QString waits;
};

// Sends the file and looks once at the job: it is printing, done, or waits
// its turn. A job that the service refuses, stops, aborts or cancels, or that
// sits in a stopped queue, is not sent; a job it made is then withdrawn, so
// that nothing prints later that the user was told did not. Runs on a
// thread of its own (it waits for the service).
PrintJobResult SendPrintJob(const PrintJobRequest& request, PrintCall& call);

// What the service says when asked for its default queue.
struct PrintServiceAnswer {
  bool answered = false;  // it answered (with or without a default queue)
  bool hangs = false;     // it took the connection, or none came about, and it said nothing
  QString defaultQueue;   // "" when it names none
  QString reason;         // why it did not answer, as a sentence ends
};
PrintServiceAnswer AskPrintService(const PrintServiceAddress& service, PrintCall& call);

// While one lives, every libcups call of the thread that made it fails at
// once, as with no print service: Qt's own calls to the service (the print
// dialog listing its printers) then never wait for one that does not answer.
class NoPrintServiceHere {
 public:
  NoPrintServiceHere();
  ~NoPrintServiceHere();
  NoPrintServiceHere(const NoPrintServiceHere&) = delete;
  NoPrintServiceHere& operator=(const NoPrintServiceHere&) = delete;

 private:
  QByteArray server_;
};

// ---- watching sent jobs

// A job the service has, watched in the background until the printer has
// done it. The file holds its pages: deleted once the job is done, kept in
// KeptPrintsFolder (and named) when it fails.
struct WatchedJob {
  PrintServiceAddress service;
  QString queue;  // as the request named it
  int jobId = 0;
  QString uuid;
  QString title;  // what was printed
  QString file;
  QString waits;  // the send found it waiting: told already
};
void WatchPrintJob(const WatchedJob& job);

// What the watch of a job found that the user must learn: one note per job,
// at most one that it waits and one that it did not print.
struct PrintJobNews {
  bool failed = false;  // it did not print (else: it waits)
  QString title;        // what was printed
  QString text;         // the printer, the service's reason (and the kept pages), as a sentence ends
};
// The notes that have come since the last call, oldest first.
QList<PrintJobNews> TakePrintJobNews();
// Jobs still watched.
int WatchedPrintJobs();
// Stops every watch (at the program's end, and in tests when their service
// goes): the jobs' page files are deleted, nothing more is told.
void EndPrintJobWatches();

// ---- pages of prints that failed

// The per-user folder where the pages of a print that failed are kept
// (readable by the user only); tests point it elsewhere.
QString KeptPrintsFolder();
void SetKeptPrintsFolder(const QString& folder);
// Moves `file` into that folder under a name made of the title and the time;
// its new path ("" and the file left where it was when it cannot be moved).
QString KeepUnprintedPages(const QString& file, const QString& title);
// Removes the pages kept there longer than this many days.
inline constexpr int kKeptPrintsDays = 30;
void RemoveOldKeptPrints();

}  // namespace qw

#pragma once
// A print service of the test's own: the system's cupsd started in a
// temporary folder with its own configuration, spool, logs and socket, the
// program's print service pointed at that socket (CUPS_SERVER), and queues
// whose backend keeps each job as it receives it (after the service's
// filters). It stops, and the program's print service is set back, when it
// goes.
#include <QList>
#include <QString>
#include <QStringList>
#include <QTemporaryDir>
#include <memory>

class QProcess;

namespace qw::testing {

class PrintService {
 public:
  // Starts the service; Ready() says whether it runs, Why() why not.
  PrintService();
  ~PrintService();
  PrintService(const PrintService&) = delete;
  PrintService& operator=(const PrintService&) = delete;

  // Whether the system has cupsd at all.
  static bool Installed();
  bool Ready() const { return ready_; }
  const QString& Why() const { return why_; }

  // The printers a queue can stand for.
  enum class Printer {
    Keeps,          // keeps each job; 12 pt on every side it cannot print on
    WideMargins,    // keeps each job; half an inch it cannot print on
    FailsAborting,  // its backend fails at once (an unplugged printer); the
                    // service aborts the job (printer-error-policy=abort-job)
    FailsStopping,  // the same, and the service stops the queue (its default
                    // stop-printer policy); the job stays in it
  };
  // Adds a queue with this default paper ("A4" or "Letter") that accepts
  // jobs and runs; makeDefault: the system's default printer.
  bool AddQueue(const QString& name, const QString& paper = QStringLiteral("A4"), bool makeDefault = false,
                Printer printer = Printer::Keeps);
  // Runs one of the service's commands (cupsreject, cupsdisable, lpadmin, ...)
  // on it; true when it succeeded.
  bool Run(const QString& command, const QStringList& arguments);
  // Stops the service (the queues go with it).
  void Stop();
  // Freezes the service (SIGSTOP) as a hung service or a dropped network
  // leaves it: it takes connections and never answers. Thaw lets it go on.
  void Freeze();
  void Thaw();

  // A job as the backend kept it: the document and what the service handed
  // the backend (job number, user, title, copies, options).
  struct Job {
    QString file;
    QString title;
    int copies = 0;
    QString options;
  };
  // The jobs the queue has kept so far, oldest first, waiting up to
  // timeoutMs until there are at least `count`.
  QList<Job> Jobs(const QString& queue, int count = 1, int timeoutMs = 30000) const;
  // Jobs still waiting in the service's queues.
  int PendingJobs() const;

 private:
  QString Path(const QString& name) const { return dir_.filePath(name); }

  QTemporaryDir dir_;
  std::unique_ptr<QProcess> cupsd_;
  bool ready_ = false;
  QString why_;
};

}  // namespace qw::testing

// Skips a test (with a message) on a system without cupsd, and fails it when
// the service does not start.
#define QW_REQUIRE_PRINT_SERVICE(service)                                             \
  do {                                                                                \
    if (!qw::testing::PrintService::Installed()) GTEST_SKIP() << "cupsd is not installed"; \
    ASSERT_TRUE((service).Ready()) << (service).Why().toStdString();                  \
  } while (false)

#include "platform/print_job.h"

#include <QDateTime>
#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QStandardPaths>
#include <algorithm>
#include <atomic>
#include <chrono>
#include <condition_variable>
#include <cstring>
#include <ctime>
#include <memory>
#include <mutex>
#include <thread>
#include <vector>

#include <cups/cups.h>

#include "platform/program.h"

namespace qw {
namespace {

// The service's words as the middle of a sentence: no full stop at the end.
QString Words(const QString& text) {
  QString t = text.trimmed();
  while (t.endsWith(u'.')) t.chop(1);
  return t;
}

QString Shown(const QString& queue) { return QStringLiteral("\"%1\"").arg(queue); }

// Waits of one call for the service: each ends when the service has been
// silent kServiceAnswerSeconds, or at once when the call is cancelled.
struct Silence {
  PrintCall* call = nullptr;
  const std::atomic<bool>* stop = nullptr;  // a watch's own end
  bool timedOut = false;
  bool Over() const { return (call && call->Cancelled()) || (stop && stop->load()); }
};

int OnSilence(http_t* http, void* data) {
  auto* s = static_cast<Silence*>(data);
  if (s->Over() || s->timedOut) return 0;
  if (std::time(nullptr) - httpGetActivity(http) >= kServiceAnswerSeconds) {
    s->timedOut = true;
    return 0;
  }
  return 1;  // go on waiting
}

// A connection to the service whose waits end as `silence` says.
class Connection {
 public:
  Connection(const PrintServiceAddress& service, Silence& silence) {
    const QByteArray server = service.server.toUtf8();
    const auto started = std::chrono::steady_clock::now();
    http_ = httpConnect2(server.constData(), service.port, nullptr, AF_UNSPEC, http_encryption_t(service.encryption), 1,
                         kServiceAnswerSeconds * 1000, silence.call ? silence.call->Flag() : nullptr);
    if (!http_) {
      // libcups leaves errno as its clean-up set it: a connection that took
      // the whole wait was not answered; a local service without its socket
      // is not running.
      timedOut_ = std::chrono::steady_clock::now() - started >=
                  std::chrono::seconds(kServiceAnswerSeconds) - std::chrono::milliseconds(200);
      notRunning_ = server.startsWith('/') && !QFileInfo::exists(service.server);
      return;
    }
    httpSetTimeout(http_, 0.25, &OnSilence, &silence);
  }
  ~Connection() {
    if (http_) httpClose(http_);
  }
  Connection(const Connection&) = delete;
  Connection& operator=(const Connection&) = delete;
  http_t* get() const { return http_; }
  bool TimedOut() const { return timedOut_; }
  // Why it could not be made, as a sentence ends.
  QString Why(const PrintServiceAddress& service) const {
    if (timedOut_) return QStringLiteral("the print service does not answer (CUPS at %1)").arg(service.server);
    if (notRunning_) return QStringLiteral("the print service is not running at %1").arg(service.server);
    return QStringLiteral("the print service cannot be reached at %1").arg(service.server);
  }

 private:
  http_t* http_ = nullptr;
  bool timedOut_ = false;
  bool notRunning_ = false;
};

using Response = std::unique_ptr<ipp_t, decltype(&ippDelete)>;

QString Text(ipp_t* response, const char* name) {
  ipp_attribute_t* a = response ? ippFindAttribute(response, name, IPP_TAG_ZERO) : nullptr;
  if (!a) return {};
  QStringList values;
  for (int i = 0; i < ippGetCount(a); ++i) {
    const char* v = ippGetString(a, i, nullptr);
    if (v && *v && std::strcmp(v, "none") != 0) values << QString::fromUtf8(v);
  }
  return values.join(QStringLiteral(", "));
}

int Integer(ipp_t* response, const char* name) {
  ipp_attribute_t* a = response ? ippFindAttribute(response, name, IPP_TAG_ZERO) : nullptr;
  return a ? ippGetInteger(a, 0) : 0;
}

// What a response says of itself: its status message, else its status.
QString Status(ipp_t* response) {
  const QString message = Words(Text(response, "status-message"));
  return message.isEmpty() ? QString::fromUtf8(ippErrorString(ippGetStatusCode(response))) : message;
}

bool Ok(ipp_t* response) { return response && ippGetStatusCode(response) <= IPP_STATUS_OK_EVENTS_COMPLETE; }

// One request's answer (null when there was none), the request deleted.
Response Ask(http_t* http, ipp_t* request, const char* resource = "/") {
  return Response(cupsDoRequest(http, request, resource), &ippDelete);
}

ipp_t* Request(ipp_op_t op, const char* uriName, const QByteArray& uri, std::initializer_list<const char*> attributes) {
  ipp_t* request = ippNewRequest(op);
  ippAddString(request, IPP_TAG_OPERATION, IPP_TAG_URI, uriName, nullptr, uri.constData());
  ippAddString(request, IPP_TAG_OPERATION, IPP_TAG_NAME, "requesting-user-name", nullptr, cupsUser());
  if (attributes.size() > 0) {
    std::vector<const char*> names(attributes);
    ippAddStrings(request, IPP_TAG_OPERATION, IPP_TAG_KEYWORD, "requested-attributes", int(names.size()), nullptr,
                  names.data());
  }
  return request;
}

QByteArray PrinterUri(const QString& queue) {
  char uri[HTTP_MAX_URI];
  httpAssembleURIf(HTTP_URI_CODING_ALL, uri, sizeof uri, "ipp", nullptr, "localhost", 0, "/printers/%s",
                   queue.section(u'/', 0, 0).toUtf8().constData());
  return uri;
}

QByteArray JobUri(int jobId) { return QByteArray("ipp://localhost/jobs/") + QByteArray::number(jobId); }

// What the printer says about itself.
struct PrinterState {
  int state = 0;
  int queued = 0;  // jobs in its queue
  QString why;
};

// Why a printer or job is as it is: the service's message, else its reason keywords.
QString Why(ipp_t* response, const char* message, const char* reasons) {
  const QString why = Words(Text(response, message));
  return why.isEmpty() ? Text(response, reasons) : why;
}

PrinterState AskPrinter(http_t* http, const QByteArray& printerUri) {
  const Response r =
      Ask(http, Request(IPP_OP_GET_PRINTER_ATTRIBUTES, "printer-uri", printerUri,
                        {"printer-state", "printer-state-message", "printer-state-reasons", "queued-job-count"}));
  PrinterState s;
  if (!Ok(r.get())) return s;
  s.state = Integer(r.get(), "printer-state");
  s.queued = Integer(r.get(), "queued-job-count");
  s.why = Why(r.get(), "printer-state-message", "printer-state-reasons");
  return s;
}

// A job as the service reports it; state 0 when it did not answer.
struct JobState {
  int state = 0;
  bool unknown = false;  // the service does not know the job
  QString uuid;
  QString why;
};

JobState AskJob(http_t* http, int jobId) {
  const Response r = Ask(http, Request(IPP_OP_GET_JOB_ATTRIBUTES, "job-uri", JobUri(jobId),
                                       {"job-state", "job-state-reasons", "job-printer-state-message", "job-uuid"}));
  JobState j;
  if (!r) return j;
  if (ippGetStatusCode(r.get()) == IPP_STATUS_ERROR_NOT_FOUND) {
    j.unknown = true;
    return j;
  }
  if (!Ok(r.get())) return j;
  j.state = Integer(r.get(), "job-state");
  j.uuid = Text(r.get(), "job-uuid");
  j.why = Why(r.get(), "job-printer-state-message", "job-state-reasons");
  return j;
}

// What a look at a job found.
struct Verdict {
  enum Kind { Fine, Waits, Failed } kind = Fine;
  bool withdraw = false;  // the job still sits in the queue: take it out
  QString text;
};

// The job's state, and its printer's when it waits: whether the job goes on,
// waits (held) or failed.
Verdict Judge(http_t* http, const QString& queue, const JobState& job) {
  const QString shown = Shown(queue);
  const QString why = job.why.isEmpty() ? QStringLiteral("no reason given") : job.why;
  switch (job.state) {
    case IPP_JSTATE_STOPPED:
    case IPP_JSTATE_CANCELED:
    case IPP_JSTATE_ABORTED:
      return {Verdict::Failed, job.state == IPP_JSTATE_STOPPED,
              QStringLiteral("the printer %1 %2 the job: %3")
                  .arg(shown,
                       job.state == IPP_JSTATE_STOPPED    ? QStringLiteral("stopped")
                       : job.state == IPP_JSTATE_CANCELED ? QStringLiteral("cancelled")
                                                          : QStringLiteral("aborted"),
                       why)};
    case IPP_JSTATE_HELD:
      return {Verdict::Waits, false,
              QStringLiteral("the print service holds it for the printer %1 (%2): it prints once it is released")
                  .arg(shown, why)};
    case IPP_JSTATE_PENDING: {
      // A job waits in a stopped queue until someone starts it again, which
      // would print what the user was told did not print.
      const PrinterState printer = AskPrinter(http, PrinterUri(queue));
      if (printer.state == IPP_PSTATE_STOPPED)
        return {Verdict::Failed, true,
                QStringLiteral("the printer %1 is stopped: %2")
                    .arg(shown, printer.why.isEmpty() ? QStringLiteral("no reason given") : printer.why)};
      return {};
    }
    default:
      return {};
  }
}

QString KeptNote(const QString& file, const QString& title) {
  const QString kept = KeepUnprintedPages(file, title);
  return QStringLiteral(" The pages are kept in %1.").arg(QDir::toNativeSeparators(kept.isEmpty() ? file : kept));
}

// ---- the watches

struct Watch {
  WatchedJob job;
  std::atomic<bool> stop{false};
};

struct Watches {
  std::mutex mutex;
  std::condition_variable ended;
  std::vector<std::shared_ptr<Watch>> active;
  QList<PrintJobNews> news;
};

Watches& AllWatches() {
  // Kept to the program's very end: threads of watches may still end after
  // the program's own statics are gone.
  static auto* watches = new Watches;
  return *watches;
}

// Hands on what a watch found, unless it was told to stop meanwhile.
void Tell(const Watch& watch, bool failed, const QString& text) {
  Watches& all = AllWatches();
  const std::lock_guard lock(all.mutex);
  if (!watch.stop) all.news.append({failed, watch.job.title, text});
}

// Sleeps ms, or less when told to stop; false then.
bool Pause(const Watch& watch, int ms) {
  for (int slept = 0; slept < ms && !watch.stop; slept += 50)
    std::this_thread::sleep_for(std::chrono::milliseconds(50));
  return !watch.stop;
}

// How long a job may wait behind others in a queue that runs before the
// user is told that it waits, and how long the service may be out of reach
// before the watch gives up on it.
constexpr int kWaitsAfterMs = 10000;
constexpr int kOutOfReachMs = 10 * 60 * 1000;

void RunWatch(const std::shared_ptr<Watch>& watch) {
  const WatchedJob& job = watch->job;
  bool toldWaits = !job.waits.isEmpty();
  using Clock = std::chrono::steady_clock;
  const auto since = [](Clock::time_point t) {
    return std::chrono::duration_cast<std::chrono::milliseconds>(Clock::now() - t).count();
  };
  const Clock::time_point started = Clock::now();
  Clock::time_point reached = Clock::now();
  int interval = 250;
  bool keep = false;  // the job failed: its pages stay
  while (Pause(*watch, interval)) {
    interval = std::min(interval * 2, 2000);
    Silence silence;
    silence.stop = &watch->stop;
    Connection c(job.service, silence);
    const JobState state = c.get() ? AskJob(c.get(), job.jobId) : JobState{};
    // A service restarted without the job's record, or another job under
    // the same number: there is nothing more to learn.
    if (state.unknown || (!job.uuid.isEmpty() && !state.uuid.isEmpty() && state.uuid != job.uuid)) break;
    if (state.state == 0) {
      if (since(reached) > kOutOfReachMs) break;
      continue;
    }
    reached = Clock::now();
    if (state.state == IPP_JSTATE_COMPLETED) break;
    const Verdict verdict = Judge(c.get(), job.queue, state);
    if (verdict.kind == Verdict::Failed) {
      if (verdict.withdraw) cupsCancelJob2(c.get(), job.queue.section(u'/', 0, 0).toUtf8().constData(), job.jobId, 1);
      if (!watch->stop) {
        keep = true;
        Tell(*watch, true, verdict.text + u'.' + KeptNote(job.file, job.title));
      }
      break;
    }
    if (toldWaits) continue;
    if (verdict.kind == Verdict::Waits) {
      toldWaits = true;
      Tell(*watch, false, verdict.text);
    } else if (state.state == IPP_JSTATE_PENDING && since(started) > kWaitsAfterMs) {
      const PrinterState printer = AskPrinter(c.get(), PrinterUri(job.queue));
      if (printer.queued > 1) {
        toldWaits = true;
        Tell(*watch, false,
             QStringLiteral(
                 "it waits behind other jobs at the printer %1 (%2 in its queue): it prints when its turn comes")
                 .arg(Shown(job.queue))
                 .arg(printer.queued));
      }
    }
  }
  if (!keep) QFile::remove(job.file);
  Watches& all = AllWatches();
  const std::lock_guard lock(all.mutex);
  all.active.erase(std::remove(all.active.begin(), all.active.end(), watch), all.active.end());
  all.ended.notify_all();
}

QString& KeptFolderOverride() {
  static QString folder;
  return folder;
}

}  // namespace

PrintServiceAddress PrintServiceAddress::Current() {
  return {QString::fromUtf8(cupsServer()), ippPort(), int(cupsEncryption())};
}

QString PrintJobTitle(const QString& title) {
  QString t = title;
  for (QChar& c : t)
    if (c.category() == QChar::Other_Control) c = u' ';
  t = t.trimmed();
  // 255 bytes in UTF-8, cut only between characters.
  QByteArray bytes = t.toUtf8();
  if (bytes.size() > 255) {
    qsizetype end = 255;
    while (end > 0 && (quint8(bytes[end]) & 0xC0) == 0x80) --end;
    t = QString::fromUtf8(bytes.left(end)).trimmed();
  }
  return t.isEmpty() ? QStringLiteral("Quaywise") : t;
}

PrintServiceAnswer AskPrintService(const PrintServiceAddress& service, PrintCall& call) {
  PrintServiceAnswer answer;
  Silence silence;
  silence.call = &call;
  Connection c(service, silence);
  if (!c.get()) {
    answer.hangs = c.TimedOut();
    answer.reason = c.Why(service);
    return answer;
  }
  ipp_t* request = ippNewRequest(IPP_OP_CUPS_GET_DEFAULT);
  ippAddString(request, IPP_TAG_OPERATION, IPP_TAG_NAME, "requesting-user-name", nullptr, cupsUser());
  const Response r = Ask(c.get(), request);
  if (!r) {
    answer.hangs = silence.timedOut;
    answer.reason = silence.timedOut || call.Cancelled()
                        ? QStringLiteral("the print service does not answer (CUPS at %1)").arg(service.server)
                        : QStringLiteral("the print service cannot be reached (CUPS at %1): %2")
                              .arg(service.server, Words(QString::fromUtf8(cupsLastErrorString())));
    return answer;
  }
  answer.answered = true;
  if (Ok(r.get())) answer.defaultQueue = Text(r.get(), "printer-name");
  return answer;
}

PrintJobResult SendPrintJob(const PrintJobRequest& request, PrintCall& call) {
  PrintJobResult result;
  const PrintServiceAddress service =
      request.service.server.isEmpty() ? PrintServiceAddress::Current() : request.service;
  const QString shown = Shown(request.queue);
  const QByteArray name = request.queue.section(u'/', 0, 0).toUtf8();
  const QByteArray instance = request.queue.section(u'/', 1).toUtf8();
  const QByteArray title = PrintJobTitle(request.title).toUtf8();
  Silence silence;
  silence.call = &call;
  const auto end = [&](PrintJobResult::Outcome outcome, const QString& why) {
    result.outcome = outcome;
    if (!why.isEmpty()) result.reason = why + u'.';
    return result;
  };
  const auto noAnswer = [&] {
    if (call.Cancelled()) return end(PrintJobResult::Outcome::Cancelled, {});
    return end(PrintJobResult::Outcome::NoAnswer,
               QStringLiteral("the print service does not answer: the printer %1 was not reached (CUPS at %2)")
                   .arg(shown, service.server));
  };

  Connection c(service, silence);
  if (!c.get()) {
    if (call.Cancelled()) return end(PrintJobResult::Outcome::Cancelled, {});
    return end(PrintJobResult::Outcome::NoAnswer,
               QStringLiteral("the printer %1 cannot be reached: %2").arg(shown, c.Why(service)));
  }
  // The queue, asked for first on its own: libcups' own look-up of a queue
  // that it did not get an answer for goes on to ask about the default
  // queue over a connection of its own, which waits a minute and more.
  {
    const Response printer = Ask(
        c.get(), Request(IPP_OP_GET_PRINTER_ATTRIBUTES, "printer-uri", PrinterUri(request.queue), {"printer-name"}));
    if (!printer) return noAnswer();
    if (ippGetStatusCode(printer.get()) == IPP_STATUS_ERROR_NOT_FOUND)
      return end(
          PrintJobResult::Outcome::Refused,
          QStringLiteral("the print service does not know the printer %1 (%2)").arg(shown, Status(printer.get())));
    if (!Ok(printer.get()))
      return end(PrintJobResult::Outcome::Refused,
                 QStringLiteral("the print service did not find the printer %1: %2").arg(shown, Status(printer.get())));
  }
  // Its address, and the options of the user's own for it (those of its
  // instance).
  cups_dest_t* dest = cupsGetNamedDest(c.get(), name.constData(), instance.isEmpty() ? nullptr : instance.constData());
  if (!dest && (silence.timedOut || call.Cancelled())) return noAnswer();
  const char* uriOption = dest ? cupsGetOption("printer-uri-supported", dest->num_options, dest->options) : nullptr;
  const QByteArray printerUri = uriOption ? QByteArray(uriOption) : PrinterUri(request.queue);
  // The queue's own defaults (those of its instance), then the print's.
  cups_option_t* options = nullptr;
  int count = 0;
  for (int i = 0; dest && i < dest->num_options; ++i)
    count = cupsAddOption(dest->options[i].name, dest->options[i].value, count, &options);
  if (dest) cupsFreeDests(1, dest);
  for (const auto& [key, value] : request.options)
    count = cupsAddOption(key.toUtf8().constData(), value.toUtf8().constData(), count, &options);

  // The refusal as the printer's own word gives it, beside the service's.
  const auto refused = [&](const QString& what, const QString& service) {
    const QString why = AskPrinter(c.get(), printerUri).why;
    return end(PrintJobResult::Outcome::Refused,
               QStringLiteral("the printer %1 %2: %3").arg(shown, what, service) +
                   (why.isEmpty() || service.contains(why) ? QString() : QStringLiteral(" (%1)").arg(why)));
  };

  ipp_t* create = Request(IPP_OP_CREATE_JOB, "printer-uri", printerUri, {});
  ippAddString(create, IPP_TAG_OPERATION, IPP_TAG_NAME, "job-name", nullptr, title.constData());
  cupsEncodeOptions2(create, count, options, IPP_TAG_OPERATION);
  cupsEncodeOptions2(create, count, options, IPP_TAG_JOB);
  cupsFreeOptions(count, options);
  const QByteArray resource = "/printers/" + name;
  {
    const Response created = Ask(c.get(), create, resource.constData());
    if (!created) return noAnswer();
    if (!Ok(created.get())) return refused(QStringLiteral("did not take the job"), Status(created.get()));
    result.jobId = Integer(created.get(), "job-id");
  }
  if (result.jobId == 0) return refused(QStringLiteral("did not take the job"), QStringLiteral("no job was made"));

  // Whatever ends the send from here withdraws the job, on a connection of
  // its own (the send's may be cut off in the middle of a request); a
  // service that does not answer cannot be asked.
  const auto withdraw = [&] {
    if (silence.timedOut) return;
    Silence own;
    const Connection w(service, own);
    if (w.get()) cupsCancelJob2(w.get(), name.constData(), result.jobId, 1);
  };
  QFile file(request.file);
  if (!file.open(QIODevice::ReadOnly)) {
    withdraw();
    return end(
        PrintJobResult::Outcome::Refused,
        QStringLiteral("the pages for the printer %1 could not be read back: %2").arg(shown, file.errorString()));
  }
  const auto sendFailed = [&](const QString& service) {
    if (silence.timedOut || call.Cancelled()) return noAnswer();
    withdraw();
    return refused(QStringLiteral("did not take the pages"), service);
  };
  const http_status_t started =
      cupsStartDocument(c.get(), name.constData(), result.jobId, title.constData(), CUPS_FORMAT_PDF, 1);
  if (started != HTTP_STATUS_CONTINUE) return sendFailed(QString::fromUtf8(httpStatus(started)));
  QByteArray chunk(1 << 18, Qt::Uninitialized);
  for (;;) {
    const qint64 n = file.read(chunk.data(), chunk.size());
    if (n == 0) break;
    if (n < 0) {
      cupsFinishDocument(c.get(), name.constData());
      withdraw();
      return end(
          PrintJobResult::Outcome::Refused,
          QStringLiteral("the pages for the printer %1 could not be read back: %2").arg(shown, file.errorString()));
    }
    const http_status_t wrote = cupsWriteRequestData(c.get(), chunk.constData(), size_t(n));
    if (wrote != HTTP_STATUS_CONTINUE) {
      cupsFinishDocument(c.get(), name.constData());
      return sendFailed(QString::fromUtf8(httpStatus(wrote)));
    }
  }
  if (cupsFinishDocument(c.get(), name.constData()) > IPP_STATUS_OK_EVENTS_COMPLETE)
    return sendFailed(Words(QString::fromUtf8(cupsLastErrorString())));

  // One look at the job: a job can be stopped, or wait in a stopped queue,
  // once the service has it. What happens later is watched (WatchPrintJob).
  const JobState job = AskJob(c.get(), result.jobId);
  if (call.Cancelled()) {
    withdraw();
    return end(PrintJobResult::Outcome::Cancelled, {});
  }
  // The service has the pages: a look it does not answer is left to the
  // watch, which tells what becomes of the job.
  result.outcome = PrintJobResult::Outcome::Sent;
  if (job.state == 0) return result;
  result.uuid = job.uuid;
  const Verdict verdict = Judge(c.get(), request.queue, job);
  if (verdict.kind == Verdict::Failed) {
    if (verdict.withdraw) withdraw();
    return end(PrintJobResult::Outcome::Refused, verdict.text);
  }
  if (verdict.kind == Verdict::Waits) result.waits = verdict.text;
  return result;
}

NoPrintServiceHere::NoPrintServiceHere() : server_(cupsServer()) {
  // A socket that cannot exist: connecting fails at once.
  cupsSetServer("/nonexistent/quaywise-no-print-service");
}

NoPrintServiceHere::~NoPrintServiceHere() { cupsSetServer(server_.constData()); }

// ---------------------------------------------------------------- watches

void WatchPrintJob(const WatchedJob& job) {
  static const bool registered = [] {
    AtProgramEnd(&EndPrintJobWatches);
    return true;
  }();
  (void)registered;
  auto watch = std::make_shared<Watch>();
  watch->job = job;
  {
    Watches& all = AllWatches();
    const std::lock_guard lock(all.mutex);
    all.active.push_back(watch);
  }
  std::thread([watch] { RunWatch(watch); }).detach();
}

QList<PrintJobNews> TakePrintJobNews() {
  Watches& all = AllWatches();
  const std::lock_guard lock(all.mutex);
  return std::exchange(all.news, {});
}

int WatchedPrintJobs() {
  Watches& all = AllWatches();
  const std::lock_guard lock(all.mutex);
  return int(all.active.size());
}

void EndPrintJobWatches() {
  Watches& all = AllWatches();
  std::unique_lock lock(all.mutex);
  for (const std::shared_ptr<Watch>& watch : all.active) {
    watch->stop = true;
    QFile::remove(watch->job.file);
  }
  all.news.clear();
  // Each notices within a moment; one held up by a name look-up is left.
  all.ended.wait_for(lock, std::chrono::seconds(2), [&] { return all.active.empty(); });
}

// ------------------------------------------------------------- kept pages

QString KeptPrintsFolder() {
  if (!KeptFolderOverride().isEmpty()) return KeptFolderOverride();
  QString data = QStandardPaths::writableLocation(QStandardPaths::GenericDataLocation);
  if (data.isEmpty()) data = QDir::homePath() + QStringLiteral("/.local/share");
  return data + QStringLiteral("/Quaywise/Unprinted pages");
}

void SetKeptPrintsFolder(const QString& folder) { KeptFolderOverride() = folder; }

QString KeepUnprintedPages(const QString& file, const QString& title) {
  const QString folder = KeptPrintsFolder();
  // The pages may hold personal notes: the folder is the user's alone.
  if (!QDir().mkpath(folder) || !QFile::setPermissions(folder, QFile::ReadOwner | QFile::WriteOwner | QFile::ExeOwner))
    return {};
  QString name = PrintJobTitle(title);
  for (QChar& c : name)
    if (c == u'/' || c == u'\\' || c == u':') c = u' ';
  name = name.left(80).trimmed();
  while (name.startsWith(u'.')) name.remove(0, 1);
  const QString stamp = QDateTime::currentDateTime().toString(QStringLiteral("yyyy-MM-dd HH.mm.ss"));
  QString target = QStringLiteral("%1/%2 %3.pdf").arg(folder, name, stamp);
  for (int n = 2; QFileInfo::exists(target); ++n)
    target = QStringLiteral("%1/%2 %3 (%4).pdf").arg(folder, name, stamp).arg(n);
  if (!QFile::rename(file, target)) return {};
  QFile::setPermissions(target, QFile::ReadOwner | QFile::WriteOwner);
  return target;
}

void RemoveOldKeptPrints() {
  const QDir folder(KeptPrintsFolder());
  if (!folder.exists()) return;
  const QDateTime oldest = QDateTime::currentDateTime().addDays(-kKeptPrintsDays);
  for (const QFileInfo& kept : folder.entryInfoList({QStringLiteral("*.pdf")}, QDir::Files))
    if (kept.lastModified() < oldest) QFile::remove(kept.filePath());
}

}  // namespace qw

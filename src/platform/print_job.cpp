#include "platform/print_job.h"

#include <QElapsedTimer>
#include <QEventLoop>
#include <QFile>
#include <QTimer>
#include <algorithm>
#include <cstring>
#include <memory>
#include <vector>

#include <cups/cups.h>

namespace qw {
namespace {

// The service's words as the middle of a sentence: no full stop at the end.
QString Words(const QString& text) {
  QString t = text.trimmed();
  while (t.endsWith(u'.')) t.chop(1);
  return t;
}

QString LastServiceError() { return Words(QString::fromUtf8(cupsLastErrorString())); }

void DefaultPause(int ms) {
  QEventLoop loop;
  QTimer::singleShot(ms, &loop, &QEventLoop::quit);
  loop.exec(QEventLoop::ExcludeUserInputEvents);
}

struct Connection {
  http_t* http = nullptr;
  ~Connection() {
    if (http) httpClose(http);
  }
};

struct Dest {
  cups_dest_t* dest = nullptr;
  ~Dest() {
    if (dest) cupsFreeDests(1, dest);
  }
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

int Enum(ipp_t* response, const char* name) {
  ipp_attribute_t* a = response ? ippFindAttribute(response, name, IPP_TAG_ENUM) : nullptr;
  return a ? ippGetInteger(a, 0) : 0;
}

// One request's answer; null when the service did not answer it.
Response Ask(http_t* http, ipp_op_t op, const char* uriName, const QByteArray& uri,
             std::initializer_list<const char*> attributes) {
  ipp_t* request = ippNewRequest(op);
  ippAddString(request, IPP_TAG_OPERATION, IPP_TAG_URI, uriName, nullptr, uri.constData());
  ippAddString(request, IPP_TAG_OPERATION, IPP_TAG_NAME, "requesting-user-name", nullptr, cupsUser());
  std::vector<const char*> names(attributes);
  ippAddStrings(request, IPP_TAG_OPERATION, IPP_TAG_KEYWORD, "requested-attributes", int(names.size()), nullptr,
                names.data());
  ipp_t* response = cupsDoRequest(http, request, "/");
  if (response && ippGetStatusCode(response) > IPP_STATUS_OK_EVENTS_COMPLETE) {
    ippDelete(response);
    response = nullptr;
  }
  return Response(response, &ippDelete);
}

// What the printer says about itself: its state and why, or "".
struct PrinterState {
  int state = 0;
  QString why;
};

PrinterState AskPrinter(http_t* http, const QByteArray& printerUri) {
  const Response r = Ask(http, IPP_OP_GET_PRINTER_ATTRIBUTES, "printer-uri", printerUri,
                         {"printer-state", "printer-state-message", "printer-state-reasons"});
  PrinterState s;
  s.state = Enum(r.get(), "printer-state");
  s.why = Words(Text(r.get(), "printer-state-message"));
  if (s.why.isEmpty()) s.why = Text(r.get(), "printer-state-reasons");
  return s;
}

}  // namespace

PrintJobResult SendPrintJob(const PrintJobRequest& request, const std::function<void(int ms)>& pause) {
  PrintJobResult result;
  const QString shown = QStringLiteral("\"%1\"").arg(request.queue);
  const QByteArray name = request.queue.section(u'/', 0, 0).toUtf8();
  const QByteArray instance = request.queue.section(u'/', 1).toUtf8();
  const auto fail = [&](const QString& why) {
    result.reason = why + u'.';
    return result;
  };

  Connection c;
  c.http = httpConnect2(cupsServer(), ippPort(), nullptr, AF_UNSPEC, cupsEncryption(), 1, 30000, nullptr);
  if (!c.http)
    return fail(QStringLiteral("the printer %1 cannot be reached: the print service (CUPS) does not answer at %2")
                    .arg(shown, QString::fromLocal8Bit(cupsServer())));
  Dest d;
  d.dest = cupsGetNamedDest(c.http, name.constData(), instance.isEmpty() ? nullptr : instance.constData());
  if (!d.dest)
    return fail(QStringLiteral("the print service does not know the printer %1 (%2)").arg(shown, LastServiceError()));
  const char* uriOption = cupsGetOption("printer-uri-supported", d.dest->num_options, d.dest->options);
  char uri[HTTP_MAX_URI];
  httpAssembleURIf(HTTP_URI_CODING_ALL, uri, sizeof uri, "ipp", nullptr, "localhost", 0, "/printers/%s",
                   name.constData());
  const QByteArray printerUri = uriOption ? QByteArray(uriOption) : QByteArray(uri);
  // The refusal as the service gives it, and the printer's own word on why.
  const auto refused = [&](const QString& what) {
    const QString service = LastServiceError();
    const QString why = AskPrinter(c.http, printerUri).why;
    return fail(QStringLiteral("the printer %1 %2: %3").arg(shown, what, service) +
                (why.isEmpty() || service.contains(why) ? QString() : QStringLiteral(" (%1)").arg(why)));
  };

  // The queue's own defaults (those of its instance), then the print's.
  cups_option_t* options = nullptr;
  int count = 0;
  for (int i = 0; i < d.dest->num_options; ++i)
    count = cupsAddOption(d.dest->options[i].name, d.dest->options[i].value, count, &options);
  for (const auto& [key, value] : request.options)
    count = cupsAddOption(key.toUtf8().constData(), value.toUtf8().constData(), count, &options);
  const QByteArray title = request.title.toUtf8();
  result.jobId = cupsCreateJob(c.http, name.constData(), title.constData(), count, options);
  cupsFreeOptions(count, options);
  if (result.jobId == 0) return refused(QStringLiteral("did not take the job"));

  const auto withdraw = [&] { cupsCancelJob2(c.http, name.constData(), result.jobId, 1); };
  QFile file(request.file);
  const auto unreadable = [&] {
    withdraw();
    return fail(QStringLiteral("the pages for the printer %1 could not be read back: %2").arg(shown, file.errorString()));
  };
  const auto pagesRefused = [&] {
    withdraw();
    return refused(QStringLiteral("did not take the pages"));
  };
  if (!file.open(QIODevice::ReadOnly)) return unreadable();
  if (cupsStartDocument(c.http, name.constData(), result.jobId, title.constData(), CUPS_FORMAT_PDF, 1) !=
      HTTP_STATUS_CONTINUE)
    return pagesRefused();
  QByteArray chunk(1 << 18, Qt::Uninitialized);
  for (;;) {
    const qint64 n = file.read(chunk.data(), chunk.size());
    if (n == 0) break;
    if (n < 0 || cupsWriteRequestData(c.http, chunk.constData(), size_t(n)) != HTTP_STATUS_CONTINUE) {
      cupsFinishDocument(c.http, name.constData());
      return n < 0 ? unreadable() : pagesRefused();
    }
  }
  if (cupsFinishDocument(c.http, name.constData()) > IPP_STATUS_OK_EVENTS_COMPLETE) return pagesRefused();

  // Watched until taken: a job can still be stopped, or wait in a stopped
  // queue, after the service has accepted it.
  const QByteArray jobUri = QByteArray("ipp://localhost/jobs/") + QByteArray::number(result.jobId);
  QElapsedTimer clock;
  clock.start();
  int interval = 50;
  for (;;) {
    const Response job = Ask(c.http, IPP_OP_GET_JOB_ATTRIBUTES, "job-uri", jobUri,
                             {"job-state", "job-state-reasons", "job-printer-state-message"});
    if (!job)
      return fail(QStringLiteral("the print service stopped answering while it took the job for the printer %1 (%2)")
                      .arg(shown, LastServiceError()));
    const int state = Enum(job.get(), "job-state");
    if (state == IPP_JSTATE_HELD || state == IPP_JSTATE_PROCESSING || state == IPP_JSTATE_COMPLETED) break;
    if (state == IPP_JSTATE_STOPPED || state == IPP_JSTATE_CANCELED || state == IPP_JSTATE_ABORTED) {
      QString why = Words(Text(job.get(), "job-printer-state-message"));
      if (why.isEmpty()) why = Text(job.get(), "job-state-reasons");
      if (state == IPP_JSTATE_STOPPED) withdraw();
      return fail(QStringLiteral("the printer %1 %2 the job: %3")
                      .arg(shown,
                           state == IPP_JSTATE_STOPPED    ? QStringLiteral("stopped")
                           : state == IPP_JSTATE_CANCELED ? QStringLiteral("cancelled")
                                                          : QStringLiteral("aborted"),
                           why.isEmpty() ? QStringLiteral("no reason given") : why));
    }
    const PrinterState printer = AskPrinter(c.http, printerUri);
    if (printer.state == IPP_PSTATE_STOPPED) {
      withdraw();
      return fail(QStringLiteral("the printer %1 is stopped: %2")
                      .arg(shown, printer.why.isEmpty() ? QStringLiteral("no reason given") : printer.why));
    }
    // Waiting its turn behind other jobs in a queue that runs.
    if (clock.elapsed() >= kJobTakenTimeoutMs) break;
    (pause ? pause : DefaultPause)(interval);
    interval = std::min(interval * 2, 400);
  }
  result.sent = true;
  return result;
}

bool HasDefaultPrintQueue() {
  Dest d;
  d.dest = cupsGetNamedDest(CUPS_HTTP_DEFAULT, nullptr, nullptr);
  return d.dest != nullptr;
}

}  // namespace qw

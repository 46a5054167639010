#include "common/print_service.h"

#include <QDir>
#include <QElapsedTimer>
#include <QFile>
#include <QFileInfo>
#include <QProcess>
#include <QStandardPaths>
#include <QThread>
#include <algorithm>
#include <csignal>

#include <cups/cups.h>

#include "platform/print_job.h"
#include "platform/program.h"

namespace qw::testing {
namespace {

const QStringList kSystemFolders = {QStringLiteral("/usr/sbin"), QStringLiteral("/usr/bin"),
                                    QStringLiteral("/usr/local/sbin"), QStringLiteral("/sbin")};

QString Program(const QString& name) { return QStandardPaths::findExecutable(name, kSystemFolders); }

// The system's filters and helpers, which the service runs from its own
// folder beside the backend that keeps the jobs.
const char* const kSystemServerBin = "/usr/lib/cups";

// Keeps each job as received: the document, then what the service handed
// over (the job file appears once complete).
const char* const kKeepBackend = R"(#!/bin/sh
if [ $# -eq 0 ]; then echo 'direct keep "Unknown" "Keeps each job"'; exit 0; fi
dir=${DEVICE_URI#keep:}
if [ $# -ge 6 ]; then cat "$6" > "$dir/job-$1.part"; else cat > "$dir/job-$1.part"; fi
mv "$dir/job-$1.part" "$dir/job-$1.pdf"
printf '%s\n%s\n%s\n%s\n%s\n' "$1" "$2" "$3" "$4" "$5" > "$dir/job-$1.tmp"
mv "$dir/job-$1.tmp" "$dir/job-$1.args"
)";

// A printer that is not there: its backend fails at once, as for an
// unplugged printer.
const char* const kFailBackend = R"(#!/bin/sh
if [ $# -eq 0 ]; then echo 'direct fail "Unknown" "Fails at once"'; exit 0; fi
echo "ERROR: The printer is not connected." >&2
exit 1
)";

// A printer that takes PDF through the service's own PDF filter, with
// `margin` points it cannot print on along every edge.
QByteArray Ppd(const QString& paper, int margin) {
  return QByteArray(R"PPD(*PPD-Adobe: "4.3"
*FormatVersion: "4.3"
*FileVersion: "1.0"
*LanguageVersion: English
*LanguageEncoding: ISOLatin1
*PCFileName: "KEEP.PPD"
*Manufacturer: "Quaywise"
*Product: "(Keep)"
*ModelName: "Keep"
*ShortNickName: "Keep"
*NickName: "Keep"
*PSVersion: "(3010.000) 0"
*LanguageLevel: "3"
*ColorDevice: True
*DefaultColorSpace: RGB
*FileSystem: False
*Throughput: "1"
*LandscapeOrientation: Plus90
*TTRasterizer: Type42
*cupsFilter2: "application/vnd.cups-pdf application/pdf 0 -"
*OpenUI *PageSize/Media Size: PickOne
*OrderDependency: 10 AnySetup *PageSize
*DefaultPageSize: PAPER
*PageSize Letter/US Letter: "<</PageSize[612 792]/ImagingBBox null>>setpagedevice"
*PageSize A4/A4: "<</PageSize[595 842]/ImagingBBox null>>setpagedevice"
*CloseUI: *PageSize
*OpenUI *PageRegion: PickOne
*OrderDependency: 10 AnySetup *PageRegion
*DefaultPageRegion: PAPER
*PageRegion Letter/US Letter: "<</PageSize[612 792]/ImagingBBox null>>setpagedevice"
*PageRegion A4/A4: "<</PageSize[595 842]/ImagingBBox null>>setpagedevice"
*CloseUI: *PageRegion
*DefaultImageableArea: PAPER
*ImageableArea Letter/US Letter: "M M LW LH"
*ImageableArea A4/A4: "M M AW AH"
*DefaultPaperDimension: PAPER
*PaperDimension Letter/US Letter: "612 792"
*PaperDimension A4/A4: "595 842"
*OpenUI *Duplex/2-Sided Printing: PickOne
*OrderDependency: 10 AnySetup *Duplex
*DefaultDuplex: None
*Duplex None/Off: "<</Duplex false>>setpagedevice"
*Duplex DuplexNoTumble/Long Edge: "<</Duplex true/Tumble false>>setpagedevice"
*Duplex DuplexTumble/Short Edge: "<</Duplex true/Tumble true>>setpagedevice"
*CloseUI: *Duplex
)PPD")
      .replace("PAPER", paper.toLatin1())
      .replace("\"M M LW LH\"",
               QStringLiteral("\"%1 %1 %2 %3\"").arg(margin).arg(612 - margin).arg(792 - margin).toLatin1())
      .replace("\"M M AW AH\"",
               QStringLiteral("\"%1 %1 %2 %3\"").arg(margin).arg(595 - margin).arg(842 - margin).toLatin1());
}

bool WriteText(const QString& path, const QByteArray& text) { return WriteWholeFile(path, text).isEmpty(); }

constexpr QFile::Permissions kOpen = QFile::ReadOwner | QFile::WriteOwner | QFile::ExeOwner | QFile::ReadGroup |
                                     QFile::ExeGroup | QFile::ReadOther | QFile::ExeOther;

}  // namespace

bool PrintService::Installed() { return !Program(QStringLiteral("cupsd")).isEmpty(); }

PrintService::PrintService() {
  if (!Installed()) {
    why_ = QStringLiteral("cupsd is not installed");
    return;
  }
  if (!dir_.isValid()) {
    why_ = QStringLiteral("no temporary folder");
    return;
  }
  // The service runs its filters and backends as another user when it runs
  // as root: they reach into these folders.
  QFile::setPermissions(dir_.path(), kOpen);
  for (const char* sub : {"etc", "etc/ppd", "bin", "bin/backend", "spool", "spool/tmp", "cache", "state", "log",
                          "jobs"}) {
    QDir().mkpath(Path(QLatin1String(sub)));
    QFile::setPermissions(Path(QLatin1String(sub)), kOpen);
  }
  QFile::setPermissions(Path(QStringLiteral("jobs")), kOpen | QFile::WriteGroup | QFile::WriteOther);
  QFile::setPermissions(Path(QStringLiteral("spool/tmp")), kOpen | QFile::WriteGroup | QFile::WriteOther);
  for (const char* sub : {"filter", "daemon", "cgi-bin", "driver", "notifier", "monitor"})
    QFile::link(QStringLiteral("%1/%2").arg(QLatin1String(kSystemServerBin), QLatin1String(sub)),
                Path(QStringLiteral("bin/%1").arg(QLatin1String(sub))));
  const QString socket = Path(QStringLiteral("cups.sock"));
  const QString backend = Path(QStringLiteral("bin/backend/keep"));
  const QString failing = Path(QStringLiteral("bin/backend/fail"));
  const bool written =
      WriteText(backend, kKeepBackend) && QFile::setPermissions(backend, kOpen) && WriteText(failing, kFailBackend) &&
      QFile::setPermissions(failing, kOpen) &&
      WriteText(Path(QStringLiteral("etc/cupsd.conf")),
                QStringLiteral("Listen %1\nLogLevel info\nBrowsing No\nDefaultAuthType None\nWebInterface No\n"
                               "MaxJobs 0\nPreserveJobHistory Yes\n"
                               "<Location />\n  Order allow,deny\n  Allow all\n</Location>\n"
                               "<Policy default>\n  <Limit All>\n    Order deny,allow\n  </Limit>\n</Policy>\n")
                    .arg(socket)
                    .toUtf8()) &&
      WriteText(Path(QStringLiteral("etc/cups-files.conf")),
                QStringLiteral("ServerRoot %1/etc\nServerBin %1/bin\nRequestRoot %1/spool\nTempDir %1/spool/tmp\n"
                               "CacheDir %1/cache\nStateDir %1/state\nAccessLog %1/log/access_log\n"
                               "ErrorLog %1/log/error_log\nPageLog %1/log/page_log\nSandboxing Relaxed\n"
                               "SystemGroup root\n")
                    .arg(dir_.path())
                    .toUtf8());
  if (!written) {
    why_ = QStringLiteral("the service's files could not be written in ") + dir_.path();
    return;
  }
  cupsd_ = std::make_unique<QProcess>();
  cupsd_->setProcessChannelMode(QProcess::MergedChannels);
  cupsd_->start(Program(QStringLiteral("cupsd")),
                {QStringLiteral("-f"), QStringLiteral("-c"), Path(QStringLiteral("etc/cupsd.conf")),
                 QStringLiteral("-s"), Path(QStringLiteral("etc/cups-files.conf"))});
  // The program and the service's commands use this service only, and the
  // pages of prints that fail stay in its folder.
  SetKeptPrintsFolder(Path(QStringLiteral("kept")));
  qputenv("CUPS_SERVER", socket.toUtf8());
  qunsetenv("PRINTER");
  qunsetenv("LPDEST");
  cupsSetServer(socket.toUtf8().constData());
  QElapsedTimer clock;
  clock.start();
  while (clock.elapsed() < 15000 && cupsd_->state() != QProcess::NotRunning) {
    if (QFileInfo::exists(socket)) {
      http_t* http = httpConnect2(socket.toUtf8().constData(), ippPort(), nullptr, AF_UNSPEC, HTTP_ENCRYPTION_NEVER,
                                  1, 1000, nullptr);
      if (http) {
        httpClose(http);
        ready_ = true;
        return;
      }
    }
    QThread::msleep(50);
  }
  QFile log(Path(QStringLiteral("log/error_log")));
  log.open(QIODevice::ReadOnly);
  why_ = QStringLiteral("cupsd did not start: ") + QString::fromUtf8(cupsd_->readAll()) +
         QString::fromUtf8(log.readAll().right(2000));
}

PrintService::~PrintService() {
  // Jobs sent to it are watched no more: the next service numbers its jobs
  // afresh.
  EndPrintJobWatches();
  SetKeptPrintsFolder(QString());
  Stop();
  qunsetenv("CUPS_SERVER");
  cupsSetServer(nullptr);
}

void PrintService::Freeze() {
  if (cupsd_ && cupsd_->state() != QProcess::NotRunning) ::kill(pid_t(cupsd_->processId()), SIGSTOP);
}

void PrintService::Thaw() {
  if (cupsd_ && cupsd_->state() != QProcess::NotRunning) ::kill(pid_t(cupsd_->processId()), SIGCONT);
}

void PrintService::Stop() {
  if (!cupsd_ || cupsd_->state() == QProcess::NotRunning) return;
  Thaw();
  cupsd_->terminate();
  if (!cupsd_->waitForFinished(10000)) {
    cupsd_->kill();
    cupsd_->waitForFinished(5000);
  }
}

bool PrintService::Run(const QString& command, const QStringList& arguments) {
  QProcess p;
  p.setProcessChannelMode(QProcess::MergedChannels);
  p.start(Program(command), arguments);
  if (!p.waitForFinished(30000) || p.exitStatus() != QProcess::NormalExit || p.exitCode() != 0) {
    why_ = command + QStringLiteral(": ") + QString::fromUtf8(p.readAll());
    return false;
  }
  return true;
}

bool PrintService::AddQueue(const QString& name, const QString& paper, bool makeDefault, Printer printer) {
  const QString ppd = Path(name + QStringLiteral(".ppd"));
  const QString jobs = Path(QStringLiteral("jobs/") + name);
  if (!WriteText(ppd, Ppd(paper, printer == Printer::WideMargins ? 36 : 12)) || !QDir().mkpath(jobs) ||
      !QFile::setPermissions(jobs, kOpen | QFile::WriteGroup | QFile::WriteOther))
    return false;
  const bool fails = printer == Printer::FailsAborting || printer == Printer::FailsStopping;
  QStringList arguments = {QStringLiteral("-p"),
                           name,
                           QStringLiteral("-E"),
                           QStringLiteral("-v"),
                           (fails ? QStringLiteral("fail:") : QStringLiteral("keep:")) + jobs,
                           QStringLiteral("-P"),
                           ppd};
  if (fails)
    arguments << QStringLiteral("-o")
              << QStringLiteral("printer-error-policy=%1")
                     .arg(printer == Printer::FailsAborting ? QStringLiteral("abort-job")
                                                            : QStringLiteral("stop-printer"));
  return Run(QStringLiteral("lpadmin"), arguments) &&
         (!makeDefault || Run(QStringLiteral("lpadmin"), {QStringLiteral("-d"), name}));
}

QList<PrintService::Job> PrintService::Jobs(const QString& queue, int count, int timeoutMs) const {
  const QDir jobs(Path(QStringLiteral("jobs/") + queue));
  QElapsedTimer clock;
  clock.start();
  QList<Job> kept;
  for (;;) {
    kept.clear();
    QFileInfoList files = jobs.entryInfoList({QStringLiteral("job-*.args")}, QDir::Files);
    std::sort(files.begin(), files.end(), [](const QFileInfo& a, const QFileInfo& b) {
      return a.baseName().mid(4).toInt() < b.baseName().mid(4).toInt();
    });
    for (const QFileInfo& args : files) {
      QFile f(args.filePath());
      f.open(QIODevice::ReadOnly);
      const QStringList lines = QString::fromUtf8(f.readAll()).split(u'\n');
      kept.append(Job{args.path() + QStringLiteral("/") + args.baseName() + QStringLiteral(".pdf"), lines.value(2),
                      lines.value(3).toInt(), lines.value(4)});
    }
    if (kept.size() >= count || clock.elapsed() > timeoutMs) return kept;
    QThread::msleep(50);
  }
}

int PrintService::PendingJobs() const {
  cups_job_t* jobs = nullptr;
  const int n = cupsGetJobs2(CUPS_HTTP_DEFAULT, &jobs, nullptr, 0, CUPS_WHICHJOBS_ACTIVE);
  cupsFreeJobs(n, jobs);
  return std::max(n, 0);
}

}  // namespace qw::testing

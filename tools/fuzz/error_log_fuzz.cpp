// The error reporter's log round trip: whatever the module and procedure
// names, numbers, sources and descriptions (quotes, commas, line ends,
// control characters, any UTF-16 units), every record ErrorLog.txt gets reads
// back field for field as it was given, stamped with the time of writing.
#include <QCoreApplication>
#include <QDateTime>
#include <QFile>
#include <QRegularExpression>
#include <QStringDecoder>
#include <QTemporaryDir>
#include <cstdint>
#include <cstdio>
#include <cstdlib>

#include "services/error_handler.h"
#include "fuzz_input.h"
#include "platform/jet.h"
#include "platform/program.h"
#include "platform/record_file.h"

namespace {

using qw::fuzz::FuzzInput;

struct ProgramEnded {};

[[noreturn]] void Fail(const QString& what) {
  std::fprintf(stderr, "%s\n", what.toUtf8().constData());
  std::abort();
}

QString Text(FuzzInput& in) { return in.AnyText(200); }

// What a text file can carry of a text: its UTF-8 (where a lone surrogate
// has no form), a byte-order mark kept, NUL characters left out.
QString AsWritten(const QString& text) {
  QStringDecoder utf8(QStringDecoder::Utf8, QStringDecoder::Flag::ConvertInitialBom);
  return QString(utf8.decode(text.toUtf8())).remove(QChar(0));
}

QDateTime NowToTheSecond() {
  const QDateTime now = QDateTime::currentDateTime();
  return QDateTime(now.date(), QTime(now.time().hour(), now.time().minute(), now.time().second()));
}

QString LogPath() { return qw::WritableFolder() + QStringLiteral("/ErrorLog.txt"); }

}  // namespace

extern "C" int LLVMFuzzerInitialize(int* argc, char*** argv) {
  static QCoreApplication app(*argc, *argv);
  static QTemporaryDir folder;
  qw::SetProgramFolder(folder.path());
  qw::SetEndProgramHandler([](int) { throw ProgramEnded{}; });
  return 0;
}

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
  FuzzInput in(data, size);
  const QString module = Text(in);
  const QString procedure = Text(in);
  qw::RuntimeError err;
  static const int kNumbers[] = {0, qw::kJetDiskOrNetwork, -5, 13};
  err.number = in.Byte() % 4 == 0 ? in.Pick(kNumbers) : static_cast<int>(in.Long());
  err.source = Text(in);
  err.description = Text(in);
  QList<qw::EngineError> engine;
  const int engineCount = in.Byte() % 4;
  for (int i = 0; i < engineCount; ++i) engine.append({static_cast<int>(in.Long()), Text(in), Text(in)});

  QFile::remove(LogPath());
  const QDateTime before = NowToTheSecond();
  bool ended = false;
  try {
    qw::ReportError(module, procedure, err, engine);
  } catch (const ProgramEnded&) {
    ended = true;
  }
  const QDateTime after = NowToTheSecond();

  // The records the log must hold, without their time stamps.
  QList<QStringList> expected;
  auto record = [&](const char* kind, int number, const QString& source, const QString& description) {
    expected.append({AsWritten(module), AsWritten(procedure), QLatin1String(kind), QString::number(number),
                     AsWritten(source), AsWritten(description)});
  };
  if (ended != (err.number == qw::kJetDiskOrNetwork)) Fail(QStringLiteral("the program ended on the wrong error"));
  if (!ended) {
    if (err.number != 0) record("Err", err.number, err.source, err.description);
    for (const qw::EngineError& e : engine) record("DBEngine", e.number, e.source, e.description);
  }

  std::optional<qw::RecordReader> reader = qw::RecordReader::FromFile(LogPath());
  if (!reader) {
    if (!expected.isEmpty()) Fail(QStringLiteral("no log written"));
    return 0;
  }
  static const QRegularExpression stampForm(
      QStringLiteral("^#(\\d{4}-\\d\\d-\\d\\d)( (\\d\\d:\\d\\d:\\d\\d))?#$"));
  for (const QStringList& fields : expected) {
    QString stamp;
    if (!reader->ReadField(stamp)) Fail(QStringLiteral("a record is missing: ") + reader->StopReason());
    const auto m = stampForm.match(stamp);
    if (!m.hasMatch()) Fail(QStringLiteral("bad time stamp ") + stamp);
    const QDateTime at(QDate::fromString(m.captured(1), Qt::ISODate),
                       m.captured(3).isEmpty() ? QTime(0, 0) : QTime::fromString(m.captured(3), Qt::ISODate));
    if (at < before || at > after) Fail(QStringLiteral("time stamp out of range: ") + stamp);
    for (const QString& want : fields) {
      QString got;
      if (!reader->ReadField(got)) Fail(QStringLiteral("a field is missing: ") + reader->StopReason());
      if (got != want) Fail(QStringLiteral("field reads back as '%1', written '%2'").arg(got, want));
    }
  }
  QString extra;
  if (reader->ReadField(extra) || reader->Stopped()) Fail(QStringLiteral("the log does not end after its records"));
  return 0;
}

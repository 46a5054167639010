// Any bytes as the configuration file VykMarina.ini (and as a mount table):
// reading never crashes or hangs and gives the same settings twice; a file
// over the size limit reads as its first part cut at a line end; the settings
// read, written back as a configuration file, read back the same; the edition
// title is shorter than the first line; numbers convert to their nearest
// 16-bit integer.
#include <QCoreApplication>
#include <QFile>
#include <QLocale>
#include <QTemporaryDir>
#include <cmath>
#include <cstdint>
#include <cstdio>
#include <cstdlib>
#include <stdexcept>

#include "services/config_file.h"
#include "platform/program.h"
#include "platform/record_file.h"

namespace {

using qw::AppSettings;

const QString kCdRoot = QStringLiteral("/cd/");
constexpr qsizetype kLimit = 64 * 1024;  // the reader's documented limit

[[noreturn]] void Fail(const QString& what) {
  std::fprintf(stderr, "%s\n", what.toUtf8().constData());
  std::abort();
}

QString Describe(const AppSettings& s) {
  return QStringLiteral("Edition '%1' Photos '%2' Data '%3' List '%4' GeoCode %5 %6-%7")
      .arg(s.EditionName, s.PhotosFolder, s.DataFolder, s.EditionFilter)
      .arg(s.SingleGeoCode)
      .arg(s.GeoCodeFrom)
      .arg(s.GeoCodeTo);
}

void ExpectSame(const AppSettings& got, const AppSettings& want, const char* what) {
  if (got.EditionName != want.EditionName || got.PhotosFolder != want.PhotosFolder ||
      got.DataFolder != want.DataFolder || got.EditionFilter != want.EditionFilter ||
      got.SingleGeoCode != want.SingleGeoCode || got.GeoCodeFrom != want.GeoCodeFrom ||
      got.GeoCodeTo != want.GeoCodeTo)
    Fail(QStringLiteral("%1:\n got  %2\n want %3").arg(QLatin1String(what), Describe(got), Describe(want)));
}

QString IniPath() { return qw::ProgramFolder() + QStringLiteral("/VykMarina.ini"); }

AppSettings Read(const QByteArray& content) {
  QFile file(IniPath());
  if (!file.open(QIODevice::WriteOnly | QIODevice::Truncate) || file.write(content) != content.size())
    Fail(QStringLiteral("cannot write ") + IniPath());
  file.close();
  AppSettings s;
  qw::ReadIniFile(IniPath(), s, [] { return kCdRoot; });
  return s;
}

// The settings as a configuration file of their own.
QByteArray Written(const AppSettings& s) {
  qw::RecordWriter w;
  w.WriteRecord({QStringLiteral("Edition"), s.EditionName});
  w.WriteRecord({QStringLiteral("PhotosRootFolder"), s.PhotosFolder});
  w.WriteRecord({QStringLiteral("DatabasePath"), s.DataFolder});
  w.WriteRecord({QStringLiteral("List"), s.EditionFilter});
  if (s.SingleGeoCode != 0) w.WriteRecord({QStringLiteral("GeoCode"), static_cast<int>(s.SingleGeoCode)});
  if (s.GeoCodeFrom != 0 || s.GeoCodeTo != 0)
    w.WriteRecord({QStringLiteral("GeoCode"), QStringLiteral("%1-%2").arg(s.GeoCodeFrom).arg(s.GeoCodeTo)});
  return w.Data();
}

}  // namespace

extern "C" int LLVMFuzzerInitialize(int* argc, char*** argv) {
  static QCoreApplication app(*argc, *argv);
  static QTemporaryDir folder;
  qw::SetProgramFolder(folder.path());
  return 0;
}

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
  if (size == 0) return 0;
  // The first byte may ask for the content repeated past the size limit
  // (seldom: reading 64 KiB of fields is slow under the sanitizers).
  QByteArray content(reinterpret_cast<const char*>(data) + 1, static_cast<qsizetype>(size - 1));
  if ((data[0] & 0x0F) == 0x0F && !content.isEmpty())
    while (content.size() <= kLimit + 1024) content += content;

  const AppSettings first = Read(content);

  // The title and the CD lookup read the same file.
  const QByteArray line = content.left(content.indexOf('\n') < 0 ? content.size() : content.indexOf('\n'));
  try {
    const QString title = qw::Parse_String_Edition();
    if (title.size() >= QString::fromUtf8(line).size() && title.size() >= QString::fromLatin1(line).size())
      Fail(QStringLiteral("edition title '%1' is not shorter than its line").arg(title));
  } catch (const std::runtime_error&) {
    // A first line that holds no title is refused by throwing, as it should be.
  }
  const QString cd = qw::FindCDROM(IniPath());
  if (cd != qw::kNoCdRom && !cd.endsWith(QLatin1Char('/'))) Fail(QStringLiteral("CD root without '/': ") + cd);

  if (content.size() <= kLimit) {
    ExpectSame(Read(content), first, "a second reading differs");
  } else {
    QByteArray head = content.left(kLimit);
    head.truncate(head.lastIndexOf('\n') + 1);
    ExpectSame(Read(head), first, "a long file differs from its first part");
  }

  // Written back and read again. Only the photos folder changes: one more
  // trailing separator goes, and a folder named "CDD Path" now means the CD.
  AppSettings want = first;
  if (want.PhotosFolder == QLatin1String("CDD Path")) want.PhotosFolder = kCdRoot + QStringLiteral("Photos");
  if (want.PhotosFolder.endsWith(QLatin1Char('/')) || want.PhotosFolder.endsWith(QLatin1Char('\\')))
    want.PhotosFolder.chop(1);
  ExpectSame(Read(Written(first)), want, "the settings written back read differently");

  qw::RecordReader reader(content);
  QString field;
  for (int n = 0; n < 64 && reader.ReadField(field); ++n) {
    if (const auto value = qw::ToInteger16(field)) {
      const double exact = QLocale::c().toDouble(field.trimmed());
      if (!(std::fabs(exact - *value) <= 0.5)) Fail(QStringLiteral("'%1' converts to %2").arg(field).arg(*value));
    }
    const QString major = qw::MajorVersionText(field);
    bool digits = major == QLatin1String("ERROR");
    if (!digits) {
      digits = !major.isEmpty();
      for (QChar c : major) digits = digits && c >= QLatin1Char('0') && c <= QLatin1Char('9');
    }
    if (!digits) Fail(QStringLiteral("major version of '%1' is '%2'").arg(field, major));
  }
  return 0;
}

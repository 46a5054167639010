#include "services/config_file.h"

#include <QFile>
#include <QLocale>
#include <QStringList>
#include <cmath>
#include <stdexcept>

#include "platform/program.h"
#include "platform/record_file.h"
#include "platform/text_decoding.h"

namespace qw {
namespace {

// A configuration file holds a handful of short lines; anything beyond this
// is not one, and only its beginning is read.
constexpr qint64 kMaxIniBytes = 64 * 1024;

const QString kCddPath = QStringLiteral("CDD Path");

// Mount points in the mount table write blanks, tabs, newlines and
// backslashes as three-digit octal escapes.
QString UnescapeMountField(const QByteArray& field) {
  QByteArray out;
  for (qsizetype i = 0; i < field.size(); ++i) {
    if (field[i] == '\\' && i + 3 < field.size()) {
      const QByteArray digits = field.mid(i + 1, 3);
      bool ok = false;
      const int code = digits.toInt(&ok, 8);
      if (ok && digits.size() == 3) {
        out.append(static_cast<char>(code));
        i += 3;
        continue;
      }
    }
    out.append(field[i]);
  }
  return QString::fromUtf8(out);
}

QByteArray ReadAtMost(const QString& path, bool& ok) {
  ok = false;
  QFile file(path);
  if (!file.open(QIODevice::ReadOnly)) return {};
  QByteArray content = file.read(kMaxIniBytes);
  if (!file.atEnd()) {
    // Cut at the last line end so that no field is read half.
    const qsizetype lastLf = content.lastIndexOf('\n');
    content.truncate(lastLf < 0 ? 0 : lastLf + 1);
  }
  ok = true;
  return content;
}

}  // namespace

QString FindCDROM(const QString& mountTable) {
  QFile file(mountTable);
  if (!file.open(QIODevice::ReadOnly)) return kNoCdRom;
  // /proc files report size 0: read line by line.
  while (!file.atEnd()) {
    const QByteArray line = file.readLine(4096);
    const QList<QByteArray> parts = line.simplified().split(' ');
    if (parts.size() < 3) continue;
    const QByteArray type = parts[2];
    if (type != "iso9660" && type != "udf") continue;
    QString root = UnescapeMountField(parts[1]);
    if (!root.endsWith(QLatin1Char('/'))) root += QLatin1Char('/');
    return root;
  }
  return kNoCdRom;
}

std::optional<std::int16_t> ToInteger16(const QString& text) {
  const QString trimmed = text.trimmed();
  if (trimmed.isEmpty()) return std::nullopt;
  for (QChar c : trimmed) {
    // Only plain decimal numbers: no "inf", "nan", hex or thousands commas.
    if (!(c.isDigit() || c == QLatin1Char('.') || c == QLatin1Char('-') || c == QLatin1Char('+') ||
          c == QLatin1Char('e') || c == QLatin1Char('E')))
      return std::nullopt;
  }
  bool ok = false;
  const double value = QLocale::c().toDouble(trimmed, &ok);
  if (!ok || !std::isfinite(value)) return std::nullopt;
  const double rounded = std::nearbyint(value);  // default mode: halves to even
  if (rounded < -32768.0 || rounded > 32767.0) return std::nullopt;
  return static_cast<std::int16_t>(rounded);
}

void ReadIniFile(const QString& path, AppSettings& settings, const std::function<QString()>& findCdRom) {
  bool opened = false;
  RecordReader reader(ReadAtMost(path, opened));
  if (!opened) return;
  while (!reader.AtEnd()) {
    QString key;
    QString value;
    if (!reader.ReadField(key)) return;
    if (!reader.ReadField(value)) return;  // a key without its value
    if (key == QLatin1String("Edition")) {
      settings.EditionName = value;
    } else if (key == QLatin1String("PhotosRootFolder")) {
      settings.PhotosFolder = value == kCddPath ? findCdRom() + QStringLiteral("Photos") : value;
      if (settings.PhotosFolder.endsWith(QLatin1Char('\\')) || settings.PhotosFolder.endsWith(QLatin1Char('/')))
        settings.PhotosFolder.chop(1);
    } else if (key == QLatin1String("DatabasePath")) {
      settings.DataFolder = value == kCddPath ? findCdRom() + QStringLiteral("Database") : value;
    } else if (key == QLatin1String("List")) {
      settings.EditionFilter = value;
    } else if (key == QLatin1String("GeoCode")) {
      const qsizetype hyphen = value.indexOf(QLatin1Char('-'));
      if (hyphen < 0) {
        const auto single = ToInteger16(value);
        if (!single) return;
        settings.SingleGeoCode = *single;
      } else {
        const auto from = ToInteger16(value.left(hyphen));
        if (!from) return;
        settings.GeoCodeFrom = *from;
        const auto to = ToInteger16(value.mid(hyphen + 1));
        if (!to) return;
        settings.GeoCodeTo = *to;
      }
    }
  }
}

bool BrowserVersionAccepted(const QString& version) { return version == kRequiredBrowserVersion; }

QString MajorVersionText(const QString& versionText) {
  qsizetype n = 0;
  while (n < versionText.size() && versionText[n].isDigit() && versionText[n].unicode() < 128) ++n;
  if (n == 0) return QStringLiteral("ERROR");
  return QString::number(versionText.left(n).toLongLong());
}

std::optional<QString> EditionTitleFromLine(const QString& firstLine) {
  // Only blanks are trimmed, as the line is read.
  QString line = firstLine;
  while (line.startsWith(QLatin1Char(' '))) line.remove(0, 1);
  while (line.endsWith(QLatin1Char(' '))) line.chop(1);
  const qsizetype comma = line.indexOf(QLatin1Char(','));  // -1 when none
  // The comma and the opening quote after it are skipped; with no comma only
  // the first character is.
  QString rest = line.mid(comma < 0 ? 1 : comma + 2);
  while (rest.startsWith(QLatin1Char(' '))) rest.remove(0, 1);
  if (rest.isEmpty()) return std::nullopt;
  rest.chop(1);
  return rest;
}

QString Parse_String_Edition() {
  QFile file(FindFileNoCase(ProgramFolder(), QStringLiteral("vykmarina.ini")));
  if (!file.open(QIODevice::ReadOnly)) throw std::runtime_error("The configuration file cannot be read.");
  if (file.atEnd()) throw std::runtime_error("The configuration file is empty.");
  QByteArray line = file.readLine(kMaxIniBytes);
  while (line.endsWith('\n') || line.endsWith('\r')) line.chop(1);
  // Decoded as the field reader decodes it, so that the header and the
  // caption spell the edition alike.
  const auto title = EditionTitleFromLine(DecodeText(line));
  if (!title) throw std::runtime_error("The first line of the configuration file holds no edition title.");
  return *title;
}

}  // namespace qw

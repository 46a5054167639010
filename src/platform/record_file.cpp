#include "platform/record_file.h"

#include <QDate>
#include <QFile>
#include <QTime>

#include "platform/program.h"
#include "platform/text_decoding.h"
#include "platform/vb_text.h"

namespace qw {
namespace {

bool IsBlank(char c) { return c == ' ' || c == '\t'; }
bool IsLineEnd(char c) { return c == '\r' || c == '\n'; }
// Control characters other than tab and line ends mark a file that is not text.
bool IsBinary(char c) {
  const auto u = static_cast<unsigned char>(c);
  return (u < 0x20 && c != '\t' && c != '\r' && c != '\n') || u == 0x7F;
}
// Between quotes a text keeps whatever characters it was written with; only
// a NUL byte, which no text file holds, marks binary data there.
bool IsBinaryInQuotes(char c) { return c == '\0'; }

// A text between double quotes: a quote inside it doubled, NUL characters
// left out (the reader takes them for binary data).
QString QuotedText(QString text) {
  text.replace(u'"', QStringLiteral("\"\""));
  text.remove(QChar(0));
  return u'"' + text + u'"';
}

}  // namespace

RecordReader::RecordReader(QByteArray content) : data_(std::move(content)) {
  if (data_.startsWith("\xEF\xBB\xBF")) pos_ = 3;
}

std::optional<RecordReader> RecordReader::FromFile(const QString& path) {
  QFile file(path);
  if (!file.open(QIODevice::ReadOnly)) return std::nullopt;
  if (file.size() > kMaxFileBytes) {
    RecordReader reader{QByteArray()};
    reader.Stop(QStringLiteral("file larger than %1 bytes").arg(kMaxFileBytes));
    return reader;
  }
  QByteArray content = file.read(kMaxFileBytes + 1);
  if (file.error() != QFileDevice::NoError) return std::nullopt;
  if (content.size() > kMaxFileBytes) {
    RecordReader reader{QByteArray()};
    reader.Stop(QStringLiteral("file larger than %1 bytes").arg(kMaxFileBytes));
    return reader;
  }
  return RecordReader(std::move(content));
}

bool RecordReader::AtEnd() const { return stopped_ || pos_ >= data_.size(); }

bool RecordReader::Stopped() const { return stopped_; }

QString RecordReader::StopReason() const { return reason_; }

bool RecordReader::Stop(const QString& reason) {
  stopped_ = true;
  reason_ = reason;
  return false;
}

// Consumes one comma or one line end (CR LF, LF or CR) at the current position.
void RecordReader::SkipDelimiter() {
  if (pos_ >= data_.size()) return;
  const char c = data_.at(pos_);
  if (c == ',') {
    ++pos_;
  } else if (c == '\r') {
    ++pos_;
    if (pos_ < data_.size() && data_.at(pos_) == '\n') ++pos_;
  } else if (c == '\n') {
    ++pos_;
  }
}

bool RecordReader::ReadField(QString& out) {
  if (AtEnd()) return false;
  const qsizetype n = data_.size();
  while (pos_ < n && IsBlank(data_.at(pos_))) ++pos_;

  QByteArray bytes;
  if (pos_ < n && data_.at(pos_) == '"') {
    const qsizetype start = pos_ + 1;
    qsizetype end = start;
    // A doubled quote inside the quotes is one quote of the text.
    bool doubledQuotes = false;
    while (end < n && (data_.at(end) != '"' || (end + 1 < n && data_.at(end + 1) == '"'))) {
      if (data_.at(end) == '"') {
        doubledQuotes = true;
        ++end;
      } else if (IsBinaryInQuotes(data_.at(end))) {
        return Stop(QStringLiteral("binary data at byte %1").arg(end));
      }
      if (end - start >= kMaxFieldBytes) return Stop(QStringLiteral("field longer than %1 bytes").arg(kMaxFieldBytes));
      ++end;
    }
    if (end >= n) return Stop(QStringLiteral("unterminated quote at byte %1").arg(pos_));
    bytes = data_.mid(start, end - start);
    if (doubledQuotes) bytes.replace("\"\"", "\"");
    pos_ = end + 1;
    // Whatever follows the closing quote up to the delimiter is not part of the field.
    while (pos_ < n && data_.at(pos_) != ',' && !IsLineEnd(data_.at(pos_))) {
      if (IsBinary(data_.at(pos_))) return Stop(QStringLiteral("binary data at byte %1").arg(pos_));
      if (pos_ - end > kMaxFieldBytes) return Stop(QStringLiteral("field longer than %1 bytes").arg(kMaxFieldBytes));
      ++pos_;
    }
  } else {
    const qsizetype start = pos_;
    qsizetype end = start;
    while (end < n && data_.at(end) != ',' && !IsLineEnd(data_.at(end))) {
      if (IsBinary(data_.at(end))) return Stop(QStringLiteral("binary data at byte %1").arg(end));
      if (end - start >= kMaxFieldBytes) return Stop(QStringLiteral("field longer than %1 bytes").arg(kMaxFieldBytes));
      ++end;
    }
    bytes = data_.mid(start, end - start);
    pos_ = end;
  }
  SkipDelimiter();
  out = DecodeText(bytes, /*keepLeadingBom=*/true);
  return true;
}

QString RecordWriter::FormatField(const QVariant& field) {
  if (!field.isValid()) return QString();
  if (field.isNull()) return QStringLiteral("#NULL#");
  switch (field.typeId()) {
    case QMetaType::Bool:
      return field.toBool() ? QStringLiteral("#TRUE#") : QStringLiteral("#FALSE#");
    case QMetaType::Int:
    case QMetaType::Short:
    case QMetaType::Long:
    case QMetaType::LongLong:
    case QMetaType::SChar:
    case QMetaType::UInt:
    case QMetaType::UShort:
    case QMetaType::ULong:
    case QMetaType::ULongLong:
    case QMetaType::UChar:
    case QMetaType::Double:
    case QMetaType::Float:
      return VbText(field);
    case QMetaType::QDateTime: {
      const QDateTime dt = field.toDateTime();
      if (dt.time() == QTime(0, 0)) return u'#' + dt.date().toString(QStringLiteral("yyyy-MM-dd")) + u'#';
      return u'#' + dt.toString(QStringLiteral("yyyy-MM-dd hh:mm:ss")) + u'#';
    }
    case QMetaType::QDate:
      return u'#' + field.toDate().toString(QStringLiteral("yyyy-MM-dd")) + u'#';
    case QMetaType::QTime:
      return u'#' + field.toTime().toString(QStringLiteral("hh:mm:ss")) + u'#';
    case QMetaType::QByteArray:
      return QuotedText(DecodeText(field.toByteArray(), /*keepLeadingBom=*/true));
    default:
      return QuotedText(field.toString());
  }
}

void RecordWriter::WriteRecord(const QVariantList& fields) {
  for (qsizetype i = 0; i < fields.size(); ++i) {
    if (i > 0) text_ += u',';
    const QString field = FormatField(fields.at(i));
    singleByte_ = singleByte_ && FitsWindows1252(field);
    text_ += field;
  }
  text_ += QStringLiteral("\r\n");
}

QByteArray RecordWriter::Data() const { return singleByte_ ? EncodeWindows1252(text_) : text_.toUtf8(); }

bool RecordWriter::SaveTo(const QString& path, bool append) const {
  if (!append) return WriteWholeFile(path, Data()).isEmpty();
  QFile file(path);
  if (!file.open(QIODevice::WriteOnly | QIODevice::Append)) return false;
  const QByteArray data = Data();
  if (file.write(data) != data.size()) return false;
  return file.flush();
}

}  // namespace qw

#include "platform/vb_text.h"

#include <QDate>
#include <QDateTime>
#include <QTime>
#include <cmath>

namespace qw {

QString TrimBlanks(const QString& text) {
  qsizetype first = 0;
  qsizetype last = text.size();
  while (first < last && text.at(first) == QLatin1Char(' ')) ++first;
  while (last > first && text.at(last - 1) == QLatin1Char(' ')) --last;
  return text.mid(first, last - first);
}

QString VbNumberText(double value) {
  if (std::isnan(value)) return QStringLiteral("NaN");
  if (std::isinf(value)) return value > 0 ? QStringLiteral("Infinity") : QStringLiteral("-Infinity");
  if (value == 0) return QStringLiteral("0");
  const double magnitude = std::fabs(value);
  if (magnitude < 1e15 && magnitude >= 1e-4) {
    if (value == std::trunc(value)) return QString::number(static_cast<qlonglong>(value));
    const QString text = QString::number(value, 'g', 15);
    if (!text.contains(QLatin1Char('e'))) return text;
  }
  // Exponent form: mantissa without trailing zeros, "E+nn" / "E-nn".
  QString text = QString::number(value, 'e', 14);
  const qsizetype e = text.indexOf(QLatin1Char('e'));
  QString mantissa = text.left(e);
  QString exponent = text.mid(e + 1);
  if (mantissa.contains(QLatin1Char('.'))) {
    while (mantissa.endsWith(QLatin1Char('0'))) mantissa.chop(1);
    if (mantissa.endsWith(QLatin1Char('.'))) mantissa.chop(1);
  }
  const QChar sign = exponent.at(0);
  QString digits = exponent.mid(1);
  while (digits.size() > 2 && digits.startsWith(QLatin1Char('0'))) digits.remove(0, 1);
  if (digits.size() < 2) digits.prepend(QLatin1Char('0'));
  return mantissa + QLatin1Char('E') + sign + digits;
}

QString VbFormatCents(double value) {
  if (!std::isfinite(value)) return VbNumberText(value);
  // Fifteen significant digits give back the decimal the value was written
  // as, so that 267.49999999999997 (from 2.675) rounds as 267.5 does.
  const double cents = std::round(QString::number(value * 100.0, 'g', 15).toDouble());
  return QString::number(cents / 100.0 + 0.0, 'f', 2);  // + 0.0: no "-0.00"
}

QString VbText(const QVariant& value) {
  if (!value.isValid() || value.isNull()) return QString();
  switch (value.typeId()) {
    case QMetaType::Bool:
      return value.toBool() ? QStringLiteral("True") : QStringLiteral("False");
    case QMetaType::Int:
    case QMetaType::Short:
    case QMetaType::Long:
    case QMetaType::LongLong:
    case QMetaType::SChar:
      return QString::number(value.toLongLong());
    case QMetaType::UInt:
    case QMetaType::UShort:
    case QMetaType::ULong:
    case QMetaType::ULongLong:
    case QMetaType::UChar:
      return QString::number(value.toULongLong());
    case QMetaType::Double:
      return VbNumberText(value.toDouble());
    case QMetaType::Float: {
      // Single precision carries about seven significant digits.
      const double rounded = QString::number(value.toFloat(), 'g', 7).toDouble();
      return VbNumberText(rounded);
    }
    case QMetaType::QDateTime: {
      const QDateTime dt = value.toDateTime();
      if (dt.time() == QTime(0, 0)) return dt.date().toString(QStringLiteral("yyyy-MM-dd"));
      return dt.toString(QStringLiteral("yyyy-MM-dd hh:mm:ss"));
    }
    case QMetaType::QDate:
      return value.toDate().toString(QStringLiteral("yyyy-MM-dd"));
    case QMetaType::QByteArray:
      return QString::fromUtf8(value.toByteArray());
    default:
      return value.toString();
  }
}

bool VbIsNumeric(const QString& text) {
  const QString s = text.trimmed();
  qsizetype i = 0;
  const qsizetype n = s.size();
  if (i < n && (s[i] == QLatin1Char('+') || s[i] == QLatin1Char('-'))) ++i;
  int digits = 0;
  bool point = false;
  for (; i < n; ++i) {
    const QChar c = s[i];
    if (c.isDigit() && c.unicode() < 128) {
      ++digits;
    } else if (c == QLatin1Char(',') && !point && digits > 0) {
      // thousands separator
    } else if (c == QLatin1Char('.') && !point) {
      point = true;
    } else {
      break;
    }
  }
  if (digits == 0) return false;
  if (i < n && (s[i] == QLatin1Char('e') || s[i] == QLatin1Char('E') || s[i] == QLatin1Char('d') ||
                s[i] == QLatin1Char('D'))) {
    ++i;
    if (i < n && (s[i] == QLatin1Char('+') || s[i] == QLatin1Char('-'))) ++i;
    int expDigits = 0;
    while (i < n && s[i].isDigit() && s[i].unicode() < 128) {
      ++i;
      ++expDigits;
    }
    if (expDigits == 0) return false;
  }
  return i == n;
}

}  // namespace qw

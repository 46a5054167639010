#include "report_values/text_routines.h"

#include <cmath>

namespace qw {

void TrimTrailingSeparator(QString& text, const QString& separator) {
  text = TrimBlanks(text);
  if (!text.isEmpty() && !separator.isEmpty() &&
      text.lastIndexOf(separator) == text.size() - 1) {
    text.chop(1);
  }
  text = TrimBlanks(text);
}

QString RemoveAllChars(QString text, const QString& ch) {
  if (ch.isEmpty()) return text;
  text.remove(ch, Qt::CaseInsensitive);
  return text;
}

namespace {

// The area code written as a whole number without leading zeros and without
// digit grouping; 0 gives "" as the number format does. Text that is not a
// number is kept as it is.
QString AreaPart(const QString& area) {
  bool allDigits = !area.isEmpty();
  for (QChar c : area) {
    if (!c.isDigit() || c.unicode() > 127) {
      allDigits = false;
      break;
    }
  }
  if (allDigits) {
    qsizetype zeros = 0;
    while (zeros < area.size() && area.at(zeros) == QLatin1Char('0')) ++zeros;
    return area.mid(zeros);
  }
  bool ok = false;
  const double value = area.toDouble(&ok);
  if (!ok || !std::isfinite(value) || std::fabs(value) >= 1e15) return area;
  const long long whole = std::llround(value);
  return whole == 0 ? QString() : QString::number(whole);
}

}  // namespace

QString FormatPhoneNumber(const QString& phone, bool dashStyle) {
  QString digits = RemoveAllChars(phone, QStringLiteral("("));
  digits = RemoveAllChars(digits, QStringLiteral(")"));
  digits = RemoveAllChars(digits, QStringLiteral("-"));
  digits = RemoveAllChars(digits, QStringLiteral(" "));
  const qsizetype n = digits.size();
  if (n == 0) return QStringLiteral("-");
  // Cutting three and four characters out of a shorter number would repeat
  // some of its digits; it is shown as it was given instead.
  if (n < 7) return TrimBlanks(phone);
  if (n == 7) return digits.left(3) + QLatin1Char('-') + digits.right(4);
  const QString local = digits.right(7);
  const QString area = AreaPart(digits.left(n - 7));
  const QString localPart = local.left(3) + QLatin1Char('-') + local.right(4);
  if (dashStyle) return area + QLatin1Char('-') + localPart;
  return QLatin1Char('(') + area + QStringLiteral(") ") + localPart;
}

QString FormatLatLong(const QString& coordinate) {
  // Blanks are removed first and the minutes run to the end of the text, so
  // that a value stored with blanks, or with more or fewer decimals, keeps
  // its digits where they belong.
  QString c = coordinate;
  c.remove(QLatin1Char(' '));
  if (c.isEmpty()) return QStringLiteral("None");
  if (c.startsWith(QLatin1Char('-'))) {
    return c.mid(1, 3) + QStringLiteral("&deg;") + c.mid(4) + QLatin1Char('\'');
  }
  return c.left(2) + QStringLiteral("&deg;") + c.mid(2) + QLatin1Char('\'');
}

}  // namespace qw

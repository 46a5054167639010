#include "platform/print_codes.h"

#include <QLocale>

namespace qw {

QStringList ExpandPageCodes(const QString& text, const PageCodeValues& values) {
  QStringList parts{QString()};
  const QDateTime when = values.printed.isValid() ? values.printed : QDateTime::currentDateTime();
  for (qsizetype i = 0; i < text.size(); ++i) {
    const QChar c = text[i];
    if (c != u'&' || i + 1 >= text.size()) {
      parts.last() += c;
      continue;
    }
    const QChar code = text[++i];
    switch (code.unicode()) {
      case u'p': parts.last() += QString::number(values.page); break;
      case u'P': parts.last() += QString::number(values.pages); break;
      case u'w': parts.last() += values.title; break;
      case u'u': parts.last() += values.url; break;
      case u'd': parts.last() += QLocale().toString(when.date(), QLocale::ShortFormat); break;
      case u'D': parts.last() += QLocale().toString(when.date(), QLocale::LongFormat); break;
      case u't': parts.last() += QLocale().toString(when.time(), QLocale::ShortFormat); break;
      case u'T': parts.last() += when.time().toString(QStringLiteral("HH:mm")); break;
      case u'&': parts.last() += u'&'; break;
      case u'b': parts.append(QString()); break;
      default:
        parts.last() += c;
        parts.last() += code;
    }
  }
  return parts;
}

}  // namespace qw

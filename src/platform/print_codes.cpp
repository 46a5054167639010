#include "platform/print_codes.h"

namespace qw {

QStringList ExpandPageCodes(const QString& text, const PageCodeValues& values) {
  QStringList parts{QString()};
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

#include "report/html_text.h"

#include <QUrl>

namespace qw {

QString HtmlText(const QString& text) {
  QString out;
  out.reserve(text.size());
  for (const QChar c : text) {
    if (c == QLatin1Char('&')) out += QLatin1String("&amp;");
    else if (c == QLatin1Char('<')) out += QLatin1String("&lt;");
    else if (c == QLatin1Char('>')) out += QLatin1String("&gt;");
    else out += c;
  }
  return out;
}

QString HtmlAttribute(const QString& text) {
  QString out = HtmlText(text);
  out.replace(QLatin1Char('"'), QLatin1String("&quot;"));
  out.replace(QLatin1Char('\''), QLatin1String("&#39;"));
  return out;
}

QString AcuteApostrophes(const QString& text) {
  QString out = text;
  return out.replace(QLatin1Char('\''), QLatin1String("&acute;"));
}

QString FileUrl(const QString& path) {
  // Apostrophes are encoded too, so that the URL can stand in any quotes.
  return QString::fromLatin1(QUrl::fromLocalFile(path).toEncoded()).replace(QLatin1Char('\''), QLatin1String("%27"));
}

QString ScriptStringText(const QString& text) {
  QString out = text;
  out.replace(QLatin1Char('\\'), QLatin1String("\\\\"));
  out.replace(QLatin1Char('\''), QLatin1String("\\'"));
  out.replace(QLatin1Char('/'), QLatin1String("\\/"));
  return out;
}

}  // namespace qw

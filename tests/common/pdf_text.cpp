#include "common/pdf_text.h"

#include <QProcess>
#include <QRegularExpression>

namespace qw::testing {

QStringList PdfPageTexts(const QString& pdf) {
  QProcess p;
  p.start(QStringLiteral("pdftotext"), {QStringLiteral("-layout"), pdf, QStringLiteral("-")});
  if (!p.waitForFinished(60000) || p.exitCode() != 0) return {};
  // Pages end with a form feed.
  QStringList pages = QString::fromUtf8(p.readAllStandardOutput()).split(u'\f');
  if (!pages.isEmpty() && pages.last().trimmed().isEmpty()) pages.removeLast();
  return pages;
}

QList<double> PdfWordTops(const QString& pdf, const QString& word) {
  QProcess p;
  p.start(QStringLiteral("pdftotext"), {QStringLiteral("-bbox"), pdf, QStringLiteral("-")});
  if (!p.waitForFinished(60000) || p.exitCode() != 0) return {};
  static const QRegularExpression page(QStringLiteral("<page [^>]*height=\"([0-9.]+)\""));
  static const QRegularExpression box(QStringLiteral("<word [^>]*yMin=\"([0-9.]+)\"[^>]*>([^<]*)</word>"));
  QList<double> tops;
  double height = 0;
  for (const QString& line : QString::fromUtf8(p.readAllStandardOutput()).split(u'\n')) {
    if (const QRegularExpressionMatch m = page.match(line); m.hasMatch()) {
      height = m.captured(1).toDouble();
      tops << -1;
    } else if (const QRegularExpressionMatch w = box.match(line);
               w.hasMatch() && !tops.isEmpty() && tops.last() < 0 && height > 0 && w.captured(2) == word) {
      tops.last() = w.captured(1).toDouble() / height;
    }
  }
  return tops;
}

}  // namespace qw::testing

#include "common/pdf_text.h"

#include <QProcess>

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

}  // namespace qw::testing

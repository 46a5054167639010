#pragma once
// The text of a PDF file as pdftotext reads it, one entry per page.
#include <QString>
#include <QStringList>

namespace qw::testing {

QStringList PdfPageTexts(const QString& pdf);

}  // namespace qw::testing

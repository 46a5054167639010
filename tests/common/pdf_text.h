#pragma once
// The text of a PDF file as pdftotext reads it: one entry per page, and
// where a word stands.
#include <QList>
#include <QString>
#include <QStringList>

namespace qw::testing {

QStringList PdfPageTexts(const QString& pdf);

// Where a word first stands on each page, as pdftotext finds it: the top of
// the word as a share of the page's height; -1 on a page without it.
QList<double> PdfWordTops(const QString& pdf, const QString& word);

}  // namespace qw::testing

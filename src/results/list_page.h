#pragma once
// The printable page of the result list: the grid as an HTML table with the
// rating pictures, sized from the grid's column widths and row heights.
#include <QList>
#include <QString>
#include <QStringList>
#include <array>

namespace qw {

// What the page needs of the list window's grids.
struct ListGridSnapshot {
  QList<QStringList> cells;  // rows x columns, row 0 the headings
  QList<int> colWidths;      // twips, one per column
  QList<int> rowHeights;     // twips, one per row
  // The ratings store: bell, boatyard, sunset texts of list row r at index r.
  QList<std::array<QString, 3>> ratings;
};

// The toolbar's Print (up to column 11, mixed divisors) or the window's own
// "&Print Form" button (up to column 8, everything over 1440).
enum class ListPageKind { PrintList, PrintForm };

// The page text. programFolder is where the rating pictures lie; they are
// named by file URL, and the grid's texts are escaped for HTML.
QString ListPageHtml(const ListGridSnapshot& grid, ListPageKind kind, const QString& programFolder);

// A size quotient as plain decimal text, up to 15 significant digits.
QString SizeText(double value);

}  // namespace qw

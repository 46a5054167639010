#include "results/list_page.h"

#include <QUrl>

#include "platform/html_text.h"

namespace qw {
namespace {

// Divisors of the column widths, columns 1 to 11.
double WidthDivisor(ListPageKind kind, int col, bool headerRow) {
  if (kind == ListPageKind::PrintForm) return 1440;
  switch (col) {
    case 1: return 1000;
    case 2: return headerRow ? 1200 : 1000;
    case 3: return 1400;
    case 6: return 1200;
    case 4:
    case 5:
    case 7: return 1440;
    default: return 1350;
  }
}

// The picture number a stored rating names, or 0 when there is no picture of
// it (only 1 to maxRating exist).
int PictureNumber(const QString& stored, int maxRating) {
  bool ok = false;
  const double value = stored.trimmed().toDouble(&ok);
  if (!ok || value != int(value) || value < 1 || value > maxRating) return 0;
  return int(value);
}

}  // namespace

QString SizeText(double value) {
  QString text = QString::number(value, 'g', 15);
  if (text.contains(u'e')) text = QString::number(value, 'f', 15);
  if (text.contains(u'.')) {
    while (text.endsWith(u'0')) text.chop(1);
    if (text.endsWith(u'.')) text.chop(1);
  }
  return text;
}

QString ListPageHtml(const ListGridSnapshot& grid, ListPageKind kind, const QString& programFolder) {
  QString page = QStringLiteral(
      "<HTML><HEAD><STYLE>"
      ".ValueFont{font-family:MS Sans Serif;font-size:8pt;font-weight:normal;color:Black;line-height:9pt;margin:0;}"
      ".TitleFont{font-family:MS Sans Serif;font-size:8pt;font-weight:bold;color:Black;line-height:9pt;margin:0;}"
      "</STYLE></HEAD><BODY>"
      "<TABLE cellpadding=1 cellspacing=1 border=1 style='table-layout:fixed'>");
  const int cols = grid.colWidths.size();
  const int lastCol = kind == ListPageKind::PrintList ? 11 : 8;
  auto width = [&](int col, bool headerRow) {
    return SizeText(grid.colWidths.value(col) / WidthDivisor(kind, col, headerRow));
  };
  auto text = [&](int row, int col) { return HtmlAttribute(grid.cells.value(row).value(col)); };

  for (int i = 0; i < grid.cells.size(); ++i) {
    const bool header = i == 0;
    const std::array<QString, 3> ratings =
        i < grid.ratings.size() ? grid.ratings[i] : std::array<QString, 3>{"0", "0", "0"};
    const QString height = SizeText(grid.rowHeights.value(i) / 1440.0);
    auto picture = [&](const QString& name) {
      const QUrl file = QUrl::fromLocalFile(programFolder + QStringLiteral("/") + name + QStringLiteral(".jpg"));
      return QStringLiteral("<IMG SRC='") + HtmlAttribute(file.toString(QUrl::FullyEncoded)) +
             QStringLiteral("' style='height:") + height + QStringLiteral("in' Border=0></TD>");
    };

    page += header ? QStringLiteral("<TR><span class=TitleFont><TD style='width:")
                   : QStringLiteral("<TR><span class=ValueFont><TD style='width:");
    page += width(1, header) + QStringLiteral("in'>");
    if (header) {
      page += QStringLiteral("<NOBR>&nbsp;") + text(0, 1) + QStringLiteral("</TD>");
    } else if (const int bell = PictureNumber(ratings[0], 5)) {
      page += picture(QStringLiteral("cbell") + QString::number(bell));
    } else {
      page += QStringLiteral("&nbsp;</TD>");
    }

    for (int col = 2; col <= 3; ++col) {
      if (col >= cols) break;
      page += QStringLiteral("<TD style='width:") + width(col, header) + QStringLiteral("in'>");
      if (header) {
        page += QStringLiteral("<NOBR>&nbsp;") + text(0, col) + QStringLiteral("</TD>");
        continue;
      }
      QString name;
      if (col == 2) {
        if (const int boat = PictureNumber(ratings[1], 2)) name = QStringLiteral("cboat") + QString::number(boat);
      } else if (PictureNumber(ratings[2], 1)) {
        name = QStringLiteral("csunset");
      }
      page += name.isEmpty() ? QStringLiteral("&nbsp;</TD>") : picture(name);
    }

    for (int col = 4; col <= lastCol && col < cols; ++col) {
      page += QStringLiteral("<TD style='width:") + width(col, header) +
              QStringLiteral("in'><NOBR>&nbsp;") + text(i, col) + QStringLiteral("</TD>");
    }
    page += QStringLiteral("</span></TR>");
  }
  page += QStringLiteral("</TABLE></BODY></HTML>");
  return page;
}

}  // namespace qw

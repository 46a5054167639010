#include "report/additional_photos.h"

#include <QFileInfo>

#include "platform/html_text.h"
#include "report/report_photos.h"
#include "report/report_texts.h"

namespace qw {

QString AdditionalPhotoPrefix(int geoCode, int marinaNo) { return QStringLiteral("%1-%2-").arg(geoCode).arg(marinaNo); }

QStringList AdditionalPhotoNames(const QString& folder, const QString& prefix) {
  const FolderListing files = ListFolder(folder);
  const QString lowerPrefix = prefix.toLower();
  // The highest number among the names "<geo>-<no>-<n>" (any extension), in
  // listing order, kept as the name writes it: "4+" and "04" stay so.
  int highest = 0;
  QString highestText;
  for (auto it = files.constBegin(); it != files.constEnd(); ++it) {
    const QString& lower = it.key();
    if (lower.contains(QLatin1Char('@')) || lower.size() < 4) continue;
    const QStringList parts = lower.left(lower.size() - 4).split(QLatin1Char('-'));
    if (parts.size() != 3 || parts.at(0) + QLatin1Char('-') + parts.at(1) + QLatin1Char('-') != lowerPrefix) continue;
    int n = 0;
    bool plus = false;
    if (!ReadPhotoNumber(parts.at(2), &n, &plus) || n <= highest) continue;
    highest = n;
    highestText = it.value().mid(prefix.size(), parts.at(2).size());
  }
  // From the highest down to 1: the plain photo of a number, else its "+"
  // photo; the first step takes the highest as its name carries it.
  QStringList names;
  for (int n = highest; n >= 1 && names.size() < 8; --n) {
    const QString number = n == highest ? highestText : QString::number(n);
    for (const QString& suffix : {QStringLiteral(".jpg"), QStringLiteral("+.jpg")}) {
      // A photo that cannot be shown counts as missing.
      const QString name = files.value((prefix + number + suffix).toLower());
      if (!name.isEmpty() && PhotoReadable(folder + QLatin1Char('/') + name)) {
        names << name;
        break;
      }
    }
  }
  return names;
}

namespace {

struct Place {
  const char* left;
  const char* top;
};
constexpr Place kPlaces[] = {{"0.375in", "0.375in"}, {"4.2in", "0.375in"}, {"0.375in", "3.0in"},
                             {"4.2in", "3.0in"},     {"0.375in", "5.625in"}, {"4.2in", "5.625in"},
                             {"0.375in", "8.250in"}, {"4.2in", "8.250in"}};

}  // namespace

QString ComposeAdditionalPhotosPage(const AdditionalPhotosInput& in) {
  QString page = QStringLiteral("<html><BODY oncontextmenu='return false'></BODY><div><STYLE>") + kReportStyleClasses +
                 QStringLiteral("</STYLE>");
  for (int k = 0; k < in.photoFiles.size() && k < 8; ++k) {
    page += QStringLiteral(
                "<TABLE Border=0 cellspacing=0 cellpadding=0 style='position:absolute;table-layout:fixed;left:%1;top:%2;"
                "width:3.625in;height:2.375in;'><TR><TD>")
                .arg(QLatin1String(kPlaces[k].left), QLatin1String(kPlaces[k].top));
    page += PhotoLinkHtml(in.photoFiles.at(k));
    page += QStringLiteral("</a><NOBR></TD></TR></TABLE>");
  }
  page += QStringLiteral(
              "<TABLE Border=0 cellspacing=0 cellpadding=0 style='position:absolute;table-layout:fixed;width:7.95in;"
              "height:0.3in;top:10.75in;left:0.375in'>"
              "<TABLE Border=0 cellspacing=0 cellpadding=0 style='position:absolute;table-layout:fixed;width:7.6in;"
              "height:0.3in;top:10.7in;left:0in'>"
              "<TD align=Left valign=bottom><NOBR><span class=Rights>&nbsp;&nbsp;") +
          kReportRightsLine + QStringLiteral("</span></TD><TD align=Center valign=top><NOBR><span class=footer>") +
          HtmlText(in.marinaName) + QStringLiteral("</span></TD><TD align=right valign=top><span class=footer>&nbsp;&nbsp;") +
          HtmlText(in.harbor) + QStringLiteral("</span></TD></table></div></body></html>");
  return page;
}

}  // namespace qw

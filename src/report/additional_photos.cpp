#include "report/additional_photos.h"

#include <QFileInfo>
#include <map>

#include "report/html_text.h"
#include "report/report_photos.h"
#include "report/report_texts.h"

namespace qw {

QString AdditionalPhotoPrefix(int geoCode, int marinaNo) { return QStringLiteral("%1-%2-").arg(geoCode).arg(marinaNo); }

QStringList AdditionalPhotoNames(const QString& folder, const QString& prefix) {
  // Per number, the plain photo and the "+" photo found.
  std::map<int, std::pair<QString, QString>, std::greater<>> byNumber;
  const FolderListing files = ListFolder(folder);
  const QString lowerPrefix = prefix.toLower();
  for (auto it = files.constBegin(); it != files.constEnd(); ++it) {
    const QString& lower = it.key();
    if (lower.contains(QLatin1Char('@')) || !lower.startsWith(lowerPrefix) || !lower.endsWith(QLatin1String(".jpg")))
      continue;
    int n = 0;
    bool plus = false;
    if (!ReadPhotoNumber(lower.mid(prefix.size(), lower.size() - prefix.size() - 4), &n, &plus) || n < 1) continue;
    QString& slot = plus ? byNumber[n].second : byNumber[n].first;
    if (slot.isEmpty()) slot = it.value();
  }
  QStringList names;
  for (const auto& [n, found] : byNumber) {
    if (names.size() == 8) break;
    names << (found.first.isEmpty() ? found.second : found.first);
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
    page += PhotoLinkHtml(in.photoFiles.at(k), in.screen);
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

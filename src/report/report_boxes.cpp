#include "report/report_boxes.h"

#include <QRegularExpression>

#include "platform/html_text.h"
#include "report/report_photos.h"
#include "report_values/make_value_string.h"
#include "report_values/text_routines.h"

namespace qw {
namespace {

// A line of a box: the literal text with each "{key}" replaced by the item's
// value from rs (n/a when empty).
QString Line(const Recordset& rs, const QString& pattern) {
  QString out;
  qsizetype from = 0;
  for (;;) {
    const qsizetype open = pattern.indexOf(QLatin1Char('{'), from);
    if (open < 0) break;
    const qsizetype close = pattern.indexOf(QLatin1Char('}'), open);
    out += pattern.mid(from, open - from);
    out += MakeValueString(rs, pattern.mid(open + 1, close - open - 1), false, true);
    from = close + 1;
  }
  return out + pattern.mid(from);
}

}  // namespace

QString InformationBoxHtml(const Recordset& nav, const Recordset& facilities, const Recordset& operations) {
  QString box = QStringLiteral(
      "<TABLE Border=0 cellspacing=0 cellpadding=0 style='position:absolute;table-layout:fixed;"
      "left:0.25in;top:0.5in;width:3.54in;height:3.1in;'>"
      "<TR valign=top><TD valign=top><span class=para_hdr>Navigational Information</span>");
  box += Line(nav, QStringLiteral(
      "<BR><NOBR><span class=TitleFont>Lat: </Span><span class=ValueFont>{Lat}</Span>"
      "<span class=TitleFont>&nbsp;&nbsp;Long: </Span><span class=ValueFont>{Long}</Span>"
      "<span class=TitleFont>&nbsp;&nbsp;Tide: </Span><span class=ValueFont>{Tide}</Span>"
      "<span class=TitleFont>&nbsp;&nbsp;Current: </Span><span class=ValueFont>{Current}</Span>"
      "<span class=TitleFont>&nbsp;Chart: </Span><span class=ValueFont>{Chart}</Span></NOBR>"
      "<BR><NOBR><span class=TitleFont>Rep. Depths (<I>MLW</I>): Entry&nbsp;</Span><span class=ValueFont>{Rep. Depths}</Span>"
      "<span class=TitleFont>  Fuel Dock: </Span><span class=ValueFont>{Fuel Dock}</Span>"
      "<span class=TitleFont>  Max Slip/Moor: </Span><span class=ValueFont>{Max Slip/Moor}</Span></NOBR>"
      "<BR><NOBR><span class=TitleFont>Access: </Span><span class=ValueFont>{Access}</Span></NOBR>"));
  box += QStringLiteral(
      "<span class=LineFont1><BR><BR></span><span class=para_hdr>Marina Facilities </span>"
      "<span class=ValueFont><I>(In Season/Off Season)</I></span>");
  box += Line(facilities, QStringLiteral(
      "<BR><NOBR><span class=TitleFont>Fuel: </Span><span class=ValueFont>{Fuel}</Span></NOBR>"
      "<BR><NOBR><span class=TitleFont>Slips: </Span><span class=ValueFont>{Slips}</Span>"
      "<span class=TitleFont>&nbsp;&nbsp;Max LOA: </Span><span class=ValueFont>{Max LOA}</Span>"
      "<span class=TitleFont>&nbsp;&nbsp;Max Beam: </Span><span class=ValueFont>{Max Beam}</Span></NOBR>"
      "<BR><NOBR><span class=TitleFont>&nbsp;&nbsp;Rate </Span><span class=ValueFont><I>(per ft.)</I>: {Rate}</Span></NOBR>"
      "<BR><NOBR><span class=TitleFont>&nbsp;&nbsp;Power: </Span><span class=ValueFont>{Power}</Span></NOBR>"
      "<BR><NOBR><span class=TitleFont>&nbsp;&nbsp;Cable TV: </Span><span class=ValueFont>{TV}</Span>"
      "<span class=TitleFont>&nbsp;&nbsp;Dockside Phone: </Span><span class=ValueFont>{Phone}</Span></NOBR>"
      "<BR><NOBR><span class=TitleFont>&nbsp;&nbsp;Dock Type: </Span><span class=ValueFont>{Dock Type}</NOBR></Span>"
      "<BR><NOBR><span class=TitleFont>Moorings: </Span><span class=ValueFont>{Moorings}&nbsp;</Span>"
      "<span class=TitleFont> Launch: </Span><span class=ValueFont>{Launch}</Span></NOBR>"
      "<BR><NOBR><span class=TitleFont>&nbsp;&nbsp;Rate: </Span><span class=ValueFont>{Moorings Rate}</Span></NOBR>"
      "<BR><NOBR><span class=TitleFont>Heads: </Span><span class=ValueFont>{Heads}</Span></NOBR>"
      "<BR><NOBR><span class=TitleFont>Laundry: </Span><span class=ValueFont>{Laundry}</Span>"
      "<span class=TitleFont>&nbsp;&nbsp;Pay Phones: </Span><span class=ValueFont>{Pay Phones}</Span></NOBR>"));
  box += Line(operations, QStringLiteral(
      "<BR><NOBR><span class=TitleFont>Pump-Out: </Span><span class=ValueFont>{Pump-Out}</Span>"
      "<span class=TitleFont>&nbsp;&nbsp;Fee: </Span><span class=ValueFont>{Fee}</Span>"
      "<span class=TitleFont>&nbsp;&nbsp;Closed Heads: </Span><span class=ValueFont>{Closed Heads}</Span></NOBR>"
      "<span class=LineFont1><BR><BR></span><span class=para_hdr>Marina Operations</span><BR>"
      "<NOBR><span class=TitleFont>Owner/Manager: </Span><span class=ValueFont>{Manager/Director}</Span>"
      "<span class=TitleFont>&nbsp;&nbsp;Dockmaster: </Span><span class=ValueFont>{Dock Master}</Span></NOBR>"
      "<BR><NOBR><span class=TitleFont>In-Season: </Span><span class=ValueFont>{In-Season}</Span>"
      "<span class=TitleFont>&nbsp;&nbsp;Off-Season: </Span><span class=ValueFont>{Off-Season}</Span></NOBR>"
      "<BR><NOBR><span class=TitleFont>After-Hours Arrival: </Span><span class=ValueFont>{After-Hours Arrival}</Span></NOBR>"
      "<BR><NOBR><span class=TitleFont>Reservations: </Span><span class=ValueFont>{Reservations}</Span>"
      "<span class=TitleFont>&nbsp;&nbsp;Credit Cards: </Span><span class=ValueFont>{Credit Cards}</Span></NOBR>"
      "<BR><NOBR>{Discounts}</NOBR>"
      "<BR><NOBR><span class=TitleFont>Pets: </Span><span class=ValueFont>{Pets}</Span></NOBR>"));
  box += Line(facilities, QStringLiteral(
      "<span class=TitleFont>&nbsp;&nbsp;Handicap Access: </Span><span class=ValueFont>{Handicap Access}</Span></NOBR>"));
  box += QStringLiteral("</TD></TR></TABLE></DIV></TABLE>");
  return box;
}

QString HeadingName(const QString& marinaName, const QString& shortName) {
  const QString trimmed = TrimBlanks(shortName);
  return trimmed.isEmpty() ? marinaName.left(30) : trimmed;
}

QString PhotoBoxHtml(const QString& photoFile, const QString& headingName) {
  QString box = QStringLiteral(
      "<TABLE Border=0 cellspacing=0 cellpadding=0 style='position:absolute;table-layout:fixed;"
      "left:4in;top:0.4in;width:3.625in;height:2.375in;'><TR><TD>");
  // Without a photo its place stays empty and the heading keeps its line.
  box += photoFile.isEmpty() ? QStringLiteral("<div style='width:3.625in;height:2.375in'></div>")
                             : PhotoLinkHtml(photoFile) + QStringLiteral("</A>");
  box += QStringLiteral(
             "<NOBR><span><div style='font-family:Goudy Old Style;color:#0B1F4A;font-size:18pt;"
             "font-weight:bold;margin-top:0.07in;margin-left:0in;margin-bottom:0px'>") +
         HtmlText(headingName) + QStringLiteral("</div></span></TD></TR></TABLE>");
  return box;
}

QString WebLinkTarget(const QString& address) {
  const QString target = LinkAddress(address);
  for (const char* web : {"http://", "https://"})
    if (target.startsWith(QLatin1String(web), Qt::CaseInsensitive)) return target;
  // A scheme of its own ("javascript:", "file:"), unless what follows the
  // colon is a port ("example.com:8080").
  static const QRegularExpression scheme(QStringLiteral("^[A-Za-z][A-Za-z0-9+.-]*:(?![0-9])"));
  return scheme.match(target).hasMatch() ? QString() : QStringLiteral("http://") + target;
}

QString ContactBoxHtml(const Recordset& contact) {
  const auto value = [&](const char* key) { return MakeValueString(contact, QLatin1String(key), false, true); };
  QString box = QStringLiteral(
                    "<TABLE Border=0 cellspacing=0 cellpadding=0 style='position:absolute;table-layout:fixed;"
                    "left:4in;top:3.16in;width:3.5in;height:1.05in;'><TD>"
                    "<TR valign=top><TD valign=top><NOBR><span class=AddressFont>") +
                MakeValueString(contact, QStringLiteral("PO Box"), false, false) + QStringLiteral("</span></NOBR>");
  // The values are HTML text: only their quotes are left to escape in a link.
  QString web = value("Web");
  TrimTrailingSeparator(web, QStringLiteral("."));
  const QString target = web != QLatin1String("n/a") ? WebLinkTarget(web) : QString();
  QString webLine = QStringLiteral("<span class=TitleFont>&nbsp;&nbsp;&nbsp;Web: </Span><span class=ValueFont>");
  if (web == QLatin1String("n/a")) {
    webLine += QStringLiteral("n/a</Span></NOBR>");
  } else if (target.isEmpty()) {
    webLine += value("Web") + QStringLiteral("</Span></NOBR>");
  } else {
    webLine += QStringLiteral("<A Target=_blank HREF=\"") + QuotedAttribute(target) + QStringLiteral("\">") +
               value("Web") + QStringLiteral("</A></Span></NOBR>");
  }
  QString email = value("Email");
  if (email != QLatin1String("n/a"))
    email = QStringLiteral("<A HREF=\"mailto:") + QuotedAttribute(email) + QStringLiteral("\">") + email + QStringLiteral("</A>");
  box += QStringLiteral(
             "<span class=LineFont><BR><BR></span><span class=TitleFont><NOBR>Tel: </Span><span class=ValueFont>") +
         value("ContactPhone") +
         QStringLiteral("</Span><span class=TitleFont>&nbsp;&nbsp;VHF: </Span><span class=ValueFont>") + value("VHF") +
         QStringLiteral("</Span></NOBR><BR><span class=TitleFont>Fax: </Span><span class=ValueFont>") +
         value("ContactFax") +
         QStringLiteral("</Span><BR><NOBR><span class=TitleFont>Email: </Span><span class=ValueFont>") + email +
         QStringLiteral("</Span>") + webLine +
         QStringLiteral("<BR><span class=TitleFont>Nearest Town: </Span><span class=ValueFont>") + value("Nearest Town") +
         QStringLiteral("<span class=TitleFont>&nbsp;&nbsp;&nbsp;Tourist Info: </Span><span class=ValueFont>") +
         value("TouristInfo") + QStringLiteral("</TABLE></TR>");
  return box;
}

}  // namespace qw

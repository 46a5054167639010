#include "report/report_page.h"

#include <QFileInfo>

#include "platform/html_text.h"
#include "platform/vb_text.h"
#include "report/additional_photos.h"
#include "report/report_boxes.h"
#include "report/report_photos.h"
#include "report/report_texts.h"
#include "report_values/text_routines.h"

namespace qw {
namespace {

const QString kTableStart = QStringLiteral("<TABLE Border=0 cellspacing=0 cellpadding=0 style='position:absolute;");

QString Head() {
  return kReportHtmlOpening + QStringLiteral("<HEAD><style>v\\:* {behavior:url(#default#VML);}</style><STYLE>") +
         kReportStyleClasses + QStringLiteral("</STYLE><BODY oncontextmenu='return false'></BODY>");
}

// A strip's or the tab's line of text: it runs down the strip, centred along
// it and across it.
QString VerticalText(const QString& text, double lengthIn, const char* style) {
  return QStringLiteral(
             "<div style='writing-mode:vertical-rl;height:%1in;width:0.3125in;line-height:0.3125in;"
             "text-align:center;white-space:nowrap;overflow:hidden;%2'>&nbsp;&nbsp;")
             .arg(lengthIn)
             .arg(QLatin1String(style)) +
         text + QStringLiteral("&nbsp;&nbsp;</div>");
}

const char* const kNameStyle = "font-family:Goudy Old Style;font-size:16pt;font-weight:bold;color:white";
const char* const kTitleStyle = "font-family:Goudy Old Style;font-size:10.67pt;color:white";
const char* const kRegionStyle =
    "letter-spacing:1.4pt;font-family:Arial Narrow;font-size:11pt;color:white;"
    "text-transform:uppercase;-webkit-text-stroke:0.006in #D9DDE4";

QString IconCell(const QString& file, bool spaced) {
  return QStringLiteral("<TD valign=top align = right><IMG SRC='") + HtmlAttribute(FileUrl(file)) +
         (spaced ? QStringLiteral("' style='height:0.236in' Border=0>&nbsp;&nbsp;</TD>")
                 : QStringLiteral("' style='height:0.236in' Border=0></TD>"));
}

QString Ornaments(const QString& programFolder) {
  const auto src = [&](const char* name) { return HtmlAttribute(FileUrl(programFolder + QLatin1Char('/') + QLatin1String(name))); };
  const QString bpin = src("bpin.gif"), gray = src("bpingray.gif"), light = src("bpinlight3.gif"), corner = src("corner.gif");
  const QString line = QStringLiteral("<img src='%1' style='position:absolute;width:%2;top:%3;left:%4;height:%5' hspace=0 vspace=0 Border=0>");
  const QString cornerImg = QStringLiteral("<img src='%1' style='position:absolute;top:%2;left:7.59in;width:0.034in;height:0.068in' Border=0>");
  return line.arg(bpin, QStringLiteral("0.007in"), QStringLiteral("0in"), QStringLiteral("7.625in"), QStringLiteral("10.49in")) +
         line.arg(gray, QStringLiteral("8in"), QStringLiteral("0.4in"), QStringLiteral("0.25in"), QStringLiteral("0.007in")) +
         line.arg(gray, QStringLiteral("8.25in"), QStringLiteral("10.24in"), QStringLiteral("0in"), QStringLiteral("0.014in")) +
         line.arg(light, QStringLiteral("7.625in"), QStringLiteral("8.10in"), QStringLiteral("0in"), QStringLiteral("0.006in")) +
         line.arg(gray, QStringLiteral("7.375in"), QStringLiteral("4.05in"), QStringLiteral("0.25in"), QStringLiteral("0.007in")) +
         cornerImg.arg(corner, QStringLiteral("0in")) + cornerImg.arg(corner, QStringLiteral("10.422in"));
}

bool Positive(const QVariant& v) { return !v.isNull() && v.toDouble() > 0; }

// Every apostrophe as "&acute;", the mark the side strips print for it.
QString AcuteApostrophes(const QString& text) {
  QString out = text;
  return out.replace(QLatin1Char('\''), QLatin1String("&acute;"));
}

}  // namespace

RatingIcons FindRatingIcons(const QString& programFolder, const QVariant& bellRating, const QVariant& boatyardRating,
                            const QVariant& sunset) {
  const auto existing = [&](const QString& name) {
    const QString path = programFolder + QLatin1Char('/') + name;
    return QFileInfo(path).isFile() ? path : QString();
  };
  RatingIcons icons;
  if (Positive(bellRating)) icons.bell = existing(QStringLiteral("cbell%1.jpg").arg(qRound(bellRating.toDouble())));
  if (Positive(boatyardRating))
    icons.boatyard = existing(QStringLiteral("cboat%1.jpg").arg(qRound(boatyardRating.toDouble())));
  if (!sunset.isNull() && sunset.toBool()) icons.sunset = existing(QStringLiteral("csunset.jpg"));
  return icons;
}

QString ReportMarinaName(const ReportPageInput& in) {
  return in.rows.fullName.isNull() ? in.marinaName : in.rows.fullName.toString();
}

QString GuideTitle(const QString& edition) {
  return QStringLiteral("VYK's Digital Guide to ") + edition + QStringLiteral(" Marinas ");
}

QString ComposeReportPage(const ReportPageInput& in) {
  const ReportRows& r = in.rows;
  const QString name = ReportMarinaName(in);
  QString page = Head();
  if (Positive(r.statuteMile)) {
    page += kTableStart + QStringLiteral("width:0.6in;height:0.3in;top:0.01in;table-layout:fixed;left:7.655in'>") +
            QStringLiteral("<TR><TD align=center><span class=ICW>ICW SM</span><TR><TD align=center valign=top></span>"
                           "<span class=ICWNumber>") +
            HtmlText(VbText(r.statuteMile)) + QStringLiteral("</span></TABLE>");
  }
  // The side strips: the marina's name above, the guide's title below.
  const QString title = GuideTitle(in.edition);
  page += kTableStart + QStringLiteral("width:0.3125in;height:5in;top:0.4in;table-layout:fixed;left:7.625in'>") +
          QStringLiteral("<TD style='height:3in' bgcolor=#0B1F4A valign=top>") +
          VerticalText(AcuteApostrophes(HtmlText(name)), 5, kNameStyle) + QStringLiteral("</TABLE>");
  page += kTableStart + QStringLiteral("width:0.3125in;height:4.85in;top:5.39in;table-layout:fixed;left:7.625in'>") +
          QStringLiteral("<TD style='height:3in' bgcolor=#0B1F4A valign=top>") +
          VerticalText(AcuteApostrophes(HtmlText(title)), 4.85, kTitleStyle) + QStringLiteral("</TABLE>");
  page += kTableStart + QStringLiteral("table-layout:fixed;width:7.6in;height:0.2in;top:10.3in;left:0in'>") +
          QStringLiteral("<TD align=left valign=bottom><span class=Rights>&nbsp;&nbsp;") + kReportRightsLine +
          QStringLiteral("</span></TD><TD align=right valign=top><span class=footer>&nbsp;&nbsp;") + HtmlText(r.harbor) +
          QStringLiteral("&nbsp;&nbsp;</span></TD></TABLE>");
  page += kTableStart + QStringLiteral("width:0.3125in;height:3.53in;top:0.4in;table-layout:fixed;left:7.938in'>") +
          QStringLiteral("<TD style='height:3.53in' bgcolor=#858FA4 valign=top>") +
          VerticalText(HtmlText(r.regionName), 3.53, kRegionStyle) + QStringLiteral("</TABLE>");
  page += kTableStart + QStringLiteral("width:7.4in;height:0.36in;top:0.04in;table-layout:fixed;left:0in'>") +
          QStringLiteral("<TR><TD><TABLE Border=0 cellspacing=0 cellpadding=0 align=right>");
  if (!in.icons.bell.isEmpty()) page += IconCell(in.icons.bell, true);
  if (!in.icons.boatyard.isEmpty()) page += IconCell(in.icons.boatyard, true);
  if (!in.icons.sunset.isEmpty()) page += IconCell(in.icons.sunset, false);
  page += QStringLiteral("</TABLE></TABLE>");
  page += kTableStart + QStringLiteral("width:7.65in;height:11in;table-layout:fixed;left:0in'>");
  page += InformationBoxHtml(r.nav, r.facilities, r.operations);
  page += PhotoBoxHtml(in.photoFile, HeadingName(name, r.shortName.toString()));
  page += ContactBoxHtml(r.contact);
  page += in.middleAndBottom;
  page += Ornaments(in.programFolder);
  page += QStringLiteral("</TABLE>");
  page += QStringLiteral("</BODY></HTML>");
  page.replace(QStringLiteral("&nbsp;&nbsp;&nbsp;"), QStringLiteral("&nbsp;&nbsp; "));
  return page;
}

ReportPages ComposeReportPages(Database& db, const ReportRequest& request) {
  ReportPageInput in;
  in.marinaName = request.marinaName;
  in.edition = request.edition;
  in.rows = ReadReportRows(db, request.marinaNo);
  in.icons = FindRatingIcons(request.programFolder, in.rows.bellRating, in.rows.boatyardRating, in.rows.sunset);
  in.photoFile = MainPhotoFile(request.photosFolder, request.programFolder, in.rows.geoCode, request.marinaNo);
  in.programFolder = request.programFolder;
  ReportPages pages;
  in.middleAndBottom = AppendMiddleAndBottomSections(db, request.marinaNo, request.hidden, pages.sections);

  pages.marinaName = ReportMarinaName(in);
  pages.geoCode = in.rows.geoCode;
  pages.inDatabase = in.rows.inDatabase;
  pages.harbor = TrimBlanks(in.rows.harbor);
  pages.reportHtml = ComposeReportPage(in);

  AdditionalPhotosInput photos;
  const QString folder = UserPhotoFolder(request.photosFolder, in.rows.geoCode, request.marinaNo);
  for (const QString& file : AdditionalPhotoNames(folder, AdditionalPhotoPrefix(in.rows.geoCode, request.marinaNo)))
    photos.photoFiles << folder + QLatin1Char('/') + file;
  photos.marinaName = pages.marinaName;
  photos.harbor = pages.harbor;
  pages.photosHtml = ComposeAdditionalPhotosPage(photos);
  return pages;
}

}  // namespace qw

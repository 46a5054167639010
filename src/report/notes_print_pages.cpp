#include "report/notes_print_pages.h"

#include <QFile>

#include "data/marina_db.h"
#include "platform/html_text.h"
#include "platform/program.h"
#include "platform/temp_pages.h"
#include "report/report_texts.h"

namespace qw {
namespace {

// The style classes of the notes pages. The page appended to a report gives
// them the prefix "n", which keeps them apart from the report's own classes
// of the same names.
enum class PageClass { Footer, Rights, TitleFont, ValueFont };

QString ClassRule(PageClass kind, const QString& prefix) {
  struct Rule {
    const char* name;
    const char* body;
  };
  static constexpr Rule kRules[] = {
      {"footer",
       "{font-family:Arial Narrow;letter-spacing:0.2em;text-transform:uppercase;font-size:9pt;"
       "font-weight:normal;color:#808080;}"},
      {"Rights", "{font-family:Arial Narrow;font-size:8pt;font-weight:normal;color:Black;}"},
      {"TitleFont", "{font-family:Arial Narrow;font-size:9pt;font-weight:bold;color:Black;line-height:10pt;margin:0;}"},
      {"ValueFont", "{font-family:Arial Narrow;font-size:8pt;font-weight:normal;color:Black;line-height:9pt;margin:0;}"},
  };
  const Rule& rule = kRules[static_cast<int>(kind)];
  return QLatin1Char('.') + prefix + QLatin1String(rule.name) + QLatin1String(rule.body);
}

// The opening html element, the VML style and the footer, title and rights
// classes: how both frame parts begin.
QString FrameHead(const QString& prefix) {
  return kReportHtmlOpening + QStringLiteral("<HEAD><style>v\\:* {behavior:url(#default#VML);}</style>") +
         QStringLiteral("<STYLE>") + ClassRule(PageClass::Footer, prefix) + ClassRule(PageClass::Rights, prefix) +
         ClassRule(PageClass::TitleFont, prefix) + QStringLiteral("</STYLE>");
}

QString NotesFramePart(const NotesPageTitle& title) {
  return FrameHead(QString()) +
         QStringLiteral("<TABLE Border=0 cellspacing=0 cellpadding=0 style='position:absolute;table-layout:fixed;"
                        "width:7.4in;height:0.2in;top:8in;left:") +
         QStringLiteral("0in") + QStringLiteral("'>") +
         QStringLiteral("<TD align=left valign=bottom><span class=Rights>&nbsp;&nbsp;") + kReportRightsLine +
         QStringLiteral("</span></TD> &nbsp;&nbsp;&nbsp;&nbsp;<TD align=right valign=top><span class=footer>") +
         HtmlAsciiText(title.harbor) + QStringLiteral("&nbsp;&nbsp;</span></TD>") + QStringLiteral("</TABLE>") +
         QStringLiteral("<TABLE Border=0 cellspacing=0 cellpadding=0 style='position:absolute;table-layout:fixed;"
                        "top:0.2in;left:0in'>") +
         QStringLiteral("<TD align=right valign=top><span class=TitleFont>") + HtmlAsciiText(title.marinaName) +
         QStringLiteral("&nbsp;&nbsp;</span></TD></TABLE>");
}

QString NotesPart(const QString& notes) {
  return QStringLiteral("<HTML><HEAD><STYLE>") + ClassRule(PageClass::ValueFont, QString()) +
         QStringLiteral("</STYLE></HEAD><BODY>") +
         QStringLiteral("<TABLE cellpadding=1 cellspacing=1 border=0 style='position:absolute;top:0.5in;"
                        "table-layout:fixed'>") +
         QStringLiteral("<TR><span class=ValueFont>") + QStringLiteral("<TD style='width:5in'>") +
         NotesPageText(notes) + QStringLiteral("</TD>") + QStringLiteral("</span></TR>") +
         QStringLiteral("</TABLE></BODY></HTML>");
}

const QString kN = QStringLiteral("n");

QString AppendedFramePart(const NotesPageTitle& title) {
  // The footer stands as far down the notes page as the report's own footer
  // on the page before (see kNotesPageStart). A table that starts on the
  // first page and reaches down into the second is printed on the first by
  // the browser engine, over the report's footer.
  return FrameHead(kN) +
         QStringLiteral("<TABLE Border=0 cellspacing=0 cellpadding=0 style='position:absolute;table-layout:fixed;"
                        "width:7.4in;height:0.2in;top:10.3in;left:") +
         QStringLiteral("0in") + QStringLiteral("'>") +
         QStringLiteral("<TR><TD align=left valign=bottom><span class=nRights>&nbsp;&nbsp;") + kReportRightsLine +
         QStringLiteral("</span></TD> &nbsp;&nbsp;&nbsp;&nbsp;<TD align=right valign=bottom><span class=nfooter>") +
         HtmlAsciiText(title.harbor) + QStringLiteral("&nbsp;&nbsp;</span></TD>") + QStringLiteral("</TR></TABLE>");
}

QString AppendedNotesPart(const NotesPageTitle& title, const QString& notes) {
  return QStringLiteral("<HTML><HEAD><STYLE>") + ClassRule(PageClass::ValueFont, kN) +
         QStringLiteral("</STYLE></HEAD><BODY>") +
         QStringLiteral("<TABLE cellpadding=0 cellspacing=0 border=0 style='table-layout:fixed;height:1in'>") +
         QStringLiteral("<TR><TD align=right style='height:0.5in'><span class=nTitleFont>") +
         HtmlAsciiText(title.marinaName) + QStringLiteral("&nbsp;&nbsp;</span></TD></TR>") +
         QStringLiteral("<TR><span class=nValueFont>") + QStringLiteral("<TD>") + NotesPageText(notes) +
         QStringLiteral("</TD>") + QStringLiteral("</span></TR></TABLE>") + QStringLiteral("</BODY></HTML>");
}

// The notes start on a new printed page. The break sits on a block: the
// browser engine breaks pages at blocks only, never at a line break.
const QString kPageBreak =
    QStringLiteral("<STYLE> DIV.page { page-break-after: always }</STYLE>") + QStringLiteral("<DIV CLASS=page></DIV>");
// The notes page is placed from the top of its own printed page, as the
// report is from the top of the first. The engine shrinks both pages alike to
// the paper's width, so the height of a printed page in the page's inches
// depends on the paper and its margins: placed from the top of the whole
// text, the footer would stand anywhere on the second page, or on a third.
const QString kNotesPageStart = QStringLiteral("<DIV style='position:relative'>");
const QString kNotesPageEnd = QStringLiteral("</DIV>");

// The viewer's print pages; whatever is left goes when the program ends.
TempPages& PrintPages() {
  static TempPages* pages = new TempPages;
  return *pages;
}

QString TextOf(const Recordset& rs, const QString& name) {
  const Field field = rs.Fields(name);
  return field.HasValue() ? field.Value().toString() : QString();
}

}  // namespace

QString NameAndHarbourQuery(int marinaNo) {
  return QStringLiteral(
             "Select rpm_marinaname_no.[Marina Name],rpm_nav_info.[Harbor] from rpm_nav_info,rpm_marinaname_no "
             "where rpm_marinaname_no.[MarinaNo]=rpm_nav_info.[MarinaNo] and rpm_nav_info.[MarinaNo] = ") +
         QString::number(marinaNo);
}

NotesPageTitle ReadNotesPageTitle(Database& db, int marinaNo) {
  NotesPageTitle title;
  RecordsetPtr rs = db.OpenRecordset(NameAndHarbourQuery(marinaNo));
  if (rs->RecordCount() > 0) {
    rs->MoveFirst();
    title.marinaName = TextOf(*rs, QStringLiteral("Marina Name"));
    title.harbor = TextOf(*rs, QStringLiteral("Harbor"));
    rs->Close();
    return title;
  }
  rs->Close();
  // No harbour row: the page is still headed with the marina's name.
  rs = db.OpenRecordset(QStringLiteral("Select [Marina Name] from rpm_marinaname_no where [MarinaNo] = ") +
                        QString::number(marinaNo));
  if (rs->RecordCount() > 0) title.marinaName = TextOf(*rs, QStringLiteral("Marina Name"));
  rs->Close();
  return title;
}

NotesPageTitle NotesPageTitleOf(int marinaNo) {
  try {
    DatabasePtr db = OpenMarinaDatabase(-1, true);
    NotesPageTitle title = ReadNotesPageTitle(*db, marinaNo);
    db->Close();
    return title;
  } catch (const std::exception&) {
    return {};
  }
}

QString NotesPageText(const QString& notes) {
  QString lines = notes;
  lines.replace(QStringLiteral("\r\n"), QStringLiteral("\n"));
  lines.replace(QLatin1Char('\r'), QLatin1Char('\n'));
  return HtmlAsciiText(lines).replace(QLatin1Char('\n'), QStringLiteral("<BR>"));
}

QString PersonalNotesPage(const NotesPageTitle& title, const QString& notes) {
  return NotesPart(notes) + NotesFramePart(title);
}

QStringList ReportAndNotesLines(const QString& reportPageHtml, const NotesPageTitle& title, const QString& notes) {
  if (notes.isEmpty()) return {reportPageHtml, QString()};
  return {reportPageHtml + kPageBreak,
          kNotesPageStart + AppendedNotesPart(title, notes) + AppendedFramePart(title) + kNotesPageEnd};
}

QString WritePrintPage(const QStringList& lines) {
  QString path;
  return PrintPages().Write(lines.join(QStringLiteral("\r\n")), &path) ? path : QString();
}

void DeletePrintPages() { PrintPages().RemoveAll(); }

QString WritePersonalNotesPage(int marinaNo, const QString& notes) {
  return WritePrintPage({PersonalNotesPage(NotesPageTitleOf(marinaNo), notes)});
}

QString WriteReportAndNotesPage(const QString& reportPageHtml, int marinaNo, const QString& notes) {
  const NotesPageTitle title = notes.isEmpty() ? NotesPageTitle{} : NotesPageTitleOf(marinaNo);
  return WritePrintPage(ReportAndNotesLines(reportPageHtml, title, notes));
}

}  // namespace qw

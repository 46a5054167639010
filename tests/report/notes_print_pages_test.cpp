// The notes print pages as text, their title over a copy of the demo
// database, and the files they are written to.
#include <QFile>
#include <gtest/gtest.h>

#include "common/testing.h"
#include "data/marina_db.h"
#include "report/notes_print_pages.h"
#include "report/report_texts.h"

namespace qw {
namespace {

const QString kHead =
    "<html xmlns:v='urn:schemas-microsoft-com:vml' xmlns='http://www.w3.org/TR/REC-html40'>"
    "<HEAD><style>v\\:* {behavior:url(#default#VML);}</style><STYLE>";
const QString kRights = "Copyright &copy; VYK Publishing Company. All rights reserved.";

TEST(NotesPrintPages, PersonalNotesPageAsWritten) {
  const QString page = PersonalNotesPage({"Hasketh's Wharf", "Sakonnet River"}, "Fuel dock closes at 5.");
  const QString expected =
      "<HTML><HEAD><STYLE>.ValueFont{font-family:Arial Narrow;font-size:8pt;font-weight:normal;color:Black;"
      "line-height:9pt;margin:0;}</STYLE></HEAD><BODY>"
      "<TABLE cellpadding=1 cellspacing=1 border=0 style='position:absolute;top:0.5in;table-layout:fixed'>"
      "<TR><span class=ValueFont><TD style='width:5in'>Fuel dock closes at 5.</TD></span></TR>"
      "</TABLE></BODY></HTML>" +
      kHead +
      ".footer{font-family:Arial Narrow;letter-spacing:0.2em;text-transform:uppercase;font-size:9pt;"
      "font-weight:normal;color:#808080;}"
      ".Rights{font-family:Arial Narrow;font-size:8pt;font-weight:normal;color:Black;}"
      ".TitleFont{font-family:Arial Narrow;font-size:9pt;font-weight:bold;color:Black;line-height:10pt;margin:0;}"
      "</STYLE>"
      "<TABLE Border=0 cellspacing=0 cellpadding=0 style='position:absolute;table-layout:fixed;width:7.4in;"
      "height:0.2in;top:8in;left:0in'><TD align=left valign=bottom><span class=Rights>&nbsp;&nbsp;" +
      kRights +
      "</span></TD> &nbsp;&nbsp;&nbsp;&nbsp;<TD align=right valign=top><span class=footer>Sakonnet River"
      "&nbsp;&nbsp;</span></TD></TABLE>"
      "<TABLE Border=0 cellspacing=0 cellpadding=0 style='position:absolute;table-layout:fixed;top:0.2in;"
      "left:0in'><TD align=right valign=top><span class=TitleFont>Hasketh's Wharf&nbsp;&nbsp;</span></TD></TABLE>";
  EXPECT_EQ(page, expected);
  EXPECT_EQ(kReportRightsLine, kRights);

  // Empty notes still print the title and footer frame, with an empty cell.
  EXPECT_TRUE(PersonalNotesPage({"Hasketh's Wharf", "Sakonnet River"}, "")
                  .contains("<TD style='width:5in'></TD>"));
  EXPECT_TRUE(PersonalNotesPage({}, "").contains("<span class=TitleFont>&nbsp;&nbsp;</span>"));
}

TEST(NotesPrintPages, ReportAndNotesLinesAsWritten) {
  const QString report = "<html><body>report</body></html>";
  EXPECT_EQ(ReportAndNotesLines(report, {"Name", "Harbor"}, ""), QStringList({report, ""}));

  const QStringList lines = ReportAndNotesLines(report, {"Hasketh's Wharf", "Sakonnet River"}, "Call ahead.");
  ASSERT_EQ(lines.size(), 2);
  EXPECT_EQ(lines[0], report + "<STYLE> DIV.page { page-break-after: always }</STYLE><DIV CLASS=page></DIV>");
  const QString expected =
      "<DIV style='position:relative'>"
      "<HTML><HEAD><STYLE>.nValueFont{font-family:Arial Narrow;font-size:8pt;font-weight:normal;color:Black;"
      "line-height:9pt;margin:0;}</STYLE></HEAD><BODY>"
      "<TABLE cellpadding=0 cellspacing=0 border=0 style='table-layout:fixed;height:1in'>"
      "<TR><TD align=right style='height:0.5in'><span class=nTitleFont>Hasketh's Wharf&nbsp;&nbsp;</span></TD></TR>"
      "<TR><span class=nValueFont><TD>Call ahead.</TD></span></TR></TABLE></BODY></HTML>" +
      kHead +
      ".nfooter{font-family:Arial Narrow;letter-spacing:0.2em;text-transform:uppercase;font-size:9pt;"
      "font-weight:normal;color:#808080;}"
      ".nRights{font-family:Arial Narrow;font-size:8pt;font-weight:normal;color:Black;}"
      ".nTitleFont{font-family:Arial Narrow;font-size:9pt;font-weight:bold;color:Black;line-height:10pt;margin:0;}"
      "</STYLE>"
      "<TABLE Border=0 cellspacing=0 cellpadding=0 style='position:absolute;table-layout:fixed;width:7.4in;"
      "height:0.2in;top:10.3in;left:0in'><TR><TD align=left valign=bottom><span class=nRights>&nbsp;&nbsp;" +
      kRights +
      "</span></TD> &nbsp;&nbsp;&nbsp;&nbsp;<TD align=right valign=bottom><span class=nfooter>Sakonnet River"
      "&nbsp;&nbsp;</span></TD></TR></TABLE></DIV>";
  EXPECT_EQ(lines[1], expected);
}

TEST(NotesPrintPages, NotesAreEscapedWithTheirLineBreaks) {
  struct Case {
    QString notes;
    QString printed;
  };
  const Case cases[] = {
      {"", ""},
      {"a < b & c > d", "a &lt; b &amp; c &gt; d"},
      {"<script>alert(\"x\")</script>", "&lt;script&gt;alert(&quot;x&quot;)&lt;/script&gt;"},
      {"&nbsp;", "&amp;nbsp;"},
      {"one\r\ntwo\nthree\rfour\r\n", "one<BR>two<BR>three<BR>four<BR>"},
      {"\n\n", "<BR><BR>"},
      {QString::fromUtf8("Caf\u00e9 \u2013 \U0001F6A4"), "Caf&#233; &#8211; &#128676;"},
  };
  for (const Case& c : cases) EXPECT_EQ(NotesPageText(c.notes), c.printed) << c.notes.toStdString();
  EXPECT_TRUE(PersonalNotesPage({}, "a<b\nc").contains("<TD style='width:5in'>a&lt;b<BR>c</TD>"));
  EXPECT_TRUE(ReportAndNotesLines("r", {}, "a<b\nc").last().contains("<TD>a&lt;b<BR>c</TD>"));
  // Name and harbour are texts too, but keep no line breaks of their own.
  const QString page = PersonalNotesPage({"Smith & Sons <Marina>", "Bay\nSide"}, "");
  EXPECT_TRUE(page.contains("<span class=TitleFont>Smith &amp; Sons &lt;Marina&gt;&nbsp;&nbsp;"));
  EXPECT_TRUE(page.contains("<span class=footer>Bay\nSide&nbsp;&nbsp;"));
}

TEST(NotesPrintPages, TitleOfTheMarinaFromTheDatabase) {
  EXPECT_EQ(NameAndHarbourQuery(2608),
            "Select rpm_marinaname_no.[Marina Name],rpm_nav_info.[Harbor] from rpm_nav_info,rpm_marinaname_no "
            "where rpm_marinaname_no.[MarinaNo]=rpm_nav_info.[MarinaNo] and rpm_nav_info.[MarinaNo] = 2608");
  testing::TempProgramFolder folder;
  // The harbour follows the demo marina's town.
  const QString harbor =
      OpenMarinaDatabase()->OpenRecordset("SELECT Harbor FROM rpm_nav_info WHERE MarinaNo = 2608")->Fields(0).Value().toString();
  ASSERT_FALSE(harbor.isEmpty());
  NotesPageTitle title = NotesPageTitleOf(2608);
  EXPECT_EQ(title.marinaName, "Hasketh's Wharf");
  EXPECT_EQ(title.harbor, harbor);

  // Without its rpm_nav_info row the marina is still named; an unknown
  // marina, or no database, gives an empty title.
  OpenMarinaDatabase(-1, false)->Execute("DELETE FROM rpm_nav_info WHERE MarinaNo = 2608");
  title = NotesPageTitleOf(2608);
  EXPECT_EQ(title.marinaName, "Hasketh's Wharf");
  EXPECT_EQ(title.harbor, "");
  EXPECT_EQ(NotesPageTitleOf(99999).marinaName, "");
  QFile::remove(folder.DatabasePath());
  EXPECT_EQ(NotesPageTitleOf(20).marinaName, "");
}

QByteArray FileBytes(const QString& path) {
  QFile file(path);
  return file.open(QIODevice::ReadOnly) ? file.readAll() : QByteArray();
}

TEST(NotesPrintPages, PageFilesWrittenAsLinesAndDeleted) {
  testing::TempProgramFolder folder;
  const QString report = "<html>report</html>";
  const QString both = WriteReportAndNotesPage(report, 20, "");
  EXPECT_EQ(FileBytes(both), "<html>report</html>\r\n\r\n");

  const QString withNotes = WriteReportAndNotesPage(report, 20, "a\nb");
  const QStringList lines = ReportAndNotesLines(report, NotesPageTitleOf(20), "a\nb");
  EXPECT_EQ(FileBytes(withNotes), (lines[0] + "\r\n" + lines[1] + "\r\n").toUtf8());
  EXPECT_TRUE(lines[1].contains("Petrakis's Boatyard") && lines[1].contains("<TD>a<BR>b</TD>"));

  const QString notes = WritePersonalNotesPage(20, "x");
  EXPECT_EQ(FileBytes(notes), (PersonalNotesPage(NotesPageTitleOf(20), "x") + "\r\n").toUtf8());
  EXPECT_TRUE(notes.endsWith(".htm"));

  DeletePrintPages();
  for (const QString& path : {both, withNotes, notes}) EXPECT_FALSE(QFile::exists(path)) << path.toStdString();
}

}  // namespace
}  // namespace qw

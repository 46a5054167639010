#include <gtest/gtest.h>

#include "results/list_page.h"

namespace {

using qw::ListGridSnapshot;
using qw::ListPageKind;

const QString kHead =
    "<HTML><HEAD><STYLE>"
    ".ValueFont{font-family:MS Sans Serif;font-size:8pt;font-weight:normal;color:Black;line-height:9pt;margin:0;}"
    ".TitleFont{font-family:MS Sans Serif;font-size:8pt;font-weight:bold;color:Black;line-height:9pt;margin:0;}"
    "</STYLE></HEAD><BODY><TABLE cellpadding=1 cellspacing=1 border=1 style='table-layout:fixed'>";
const QString kTail = "</TABLE></BODY></HTML>";

ListGridSnapshot SmallGrid() {
  ListGridSnapshot g;
  g.cells = {{"", "Bell Rating", "Boatyard", "Sunset", "Marina Name", "City", "State", "Harbor"},
             {"12", "", "", "", "Kelp & <Cove>", "Mystic", "CT", "Mystic River"},
             {"13", "", "", "", "Tern Landing", "Stonington", "CT", ""}};
  g.colWidths = {0, 1500, 1200, 1400, 2400, 1500, 500, 2400};
  g.rowHeights = {300, 300, 300};
  g.ratings = {{"", "", ""}, {"3", "2", "1"}, {"7", "0", "0"}};
  return g;
}

TEST(ListPage, SizesAsPlainDecimalText) {
  const std::pair<double, const char*> sizes[] = {
      {2160.0 / 1440, "1.5"}, {500.0 / 1000, "0.5"}, {2400.0 / 1440, "1.66666666666667"},
      {300.0 / 1440, "0.208333333333333"}, {1200.0 / 1200, "1"}, {0, "0"}, {15.0 / 1440, "0.0104166666666667"}};
  for (const auto& [size, text] : sizes) EXPECT_EQ(qw::SizeText(size).toStdString(), text);
}

TEST(ListPage, ToolbarPrintPageOfASmallGrid) {
  const QString h = "0.208333333333333";
  const QString expected =
      kHead +
      "<TR><span class=TitleFont><TD style='width:1.5in'><NOBR>&nbsp;Bell Rating</TD>"
      "<TD style='width:1in'><NOBR>&nbsp;Boatyard</TD>"
      "<TD style='width:1in'><NOBR>&nbsp;Sunset</TD>"
      "<TD style='width:1.66666666666667in'><NOBR>&nbsp;Marina Name</TD>"
      "<TD style='width:1.04166666666667in'><NOBR>&nbsp;City</TD>"
      "<TD style='width:0.416666666666667in'><NOBR>&nbsp;State</TD>"
      "<TD style='width:1.66666666666667in'><NOBR>&nbsp;Harbor</TD></span></TR>"
      "<TR><span class=ValueFont><TD style='width:1.5in'><IMG SRC='file:///pf/cbell3.jpg' style='height:" + h +
      "in' Border=0></TD>"
      "<TD style='width:1.2in'><IMG SRC='file:///pf/cboat2.jpg' style='height:" + h + "in' Border=0></TD>"
      "<TD style='width:1in'><IMG SRC='file:///pf/csunset.jpg' style='height:" + h + "in' Border=0></TD>"
      "<TD style='width:1.66666666666667in'><NOBR>&nbsp;Kelp &amp; &lt;Cove&gt;</TD>"
      "<TD style='width:1.04166666666667in'><NOBR>&nbsp;Mystic</TD>"
      "<TD style='width:0.416666666666667in'><NOBR>&nbsp;CT</TD>"
      "<TD style='width:1.66666666666667in'><NOBR>&nbsp;Mystic River</TD></span></TR>"
      // A bell rating of 7 has no picture; no boatyard, no sunset.
      "<TR><span class=ValueFont><TD style='width:1.5in'>&nbsp;</TD>"
      "<TD style='width:1.2in'>&nbsp;</TD>"
      "<TD style='width:1in'>&nbsp;</TD>"
      "<TD style='width:1.66666666666667in'><NOBR>&nbsp;Tern Landing</TD>"
      "<TD style='width:1.04166666666667in'><NOBR>&nbsp;Stonington</TD>"
      "<TD style='width:0.416666666666667in'><NOBR>&nbsp;CT</TD>"
      "<TD style='width:1.66666666666667in'><NOBR>&nbsp;</TD></span></TR>" +
      kTail;
  EXPECT_EQ(qw::ListPageHtml(SmallGrid(), ListPageKind::PrintList, "/pf"), expected);
}

TEST(ListPage, OptionalColumnsOnEachPath) {
  ListGridSnapshot g = SmallGrid();
  const QStringList extra = {"Total # of Slips", "Moorings", "Dockage Fee", "Max. LOA"};
  g.cells[0] << extra;
  g.cells[1] << QStringList{"120", "45", "$2.50", "150"};
  g.cells[2] << QStringList{"", "", "", ""};
  g.colWidths << 1350 << 2700 << 1350 << 1350;

  const QString list = qw::ListPageHtml(g, ListPageKind::PrintList, "/pf");
  EXPECT_EQ(list.count("<TD"), 3 * 11);
  EXPECT_TRUE(list.contains("<TD style='width:1in'><NOBR>&nbsp;120</TD><TD style='width:2in'><NOBR>&nbsp;45</TD>"
                            "<TD style='width:1in'><NOBR>&nbsp;$2.50</TD><TD style='width:1in'><NOBR>&nbsp;150</TD>"
                            "</span></TR>"));

  // "&Print Form": every width over 1440, columns up to 8 only.
  const QString form = qw::ListPageHtml(g, ListPageKind::PrintForm, "/pf");
  EXPECT_EQ(form.count("<TD"), 3 * 8);
  EXPECT_TRUE(form.startsWith(kHead + "<TR><span class=TitleFont><TD style='width:1.04166666666667in'>"
                                      "<NOBR>&nbsp;Bell Rating</TD><TD style='width:0.833333333333333in'>"));
  EXPECT_TRUE(form.contains("<NOBR>&nbsp;120</TD></span></TR>"));
  EXPECT_FALSE(form.contains("&nbsp;45<"));
  EXPECT_TRUE(form.contains("<IMG SRC='file:///pf/cbell3.jpg'"));
}

TEST(ListPage, DatabaseTextsAndPictureFoldersCannotBreakThePage) {
  ListGridSnapshot g = SmallGrid();
  g.cells[0][4] = "Name \"quoted\"";
  g.cells[1][5] = "Bob's <b>Harbor</b> & Co";
  const QString page = qw::ListPageHtml(g, ListPageKind::PrintList, "/opt/Skipper's Guide #2/100%");
  EXPECT_TRUE(page.contains("<NOBR>&nbsp;Name &quot;quoted&quot;</TD>"));
  EXPECT_TRUE(page.contains("<NOBR>&nbsp;Bob&#39;s &lt;b&gt;Harbor&lt;/b&gt; &amp; Co</TD>"));
  EXPECT_TRUE(page.contains("<IMG SRC='file:///opt/Skipper&#39;s%20Guide%20%232/100%25/cbell3.jpg' style="));
  EXPECT_FALSE(page.contains("<b>"));
}

TEST(ListPage, EmptyListAndMissingRatingsStore) {
  ListGridSnapshot g = SmallGrid();
  g.cells.resize(1);
  g.rowHeights.resize(1);
  const QString page = qw::ListPageHtml(g, ListPageKind::PrintList, "/pf");
  EXPECT_EQ(page.count("<TR>"), 1);
  EXPECT_TRUE(page.endsWith("<NOBR>&nbsp;Harbor</TD></span></TR>" + kTail));

  // Rows the store does not cover print without pictures.
  g = SmallGrid();
  g.ratings.resize(1);
  EXPECT_FALSE(qw::ListPageHtml(g, ListPageKind::PrintList, "/pf").contains("<IMG"));
  // A rating that is not a whole number in range names no picture.
  g = SmallGrid();
  g.ratings[1] = {"2.5", "x", "-1"};
  EXPECT_FALSE(qw::ListPageHtml(g, ListPageKind::PrintList, "/pf").contains("<IMG"));
}

}  // namespace

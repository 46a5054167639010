// The report page composed from rows held in memory, compared as text.
#include <gtest/gtest.h>

#include <QDir>
#include <QFile>
#include <QTemporaryDir>

#include "report/report_boxes.h"
#include "report/report_page.h"

namespace {

using qw::ReportPageInput;
using qw::RowRecordset;

// A marina with every box filled.
ReportPageInput FullMarina() {
  ReportPageInput in;
  in.marinaName = "Caller's Name";
  in.edition = "New England";
  in.rows.fullName = "Harbor Light Marina";
  in.rows.shortName = "Harbor Light";
  in.rows.statuteMile = 12.5;
  in.rows.harbor = " Camden Harbor ";
  in.rows.geoCode = 6;
  in.rows.regionName = "ME - MIDCOAST";
  in.rows.nav.Set("Latitude", "4412.600").Set("Longitude", "-06903.800").Set("Tidal Range", "9.6 ft.")
      .Set("Navigational Directions from ICW", "Enter between the cans");
  in.rows.facilities.Set("Fuel?", true).Set("Gasoline?", true).Set("Total # Slips", 120);
  in.rows.operations.Set("Marina Manager/Director", "Ann Lee");
  in.rows.contact.Set("Street", "1 Wharf St").Set("City", "Camden").Set("State", "ME").Set("Zip", "04843")
      .Set("Phone", "2075550134").Set("E-mail", "info@hl.example.com").Set("Website", "www.hl.example.com.");
  in.icons = {"/p/cbell4.jpg", "/p/cboat2.jpg", "/p/csunset.jpg"};
  in.photoFile = "/ph/6/123/6-123-@2.jpg";
  in.programFolder = "/p";
  in.middleAndBottom = "<MIDDLE>";
  return in;
}

// Each fragment occurs in the page, in this order.
void ExpectInOrder(const QString& page, const QStringList& fragments) {
  qsizetype from = 0;
  for (const QString& f : fragments) {
    const qsizetype at = page.indexOf(f, from);
    ASSERT_GE(at, 0) << "missing or out of order: " << f.toStdString();
    from = at + f.size();
  }
}

TEST(ReportPage, MarinaWithEveryBoxFilled) {
  const QString page = qw::ComposeReportPage(FullMarina());
  ExpectInOrder(page, {
      "<html xmlns:v='urn:schemas-microsoft-com:vml' xmlns='http://www.w3.org/TR/REC-html40'>"
      "<HEAD><style>v\\:* {behavior:url(#default#VML);}</style><STYLE>.para_hdr{font-family:Arial Narrow;font-size:11pt;",
      "</STYLE><BODY oncontextmenu='return false'></BODY>",
      "<TABLE Border=0 cellspacing=0 cellpadding=0 style='position:absolute;width:0.6in;height:0.3in;top:0.01in;"
      "table-layout:fixed;left:7.655in'><TR><TD align=center><span class=ICW>ICW SM</span><TR><TD align=center "
      "valign=top></span><span class=ICWNumber>12.5</span></TABLE>",
      "height:5in;top:0.4in;table-layout:fixed;left:7.625in'><TD style='height:3in' bgcolor=#0B1F4A valign=top>"
      "<div style='writing-mode:vertical-rl;height:5in;",
      "font-size:16pt;font-weight:bold;color:white'>&nbsp;&nbsp;Harbor Light Marina&nbsp;&nbsp;</div></TABLE>",
      "top:5.39in;", "&nbsp;&nbsp;VYK&acute;s Digital Guide to New England Marinas &nbsp;&nbsp;</div></TABLE>",
      "top:10.3in;left:0in'><TD align=left valign=bottom><span class=Rights>&nbsp;&nbsp;Copyright &copy;",
      "</span></TD><TD align=right valign=top><span class=footer>&nbsp;&nbsp; Camden Harbor &nbsp;&nbsp;</span></TD></TABLE>",
      "<TD style='height:3.53in' bgcolor=#858FA4 valign=top><div style='writing-mode:vertical-rl;height:3.53in;",
      "&nbsp;&nbsp;ME - MIDCOAST&nbsp;&nbsp;</div></TABLE>",
      "<TR><TD><TABLE Border=0 cellspacing=0 cellpadding=0 align=right>"
      "<TD valign=top align = right><IMG SRC='file:///p/cbell4.jpg' style='height:0.236in' Border=0>&nbsp;&nbsp;</TD>"
      "<TD valign=top align = right><IMG SRC='file:///p/cboat2.jpg' style='height:0.236in' Border=0>&nbsp;&nbsp;</TD>"
      "<TD valign=top align = right><IMG SRC='file:///p/csunset.jpg' style='height:0.236in' Border=0></TD>"
      "</TABLE></TABLE>",
      "style='position:absolute;width:7.65in;height:11in;table-layout:fixed;left:0in'>",
      "left:0.25in;top:0.5in;width:3.54in;height:3.1in;'><TR valign=top><TD valign=top>"
      "<span class=para_hdr>Navigational Information</span><BR><NOBR><span class=TitleFont>Lat: </Span>"
      "<span class=ValueFont>44&deg;12.600'</Span>",
      "<span class=TitleFont>Access: </Span><span class=ValueFont>Enter between the cans</Span></NOBR>",
      "<span class=TitleFont>Fuel: </Span><span class=ValueFont>Gasoline</Span></NOBR>",
      "<span class=TitleFont>Owner/Manager: </Span><span class=ValueFont>Ann Lee</Span>",
      "</TD></TR></TABLE></DIV></TABLE>",
      "left:4in;top:0.4in;width:3.625in;height:2.375in;'><TR><TD><A style='cursor:hand' "
      "HREF='file:///ph/6/123/6-123-@2.jpg'><IMG SRC='file:///ph/6/123/6-123-@2.jpg' style='width:3.625in;"
      "height:2.375in' ALIGN=center Border=0 vspace=0 hspace=0></A>",
      "font-weight:bold;margin-top:0.07in;margin-left:0in;margin-bottom:0px'>Harbor Light</div></span></TD></TR></TABLE>",
      "left:4in;top:3.16in;width:3.5in;height:1.05in;'><TD><TR valign=top><TD valign=top><NOBR>"
      "<span class=AddressFont>1 Wharf St;  Camden,  ME&nbsp;&nbsp;04843</span></NOBR>",
      "<span class=TitleFont><NOBR>Tel: </Span><span class=ValueFont>(207) 555-0134</Span>",
      "<span class=TitleFont>Email: </Span><span class=ValueFont><A HREF=\"mailto:info@hl.example.com\">"
      "info@hl.example.com</A></Span><span class=TitleFont>&nbsp;&nbsp; Web: </Span><span class=ValueFont>"
      "<A Target=_blank HREF=\"http://www.hl.example.com\">www.hl.example.com.</A></Span></NOBR>",
      "</TABLE></TR><MIDDLE><img src='file:///p/bpin.gif' style='position:absolute;width:0.007in;top:0in;"
      "left:7.625in;height:10.49in' hspace=0 vspace=0 Border=0>",
      "<img src='file:///p/corner.gif' style='position:absolute;top:10.422in;left:7.59in;width:0.034in;height:0.068in' "
      "Border=0></TABLE></BODY></HTML>"});
  EXPECT_FALSE(page.contains("&nbsp;&nbsp;&nbsp;"));
}

TEST(ReportPage, MarinaWithMostItemsMissing) {
  ReportPageInput in;
  in.marinaName = "Known Name";
  in.edition = "New England";
  in.programFolder = "/p";
  const QString page = qw::ComposeReportPage(in);
  ExpectInOrder(page, {
      "&nbsp;&nbsp;Known Name&nbsp;&nbsp;</div>",
      "<span class=footer>&nbsp;&nbsp; &nbsp;</span>",
      "bgcolor=#858FA4 valign=top><div style=", ">&nbsp;&nbsp; &nbsp;</div>",
      "<TABLE Border=0 cellspacing=0 cellpadding=0 align=right></TABLE></TABLE>",
      "<span class=TitleFont>Lat: </Span><span class=ValueFont>n/a</Span>",
      "<span class=TitleFont>Fuel: </Span><span class=ValueFont>No</Span>",
      "<span class=TitleFont>Pets: </Span><span class=ValueFont>No</Span>",
      "<TR><TD><div style='width:3.625in;height:2.375in'></div><NOBR>",
      "margin-bottom:0px'>Known Name</div>",
      "<span class=AddressFont></span>",
      "<span class=TitleFont>Email: </Span><span class=ValueFont>n/a</Span>",
      "&nbsp;&nbsp; Web: </Span><span class=ValueFont>n/a</Span></NOBR>"});
  EXPECT_FALSE(page.contains("ICW SM"));
  EXPECT_FALSE(page.contains("<IMG SRC"));
  EXPECT_FALSE(page.contains("<A "));
}

TEST(ReportPage, StatuteMileBoxOnlyForAPositiveValue) {
  const struct {
    QVariant mile;
    const char* shown;
  } cases[] = {{QVariant(), nullptr}, {0, nullptr}, {-3, nullptr}, {12.5, "12.5"}, {30, "30"}, {0.25, "0.25"}};
  for (const auto& c : cases) {
    ReportPageInput in = FullMarina();
    in.rows.statuteMile = c.mile;
    const QString page = qw::ComposeReportPage(in);
    if (c.shown == nullptr) {
      EXPECT_FALSE(page.contains("ICW SM")) << c.mile.toString().toStdString();
    } else {
      EXPECT_TRUE(page.contains(QStringLiteral("<span class=ICWNumber>%1</span></TABLE>").arg(c.shown)));
    }
  }
}

TEST(ReportPage, ApostrophesAndAmpersandsInTexts) {
  ReportPageInput in = FullMarina();
  in.rows.fullName = "Sailor's Rest & Skipper's <Wharf>";
  in.rows.shortName = "Sailor's Rest & Skipper's";
  in.rows.harbor = "Lowell's Cove & Pier";
  in.rows.regionName = "ME - PORTLAND & SOUTHERN COAST";
  in.edition = "Captain's";
  const QString page = qw::ComposeReportPage(in);
  ExpectInOrder(page, {
      ">&nbsp;&nbsp;Sailor&acute;s Rest &amp; Skipper&acute;s &lt;Wharf&gt;&nbsp;&nbsp;</div>",
      ">&nbsp;&nbsp;VYK&acute;s Digital Guide to Captain&acute;s Marinas &nbsp;&nbsp;</div>",
      "<span class=footer>&nbsp;&nbsp;Lowell's Cove &amp; Pier&nbsp;&nbsp;</span>",
      ">&nbsp;&nbsp;ME - PORTLAND &amp; SOUTHERN COAST&nbsp;&nbsp;</div>",
      "margin-bottom:0px'>Sailor's Rest &amp; Skipper's</div>"});
  // Without a short name the heading is the first 30 characters of the name.
  in.rows.shortName = "   ";
  in.rows.fullName = "Tollander Brothers Marine Railway & Storage";
  EXPECT_TRUE(qw::ComposeReportPage(in).contains("margin-bottom:0px'>Tollander Brothers Marine Rail</div>"));
  // A Null name leaves the caller's.
  in.rows.fullName = QVariant();
  EXPECT_TRUE(qw::ComposeReportPage(in).contains("&nbsp;&nbsp;Caller&acute;s Name&nbsp;&nbsp;</div>"));
}

TEST(ReportPage, ThreeSpaceSeparatorsOfEveryText) {
  ReportPageInput in = FullMarina();
  in.middleAndBottom = "<M>a&nbsp;&nbsp;&nbsp;b&nbsp;&nbsp;&nbsp;&nbsp;c</M>";
  EXPECT_TRUE(qw::ComposeReportPage(in).contains("<M>a&nbsp;&nbsp; b&nbsp;&nbsp; &nbsp;c</M>"));
}

TEST(ReportPage, RatingIconsByRatingAndFile) {
  QTemporaryDir dir;
  for (const char* name : {"cbell1.jpg", "cbell4.jpg", "cboat2.jpg", "csunset.jpg"}) {
    QFile f(dir.filePath(name));
    ASSERT_TRUE(f.open(QIODevice::WriteOnly));
  }
  const QString p = dir.path() + "/";
  const struct {
    QVariant bell, boat, sunset;
    qw::RatingIcons expected;
  } cases[] = {
      {4, 2, true, {p + "cbell4.jpg", p + "cboat2.jpg", p + "csunset.jpg"}},
      {1, 0, false, {p + "cbell1.jpg", "", ""}},
      {QVariant(), QVariant(), QVariant(), {"", "", ""}},
      {3, 1, true, {"", "", p + "csunset.jpg"}},  // cbell3.jpg and cboat1.jpg are missing
      {4.0, -1, 0, {p + "cbell4.jpg", "", ""}},
  };
  for (const auto& c : cases) {
    const qw::RatingIcons icons = qw::FindRatingIcons(dir.path(), c.bell, c.boat, c.sunset);
    EXPECT_EQ(icons.bell, c.expected.bell);
    EXPECT_EQ(icons.boatyard, c.expected.boatyard);
    EXPECT_EQ(icons.sunset, c.expected.sunset);
  }
  // A missing icon drops its cell; the others keep their order.
  ReportPageInput in = FullMarina();
  in.icons = {"/p/cbell4.jpg", "", "/p/csunset.jpg"};
  EXPECT_TRUE(qw::ComposeReportPage(in).contains(
      "align=right><TD valign=top align = right><IMG SRC='file:///p/cbell4.jpg' style='height:0.236in' Border=0>"
      "&nbsp;&nbsp;</TD><TD valign=top align = right><IMG SRC='file:///p/csunset.jpg' style='height:0.236in' "
      "Border=0></TD></TABLE></TABLE>"));
}

TEST(ReportPage, WebAndMailLinks) {
  const struct {
    const char* web;
    const char* email;
    const char* expected;
  } cases[] = {
      {"www.x.example.com", "a@x.example.com",
       "<A HREF=\"mailto:a@x.example.com\">a@x.example.com</A></Span><span class=TitleFont>&nbsp;&nbsp; "
       "Web: </Span><span class=ValueFont><A Target=_blank HREF=\"http://www.x.example.com\">www.x.example.com</A>"},
      {"https://x.example.org/a?b=1&c=\"2\".", nullptr,
       "<A Target=_blank HREF=\"https://x.example.org/a?b=1&amp;c=&quot;2&quot;\">https://x.example.org/a?b=1&amp;c=\"2\".</A>"},
      {"", "", "Email: </Span><span class=ValueFont>n/a</Span><span class=TitleFont>&nbsp;&nbsp; Web: "
               "</Span><span class=ValueFont>n/a</Span></NOBR>"},
  };
  for (const auto& c : cases) {
    RowRecordset contact;
    contact.Set("Website", c.web).Set("E-mail", c.email ? QVariant(c.email) : QVariant());
    EXPECT_TRUE(qw::ContactBoxHtml(contact).replace("&nbsp;&nbsp;&nbsp;", "&nbsp;&nbsp; ").contains(c.expected))
        << c.web;
  }
  // Only web addresses become links; one of another scheme is shown as text.
  EXPECT_EQ(qw::WebLinkTarget("x.example.com:8080/a"), "http://x.example.com:8080/a");
  EXPECT_EQ(qw::WebLinkTarget(" HTTPS://x"), "HTTPS://x");
  for (const char* other : {"ftp://x", "javascript:alert(1)", "java\tscript://%0aalert(1)", " JavaScript:x", "file:///etc"})
    EXPECT_EQ(qw::WebLinkTarget(other), "") << other;
  RowRecordset contact;
  contact.Set("Website", "javascript:alert('x')");
  const QString box = qw::ContactBoxHtml(contact);
  EXPECT_TRUE(box.contains("Web: </Span><span class=ValueFont>javascript:alert('x')</Span></NOBR>"));
  EXPECT_FALSE(box.contains("HREF=\"javascript"));
}

}  // namespace

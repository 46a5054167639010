#include "report/middle_bottom_sections.h"

#include <QFile>
#include <QRegularExpression>
#include <gtest/gtest.h>

#include <functional>

#include "report/round_half_even.h"
#include "sections_fixture.h"

namespace qw {
namespace {

using testing::Hiding;
using testing::SectionsDb;

QString Heading(const char* title) {
  return QStringLiteral("<span><div class=para_hdr>") + QLatin1String(title) + QStringLiteral("</div></span>");
}
QString Line(const char* label, const char* value, const char* end = "&nbsp;&nbsp;&nbsp;</Span>") {
  return QStringLiteral("<span class=TitleFont>") + QLatin1String(label) + QStringLiteral("</Span><span class=ValueFont>") +
         QLatin1String(value) + QLatin1String(end);
}
const QString kSpacer = QStringLiteral("<span class=LineFont1><BR><BR></span>");

struct MiddleCase {
  const char* name;
  std::function<void(SectionsDb&)> rows;
  QString expected;
  const char* expected911 = "";
  DontShowFlags flags = {};
};

TEST(MiddleSection, SubSectionsOverSmallRowSets) {
  const QString n = QString::number(SectionsDb::kMarina);
  const MiddleCase cases[] = {
      {"no rows at all: no headings", [](SectionsDb&) {}, QString()},
      {"services and facilities joined; first supply line labelled",
       [n](SectionsDb& d) {
         d.Exec("INSERT INTO rpm_marina_services (MarinaNo,[Docking Assistance],[Dock Carts],[Phone Messages]) VALUES (" +
                n + ",1,1,1)");
         d.Exec("INSERT INTO rpm_marina_facilities (MarinaNo,[Mega Yacht Facilities?]) VALUES (" + n + ",1)");
         d.Amenity("rpm_Boat_Supplies", "Propane", "01000");
         d.Amenity("rpm_Boat_Supplies", "CNG", "00000", "4 mi");
       },
       Heading("Marina Services and Boat Supplies") +
           "<span class=TitleFont>Services - </Span><span class=ValueFont>Docking Assistance, Dock Carts, Megayacht "
           "Facilities&nbsp;&nbsp;&nbsp;</span>" +
           Line("Communication - ", "Phone Messages") + Line("Supplies - OnCall: ", "Propane") +
           Line("3+ mi: ", "CNG <I>(4 mi)</I>") + kSpacer},
      {"boatyard: periods from class 3, nearest yard, dealer, member; storage needs yard rates",
       [n](SectionsDb& d) {
         d.Amenity("rpm_Boat_and_Boatyard_Services", "Travelift", "00100");
         d.Amenity("rpm_Boat_and_Boatyard_Services", "Rigger", "10000");
         d.Amenity("rpm_Boat_and_Boatyard_Services", "Sail Loft", "00000", "9 mi");
         d.Exec("INSERT INTO rpm_Boat_and_Boatyard_Services_EI (MarinaNo,[Marina has Boatyard on site?],[Name of Nearest "
                "Boatyard],[Dealer For],[Member of ABYC?],[On Land]) VALUES (" +
                n + ",0,'Cove Yard',' Yamaha ',1,'40 boats')");
       },
       Heading("Boatyard Services") + Line("OnSite: ", "Rigger") + Line("Near: ", "Travelift", ".&nbsp;&nbsp;&nbsp;</Span>") +
           Line("3+ mi: ", "Sail Loft <I>(9 mi)</I>", ".&nbsp;&nbsp;&nbsp;</Span>") + Line("Nearest Yard: ", "Cove Yard") +
           Line("Dealer for: ", " Yamaha .") + Line("Member: ", "ABYC") + kSpacer},
      {"own boatyard: yard rates, then storage",
       [n](SectionsDb& d) {
         d.Exec("INSERT INTO rpm_Boat_and_Boatyard_Services_EI (MarinaNo,[Marina has Boatyard on site?],[Yard Rate],[In "
                "Water],[Dealer For]) VALUES (" +
                n + ",1,'$80/hr','20 boats','   ')");
       },
       Heading("Boatyard Services") + Line("Yard Rates: ", "$80/hr") + Line("Storage: ", "In-Water 20 boats") + kSpacer},
      {"restaurants, the joined pairs and their renamings",
       [](SectionsDb& d) {
         d.Eatery("Raw Bar", "Oyster Shed", "10000");
         d.Amenity("rpm_Recreation", "Pool", "10000");
         d.Amenity("rpm_Entertainment", "Museum", "10000");
         d.Amenity("rpm_Entertainment", "Park", "01000");
         d.Amenity("rpm_Provisioning", "Complete Provisioning Service", "00010");
         d.Amenity("rpm_General_Services", "Library", "00010");
       },
       Heading("Restaurants and Accommodations") + Line("OnSite: ", "Raw Bar <I>(Oyster Shed)</I>") + kSpacer +
           Heading("Recreation and Entertainment") + Line("OnSite: ", "Pool, Museum") + Line("OnCall: ", "Park") + kSpacer +
           Heading(" Provisioning and General Services") + Line("Under 1 mi: ", "Provisioning Service, Library") + kSpacer},
      {"transportation with its airport line",
       [](SectionsDb& d) {
         d.Amenity("rpm_Transportation", "Courtesy Car Or Van Service for Guests", "10000");
         d.Amenity("rpm_Transportation", "Nearest Airport", "00110", "x", "Airport at New Bedford");
       },
       Heading("Transportation") + Line("OnSite: ", "Courtesy Car/Van") +
           "<span class=TitleFont>Airport: </Span><span class=ValueFont> Airport at New Bedford <I>(Near by)</I> <I>(W/in 1 "
           "mi)</I> <I>(3+ mi)</I></Span>" +
           kSpacer},
      {"medical: 911 note, class lines, hospital line from a distance alone",
       [](SectionsDb& d) {
         d.Amenity("rpm_Medical", "911 Service", "00000");
         d.Amenity("rpm_Medical", "Doctor", "00001");
         d.Amenity("rpm_Medical", "Hospital", "00000", " 12 mi ", "   ");
       },
       Heading("Medical Services") + "<span class=ValueFont>No 911 Service &nbsp;</span>" + Line("1-3 mi: ", "Doctor") +
           "<span class=TitleFont>Hospital: </Span><span class=ValueFont>  <I>(12 mi)</I></Span><BR>",
       "No 911 Service "},
      {"the hospital flag drops only the hospital line",
       [](SectionsDb& d) {
         d.Amenity("rpm_Medical", "Doctor", "10000");
         d.Amenity("rpm_Medical", "Hospital", "10000", QVariant(), "Hospital in Falmouth");
       },
       Heading("Medical Services") + Line("OnSite: ", "Doctor") + "<BR>", "", Hiding({"hospital"})},
  };
  for (const MiddleCase& c : cases) {
    SectionsDb data;
    c.rows(data);
    QString note911 = QStringLiteral("stale");
    EXPECT_EQ(BuildMiddleSectionHtml(data.db(), SectionsDb::kMarina, c.flags, note911), c.expected) << c.name;
    EXPECT_EQ(note911, QLatin1String(c.expected911)) << c.name;
  }
}

// Visible text: tags removed.
QString TextOf(const QString& html) {
  static const QRegularExpression tag(QStringLiteral("<[^>]*>"));
  return QString(html).remove(tag);
}

TEST(MiddleSection, DemoMarinaComposedWhole) {
  // Marina 512: gas mechanic on site, diesel on call; no stored positions.
  SectionsDb data;
  DontShowFlags flags;
  flags.DontShowMarinaNo = 512;
  LoadDontShowFlags(flags, data.db());
  ReportSectionsState state;
  const QString page = AppendMiddleAndBottomSections(data.db(), 512, flags, state);

  QFile expected(QStringLiteral(QUAYWISE_SOURCE_DIR "/tests/report/data/middle_section_512.html"));
  ASSERT_TRUE(expected.open(QIODevice::ReadOnly));
  EXPECT_EQ(state.MiddleSectionHtml, QString::fromUtf8(expected.readAll()).trimmed());
  EXPECT_EQ(state.Service911Text, QStringLiteral("911 Service "));

  const std::int32_t length = static_cast<std::int32_t>(state.MiddleSectionHtml.size());
  EXPECT_EQ(state.scrShiftMiddle.Max, length);
  EXPECT_EQ(state.scrShiftMiddle.Value, RoundHalfEven(length / 2.0));
  EXPECT_EQ(TextOf(state.LeftMiddleText) + TextOf(state.RightMiddleText), TextOf(state.MiddleSectionHtml));
  EXPECT_TRUE(page.startsWith(
      QStringLiteral("<TABLE Border=0 cellspacing=0 cellpadding=0 style='position:absolute;table-layout:fixed;left:0.25in; "
                     "top:4.15in; width:3.5in; height:4in;'><TD style='height:4in' align=left valign=top><div "
                     "id=LeftMiddleText>") +
      state.LeftMiddleText +
      QStringLiteral("</div></TABLE><TABLE Border=0 cellspacing=0 cellpadding=0 "
                     "style='position:absolute;table-layout:fixed;left:4in; top:4.15in; width:3.5in; height:4in;'><TD "
                     "align=left valign=top style='height:4in'><div id=RightMiddleText>") +
      state.RightMiddleText + QStringLiteral("</div></TABLE>")));
}

TEST(BottomSection, EmptyMarinaAndTheBand) {
  // Marina 484 has no amenity rows, no flags and empty free texts.
  SectionsDb data;
  ReportSectionsState state;
  state.Service911Text = QStringLiteral("stale");
  const QString page = AppendMiddleAndBottomSections(data.db(), 484, DontShowFlags{}, state);
  EXPECT_EQ(state.MiddleSectionHtml, QString());
  EXPECT_EQ(state.LeftMiddleText + state.RightMiddleText, QString());
  EXPECT_EQ(state.Service911Text, QString());
  const QString bottom = QStringLiteral(
      "<span class=BottomPara_hdr>Setting </Span><span class=ValueFont><span class=ValueFont> -- "
      "n/a</Span>&nbsp;&nbsp;&nbsp;</Span><span class=LineFont1><BR><BR></span><span class=BottomPara_hdr>Marina Notes "
      "</Span><span class=ValueFont><span class=ValueFont> -- n/a</Span>&nbsp;&nbsp;&nbsp;</Span><span "
      "class=LineFont1><BR><BR></span><span><div class=BottomPara_hdr>Notable <span class=ValueFont>-- "
      "n/a</Span><br></div></span>");
  EXPECT_EQ(state.BottomSectionHtml, bottom);
  EXPECT_EQ(state.scrShiftBottom.Max, bottom.size());
  EXPECT_TRUE(page.endsWith(
      QStringLiteral("<TABLE Border=0 cellspacing=0 cellpadding=0 bgcolor=#DADDE4 "
                     "style='position:absolute;table-layout:fixed;left:0in; top:8.10in; width:7.625in; "
                     "height:2.148in;'><TR><TD></TABLE><TABLE Border=0  cellspacing=0 cellpadding=0 bgcolor=#DADDE4 "
                     "style='position:absolute;table-layout:fixed;left:0.25in; top:8.20in; width:7.25in; "
                     "height:1.948in;'><TD style='height:1.948in' align=left valign=top><div id=LeftBottomText>") +
      bottom + QStringLiteral("</div></TABLE>")));
}

TEST(MiddleSection, StoredPositionsAreReadPerMarina) {
  // A position at the end of the usable range is honoured: 11 puts nearly the
  // whole section in the left column. 512 stores nothing and is divided in
  // its middle.
  SectionsDb data;
  data.Exec(
      QStringLiteral("UPDATE rpm_output SET MiddleSectionPos = 11, BottomSectionPos = 300 WHERE marinaNo = 2648"));
  ReportSectionsState state;
  AppendMiddleAndBottomSections(data.db(), 2648, DontShowFlags{}, state);
  EXPECT_EQ(state.scrShiftMiddle.Value, 11);
  EXPECT_LT(TextOf(state.RightMiddleText).size(), 40);
  EXPECT_EQ(state.scrShiftBottom.Value, 300);
  AppendMiddleAndBottomSections(data.db(), 512, DontShowFlags{}, state);
  EXPECT_EQ(state.scrShiftMiddle.Value, RoundHalfEven(state.MiddleSectionHtml.size() / 2.0));
}

}  // namespace
}  // namespace qw

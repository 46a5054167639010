// Every item of every marina of the demo database, asked the way the report
// asks: each answer is a non-empty, well-formed HTML text of its item's kind,
// and the demo's edge-case marinas give the texts they were made for.
#include <gtest/gtest.h>

#include <QFileInfo>
#include <QHash>
#include <QRegularExpression>

#include "platform/jet.h"
#include "report_values/make_value_string.h"
#include "common/testing.h"

namespace {

// The query the report opens for a key, for one marina.
QString ItemQuery(const QString& key, int marinaNo) {
  static const QHash<QString, QString> tables = [] {
    QHash<QString, QString> t;
    for (const char* k : {"Lat", "Long", "Tide", "Current", "Chart", "Rep. Depths", "Fuel Dock", "Max Slip/Moor",
                          "Access"})
      t.insert(k, "rpm_nav_info");
    for (const char* k : {"Fuel", "Slips", "Max LOA", "Max Beam", "Rate", "Power", "TV", "Phone", "Pay Phones",
                          "Dock Type", "Moorings", "Launch", "Moorings Rate", "Heads", "Laundry", "Handicap Access",
                          "Services1"})
      t.insert(k, "rpm_marina_facilities");
    for (const char* k : {"Pump-Out", "Fee", "Closed Heads", "Manager/Director", "Dock Master", "In-Season",
                          "Off-Season", "After-Hours Arrival", "Reservations", "Credit Cards", "Discounts", "Pets"})
      t.insert(k, "rpm_marina_operations");
    for (const char* k : {"PO Box", "ContactPhone", "ContactFax", "Nearest Town", "TouristInfo", "VHF", "Email", "Web"})
      t.insert(k, "rpm_Contact_Information");
    for (const char* k : {"Services", "Communication"}) t.insert(k, "rpm_marina_services");
    return t;
  }();
  const QString no = QString::number(marinaNo);
  if (key == "Environs" || key == "Marina Notes" || key == "Notable")
    return "select Environs, [Marina Notes], Notable from rpm_extras where MarinaNo=" + no;
  if (key == "Nearest Yard")
    return "select * from rpm_Boat_and_Boatyard_Services_EI LEFT JOIN rpm_Boat_and_Boatyard_Services ON"
           " rpm_Boat_and_Boatyard_Services_EI.MarinaNo = rpm_Boat_and_Boatyard_Services.MarinaNo"
           " where rpm_Boat_and_Boatyard_Services_EI.MarinaNo=" +
           no + " AND rpm_Boat_and_Boatyard_Services.type='Travelift' AND rpm_Boat_and_Boatyard_Services.[On-Site]=0";
  if (key == "Member")
    return "select * from rpm_Boat_and_Boatyard_Services_EI where rpm_Boat_and_Boatyard_Services_EI.MarinaNo=" + no;
  if (key == "Yard Rates" || key == "Storage")
    return "select * from rpm_Boat_and_Boatyard_Services_EI where [marina has boatyard on site?]=True and marinano = " +
           no;
  return "select * from " + tables.value(key) + " where MarinaNo=" + no;
}

// What a value of each kind looks like; keys not listed only need to be
// non-empty and well-formed.
const QHash<QString, QRegularExpression>& Shapes() {
  static const QHash<QString, QRegularExpression> shapes = [] {
    QHash<QString, QRegularExpression> s;
    auto add = [&s](const char* key, const char* pattern) {
      s.insert(key, QRegularExpression(QString("^(?:%1)$").arg(pattern)));
    };
    const char* feet = "n/a|\\d+(\\.\\d+)? ft\\.";
    add("Fuel", "No|Yes|(<I>[^<]+</I> -)?( ?[A-Z][A-Za-z -]+,?)*");
    add("Slips", "\\d+ Total, \\d+ Transient");
    add("Max LOA", feet);
    add("Max Beam", feet);
    add("Rate", "<B>Day</B> (n/a|na/[\\d.]+|\\$\\d+\\.\\d\\d(/[\\d.]+)?\\*?)&nbsp;&nbsp;<B>Week</B> (n/a|[\\d.]+)"
                "&nbsp;&nbsp;<B>Month</B> (n/a|[\\d.]+)");
    add("Power", "<B>30 amp</B> [^,]+, <B>50 amp</B> [^,]+, <B>100 amp</B> [^,]+, <B>200 amp</B> [^,]+");
    add("TV", "No|Yes(, \\$.+)?( .+)?");
    add("Phone", "No|Yes.*");
    add("Pay Phones", "No|Yes|Yes, \\d+");
    add("Moorings", "\\d+ Total, \\d+ Transient");
    add("Moorings Rate", "<B>Day</B> .+&nbsp;&nbsp;&nbsp;<B>Week</B> .+&nbsp;&nbsp;&nbsp;<B>Month</B> .+");
    add("Fee", "n/a|\\d+(\\.\\d+)?");
    add("Closed Heads", "Yes|No");
    add("Lat", "n/a|\\d\\d&deg;\\d\\d\\.\\d{3}'");
    add("Long", "n/a|\\d{3}&deg;\\d\\d\\.\\d{3}'");
    add("Rep. Depths", feet);
    add("Fuel Dock", feet);
    add("Max Slip/Moor", "(-|\\d+(\\.\\d+)? ft\\.)/(-|\\d+(\\.\\d+)? ft\\.)");
    add("Discounts", "<span class=TitleFont>Discounts: </Span><span class=ValueFont>.*");
    add("Pets", "No|Welcome(, Dog Walk Area)?(, Kennel)?");
    add("Handicap Access", "No|Yes(, Heads)?(, Docks)?");
    add("ContactPhone", "n/a|(\\(\\d{3}\\) \\d{3}-\\d{4}|\\d{3}-\\d{4})?(; \\(8\\d\\d\\) \\d{3}-\\d{4})?");
    add("ContactFax", "(n/a|\\(\\d{3}\\) \\d{3}-\\d{4})&nbsp;&nbsp;&nbsp;<B>Alternate Tel:(</B> n/a| </B>\\(\\d{3}\\) "
                      "\\d{3}-\\d{4})");
    add("VHF", "<B>Monitor</B> \\S+&nbsp;&nbsp;<B>Talk</B> \\S+");
    add("Email", "n/a|[^@\\s]+@[\\w.-]+\\.example\\.(com|org)");
    add("Web", "n/a|www\\.[\\w.-]+\\.example\\.com\\.?");
    add("Services", "n/a|(.+, )+");
    return s;
  }();
  return shapes;
}

// Tags open and close in pairs (case ignored); <BR> stands alone.
bool TagsMatch(const QString& html, QString* why) {
  static const QRegularExpression tag("<(/?)([A-Za-z]+)[^>]*>");
  QStringList open;
  for (auto it = tag.globalMatch(html); it.hasNext();) {
    const auto m = it.next();
    const QString name = m.captured(2).toLower();
    if (name == "br") continue;
    if (m.captured(1).isEmpty()) {
      open << name;
    } else if (open.isEmpty() || open.takeLast() != name) {
      *why = "unmatched </" + name + ">";
      return false;
    }
  }
  if (!open.isEmpty()) *why = "unclosed <" + open.join("> <") + ">";
  return open.isEmpty();
}

class DemoDatabaseItems : public ::testing::Test {
 protected:
  void SetUp() override {
    if (!QFileInfo::exists(qw::testing::DemoDatabasePath())) GTEST_SKIP() << "the demo database is not built";
    db_ = qw::Database::OpenDatabase(qw::testing::DemoDatabasePath(), 0, true, ";PWD=");
    auto rs = db_->OpenRecordset("select MarinaNo from rpm_Contact_Information order by MarinaNo");
    for (; !rs->Eof(); rs->MoveNext()) marinas_ << rs->Fields("MarinaNo").Value().toInt();
  }

  QString Item(int marinaNo, const QString& key, bool naIfEmpty = true) {
    auto rs = db_->OpenRecordset(ItemQuery(key, marinaNo));
    return qw::MakeValueString(*rs, key, false, naIfEmpty);
  }

  qw::DatabasePtr db_;
  QList<int> marinas_;
};

TEST_F(DemoDatabaseItems, EveryKeyOfEveryMarinaIsWellFormed) {
  ASSERT_EQ(marinas_.size(), 227);
  static const QRegularExpression truthWord("\\b(True|False|NULL)\\b");
  const QStringList keys = qw::ReportItemKeys();
  for (int marinaNo : marinas_) {
    for (const QString& key : keys) {
      const QString value = Item(marinaNo, key);
      const std::string where = QString("marina %1, %2: \"%3\"").arg(marinaNo).arg(key, value).toStdString();
      EXPECT_FALSE(value.isEmpty()) << where;
      EXPECT_FALSE(truthWord.match(value).hasMatch()) << where;
      QString why;
      EXPECT_TRUE(TagsMatch(value, &why)) << where << " " << why.toStdString();
      if (Shapes().contains(key)) {
        EXPECT_TRUE(Shapes()[key].match(value).hasMatch()) << where;
      }
      if (key != "Services" && key != "Environs" && key != "Marina Notes" && key != "Notable") {
        EXPECT_FALSE(value.endsWith(", ")) << where;
      }
    }
  }
}

TEST_F(DemoDatabaseItems, ContactEdgeCases) {
  EXPECT_EQ(Item(2465, "PO Box", false), "");
  EXPECT_TRUE(Item(2562, "PO Box", false).endsWith("&nbsp;&nbsp;04544"));  // stored "04544-1234"
  EXPECT_EQ(Item(2694, "ContactPhone"), "; (800) 555-0147");
  EXPECT_TRUE(Item(856, "ContactPhone").startsWith("555-0134"));
  EXPECT_TRUE(Item(2680, "Nearest Town").endsWith("<I>&nbsp;(1/2)</I>"));
  EXPECT_TRUE(Item(2688, "Nearest Town").endsWith("<I>&nbsp;(2-3)</I>"));
  EXPECT_TRUE(Item(2564, "Nearest Town").endsWith("<I>&nbsp;(In town)</I>"));
  EXPECT_TRUE(Item(2689, "Nearest Town").endsWith("<I>&nbsp;()</I>"));
  EXPECT_EQ(Item(2812, "Nearest Town"), "n/a");
  EXPECT_EQ(Item(2626, "VHF"), "<B>Monitor</B> n/a&nbsp;&nbsp;<B>Talk</B> n/a");
  EXPECT_TRUE(Item(641, "Web").endsWith(".example.com."));
  EXPECT_EQ(Item(2690, "Email"), "n/a");
  EXPECT_EQ(Item(2690, "Web"), "n/a");
}

TEST_F(DemoDatabaseItems, NavigationEdgeCases) {
  EXPECT_EQ(Item(2541, "Lat"), "n/a");
  EXPECT_NE(Item(2541, "Long"), "n/a");
  EXPECT_EQ(Item(2571, "Max Slip/Moor"), "12 ft./-");
  EXPECT_EQ(Item(2498, "Max Slip/Moor"), "-/-");
}

TEST_F(DemoDatabaseItems, FacilityAndOperationsEdgeCases) {
  EXPECT_TRUE(QRegularExpression("^<I>[^<]+</I> - Gasoline$").match(Item(2574, "Fuel")).hasMatch()) << Item(2574, "Fuel").toStdString();
  EXPECT_EQ(Item(2576, "Fuel"), "Yes");
  EXPECT_TRUE(Item(2497, "Rate").startsWith("<B>Day</B> na/1.5&nbsp;&nbsp;<B>Week</B> "));
  EXPECT_EQ(Item(2573, "Power"), "<B>30 amp</B> n/a, <B>50 amp</B> $8, <B>100 amp</B> n/a, <B>200 amp</B> n/a");
  EXPECT_TRUE(Item(2570, "TV").startsWith("Yes, $5"));
  EXPECT_EQ(Item(2530, "Laundry"), "None, Book Exchange");
  EXPECT_TRUE(Item(489, "Pump-Out").startsWith("Onsite <I>(Free)</I>, OnCall <I>(Free)</I>"));
  EXPECT_EQ(Item(172, "Discounts"),
            "<span class=TitleFont>Discounts: </Span><span class=ValueFont>None&nbsp;&nbsp;&nbsp;</span>"
            "<span class=TitleFont>Dockage: </Span><span class=ValueFont>n/a&nbsp;&nbsp;&nbsp;</span>"
            "<span class=TitleFont>Fuel: </Span><span class=ValueFont>Volume discount&nbsp;&nbsp;&nbsp;</span>"
            "<span class=TitleFont>Repair: </Span><span class=ValueFont>n/a&nbsp;&nbsp;&nbsp;</span>");
  EXPECT_TRUE(Item(574, "Credit Cards").endsWith("Debit cards"));
  EXPECT_TRUE(Item(490, "Services").contains("Security <I>(24 hrs)</I>, "));
  EXPECT_TRUE(Item(490, "Communication").contains("Fax in/out"));
  EXPECT_FALSE(Item(490, "Communication").contains("Fax in/out <I>"));
}

TEST_F(DemoDatabaseItems, BoatyardAndNotesEdgeCases) {
  EXPECT_EQ(Item(200, "Yard Rates"), "n/a");
  EXPECT_TRUE(Item(2533, "Yard Rates").contains("(blocking included)</I>"));
  EXPECT_EQ(Item(216, "Nearest Yard"), "n/a");
  for (const char* key : {"Environs", "Marina Notes", "Notable", "Services", "Services1", "Communication"})
    EXPECT_EQ(Item(484, key), "n/a") << key;
  EXPECT_EQ(Item(2813, "Environs"), "n/a");
  EXPECT_EQ(Item(2813, "Notable"), "   ");
  EXPECT_TRUE(Item(2813, "Marina Notes").contains("<B>"));
}

}  // namespace

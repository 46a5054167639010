// Items of the navigation and operations tables.
#include <gtest/gtest.h>

#include "common/fake_recordset.h"
#include "report_values/make_value_string.h"

namespace {

using qw::testing::FakeRecordset;
const QVariant kNull = FakeRecordset::Null();

QString Value(const FakeRecordset& rs, const QString& key) { return qw::MakeValueString(rs, key, false, true); }
QString Plain(const FakeRecordset& rs, const QString& key) { return qw::MakeValueString(rs, key, false, false); }

TEST(NavigationItems, PositionTideChartAndAccess) {
  FakeRecordset rs{{"Latitude", "4221.345"},
                   {"Longitude", "-07012.345"},
                   {"Tidal Range", "  9.5 ft.  "},
                   {"Average Current", kNull},
                   {"Chart #", kNull},
                   {"Navigational Directions from ICW", " Enter at <B>G3</B> "}};
  EXPECT_EQ(Value(rs, "Lat"), "42&deg;21.345'");
  EXPECT_EQ(Value(rs, "Long"), "070&deg;12.345'");
  EXPECT_EQ(Value(rs, "Tide"), "9.5 ft.");
  EXPECT_EQ(Plain(rs, "Current"), "n/a");
  EXPECT_EQ(Value(rs, "Chart"), "n/a");
  EXPECT_EQ(Value(rs, "Access"), "Enter at <B>G3</B>");
  // A blank latitude is not formatted at all.
  EXPECT_EQ(Value(FakeRecordset{{"Latitude", " "}}, "Lat"), "n/a");
  EXPECT_EQ(Plain(FakeRecordset{{"Latitude", "   "}}, "Lat"), "n/a");
  // Access tests for Null only: blanks leave the text empty.
  EXPECT_EQ(Plain(FakeRecordset{{"Navigational Directions from ICW", kNull}}, "Access"), "n/a");
  EXPECT_EQ(Plain(FakeRecordset{{"Navigational Directions from ICW", "   "}}, "Access"), "");
  EXPECT_EQ(Value(FakeRecordset{{"Navigational Directions from ICW", "   "}}, "Access"), "n/a");
}

TEST(NavigationItems, Depths) {
  EXPECT_EQ(Value(FakeRecordset{{"Entry Depth", 0}}, "Rep. Depths"), "n/a");
  EXPECT_EQ(Plain(FakeRecordset{{"Entry Depth", kNull}}, "Rep. Depths"), "n/a");
  EXPECT_EQ(Value(FakeRecordset{{"Entry Depth", 6}}, "Rep. Depths"), "6 ft.");
  EXPECT_EQ(Value(FakeRecordset{{"Fuel Dock Depth", 8.5}}, "Fuel Dock"), "8.5 ft.");
  EXPECT_EQ(Value(FakeRecordset{{"Fuel Dock Depth", -1}}, "Fuel Dock"), "n/a");
  EXPECT_EQ(Value(FakeRecordset{{"Deepest Slip", 12}, {"Deepest Mooring", kNull}}, "Max Slip/Moor"), "12 ft./-");
  EXPECT_EQ(Value(FakeRecordset{{"Deepest Slip", 0}, {"Deepest Mooring", 8}}, "Max Slip/Moor"), "-/8 ft.");
  EXPECT_EQ(Value(FakeRecordset{{"Deepest Slip", kNull}}, "Max Slip/Moor"), "-/-");
}

TEST(OperationsItems, StaffSeasonsAndReservations) {
  EXPECT_EQ(Plain(FakeRecordset{{"Marina Manager/Director", kNull}}, "Manager/Director"), "n/a");
  EXPECT_EQ(Plain(FakeRecordset{{"Marina Manager/Director", "  "}}, "Manager/Director"), "");
  EXPECT_EQ(Value(FakeRecordset{{"Marina Manager/Director", "  "}}, "Manager/Director"), "n/a");
  EXPECT_EQ(Value(FakeRecordset{{"Dockmaster", " Ann Lee "}}, "Dock Master"), "Ann Lee");
  EXPECT_EQ(Value(FakeRecordset{{"After-Hours Arrival Procedure", "Call ch. 9"}}, "After-Hours Arrival"), "Call ch. 9");
  EXPECT_EQ(Value(FakeRecordset{{"In-Season Dates", " May 15-Oct 15 "}, {"In-Season Hours", " 8am-6pm "}}, "In-Season"),
            "May 15-Oct 15, 8am-6pm");
  EXPECT_EQ(Value(FakeRecordset{{"In-Season Hours", "8am-6pm"}}, "In-Season"), "n/a, 8am-6pm");
  EXPECT_EQ(Value(FakeRecordset{{"In-Season Dates", "May 15-Oct 15"}}, "In-Season"), "May 15-Oct 15");
  EXPECT_EQ(Plain(FakeRecordset{}, "In-Season"), "n/a");
  EXPECT_EQ(Value(FakeRecordset{{"Off-Season Dates", "  "}, {"Off-Season Hours", "By appointment"}}, "Off-Season"),
            "n/a, By appointment");
  EXPECT_EQ(Value(FakeRecordset{{"Reservation", "   "}}, "Reservations"), "No");
  EXPECT_EQ(Value(FakeRecordset{{"Reservation", " Recommended "}}, "Reservations"), "Recommended");
}

TEST(OperationsItems, CreditCards) {
  EXPECT_EQ(Value(FakeRecordset{{"Master/Visa", true}, {"Amex", true}}, "Credit Cards"), "Visa/MC, Amex");
  EXPECT_EQ(Value(FakeRecordset{{"Master/Visa", true},
                                {"Discover", true},
                                {"Diners Club", true},
                                {"Amex", true},
                                {"Texaco", true},
                                {"Other", kNull}},
                  "Credit Cards"),
            "Visa/MC, Dscvr, Din, Amex, Tex");
  EXPECT_EQ(Value(FakeRecordset{{"Master/Visa", false}}, "Credit Cards"), "n/a");
  // Further cards kept as text come last; a blank one adds nothing.
  EXPECT_EQ(Value(FakeRecordset{{"Master/Visa", true}, {"Other", "Debit cards"}}, "Credit Cards"),
            "Visa/MC, Debit cards");
  EXPECT_EQ(Value(FakeRecordset{{"Amex", true}, {"Other", "   "}}, "Credit Cards"), "Amex");
  EXPECT_EQ(Value(FakeRecordset{{"Other", "Debit cards"}}, "Credit Cards"), "Debit cards");
  // A Yes/No value there shows Yes for True and nothing for False.
  EXPECT_EQ(Value(FakeRecordset{{"Amex", true}, {"Other", true}}, "Credit Cards"), "Amex, Yes");
  EXPECT_EQ(Value(FakeRecordset{{"Amex", true}, {"Other", false}}, "Credit Cards"), "Amex");
}

const char kDiscountsNone[] = "<span class=TitleFont>Discounts: </Span><span class=ValueFont>None</Span>";
const char kDockageNa[] = "<span class=TitleFont>Dockage: </Span><span class=ValueFont>n/a&nbsp;&nbsp;&nbsp;</span>";
const char kFuelNa[] = "<span class=TitleFont>Fuel: </Span><span class=ValueFont>n/a&nbsp;&nbsp;&nbsp;</span>";
const char kRepairNa[] = "<span class=TitleFont>Repair: </Span><span class=ValueFont>n/a&nbsp;&nbsp;&nbsp;</span>";

QString DiscountsPart(const QString& programs) {
  return "<span class=TitleFont>Discounts: </Span><span class=ValueFont>" + programs + "&nbsp;&nbsp;&nbsp;</span>";
}

TEST(OperationsItems, Discounts) {
  EXPECT_EQ(Value(FakeRecordset{}, "Discounts"), kDiscountsNone);
  EXPECT_EQ(Value(FakeRecordset{{"Boat US Cooperating Marina", false}, {"Dockage Discount", "   "}}, "Discounts"),
            kDiscountsNone);
  EXPECT_EQ(Value(FakeRecordset{{"Fuel Disscount", " Volume discount "}}, "Discounts"),
            DiscountsPart("None") + kDockageNa +
                "<span class=TitleFont>Fuel: </Span><span class=ValueFont>Volume discount&nbsp;&nbsp;&nbsp;</span>" +
                kRepairNa);
  EXPECT_EQ(Value(FakeRecordset{{"Boat US Cooperating Marina", true}}, "Discounts"),
            DiscountsPart("Boat/US") + kDockageNa + kFuelNa + kRepairNa);
  EXPECT_EQ(Value(FakeRecordset{{"Boat US Cooperating Marina", true}, {"Other Discount Programs", " SeaTow "}},
                  "Discounts"),
            DiscountsPart("Boat/US; SeaTow") + kDockageNa + kFuelNa + kRepairNa);
  EXPECT_EQ(Value(FakeRecordset{{"Other Discount Programs", "MTOA"},
                                {"Dockage Discount", "10%"},
                                {"Repair Discount", "5%"}},
                  "Discounts"),
            DiscountsPart("MTOA") +
                "<span class=TitleFont>Dockage: </Span><span class=ValueFont>10%&nbsp;&nbsp;&nbsp;</span>" + kFuelNa +
                "<span class=TitleFont>Repair: </Span><span class=ValueFont>5%&nbsp;&nbsp;&nbsp;</span>");
}

TEST(OperationsItems, PetsAndHandicapAccess) {
  EXPECT_EQ(Value(FakeRecordset{{"Pets Allowed?", true}}, "Pets"), "Welcome");
  EXPECT_EQ(Value(FakeRecordset{{"Pets Allowed?", true}, {"Dog Walking Area?", true}}, "Pets"),
            "Welcome, Dog Walk Area");
  EXPECT_EQ(Value(FakeRecordset{{"Pets Allowed?", true}, {"Dog Walking Area?", true}, {"Kennel", true}}, "Pets"),
            "Welcome, Dog Walk Area, Kennel");
  EXPECT_EQ(Value(FakeRecordset{{"Pets Allowed?", false}, {"Kennel", true}}, "Pets"), "No");
  EXPECT_EQ(Value(FakeRecordset{{"Pets Allowed?", kNull}}, "Pets"), "No");
  EXPECT_EQ(Value(FakeRecordset{{"Handicapped Access?", true}, {"To Heads?", true}, {"To Docks?", true}},
                  "Handicap Access"),
            "Yes, Heads, Docks");
  EXPECT_EQ(Value(FakeRecordset{{"Handicapped Access?", true}, {"To Docks?", true}}, "Handicap Access"),
            "Yes, Docks");
  EXPECT_EQ(Value(FakeRecordset{{"Handicapped Access?", kNull}, {"To Heads?", true}}, "Handicap Access"), "No");
  EXPECT_EQ(Value(FakeRecordset{{"Handicapped Access?", 0}}, "Handicap Access"), "No");
}

}  // namespace

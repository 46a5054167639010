// Items of the navigation and operations tables.
#include "item_cases.h"

namespace qw::testing {
namespace {

TEST(NavigationItems, PositionTideChartAndAccess) {
  const FakeRecordset row{{"Latitude", "4221.345"},
                          {"Longitude", "-07012.345"},
                          {"Tidal Range", "  9.5 ft.  "},
                          {"Average Current", kNull},
                          {"Chart #", kNull},
                          {"Navigational Directions from ICW", " Enter at <B>G3</B> "}};
  // A blank latitude is not formatted at all.
  ExpectItem("Lat", {{row, "42&deg;21.345'"}, {{{"Latitude", " "}}, "n/a"}, {{{"Latitude", "   "}}, "n/a", false}});
  ExpectItem("Long", {{row, "070&deg;12.345'"}});
  ExpectItem("Tide", {{row, "9.5 ft."}});
  ExpectItem("Current", {{row, "n/a", false}});
  ExpectItem("Chart", {{row, "n/a"}});
  // Access tests for Null only: blanks leave the text empty.
  ExpectItem("Access", {{row, "Enter at <B>G3</B>"},
                        {{{"Navigational Directions from ICW", kNull}}, "n/a", false},
                        {{{"Navigational Directions from ICW", "   "}}, "", false},
                        {{{"Navigational Directions from ICW", "   "}}, "n/a"}});
}

TEST(NavigationItems, Depths) {
  ExpectItem(
      "Rep. Depths",
      {{{{"Entry Depth", 0}}, "n/a"}, {{{"Entry Depth", kNull}}, "n/a", false}, {{{"Entry Depth", 6}}, "6 ft."}});
  ExpectItem("Fuel Dock", {{{{"Fuel Dock Depth", 8.5}}, "8.5 ft."}, {{{"Fuel Dock Depth", -1}}, "n/a"}});
  ExpectItem("Max Slip/Moor", {{{{"Deepest Slip", 12}, {"Deepest Mooring", kNull}}, "12 ft./-"},
                               {{{"Deepest Slip", 0}, {"Deepest Mooring", 8}}, "-/8 ft."},
                               {{{"Deepest Slip", kNull}}, "-/-"}});
}

TEST(OperationsItems, StaffSeasonsAndReservations) {
  ExpectItem("Manager/Director", {{{{"Marina Manager/Director", kNull}}, "n/a", false},
                                  {{{"Marina Manager/Director", "  "}}, "", false},
                                  {{{"Marina Manager/Director", "  "}}, "n/a"}});
  ExpectItem("Dock Master", {{{{"Dockmaster", " Ann Lee "}}, "Ann Lee"}});
  ExpectItem("After-Hours Arrival", {{{{"After-Hours Arrival Procedure", "Call ch. 9"}}, "Call ch. 9"}});
  ExpectItem("In-Season",
             {{{{"In-Season Dates", " May 15-Oct 15 "}, {"In-Season Hours", " 8am-6pm "}}, "May 15-Oct 15, 8am-6pm"},
              {{{"In-Season Hours", "8am-6pm"}}, "n/a, 8am-6pm"},
              {{{"In-Season Dates", "May 15-Oct 15"}}, "May 15-Oct 15"},
              {{}, "n/a", false}});
  ExpectItem("Off-Season",
             {{{{"Off-Season Dates", "  "}, {"Off-Season Hours", "By appointment"}}, "n/a, By appointment"}});
  ExpectItem("Reservations", {{{{"Reservation", "   "}}, "No"}, {{{"Reservation", " Recommended "}}, "Recommended"}});
}

TEST(OperationsItems, CreditCards) {
  ExpectItem("Credit Cards", {{{{"Master/Visa", true}, {"Amex", true}}, "Visa/MC, Amex"},
                              {{{"Master/Visa", true},
                                {"Discover", true},
                                {"Diners Club", true},
                                {"Amex", true},
                                {"Texaco", true},
                                {"Other", kNull}},
                               "Visa/MC, Dscvr, Din, Amex, Tex"},
                              {{{"Master/Visa", false}}, "n/a"},
                              // Further cards kept as text come last; a blank one adds nothing.
                              {{{"Master/Visa", true}, {"Other", "Debit cards"}}, "Visa/MC, Debit cards"},
                              {{{"Amex", true}, {"Other", "   "}}, "Amex"},
                              {{{"Other", "Debit cards"}}, "Debit cards"},
                              // A Yes/No value there shows Yes for True and nothing for False.
                              {{{"Amex", true}, {"Other", true}}, "Amex, Yes"},
                              {{{"Amex", true}, {"Other", false}}, "Amex"}});
}

// One "Title: value" part of the discounts item.
QString DiscountPart(const char* title, const QString& value) {
  return QStringLiteral("<span class=TitleFont>%1: </Span><span class=ValueFont>%2&nbsp;&nbsp;&nbsp;</span>")
      .arg(QLatin1String(title), value);
}

TEST(OperationsItems, Discounts) {
  const QString none = "<span class=TitleFont>Discounts: </Span><span class=ValueFont>None</Span>";
  const QString dockageNa = DiscountPart("Dockage", "n/a"), fuelNa = DiscountPart("Fuel", "n/a"),
                repairNa = DiscountPart("Repair", "n/a");
  ExpectItem(
      "Discounts",
      {{{}, none},
       {{{"Boat US Cooperating Marina", false}, {"Dockage Discount", "   "}}, none},
       {{{"Fuel Disscount", " Volume discount "}},
        DiscountPart("Discounts", "None") + dockageNa + DiscountPart("Fuel", "Volume discount") + repairNa},
       {{{"Boat US Cooperating Marina", true}}, DiscountPart("Discounts", "Boat/US") + dockageNa + fuelNa + repairNa},
       {{{"Boat US Cooperating Marina", true}, {"Other Discount Programs", " SeaTow "}},
        DiscountPart("Discounts", "Boat/US; SeaTow") + dockageNa + fuelNa + repairNa},
       {{{"Other Discount Programs", "MTOA"}, {"Dockage Discount", "10%"}, {"Repair Discount", "5%"}},
        DiscountPart("Discounts", "MTOA") + DiscountPart("Dockage", "10%") + fuelNa + DiscountPart("Repair", "5%")}});
}

TEST(OperationsItems, PetsAndHandicapAccess) {
  ExpectItem("Pets", {{{{"Pets Allowed?", true}}, "Welcome"},
                      {{{"Pets Allowed?", true}, {"Dog Walking Area?", true}}, "Welcome, Dog Walk Area"},
                      {{{"Pets Allowed?", true}, {"Dog Walking Area?", true}, {"Kennel", true}},
                       "Welcome, Dog Walk Area, Kennel"},
                      {{{"Pets Allowed?", false}, {"Kennel", true}}, "No"},
                      {{{"Pets Allowed?", kNull}}, "No"}});
  ExpectItem("Handicap Access",
             {{{{"Handicapped Access?", true}, {"To Heads?", true}, {"To Docks?", true}}, "Yes, Heads, Docks"},
              {{{"Handicapped Access?", true}, {"To Docks?", true}}, "Yes, Docks"},
              {{{"Handicapped Access?", kNull}, {"To Heads?", true}}, "No"},
              {{{"Handicapped Access?", 0}}, "No"}});
}

}  // namespace
}  // namespace qw::testing

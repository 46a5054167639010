// Items of the marina's facilities table: fuel, slips, rates, power,
// telephones, docks, moorings, launch, heads, laundry and pump-out.
#include <gtest/gtest.h>

#include "common/fake_recordset.h"
#include "report_values/make_value_string.h"

namespace {

using qw::testing::FakeRecordset;
const QVariant kNull = FakeRecordset::Null();

QString Value(const FakeRecordset& rs, const QString& key) { return qw::MakeValueString(rs, key, false, true); }

TEST(FuelItem, BrandAndKinds) {
  EXPECT_EQ(Value(FakeRecordset{{"Fuel?", false}, {"Brand", "Irving"}, {"Diesel?", true}}, "Fuel"), "No");
  EXPECT_EQ(Value(FakeRecordset{{"Fuel?", kNull}, {"Gasoline?", true}}, "Fuel"), "No");
  EXPECT_EQ(Value(FakeRecordset{{"Fuel?", true}}, "Fuel"), "Yes");
  EXPECT_EQ(Value(FakeRecordset{{"Fuel?", true}, {"Brand", "  "}}, "Fuel"), "Yes");
  EXPECT_EQ(Value(FakeRecordset{{"Fuel?", true}, {"Gasoline?", true}, {"Diesel?", true}}, "Fuel"),
            "Gasoline, Diesel");
  EXPECT_EQ(Value(FakeRecordset{{"Fuel?", true}, {"Brand", " Irving "}, {"Diesel?", true}}, "Fuel"),
            "<I>Irving</I> - Diesel");
  EXPECT_EQ(Value(FakeRecordset{{"Fuel?", true}, {"Brand", "Irving"}}, "Fuel"), "<I>Irving</I> -");
  EXPECT_EQ(Value(FakeRecordset{{"Fuel?", true},
                                {"Slip Side Fueling?", true},
                                {"Gasoline?", true},
                                {"Diesel?", true},
                                {"High-Speed Pumps?", true},
                                {"On Call Delivery?", true}},
                  "Fuel"),
            "Slip-Side Fueling, Gasoline, Diesel, High-Speed Pumps, On Call Delivery");
}

TEST(SlipItems, SlipsLengthAndBeam) {
  EXPECT_EQ(Value(FakeRecordset{{"Total # Slips", kNull}, {"Approx # of Transient Slips", kNull}}, "Slips"),
            "0 Total, 0 Transient");
  EXPECT_EQ(Value(FakeRecordset{{"Total # Slips", 120}, {"Approx # of Transient Slips", 10}}, "Slips"),
            "120 Total, 10 Transient");
  EXPECT_EQ(Value(FakeRecordset{{"Total # Slips", " 80 "}}, "Slips"), " 80  Total, 0 Transient");
  EXPECT_EQ(Value(FakeRecordset{{"Maximum Length Overall", 150}}, "Max LOA"), "150 ft.");
  EXPECT_EQ(Value(FakeRecordset{{"Maximum Length Overall", kNull}}, "Max LOA"), "n/a");
  EXPECT_EQ(Value(FakeRecordset{{"Maximum Length Overall", "  "}}, "Max LOA"), "n/a");
  EXPECT_EQ(Value(FakeRecordset{{"Max Beams", 45.5}}, "Max Beam"), "45.5 ft.");
  EXPECT_EQ(Value(FakeRecordset{{"Max Beam", 45.5}}, "Max Beam"), "n/a");
}

TEST(RateItem, DayWeekAndMonth) {
  EXPECT_EQ(Value(FakeRecordset{{"In Season Slips--Nightly Rate", 2.5},
                                {"Off Season Slips--Nightly Rate", 1.75},
                                {"In-season slips--comment", "call ahead"},
                                {"In Season Slips--Weekly Rate", 12},
                                {"In Season Slips--Monthly Rate", kNull}},
                  "Rate"),
            "<B>Day</B> $2.50/1.75*&nbsp;&nbsp;<B>Week</B> 12&nbsp;&nbsp;<B>Month</B> n/a");
  EXPECT_EQ(Value(FakeRecordset{{"In Season Slips--Nightly Rate", 0},
                                {"Off Season Slips--Nightly Rate", 1.5},
                                {"In Season Slips--Weekly Rate", 10.0},
                                {"In Season Slips--Monthly Rate", 30.5}},
                  "Rate"),
            "<B>Day</B> na/1.5&nbsp;&nbsp;<B>Week</B> 10&nbsp;&nbsp;<B>Month</B> 30.5");
  EXPECT_EQ(Value(FakeRecordset{}, "Rate"),
            "<B>Day</B> n/a&nbsp;&nbsp;<B>Week</B> n/a&nbsp;&nbsp;<B>Month</B> n/a");
  EXPECT_EQ(Value(FakeRecordset{{"In Season Slips--Nightly Rate", 4}, {"In-season slips--comment", "   "}}, "Rate"),
            "<B>Day</B> $4.00&nbsp;&nbsp;<B>Week</B> n/a&nbsp;&nbsp;<B>Month</B> n/a");
  // Half a cent rounds up as written, whatever the binary value of the rate.
  EXPECT_TRUE(Value(FakeRecordset{{"In Season Slips--Nightly Rate", 2.675}}, "Rate").startsWith("<B>Day</B> $2.68&"));
  EXPECT_TRUE(Value(FakeRecordset{{"In Season Slips--Nightly Rate", " 1.005 "}}, "Rate").startsWith("<B>Day</B> $1.01&"));
}

TEST(PowerItem, FourServicesWithTheirFallbacks) {
  EXPECT_EQ(Value(FakeRecordset{{"50 Amp $", "$8"}}, "Power"),
            "<B>30 amp</B> n/a, <B>50 amp</B> $8, <B>100 amp</B> n/a, <B>200 amp</B> n/a");
  EXPECT_EQ(Value(FakeRecordset{{"30 Amp $", " Incl. "}, {"200 Amp $", "$40,"}}, "Power"),
            "<B>30 amp</B> Incl., <B>50 amp</B> n/a, <B>100 amp</B> n/a, <B>200 amp</B> $40");
}

TEST(TelevisionAndPhoneItems, RatesDetailsAndFlags) {
  EXPECT_EQ(Value(FakeRecordset{{"Cable TV?", false}, {"Cable TV Rate $", "5"}}, "TV"), "No");
  EXPECT_EQ(Value(FakeRecordset{{"Cable TV?", true}, {"Cable TV Rate $", "5"}}, "TV"), "Yes, $5");
  EXPECT_EQ(Value(FakeRecordset{{"Cable TV?", true}, {"Cable TV Rate $", " $5 "}}, "TV"), "Yes, $5");
  EXPECT_EQ(Value(FakeRecordset{{"Cable TV?", true}, {"Cable TV Rate $", "  "}, {"Cable TV Details", " 40 ch "}}, "TV"),
            "Yes 40 ch");
  EXPECT_EQ(Value(FakeRecordset{{"Dock Side Phone?", kNull}}, "Phone"), "No");
  EXPECT_EQ(Value(FakeRecordset{{"Dock Side Phone?", true}, {"Switchboard?", true}, {"# of Lines", 2}}, "Phone"),
            "Yes, Switchboard, 2 line(s)");
  // Only a Null or empty rate means none: blanks give "Yes, $".
  EXPECT_EQ(Value(FakeRecordset{{"Dock Side Phone?", true}, {"Phone Hook-up Rate $", "  "}}, "Phone"), "Yes, $");
  EXPECT_EQ(Value(FakeRecordset{{"Dock Side Phone?", true},
                                {"Phone Hook-up Rate $", "$3/day"},
                                {"Phone Hook-up Details", "at the slip"},
                                {"Available for 1 Night?", true}},
                  "Phone"),
            "Yes, $3/day at the slip, Available for 1 Night");
  EXPECT_EQ(Value(FakeRecordset{{"# of Pay Phone", 2}, {"Pay Phones?", false}}, "Pay Phones"), "Yes, 2");
  EXPECT_EQ(Value(FakeRecordset{{"Pay Phones?", true}}, "Pay Phones"), "Yes");
  EXPECT_EQ(Value(FakeRecordset{{"# of Pay Phone", kNull}}, "Pay Phones"), "No");
}

TEST(DockAndMooringItems, DockTypesAndMoorings) {
  EXPECT_EQ(Value(FakeRecordset{{"Wood?", false}, {"Fixed?", kNull}}, "Dock Type"), "n/a");
  EXPECT_EQ(qw::MakeValueString(FakeRecordset{}, "Dock Type", false, false), "");
  EXPECT_EQ(Value(FakeRecordset{{"Aluminium?", true}}, "Dock Type"), "Aluminum");
  EXPECT_EQ(Value(FakeRecordset{{"Wood?", true}, {"Floating?", true}}, "Dock Type"), "Wood, Floating");
  EXPECT_EQ(Value(FakeRecordset{{"Wood?", true}, {"Aluminium?", true}}, "Dock Type"), "Wood, Aluminum");
  EXPECT_EQ(Value(FakeRecordset{{"Total # of Moorings", "  "}, {"Approx Transient #", kNull}}, "Moorings"),
            "0 Total, 0 Transient");
  EXPECT_EQ(Value(FakeRecordset{{"Total # of Moorings", " 40 "}}, "Moorings"), "40 Total, 0 Transient");
  EXPECT_EQ(Value(FakeRecordset{{"Total # of Moorings", 12}, {"Approx Transient #", 3}}, "Moorings"),
            "12 Total, 3 Transient");
  EXPECT_EQ(Value(FakeRecordset{}, "Moorings Rate"),
            "<B>Day</B> n/a&nbsp;&nbsp;&nbsp;<B>Week</B> n/a&nbsp;&nbsp;&nbsp;<B>Month</B> n/a");
  EXPECT_EQ(Value(FakeRecordset{{"In Season Moorings--Nightly Rates", " $40 "},
                                {"In Season Moorings--Monthly Rates", "$600"}},
                  "Moorings Rate"),
            "<B>Day</B> $40&nbsp;&nbsp;&nbsp;<B>Week</B> n/a&nbsp;&nbsp;&nbsp;<B>Month</B> $600");
}

TEST(DockAndMooringItems, Launch) {
  EXPECT_EQ(qw::MakeValueString(FakeRecordset{{"Launch Service Fee?", " "}}, "Launch", false, false), "n/a");
  EXPECT_EQ(Value(FakeRecordset{{"Launch Service Fee?", " "}, {"Dinghy Dock?", true}}, "Launch"), "n/a, Dinghy Dock");
  EXPECT_EQ(Value(FakeRecordset{{"Launch Service Fee?", " Ch. 9 "}, {"Launch Service Fee $", "  "}}, "Launch"),
            "Ch. 9");
  EXPECT_EQ(Value(FakeRecordset{{"Launch Service Fee?", "Yes"}, {"Launch Service Fee $", " $5 "}}, "Launch"),
            "Yes ($5)");
  EXPECT_EQ(Value(FakeRecordset{{"Dinghy Dock?", true}, {"Fee?", ""}}, "Launch"), "n/a, Dinghy Dock");
  EXPECT_EQ(Value(FakeRecordset{{"Dinghy Dock?", true}, {"Fee?", "  "}}, "Launch"), "n/a, Dinghy Dock (  )");
  EXPECT_EQ(Value(FakeRecordset{{"Dinghy Dock?", false}, {"Fee?", "$2"}}, "Launch"), "n/a");
  // A Yes/No value in these text columns shows Yes for True and nothing for False.
  EXPECT_EQ(Value(FakeRecordset{{"Launch Service Fee?", true}, {"Dinghy Dock?", true}, {"Fee?", true}}, "Launch"),
            "Yes, Dinghy Dock (Yes)");
  EXPECT_EQ(Value(FakeRecordset{{"Launch Service Fee?", false}, {"Dinghy Dock?", true}, {"Fee?", false}}, "Launch"),
            "n/a, Dinghy Dock");
}

TEST(ShoreFacilityItems, Heads) {
  EXPECT_EQ(Value(FakeRecordset{{"Toilets?", false}, {"Showers?", kNull}, {"Other Amenities", ""}}, "Heads"), "None");
  EXPECT_EQ(Value(FakeRecordset{{"Toilets?", true}, {"Total Toilets #(men+woman)", 4}, {"Showers?", true}}, "Heads"),
            "4 Toilet(s), Shower(s)");
  EXPECT_EQ(Value(FakeRecordset{{"Toilets?", true}, {"Total Toilets #(men+woman)", 0}}, "Heads"), "Toilet(s)");
  EXPECT_EQ(Value(FakeRecordset{{"Showers?", true}, {"Total Showers #(men+woman)", 2}, {"Dressing Rooms?", true}},
                  "Heads"),
            "2 Shower(s) <I>(with dressing rooms)</I>");
  EXPECT_EQ(Value(FakeRecordset{{"Total Showers #(men+woman)", 2}, {"Dressing Rooms?", true}}, "Heads"), "None");
  EXPECT_EQ(Value(FakeRecordset{{"Showers?", true}, {"Dressing Rooms?", true}}, "Heads"), "Shower(s)");
  EXPECT_EQ(Value(FakeRecordset{{"Other Amenities", "  Sauna, "}}, "Heads"), "Sauna");
  EXPECT_EQ(Value(FakeRecordset{{"Other Amenities", " , "}}, "Heads"), "None");
  EXPECT_EQ(Value(FakeRecordset{{"Toilets?", true}, {"Hair Dryers?", true}, {"Other Amenities", "<B>Spa</B>"}}, "Heads"),
            "Toilet(s), Hair Dryers, <B>Spa</B>");
}

TEST(ShoreFacilityItems, Laundry) {
  EXPECT_EQ(Value(FakeRecordset{{"Laundry?", false}}, "Laundry"), "None");
  EXPECT_EQ(Value(FakeRecordset{{"Laundry?", false}, {"On Site Book Exchange?", true}}, "Laundry"),
            "None, Book Exchange");
  EXPECT_EQ(Value(FakeRecordset{{"Laundry?", true}}, "Laundry"), "Yes");
  EXPECT_EQ(Value(FakeRecordset{{"Laundry?", true}, {"On Site Book Exchange?", true}}, "Laundry"),
            "Yes, Book Exchange");
  EXPECT_EQ(Value(FakeRecordset{{"Laundry?", true}, {"# of Wash Machines", 3}, {"# of Dryers", 2}}, "Laundry"),
            "3 Washer(s), 2 Dryer(s)");
  EXPECT_EQ(Value(FakeRecordset{{"Laundry?", false}, {"# of Wash Machines", 3}}, "Laundry"), "None");
  EXPECT_EQ(Value(FakeRecordset{{"Laundry?", true}, {"Irons?", true}, {"Ironing Boards?", true}}, "Laundry"),
            "Iron, Iron Board");
}

TEST(ShoreFacilityItems, PumpOutFeeAndClosedHeads) {
  EXPECT_EQ(Value(FakeRecordset{}, "Pump-Out"), "No");
  EXPECT_EQ(Value(FakeRecordset{{"On Site", true}, {"On Call", true}, {"Pumpout_Comments", " Free "}}, "Pump-Out"),
            "Onsite <I>(Free)</I>, OnCall <I>(Free)</I>");
  EXPECT_EQ(Value(FakeRecordset{{"On Site", true}, {"Pumpout_Comments", "  "}}, "Pump-Out"), "OnSite");
  EXPECT_EQ(Value(FakeRecordset{{"# In Slip Dedication Units", 2}}, "Pump-Out"), "2 InSlip");
  EXPECT_EQ(Value(FakeRecordset{{"# Central Stations", 1}, {"# In Slip Dedication Units", 2}}, "Pump-Out"),
            "1 Central, 2 InSlip");
  EXPECT_EQ(Value(FakeRecordset{{"Full Service", true}, {"Self Service", true}, {"# of Portable Units", 1}},
                  "Pump-Out"),
            "Full Service, Self Service, 1 Port");
  EXPECT_EQ(Value(FakeRecordset{{"Fee", 0}}, "Fee"), "n/a");
  EXPECT_EQ(qw::MakeValueString(FakeRecordset{{"Fee", kNull}}, "Fee", false, false), "n/a");
  EXPECT_EQ(Value(FakeRecordset{{"Fee", 5}}, "Fee"), "5");
  EXPECT_EQ(Value(FakeRecordset{{"Fee", 7.5}}, "Fee"), "7.5");
  EXPECT_EQ(Value(FakeRecordset{{"Closed Heads Required?", kNull}}, "Closed Heads"), "No");
  EXPECT_EQ(Value(FakeRecordset{{"Closed Heads Required?", 1}}, "Closed Heads"), "Yes");
}

}  // namespace

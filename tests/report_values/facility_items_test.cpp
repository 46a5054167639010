// Items of the marina's facilities table: fuel, slips, rates, power,
// telephones, docks, moorings, launch, heads, laundry and pump-out.
#include "item_cases.h"

namespace qw::testing {
namespace {

TEST(FuelItem, BrandAndKinds) {
  ExpectItem("Fuel", {{{{"Fuel?", false}, {"Brand", "Irving"}, {"Diesel?", true}}, "No"},
                      {{{"Fuel?", kNull}, {"Gasoline?", true}}, "No"},
                      {{{"Fuel?", true}}, "Yes"},
                      {{{"Fuel?", true}, {"Brand", "  "}}, "Yes"},
                      {{{"Fuel?", true}, {"Gasoline?", true}, {"Diesel?", true}}, "Gasoline, Diesel"},
                      {{{"Fuel?", true}, {"Brand", " Irving "}, {"Diesel?", true}}, "<I>Irving</I> - Diesel"},
                      {{{"Fuel?", true}, {"Brand", "Irving"}}, "<I>Irving</I> -"},
                      {{{"Fuel?", true},
                        {"Slip Side Fueling?", true},
                        {"Gasoline?", true},
                        {"Diesel?", true},
                        {"High-Speed Pumps?", true},
                        {"On Call Delivery?", true}},
                       "Slip-Side Fueling, Gasoline, Diesel, High-Speed Pumps, On Call Delivery"}});
}

TEST(SlipItems, SlipsLengthAndBeam) {
  ExpectItem("Slips", {{{{"Total # Slips", kNull}, {"Approx # of Transient Slips", kNull}}, "0 Total, 0 Transient"},
                       {{{"Total # Slips", 120}, {"Approx # of Transient Slips", 10}}, "120 Total, 10 Transient"},
                       {{{"Total # Slips", " 80 "}}, " 80  Total, 0 Transient"}});
  ExpectItem("Max LOA", {{{{"Maximum Length Overall", 150}}, "150 ft."},
                         {{{"Maximum Length Overall", kNull}}, "n/a"},
                         {{{"Maximum Length Overall", "  "}}, "n/a"}});
  ExpectItem("Max Beam", {{{{"Max Beams", 45.5}}, "45.5 ft."}, {{{"Max Beam", 45.5}}, "n/a"}});
}

TEST(RateItem, DayWeekAndMonth) {
  ExpectItem("Rate", {{{{"In Season Slips--Nightly Rate", 2.5},
                        {"Off Season Slips--Nightly Rate", 1.75},
                        {"In-season slips--comment", "call ahead"},
                        {"In Season Slips--Weekly Rate", 12},
                        {"In Season Slips--Monthly Rate", kNull}},
                       "<B>Day</B> $2.50/1.75*&nbsp;&nbsp;<B>Week</B> 12&nbsp;&nbsp;<B>Month</B> n/a"},
                      {{{"In Season Slips--Nightly Rate", 0},
                        {"Off Season Slips--Nightly Rate", 1.5},
                        {"In Season Slips--Weekly Rate", 10.0},
                        {"In Season Slips--Monthly Rate", 30.5}},
                       "<B>Day</B> na/1.5&nbsp;&nbsp;<B>Week</B> 10&nbsp;&nbsp;<B>Month</B> 30.5"},
                      {{}, "<B>Day</B> n/a&nbsp;&nbsp;<B>Week</B> n/a&nbsp;&nbsp;<B>Month</B> n/a"},
                      {{{"In Season Slips--Nightly Rate", 4}, {"In-season slips--comment", "   "}},
                       "<B>Day</B> $4.00&nbsp;&nbsp;<B>Week</B> n/a&nbsp;&nbsp;<B>Month</B> n/a"}});
  // Half a cent rounds up as written, whatever the binary value of the rate.
  EXPECT_TRUE(MakeValueString(FakeRecordset{{"In Season Slips--Nightly Rate", 2.675}}, "Rate", false, true)
                  .startsWith("<B>Day</B> $2.68&"));
  EXPECT_TRUE(MakeValueString(FakeRecordset{{"In Season Slips--Nightly Rate", " 1.005 "}}, "Rate", false, true)
                  .startsWith("<B>Day</B> $1.01&"));
}

TEST(PowerItem, FourServicesWithTheirFallbacks) {
  ExpectItem("Power",
             {{{{"50 Amp $", "$8"}}, "<B>30 amp</B> n/a, <B>50 amp</B> $8, <B>100 amp</B> n/a, <B>200 amp</B> n/a"},
              {{{"30 Amp $", " Incl. "}, {"200 Amp $", "$40,"}},
               "<B>30 amp</B> Incl., <B>50 amp</B> n/a, <B>100 amp</B> n/a, <B>200 amp</B> $40"}});
}

TEST(TelevisionAndPhoneItems, RatesDetailsAndFlags) {
  ExpectItem("TV", {{{{"Cable TV?", false}, {"Cable TV Rate $", "5"}}, "No"},
                    {{{"Cable TV?", true}, {"Cable TV Rate $", "5"}}, "Yes, $5"},
                    {{{"Cable TV?", true}, {"Cable TV Rate $", " $5 "}}, "Yes, $5"},
                    {{{"Cable TV?", true}, {"Cable TV Rate $", "  "}, {"Cable TV Details", " 40 ch "}}, "Yes 40 ch"}});
  ExpectItem("Phone",
             {{{{"Dock Side Phone?", kNull}}, "No"},
              {{{"Dock Side Phone?", true}, {"Switchboard?", true}, {"# of Lines", 2}}, "Yes, Switchboard, 2 line(s)"},
              // Only a Null or empty rate means none: blanks give "Yes, $".
              {{{"Dock Side Phone?", true}, {"Phone Hook-up Rate $", "  "}}, "Yes, $"},
              {{{"Dock Side Phone?", true},
                {"Phone Hook-up Rate $", "$3/day"},
                {"Phone Hook-up Details", "at the slip"},
                {"Available for 1 Night?", true}},
               "Yes, $3/day at the slip, Available for 1 Night"}});
  ExpectItem("Pay Phones", {{{{"# of Pay Phone", 2}, {"Pay Phones?", false}}, "Yes, 2"},
                            {{{"Pay Phones?", true}}, "Yes"},
                            {{{"# of Pay Phone", kNull}}, "No"}});
}

TEST(DockAndMooringItems, DockTypesAndMoorings) {
  ExpectItem("Dock Type", {{{{"Wood?", false}, {"Fixed?", kNull}}, "n/a"},
                           {{}, "", false},
                           {{{"Aluminium?", true}}, "Aluminum"},
                           {{{"Wood?", true}, {"Floating?", true}}, "Wood, Floating"},
                           {{{"Wood?", true}, {"Aluminium?", true}}, "Wood, Aluminum"}});
  ExpectItem("Moorings", {{{{"Total # of Moorings", "  "}, {"Approx Transient #", kNull}}, "0 Total, 0 Transient"},
                          {{{"Total # of Moorings", " 40 "}}, "40 Total, 0 Transient"},
                          {{{"Total # of Moorings", 12}, {"Approx Transient #", 3}}, "12 Total, 3 Transient"}});
  ExpectItem("Moorings Rate",
             {{{}, "<B>Day</B> n/a&nbsp;&nbsp;&nbsp;<B>Week</B> n/a&nbsp;&nbsp;&nbsp;<B>Month</B> n/a"},
              {{{"In Season Moorings--Nightly Rates", " $40 "}, {"In Season Moorings--Monthly Rates", "$600"}},
               "<B>Day</B> $40&nbsp;&nbsp;&nbsp;<B>Week</B> n/a&nbsp;&nbsp;&nbsp;<B>Month</B> $600"}});
}

TEST(DockAndMooringItems, Launch) {
  ExpectItem("Launch",
             {{{{"Launch Service Fee?", " "}}, "n/a", false},
              {{{"Launch Service Fee?", " "}, {"Dinghy Dock?", true}}, "n/a, Dinghy Dock"},
              {{{"Launch Service Fee?", " Ch. 9 "}, {"Launch Service Fee $", "  "}}, "Ch. 9"},
              {{{"Launch Service Fee?", "Yes"}, {"Launch Service Fee $", " $5 "}}, "Yes ($5)"},
              {{{"Dinghy Dock?", true}, {"Fee?", ""}}, "n/a, Dinghy Dock"},
              {{{"Dinghy Dock?", true}, {"Fee?", "  "}}, "n/a, Dinghy Dock (  )"},
              {{{"Dinghy Dock?", false}, {"Fee?", "$2"}}, "n/a"},
              // A Yes/No value in these text columns shows Yes for True and nothing for False.
              {{{"Launch Service Fee?", true}, {"Dinghy Dock?", true}, {"Fee?", true}}, "Yes, Dinghy Dock (Yes)"},
              {{{"Launch Service Fee?", false}, {"Dinghy Dock?", true}, {"Fee?", false}}, "n/a, Dinghy Dock"}});
}

TEST(ShoreFacilityItems, Heads) {
  ExpectItem("Heads",
             {{{{"Toilets?", false}, {"Showers?", kNull}, {"Other Amenities", ""}}, "None"},
              {{{"Toilets?", true}, {"Total Toilets #(men+woman)", 4}, {"Showers?", true}}, "4 Toilet(s), Shower(s)"},
              {{{"Toilets?", true}, {"Total Toilets #(men+woman)", 0}}, "Toilet(s)"},
              {{{"Showers?", true}, {"Total Showers #(men+woman)", 2}, {"Dressing Rooms?", true}},
               "2 Shower(s) <I>(with dressing rooms)</I>"},
              {{{"Total Showers #(men+woman)", 2}, {"Dressing Rooms?", true}}, "None"},
              {{{"Showers?", true}, {"Dressing Rooms?", true}}, "Shower(s)"},
              {{{"Other Amenities", "  Sauna, "}}, "Sauna"},
              {{{"Other Amenities", " , "}}, "None"},
              {{{"Toilets?", true}, {"Hair Dryers?", true}, {"Other Amenities", "<B>Spa</B>"}},
               "Toilet(s), Hair Dryers, <B>Spa</B>"}});
}

TEST(ShoreFacilityItems, Laundry) {
  ExpectItem("Laundry",
             {{{{"Laundry?", false}}, "None"},
              {{{"Laundry?", false}, {"On Site Book Exchange?", true}}, "None, Book Exchange"},
              {{{"Laundry?", true}}, "Yes"},
              {{{"Laundry?", true}, {"On Site Book Exchange?", true}}, "Yes, Book Exchange"},
              {{{"Laundry?", true}, {"# of Wash Machines", 3}, {"# of Dryers", 2}}, "3 Washer(s), 2 Dryer(s)"},
              {{{"Laundry?", false}, {"# of Wash Machines", 3}}, "None"},
              {{{"Laundry?", true}, {"Irons?", true}, {"Ironing Boards?", true}}, "Iron, Iron Board"}});
}

TEST(ShoreFacilityItems, PumpOutFeeAndClosedHeads) {
  ExpectItem("Pump-Out", {{{}, "No"},
                          {{{"On Site", true}, {"On Call", true}, {"Pumpout_Comments", " Free "}},
                           "Onsite <I>(Free)</I>, OnCall <I>(Free)</I>"},
                          {{{"On Site", true}, {"Pumpout_Comments", "  "}}, "OnSite"},
                          {{{"# In Slip Dedication Units", 2}}, "2 InSlip"},
                          {{{"# Central Stations", 1}, {"# In Slip Dedication Units", 2}}, "1 Central, 2 InSlip"},
                          {{{"Full Service", true}, {"Self Service", true}, {"# of Portable Units", 1}},
                           "Full Service, Self Service, 1 Port"}});
  ExpectItem("Fee",
             {{{{"Fee", 0}}, "n/a"}, {{{"Fee", kNull}}, "n/a", false}, {{{"Fee", 5}}, "5"}, {{{"Fee", 7.5}}, "7.5"}});
  ExpectItem("Closed Heads", {{{{"Closed Heads Required?", kNull}}, "No"}, {{{"Closed Heads Required?", 1}}, "Yes"}});
}

}  // namespace
}  // namespace qw::testing

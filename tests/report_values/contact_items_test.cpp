// Items of the contact, boatyard, notes and services tables.
#include "item_cases.h"

namespace qw::testing {
namespace {

TEST(ContactItems, AddressLine) {
  ExpectItem(
      "PO Box",
      {{{{"PO  Box", kNull}, {"Street", ""}, {"City", kNull}, {"State", kNull}, {"Zip", ""}}, "", false},
       {{{"PO  Box", " 12 "}, {"Street", "1 Wharf St"}, {"City", "Camden"}, {"State", "ME"}, {"Zip", "04843-1234"}},
        "PO Box 12;  1 Wharf St;  Camden,  ME&nbsp;&nbsp;04843",
        false},
       {{{"PO  Box", " p.o. BOX 7 "}}, "p.o. BOX 7", false},
       {{{"PO  Box", "7"}, {"Street", "1 Wharf St"}}, "PO Box 7;  1 Wharf St", false},
       {{{"City", "Camden"}}, "Camden,", false},
       {{{"Zip", "046"}}, "046", false}});
}

TEST(ContactItems, TelephonesAndFax) {
  ExpectItem("ContactPhone",
             {{{{"Phone", "207-555-0134"}, {"Toll Free Phone", "(800) 555-0147"}}, "(207) 555-0134; (800) 555-0147"},
              {{{"Phone", kNull}, {"Toll Free Phone", "(800) 555-0147"}}, "; (800) 555-0147"},
              {{{"Phone", "555-0134"}}, "555-0134"},
              {{{"Phone", ""}}, "n/a"},
              {{{"Phone", "  "}}, "-"}});
  ExpectItem("ContactFax", {{{}, "n/a&nbsp;&nbsp;&nbsp;<B>Alternate Tel:</B> n/a"},
                            {{{"Fax", "5085550119"}, {"After-Hours Phone", "508 555 0120"}},
                             "(508) 555-0119&nbsp;&nbsp;&nbsp;<B>Alternate Tel: </B>(508) 555-0120"}});
  ExpectItem("TouristInfo", {{{{"CofC Phone", "207-555-0101"}}, "207-555-0101"}});
}

TEST(ContactItems, NearestTown) {
  ExpectItem("Nearest Town",
             {{{{"Nearest Town", "Camden"}, {"Miles to Town", " 2.5 "}}, "Camden<I>&nbsp;(2.5 mi.)</I>"},
              {{{"Nearest Town", "Camden"}, {"Miles to Town", "1,200"}}, "Camden<I>&nbsp;(1,200 mi.)</I>"},
              {{{"Nearest Town", "Camden"}, {"Miles to Town", "1/2"}}, "Camden<I>&nbsp;(1/2)</I>"},
              {{{"Nearest Town", "Camden"}, {"Miles to Town", "2-3"}}, "Camden<I>&nbsp;(2-3)</I>"},
              {{{"Nearest Town", "Camden"}, {"Miles to Town", " "}}, "Camden<I>&nbsp;()</I>"},
              {{{"Nearest Town", "Camden"}}, "Camden"},
              {{{"Nearest Town", kNull}, {"Miles to Town", "3"}}, "n/a"}});
}

TEST(ContactItems, RadioMailAndWeb) {
  ExpectItem("VHF", {{{{"VHF Monitor", "16"}, {"VHF Talk", "9"}}, "<B>Monitor</B> 16&nbsp;&nbsp;<B>Talk</B> 9"},
                     {{{"VHF Monitor", "  "}, {"VHF Talk", kNull}}, "<B>Monitor</B> n/a&nbsp;&nbsp;<B>Talk</B> n/a"}});
  ExpectItem("Email", {{{{"E-mail", "info@x.example.com"}}, "info@x.example.com"}});
  ExpectItem("Web", {{{{"Website", "www.x.example.com."}}, "www.x.example.com."}, {{{"Website", kNull}}, "n/a"}});
}

TEST(ContactItems, StoredTextsEscapedExceptTheFreeTextsHoldingHtml) {
  ExpectItem("Web", {{{{"Website", "www.a.example.com/?x=1&y=<2>"}}, "www.a.example.com/?x=1&amp;y=&lt;2&gt;"}});
  ExpectItem("Tide", {{{{"Tidal Range", " <1 ft. & more> "}}, "&lt;1 ft. &amp; more&gt;"}});
  ExpectItem("Access", {{{{"Navigational Directions from ICW", " Keep <I>R2</I> &amp; G3 to port "}},
                         "Keep <I>R2</I> &amp; G3 to port"}});
  ExpectItem("Nearest Town", {{{{"Nearest Town", "Orr's Island & Co"}, {"Miles to Town", "2"}},
                               "Orr's Island &amp; Co<I>&nbsp;(2 mi.)</I>"}});
  ExpectItem("Lat", {{{{"Latitude", "4221.345"}}, "42&deg;21.345'"}});
  ExpectItem("Marina Notes", {{{{"Marina Notes", "<B>Fuel</B> &amp; ice"}}, "<B>Fuel</B> &amp; ice"}});
}

const char kOwnYard[] = "Marina has Boatyard on site?";

TEST(BoatyardItems, NearestYard) {
  ExpectItem(
      "Nearest Yard",
      {{{{kOwnYard, true}, {"Name of Nearest Boatyard", "Bay Yard"}}, "n/a"},
       {{{kOwnYard, kNull}, {"Name of Nearest Boatyard", "Bay Yard"}}, "n/a"},
       {{{"Name of Nearest Boatyard", "Bay Yard"}}, "n/a"},
       {{{kOwnYard, false}, {"Name of Nearest Boatyard", ""}, {"Phone Number of Nearest Boatyard", "508-555-0142"}},
        "n/a"},
       {{{kOwnYard, false}, {"Name of Nearest Boatyard", "   "}}, "   "},
       {{{kOwnYard, 0}, {"Name of Nearest Boatyard", "Bay Yard"}, {"Phone Number of Nearest Boatyard", "508-555-0142"}},
        "Bay Yard (508) 555-0142"},
       {{{kOwnYard, false}, {"Name of Nearest Boatyard", "Bay Yard"}, {"Phone Number of Nearest Boatyard", "  "}},
        "Bay Yard -"}});
}

TEST(BoatyardItems, YardRates) {
  ExpectItem("Yard Rates", {{{{kOwnYard, false}, {"Yard Rate", "$75/hr"}}, "n/a"},
                            {{{kOwnYard, true}, {"Blocking", "$50"}}, "n/a"},
                            {{{kOwnYard, true},
                              {"Yard Rate", " $75/hr "},
                              {"Haul & Launch", " $8/ft "},
                              {"Blocking", " INCLUDED"},
                              {"Power Wash", "$2/ft"},
                              {"Bottom Paint", "$20/ft"},
                              {"Paint Incl?", true}},
                             "$75/hr, Haul & Launch $8/ft <I> (blocking  included)</I>, Power Wash $2/ft, "
                             "Bottom Paint $20/ft <I>(paint included)</I>"},
                            {{{kOwnYard, true}, {"Haul & Launch", "$8/FT"}, {"Blocking", "INCLUDED"}},
                             "Haul & Launch $8/FT <I> (blocking included)</I>"},
                            {{{kOwnYard, true}, {"Haul & Launch", "$8/ft"}}, "Haul & Launch $8/ft"},
                            {{{kOwnYard, true}, {"Paint Incl?", true}, {"Bottom Paint", " "}}, "n/a"}});
}

TEST(BoatyardItems, MemberAndStorage) {
  ExpectItem("Member", {{{{"Member of ABBRA?", true}, {"# of ABBRA Certified Technicians", 0}}, "ABBRA"},
                        {{{"Member of ABBRA?", false}, {"# of ABBRA Certified Technicians", 3}}, "n/a"},
                        {{{"Member of ABBRA?", true},
                          {"# of ABBRA Certified Technicians", 2},
                          {"Member of ABYC?", true},
                          {"# of AYC Certified Technicians", 1},
                          {"Other Certifications", " Yamaha, "}},
                         "ABBRA - 2 Certified Tech(s), ABYC - 1 Certified Tech(s), Other Certifications: Yamaha,"}});
  ExpectItem("Storage", {{{{"On Land", "150 boats"}}, "On-Land 150 boats"},
                         {{{"In Water", "40 boats"}}, "In-Water 40 boats"},
                         {{{"In Water", "Yes"}, {"On Land", "Yes"}}, "In-Water Yes, On-Land Yes"},
                         {{{"In Water", ""}}, "n/a"}});
}

TEST(NotesItems, StoredTextsAsTheyAre) {
  const FakeRecordset row{{"Environs", "Quiet <B>cove</B> &amp; village"}, {"Marina Notes", kNull}, {"Notable", "   "}};
  ExpectItem("Environs", {{row, "Quiet <B>cove</B> &amp; village"}, {{{"Environs", ""}}, "n/a"}});
  ExpectItem("Marina Notes", {{row, "n/a"}, {{{"Marina Notes", " line one\r\nline two "}}, " line one\r\nline two "}});
  ExpectItem("Notable", {{row, "   "}});
}

TEST(ServicesItems, ServicesKeepTheirTrailingSeparator) {
  ExpectItem("Services",
             {{{}, "n/a"},
              {{{"Dock Carts", true}}, "Dock Carts, "},
              {{{"Security", true}}, "Security, "},
              {{{"Security", true}, {"No of Hours", " 24 hrs "}}, "Security <I>(24 hrs)</I>, "},
              {{{"Security", true}, {"No of Hours", "24 hrs"}, {"Describe", "Locked gate"}},
               "Security <I>(24 hrs, Locked gate)</I>, "},
              {{{"Security", true}, {"No of Hours", "   "}}, "Security, "},
              {{{"Security", false}, {"No of Hours", "24 hrs"}, {"Crew Lounge", true}}, "Crew Lounge, "},
              {{{"Docking Assistance", true},
                {"Concierge Services", true},
                {"Room Service to the Boat", true},
                {"Boaters Lounge", true},
                {"Trash Pick-Up", true}},
               "Docking Assistance, Concierge, Room Service to the Boat, Boaters' Lounge, Trash Pick-Up, "}});
}

TEST(ServicesItems, BigBoatFacilities) {
  ExpectItem("Services1",
             {{{}, "n/a"},
              {{{"European Voltage?", true}}, "European Voltage"},
              {{{"European Voltage?", kNull}}, "n/a"},
              {{{"Mega Yacht Facilities?", true}, {"300 Amp $", "$90"}}, "Megayacht Facilities,  300 amps"},
              {{{"300 Amp $", "$90"}, {"3 Phase $", "Yes"}, {"European Voltage?", true}},
               "300 amps, 3 Phase, European Voltage"}});
}

TEST(CommunicationItem, EntriesDetailsAndSaturdayDelivery) {
  const char ports[] = "Data Ports(send/Receive email)";
  ExpectItem(
      "Communication",
      {{{}, "n/a"},
       {{{"Mail & Package Hold", true}, {"Phone Messages", true}}, "Mail & Package Hold, Phone Messages"},
       {{{"Fax--In and Out", true}, {"Fax Charge", kNull}}, "Fax in/out"},
       {{{"Fax--In and Out", true}, {"Fax Charge", ""}}, "Fax in/out"},
       {{{"Fax--In and Out", true}, {"Fax Charge", "  "}}, "Fax in/out"},
       {{{"Fax--In and Out", true}, {"Fax Charge", "0"}}, "Fax in/out"},
       {{{"Fax--In and Out", true}, {"Fax Charge", "0.00"}}, "Fax in/out <I>(0.00)</I>"},
       {{{"Fax--In and Out", true}, {"Fax Charge", " $1/page "}}, "Fax in/out <I>($1/page)</I>"},
       {{{"Fax Charge", "$1/page"}}, "n/a"},
       {{{ports, true}, {"Where Located", "Office"}, {"Data Port Rate", "$5/day"}},
        "Data Ports <I>(Office, $5/day)</I>"},
       {{{ports, true}, {"Where Located", "Office"}}, "Data Ports <I>(Office)</I>"},
       {{{ports, true}, {"Data Port Rate", "$5/day"}}, "Data Ports <I>($5/day)</I>"},
       {{{ports, true}}, "Data Ports"},
       {{{ports, true}, {"Where Located", "Office  "}, {"Data Port Rate", "$5"}}, "Data Ports <I>(Office  , $5)</I>"},
       {{{"FedEx", true}, {"UPS", true}, {"Saturday Delivery?", true}}, "FedEx, UPS <I>(Sat Del)</I>"},
       {{{"Saturday Delivery?", true}}, "<I>(Sat Del)</I>"},
       {{{"Mail & Package Hold", true}, {"Saturday Delivery?", true}}, "Mail & Package Hold <I>(Sat Del)</I>"},
       {{{"AirBorne", true}, {"Express Mail", true}}, "AirBorne, Express Mail"}});
}

}  // namespace
}  // namespace qw::testing

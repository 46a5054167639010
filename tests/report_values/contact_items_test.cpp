// Items of the contact, boatyard, notes and services tables.
#include <gtest/gtest.h>

#include "common/fake_recordset.h"
#include "report_values/make_value_string.h"

namespace {

using qw::testing::FakeRecordset;
const QVariant kNull = FakeRecordset::Null();

QString Value(const FakeRecordset& rs, const QString& key) { return qw::MakeValueString(rs, key, false, true); }
QString Address(const FakeRecordset& rs) { return qw::MakeValueString(rs, "PO Box", false, false); }

TEST(ContactItems, AddressLine) {
  EXPECT_EQ(Address(FakeRecordset{{"PO  Box", kNull}, {"Street", ""}, {"City", kNull}, {"State", kNull}, {"Zip", ""}}),
            "");
  EXPECT_EQ(Address(FakeRecordset{{"PO  Box", " 12 "},
                                  {"Street", "1 Wharf St"},
                                  {"City", "Camden"},
                                  {"State", "ME"},
                                  {"Zip", "04843-1234"}}),
            "PO Box 12;  1 Wharf St;  Camden,  ME&nbsp;&nbsp;04843");
  EXPECT_EQ(Address(FakeRecordset{{"PO  Box", " p.o. BOX 7 "}}), "p.o. BOX 7");
  EXPECT_EQ(Address(FakeRecordset{{"PO  Box", "7"}, {"Street", "1 Wharf St"}}), "PO Box 7;  1 Wharf St");
  EXPECT_EQ(Address(FakeRecordset{{"City", "Camden"}}), "Camden,");
  EXPECT_EQ(Address(FakeRecordset{{"Zip", "046"}}), "046");
}

TEST(ContactItems, TelephonesAndFax) {
  EXPECT_EQ(Value(FakeRecordset{{"Phone", "207-555-0134"}, {"Toll Free Phone", "(800) 555-0147"}}, "ContactPhone"),
            "(207) 555-0134; (800) 555-0147");
  EXPECT_EQ(Value(FakeRecordset{{"Phone", kNull}, {"Toll Free Phone", "(800) 555-0147"}}, "ContactPhone"),
            "; (800) 555-0147");
  EXPECT_EQ(Value(FakeRecordset{{"Phone", "555-0134"}}, "ContactPhone"), "555-0134");
  EXPECT_EQ(Value(FakeRecordset{{"Phone", ""}}, "ContactPhone"), "n/a");
  EXPECT_EQ(Value(FakeRecordset{{"Phone", "  "}}, "ContactPhone"), "-");
  EXPECT_EQ(Value(FakeRecordset{}, "ContactFax"), "n/a&nbsp;&nbsp;&nbsp;<B>Alternate Tel:</B> n/a");
  EXPECT_EQ(Value(FakeRecordset{{"Fax", "5085550119"}, {"After-Hours Phone", "508 555 0120"}}, "ContactFax"),
            "(508) 555-0119&nbsp;&nbsp;&nbsp;<B>Alternate Tel: </B>(508) 555-0120");
  EXPECT_EQ(Value(FakeRecordset{{"CofC Phone", "207-555-0101"}}, "TouristInfo"), "207-555-0101");
}

TEST(ContactItems, NearestTown) {
  EXPECT_EQ(Value(FakeRecordset{{"Nearest Town", "Camden"}, {"Miles to Town", " 2.5 "}}, "Nearest Town"),
            "Camden<I>&nbsp;(2.5 mi.)</I>");
  EXPECT_EQ(Value(FakeRecordset{{"Nearest Town", "Camden"}, {"Miles to Town", "1,200"}}, "Nearest Town"),
            "Camden<I>&nbsp;(1,200 mi.)</I>");
  EXPECT_EQ(Value(FakeRecordset{{"Nearest Town", "Camden"}, {"Miles to Town", "1/2"}}, "Nearest Town"),
            "Camden<I>&nbsp;(1/2)</I>");
  EXPECT_EQ(Value(FakeRecordset{{"Nearest Town", "Camden"}, {"Miles to Town", "2-3"}}, "Nearest Town"),
            "Camden<I>&nbsp;(2-3)</I>");
  EXPECT_EQ(Value(FakeRecordset{{"Nearest Town", "Camden"}, {"Miles to Town", " "}}, "Nearest Town"),
            "Camden<I>&nbsp;()</I>");
  EXPECT_EQ(Value(FakeRecordset{{"Nearest Town", "Camden"}}, "Nearest Town"), "Camden");
  EXPECT_EQ(Value(FakeRecordset{{"Nearest Town", kNull}, {"Miles to Town", "3"}}, "Nearest Town"), "n/a");
}

TEST(ContactItems, RadioMailAndWeb) {
  EXPECT_EQ(Value(FakeRecordset{{"VHF Monitor", "16"}, {"VHF Talk", "9"}}, "VHF"),
            "<B>Monitor</B> 16&nbsp;&nbsp;<B>Talk</B> 9");
  EXPECT_EQ(Value(FakeRecordset{{"VHF Monitor", "  "}, {"VHF Talk", kNull}}, "VHF"),
            "<B>Monitor</B> n/a&nbsp;&nbsp;<B>Talk</B> n/a");
  EXPECT_EQ(Value(FakeRecordset{{"E-mail", "info@x.example.com"}}, "Email"), "info@x.example.com");
  EXPECT_EQ(Value(FakeRecordset{{"Website", "www.x.example.com."}}, "Web"), "www.x.example.com.");
  EXPECT_EQ(Value(FakeRecordset{{"Website", kNull}}, "Web"), "n/a");
}

TEST(BoatyardItems, NearestYard) {
  const char* own = "Marina has Boatyard on site?";
  EXPECT_EQ(Value(FakeRecordset{{own, true}, {"Name of Nearest Boatyard", "Bay Yard"}}, "Nearest Yard"), "n/a");
  EXPECT_EQ(Value(FakeRecordset{{own, kNull}, {"Name of Nearest Boatyard", "Bay Yard"}}, "Nearest Yard"), "n/a");
  EXPECT_EQ(Value(FakeRecordset{{"Name of Nearest Boatyard", "Bay Yard"}}, "Nearest Yard"), "n/a");
  EXPECT_EQ(Value(FakeRecordset{{own, false}, {"Name of Nearest Boatyard", ""},
                                {"Phone Number of Nearest Boatyard", "508-555-0142"}},
                  "Nearest Yard"),
            "n/a");
  EXPECT_EQ(Value(FakeRecordset{{own, false}, {"Name of Nearest Boatyard", "   "}}, "Nearest Yard"), "   ");
  EXPECT_EQ(Value(FakeRecordset{{own, 0}, {"Name of Nearest Boatyard", "Bay Yard"},
                                {"Phone Number of Nearest Boatyard", "508-555-0142"}},
                  "Nearest Yard"),
            "Bay Yard (508) 555-0142");
  EXPECT_EQ(Value(FakeRecordset{{own, false}, {"Name of Nearest Boatyard", "Bay Yard"},
                                {"Phone Number of Nearest Boatyard", "  "}},
                  "Nearest Yard"),
            "Bay Yard -");
}

TEST(BoatyardItems, YardRates) {
  const char* own = "Marina has Boatyard on site?";
  EXPECT_EQ(Value(FakeRecordset{{own, false}, {"Yard Rate", "$75/hr"}}, "Yard Rates"), "n/a");
  EXPECT_EQ(Value(FakeRecordset{{own, true}, {"Blocking", "$50"}}, "Yard Rates"), "n/a");
  EXPECT_EQ(Value(FakeRecordset{{own, true},
                                {"Yard Rate", " $75/hr "},
                                {"Haul & Launch", " $8/ft "},
                                {"Blocking", " INCLUDED"},
                                {"Power Wash", "$2/ft"},
                                {"Bottom Paint", "$20/ft"},
                                {"Paint Incl?", true}},
                  "Yard Rates"),
            "$75/hr, Haul & Launch $8/ft <I> (blocking  included)</I>, Power Wash $2/ft, "
            "Bottom Paint $20/ft <I>(paint included)</I>");
  EXPECT_EQ(Value(FakeRecordset{{own, true}, {"Haul & Launch", "$8/FT"}, {"Blocking", "INCLUDED"}}, "Yard Rates"),
            "Haul & Launch $8/FT <I> (blocking included)</I>");
  EXPECT_EQ(Value(FakeRecordset{{own, true}, {"Haul & Launch", "$8/ft"}}, "Yard Rates"), "Haul & Launch $8/ft");
  EXPECT_EQ(Value(FakeRecordset{{own, true}, {"Paint Incl?", true}, {"Bottom Paint", " "}}, "Yard Rates"), "n/a");
}

TEST(BoatyardItems, MemberAndStorage) {
  EXPECT_EQ(Value(FakeRecordset{{"Member of ABBRA?", true}, {"# of ABBRA Certified Technicians", 0}}, "Member"),
            "ABBRA");
  EXPECT_EQ(Value(FakeRecordset{{"Member of ABBRA?", false}, {"# of ABBRA Certified Technicians", 3}}, "Member"),
            "n/a");
  EXPECT_EQ(Value(FakeRecordset{{"Member of ABBRA?", true},
                                {"# of ABBRA Certified Technicians", 2},
                                {"Member of ABYC?", true},
                                {"# of AYC Certified Technicians", 1},
                                {"Other Certifications", " Yamaha, "}},
                  "Member"),
            "ABBRA - 2 Certified Tech(s), ABYC - 1 Certified Tech(s), Other Certifications: Yamaha,");
  EXPECT_EQ(Value(FakeRecordset{{"On Land", "150 boats"}}, "Storage"), "On-Land 150 boats");
  EXPECT_EQ(Value(FakeRecordset{{"In Water", "40 boats"}}, "Storage"), "In-Water 40 boats");
  EXPECT_EQ(Value(FakeRecordset{{"In Water", "Yes"}, {"On Land", "Yes"}}, "Storage"), "In-Water Yes, On-Land Yes");
  EXPECT_EQ(Value(FakeRecordset{{"In Water", ""}}, "Storage"), "n/a");
}

TEST(NotesItems, StoredTextsAsTheyAre) {
  FakeRecordset rs{{"Environs", "Quiet <B>cove</B> &amp; village"}, {"Marina Notes", kNull}, {"Notable", "   "}};
  EXPECT_EQ(Value(rs, "Environs"), "Quiet <B>cove</B> &amp; village");
  EXPECT_EQ(Value(rs, "Marina Notes"), "n/a");
  EXPECT_EQ(Value(rs, "Notable"), "   ");
  EXPECT_EQ(Value(FakeRecordset{{"Environs", ""}}, "Environs"), "n/a");
  EXPECT_EQ(Value(FakeRecordset{{"Marina Notes", " line one\r\nline two "}}, "Marina Notes"), " line one\r\nline two ");
}

TEST(ServicesItems, ServicesKeepTheirTrailingSeparator) {
  EXPECT_EQ(Value(FakeRecordset{}, "Services"), "n/a");
  EXPECT_EQ(Value(FakeRecordset{{"Dock Carts", true}}, "Services"), "Dock Carts, ");
  EXPECT_EQ(Value(FakeRecordset{{"Security", true}}, "Services"), "Security, ");
  EXPECT_EQ(Value(FakeRecordset{{"Security", true}, {"No of Hours", " 24 hrs "}}, "Services"),
            "Security <I>(24 hrs)</I>, ");
  EXPECT_EQ(Value(FakeRecordset{{"Security", true}, {"No of Hours", "24 hrs"}, {"Describe", "Locked gate"}},
                  "Services"),
            "Security <I>(24 hrs, Locked gate)</I>, ");
  EXPECT_EQ(Value(FakeRecordset{{"Security", true}, {"No of Hours", "   "}}, "Services"), "Security, ");
  EXPECT_EQ(Value(FakeRecordset{{"Security", false}, {"No of Hours", "24 hrs"}, {"Crew Lounge", true}}, "Services"),
            "Crew Lounge, ");
  EXPECT_EQ(Value(FakeRecordset{{"Docking Assistance", true},
                                {"Concierge Services", true},
                                {"Room Service to the Boat", true},
                                {"Boaters Lounge", true},
                                {"Trash Pick-Up", true}},
                  "Services"),
            "Docking Assistance, Concierge, Room Service to the Boat, Boaters' Lounge, Trash Pick-Up, ");
}

TEST(ServicesItems, BigBoatFacilities) {
  EXPECT_EQ(Value(FakeRecordset{}, "Services1"), "n/a");
  EXPECT_EQ(Value(FakeRecordset{{"European Voltage?", true}}, "Services1"), "European Voltage");
  EXPECT_EQ(Value(FakeRecordset{{"European Voltage?", kNull}}, "Services1"), "n/a");
  EXPECT_EQ(Value(FakeRecordset{{"Mega Yacht Facilities?", true}, {"300 Amp $", "$90"}}, "Services1"),
            "Megayacht Facilities,  300 amps");
  EXPECT_EQ(Value(FakeRecordset{{"300 Amp $", "$90"}, {"3 Phase $", "Yes"}, {"European Voltage?", true}}, "Services1"),
            "300 amps, 3 Phase, European Voltage");
}

TEST(CommunicationItem, EntriesDetailsAndSaturdayDelivery) {
  EXPECT_EQ(Value(FakeRecordset{}, "Communication"), "n/a");
  EXPECT_EQ(Value(FakeRecordset{{"Mail & Package Hold", true}, {"Phone Messages", true}}, "Communication"),
            "Mail & Package Hold, Phone Messages");
  for (const QVariant& charge : {kNull, QVariant(""), QVariant("  "), QVariant("0")}) {
    EXPECT_EQ(Value(FakeRecordset{{"Fax--In and Out", true}, {"Fax Charge", charge}}, "Communication"), "Fax in/out");
  }
  EXPECT_EQ(Value(FakeRecordset{{"Fax--In and Out", true}, {"Fax Charge", "0.00"}}, "Communication"),
            "Fax in/out <I>(0.00)</I>");
  EXPECT_EQ(Value(FakeRecordset{{"Fax--In and Out", true}, {"Fax Charge", " $1/page "}}, "Communication"),
            "Fax in/out <I>($1/page)</I>");
  EXPECT_EQ(Value(FakeRecordset{{"Fax Charge", "$1/page"}}, "Communication"), "n/a");
  const char* ports = "Data Ports(send/Receive email)";
  EXPECT_EQ(Value(FakeRecordset{{ports, true}, {"Where Located", "Office"}, {"Data Port Rate", "$5/day"}},
                  "Communication"),
            "Data Ports <I>(Office, $5/day)</I>");
  EXPECT_EQ(Value(FakeRecordset{{ports, true}, {"Where Located", "Office"}}, "Communication"),
            "Data Ports <I>(Office)</I>");
  EXPECT_EQ(Value(FakeRecordset{{ports, true}, {"Data Port Rate", "$5/day"}}, "Communication"),
            "Data Ports <I>($5/day)</I>");
  EXPECT_EQ(Value(FakeRecordset{{ports, true}}, "Communication"), "Data Ports");
  EXPECT_EQ(Value(FakeRecordset{{ports, true}, {"Where Located", "Office  "}, {"Data Port Rate", "$5"}},
                  "Communication"),
            "Data Ports <I>(Office  , $5)</I>");
  EXPECT_EQ(Value(FakeRecordset{{"FedEx", true}, {"UPS", true}, {"Saturday Delivery?", true}}, "Communication"),
            "FedEx, UPS <I>(Sat Del)</I>");
  EXPECT_EQ(Value(FakeRecordset{{"Saturday Delivery?", true}}, "Communication"), "<I>(Sat Del)</I>");
  EXPECT_EQ(Value(FakeRecordset{{"Mail & Package Hold", true}, {"Saturday Delivery?", true}}, "Communication"),
            "Mail & Package Hold <I>(Sat Del)</I>");
  EXPECT_EQ(Value(FakeRecordset{{"AirBorne", true}, {"Express Mail", true}}, "Communication"),
            "AirBorne, Express Mail");
}

}  // namespace

TEST(ContactItems, StoredTextsEscapedExceptTheFreeTextsHoldingHtml) {
  const struct {
    FakeRecordset rs;
    const char* key;
    const char* expected;
  } cases[] = {
      {{{"Website", "www.a.example.com/?x=1&y=<2>"}}, "Web", "www.a.example.com/?x=1&amp;y=&lt;2&gt;"},
      {{{"Tidal Range", " <1 ft. & more> "}}, "Tide", "&lt;1 ft. &amp; more&gt;"},
      {{{"Navigational Directions from ICW", " Keep <I>R2</I> &amp; G3 to port "}}, "Access",
       "Keep <I>R2</I> &amp; G3 to port"},
      {{{"Nearest Town", "Orr's Island & Co"}, {"Miles to Town", "2"}}, "Nearest Town",
       "Orr's Island &amp; Co<I>&nbsp;(2 mi.)</I>"},
      {{{"Latitude", "4221.345"}}, "Lat", "42&deg;21.345'"},
      {{{"Marina Notes", "<B>Fuel</B> &amp; ice"}}, "Marina Notes", "<B>Fuel</B> &amp; ice"},
  };
  for (const auto& c : cases) EXPECT_EQ(Value(c.rs, c.key), c.expected) << c.key;
}

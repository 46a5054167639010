#include <gtest/gtest.h>

#include "qstring_printer.h"

#include <QMap>

#include "criteria_arrays.h"
#include "search/where_clause.h"

namespace qw {
namespace {

// Sub-region names of a fake catalogue.
std::optional<std::int16_t> FakeGeoCode(const QString& name) {
  static const QMap<QString, std::int16_t> codes{{"Downeast Maine", 5}, {"Midcoast Maine", 7}, {"Buzzards Bay", 12}};
  if (!codes.contains(name)) return std::nullopt;
  return codes.value(name);
}

QString Where(const SearchCriteria& c) { return BuildWhereClause(c, FakeGeoCode); }

// A clause of one term: " where ", the term and the blank left of " AND ".
QString One(const QString& term) { return " where " + term + " "; }

TEST(WhereClauseTest, NothingSetGivesNoClause) {
  EXPECT_EQ(Where(SearchCriteria{}), "");
  SearchCriteria c;
  c.tbMarinaName = "   ";
  c.cmbTotalSlips = -1;
  c.cboFuel = -1;
  c.cboDepth = -1;
  c.chkPumpOut = 2;  // a greyed box is no criterion
  c.Amenity.RecreationDistance[0] = -1;
  c.Amenity.GeneralServiceDistance[0] = -1;
  c.Amenity.RecreationDistance[16] = 3;      // no row, no search meaning
  c.Amenity.GeneralServiceDistance[16] = 3;  // the same
  EXPECT_EQ(Where(c), "");
}

TEST(WhereClauseTest, EachGeneralCriterionAlone) {
  // A field's choices 1, 2, ... (0 where a choice is skipped) and the term each gives.
  struct Case {
    int SearchCriteria::*field;
    std::vector<std::pair<int, QString>> terms;
  };
  const QString slips = "rpm_marina_facilities.[Total # Slips] ";
  const QString moorings = "RTRIM(LTRIM(rpm_marina_facilities.[Total # of Moorings])) >= ";
  const QString dockage = "rpm_marina_facilities.[In Season Slips--Nightly rate]  <= ";
  auto amps = [](const char* column) { return QString("RTRIM(LTRIM(rpm_marina_facilities.[%1])) <> ''").arg(column); };
  auto depth = [](int feet) {
    return QString("((rpm_nav_info.[Deepest Slip] >= %1) OR (rpm_nav_info.[Deepest Mooring] >= %1))").arg(feet);
  };
  const Case cases[] = {
      {&SearchCriteria::chkSunset, {{1, "rpm_Vyk.[Sunset] = TRUE"}}},
      {&SearchCriteria::chkMegaYachtFacilities, {{1, "rpm_marina_facilities.[Mega Yacht Facilities?] = TRUE"}}},
      {&SearchCriteria::chkPumpOut,
       {{1, "((rpm_marina_operations.[On Site] = TRUE) OR (rpm_marina_operations.[On Call] = TRUE) OR "
            "(rpm_marina_operations.[Self Service] = TRUE) OR (rpm_marina_operations.[Full Service] = TRUE))"}}},
      {&SearchCriteria::cboBellRating,
       {{1, "rpm_Vyk.[bell rating] >=2"}, {2, "rpm_Vyk.[bell rating] >=3"}, {3, "rpm_Vyk.[bell rating] >= 4"},
        {4, "rpm_Vyk.[bell rating] =5"}}},
      {&SearchCriteria::cmbTotalSlips,
       {{1, slips + ">= 1"}, {2, slips + "> 25"}, {3, slips + "> 50"}, {4, slips + "> 100"}, {5, slips + "> 200"},
        {6, slips + "> 300"}}},
      {&SearchCriteria::cboFuel,
       {{1, "rpm_marina_facilities.[gasoline?] = True"}, {2, "rpm_marina_facilities.[diesel?] = True "}}},
      {&SearchCriteria::cboMoorings, {{1, moorings + "1"}, {2, moorings + "10"}, {3, moorings + "25"}, {4, moorings + "50"}}},
      {&SearchCriteria::cboDockage,
       {{1, dockage + "1"}, {2, dockage + "1.5"}, {3, dockage + "2"}, {4, dockage + "2.5"}, {5, dockage + "3"}}},
      {&SearchCriteria::cboElectricity,
       {{1, amps("30 Amp $")}, {2, amps("50 Amp $")}, {3, amps("100 Amp $")}, {4, amps("200 Amp $")},
        {5, amps("300 Amp $")}, {6, amps("3 Phase $")}}},
      {&SearchCriteria::cboBoatRating, {{1, "rpm_Vyk.[Boatyard Rating] >=1"}, {2, "rpm_Vyk.[Boatyard Rating] =2"}}},
      {&SearchCriteria::cboDepth, {{1, depth(3)}, {5, depth(7)}, {8, depth(10)}}},
  };
  for (const Case& test : cases) {
    for (const auto& [choice, term] : test.terms) {
      SearchCriteria c;
      c.*test.field = choice;
      EXPECT_EQ(Where(c), One(term)) << "choice " << choice;
    }
  }
  SearchCriteria c;
  c.ebMinLOA = " 40 ";
  EXPECT_EQ(Where(c), One("rpm_marina_facilities.[Maximum Length Overall] >= 40"));
  c = {};
  c.tbMarinaName = "Harbor";
  EXPECT_EQ(Where(c), One("rpm_marinaname_no.[Marina Name] LIKE '*Harbor*'"));
}

TEST(WhereClauseTest, GeneralCriteriaTakeTheirFixedOrder) {
  SearchCriteria c;
  c.cboDepth = 2;
  c.ebMinLOA = "35.5";
  c.chkSunset = 1;
  c.chkMegaYachtFacilities = 1;
  c.chkPumpOut = 1;
  c.cboBoatRating = 2;
  c.cboElectricity = 1;
  c.cboDockage = 2;
  c.cboMoorings = 1;
  c.cboFuel = 2;
  c.cmbTotalSlips = 2;
  c.cboBellRating = 3;
  c.txtbicwmin = "10";
  c.txtbicwmax = "20";
  c.cboHarbor = {{"", "Lowell's Cove"}, 1};
  c.cboCity = {{"", "Orr's Island"}, 1};
  c.lbGeoCodes = {"Midcoast Maine"};
  c.tbMarinaName = "O'Brien";
  EXPECT_EQ(Where(c),
            " where rpm_marinaname_no.[Marina Name] LIKE '*O''Brien*' AND  rpm_Vyk.[Geo Code] in (7) AND "
            "rpm_Contact_Information.City = 'Orr''s Island' AND rpm_Nav_Info.Harbor = 'Lowell''s Cove' AND "
            "((rpm_Nav_Info.[USCG Statute Mile] >= 10) AND (rpm_Nav_Info.[USCG Statute Mile] <= 20)) AND "
            "rpm_Vyk.[bell rating] >= 4 AND rpm_marina_facilities.[Total # Slips] > 25 AND "
            "rpm_marina_facilities.[diesel?] = True  AND "
            "RTRIM(LTRIM(rpm_marina_facilities.[Total # of Moorings])) >= 1 AND "
            "rpm_marina_facilities.[In Season Slips--Nightly rate]  <= 1.5 AND "
            "RTRIM(LTRIM(rpm_marina_facilities.[30 Amp $])) <> '' AND rpm_Vyk.[Boatyard Rating] =2 AND "
            "((rpm_marina_operations.[On Site] = TRUE) OR (rpm_marina_operations.[On Call] = TRUE) OR "
            "(rpm_marina_operations.[Self Service] = TRUE) OR (rpm_marina_operations.[Full Service] = TRUE)) AND "
            "rpm_marina_facilities.[Mega Yacht Facilities?] = TRUE AND rpm_Vyk.[Sunset] = TRUE AND "
            "rpm_marina_facilities.[Maximum Length Overall] >= 35.5 AND "
            "((rpm_nav_info.[Deepest Slip] >= 4) OR (rpm_nav_info.[Deepest Mooring] >= 4)) ");
}

TEST(WhereClauseTest, MarinaNameKeepsItsBlanksAndPatternCharacters) {
  SearchCriteria c;
  c.tbMarinaName = "  Sailor's Rest & Skipper's ";
  EXPECT_EQ(Where(c), One("rpm_marinaname_no.[Marina Name] LIKE '*  Sailor''s Rest & Skipper''s *'"));
  c.tbMarinaName = "Harb?r*Mar";
  EXPECT_EQ(Where(c), One("rpm_marinaname_no.[Marina Name] LIKE '*Harb?r*Mar*'"));
}

TEST(WhereClauseTest, SubRegionsGiveTheirCodesInListOrder) {
  SearchCriteria c;
  c.lbGeoCodes = {"Buzzards Bay", "Downeast Maine", "Midcoast Maine"};
  EXPECT_EQ(Where(c), One(" rpm_Vyk.[Geo Code] in (12, 5, 7)"));
}

TEST(WhereClauseTest, UnknownSubRegionsNeverWidenTheSearch) {
  SearchCriteria c;
  c.lbGeoCodes = {"Downeast Maine", "Old Region", "Buzzards Bay"};
  EXPECT_EQ(Where(c), One(" rpm_Vyk.[Geo Code] in (5, 12)"));
  c.lbGeoCodes = {"Old Region"};
  EXPECT_EQ(Where(c), One(" rpm_Vyk.[Geo Code] in (NULL)"));
  EXPECT_EQ(BuildWhereClause(c, nullptr), One(" rpm_Vyk.[Geo Code] in (NULL)"));
}

TEST(WhereClauseTest, CityAndHarborOnlyForAChosenEntry) {
  SearchCriteria c;
  c.cboCity = {{"", "Bar Harbor"}, 0};
  c.cboHarbor = {{"", "Frenchman Bay"}, -1};
  EXPECT_EQ(Where(c), "");
  c.cboCity.ListIndex = 1;
  c.cboHarbor.ListIndex = 1;
  EXPECT_EQ(Where(c), " where rpm_Contact_Information.City = 'Bar Harbor' AND rpm_Nav_Info.Harbor = 'Frenchman Bay' ");
  c.cboCity.ListIndex = 5;  // a position the list does not have
  c.cboHarbor.Items.clear();
  EXPECT_EQ(Where(c), "");
}

TEST(WhereClauseTest, StatuteMileBoundsTakeOnlyPlainNumbers) {
  SearchCriteria c;
  c.txtbicwmin = " 12.5 ";
  EXPECT_EQ(Where(c), One("rpm_Nav_Info.[USCG Statute Mile] >= 12.5"));
  c.txtbicwmin = "abc";
  c.txtbicwmax = " -5";
  EXPECT_EQ(Where(c), One("rpm_Nav_Info.[USCG Statute Mile] <= -5"));
  c.txtbicwmin = " 1e3 ";  // an exponent stands as typed; thousands separators do not pass
  c.txtbicwmax = "1,000";
  EXPECT_EQ(Where(c), One("rpm_Nav_Info.[USCG Statute Mile] >= 1e3"));
  c.txtbicwmin = "$5";
  EXPECT_EQ(Where(c), "");
  c.ebMinLOA = "12 ft";
  EXPECT_EQ(Where(c), "");
  c.ebMinLOA = "1); DROP TABLE rpm_Vyk; --";
  EXPECT_EQ(Where(c), "");
}

TEST(WhereClauseTest, OutOfRangeChoicesAreNoCriterion) {
  SearchCriteria c;
  c.cboBellRating = 5;
  c.cmbTotalSlips = 7;
  c.cboFuel = 3;
  c.cboMoorings = 5;
  c.cboDockage = 6;
  c.cboElectricity = 7;
  c.cboBoatRating = 3;
  c.cboDepth = 9;
  EXPECT_EQ(Where(c), "");
}

TEST(WhereClauseTest, DistanceCodesOutsideOneToSixAreNoCriterion) {
  for (std::int16_t code : {std::int16_t(-32768), std::int16_t(-2), std::int16_t(-1), std::int16_t(0),
                            std::int16_t(7), std::int16_t(999)}) {
    SearchCriteria c;
    ForEachDistance(c.Amenity, [code](auto& array) { array.fill(code); });
    EXPECT_EQ(Where(c), "") << code;
  }
}

TEST(WhereClauseTest, ItemGroupsOpenWithOneBlankPerFurtherType) {
  SearchCriteria c;
  c.Amenity.RecreationDistance[0] = 1;
  const QString pool = AmenityCondition("rpm_Recreation", "Pool", "[On-Site]");
  const QString heated = AmenityCondition("rpm_Recreation", "Heated Pool", "[On-Site]");
  EXPECT_EQ(Where(c), One("( " + pool + " OR " + heated + ")"));

  c = {};
  c.Amenity.SupplyDistance[0] = 4;
  auto ice = [](const char* type) { return AmenityCondition("rpm_Boat_Supplies", type, "[W/in 1 Mile]"); };
  EXPECT_EQ(Where(c), One("(  " + ice("Ice Block?") + " OR " + ice("Ice Cube?") + " OR " + ice("Ice Shaved?") + ")"));

  c = {};
  c.Amenity.SupplyDistance[2] = 2;
  auto store = [](const char* type) { return AmenityCondition("rpm_Boat_Supplies", type, "[On-Call]"); };
  EXPECT_EQ(Where(c), One("(   " + store("Ships'' Store") + " or " + store("Marine Discount Store") + " or " +
                          store("Boat/US") + " or " + store("West Marine") + ")"));
  EXPECT_TRUE(Where(c).contains("type = 'Ships'' Store'"));

  c = {};
  c.Amenity.BoatyardDistance[0] = 6;
  auto yard = [](const char* type) {
    return AmenityCondition("rpm_Boat_and_Boatyard_Services", type, "[Approx Distance]");
  };
  EXPECT_EQ(Where(c), One("(   " + yard("Travelift") + " OR " + yard("Forklift") + " OR " + yard("Railway") +
                          " OR " + yard("Crane") + ")"));
}

TEST(WhereClauseTest, TabItemsTakeTheirTablesTypesAndOrder) {
  SearchCriteria c;
  c.Amenity.BoatyardDistance[13] = 1;
  c.Amenity.BoatyardDistance[10] = 2;
  c.Amenity.EntertainmentDistance[7] = 3;
  c.Amenity.ProvisioningDistance[6] = 5;
  c.Amenity.ProvisioningDistance[15] = 1;  // a disabled row still counts
  c.Amenity.TransportationDistance[0] = 4;
  c.Amenity.MedicalDistance[5] = 6;
  c.Amenity.GeneralServiceDistance[5] = 1;
  c.Amenity.RecreationDistance[6] = 1;
  EXPECT_EQ(Where(c),
            " where " + AmenityCondition("rpm_Boat_and_Boatyard_Services", "Sail Loft", "[On-Call]") + " AND " +
                AmenityCondition("rpm_Boat_and_Boatyard_Services", "Electronics Repairs", "[On-Site]") + " AND " +
                AmenityCondition("rpm_Recreation", "Volleyball", "[On-Site]") + " AND " +
                AmenityCondition("rpm_Entertainment", "Special Events", "NearBy") + " AND " +
                AmenityCondition("rpm_General_Services", "Dry Cleaners", "[On-Site]") + " AND " +
                AmenityCondition("rpm_Provisioning", "Farmers'' Market", "[1-3 Miles]") + " AND " +
                AmenityCondition("rpm_Provisioning", "Oysterman", "[On-Site]") + " AND " +
                AmenityCondition("rpm_Transportation", "Courtesy Car Or Van Service for Guests", "[W/in 1 Mile]") +
                " AND " + AmenityCondition("rpm_Medical", "Veterinarian", "[Approx Distance]") + " ");
}

TEST(WhereClauseTest, FacilityAndServiceChecks) {
  SearchCriteria c;
  c.Amenity.FacilityChecks[4] = 1;
  c.Amenity.FacilityChecks[7] = 1;
  c.Amenity.ServiceChecks[7] = 1;
  c.Amenity.ServiceChecks[9] = 1;
  c.Amenity.ServiceChecks[0] = 999;  // only 1 counts on this tab
  c.chkBoatStorage = 1;
  EXPECT_EQ(Where(c),
            " where rpm_marina_facilities.[Dock Side Phone?]  = TRUE AND "
            "(rpm_marina_operations.[Boat US Cooperating Marina] OR (Trim(rpm_marina_operations.[Dockage Discount]) "
            "<> '') OR (Trim(rpm_marina_operations.[Fuel Disscount]) <> '') OR "
            "(Trim(rpm_marina_operations.[Repair Discount]) <> '') OR "
            "(Trim(rpm_marina_operations.[Other Discount Programs]) <> '') OR "
            "(Trim(rpm_marina_operations.[Other Discount]) <> '')) AND "
            "((Trim(rpm_Boat_and_Boatyard_Services_EI.[In Water]) <> '') OR "
            "(Trim(rpm_Boat_and_Boatyard_Services_EI.[On Land]) <> '')) AND "
            "rpm_marina_services.Security =True AND rpm_marina_facilities.[European Voltage?] =True ");
}

TEST(WhereClauseTest, CreditCardAndCourierGroups) {
  SearchCriteria c;
  c.Amenity.CreditCardChecks[0] = 1;
  EXPECT_EQ(Where(c), " where  (rpm_marina_operations.Amex=True )   ");

  c.Amenity.CreditCardChecks[3] = 1;
  c.lstMail = {false, true, false, false, true};
  c.Amenity.FacilityChecks[0] = 1;
  EXPECT_EQ(Where(c),
            " where rpm_marina_facilities.[Showers?] = TRUE AND  (rpm_marina_operations.Amex=True OR "
            "rpm_marina_operations.[diners club]=True )   AND  (rpm_marina_services.[Express Mail]= True OR "
            "rpm_marina_services.[Saturday Delivery?]= True )   ");

  c = {};
  c.lstMail = {true, true, true, true, true};
  EXPECT_EQ(Where(c),
            " where  (rpm_marina_services.Fedex= True OR rpm_marina_services.[Express Mail]= True OR "
            "rpm_marina_services.UPS= True OR rpm_marina_services.AirBorne= True OR "
            "rpm_marina_services.[Saturday Delivery?]= True )   ");
}

TEST(WhereClauseTest, EateryGroupLeftOpenIsClosedAtTheEnd) {
  SearchCriteria c;
  c.Amenity.EateryLodgingDistance[5] = 1;
  c.Amenity.EateryLodgingDistance[8] = 3;
  const QString pizza = RestaurantCondition("rpm_Restaurants", "Pizzeria", "[On-Site]");
  const QString motel = AccommodationCondition("rpm_Accommodations", "Motel", "NearBy");
  EXPECT_EQ(Where(c), " where (" + pizza + " OR " + motel + ")");

  c.Amenity.EateryLodgingDistance[1] = 2;
  auto shack = [](const char* type) { return RestaurantCondition("rpm_Restaurants", type, "[On-Call]"); };
  const QString shacks = "(  " + shack("Shack") + " OR " + shack("Seafood Shack") + " OR " + shack("Crab House") + ")";
  c.chkSunset = 1;
  c.Amenity.EntertainmentDistance[3] = 1;  // an earlier tab stays outside the group
  const QString museum = AmenityCondition("rpm_Entertainment", "Museum", "[On-Site]");
  EXPECT_EQ(Where(c), " where rpm_Vyk.[Sunset] = TRUE AND " + museum + " AND (" + shacks + " OR " + pizza + " OR " +
                          motel + ")");
}

TEST(WhereClauseTest, EateryGroupIsClosedByTheNextLaterTabTerm) {
  SearchCriteria c;
  c.Amenity.EateryLodgingDistance[0] = 4;
  c.Amenity.EateryLodgingDistance[10] = 6;
  c.Amenity.GeneralServiceDistance[0] = 1;
  c.Amenity.MedicalDistance[0] = 2;
  const QString restaurant = RestaurantCondition("rpm_Restaurants", "Restaurant", "[W/in 1 Mile]");
  const QString condo = AccommodationCondition("rpm_Accommodations", "Condo/Cottage", "[Approx Distance]");
  const QString bank = AmenityCondition("rpm_General_Services", "Bank/ATM", "[On-Site]");
  const QString doctor = AmenityCondition("rpm_Medical", "Doctor", "[On-Call]");
  EXPECT_EQ(Where(c), " where (" + restaurant + " OR " + condo + ") AND " + bank + " AND " + doctor + " ");

  // The group of religious services after an eatery.
  c = {};
  c.Amenity.EateryLodgingDistance[7] = 1;
  c.Amenity.GeneralServiceDistance[2] = 3;
  auto church = [](const char* type) { return AmenityCondition("rpm_General_Services", type, "NearBy"); };
  EXPECT_EQ(Where(c), " where (" + AccommodationCondition("rpm_Accommodations", "Hotel", "[On-Site]") + ") AND (   " +
                          church("Catholic Church") + " OR " + church("Protestant Church") + " OR " +
                          church("Synagogue") + " OR " + church("Other") + ") ");
}

QString AllClasses(const char* table, const char* type) {
  QString text = "(";
  const char* columns[] = {"[On-Site]", "[On-Call]", "NearBy", "[W/in 1 Mile]", "[1-3 Miles]", "[Approx Distance]",
                           "Comments"};
  for (int i = 0; i < 7; ++i) text += (i ? " OR " : "") + AmenityCondition(table, type, columns[i]);
  return text + ")";
}

TEST(WhereClauseTest, AllClassesGroupsOfTheFourCheckBoxes) {
  const struct {
    int SearchCriteria::*box;
    const char* table;
    const char* type;
  } boxes[] = {{&SearchCriteria::chkAmtrak, "rpm_Transportation", "Rail"},
               {&SearchCriteria::chkAirport, "rpm_Transportation", "Nearest Airport"},
               {&SearchCriteria::chk911, "rpm_Medical", "911 Service"},
               {&SearchCriteria::chkHospital, "rpm_Medical", "Hospital"}};
  SearchCriteria c;
  for (const auto& b : boxes) {
    c = {};
    c.*b.box = 1;
    EXPECT_EQ(Where(c), One(AllClasses(b.table, b.type))) << b.type;
  }
  const QString hospital = AllClasses("rpm_Medical", "Hospital");
  EXPECT_TRUE(hospital.startsWith("(((SELECT SUM(rpm_Medical.[On-Site]) FROM rpm_Medical"));
  EXPECT_TRUE(hospital.endsWith("AND (Trim(rpm_Medical.Comments) <> '')) > 0))"));

  // Each closes an eatery group before its own term; the order is Amtrak,
  // airport, then the medical items, 911 and hospital.
  c = {};
  c.Amenity.EateryLodgingDistance[6] = 5;
  c.chkHospital = 1;
  c.chk911 = 1;
  c.chkAmtrak = 1;
  c.chkAirport = 1;
  c.Amenity.MedicalDistance[1] = 1;
  EXPECT_EQ(Where(c), " where (" + RestaurantCondition("rpm_Restaurants", "Fast Food", "[1-3 Miles]") + ") AND " +
                          AllClasses("rpm_Transportation", "Rail") + " AND " +
                          AllClasses("rpm_Transportation", "Nearest Airport") + " AND " +
                          AmenityCondition("rpm_Medical", "Ambulance", "[On-Site]") + " AND " +
                          AllClasses("rpm_Medical", "911 Service") + " AND " + hospital + " ");
}

}  // namespace
}  // namespace qw

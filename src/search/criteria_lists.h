#pragma once
// The fixed entries of the search screen, each with the SQL it stands for:
// the general-criteria combo boxes, the rows of the amenity tabs, the courier
// list, and the proximity items. The window fills its controls from these
// tables and BuildWhereClause takes its terms from the same rows, so that a
// caption and its condition exist once, side by side.
#include <QString>
#include <QStringList>

namespace qw {

// ---------------------------------------------------------------------------
// General-criteria combo boxes. Entry 0 is the empty entry (no criterion);
// every other entry adds its term to the WHERE clause.

struct ComboEntry {
  const char* caption;
  const char* term = "";
};

inline const ComboEntry kBellRatingEntries[] = {
    {""},
    {"2 or greater", "rpm_Vyk.[bell rating] >=2"},
    {"3 or greater", "rpm_Vyk.[bell rating] >=3"},
    {"4 or greater", "rpm_Vyk.[bell rating] >= 4"},
    {"5", "rpm_Vyk.[bell rating] =5"},
};
inline const ComboEntry kBoatRatingEntries[] = {
    {""},
    {"1 or 2 travelifts", "rpm_Vyk.[Boatyard Rating] >=1"},
    {"2 travelifts", "rpm_Vyk.[Boatyard Rating] =2"},
};
inline const ComboEntry kTotalSlipsEntries[] = {
    {""},
    {"1 or More", "rpm_marina_facilities.[Total # Slips] >= 1"},
    {"More than 25", "rpm_marina_facilities.[Total # Slips] > 25"},
    {"More than 50", "rpm_marina_facilities.[Total # Slips] > 50"},
    {"More than 100", "rpm_marina_facilities.[Total # Slips] > 100"},
    {"More than 200", "rpm_marina_facilities.[Total # Slips] > 200"},
    {"More than 300", "rpm_marina_facilities.[Total # Slips] > 300"},
};
inline const ComboEntry kDepthEntries[] = {
    {""},
    {"3 feet or more", "((rpm_nav_info.[Deepest Slip] >= 3) OR (rpm_nav_info.[Deepest Mooring] >= 3))"},
    {"4 feet or more", "((rpm_nav_info.[Deepest Slip] >= 4) OR (rpm_nav_info.[Deepest Mooring] >= 4))"},
    {"5 feet or more", "((rpm_nav_info.[Deepest Slip] >= 5) OR (rpm_nav_info.[Deepest Mooring] >= 5))"},
    {"6 feet or more", "((rpm_nav_info.[Deepest Slip] >= 6) OR (rpm_nav_info.[Deepest Mooring] >= 6))"},
    {"7 feet or more", "((rpm_nav_info.[Deepest Slip] >= 7) OR (rpm_nav_info.[Deepest Mooring] >= 7))"},
    {"8 feet or more", "((rpm_nav_info.[Deepest Slip] >= 8) OR (rpm_nav_info.[Deepest Mooring] >= 8))"},
    {"9 feet or more", "((rpm_nav_info.[Deepest Slip] >= 9) OR (rpm_nav_info.[Deepest Mooring] >= 9))"},
    {"10 feet or more", "((rpm_nav_info.[Deepest Slip] >= 10) OR (rpm_nav_info.[Deepest Mooring] >= 10))"},
};
inline const ComboEntry kFuelEntries[] = {
    {""},
    {"Gas", "rpm_marina_facilities.[gasoline?] = True"},
    {"Diesel", "rpm_marina_facilities.[diesel?] = True "},
};
inline const ComboEntry kDockageEntries[] = {
    {""},
    {"$1.00 or Less", "rpm_marina_facilities.[In Season Slips--Nightly rate]  <= 1"},
    {"$1.50 or Less", "rpm_marina_facilities.[In Season Slips--Nightly rate]  <= 1.5"},
    {"$2.00 or Less", "rpm_marina_facilities.[In Season Slips--Nightly rate]  <= 2"},
    {"$2.50 or Less", "rpm_marina_facilities.[In Season Slips--Nightly rate]  <= 2.5"},
    {"$3.00 or Less", "rpm_marina_facilities.[In Season Slips--Nightly rate]  <= 3"},
};
inline const ComboEntry kMooringsEntries[] = {
    {""},
    {"1 or more", "RTRIM(LTRIM(rpm_marina_facilities.[Total # of Moorings])) >= 1"},
    {"10 or more", "RTRIM(LTRIM(rpm_marina_facilities.[Total # of Moorings])) >= 10"},
    {"25 or more", "RTRIM(LTRIM(rpm_marina_facilities.[Total # of Moorings])) >= 25"},
    {"50 or more", "RTRIM(LTRIM(rpm_marina_facilities.[Total # of Moorings])) >= 50"},
};
inline const ComboEntry kElectricityEntries[] = {
    {""},
    {"30 Amps", "RTRIM(LTRIM(rpm_marina_facilities.[30 Amp $])) <> ''"},
    {"50 Amps", "RTRIM(LTRIM(rpm_marina_facilities.[50 Amp $])) <> ''"},
    {"100 Amps", "RTRIM(LTRIM(rpm_marina_facilities.[100 Amp $])) <> ''"},
    {"200 Amps", "RTRIM(LTRIM(rpm_marina_facilities.[200 Amp $])) <> ''"},
    {"300 Amps", "RTRIM(LTRIM(rpm_marina_facilities.[300 Amp $])) <> ''"},
    {"3-Phase", "RTRIM(LTRIM(rpm_marina_facilities.[3 Phase $])) <> ''"},
};

// ---------------------------------------------------------------------------
// Proximity combo boxes of the amenity rows. Rows made at run time get the
// first list; the designed first row of each group keeps the second, whose
// "Near " carries a trailing blank. Only the index is ever read.
inline const QStringList kProximityItems{"", "On Site", "On Call", "Near", "W/in 1 mile", "1-3 miles", "3+ miles"};
inline const QStringList kProximityItemsFirstRow{"",           "On Site",   "On Call", "Near ",
                                                 "W/in 1 mile", "1-3 miles", "3+ miles"};

// The ten tabs of SSTab1 by index.
inline const QStringList kAmenityTabCaptions{"Marina Facilities", "Marina Services",  "Boatyard Services",
                                             "Recreation",        "Entertainment",    "Restaurants and Accommodations",
                                             "General Services",  "Provisioning",     "Transportation",
                                             "Medical Services"};

// ---------------------------------------------------------------------------
// Rows of the amenity tabs, in row order; row i holds element i of its
// criteria array.

// A proximity row: its caption and the amenity types it asks for. A row of
// several types asks for any of them (their conditions joined by separator).
// The types go between single quotes as written (apostrophes doubled here).
struct DistanceRow {
  const char* caption;
  QStringList types;
  const char* separator = " OR ";
};

// A check row (or a courier entry): its caption and the condition a tick adds.
struct CheckRow {
  const char* caption;
  const char* term;
};

// Tab 0: supplies (rpm_Boat_Supplies), facilities and credit cards.
inline const DistanceRow kSupplyRows[] = {
    {"Ice", {"Ice Block?", "Ice Cube?", "Ice Shaved?"}},
    {"Bait and Tackle", {"Bait and Tackle", "Live Bait"}},
    {"Ships' Store", {"Ships'' Store", "Marine Discount Store", "Boat/US", "West Marine"}, " or "},
    {"Propane", {"Propane"}},
    {"CNG", {"CNG"}},
};
inline const CheckRow kFacilityRows[] = {
    {"Showers", "rpm_marina_facilities.[Showers?] = TRUE"},
    {"Laundry", "rpm_marina_facilities.[Laundry?] = TRUE"},
    {"Toilets", "rpm_marina_facilities.[Toilets?] = TRUE"},
    {"Cable TV", "rpm_marina_facilities.[Cable TV?] = TRUE"},
    {"Slipside Phone", "rpm_marina_facilities.[Dock Side Phone?]  = TRUE"},
    {"Dogs welcome", "rpm_marina_operations.[Pets Allowed?]  = TRUE"},
    {"Handicapped Access", "rpm_marina_facilities.[Handicapped Access?]  = TRUE"},
    {"Discounts?",
     "(rpm_marina_operations.[Boat US Cooperating Marina]"
     " OR (Trim(rpm_marina_operations.[Dockage Discount]) <> '')"
     " OR (Trim(rpm_marina_operations.[Fuel Disscount]) <> '')"
     " OR (Trim(rpm_marina_operations.[Repair Discount]) <> '')"
     " OR (Trim(rpm_marina_operations.[Other Discount Programs]) <> '')"
     " OR (Trim(rpm_marina_operations.[Other Discount]) <> ''))"},
};
inline const CheckRow kCreditCardRows[] = {
    {"American Express", "rpm_marina_operations.Amex=True"},
    {"Discover", "rpm_marina_operations.Discover=True"},
    {"Master/Visa", "rpm_marina_operations.[master/visa]=True"},
    {"Diners Club", "rpm_marina_operations.[diners club]=True"},
};

// Tab 1: services and the courier list.
inline const CheckRow kServiceRows[] = {
    {"Docking Assistance", "rpm_marina_services.[Docking Assistance] =True"},
    {"Mail Hold", "rpm_marina_services.[Mail & Package Hold] =True"},
    {"Phone messages", "rpm_marina_services.[Phone Messages] =True"},
    {"Fax in/out", "rpm_marina_services.[Fax--In And Out] =True"},
    {"Dock Carts", "rpm_marina_services.[Dock Carts] =True"},
    {"Concierge Services", "rpm_marina_services.[Concierge Services] =True"},
    {"Trash Pickup", "rpm_marina_services.[Trash Pick-Up] =True"},
    {"Security", "rpm_marina_services.Security =True"},
    {"Internet Access/Data Ports", "rpm_marina_services.[Data Ports(send/Receive email)] =True"},
    {"European Voltage", "rpm_marina_facilities.[European Voltage?] =True"},
};
inline const CheckRow kCourierEntries[] = {
    {"FedEx", "rpm_marina_services.Fedex= True"},
    {"Express Mail", "rpm_marina_services.[Express Mail]= True"},
    {"UPS", "rpm_marina_services.UPS= True"},
    {"Airborne Express", "rpm_marina_services.AirBorne= True"},
    {"Saturday Delivery", "rpm_marina_services.[Saturday Delivery?]= True"},
};

// Tab 2 (rpm_Boat_and_Boatyard_Services).
inline const DistanceRow kBoatyardRows[] = {
    {"Haul-Out", {"Travelift", "Forklift", "Railway", "Crane"}},
    {"Launching Ramp", {"Launching Ramp"}},
    {"Bottom Cleaning", {"Bottom Cleaning"}},
    {"Engine Mechanic - Gas", {"Engine Mechanic - Gas"}},
    {"Engine Mechanic - Diesel", {"Engine Mechanic - Diesel"}},
    {"Brightwork", {"Brightwork"}},
    {"Rigger", {"Rigger"}},
    {"Hull Repairs", {"Hull Repairs"}},
    {"Refrigeration", {"Refrigeration"}},
    {"Air Conditioning", {"Air Conditioning"}},
    {"Sail Repairs", {"Sail Loft"}},
    {"Canvas Work", {"Canvas Work"}},
    {"Electrical Repairs", {"Electrical Repairs"}},
    {"Electronic Repairs", {"Electronics Repairs"}},
    {"Electronic Sales", {"Electronic Sales"}},
    {"Divers", {"Divers"}},
    {"Compound, Wash & Wax", {"Compound, Wash & Wax"}},
    {"Propeller Repairs", {"Propeller Repairs"}},
    {"Inflatable Repairs", {"Inflatable Repairs"}},
    {"Upholstery", {"Upholstery"}},
    {"Metal Fabrication", {"Metal Fabrication"}},
    {"Painting", {"Painting"}},
    {"Awlgrip", {"Awlgrip"}},
    {"Total Refits", {"Total Refits"}},
};

// Tab 3 (rpm_Recreation; 16 rows, RecreationDistance has a 17th element
// without a row).
inline const DistanceRow kRecreationRows[] = {
    {"Pool", {"Pool", "Heated Pool"}},
    {"Beach", {"Beach"}},
    {"Grills", {"Grills"}},
    {"Picnic Area", {"Picnic Area"}},
    {"Playground", {"Playground"}},
    {"Dive Shop", {"Dive Shop"}},
    {"Volley Ball", {"Volleyball"}},
    {"Tennis Courts", {"Tennis Courts"}},
    {"Golf Course", {"Golf Course"}},
    {"Fitness Center", {"Fitness Center"}},
    {"Jogging Paths", {"Jogging Paths"}},
    {"Boat Rentals", {"Boat Rentals"}},
    {"Roller Blade/Bike Paths", {"Roller Blade/Bike Paths"}},
    {"Horseback Riding", {"Horseback Riding"}},
    {"Bowling", {"Bowling"}},
    {"Fishing Charter", {"Fishing Charter", "Head(Group) Fishing Boats"}},
};

// Tab 4 (rpm_Entertainment).
inline const DistanceRow kEntertainmentRows[] = {
    {"Movie Theater", {"Movie Theater"}},
    {"Video Rental", {"Video Rental"}},
    {"Video Arcade", {"Video Arcade"}},
    {"Museum", {"Museum"}},
    {"Park", {"Park"}},
    {"Cultural Attract", {"Cultural Attract"}},
    {"Sightseeing", {"Sightseeing"}},
    {"Special events", {"Special Events"}},
    {"Gallery", {"Gallery"}},
};

// Tab 5: rows 0-6 eateries (rpm_Restaurants, by [Rest Type]), rows 7-10
// accommodations (rpm_Accommodations, by [Accommodation Type]).
inline const DistanceRow kEateryLodgingRows[] = {
    {"Restaurant", {"Restaurant"}},
    {"Seafood Shacks", {"Shack", "Seafood Shack", "Crab House"}},
    {"Lite Fare", {"Lite Fare"}},
    {"Coffee Shop", {"Coffee Shop"}},
    {"Snack Bar", {"Snack Bar"}},
    {"Pizzerias", {"Pizzeria"}},
    {"Fast Food Chains", {"Fast Food"}},
    {"Hotels", {"Hotel"}},
    {"Motels", {"Motel"}},
    {"Inn/Bed and Breakfast", {"Inn/B&B"}},
    {"Condominium/Cottage", {"Condo/Cottage"}},
};
inline constexpr int kFirstLodgingRow = 7;

// Tab 6 (rpm_General_Services; 16 rows, GeneralServiceDistance has a 17th
// element without a row).
inline const DistanceRow kGeneralServiceRows[] = {
    {"Bank/ATM", {"Bank/ATM"}},
    {"Post Office", {"Post Office"}},
    {"Religious Services", {"Catholic Church", "Protestant Church", "Synagogue", "Other"}},
    {"Beauty Salon", {"Beauty Salon"}},
    {"Barber Shop", {"Barber Shop"}},
    {"Dry Cleaner", {"Dry Cleaners"}},
    {"Library", {"Library"}},
    {"Laundry", {"Laundry"}},
    {"Bookstore", {"Bookstore"}},
    {"Pharmacy", {"Pharmacy"}},
    {"Newsstand", {"Newsstand"}},
    {"Hardware Store", {"Hardware Store"}},
    {"Retail Shops", {"Retail Shops"}},
    {"Department Store", {"Department Store"}},
    {"Buying Club", {"Buying Club"}},
    {"Copies Etc.", {"Copies Etc."}},
};

// Tab 7 (rpm_Provisioning); rows 13-15 are shown disabled.
inline const DistanceRow kProvisioningRows[] = {
    {"Supermarkets", {"Supermarket"}},
    {"Gourmet Shop", {"Gourmet Shop"}},
    {"Deli", {"Delicatessen"}},
    {"Wine/Beer", {"Wine/Beer"}},
    {"Liquor Store", {"Liquor Store"}},
    {"Bakery", {"Bakery"}},
    {"Farmers' Market", {"Farmers'' Market"}},
    {"Green Grocer", {"Green Grocer"}},
    {"Convenience Store", {"Convenience Store"}},
    {"Fishmonger", {"Fishmonger"}},
    {"Meat Market", {"Meat Market"}},
    {"Lobster Pound", {"Lobster Pound"}},
    {"Health Food", {"Health Food"}},
    {"Crabs/Waterman", {"Crabs/Waterman"}},
    {"Shrimper", {"Shrimper"}},
    {"Oysterman", {"Oysterman"}},
};
inline constexpr int kFirstDisabledProvisioningRow = 13;

// Tab 8 (rpm_Transportation).
inline const DistanceRow kTransportationRows[] = {
    {"Courtesy Car/Van", {"Courtesy Car Or Van Service for Guests"}},
    {"Rental Car", {"Rental Car"}},
    {"Taxi", {"Taxi"}},
    {"Bikes", {"Bikes"}},
    {"Water Taxi", {"Water Taxi"}},
    {"Local Bus/Trolley", {"Local Bus"}},
    {"InterCity Bus", {"InterCity Bus"}},
    {"Ferry", {"Ferry Service"}},
    {"Airport Limo", {"Airport Limo"}},
};

// Tab 9 (rpm_Medical).
inline const DistanceRow kMedicalRows[] = {
    {"Doctor", {"Doctor"}},
    {"Ambulance", {"Ambulance"}},
    {"Dentist", {"Dentist"}},
    {"Chiropractor", {"Chiropractor"}},
    {"Holistic Services", {"Holistic Services"}},
    {"Veterinarian", {"Veterinarian"}},
};

// The captions of a table's entries or rows, in order.
template <typename Table>
QStringList Captions(const Table& table) {
  QStringList captions;
  for (const auto& entry : table) captions << QString::fromUtf8(entry.caption);
  return captions;
}

// Captions of the six single controls of the tabs.
inline const QString kBoatStorageCaption = QStringLiteral("Boat Storage");
inline const QString kAmtrakCaption = QStringLiteral("Accessible by Rail");
inline const QString kAirportCaption = QStringLiteral("Accessible by Air");
inline const QString k911Caption = QStringLiteral("911");
inline const QString kHospitalCaption = QStringLiteral("Hospital");

}  // namespace qw

#pragma once
// The fixed entries of the search screen: the general-criteria combo boxes,
// the amenity tabs and their rows, the courier list and the proximity items.
// The window fills its controls from these, and the tests read them, so the
// texts exist once.
#include <QStringList>

namespace qw {

// General-criteria combo boxes; entry 0 is the empty entry (no criterion).
inline const QStringList kBellRatingItems{"", "2 or greater", "3 or greater", "4 or greater", "5"};
inline const QStringList kBoatRatingItems{"", "1 or 2 travelifts", "2 travelifts"};
inline const QStringList kTotalSlipsItems{"",           "1 or More",     "More than 25", "More than 50",
                                          "More than 100", "More than 200", "More than 300"};
inline const QStringList kDepthItems{"",  "3 feet or more", "4 feet or more", "5 feet or more", "6 feet or more",
                                     "7 feet or more", "8 feet or more", "9 feet or more", "10 feet or more"};
inline const QStringList kFuelItems{"", "Gas", "Diesel"};
inline const QStringList kDockageItems{"",           "$1.00 or Less", "$1.50 or Less",
                                       "$2.00 or Less", "$2.50 or Less", "$3.00 or Less"};
inline const QStringList kMooringsItems{"", "1 or more", "10 or more", "25 or more", "50 or more"};
inline const QStringList kElectricityItems{"", "30 Amps", "50 Amps", "100 Amps", "200 Amps", "300 Amps", "3-Phase"};

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

// Row captions by index, one list per row group.
// Tab 0.
inline const QStringList kSupplyRows{"Ice", "Bait and Tackle", "Ships' Store", "Propane", "CNG"};
inline const QStringList kFacilityRows{"Showers",        "Laundry",      "Toilets",            "Cable TV",
                                       "Slipside Phone", "Dogs welcome", "Handicapped Access", "Discounts?"};
inline const QStringList kCreditCardRows{"American Express", "Discover", "Master/Visa", "Diners Club"};
// Tab 1.
inline const QStringList kServiceRows{"Docking Assistance", "Mail Hold",    "Phone messages",
                                      "Fax in/out",         "Dock Carts",   "Concierge Services",
                                      "Trash Pickup",       "Security",     "Internet Access/Data Ports",
                                      "European Voltage"};
inline const QStringList kCourierEntries{"FedEx", "Express Mail", "UPS", "Airborne Express", "Saturday Delivery"};
// Tab 2.
inline const QStringList kBoatyardRows{"Haul-Out",           "Launching Ramp",     "Bottom Cleaning",
                                       "Engine Mechanic - Gas", "Engine Mechanic - Diesel", "Brightwork",
                                       "Rigger",             "Hull Repairs",       "Refrigeration",
                                       "Air Conditioning",   "Sail Repairs",       "Canvas Work",
                                       "Electrical Repairs", "Electronic Repairs", "Electronic Sales",
                                       "Divers",             "Compound, Wash & Wax", "Propeller Repairs",
                                       "Inflatable Repairs", "Upholstery",         "Metal Fabrication",
                                       "Painting",           "Awlgrip",            "Total Refits"};
// Tab 3 (16 rows; RecreationDistance has a 17th element without a row).
inline const QStringList kRecreationRows{"Pool",          "Beach",          "Grills",        "Picnic Area",
                                         "Playground",    "Dive Shop",      "Volley Ball",   "Tennis Courts",
                                         "Golf Course",   "Fitness Center", "Jogging Paths", "Boat Rentals",
                                         "Roller Blade/Bike Paths", "Horseback Riding", "Bowling", "Fishing Charter"};
// Tab 4.
inline const QStringList kEntertainmentRows{"Movie Theater",    "Video Rental", "Video Arcade",
                                            "Museum",           "Park",         "Cultural Attract",
                                            "Sightseeing",      "Special events", "Gallery"};
// Tab 5: rows 0-6 eateries, 7-10 accommodations.
inline const QStringList kEateryLodgingRows{"Restaurant", "Seafood Shacks", "Lite Fare", "Coffee Shop",
                                            "Snack Bar",  "Pizzerias",      "Fast Food Chains", "Hotels",
                                            "Motels",     "Inn/Bed and Breakfast", "Condominium/Cottage"};
inline constexpr int kFirstLodgingRow = 7;
// Tab 6 (16 rows; GeneralServiceDistance has a 17th element without a row).
inline const QStringList kGeneralServiceRows{"Bank/ATM",       "Post Office",    "Religious Services", "Beauty Salon",
                                             "Barber Shop",    "Dry Cleaner",    "Library",            "Laundry",
                                             "Bookstore",      "Pharmacy",       "Newsstand",          "Hardware Store",
                                             "Retail Shops",   "Department Store", "Buying Club",      "Copies Etc."};
// Tab 7; rows 13-15 are shown disabled.
inline const QStringList kProvisioningRows{"Supermarkets",     "Gourmet Shop", "Deli",          "Wine/Beer",
                                           "Liquor Store",     "Bakery",       "Farmers' Market", "Green Grocer",
                                           "Convenience Store", "Fishmonger",  "Meat Market",   "Lobster Pound",
                                           "Health Food",      "Crabs/Waterman", "Shrimper",    "Oysterman"};
inline constexpr int kFirstDisabledProvisioningRow = 13;
// Tab 8.
inline const QStringList kTransportationRows{"Courtesy Car/Van", "Rental Car",       "Taxi",
                                             "Bikes",            "Water Taxi",       "Local Bus/Trolley",
                                             "InterCity Bus",    "Ferry",            "Airport Limo"};
// Tab 9.
inline const QStringList kMedicalRows{"Doctor", "Ambulance", "Dentist", "Chiropractor", "Holistic Services", "Veterinarian"};

// Captions of the six single controls of the tabs.
inline const QString kBoatStorageCaption = QStringLiteral("Boat Storage");
inline const QString kAmtrakCaption = QStringLiteral("Accessible by Rail");
inline const QString kAirportCaption = QStringLiteral("Accessible by Air");
inline const QString k911Caption = QStringLiteral("911");
inline const QString kHospitalCaption = QStringLiteral("Hospital");

}  // namespace qw

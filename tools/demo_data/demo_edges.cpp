// Fixed rows that exercise the program's awkward cases on purpose: quoting,
// blanks, NULLs, missing rows, hidden items. They win over the rule-based values.
#include <QSet>
#include <algorithm>
#include <array>
#include <map>

#include "demo_model.h"
#include "demo_rng.h"

namespace qw::demo {

namespace {

const QStringList kFlags = {"On-Site", "On-Call", "NearBy", "W/in 1 Mile", "1-3 Miles"};

// The amenity, eatery or lodging row of `type`, added when missing.
Row& RowOf(Marina& m, const QString& table, const QString& type, const QString& typeColumn = QStringLiteral("type")) {
  auto& rows = m.many[table];
  for (Row& r : rows)
    if (r.Get(typeColumn).toString() == type) return r;
  Row row;
  row.Set(table == QStringLiteral("rpm_output") ? "marinaNo" : "MarinaNo", m.no).Set(typeColumn, type);
  rows.push_back(row);
  return rows.back();
}

Row& AddRow(Marina& m, const QString& table, const QString& typeColumn, const QString& type) {
  Row row;
  row.Set("MarinaNo", m.no).Set(typeColumn, type);
  m.many[table].push_back(row);
  return m.many[table].back();
}

// cls 0..4 sets that flag; anything else clears every flag.
Row& InClass(Row& row, int cls, const QVariant& distance = QVariant()) {
  for (int i = 0; i < 5; ++i) row.Set(kFlags[i], i == cls ? 1 : 0);
  row.Set("Approx Distance", distance);
  return row;
}

void Remove(Marina& m, const QString& table, const QString& type) {
  auto& rows = m.many[table];
  rows.erase(std::remove_if(rows.begin(), rows.end(), [&](const Row& r) { return r.Get("type").toString() == type; }),
             rows.end());
}

const std::vector<int>& EdgeMarinas() {
  static const std::vector<int> numbers = {
      833,  865,  2558, 581,  2616, 2660, 2561, 468,  977,  1290, 2686, 2465, 2562, 2694, 856,  2680, 2688, 2564, 2689,
      2812, 2626, 641,  2690, 487,  2641, 2541, 2571, 2498, 2575, 2574, 2576, 2497, 2573, 2570, 2530, 489,  172,  574,
      490,  200,  2533, 933,  512,  932,  510,  216,  507,  508,  979,  1273, 2528, 2637, 186,  485,  484,  483,  2609,
      2639, 481,  2610, 2653, 480,  1271, 479,  478,  473,  474,  475,  2640, 34,   467,  2648, 1686, 2608, 2813, 1676};
  return numbers;
}

}  // namespace

void EdgeBasics(DemoData& data, QSet<QString>& usedNames) {
  // The towns come from the charts: 839 lies at Bar Harbor, 2528 at Cuttyhunk,
  // 2690 on Orr's Island, 2651 in Carver's Harbor (apostrophes in a city and a
  // harbour) and 2562 in East Boothbay.
  const auto yard = [&](int no, int rating) {
    if (Marina* m = data.Find(no)) m->boatyard = rating;
  };
  for (int no : {200, 2533, 933, 512, 932, 510})
    if (Marina* m = data.Find(no); m && m->boatyard == 0) m->boatyard = 1;
  yard(216, 0);
  yard(484, 0);
  for (int no : {2574, 2576})
    if (Marina* m = data.Find(no)) m->fuel = true;
  if (Marina* m = data.Find(484)) m->fuel = false;
  for (int no : {2571, 2497, 2573, 2570, 2608})
    if (Marina* m = data.Find(no); m && m->slips == 0) m->slips = 24;
  // Its skipper's notes speak of the fuel dock and the outer float.
  if (Marina* m = data.Find(2608)) m->fuel = true;

  const auto name = [&](int no, const QString& full, const QString& shortName) {
    if (Marina* m = data.Find(no)) {
      m->name = full;
      m->shortName = shortName;
      usedNames.insert(full.toLower());
    }
  };
  name(833, "Captain Ned's Landing", "Captain Ned's Landing");
  name(865, "Sailor's Rest & Skipper's Wharf", "Sailor's Rest & Skipper's");
  name(2558, "O'Brien Boat Works", "O'Brien Boat Works");
  name(581, "Tollander Brothers Marine Railway & Storage", QString());
  name(2616, "Saltmarsh Creek Marina", "     ");
  name(2660, "Quarry Point Marina ", "Quarry Point Marina ");
  name(2561, "Harbor Light Marina", "Harbor Light Marina");
  name(468, "Harbor Light Marina", "Harbor Light Marina");
  name(977, "Baxter & Daughters Boatyard", "Baxter & Daughters Boatyard");
}

void ApplyEdgeRows(DemoData& data) {
  const auto at = [&](int no) -> Marina* { return data.Find(no); };
  const auto one = [&](int no, const char* table) -> Row* {
    Marina* m = at(no);
    return m ? &m->one[QString::fromLatin1(table)] : nullptr;
  };
  const auto set = [&](int no, const char* table, const char* column, const QVariant& value) {
    if (Row* r = one(no, table)) r->Set(QString::fromUtf8(column), value);
  };
  const QVariant null;
  const char* contact = kContact;
  const char* nav = kNav;
  const char* fac = kFacilities;
  const char* ops = kOperations;
  const char* svc = kServices;
  const char* yard = kYard;
  const QString bys = QStringLiteral("rpm_Boat_and_Boatyard_Services");
  const QString rec = QStringLiteral("rpm_Recreation");
  const QString med = QStringLiteral("rpm_Medical");
  const QString trans = QStringLiteral("rpm_Transportation");
  const QString gen = QStringLiteral("rpm_General_Services");
  const QString rest = QStringLiteral("rpm_Restaurants");
  const QString lodge = QStringLiteral("rpm_Accommodations");

  // Names: a name without a short name.
  set(581, "rpm_marinaname_no", "Marina 30 char Name", null);

  // Contact data.
  set(839, contact, "City", "Bar Harbor ");
  for (const char* c : {"PO  Box", "Street", "City", "State", "Zip"}) set(2465, contact, c, null);
  if (Marina* m = at(2562)) set(2562, contact, "Zip", m->town->zip + QStringLiteral("-1234"));
  set(2694, contact, "Phone", null);
  set(2694, contact, "Toll Free Phone", "(800) 555-0147");
  set(856, contact, "Phone", "555-0134");
  set(2680, contact, "Miles to Town", "1/2");
  set(2688, contact, "Miles to Town", "2-3");
  set(2564, contact, "Miles to Town", "In town");
  set(2689, contact, "Miles to Town", " ");
  set(2812, contact, "Nearest Town", null);
  set(2812, contact, "Miles to Town", "3");
  set(2626, contact, "VHF Monitor", "  ");
  set(2626, contact, "VHF Talk", null);
  if (Marina* m = at(641)) set(641, contact, "Website", QStringLiteral("www.%1.example.com.").arg(WebName(m->name)));
  set(2690, contact, "E-mail", null);
  set(2690, contact, "Website", null);

  // Navigation, ratings and editions.
  set(487, nav, "USCG Statute Mile", 12.5);
  set(2641, nav, "USCG Statute Mile", 0);
  set(2541, nav, "Latitude", " ");
  set(2571, nav, "Deepest Slip", 12);
  set(2571, nav, "Deepest Mooring", null);
  set(2498, nav, "Deepest Slip", null);
  set(2498, nav, "Deepest Mooring", null);
  set(2575, "rpm_Vyk", "Sunset", null);

  // Report item variants.
  for (const char* c : {"Gasoline?", "Diesel?", "High-Speed Pumps?", "Slip Side Fueling?", "On Call Delivery?"}) {
    set(2574, fac, c, 0);
    set(2576, fac, c, 0);
  }
  // The brand of the gasoline it sells.
  set(2574, fac, "Brand", "Northstar Marine");
  set(2574, fac, "Gasoline?", 1);
  set(2576, fac, "Brand", null);
  set(2497, fac, "In Season Slips--Nightly Rate", 0);
  set(2497, fac, "Off Season Slips--Nightly Rate", 1.5);
  set(2497, fac, "In-season slips--comment", "   ");
  for (const char* c : {"30 Amp $", "100 Amp $", "200 Amp $", "300 Amp $", "3 Phase $"}) set(2573, fac, c, null);
  set(2573, fac, "50 Amp $", "$8");
  set(2570, fac, "Cable TV?", 1);
  set(2570, fac, "Cable TV Rate $", "5");
  set(2530, fac, "Laundry?", 0);
  set(2530, fac, "# of Wash Machines", null);
  set(2530, fac, "# of Dryers", null);
  set(2530, fac, "On Site Book Exchange?", 1);
  set(489, ops, "On Site", 1);
  set(489, ops, "On Call", 1);
  set(489, ops, "Pumpout_Comments", "Free");
  set(489, ops, "Fee", null);
  set(172, ops, "Boat US Cooperating Marina", 0);
  for (const char* c : {"Other Discount Programs", "Dockage Discount", "Repair Discount", "Other Discount"})
    set(172, ops, c, null);
  set(172, ops, "Fuel Disscount", "Volume discount");
  set(574, ops, "Other", "Debit cards");
  set(490, svc, "Security", 1);
  set(490, svc, "No of Hours", "24 hrs");
  set(490, svc, "Describe", null);
  set(490, svc, "Fax--In and Out", 1);
  set(490, svc, "Fax Charge", "0");

  // Boatyard.
  if (Row* r = one(200, yard)) {
    r->Set("On Land", "Yes").Set("In Water", "Yes");
    for (const char* c : {"Yard Rate", "Haul & Launch", "Blocking", "Power Wash", "Bottom Paint"}) r->Null(c);
    r->Set("Paint Incl?", 0);
  }
  set(2533, yard, "Blocking", "INCLUDED");
  const QString gas = QStringLiteral("Engine Mechanic - Gas");
  const QString diesel = QStringLiteral("Engine Mechanic - Diesel");
  if (Marina* m = at(933)) {
    InClass(RowOf(*m, bys, gas), 0);
    InClass(RowOf(*m, bys, diesel), 0);
  }
  if (Marina* m = at(512)) {
    InClass(RowOf(*m, bys, gas), 0);
    InClass(RowOf(*m, bys, diesel), 1);
  }
  if (Marina* m = at(932)) {
    Remove(*m, bys, gas);
    InClass(RowOf(*m, bys, diesel), 0);
  }
  if (Marina* m = at(510)) {
    InClass(RowOf(*m, bys, gas), 0);
    Remove(*m, bys, diesel);
  }
  if (Marina* m = at(216)) Remove(*m, bys, QStringLiteral("Travelift"));

  // Amenities.
  if (Marina* m = at(507)) InClass(RowOf(*m, rec, "Golf Course"), -1, "   ");
  // The search tests read 507's beach and picnic area as fixed classes, whatever its town brings.
  if (Marina* m = at(507)) {
    InClass(RowOf(*m, rec, "Beach"), 4);
    InClass(RowOf(*m, rec, "Picnic Area"), 0);
  }
  if (Marina* m = at(508)) InClass(RowOf(*m, QStringLiteral("rpm_Entertainment"), "Museum"), -1, "x");
  // Block Island's hospital is on the mainland, by the ferry from Old Harbor.
  if (Marina* m = at(1676))
    InClass(RowOf(*m, med, "Hospital"), -1, "x").Set("Comments", "Hospital on the mainland, by ferry");
  if (Marina* m = at(979)) InClass(RowOf(*m, trans, "Taxi"), 1).Set("Comments", "Island taxi (508) 555-0142");
  if (Marina* m = at(1273)) {
    InClass(RowOf(*m, rec, "Head(Group) Fishing Boats"), 3);
    InClass(RowOf(*m, rec, "group fishing boat"), 3);
  }
  if (Marina* m = at(2528))
    InClass(RowOf(*m, med, "911 Service"), -1).Set("Comments", "Volunteer rescue, call on VHF 16");
  if (Marina* m = at(2637)) {
    Remove(*m, med, "911 Service");
    InClass(RowOf(*m, rec, "Pool"), 0);
    m->one["rpm_display"].Null("pool");
  }
  // A remark alone and an "x" alone, naming the nearest hospital and airport by land.
  if (Marina* m = at(186))
    InClass(RowOf(*m, med, "Hospital"), -1)
        .Set("Comments", QStringLiteral("Hospital in ") + m->nearest["hospital"].first);
  if (Marina* m = at(485))
    InClass(RowOf(*m, trans, "Nearest Airport"), -1, "x")
        .Set("Comments", QStringLiteral("Airport at ") + m->nearest["airport"].first);
  if (Marina* m = at(484)) {
    m->many.clear();
    const Row& f = m->one[fac];
    Row facilities;
    facilities.Set("MarinaNo", m->no)
        .Set("Total # Slips", f.Get("Total # Slips"))
        .Set("Total # of Moorings", f.Get("Total # of Moorings"))
        .Set("Maximum Length Overall", f.Get("Maximum Length Overall"));
    m->one[fac] = facilities;
    m->one[svc] = Row().Set("MarinaNo", m->no);
    m->one[yard] = Row().Set("MarinaNo", m->no).Set("Marina has Boatyard on site?", 0);
    m->one["rpm_extras"] = Row().Set("MarinaNo", m->no).Set("Environs", "").Set("Marina Notes", "").Set("Notable", "");
    m->hasDisplay = false;
  }
  if (Marina* m = at(483)) {
    InClass(RowOf(*m, rec, "Other"), 2).Set("Comments", "Kayak tours");
    InClass(RowOf(*m, gen, "Other"), 3).Set("Comments", "Meeting house");
    m->one["rpm_display"].Set("gothers", 1);
  }

  // Eateries and lodgings.
  if (Marina* m = at(2609)) InClass(AddRow(*m, rest, "Rest Type", "Restaurant"), 0).Set("Name", "Harbor Restaurant");
  if (Marina* m = at(2639)) {
    InClass(AddRow(*m, rest, "Rest Type", "Coffee Shop"), 2).Set("Name", "Foghorn Cafe").Set("Telephone #", "(   )   -");
    InClass(AddRow(*m, lodge, "Accommodation Type", "Inn/B&B"), 3).Set("Name", "Juniper Inn").Set("Telephone #", "(   )-   -");
    InClass(AddRow(*m, lodge, "Accommodation Type", "Hotel"), 4).Set("Name", "Beacon Hotel").Set("Telephone #", "(   )   -");
  }
  if (Marina* m = at(481)) {
    InClass(AddRow(*m, rest, "Rest Type", "Snack Bar"), -1, "   ").Set("Name", "Dory Snack Bar");
    InClass(AddRow(*m, lodge, "Accommodation Type", "Condo/Cottage"), -1, "   ").Set("Name", "Kelp Cottages");
  }
  if (Marina* m = at(2610)) {
    auto& rows = m->many[rest];
    rows.erase(std::remove_if(rows.begin(), rows.end(),
                              [](const Row& r) {
                                const QString k = r.Get("Rest Type").toString();
                                return k == QStringLiteral("Shack") || k == QStringLiteral("Raw Bar");
                              }),
               rows.end());
    InClass(AddRow(*m, rest, "Rest Type", "Shack"), 2).Set("Name", "Quahog Lobster Shack");
    InClass(AddRow(*m, rest, "Rest Type", "Raw Bar"), 3).Set("Name", "Tern Clam Bar");
  }
  if (Marina* m = at(2653)) {
    InClass(AddRow(*m, rest, "Rest Type", "Restaurant"), 3).Set("Name", "Compass Grill");
    InClass(AddRow(*m, rest, "Rest Type", "Restaurant"), 3).Set("Name", "Whitecap Tavern").Set("D$", "$$$");
    InClass(AddRow(*m, rest, "Rest Type", "Restaurant"), 3).Set("Name", "Oakes's Chowder House").Set("Comments", "Waterfront deck");
  }
  if (Marina* m = at(480)) InClass(AddRow(*m, lodge, "Accommodation Type", "Motel"), 4);

  // Hiding.
  for (int no : {1271, 479})
    if (Marina* m = at(no)) m->hasDisplay = false;
  if (Marina* m = at(478)) {
    InClass(RowOf(*m, rec, "Pool"), 0);
    m->one["rpm_display"].Set("pool", 1);
  }
  set(473, "rpm_display", "hospital", 1);
  set(474, "rpm_display", "911Service", 1);
  if (Marina* m = at(475)) {
    if (RowOf(*m, gen, "Laundry").Get("On-Site").isNull()) InClass(RowOf(*m, gen, "Laundry"), 3);
    m->one["rpm_display"].Set("fservice", 1);
  }
  if (Marina* m = at(2640)) {
    InClass(AddRow(*m, rest, "Rest Type", "Restaurant"), 3).Set("Name", "Spruce Galley");
    InClass(AddRow(*m, lodge, "Accommodation Type", "Motel"), 4).Set("Name", "Schooner Motel");
    m->one["rpm_display"].Set("restaurant", 1).Set("motel", 1);
  }

  // Personal notes and split positions.
  if (Marina* m = at(34)) m->hasOutput = false;
  set(467, "rpm_output", "MiddleSectionPos", 10);
  set(467, "rpm_output", "BottomSectionPos", 10);
  // Stored middle positions like any storing marina's, balanced once the
  // database is written; positions at the ends of the range would leave a
  // column empty and belong in the tests' own databases.
  for (int no : {2648, 1686})
    if (Marina* m = at(no)) m->balancedSplit = true;
  set(1686, "rpm_output", "BottomSectionPos", 300);
  set(2608, "rpm_output", "Comments",
      "Skipper's notes: fuel dock closes at 5.\r\nOuter float is rough in a SW breeze.");

  // Free texts.
  set(2813, "rpm_extras", "Environs", null);
  set(2813, "rpm_extras", "Marina Notes",
      "<B>Full service</B> yard &amp; transient slips.<BR>Ask the dockmaster about the winter rates.");
  set(2813, "rpm_extras", "Notable", "   ");
}

// Makes sure a search for any amenity type, eatery kind or lodging kind finds
// a marina in each distance class: where the rules left a class empty, one
// marina (not a fixed edge row) gets a row of that type in that class.
void CoverEveryClass(DemoData& data) {
  struct Kind {
    QString table, column, type;
  };
  std::vector<Kind> kinds;
  static const std::map<QString, QStringList> types = {
      {"rpm_Boat_Supplies", {"Ice Block?", "Ice Cube?", "Ice Shaved?", "Bait and Tackle", "Live Bait", "Ships' Store",
                             "Marine Discount Store", "Boat/US", "West Marine", "West Marine or E&B Marine Store",
                             "Propane", "CNG"}},
      {"rpm_Boat_and_Boatyard_Services",
       {"Travelift", "Forklift", "Railway", "Crane", "Launching Ramp", "Bottom Cleaning", "Engine Mechanic - Gas",
        "Engine Mechanic - Diesel", "Brightwork", "Rigger", "Hull Repairs", "Refrigeration", "Air Conditioning",
        "Sail Loft", "Canvas Work", "Electrical Repairs", "Electronics Repairs", "Electronic Sales", "Divers",
        "Compound, Wash & Wax", "Propeller Repairs", "Inflatable Repairs", "Upholstery", "Metal Fabrication",
        "Painting", "Awlgrip", "Total Refits"}},
      {"rpm_Recreation", {"Pool", "Heated Pool", "Spa", "Beach", "Grills", "Picnic Area", "Playground", "Dive Shop",
                          "Volleyball", "Tennis Courts", "Golf Course", "Fitness Center", "Jogging Paths",
                          "Boat Rentals", "Roller Blade/Bike Paths", "Horseback Riding", "Bowling",
                          "Fishing Charter", "Head(Group) Fishing Boats", "Other"}},
      {"rpm_Entertainment", {"Movie Theater", "Video Rental", "Video Arcade", "Museum", "Park", "Cultural Attract",
                             "Sightseeing", "Special Events", "Gallery"}},
      {"rpm_General_Services",
       {"Bank/ATM", "Post Office", "Catholic Church", "Protestant Church", "Synagogue", "Beauty Salon",
        "Barber Shop", "Dry Cleaners", "Florist", "Library", "Laundry", "Bookstore", "Pharmacy", "Newsstand",
        "Hardware Store", "Clothing Store", "Retail Shops", "Department Store", "Buying Club", "Copies Etc.", "Other"}},
      {"rpm_Provisioning", {"Supermarket", "Gourmet Shop", "Delicatessen", "Wine/Beer", "Liquor Store", "Bakery",
                            "Farmers' Market", "Green Grocer", "Convenience Store", "Fishmonger", "Meat Market",
                            "Lobster Pound", "Health Food", "Crabs/Waterman", "Shrimper", "Oysterman",
                            "Complete Provisioning Service"}},
      {"rpm_Transportation", {"Courtesy Car Or Van Service for Guests", "Rental Car", "Taxi", "Bikes", "Water Taxi",
                              "Local Bus", "InterCity Bus", "Ferry Service", "Airport Limo"}},
      {"rpm_Medical", {"Doctor", "Ambulance", "Dentist", "Chiropractor", "Holistic Services", "Veterinarian"}},
  };
  for (const auto& [table, list] : types)
    for (const QString& t : list) kinds.push_back({table, QStringLiteral("type"), t});
  for (const char* k : {"Restaurant", "Seafood Shack", "Coffee Shop", "Snack Bar", "Lite Fare", "Fast Food",
                        "Pizzeria", "Raw Bar", "Crab House", "Shack"})
    kinds.push_back({QStringLiteral("rpm_Restaurants"), QStringLiteral("Rest Type"), QString::fromUtf8(k)});
  for (const char* k : {"Inn/B&B", "Hotel", "Motel", "Condo/Cottage"})
    kinds.push_back({QStringLiteral("rpm_Accommodations"), QStringLiteral("Accommodation Type"), QString::fromUtf8(k)});

  const QSet<int> edges(EdgeMarinas().begin(), EdgeMarinas().end());
  const auto classOf = [](const Row& r) {
    for (int i = 0; i < 5; ++i)
      if (r.Get(kFlags[i]).toInt() == 1) return i;
    return r.Get("Approx Distance").toString().trimmed().isEmpty() ? -1 : 5;
  };
  // Which classes each type already has, in one pass over the rows.
  std::map<QString, std::array<bool, 6>> present;
  for (const Marina& m : data.marinas)
    for (const auto& [table, rows] : m.many) {
      const QString column = table == QStringLiteral("rpm_Restaurants")      ? QStringLiteral("Rest Type")
                             : table == QStringLiteral("rpm_Accommodations") ? QStringLiteral("Accommodation Type")
                                                                             : QStringLiteral("type");
      for (const Row& r : rows) {
        const int cls = classOf(r);
        if (cls >= 0) present[table + QLatin1Char('/') + r.Get(column).toString()][cls] = true;
      }
    }
  for (const Kind& kind : kinds) {
    const std::array<bool, 6> has = present[kind.table + QLatin1Char('/') + kind.type];
    for (int cls = 0; cls < 6; ++cls) {
      if (has[cls]) continue;
      const QByteArray key = (kind.table + QLatin1Char('/') + kind.type).toUtf8();
      Rng r(0, key.constData(), "cover", cls);
      const bool yardTable = kind.table == QStringLiteral("rpm_Boat_and_Boatyard_Services");
      const bool amenity = kind.column == QStringLiteral("type");
      const QString other = kind.type == QStringLiteral("West Marine") ? QStringLiteral("West Marine or E&B Marine Store")
                            : kind.type == QStringLiteral("West Marine or E&B Marine Store") ? QStringLiteral("West Marine")
                                                                                               : QString();
      std::vector<Marina*> candidates;
      for (Marina& m : data.marinas) {
        if (edges.contains(m.no)) continue;
        if (yardTable && ((cls == 0) != (m.boatyard > 0))) continue;
        // On the mainland, where the marina's town lies in that class: an island has only what it has, and far
        // distances follow the place.
        if (m.island || (cls >= 3 && DistanceClass(m.townCentre.miles) != cls)) continue;
        bool clash = false;
        for (const Row& row : m.many[kind.table]) {
          const QString t = row.Get(kind.column).toString();
          if (amenity && (t == kind.type || (!other.isEmpty() && t == other))) clash = true;
        }
        if (!clash) candidates.push_back(&m);
      }
      if (candidates.empty()) continue;  // the self-check reports it
      Marina& m = *candidates[r.Next() % candidates.size()];
      Row& row = AddRow(m, kind.table, kind.column, kind.type);
      InClass(row, cls < 5 ? cls : -1, cls < 5 ? QVariant() : QVariant(MilesBeyondThree(m.townCentre)));
      if (kind.type == QStringLiteral("Other"))
        row.Set("Comments", kind.table == QStringLiteral("rpm_Recreation") ? "Whale watching" : "Meeting house");
      if (kind.column == QStringLiteral("Rest Type")) {
        row.Set("Name", EateryName(kind.type, r));
      } else if (!amenity) {
        row.Set("Name", LodgingName(kind.type, r));
        row.Set("$", "$$");
      }
    }
  }
}

}  // namespace qw::demo

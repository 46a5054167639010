// The rule-based values of every demo marina.
#include <QSet>
#include <algorithm>
#include <cmath>
#include <map>
#include <optional>
#include <set>
#include <stdexcept>

#include "demo_model.h"
#include "demo_rng.h"

namespace qw::demo {
namespace {


const QStringList kPartA = {"Heron",     "Osprey",   "Cormorant", "Eider",     "Tern",      "Puffin",
                            "Sandpiper", "Kingfisher", "Granite", "Spruce",    "Juniper",   "Bayberry",
                            "Driftwood", "Lantern",  "Compass",   "Beacon",    "Whitecap",  "Foghorn",
                            "Schooner",  "Dory",     "Windward",  "Leeward",   "Quahog",    "Kelp",
                            "Saltmarsh", "Tidewater", "Blue Gull", "Red Nun",  "Bell Buoy"};
const QStringList kPartB = {"Point", "Cove",  "Landing", "Reach", "Ledge", "Island",
                            "Neck",  "Creek", "Basin",   "Shore", "Bight", "Harbor"};
const QStringList kSurnames = {"Tollander", "Quimby",   "Hasketh",   "Pellworth", "Marchetti", "Lindqvist",
                               "Abernathy", "Coffin-Greer", "Dunmore", "Sayward", "Treadwell", "Oakes",
                               "Haskins",   "Bramhall", "Whitcombe", "Petrakis",  "Lowder",    "Camber"};
const QStringList kSuffixes = {"Marina",    "Boatyard",   "Boat Yard",  "Yacht Basin", "Boat Works",
                               "Marine",    "Yacht Yard", "Landing",    "Wharf",       "Yacht Club",
                               "Harbor Services"};
const QStringList kFirstNames = {"Anne", "Ben",  "Carla", "Dave", "Ellen",  "Frank", "Gail",
                                 "Hank", "Irene", "Jim",  "Kate", "Lou",    "Maggie", "Ned",
                                 "Olga", "Pete", "Rita",  "Sam",  "Tess",   "Walt"};
const QStringList kStreets = {"Water Street", "Main Street", "Harbor Road",  "Wharf Street",
                              "Shore Road",   "Front Street", "Ocean Avenue", "Bay Street"};

Rng R(const Marina& m, const char* table, const char* field, int n = 0) { return Rng(m.no, table, field, n); }

// Whole numbers are stored as integers so that they read back as "150", not "150.0".
QVariant Num(double v) {
  if (std::floor(v) == v) return QVariant(static_cast<qlonglong>(v));
  return QVariant(v);
}

QVariant Flag(bool b) { return QVariant(b ? 1 : 0); }

// Sets each Yes/No column to 1 for its share of the marinas, else 0.
void SetShares(Row& row, const Marina& m, const char* table, const std::vector<std::pair<const char*, double>>& shares) {
  for (const auto& [column, share] : shares) row.Set(column, Flag(Rng(m.no, table, column).Chance(share)));
}

QString PhoneNumber(const QString& area, Rng r) {
  const QString line = QStringLiteral("01%1").arg(r.IntBetween(0, 99), 2, 10, QLatin1Char('0'));
  const int form = r.PickWeighted({60, 25, 15});
  if (form == 0) return QStringLiteral("(%1) 555-%2").arg(area, line);
  if (form == 1) return QStringLiteral("%1-555-%2").arg(area, line);
  return area + QStringLiteral("555") + line;
}

QString Phone(const Marina& m, const char* table, const char* field, int n = 0) {
  return PhoneNumber(m.town->areaCode, R(m, table, field, n));
}

bool IsMaine(const Marina& m) { return m.geoCode >= 5 && m.geoCode <= 8; }

// ---------------------------------------------------------------- names

QString MarinaNameCandidate(const Marina& m, int n) {
  Rng r = R(m, kNames, "Marina Name", n);
  const bool townDock = m.slips == 0 && m.moorings > 0;
  QStringList suffixes = kSuffixes;
  if (townDock) suffixes << QStringLiteral("Town Dock");
  const int pattern = r.PickWeighted({45, 25, 10, 20});
  const QString suffix = r.Pick(suffixes);
  switch (pattern) {
    case 0: {
      const QString a = r.Pick(kPartA);
      return a + QLatin1Char(' ') + r.Pick(kPartB) + QLatin1Char(' ') + suffix;
    }
    case 1: return r.Pick(kSurnames) + QLatin1Char(' ') + suffix;
    case 2: return r.Pick(kSurnames) + QStringLiteral("'s ") + suffix;
    default: return r.Pick(kPartA) + QLatin1Char(' ') + suffix;
  }
}

// "Driftwood Landing Landing": a part and a suffix that share a word.
bool RepeatsAWord(const QString& name) {
  const QStringList words = name.toLower().split(QLatin1Char(' '), Qt::SkipEmptyParts);
  return QSet<QString>(words.begin(), words.end()).size() < words.size();
}

QString PersonName(const Marina& m, const char* field) {
  Rng r = R(m, kOperations, field);
  static const QStringList lasts = kSurnames + QStringList{"Carver", "Dyer", "Ames", "Pike", "Lord", "Snow"};
  const QString first = r.Pick(kFirstNames);
  return first + QLatin1Char(' ') + r.Pick(lasts);
}

// ---------------------------------------------------------------- amenity rows

// Where an amenity lies: at the marina (on site, on call), by it (a beach, a bait shop), in its town (a bank, a
// library), in the nearest larger town, the one with a hospital (a cinema, a department store), or out in the
// country round it (a golf course, a riding stable).
enum Profile { ON, CALL, NEAR, TOWN, FAR, COUNTRY };
// Farther than this a guide names no larger town's amenity.
constexpr double kFarthestMiles = 30;

// Class weights where the marina itself decides: On-Site, On-Call, NearBy, W/in 1 Mile, 1-3 Miles.
const std::vector<int>& ProfileWeights(Profile p) {
  static const std::vector<std::vector<int>> w = {{85, 5, 10, 0, 0}, {15, 75, 0, 10, 0}, {0, 0, 35, 40, 25}};
  return w[std::min<int>(p, NEAR)];
}

const QStringList kFlagColumns = {"On-Site", "On-Call", "NearBy", "W/in 1 Mile", "1-3 Miles"};

// The remarks an amenity row may carry in a distance class (0 on site .. 5 beyond three miles): where it
// is only beside the wharf or the town landing, and a walk only under a mile away.
QStringList RemarksFor(int cls) {
  QStringList remarks = {"Seasonal", "Ask at the office", "Open year-round", "<I>Closed Sundays</I>"};
  if (cls == 0 || cls == 2) remarks << QStringLiteral("At the head of the wharf");
  if (cls == 2 || cls == 3) remarks << QStringLiteral("Next to the town landing");
  if (cls == 3) remarks << QStringLiteral("Walk up Main Street");
  return remarks;
}

IslandKind KindOf(const Marina& m) { return m.island ? m.island->kind : IslandKind::Large; }

// What a village has of a town's amenities, and an outpost island of anything beyond its marina; the rest is in
// the town that serves it.
bool PlaceHas(const Marina& m, const QString& type) {
  static const QStringList village = {"Post Office", "Protestant Church", "Library", "Convenience Store",
                                      "Special Events"};
  static const QStringList outpost = {"Protestant Church", "Museum", "Special Events", "Sightseeing", "Picnic Area"};
  if (KindOf(m) == IslandKind::Outpost) return outpost.contains(type);
  const bool isVillage = m.island ? KindOf(m) == IslandKind::Village : IsVillage(*m.town);
  return !isVillage || village.contains(type);
}

// Sets the distance of an amenity, eatery or lodging row: one flag, or none and the miles (`way`) beyond three,
// on the mainland now and then a bare "x" where the miles are not known closely.
void SetDistance(Row& row, int cls, const Marina& m, const Way& way, Rng r) {
  for (int i = 0; i < 5; ++i) row.Set(kFlagColumns[i], i == cls ? 1 : 0);
  if (cls == 5) row.Set("Approx Distance", !m.island && r.Chance(0.1) ? QStringLiteral("x") : MilesBeyondThree(way));
}

// Where in a place `way` away one of its amenities lies: spread over the place, and within the island's reach
// where the place is on the marina's own island.
Way Spread(const Marina& m, const Way& way, Rng r) {
  Way at = way;
  at.miles = way.miles * (0.9 + 0.3 * r.Unit()) + 0.4 * r.Unit();
  if (m.island && !way.ferry) at.miles = std::min(at.miles, m.reachMiles);
  return at;
}

// The distance class of something near the marina: on an island, within its reach.
int NearClass(const Marina& m, const std::vector<int>& weights, Rng r) {
  const int cls = r.PickWeighted(weights);
  return cls == 4 && m.island && m.reachMiles < 1 ? 3 : cls;
}

// Sets the distance of a row that lies in a place `way` away (its town, the town that serves it, a ferry dock).
void SetDistanceIn(Row& row, const Marina& m, const Way& way, Rng r) {
  const Way at = Spread(m, way, r);
  SetDistance(row, at.ferry ? 5 : DistanceClass(at.miles), m, at, r);
}

// The way to where an amenity of the town lies: in the marina's own town, where a village lacks it in the town
// that serves it, and a larger town's amenity in the nearest hospital town.
Way WayTo(const Marina& m, const QString& type, Profile profile, Rng r) {
  if (profile == FAR || (profile == COUNTRY && m.island && KindOf(m) != IslandKind::Large)) return m.centre;
  if (profile == COUNTRY) {
    Way way = m.centre;
    way.miles = std::min(way.miles, 1.5 + 6.5 * r.Unit());
    return way;
  }
  return PlaceHas(m, type) ? m.townCentre : m.serviceTown;
}

int FlagClass(const Row& row) {
  for (int i = 0; i < 5; ++i)
    if (row.Get(kFlagColumns[i]).toInt() == 1) return i;
  return 5;
}

Row AmenityRow(const Marina& m, const char* table, const QString& type, Profile profile) {
  const QByteArray t = type.toUtf8();
  Row row;
  row.Set("MarinaNo", m.no).Set("type", type);
  if (profile <= NEAR)
    SetDistance(row, NearClass(m, ProfileWeights(profile), R(m, table, t.constData(), 1)), m, Way{},
                R(m, table, t.constData(), 2));
  else
    SetDistanceIn(row, m, WayTo(m, type, profile, R(m, table, t.constData(), 4)), R(m, table, t.constData(), 1));
  const int cls = FlagClass(row);
  Rng c = R(m, table, t.constData(), 3);
  if (c.Chance(0.15)) {
    if (c.Chance(0.25))
      row.Set("Comments", QStringLiteral("Call (%1) 555-01%2").arg(m.town->areaCode).arg(c.IntBetween(0, 99), 2, 10, QLatin1Char('0')));
    else
      row.Set("Comments", c.Pick(RemarksFor(cls)));
  }
  return row;
}

struct TypeRule {
  const char* type;
  double share;
  Profile profile;
};

// An outpost island has nothing near its marina but what it has, and no larger town is near enough to name
// from a place too far out.
bool Lacks(const Marina& m, const QString& type, Profile profile) {
  if (profile >= FAR && m.centre.miles > kFarthestMiles)
    return profile == FAR || (m.island && KindOf(m) != IslandKind::Large);
  return profile == NEAR && KindOf(m) == IslandKind::Outpost && !PlaceHas(m, type);
}

void AddRows(Marina& m, const char* table, const std::vector<TypeRule>& rules) {
  auto& rows = m.many[QString::fromLatin1(table)];
  for (const TypeRule& rule : rules) {
    if (!R(m, table, rule.type).Chance(rule.share) || Lacks(m, QString::fromUtf8(rule.type), rule.profile)) continue;
    rows.push_back(AmenityRow(m, table, QString::fromUtf8(rule.type), rule.profile));
  }
}

// The row added, or none where the marina's place lacks it.
Row* AddRow(Marina& m, const char* table, const QString& type, Profile profile) {
  if (Lacks(m, type, profile)) return nullptr;
  auto& rows = m.many[QString::fromLatin1(table)];
  rows.push_back(AmenityRow(m, table, type, profile));
  return &rows.back();
}

void BoatSupplies(Marina& m) {
  const char* t = "rpm_Boat_Supplies";
  AddRows(m, t, {{"Ice Block?", 0.60, ON}, {"Ice Cube?", 0.85, ON}, {"Ice Shaved?", 0.10, ON},
                 {"Bait and Tackle", 0.45, NEAR}, {"Live Bait", 0.20, NEAR}, {"Ships' Store", 0.55, ON},
                 {"Marine Discount Store", 0.15, TOWN}, {"Boat/US", 0.10, FAR}});
  const double west = R(m, t, "West Marine").Unit();
  if (west < 0.25)
    AddRow(m, t, "West Marine", FAR);
  else if (west < 0.35)
    AddRow(m, t, "West Marine or E&B Marine Store", FAR);
  AddRows(m, t, {{"Propane", 0.45, NEAR}, {"CNG", 0.05, FAR}});
}

void BoatyardServices(Marina& m) {
  const char* t = "rpm_Boat_and_Boatyard_Services";
  auto& rows = m.many[t];
  if (m.boatyard > 0) {
    const bool two = m.boatyard == 2;
    AddRows(m, t, {{"Travelift", two ? 1.0 : 0.95, ON}, {"Forklift", 0.25, ON},
                   {"Railway", IsMaine(m) ? 0.2 : 0.03, ON}, {"Crane", 0.20, ON}});
    bool haulOut = false;
    for (Row& row : rows) {
      // A yard's own haul-out equipment is on site.
      if (row.Get("type").toString() == QStringLiteral("Travelift") || R(m, t, "haul-out on site").Chance(0.8)) {
        SetDistance(row, 0, m, Way{}, R(m, t, "haul-out"));
        row.Null("Approx Distance");
      }
      if (row.Get("On-Site").toInt() == 1) haulOut = true;
    }
    if (!haulOut) {
      if (rows.empty()) rows.push_back(AmenityRow(m, t, "Travelift", ON));
      SetDistance(rows.front(), 0, m, Way{}, R(m, t, "haul-out"));
      rows.front().Null("Approx Distance");
    }
    AddRows(m, t, {{"Launching Ramp", 0.40, NEAR}, {"Bottom Cleaning", 0.60, ON},
                   {"Engine Mechanic - Gas", 0.80, ON}, {"Engine Mechanic - Diesel", 0.75, ON},
                   {"Brightwork", 0.50, ON}, {"Rigger", 0.40, ON}, {"Hull Repairs", 0.70, ON},
                   {"Refrigeration", 0.30, ON}, {"Air Conditioning", 0.20, ON}, {"Sail Loft", 0.25, TOWN},
                   {"Canvas Work", 0.50, NEAR}, {"Electrical Repairs", 0.60, ON},
                   {"Electronics Repairs", 0.45, ON}, {"Electronic Sales", 0.25, ON}, {"Divers", 0.40, CALL},
                   {"Compound, Wash & Wax", 0.55, ON}, {"Propeller Repairs", 0.35, ON},
                   {"Inflatable Repairs", 0.20, NEAR}, {"Upholstery", 0.15, TOWN},
                   {"Metal Fabrication", 0.20, ON}, {"Painting", 0.50, ON}, {"Awlgrip", two ? 0.5 : 0.15, ON},
                   {"Total Refits", two ? 0.35 : 0.0, ON}});
  } else {
    if (R(m, t, "Travelift").Chance(0.85))
      AddRow(m, t, "Travelift", R(m, t, "Travelift profile").Chance(0.5) ? NEAR : TOWN);
    AddRows(m, t, {{"Launching Ramp", 0.30, NEAR}, {"Bottom Cleaning", 0.30, CALL},
                   {"Engine Mechanic - Gas", 0.60, CALL}, {"Engine Mechanic - Diesel", 0.60, CALL},
                   {"Sail Loft", 0.10, TOWN}, {"Canvas Work", 0.25, TOWN}, {"Electronics Repairs", 0.10, TOWN},
                   {"Divers", 0.40, CALL}});
  }
}

void Recreation(Marina& m) {
  const char* t = "rpm_Recreation";
  AddRows(m, t,
          {{"Pool", 0.12, ON},
           {"Heated Pool", 0.05, ON},
           {"Spa", 0.03, ON},
           {"Beach", 0.55, NEAR},
           {"Grills", 0.45, ON},
           {"Picnic Area", 0.50, ON},
           {"Playground", 0.35, NEAR},
           {"Dive Shop", 0.15, FAR},
           {"Volleyball", 0.08, NEAR},
           {"Tennis Courts", 0.40, TOWN},
           {"Golf Course", 0.55, COUNTRY},
           {"Fitness Center", 0.30, TOWN},
           {"Jogging Paths", 0.35, NEAR},
           {"Boat Rentals", 0.40, NEAR},
           {"Roller Blade/Bike Paths", 0.30, TOWN},
           {"Horseback Riding", 0.10, COUNTRY},
           {"Bowling", 0.20, FAR},
           {"Fishing Charter", 0.60, NEAR},
           {"Head(Group) Fishing Boats", 0.25, TOWN}});
  if (R(m, t, "Other").Chance(0.10))
    if (Row* other = AddRow(m, t, "Other", NEAR))
      other->Set("Comments", R(m, t, "Other remark").Pick(QStringList{"Kayak tours", "Whale watching"}));
}

void Entertainment(Marina& m) {
  const char* t = "rpm_Entertainment";
  AddRows(m, t, {{"Movie Theater", 0.45, FAR}, {"Video Rental", 0.40, TOWN}, {"Video Arcade", 0.10, TOWN},
                 {"Museum", 0.60, TOWN}, {"Park", 0.60, NEAR}, {"Cultural Attract", 0.50, TOWN},
                 {"Sightseeing", 0.55, NEAR}, {"Special Events", 0.45, TOWN}, {"Gallery", 0.40, NEAR}});
  for (Row& row : m.many[t])
    if (row.Get("type").toString() == QStringLiteral("Special Events") && R(m, t, "events remark").Chance(0.5))
      row.Set("Comments", R(m, t, "events text").Pick(QStringList{"Harbor festival in August", "Fourth of July fireworks",
                                                                    "Blessing of the fleet in June"}));
}

void GeneralServices(Marina& m) {
  const char* t = "rpm_General_Services";
  AddRows(m, t, {{"Bank/ATM", 0.85, TOWN}, {"Post Office", 0.85, TOWN}, {"Catholic Church", 0.65, TOWN},
                 {"Protestant Church", 0.75, TOWN}, {"Synagogue", 0.15, FAR}});
  if (R(m, t, "Other").Chance(0.15))
    if (Row* other = AddRow(m, t, "Other", TOWN)) other->Set("Comments", "Meeting house");
  AddRows(m, t, {{"Beauty Salon", 0.55, TOWN}, {"Barber Shop", 0.45, TOWN}, {"Dry Cleaners", 0.40, TOWN},
                 {"Florist", 0.35, TOWN}, {"Library", 0.70, TOWN}, {"Laundry", 0.35, TOWN},
                 {"Bookstore", 0.50, TOWN}, {"Pharmacy", 0.70, TOWN}, {"Newsstand", 0.40, TOWN},
                 {"Hardware Store", 0.70, TOWN}, {"Clothing Store", 0.45, TOWN}, {"Retail Shops", 0.65, NEAR},
                 {"Department Store", 0.20, FAR}, {"Buying Club", 0.05, FAR}, {"Copies Etc.", 0.35, TOWN}});
}

void Provisioning(Marina& m) {
  const char* t = "rpm_Provisioning";
  const bool oysters = m.geoCode >= 11 && m.geoCode <= 13;
  AddRows(m, t, {{"Supermarket", 0.75, TOWN}, {"Gourmet Shop", 0.35, TOWN}, {"Delicatessen", 0.50, NEAR},
                 {"Wine/Beer", 0.55, NEAR}, {"Liquor Store", 0.55, TOWN}, {"Bakery", 0.45, TOWN},
                 {"Farmers' Market", 0.30, TOWN}, {"Green Grocer", 0.15, TOWN}, {"Convenience Store", 0.80, NEAR},
                 {"Fishmonger", 0.45, NEAR}, {"Meat Market", 0.20, TOWN},
                 {"Lobster Pound", IsMaine(m) ? 0.70 : 0.40, NEAR}, {"Health Food", 0.25, TOWN},
                 {"Crabs/Waterman", 0.01, NEAR}, {"Shrimper", 0.02, NEAR}, {"Oysterman", oysters ? 0.15 : 0.0, NEAR},
                 {"Complete Provisioning Service", 0.10, CALL}});
}

// Adds the amenity row whose remark names the nearest place of a kind ("Hospital in Rockport"), by land, or from
// an island by its ferry, with the distance class and miles of the way there. None where no such place is
// within reach.
void AddNearest(Marina& m, const char* table, const char* type, const char* remark, const QString& kind) {
  const auto nearest = m.nearest.find(kind);
  if (nearest == m.nearest.end() || !nearest->second.second.Known()) return;
  const auto& [name, way] = nearest->second;
  Row row;
  row.Set("MarinaNo", m.no).Set("type", QString::fromLatin1(type));
  const int cls = way.ferry ? 5 : std::max(3, DistanceClass(way.miles));
  for (int i = 0; i < 5; ++i) row.Set(kFlagColumns[i], i == cls ? 1 : 0);
  row.Set("Approx Distance", cls == 5 ? QVariant(MilesBeyondThree(way)) : QVariant());
  row.Set("Comments", QString::fromLatin1(remark).arg(name));
  m.many[QString::fromLatin1(table)].push_back(row);
}

void Transportation(Marina& m) {
  const char* t = "rpm_Transportation";
  // On an island only what it has: no inter-city bus, no taxi or rental car where there is none, and its ferry
  // at the dock; on the mainland a ferry from the town's own waterfront.
  const auto has = [&](const char* type) {
    return !m.island || m.island->transport.contains(QLatin1String(type)) ||
           QLatin1String(type) == QLatin1String("Water Taxi");
  };
  const auto rules = [&](std::vector<TypeRule> list) {
    std::erase_if(list, [&](const TypeRule& r) { return !has(r.type) || (m.island && r.profile == FAR); });
    return list;
  };
  AddRows(m, t,
          rules({{"Courtesy Car Or Van Service for Guests", 0.20, ON},
                 {"Rental Car", 0.50, CALL},
                 {"Taxi", 0.70, CALL},
                 {"Bikes", 0.30, NEAR},
                 {"Water Taxi", 0.25, CALL},
                 {"Local Bus", 0.35, NEAR},
                 {"InterCity Bus", 0.30, FAR}}));
  if (m.island || (!FerryDestination(*m.town).isEmpty() && R(m, t, "Ferry Service").Chance(0.8))) {
    Row row;
    row.Set("MarinaNo", m.no).Set("type", "Ferry Service");
    if (m.island)  // at the dock itself
      SetDistance(row, DistanceClass(m.dock.miles), m, m.dock, R(m, t, "Ferry Service", 1));
    else
      SetDistanceIn(row, m, m.townCentre, R(m, t, "Ferry Service", 1));
    m.many[t].push_back(row);
  }
  AddRows(m, t, rules({{"Airport Limo", 0.20, CALL}}));
  // A station a boater would take a train from: within thirty miles.
  if (R(m, t, "Rail").Chance(0.20) && m.nearest[QStringLiteral("rail")].second.miles < 30)
    AddNearest(m, t, "Rail", "Train station in %1", QStringLiteral("rail"));
  AddNearest(m, t, "Nearest Airport", "Airport at %1", QStringLiteral("airport"));
  // A walk, so under a mile, and only from a marina in the middle of its town.
  if (R(m, t, "How do guests move around").Chance(0.10) && m.townCentre.miles < 0.5 && m.shore == Shore::Harbour) {
    Row* row = AddRow(m, t, "How do guests move around", ON);
    SetDistance(*row, 3, m, Way{}, R(m, t, "How do guests move around", 1));
    row->Null("Approx Distance").Set("Comments", "On foot: everything is within a few blocks");
  }
}

void Medical(Marina& m) {
  const char* t = "rpm_Medical";
  auto& rows = m.many[t];
  if (R(m, t, "911 Service").Chance(0.97)) {
    Row row;
    row.Set("MarinaNo", m.no).Set("type", "911 Service");
    SetDistance(row, R(m, t, "911 class").Chance(0.05) ? 0 : 1, m, Way{}, R(m, t, "911 distance"));
    rows.push_back(row);
  }
  AddRows(m, t, {{"Doctor", 0.70, TOWN}, {"Ambulance", 0.70, CALL}, {"Dentist", 0.55, TOWN},
                 {"Chiropractor", 0.35, TOWN}, {"Holistic Services", 0.15, TOWN}, {"Veterinarian", 0.40, TOWN}});
  AddNearest(m, t, "Hospital", "Hospital in %1", QStringLiteral("hospital"));
}

// ---------------------------------------------------------------- eateries and lodgings

const QStringList kPriceMarks = {"$", "$$", "$$$", "$$$$"};

}  // namespace

int DistanceClass(double miles) { return miles < 0.3 ? 2 : miles < 1 ? 3 : miles < 3.5 ? 4 : 5; }

QString MilesBeyondThree(const Way& way) {
  const QString text = QStringLiteral("%1 mi").arg(std::max<qint64>(1, qRound64(way.miles)));
  return way.ferry ? text + QStringLiteral(" by ferry") : text;
}

// What an eatery of each kind is called: a chowder house is a restaurant, a clam shack a seafood shack.
const QStringList& EateryNouns(const QString& kind) {
  static const std::map<QString, QStringList> nouns = {
      {"Restaurant", {"Grill", "Chowder House", "Tavern", "Galley", "Dining Room"}},
      {"Seafood Shack", {"Clam Shack", "Lobster Shack", "Fish Shack"}},
      {"Coffee Shop", {"Cafe", "Coffee House", "Bakery Cafe"}},
      {"Snack Bar", {"Snack Bar", "Dairy Bar", "Take-Out"}},
      {"Lite Fare", {"Sandwich Shop", "Deli", "Cafe"}},
      {"Fast Food", {"Burger Stand", "Fish & Chips", "Drive-In"}},
      {"Pizzeria", {"Pizza", "House of Pizza", "Pizzeria"}},
      {"Raw Bar", {"Raw Bar", "Oyster Bar", "Clam Bar"}},
      {"Crab House", {"Crab House", "Crab Shack"}},
      {"Shack", {"Lobster Shack", "Clam Shack"}}};
  static const QStringList none;
  const auto it = nouns.find(kind);
  return it == nouns.end() ? none : it->second;
}

QString LodgingName(const QString& kind, Rng r) {
  // No "Motel" that is a hotel.
  static const std::map<QString, QStringList> nouns = {{"Inn/B&B", {"Inn", "House", "Guest House"}},
                                                       {"Hotel", {"Hotel", "House", "Inn"}},
                                                       {"Motel", {"Motel", "Motor Lodge"}},
                                                       {"Condo/Cottage", {"Cottages"}}};
  const QString first = r.Pick(kPartA);
  const auto it = nouns.find(kind);
  return it == nouns.end() ? first : first + QLatin1Char(' ') + r.Pick(it->second);
}

QString EateryName(const QString& kind, Rng r) {
  const QString first = r.Chance(0.5) ? r.Pick(kPartA) : r.Pick(kSurnames) + QStringLiteral("'s");
  return first + QLatin1Char(' ') + r.Pick(EateryNouns(kind));
}

namespace {

// Sets the distance of an eatery or a lodging: by the marina, or in its town or village (on an island, on it).
void SetNearOrInTown(Row& row, const Marina& m, Rng r) {
  if (r.Chance(0.5))
    SetDistance(row, NearClass(m, {0, 0, 45, 40, 15}, r), m, Way{}, r);
  else
    SetDistanceIn(row, m, m.townCentre, r);
}

void Eateries(Marina& m) {
  const char* t = "rpm_Restaurants";
  static const QStringList cities = {"Portland", "Boston", "Newport", "Providence"};
  Rng count = R(m, t, "count");
  // An outpost island has its hotel's dining room, a snack bar and a coffee shop.
  const bool outpost = KindOf(m) == IslandKind::Outpost;
  const int n = outpost                         ? count.IntBetween(1, 2)
                : m.town->remote                ? count.IntBetween(1, 3)
                : cities.contains(m.town->city) ? count.IntBetween(6, 10)
                                                : count.IntBetween(3, 8);
  static const QStringList kinds = {"Restaurant", "Seafood Shack", "Coffee Shop", "Snack Bar", "Lite Fare",
                                    "Fast Food",  "Pizzeria",      "Raw Bar",     "Crab House", "Shack"};
  const std::vector<int> weights =
      outpost ? std::vector<int>{40, 0, 10, 8, 0, 0, 0, 0, 0, 0} : std::vector<int>{40, 12, 10, 8, 8, 7, 7, 5, 3, 2};
  auto& rows = m.many[t];
  for (int i = 0; i < n; ++i) {
    Row row;
    row.Set("MarinaNo", m.no);
    const QString kind = kinds[R(m, t, "Rest Type", i).PickWeighted(weights)];
    row.Set("Rest Type", kind);
    row.Set("Name", EateryName(kind, R(m, t, "Name", i)));
    if (R(m, t, "Telephone #", i).Chance(0.7)) row.Set("Telephone #", Phone(m, t, "Telephone number", i));
    if (R(m, t, "B$", i).Chance(0.3)) row.Set("B$", R(m, t, "B$ mark", i).Pick(kPriceMarks));
    if (R(m, t, "L$", i).Chance(0.7)) row.Set("L$", R(m, t, "L$ mark", i).Pick(kPriceMarks));
    if (R(m, t, "D$", i).Chance(0.8)) row.Set("D$", R(m, t, "D$ mark", i).Pick(kPriceMarks));
    if (R(m, t, "on site", i).Chance(0.15))
      SetDistance(row, 0, m, Way{}, R(m, t, "distance", i));
    else
      SetNearOrInTown(row, m, R(m, t, "class", i));
    if (R(m, t, "Comments", i).Chance(0.2))
      row.Set("Comments", R(m, t, "Comments text", i)
                              .Pick(QStringList{"Waterfront deck", "Closed Mondays", "Lobster bake Saturdays"}));
    rows.push_back(row);
  }
}

void Lodgings(Marina& m) {
  const char* t = "rpm_Accommodations";
  // An outpost island has its old hotel and no more.
  const bool outpost = KindOf(m) == IslandKind::Outpost;
  const int n = outpost ? 1 : R(m, t, "count").IntBetween(0, 6);
  static const QStringList kinds = {"Inn/B&B", "Hotel", "Motel", "Condo/Cottage"};
  auto& rows = m.many[t];
  for (int i = 0; i < n; ++i) {
    Row row;
    row.Set("MarinaNo", m.no);
    const QString kind =
        outpost ? QStringLiteral("Hotel") : kinds[R(m, t, "Accommodation Type", i).PickWeighted({35, 25, 25, 15})];
    row.Set("Accommodation Type", kind);
    row.Set("Name", LodgingName(kind, R(m, t, "Name", i)));
    if (R(m, t, "Telephone #", i).Chance(0.7)) row.Set("Telephone #", Phone(m, t, "Telephone number", i));
    row.Set("$", R(m, t, "$", i).Pick(kPriceMarks));
    SetNearOrInTown(row, m, R(m, t, "class", i));
    if (R(m, t, "Comments", i).Chance(0.1))
      row.Set("Comments", R(m, t, "Comments text", i).Pick(QStringList{"Harbor views", "Open May-October", "Pets welcome"}));
    rows.push_back(row);
  }
}

// ---------------------------------------------------------------- one-per-marina tables

// Miles as a guide prints them: tenths under a mile, halves under five, whole miles beyond; "12 mi by ferry".
QString MilesToTown(const Way& way) {
  const double mi = way.miles;
  const QString n = mi < 0.95   ? QString::number(std::max(0.1, std::round(mi * 10) / 10), 'f', 1)
                    : mi < 4.75 ? QString::number(std::round(mi * 2) / 2)
                                : QString::number(std::round(mi));
  return way.ferry ? n + QStringLiteral(" mi by ferry") : n;
}

void Contact(Marina& m) {
  Row& c = m.one[kContact];
  c.Set("MarinaNo", m.no);
  Rng box = R(m, kContact, "PO  Box");
  if (box.Chance(0.3)) {
    const int n = box.IntBetween(1, 999);
    const int kind = box.IntBetween(0, 2);
    c.Set("PO  Box", kind == 0 ? QStringLiteral("Box %1").arg(n)
                     : kind == 1 ? QString::number(n)
                                 : QStringLiteral("P.O. Box %1").arg(n));
  }
  Rng street = R(m, kContact, "Street");
  const int number = street.IntBetween(1, 450);
  c.Set("Street", QStringLiteral("%1 %2").arg(number).arg(street.Pick(kStreets)));
  c.Set("City", m.town->city).Set("State", m.town->state);
  Rng zip = R(m, kContact, "Zip");
  c.Set("Zip", zip.Chance(0.05) ? QStringLiteral("%1-%2").arg(m.town->zip).arg(zip.IntBetween(1, 9999), 4, 10, QLatin1Char('0'))
                                : m.town->zip);
  c.Set("Phone", m.phone);
  Rng toll = R(m, kContact, "Toll Free Phone");
  if (toll.Chance(0.15))
    c.Set("Toll Free Phone", QStringLiteral("(%1) 555-01%2").arg(toll.Chance(0.5) ? "800" : "888").arg(toll.IntBetween(0, 99), 2, 10, QLatin1Char('0')));
  if (R(m, kContact, "Fax?").Chance(0.5)) c.Set("Fax", Phone(m, kContact, "Fax"));
  if (R(m, kContact, "After-Hours Phone?").Chance(0.3)) c.Set("After-Hours Phone", Phone(m, kContact, "After-Hours Phone"));
  // The town that serves the marina and the miles to its centre from the marina's own place, by land or by ferry.
  c.Set("Nearest Town", m.serviceTownName).Set("Miles to Town", MilesToTown(m.serviceTown));
  Rng cofc = R(m, kContact, "CofC Phone");
  if (cofc.Chance(0.8)) c.Set("CofC Phone", QStringLiteral("%1-555-01%2").arg(m.town->areaCode).arg(cofc.IntBetween(0, 99), 2, 10, QLatin1Char('0')));
  if (R(m, kContact, "VHF Monitor").Chance(0.9)) c.Set("VHF Monitor", "16");
  Rng talk = R(m, kContact, "VHF Talk");
  if (talk.Chance(0.75)) c.Set("VHF Talk", talk.Pick(QStringList{"9", "68", "69", "71", "72", "16/9"}));
  const QString web = WebName(m.name);
  Rng mail = R(m, kContact, "E-mail");
  if (mail.Chance(0.85)) {
    if (mail.Chance(0.8))
      c.Set("E-mail", mail.Pick(QStringList{"dock", "info", "office", "slips"}) + QLatin1Char('@') + web + QStringLiteral(".example.com"));
    else
      c.Set("E-mail", web + QStringLiteral("@mail.example.org"));
  }
  if (R(m, kContact, "Website").Chance(0.8)) c.Set("Website", QStringLiteral("www.%1.example.com").arg(web));
}

// The approach as a guide prints it: one short line of the information box,
// naming the harbour and a mark.
QString Directions(const Marina& m) {
  Rng r = R(m, kNav, "Navigational Directions from ICW");
  if (r.Chance(0.15)) return {};
  static const QStringList marks = {"G \"1\" and R \"2\"", "the breakwater light", "the bell buoy", "the day beacon"};
  static const QStringList then = {"floats to port", "fuel dock ahead", "office float to stbd", "hail on arrival"};
  constexpr int kLineChars = 56;
  QString text = QStringLiteral("%1 past %2; %3").arg(m.harbour, r.Pick(marks), r.Pick(then));
  if (text.size() > kLineChars) text = text.left(text.indexOf(QLatin1Char(';')));
  if (r.Chance(0.2)) text = QStringLiteral("<I>") + text + QStringLiteral("</I>");
  return text;
}

double Depth(Rng r, int low, int high) { return r.IntBetween(low, high) + (r.Chance(0.2) ? 0.5 : 0.0); }

void Navigation(Marina& m) {
  Row& n = m.one[kNav];
  n.Set("MarinaNo", m.no).Set("Harbor", m.harbour);
  const bool canal = m.harbour == QStringLiteral("Cape Cod Canal");
  Rng mile = R(m, kNav, "USCG Statute Mile");
  if (canal)
    n.Set("USCG Statute Mile", Num(mile.IntBetween(1, 15) * 0.5));
  else if (mile.Chance(0.07))
    n.Set("USCG Statute Mile", Num(mile.IntBetween(2, 60) * 0.5));
  // Whole feet for the deepest slip and mooring, as guides print them.
  if (m.slips > 0) n.Set("Deepest Slip", R(m, kNav, "Deepest Slip").IntBetween(5, 18));
  if (m.moorings > 0) n.Set("Deepest Mooring", R(m, kNav, "Deepest Mooring").IntBetween(8, 30));
  n.Set("Latitude", FormatLatitude(m.latMinutes)).Set("Longitude", FormatLongitude(m.lonMinutes));
  n.Set("Tidal Range", m.town->tide);
  if (canal) {
    n.Set("Average Current", "4 kts");
  } else {
    const int cur = R(m, kNav, "Average Current").PickWeighted({40, 35, 20, 5});
    if (cur < 3) n.Set("Average Current", QStringList{"Slight", "1 kt", "2 kts"}[cur]);
  }
  // The largest-scale chart of the marina's own waters, for the position as printed (to the thousandth of a
  // minute): a position on the edge of a chart's box gets the chart a reader of the report would look up.
  const auto printed = [](double minutes) { return static_cast<double>(std::llround(minutes * 1000.0)) / 1000.0; };
  if (const Chart* chart = ChartFor(printed(m.latMinutes) / 60, -printed(m.lonMinutes) / 60))
    n.Set("Chart #", chart->number);
  n.Set("Entry Depth", Num(IsMaine(m) ? Depth(R(m, kNav, "Entry Depth"), 6, 20) : Depth(R(m, kNav, "Entry Depth"), 5, 15)));
  if (m.fuel) n.Set("Fuel Dock Depth", R(m, kNav, "Fuel Dock Depth").IntBetween(5, 15));
  const QString directions = Directions(m);
  if (!directions.isEmpty()) n.Set("Navigational Directions from ICW", directions);
}

double Rate(Rng r, double low, double high) {
  const int steps = static_cast<int>((high - low) / 0.25 + 0.5);
  return low + 0.25 * r.IntBetween(0, steps);
}

void Facilities(Marina& m) {
  const char* t = kFacilities;
  Row& f = m.one[t];
  f.Set("MarinaNo", m.no);
  // fuel
  f.Set("Fuel?", Flag(m.fuel));
  if (m.fuel) {
    bool gas = R(m, t, "Gasoline?").Chance(0.9);
    bool diesel = R(m, t, "Diesel?").Chance(0.75);
    if (!gas && !diesel) gas = true;
    f.Set("Gasoline?", Flag(gas)).Set("Diesel?", Flag(diesel));
    // A brand only on a dock that sells its gasoline or diesel.
    if (R(m, t, "Brand").Chance(0.7))
      f.Set("Brand", R(m, t, "Brand name").Pick(QStringList{"Harborline", "Seacoast Fuel", "Northstar Marine", "Bayview Oil"}));
    f.Set("High-Speed Pumps?", Flag(m.size == Size::Large && R(m, t, "High-Speed Pumps?").Chance(0.2)));
    f.Set("Slip Side Fueling?", Flag(R(m, t, "Slip Side Fueling?").Chance(0.1)));
    f.Set("On Call Delivery?", Flag(R(m, t, "On Call Delivery?").Chance(0.05)));
  }
  // slips and size limits
  f.Set("Total # Slips", m.slips);
  if (m.slips > 0) {
    Rng tr = R(m, t, "Approx # of Transient Slips");
    f.Set("Approx # of Transient Slips", std::max(1, m.slips * tr.IntBetween(10, 25) / 100));
  }
  f.Set("Total # of Moorings", m.moorings);
  if (m.moorings > 0) f.Set("Approx Transient #", std::min(m.moorings, R(m, t, "Approx Transient #").IntBetween(2, 20)));
  Rng loa = R(m, t, "Maximum Length Overall");
  const int maxLoa = m.size == Size::Small ? loa.IntBetween(30, 60) : m.size == Size::Medium ? loa.IntBetween(50, 120) : loa.IntBetween(100, 250);
  f.Set("Maximum Length Overall", maxLoa);
  Rng beam = R(m, t, "Max Beams");
  if (!beam.Chance(0.2)) f.Set("Max Beams", std::min(35, std::max(12, maxLoa / 4 + beam.IntBetween(-2, 4))));
  // rates
  if (m.slips > 0) {
    Rng rate = R(m, t, "In Season Slips--Nightly Rate");
    f.Set("In Season Slips--Nightly Rate", Num(m.size == Size::Large ? Rate(rate, 3.0, 4.75) : Rate(rate, 1.75, 4.0)));
    Rng off = R(m, t, "Off Season Slips--Nightly Rate");
    if (off.Chance(0.5)) f.Set("Off Season Slips--Nightly Rate", Num(Rate(off, 0.75, 2.5)));
    Rng note = R(m, t, "In-season slips--comment");
    if (note.Chance(0.2)) f.Set("In-season slips--comment", note.Pick(QStringList{"Min. $40/night", "Holiday weekends 3-night min."}));
    Rng week = R(m, t, "In Season Slips--Weekly Rate");
    if (week.Chance(0.6)) f.Set("In Season Slips--Weekly Rate", week.IntBetween(10, 22));
    Rng month = R(m, t, "In Season Slips--Monthly Rate");
    if (month.Chance(0.4)) f.Set("In Season Slips--Monthly Rate", month.IntBetween(25, 60));
    // shore power
    Rng p30 = R(m, t, "30 Amp $");
    if (p30.Chance(0.85)) f.Set("30 Amp $", p30.Pick(QStringList{"$5", "$6", "$8", "Incl."}));
    Rng p50 = R(m, t, "50 Amp $");
    if (p50.Chance(0.6)) f.Set("50 Amp $", p50.Pick(QStringList{"$10", "$12", "$15"}));
    Rng p100 = R(m, t, "100 Amp $");
    if (p100.Chance(0.15)) f.Set("100 Amp $", p100.Pick(QStringList{"$25", "$35"}));
    if (R(m, t, "200 Amp $").Chance(0.05)) f.Set("200 Amp $", "$50");
  }
  // big boats
  const bool mega = maxLoa >= 120 && R(m, t, "Mega Yacht Facilities?").Chance(0.7);
  f.Set("Mega Yacht Facilities?", Flag(mega));
  if (mega && m.slips > 0) {
    if (R(m, t, "300 Amp $").Chance(0.6)) f.Set("300 Amp $", "$75");
    if (R(m, t, "3 Phase $").Chance(0.5)) f.Set("3 Phase $", "Yes");
  }
  f.Set("European Voltage?", Flag(R(m, t, "European Voltage?").Chance(0.03)));
  // cable TV and phones
  bool tvDetails = false;
  if (R(m, t, "Cable TV?").Chance(0.3)) {
    f.Set("Cable TV?", 1);
    Rng rate = R(m, t, "Cable TV Rate $");
    if (rate.Chance(0.7)) f.Set("Cable TV Rate $", rate.Pick(QStringList{"$3", "4", "$5"}));
    tvDetails = R(m, t, "Cable TV Details").Chance(0.3);
    if (tvDetails) f.Set("Cable TV Details", "Basic cable");
  }
  // Cable TV and the dockside phone share one printed line: one detail of
  // the phone at most.
  if (R(m, t, "Dock Side Phone?").Chance(0.1)) {
    f.Set("Dock Side Phone?", 1).Set("Phone Hook-up Rate $", "$5");
    const bool switchboard = R(m, t, "Switchboard?").Chance(0.2);
    f.Set("Switchboard?", Flag(switchboard));
    f.Set("# of Lines", R(m, t, "# of Lines").Chance(0.5) ? "1" : "2");
    f.Set("Available for 1 Night?", Flag(!switchboard && !tvDetails && R(m, t, "Available for 1 Night?").Chance(0.5)));
  }
  Rng pay = R(m, t, "# of Pay Phone");
  if (pay.Chance(0.5)) f.Set("# of Pay Phone", pay.IntBetween(1, 2)).Set("Pay Phones?", 1);
  // dock types
  if (m.slips > 0) {
    static const QStringList docks = {"Floating?", "Wood?", "Alongside?", "Fixed?", "Pilings?", "Short Fingers?",
                                      "Long Fingers?", "Concrete?", "Composition?", "Vinyl?", "Aluminium?"};
    std::vector<int> weights = {70, 60, 40, 30, 30, 25, 20, 10, 10, 10, 10};
    Rng d = R(m, t, "dock types");
    const int count = d.IntBetween(1, 3);
    for (int i = 0; i < count; ++i) {
      const int k = d.PickWeighted(weights);
      f.Set(docks[k], 1);
      weights[k] = 0;
    }
  }
  // moorings and launch
  if (m.moorings > 0) {
    Rng launch = R(m, t, "Launch Service Fee?");
    if (launch.Chance(0.6)) {
      f.Set("Launch Service Fee?", launch.Pick(QStringList{"Yes", "Ch. 9", "Seasonal"}));
      f.Set("Launch Service Fee $", launch.Chance(0.5) ? "$3 pp" : "$5");
    }
    Rng dinghy = R(m, t, "Dinghy Dock?");
    if (dinghy.Chance(0.6)) f.Set("Dinghy Dock?", 1).Set("Fee?", dinghy.Chance(0.5) ? "Free" : "$5");
    f.Set("In Season Moorings--Nightly Rates", R(m, t, "In Season Moorings--Nightly Rates").Pick(QStringList{"$35", "$40", "$45/night"}));
    if (R(m, t, "In Season Moorings--Weekly Rates").Chance(0.5)) f.Set("In Season Moorings--Weekly Rates", "$200");
    if (R(m, t, "In Season Moorings--Monthly Rates").Chance(0.4)) f.Set("In Season Moorings--Monthly Rates", "$600");
  }
  // heads and laundry
  Rng toilets = R(m, t, "Toilets?");
  if (toilets.Chance(0.9)) f.Set("Toilets?", 1).Set("Total Toilets #(men+woman)", toilets.IntBetween(2, 12));
  Rng showers = R(m, t, "Showers?");
  if (showers.Chance(0.85)) f.Set("Showers?", 1).Set("Total Showers #(men+woman)", showers.IntBetween(2, 8));
  SetShares(f, m, t, {{"Dressing Rooms?", 0.2}, {"Hair Dryers?", 0.1}});
  Rng other = R(m, t, "Other Amenities");
  if (other.Chance(0.1)) f.Set("Other Amenities", other.Pick(QStringList{"Heated bathhouse", "Family shower room"}));
  Rng laundry = R(m, t, "Laundry?");
  if (laundry.Chance(0.6))
    f.Set("Laundry?", 1).Set("# of Wash Machines", laundry.IntBetween(1, 4)).Set("# of Dryers", laundry.IntBetween(1, 4));
  // The laundry shares its line with the pay phones: irons only where there
  // is no book exchange.
  SetShares(f, m, t, {{"On Site Book Exchange?", 0.3}});
  const bool books = f.Get(QStringLiteral("On Site Book Exchange?")).toInt() == 1;
  f.Set("Irons?", Flag(!books && R(m, t, "Irons?").Chance(0.1)));
  f.Set("Ironing Boards?", Flag(!books && R(m, t, "Ironing Boards?").Chance(0.1)));
  // access
  if (R(m, t, "Handicapped Access?").Chance(0.4)) {
    f.Set("Handicapped Access?", 1);
    SetShares(f, m, t, {{"To Heads?", 0.7}, {"To Docks?", 0.5}});
  }
}

void Operations(Marina& m) {
  const char* t = kOperations;
  Row& o = m.one[t];
  o.Set("MarinaNo", m.no);
  const bool onSite = R(m, t, "On Site").Chance(0.65);
  o.Set("On Site", Flag(onSite));
  // One kind of service at most, and a remark only beside a single way of
  // pumping out: the pump-out line, fee and closed heads share one printed
  // line.
  SetShares(o, m, t, {{"On Call", 0.1}});
  const int service = R(m, t, "Self Service").PickWeighted({40, 40, 20});
  o.Set("Self Service", Flag(service == 0)).Set("Full Service", Flag(service == 1));
  const bool onCall = o.Get(QStringLiteral("On Call")).toInt() == 1;
  const bool central = onSite && R(m, t, "# Central Stations").Chance(0.5);
  if (central) o.Set("# Central Stations", 1);
  Rng portable = R(m, t, "# of Portable Units");
  const bool portables = !central && portable.Chance(0.2);
  if (portables) o.Set("# of Portable Units", portable.IntBetween(1, 2));
  Rng inSlip = R(m, t, "# In Slip Dedication Units");
  const bool inSlips = m.size == Size::Large && inSlip.Chance(0.25);
  if (inSlips) o.Set("# In Slip Dedication Units", inSlip.IntBetween(2, 20));
  // A remark and a fee only where there is a pump-out, and never a fee beside "Free".
  const bool pumpOut = onSite || onCall || service != 2 || central || portables || inSlips;
  Rng pc = R(m, t, "Pumpout_Comments");
  QString remark;
  if (pc.Chance(0.2) && service == 2 && (onSite || onCall) && !(onSite && onCall)) {
    remark = pc.Pick(QStringList{"Free", "$5", "Call Ch. 9"});
    o.Set("Pumpout_Comments", remark);
  }
  const int fee = R(m, t, "Fee").IntBetween(0, 4);
  if (remark == QStringLiteral("$5"))
    o.Set("Fee", 5);
  else if (pumpOut && fee < 4 && remark != QStringLiteral("Free"))
    o.Set("Fee", fee * 5);
  o.Set("Closed Heads Required?", Flag(R(m, t, "Closed Heads Required?").Chance(m.geoCode >= 8 ? 0.7 : 0.3)));
  o.Set("Marina Manager/Director", PersonName(m, "Marina Manager/Director"));
  if (!R(m, t, "Dockmaster?").Chance(0.2)) o.Set("Dockmaster", PersonName(m, "Dockmaster"));
  Rng season = R(m, t, "season");
  o.Set("In-Season Dates", season.Pick(QStringList{"May 15-Oct 15", "Jun 1-Sep 30", "Apr 15-Oct 31", "May-Oct"}));
  o.Set("In-Season Hours", season.Pick(QStringList{"7am-7pm", "8am-6pm", "24 hrs"}));
  if (season.Chance(0.5))
    o.Set("Off-Season Dates", "Nov-Apr").Set("Off-Season Hours", "M-F 8-4");
  else
    o.Set("Off-Season Dates", "Closed");
  const int arrival = R(m, t, "After-Hours Arrival Procedure").IntBetween(0, 3);
  if (arrival < 3)
    o.Set("After-Hours Arrival Procedure", QStringList{"Call ahead", "Tie up at the fuel dock and check in at 8am",
                                                       "Instructions posted at the office door"}[arrival]);
  const int reservation = R(m, t, "Reservation").IntBetween(0, 3);
  if (reservation < 3) o.Set("Reservation", QStringList{"Yes", "Recommended", "Required Jul-Aug"}[reservation]);
  SetShares(o, m, t, {{"Master/Visa", 0.9}, {"Amex", 0.5}, {"Discover", 0.4}, {"Diners Club", 0.1}, {"Texaco", 0.05}});
  if (R(m, t, "Other").Chance(0.05)) o.Set("Other", "Debit cards");
  SetShares(o, m, t, {{"Boat US Cooperating Marina", 0.3}});
  // The discounts print on one line: a second programme only without Boat/US.
  if (o.Get(QStringLiteral("Boat US Cooperating Marina")).toInt() != 1 && R(m, t, "Other Discount Programs").Chance(0.1))
    o.Set("Other Discount Programs", "YC reciprocity");
  if (R(m, t, "Dockage Discount").Chance(0.15)) o.Set("Dockage Discount", "10% weekly");
  if (R(m, t, "Fuel Disscount").Chance(0.1)) o.Set("Fuel Disscount", "Volume");
  if (R(m, t, "Repair Discount").Chance(0.05)) o.Set("Repair Discount", "10%");
  if (R(m, t, "Other Discount").Chance(0.05)) o.Set("Other Discount", "Off-season rates");
  // The pets share their line with the handicapped access: a kennel only
  // where there is no dog walking area.
  SetShares(o, m, t, {{"Pets Allowed?", 0.8}, {"Dog Walking Area?", 0.5}});
  o.Set("Kennel", Flag(o.Get(QStringLiteral("Dog Walking Area?")).toInt() != 1 && R(m, t, "Kennel").Chance(0.05)));
}

void Services(Marina& m) {
  const char* t = kServices;
  Row& s = m.one[t];
  s.Set("MarinaNo", m.no);
  SetShares(s, m, t, {
      {"Docking Assistance", 0.6}, {"Mail & Package Hold", 0.5},  {"Phone Messages", 0.5},
      {"Fax--In and Out", 0.4},    {"Dock Carts", 0.6},           {"Concierge Services", 0.1},
      {"Trash Pick-Up", 0.9},      {"Security", 0.4},             {"Data Ports(send/Receive email)", 0.2},
      {"Room Service to the Boat", 0.03}, {"Boaters Lounge", 0.25}, {"FedEx", 0.3},
      {"UPS", 0.3},                {"Express Mail", 0.1},         {"AirBorne", 0.05},
      {"Saturday Delivery?", 0.1}});
  s.Set("Crew Lounge", Flag(m.size == Size::Large && R(m, t, "Crew Lounge").Chance(0.15)));
  if (s.Get("Fax--In and Out").toInt() == 1) {
    const int charge = R(m, t, "Fax Charge").IntBetween(0, 3);
    if (charge < 3) s.Set("Fax Charge", QStringList{"$1/page", "Free", "0"}[charge]);
  }
  if (s.Get("Security").toInt() == 1) {
    s.Set("No of Hours", R(m, t, "No of Hours").Pick(QStringList{"24 hrs", "Night watch"}));
    s.Set("Describe", R(m, t, "Describe").Pick(QStringList{"Locked gate", "Cameras on the docks"}));
  }
  if (s.Get("Data Ports(send/Receive email)").toInt() == 1) {
    s.Set("Where Located", R(m, t, "Where Located").Pick(QStringList{"Office", "Lounge", "At the slips"}));
    s.Set("Data Port Rate", R(m, t, "Data Port Rate").Pick(QStringList{"Free", "$5/day"}));
  }
}

void Boatyard(Marina& m, const DemoData& data) {
  const char* t = kYard;
  Row& y = m.one[t];
  y.Set("MarinaNo", m.no).Set("Marina has Boatyard on site?", Flag(m.boatyard > 0));
  if (m.boatyard > 0) {
    Rng land = R(m, t, "On Land");
    if (land.Chance(0.8))
      y.Set("On Land", QStringList{"Yes", QStringLiteral("%1 boats").arg(land.IntBetween(2, 30) * 10), "Indoor & outdoor"}[land.IntBetween(0, 2)]);
    Rng water = R(m, t, "In Water");
    if (water.Chance(0.3)) y.Set("In Water", water.Chance(0.5) ? QStringLiteral("Yes") : QStringLiteral("%1 boats").arg(water.IntBetween(1, 8) * 10));
    y.Set("Yard Rate", R(m, t, "Yard Rate").Pick(QStringList{"$65/hr", "$75/hr", "$85/hr"}));
    y.Set("Haul & Launch", R(m, t, "Haul & Launch").Pick(QStringList{"$10/ft", "$12/ft", "$14/ft"}));
    Rng blocking = R(m, t, "Blocking");
    if (blocking.Chance(0.5)) y.Set("Blocking", blocking.Pick(QStringList{"Incl.", "$2/ft"}));
    y.Set("Power Wash", "$3/ft").Set("Bottom Paint", "$18/ft");
    y.Set("Paint Incl?", Flag(R(m, t, "Paint Incl?").Chance(0.3)));
    Rng abbra = R(m, t, "Member of ABBRA?");
    y.Set("Member of ABBRA?", Flag(abbra.Chance(0.2)));
    if (y.Get("Member of ABBRA?").toInt() == 1) y.Set("# of ABBRA Certified Technicians", abbra.IntBetween(1, 3));
    Rng abyc = R(m, t, "Member of ABYC?");
    y.Set("Member of ABYC?", Flag(abyc.Chance(0.4)));
    if (y.Get("Member of ABYC?").toInt() == 1) y.Set("# of AYC Certified Technicians", abyc.IntBetween(1, 4));
    if (R(m, t, "Other Certifications").Chance(0.1)) y.Set("Other Certifications", "Factory-trained diesel technicians");
    Rng dealer = R(m, t, "Dealer For");
    if (dealer.Chance(0.2)) {
      static const QStringList brands = {"Harborcraft", "Tidewater Outboards", "Ledgeline Boats", "Compass Inflatables", "Saltmarsh Yachts"};
      const int first = dealer.IntBetween(0, 4);
      QString text = brands[first];
      if (dealer.Chance(0.5)) text += QStringLiteral(", ") + brands[(first + dealer.IntBetween(1, 4)) % 5];
      y.Set("Dealer For", text);
    }
    return;
  }
  const auto nearest = data.nearestYard.find(m.placeOf);
  const Marina* best = nearest == data.nearestYard.end() ? nullptr : nearest->second;
  if (best) y.Set("Name of Nearest Boatyard", best->name).Set("Phone Number of Nearest Boatyard", best->phone);
  Rng storage = R(m, t, "storage");
  if (storage.Chance(0.1)) y.Set("On Land", QStringLiteral("%1 boats").arg(storage.IntBetween(2, 8) * 10));
}

// A restaurant or snack place on site, near by or under a mile away.
bool HasEateryWithinAWalk(const Marina& m) {
  const auto rows = m.many.find(QStringLiteral("rpm_Restaurants"));
  if (rows == m.many.end()) return false;
  for (const Row& r : rows->second)
    if (r.Get("On-Site").toInt() == 1 || r.Get("NearBy").toInt() == 1 || r.Get("W/in 1 Mile").toInt() == 1) return true;
  return false;
}

void Output(Marina& m) {
  Rng r = R(m, "rpm_output", "positions");
  if (r.Chance(0.1)) {
    m.balancedSplit = true;  // its middle position needs the composed section: BalanceSplitPositions
    m.one["rpm_output"].Set("BottomSectionPos", r.IntBetween(150, 400));
  }
  // A skipper's notes that agree with the marina's rows: the fuel dock and the slips where there are
  // some, a chowder house up the hill where one is within a walk.
  Rng c = R(m, "rpm_output", "Comments");
  if (c.Chance(0.05)) {
    QStringList notes = {"Call ahead on holiday weekends."};
    if (m.fuel && m.slips > 0) notes << QStringLiteral("Fuel dock closes at 5.\r\nAsk for a slip on the outer float.");
    if (HasEateryWithinAWalk(m)) notes << QStringLiteral("Good chowder at the place up the hill.");
    m.one["rpm_output"].Set("Comments", c.Pick(notes));
  }
  m.one["rpm_output"].Set("marinaNo", m.no);
}

// ---------------------------------------------------------------- phase 1

void Basics(Marina& m) {
  m.bell = 1 + R(m, kVyk, "Bell Rating").PickWeighted({5, 17, 38, 30, 10});
  m.boatyard = R(m, kVyk, "Boatyard Rating").PickWeighted({52, 31, 17});
  m.sunset = R(m, kVyk, "Sunset").Chance(0.22);
}

// The position of a place of the tables by its key ("town:Rockland|ME"), DDMM.m.
std::optional<std::pair<double, double>> PositionOf(const QString& key) {
  for (const Town& t : Towns())
    if (PlaceKey(QStringLiteral("town"), t.city, t.state) == key) return std::make_pair(t.lat, t.lon);
  for (const Place& p : Places())
    if (PlaceKey(p.kind, p.name, p.state) == key) return std::make_pair(p.lat, p.lon);
  return std::nullopt;
}

// Where what serves a marina lies, from its place, by land or by its island's ferry
// (tools/maps/land-miles.csv); where no way was measured, the straight line as long as a road would be.
void Locate(Marina& m, const LandMiles& land) {
  m.island = FindIsland(land.IslandOf(m.placeOf));
  m.reachMiles = land.ReachOf(m.placeOf);
  m.shore = ShoreOf(m.harbour, m.town->city);
  const auto wayTo = [&](const QString& key) {
    Way way = land.To(m.placeOf, key);
    if (way.Known()) return way;
    const auto at = PositionOf(key);
    if (!at) throw std::runtime_error(QStringLiteral("no place %1 for marina %2").arg(key).arg(m.no).toStdString());
    constexpr double kStatuteMilesPerNm = 1.15078, kRoadFactor = 1.2;
    way.miles =
        NauticalMiles(m.latMinutes / 60, -m.lonMinutes / 60, DdmmToDegrees(at->first), DdmmToDegrees(at->second)) *
        kStatuteMilesPerNm * kRoadFactor;
    return way;
  };
  if (m.island) m.dock = land.To(m.placeOf, QStringLiteral("dock:") + m.island->name);
  const QString ownKey = TownKey(m.town->city, m.town->state);
  m.townCentre = land.To(m.placeOf, ownKey);
  if (!m.townCentre.Known()) m.townCentre = m.dock.Known() ? m.dock : wayTo(ownKey);
  m.serviceTownName = m.town->serviceTown.isEmpty() ? m.town->city : m.town->serviceTown;
  m.serviceTown = m.town->serviceTown.isEmpty() ? m.townCentre : wayTo(TownKey(m.town->serviceTown, m.town->state));
  for (const char* kind : {"hospital", "airport", "rail"})
    m.nearest[QString::fromLatin1(kind)] = land.Nearest(m.placeOf, QString::fromLatin1(kind));
  m.centre = m.nearest[QStringLiteral("hospital")].second;
  if (!m.centre.Known()) m.centre = m.serviceTown;
}

void SizeAndBerths(Marina& m) {
  Rng size = R(m, "marina", "size class");
  const bool large = !m.town->remote && (m.bell == 5 || (m.bell == 4 && size.Chance(0.4)));
  if (large)
    m.size = Size::Large;
  else if (m.town->remote || m.bell <= 2 || size.Chance(0.3))
    m.size = Size::Small;
  else
    m.size = Size::Medium;
  Rng slips = R(m, kFacilities, "Total # Slips");
  switch (m.size) {
    case Size::Small: m.slips = slips.Chance(0.25) ? 0 : slips.IntBetween(5, 39); break;
    case Size::Medium: m.slips = slips.IntBetween(40, 149); break;
    case Size::Large: m.slips = slips.IntBetween(150, 420); break;
  }
  Rng moorings = R(m, kFacilities, "Total # of Moorings");
  if (m.slips == 0 || moorings.Chance(0.7)) m.moorings = moorings.IntBetween(5, 150);
  m.fuel = R(m, kFacilities, "Fuel?").Chance(0.7);
}

}  // namespace

void EdgeBasics(DemoData& data, QSet<QString>& usedNames);
void CoverEveryClass(DemoData& data);

DemoData Plan(const std::vector<MapMark>& marks, bool withEdgeRows, const SeaMiles& seaMiles,
              const LandMiles& landMiles) {
  DemoData data;
  data.seaMiles = seaMiles;
  data.landMiles = landMiles;
  // Each marina lies where the chart shows its mark, on the shore of the harbour there, in that harbour's town.
  for (const MapMark& mark : marks) {
    Marina m;
    m.no = mark.marinaNo;
    m.placeOf = mark.placeOf;
    m.geoCode = mark.geoCode;
    m.mapNo = mark.mapNo;
    m.latMinutes = mark.lat * 60.0;
    m.lonMinutes = -mark.lon * 60.0;
    const Harbour* harbour = HarbourOf(mark.placeOf);
    m.town = harbour ? FindTown(mark.geoCode, harbour->city) : nullptr;
    if (!m.town) throw std::runtime_error(QStringLiteral("no harbour and town for marina %1").arg(mark.marinaNo).toStdString());
    m.harbour = harbour->name;
    Locate(m, landMiles);
    data.marinas.push_back(std::move(m));
  }
  std::sort(data.marinas.begin(), data.marinas.end(), [](const Marina& a, const Marina& b) { return a.no < b.no; });

  QSet<QString> used;
  for (Marina& m : data.marinas) {
    Basics(m);
    SizeAndBerths(m);
    m.phone = Phone(m, kContact, "Phone");
  }
  if (withEdgeRows) EdgeBasics(data, used);
  for (Marina& m : data.marinas) {
    if (m.name.isEmpty()) {
      for (int n = 0;; ++n) {
        QString name = MarinaNameCandidate(m, n);
        if (n >= 8) name += QStringLiteral(" %1").arg(m.no);  // only the large synthetic sets run out of names
        if (!used.contains(name.toLower()) && !RepeatsAWord(name)) {
          m.name = name;
          break;
        }
      }
      m.shortName = ShortName30(m.name);
    }
    used.insert(m.name.toLower());
  }
  // North-to-south order within each sub-region.
  std::map<int, std::vector<Marina*>> regions;
  for (Marina& m : data.marinas) regions[m.geoCode].push_back(&m);
  for (auto& [geo, list] : regions) {
    std::sort(list.begin(), list.end(), [](const Marina* a, const Marina* b) {
      const long long la = std::llround(a->latMinutes * 1000), lb = std::llround(b->latMinutes * 1000);
      return la != lb ? la > lb : a->no < b->no;
    });
    for (size_t i = 0; i < list.size(); ++i) list[i]->nsRank = static_cast<int>(i) + 1;
  }

  // The yard nearest each place by water, among all the region's yards, whatever their sub-region (ties: the
  // lower number); in a straight line only where the way by water is not known. One yard to a place (the
  // lowest number): synthetic sets put many marinas on one place.
  std::map<int, const Marina*> yards;
  for (const Marina& m : data.marinas)
    if (m.boatyard > 0) yards.emplace(m.placeOf, &m);
  for (const Marina& m : data.marinas) {
    if (data.nearestYard.count(m.placeOf)) continue;
    const Marina* best = nullptr;
    double bestMiles = 0;
    for (const auto& [place, yard] : yards) {
      double miles = data.seaMiles.Between(m.placeOf, place);
      if (miles < 0) miles = NauticalMiles(m.latMinutes / 60, -m.lonMinutes / 60, yard->latMinutes / 60, -yard->lonMinutes / 60);
      if (!best || miles < bestMiles || (miles == bestMiles && yard->no < best->no)) {
        best = yard;
        bestMiles = miles;
      }
    }
    data.nearestYard[m.placeOf] = best;
  }
  return data;
}

void FillRows(Marina& m, const DemoData& data) {
  m.one[kVyk]
      .Set("MarinaNo", m.no)
      .Set("Geo Code", m.geoCode)
      .Set("Bell Rating", m.bell)
      .Set("Boatyard Rating", m.boatyard)
      .Set("Sunset", Flag(m.sunset))
      .Set("In 7th Edition", 1)
      .Set("N/S#", m.nsRank);
  m.one[kEditions].Set("MarinaNo", m.no).Set("In Disk", Flag(m.no < 2600));
  m.one[kNames].Set("MarinaNo", m.no).Set("Marina Name", m.name).Set("Marina 30 char Name", m.shortName);
  Contact(m);
  Navigation(m);
  Facilities(m);
  Operations(m);
  Services(m);
  Boatyard(m, data);
  BoatSupplies(m);
  BoatyardServices(m);
  Recreation(m);
  Entertainment(m);
  GeneralServices(m);
  Provisioning(m);
  Transportation(m);
  Medical(m);
  Eateries(m);
  Lodgings(m);
  FillExtras(m);  // last: its sentences follow the marina's own rows
  m.one["rpm_display"].Set("marinano", m.no);
  Output(m);
}

void AddMapKey(Marina& m) {
  const Row& names = m.one[kNames];
  const QString shortName = names.Get("Marina 30 char Name").toString();
  m.one["mapkeys"]
      .Set("regionname", SubRegionOf(m.geoCode).regionName)
      .Set("mapno", m.mapNo)
      .Set("marinaname", shortName.trimmed().isEmpty() ? names.Get("Marina Name").toString() : shortName)
      .Set("harbor", m.one[kNav].Get("Harbor"))
      .Set("marinano", m.no);
}

DemoData Generate(const std::vector<MapMark>& marks, bool withEdgeRows, const SeaMiles& seaMiles,
                  const LandMiles& landMiles) {
  DemoData data = Plan(marks, withEdgeRows, seaMiles, landMiles);
  for (Marina& m : data.marinas) FillRows(m, data);
  if (withEdgeRows) ApplyEdgeRows(data);
  CoverEveryClass(data);
  for (Marina& m : data.marinas) AddMapKey(m);
  return data;
}

}  // namespace qw::demo

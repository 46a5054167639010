#pragma once
// The demo data as the generator builds it in memory before writing it.
#include <QString>
#include <QStringList>
#include <QVariant>
#include <map>
#include <utility>
#include <vector>

namespace qw::demo {

// One table row: the columns given explicitly, in the order set. Column
// names are matched exactly; the writer refuses a row naming one column twice. A column
// set to a null QVariant is written NULL; a column never set gets the
// table's default (0 for Yes/No columns, NULL for the others).
class Row {
 public:
  Row& Set(const QString& column, const QVariant& value);
  Row& Null(const QString& column) { return Set(column, QVariant()); }
  bool Has(const QString& column) const;
  QVariant Get(const QString& column) const;
  const std::vector<std::pair<QString, QVariant>>& Columns() const { return columns_; }

 private:
  std::vector<std::pair<QString, QVariant>> columns_;
};

// A position written DDMM.m (4355.0 is 43 degrees 55 minutes) in degrees,
// keeping its sign.
double DdmmToDegrees(double ddmm);

struct Town {
  int geoCode;
  QString city, state, areaCode, zip;
  double lat, lon;  // DDMM.m, longitude negative: the town's centre
  double LatDegrees() const;
  double LonDegrees() const;  // negative
  // The town whose shops serve it, where it is too small for its own (empty: itself).
  QString tide, serviceTown;
  bool remote;
};

const std::vector<Town>& Towns();
const Town* FindTown(int geoCode, const QString& city);
// Towns too large for a village green or a church steeple as the landmark.
bool IsCity(const Town& town);
// Remote places and villages too small for shops and museums: what they lack
// is in their service town.
bool IsVillage(const Town& town);
// Where the ferries of a town go; empty for a town without one.
QString FerryDestination(const Town& town);

// A real place a marina's rows name or measure to, beside the towns: a
// hospital, an airport, a railway station, or a town that serves others and
// holds no marina. Kind "hospital", "airport", "rail" or "town"; DDMM.m.
struct Place {
  QString kind, name, state;
  double lat, lon;
};
const std::vector<Place>& Places();
// The key of a place in tools/maps/land-miles.csv: "hospital:Rockport|ME".
QString PlaceKey(const QString& kind, const QString& name, const QString& state);
// The key of the town a name stands for, seen from a town of `state`: a town
// of that state, else of any other (Kittery's service town is Portsmouth, NH).
QString TownKey(const QString& name, const QString& state);

// An island reached only by ferry, what it has and how one gets about it.
// Large: a town's shops, cinemas and a hospital on the island. Town: a town's
// shops and services; what a larger town has is on the mainland. Village: a
// post office, a church and a store; the rest on the mainland. Outpost: a
// chapel and a museum, nothing else ashore.
enum class IslandKind { Large, Town, Village, Outpost };
struct Island {
  QString name;
  IslandKind kind;
  QStringList towns;      // the towns on it
  QStringList transport;  // the rpm_Transportation types it has besides the ferry and a water taxi
};
const std::vector<Island>& Islands();
const Island* FindIsland(const QString& name);
// A ferry from an island's dock to its mainland port (DDMM.m).
struct FerryRoute {
  QString island;
  double dockLat, dockLon;
  QString port, portState;
  double portLat, portLon;
};
const std::vector<FerryRoute>& FerryRoutes();

// What the shore of a harbour row is: a harbour, cove or river with a
// waterfront, or an open shore the sea breaks on, rocks or a beach.
enum class Shore { Harbour, OpenWater, Beach };
Shore ShoreOf(const QString& harbour, const QString& city);

// A real harbour, river, cove or pond where marinas lie, and the town whose
// waterfront it is: a point on its shore (DDMM.m, longitude negative). A long
// water has a row for each stretch and shore it is named for ("Sakonnet
// River" at Tiverton and at Portsmouth).
// The chart tools put each marina of a harbour on its shore where the map's
// mark shows it (tools/maps/mark-places.csv), and check_places.py checks the
// database against the table.
struct Harbour {
  QString name, city;
  double lat, lon;
  std::vector<int> marinas;
  double LatDegrees() const;
  double LonDegrees() const;
};
const std::vector<Harbour>& Harbours();
// The harbour of one of the program's marinas, or nullptr.
const Harbour* HarbourOf(int marinaNo);

// A real NOAA chart of the region's waters: its number, title and scale
// (1:scale), and a box (DDMM.m, longitude negative) that surely lies inside
// its coverage; a chart of several panels has an entry for each.
struct Chart {
  QString number, title;
  int scale;
  double south, north, west, east;
  bool Covers(double latDegrees, double lonDegrees) const;
};
const std::vector<Chart>& Charts();
// The largest-scale chart that covers a position given in degrees (ties: the
// first in the table), or nullptr.
const Chart* ChartFor(double latDegrees, double lonDegrees);

// One sub-region: code and region name of the map keys.
struct SubRegion {
  int geoCode;
  QString regionName;
};
const std::vector<SubRegion>& SubRegions();
const SubRegion& SubRegionOf(int geoCode);

// A map mark: the marina number and the place of the mark's marina.
struct MapMark {
  int geoCode;
  int mapNo;
  int marinaNo;
  int placeOf = 0;          // the program's marina whose mark gives the place (itself but in synthetic sets)
  double lat = 0, lon = 0;  // degrees, longitude negative
};
// Where each marina of the program's map table lies (tools/maps/mark-places.csv):
// on the shore the drawn chart shows under its mark, in degrees.
struct MarkPlace {
  double lat = 0, lon = 0;
};
std::map<int, MarkPlace> ReadMarkPlaces(const QString& csvText);
// The marks of the program's map table, in its order, with their places.
std::vector<MapMark> ProgramMapMarks(const std::map<int, MarkPlace>& places);
// Nautical miles by water between the places of two marinas, over the whole
// coast (tools/maps/sea-miles.csv); a negative number where none is known.
class SeaMiles {
 public:
  static SeaMiles Read(const QString& csvText);
  double Between(int a, int b) const;

 private:
  std::map<std::pair<int, int>, double> miles_;
};
// Distance between two points given in degrees, nautical miles.
double NauticalMiles(double lat1, double lon1, double lat2, double lon2);

// A way from a marina to a place, statute miles; by ferry from an island.
struct Way {
  double miles = -1;  // negative: no way known
  bool ferry = false;
  bool Known() const { return miles >= 0; }
};
// Statute miles from the place of each of the program's marinas to the
// places of the tables, by land, never across open water, or from an island
// by its ferry (tools/maps/land-miles.csv); and the island reached only by
// ferry that each lies on, with the farthest its land reaches
// (tools/maps/land-reach.csv).
class LandMiles {
 public:
  static LandMiles Read(const QString& milesCsv, const QString& reachCsv);
  Way To(int marina, const QString& placeKey) const;
  // The nearest place of a kind ("hospital"), its name and way; an empty name where none is known.
  std::pair<QString, Way> Nearest(int marina, const QString& kind) const;
  QString IslandOf(int marina) const;  // empty on the mainland
  double ReachOf(int marina) const;    // miles; 0 on the mainland

 private:
  std::map<int, std::map<QString, Way>> ways_;
  std::map<int, std::pair<QString, double>> islands_;
};

enum class Size { Small, Medium, Large };

struct Marina {
  int no = 0;
  int geoCode = 0;
  int mapNo = 0;
  int placeOf = 0;  // the program's marina whose place it takes
  const Town* town = nullptr;
  QString harbour;
  double latMinutes = 0;  // total minutes north
  double lonMinutes = 0;  // total minutes west (positive)
  int nsRank = 0;
  int bell = 0, boatyard = 0;
  bool sunset = false;
  Size size = Size::Medium;
  int slips = 0, moorings = 0;
  bool fuel = false;
  QString name, shortName, phone;
  // Where what serves the marina lies (LandMiles): its own town's centre,
  // the town whose shops serve it (its own but for a village), the nearest
  // hospital town (a larger town's shops), and on an island its ferry dock.
  const Island* island = nullptr;  // the island reached only by ferry it lies on
  double reachMiles = 0;           // on an island, the farthest its land reaches
  Way townCentre, serviceTown, centre, dock;
  QString serviceTownName;
  // The nearest hospital, airport and railway station ("hospital": its name and way).
  std::map<QString, std::pair<QString, Way>> nearest;
  Shore shore = Shore::Harbour;
  // One row per marina and table (rpm_Contact_Information, ...).
  std::map<QString, Row> one;
  // Several rows per marina (amenities, eateries, lodgings).
  std::map<QString, std::vector<Row>> many;
  bool hasDisplay = true;
  bool hasOutput = true;
  // Stores a middle split position, set once the database is written
  // (BalanceSplitPositions) unless a fixed edge row gives one.
  bool balancedSplit = false;
};

struct DemoData {
  std::vector<Marina> marinas;  // ascending MarinaNo
  // The boatyard nearest each marina's place by water, of any sub-region.
  std::map<int, const Marina*> nearestYard;
  SeaMiles seaMiles;
  LandMiles landMiles;
  Marina* Find(int marinaNo);
};

// Table names.
inline constexpr const char* kContact = "rpm_Contact_Information";
inline constexpr const char* kNav = "rpm_nav_info";
inline constexpr const char* kVyk = "rpm_Vyk";
inline constexpr const char* kEditions = "['97 Editions]";
inline constexpr const char* kNames = "rpm_marinaname_no";
inline constexpr const char* kFacilities = "rpm_marina_facilities";
inline constexpr const char* kOperations = "rpm_marina_operations";
inline constexpr const char* kServices = "rpm_marina_services";
inline constexpr const char* kYard = "rpm_Boat_and_Boatyard_Services_EI";
inline constexpr const char* kExtras = "rpm_extras";

// The one-per-marina tables, in writing order.
const QStringList& OnePerMarinaTables();
// The eight amenity tables and their dumyServices names.
const QStringList& AmenityTables();
inline QString ShortTableName(const QString& table) { return table.mid(4); }

// Builds every marina of the marks with the rule-based values; `withEdgeRows`
// applies the fixed edge rows on top (only for the real map marks).
DemoData Generate(const std::vector<MapMark>& marks, bool withEdgeRows, const SeaMiles& seaMiles,
                  const LandMiles& landMiles);
// The steps of Generate, for sets too large to hold all rows at once: the
// marinas' towns, ratings, names and order; then one marina's rows; then its
// map key (after any edge rows changed its name or harbour).
DemoData Plan(const std::vector<MapMark>& marks, bool withEdgeRows, const SeaMiles& seaMiles,
              const LandMiles& landMiles);
void FillRows(Marina& m, const DemoData& data);
void AddMapKey(Marina& m);
void ApplyEdgeRows(DemoData& data);

// The marina's three free texts (rpm_extras): setting, marina notes and
// notable sights, in sentences that agree with its rows and its town. Reads
// the rows FillRows set before it.
void FillExtras(Marina& m);

// Writes into the database at dbPath the middle split position of every
// marina marked balancedSplit that has no fixed one: half its middle section
// as the report composes it, plus an offset within a sixteenth of it.
void BalanceSplitPositions(const std::vector<Marina>& marinas, const QString& dbPath);

// Text helpers shared by the rules and the edge rows.
// The short name of a marina's web and mail domain: the name's initials and
// its last word ("hlmarina"), or its initials alone when that is longer than
// nine letters, so that its e-mail and web address share one printed line.
QString WebName(const QString& name);
QString FormatLatitude(double minutes);
QString FormatLongitude(double minutes);
QString ShortName30(const QString& name);

// The distance class of a place `miles` away: 2 near by, 3 under a mile, 4
// one to three miles (up to what rounds to three), 5 beyond.
int DistanceClass(double miles);
// The miles of a place beyond three as a guide prints them: "12 mi",
// "16 mi by ferry".
QString MilesBeyondThree(const Way& way);

class Rng;
// The nouns that name an eatery of a kind ("Clam Shack" for a seafood shack),
// and a name of that kind drawn from `r`.
const QStringList& EateryNouns(const QString& kind);
QString EateryName(const QString& kind, Rng r);
// A lodging's name of its kind ("Heron Motor Lodge" for a motel).
QString LodgingName(const QString& kind, Rng r);

}  // namespace qw::demo

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
  QStringList harbours;
  double lat, lon;  // DDMM.m, longitude negative
  double LatDegrees() const;
  double LonDegrees() const;  // negative
  QString tide, serviceTown, serviceMiles;
  bool remote;
  bool outOfRotation;  // used only by a fixed edge row
};

const std::vector<Town>& Towns();
const Town* FindTown(int geoCode, const QString& city);
// The town of the sub-region in rotation nearest to a position (degrees).
const Town* NearestTown(int geoCode, double lat, double lon);

// One sub-region: code, region name of the map keys, chart numbers.
struct SubRegion {
  int geoCode;
  QString regionName;
  QStringList charts;
};
const std::vector<SubRegion>& SubRegions();
const SubRegion& SubRegionOf(int geoCode);

// A map mark: the marina number and where it sits on its map, in pixels of
// the picture and, through the map's window, in degrees.
struct MapMark {
  int geoCode;
  int mapNo;
  int marinaNo;
  double x = 0, y = 0;      // the centre of the mark's rectangle, pixels
  double lat = 0, lon = 0;  // degrees, longitude negative
};
// A sub-region map's window: the picture (600 x 492 pixels) shows this
// stretch of coast in Mercator (WGS-84).
struct MapWindow {
  QString window;
  int geoCode = 0;
  double west = 0, east = 0, south = 0, north = 0;
  // Degrees of a point of the picture.
  void ToDegrees(double x, double y, double& lat, double& lon) const;
};
std::vector<MapWindow> ReadMapWindows(const QString& csvText);
// The marks of the program's map table, in its order, with their positions
// through the windows of their geo codes.
std::vector<MapMark> ProgramMapMarks(const std::vector<MapWindow>& windows);
// Distance between two points given in degrees, nautical miles.
double NauticalMiles(double lat1, double lon1, double lat2, double lon2);

enum class Size { Small, Medium, Large };

struct Marina {
  int no = 0;
  int geoCode = 0;
  int mapNo = 0;
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

// The boatyard marinas of each sub-region, by north-to-south order.
using YardIndex = std::map<int, std::vector<const Marina*>>;

struct DemoData {
  std::vector<Marina> marinas;  // ascending MarinaNo
  YardIndex yards;
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
DemoData Generate(const std::vector<MapMark>& marks, bool withEdgeRows);
// The steps of Generate, for sets too large to hold all rows at once: the
// marinas' towns, ratings, names and order; then one marina's rows; then its
// map key (after any edge rows changed its name or harbour).
DemoData Plan(const std::vector<MapMark>& marks, bool withEdgeRows);
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

}  // namespace qw::demo

#include <QRegularExpression>
#include <algorithm>
#include <cmath>
#include <stdexcept>

#include "demo_model.h"
#include "maps/map_table.h"

namespace qw::demo {

Row& Row::Set(const QString& column, const QVariant& value) {
  for (auto& [name, v] : columns_) {
    if (name == column) {
      v = value;
      return *this;
    }
  }
  columns_.emplace_back(column, value);
  return *this;
}

bool Row::Has(const QString& column) const {
  for (const auto& c : columns_)
    if (c.first == column) return true;
  return false;
}

QVariant Row::Get(const QString& column) const {
  for (const auto& c : columns_)
    if (c.first == column) return c.second;
  return {};
}

Marina* DemoData::Find(int marinaNo) {
  for (Marina& m : marinas)
    if (m.no == marinaNo) return &m;
  return nullptr;
}

const std::vector<SubRegion>& SubRegions() {
  static const std::vector<SubRegion> regions = {
      {5, QStringLiteral("Downeast/Acadia"), {"13312", "13318", "13326", "13328"}},
      {6, QStringLiteral("Midcoast"), {"13302", "13305", "13307", "13315"}},
      {7, QStringLiteral("BOOTHBAY HARBOR REGION"), {"13288", "13293", "13296", "13301"}},
      {8, QStringLiteral("PORTLAND & SOUTH COAST"), {"13286", "13287", "13290", "13292"}},
      {9, QStringLiteral("THE NORTH SHORE"), {"13274", "13279", "13281", "13283"}},
      {10, QStringLiteral("SOUTH SHORE"), {"13253", "13267", "13270", "13272"}},
      {11, QStringLiteral("CAPE COD"), {"13229", "13237", "13246", "13248"}},
      {12, QStringLiteral("THE ISLANDS"), {"13233", "13238", "13241", "13242"}},
      {13, QStringLiteral("BUZZARDS BAY"), {"13229", "13230", "13232", "13236"}},
      {14, QStringLiteral("NEWPORT & NARRAGANSETT BAY"), {"13221", "13223", "13224"}},
      {15, QStringLiteral("WESTERN  NARRAGANSETT BAY"), {"13219", "13221", "13223"}},
      {16, QStringLiteral("BLOCK ISLAND SOUND"), {"13205", "13214", "13217"}},
  };
  return regions;
}

const SubRegion& SubRegionOf(int geoCode) {
  for (const SubRegion& r : SubRegions())
    if (r.geoCode == geoCode) return r;
  return SubRegions().front();
}

namespace {

constexpr double kEccentricity = 0.0818191908426215;  // WGS-84
constexpr double kPi = 3.14159265358979323846;

double Radians(double deg) { return deg * kPi / 180.0; }
double Degrees(double rad) { return rad * 180.0 / kPi; }

// Mercator northing on the ellipsoid, in degrees of longitude.
double MercatorY(double lat) {
  const double p = Radians(lat), es = kEccentricity * std::sin(p);
  return Degrees(std::log(std::tan(kPi / 4 + p / 2) * std::pow((1 - es) / (1 + es), kEccentricity / 2)));
}

double MercatorLat(double y) {
  const double t = std::exp(-Radians(y));
  double p = kPi / 2 - 2 * std::atan(t);
  for (int i = 0; i < 12; ++i) {
    const double es = kEccentricity * std::sin(p);
    p = kPi / 2 - 2 * std::atan(t * std::pow((1 - es) / (1 + es), kEccentricity / 2));
  }
  return Degrees(p);
}

QStringList CsvLines(const QString& text) {
  QStringList lines;
  for (const QString& line : text.split(QLatin1Char('\n'), Qt::SkipEmptyParts))
    if (!line.startsWith(QLatin1Char('#')) && !line.trimmed().isEmpty()) lines << line.trimmed();
  return lines;
}

}  // namespace

void MapWindow::ToDegrees(double x, double y, double& lat, double& lon) const {
  const double k = 600.0 / (east - west);  // pixels per degree of longitude
  lon = west + x / k;
  lat = MercatorLat(MercatorY(north) - y / k);
}

std::vector<MapWindow> ReadMapWindows(const QString& csvText) {
  // window,geo_code,projection,west,east,south,north,...
  std::vector<MapWindow> windows;
  const QStringList lines = CsvLines(csvText);
  for (int i = 1; i < lines.size(); ++i) {
    const QStringList f = lines[i].split(QLatin1Char(','));
    if (f.size() < 7 || f[1].toInt() == 0) continue;  // the overview has no geo code
    windows.push_back({f[0], f[1].toInt(), f[3].toDouble(), f[4].toDouble(), f[5].toDouble(), f[6].toDouble()});
  }
  return windows;
}

std::vector<MapMark> ProgramMapMarks(const std::vector<MapWindow>& windows) {
  std::vector<MapMark> marks;
  for (const maps::SubRegionMap& map : maps::SubRegionMaps()) {
    const auto w = std::find_if(windows.begin(), windows.end(), [&](const MapWindow& mw) { return mw.geoCode == map.geoCode; });
    if (w == windows.end())
      throw std::runtime_error(QStringLiteral("no map window for geo code %1").arg(map.geoCode).toStdString());
    for (const maps::MapMark& mark : map.marks) {
      MapMark m;
      m.geoCode = map.geoCode;
      m.mapNo = mark.number;
      m.marinaNo = mark.marinaNo;
      m.x = (mark.rect.left + mark.rect.width / 2.0) / maps::kTwipsPerPixel;
      m.y = (mark.rect.top + mark.rect.height / 2.0) / maps::kTwipsPerPixel;
      w->ToDegrees(m.x, m.y, m.lat, m.lon);
      marks.push_back(m);
    }
  }
  return marks;
}

double NauticalMiles(double lat1, double lon1, double lat2, double lon2) {
  const double dLat = (lat2 - lat1) * 60.0;
  const double dLon = (lon2 - lon1) * 60.0 * std::cos(Radians((lat1 + lat2) / 2));
  return std::sqrt(dLat * dLat + dLon * dLon);
}

double DdmmToDegrees(double ddmm) {
  const double a = std::fabs(ddmm), deg = std::floor(a / 100.0);
  return (ddmm < 0 ? -1 : 1) * (deg + (a - deg * 100.0) / 60.0);
}
double Town::LatDegrees() const { return DdmmToDegrees(lat); }
double Town::LonDegrees() const { return DdmmToDegrees(lon); }

const QStringList& OnePerMarinaTables() {
  static const QStringList tables = {kContact,    kNav,       kVyk,     kEditions, kNames,
                                     kFacilities, kOperations, kServices, kYard,     kExtras};
  return tables;
}

const QStringList& AmenityTables() {
  static const QStringList tables = {"rpm_Boat_Supplies",   "rpm_Boat_and_Boatyard_Services",
                                     "rpm_Recreation",      "rpm_Entertainment",
                                     "rpm_General_Services", "rpm_Provisioning",
                                     "rpm_Transportation",  "rpm_Medical"};
  return tables;
}

QString WebName(const QString& name) {
  // The words of the name (apostrophes dropped, "&" not a word).
  QStringList words = name.toLower().remove(QLatin1Char('\'')).split(QRegularExpression(QStringLiteral("[^a-z0-9]+")),
                                                                       Qt::SkipEmptyParts);
  if (words.isEmpty()) return QStringLiteral("marina");
  // The initials and the last word, as a marina's own domain often reads
  // ("hlmarina" for Harbor Light Marina); all initials when that is long.
  QString initials;
  for (const QString& w : words) initials += w.at(0);
  const QString name1 = initials.left(initials.size() - 1) + words.last();
  return name1.size() <= 9 ? name1 : initials;
}

static QString FormatMinutes(double minutes, int degreeDigits) {
  const long long thousandths = std::llround(minutes * 1000.0);
  const long long deg = thousandths / 60000;
  const long long rest = thousandths % 60000;
  return QStringLiteral("%1%2.%3")
      .arg(deg, degreeDigits, 10, QLatin1Char('0'))
      .arg(rest / 1000, 2, 10, QLatin1Char('0'))
      .arg(rest % 1000, 3, 10, QLatin1Char('0'));
}

QString FormatLatitude(double minutes) { return FormatMinutes(minutes, 2); }
QString FormatLongitude(double minutes) { return QLatin1Char('-') + FormatMinutes(minutes, 3); }

QString ShortName30(const QString& name) {
  if (name.size() <= 30) return name;
  QString s = name;
  const int amp = s.indexOf(QStringLiteral(" & "));
  if (amp > 0) s = s.left(amp);
  while (s.size() > 30) {
    const int blank = s.lastIndexOf(QLatin1Char(' '));
    if (blank <= 0) return s.left(30);
    s = s.left(blank);
  }
  return s;
}

}  // namespace qw::demo

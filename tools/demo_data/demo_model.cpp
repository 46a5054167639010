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
      {5, QStringLiteral("Downeast/Acadia")},
      {6, QStringLiteral("Midcoast")},
      {7, QStringLiteral("BOOTHBAY HARBOR REGION")},
      {8, QStringLiteral("PORTLAND & SOUTH COAST")},
      {9, QStringLiteral("THE NORTH SHORE")},
      {10, QStringLiteral("SOUTH SHORE")},
      {11, QStringLiteral("CAPE COD")},
      {12, QStringLiteral("THE ISLANDS")},
      {13, QStringLiteral("BUZZARDS BAY")},
      {14, QStringLiteral("NEWPORT & NARRAGANSETT BAY")},
      {15, QStringLiteral("WESTERN  NARRAGANSETT BAY")},
      {16, QStringLiteral("BLOCK ISLAND SOUND")},
  };
  return regions;
}

const SubRegion& SubRegionOf(int geoCode) {
  for (const SubRegion& r : SubRegions())
    if (r.geoCode == geoCode) return r;
  return SubRegions().front();
}

namespace {

QStringList CsvLines(const QString& text) {
  QStringList lines;
  for (const QString& line : text.split(QLatin1Char('\n'), Qt::SkipEmptyParts))
    if (!line.startsWith(QLatin1Char('#')) && !line.trimmed().isEmpty()) lines << line.trimmed();
  return lines;
}

// The rows of a CSV text with a heading line, as maps from column to value.
std::vector<std::map<QString, QString>> CsvRows(const QString& text) {
  const QStringList lines = CsvLines(text);
  std::vector<std::map<QString, QString>> rows;
  if (lines.isEmpty()) return rows;
  const QStringList heading = lines[0].split(QLatin1Char(','));
  for (int i = 1; i < lines.size(); ++i) {
    const QStringList f = lines[i].split(QLatin1Char(','));
    std::map<QString, QString> row;
    for (int c = 0; c < heading.size() && c < f.size(); ++c) row[heading[c]] = f[c];
    rows.push_back(row);
  }
  return rows;
}

}  // namespace

std::map<int, MarkPlace> ReadMarkPlaces(const QString& csvText) {
  std::map<int, MarkPlace> places;
  for (auto& row : CsvRows(csvText)) places[row["marina_no"].toInt()] = {row["lat"].toDouble(), row["lon"].toDouble()};
  return places;
}

std::vector<MapMark> ProgramMapMarks(const std::map<int, MarkPlace>& places) {
  std::vector<MapMark> marks;
  for (const maps::SubRegionMap& map : maps::SubRegionMaps()) {
    for (const maps::MapMark& mark : map.marks) {
      const auto place = places.find(mark.marinaNo);
      if (place == places.end())
        throw std::runtime_error(QStringLiteral("no place for marina %1").arg(mark.marinaNo).toStdString());
      MapMark m;
      m.geoCode = map.geoCode;
      m.mapNo = mark.number;
      m.marinaNo = mark.marinaNo;
      m.placeOf = mark.marinaNo;
      m.lat = place->second.lat;
      m.lon = place->second.lon;
      marks.push_back(m);
    }
  }
  return marks;
}

SeaMiles SeaMiles::Read(const QString& csvText) {
  SeaMiles s;
  for (auto& row : CsvRows(csvText)) {
    bool ok = false;
    const double nm = row["nm"].toDouble(&ok);
    if (ok) s.miles_[{row["from"].toInt(), row["to"].toInt()}] = nm;
  }
  return s;
}

double SeaMiles::Between(int a, int b) const {
  if (a == b) return 0;
  const auto it = miles_.find({std::min(a, b), std::max(a, b)});
  return it == miles_.end() ? -1 : it->second;
}

LandMiles LandMiles::Read(const QString& milesCsv, const QString& reachCsv) {
  LandMiles l;
  for (auto& row : CsvRows(milesCsv)) {
    bool ok = false;
    const double mi = row["mi"].toDouble(&ok);
    if (ok) l.ways_[row["marina_no"].toInt()][row["place"]] = {mi, row["ferry"] == QLatin1String("1")};
  }
  for (auto& row : CsvRows(reachCsv))
    if (!row["island"].isEmpty()) l.islands_[row["marina_no"].toInt()] = {row["island"], row["reach_mi"].toDouble()};
  return l;
}

Way LandMiles::To(int marina, const QString& placeKey) const {
  const auto m = ways_.find(marina);
  if (m == ways_.end()) return {};
  const auto w = m->second.find(placeKey);
  return w == m->second.end() ? Way{} : w->second;
}

std::pair<QString, Way> LandMiles::Nearest(int marina, const QString& kind) const {
  std::pair<QString, Way> best;
  const auto m = ways_.find(marina);
  if (m == ways_.end()) return best;
  const QString prefix = kind + QLatin1Char(':');
  for (const auto& [key, way] : m->second)
    if (key.startsWith(prefix) && (!best.second.Known() || way.miles < best.second.miles))
      best = {key.mid(prefix.size()).section(QLatin1Char('|'), 0, 0), way};
  return best;
}

QString LandMiles::IslandOf(int marina) const {
  const auto it = islands_.find(marina);
  return it == islands_.end() ? QString() : it->second.first;
}

double LandMiles::ReachOf(int marina) const {
  const auto it = islands_.find(marina);
  return it == islands_.end() ? 0 : it->second.second;
}

double NauticalMiles(double lat1, double lon1, double lat2, double lon2) {
  const double dLat = (lat2 - lat1) * 60.0;
  const double dLon = (lon2 - lon1) * 60.0 * std::cos((lat1 + lat2) / 2 * 3.14159265358979323846 / 180.0);
  return std::sqrt(dLat * dLat + dLon * dLon);
}

double DdmmToDegrees(double ddmm) {
  const double a = std::fabs(ddmm), deg = std::floor(a / 100.0);
  return (ddmm < 0 ? -1 : 1) * (deg + (a - deg * 100.0) / 60.0);
}
double Town::LatDegrees() const { return DdmmToDegrees(lat); }
double Town::LonDegrees() const { return DdmmToDegrees(lon); }
double Harbour::LatDegrees() const { return DdmmToDegrees(lat); }
double Harbour::LonDegrees() const { return DdmmToDegrees(lon); }

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

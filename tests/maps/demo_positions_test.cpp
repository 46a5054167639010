// The demo database agrees with the maps: every marina lies where its mark
// shows it, the mark's centre taken back through its map's warp and window
// (tools/maps/map-warps.csv, map-windows.csv) to the real coast.
#include <gtest/gtest.h>

#include <QFile>
#include <algorithm>
#include <cmath>
#include <map>
#include <vector>

#include "common/testing.h"
#include "data/marina_db.h"
#include "maps/map_table.h"

namespace {

// The rows of one of the chart tools' CSV files (comment lines start with '#').
std::vector<QStringList> CsvRows(const char* name) {
  std::vector<QStringList> out;
  QFile f(QStringLiteral(QUAYWISE_SOURCE_DIR "/tools/maps/") + QLatin1String(name));
  if (!f.open(QIODevice::ReadOnly)) return out;
  const QStringList lines = QString::fromUtf8(f.readAll()).split(QLatin1Char('\n'), Qt::SkipEmptyParts);
  for (int i = 0; i < lines.size(); ++i)
    if (!lines[i].startsWith(QLatin1Char('#'))) out.push_back(lines[i].trimmed().split(QLatin1Char(',')));
  if (!out.empty()) out.erase(out.begin());  // the heading
  return out;
}

constexpr double kPi = 3.14159265358979323846;
constexpr double kE = 0.0818191908426215;  // WGS-84

double MercatorY(double lat) {
  const double p = lat * kPi / 180, es = kE * std::sin(p);
  return std::log(std::tan(kPi / 4 + p / 2) * std::pow((1 - es) / (1 + es), kE / 2)) * 180 / kPi;
}

double MercatorLat(double y) {
  const double t = std::exp(-y * kPi / 180);
  double p = kPi / 2 - 2 * std::atan(t);
  for (int i = 0; i < 12; ++i) p = kPi / 2 - 2 * std::atan(t * std::pow((1 - kE * std::sin(p)) / (1 + kE * std::sin(p)), kE / 2));
  return p * 180 / kPi;
}

// "4123.456" (DDMM.mmm) and "-07130.600" to degrees.
double Degrees(const QString& text) {
  const double v = std::fabs(text.toDouble());
  const double deg = std::floor(v / 100.0);
  return (text.startsWith(QLatin1Char('-')) ? -1 : 1) * (deg + (v - deg * 100.0) / 60.0);
}

double Km(double lat1, double lon1, double lat2, double lon2) {
  const double dy = (lat2 - lat1) * 110.57, dx = (lon2 - lon1) * 111.32 * std::cos((lat1 + lat2) / 2 * kPi / 180);
  return std::hypot(dx, dy);
}

TEST(DemoPositions, EveryMarinaLiesWithinHalfAKilometreOfThePlaceUnderItsMark) {
  struct Window {
    double west, east, north;
  };
  std::map<QString, Window> windows;
  for (const QStringList& r : CsvRows("map-windows.csv"))
    if (r.size() >= 7) windows[r[0]] = {r[3].toDouble(), r[4].toDouble(), r[6].toDouble()};
  struct Bump {
    double x, y, dx, dy, sigma;
  };
  std::map<QString, std::vector<Bump>> warps;
  for (const QStringList& r : CsvRows("map-warps.csv"))
    if (r.size() >= 6) warps[r[0]].push_back({r[1].toDouble(), r[2].toDouble(), r[3].toDouble(), r[4].toDouble(), r[5].toDouble()});
  ASSERT_EQ(windows.size(), 13u);
  // Marinas the chart's bound keeps from their town's shore keep their harbour there, farther from the mark.
  std::map<int, QString> keptOff;
  for (const QStringList& r : CsvRows("kept-off-shore.csv"))
    if (r.size() >= 2) keptOff[r[0].toInt()] = r[1];
  ASSERT_FALSE(keptOff.empty());

  auto db = qw::Database::OpenDatabase(qw::testing::DemoDatabasePath(), -1, true, qw::ConnectString());
  int checked = 0;
  for (const qw::maps::SubRegionMap& map : qw::maps::SubRegionMaps()) {
    const Window w = windows.at(map.windowName);
    const double k = 600.0 / (w.east - w.west);  // pixels per degree of longitude
    for (const qw::maps::MapMark& mark : map.marks) {
      auto rs = db->OpenRecordset(QStringLiteral("SELECT n.Latitude, n.Longitude, v.[Geo Code] FROM rpm_nav_info n "
                                                 "JOIN rpm_Vyk v ON v.MarinaNo = n.MarinaNo WHERE n.MarinaNo = %1")
                                      .arg(mark.marinaNo));
      ASSERT_FALSE(rs->Eof()) << mark.marinaNo;
      EXPECT_EQ(rs->Fields(2).Value().toInt(), map.geoCode);
      // The picture at the mark's centre p shows the unwarped chart at p - shift(p).
      double x = (mark.rect.left + mark.rect.width / 2.0) / qw::maps::kTwipsPerPixel;
      double y = (mark.rect.top + mark.rect.height / 2.0) / qw::maps::kTwipsPerPixel;
      double sx = 0, sy = 0;
      for (const Bump& b : warps[map.windowName]) {
        const double g = std::exp(-((x - b.x) * (x - b.x) + (y - b.y) * (y - b.y)) / (2 * b.sigma * b.sigma));
        sx += b.dx * g;
        sy += b.dy * g;
      }
      x -= sx;
      y -= sy;
      const double lon = w.west + x / k, lat = MercatorLat(MercatorY(w.north) - y / k);
      const QString latText = rs->Fields(0).Value().toString();
      const double printedLon = Degrees(rs->Fields(1).Value().toString());
      // The blank-latitude edge row keeps its longitude.
      const double printedLat = latText.trimmed().isEmpty() ? lat : Degrees(latText);
      // Within half a kilometre, or, where the bound keeps the mark's centre off every shore, under its disc of
      // 6 pixels (the place check tells the two apart from the shore itself).
      const double discKm = 6.0 * 111.32 * std::cos(lat * kPi / 180) / k;
      const bool atSea = keptOff.count(mark.marinaNo) && keptOff[mark.marinaNo] == QLatin1String("at sea");
      const double limit = atSea ? 10.0 : keptOff.count(mark.marinaNo) ? 2.0 : std::max(0.5, discKm);
      EXPECT_LE(Km(lat, lon, printedLat, printedLon), limit) << mark.marinaNo;
      ++checked;
    }
  }
  EXPECT_EQ(checked, 227);
}

}  // namespace

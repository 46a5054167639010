// The demo database agrees with the maps: every marina lies inside the window
// of its sub-region's map, where its mark is.
#include <gtest/gtest.h>

#include <QFile>
#include <map>

#include "common/testing.h"
#include "data/marina_db.h"
#include "maps/map_table.h"

namespace {

struct Window {
  double west, east, south, north;
};

std::map<QString, Window> FittedWindows() {
  std::map<QString, Window> out;
  QFile f(QStringLiteral(QUAYWISE_SOURCE_DIR "/tools/maps/map-windows.csv"));
  if (!f.open(QIODevice::ReadOnly)) return out;
  for (const QString& line : QString::fromUtf8(f.readAll()).split(QLatin1Char('\n'), Qt::SkipEmptyParts)) {
    const QStringList c = line.split(QLatin1Char(','));
    if (line.startsWith(QLatin1Char('#')) || c.size() < 7 || c[0] == QLatin1String("window")) continue;
    out[c[0]] = {c[3].toDouble(), c[4].toDouble(), c[5].toDouble(), c[6].toDouble()};
  }
  return out;
}

// "4123.456" (DDMM.mmm) and "-07130.600" to degrees.
double Degrees(const QString& text) {
  const double v = std::fabs(text.toDouble());
  const double deg = std::floor(v / 100.0);
  return (text.startsWith(QLatin1Char('-')) ? -1 : 1) * (deg + (v - deg * 100.0) / 60.0);
}

TEST(DemoPositions, EveryMarinaLiesInItsMapsWindowInTheOrderOfTheMarks) {
  const auto windows = FittedWindows();
  ASSERT_EQ(windows.size(), 13u);
  auto db = qw::Database::OpenDatabase(qw::testing::DemoDatabasePath(), -1, true, qw::ConnectString());
  int checked = 0;
  for (const qw::maps::SubRegionMap& map : qw::maps::SubRegionMaps()) {
    const Window w = windows.at(map.windowName);
    for (const qw::maps::MapMark& mark : map.marks) {
      auto rs = db->OpenRecordset(QStringLiteral("SELECT n.Latitude, n.Longitude, v.[Geo Code] FROM rpm_nav_info n "
                                                 "JOIN rpm_Vyk v ON v.MarinaNo = n.MarinaNo WHERE n.MarinaNo = %1")
                                      .arg(mark.marinaNo));
      ASSERT_FALSE(rs->Eof()) << mark.marinaNo;
      EXPECT_EQ(rs->Fields(2).Value().toInt(), map.geoCode);
      const double lon = Degrees(rs->Fields(1).Value().toString());
      // Longitude runs with the picture's x: the mark's centre gives it to a pixel.
      const double x = (mark.rect.left + mark.rect.width / 2.0) / qw::maps::kTwipsPerPixel;
      EXPECT_NEAR(lon, w.west + x / 600.0 * (w.east - w.west), (w.east - w.west) / 600.0) << mark.marinaNo;
      const QString latText = rs->Fields(0).Value().toString();
      if (latText.trimmed().isEmpty()) continue;  // the blank-latitude edge row
      const double lat = Degrees(latText);
      EXPECT_TRUE(lat > w.south && lat < w.north) << mark.marinaNo << " " << lat;
      ++checked;
    }
  }
  EXPECT_EQ(checked, 226);
}

}  // namespace

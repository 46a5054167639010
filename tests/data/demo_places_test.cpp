// The demo reports are true to their places: distances by land or by ferry
// (tools/maps/land-miles.csv, land-reach.csv), island reports that fit an
// island, texts that fit an open shore, the largest-scale chart of a harbour.
#include <gtest/gtest.h>

#include <QFile>
#include <QRegularExpression>
#include <cmath>
#include <functional>
#include <map>
#include <memory>
#include <numbers>
#include <set>

#include "common/testing.h"
#include "platform/jet.h"

namespace {

// The rows of one of the chart tools' CSV files by column name (comment lines start with '#').
std::vector<std::map<QString, QString>> Csv(const char* name) {
  std::vector<std::map<QString, QString>> rows;
  QFile f(QStringLiteral(QUAYWISE_SOURCE_DIR "/tools/maps/") + QLatin1String(name));
  if (!f.open(QIODevice::ReadOnly)) return rows;
  QStringList heading;
  for (const QString& line : QString::fromUtf8(f.readAll()).split(QLatin1Char('\n'), Qt::SkipEmptyParts)) {
    if (line.startsWith(QLatin1Char('#'))) continue;
    const QStringList cells = line.trimmed().split(QLatin1Char(','));
    if (heading.isEmpty()) {
      heading = cells;
      continue;
    }
    std::map<QString, QString> row;
    for (int i = 0; i < heading.size() && i < cells.size(); ++i) row[heading[i]] = cells[i];
    rows.push_back(row);
  }
  return rows;
}

struct Way {
  double miles = -1;
  bool ferry = false;
};

// A distance class as the report reads it: 0 on site .. 4 one to three miles, 5 a distance beyond, -1 none.
int ClassOf(const qw::RecordsetPtr& rs) {
  static const char* const flags[] = {"On-Site", "On-Call", "NearBy", "W/in 1 Mile", "1-3 Miles"};
  for (int i = 0; i < 5; ++i)
    if (rs->Fields(QString::fromLatin1(flags[i])).Value().toInt() == 1) return i;
  return rs->Fields(QStringLiteral("Approx Distance")).Value().toString().trimmed().isEmpty() ? -1 : 5;
}

// The class of a place `miles` away, as the generator files it.
int ClassAt(double miles) { return miles < 0.3 ? 2 : miles < 1 ? 3 : miles < 3.5 ? 4 : 5; }

const QStringList kRowTables = {"rpm_Boat_Supplies",    "rpm_Boat_and_Boatyard_Services",
                                "rpm_Recreation",       "rpm_Entertainment",
                                "rpm_General_Services", "rpm_Provisioning",
                                "rpm_Transportation",   "rpm_Medical",
                                "rpm_Restaurants",      "rpm_Accommodations"};

class DemoPlaces : public ::testing::Test {
 protected:
  static void SetUpTestSuite() {
    db_ = qw::Database::OpenDatabase(qw::testing::DemoDatabasePath(), 0, true, QString());
    for (const auto& r : Csv("land-miles.csv"))
      ways_[r.at("marina_no").toInt()][r.at("place")] = {r.at("mi").toDouble(), r.at("ferry") == "1"};
    for (const auto& r : Csv("land-reach.csv")) {
      reach_[r.at("marina_no").toInt()] = {r.at("island"), r.at("reach_mi").toDouble()};
      measuredFrom_[r.at("marina_no").toInt()] = {r.at("lat").toDouble(), r.at("lon").toDouble()};
    }
  }
  static void TearDownTestSuite() { db_.reset(); }

  static qw::RecordsetPtr Open(const QString& sql) { return db_->OpenRecordset(sql); }
  static QString Text(const qw::RecordsetPtr& rs, const char* field) {
    return rs->Fields(QString::fromLatin1(field)).Value().toString();
  }
  // The way from a marina to a place of a kind ("town", "hospital") by name, whatever its state.
  static Way WayTo(int marina, const QString& kind, const QString& name) {
    const QString place = kind + QLatin1Char(':') + name;
    for (const auto& [key, way] : ways_[marina])
      if (key == place || key.startsWith(place + QLatin1Char('|'))) return way;
    return {};
  }
  // The nearest place of a kind: its name and way.
  static std::pair<QString, Way> Nearest(int marina, const QString& kind) {
    std::pair<QString, Way> best;
    for (const auto& [key, way] : ways_[marina])
      if (key.startsWith(kind + QLatin1Char(':')) && (best.second.miles < 0 || way.miles < best.second.miles))
        best = {key.section(QLatin1Char(':'), 1).section(QLatin1Char('|'), 0, 0), way};
    return best;
  }
  static QString IslandOf(int marina) { return reach_[marina].first; }
  // Each amenity, eatery and lodging row of a marina, its type as the field "t".
  static void ForEachRow(int marina,
                         const std::function<void(const QString& table, const qw::RecordsetPtr& row)>& visit) {
    for (const QString& table : kRowTables) {
      const QString type = table == QLatin1String("rpm_Restaurants")      ? QStringLiteral("[Rest Type]")
                           : table == QLatin1String("rpm_Accommodations") ? QStringLiteral("[Accommodation Type]")
                                                                          : QStringLiteral("type");
      for (auto rs = Open(QStringLiteral("SELECT %1 AS t, * FROM %2 WHERE MarinaNo = %3").arg(type, table).arg(marina));
           !rs->Eof(); rs->MoveNext())
        visit(table, rs);
    }
  }

  static inline std::shared_ptr<qw::Database> db_;
  static inline std::map<int, std::map<QString, Way>> ways_;
  static inline std::map<int, std::pair<QString, double>> reach_;
  static inline std::map<int, std::pair<double, double>> measuredFrom_;
};

// Degrees of a printed "4123.456" or "-07130.600".
double Degrees(const QString& text) {
  const double v = std::fabs(text.toDouble()), deg = std::floor(v / 100.0);
  return (text.trimmed().startsWith(QLatin1Char('-')) ? -1 : 1) * (deg + (v - deg * 100.0) / 60.0);
}

TEST_F(DemoPlaces, LandMilesAreMeasuredFromThePrintedPositions) {
  int checked = 0;
  for (auto rs = Open("SELECT MarinaNo, Latitude, Longitude FROM rpm_nav_info WHERE TRIM(Latitude) <> ''"); !rs->Eof();
       rs->MoveNext()) {
    const int no = rs->Fields(0).Value().toInt();
    ASSERT_TRUE(measuredFrom_.count(no)) << no << ": not in land-reach.csv; run tools/maps/land_miles.py";
    const auto [lat, lon] = measuredFrom_[no];
    const double dy = (Degrees(Text(rs, "Latitude")) - lat) * 111.2,
                 dx = (Degrees(Text(rs, "Longitude")) - lon) * 111.2 * std::cos(lat * std::numbers::pi / 180);
    EXPECT_LT(std::hypot(dx, dy), 0.05) << no << " moved since land-miles.csv was made; run tools/maps/land_miles.py";
    ++checked;
  }
  EXPECT_EQ(checked, 226);
}

// A marina on a beach or the open shore reads as one: no village green, harbour or waterfront beside it. And no
// text anywhere walks to a town centre more than a mile away by land.
TEST_F(DemoPlaces, TextsFitTheShoreAndTheWalkToTown) {
  const std::set<std::pair<QString, QString>> openShores = {{"Rhode Island Sound", "Newport"},
                                                            {"Easton Bay", "Newport"},
                                                            {"Block Island Sound", "Wakefield"},
                                                            {"Massachusetts Bay", "Marblehead"},
                                                            {"Massachusetts Bay", "Manchester-by-the-Sea"},
                                                            {"Buzzards Bay", "West Falmouth"},
                                                            {"Narragansett Bay", "Warwick"},
                                                            {"Brace Cove", "Gloucester"},
                                                            {"West Penobscot Bay", "Camden"},
                                                            {"Nahant Bay", "Swampscott"}};
  const QRegularExpression harbourLife(
      QStringLiteral("village green|heart of|waterfront|head of|village store|center of|lobster boats"),
      QRegularExpression::CaseInsensitiveOption);
  const QRegularExpression openWords(QStringLiteral("open|beach|rocks|ledges|swell|surf"),
                                     QRegularExpression::CaseInsensitiveOption);
  const QRegularExpression walkToTown(
      QStringLiteral("short walk from the (village green|center)|within walking distance|Walk up from the docks|"
                     "everything is within a few blocks"));
  int open = 0;
  QStringList faults;
  for (auto rs = Open("SELECT e.MarinaNo, n.Harbor, c.City, c.State, e.Environs, e.Notable FROM rpm_extras e JOIN "
                      "rpm_nav_info n ON "
                      "n.MarinaNo = e.MarinaNo JOIN rpm_Contact_Information c ON c.MarinaNo = e.MarinaNo");
       !rs->Eof(); rs->MoveNext()) {
    const int no = rs->Fields(0).Value().toInt();
    const QString texts = Text(rs, "Environs") + QLatin1Char(' ') + Text(rs, "Notable");
    if (openShores.count({Text(rs, "Harbor"), Text(rs, "City").trimmed()})) {
      ++open;
      if (texts.contains(harbourLife) || !texts.contains(openWords))
        faults << QStringLiteral("%1 on an open shore: %2").arg(no).arg(texts);
    }
    const Way town = WayTo(no, QStringLiteral("town"), Text(rs, "City").trimmed());
    if (texts.contains(walkToTown) && town.miles >= 1)
      faults << QStringLiteral("%1 walks %2 mi: %3").arg(no).arg(town.miles).arg(texts);
  }
  EXPECT_GE(open, 8);
  EXPECT_TRUE(faults.isEmpty()) << faults.join(QLatin1Char('\n')).toStdString();
}

// An island marina's amenities, eateries and lodgings lie within the island's reach or are marked as by ferry;
// its ferry leaves from the dock the island's ferry uses; it has no inter-city bus, and no taxi, rental car or
// bikes where the island has none.
TEST_F(DemoPlaces, IslandRowsFitTheirIsland) {
  const std::map<QString, QStringList> lacking = {
      {"Isles of Shoals",
       {"Taxi", "Rental Car", "Bikes", "Local Bus", "Airport Limo", "Courtesy Car Or Van Service for Guests"}},
      {"Cuttyhunk", {"Taxi", "Rental Car", "Local Bus", "Airport Limo"}},
      {"Block Island", {"Local Bus"}}};
  const QRegularExpression miles(QStringLiteral("^(\\d+) mi( by ferry)?$"));
  QStringList faults;
  int islandMarinas = 0;
  for (const auto& [no, island] : reach_) {
    if (island.first.isEmpty()) continue;
    ++islandMarinas;
    const double reach = island.second;
    ForEachRow(no, [&](const QString& table, const qw::RecordsetPtr& rs) {
      const QString what = QStringLiteral("%1 %2 %3").arg(no).arg(island.first, Text(rs, "t"));
      const QString distance = Text(rs, "Approx Distance").trimmed();
      const auto m = miles.match(distance);
      const bool ferry = m.hasMatch() && !m.captured(2).isEmpty();
      const int cls = ClassOf(rs);
      if (cls == 5 && !ferry && !Text(rs, "Comments").contains(QLatin1String("by ferry")) &&
          (m.hasMatch() ? m.captured(1).toDouble() > reach + 0.5 : reach < 3.5))
        faults << what + QStringLiteral(" at ") + distance + QStringLiteral(" beyond the island's ") +
                      QString::number(reach);
      if (cls == 4 && reach < 1) faults << what + QStringLiteral(" 1-3 mi on an island of ") + QString::number(reach);
      if (ferry && (table == QLatin1String("rpm_Restaurants") || table == QLatin1String("rpm_Accommodations")))
        faults << what + QStringLiteral(" eats or sleeps across the water");
      if (Text(rs, "t") == QLatin1String("InterCity Bus") ||
          (lacking.count(island.first) && lacking.at(island.first).contains(Text(rs, "t"))))
        faults << what + QStringLiteral(": none on the island");
    });
    const Way dock = WayTo(no, QStringLiteral("dock"), island.first);
    auto ferry =
        Open(QStringLiteral("SELECT * FROM rpm_Transportation WHERE MarinaNo = %1 AND type = 'Ferry Service'").arg(no));
    if (ferry->Eof() || dock.miles < 0 || ClassOf(ferry) != ClassAt(dock.miles))
      faults << QStringLiteral("%1: its ferry is not at the dock %2 mi away").arg(no).arg(dock.miles);
  }
  EXPECT_GE(islandMarinas, 30);
  EXPECT_TRUE(faults.isEmpty()) << faults.size() << "\n" << faults.mid(0, 20).join(QLatin1Char('\n')).toStdString();
}

// The hospital, airport and station a marina names are the nearest by land, or from an island by its ferry, never
// across open water, at the miles of that way.
TEST_F(DemoPlaces, HospitalsAirportsAndStationsAreTheNearestByLandOrFerry) {
  const struct {
    const char *table, *type, *kind;
  } kinds[] = {{"rpm_Medical", "Hospital", "hospital"},
               {"rpm_Transportation", "Nearest Airport", "airport"},
               {"rpm_Transportation", "Rail", "rail"}};
  const QRegularExpression named(QStringLiteral("^(?:Hospital in|Airport at|Train station in) (.+)$"));
  QStringList faults;
  int hospitals = 0;
  for (const auto& [table, type, kind] : kinds) {
    for (auto rs =
             Open(QStringLiteral("SELECT * FROM %1 WHERE type = '%2'").arg(QLatin1String(table), QLatin1String(type)));
         !rs->Eof(); rs->MoveNext()) {
      const int no = rs->Fields(QStringLiteral("MarinaNo")).Value().toInt();
      const auto m = named.match(Text(rs, "Comments"));
      if (!m.hasMatch()) continue;  // the edge row's "on the mainland, by ferry"
      hospitals += QLatin1String(kind) == QLatin1String("hospital");
      const auto [nearest, way] = Nearest(no, QString::fromLatin1(kind));
      const QString what = QStringLiteral("%1 %2 %3").arg(no).arg(QLatin1String(type), m.captured(1));
      if (m.captured(1) != nearest) {
        faults << what + QStringLiteral(": the nearest by land or ferry is ") + nearest;
        continue;
      }
      const int cls = ClassOf(rs);
      const QString distance = Text(rs, "Approx Distance").trimmed();
      if (cls < 0 || distance == QLatin1String("x")) continue;  // the edge rows' remark alone and "x"
      const bool ok = cls == 5 ? distance == QStringLiteral("%1 mi%2")
                                                 .arg(std::max<qint64>(1, qRound64(way.miles)))
                                                 .arg(way.ferry ? " by ferry" : "")
                               : !way.ferry && cls == std::max(3, ClassAt(way.miles));
      if (!ok) faults << what + QStringLiteral(" at class %1 %2, not %3 mi").arg(cls).arg(distance).arg(way.miles);
    }
  }
  EXPECT_GE(hospitals, 220);
  EXPECT_TRUE(faults.isEmpty()) << faults.join(QLatin1Char('\n')).toStdString();
}

// "Nearest Town: X (d mi)": d is the way from the printed position to X's centre, by land or by ferry.
TEST_F(DemoPlaces, NearestTownMilesAreTheWayFromThePrintedPosition) {
  const QRegularExpression miles(QStringLiteral("^([\\d.]+)( mi by ferry)?$"));
  QStringList faults;
  int checked = 0;
  for (auto rs = Open("SELECT MarinaNo, [Nearest Town], [Miles to Town] FROM rpm_Contact_Information WHERE [Nearest "
                      "Town] IS NOT NULL");
       !rs->Eof(); rs->MoveNext()) {
    const int no = rs->Fields(0).Value().toInt();
    const auto m = miles.match(rs->Fields(2).Value().toString());
    if (!m.hasMatch()) continue;  // the edge rows' "1/2", "2-3", "In town"
    const Way way = WayTo(no, QStringLiteral("town"), rs->Fields(1).Value().toString());
    const double printed = m.captured(1).toDouble();
    const double rounding = way.miles < 0.95 ? 0.06 : way.miles < 4.75 ? 0.26 : 0.51;
    if (way.miles < 0 || std::fabs(printed - way.miles) > rounding || way.ferry != !m.captured(2).isEmpty())
      faults << QStringLiteral("%1: %2 (%3) where the way is %4 mi")
                    .arg(no)
                    .arg(rs->Fields(1).Value().toString(), m.captured(0))
                    .arg(way.miles);
    ++checked;
  }
  EXPECT_GE(checked, 215);
  EXPECT_TRUE(faults.isEmpty()) << faults.join(QLatin1Char('\n')).toStdString();
}

// A far distance follows the place: no amenity of a mainland marina lies farther than the farthest of its own
// town, the town that serves it and the nearest hospital town; a town's bank or pharmacy lies in the town.
TEST_F(DemoPlaces, FarDistancesFollowThePlace) {
  const QRegularExpression miles(QStringLiteral("^(\\d+) mi$"));
  const QStringList inTown = {"Bank/ATM", "Pharmacy", "Hardware Store", "Supermarket", "Museum"};
  QStringList faults;
  for (auto c = Open("SELECT MarinaNo, City, [Nearest Town] FROM rpm_Contact_Information WHERE City IS NOT NULL");
       !c->Eof(); c->MoveNext()) {
    const int no = c->Fields(0).Value().toInt();
    if (!IslandOf(no).isEmpty()) continue;
    const QString city = c->Fields(1).Value().toString().trimmed();
    const double own = WayTo(no, QStringLiteral("town"), city).miles;
    const double farthest = std::max({own, WayTo(no, QStringLiteral("town"), c->Fields(2).Value().toString()).miles,
                                      Nearest(no, QStringLiteral("hospital")).second.miles});
    const bool servedByItself = c->Fields(2).Value().toString() == city;
    ForEachRow(no, [&](const QString&, const qw::RecordsetPtr& rs) {
      const auto m = miles.match(Text(rs, "Approx Distance").trimmed());
      const bool measured =
          QStringList{"Nearest Airport", "Rail", "Hospital"}.contains(Text(rs, "t"));  // by the test above
      if (ClassOf(rs) == 5 && m.hasMatch() && !measured && m.captured(1).toDouble() > farthest * 1.3 + 1)
        faults << QStringLiteral("%1 %2 at %3 mi, its places within %4")
                      .arg(no)
                      .arg(Text(rs, "t"), m.captured(1))
                      .arg(farthest);
      if (servedByItself && own < 1.5 && inTown.contains(Text(rs, "t")) && ClassOf(rs) == 5)
        faults << QStringLiteral("%1 %2 beyond three miles, the town %3 mi away").arg(no).arg(Text(rs, "t")).arg(own);
    });
  }
  EXPECT_TRUE(faults.isEmpty()) << faults.size() << "\n" << faults.mid(0, 20).join(QLatin1Char('\n')).toStdString();
}

// "Chart #" is the harbour chart where one covers the harbour, not the coast chart round it.
TEST_F(DemoPlaces, ChartsAreTheLargestScaleForTheirHarbour) {
  const struct {
    const char* harbour;
    const char* city;
    const char* chart;
  } cases[] = {{"Scituate Harbor", "Scituate", "13269"},
               {"Cohasset Harbor", "Cohasset", "13269"},
               {"Manchester Harbor", "Manchester-by-the-Sea", "13275"},
               {"Brace Cove", "Gloucester", "13275"},
               {"New Meadows River", "West Bath", "13290"},
               {"Green Harbor", "Marshfield", "13253"},
               {"Provincetown Harbor", "Provincetown", "13249"},
               {"Nantucket Harbor", "Nantucket", "13242"},
               {"Boston Inner Harbor", "Boston", "13272"},
               {"Great Salt Pond", "Block Island", "13217"},
               {"Stage Harbor", "Chatham", "13248"}};
  int found = 0;
  for (const auto& c : cases) {
    for (auto rs = Open(
             QStringLiteral(
                 "SELECT n.MarinaNo, n.[Chart #] FROM rpm_nav_info n JOIN rpm_Contact_Information i ON i.MarinaNo = "
                 "n.MarinaNo WHERE n.Harbor = '%1' AND TRIM(i.City) = '%2'")
                 .arg(QLatin1String(c.harbour), QLatin1String(c.city)));
         !rs->Eof(); rs->MoveNext()) {
      EXPECT_EQ(rs->Fields(1).Value().toString(), QLatin1String(c.chart))
          << rs->Fields(0).Value().toInt() << " " << c.harbour;
      ++found;
    }
  }
  EXPECT_GE(found, 16);
}

}  // namespace

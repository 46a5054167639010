// The places a demo marina's rows name or measure to beside its town: hospitals, airports, railway stations and
// the towns that serve others; the islands reached only by ferry and their ferries; the open shores among the
// harbour rows; and what kind of town each town is.
#include <map>

#include "demo_model.h"

namespace qw::demo {

bool IsCity(const Town& town) {
  static const QStringList cities = {"Boston",          "Portland",    "South Portland", "Providence",
                                     "East Providence", "New Bedford", "Quincy",         "Lynn",
                                     "Bangor",          "Warwick",     "Weymouth"};
  return cities.contains(town.city);
}

bool IsVillage(const Town& town) {
  static const QStringList villages = {"Verona Island", "Hulls Cove", "Somesville", "Seal Harbor",     "Addison",
                                       "Harrington",    "Steuben",    "Hancock",    "Orland",          "Penobscot",
                                       "Owls Head",     "Edgecomb",   "Pocasset",   "Cataumet",        "Davisville",
                                       "Saunderstown",  "Conimicut",  "Weekapaug",  "Prospect Harbor", "Wauwinet"};
  // Remote, but towns with a main street of their own.
  static const QStringList islandTowns = {"Nantucket", "Vineyard Haven", "Oak Bluffs",
                                          "Edgartown", "Block Island",   "Stonington"};
  return (town.remote && !islandTowns.contains(town.city)) || villages.contains(town.city);
}

QString FerryDestination(const Town& town) {
  static const std::map<QString, QString> ferries = {{"Bar Harbor|ME", "Winter Harbor"},
                                                     {"Winter Harbor|ME", "Bar Harbor"},
                                                     {"Northeast Harbor|ME", "the Cranberry Isles"},
                                                     {"Southwest Harbor|ME", "the Cranberry Isles"},
                                                     {"Cranberry Isles|ME", "Northeast Harbor and Southwest Harbor"},
                                                     {"Bass Harbor|ME", "Swans Island and Frenchboro"},
                                                     {"Swans Island|ME", "Bass Harbor"},
                                                     {"Stonington|ME", "Isle au Haut"},
                                                     {"Isle au Haut|ME", "Stonington"},
                                                     {"Rockland|ME", "Vinalhaven and North Haven"},
                                                     {"Vinalhaven|ME", "Rockland"},
                                                     {"North Haven|ME", "Rockland"},
                                                     {"Islesboro|ME", "Lincolnville"},
                                                     {"Port Clyde|ME", "Monhegan"},
                                                     {"New Harbor|ME", "Monhegan"},
                                                     {"Boothbay Harbor|ME", "Monhegan"},
                                                     {"Portland|ME", "Peaks Island and the other islands of Casco Bay"},
                                                     {"Peaks Island|ME", "Portland"},
                                                     {"Long Island|ME", "Portland"},
                                                     {"Cliff Island|ME", "Portland"},
                                                     {"Yarmouth|ME", "Chebeague Island"},
                                                     {"Chebeague Island|ME", "Cousins Island in Yarmouth"},
                                                     {"Portsmouth|NH", "the Isles of Shoals"},
                                                     {"Rye|NH", "the Isles of Shoals"},
                                                     {"Isles of Shoals|NH", "Portsmouth"},
                                                     {"Salem|MA", "Boston"},
                                                     {"Winthrop|MA", "Boston"},
                                                     {"Boston|MA", "the Harbor Islands and Provincetown"},
                                                     {"Quincy|MA", "Boston"},
                                                     {"Hingham|MA", "Boston"},
                                                     {"Hull|MA", "Boston"},
                                                     {"Plymouth|MA", "Provincetown"},
                                                     {"Provincetown|MA", "Boston and Plymouth"},
                                                     {"Hyannis|MA", "Nantucket and Martha's Vineyard"},
                                                     {"Harwich Port|MA", "Nantucket"},
                                                     {"Falmouth|MA", "Martha's Vineyard"},
                                                     {"Woods Hole|MA", "Martha's Vineyard"},
                                                     {"Vineyard Haven|MA", "Woods Hole"},
                                                     {"Oak Bluffs|MA", "Woods Hole, Falmouth and Hyannis"},
                                                     {"Edgartown|MA", "Chappaquiddick"},
                                                     {"Nantucket|MA", "Hyannis"},
                                                     {"New Bedford|MA", "Cuttyhunk and Martha's Vineyard"},
                                                     {"Cuttyhunk|MA", "New Bedford"},
                                                     {"Newport|RI", "Jamestown and Block Island"},
                                                     {"Jamestown|RI", "Newport"},
                                                     {"Bristol|RI", "Prudence Island"},
                                                     {"Prudence Island|RI", "Bristol"},
                                                     {"Narragansett|RI", "Block Island"},
                                                     {"Galilee|RI", "Block Island"},
                                                     {"Block Island|RI", "Point Judith"}};
  const auto it = ferries.find(town.city + QLatin1Char('|') + town.state);
  return it == ferries.end() ? QString() : it->second;
}

const std::vector<Place>& Places() {
  // Hospitals (the town's, where the marinas of a coast are taken), airports with scheduled or charter flights,
  // railway stations, and the towns named as a nearest town that hold no marina. Places on an island are reached
  // only from it or by its ferry. {kind, name, state, DDMM.m, -DDDMM.m}
  static const std::vector<Place> places = {
      {"hospital", "Machias", "ME", 4442.9, -6727.6},
      {"hospital", "Ellsworth", "ME", 4432.6, -6825.3},
      {"hospital", "Bar Harbor", "ME", 4423.2, -6812.5},
      {"hospital", "Blue Hill", "ME", 4424.5, -6835.0},
      {"hospital", "Bangor", "ME", 4448.0, -6846.5},
      {"hospital", "Belfast", "ME", 4425.5, -6900.4},
      {"hospital", "Rockport", "ME", 4408.2, -6904.9},
      {"hospital", "Damariscotta", "ME", 4401.3, -6931.8},
      {"hospital", "Brunswick", "ME", 4354.3, -6955.2},
      {"hospital", "Portland", "ME", 4339.4, -7015.5},
      {"hospital", "Biddeford", "ME", 4329.5, -7027.0},
      {"hospital", "York", "ME", 4308.6, -7039.0},
      {"hospital", "Portsmouth", "NH", 4304.6, -7045.5},
      {"hospital", "Newburyport", "MA", 4248.8, -7052.5},
      {"hospital", "Gloucester", "MA", 4236.9, -7040.0},
      {"hospital", "Beverly", "MA", 4233.5, -7052.5},
      {"hospital", "Salem", "MA", 4231.0, -7054.0},
      {"hospital", "Boston", "MA", 4221.5, -7104.0},
      {"hospital", "Weymouth", "MA", 4211.5, -7056.5},
      {"hospital", "Plymouth", "MA", 4157.0, -7039.6},
      {"hospital", "Hyannis", "MA", 4139.5, -7017.5},
      {"hospital", "Falmouth", "MA", 4133.5, -7036.5},
      {"hospital", "Oak Bluffs", "MA", 4127.0, -7034.0},
      {"hospital", "Nantucket", "MA", 4116.5, -7006.0},
      {"hospital", "Wareham", "MA", 4145.5, -7042.8},
      {"hospital", "New Bedford", "MA", 4138.5, -7056.0},
      {"hospital", "Fall River", "MA", 4142.0, -7109.0},
      {"hospital", "Newport", "RI", 4129.5, -7118.5},
      {"hospital", "Providence", "RI", 4149.0, -7124.5},
      {"hospital", "Warwick", "RI", 4142.0, -7128.0},
      {"hospital", "Wakefield", "RI", 4126.5, -7130.0},
      {"hospital", "Westerly", "RI", 4122.5, -7149.5},
      {"airport", "Bangor", "ME", 4448.5, -6849.5},
      {"airport", "Bar Harbor", "ME", 4426.9, -6821.7},
      {"airport", "Rockland", "ME", 4404.1, -6905.9},
      {"airport", "Wiscasset", "ME", 4357.7, -6942.7},
      {"airport", "Portland", "ME", 4338.8, -7018.6},
      {"airport", "Portsmouth", "NH", 4304.7, -7049.4},
      {"airport", "Beverly", "MA", 4235.0, -7055.0},
      {"airport", "Boston", "MA", 4221.8, -7100.3},
      {"airport", "Plymouth", "MA", 4154.5, -7043.7},
      {"airport", "Provincetown", "MA", 4204.4, -7013.3},
      {"airport", "Chatham", "MA", 4141.3, -6959.4},
      {"airport", "Hyannis", "MA", 4140.1, -7016.8},
      {"airport", "West Tisbury", "MA", 4123.5, -7036.8},
      {"airport", "Nantucket", "MA", 4115.2, -7003.6},
      {"airport", "New Bedford", "MA", 4140.6, -7057.4},
      {"airport", "Newport", "RI", 4131.8, -7116.9},
      {"airport", "Warwick", "RI", 4143.4, -7125.7},
      {"airport", "Block Island", "RI", 4110.1, -7134.7},
      {"airport", "Westerly", "RI", 4121.0, -7148.2},
      {"rail", "Brunswick", "ME", 4355.0, -6958.0},
      {"rail", "Freeport", "ME", 4351.4, -7006.2},
      {"rail", "Portland", "ME", 4340.0, -7017.5},
      {"rail", "Saco", "ME", 4329.8, -7026.8},
      {"rail", "Wells", "ME", 4319.5, -7036.5},
      {"rail", "Newburyport", "MA", 4248.0, -7052.8},
      {"rail", "Ipswich", "MA", 4240.6, -7050.2},
      {"rail", "Gloucester", "MA", 4236.9, -7040.4},
      {"rail", "Rockport", "MA", 4239.3, -7037.0},
      {"rail", "Salem", "MA", 4231.5, -7053.8},
      {"rail", "Beverly", "MA", 4232.8, -7052.8},
      {"rail", "Lynn", "MA", 4227.7, -7056.8},
      {"rail", "Boston", "MA", 4221.0, -7103.5},
      {"rail", "Quincy", "MA", 4215.1, -7100.3},
      {"rail", "Scituate", "MA", 4210.5, -7045.5},
      {"rail", "Kingston", "MA", 4158.7, -7043.3},
      {"rail", "Wareham", "MA", 4145.5, -7042.8},
      {"rail", "Hyannis", "MA", 4139.2, -7017.0},
      {"rail", "New Bedford", "MA", 4138.5, -7055.8},
      {"rail", "Providence", "RI", 4149.5, -7124.8},
      {"rail", "Wickford", "RI", 4135.5, -7129.5},
      {"rail", "Kingston", "RI", 4129.0, -7133.0},
      {"rail", "Westerly", "RI", 4122.5, -7149.5},
      {"town", "Lincolnville", "ME", 4416.9, -6900.5},
      {"town", "Waldoboro", "ME", 4405.8, -6922.5},
      {"town", "Biddeford", "ME", 4329.5, -7027.2},
      {"town", "York", "ME", 4309.7, -7038.9},
      {"town", "Dennis", "MA", 4144.2, -7011.6},
      {"town", "Harwich", "MA", 4141.2, -7004.6},
      {"town", "Bourne", "MA", 4144.5, -7035.9},
      {"town", "Fall River", "MA", 4142.1, -7109.3},
      {"town", "Wickford", "RI", 4134.3, -7126.8},
  };
  return places;
}

QString PlaceKey(const QString& kind, const QString& name, const QString& state) {
  return kind + QLatin1Char(':') + name + QLatin1Char('|') + state;
}

QString TownKey(const QString& name, const QString& state) {
  QString other;
  const auto consider = [&](const QString& city, const QString& st) {
    if (city != name) return false;
    if (st == state) return true;
    if (other.isEmpty()) other = st;
    return false;
  };
  for (const Town& t : Towns())
    if (consider(t.city, t.state)) return PlaceKey(QStringLiteral("town"), name, state);
  for (const Place& p : Places())
    if (p.kind == QLatin1String("town") && consider(p.name, p.state))
      return PlaceKey(QStringLiteral("town"), name, state);
  return other.isEmpty() ? QString() : PlaceKey(QStringLiteral("town"), name, other);
}

const std::vector<Island>& Islands() {
  static const std::vector<Island> islands = {
      {"Martha's Vineyard",
       IslandKind::Large,
       {"Vineyard Haven", "Oak Bluffs", "Edgartown", "Chilmark"},
       {"Taxi", "Rental Car", "Bikes", "Local Bus", "Airport Limo", "Courtesy Car Or Van Service for Guests"}},
      {"Nantucket",
       IslandKind::Large,
       {"Nantucket", "Madaket", "Wauwinet"},
       {"Taxi", "Rental Car", "Bikes", "Local Bus", "Airport Limo", "Courtesy Car Or Van Service for Guests"}},
      {"Block Island", IslandKind::Town, {"Block Island"}, {"Taxi", "Rental Car", "Bikes"}},
      {"Vinalhaven", IslandKind::Town, {"Vinalhaven"}, {"Bikes"}},
      {"North Haven", IslandKind::Town, {"North Haven"}, {"Bikes"}},
      {"Islesboro", IslandKind::Town, {"Islesboro", "Dark Harbor"}, {"Bikes"}},
      {"Peaks Island", IslandKind::Town, {"Peaks Island"}, {"Taxi", "Bikes"}},
      {"Chebeague Island", IslandKind::Town, {"Chebeague Island"}, {"Bikes"}},
      {"Long Island", IslandKind::Village, {"Long Island"}, {}},
      {"Cliff Island", IslandKind::Village, {"Cliff Island"}, {}},
      {"Swans Island", IslandKind::Village, {"Swans Island"}, {"Bikes"}},
      {"Cranberry Isles", IslandKind::Village, {"Cranberry Isles", "Islesford"}, {}},
      {"Isle au Haut", IslandKind::Village, {"Isle au Haut"}, {}},
      {"Cuttyhunk", IslandKind::Village, {"Cuttyhunk"}, {}},
      {"Prudence Island", IslandKind::Village, {"Prudence Island"}, {}},
      {"Isles of Shoals", IslandKind::Outpost, {"Isles of Shoals"}, {}},
  };
  return islands;
}

const Island* FindIsland(const QString& name) {
  for (const Island& i : Islands())
    if (i.name == name) return &i;
  return nullptr;
}

const std::vector<FerryRoute>& FerryRoutes() {
  // The year-round and summer ferries of the islands: each dock and the mainland port it sails to (an island
  // with two docks has a row for each). {island, dock DDMM.m, -DDDMM.m, port, state, port DDMM.m, -DDDMM.m}
  static const std::vector<FerryRoute> routes = {
      {"Martha's Vineyard", 4127.20, -7036.00, "Woods Hole", "MA", 4131.40, -7040.30},
      {"Martha's Vineyard", 4127.40, -7033.40, "Woods Hole", "MA", 4131.40, -7040.30},
      {"Nantucket", 4117.20, -7005.70, "Hyannis", "MA", 4138.70, -7016.60},
      {"Block Island", 4110.30, -7133.40, "Galilee", "RI", 4122.60, -7130.80},
      {"Cuttyhunk", 4125.50, -7055.60, "New Bedford", "MA", 4138.00, -7055.30},
      {"Isles of Shoals", 4258.70, -7036.90, "Portsmouth", "NH", 4304.60, -7045.20},
      {"Peaks Island", 4339.30, -7011.90, "Portland", "ME", 4339.40, -7014.90},
      {"Long Island", 4341.30, -7009.90, "Portland", "ME", 4339.40, -7014.90},
      {"Cliff Island", 4341.70, -7006.30, "Portland", "ME", 4339.40, -7014.90},
      {"Chebeague Island", 4344.20, -7007.00, "Cousins Island", "ME", 4345.00, -7009.00},
      {"North Haven", 4407.60, -6852.30, "Rockland", "ME", 4406.20, -6906.30},
      {"Vinalhaven", 4402.80, -6850.10, "Rockland", "ME", 4406.20, -6906.30},
      {"Islesboro", 4416.90, -6855.30, "Lincolnville", "ME", 4416.90, -6900.50},
      {"Swans Island", 4410.50, -6826.00, "Bass Harbor", "ME", 4414.30, -6821.20},
      {"Cranberry Isles", 4415.70, -6814.30, "Northeast Harbor", "ME", 4417.60, -6817.10},
      {"Cranberry Isles", 4415.10, -6816.10, "Northeast Harbor", "ME", 4417.60, -6817.10},
      {"Isle au Haut", 4404.00, -6837.90, "Stonington", "ME", 4409.30, -6840.00},
      {"Prudence Island", 4136.30, -7118.20, "Bristol", "RI", 4140.00, -7116.50},
  };
  return routes;
}

Shore ShoreOf(const QString& harbour, const QString& city) {
  // The open shores among the harbour rows: the rocks of Ocean Drive and of Eastern Point, Rocky Point on the
  // bay, the shore north of Camden Harbor, and the beaches: Easton's, the Point Judith ocean beach, Devereux,
  // Singing Beach, Swampscott's, Rye's, the Sippewissett shore and the Sound beach by Nantucket's jetties.
  static const std::map<std::pair<QString, QString>, Shore> open = {
      {{"Rhode Island Sound", "Newport"}, Shore::OpenWater},
      {{"Brace Cove", "Gloucester"}, Shore::OpenWater},
      {{"Narragansett Bay", "Warwick"}, Shore::OpenWater},
      {{"West Penobscot Bay", "Camden"}, Shore::OpenWater},
      {{"Easton Bay", "Newport"}, Shore::Beach},
      {{"Block Island Sound", "Wakefield"}, Shore::Beach},
      {{"Massachusetts Bay", "Marblehead"}, Shore::Beach},
      {{"Massachusetts Bay", "Manchester-by-the-Sea"}, Shore::Beach},
      {{"Nahant Bay", "Swampscott"}, Shore::Beach},
      {{"Gulf of Maine", "Rye"}, Shore::Beach},
      {{"Nantucket Sound", "Nantucket"}, Shore::Beach},
      {{"Buzzards Bay", "West Falmouth"}, Shore::Beach}};
  const auto it = open.find({harbour, city});
  return it == open.end() ? Shore::Harbour : it->second;
}

}  // namespace qw::demo

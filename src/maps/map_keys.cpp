#include "maps/map_keys.h"

#include "maps/map_table.h"

namespace qw::maps {

MapKeyState& MapKeys() {
  static MapKeyState state;
  return state;
}

MapSelection& MapSelected() {
  static MapSelection selection;
  return selection;
}

void ClearMapFormload() {
  MapKeyState& keys = MapKeys();
  keys.keyvalue.clear();
  for (QString& key : keys.formload) key.clear();
}

void MakeMapCurrent(int k) {
  ClearMapFormload();
  if (const SubRegionMap* map = MapNumber(k)) MapKeys().formload[static_cast<size_t>(k - 1)] = map->key;
}

int MarkActiveMap(const QString& activeChildName) {
  const SubRegionMap* map = MapForWindowName(activeChildName);
  if (!map) return 0;
  MapKeys().formload[static_cast<size_t>(map->k - 1)] = map->key;
  return map->k;
}

int CurrentMap() {
  const MapKeyState& keys = MapKeys();
  for (const SubRegionMap& map : SubRegionMaps())
    if (keys.formload[static_cast<size_t>(map.k - 1)] == map.key) return map.k;
  return 0;
}

bool OverviewIsCurrent() { return MapKeys().keyvalue == kOverviewKey; }

}  // namespace qw::maps

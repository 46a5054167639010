#include "maps/ui/register.h"

#include "host/ui/screens.h"
#include "maps/map_keys.h"
#include "maps/ui/frm_alert_chart.h"
#include "maps/ui/frm_chart_key.h"
#include "maps/ui/frm_map_keys_grid.h"
#include "maps/ui/frm_overview_chart.h"
#include "maps/ui/frm_subregion.h"

namespace qw {

void RegisterMapScreens() {
  Screens& screens = AppScreens();
  screens.showOverview = [] { ShowInMainWindow(frmOverviewChart::Instance(), true); };
  screens.unloadOverview = [] { frmOverviewChart::Unload(); };
  screens.clearMapFormload = [] { maps::ClearMapFormload(); };
  screens.overviewKeyValue = [] { return frmOverviewChart::keyvalue(); };
  screens.showChartKey = [] { ShowChartKey(); };
  screens.showMapKeysGrid = [] { ShowMapKeysGrid(); };
  screens.unloadMapKeysGrid = [] { Frmmapkeysgrid::Unload(); };
  screens.unloadSubRegionMaps = [] { UnloadSubRegionMaps(); };
  screens.showAlertChart = [] { ShowAlertChart(); };
  screens.showSubRegionMap = [](int geoCode) {
    const maps::SubRegionMap* map = maps::MapForGeoCode(geoCode);
    if (!map) return false;
    SubRegionMapInstance(map->k)->setFormload(map->key);
    ShowSubRegionMap(map->k);
    return true;
  };
}

}  // namespace qw

#pragma once

namespace qw {

// Fills the maps' entries of the screen table (showOverview, unloadOverview,
// clearMapFormload, overviewKeyValue, showChartKey, showMapKeysGrid,
// unloadMapKeysGrid, unloadSubRegionMaps, showAlertChart, showSubRegionMap).
void RegisterMapScreens();

}  // namespace qw

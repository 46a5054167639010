#pragma once
// Which map is current: the overview's keyvalue and the twelve sub-region
// maps' formload keys, and the marina chosen on a map. The map windows, the
// toolbar's Key button, the report viewer and the map keys grid read and write
// them here; the keys outlive the windows.
#include <QString>
#include <array>

namespace qw::maps {

struct MapKeyState {
  QString keyvalue;                  // frmOverviewChart: "Overviewchart" while current
  std::array<QString, 12> formload;  // map K at [K - 1]: its own key while current
};
MapKeyState& MapKeys();

// Blanks keyvalue, then formload of maps 1 to 12.
void ClearMapFormload();
// A sub-region window's load and activation: ClearMapFormload, then map K's own key.
void MakeMapCurrent(int k);
// Where a marina's hand-over to the report and the keys grid's load begin:
// the first map whose window name equals activeChildName exactly gets its own
// key; otherwise nothing changes. Returns that map's K, or 0.
int MarkActiveMap(const QString& activeChildName);
// The first K (1..12) whose formload equals its own key, or 0 when none does.
int CurrentMap();
// The toolbar's Key: the overview is current (opens the key list rather than the keys grid).
bool OverviewIsCurrent();

// The marina chosen on a map and its name, handed to the report.
struct MapSelection {
  int marinaNo = 0;  // MapSelectedMarinaNo
  QString name;      // MapSelectedMarinaName
};
MapSelection& MapSelected();

}  // namespace qw::maps

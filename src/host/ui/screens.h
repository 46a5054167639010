#pragma once
// How the shell and the subsystems' windows reach the screens of other
// subsystems without depending on them: each subsystem's windows fill in their
// entries once at start-up (see the Register... calls in main), and an entry
// left empty does nothing.
#include <QString>
#include <cstdint>
#include <functional>

#include "services/report_hand_over.h"

namespace qw {

struct Screens {
  // Search screen frmCriteria.
  std::function<void()> showSearch;    // window state maximised, then Show (loads it on first use)
  std::function<void()> unloadSearch;  // Unload (nothing when not loaded)
  std::function<void()> find;          // cmdFind_Click
  std::function<void()> show;          // cmdShow_Click
  std::function<void(const QString&)> loadCriteria;  // LoadSettings(file name)
  std::function<bool(const QString&)> saveCriteria;  // SaveSettings(file name); false when not written
  std::function<void()> hideSearch;    // Hide (loads it hidden when not loaded)
  // BuildWhereClause over the screen's current criteria: "" or " where ...".
  std::function<QString()> buildWhereClause;
  // The text of one search-screen control by name (cmbTotalSlips, cboMoorings,
  // cboDockage, ebMinLOA): the result list's optional columns follow them.
  std::function<QString(const QString&)> criteriaControlText;

  // Result list frmList.
  std::function<void()> unloadList;  // Unload (nothing when not loaded)
  std::function<void()> printList;   // PrintList
  std::function<void()> sortDialog;  // frmListAll, modal
  std::function<void()> updateList;  // UpdateListAlternative (loads the window when needed)
  std::function<void()> showList;    // Show, modeless
  // The rows the viewer lists (GetMarinasCount, GetMarinaName(row),
  // GetMarinaNo(row) for rows 1 to the count); they load the list window
  // when it is not loaded.
  std::function<int()> listMarinasCount;
  std::function<QString(int row)> listMarinaName;
  std::function<std::int32_t(int row)> listMarinaNo;

  // Report viewer frm_view_report.
  // Shows the viewer on the marina handed over (list road: the list's row and
  // its MarinaNo; map road: the MarinaNo). Empty until the viewer registers;
  // the list's double-click has then recorded SelectedMarinaName only.
  std::function<void(const ReportHandOver&)> showReport;
  // The program is about to end: stores notes typed but not yet written;
  // true when some cannot be and the user keeps the program open.
  std::function<bool()> keepOpenForNotes;
  std::function<void()> unloadReport;      // Unload: deletes its temporary pages
  // Find's hand-shake: when the viewer's bclear is True, unload the viewer and
  // set bclear to False. Does not load the viewer.
  std::function<void()> unloadReportIfCleared;

  // Maps.
  std::function<void()> showOverview;      // frmOverviewChart Show
  std::function<void()> unloadOverview;
  std::function<void()> clearMapFormload;  // ClearMapFormload
  std::function<QString()> overviewKeyValue;  // frmOverviewChart.keyvalue
  std::function<void()> showChartKey;      // Frmchartkey
  std::function<void()> showMapKeysGrid;   // Frmmapkeysgrid
  std::function<void()> unloadMapKeysGrid;
  std::function<void()> unloadSubRegionMaps;  // frmSubRegion, Frmsubregion2..12
  // Sets the key of the sub-region map of a geo code (5 to 16: frmSubRegion,
  // Frmsubregion2..12) and shows that map; false for any other code, which
  // shows no map.
  std::function<bool(int geoCode)> showSubRegionMap;
  std::function<void()> showAlertChart;    // Frmalertchart, modal
};

// The one table.
Screens& AppScreens();

// Calls an entry when it is filled in.
template <typename F, typename... Args>
auto CallScreen(const F& entry, Args&&... args) {
  using R = decltype(entry(std::forward<Args>(args)...));
  if (!entry) return R();
  return entry(std::forward<Args>(args)...);
}

}  // namespace qw

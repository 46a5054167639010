#pragma once
// frmOverviewChart: the chart of the whole coast with its twelve sub-regions;
// a double-click on a sub-region opens its map, a right-click on the chart
// the sub-region key list.
#include <QWidget>
#include <array>

#include "host/ui/window_host.h"
#include "maps/map_table.h"

namespace qw {

class MapHotSpot;
class MapPictureBox;
class MapTitle;

class frmOverviewChart : public QWidget, public OneInstance<frmOverviewChart> {
  Q_OBJECT

 public:
  static constexpr bool kMdiChild = true;
  frmOverviewChart();

  // "Overviewchart" while the overview is the current map, else "". The key
  // outlives the window.
  static QString keyvalue();
  static void setKeyvalue(const QString& value);

  // Makes the overview current and closes the keys grid and the maps.
  void Form_Load();
  // Screen mode 2: the toolbar of the maps.
  void Form_Activate();
  void Form_Resize();
  // Closes the key list with the overview and switches Maps back on.
  void Form_Unload();
  // Opens sub-region k's map and closes the overview.
  void lblsubRegion_DblClick(int k);
  // The right button opens the key list.
  void Picture1_MouseUp(Qt::MouseButton button);

  MapPictureBox* Picture1 = nullptr;
  MapTitle* Label1 = nullptr;
  std::array<MapHotSpot*, maps::kSubRegionCount> lblsubRegion{};  // lblsubRegion1 at [0]

  // The designed size: the main window gives it to the window's frame, so that
  // restoring the maximised window shows the whole map.
  QSize sizeHint() const override;

 protected:
  void resizeEvent(QResizeEvent* event) override;
  // Closing the window (its close box in the main window) unloads it.
  void closeEvent(QCloseEvent* event) override;
};

}  // namespace qw

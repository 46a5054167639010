#pragma once
// Frmchartkey: the overview chart's key, the twelve sub-regions by numeral
// and name; a double-click on a numeral opens that sub-region's map.
#include <QWidget>

#include "host/ui/window_host.h"

namespace qw {

class FlexGrid;

class Frmchartkey : public QWidget, public OneInstance<Frmchartkey> {
  Q_OBJECT

 public:
  Frmchartkey();

  // Writes the header and the twelve rows.
  void Form_Load();
  // The current cell's text: a numeral opens its map and closes the overview;
  // every double-click leaves the overview no longer the current map.
  void MSchart_DblClick();

  FlexGrid* MSchart = nullptr;
};

// Shows the key list modeless (one window however often it is asked for).
void ShowChartKey();

}  // namespace qw

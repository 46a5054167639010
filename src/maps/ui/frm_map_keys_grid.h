#pragma once
// Frmmapkeysgrid: the map keys grid, the marinas of the current sub-region
// map from table mapkeys; a double-click on a row opens that marina's report.
#include <QWidget>

#include "host/ui/window_host.h"
#include "platform/jet.h"

class QTableWidget;

namespace qw {

class Frmmapkeysgrid : public QWidget, public OneInstance<Frmmapkeysgrid> {
  Q_OBJECT

 public:
  Frmmapkeysgrid();

  // Lists the rows of the current map's region (or of the region listed last
  // when no map is current).
  void Form_Load();
  // Closes the window's connection.
  void Form_Unload();
  // The current row's marina goes to the report and the grid closes; without
  // a current row, or with no marina number in it, nothing happens.
  void DBmapkeys_DblClick();

  // The region the grid lists: it outlives the window.
  static const QString& RegionName();
  // The query of the last load.
  const QString& LastQuery() const { return lastQuery_; }

  QTableWidget* DBmapkeys = nullptr;

 protected:
  bool eventFilter(QObject* watched, QEvent* event) override;
  // Closing the window (its close box) unloads it.
  void closeEvent(QCloseEvent* event) override;

 private:
  DatabasePtr db_;
  QString lastQuery_;
};

// Shows the keys grid modeless (one window however often it is asked for).
void ShowMapKeysGrid();

}  // namespace qw

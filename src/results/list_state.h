#pragma once
// Program-wide state of the result list: the ratings of the row being filled
// or printed, and the name the report viewer selects by after a double-click.
#include <QString>
#include <QVariant>

namespace qw {

// [Bell Rating] / [Boatyard Rating] of the row being filled or printed (0 when
// the marina has none) and its sunset mark (1 or 0).
QVariant& RowBellRating();
QVariant& RowBoatyardRating();
int& RowSunset();

// The name shown one row above the double-clicked row (the header text of the
// name column for the first row). The double-click also hands the row itself
// to the viewer (Screens::showReport), so that two marinas of the same name
// never open the wrong report.
QString& SelectedMarinaName();

}  // namespace qw

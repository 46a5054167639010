#pragma once
// Program-wide state of the result list: the ratings of the row being filled
// or printed, and the marina handed to the report viewer by a double-click.
#include <QString>
#include <QVariant>
#include <functional>

namespace qw {

// [Bell Rating] / [Boatyard Rating] of the row being filled or printed (0 when
// the marina has none) and its sunset mark (1 or 0).
QVariant& RowBellRating();
QVariant& RowBoatyardRating();
int& RowSunset();

// The name shown one row above the double-clicked row (the header text of the
// name column for the first row).
QString& SelectedMarinaName();
// The double-clicked list row itself (1 to the number of marinas; 0 before
// any double-click). The viewer selects by this row, so that two marinas of
// the same name never open the wrong report.
int& SelectedMarinaRow();

// Opens the report viewer on the marina handed over above. Empty until the
// viewer registers itself; the hand-over is recorded either way.
std::function<void()>& ShowReportViewer();

}  // namespace qw

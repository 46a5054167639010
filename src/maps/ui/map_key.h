#pragma once
// The map side of module mapkey: which child window of the main window is
// active, and the hand-over of a marina chosen on a map to the report.
#include <QString>

class QWidget;

namespace qw {

// The name of the main window's active child window, or of the child that
// was active last while a top-level window (the keys grid, the report viewer)
// has the focus; "" when there is none or it has gone. Qt names no active
// MDI child while another top-level window is active, so the map interface
// follows the main window's children itself.
QString ActiveChildName();
// Records window as the active child; the map windows call it when they
// become active (and from then on every child's activation is followed).
void NoteActiveChild(QWidget* window);

// ShowMapMarinaReport: marks the active sub-region map as the map the report
// comes from, looks up the name of maps::MapSelected().marinaNo into
// maps::MapSelected().name, hands the marina to the report viewer, and closes
// the search screen and all twelve sub-region maps. A database that cannot be
// read or a marina without a name row leaves the name as it was; the report
// is still asked for by number.
void ShowMapMarinaReport();

}  // namespace qw

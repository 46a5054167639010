#pragma once

namespace qw {

// Fills the report viewer's entries of the screen table (showReport,
// unloadReport, unloadReportIfCleared, keepOpenForNotes).
void RegisterReportScreens();

}  // namespace qw

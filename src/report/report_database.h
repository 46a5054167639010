#pragma once
// ReportDatabase, the report viewer's connection to the marina database: a
// new read-only open for every report, read by the composition and its
// section builders, closed when the viewer unloads.
#include "platform/jet.h"

namespace qw {

// The connection; empty before the first report and after it is closed.
DatabasePtr& ReportDatabase();

// Replaces it by a new read-only open of the marina database and returns it.
// Throws JetError when the database cannot be opened; the previous
// connection is released either way.
Database& ReopenReportDatabase();

// Closes and releases it; nothing when it is not open.
void CloseReportDatabase();

}  // namespace qw

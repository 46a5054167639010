#include "report/report_database.h"

#include "data/marina_db.h"

namespace qw {

DatabasePtr& ReportDatabase() {
  static DatabasePtr db;
  return db;
}

Database& ReopenReportDatabase() {
  CloseReportDatabase();
  ReportDatabase() = OpenMarinaDatabase(-1, true);
  return *ReportDatabase();
}

void CloseReportDatabase() {
  DatabasePtr& db = ReportDatabase();
  if (db && db->IsOpen()) {
    try {
      db->Close();
    } catch (const JetError&) {
      // A connection that will not close is released all the same.
    }
  }
  db.reset();
}

}  // namespace qw

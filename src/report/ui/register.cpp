#include "report/ui/register.h"

#include "host/ui/screens.h"
#include "report/ui/frm_view_report.h"
#include "report/ui/notes_box.h"

namespace qw {

void RegisterReportScreens() {
  Screens& screens = AppScreens();
  screens.showReport = [](const ReportHandOver& handOver) { ShowReport(handOver); };
  screens.unloadReport = [] { frm_view_report::Unload(); };
  screens.unloadReportIfCleared = [] {
    if (const frm_view_report* viewer = frm_view_report::Loaded(); viewer && viewer->bclear) frm_view_report::Unload();
  };
  screens.keepOpenForNotes = [] {
    // Notes kept from a viewer closed earlier are asked about all the same.
    if (frm_view_report* viewer = frm_view_report::Loaded()) return !viewer->notes->MayClose(NotesClosing::Program);
    return !MayCloseWithKeptNotes(NotesClosing::Program);
  };
}

}  // namespace qw

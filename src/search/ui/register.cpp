#include "search/ui/register.h"

#include "host/ui/screens.h"
#include "search/ui/frm_criteria.h"

namespace qw {
namespace {

// The main window's Find, Open and Save act on the search screen: when it is
// not on the screen (closed by the user, or hidden behind a result list the
// user has closed since), it comes up, so that the user sees the count or the
// criteria the command is about.
frmCriteria* SearchScreenShown() {
  frmCriteria* screen = frmCriteria::Instance();
  if (!FrameOf(screen)->isVisible()) ShowInMainWindow(screen, true);
  return screen;
}

}  // namespace

void RegisterSearchScreens() {
  Screens& s = AppScreens();
  s.showSearch = [] { ShowInMainWindow(frmCriteria::Instance(), true); };
  s.unloadSearch = [] { frmCriteria::Unload(); };
  s.hideSearch = [] { FrameOf(frmCriteria::Instance())->hide(); };
  s.find = [] { SearchScreenShown()->cmdFind_Click(); };
  s.show = [] { frmCriteria::Instance()->cmdShow_Click(); };
  s.loadCriteria = [](const QString& fileName) { SearchScreenShown()->LoadSettings(fileName); };
  s.saveCriteria = [](const QString& fileName) { return SearchScreenShown()->SaveSettings(fileName); };
  s.buildWhereClause = [] { return frmCriteria::Instance()->BuildWhereClause(); };
  s.criteriaControlText = [](const QString& name) { return frmCriteria::Instance()->ControlText(name); };
}

}  // namespace qw

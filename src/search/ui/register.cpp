#include "search/ui/register.h"

#include "app/ui/screens.h"
#include "search/ui/frm_criteria.h"

namespace qw {

void RegisterSearchScreens() {
  Screens& s = AppScreens();
  s.showSearch = [] { ShowInMainWindow(frmCriteria::Instance(), true); };
  s.unloadSearch = [] { frmCriteria::Unload(); };
  s.hideSearch = [] { FrameOf(frmCriteria::Instance())->hide(); };
  s.find = [] { frmCriteria::Instance()->cmdFind_Click(); };
  s.show = [] { frmCriteria::Instance()->cmdShow_Click(); };
  s.loadCriteria = [](const QString& fileName) { frmCriteria::Instance()->LoadSettings(fileName); };
  s.saveCriteria = [](const QString& fileName) { return frmCriteria::Instance()->SaveSettings(fileName); };
  s.buildWhereClause = [] { return frmCriteria::Instance()->BuildWhereClause(); };
  s.criteriaControlText = [](const QString& name) { return frmCriteria::Instance()->ControlText(name); };
}

}  // namespace qw

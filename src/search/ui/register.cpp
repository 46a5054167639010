#include "search/ui/register.h"

#include "app/ui/screens.h"
#include "search/ui/criteria_window.h"

namespace qw {

void RegisterSearchScreens() {
  Screens& s = AppScreens();
  s.showSearch = [] {
    QWidget* frame = CriteriaScreen()->Frame();
    frame->setWindowState(frame->windowState() | Qt::WindowMaximized);
    frame->show();
    frame->raise();
    frame->activateWindow();
  };
  s.unloadSearch = [] { UnloadCriteriaScreen(); };
  s.hideSearch = [] { CriteriaScreen()->Frame()->hide(); };
  s.find = [] { CriteriaScreen()->cmdFind_Click(); };
  s.show = [] { CriteriaScreen()->cmdShow_Click(); };
  s.loadCriteria = [](const QString& fileName) { CriteriaScreen()->LoadSettings(fileName); };
  s.saveCriteria = [](const QString& fileName) { return CriteriaScreen()->SaveSettings(fileName); };
  s.buildWhereClause = [] { return CriteriaScreen()->BuildWhereClause(); };
  s.criteriaControlText = [](const QString& name) { return CriteriaScreen()->ControlText(name); };
}

}  // namespace qw

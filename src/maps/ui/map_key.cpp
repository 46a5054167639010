#include "maps/ui/map_key.h"

#include <QMdiArea>
#include <QMdiSubWindow>
#include <QPointer>

#include "data/marina_db.h"
#include "host/ui/screens.h"
#include "host/ui/window_host.h"
#include "maps/map_keys.h"
#include "maps/map_lists.h"
#include "maps/ui/frm_subregion.h"
#include "platform/jet.h"
#include "services/error_handler.h"

namespace qw {
namespace {

// The module name under which skipped steps are logged.
const QString kModule = QStringLiteral("MapKey");

QPointer<QWidget>& LastActiveChild() {
  static QPointer<QWidget> child;
  return child;
}

// Follows every child window's activation in the main window's MDI area (once
// per main window); leaving for a top-level window activates no child and
// keeps the last one.
void FollowMainWindowChildren() {
  static QPointer<QMdiArea> followed;
  QWidget* main = MainWindowOrNull();
  auto* area = main ? main->findChild<QMdiArea*>() : nullptr;
  if (!area || area == followed) return;
  followed = area;
  QObject::connect(area, &QMdiArea::subWindowActivated, area, [](QMdiSubWindow* frame) {
    if (frame && frame->widget()) LastActiveChild() = frame->widget();
  });
}

}  // namespace

QString ActiveChildName() {
  const QWidget* child = LastActiveChild().data();
  return child ? child->objectName() : QString();
}

void NoteActiveChild(QWidget* window) {
  FollowMainWindowChildren();
  LastActiveChild() = window;
}

void ShowMapMarinaReport() {
  // The name's look-up, the notes left and the report's read wait for
  // another program's lock once in all.
  const LockWaitBudget budget;
  maps::MapSelection& chosen = maps::MapSelected();
  maps::MarkActiveMap(ActiveChildName());
  SkipOnFailure(kModule, QStringLiteral("ShowMapMarinaReport"), [&] {
    DatabasePtr db = OpenMarinaDatabase(-1, true);
    if (const auto name = maps::LookUpMapMarinaName(*db, chosen.marinaNo, chosen.name)) chosen.name = *name;
    db->Close();
  });
  Screens& screens = AppScreens();
  SkipOnFailure(kModule, QStringLiteral("ShowMapMarinaReport"), [&] { CallScreen(screens.hideSearch); });
  SkipOnFailure(kModule, QStringLiteral("ShowMapMarinaReport"), [&] {
    CallScreen(screens.showReport, ReportHandOver{ReportHandOver::Road::Map, 0, chosen.marinaNo});
  });
  SkipOnFailure(kModule, QStringLiteral("ShowMapMarinaReport"), [&] { CallScreen(screens.unloadSearch); });
  UnloadSubRegionMaps();
}

}  // namespace qw

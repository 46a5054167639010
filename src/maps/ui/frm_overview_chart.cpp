#include "maps/ui/frm_overview_chart.h"

#include <QCloseEvent>
#include <QResizeEvent>

#include "maps/map_keys.h"
#include "maps/map_lists.h"
#include "maps/ui/frm_chart_key.h"
#include "maps/ui/frm_map_keys_grid.h"
#include "maps/ui/frm_subregion.h"
#include "maps/ui/map_controls.h"
#include "maps/ui/map_key.h"
#include "platform/html_text.h"
#include "platform/program.h"

namespace qw {

frmOverviewChart::frmOverviewChart() {
  SetMapWindowLook(this, QStringLiteral("frmOverviewChart"));
  Picture1 = new MapPictureBox(ProgramFolder() + QLatin1Char('/') + maps::kOverviewPicture, maps::kOverviewPictureRect,
                               this);
  Label1 = new MapTitle(maps::kOverviewTitle, 9.75, maps::kOverviewTitleRect, Picture1);
  for (const maps::OverviewHotArea& area : maps::OverviewHotAreas()) {
    auto* label = new MapHotSpot(area.labelName, area.rect, Picture1);
    label->setToolTip(PlainToolTip(area.tooltip));
    connect(label, &MapHotSpot::DblClick, this, [this, k = area.k] { lblsubRegion_DblClick(k); });
    lblsubRegion[static_cast<size_t>(area.k - 1)] = label;
  }
  connect(Picture1, &MapPictureBox::MouseUp, this, &frmOverviewChart::Picture1_MouseUp);
}

QSize frmOverviewChart::sizeHint() const { return MapWindowDesignSize(); }

QString frmOverviewChart::keyvalue() { return maps::MapKeys().keyvalue; }

void frmOverviewChart::setKeyvalue(const QString& value) { maps::MapKeys().keyvalue = value; }

void frmOverviewChart::Form_Load() {
  setKeyvalue(maps::kOverviewKey);
  Frmmapkeysgrid::Unload();
  UnloadSubRegionMaps();
}

void frmOverviewChart::Form_Activate() {
  ActivateScreen(ScreenKind::Map);
  NoteActiveChild(this);
}

void frmOverviewChart::resizeEvent(QResizeEvent* event) {
  QWidget::resizeEvent(event);
  Form_Resize();
}

void frmOverviewChart::Form_Resize() { CentrePictureBox(this, Picture1); }

void frmOverviewChart::Form_Unload() {
  Frmchartkey::Unload();
  // The overview switched Maps off while it was shown; closed by its close
  // box, nothing else would switch it on again, and the maps could not be
  // reached but through the key list. Every other road on shows a screen
  // that sets the button itself.
  ChangeToolBox([](ToolBoxState state) {
    state.Button(11) = true;
    return state;
  });
}

void frmOverviewChart::closeEvent(QCloseEvent* event) {
  event->accept();
  if (Loaded() == this) Unload();
}

void frmOverviewChart::lblsubRegion_DblClick(int k) {
  setKeyvalue(QString());
  ShowSubRegionMap(k);
  Unload();
}

void frmOverviewChart::Picture1_MouseUp(Qt::MouseButton button) {
  if (button == Qt::RightButton) ShowChartKey();
}

}  // namespace qw

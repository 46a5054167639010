#include "maps/ui/frm_chart_key.h"

#include <QHeaderView>
#include <QSize>
#include <algorithm>

#include "maps/map_lists.h"
#include "maps/ui/frm_overview_chart.h"
#include "maps/ui/frm_subregion.h"
#include "maps/ui/map_controls.h"
#include "platform/program.h"
#include "platform/ui/flex_grid.h"
#include "platform/ui/twips.h"

namespace qw {

Frmchartkey::Frmchartkey() : QWidget(MainWindowOrNull(), Qt::Window) {
  setObjectName(QStringLiteral("Frmchartkey"));
  setWindowTitle(maps::kChartKeyCaption);
  setAttribute(Qt::WA_DeleteOnClose);
  resize(TwipsRect(0, 0, 4380, 3225).size());
  MSchart = new FlexGrid(this);
  MSchart->setObjectName(QStringLiteral("MSchart"));
  MSchart->SetCols(2);
  MSchart->SetRows(13);
  PlaceTwips(MSchart, 0, 0, 4815, 3255);
  // Rows as high as the grid's own (240 twips), or the desktop's text where it is taller.
  const int rowTwips = std::max(240, PixelsToTwips(MSchart->fontMetrics().height() + 3));
  for (int row = 0; row < MSchart->Rows(); ++row) MSchart->SetRowHeight(row, rowTwips);
  connect(MSchart, &FlexGrid::DblClick, this, &Frmchartkey::MSchart_DblClick);
  // The header row is the grid's too: its cell becomes the current one, and
  // its text opens nothing.
  connect(MSchart->horizontalHeader(), &QHeaderView::sectionDoubleClicked, this, [this](int col) {
    MSchart->SetRow(0);
    MSchart->SetCol(col);
    MSchart_DblClick();
  });
  KeepLeavable(this);
  CentreOnScreen(this);
}

void Frmchartkey::Form_Load() {
  MSchart->SetColWidth(1, 3000);
  MSchart->SetFormatString(maps::ChartKeyFormatString());
  for (int row = 1; row <= maps::kSubRegionCount; ++row) MSchart->SetTextMatrix(row, 0, maps::ChartKeyNumerals()[row - 1]);
  for (int row = 1; row <= maps::kSubRegionCount; ++row) MSchart->SetTextMatrix(row, 1, maps::ChartKeyNames()[row - 1]);
  // The list was laid out to show all twelve sub-regions at once. Where the
  // desktop's font makes its rows or columns larger than that, the window and
  // its grid grow to hold them rather than hide rows behind a scroll bar that
  // lies outside the window.
  QSize content(2 * MSchart->frameWidth(), 2 * MSchart->frameWidth() + MSchart->horizontalHeader()->height());
  for (int col = 0; col < MSchart->Cols(); ++col) content.rwidth() += MSchart->columnWidth(col);
  for (int row = 0; row + 1 < MSchart->Rows(); ++row) content.rheight() += MSchart->rowHeight(row);
  resize(size().expandedTo(content));
  MSchart->resize(MSchart->size().expandedTo(content));
  CentreOnScreen(this);
}

void Frmchartkey::MSchart_DblClick() {
  const QString cell = MSchart->TextMatrix(MSchart->Row(), MSchart->Col());
  frmOverviewChart::setKeyvalue(QString());
  if (const int k = maps::ChartKeyTarget(cell)) {
    ShowSubRegionMap(k);
    frmOverviewChart::Unload();
  }
}

void ShowChartKey() {
  Frmchartkey* w = Frmchartkey::Instance();
  // Shown again from the toolbar after the user minimised it: it comes back.
  w->setWindowState(w->windowState() & ~Qt::WindowMinimized);
  w->show();
  w->raise();
  w->activateWindow();
}

}  // namespace qw

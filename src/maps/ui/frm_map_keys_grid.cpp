#include "maps/ui/frm_map_keys_grid.h"

#include <QCloseEvent>
#include <QEvent>
#include <QHeaderView>
#include <QScrollBar>
#include <QTableWidget>

#include "data/marina_db.h"
#include "maps/map_keys.h"
#include "maps/map_lists.h"
#include "maps/map_table.h"
#include "maps/ui/map_key.h"
#include "maps/ui/map_controls.h"
#include "platform/message_box.h"
#include "platform/ui/twips.h"
#include "services/report_hand_over.h"

namespace qw {
namespace {

QString& Region() {
  static QString region;
  return region;
}

}  // namespace

Frmmapkeysgrid::Frmmapkeysgrid() : QWidget(MainWindowOrNull(), Qt::Window) {
  setObjectName(QStringLiteral("Frmmapkeysgrid"));
  setWindowTitle(maps::kMapKeysGridCaption);
  setAttribute(Qt::WA_DeleteOnClose);
  resize(TwipsRect(0, 0, 6975, 3720).size());
  DBmapkeys = new QTableWidget(0, maps::kMapKeysGridCaptions.size(), this);
  DBmapkeys->setObjectName(QStringLiteral("DBmapkeys"));
  DBmapkeys->setHorizontalHeaderLabels(maps::kMapKeysGridCaptions);
  DBmapkeys->setEditTriggers(QAbstractItemView::NoEditTriggers);
  DBmapkeys->setSelectionBehavior(QAbstractItemView::SelectRows);
  DBmapkeys->setSelectionMode(QAbstractItemView::SingleSelection);
  DBmapkeys->setHorizontalScrollBarPolicy(Qt::ScrollBarAsNeeded);
  DBmapkeys->setVerticalScrollBarPolicy(Qt::ScrollBarAsNeeded);
  // The record selector at the left edge: a narrow blank column.
  DBmapkeys->verticalHeader()->setDefaultSectionSize(DBmapkeys->fontMetrics().height() + 4);
  DBmapkeys->verticalHeader()->setFixedWidth(14);
  DBmapkeys->horizontalHeader()->setStretchLastSection(false);
  DBmapkeys->horizontalHeader()->setHighlightSections(false);  // the captions stay as they are
  PlaceTwips(DBmapkeys, 0, 0, 6975, 3735);
  DBmapkeys->viewport()->installEventFilter(this);
  // The record selector is the grid's too: its row becomes the current one.
  connect(DBmapkeys->verticalHeader(), &QHeaderView::sectionDoubleClicked, this, [this](int row) {
    DBmapkeys->setCurrentCell(row, 0);
    DBmapkeys_DblClick();
  });
  KeepLeavable(this);
  CentreOnScreen(this);
}

const QString& Frmmapkeysgrid::RegionName() { return Region(); }

void Frmmapkeysgrid::Form_Load() {
  maps::MarkActiveMap(ActiveChildName());
  if (const maps::SubRegionMap* map = maps::MapNumber(maps::CurrentMap())) Region() = map->regionName;
  lastQuery_ = maps::MapKeysQuery(Region());
  try {
    db_ = OpenMarinaDatabase(-1, true);
    RecordsetPtr rs = db_->OpenRecordset(lastQuery_);
    for (; !rs->Eof(); rs->MoveNext()) {
      const int row = DBmapkeys->rowCount();
      DBmapkeys->insertRow(row);
      DBmapkeys->setVerticalHeaderItem(row, new QTableWidgetItem(QString()));
      for (int col = 0; col < DBmapkeys->columnCount(); ++col) {
        const Field f = rs->Fields(col);
        DBmapkeys->setItem(row, col, new QTableWidgetItem(f.HasValue() ? f.Value().toString() : QString()));
      }
    }
    rs->Close();
  } catch (const std::exception&) {
    // The grid then lists what it could read.
  }
  // The current row is the first, highlighted whole as every current row is.
  if (DBmapkeys->rowCount() > 0) DBmapkeys->selectRow(0);
  DBmapkeys->resizeColumnsToContents();
  // The four columns fit the window side by side, as it was laid out to:
  // where the desktop's font makes them wider, the window and its grid grow
  // to hold them (the rows still scroll).
  int width = 2 * DBmapkeys->frameWidth() + DBmapkeys->verticalHeader()->width();
  for (int col = 0; col < DBmapkeys->columnCount(); ++col) width += DBmapkeys->columnWidth(col);
  int height = 2 * DBmapkeys->frameWidth() + DBmapkeys->horizontalHeader()->sizeHint().height();
  for (int row = 0; row < DBmapkeys->rowCount(); ++row) height += DBmapkeys->rowHeight(row);
  if (height > DBmapkeys->height()) width += DBmapkeys->verticalScrollBar()->sizeHint().width();
  if (width > DBmapkeys->width()) {
    resize(width + (this->width() - DBmapkeys->width()), this->height());
    DBmapkeys->resize(width, DBmapkeys->height());
    CentreOnScreen(this);
  }
}

void Frmmapkeysgrid::Form_Unload() {
  if (!db_) return;
  try {
    db_->Close();
  } catch (const std::exception&) {
    // A connection that will not close is released all the same.
  }
  db_.reset();
}

void Frmmapkeysgrid::closeEvent(QCloseEvent* event) {
  event->accept();
  if (Loaded() == this) Unload();
}

bool Frmmapkeysgrid::eventFilter(QObject* watched, QEvent* event) {
  // A double-click anywhere on the grid's rows or below them acts on the current row.
  if (watched == DBmapkeys->viewport() && event->type() == QEvent::MouseButtonDblClick) DBmapkeys_DblClick();
  return QWidget::eventFilter(watched, event);
}

void Frmmapkeysgrid::DBmapkeys_DblClick() {
  const int row = DBmapkeys->currentRow();
  const QTableWidgetItem* cell = row >= 0 ? DBmapkeys->item(row, 3) : nullptr;
  const QString text = cell ? cell->text().trimmed() : QString();
  const std::optional<int> marinaNo = maps::MarinaNoFromCell(text);
  if (!marinaNo) {
    // A row whose number no marina can have says so; no row, nothing.
    if (!text.isEmpty()) MsgBox(MarinaNotInDatabaseMessage(text), MsgButtons::OK, MsgIcon::Exclamation);
    return;
  }
  maps::MapSelected().marinaNo = *marinaNo;
  ShowMapMarinaReport();
  Unload();
}

void ShowMapKeysGrid() {
  Frmmapkeysgrid* w = Frmmapkeysgrid::Instance();
  // Shown again from the toolbar after the user minimised it: it comes back.
  w->setWindowState(w->windowState() & ~Qt::WindowMinimized);
  w->show();
  w->raise();
  w->activateWindow();
}

}  // namespace qw

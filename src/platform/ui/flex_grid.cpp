#include "platform/ui/flex_grid.h"

#include <QHeaderView>
#include <QMouseEvent>
#include <QPainter>
#include <QStyledItemDelegate>

#include "platform/program.h"

namespace qw {
namespace {

constexpr int kPictureRole = Qt::UserRole + 1;
constexpr int kPictureAlignRole = Qt::UserRole + 2;
constexpr int kTextPadding = 8;  // pixels around a header text

// Paints a cell's picture at its alignment, then the text as usual.
class PictureDelegate : public QStyledItemDelegate {
 public:
  using QStyledItemDelegate::QStyledItemDelegate;
  void paint(QPainter* painter, const QStyleOptionViewItem& option, const QModelIndex& index) const override {
    QStyledItemDelegate::paint(painter, option, index);
    const QVariant pic = index.data(kPictureRole);
    if (!pic.isValid()) return;
    const QPixmap pixmap = pic.value<QPixmap>();
    if (pixmap.isNull()) return;
    const QRect cell = option.rect;
    QPoint at;
    if (index.data(kPictureAlignRole).toInt() == FlexGrid::kPictureCentre)
      at = QPoint(cell.left() + (cell.width() - pixmap.width()) / 2, cell.top() + (cell.height() - pixmap.height()) / 2);
    else if (index.data(kPictureAlignRole).toInt() == FlexGrid::kPictureLeftCentre)
      at = QPoint(cell.left(), cell.top() + (cell.height() - pixmap.height()) / 2);
    else
      at = cell.topLeft();
    painter->save();
    painter->setClipRect(cell);
    painter->drawPixmap(at, pixmap);
    painter->restore();
  }
};

}  // namespace

FlexGrid::FlexGrid(QWidget* parent) : QTableWidget(parent) {
  setItemDelegate(new PictureDelegate(this));
  verticalHeader()->hide();
  verticalHeader()->setSectionResizeMode(QHeaderView::Fixed);
  horizontalHeader()->setSectionResizeMode(QHeaderView::Interactive);
  horizontalHeader()->setHighlightSections(false);
  horizontalHeader()->setMinimumSectionSize(0);
  setEditTriggers(QAbstractItemView::NoEditTriggers);
  setSelectionMode(QAbstractItemView::SingleSelection);
  setWordWrap(false);
  connect(this, &QTableWidget::cellDoubleClicked, this, [this](int row, int col) {
    row_ = row + 1;
    col_ = col;
    emit DblClick();
  });
  connect(this, &QTableWidget::currentCellChanged, this, [this](int row, int col, int, int) {
    if (row < 0) return;
    row_ = row + 1;
    col_ = col;
  });
}

void FlexGrid::mouseDoubleClickEvent(QMouseEvent* event) {
  QTableWidget::mouseDoubleClickEvent(event);
  // A cell's double-click has been signalled above; the grid's empty area
  // (all of it when the grid holds only its header) is the grid's too.
  if (!indexAt(event->position().toPoint()).isValid()) emit DblClick();
}

void FlexGrid::SetRows(int rows) { setRowCount(std::max(0, rows - 1)); }

void FlexGrid::SetCols(int cols) {
  const int old = columnCount();
  setColumnCount(std::max(0, cols));
  for (int c = old; c < cols; ++c)
    if (!horizontalHeaderItem(c)) setHorizontalHeaderItem(c, new QTableWidgetItem(QString()));
}

QTableWidgetItem* FlexGrid::DataItem(int row, int col, bool create) {
  if (row < 0 || col < 0 || row >= Rows() || col >= Cols()) return nullptr;
  if (row == 0) {
    QTableWidgetItem* item = horizontalHeaderItem(col);
    if (!item && create) {
      item = new QTableWidgetItem;
      setHorizontalHeaderItem(col, item);
    }
    return item;
  }
  QTableWidgetItem* item = this->item(row - 1, col);
  if (!item && create) {
    item = new QTableWidgetItem;
    if (QTableWidgetItem* head = horizontalHeaderItem(col)) item->setTextAlignment(Qt::Alignment(head->textAlignment()));
    setItem(row - 1, col, item);
  }
  return item;
}

QString FlexGrid::TextMatrix(int row, int col) const {
  auto* self = const_cast<FlexGrid*>(this);
  QTableWidgetItem* item = self->DataItem(row, col, false);
  return item ? item->text() : QString();
}

bool FlexGrid::SetTextMatrix(int row, int col, const QString& text) {
  QTableWidgetItem* item = DataItem(row, col, true);
  if (!item) return false;
  item->setText(text);
  return true;
}

QString FlexGrid::TextArray(int index) const {
  if (Cols() <= 0 || index < 0) return QString();
  return TextMatrix(index / Cols(), index % Cols());
}

bool FlexGrid::SetTextArray(int index, const QString& text) {
  if (Cols() <= 0 || index < 0) return false;
  return SetTextMatrix(index / Cols(), index % Cols(), text);
}

void FlexGrid::SetCellPicture(const QPixmap& picture) {
  QTableWidgetItem* item = DataItem(row_, col_, !picture.isNull());
  if (!item) return;
  if (picture.isNull())
    item->setData(kPictureRole, QVariant());
  else
    item->setData(kPictureRole, picture);
}

void FlexGrid::SetCellPictureAlignment(int alignment) {
  if (QTableWidgetItem* item = DataItem(row_, col_, true)) item->setData(kPictureAlignRole, alignment);
}

QPixmap FlexGrid::CellPicture(int row, int col) const {
  auto* self = const_cast<FlexGrid*>(this);
  QTableWidgetItem* item = self->DataItem(row, col, false);
  return item ? item->data(kPictureRole).value<QPixmap>() : QPixmap();
}

int FlexGrid::CellPictureAlignment(int row, int col) const {
  auto* self = const_cast<FlexGrid*>(this);
  QTableWidgetItem* item = self->DataItem(row, col, false);
  return item ? item->data(kPictureAlignRole).toInt() : 0;
}

namespace {
int Twips(const QHash<int, int>& set, int index, int pixels) {
  const auto it = set.constFind(index);
  return it != set.constEnd() && TwipsToPixels(*it) == pixels ? *it : PixelsToTwips(pixels);
}
}  // namespace

int FlexGrid::ColWidth(int col) const { return Twips(colTwips_, col, columnWidth(col)); }

void FlexGrid::SetColWidth(int col, int twips) {
  if (col < 0 || col >= Cols()) return;
  colTwips_[col] = twips;
  setColumnWidth(col, TwipsToPixels(twips));
}

int FlexGrid::RowHeight(int row) const {
  if (row == 0) return Twips(rowTwips_, 0, horizontalHeader()->height());
  return Twips(rowTwips_, row, rowHeight(row - 1));
}

void FlexGrid::SetRowHeight(int row, int twips) {
  if (row < 0 || row >= Rows()) return;
  rowTwips_[row] = twips;
  if (row == 0)
    horizontalHeader()->setFixedHeight(TwipsToPixels(twips));
  else
    setRowHeight(row - 1, TwipsToPixels(twips));
}

void FlexGrid::SetRedraw(bool redraw) {
  redraw_ = redraw;
  setUpdatesEnabled(redraw);
  if (redraw) viewport()->update();
}

void FlexGrid::SetFormatString(const QString& format) {
  const QStringList segments = format.split(u'|');
  if (segments.size() > Cols()) SetCols(segments.size());
  const QFontMetrics metrics(font());
  for (int col = 0; col < segments.size(); ++col) {
    QString text = segments[col];
    Qt::Alignment align = Qt::AlignLeft | Qt::AlignVCenter;
    if (text.startsWith(u'<')) {
      text.remove(0, 1);
    } else if (text.startsWith(u'^')) {
      text.remove(0, 1);
      align = Qt::AlignHCenter | Qt::AlignVCenter;
    }
    QTableWidgetItem* head = DataItem(0, col, true);
    head->setText(text);
    head->setTextAlignment(align);
    for (int r = 0; r < rowCount(); ++r)
      if (QTableWidgetItem* cell = item(r, col)) cell->setTextAlignment(align);
    setColumnWidth(col, text.isEmpty() ? 0 : metrics.horizontalAdvance(text) + kTextPadding);
  }
}

}  // namespace qw

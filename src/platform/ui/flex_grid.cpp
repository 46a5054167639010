#include "platform/ui/flex_grid.h"

#include <QApplication>
#include <QHeaderView>
#include <QMouseEvent>
#include <QPainter>
#include <QStyledItemDelegate>
#include <QTextLayout>

#include <algorithm>

#include "platform/program.h"

namespace qw {
namespace {

constexpr int kTextPadding = 8;  // pixels around a header text

// Paints a cell: its background as the style draws an item's, its text on
// one line (cut with an ellipsis where the cell is too narrow), and its
// picture at the picture's alignment (not as an icon beside the text). The
// text is drawn straight, without the style's paragraph layout of an item's
// text, which cost most of a list's painting.
class PictureDelegate : public QStyledItemDelegate {
 public:
  using QStyledItemDelegate::QStyledItemDelegate;

  void paint(QPainter* painter, const QStyleOptionViewItem& option, const QModelIndex& index) const override {
    QStyleOptionViewItem opt = option;
    initStyleOption(&opt, index);
    const QWidget* widget = opt.widget;
    const QStyle* style = widget ? widget->style() : QApplication::style();
    style->drawPrimitive(QStyle::PE_PanelItemViewItem, &opt, painter, widget);
    if (!opt.text.isEmpty()) {
      const int margin = style->pixelMetric(QStyle::PM_FocusFrameHMargin, nullptr, widget) + 1;
      const QRect textRect = opt.rect.adjusted(margin, 0, -margin, 0);
      const QPalette::ColorGroup group = !(opt.state & QStyle::State_Enabled) ? QPalette::Disabled
                                         : (opt.state & QStyle::State_Active) ? QPalette::Normal
                                                                             : QPalette::Inactive;
      painter->save();
      painter->setClipRect(opt.rect);
      painter->setPen(opt.palette.color(group, opt.state & QStyle::State_Selected ? QPalette::HighlightedText : QPalette::Text));
      // The text is shaped once, to measure it and to draw it; only a text
      // too wide for its cell is shaped again, cut.
      QTextLayout layout(opt.text, opt.font);
      layout.beginLayout();
      QTextLine line = layout.createLine();
      layout.endLayout();
      if (line.naturalTextWidth() > textRect.width()) {
        layout.setText(opt.fontMetrics.elidedText(opt.text, opt.textElideMode, textRect.width()));
        layout.beginLayout();
        line = layout.createLine();
        layout.endLayout();
      }
      const QSizeF size(line.naturalTextWidth(), line.height());
      const QRect at = QStyle::alignedRect(opt.direction, opt.displayAlignment, size.toSize(), textRect);
      layout.draw(painter, at.topLeft());
      painter->restore();
    }
    if (opt.state & QStyle::State_HasFocus) {
      QStyleOptionFocusRect focus;
      focus.QStyleOption::operator=(opt);
      focus.rect = opt.rect;
      focus.state |= QStyle::State_KeyboardFocusChange | QStyle::State_Item;
      focus.backgroundColor = opt.palette.color(opt.state & QStyle::State_Selected ? QPalette::Highlight : QPalette::Window);
      style->drawPrimitive(QStyle::PE_FrameFocusRect, &focus, painter, widget);
    }
    const QPixmap pixmap = index.data(Qt::DecorationRole).value<QPixmap>();
    if (pixmap.isNull()) return;
    const QRect cell = option.rect;
    const QSize size = pixmap.deviceIndependentSize().toSize();
    QPoint at = cell.topLeft();
    const int alignment = index.data(kPictureAlignmentRole).toInt();
    if (alignment == kPictureCentre)
      at = QPoint(cell.left() + (cell.width() - size.width()) / 2, cell.top() + (cell.height() - size.height()) / 2);
    else if (alignment == kPictureLeftCentre)
      at = QPoint(cell.left(), cell.top() + (cell.height() - size.height()) / 2);
    painter->save();
    painter->setClipRect(cell);
    painter->drawPixmap(at, pixmap);
    painter->restore();
  }

 protected:
  void initStyleOption(QStyleOptionViewItem* option, const QModelIndex& index) const override {
    QStyledItemDelegate::initStyleOption(option, index);
    option->features &= ~QStyleOptionViewItem::HasDecoration;
    option->icon = QIcon();
    option->decorationSize = QSize();
  }
};

// Sizes in twips as they were set, while the pixel size they gave stands.
int Twips(const QHash<int, int>& set, int index, int fallback, int pixels) {
  const auto it = set.constFind(index);
  const int twips = it != set.constEnd() ? *it : fallback;
  return twips >= 0 && TwipsToPixels(twips) == pixels ? twips : PixelsToTwips(pixels);
}

// Makes a model's count of rows or columns count: inserts or removes at the
// end.
template <typename Insert, typename Remove>
void Resize(int now, int wanted, Insert&& insert, Remove&& remove) {
  wanted = std::max(0, wanted);
  if (wanted > now) insert(now, wanted - now);
  if (wanted < now) remove(wanted, now - wanted);
}

}  // namespace

FlexGrid::FlexGrid(QWidget* parent) : QTableView(parent) {
  setModel(new GridCells(this));
  setItemDelegate(new PictureDelegate(this));
  verticalHeader()->hide();
  verticalHeader()->setSectionResizeMode(QHeaderView::Fixed);
  horizontalHeader()->setSectionResizeMode(QHeaderView::Interactive);
  horizontalHeader()->setHighlightSections(false);
  horizontalHeader()->setMinimumSectionSize(0);
  setEditTriggers(QAbstractItemView::NoEditTriggers);
  setSelectionMode(QAbstractItemView::SingleSelection);
  setWordWrap(false);
  connect(this, &QAbstractItemView::doubleClicked, this,
          [this](const QModelIndex& index) { emit cellDoubleClicked(index.row(), index.column()); });
  connect(this, &FlexGrid::cellDoubleClicked, this, [this](int row, int col) {
    row_ = row + 1;
    col_ = col;
    emit DblClick();
  });
}

void FlexGrid::mouseDoubleClickEvent(QMouseEvent* event) {
  QTableView::mouseDoubleClickEvent(event);
  // A cell's double-click has been signalled above; the grid's empty area
  // (all of it when the grid holds only its header) is the grid's too.
  if (!indexAt(event->position().toPoint()).isValid()) emit DblClick();
}

void FlexGrid::currentChanged(const QModelIndex& current, const QModelIndex& previous) {
  QTableView::currentChanged(current, previous);
  if (!current.isValid()) return;
  row_ = current.row() + 1;
  col_ = current.column();
}

int FlexGrid::Rows() const { return model()->rowCount() + 1; }

void FlexGrid::SetRows(int rows) {
  Resize(model()->rowCount(), rows - 1, [this](int at, int n) { model()->insertRows(at, n); },
         [this](int at, int n) { model()->removeRows(at, n); });
}

int FlexGrid::Cols() const { return model()->columnCount(); }

void FlexGrid::SetCols(int cols) {
  Resize(Cols(), cols, [this](int at, int n) { model()->insertColumns(at, n); },
         [this](int at, int n) { model()->removeColumns(at, n); });
}

bool FlexGrid::InGrid(int row, int col) const { return row >= 0 && col >= 0 && row < Rows() && col < Cols(); }

QModelIndex FlexGrid::CellIndex(int row, int col) const {
  return row >= 1 && InGrid(row, col) ? model()->index(row - 1, col) : QModelIndex();
}

QString FlexGrid::TextMatrix(int row, int col) const {
  if (row == 0 && InGrid(row, col)) return model()->headerData(col, Qt::Horizontal).toString();
  return CellIndex(row, col).data().toString();
}

bool FlexGrid::SetTextMatrix(int row, int col, const QString& text) {
  if (row == 0 && InGrid(row, col)) return model()->setHeaderData(col, Qt::Horizontal, text);
  const QModelIndex cell = CellIndex(row, col);
  return cell.isValid() && model()->setData(cell, text);
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
  const QModelIndex cell = CellIndex(row_, col_);
  if (cell.isValid()) model()->setData(cell, picture.isNull() ? QVariant() : QVariant(picture), Qt::DecorationRole);
}

void FlexGrid::SetCellPictureAlignment(int alignment) {
  const QModelIndex cell = CellIndex(row_, col_);
  if (cell.isValid()) model()->setData(cell, alignment, kPictureAlignmentRole);
}

QPixmap FlexGrid::CellPicture(int row, int col) const {
  return CellIndex(row, col).data(Qt::DecorationRole).value<QPixmap>();
}

int FlexGrid::CellPictureAlignment(int row, int col) const {
  return CellIndex(row, col).data(kPictureAlignmentRole).toInt();
}

int FlexGrid::ColWidth(int col) const { return Twips(colTwips_, col, -1, columnWidth(col)); }

void FlexGrid::SetColWidth(int col, int twips) {
  if (col < 0 || col >= Cols()) return;
  colTwips_[col] = twips;
  setColumnWidth(col, TwipsToPixels(twips));
}

int FlexGrid::RowHeight(int row) const {
  if (row == 0) return Twips(rowTwips_, 0, rowsTwips_, horizontalHeader()->height());
  return Twips(rowTwips_, row, rowsTwips_, rowHeight(row - 1));
}

void FlexGrid::SetRowHeight(int row, int twips) {
  if (row < 0 || row >= Rows()) return;
  rowTwips_[row] = twips;
  if (row == 0)
    horizontalHeader()->setFixedHeight(TwipsToPixels(twips));
  else
    setRowHeight(row - 1, TwipsToPixels(twips));
}

void FlexGrid::SetRowHeights(int twips) {
  rowTwips_.clear();
  rowsTwips_ = twips;
  horizontalHeader()->setFixedHeight(TwipsToPixels(twips));
  // The default size goes to every row, also one sized on its own, and to
  // rows to come.
  verticalHeader()->setDefaultSectionSize(TwipsToPixels(twips));
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
    model()->setHeaderData(col, Qt::Horizontal, text);
    model()->setHeaderData(col, Qt::Horizontal, int(align), Qt::TextAlignmentRole);
    setColumnWidth(col, text.isEmpty() ? 0 : metrics.horizontalAdvance(text) + kTextPadding);
  }
}

}  // namespace qw

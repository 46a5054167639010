#include "platform/ui/tab_control.h"

#include <QKeyEvent>
#include <QMouseEvent>
#include <QPainter>
#include <QStyleOptionTab>
#include <QStylePainter>

namespace qw {

// The caption rows: drawn over the pages, taking the clicks on the captions.
class TabControl::Header : public QWidget {
 public:
  explicit Header(TabControl* owner) : QWidget(owner), owner_(owner) { setFocusProxy(owner); }

 protected:
  void paintEvent(QPaintEvent*) override {
    QStylePainter p(this);
    const int count = owner_->Tabs();
    // Chosen tab last, so that its raised shape lies over its neighbours.
    for (int pass = 0; pass < 2; ++pass) {
      for (int tab = 0; tab < count; ++tab) {
        const bool chosen = tab == owner_->Tab();
        if (chosen != (pass == 1)) continue;
        QStyleOptionTab opt;
        opt.initFrom(this);
        opt.shape = QTabBar::RoundedNorth;
        opt.rect = owner_->TabRect(tab);
        const int inRow = tab % owner_->perRow_;
        const int rowCount = std::min(owner_->perRow_, count - (tab - inRow));
        opt.position = rowCount == 1           ? QStyleOptionTab::OnlyOneTab
                       : inRow == 0            ? QStyleOptionTab::Beginning
                       : inRow == rowCount - 1 ? QStyleOptionTab::End
                                               : QStyleOptionTab::Middle;
        opt.state &= ~(QStyle::State_Selected | QStyle::State_HasFocus);
        if (chosen) {
          opt.state |= QStyle::State_Selected;
          if (owner_->hasFocus()) opt.state |= QStyle::State_HasFocus;
        }
        if (owner_->RowOf(tab) != owner_->RowOf(owner_->Tab())) opt.state &= ~QStyle::State_Selected;
        p.drawControl(QStyle::CE_TabBarTabShape, opt);
        QRect text = opt.rect.adjusted(4, 2, -4, -1);
        if (chosen) text.translate(0, -1);
        p.drawItemText(text, Qt::AlignCenter | Qt::TextWordWrap, opt.palette, isEnabled(),
                       owner_->TabCaption(tab), QPalette::WindowText);
        if (chosen && owner_->hasFocus()) {
          QStyleOptionFocusRect focus;
          focus.initFrom(this);
          focus.rect = text.adjusted(1, 1, -1, -1);
          p.drawPrimitive(QStyle::PE_FrameFocusRect, focus);
        }
      }
    }
  }
  void mousePressEvent(QMouseEvent* e) override {
    if (e->button() != Qt::LeftButton) return;
    const int tab = owner_->TabAt(e->position().toPoint());
    if (tab < 0) return;
    owner_->setFocus(Qt::MouseFocusReason);
    owner_->SetTab(tab);
  }

 private:
  TabControl* owner_;
};

TabControl::TabControl(QWidget* parent) : QWidget(parent) {
  header_ = new Header(this);
  setFocusPolicy(Qt::StrongFocus);
}

void TabControl::SetTabs(const QStringList& captions, int tabsPerRow) {
  for (QWidget* page : pages_) delete page;
  pages_.clear();
  captions_ = captions;
  perRow_ = std::max(1, tabsPerRow);
  for (int i = 0; i < captions.size(); ++i) {
    auto* page = new QWidget(this);
    page->setObjectName(QStringLiteral("page%1").arg(i));
    page->setVisible(i == 0);
    pages_.push_back(page);
  }
  current_ = captions.isEmpty() ? -1 : 0;
  Arrange();
}

QString TabControl::TabCaption(int tab) const { return captions_.value(tab); }

bool TabControl::SetTab(int tab) {
  if (tab < 0 || tab >= Tabs()) return false;
  if (tab == current_) return true;
  const int previous = current_;
  current_ = tab;
  for (int i = 0; i < Tabs(); ++i) pages_[i]->setVisible(i == tab);
  header_->update();
  emit Click(previous);
  return true;
}

QWidget* TabControl::Page(int tab) const {
  return tab >= 0 && tab < Tabs() ? pages_[tab] : nullptr;
}

int TabControl::Rows() const { return Tabs() == 0 ? 0 : (Tabs() + perRow_ - 1) / perRow_; }

int TabControl::RowOf(int tab) const { return tab / perRow_; }

int TabControl::HeaderHeight() const { return Rows() * rowHeight_ + 2; }

QRect TabControl::TabRect(int tab) const {
  if (tab < 0 || tab >= Tabs()) return {};
  const int rows = Rows();
  // Rows rotate so that the chosen tab's row is the last, next to the page.
  const int chosenRow = current_ < 0 ? rows - 1 : RowOf(current_);
  const int visualRow = ((RowOf(tab) - chosenRow - 1) % rows + rows) % rows;
  const int inRow = tab % perRow_;
  const int w = width();
  const int left = w * inRow / perRow_;
  const int right = w * (inRow + 1) / perRow_;
  QRect r(left, visualRow * rowHeight_ + 2, right - left, rowHeight_);
  if (tab == current_) r.adjust(-2, -2, 2, 1);
  return r;
}

int TabControl::TabAt(const QPoint& point) const {
  for (int tab = 0; tab < Tabs(); ++tab) {
    QRect r = TabRect(tab);
    if (tab == current_) r.adjust(2, 2, -2, -1);
    if (r.contains(point)) return tab;
  }
  return -1;
}

void TabControl::Arrange() {
  for (QWidget* page : pages_) page->setGeometry(rect());
  header_->setGeometry(0, 0, width(), HeaderHeight());
  header_->raise();
  update();
}

void TabControl::resizeEvent(QResizeEvent* e) {
  QWidget::resizeEvent(e);
  Arrange();
}

void TabControl::paintEvent(QPaintEvent*) {
  QStylePainter p(this);
  QStyleOptionTabWidgetFrame frame;
  frame.initFrom(this);
  frame.rect = rect().adjusted(0, HeaderHeight() - 1, 0, 0);
  frame.shape = QTabBar::RoundedNorth;
  frame.lineWidth = 1;
  p.drawPrimitive(QStyle::PE_FrameTabWidget, frame);
}

void TabControl::keyPressEvent(QKeyEvent* e) {
  if (Tabs() > 0 && (e->key() == Qt::Key_Left || e->key() == Qt::Key_Right)) {
    const int step = e->key() == Qt::Key_Left ? -1 : 1;
    SetTab((current_ + step + Tabs()) % Tabs());
    return;
  }
  QWidget::keyPressEvent(e);
}

}  // namespace qw

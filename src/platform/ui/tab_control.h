#pragma once
// A tab control with its tabs in rows of a fixed number of tabs, all tabs of a
// row equally wide; the row of the chosen tab lies next to the page. Each tab
// has a page whose origin is the control's own top-left corner, so controls on
// a tab are placed in the control's coordinates; the tab captions cover the
// top of every page. Changing the tab raises Click with the tab being left.
#include <QStringList>
#include <QWidget>
#include <vector>

namespace qw {

class TabControl : public QWidget {
  Q_OBJECT

 public:
  explicit TabControl(QWidget* parent = nullptr);

  // Replaces all tabs (the first tab becomes the chosen one; nothing is raised).
  void SetTabs(const QStringList& captions, int tabsPerRow);
  int Tabs() const { return static_cast<int>(pages_.size()); }
  QString TabCaption(int tab) const;
  // The chosen tab.
  int Tab() const { return current_; }
  // Chooses a tab; raises Click(previous tab) when the tab changes. A tab
  // outside the range changes nothing and returns false.
  bool SetTab(int tab);
  QWidget* Page(int tab) const;
  // Height of the caption rows in pixels.
  int HeaderHeight() const;
  // The rectangle of a tab's caption, in the control's coordinates.
  QRect TabRect(int tab) const;
  // The tab whose caption lies at a point, -1 when none.
  int TabAt(const QPoint& point) const;

 signals:
  void Click(int previousTab);

 protected:
  void paintEvent(QPaintEvent* e) override;
  void resizeEvent(QResizeEvent* e) override;
  void keyPressEvent(QKeyEvent* e) override;

 private:
  class Header;
  int Rows() const;
  int RowOf(int tab) const;
  void Arrange();

  Header* header_ = nullptr;
  std::vector<QWidget*> pages_;
  QStringList captions_;
  int perRow_ = 1;
  int current_ = -1;
  int rowHeight_ = 27;
};

}  // namespace qw

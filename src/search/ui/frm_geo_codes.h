#pragma once
// frmGeoCodes, the sub-region picker: offers the sub-regions of the
// configuration's range and appends the chosen names to the search screen's
// list of sub-regions.
#include <QDialog>

#include "host/ui/window_host.h"

class QLabel;
class QListWidget;
class QPushButton;

namespace qw {

class frmGeoCodes : public QDialog, public OneInstance<frmGeoCodes> {
  Q_OBJECT

 public:
  // chosen: the list of chosen sub-region names it adds to; without one, the
  // search screen's (and the search screen is its owner).
  explicit frmGeoCodes(QListWidget* chosen = nullptr, QWidget* parent = nullptr);

  // Fills the list from the database and marks the names already chosen.
  void Form_Load();
  void cmdSelect_Click();
  void OKButton_Click();
  void CancelButton_Click();

  QListWidget* lbAddGeoCodes = nullptr;
  QLabel* Label1 = nullptr;
  QPushButton* cmdSelect = nullptr;
  QPushButton* OKButton = nullptr;
  QPushButton* CancelButton = nullptr;

 protected:
  void resizeEvent(QResizeEvent* e) override;

 private:
  void Form_Resize();
  QListWidget* chosen_;
};

}  // namespace qw

#pragma once
// frmGeoCodes, the sub-region picker: offers the sub-regions of the
// configuration's range and appends the chosen names to the search screen's
// list of sub-regions.
#include <QDialog>

class QLabel;
class QListWidget;
class QPushButton;

namespace qw {

class frmGeoCodes : public QDialog {
  Q_OBJECT

 public:
  // chosen: the search screen's list of chosen sub-region names.
  explicit frmGeoCodes(QListWidget* chosen, QWidget* parent = nullptr);

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

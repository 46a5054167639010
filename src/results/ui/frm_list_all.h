#pragma once
// frmListAll: asks in which order the marinas are listed and sets SortOrder.
#include <QDialog>

class QLabel;
class QPushButton;

namespace qw {

class FrmListAll : public QDialog {
  Q_OBJECT

 public:
  explicit FrmListAll(QWidget* parent = nullptr);

  void cmdAlpha_Click();
  void cmdGeo_Click();

  QLabel* lblMessage = nullptr;
  QPushButton* cmdAlpha = nullptr;
  QPushButton* cmdGeo = nullptr;
};

// Shows the dialog modally and returns when it is closed.
void ShowSortDialog();

}  // namespace qw

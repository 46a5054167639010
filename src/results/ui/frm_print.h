#pragma once
// frmPrint, "Print Marina": an option dialog with three print choices. It
// rescales itself for the screen when it loads.
#include <QDialog>

class QGroupBox;
class QPushButton;
class QRadioButton;

namespace qw {

class FrmPrint : public QDialog {
  Q_OBJECT

 public:
  // The one instance, loaded (not shown) on first use.
  static FrmPrint* Instance();
  static FrmPrint* Loaded();

  void cmdPrint_Click();
  void cmdPrint1_Click();
  void cmdCancel_Click();

  QGroupBox* fraPrint = nullptr;
  QRadioButton* optMarina = nullptr;
  QRadioButton* optNotes = nullptr;
  QRadioButton* optMarinaNotes = nullptr;
  QPushButton* cmdPrint = nullptr;
  QPushButton* cmdCancel = nullptr;

  int DesignWidth = 0;
  int DesignHeight = 0;
  long LastWidth = 0;
  long LastHeight = 0;
  bool Activated = false;
  // The factors of the last rescale.
  float LastScaleX = 0;
  float LastScaleY = 0;

 protected:
  bool event(QEvent* e) override;
  void resizeEvent(QResizeEvent* e) override;

 private:
  FrmPrint();
  ~FrmPrint() override;
  void Form_Load();
  void Form_Resize();
  void Option_Click();
  void Rescale(float x, float y);
};

}  // namespace qw

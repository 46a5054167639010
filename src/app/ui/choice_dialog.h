#pragma once
// ChoiceDialog: the start choice between the search screen and the maps, a
// child window of the main window.
#include <QWidget>

class QLabel;

namespace qw {

class ClickableLabel;

class ChoiceDialog : public QWidget {
  Q_OBJECT
 public:
  explicit ChoiceDialog(QWidget* parent = nullptr);

  void Form_Load();
  void Form_Resize();
  void Comsearch_Click();
  void Label1_Click();
  void Commaps_Click();
  void Label2_Click();

  QWidget* Picture1 = nullptr;
  QLabel* Label3 = nullptr;
  ClickableLabel* Comsearch = nullptr;
  ClickableLabel* Label1 = nullptr;
  ClickableLabel* Commaps = nullptr;
  ClickableLabel* Label2 = nullptr;

 protected:
  void resizeEvent(QResizeEvent* event) override;

 private:
  void SearchChoice();
  void MapChoice(int options, bool readOnly);
  void Unload();
};

// Shows the start choice (one instance, modeless) in the main window, centred.
ChoiceDialog* ShowChoiceDialog();
// The start choice while it is shown, else nullptr.
ChoiceDialog* CurrentChoiceDialog();

}  // namespace qw

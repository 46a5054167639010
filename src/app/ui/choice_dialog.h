#pragma once
// ChoiceDialog: the start choice between the search screen and the maps, a
// child window of the main window.
#include <QWidget>

#include "host/ui/window_host.h"

class QLabel;

namespace qw {

class ClickableLabel;

class ChoiceDialog : public QWidget, public OneInstance<ChoiceDialog> {
  Q_OBJECT
 public:
  static constexpr bool kMdiChild = true;
  explicit ChoiceDialog(QWidget* parent = nullptr);

  // Switches the screen commands off and centres the window in the main
  // window, where it stays centred whatever size the main window takes.
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
  bool eventFilter(QObject* watched, QEvent* event) override;

 private:
  void CentreInMainWindow();
  void SearchChoice();
  void MapChoice(int options, bool readOnly);
};

// Shows the start choice (modeless) in the main window, loading both when
// needed.
ChoiceDialog* ShowChoiceDialog();

}  // namespace qw

#pragma once
// The help window: shows our help pages (program folder, help/) by topic. A
// window of its own; it closes by its Close button, Escape, Ctrl+W or Alt+F4,
// also where no window manager draws a title bar with a close button.
#include <QWidget>

#include "host/ui/window_host.h"

class QPushButton;
class QTextBrowser;

namespace qw {

class HelpWindow : public QWidget, public OneInstance<HelpWindow> {
  Q_OBJECT
 public:
  HelpWindow();
  // Shows topic (a page name such as "AboutRatings.htm").
  void ShowTopic(const QString& topic);

  QTextBrowser* page = nullptr;
  QPushButton* cmdClose = nullptr;
};

// Opens the help window on topic and brings it to the front.
HelpWindow* ShowHelpTopic(const QString& topic);

}  // namespace qw

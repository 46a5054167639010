#pragma once
// The help window: shows our help pages (program folder, help/) by topic.
#include <QTextBrowser>

#include "app/ui/window_host.h"

namespace qw {

class HelpWindow : public QTextBrowser, public OneInstance<HelpWindow> {
  Q_OBJECT
 public:
  explicit HelpWindow(QWidget* parent = nullptr);
  // Shows topic (a page name such as "AboutRatings.htm").
  void ShowTopic(const QString& topic);
};

// Opens the help window on topic and brings it to the front.
HelpWindow* ShowHelpTopic(const QString& topic);

}  // namespace qw

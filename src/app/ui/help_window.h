#pragma once
// The help window: shows our help pages (program folder, help/) by topic.
#include <QTextBrowser>

namespace qw {

class HelpWindow : public QTextBrowser {
  Q_OBJECT
 public:
  explicit HelpWindow(QWidget* parent = nullptr);
  // Shows topic (a page name such as "AboutRatings.htm").
  void ShowTopic(const QString& topic);
};

// Opens the help window (one instance) on topic and brings it to the front.
HelpWindow* ShowHelpTopic(const QString& topic);
// The help window when it is open, else nullptr.
HelpWindow* CurrentHelpWindow();

}  // namespace qw

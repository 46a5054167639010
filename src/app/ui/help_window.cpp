#include "app/ui/help_window.h"

#include <QFileInfo>
#include <QUrl>

#include "platform/html_text.h"
#include "platform/program.h"

namespace qw {
HelpWindow::HelpWindow(QWidget* parent) : QTextBrowser(parent) {
  setWindowFlag(Qt::Window);
  setAttribute(Qt::WA_DeleteOnClose);
  setWindowTitle(QStringLiteral("Quaywise Help"));
  setOpenExternalLinks(false);
  resize(720, 600);
  connect(this, &QTextBrowser::sourceChanged, this, [this] {
    const QString title = documentTitle();
    setWindowTitle(title.isEmpty() ? QStringLiteral("Quaywise Help") : title);
  });
}

void HelpWindow::ShowTopic(const QString& topic) {
  const QString folder = ProgramFolder() + QStringLiteral("/help");
  const QString page = FindFileNoCase(folder, topic);
  setSearchPaths({folder});
  if (QFileInfo::exists(page)) {
    setSource(QUrl::fromLocalFile(page));
  } else {
    setHtml(QStringLiteral("<p>The help page %1 is not installed in %2.</p>")
                .arg(HtmlText(topic), HtmlText(folder)));
  }
}

HelpWindow* ShowHelpTopic(const QString& topic) {
  const bool opening = !HelpWindow::Loaded();
  HelpWindow* help = HelpWindow::Instance();
  help->ShowTopic(topic);
  // It opens in the middle of the screen, over the main window, rather than
  // where the desktop happens to put it (its corner, over the toolbar); once
  // open it stays where the user moves it.
  if (opening) CentreOnScreen(help);
  // A help window the user has minimised comes back for the new topic.
  help->setWindowState(help->windowState() & ~Qt::WindowMinimized);
  help->show();
  help->raise();
  help->activateWindow();
  return help;
}

}  // namespace qw

#include "app/ui/help_window.h"

#include <QFileInfo>
#include <QUrl>

#include "platform/program.h"

namespace qw {
HelpWindow::HelpWindow(QWidget* parent) : QTextBrowser(parent) {
  setWindowFlag(Qt::Window);
  setAttribute(Qt::WA_DeleteOnClose);
  setWindowTitle(QStringLiteral("Quaywise Help"));
  setOpenExternalLinks(false);
  resize(720, 600);
  CentreOnScreen(this);  // rather than over the main window's toolbar
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
                .arg(topic.toHtmlEscaped(), folder.toHtmlEscaped()));
  }
}

HelpWindow* ShowHelpTopic(const QString& topic) {
  HelpWindow* help = HelpWindow::Instance();
  help->ShowTopic(topic);
  help->setWindowState(help->windowState() & ~Qt::WindowMinimized);
  help->show();
  help->raise();
  help->activateWindow();
  return help;
}

}  // namespace qw

#include "app/ui/help_window.h"

#include <QDialogButtonBox>
#include <QFileInfo>
#include <QPushButton>
#include <QTextBrowser>
#include <QUrl>
#include <QVBoxLayout>

#include "platform/html_text.h"
#include "platform/program.h"
#include "platform/ui/window_frame.h"

namespace qw {
namespace {
const QString kHelpTitle = QStringLiteral("Quaywise Help");
}  // namespace

HelpWindow::HelpWindow() : QWidget(nullptr, Qt::Window) {
  setObjectName(QStringLiteral("HelpWindow"));
  setAttribute(Qt::WA_DeleteOnClose);
  setWindowTitle(kHelpTitle);
  page = new QTextBrowser(this);
  page->setObjectName(QStringLiteral("page"));
  page->setOpenExternalLinks(false);
  auto* buttons = new QDialogButtonBox(QDialogButtonBox::Close, this);
  cmdClose = buttons->button(QDialogButtonBox::Close);
  cmdClose->setObjectName(QStringLiteral("cmdClose"));
  connect(buttons, &QDialogButtonBox::rejected, this, &QWidget::close);
  auto* layout = new QVBoxLayout(this);
  layout->addWidget(page);
  layout->addWidget(buttons);
  CloseByKeys(this);
  DrawCaptionWithoutWindowManager(this);
  // The keyboard goes back to the main window.
  ReturnKeyboardOnClose(this, MainWindowOrNull);
  resize(720, 600);
  connect(page, &QTextBrowser::sourceChanged, this, [this] {
    const QString title = page->documentTitle();
    setWindowTitle(title.isEmpty() ? kHelpTitle : title);
  });
}

void HelpWindow::ShowTopic(const QString& topic) {
  const QString folder = ProgramFolder() + QStringLiteral("/help");
  const QString file = FindFileNoCase(folder, topic);
  page->setSearchPaths({folder});
  if (QFileInfo::exists(file)) {
    page->setSource(QUrl::fromLocalFile(file));
  } else {
    page->setHtml(QStringLiteral("<p>The help page %1 is not installed in %2.</p>")
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

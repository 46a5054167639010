#include <QApplication>

#include "app/ui/start_windows.h"
#include "platform/ui/message_box_widgets.h"

int main(int argc, char** argv) {
  QApplication app(argc, argv);
  QApplication::setApplicationName(QStringLiteral("Quaywise"));
  qw::InstallWidgetMessageBoxes();
  // The windows of the other subsystems fill in the screen table here.
  qw::ShowLogo();
  return app.exec();
}

#include <QApplication>

#include "app/ui/start_windows.h"

#if __has_include("platform/ui/message_box_widgets.h")
#include "platform/ui/message_box_widgets.h"
#define QUAYWISE_WIDGET_MESSAGE_BOXES 1
#endif

int main(int argc, char** argv) {
  QApplication app(argc, argv);
  QApplication::setApplicationName(QStringLiteral("Quaywise"));
#ifdef QUAYWISE_WIDGET_MESSAGE_BOXES
  qw::InstallWidgetMessageBoxes();
#endif
  // The windows of the other subsystems fill in the screen table here.
  qw::ShowLogo();
  return app.exec();
}

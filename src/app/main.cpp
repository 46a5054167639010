#include <QApplication>
#include <QMainWindow>

int main(int argc, char** argv) {
  QApplication app(argc, argv);
  QApplication::setApplicationName(QStringLiteral("Quaywise"));
  QMainWindow window;
  window.setWindowTitle(QStringLiteral("Quaywise"));
  window.show();
  return app.exec();
}

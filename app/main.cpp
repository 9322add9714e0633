// Program start of Das Kraftbild.
#include <QApplication>
#include <QMainWindow>

int main(int argc, char **argv) {
  QApplication app(argc, argv);
  QApplication::setApplicationName(QStringLiteral("Das Kraftbild"));
  QApplication::setApplicationDisplayName(QStringLiteral("Das Kraftbild"));
  QMainWindow window;
  window.setWindowTitle(QStringLiteral("Das Kraftbild"));
  window.resize(800, 600);
  window.show();
  return app.exec();
}

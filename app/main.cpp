// The editor's executable: one main window, driven by the event loop.
#include <QApplication>

#include "editor/main_window.h"

int main(int argc, char* argv[]) {
  QApplication app(argc, argv);
  // Settings of every part of the program live in the store "TKV".
  QCoreApplication::setOrganizationName(QStringLiteral("TKV"));
  QCoreApplication::setApplicationName(QStringLiteral("TKV"));
  tekvo::MainWindow window;
  window.show();
  return app.exec();
}

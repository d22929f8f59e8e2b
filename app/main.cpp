// The editor's executable: one main window, driven by the event loop.
#include <QApplication>
#include <QLibraryInfo>
#include <QTranslator>
#include <csignal>

#include "editor/main_window.h"

int main(int argc, char* argv[]) {
  QApplication app(argc, argv);
  // Past the file size limit a save should fail with a message and leave the
  // file whole, not end the editor with the text unsaved.
  std::signal(SIGXFSZ, SIG_IGN);
  // The interface speaks Simplified Chinese, so the standard buttons of message
  // and input boxes should too ("是"/"否", "确定"/"取消"), whatever the locale.
  QTranslator qt_translator;
  if (qt_translator.load(QStringLiteral("qtbase_zh_CN"),
                         QLibraryInfo::path(QLibraryInfo::TranslationsPath))) {
    QCoreApplication::installTranslator(&qt_translator);
  }
  // Settings of every part of the program live in the store "TKV".
  QCoreApplication::setOrganizationName(QStringLiteral("TKV"));
  QCoreApplication::setApplicationName(QStringLiteral("TKV"));
  tekvo::MainWindow window;
  window.show();
  return app.exec();
}

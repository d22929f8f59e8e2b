// The editor's executable: one main window, driven by the event loop.
#include <QApplication>
#include <QIcon>
#include <QLibraryInfo>
#include <QTimer>
#include <QTranslator>
#include <csignal>
#include <iostream>

#include "dialogs/qtext.h"
#include "editor/command_line.h"
#include "editor/font_noise.h"
#include "editor/main_window.h"
#include "editor/plain_buttons_style.h"
#include "files/path_text.h"

namespace {

// A file name from a Windows archive may not be UTF-8: its bytes travel as
// lossless path text, so that the file opened is the one named.
QStringList ArgumentsOf(int argc, char* argv[]) {
  QStringList args;
  for (int i = 1; i < argc; ++i) args << tekvo::ToQString(tekvo::LosslessPathText(argv[i]));
  return args;
}

QIcon ProgramIcon() {
  QIcon icon;
  for (int size : {16, 22, 24, 32, 48, 64, 128, 256}) {
    icon.addFile(QStringLiteral(":/icons/tekvo-%1.png").arg(size), QSize(size, size));
  }
  return icon;
}

}  // namespace

int main(int argc, char* argv[]) {
  // Help, version and a wrong command line need no display: answered
  // before Qt opens one.
  const tekvo::CommandLine line = tekvo::ParseCommandLine(ArgumentsOf(argc, argv));
  switch (line.action) {
    case tekvo::CommandLine::Action::kHelp:
      std::cout << tekvo::UsageText().toStdString();
      return 0;
    case tekvo::CommandLine::Action::kVersion:
      std::cout << tekvo::VersionText().toStdString();
      return 0;
    case tekvo::CommandLine::Action::kError:
      std::cerr << "tekvo: " << line.message.toStdString() << '\n'
                << tekvo::UsageText().toStdString();
      return tekvo::kUsageExitStatus;
    case tekvo::CommandLine::Action::kRun:
      break;
  }

  tekvo::KeepFontFallbackNoiseOut();
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
  tekvo::UsePlainButtons();
  QApplication::setWindowIcon(ProgramIcon());
  // Ties the windows to the menu entry tekvo.desktop (Wayland app id).
  QGuiApplication::setDesktopFileName(QStringLiteral("tekvo"));
  // Settings of every part of the program live in the store "TKV".
  QCoreApplication::setOrganizationName(QStringLiteral("TKV"));
  QCoreApplication::setApplicationName(QStringLiteral("TKV"));
  tekvo::MainWindow window;
  window.show();
  if (!line.file.isEmpty()) {
    // Once the window is on screen, so that a message about the file shows
    // over it.
    QTimer::singleShot(0, &window, [&window, file = line.file] {
      tekvo::OpenCommandLineFile(window.context(), file);
    });
  }
  return app.exec();
}

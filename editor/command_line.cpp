#include "editor/command_line.h"

#include <filesystem>
#include <string>

#include "dialogs/qtext.h"
#include "editor/file_commands.h"
#include "files/path_text.h"

namespace tekvo {

namespace {

// The options Qt's application classes take for themselves, with how many
// values follow each (QGuiApplication, the xcb platform, QApplication). The
// command line is read before Qt starts, so that a wrong one is told
// without a display; these must not count as unknown options or files.
struct QtOption {
  const char16_t* name;
  int values;
};
constexpr QtOption kQtOptions[] = {
    {u"platform", 1},
    {u"platformpluginpath", 1},
    {u"platformtheme", 1},
    {u"plugin", 1},
    {u"qwindowgeometry", 1},
    {u"geometry", 1},
    {u"qwindowtitle", 1},
    {u"title", 1},
    {u"qwindowicon", 1},
    {u"icon", 1},
    {u"session", 1},
    {u"display", 1},
    {u"name", 1},
    {u"style", 1},
    {u"stylesheet", 1},
    {u"reverse", 0},
    {u"testability", 0},
    {u"sync", 0},
    {u"widgetcount", 0},
    {u"nograb", 0},
    {u"dograb", 0},
};

// How many arguments from `arg` on are one of Qt's options: 0 when `arg` is
// none, else the option and its values. Qt takes "--name" as "-name", and
// "-style=NAME", "-stylesheet=FILE" and "-qmljsdebugger=..." whole.
int QtOptionLength(const QString& arg) {
  QString name = arg.mid(arg.startsWith(QStringLiteral("--")) ? 2 : 1);
  const qsizetype equals = name.indexOf(u'=');
  if (equals >= 0) {
    name.truncate(equals);
    return name == u"style" || name == u"stylesheet" || name == u"qmljsdebugger" ? 1 : 0;
  }
  for (const QtOption& option : kQtOptions) {
    if (name == QStringView(option.name)) return 1 + option.values;
  }
  return 0;
}

}  // namespace

CommandLine ParseCommandLine(const QStringList& args) {
  CommandLine line;
  QStringList files;
  bool options_done = false;
  for (qsizetype i = 0; i < args.size(); ++i) {
    const QString& arg = args[i];
    const bool option = !options_done && arg.size() > 1 && arg.startsWith(u'-');
    if (option && (arg == u"--help" || arg == u"-h")) return {CommandLine::Action::kHelp, {}, {}};
    if (option && (arg == u"--version" || arg == u"-v")) {
      return {CommandLine::Action::kVersion, {}, {}};
    }
    if (option && arg == u"--") {
      options_done = true;
    } else if (const int qt = option ? QtOptionLength(arg) : 0; qt > 0) {
      i += qt - 1;
    } else if (option) {
      // Kept going: a later help request still counts.
      if (line.message.isEmpty()) line.message = QStringLiteral("unknown option ") + arg;
    } else {
      files.append(arg);
    }
  }
  if (line.message.isEmpty() && files.size() > 1) {
    line.message = QStringLiteral("one FILE at most, not %1").arg(files.size());
  }
  if (!line.message.isEmpty()) {
    line.action = CommandLine::Action::kError;
    return line;
  }
  if (!files.isEmpty()) line.file = files.front();
  return line;
}

QString UsageText() {
  return QStringLiteral(
      "usage: tekvo [FILE]\n"
      "       tekvo --help | --version\n"
      "Tekvo, an editor for repairing garbled East Asian text. With FILE it starts\n"
      "with the file open as the original, its encoding detected.\n"
      "options:\n"
      "  -h, --help     show this message and exit\n"
      "  -v, --version  show the version and exit\n"
      "  --             end the options (for a FILE that begins with \"-\")\n"
      "See also tekvo-cli(1), the same repairs without the window.\n");
}

QString VersionText() {
  return QStringLiteral("tekvo %1.%2\n").arg(TEKVO_VERSION_MAJOR).arg(TEKVO_VERSION_MINOR);
}

void OpenCommandLineFile(EditorContext& ctx, const QString& argument) {
  // The file dialog hands over full paths, and the messages and the
  // attribute box show the path as it is kept. Made whole on the bytes:
  // QFileInfo would turn a name that is not UTF-8 into U+FFFD.
  std::error_code ec;
  std::filesystem::path path = std::filesystem::absolute(TextPath(ToText(argument)), ec);
  std::string whole = path.lexically_normal().string();
  if (whole.size() > 1 && whole.back() == '/') whole.pop_back();
  OpenFileAsOriginal(ctx, LosslessPathText(whole));
}

}  // namespace tekvo

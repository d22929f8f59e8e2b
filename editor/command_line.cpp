#include "editor/command_line.h"

#include <filesystem>
#include <string>

#include "dialogs/qtext.h"
#include "editor/file_commands.h"
#include "files/path_text.h"

namespace tekvo {

CommandLine ParseCommandLine(const QStringList& args) {
  CommandLine line;
  QStringList files;
  bool options_done = false;
  for (const QString& arg : args) {
    if (!options_done && (arg == u"--help" || arg == u"-h")) return {CommandLine::Action::kHelp};
    if (!options_done && (arg == u"--version" || arg == u"-v")) {
      return {CommandLine::Action::kVersion};
    }
    if (!options_done && arg == u"--") {
      options_done = true;
    } else if (!options_done && arg.size() > 1 && arg.startsWith(u'-')) {
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

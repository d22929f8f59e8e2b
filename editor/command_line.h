// The editor's command line: "tekvo [FILE]", "--help" and "--version".
// It is read before Qt starts, so that help, version and a wrong command line
// are answered without a display; Qt's own options (-platform, -display …)
// are known and passed over. The file is opened once the window exists, by
// the same routine as the open command.
#ifndef TEKVO_EDITOR_COMMAND_LINE_H_
#define TEKVO_EDITOR_COMMAND_LINE_H_

#include <QString>
#include <QStringList>

#include "editor/editor_context.h"

namespace tekvo {

struct CommandLine {
  enum class Action { kRun, kHelp, kVersion, kError };
  Action action = Action::kRun;
  QString file;     // kRun: the file to open, empty for none
  QString message;  // kError: what is wrong, without the usage
};

// Exit status of a command line that was wrong.
inline constexpr int kUsageExitStatus = 2;

// Reads the arguments after the program name, Qt's options among them. A
// help or version request anywhere before "--" wins over everything else.
CommandLine ParseCommandLine(const QStringList& args);

QString UsageText();
QString VersionText();

// Opens `argument` as given on the command line: a relative path is taken
// from the current directory.
void OpenCommandLineFile(EditorContext& ctx, const QString& argument);

}  // namespace tekvo

#endif  // TEKVO_EDITOR_COMMAND_LINE_H_

// tekvo-cli: the editor's repairs for batch work and scripts.
//
// A subcommand is one row in the table of commands.cpp and one function
// taking an Invocation; it reads its input and writes its output through the
// helpers of cli/stream/io.h so that every subcommand treats files, standard input,
// "-o" and errors alike. Errors go to standard error with exit status 2.
#ifndef TEKVO_CLI_COMMANDS_COMMANDS_H_
#define TEKVO_CLI_COMMANDS_COMMANDS_H_

#include <iosfwd>
#include <span>
#include <string>
#include <string_view>

#include "cli/commands/args.h"

namespace tekvo::cli {

inline constexpr int kExitOk = 0;
inline constexpr int kExitError = 2;

// The streams a run uses; tests pass string streams.
struct Io {
  std::istream& in;
  std::ostream& out;
  std::ostream& err;
};

struct Command;

struct Invocation {
  const Command& command;
  const ParsedArgs& args;
  Io& io;
};

using CommandFn = int (*)(const Invocation&);

struct Command {
  std::string_view name;
  std::string_view usage;    // arguments after the name, e.g. "NAME [FILE]"
  std::string_view summary;  // one line for the overall usage message
  CommandFn run;
};

// Every subcommand, in the order the usage message lists them.
std::span<const Command> Commands();

// Runs one command line (without the program name) and returns the exit
// status.
int RunCli(std::span<const std::string> args, Io& io);

// The executable's entry: the real standard streams.
int Main(int argc, char** argv);

// Writes "tekvo-cli: message" to standard error and returns kExitError.
int Fail(const Invocation& inv, std::string_view message);

// Fail, followed by the command's usage line.
int UsageError(const Invocation& inv, std::string_view message);

// The subcommands.
int RunList(const Invocation& inv);
int RunRepair(const Invocation& inv);
int RunConvert(const Invocation& inv);
int RunShift(const Invocation& inv);
int RunMap(const Invocation& inv);
int RunSuggest(const Invocation& inv);
int RunDetect(const Invocation& inv);
int RunNames(const Invocation& inv);
// "decode" of every kind (the transfer encodings here, ISO-2022 handed on)
// and "encode".
int RunDecode(const Invocation& inv);
int RunEncode(const Invocation& inv);
// The ISO-2022 kinds of "decode" (iso2022:zh, :ja, :ko). A decoder of the
// other kinds hands names for which IsIso2022DecodeName holds to it.
int RunDecodeIso2022(const Invocation& inv);
bool IsIso2022DecodeName(std::string_view name);

}  // namespace tekvo::cli

#endif  // TEKVO_CLI_COMMANDS_COMMANDS_H_

// Command-line arguments of tekvo-cli: the subcommand, its positional
// arguments and the options, parsed against a table of known options.
#ifndef TEKVO_CLI_COMMANDS_ARGS_H_
#define TEKVO_CLI_COMMANDS_ARGS_H_

#include <map>
#include <optional>
#include <span>
#include <string>
#include <string_view>
#include <vector>

#include "engine/text/text.h"

namespace tekvo::cli {

struct OptionSpec {
  std::string_view name;        // "-o", "--in"
  std::string_view value_name;  // shown in the usage, e.g. "FILE"
  std::string_view help;
  bool takes_value = true;  // false: a switch, stored with an empty value
};

// The options every subcommand accepts; each takes one value or is a switch. To add one,
// add a row in args.cpp and read it with ParsedArgs::Option.
std::span<const OptionSpec> KnownOptions();

// A reading of the input's bytes settled before the command runs ("--in
// detect" on a long input): the page, and whether a byte order mark to drop
// starts the input.
struct InputReading {
  CodePageId id = CodePageId::kUtf8;
  bool bom = false;
};

struct ParsedArgs {
  std::string command;                         // empty when none was given
  std::vector<std::string> positional;         // after the command
  std::map<std::string, std::string> options;  // by name as written in KnownOptions
  std::optional<InputReading> reading;         // set only by the input's detection
  // Set only when the input was kept in a temporary file, which the path
  // names: what messages call the input ("standard input", or its path).
  std::string input_name;

  std::optional<std::string> Option(std::string_view name) const;
};

// Parses argv without the program name. "--" ends the options; "-" alone is
// a positional (standard input). "--name=value" and "--name value" both work.
// On failure returns nullopt and a message in `error`.
std::optional<ParsedArgs> ParseArgs(std::span<const std::string> args, std::string& error);

}  // namespace tekvo::cli

#endif  // TEKVO_CLI_COMMANDS_ARGS_H_

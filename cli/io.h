// Input and output of the subcommands: text comes from a file argument or
// standard input and goes to standard output or the "-o" file, as UTF-8
// through the engine's own coder, so that anything the editor can hold
// (lone surrogates included) passes through unchanged.
#ifndef TEKVO_CLI_IO_H_
#define TEKVO_CLI_IO_H_

#include <cstddef>
#include <optional>

#include "cli/commands.h"
#include "engine/text.h"

namespace tekvo::cli {

// The bytes of positional argument `index` taken as a path, or of standard
// input when that argument is missing or "-". On failure reports the error
// (exit status 2 is then the caller's to return) and gives nullopt.
std::optional<ByteString> ReadInputBytes(const Invocation& inv, std::size_t index);

// The same, decoded as UTF-8.
std::optional<Text> ReadInputText(const Invocation& inv, std::size_t index);

// Writes to the "-o" file when one was given, else to standard output.
// Returns kExitOk, or reports the error and returns kExitError.
int WriteOutputBytes(const Invocation& inv, const ByteString& bytes);
int WriteOutputText(const Invocation& inv, const Text& text);

}  // namespace tekvo::cli

#endif  // TEKVO_CLI_IO_H_

// Input and output of the subcommands: text comes from a file argument or
// standard input and goes to standard output or the "-o" file, as UTF-8
// through the engine's own coder, so that anything the editor can hold
// (lone surrogates included) passes through unchanged.
#ifndef TEKVO_CLI_IO_H_
#define TEKVO_CLI_IO_H_

#include <cstddef>
#include <fstream>
#include <memory>
#include <optional>
#include <string>

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

// Raw input read a piece at a time, for commands that stream: positional
// argument `index` taken as a path, or standard input when that argument is
// missing or "-". No "--in" decoding: the bytes as they are.
class InputSource {
 public:
  // Opens the source; on failure reports the error and gives nullopt (exit
  // status 2 is then the caller's to return).
  static std::optional<InputSource> Open(const Invocation& inv, std::size_t index);

  // Appends up to `n` bytes to `out`; 0 at the end of the input. On a read
  // error reports it, sets failed() and returns 0.
  std::size_t ReadMore(ByteString& out, std::size_t n);

  bool failed() const { return failed_; }

 private:
  InputSource(const Invocation& inv, std::unique_ptr<std::ifstream> file, std::string name);

  const Invocation* inv_;
  std::unique_ptr<std::ifstream> file_;  // null for standard input
  std::string name_;
  bool failed_ = false;
};

}  // namespace tekvo::cli

#endif  // TEKVO_CLI_IO_H_

// Input and output of the subcommands: text comes from a file argument or
// standard input and goes to standard output or the "-o" file, as UTF-8
// through the engine's own coder, so that anything the editor can hold
// (lone surrogates included) passes through unchanged.
//
// A file argument is read to its end whatever it is: a regular file, a
// FIFO, a device, /dev/stdin or a /proc file (whose size says nothing). Every
// command reports a file it cannot read with the same message:
// "PATH: 打开失败~ REASON".
#ifndef TEKVO_CLI_STREAM_IO_H_
#define TEKVO_CLI_STREAM_IO_H_

#include <cstddef>
#include <memory>
#include <optional>
#include <string>
#include <string_view>

#include "cli/commands/commands.h"
#include "cli/stream/input_transcoder.h"
#include "engine/text/text.h"
#include "files/file_encoding.h"

namespace tekvo::cli {

// The message for a file argument that cannot be read: "PATH: 打开失败~ "
// and the system's description of `error_number`.
std::string ReadFailure(const std::string& path, int error_number);

// What messages call the input of positional argument `index`: its path,
// "standard input" when it is missing or "-", or the name ParsedArgs gives an
// input kept in a temporary file.
std::string InputName(const Invocation& inv, std::size_t index);
inline constexpr std::string_view kStandardInputName = "standard input";

// The bytes of positional argument `index` taken as a path, or of standard
// input when that argument is missing or "-". On failure reports the error
// (exit status 2 is then the caller's to return) and gives nullopt.
std::optional<ByteString> ReadInputBytes(const Invocation& inv, std::size_t index);

// The same, decoded as "--in" says.
std::optional<Text> ReadInputText(const Invocation& inv, std::size_t index);

// True for the names "-o" may give standard output by: "-", "/dev/stdout"
// and the descriptor paths of descriptor 1. Written to the stream, not
// reopened, so that an appending redirection keeps appending.
bool IsStandardOutputName(std::string_view path);

// Writes to standard output and flushes it. Returns kExitOk, or reports
// "cannot write the output" once and returns kExitError.
int WriteOutputBytes(const Invocation& inv, const ByteString& bytes);

// Writes the text as "--out" says to the "-o" file, or standard output.
int WriteOutputText(const Invocation& inv, const Text& text);

// Raw input read a piece at a time, for commands that stream: positional
// argument `index` taken as a path, or standard input when that argument is
// missing or "-". The bytes as they are, unless DecodeFrom asks for UTF-8.
class InputSource {
 public:
  // Opens the source; on failure (no such file, a folder, no access) reports
  // it and gives nullopt (exit status 2 is then the caller's to return).
  static std::optional<InputSource> Open(const Invocation& inv, std::size_t index);

  // A descriptor already open for reading, taken over (closed at the end),
  // read from where it stands; `name` is what messages call it.
  static InputSource FromDescriptor(const Invocation& inv, int fd, std::string name);

  InputSource(InputSource&& other) noexcept;
  InputSource& operator=(InputSource&&) = delete;
  ~InputSource();

  // Appends up to `n` bytes to `out`; 0 at the end of the input. On a read
  // error reports it, sets failed() and returns 0.
  std::size_t ReadMore(ByteString& out, std::size_t n);

  // Appends everything up to the end. False after a read error (reported).
  bool ReadAll(ByteString& out);

  // From now on the input is taken to be in `requested` (see
  // InputTranscoder) and read as UTF-8: ReadMore then appends UTF-8, as
  // much as `n` bytes of input give.
  void DecodeFrom(FileEncoding requested);
  // The same for the input read in `reading`'s page.
  void DecodeFrom(const InputReading& reading);

  bool failed() const { return failed_; }

 private:
  InputSource(const Invocation& inv, int fd, std::string name);
  void ReportReadError(int error_number);
  std::size_t ReadRaw(ByteString& out, std::size_t n);

  const Invocation* inv_;
  int fd_;            // -1 for standard input, read through its stream
  std::string name_;  // the path as given
  bool failed_ = false;
  bool at_end_ = false;
  std::unique_ptr<InputTranscoder> transcoder_;
};

}  // namespace tekvo::cli

#endif  // TEKVO_CLI_STREAM_IO_H_

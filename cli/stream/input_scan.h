// An input that a command reads twice: once through, to learn what only the
// whole text tells (whether it is Base64 at all, whether it holds a line
// feed), then again to stream it. A regular file is simply opened again;
// standard input or a pipe is kept in an unnamed temporary file first, since
// holding it in memory is what streaming avoids.
#ifndef TEKVO_CLI_STREAM_INPUT_SCAN_H_
#define TEKVO_CLI_STREAM_INPUT_SCAN_H_

#include <cstddef>
#include <functional>
#include <optional>
#include <string_view>

#include "cli/commands/commands.h"
#include "cli/stream/input_spool.h"
#include "cli/stream/io.h"
#include "engine/text/text.h"

namespace tekvo::cli {

// Reads `in` to its end, handing `scan` its text a piece at a time, each
// decoded as DecodeInputPiece decodes it. False after a read error
// (reported).
bool ScanInput(InputSource& in, const std::function<void(const Text&)>& scan);

class InputReadTwice {
 public:
  // Opens positional argument `index` (a path, or standard input when
  // missing or "-") and hands `scan` all of its text in order, a piece at a
  // time, each decoded as DecodeInputPiece decodes it. An input that cannot
  // be read, or kept, is reported and gives nullopt.
  static std::optional<InputReadTwice> Scan(const Invocation& inv, std::size_t index,
                                            const std::function<void(const Text&)>& scan);

  // The same, handing `scan` the input's bytes (UTF-8, as DecodeAsRequested
  // makes them) as they are read, for a look that needs no decoding.
  static std::optional<InputReadTwice> ScanBytes(const Invocation& inv, std::size_t index,
                                                 const std::function<void(std::string_view)>& scan);

  // The input again from its start; nullopt after an error (reported).
  std::optional<InputSource> Reopen() const;

 private:
  InputReadTwice(const Invocation& inv, std::size_t index) : inv_(&inv), index_(index) {}
  // Opens the input, keeping it in a spool unless it is a regular file.
  static std::optional<InputReadTwice> Keep(const Invocation& inv, std::size_t index);

  const Invocation* inv_;
  std::size_t index_;
  std::optional<InputSpool> spool_;  // set unless the input is a regular file
};

}  // namespace tekvo::cli

#endif  // TEKVO_CLI_STREAM_INPUT_SCAN_H_

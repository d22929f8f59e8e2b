// A long input kept in an unnamed temporary file, for a command that looks
// at samples of it before it streams it (suggest): standard input or a pipe
// cannot be read twice, and holding it in memory is what streaming avoids.
#ifndef TEKVO_CLI_STREAM_INPUT_SPOOL_H_
#define TEKVO_CLI_STREAM_INPUT_SPOOL_H_

#include <cstddef>
#include <optional>
#include <string>

#include "cli/commands/commands.h"
#include "cli/stream/io.h"
#include "engine/text/text.h"

namespace tekvo::cli {

class InputSpool {
 public:
  // Writes `head` and the rest of `in` to an unnamed file in the temporary
  // folder ($TMPDIR, else /tmp), a megabyte at a time. A read error (already
  // reported by `in`) or a write error (reported here) gives nullopt.
  static std::optional<InputSpool> Make(const Invocation& inv, const ByteString& head,
                                        InputSource& in);

  InputSpool(InputSpool&& other) noexcept;
  InputSpool& operator=(InputSpool&&) = delete;
  ~InputSpool();

  std::size_t size() const { return size_; }

  // A path that opens the spool anew, as a regular file, while it lives.
  std::string Path() const { return "/proc/self/fd/" + std::to_string(fd_); }

  // `count` slices of about `slice_bytes` bytes spread evenly over the
  // input, the first at its start and the last at its end, each cut where
  // UTF-8 may be cut (IsUtf8CutPoint), at a line's start and end where a
  // line feed lies within half a slice (elsewhere, where it can, at a
  // multiple of four bytes from the input's start, as Base64 groups fall in
  // a file of one line), and joined by line feeds. nullopt after a read
  // error (reported).
  std::optional<ByteString> Sample(std::size_t count, std::size_t slice_bytes) const;

  // The whole spool as an input read from its start; nullopt after an
  // error (reported).
  std::optional<InputSource> Reopen() const;

 private:
  InputSpool(const Invocation& inv, int fd) : inv_(&inv), fd_(fd) {}

  const Invocation* inv_;
  int fd_;
  std::size_t size_ = 0;
};

}  // namespace tekvo::cli

#endif  // TEKVO_CLI_STREAM_INPUT_SPOOL_H_

// Input in a file encoding other than UTF-8 ("--in gb", "--in utf16le", ...)
// turned into UTF-8 as it is read, so that the commands that stream, which
// cut UTF-8, read any of them a piece at a time. The text is the one the
// whole-file decoding gives: a UTF-16 mark at the start, which that decoding
// drops whether the request named the marked form or not, comes out as the
// UTF-8 mark, which the streaming decoder drops at the input's start.
#ifndef TEKVO_CLI_STREAM_INPUT_TRANSCODER_H_
#define TEKVO_CLI_STREAM_INPUT_TRANSCODER_H_

#include <cstddef>
#include <optional>
#include <string_view>

#include "cli/commands/args.h"
#include "engine/text/text.h"
#include "files/file_encoding.h"

namespace tekvo::cli {

class InputTranscoder {
 public:
  // `requested`: an ANSI encoding (1, 8) or a UTF-16 form (2, 3, 5, 6).
  explicit InputTranscoder(FileEncoding requested) : requested_(requested) {}
  // `reading`: a page of files/detect_encoding.h's readings that keeps no
  // state across characters (IsCodePageStateless, UTF-8 or UTF-16). The text
  // is DecodeReading's, the mark dropped; it comes out after a UTF-8 mark,
  // so that the streaming decoder's dropping one at the start takes that
  // one and keeps a U+FEFF the text itself begins with.
  explicit InputTranscoder(const InputReading& reading) : reading_(reading) {}

  // Appends to `out` the UTF-8 of the input's next bytes `raw`; the bytes of
  // a character not yet complete wait for the next call, and `at_end` says
  // there is none. Never fails.
  void Add(std::string_view raw, bool at_end, ByteString& out);

 private:
  // How far `pending_` may be decoded now without cutting a character.
  std::size_t Decodable(bool at_end) const;

  // Add for a reading: its mark dropped, its page decoded where it rests.
  void AddReading(std::string_view raw, bool at_end, ByteString& out);

  FileEncoding requested_ = FileEncoding::kUtf8NoBom;
  std::optional<InputReading> reading_;
  std::size_t mark_left_ = 0;  // bytes of the reading's mark not yet dropped
  bool started_ = false;
  ByteString pending_;
};

}  // namespace tekvo::cli

#endif  // TEKVO_CLI_STREAM_INPUT_TRANSCODER_H_

// UTF-7: printable ASCII stands for itself; other characters are written as
// "+", the Base64 of their UTF-16 big-endian units, and "-".
#ifndef TEKVO_ENGINE_TRANSFER_UTF7_H_
#define TEKVO_ENGINE_TRANSFER_UTF7_H_

#include <cstddef>
#include <cstdint>
#include <string_view>

#include "engine/text/text.h"

namespace tekvo {

// Tab, LF, CR and 32-126 are written directly ("+" as "+-"); every run of
// other units (surrogates included) becomes "+" + unpadded Base64 + "-", the
// "-" always written.
//
// Texts longer than max_len / 5 units are refused (too_long set, text is the
// input). The empty text gives the empty text.
Converted EncodeUtf7(const Text& text, std::size_t max_len = kMaxTextLen);

// EncodeUtf7 given the text a piece at a time, so that a long text need not
// be held whole: the results of all the calls joined are EncodeUtf7's for
// the whole text. A run of units may go on from one piece into the next; its
// bytes short of a whole Base64 group wait. Never fails.
class Utf7Writer {
 public:
  // Appends the UTF-7 of the next piece; `last` ends the run the text ends
  // in.
  void Add(std::u16string_view piece, bool last, Text& out);

 private:
  bool in_run_ = false;
  ByteString waiting_;  // up to two bytes of the run, short of a group
};

// Every "+" followed by three or more Base64 characters is decoded (leftover
// bits are dropped) and a "-" right after the run is consumed; "+-" gives "+";
// a "+" followed by one or two Base64 characters stays as text. U+0000 units
// are removed from the result. The output is never longer than the input.
// Never fails.
Text DecodeUtf7(const Text& text);

// DecodeUtf7 given the text a piece at a time, so that a long text need not
// be held whole: the results of all the calls joined are DecodeUtf7's for
// the whole text. A run may go on from one piece into the next. Never fails.
class Utf7Reader {
 public:
  // Appends the text of the next piece; `last` ends the run the text ends
  // in.
  void Add(std::u16string_view piece, bool last, Text& out);

 private:
  // Ends the run before a character that cannot continue it; true when a
  // "-" right there belongs to the run.
  bool EndRun(Text& out);

  bool in_run_ = false;
  std::size_t run_chars_ = 0;
  char16_t first_chars_[2] = {0, 0};  // written back as text if the run is that short
  std::uint32_t bits_ = 0;            // not yet a whole unit
  int bit_count_ = 0;
};

}  // namespace tekvo

#endif  // TEKVO_ENGINE_TRANSFER_UTF7_H_

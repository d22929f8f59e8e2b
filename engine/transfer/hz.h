// HZ, the 7-bit form of GB2312 text used in old mail and news: "~{" enters GB
// mode, where each pair of printable ASCII characters is one GB2312 character
// with both high bits cleared; "~}" leaves it; "~~" is a tilde.
//
// Characters are mapped through code page 936, the Chinese (PRC) page that
// holds GB2312.
#ifndef TEKVO_ENGINE_TRANSFER_HZ_H_
#define TEKVO_ENGINE_TRANSFER_HZ_H_

#include <cstddef>
#include <string_view>

#include "engine/text/text.h"

namespace tekvo {

// Characters with a GB2312 code (both bytes 0xA1 or more in code page 936) go
// into GB mode; all others, GBK-only characters and characters code page 936
// lacks included, are written as themselves in ASCII mode ("~" as "~~"). GB
// mode is closed before every other character and at the end; no line is
// folded. DecodeHz gives back every text this writes.
//
// Texts longer than max_len / 5 units are refused (too_long set, text is the
// input). The empty text gives the empty text.
Converted EncodeHz(const Text& text, std::size_t max_len = kMaxTextLen);

// EncodeHz given the text a piece at a time, so that a long text need not be
// held whole: the results of all the calls joined are EncodeHz's for the
// whole text, GB mode going on from one piece into the next. Never fails.
class HzWriter {
 public:
  // Appends the HZ of the next piece; `last` closes GB mode at the text's
  // end.
  void Add(std::u16string_view piece, bool last, Text& out);

 private:
  bool gb_mode_ = false;
};

// Decodes in one scan. A "~" (also "~ " and "~\t") before CR LF where an
// escape or a pair could start continues the line: both are dropped; "~~"
// before CR LF is a tilde that ends its line. In GB mode every ASCII character except CR is a byte
// of a pair;
// "~}" is recognised only at the start of a pair; a CR or a non-ASCII
// character ends GB mode and is written. Outside GB mode "~~" gives "~" and
// "~" before anything else stays. A half pair at the end is dropped. The
// output is never longer than the input. Never fails.
Text DecodeHz(const Text& text);

// DecodeHz given the text a piece at a time, so that a long text need not be
// held whole: the results of all the calls joined are DecodeHz's for the
// whole text, whatever the places the text is cut at. GB mode and half a
// pair go on from one piece into the next, and a "~" too near a piece's end
// to tell a line continuation from an escape is held for the next. Never
// fails.
class HzReader {
 public:
  // Appends the text of the next piece; `last` ends the text, dropping a
  // half pair left at its end.
  void Add(std::u16string_view piece, bool last, Text& out);

 private:
  bool gb_mode_ = false;
  int first_ = -1;  // GB mode: the first byte of a pair
  Text held_;       // a "~" and what followed it, read with the next piece
};

}  // namespace tekvo

#endif  // TEKVO_ENGINE_TRANSFER_HZ_H_

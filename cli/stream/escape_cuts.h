// Where decode may cut the UTF-8 of a text in escapes (numeric references,
// URL escapes, ISO-2022 with its ESC characters stripped), so that each piece
// decoded by itself gives what the whole text gives there, whatever the
// input's shape: long lines without a break, long runs of escapes, or none.
//
// The rules look at bytes, while the decoders read UTF-16 units of the
// lenient UTF-8 decoder, with every U+0000 dropped first: a NUL joins what
// it separates, and a malformed sequence may read as an ASCII character (an
// overlong "%") or as nothing. A rule trusts a byte only when it is plain
// ASCII other than NUL or starts a well-formed sequence.
#ifndef TEKVO_CLI_STREAM_ESCAPE_CUTS_H_
#define TEKVO_CLI_STREAM_ESCAPE_CUTS_H_

#include <cstddef>
#include <string_view>

#include "engine/codepage/codepage.h"
#include "engine/transfer/char_refs.h"
#include "engine/transfer/iso2022.h"

namespace tekvo::cli {

// Whether DecodeNumericEscapes(family) may have its input cut before byte `p`
// (0 < p < size; IsUtf8CutPoint is checked apart): before the family's
// opener ("&" or a tag's "<" for HTML, "\" or "%"), before a well-formed
// character past ASCII, or after a stretch of plain ASCII without an opener
// as long as the longest escape, which no escape before the stretch can
// reach through. A run of digits past an escape's last digit is plain text,
// so it is cut too. Bytes before `bytes` count as having been cut before.
bool NumericEscapeCutPoint(std::string_view bytes, std::size_t p, EscapeFamily family);

// Whether DecodeQpOrUrl(kUrl) may have its input cut before byte `p`: no
// escape is cut short ("%4" | "1"), and no run of escaped bytes, which the
// code page reads as one, goes on past `p`, unless the decoder of its
// language is at rest there. `double_byte` for an LCID (a lead byte's
// printable trail may follow it plain, as in "%B5A"), false for UTF-8.
// Never fails.
bool UrlCutPoint(std::string_view bytes, std::size_t p, bool double_byte);

// UrlCutPoint for a language read through a code page, and besides it cuts
// inside a run of escapes after a whole double-byte character, which it
// tells from a lead byte by reading the run from its start as the decoder
// pairs its bytes (a lead byte, then any byte as its trail). A U+0000 or a
// malformed sequence, which may join or begin an escape, stops the cutting
// inside runs until a run it may have begun has surely ended.
//
// Keeps how far it looked from one call to the next, as Iso2022Cuts does.
class UrlRunCuts {
 public:
  // `page`: the code page the language reads its bytes with.
  explicit UrlRunCuts(CodePageId page) : page_(page) {}

  // The last p in (0, size) before which `bytes` may be cut, or 0 for none.
  std::size_t operator()(std::string_view bytes);

 private:
  enum class Run { kNone, kOpen, kUnsure };

  // Reads what starts at scanned_ (an escape, a trail, a character) and
  // moves past it.
  void Step(std::string_view bytes);
  void AddRunByte(unsigned char b);
  // Whether the page's decoder, at rest before `bytes`, reads them whole and
  // is at rest again after them.
  bool Rests(std::string_view bytes) const;

  CodePageId page_;
  std::size_t scanned_ = 0;
  Run run_ = Run::kNone;
  bool lead_pending_ = false;  // the run's last byte pairs with the next
  bool at_rest_ = true;        // the page's decoder, after the run's bytes
  bool rest_before_lead_ = true;
  unsigned char lead_ = 0;
  std::size_t plain_after_unsure_ = 0;
};

// Where ISO-2022 text, its escapes stripped or kept, may be cut: where the
// converter is back in its initial state. That is after a line feed with no
// shift out pending and, for Japanese, "(B" the last designation (the
// Chinese and Korean converters drop their designations at a line end or
// never need them again), and within a line between characters before any
// Chinese or Korean designation on it (or right before another one) or, for
// Japanese, in ASCII.
//
// Keeps how far it looked from one call to the next, so a long stretch
// without a cut is scanned once: give it the buffer StreamCommand holds,
// which only grows at its end or loses the part before the cut returned.
class Iso2022Cuts {
 public:
  explicit Iso2022Cuts(Iso2022Kind kind) : kind_(kind) {}

  // The last p in (0, size) before which `bytes` may be cut, or 0 for none.
  std::size_t operator()(std::string_view bytes);

 private:
  bool IsDesignator(std::string_view s) const;
  // Whether a cut before bytes[p] splits no designator and no ESC from the
  // designator after it.
  static bool ClearOfEscapes(std::string_view bytes, std::size_t p);

  Iso2022Kind kind_;
  std::size_t scanned_ = 0;
  bool stuck_ = false;            // an escape the scan does not follow
  bool shifted_ = false;          // SO without its SI
  bool in_ascii_ = true;          // Japanese: "(B" the last designation
  bool line_designated_ = false;  // Chinese, Korean: a designation since the line feed
};

}  // namespace tekvo::cli

#endif  // TEKVO_CLI_STREAM_ESCAPE_CUTS_H_

// Quoted-printable ("=D6=A7") and URL percent escapes ("%B5%E7").
//
// Both carry bytes, so decoding gathers each run of escaped bytes and reads
// the whole run through one code page: a double-byte character split over two
// escapes, or with its trail byte left unescaped ("%B5A"), comes out whole.
#ifndef TEKVO_ENGINE_TRANSFER_QUOTED_PRINTABLE_H_
#define TEKVO_ENGINE_TRANSFER_QUOTED_PRINTABLE_H_

#include <cstddef>
#include <string_view>

#include "engine/text/text.h"
#include "engine/transfer/transfer_bytes.h"

namespace tekvo {

// Encodes the text's bytes (code page 936 or UTF-8) as quoted-printable.
// Bytes 32-126 except "=" stay as characters, every other byte becomes "="
// and two upper-case hex digits. Line breaks become "=0D=0A" (a text without
// any LF first has each CR turned into CR LF). Output lines hold at most 75
// characters and end in a soft break "=" + CR; an escape is never split.
//
// Texts longer than max_len / 10 units are refused (too_long set, text is the
// input). The empty text, or one that gives no bytes, comes back unchanged.
Converted EncodeQuotedPrintable(const Text& text, ComposeBytes bytes,
                                std::size_t max_len = kMaxTextLen);

// Bytes given a piece at a time in the lines EncodeQuotedPrintable writes:
// the results of all the calls joined are the encoding of all the bytes at
// once, so a long input need not be held whole. Never fails.
class QpLineWriter {
 public:
  // EncodeQuotedPrintable's soft breaks are "=" + CR; kCrLf makes them
  // "=" + CR LF.
  explicit QpLineWriter(FoldBreak fold_break = FoldBreak::kCr) : fold_break_(fold_break) {}

  // Appends the escapes and characters of `bytes`, with a soft break where
  // the line would reach 76 characters.
  void Add(std::string_view bytes, Text& out);

 private:
  FoldBreak fold_break_;
  std::size_t line_ = 0;  // characters on the line being written
};

enum class ByteEscapes {
  kUrl,              // "%XX"; "+" stands for a space
  kQuotedPrintable,  // "=XX"; soft line breaks "=" + CR LF are removed
};

// Decodes the escapes of `escapes` and reads each run of escaped bytes through
// `language`: an LCID (1 or more) gives its default ANSI code page, kIdUtf8
// UTF-8. With an LCID a printable ASCII character right after a lead byte
// (0x81-0xFE) is taken as its trail byte. Malformed escapes ("%ZZ", a "%" at
// the end) stay as they are; text between runs is copied unchanged.
//
// Returns the input unchanged when a run is found and `language` names no
// code page; a text without any escape comes back after the "+" and soft break
// preparation only. Never fails.
Text DecodeQpOrUrl(const Text& text, LocaleId language, ByteEscapes escapes);

}  // namespace tekvo

#endif  // TEKVO_ENGINE_TRANSFER_QUOTED_PRINTABLE_H_

// Base64, as mail and web pages carry text in it.
//
// The byte-level pair (BytesToBase64, Base64ToBytes) also serves UTF-7. The
// text-level pair encodes the bytes of code page 936 or UTF-8 in lines of 76
// and decodes through any language's code page.
#ifndef TEKVO_ENGINE_TRANSFER_BASE64_H_
#define TEKVO_ENGINE_TRANSFER_BASE64_H_

#include <cstddef>
#include <cstdint>
#include <string_view>

#include "engine/text/text.h"
#include "engine/transfer/transfer_bytes.h"

namespace tekvo {

enum class Base64Alphabet {
  kStandard,  // A-Z a-z 0-9 + /
  kUrl,       // the same with "*" (62) and "-" (63); "+" and "/" are not part of it
};

// The Base64 characters of `bytes` in the standard alphabet, without pad
// characters or line breaks. Never fails.
Text BytesToBase64(const ByteString& bytes);

// What Base64ToBytes makes of the character `c`: its value 0-63 ("=" gives
// 0), kBase64Skipped for a space, CR or LF, kBase64Invalid for anything else.
inline constexpr int kBase64Skipped = -2;
inline constexpr int kBase64Invalid = -1;
int Base64CharValue(char16_t c, Base64Alphabet alphabet);

// The bytes of `text`. Every "=" counts as "A" (zero bits); spaces, CRs and
// LFs are skipped. Leftover characters at the end give one byte (2 chars),
// two bytes (3 chars) or none (1 char). Any other character outside the
// alphabet makes the whole text not Base64: the result is empty.
ByteString Base64ToBytes(std::u16string_view text, Base64Alphabet alphabet);

// The text's bytes (code page 936 or UTF-8, a text without LF having its CRs
// turned into CR LF first) in padded Base64, cut into lines of 76 characters
// joined by a bare CR.
//
// Texts longer than max_len / 5 units are refused (too_long set, text is the
// input). The empty text gives the empty text.
Converted EncodeBase64Text(const Text& text, ComposeBytes bytes, std::size_t max_len = kMaxTextLen);

// Bytes given a piece at a time in the padded Base64 lines EncodeBase64Text
// writes: the results of all the calls joined are the lines of all the bytes
// encoded at once, so a long input need not be held whole. Never fails.
class Base64LineWriter {
 public:
  // EncodeBase64Text's lines end in a bare CR; kCrLf ends them in CR LF.
  explicit Base64LineWriter(FoldBreak fold_break = FoldBreak::kCr) : fold_break_(fold_break) {}

  // Appends the characters of every complete three-byte group, a line break
  // before each 77th character of a line; the one or two bytes of an
  // unfinished group wait for the next call.
  void Add(std::string_view bytes, Text& out);

  // Appends the waiting bytes' group, padded with "=": the text's end, after
  // which the writer is not used again.
  void Finish(Text& out);

 private:
  // Writes a group of `chars` characters (the rest "=") from `o` on, the
  // line break before it if due; returns where the writing ended.
  char16_t* PutGroup(std::uint32_t bits, std::size_t chars, char16_t* o);

  FoldBreak fold_break_;
  std::uint8_t waiting_[2] = {0, 0};
  std::size_t waiting_count_ = 0;
  std::size_t column_ = 0;  // characters on the line being written
};

// Decodes `text` with Base64ToBytes and reads the bytes through `language`
// (an LCID of 1 or more: its default ANSI code page; kIdUtf8: UTF-8), then
// removes every U+0000 (the pad characters' zero bytes among them).
// Returns the input unchanged when it is not Base64 or `language` names no
// code page.
Text DecodeBase64Text(const Text& text, LocaleId language, Base64Alphabet alphabet);

}  // namespace tekvo

#endif  // TEKVO_ENGINE_TRANSFER_BASE64_H_

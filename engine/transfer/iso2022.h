// ISO-2022 escape decoding.
//
// Mail and news text in the 7-bit ISO-2022 encodings switches character sets
// with escape sequences that begin with ESC (U+001B). Pasted or read as plain
// ASCII, the text usually loses its ESC characters and shows the rest of each
// sequence ("$B", "$)A") among runs of ASCII letters. This routine puts ESC
// back in front of the known designators and decodes the result as ISO-2022.
#ifndef TEKVO_ENGINE_TRANSFER_ISO2022_H_
#define TEKVO_ENGINE_TRANSFER_ISO2022_H_

#include <cstddef>
#include <cstdint>

#include "engine/codepage/windows_ids.h"
#include "engine/text/text.h"

namespace tekvo {

// Which ISO-2022 family the text is in; the values are the menu's item indexes.
enum class Iso2022Kind : std::int16_t {
  kChinese = 0,   // designators "$)A" "$)G", code page 50227
  kJapanese = 1,  // designators "(B" "$B", code page 50221 (half-width kana)
  kKorean = 2,    // designator "$)C", code page 50225
};

// Windows 1252 maps every 7-bit character to the byte of the same value: the
// page that turns restored text back into the 7-bit stream, one byte per
// character.
inline constexpr CodePageId kIso2022SevenBitPage = kCpWestern;

// The Windows code page that decodes `kind`, or 0 for a value outside the enum.
CodePageId Iso2022CodePage(Iso2022Kind kind);

// Puts ESC before every designator of `kind` (matching is exact and
// case-sensitive; a designator that still has its ESC keeps just one), drops
// designations that are immediately followed by another escape sequence,
// turns the characters into bytes one for one (code page 1252) and decodes
// the bytes with the kind's ISO-2022 code page. A leading U+FEFF and every
// U+0000 are removed.
//
// Returns the text unchanged when it is empty or `kind` is not one of the
// three. When decoding gives nothing, returns the text with its ESC characters
// restored. When the result would be longer than `max_len` units, returns the
// input text unchanged with too_long set.
Converted DecodeIso2022Escapes(const Text& text, Iso2022Kind kind,
                               std::size_t max_len = kMaxTextLen);

// The restoring steps alone, without the decoding: what DecodeIso2022Escapes
// hands to the ISO-2022 converter, still as text. Empty text and a kind
// outside the enum come back unchanged.
Text RestoreIso2022Escapes(const Text& text, Iso2022Kind kind);

}  // namespace tekvo

#endif  // TEKVO_ENGINE_TRANSFER_ISO2022_H_

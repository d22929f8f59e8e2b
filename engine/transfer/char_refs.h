// Numeric character references and escapes.
//
// EncodeCharRefs writes every character outside ASCII as an HTML numeric
// reference. DecodeNumericEscapes turns three families of numeric escapes back
// into characters: HTML references (with the named entities and line-breaking
// tags of html_entities.h), backslash escapes and percent escapes.
#ifndef TEKVO_ENGINE_TRANSFER_CHAR_REFS_H_
#define TEKVO_ENGINE_TRANSFER_CHAR_REFS_H_

#include <cstddef>

#include "engine/text/text.h"

namespace tekvo {

enum class CharRefBase { kHex, kDecimal };

// Every UTF-16 unit of 128 or more becomes "&#x" + upper-case hex + ";" or
// "&#" + decimal + ";", without leading zeros; ASCII (line breaks, "&" and ";"
// included) is copied. A well-formed surrogate pair becomes one reference to
// its code point ("&#x1F600;"), a lone surrogate a reference of its own.
//
// Texts longer than max_len / 9 units are refused: too_long is set and text is
// the input. The empty text gives the empty text.
Converted EncodeCharRefs(const Text& text, CharRefBase base, std::size_t max_len = kMaxTextLen);

enum class EscapeFamily {
  kHtml,       // "&#x53EF;" "&#X53EF;" "&#25511;", named entities, the six tags
  kBackslash,  // "\u53EF" "\U53EF" (4 hex digits), "\x28" "\X28" (2)
  kPercent,    // "%u53EF" "%U53EF" (4 hex digits), "%28" (2)
};

// Decodes the escapes of `family` in one left-to-right scan.
//
// An escape takes at most its number of digits (HTML: 6 hex or 7 decimal,
// written as a surrogate pair above U+FFFF; the others 4 or 2 hex digits); a
// non-digit cuts it short and it gives the character of the digits read so
// far. An HTML reference whose next digit would carry it past U+10FFFF keeps
// only its first 4 hex or 5 decimal digits, and the digits after them stay
// text ("&#65509100" gives "\uFFE5" "100"). U+FFFF is one unit, never a pair.
// An escape with no digits or the value 0 gives nothing. In HTML a ";" directly after an escape,
// valid or not, is swallowed. Two-digit escapes give the character with that code (U+0001 to
// U+00FF), never bytes of a code page. The output is never longer than the
// input. Never fails; an unknown family returns the input.
Text DecodeNumericEscapes(const Text& text, EscapeFamily family);

}  // namespace tekvo

#endif  // TEKVO_ENGINE_TRANSFER_CHAR_REFS_H_

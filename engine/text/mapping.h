// Width and script mapping.
//
// The four character conversions of the edit menus: to full width, to half
// width, to simplified and to traditional Chinese. The script mapping works
// one character for one character, so its result has the length of the
// input; a character whose mapping would take a different number of UTF-16
// units (a supplementary ideograph mapped into the basic plane) is kept as it
// is. The width mapping composes and splits the katakana sound marks, so its
// result may be shorter or longer. The tables are ICU's transforms
// ("Hans-Hant", "Hant-Hans", "Halfwidth-Fullwidth", "Fullwidth-Halfwidth")
// and its normalisation data. Thread-safe; none throws.
#ifndef TEKVO_ENGINE_TEXT_MAPPING_H_
#define TEKVO_ENGINE_TEXT_MAPPING_H_

#include "engine/text/text.h"

namespace tekvo {

enum class ScriptTarget { kSimplified, kTraditional };
enum class WidthTarget { kFull, kHalf };

// Maps Chinese characters to their simplified or traditional form. ASCII,
// digits and characters with no other form are unchanged. Empty text gives
// empty text; if the transform is unavailable, the input comes back unchanged.
Text MapChineseScript(const Text& text, ScriptTarget target);

// To full width, the printable ASCII characters become U+FF01 to U+FF5E and
// the space the ideographic space U+3000 (likewise half-width katakana and
// the other narrow forms); to half width does the reverse. A half-width kana
// with its voiced or semi-voiced mark becomes one kana ("ｶﾞ" -> "ガ"), a mark
// alone the spacing mark ("ﾞ" -> "゛"), and back ("パ" -> "ﾊﾟ"); half-width
// Hangul jamo become the compatibility jamo ("ﾡ" -> "ㄱ") and back.
// Characters with no other width are unchanged; if the transform is
// unavailable, the input comes back unchanged.
Text MapWidth(const Text& text, WidthTarget target);

// The four conversions in the order the edit menus list them.
enum class TextMapping { kFullWidth = 0, kHalfWidth = 1, kSimplified = 2, kTraditional = 3 };

// One of the four conversions above, by its menu position.
Text ApplyTextMapping(const Text& text, TextMapping mapping);

}  // namespace tekvo

#endif  // TEKVO_ENGINE_TEXT_MAPPING_H_

// Code page reinterpretation: the central repair. Text that shows bytes of
// encoding B read as encoding A is encoded with A, which gives the bytes back,
// and decoded with B.
#ifndef TEKVO_ENGINE_REINTERPRET_H_
#define TEKVO_ENGINE_REINTERPRET_H_

#include <cstddef>

#include "engine/text.h"

namespace tekvo {

// Encodes `text` with LocaleId `a` and decodes the bytes with LocaleId `b`
// (LCIDs, or kIdUtf16Be, kIdUtf16Le, kIdUtf8). A leading U+FEFF and every
// U+0000 are removed from the result. Returns the input unchanged when an
// identifier is not a conversion, an LCID is unknown or the result is empty;
// returns the input with too_long set when the result exceeds `max_len`.
Converted ReinterpretByLocale(const Text& text, LocaleId a, LocaleId b,
                              std::size_t max_len = kMaxTextLen);

// The same with Windows code page numbers (0 or more) or kIdUtf16Le on either
// side; every other negative identifier returns the input unchanged.
Converted ReinterpretByCodePage(const Text& text, CodePageId a, CodePageId b,
                                std::size_t max_len = kMaxTextLen);

}  // namespace tekvo

#endif  // TEKVO_ENGINE_REINTERPRET_H_

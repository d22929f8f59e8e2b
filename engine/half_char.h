// Half-character shift repair.
//
// Text in a double-byte code page or in UTF-16 turns into garbage from the
// point where one byte was lost or added: every later character is made of the
// second byte of one character and the first byte of the next. The repair
// re-encodes the text from the cut, drops one byte there and decodes again, so
// that the byte pairs line up once more. A blank marks the cut.
#ifndef TEKVO_ENGINE_HALF_CHAR_H_
#define TEKVO_ENGINE_HALF_CHAR_H_

#include <cstddef>
#include <cstdint>

#include "engine/text.h"

namespace tekvo {

// Repairs `text` from code unit `pos` on (0 = before the first unit; line
// breaks count as CR LF). The first `pos` units are kept, followed by one blank;
// the rest of the text, from unit `pos` on, is encoded with `id`, loses its
// first byte and is decoded again with `id`. Every U+0000 is removed.
//
// `id` is an LCID (1 or more: its default ANSI code page) or kIdUtf16Be /
// kIdUtf16Le (both mean UTF-16 little-endian, the text's own bytes; an odd last
// byte is dropped).
//
// Returns the text unchanged when `pos` is negative or at the end or beyond,
// when `id` is any other value, or when the LCID is unknown. When the result
// would be longer than `max_len` units, returns the text unchanged with
// too_long set.
Converted ShiftHalfCharacter(const Text& text, std::int32_t pos, LocaleId id,
                             std::size_t max_len = kMaxTextLen);

}  // namespace tekvo

#endif  // TEKVO_ENGINE_HALF_CHAR_H_

// Half-character shift repair.
//
// Text in a double-byte code page or in UTF-16 turns into garbage from the
// point where one byte was lost or added: every later character is made of the
// second byte of one character and the first byte of the next. The repair
// re-encodes the text from the cut, drops one byte there and decodes again, so
// that the byte pairs line up once more. A blank marks the cut.
#ifndef TEKVO_ENGINE_REPAIR_HALF_CHAR_H_
#define TEKVO_ENGINE_REPAIR_HALF_CHAR_H_

#include <cstddef>
#include <cstdint>

#include "engine/text/text.h"

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

// The same repair given the text a piece at a time, so that a long text need
// not be held whole: the results of all the calls joined are
// ShiftHalfCharacter's result for the whole text, when `pos` is before its
// end and no length limit applies. Bytes of a character cut by the dropped
// byte wait for the next piece.
class HalfCharShifter {
 public:
  // `id` must be an LCID whose code page the bridge knows, kIdUtf16Be or
  // kIdUtf16Le.
  HalfCharShifter(std::size_t pos, LocaleId id) : pos_(pos), id_(id) {}

  // Appends the result for the next piece. Pieces must not end between the
  // two halves of a surrogate pair; `last` marks the text's last piece.
  void Add(const Text& piece, bool last, Text& out);

 private:
  ByteString Encode(const Text& text) const;

  std::size_t pos_;
  LocaleId id_;
  std::size_t seen_ = 0;  // units of the text given so far
  ByteString pending_;    // bytes from the cut on, not decoded yet
};

}  // namespace tekvo

#endif  // TEKVO_ENGINE_REPAIR_HALF_CHAR_H_

// Where UTF-8 bytes may be cut so that the engine's UTF-8 decoder reads the
// pieces, one at a time, exactly as it reads the whole: the tool streams long
// inputs through it a piece at a time.
#ifndef TEKVO_ENGINE_TEXT_UTF8_CUT_H_
#define TEKVO_ENGINE_TEXT_UTF8_CUT_H_

#include <cstddef>
#include <string_view>

namespace tekvo {

// True when `bytes` may be cut before index `p` (0 < p < size): the decoder
// has nothing pending there and nothing before `p` depends on the bytes
// after it, so Utf8BytesToText(bytes[0, p)) + Utf8BytesToText(bytes[p, end))
// equals Utf8BytesToText(bytes). Holds after an ASCII byte, after a
// complete two- or three-byte sequence other than a lone high surrogate
// (ED A0..AF xx), so that a surrogate pair written as two sequences is
// never split between pieces, and after a well-formed four-byte sequence
// (Utf8SequenceAt, read whole as one surrogate pair). False for p = 0 and
// p >= size. Never fails.
bool IsUtf8CutPoint(std::string_view bytes, std::size_t p);

// The last p in (from, size) at which both IsUtf8CutPoint holds and
// `also(bytes, p)` says yes, or 0 when there is none. Scans backwards from
// the end, so the usual case costs a few bytes.
template <typename Predicate>
std::size_t LastUtf8CutPoint(std::string_view bytes, std::size_t from, Predicate also) {
  for (std::size_t p = bytes.size(); p-- > from + 1;) {
    if (IsUtf8CutPoint(bytes, p) && also(bytes, p)) return p;
  }
  return 0;
}

}  // namespace tekvo

#endif  // TEKVO_ENGINE_TEXT_UTF8_CUT_H_

#include "engine/text/utf8_cut.h"

#include "engine/text/utf8_sequence.h"

namespace tekvo {
namespace {

bool IsContinuation(unsigned char b) { return b >= 0x80 && b <= 0xBF; }

}  // namespace

bool IsUtf8CutPoint(std::string_view bytes, std::size_t p) {
  if (p == 0 || p >= bytes.size()) return false;
  const auto at = [&](std::size_t i) { return static_cast<unsigned char>(bytes[i]); };
  // An ASCII byte ends whatever was pending, and no look-ahead of an earlier
  // lead byte passes it: it is not a continuation byte.
  if (at(p - 1) < 0x80) return true;
  // Whatever state the decoder is in, a lead byte restarts it, and the
  // continuation bytes its length asks for bring it back to rest. No earlier
  // look-ahead passes the lead byte.
  if (p >= 2 && at(p - 2) >= 0xC0 && at(p - 2) <= 0xDF && IsContinuation(at(p - 1))) return true;
  if (p >= 3 && at(p - 3) >= 0xE0 && at(p - 3) <= 0xEF && IsContinuation(at(p - 2)) &&
      IsContinuation(at(p - 1))) {
    const bool high_surrogate = at(p - 3) == 0xED && at(p - 2) >= 0xA0 && at(p - 2) <= 0xAF;
    return !high_surrogate;
  }
  // The lead byte ends whatever was pending, and the decoder takes the four
  // bytes as one pair and comes back to rest.
  return p >= 4 && Utf8SequenceAt(bytes, p - 4) == 4;
}

}  // namespace tekvo

#include "engine/score/word_pairs.h"

#include <algorithm>
#include <array>
#include <cstddef>
#include <cstdint>

namespace tekvo::score {

// The generated table (scripts/make-word-pairs): the characters that begin
// a pair, in order; how many pairs each begins; and the second characters of
// all pairs, sorted within each first character.
extern const std::size_t kWordPairFirstCount;
extern const char16_t kWordPairFirsts[];
extern const std::uint16_t kWordPairCounts[];
extern const char16_t kWordPairSeconds[];

namespace {

// Where the second characters of each first character begin, for every BMP
// unit and one past the last.
using Index = std::array<std::uint32_t, 0x10001>;

const Index& PairIndex() {
  static const Index* const index = [] {
    auto* idx = new Index();
    std::uint32_t at = 0;
    std::size_t f = 0;
    for (std::uint32_t u = 0; u <= 0xFFFF; ++u) {
      (*idx)[u] = at;
      if (f < kWordPairFirstCount && kWordPairFirsts[f] == u) at += kWordPairCounts[f++];
    }
    (*idx)[0x10000] = at;
    return idx;
  }();
  return *index;
}

}  // namespace

bool IsWordPair(char16_t first, char16_t second) {
  const Index& idx = PairIndex();
  const char16_t* begin = kWordPairSeconds + idx[first];
  const char16_t* end = kWordPairSeconds + idx[first + 1];
  return begin != end && std::binary_search(begin, end, second);
}

}  // namespace tekvo::score

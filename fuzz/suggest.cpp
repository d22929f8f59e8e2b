// Ranking the repairs of any text: never crashes, always lists "no repair"
// with the text itself, lists no text twice and keeps every result within the
// length limit; every repair names its step or, segmenting, its stretches;
// the score of any text is a finite number.
#include "engine/suggest/suggest.h"

#include <cmath>
#include <cstddef>
#include <cstdint>
#include <cstdlib>
#include <cstring>
#include <set>

#include "engine/score/text_score.h"

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
  using namespace tekvo;
  Text text(std::min<std::size_t>(size / 2, 2000), u'\0');
  std::memcpy(text.data(), data, text.size() * 2);
  if (!std::isfinite(ScoreText(text))) std::abort();
  SuggestOptions options;
  options.max_len = 4000;
  const auto ranked = SuggestRepairs(text, options);
  std::set<Text> seen;
  int keep = 0;
  for (const RepairCandidate& c : ranked) {
    if (!seen.insert(c.text).second) std::abort();
    if (!std::isfinite(c.score)) std::abort();
    if (c.steps == 0) {
      ++keep;
      if (c.text != text) std::abort();
    } else if (c.text.size() > options.max_len || (c.first < 0 && c.stretches.empty())) {
      std::abort();
    }
  }
  if (keep != 1) std::abort();
  return 0;
}

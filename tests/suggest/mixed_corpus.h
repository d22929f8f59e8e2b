// Measuring the ranking on texts garbled only in part (mixed.tsv, written by
// scripts/make-mixed-corpus): how often the first-ranked candidate gives the
// original back exactly, for each kind of case. Header-only: the unit test
// and the accuracy benchmark both include it.
#ifndef TEKVO_TESTS_SUGGEST_MIXED_CORPUS_H_
#define TEKVO_TESTS_SUGGEST_MIXED_CORPUS_H_

#include <map>
#include <string>
#include <vector>

#include "engine/suggest/suggest.h"
#include "tekvo/source_dir.h"
#include "tests/suggest/suggest_corpus.h"

namespace tekvo::mixed_corpus {

struct KindTally {
  int cases = 0;
  int restored = 0;  // the first candidate gives the original exactly
  std::vector<std::string> misses;
  double Rate() const { return cases ? 100.0 * restored / cases : 100.0; }
};

// The tally of each kind ("page", "inline", "clean").
inline std::map<std::string, KindTally> Measure(const std::vector<suggest_corpus::Case>& cases) {
  std::map<std::string, KindTally> tally;
  for (const auto& c : cases) {
    KindTally& t = tally[c.kind];
    ++t.cases;
    const auto ranked = SuggestRepairs(c.text);
    if (ranked.front().text == c.original) {
      ++t.restored;
    } else {
      t.misses.push_back(c.id + " " + c.language + " " + suggest_corpus::ToUtf8(c.expected) +
                         ": got " + suggest_corpus::ToUtf8(ranked.front().name) + " | " +
                         suggest_corpus::ToUtf8(FirstLine(c.text, 60)));
    }
  }
  return tally;
}

inline std::string MixedPath() {
  return std::string(TEKVO_SOURCE_DIR) + "/tests/suggest/mixed.tsv";
}

}  // namespace tekvo::mixed_corpus

#endif  // TEKVO_TESTS_SUGGEST_MIXED_CORPUS_H_

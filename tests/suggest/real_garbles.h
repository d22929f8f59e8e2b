// Reading the real-world yardstick (bench/real_garbles/garbles.tsv): garbled
// texts people posted in public, with their true text, and measuring what the
// suggestions' first candidate, the one `tekvo-cli suggest --apply` writes,
// makes of them. Header-only: the unit test and the benchmark both include
// it.
#ifndef TEKVO_TESTS_SUGGEST_REAL_GARBLES_H_
#define TEKVO_TESTS_SUGGEST_REAL_GARBLES_H_

#include <algorithm>
#include <cstdint>
#include <fstream>
#include <map>
#include <sstream>
#include <string>
#include <vector>

#include "engine/suggest/suggest.h"
#include "tekvo/source_dir.h"
#include "tests/suggest/suggest_corpus.h"

namespace tekvo::real_garbles {

struct Case {
  std::string id;
  bool held = false;        // in the held-out fifth: never tuned on
  std::string kind;         // how it was garbled: "utf8-as-gbk", "mime-encoded-word"...
  bool lossy = false;       // bytes were lost before it was posted
  bool confirmed = false;   // the thread itself gives the true text
  std::string source_type;  // "issue", "pull" or "web"
  std::u16string text;      // as posted
  std::u16string truth;     // what was meant
  std::string source;
};

// The held-out rule, fixed once: FNV-1a (32 bits) of the id's UTF-8 bytes,
// and a case is held out when that is a multiple of 5. The data's `part`
// column must agree with it; the test checks that it does.
inline bool HeldOutById(const std::string& id) {
  std::uint32_t h = 2166136261u;
  for (const unsigned char b : id) h = (h ^ b) * 16777619u;
  return h % 5 == 0;
}

inline std::string DataPath() {
  return std::string(TEKVO_SOURCE_DIR) + "/bench/real_garbles/garbles.tsv";
}

// Every row of the file; a row that does not parse (wrong column count, a
// part other than "tune"/"held", malformed UTF-8 or escape) is skipped and
// counted in `*bad_rows`. An empty list when the file cannot be read.
inline std::vector<Case> Load(const std::string& path, int* bad_rows = nullptr) {
  std::vector<Case> cases;
  std::ifstream in(path, std::ios::binary);
  std::string line;
  int bad = 0;
  while (std::getline(in, line)) {
    if (line.empty() || line[0] == '#') continue;
    std::vector<std::string> f;
    std::stringstream ss(line);
    std::string part;
    while (std::getline(ss, part, '\t')) f.push_back(part);
    if (f.size() == 9) f.emplace_back();  // an empty note at the end of the line
    auto text = f.size() == 10 ? suggest_corpus::Utf8ToUtf16(f[6], true) : std::nullopt;
    auto truth = f.size() == 10 ? suggest_corpus::Utf8ToUtf16(f[7], true) : std::nullopt;
    if (!text || !truth || (f[1] != "tune" && f[1] != "held") || (f[3] != "0" && f[3] != "1") ||
        (f[4] != "0" && f[4] != "1")) {
      ++bad;
      continue;
    }
    cases.push_back(
        {f[0], f[1] == "held", f[2], f[3] == "1", f[4] == "1", f[5], *text, *truth, f[8]});
  }
  if (bad_rows) *bad_rows = bad;
  return cases;
}

// Code points of a UTF-16 text (a lone surrogate counts as one).
inline std::vector<char32_t> CodePoints(std::u16string_view s) {
  std::vector<char32_t> out;
  for (std::size_t i = 0; i < s.size(); ++i) {
    char32_t c = s[i];
    if (c >= 0xD800 && c <= 0xDBFF && i + 1 < s.size() && s[i + 1] >= 0xDC00 &&
        s[i + 1] <= 0xDFFF) {
      c = 0x10000 + ((c - 0xD800) << 10) + (s[++i] - 0xDC00);
    }
    out.push_back(c);
  }
  return out;
}

// The share of the truth's characters a result gets right: 1 - (edit
// distance over code points) / (characters of the truth), at least 0. An
// extra, missing or wrong character each costs one, so a result that keeps a
// hole where the truth has a character loses that one character only.
inline double CharShare(std::u16string_view result, std::u16string_view truth) {
  const std::vector<char32_t> a = CodePoints(result), b = CodePoints(truth);
  if (b.empty()) return a.empty() ? 1.0 : 0.0;
  std::vector<std::size_t> row(b.size() + 1);
  for (std::size_t j = 0; j <= b.size(); ++j) row[j] = j;
  for (std::size_t i = 1; i <= a.size(); ++i) {
    std::size_t diag = row[0];
    row[0] = i;
    for (std::size_t j = 1; j <= b.size(); ++j) {
      const std::size_t up = row[j];
      row[j] = std::min({row[j] + 1, row[j - 1] + 1, diag + (a[i - 1] == b[j - 1] ? 0 : 1)});
      diag = up;
    }
  }
  const double d = static_cast<double>(row[b.size()]);
  return std::max(0.0, 1.0 - d / static_cast<double>(b.size()));
}

// What the ranking makes of one case: the first candidate (as `tekvo-cli
// suggest --apply` writes it, with no length limit), and the three best.
struct Outcome {
  std::u16string first;
  bool exact_first = false;
  bool exact_top3 = false;
  double share_first = 0;  // CharShare of the first candidate
  double share_top3 = 0;   // the best CharShare among the three best
  double share_as_is = 0;  // CharShare of the text left as posted
};

inline Outcome Judge(const Case& c) {
  SuggestOptions options;
  options.max_len = kNoLengthLimit;
  const std::vector<RepairCandidate> ranked = SuggestRepairs(c.text, options);
  Outcome o;
  o.first = ranked.front().text;
  o.exact_first = o.first == c.truth;
  o.share_first = CharShare(o.first, c.truth);
  o.share_as_is = CharShare(c.text, c.truth);
  for (std::size_t i = 0; i < ranked.size() && i < 3; ++i) {
    o.exact_top3 = o.exact_top3 || ranked[i].text == c.truth;
    o.share_top3 = std::max(o.share_top3, CharShare(ranked[i].text, c.truth));
  }
  return o;
}

// Sums for one group of cases (a kind, a part, all).
struct Tally {
  int intact = 0, exact_first = 0, exact_top3 = 0;
  int lossy = 0;
  double share_first = 0, share_top3 = 0, share_as_is = 0;  // sums over lossy cases

  void Add(const Case& c, const Outcome& o) {
    if (c.lossy) {
      ++lossy;
      share_first += o.share_first;
      share_top3 += o.share_top3;
      share_as_is += o.share_as_is;
    } else {
      ++intact;
      exact_first += o.exact_first;
      exact_top3 += o.exact_top3;
    }
  }
  static double Pct(double part, int whole) { return whole ? 100.0 * part / whole : 0.0; }
  double FirstRate() const { return Pct(exact_first, intact); }
  double Top3Rate() const { return Pct(exact_top3, intact); }
  double LossyFirst() const { return Pct(share_first, lossy); }
  double LossyTop3() const { return Pct(share_top3, lossy); }
  double LossyAsIs() const { return Pct(share_as_is, lossy); }
};

}  // namespace tekvo::real_garbles

#endif  // TEKVO_TESTS_SUGGEST_REAL_GARBLES_H_

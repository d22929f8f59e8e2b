// The two sets beside the real-world yardstick, read with its loader
// (real_garbles::Load): garbled stretches inside clean text people posted
// (bench/real_garbles/mixed.tsv) and garbled file names people posted
// (names.tsv). What this adds: where a case's garbled stretches lie, whether
// a result left every character outside them as it was, and the bytes a
// posted name has on disk. Header-only, for the unit test, the benchmark and
// threshold tests.
#ifndef TEKVO_TESTS_SUGGEST_REAL_STRETCHES_H_
#define TEKVO_TESTS_SUGGEST_REAL_STRETCHES_H_

#include <cstddef>
#include <cstdint>
#include <string>
#include <string_view>
#include <vector>

#include "tests/suggest/real_garbles.h"

namespace tekvo::real_garbles {

inline std::string MixedDataPath() {
  return std::string(TEKVO_SOURCE_DIR) + "/bench/real_garbles/mixed.tsv";
}

inline std::string NamesDataPath() {
  return std::string(TEKVO_SOURCE_DIR) + "/bench/real_garbles/names.tsv";
}

inline bool IsBlank(char32_t c) {
  return c == ' ' || c == '\t' || c == '\n' || c == '\r' || c == 0x3000 || c == 0xA0;
}

// A run of the text that its truth shares: [begin, end) in code points of
// the text.
struct CleanRun {
  std::size_t begin = 0, end = 0;
};

// The runs of `text` outside its garbled stretches, in order: the characters
// a longest common subsequence of text and truth pairs, cut wherever the
// pairing skips a character on either side. A run of one or two characters
// without a blank between two stretches counts as part of the stretch (a
// letter a garble left alone, as the "l" of "TÃ©lÃ©"). Empty when text and
// truth are the same (all of it is clean: see KeepsOutside).
inline std::vector<CleanRun> CleanRuns(std::u16string_view text, std::u16string_view truth) {
  const std::vector<char32_t> a = CodePoints(text), b = CodePoints(truth);
  std::vector<CleanRun> runs;
  if (a == b) return runs;
  std::size_t pre = 0;
  while (pre < a.size() && pre < b.size() && a[pre] == b[pre]) ++pre;
  std::size_t suf = 0;
  while (suf < a.size() - pre && suf < b.size() - pre &&
         a[a.size() - 1 - suf] == b[b.size() - 1 - suf]) {
    ++suf;
  }
  const std::size_t n = a.size() - pre - suf, m = b.size() - pre - suf;
  // partner[i]: the truth position paired with text position i, or npos.
  constexpr std::size_t npos = static_cast<std::size_t>(-1);
  std::vector<std::size_t> partner(a.size(), npos);
  for (std::size_t i = 0; i < pre; ++i) partner[i] = i;
  for (std::size_t k = 0; k < suf; ++k) partner[a.size() - 1 - k] = b.size() - 1 - k;
  if (n > 0 && m > 0 && n * m <= 40'000'000) {
    // lcs[i][j]: length of a longest common subsequence of the middles'
    // suffixes from i and j.
    std::vector<std::uint32_t> lcs((n + 1) * (m + 1), 0);
    auto at = [&](std::size_t i, std::size_t j) -> std::uint32_t& { return lcs[i * (m + 1) + j]; };
    for (std::size_t i = n; i-- > 0;) {
      for (std::size_t j = m; j-- > 0;) {
        at(i, j) =
            a[pre + i] == b[pre + j] ? at(i + 1, j + 1) + 1 : std::max(at(i + 1, j), at(i, j + 1));
      }
    }
    std::size_t i = 0, j = 0;
    while (i < n && j < m) {
      if (a[pre + i] == b[pre + j] && at(i, j) == at(i + 1, j + 1) + 1) {
        partner[pre + i] = pre + j;
        ++i;
        ++j;
      } else if (at(i + 1, j) >= at(i, j + 1)) {
        ++i;
      } else {
        ++j;
      }
    }
  }
  for (std::size_t i = 0; i < a.size();) {
    if (partner[i] == npos) {
      ++i;
      continue;
    }
    std::size_t e = i + 1;
    while (e < a.size() && partner[e] != npos && partner[e] == partner[e - 1] + 1) ++e;
    // A run also ends where the truth has characters the text lacks.
    runs.push_back({i, e});
    i = e;
  }
  // Runs that the truth breaks apart without a text character between them
  // stay apart: each must be kept. Short runs between two stretches join
  // the stretch.
  std::vector<CleanRun> kept;
  for (std::size_t r = 0; r < runs.size(); ++r) {
    const CleanRun& run = runs[r];
    const bool inner = run.begin > 0 && run.end < a.size() && partner[run.begin - 1] == npos &&
                       partner[run.end] == npos;
    bool blank = false;
    for (std::size_t k = run.begin; k < run.end; ++k) blank = blank || IsBlank(a[k]);
    if (inner && run.end - run.begin <= 2 && !blank) continue;
    kept.push_back(run);
  }
  return kept;
}

// Whether `result` left every character of `text` outside the garbled
// stretches as it was: it starts with the text's first clean run when the
// text starts clean, ends with its last when the text ends clean, and holds
// every clean run in order. A text with no stretch must come back whole.
inline bool KeepsOutside(std::u16string_view result, std::u16string_view text,
                         std::u16string_view truth) {
  if (text == truth) return result == text;
  const std::vector<char32_t> a = CodePoints(text), r = CodePoints(result);
  const std::vector<CleanRun> runs = CleanRuns(text, truth);
  std::size_t from = 0;
  for (std::size_t k = 0; k < runs.size(); ++k) {
    const std::vector<char32_t> piece(a.begin() + runs[k].begin, a.begin() + runs[k].end);
    std::size_t at = 0;
    if (runs[k].end == a.size()) {
      if (r.size() < piece.size() || r.size() - piece.size() < from) return false;
      at = r.size() - piece.size();
      if (!std::equal(piece.begin(), piece.end(), r.begin() + at)) return false;
    } else if (runs[k].begin == 0) {
      if (r.size() < piece.size() || !std::equal(piece.begin(), piece.end(), r.begin())) {
        return false;
      }
    } else {
      const auto it = std::search(r.begin() + from, r.end(), piece.begin(), piece.end());
      if (it == r.end()) return false;
      at = static_cast<std::size_t>(it - r.begin());
    }
    from = at + piece.size();
  }
  return true;
}

// The bytes a posted name has on disk: `\ooo` (octal, as `ls -b` and
// printf show them) and `\xHH` escapes stand for raw bytes, the rest is the
// UTF-8 of the text, as an unzip that read the bytes through a code page
// wrote it.
inline std::string NameBytes(const Case& c) {
  const std::string s = suggest_corpus::ToUtf8(c.text);
  std::string out;
  auto oct = [](char ch) { return ch >= '0' && ch <= '7'; };
  auto hex = [](char ch) {
    return (ch >= '0' && ch <= '9') || (ch >= 'a' && ch <= 'f') || (ch >= 'A' && ch <= 'F');
  };
  for (std::size_t i = 0; i < s.size(); ++i) {
    if (s[i] == '\\' && i + 3 < s.size() && s[i + 1] >= '0' && s[i + 1] <= '3' && oct(s[i + 2]) &&
        oct(s[i + 3])) {
      out.push_back(static_cast<char>(std::stoi(s.substr(i + 1, 3), nullptr, 8)));
      i += 3;
    } else if (s[i] == '\\' && i + 3 < s.size() && s[i + 1] == 'x' && hex(s[i + 2]) &&
               hex(s[i + 3])) {
      out.push_back(static_cast<char>(std::stoi(s.substr(i + 2, 2), nullptr, 16)));
      i += 3;
    } else {
      out.push_back(s[i]);
    }
  }
  return out;
}

}  // namespace tekvo::real_garbles

#endif  // TEKVO_TESTS_SUGGEST_REAL_STRETCHES_H_

// Reading the measuring corpus of the repair ranking (corpus.tsv, written by
// scripts/make-suggest-corpus) and the mojibake cases in the shared data
// folder, and measuring how the ranking does on them. Header-only: the unit
// test and the accuracy benchmark both include it.
#ifndef TEKVO_TESTS_SUGGEST_SUGGEST_CORPUS_H_
#define TEKVO_TESTS_SUGGEST_SUGGEST_CORPUS_H_

#include <unicode/utf16.h>

#include <cstdio>
#include <cstdlib>
#include <fstream>
#include <map>
#include <optional>
#include <sstream>
#include <string>
#include <vector>

#include "engine/suggest/suggest.h"
#include "tekvo/source_dir.h"

namespace tekvo::suggest_corpus {

struct Case {
  std::string id;
  std::string kind;  // "clean", "single", "chain"
  std::string language;
  std::u16string expected;  // the right repair's name; empty for clean text
  std::u16string text;      // what is to be repaired
  std::u16string original;  // what the repair should give
};

inline void AppendUtf16(std::u16string& out, char32_t c) {
  if (c >= 0x10000) {
    out.push_back(U16_LEAD(c));
    out.push_back(U16_TRAIL(c));
  } else {
    out.push_back(static_cast<char16_t>(c));
  }
}

// UTF-8 to UTF-16, reading "\\", "\t", "\n", "\r" and "\uXXXX" escapes when
// `escapes` is set. Returns nullopt on a malformed byte or escape.
inline std::optional<std::u16string> Utf8ToUtf16(const std::string& s, bool escapes) {
  std::u16string out;
  out.reserve(s.size());
  for (std::size_t i = 0; i < s.size();) {
    const unsigned char b = static_cast<unsigned char>(s[i]);
    if (escapes && b == '\\' && i + 1 < s.size()) {
      const char e = s[i + 1];
      if (e == '\\' || e == 't' || e == 'n' || e == 'r') {
        out.push_back(e == '\\' ? u'\\' : e == 't' ? u'\t' : e == 'n' ? u'\n' : u'\r');
        i += 2;
        continue;
      }
      if (e == 'u' && i + 6 <= s.size()) {
        char* end = nullptr;
        const std::string hex = s.substr(i + 2, 4);
        const unsigned long v = std::strtoul(hex.c_str(), &end, 16);
        if (end != hex.c_str() + 4) return std::nullopt;
        out.push_back(static_cast<char16_t>(v));
        i += 6;
        continue;
      }
      return std::nullopt;
    }
    int len = b < 0x80 ? 1 : (b >> 5) == 6 ? 2 : (b >> 4) == 14 ? 3 : (b >> 3) == 30 ? 4 : 0;
    if (len == 0 || i + len > s.size()) return std::nullopt;
    char32_t c = len == 1 ? b : len == 2 ? (b & 0x1F) : len == 3 ? (b & 0x0F) : (b & 0x07);
    for (int k = 1; k < len; ++k) {
      const unsigned char t = static_cast<unsigned char>(s[i + k]);
      if ((t >> 6) != 2) return std::nullopt;
      c = (c << 6) | (t & 0x3F);
    }
    AppendUtf16(out, c);
    i += len;
  }
  return out;
}

inline std::string ToUtf8(std::u16string_view s) {
  std::string out;
  for (std::size_t i = 0; i < s.size(); ++i) {
    char32_t c = s[i];
    if (U16_IS_LEAD(c) && i + 1 < s.size() && U16_IS_TRAIL(s[i + 1])) {
      c = U16_GET_SUPPLEMENTARY(c, s[++i]);
    }
    if (c < 0x80) {
      out.push_back(static_cast<char>(c));
    } else if (c < 0x800) {
      out.push_back(static_cast<char>(0xC0 | (c >> 6)));
      out.push_back(static_cast<char>(0x80 | (c & 0x3F)));
    } else if (c < 0x10000) {
      out.push_back(static_cast<char>(0xE0 | (c >> 12)));
      out.push_back(static_cast<char>(0x80 | ((c >> 6) & 0x3F)));
      out.push_back(static_cast<char>(0x80 | (c & 0x3F)));
    } else {
      out.push_back(static_cast<char>(0xF0 | (c >> 18)));
      out.push_back(static_cast<char>(0x80 | ((c >> 12) & 0x3F)));
      out.push_back(static_cast<char>(0x80 | ((c >> 6) & 0x3F)));
      out.push_back(static_cast<char>(0x80 | (c & 0x3F)));
    }
  }
  return out;
}

// The corpus rows; an empty list when the file is missing or unreadable. A
// malformed row is skipped and counted in `*bad_rows`.
inline std::vector<Case> LoadCorpus(const std::string& path, int* bad_rows = nullptr) {
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
    if (f.size() == 5) f.emplace_back();  // an empty original at the end of the line
    if (f.size() != 6) {
      ++bad;
      continue;
    }
    auto expected = Utf8ToUtf16(f[3], false);
    auto text = Utf8ToUtf16(f[4], true);
    auto original = Utf8ToUtf16(f[5], true);
    if (!expected || !text || !original) {
      ++bad;
      continue;
    }
    cases.push_back({f[0], f[1], f[2], *expected, *text, *original});
  }
  if (bad_rows) *bad_rows = bad;
  return cases;
}

// A just-enough JSON reader for the shared mojibake cases: an array of flat
// objects whose values are strings (other values are skipped).
class JsonCases {
 public:
  explicit JsonCases(std::string s) : s_(std::move(s)) {}

  // Each object as field -> value; nullopt on malformed input.
  std::optional<std::vector<std::map<std::string, std::u16string>>> Parse() {
    std::vector<std::map<std::string, std::u16string>> out;
    Skip();
    if (!Eat('[')) return std::nullopt;
    Skip();
    if (Eat(']')) return out;
    do {
      Skip();
      if (!Eat('{')) return std::nullopt;
      std::map<std::string, std::u16string> obj;
      Skip();
      if (!Eat('}')) {
        do {
          Skip();
          auto key = String();
          Skip();
          if (!key || !Eat(':')) return std::nullopt;
          Skip();
          if (Peek() == '"') {
            auto v = String();
            if (!v) return std::nullopt;
            obj[ToUtf8(*key)] = *v;
          } else {
            while (pos_ < s_.size() && s_[pos_] != ',' && s_[pos_] != '}') ++pos_;
          }
          Skip();
        } while (Eat(','));
        if (!Eat('}')) return std::nullopt;
      }
      out.push_back(std::move(obj));
      Skip();
    } while (Eat(','));
    Skip();
    if (!Eat(']')) return std::nullopt;
    return out;
  }

 private:
  char Peek() const { return pos_ < s_.size() ? s_[pos_] : '\0'; }
  bool Eat(char c) {
    if (Peek() != c) return false;
    ++pos_;
    return true;
  }
  void Skip() {
    while (pos_ < s_.size() &&
           (s_[pos_] == ' ' || s_[pos_] == '\n' || s_[pos_] == '\r' || s_[pos_] == '\t')) {
      ++pos_;
    }
  }
  std::optional<std::u16string> String() {
    if (!Eat('"')) return std::nullopt;
    std::string raw;
    std::u16string out;
    auto flush = [&]() -> bool {
      auto u = Utf8ToUtf16(raw, false);
      if (!u) return false;
      out += *u;
      raw.clear();
      return true;
    };
    while (pos_ < s_.size() && s_[pos_] != '"') {
      if (s_[pos_] != '\\') {
        raw.push_back(s_[pos_++]);
        continue;
      }
      if (!flush() || pos_ + 1 >= s_.size()) return std::nullopt;
      const char e = s_[pos_ + 1];
      pos_ += 2;
      switch (e) {
        case 'n':
          out.push_back(u'\n');
          break;
        case 't':
          out.push_back(u'\t');
          break;
        case 'r':
          out.push_back(u'\r');
          break;
        case 'b':
          out.push_back(u'\b');
          break;
        case 'f':
          out.push_back(u'\f');
          break;
        case 'u': {
          if (pos_ + 4 > s_.size()) return std::nullopt;
          const std::string hex = s_.substr(pos_, 4);
          char* end = nullptr;
          const unsigned long v = std::strtoul(hex.c_str(), &end, 16);
          if (end != hex.c_str() + 4) return std::nullopt;
          out.push_back(static_cast<char16_t>(v));
          pos_ += 4;
          break;
        }
        default:
          out.push_back(static_cast<char16_t>(e));
          break;
      }
    }
    if (!flush() || !Eat('"')) return std::nullopt;
    return out;
  }

  std::string s_;
  std::size_t pos_ = 0;
};

// The shared mojibake cases of one file, as corpus cases: "clean" where the
// fixed text equals the original, "single" otherwise, with the fixed text
// (its encoding-only form where given) as the original to reach. nullopt
// when the file is missing or malformed.
inline std::optional<std::vector<Case>> LoadMojibakeCases(const std::string& path) {
  std::ifstream in(path, std::ios::binary);
  if (!in) return std::nullopt;
  std::stringstream ss;
  ss << in.rdbuf();
  auto objects = JsonCases(ss.str()).Parse();
  if (!objects) return std::nullopt;
  std::vector<Case> cases;
  for (auto& o : *objects) {
    Case c;
    c.id = ToUtf8(o["label"]);
    c.text = o["original"];
    c.original = o.count("fixed-encoding") ? o["fixed-encoding"] : o["fixed"];
    c.kind = c.text == c.original ? "clean" : "single";
    c.language = ToUtf8(o["expect"]);
    cases.push_back(std::move(c));
  }
  return cases;
}

struct Tally {
  int garbled = 0, first = 0, top3 = 0, reachable = 0;
  int clean = 0, clean_kept = 0;
  std::vector<std::string> misses;  // one line per garbled case not ranked first
  std::vector<std::string> false_alarms;
  // Per expected repair: garbled cases, and those ranked first.
  std::map<std::string, std::pair<int, int>> by_repair;

  double FirstRate() const { return garbled ? 100.0 * first / garbled : 100.0; }
  double Top3Rate() const { return garbled ? 100.0 * top3 / garbled : 100.0; }
  double KeptRate() const { return clean ? 100.0 * clean_kept / clean : 100.0; }
};

// Whether a candidate is the right answer for a case: its name is the one
// expected, or it gives the original text back.
inline bool IsRight(const Case& c, const RepairCandidate& r) {
  return (!c.expected.empty() && r.name == c.expected) || r.text == c.original;
}

// Ranks every case and counts. With `expected_known` false (the shared
// cases), a garbled case counts only when some candidate gives the fixed text:
// the rest need repairs the menus do not offer.
inline Tally Measure(const std::vector<Case>& cases, bool expected_known,
                     const SuggestOptions& options = {}) {
  Tally t;
  for (const Case& c : cases) {
    const auto ranked = SuggestRepairs(c.text, options);
    if (c.kind == "clean") {
      ++t.clean;
      if (ranked.front().steps == 0) {
        ++t.clean_kept;
      } else {
        t.false_alarms.push_back(c.id + " " + c.language + ": " + ToUtf8(ranked.front().name) +
                                 " over no repair | " + ToUtf8(FirstLine(c.text, 60)));
      }
      continue;
    }
    std::size_t rank = ranked.size();
    for (std::size_t i = 0; i < ranked.size(); ++i) {
      if (IsRight(c, ranked[i])) {
        rank = i;
        break;
      }
    }
    if (!expected_known && rank == ranked.size()) continue;
    ++t.garbled;
    ++t.reachable;
    if (rank == 0) ++t.first;
    auto& per = t.by_repair[ToUtf8(c.expected)];
    ++per.first;
    if (rank == 0) ++per.second;
    if (rank < 3) ++t.top3;
    if (rank != 0) {
      char score[64];
      std::snprintf(score, sizeof score, " (%.3f vs %.3f)",
                    rank < ranked.size() ? ranked[rank].score : -99.0, ranked.front().score);
      t.misses.push_back(c.id + " " + c.language + ": want " + ToUtf8(c.expected) + " rank " +
                         (rank < ranked.size() ? std::to_string(rank + 1) : "none") + ", got " +
                         ToUtf8(ranked.front().name) + score + " | " +
                         ToUtf8(FirstLine(c.text, 50)));
    }
  }
  return t;
}

// Where the corpus is.
inline std::string CorpusPath() {
  return std::string(TEKVO_SOURCE_DIR) + "/tests/suggest/corpus.tsv";
}
inline std::string ShortPath() {
  return std::string(TEKVO_SOURCE_DIR) + "/tests/suggest/short.tsv";
}

}  // namespace tekvo::suggest_corpus

#endif  // TEKVO_TESTS_SUGGEST_SUGGEST_CORPUS_H_

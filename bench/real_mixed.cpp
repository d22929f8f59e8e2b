// Garbled stretches inside clean text and garbled file names people posted
// (bench/real_garbles/mixed.tsv, names.tsv). For a text: whether the first
// candidate of the suggestions, the text `tekvo-cli suggest --apply` writes,
// is the truth exactly, whether the truth is among the three best, and
// whether the first candidate changed any character outside the garbled
// stretches (a hard fault, counted apart). For a name: whether the name
// repair proposes the real name, another name, or nothing. Tuning part and
// held-out part apart; by kind, and texts also by the script of the clean
// text around the garble. The tables go to standard error;
// TEKVO_SUGGEST_VERBOSE=1 lists every miss.
#include <benchmark/benchmark.h>
#include <unicode/normalizer2.h>
#include <unicode/unistr.h>

#include <cstdio>
#include <cstdlib>
#include <map>
#include <string>

#include "files/name_repair.h"
#include "tests/suggest/real_stretches.h"

namespace tekvo {
namespace {

using real_garbles::Case;

// Composed (NFC): a name of decomposed hangul, as macOS writes it, is right
// when it composes to the real name.
std::string Composed(const std::string& utf8) {
  UErrorCode status = U_ZERO_ERROR;
  const icu::Normalizer2* nfc = icu::Normalizer2::getNFCInstance(status);
  if (U_FAILURE(status)) return utf8;
  const icu::UnicodeString s = nfc->normalize(icu::UnicodeString::fromUTF8(utf8), status);
  std::string out;
  return U_FAILURE(status) ? utf8 : s.toUTF8String(out);
}

struct TextTally {
  int cases = 0, exact = 0, top3 = 0, outside_changed = 0, lossy = 0;
  double share = 0;  // characters right of the first candidate, summed
};

// The script of the clean text around a case's garble: the one most of its
// letters are in.
std::string HostScript(const Case& c) {
  const std::vector<char32_t> a = real_garbles::CodePoints(c.text);
  int han = 0, kana = 0, hangul = 0, cyr = 0, latin = 0;
  for (const auto& run : real_garbles::CleanRuns(c.text, c.truth)) {
    for (std::size_t i = run.begin; i < run.end; ++i) {
      const char32_t ch = a[i];
      han += ch >= 0x4E00 && ch <= 0x9FFF;
      kana += ch >= 0x3040 && ch <= 0x30FF;
      hangul += ch >= 0xAC00 && ch <= 0xD7A3;
      cyr += ch >= 0x0400 && ch <= 0x04FF;
      latin += (ch >= 'A' && ch <= 'Z') || (ch >= 'a' && ch <= 'z');
    }
  }
  const int cjk = han + kana;
  if (cjk >= hangul && cjk >= cyr && cjk >= latin && cjk > 0) {
    return kana > 0 ? "in Japanese" : "in Chinese";
  }
  if (hangul >= cyr && hangul >= latin && hangul > 0) return "in Korean";
  return cyr > latin ? "in Russian" : "in English and code";
}

void PrintText(const std::string& name, const TextTally& t) {
  std::fprintf(stderr, "| %s | %d | %d (%.0f%%) | %d | %d | %s |\n", name.c_str(), t.cases, t.exact,
               t.cases ? 100.0 * t.exact / t.cases : 0.0, t.top3, t.outside_changed,
               t.lossy ? (std::to_string(t.lossy) + ": " +
                          std::to_string(static_cast<int>(100.0 * t.share / t.lossy + 0.5)) + "%")
                             .c_str()
                       : "-");
}

void BM_RealMixed(benchmark::State& state) {
  static const auto cases = real_garbles::Load(real_garbles::MixedDataPath());
  if (cases.empty()) {
    state.SkipWithError("bench/real_garbles/mixed.tsv missing");
    return;
  }
  const char* verbose = std::getenv("TEKVO_SUGGEST_VERBOSE");
  const bool list = verbose && *verbose == '1';
  std::map<std::string, TextTally> by[2];
  TextTally all[2];
  for (auto _ : state) {
    for (const Case& c : cases) {
      const real_garbles::Outcome o = real_garbles::Judge(c);
      const bool kept = real_garbles::KeepsOutside(o.first, c.text, c.truth);
      for (TextTally* t : {&all[c.held], &by[c.held][c.kind], &by[c.held][HostScript(c)]}) {
        ++t->cases;
        t->exact += o.exact_first;
        t->top3 += o.exact_top3;
        t->outside_changed += !kept;
        if (c.lossy) {
          ++t->lossy;
          t->share += o.share_first;
        }
      }
      if (list && (!o.exact_first || !kept)) {
        std::fprintf(stderr, "miss %s [%s]%s: %s\n", c.id.c_str(), c.kind.c_str(),
                     kept ? "" : " OUTSIDE CHANGED", suggest_corpus::ToUtf8(o.first).c_str());
      }
    }
  }
  const char* titles[] = {"Tuning part", "Held-out part"};
  for (int p = 0; p < 2; ++p) {
    std::fprintf(stderr,
                 "\n%s (texts)\n\n| kind / host | cases | exact first | truth in top 3 | "
                 "outside changed | lossy: chars right |\n|---|---|---|---|---|---|\n",
                 titles[p]);
    for (const auto& [name, t] : by[p]) PrintText(name, t);
    PrintText("all", all[p]);
    const std::string pre = p ? "held" : "tune";
    state.counters[pre + "_exact_pct"] = all[p].cases ? 100.0 * all[p].exact / all[p].cases : 0;
    state.counters[pre + "_outside_changed"] = all[p].outside_changed;
  }
}
BENCHMARK(BM_RealMixed)->Iterations(1)->Unit(benchmark::kMillisecond);

void BM_RealNames(benchmark::State& state) {
  static const auto cases = real_garbles::Load(real_garbles::NamesDataPath());
  if (cases.empty()) {
    state.SkipWithError("bench/real_garbles/names.tsv missing");
    return;
  }
  const char* verbose = std::getenv("TEKVO_SUGGEST_VERBOSE");
  const bool list = verbose && *verbose == '1';
  struct Count {
    int cases = 0, right = 0, wrong = 0, missed = 0;
  };
  std::map<std::string, Count> by[2];
  Count all[2];
  for (auto _ : state) {
    for (const Case& c : cases) {
      const NameProposal p = ProposeNameRepair(real_garbles::NameBytes(c));
      const std::string want = suggest_corpus::ToUtf8(c.truth);
      const bool proposed = p.verdict == NameVerdict::kRepair;
      const bool right = proposed && Composed(p.new_name) == Composed(want);
      for (Count* t : {&all[c.held], &by[c.held][c.kind]}) {
        ++t->cases;
        t->right += right;
        t->wrong += proposed && !right;
        t->missed += !proposed;
      }
      if (list && !right) {
        std::fprintf(stderr, "name miss %s [%s]: %s\n", c.id.c_str(), c.kind.c_str(),
                     proposed ? p.new_name.c_str() : "(none)");
      }
    }
  }
  const char* titles[] = {"Tuning part", "Held-out part"};
  for (int p = 0; p < 2; ++p) {
    std::fprintf(
        stderr,
        "\n%s (names)\n\n| kind | names | right | wrong | missed |\n|---|---|---|---|---|\n",
        titles[p]);
    for (const auto& [name, t] : by[p]) {
      std::fprintf(stderr, "| %s | %d | %d | %d | %d |\n", name.c_str(), t.cases, t.right, t.wrong,
                   t.missed);
    }
    std::fprintf(stderr, "| all | %d | %d | %d | %d |\n", all[p].cases, all[p].right, all[p].wrong,
                 all[p].missed);
  }
}
BENCHMARK(BM_RealNames)->Iterations(1)->Unit(benchmark::kMillisecond);

}  // namespace
}  // namespace tekvo

// The real-world yardstick (bench/real_garbles/garbles.tsv): how the first
// candidate of the suggestions, the text `tekvo-cli suggest --apply` writes,
// does on garbled texts people posted in public. Intact cases count when the
// first candidate is the truth exactly; lossy ones (bytes lost before they
// were posted) by the share of the truth's characters it gets right. Tuning
// part and held-out part are reported apart, by kind and in all; the three
// best candidates show where the truth is missing and where it ranks low.
// The table goes to standard error; TEKVO_SUGGEST_VERBOSE=1 lists every miss.
#include "tests/suggest/real_garbles.h"

#include <benchmark/benchmark.h>

#include <cstdio>
#include <cstdlib>
#include <map>
#include <string>

namespace tekvo {
namespace {

using real_garbles::Tally;

void PrintRow(const std::string& name, const Tally& t) {
  std::string intact = "-", lossy = "-";
  char buf[96];
  if (t.intact) {
    std::snprintf(buf, sizeof buf, "%d/%d %.0f%% (top 3 %.0f%%)", t.exact_first, t.intact,
                  t.FirstRate(), t.Top3Rate());
    intact = buf;
  }
  if (t.lossy) {
    std::snprintf(buf, sizeof buf, "%d: %.0f%% (top 3 %.0f%%, as posted %.0f%%)", t.lossy,
                  t.LossyFirst(), t.LossyTop3(), t.LossyAsIs());
    lossy = buf;
  }
  std::fprintf(stderr, "| %s | %s | %s |\n", name.c_str(), intact.c_str(), lossy.c_str());
}

void PrintPart(const char* title, const std::map<std::string, Tally>& kinds, const Tally& all) {
  std::fprintf(stderr, "\n%s\n\n| kind | intact: exact first | lossy: characters right |\n", title);
  std::fprintf(stderr, "|---|---|---|\n");
  for (const auto& [kind, t] : kinds) PrintRow(kind, t);
  PrintRow("all", all);
}

void BM_RealGarbles(benchmark::State& state) {
  static const auto cases = real_garbles::Load(real_garbles::DataPath());
  if (cases.empty()) {
    state.SkipWithError("bench/real_garbles/garbles.tsv missing");
    return;
  }
  std::map<std::string, Tally> kinds[2];
  Tally all[2];
  const char* verbose = std::getenv("TEKVO_SUGGEST_VERBOSE");
  const bool list_misses = verbose && *verbose == '1';
  for (auto _ : state) {
    for (const auto& c : cases) {
      const real_garbles::Outcome o = real_garbles::Judge(c);
      kinds[c.held][c.kind].Add(c, o);
      all[c.held].Add(c, o);
      if (list_misses && !o.exact_first) {
        std::fprintf(stderr, "miss %s [%s%s] %.2f: %s\n", c.id.c_str(), c.kind.c_str(),
                     c.lossy ? ", lossy" : "", o.share_first,
                     suggest_corpus::ToUtf8(o.first).c_str());
      }
    }
  }
  PrintPart("Tuning part", kinds[0], all[0]);
  PrintPart("Held-out part", kinds[1], all[1]);
  const char* parts[] = {"tune", "held"};
  for (int p = 0; p < 2; ++p) {
    const std::string pre = parts[p];
    state.counters[pre + "_intact_first_pct"] = all[p].FirstRate();
    state.counters[pre + "_intact_top3_pct"] = all[p].Top3Rate();
    state.counters[pre + "_lossy_chars_pct"] = all[p].LossyFirst();
  }
}
BENCHMARK(BM_RealGarbles)->Iterations(1)->Unit(benchmark::kMillisecond);

}  // namespace
}  // namespace tekvo

// Each fixed repair of the decode menu on a full editor's worth of garbled
// text (16383 units). Target: under 100 microseconds per repair.
#include <benchmark/benchmark.h>

#include <string>

#include "bench/bench_target.h"
#include "engine/codepage/codepage.h"
#include "engine/repair/fixed_repairs.h"
#include "engine/repair/reinterpret.h"

namespace tekvo {
namespace {

// A sentence in the language of the repair's B side.
Text SentenceFor(LocaleId b) {
  switch (b) {
    case LocaleId{1028}:
      return u"中華民國的歷史悠久，文化豐富。";
    case LocaleId{1041}:
      return u"日本語の文章を正しく読みます。";
    case LocaleId{1042}:
      return u"한국어 문장을 읽습니다. ";
    case LocaleId{1049}:
      return u"Привет всем, тест ";
    default:
      return u"简体中文的句子在这里，没有问题。";
  }
}

ByteString EncodeB(const Text& text, LocaleId b) {
  if (b == kIdUtf8) return TextToUtf8Bytes(text);
  if (b == kIdUtf16Be) return SwapBytePairs(TextToUtf16LeBytes(text));
  return TextToLocaleBytes(text, b).value_or(ByteString());
}

Text DecodeA(const ByteString& bytes, LocaleId a) {
  if (a == kIdUtf16Le) return Utf16LeBytesToText(bytes);
  return LocaleBytesToText(bytes, a).value_or(Text());
}

// Garbled text as the user would paste it: B's bytes shown as A, cut to the
// editor's limit.
Text GarbledText(const FixedRepair& r) {
  Text sentence = SentenceFor(r.b);
  Text clean;
  while (clean.size() < kMaxTextLen * 2) clean += sentence;
  Text garbled = DecodeA(EncodeB(clean, r.b), r.a);
  garbled.resize(kMaxTextLen);
  return garbled;
}

void BM_FixedRepair(benchmark::State& state) {
  const FixedRepair& r = FixedRepairs()[state.range(0)];
  Text input = GarbledText(r);
  bench::TargetCheck check(state, 100e-6);
  for (auto _ : state) {
    Converted out = ReinterpretByLocale(input, r.a, r.b);
    benchmark::DoNotOptimize(out);
  }
  check.Finish(std::string(r.name));
  state.SetItemsProcessed(state.iterations() * static_cast<int64_t>(input.size()));
}
BENCHMARK(BM_FixedRepair)
    ->DenseRange(0, static_cast<int>(FixedRepairs().size()) - 1)
    ->Unit(benchmark::kMicrosecond);

void BM_Utf8RoundTrip(benchmark::State& state) {
  Text input(kMaxTextLen, u'\u4E2D');
  for (auto _ : state) {
    Text back = Utf8BytesToText(TextToUtf8Bytes(input));
    benchmark::DoNotOptimize(back);
  }
}
BENCHMARK(BM_Utf8RoundTrip)->Unit(benchmark::kMicrosecond);

}  // namespace
}  // namespace tekvo

// Half-character repair, ISO-2022 decoding and the width and script mappings
// on texts of the editor's full length.
#include <benchmark/benchmark.h>

#include "engine/repair/half_char.h"
#include "engine/text/mapping.h"
#include "engine/transfer/iso2022.h"

namespace tekvo {
namespace {

Text Repeat(std::u16string_view piece, std::size_t len = kMaxTextLen) {
  Text out;
  out.reserve(len + piece.size());
  while (out.size() < len) out.append(piece);
  out.resize(len);
  return out;
}

void BM_ShiftHalfCharacterGb(benchmark::State& state) {
  const Text text = Repeat(u"中文乱码repair 测试，");
  for (auto _ : state) benchmark::DoNotOptimize(ShiftHalfCharacter(text, 10, LocaleId{2052}));
}
BENCHMARK(BM_ShiftHalfCharacterGb)->Unit(benchmark::kMicrosecond);

void BM_ShiftHalfCharacterUtf16(benchmark::State& state) {
  const Text text = Repeat(u"中文乱码repair 测试，");
  for (auto _ : state) benchmark::DoNotOptimize(ShiftHalfCharacter(text, 10, kIdUtf16Le));
}
BENCHMARK(BM_ShiftHalfCharacterUtf16)->Unit(benchmark::kMicrosecond);

void BM_DecodeIso2022Japanese(benchmark::State& state) {
  const Text text = Repeat(u"Tekvo $B$N7o!\"L@F|$N2q5D$G@bL@$7$^$9!#(B\r\n");
  for (auto _ : state) {
    benchmark::DoNotOptimize(DecodeIso2022Escapes(text, Iso2022Kind::kJapanese));
  }
}
BENCHMARK(BM_DecodeIso2022Japanese)->Unit(benchmark::kMicrosecond);

void BM_DecodeIso2022Korean(benchmark::State& state) {
  const Text text = u"$)C" + Repeat(u"\x0e=C@[GU4O4Y\x0f.\r\n", kMaxTextLen - 3);
  for (auto _ : state) {
    benchmark::DoNotOptimize(DecodeIso2022Escapes(text, Iso2022Kind::kKorean));
  }
}
BENCHMARK(BM_DecodeIso2022Korean)->Unit(benchmark::kMicrosecond);

// Every unified ideograph once, then repeated: the first run fills the
// per-character memo, later runs measure the steady state the editor sees.
Text HanText() {
  Text all;
  for (char16_t c = 0x4E00; c <= 0x9FFF; ++c) all.push_back(c);
  all.resize(kMaxTextLen);
  return all;
}

void BM_MapToTraditional(benchmark::State& state) {
  const Text text = HanText();
  for (auto _ : state) {
    benchmark::DoNotOptimize(MapChineseScript(text, ScriptTarget::kTraditional));
  }
}
BENCHMARK(BM_MapToTraditional)->Unit(benchmark::kMicrosecond);

void BM_MapToSimplified(benchmark::State& state) {
  const Text text = HanText();
  for (auto _ : state) {
    benchmark::DoNotOptimize(MapChineseScript(text, ScriptTarget::kSimplified));
  }
}
BENCHMARK(BM_MapToSimplified)->Unit(benchmark::kMicrosecond);

void BM_MapToFullWidth(benchmark::State& state) {
  const Text text = Repeat(u"ABC xyz 123 ｶﾀｶﾅ 中文 ");
  for (auto _ : state) benchmark::DoNotOptimize(MapWidth(text, WidthTarget::kFull));
}
BENCHMARK(BM_MapToFullWidth)->Unit(benchmark::kMicrosecond);

void BM_MapToHalfWidth(benchmark::State& state) {
  const Text text = Repeat(u"ＡＢＣ　ｘｙｚ　１２３　カタカナ　中文　");
  for (auto _ : state) benchmark::DoNotOptimize(MapWidth(text, WidthTarget::kHalf));
}
BENCHMARK(BM_MapToHalfWidth)->Unit(benchmark::kMicrosecond);

}  // namespace
}  // namespace tekvo

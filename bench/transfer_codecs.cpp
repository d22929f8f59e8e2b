// Every transfer encoder and decoder on a text of the editor's full length
// (16383 units). Encoders run with the length limit lifted so they see the
// same size. Target: each under 200 microseconds.
#include <benchmark/benchmark.h>

#include "bench/bench_target.h"
#include "engine/transfer/base64.h"
#include "engine/transfer/char_refs.h"
#include "engine/transfer/hz.h"
#include "engine/transfer/quoted_printable.h"
#include "engine/transfer/utf7.h"

namespace tekvo {
namespace {

Text Repeat(std::u16string_view piece, std::size_t len = kMaxTextLen) {
  Text out;
  out.reserve(len + piece.size());
  while (out.size() < len) out.append(piece);
  out.resize(len);
  return out;
}

constexpr double kTarget = 200e-6;

const std::u16string_view kChinese = u"北京欢迎你！今天天气很好，我们去公园散步吧。ASCII text\r\n";

void BM_EncodeCharRefsHex(benchmark::State& state) {
  const Text text = Repeat(kChinese);
  bench::TargetCheck check(state, kTarget);
  for (auto _ : state) {
    benchmark::DoNotOptimize(EncodeCharRefs(text, CharRefBase::kHex, kNoLengthLimit));
  }
  check.Finish();
}
BENCHMARK(BM_EncodeCharRefsHex)->Unit(benchmark::kMicrosecond);

void BM_EncodeCharRefsDecimal(benchmark::State& state) {
  const Text text = Repeat(kChinese);
  bench::TargetCheck check(state, kTarget);
  for (auto _ : state) {
    benchmark::DoNotOptimize(EncodeCharRefs(text, CharRefBase::kDecimal, kNoLengthLimit));
  }
  check.Finish();
}
BENCHMARK(BM_EncodeCharRefsDecimal)->Unit(benchmark::kMicrosecond);

void BM_DecodeHtmlReferences(benchmark::State& state) {
  const Text text = Repeat(u"&#x53EF;&#25511;&ordm;&Atilde; text &amp; more<br>&#128512;");
  bench::TargetCheck check(state, kTarget);
  for (auto _ : state) benchmark::DoNotOptimize(DecodeNumericEscapes(text, EscapeFamily::kHtml));
  check.Finish();
}
BENCHMARK(BM_DecodeHtmlReferences)->Unit(benchmark::kMicrosecond);

void BM_DecodeBackslashEscapes(benchmark::State& state) {
  const Text text = Repeat(u"\\u53EF\\u63A7\\x28\\x29 text ");
  bench::TargetCheck check(state, kTarget);
  for (auto _ : state) {
    benchmark::DoNotOptimize(DecodeNumericEscapes(text, EscapeFamily::kBackslash));
  }
  check.Finish();
}
BENCHMARK(BM_DecodeBackslashEscapes)->Unit(benchmark::kMicrosecond);

void BM_DecodePercentEscapes(benchmark::State& state) {
  const Text text = Repeat(u"%u53EF%u63A7%28%29 text ");
  bench::TargetCheck check(state, kTarget);
  for (auto _ : state) {
    benchmark::DoNotOptimize(DecodeNumericEscapes(text, EscapeFamily::kPercent));
  }
  check.Finish();
}
BENCHMARK(BM_DecodePercentEscapes)->Unit(benchmark::kMicrosecond);

void BM_EncodeQuotedPrintableGb(benchmark::State& state) {
  const Text text = Repeat(kChinese);
  bench::TargetCheck check(state, kTarget);
  for (auto _ : state) {
    benchmark::DoNotOptimize(EncodeQuotedPrintable(text, ComposeBytes::kGb, kNoLengthLimit));
  }
  check.Finish();
}
BENCHMARK(BM_EncodeQuotedPrintableGb)->Unit(benchmark::kMicrosecond);

void BM_EncodeQuotedPrintableUtf8(benchmark::State& state) {
  const Text text = Repeat(kChinese);
  bench::TargetCheck check(state, kTarget);
  for (auto _ : state) {
    benchmark::DoNotOptimize(EncodeQuotedPrintable(text, ComposeBytes::kUtf8, kNoLengthLimit));
  }
  check.Finish();
}
BENCHMARK(BM_EncodeQuotedPrintableUtf8)->Unit(benchmark::kMicrosecond);

void BM_DecodeQuotedPrintableGb(benchmark::State& state) {
  const Text text = Repeat(u"=D6=A7=B3=D6ASCII=C2=EB=\r\n");
  bench::TargetCheck check(state, kTarget);
  for (auto _ : state) {
    benchmark::DoNotOptimize(DecodeQpOrUrl(text, LocaleId{2052}, ByteEscapes::kQuotedPrintable));
  }
  check.Finish();
}
BENCHMARK(BM_DecodeQuotedPrintableGb)->Unit(benchmark::kMicrosecond);

void BM_DecodeUrlGbShortRuns(benchmark::State& state) {
  const Text text = Repeat(u"work%2Easp%3Fs%3D%B5%E7%C4%D4&q=");
  bench::TargetCheck check(state, kTarget);
  for (auto _ : state)
    benchmark::DoNotOptimize(DecodeQpOrUrl(text, LocaleId{2052}, ByteEscapes::kUrl));
  check.Finish();
}
BENCHMARK(BM_DecodeUrlGbShortRuns)->Unit(benchmark::kMicrosecond);

void BM_DecodeUrlUtf8(benchmark::State& state) {
  const Text text = Repeat(u"%E4%B8%AD%E6%96%87%20");
  bench::TargetCheck check(state, kTarget);
  for (auto _ : state) benchmark::DoNotOptimize(DecodeQpOrUrl(text, kIdUtf8, ByteEscapes::kUrl));
  check.Finish();
}
BENCHMARK(BM_DecodeUrlUtf8)->Unit(benchmark::kMicrosecond);

void BM_EncodeBase64Gb(benchmark::State& state) {
  const Text text = Repeat(kChinese);
  bench::TargetCheck check(state, kTarget);
  for (auto _ : state) {
    benchmark::DoNotOptimize(EncodeBase64Text(text, ComposeBytes::kGb, kNoLengthLimit));
  }
  check.Finish();
}
BENCHMARK(BM_EncodeBase64Gb)->Unit(benchmark::kMicrosecond);

void BM_EncodeBase64Utf8(benchmark::State& state) {
  const Text text = Repeat(kChinese);
  bench::TargetCheck check(state, kTarget);
  for (auto _ : state) {
    benchmark::DoNotOptimize(EncodeBase64Text(text, ComposeBytes::kUtf8, kNoLengthLimit));
  }
  check.Finish();
}
BENCHMARK(BM_EncodeBase64Utf8)->Unit(benchmark::kMicrosecond);

void BM_DecodeBase64Gb(benchmark::State& state) {
  const Text text = Repeat(u"sbG+qbu2063E46OhvfHM7Mzsxvi63LrDo6zO0sPHyKW5q9SwyaKyvbDJoaM=\r\n");
  bench::TargetCheck check(state, kTarget);
  for (auto _ : state) {
    benchmark::DoNotOptimize(DecodeBase64Text(text, LocaleId{2052}, Base64Alphabet::kStandard));
  }
  check.Finish();
}
BENCHMARK(BM_DecodeBase64Gb)->Unit(benchmark::kMicrosecond);

void BM_DecodeBase64Utf8(benchmark::State& state) {
  const Text text = Repeat(u"5pel5pys6Kqe44Gu44OG44Kt44K544OI44Gn44GZ44CC\r\n");
  bench::TargetCheck check(state, kTarget);
  for (auto _ : state) {
    benchmark::DoNotOptimize(DecodeBase64Text(text, kIdUtf8, Base64Alphabet::kStandard));
  }
  check.Finish();
}
BENCHMARK(BM_DecodeBase64Utf8)->Unit(benchmark::kMicrosecond);

void BM_EncodeUtf7(benchmark::State& state) {
  const Text text = Repeat(kChinese);
  bench::TargetCheck check(state, kTarget);
  for (auto _ : state) benchmark::DoNotOptimize(EncodeUtf7(text, kNoLengthLimit));
  check.Finish();
}
BENCHMARK(BM_EncodeUtf7)->Unit(benchmark::kMicrosecond);

void BM_DecodeUtf7(benchmark::State& state) {
  const Text text = Repeat(u"+UxdOrA- YES +Ti1XC2- 1+-1 ");
  bench::TargetCheck check(state, kTarget);
  for (auto _ : state) benchmark::DoNotOptimize(DecodeUtf7(text));
  check.Finish();
}
BENCHMARK(BM_DecodeUtf7)->Unit(benchmark::kMicrosecond);

void BM_EncodeHz(benchmark::State& state) {
  const Text text = Repeat(kChinese);
  EncodeHz(u"中");  // the code page tables are built on first use
  bench::TargetCheck check(state, kTarget);
  for (auto _ : state) benchmark::DoNotOptimize(EncodeHz(text, kNoLengthLimit));
  check.Finish();
}
BENCHMARK(BM_EncodeHz)->Unit(benchmark::kMicrosecond);

void BM_DecodeHz(benchmark::State& state) {
  const Text text = Repeat(u"~{V;V'3V~}ASCII~{Bk5DO5M3~}\r\n");
  DecodeHz(u"~{VP~}");
  bench::TargetCheck check(state, kTarget);
  for (auto _ : state) benchmark::DoNotOptimize(DecodeHz(text));
  check.Finish();
}
BENCHMARK(BM_DecodeHz)->Unit(benchmark::kMicrosecond);

}  // namespace
}  // namespace tekvo

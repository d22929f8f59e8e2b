#include "engine/suggest/suggest.h"

#include <gtest/gtest.h>

#include <ostream>
#include <set>
#include <string>
#include <vector>

#include "engine/codepage/codepage.h"
#include "engine/transfer/base64.h"
#include "engine/transfer/char_refs.h"
#include "engine/transfer/hz.h"
#include "engine/transfer/quoted_printable.h"
#include "engine/transfer/utf7.h"
#include "tests/case_name.h"

namespace tekvo {
namespace {

std::string Utf8(std::u16string_view t) { return TextToUtf8Bytes(Text(t)); }

const Text kSimplified =
    u"在 Debian 这种规模的项目中，很难避免遇到与你意见不和的人。请接受这一事实，并保持礼貌。";
const Text kTraditional = u"檢測當前語言環境來選擇一個預設的輸出裝置。它首先使用環境變數來決定。";
const Text kJapanese =
    u"現在の入力ファイルへのバイトオフセットで置き換えられる。通常の実行においては残りの引数を使う"
    u"。";
const Text kKorean =
    u"맨 페이지 경로 구성 파일은 설명서 페이지 유틸리티에서 실행됩니다. 검색어에 맞게 찾습니다.";
const Text kRussian =
    u"Аппетит приходит и уходит, а кушать хочется всегда. Безопасным бывает секс, но не любовь.";
const Text kEnglish = u"Are you sure the back door is locked? The rest is silence.";

// Text whose bytes are in code page `real`, shown through code page `shown`.
Text Shown(const Text& clean, std::int32_t shown, std::int32_t real) {
  return CodePageBytesToText(TextToCodePageBytes(clean, CodePageId{real}), CodePageId{shown});
}
Text Utf8Shown(const Text& clean, std::int32_t shown) {
  return CodePageBytesToText(TextToUtf8Bytes(clean), CodePageId{shown});
}
// What the editor box does with the bare CR line breaks of the encoders.
Text BoxLines(const Converted& c) {
  Text out;
  for (std::size_t i = 0; i < c.text.size(); ++i) {
    out.push_back(c.text[i]);
    if (c.text[i] == u'\r' && (i + 1 == c.text.size() || c.text[i + 1] != u'\n'))
      out.push_back(u'\n');
  }
  return out;
}
// Base64 in the URL alphabet, as the transform dialog reads it: "*" and "-"
// where the standard alphabet has "+" and "/".
Text Base64UrlOf(const Text& clean, ComposeBytes bytes) {
  Text out = EncodeBase64Text(clean, bytes).text;
  for (char16_t& c : out) {
    if (c == u'+') c = u'*';
    if (c == u'/') c = u'-';
  }
  return out;
}
// ISO-2022 text as it looks once its ESC characters are lost.
Text Iso2022WithoutEsc(const Text& clean, std::int32_t cp) {
  const ByteString bytes = TextToCodePageBytes(clean, CodePageId{cp});
  Text out;
  for (unsigned char b : bytes) {
    if (b != 0x1B) out.push_back(b);
  }
  return out;
}

struct Case {
  const char* name;
  Text garbled;
  std::u16string expected;  // the name of the right candidate
  Text clean;
  bool lossless = true;  // the repair gives the clean text back exactly
};

void PrintTo(const Case& c, std::ostream* os) { *os << c.name; }

class RightRepairComesFirst : public testing::TestWithParam<Case> {};

TEST_P(RightRepairComesFirst, RanksItFirst) {
  const Case& c = GetParam();
  ASSERT_NE(c.garbled, c.clean);
  const auto ranked = SuggestRepairs(c.garbled);
  ASSERT_FALSE(ranked.empty());
  EXPECT_EQ(Utf8(ranked.front().name), Utf8(c.expected)) << Utf8(c.garbled);
  if (c.lossless) EXPECT_EQ(Utf8(ranked.front().text), Utf8(c.clean));
}

INSTANTIATE_TEST_SUITE_P(
    Cases, RightRepairComesFirst,
    testing::ValuesIn(std::vector<Case>{
        {"gb-shown-big5-bytes", Shown(kTraditional, 936, 950), u"GB--Big5 ", kTraditional},
        {"gb-shown-ja-bytes", Shown(kJapanese, 936, 932), u"GB--日文 ", kJapanese},
        {"gb-shown-ko-bytes", Shown(kKorean, 936, 949), u"GB--韩文 ", kKorean},
        // An odd number of UTF-8 bytes at either end leaves a byte GB cannot
        // read: the repair gets the rest right.
        {"gb-shown-utf8-bytes", Utf8Shown(kSimplified, 936), u"GB--UTF8 ", kSimplified, false},
        // GB shows the UTF-8 bytes it cannot pair as U+FFFD; the sequences
        // those cut are lost already and must not count against the repair.
        {"gb-shown-utf8-bytes-short", Utf8Shown(u"周末愉快！", 936), u"GB--UTF8 ", u"周末愉快！",
         false},
        {"gb-shown-utf8-bytes-with-digits", Utf8Shown(u"北京时间2024年3月15日", 936), u"GB--UTF8 ",
         u"北京时间2024年3月15日", false},
        {"big5-shown-gb-bytes", Shown(kSimplified, 950, 936), u"Big5--GB ", kSimplified},
        // Shift-JIS reads some GB byte pairs as one half-width kana and a lead
        // byte: those characters are lost, the rest comes back.
        {"ja-shown-gb-bytes", Shown(kSimplified, 932, 936), u"日文--GB ", kSimplified, false},
        // "包管" with a byte lost: the byte-order swap turns the U+FFFD into
        // another unit, and a second step writing that as "?" hides the loss.
        {"ja-shown-gb-bytes-short-with-loss", u"\uFF70\uFFFD\uFF9C", u"日文--GB ", u"包管", false},
        {"ko-shown-gb-bytes", Shown(kSimplified, 949, 936), u"韩文--GB ", kSimplified},
        {"ru-shown-gb-bytes", Shown(kSimplified, 1251, 936), u"俄文--GB ", kSimplified},
        {"en-shown-gb-bytes", Shown(kSimplified, 1252, 936), u"Eng--GB ", kSimplified},
        {"en-shown-big5-bytes", Shown(kTraditional, 1252, 950), u"Eng--Big5 ", kTraditional},
        {"en-shown-utf8-bytes", Utf8Shown(kRussian, 1252), u"Eng--UTF8 ", kRussian},
        {"u-shown-ube-bytes", Utf16LeBytesToText(SwapBytePairs(TextToUtf16LeBytes(kSimplified))),
         u"U--UBE ", kSimplified},
        {"html-hex", EncodeCharRefs(kSimplified, CharRefBase::kHex).text, u"HTM--U ", kSimplified},
        {"html-decimal", EncodeCharRefs(kJapanese, CharRefBase::kDecimal).text, u"HTM--U ",
         kJapanese},
        {"qp-gb", BoxLines(EncodeQuotedPrintable(kSimplified, ComposeBytes::kGb)), u"QP--GB ",
         kSimplified},
        {"qp-utf8", BoxLines(EncodeQuotedPrintable(kKorean, ComposeBytes::kUtf8)), u"QP--UTF8 ",
         kKorean},
        {"base64-gb", EncodeBase64Text(kSimplified, ComposeBytes::kGb).text, u"Base64--GB ",
         kSimplified},
        {"base64-utf8", EncodeBase64Text(kTraditional, ComposeBytes::kUtf8).text, u"Base64--UTF8 ",
         kTraditional},
        {"base64-url-gb", Base64UrlOf(kSimplified, ComposeBytes::kGb), u"Base64(URL)--GB ",
         kSimplified},
        {"base64-url-utf8", Base64UrlOf(kJapanese, ComposeBytes::kUtf8), u"Base64(URL)--UTF8 ",
         kJapanese},
        {"utf7", EncodeUtf7(kSimplified).text, u"UTF7--U ", kSimplified},
        {"hz", EncodeHz(kSimplified).text, u"HZ--GB ", kSimplified},
        {"iso2022-jp", Iso2022WithoutEsc(kJapanese, 50221), u"Esc+日文(ISO2022) ", kJapanese},
        {"two-steps", Utf8Shown(Utf8Shown(kSimplified, 936), 1252), u"Eng--UTF8 + GB--UTF8 ",
         kSimplified, false},
        // Decoding the GB bytes as Big5 undoes both steps at once.
        {"qp-of-big5-shown-gb",
         BoxLines(EncodeQuotedPrintable(Shown(kTraditional, 936, 950), ComposeBytes::kGb)),
         u"QP--Big5 ", kTraditional},
        {"hebrew-utf8-read-as-western", u"×‘×”×•×“×¢×”", u"Eng--UTF8 ", u"בהודעה"},
        {"thai-utf8-read-as-western", Utf8Shown(u"สวัสดีครับ", 1252), u"Eng--UTF8 ", u"สวัสดีครับ"},
        {"arabic-utf8-read-as-western", Utf8Shown(u"مرحبا بالعالم", 1252), u"Eng--UTF8 ",
         u"مرحبا بالعالم"},
        // Emoji as two three-byte surrogates (CESU-8) read as Western text.
        {"cesu8-emoji-read-as-western", u"Hi guys \u00ED\u00A0\u00BD\u00ED\u00B8\u008D",
         u"Eng--UTF8 ", u"Hi guys \U0001F60D"},
        {"utf8-read-as-western-twice",
         Utf8Shown(Utf8Shown(u"Le café du régime équilibré", 1252), 1252),
         u"Eng--UTF8 + Eng--UTF8 ", u"Le café du régime équilibré"},
    }),
    CaseName<Case>);

struct CleanCase {
  const char* name;
  Text text;
};

void PrintTo(const CleanCase& c, std::ostream* os) { *os << c.name; }

class CleanTextIsLeftAlone : public testing::TestWithParam<CleanCase> {};

TEST_P(CleanTextIsLeftAlone, RanksNoRepairFirst) {
  const CleanCase& c = GetParam();
  const auto ranked = SuggestRepairs(c.text);
  ASSERT_FALSE(ranked.empty());
  EXPECT_EQ(ranked.front().steps, 0) << "first: " << Utf8(ranked.front().name);
  EXPECT_EQ(ranked.front().name, kNoRepairName);
  EXPECT_EQ(ranked.front().text, c.text);
}

INSTANTIATE_TEST_SUITE_P(Cases, CleanTextIsLeftAlone,
                         testing::ValuesIn(std::vector<CleanCase>{
                             {"simplified", kSimplified},
                             {"traditional", kTraditional},
                             {"japanese", kJapanese},
                             {"korean", kKorean},
                             {"russian", kRussian},
                             {"english", kEnglish},
                             {"one-word", u"hello"},
                             {"one-hanzi", u"中"},
                             {"digits", u"12345"},
                             {"accented", u"Le régime équilibré du café"},
                             {"base64-alphabet-word", u"Helloworld"},
                             {"half-width-katakana", u"ﾃｽﾄﾃﾞｰﾀ"},
                             {"half-width-katakana-small-kana", u"ｷｬﾝｾﾙ"},
                             {"half-width-katakana-and-digits", u"ｱｲｳｴｵ 12345"},
                             {"half-width-katakana-and-kanji", u"ｶﾞｿﾘﾝ代"},
                             // A UTF-8 reading drops the Western accented letters and looks clean.
                             {"accents-a-utf8-reading-drops", u"Ünïcödé"},
                             {"german-compound", u"Größenänderung"},
                             {"polish", u"Zażółć gęślą jaźń"},
                             {"arrows", u"→ ← ↑ ↓"},
                             {"stars", u"★★★☆☆"},
                             {"circled-numbers", u"①②③"},
                             {"plus-signs-are-not-url-escapes", u"x = a + b; y = c+d;"},
                             {"mail-address-with-plus", u"user+tag@example.com"},
                             {"hyphenated-words", u"a well-known state-of-the-art build"},
                             {"asterisk-footnote", u"Terms apply*"},
                             // Decoded as Base64, UTF-7 or swapped UTF-16 these give code units of
                             // unrelated scripts, which must not outscore the undecoded block.
                             {"base64-hash", u"47DEQpj8HBSa+/TImW+5JCeuQeRkm5NMpJWZG3hSuFU="},
                             {"base64-token",
                              u"eyJhbGciOiJIUzI1NiIsInR5cCI6IkpXVCJ9.eyJzdWIiOiIxMjM0NTY3ODkwIn0"},
                             // Cyrillic has a row in GB whose bytes read as frequent Big5 hanzi.
                             {"russian-address", u"ул. Ленина, д. 5, кв. 12"},
                             {"thai", u"สวัสดีครับ"},
                             {"arabic", u"مرحبا بالعالم"},
                             {"hebrew", u"בהודעה"},
                         }),
                         CaseName<CleanCase>);

TEST(SuggestRepairs, CandidatesAreDistinctAndOrdered) {
  const Text garbled = Shown(kTraditional, 936, 950);
  const auto ranked = SuggestRepairs(garbled);
  std::set<Text> texts;
  int keep = 0;
  for (std::size_t i = 0; i < ranked.size(); ++i) {
    EXPECT_TRUE(texts.insert(ranked[i].text).second) << "repeated: " << Utf8(ranked[i].name);
    if (i > 0) EXPECT_GE(ranked[i - 1].score, ranked[i].score);
    keep += ranked[i].steps == 0;
    if (ranked[i].steps == 0) EXPECT_EQ(ranked[i].text, garbled);
    if (ranked[i].steps == 2) {
      EXPECT_NE(ranked[i].name.find(u" + "), std::u16string::npos);
      EXPECT_GE(ranked[i].second, 0);
    }
    if (ranked[i].steps >= 1 && ranked[i].stretches.empty()) {
      ASSERT_GE(ranked[i].first, 0);
      const auto& first = SuggestableRepairs()[ranked[i].first];
      EXPECT_EQ(ranked[i].name.substr(0, first.say.size() - 1),
                first.say.substr(0, first.say.size() - 1));
    }
  }
  EXPECT_EQ(keep, 1);
}

TEST(SuggestRepairs, EmptyTextHasOnlyNoRepair) {
  const auto ranked = SuggestRepairs(u"");
  ASSERT_EQ(ranked.size(), 1u);
  EXPECT_EQ(ranked[0].steps, 0);
  EXPECT_EQ(ranked[0].name, kNoRepairName);
}

TEST(SuggestRepairs, NoChainsWhenWidthIsZero) {
  SuggestOptions options;
  options.chain_width = 0;
  for (const auto& c : SuggestRepairs(Utf8Shown(Utf8Shown(kSimplified, 936), 1252), options)) {
    EXPECT_LT(c.steps, 2) << Utf8(c.name);
  }
}

TEST(SuggestRepairs, ResultsOverTheLengthLimitAreNotCandidates) {
  // Bytes read through a single-byte page double the length of CJK text.
  const Text text(3000, u'中');
  SuggestOptions options;
  options.max_len = 4000;
  for (const auto& c : SuggestRepairs(text, options)) {
    EXPECT_LE(c.text.size(), 4000u) << Utf8(c.name);
  }
}

TEST(SuggestableRepairs, CoverTheThreeMenus) {
  const auto repairs = SuggestableRepairs();
  EXPECT_EQ(repairs.size(), 14u + 14u + 3u + 3u);
  std::set<std::u16string_view> says;
  for (const auto& r : repairs) {
    EXPECT_TRUE(says.insert(r.say).second) << Utf8(r.say);
    ASSERT_FALSE(r.say.empty());
    EXPECT_EQ(r.say.back(), u' ') << Utf8(r.say);
  }
  for (std::u16string_view say : {u"GB--Big5 ", u"U--UBE ", u"HTM--U ", u"Base64--Big5 ",
                                  u"HZ--GB ", u"Esc+韩文(ISO2022) ", u"Base64(URL)--UTF8 "}) {
    EXPECT_TRUE(says.count(say)) << Utf8(say);
  }
}

struct FirstLineCase {
  const char* name;
  Text text;
  std::size_t max;
  Text expected;
};

void PrintTo(const FirstLineCase& c, std::ostream* os) { *os << c.name; }

class FirstLineCases : public testing::TestWithParam<FirstLineCase> {};

TEST_P(FirstLineCases, CutsTheLine) {
  const FirstLineCase& c = GetParam();
  EXPECT_EQ(FirstLine(c.text, c.max), c.expected);
}

INSTANTIATE_TEST_SUITE_P(Cases, FirstLineCases,
                         testing::ValuesIn(std::vector<FirstLineCase>{
                             {"stops-at-cr", u"ab\r\ncd", 10, u"ab"},
                             {"stops-at-lf", u"ab\ncd", 10, u"ab"},
                             {"cut-to-max", u"abcdef", 3, u"abc"},
                             {"keeps-pair-whole", u"a\U0001F600b", 2, u"a"},
                             {"empty", u"", 5, u""},
                         }),
                         CaseName<FirstLineCase>);

}  // namespace
}  // namespace tekvo

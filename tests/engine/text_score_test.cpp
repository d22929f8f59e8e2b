#include "engine/score/text_score.h"

#include <gtest/gtest.h>

#include <ostream>
#include <string>
#include <vector>

#include "engine/codepage/codepage.h"
#include "tests/case_name.h"

namespace tekvo {
namespace {

std::string Utf8(std::u16string_view t) { return TextToUtf8Bytes(Text(t)); }

// Bytes written in code page `real` and read back in code page `shown`.
Text Garble(const Text& clean, std::int32_t real, std::int32_t shown) {
  return CodePageBytesToText(TextToCodePageBytes(clean, CodePageId{real}), CodePageId{shown});
}
Text Utf8ShownIn(const Text& clean, std::int32_t shown) {
  return CodePageBytesToText(TextToUtf8Bytes(clean), CodePageId{shown});
}

const Text kSimplified =
    u"在 Debian 这种规模的项目中，很难避免遇到与你意见不和的人。请接受这一事实。";
const Text kTraditional = u"檢測當前語言環境來選擇一個預設的輸出裝置。它首先使用環境變數。";
const Text kJapanese =
    u"現在の入力ファイルへのバイトオフセットで置き換えられる。通常の実行においては残りの引数を使う"
    u"。";
const Text kKorean =
    u"맨 페이지 경로 구성 파일은 설명서 페이지 유틸리티에서 실행됩니다. 검색어에 맞게 찾습니다.";
const Text kRussian =
    u"Аппетит приходит и уходит, а кушать хочется всегда. Безопасным бывает секс.";
const Text kEnglish =
    u"Are you sure the back door is locked? What is yellow and equivalent to choice?";

// Clean text must outscore what each kind of damage makes of it.
struct MojibakeCase {
  const char* name;
  Text clean;
  Text garbled;
};

void PrintTo(const MojibakeCase& c, std::ostream* os) { *os << c.name; }

class CleanBeatsItsMojibake : public testing::TestWithParam<MojibakeCase> {};

TEST_P(CleanBeatsItsMojibake, OutscoresTheDamage) {
  const MojibakeCase& c = GetParam();
  ASSERT_NE(c.clean, c.garbled);
  EXPECT_GT(ScoreText(c.clean), ScoreText(c.garbled) + 0.1)
      << Utf8(c.clean) << " vs " << Utf8(c.garbled);
}

INSTANTIATE_TEST_SUITE_P(Cases, CleanBeatsItsMojibake,
                         testing::ValuesIn(std::vector<MojibakeCase>{
                             {"big5-shown-as-gb", kTraditional, Garble(kTraditional, 950, 936)},
                             {"gb-shown-as-big5", kSimplified, Garble(kSimplified, 936, 950)},
                             {"sjis-shown-as-gb", kJapanese, Garble(kJapanese, 932, 936)},
                             {"gb-shown-as-sjis", kSimplified, Garble(kSimplified, 936, 932)},
                             {"uhc-shown-as-gb", kKorean, Garble(kKorean, 949, 936)},
                             {"uhc-shown-as-big5", kKorean, Garble(kKorean, 949, 950)},
                             {"gb-shown-as-uhc", kSimplified, Garble(kSimplified, 936, 949)},
                             {"cyrillic-shown-as-gb", kRussian, Garble(kRussian, 1251, 936)},
                             {"gb-shown-as-cyrillic", kSimplified, Garble(kSimplified, 936, 1251)},
                             {"gb-shown-as-western", kSimplified, Garble(kSimplified, 936, 1252)},
                             {"big5-shown-as-western", kTraditional,
                              Garble(kTraditional, 950, 1252)},
                             {"utf8-shown-as-gb", kSimplified, Utf8ShownIn(kSimplified, 936)},
                             {"utf8-ja-shown-as-gb", kJapanese, Utf8ShownIn(kJapanese, 936)},
                             {"utf8-shown-as-western", kSimplified, Utf8ShownIn(kSimplified, 1252)},
                             {"utf8-ru-shown-as-western", kRussian, Utf8ShownIn(kRussian, 1252)},
                             {"utf8-latin-shown-as-western", u"Le régime équilibré du café à Noël",
                              Utf8ShownIn(u"Le régime équilibré du café à Noël", 1252)},
                         }),
                         CaseName<MojibakeCase>);

// Each sign of damage, alone, costs: the text with the sign scores lower.
struct DamageCase {
  const char* name;
  Text good;
  Text bad;
};

void PrintTo(const DamageCase& c, std::ostream* os) { *os << c.name; }

class SignsOfDamageCost : public testing::TestWithParam<DamageCase> {};

TEST_P(SignsOfDamageCost, LowerTheScore) {
  const DamageCase& c = GetParam();
  EXPECT_GT(ScoreText(c.good), ScoreText(c.bad)) << Utf8(c.good) << " vs " << Utf8(c.bad);
}

INSTANTIATE_TEST_SUITE_P(
    Cases, SignsOfDamageCost,
    testing::ValuesIn(std::vector<DamageCase>{
        {"replacement-char", u"中文字符的显示", u"中文字\uFFFD的显示"},
        {"private-use", u"中文字符的显示", u"中文字\uE000的显示"},
        {"control", u"plain text here", u"plain\x01text here"},
        {"c1-control", u"plain text here", u"plain\u0085text here"},
        {"lone-surrogate", u"plain text here", u"plain \xD800 text here"},
        {"question-inside-hanzi", u"中文字符的显示", u"中文?符的显示"},
        {"question-run", u"what is this?", u"what ??? this ??"},
        {"blank-between-hanzi", u"中文字符的显示", u"中文 字符 的显示"},
        {"half-width-kana-amid-hanzi", u"中文字符的显示", u"中文ｻ符的显示"},
        {"kana-amid-simplified", u"这个项目的规模", u"这个项ぅ的规模"},
        {"hangul-amid-hanzi", u"这个项目的规模", u"这个항目的规模"},
        {"bopomofo", u"这个项目的规模", u"这个ㄩ目的规模"},
        {"small-form", u"这个项目的规模", u"这个﹝目的规模"},
        {"rare-hanzi", u"这个项目的规模", u"这个项鏈的規模"},
        {"accented-run", u"Le café est chaud", u"Le cÄãÊÇ est chaud"},
        {"utf8-as-western", u"Le café est chaud", u"Le cafÃ© est chaud"},
        {"symbol-glued", u"the word here", u"the wo¤rd here"},
        {"case-at-random", u"the quick brown fox", u"the qUiCk brown fox"},
        {"mixed-scripts", u"the quick brown fox", u"the quБck brown fox"},
        {"cyrillic-case", u"хочется всегда", u"хоЧеТся всегда"},
        {"cyrillic-glued-to-hanzi", u"這個項目的規模", u"這個項ж目的規模"},
        {"box-drawing", u"plain text here", u"plain ╨┐ here"},
        {"lonely-hanzi-in-latin", u"the Hôtel de Police", u"the H么tel de Police"},
        {"quoted-printable", u"text 支持 here", u"text =D6=A7=B3=D6 here"},
        {"url-escapes", u"text 支持 here", u"text %D6%A7%B3%D6 here"},
        {"html-references", u"text 可控 here", u"text &#x53EF;&#25511; here"},
        {"backslash-escapes", u"text 可控 here", u"text \\u53EF\\u63A7 here"},
        {"utf7", u"text 可控 here", u"text +UxdOrA- here"},
        {"hz", u"text 支持 here", u"text ~{V;V'~} here"},
        {"iso2022", u"text 日本 here", u"text $BF|K\\(B here"},
        {"base64", u"ASCII 就是", u"QVNDSUkgvs3Kxw=="},
        {"blank-in-hangul-free-run", u"실행됩니다 찾습니다",
         u"실행됩니다찾습니다실행됩니다찾습니다"},
        {"half-width-kana-misspelled", u"ﾃﾞｰﾀ ｷｬﾝｾﾙ", u"ｰﾀﾞ ｬｷﾝｾﾙ"},
        {"half-width-kana-glued-to-ascii", u"ﾃﾞｰﾀ ｷｬﾝｾﾙ", u"ｻOﾆW ｷｬﾝｾﾙ"},
        {"half-width-kana-beside-replacement", u"中文 ﾃﾞｰﾀ", u"中文 ﾃﾞｰ\uFFFD"},
        {"letter-of-a-script-out-of-use", u"中文字符的显示", u"中文\uA885字符的显示"},
        {"other-alphabet-glued-to-hanzi", u"中文 שלום 的显示", u"中文ש的显示"},
        {"letters-of-unrelated-alphabets-glued", u"สวัสดี ครับ", u"สวัสดีﴲ৫ครับ"},
    }),
    CaseName<DamageCase>);

// Things real text does that must not be held against it.
struct NormalCase {
  const char* name;
  Text text;
};

void PrintTo(const NormalCase& c, std::ostream* os) { *os << c.name; }

class NormalTextIsNotPunished : public testing::TestWithParam<NormalCase> {};

TEST_P(NormalTextIsNotPunished, ScoresWell) {
  const NormalCase& c = GetParam();
  EXPECT_GT(ScoreText(c.text), 0.5) << Utf8(c.text);
}

INSTANTIATE_TEST_SUITE_P(Cases, NormalTextIsNotPunished,
                         testing::ValuesIn(std::vector<NormalCase>{
                             {"question-ends-sentence", u"What is this? Nobody knows."},
                             {"question-after-hanzi", u"你好吗?"},
                             {"ascii-word-in-chinese", u"用 Linux 系统的 ASCII码"},
                             {"accented-words", u"Le régime équilibré à Noël"},
                             {"camel-case-word", u"JavaScript and iPhone"},
                             {"price-and-degrees", u"It costs £5 at 20°C"},
                             {"russian-quotes", u"Он сказал «да» и ушёл."},
                             {"korean-with-spaces", kKorean},
                             {"japanese", kJapanese},
                             {"url-with-plus", u"1+1=2 and C++ are fine"},
                             {"half-width-katakana", u"ﾃﾞｰﾀ ｺﾝﾋﾟｭｰﾀｰ ｷｬﾝｾﾙ"},
                             {"half-width-katakana-with-kanji", u"ｴﾗｰが発生しました"},
                             {"polish", u"Zażółć gęślą jaźń"},
                             {"czech", u"Příliš žluťoučký kůň"},
                         }),
                         CaseName<NormalCase>);

struct ProfileCase {
  const char* name;
  Text text;
  ScriptProfile profile;
};

void PrintTo(const ProfileCase& c, std::ostream* os) { *os << c.name; }

class ProfileFitsTheWritingSystem : public testing::TestWithParam<ProfileCase> {};

TEST_P(ProfileFitsTheWritingSystem, PicksTheProfile) {
  const ProfileCase& c = GetParam();
  EXPECT_EQ(ScoreTextDetail(c.text).profile, c.profile);
}

INSTANTIATE_TEST_SUITE_P(Cases, ProfileFitsTheWritingSystem,
                         testing::ValuesIn(std::vector<ProfileCase>{
                             {"simplified", kSimplified, ScriptProfile::kSimplifiedChinese},
                             {"traditional", kTraditional, ScriptProfile::kTraditionalChinese},
                             {"japanese", kJapanese, ScriptProfile::kJapanese},
                             {"korean", kKorean, ScriptProfile::kKorean},
                             {"russian", kRussian, ScriptProfile::kNone},
                             {"english", kEnglish, ScriptProfile::kNone},
                         }),
                         CaseName<ProfileCase>);

TEST(TextScore, EdgesOfInput) {
  EXPECT_EQ(ScoreText(u""), 0);
  EXPECT_EQ(ScoreTextDetail(u" \r\n\t").counted, 0u);
  // Broken input of every kind is scored, not refused.
  const Text odd[] = {Text(1, u'\xD800'),
                      Text(1, u'\xDC00'),
                      Text(u"\0\0", 2),
                      u"????",
                      u"~{",
                      u"&#",
                      u"%",
                      u"=",
                      u"\\u12",
                      u"+",
                      u"$)",
                      Text(5000, u'\uFFFD')};
  for (const Text& t : odd) EXPECT_LT(ScoreText(t), 0.5) << Utf8(t);
  // A supplementary character (an emoji) is one character, not two halves.
  EXPECT_GT(ScoreText(u"nice \U0001F600 day"), ScoreText(u"nice \xD83D day"));
}

// Two to six characters, too few for the character sets alone: the reading
// whose neighbours form dictionary words must win.
struct ShortCase {
  const char* name;
  Text clean;
  Text garbled;
};

void PrintTo(const ShortCase& c, std::ostream* os) { *os << c.name; }

class ShortTextsAreJudgedByWordPairs : public testing::TestWithParam<ShortCase> {};

TEST_P(ShortTextsAreJudgedByWordPairs, CleanWins) {
  const ShortCase& c = GetParam();
  ASSERT_NE(c.clean, c.garbled);
  EXPECT_GT(ScoreText(c.clean), ScoreText(c.garbled) + 0.1)
      << Utf8(c.clean) << " vs " << Utf8(c.garbled);
}

INSTANTIATE_TEST_SUITE_P(
    Cases, ShortTextsAreJudgedByWordPairs,
    testing::ValuesIn(std::vector<ShortCase>{
        {"photo-utf8-read-as-gb", u"照片", Utf8ShownIn(u"照片", 936)},
        {"korean-name-read-as-gb", u"김민준", Garble(u"김민준", 949, 936)},
        {"korean-word-read-as-big5", u"데이터", Garble(u"데이터", 949, 950)},
        {"russian-word-read-as-gb", u"Привет", Garble(u"Привет", 1251, 936)},
        {"two-letter-russian-word-read-as-gb", u"не", Garble(u"не", 1251, 936)},
        {"gb-word-read-as-cyrillic", u"设置", Garble(u"设置", 936, 1251)},
        {"gb-word-read-as-big5", u"文件", Garble(u"文件", 936, 950)},
        {"big5-word-read-as-gb", u"檔案", Garble(u"檔案", 950, 936)},
        {"gb-word-read-as-korean", u"设置", Garble(u"设置", 936, 949)},
        {"japanese-word-utf8-read-as-gb", u"ファイル", Utf8ShownIn(u"ファイル", 936)},
    }),
    CaseName<ShortCase>);

// A text's score does not hang on where a run of CJK ends: word pairs are
// looked up only between neighbours of their kind.
struct StopCase {
  const char* name;
  Text text;
  double at_least;
};

void PrintTo(const StopCase& c, std::ostream* os) { *os << c.name; }

class WordPairsStopAtOtherCharacters : public testing::TestWithParam<StopCase> {};

TEST_P(WordPairsStopAtOtherCharacters, ScoreHolds) {
  const StopCase& c = GetParam();
  EXPECT_GE(ScoreText(c.text), c.at_least) << c.name << ": " << Utf8(c.text);
}

INSTANTIATE_TEST_SUITE_P(Cases, WordPairsStopAtOtherCharacters,
                         testing::ValuesIn(std::vector<StopCase>{
                             {"one-hanzi", u"中", 0.4},
                             {"word-pair", u"照片", 0.8},
                             {"pair-split-by-blank", u"照 片", 0.3},
                             {"pair-split-by-digit", u"照1片", 0.3},
                             {"korean-and-hanzi-apart", u"사진 照片", 0.5},
                             {"pair-after-emoji", u"\U0001F600照片", 0.6},
                         }),
                         CaseName<StopCase>);

// What word pairs add, to the unit: a pair lifts both its characters, a
// character in no pair with either neighbour costs, and a lone one is left
// alone. 照 and 片 are common hanzi (+2 each); 照片 is a word, 片照 is not.
struct TotalCase {
  const char* name;
  Text text;
  double total;
};

void PrintTo(const TotalCase& c, std::ostream* os) { *os << c.name; }

class WordPairTotals : public testing::TestWithParam<TotalCase> {};

TEST_P(WordPairTotals, AddUp) {
  const TotalCase& c = GetParam();
  EXPECT_NEAR(ScoreTextDetail(c.text).total, c.total, 1e-9) << c.name << ": " << Utf8(c.text);
}

INSTANTIATE_TEST_SUITE_P(Cases, WordPairTotals,
                         testing::ValuesIn(std::vector<TotalCase>{
                             {"word", u"照片", 5.0},                  // 4 + 1 for the pair
                             {"reversed", u"片照", 2.6},              // 4 - 0.7 for each unpaired
                             {"word-then-unpaired", u"照片照", 6.3},  // 片 is paired on its left
                             {"unpaired-then-word", u"片照片", 6.3},  // 照 is paired on its right
                             {"lone-hanzi", u"照", 2.0},
                             {"split-by-blank", u"照 片",
                              3.0},                         // the blank costs, no pair is judged
                             {"russian-word", u"не", 2.2},  // 2 letters + 0.2 for the pair
                             {"cyrillic-no-russian-word-holds", u"ыь", 1.5},
                         }),
                         CaseName<TotalCase>);

// Encoded short names and cells read as Base64, and plain tokens do not.
struct TokenCase {
  const char* name;
  Text text;
  bool encoded;
};

void PrintTo(const TokenCase& c, std::ostream* os) { *os << c.name; }

class ShortBase64Tokens : public testing::TestWithParam<TokenCase> {};

TEST_P(ShortBase64Tokens, ReadAsEncoded) {
  const TokenCase& c = GetParam();
  EXPECT_EQ(ScoreText(c.text) < 0, c.encoded)
      << c.name << ": " << Utf8(c.text) << " scores " << ScoreText(c.text);
}

INSTANTIATE_TEST_SUITE_P(Cases, ShortBase64Tokens,
                         testing::ValuesIn(std::vector<TokenCase>{
                             {"utf8-hanzi-in-base64", u"5Lul5L2/", true},
                             {"padded", u"wdmmsw==", true},
                             {"padded-before-blank", u"yKHT4A== ", true},
                             {"model-name", u"Win10Pro", true},  // the price of the short rule
                             {"word", u"password", false},
                             {"word-and-digits", u"abc12345", false},
                             {"version", u"v2.1.0", false},
                             {"seven-long", u"AbCd3Ef", false},
                             {"six-long", u"abCD12", false},
                             {"ten-long", u"ab12CD34xy", false},
                             {"equals-inside", u"a=b=c==d", false},
                         }),
                         CaseName<TokenCase>);

// The marks of lost characters and their weight: U+FFFD (-3) and "?" that
// ends no question (-1.5). Half-width katakana beside U+FFFD costs 1 a unit
// and is no mark of its own.
struct LossCase {
  const char* name;
  Text text;
  std::size_t lost;
  double lost_weight;
  double total;
};

void PrintTo(const LossCase& c, std::ostream* os) { *os << c.name; }

class LossMarks : public testing::TestWithParam<LossCase> {};

TEST_P(LossMarks, AreCountedAndWeighed) {
  const LossCase& c = GetParam();
  const TextScore s = ScoreTextDetail(c.text);
  EXPECT_EQ(s.lost, c.lost) << c.name << ": " << Utf8(c.text);
  EXPECT_NEAR(s.lost_weight, c.lost_weight, 1e-9) << c.name << ": " << Utf8(c.text);
  EXPECT_NEAR(s.total, c.total, 1e-9) << c.name << ": " << Utf8(c.text);
}

INSTANTIATE_TEST_SUITE_P(Cases, LossMarks,
                         testing::ValuesIn(std::vector<LossCase>{
                             {"replacement-char", u"\uFFFD", 1, -3.0, -3.0},
                             {"lossy-question-marks", u"a??b", 2, -3.0, -1.0},
                             {"question", u"why?", 0, 0.0, 3.3},
                             {"private-use-is-no-loss", u"\uE000", 0, 0.0, -3.0},
                             {"half-width-kana-beside-loss", u"\uFF79\uFF96\uFFFD", 1, -3.0, -5.0},
                             {"half-width-kana-spelled", u"\uFF83\uFF9E\uFF70\uFF80", 0, 0.0, 2.8},
                         }),
                         CaseName<LossCase>);

}  // namespace
}  // namespace tekvo

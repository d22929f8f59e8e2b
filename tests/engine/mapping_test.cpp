#include "engine/text/mapping.h"

#include <gtest/gtest.h>
#include <unicode/utf.h>

#include <string>

#include "tests/engine/test_output.h"

namespace tekvo {
namespace {

// Simplified and traditional forms that map to each other in both directions.
struct ScriptPair {
  const char16_t* simplified;
  const char16_t* traditional;
};

const ScriptPair kScriptPairs[] = {
    {u"汉字简体", u"漢字簡體"},
    {u"书", u"書"},
    {u"国", u"國"},
    {u"门", u"門"},
    {u"马", u"馬"},
    {u"鱼", u"魚"},
    {u"电", u"電"},
    {u"话", u"話"},
    {u"语", u"語"},
    {u"东", u"東"},
    {u"车", u"車"},
    {u"长", u"長"},
    {u"见", u"見"},
    {u"风", u"風"},
    {u"乐", u"樂"},
    {u"爱", u"愛"},
    {u"鸟", u"鳥"},
    {u"龙", u"龍"},
    {u"转换", u"轉換"},
    {u"乱码", u"亂碼"},
};

class ScriptPairs : public testing::TestWithParam<ScriptPair> {};

TEST_P(ScriptPairs, BothWays) {
  const ScriptPair& p = GetParam();
  EXPECT_EQ(MapChineseScript(p.simplified, ScriptTarget::kTraditional), Text(p.traditional))
      << testing::PrintToString(Text(p.simplified));
  EXPECT_EQ(MapChineseScript(p.traditional, ScriptTarget::kSimplified), Text(p.simplified))
      << testing::PrintToString(Text(p.traditional));
}

INSTANTIATE_TEST_SUITE_P(Common, ScriptPairs, testing::ValuesIn(kScriptPairs));

struct MapCase {
  const char* name;
  Text text;
  Text want;
};

class ToSimplified : public testing::TestWithParam<MapCase> {};
TEST_P(ToSimplified, Maps) {
  const MapCase& c = GetParam();
  EXPECT_EQ(MapChineseScript(c.text, ScriptTarget::kSimplified), c.want)
      << testing::PrintToString(c.text);
}
const MapCase kToSimplifiedCases[] = {
    {"traditional", u"漢字", u"汉字"},
    {"already-simplified", u"汉字", u"汉字"},
    {"ascii-digits-untouched", u"abc 123\r\n\t", u"abc 123\r\n\t"},
    {"kana-hangul-untouched", u"ひらがなカタカナ한글", u"ひらがなカタカナ한글"},
    {"full-width-untouched", u"ＡＢＣ　", u"ＡＢＣ　"},
    {"lone-surrogate-untouched", u"\xD800漢", u"\xD800汉"},
    {"empty", u"", u""},
};
INSTANTIATE_TEST_SUITE_P(Cases, ToSimplified, testing::ValuesIn(kToSimplifiedCases),
                         CaseName<MapCase>);

class ToFull : public testing::TestWithParam<MapCase> {};
TEST_P(ToFull, Maps) {
  const MapCase& c = GetParam();
  EXPECT_EQ(MapWidth(c.text, WidthTarget::kFull), c.want) << testing::PrintToString(c.text);
}
const MapCase kToFullCases[] = {
    {"letters-blank-digits", u"ABC 123", u"ＡＢＣ　１２３"},
    {"punctuation", u"!~\\\"", u"！～＼＂"},
    {"half-width-katakana", u"ｱｲｳ", u"アイウ"},
    // Sound marks compose with the kana before them, so the text shortens.
    {"voiced-mark-composes", u"ｶﾞ", u"ガ"},
    {"semi-voiced-mark-composes", u"ﾊﾟ", u"パ"},
    {"voiced-u-composes", u"ｳﾞｶﾞｷ", u"ヴガキ"},
    {"lone-voiced-mark-spacing", u"ﾞ", u"゛"},
    {"lone-semi-voiced-mark-spacing", u"aﾟ", u"ａ゜"},
    {"mark-after-kana-without-voiced-form", u"ｱﾞ", u"ア゛"},
    {"mark-after-full-width-kana-stays-apart", u"カﾞ", u"カ゛"},
    {"half-hangul-to-compatibility-jamo", u"ﾡﾤ", u"ㄱㄴ"},
    {"han-untouched", u"中文", u"中文"},
    {"controls-untouched", u"\r\n\t", u"\r\n\t"},
    {"already-full", u"ＡＢ", u"ＡＢ"},
    {"empty", u"", u""},
};
INSTANTIATE_TEST_SUITE_P(Cases, ToFull, testing::ValuesIn(kToFullCases), CaseName<MapCase>);

class ToHalf : public testing::TestWithParam<MapCase> {};
TEST_P(ToHalf, Maps) {
  const MapCase& c = GetParam();
  EXPECT_EQ(MapWidth(c.text, WidthTarget::kHalf), c.want) << testing::PrintToString(c.text);
}
const MapCase kToHalfCases[] = {
    {"letters-ideographic-space-digits", u"ＡＢＣ　１２３", u"ABC 123"},
    {"katakana", u"アイウ", u"ｱｲｳ"},
    // Voiced kana split into the kana and the mark, so the text grows.
    {"voiced-katakana-splits", u"ガ", u"ｶﾞ"},
    {"semi-voiced-katakana-splits", u"パピ", u"ﾊﾟﾋﾟ"},
    {"voiced-u-splits", u"ヴ", u"ｳﾞ"},
    {"spacing-marks", u"゛゜", u"ﾞﾟ"},
    {"voiced-hiragana-untouched", u"が", u"が"},
    {"compatibility-jamo-to-half", u"ㄱㄴ", u"ﾡﾤ"},
    {"conjoining-jamo-untouched", u"\u1100", u"\u1100"},
    {"han-untouched", u"中文", u"中文"},
    {"already-half", u"AB", u"AB"},
    {"empty", u"", u""},
};
INSTANTIATE_TEST_SUITE_P(Cases, ToHalf, testing::ValuesIn(kToHalfCases), CaseName<MapCase>);

TEST(MapWidth, EveryPrintableAsciiRoundTrips) {
  Text ascii;
  Text full;
  for (char16_t c = 0x21; c <= 0x7E; ++c) {
    ascii.push_back(c);
    full.push_back(static_cast<char16_t>(c - 0x21 + 0xFF01));
  }
  EXPECT_EQ(MapWidth(ascii, WidthTarget::kFull), full);
  EXPECT_EQ(MapWidth(full, WidthTarget::kHalf), ascii);
}

TEST(MapChineseScript, KeepsLengthOverTheWholeUnifiedBlock) {
  Text han;
  for (char16_t c = 0x4E00; c <= 0x9FFF; ++c) han.push_back(c);
  EXPECT_EQ(MapChineseScript(han, ScriptTarget::kTraditional).size(), han.size());
  EXPECT_EQ(MapChineseScript(han, ScriptTarget::kSimplified).size(), han.size());
}

// Only the sound marks change the length: each character but the voiced kana
// maps to one unit, alone as in a text of all of them.
TEST(MapWidth, OnlySoundMarksChangeTheLength) {
  for (const WidthTarget target : {WidthTarget::kFull, WidthTarget::kHalf}) {
    Text all;
    std::size_t splits = 0;
    for (char32_t c = 1; c <= 0xFFFF; ++c) {
      if (U_IS_SURROGATE(c)) continue;
      const Text one(1, static_cast<char16_t>(c));
      const Text mapped = MapWidth(one, target);
      if (mapped.size() == 2 && (mapped[1] == u'\uFF9E' || mapped[1] == u'\uFF9F')) {
        ++splits;
      } else {
        EXPECT_EQ(mapped.size(), 1u) << test_output::Units(one);
      }
      all += one;
    }
    EXPECT_EQ(MapWidth(all, target).size(), all.size() + splits);
  }
}

}  // namespace
}  // namespace tekvo

#include "engine/mapping.h"

#include <gtest/gtest.h>

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
    // The voiced mark becomes the combining one, so the pair still shows ガ.
    {"voiced-mark-combines", u"ｶﾞ", u"カ\u3099"},
    {"han-untouched", u"中文", u"中文"},
    {"controls-untouched", u"\r\n\t", u"\r\n\t"},
    {"already-full", u"ＡＢ", u"ＡＢ"},
    {"empty", u"", u""},
};
INSTANTIATE_TEST_SUITE_P(Cases, ToFull, testing::ValuesIn(kToFullCases),
                         CaseName<MapCase>);

class ToHalf : public testing::TestWithParam<MapCase> {};
TEST_P(ToHalf, Maps) {
  const MapCase& c = GetParam();
  EXPECT_EQ(MapWidth(c.text, WidthTarget::kHalf), c.want) << testing::PrintToString(c.text);
}
const MapCase kToHalfCases[] = {
    {"letters-ideographic-space-digits", u"ＡＢＣ　１２３", u"ABC 123"},
    {"katakana", u"アイウ", u"ｱｲｳ"},
    // Its half-width form takes two units; the length promise keeps it.
    {"voiced-katakana-kept", u"ガ", u"ガ"},
    {"han-untouched", u"中文", u"中文"},
    {"already-half", u"AB", u"AB"},
    {"empty", u"", u""},
};
INSTANTIATE_TEST_SUITE_P(Cases, ToHalf, testing::ValuesIn(kToHalfCases),
                         CaseName<MapCase>);

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

TEST(MapWidth, KeepsLengthOverTheWholeBasicPlane) {
  Text all;
  for (char32_t c = 1; c < 0xD800; ++c) all.push_back(static_cast<char16_t>(c));
  for (char32_t c = 0xE000; c <= 0xFFFF; ++c) all.push_back(static_cast<char16_t>(c));
  EXPECT_EQ(MapWidth(all, WidthTarget::kFull).size(), all.size());
  EXPECT_EQ(MapWidth(all, WidthTarget::kHalf).size(), all.size());
}

}  // namespace
}  // namespace tekvo

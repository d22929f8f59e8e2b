#include "editor/shift_commands.h"

#include <gtest/gtest.h>

#include <optional>
#include <string>
#include <vector>

#include "engine/codepage/codepage.h"
#include "tests/case_name.h"
#include "tests/editor/command_harness.h"

namespace tekvo {
namespace {

struct PosCase {
  const char* name;
  Text text;
  std::int32_t sel_start;
  std::int32_t want;
};

class TextPos : public testing::TestWithParam<PosCase> {};

TEST_P(TextPos, CountsLineBreaksAsTwo) {
  const PosCase& c = GetParam();
  EXPECT_EQ(TextPosFromSelStart(c.text, c.sel_start), c.want)
      << testing::PrintToString(c.text) << " at " << c.sel_start;
}

const PosCase kPosCases[] = {
    {"negative", u"abc", -1, 0},       {"start", u"abc", 0, 0},
    {"inside", u"abc", 2, 2},          {"end", u"abc", 3, 3},
    {"past-end", u"abc", 9, 3},        {"before-break", u"a\r\nbc", 1, 1},
    {"after-break", u"a\r\nbc", 2, 3}, {"after-two-breaks", u"a\r\n\r\nb", 3, 5},
    {"empty-text", u"", 4, 0},
};

INSTANTIATE_TEST_SUITE_P(Cases, TextPos, testing::ValuesIn(kPosCases), CaseName<PosCase>);

struct LcidCase {
  const char* name;
  Text answer;
  std::optional<std::int32_t> want;
};

class LcidAnswer : public testing::TestWithParam<LcidCase> {};

TEST_P(LcidAnswer, Parses) {
  const LcidCase& c = GetParam();
  EXPECT_EQ(ParseLcidAnswer(c.answer), c.want) << testing::PrintToString(c.answer);
}

const LcidCase kLcidCases[] = {
    {"plain", u"1041", 1041},
    {"blanks-around", u"  1041 ", 1041},
    {"minus-two", u"-2", -2},
    {"plus-sign", u"+5", 5},
    {"default-minus-zero", u"-0", 0},
    {"largest", u"2147483647", 2147483647},
    {"smallest", u"-2147483648", -2147483647 - 1},
    {"too-large", u"2147483648", std::nullopt},
    {"far-too-large", u"99999999999999999999", std::nullopt},
    {"empty", u"", std::nullopt},
    {"blank", u"  ", std::nullopt},
    {"sign-alone", u"-", std::nullopt},
    {"letters", u"abc", std::nullopt},
    {"trailing-letter", u"12a", std::nullopt},
    {"inner-blank", u"10 41", std::nullopt},
};

INSTANTIATE_TEST_SUITE_P(Cases, LcidAnswer, testing::ValuesIn(kLcidCases), CaseName<LcidCase>);

Text Decoded(const char* bytes, std::size_t n, LocaleId lcid) {
  std::optional<Text> text = LocaleBytesToText(ByteString(bytes, n), lcid);
  return text.value_or(Text());
}

TEST(CutaByte, GbRepairAtTheCaret) {
  CommandHarness h;
  // "ab", a stray byte, then 中文z in GB.
  h.Load(Decoded("ab\xB0\xD6\xD0\xCE\xC4z", 8, LocaleId{2052}));
  h.Select(2, 0);
  mnuCutaByte_Click(h.ctx, 0);
  EXPECT_EQ(h.box.Text(), u"ab 中文z");
  EXPECT_EQ(h.box.SelStart(), 2);
  EXPECT_EQ(h.say.Caption(), u"GB+半字 ");
  EXPECT_EQ(h.history.nCur(), 0);
}

TEST(CutaByte, Utf16RepairAfterALineBreak) {
  CommandHarness h;
  h.Load(u"x\r\nAB");
  h.Select(2, 0);  // before A: the text position is 3
  mnuCutaByte_Click(h.ctx, 1);
  EXPECT_EQ(h.box.Text(), u"x\r\n \u4200");
  EXPECT_EQ(h.box.SelStart(), 2);
  EXPECT_EQ(h.say.Caption(), u"U+半字 ");
}

TEST(CutaByte, CaretAtTheEndChangesNothing) {
  CommandHarness h;
  h.Load(u"abc");
  h.Select(3, 0);
  mnuCutaByte_Click(h.ctx, 0);
  EXPECT_EQ(h.box.Text(), u"abc");
  EXPECT_EQ(h.say.Caption(), u"没有改变");
  EXPECT_EQ(h.history.nCur(), History::kOriginal);
}

TEST(CutaByte, OverLongResultIsRefusedWithTheMessage) {
  CommandHarness h;
  // Shifting full-length GB text by one byte leaves a lone lead byte at the
  // end, one unit more than the editor holds.
  const Text text(kMaxTextLen, u'中');
  h.Load(text);
  h.Select(0, 0);
  mnuCutaByte_Click(h.ctx, 0);
  EXPECT_EQ(h.seam.Messages(), std::vector<Text>{u"转换失败~ 文本过长"});
  EXPECT_EQ(h.box.Text(), text);
  EXPECT_EQ(h.history.nCur(), History::kOriginal);
}

struct AskCase {
  const char* name;
  std::optional<Text> answer;
};

class AskCutaByteNoChange : public testing::TestWithParam<AskCase> {};

TEST_P(AskCutaByteNoChange, EndsSilently) {
  const AskCase& c = GetParam();
  CommandHarness h;
  h.Load(u"ABC", u"before");
  h.Select(1, 0);
  h.seam.AnswerInput(c.answer);
  mnuAskCutaByte_Click(h.ctx);
  EXPECT_EQ(h.box.Text(), u"ABC") << testing::PrintToString(c.answer);
  EXPECT_EQ(h.say.Caption(), u"before");
  EXPECT_TRUE(h.seam.Messages().empty());
  ASSERT_EQ(h.seam.Events().size(), 1u);
  const FakeSeam::Event& box = h.seam.Events()[0];
  EXPECT_EQ(box.text, u"+半字");
  EXPECT_EQ(box.title, u"键入 LCID");
  EXPECT_EQ(box.default_text, u"-0");
}

const AskCase kAskCases[] = {
    {"cancel", std::nullopt}, {"empty", Text()},    {"not-a-number", Text(u"gb")},
    {"default", Text(u"-0")}, {"zero", Text(u"0")},
};

INSTANTIATE_TEST_SUITE_P(Cases, AskCutaByteNoChange, testing::ValuesIn(kAskCases),
                         CaseName<AskCase>);

TEST(AskCutaByte, JapaneseLcidRepairsAndSaysTheNumber) {
  CommandHarness h;
  // "ab", a stray byte, then 本日z in Shift-JIS.
  h.Load(Decoded("ab\x81\x96\x7B\x93\xFAz", 8, LocaleId{1041}));
  h.Select(2, 0);
  h.seam.AnswerInput(Text(u" 1041"));
  mnuAskCutaByte_Click(h.ctx);
  EXPECT_EQ(h.box.Text(), u"ab 本日z");
  EXPECT_EQ(h.say.Caption(), u"LCID: (1041)+半字");
  EXPECT_EQ(h.history.nCur(), 0);
}

TEST(AskCutaByte, MinusOneIsTheUtf16Repair) {
  CommandHarness h;
  h.Load(u"AB");
  h.Select(0, 0);
  h.seam.AnswerInput(Text(u"-1"));
  mnuAskCutaByte_Click(h.ctx);
  EXPECT_EQ(h.box.Text(), u" \u4200");
  EXPECT_EQ(h.say.Caption(), u"LCID: (-1)+半字");
}

struct Iso2022Case {
  const char* name;
  int index;
  Text text;
  Text want;
  Text say;
};

class Iso2022Items : public testing::TestWithParam<Iso2022Case> {};

TEST_P(Iso2022Items, DecodeTheWholeText) {
  const Iso2022Case& c = GetParam();
  CommandHarness h;
  h.Load(c.text);
  mnu2022_Click(h.ctx, c.index);
  EXPECT_EQ(h.box.Text(), c.want) << testing::PrintToString(c.text);
  EXPECT_EQ(h.say.Caption(), c.say);
}

const Iso2022Case kIso2022Cases[] = {
    {"chinese", 0, u"$)A\x0eVPND\x0f", u"中文", u"Esc+中文(ISO2022) "},
    {"japanese", 1, u"$B$R$H$?$S(B", u"ひとたび", u"Esc+日文(ISO2022) "},
    {"korean", 2,
     u"$)C\x0e"
     u"0!\x0f",
     u"가", u"Esc+韩文(ISO2022) "},
    {"plain-text-unchanged", 1, u"hello", u"hello", u"没有改变"},
    {"line-breaks-kept", 1, u"$B$R(B\r\n$B$H(B", u"ひ\r\nと", u"Esc+日文(ISO2022) "},
};

INSTANTIATE_TEST_SUITE_P(Cases, Iso2022Items, testing::ValuesIn(kIso2022Cases),
                         CaseName<Iso2022Case>);

}  // namespace
}  // namespace tekvo

#include "editor/compose_commands.h"

#include <gtest/gtest.h>

#include <string>

#include "editor/menu_captions.h"
#include "editor/transfer_commands.h"
#include "tests/case_name.h"
#include "tests/editor/command_harness.h"

namespace tekvo {
namespace {

Text Repeat(const Text& piece, std::size_t times) {
  Text out;
  for (std::size_t i = 0; i < times; ++i) out += piece;
  return out;
}

struct MakeCase {
  std::string name;
  int index;
  Text text;
  std::int32_t start;
  std::int32_t length;
  Text want;  // the whole text afterwards
  std::int32_t selected;
};

class Make : public testing::TestWithParam<MakeCase> {};

TEST_P(Make, EncodesTheSelectionAndSelectsTheResult) {
  const MakeCase& c = GetParam();
  CommandHarness h;
  h.Load(c.text);
  h.Select(c.start, c.length);
  mnuMake_Click(h.ctx, c.index);
  EXPECT_EQ(h.box.Text(), c.want) << testing::PrintToString(c.text);
  EXPECT_EQ(h.box.SelStart(), c.start);
  EXPECT_EQ(h.box.SelLength(), c.selected);
  EXPECT_EQ(h.say.Caption(), Text(captions::kMake[c.index]));
  EXPECT_EQ(h.history.nCur(), 0);
  EXPECT_TRUE(h.seam.Messages().empty());
}

const Text kLetters80 = Repeat(u"abcdefghij", 8);

const MakeCase kMakeCases[] = {
    {"html-hex", 0, u"x可控y", 1, 2, u"x&#x53EF;&#x63A7;y", 16},
    {"html-dec", 1, u"可控", 0, 2, u"&#21487;&#25511;", 16},
    {"qp-gb", 3, u"支持ASCII码", 0, 8, u"=D6=A7=B3=D6ASCII=C2=EB", 23},
    {"qp-gb-80-letters", 3, kLetters80, 0, 80,
     kLetters80.substr(0, 75) + u"=\r\n" + kLetters80.substr(75), 82},
    {"qp-utf8-line-break", 4, u"电\r\n电", 0, 3, u"=E7=94=B5=0D=0A=E7=94=B5", 24},
    {"base64-gb", 6, u"ASCII 就是", 0, 8, u"QVNDSUkgvs3Kxw==", 16},
    {"base64-utf8", 7, u"电", 0, 1, u"55S1", 4},
    {"utf7", 9, u"北京 YES", 0, 6, u"+UxdOrA- YES", 12},
    {"hz", 10, u"中~文", 0, 3, u"~{VP~}~~~{ND~}", 14},
};

INSTANTIATE_TEST_SUITE_P(Cases, Make, testing::ValuesIn(kMakeCases), CaseName<MakeCase>);

TEST(MakeNoSelection, EveryItemLeavesTheTextAndSaysNoChange) {
  for (int index : {0, 1, 3, 4, 6, 7, 9, 10}) {
    CommandHarness h;
    h.Load(u"可控 text");
    h.Select(2, 0);
    mnuMake_Click(h.ctx, index);
    EXPECT_EQ(h.box.Text(), u"可控 text") << index;
    EXPECT_EQ(h.say.Caption(), u"没有改变") << index;
    EXPECT_EQ(h.history.nCur(), History::kOriginal) << index;
  }
}

TEST(MakeLimits, EncoderRefusalLeavesTheSelection) {
  const struct {
    int index;
    std::size_t limit;
  } cases[] = {{0, 1820}, {1, 1820}, {3, 1638}, {4, 1638},
               {6, 3276}, {7, 3276}, {9, 3276}, {10, 3276}};
  for (const auto& c : cases) {
    CommandHarness h;
    // A full document: the refused selection stays as it is, so the room
    // for the encoded text's line breaks must not count against it.
    const Text over(c.limit + 1, u'中');
    const Text full = Text(kMaxTextLen - over.size(), u'x') + over;
    h.Load(full);
    h.Select(static_cast<std::int32_t>(full.size() - over.size()),
             static_cast<std::int32_t>(over.size()));
    mnuMake_Click(h.ctx, c.index);
    EXPECT_EQ(h.box.Text(), full) << c.index;
    EXPECT_EQ(h.seam.Messages(), std::vector<Text>{u"转换失败~ 文本过长"}) << c.index;
    EXPECT_EQ(h.say.Caption(), u"没有改变") << c.index;
  }
}

TEST(MakeLimits, ResultPastTheEditorLimitIsRefused) {
  // 1800 characters of CJK give 14400 units of references; with 2000 units of
  // other text the document would pass 16383.
  CommandHarness h;
  const Text text = Text(2000, u'a') + Text(1800, u'中');
  h.Load(text);
  h.Select(2000, 1800);
  mnuMake_Click(h.ctx, 0);
  EXPECT_EQ(h.box.Text(), text);
  EXPECT_EQ(h.seam.Messages(), std::vector<Text>{u"修改失败~ 文本过长"});
  EXPECT_EQ(h.history.nCur(), History::kOriginal);
}

TEST(MakeLimits, AllowanceForBrokenLinesCountsOnePerSeventySix) {
  // Base64 of 3000 "中" (6000 bytes) is 8000 characters in 106 lines.
  const Text sel(3000, u'中');
  const std::int32_t n = 8000 + 105;
  const std::int32_t room = static_cast<std::int32_t>(kMaxTextLen) - (n + n / 76);
  for (const auto& [extra, refused] : {std::pair{room, false}, std::pair{room + 1, true}}) {
    CommandHarness h;
    h.Load(Text(extra, u'x') + sel);
    h.Select(extra, 3000);
    mnuMake_Click(h.ctx, 6);
    EXPECT_EQ(h.seam.Messages().size(), refused ? 1u : 0u) << extra;
    EXPECT_LE(h.box.TextLength(), static_cast<std::int32_t>(kMaxTextLen));
  }
}

TEST(MakeLimits, ResultWithManyLineBreaksIsMeasuredAsStored) {
  // References keep the selection's line breaks; each becomes CR LF in the
  // box, more than the allowance of one per 76 counts for.
  const Text line = u"中\r";
  Text sel;
  for (int i = 0; i < 1800 / 2; ++i) sel += line;
  const std::int32_t n = 900 * 9;  // "&#x4E2D;" and a CR per line
  const std::int32_t fits_estimate = static_cast<std::int32_t>(kMaxTextLen) - (n + n / 76);
  CommandHarness h;
  h.Load(Text(fits_estimate, u'x'));
  h.box.SetSelStart(fits_estimate);
  h.box.SetSelText(sel);
  h.Select(fits_estimate, 1800);
  mnuMake_Click(h.ctx, 0);
  EXPECT_LE(h.box.TextLength(), static_cast<std::int32_t>(kMaxTextLen));
  EXPECT_EQ(h.seam.Messages(), std::vector<Text>{u"修改失败~ 文本过长"});
}

struct RoundTripCase {
  std::string name;
  int make;
  void (*decode)(EditorContext&, int);
  int decode_index;
};

class ComposeThenDecode : public testing::TestWithParam<RoundTripCase> {};

TEST_P(ComposeThenDecode, RestoresTheText) {
  const RoundTripCase& c = GetParam();
  // Long enough for the line-breaking encoders to break lines.
  const Text text =
      u"乱码修复工具：把“乱码”变回文字。\r\n北京欢迎你！今天天气很好，我们去公园散步吧。"
      u"只支持ASCII码的系统，价格100元。";
  CommandHarness h;
  h.Load(text);
  h.Select(0, static_cast<std::int32_t>(text.size()) - 1);
  mnuMake_Click(h.ctx, c.make);
  ASSERT_NE(h.box.Text(), text);
  h.Select(0, 0);
  c.decode(h.ctx, c.decode_index);
  EXPECT_EQ(h.box.Text(), text) << c.name;
}

const RoundTripCase kRoundTrips[] = {
    {"html-hex", 0, mnuNumU_Click, 0},    {"html-dec", 1, mnuNumU_Click, 0},
    {"qp-gb", 3, mnuReadQp_Click, 4},     {"qp-utf8", 4, mnuReadQp_Click, 6},
    {"base64-gb", 6, mnuBase64_Click, 0}, {"base64-utf8", 7, mnuBase64_Click, 2},
    {"utf7", 9, mnuJieA_Click, 0},        {"hz", 10, mnuJieA_Click, 1},
};

INSTANTIATE_TEST_SUITE_P(Cases, ComposeThenDecode, testing::ValuesIn(kRoundTrips),
                         CaseName<RoundTripCase>);

}  // namespace
}  // namespace tekvo

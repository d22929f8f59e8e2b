#include "editor/selection_commands.h"

#include <gtest/gtest.h>

#include <QPlainTextEdit>
#include <string>
#include <vector>

#include "dialogs/frm_inp.h"
#include "dialogs/qtext.h"
#include "tests/case_name.h"
#include "tests/editor/command_harness.h"

namespace tekvo {
namespace {

struct WnCaseCase {
  const char* name;
  int index;
  Text text;
  std::int32_t start;
  std::int32_t length;
  Text want;
  std::int32_t want_length;  // the mapped stretch stays selected
  Text say;
};

class WnCase : public testing::TestWithParam<WnCaseCase> {};

TEST_P(WnCase, MapsTheSelectionAndKeepsItSelected) {
  const WnCaseCase& c = GetParam();
  CommandHarness h;
  h.Load(c.text);
  h.Select(c.start, c.length);
  mnuWnCase_Click(h.ctx, c.index);
  EXPECT_EQ(h.box.Text(), c.want) << testing::PrintToString(c.text);
  EXPECT_EQ(h.box.SelStart(), c.start);
  EXPECT_EQ(h.box.SelLength(), c.want_length);
  EXPECT_EQ(h.say.Caption(), c.say);
}

const WnCaseCase kWnCaseCases[] = {
    {"full-letter-digit-blank", 0, u"xA1 y", 1, 3, u"xＡ１　y", 3, u"转全角 (&D)"},
    {"half", 1, u"ＡＢ　Ｃ", 0, 4, u"AB C", 4, u"转半角 (&B)"},
    {"simplified", 2, u"x漢字y", 1, 2, u"x汉字y", 2, u"转简体 (&G)"},
    {"traditional", 3, u"汉字简体", 0, 4, u"漢字簡體", 4, u"转繁体 (&F)"},
    {"across-line-break", 0, u"ab\r\ncd", 0, 5, u"ａｂ\r\nｃｄ", 5, u"转全角 (&D)"},
    {"nothing-to-map", 2, u"abc", 0, 3, u"abc", 3, u"没有改变"},
    {"half-splits-voiced-kana", 1, u"xガパy", 1, 2, u"xｶﾞﾊﾟy", 4, u"转半角 (&B)"},
    {"full-composes-voiced-kana", 0, u"xｶﾞy", 1, 2, u"xガy", 1, u"转全角 (&D)"},
};

INSTANTIATE_TEST_SUITE_P(Cases, WnCase, testing::ValuesIn(kWnCaseCases), CaseName<WnCaseCase>);

struct InsCase {
  const char* name;
  int index;
  std::int32_t start;
  std::int32_t length;
  Text want;
  Text say;
};

class Ins : public testing::TestWithParam<InsCase> {};

TEST_P(Ins, ReplacesTheSelection) {
  const InsCase& c = GetParam();
  CommandHarness h;
  h.Load(u"abcd", u"before");
  h.Select(c.start, c.length);
  mnuIns_Click(h.ctx, c.index);
  EXPECT_EQ(h.box.Text(), c.want);
  EXPECT_EQ(h.say.Caption(), c.say);
  EXPECT_TRUE(h.seam.Messages().empty());
}

const InsCase kInsCases[] = {
    {"delete-selection", 0, 1, 2, u"ad", u"删除 [Del]"},
    {"delete-nothing-selected", 0, 1, 0, u"abcd", u"before"},
    {"blank-at-caret", 2, 2, 0, u"ab cd", u"空格 [Ctrl+Del]"},
    {"blank-over-selection", 2, 1, 2, u"a d", u"空格 [Ctrl+Del]"},
    {"tab", 3, 4, 0, u"abcd\t", u"跳格 [Ctrl+F9]"},
    {"line-break-at-caret", 4, 2, 0, u"ab\r\ncd", u"换行 [F9]"},
    {"line-break-over-selection", 4, 1, 2, u"a\r\nd", u"换行 [F9]"},
};

INSTANTIATE_TEST_SUITE_P(Cases, Ins, testing::ValuesIn(kInsCases), CaseName<InsCase>);

TEST(Ins, DeleteRecordsAStep) {
  CommandHarness h;
  h.Load(u"abcd");
  h.Select(0, 2);
  mnuIns_Click(h.ctx, 0);
  EXPECT_EQ(h.history.nCur(), 0);
}

TEST(Ins, LineBreakBeyondTheLimitIsRefused) {
  CommandHarness h;
  const Text text(kMaxTextLen - 1, u'a');
  h.Load(text);
  h.Select(3, 0);
  mnuIns_Click(h.ctx, 4);
  EXPECT_EQ(h.seam.Messages(), std::vector<Text>{u"修改失败~ 文本过长"});
  EXPECT_EQ(h.box.Text(), text);

  mnuIns_Click(h.ctx, 2);  // a blank still fits
  EXPECT_EQ(h.box.TextLength(), static_cast<std::int32_t>(kMaxTextLen));
}

TEST(WnCase, HalfWidthBeyondTheLimitIsRefused) {
  CommandHarness h;
  const Text text = Text(kMaxTextLen - 1, u'a') + u"ガ";
  h.Load(text);
  h.Select(static_cast<std::int32_t>(kMaxTextLen - 1), 1);
  mnuWnCase_Click(h.ctx, 1);
  EXPECT_EQ(h.seam.Messages(), std::vector<Text>{u"修改失败~ 文本过长"});
  EXPECT_EQ(h.box.Text(), text);
}

// The insert item shows the input dialog with the selection in it.
struct InsertCase {
  const char* name;
  std::optional<QString> typed;  // nullopt: cancelled
  Text want;
  Text say;
};

class Insert : public testing::TestWithParam<InsertCase> {};

TEST_P(Insert, TypedText) {
  const InsertCase& c = GetParam();
  CommandHarness h;
  h.Load(u"abcd", u"before");
  h.Select(1, 2);
  QString shown;
  QString caption;
  h.seam.OnDialog([&](QDialog& d) {
    auto& dlg = dynamic_cast<FrmInp&>(d);
    shown = dlg.txtA()->toPlainText();
    caption = dlg.windowTitle();
    if (!c.typed) {
      dlg.Cancel();
      return;
    }
    dlg.txtA()->setPlainText(*c.typed);
    dlg.Confirm();
  });
  mnuIns_Click(h.ctx, 1);
  EXPECT_EQ(shown, QStringLiteral("bc"));
  EXPECT_EQ(caption, QStringLiteral("插入字串"));
  EXPECT_EQ(h.box.Text(), c.want);
  EXPECT_EQ(h.say.Caption(), c.say);
}

const InsertCase kInsertCases[] = {
    {"typed", QStringLiteral("XYZ"), u"aXYZd", u"插入 [Ins] …"},
    {"typed-line-break", QStringLiteral("X\nY"), u"aX\r\nYd", u"插入 [Ins] …"},
    {"unchanged-says-no-change", QStringLiteral("bc"), u"abcd", u"没有改变"},
    {"empty-changes-nothing", QString(), u"abcd", u"before"},
    {"cancelled", std::nullopt, u"abcd", u"before"},
};

INSTANTIATE_TEST_SUITE_P(Cases, Insert, testing::ValuesIn(kInsertCases), CaseName<InsertCase>);

TEST(Insert, SelectionOverThreeHundredIsRefusedByTheDialog) {
  CommandHarness h;
  h.Load(Text(400, u'a'));
  h.Select(0, 301);
  mnuIns_Click(h.ctx, 1);
  EXPECT_EQ(h.seam.Messages(), std::vector<Text>{u"选取字数 不能超过 300"});
  EXPECT_EQ(h.seam.DialogsShown(), 0);
  EXPECT_EQ(h.box.TextLength(), 400);
}

struct InfoCase {
  const char* name;
  Text text;
  std::int32_t caret;
  Text want;  // empty: nothing shown
};

class SayCode : public testing::TestWithParam<InfoCase> {};

TEST_P(SayCode, ShowsTheCodes) {
  const InfoCase& c = GetParam();
  CommandHarness h;
  h.Load(c.text, u"before");
  h.Select(c.caret, 0);
  mnuSayCode_Click(h.ctx);
  EXPECT_EQ(h.say.Caption(), c.want.empty() ? Text(u"before") : c.want)
      << testing::PrintToString(c.text);
  EXPECT_EQ(h.history.nCur(), History::kOriginal);
  if (!c.want.empty()) {
    EXPECT_EQ(h.box.SelStart(), c.caret);
    EXPECT_EQ(h.box.SelLength(), 1);
  }
}

const InfoCase kInfoCases[] = {
    {"han", u"x字", 1, u"\"字\" U=5B57 GB=D7D6"},
    {"letter", u"A", 0, u"\"A\" U=41 GB=41"},
    {"line-break", u"a\r\nb", 1, u"\" \" U=D GB=D"},
    {"euro-single-byte-in-gbk", u"€", 0, u"\"€\" U=20AC GB=80"},
    {"not-in-gbk", u"ก", 0, u"\"ก\" U=E01 GB=3F"},
    {"high-unit-four-digits", u"￥", 0, u"\"￥\" U=FFE5 GB=A3A4"},
    {"tab-shown-as-is", u"\t", 0, u"\"\t\" U=9 GB=9"},
    {"end-of-text", u"ab", 2, u""},
};

INSTANTIATE_TEST_SUITE_P(Cases, SayCode, testing::ValuesIn(kInfoCases), CaseName<InfoCase>);

}  // namespace
}  // namespace tekvo

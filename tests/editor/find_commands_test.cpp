#include "editor/find_commands.h"

#include <gtest/gtest.h>

#include <QPlainTextEdit>
#include <string>
#include <vector>

#include "dialogs/frm_inp.h"
#include "editor/history.h"
#include "tests/case_name.h"
#include "tests/editor/command_harness.h"

namespace tekvo {
namespace {

// Scripts the next input dialog: confirms `typed`, or cancels for nullopt.
void TypeInDialog(CommandHarness& h, std::optional<QString> typed, QString* shown = nullptr,
                  QString* caption = nullptr) {
  h.seam.OnDialog([typed, shown, caption](QDialog& d) {
    auto& dlg = dynamic_cast<FrmInp&>(d);
    if (shown != nullptr) *shown = dlg.txtA()->toPlainText();
    if (caption != nullptr) *caption = dlg.windowTitle();
    if (!typed) {
      dlg.Cancel();
      return;
    }
    dlg.txtA()->setPlainText(*typed);
    dlg.Confirm();
  });
}

// One user action of a find sequence and the selection expected after it.
enum class Act { kTypedFind, kBackward, kForward };

struct FindStep {
  Act act;
  std::int32_t start;
  std::int32_t length;
  bool beep;
};

struct FindScenario {
  const char* name;
  Text text;
  std::int32_t caret;
  Text typed;  // for kTypedFind; also the search text set beforehand
  std::vector<FindStep> steps;
};

class FindSequence : public testing::TestWithParam<FindScenario> {};

TEST_P(FindSequence, SelectsInTurn) {
  const FindScenario& s = GetParam();
  CommandHarness h;
  h.Load(s.text);
  h.Select(s.caret, 0);
  h.ctx.sSeek = s.typed;
  int step = 0;
  for (const FindStep& f : s.steps) {
    const int beeps = h.seam.Beeps();
    switch (f.act) {
      case Act::kTypedFind:
        TypeInDialog(h, QString::fromStdU16String(s.typed));
        mnuSeekNew_Click(h.ctx);
        break;
      case Act::kBackward:
        cmdSeek_Click(h.ctx, 0);
        break;
      case Act::kForward:
        cmdSeek_Click(h.ctx, 1);
        break;
    }
    EXPECT_EQ(h.box.SelStart(), f.start) << s.name << " step " << step;
    EXPECT_EQ(h.box.SelLength(), f.length) << s.name << " step " << step;
    EXPECT_EQ(h.seam.Beeps() - beeps, f.beep ? 1 : 0) << s.name << " step " << step;
    ++step;
  }
  EXPECT_EQ(h.box.Text(), s.text);
}

const FindScenario kFindScenarios[] = {
    {"abcabc-there-and-back",
     u"abcabc",
     0,
     u"bc",
     {{Act::kTypedFind, 1, 2, false},
      {Act::kForward, 4, 2, false},
      {Act::kForward, 4, 2, true},
      {Act::kBackward, 1, 2, false},
      {Act::kBackward, 1, 2, true}}},
    {"backward-needs-whole-occurrence-before-caret",
     u"abcabc",
     5,
     u"bc",
     {{Act::kBackward, 1, 2, false}}},
    {"case-sensitive", u"abc", 0, u"ABC", {{Act::kTypedFind, 0, 0, true}}},
    {"backward-from-start-beeps", u"abc", 0, u"a", {{Act::kBackward, 0, 0, true}}},
    {"across-line-breaks",
     u"ab\r\ncd ab\r\ncd",
     0,
     u"b\r\nc",
     {{Act::kTypedFind, 1, 3, false}, {Act::kForward, 7, 3, false}}},
    {"nothing-selected-nothing-to-seek", u"abc", 1, u"", {{Act::kForward, 1, 0, true}}},
};

INSTANTIATE_TEST_SUITE_P(Cases, FindSequence, testing::ValuesIn(kFindScenarios),
                         CaseName<FindScenario>);

TEST(Find, SelectedTextBecomesTheSearchText) {
  CommandHarness h;
  h.Load(u"ab\r\ncd ab\r\ncd");
  h.Select(1, 3);  // "b", line break, "c"
  cmdSeek_Click(h.ctx, 1);
  EXPECT_EQ(h.ctx.sSeek, u"b\rc");
  EXPECT_EQ(h.box.SelStart(), 7);
  EXPECT_EQ(h.box.SelLength(), 3);
}

TEST(Find, TypedFindShowsTheLastSearchTextAndIgnoresCancel) {
  CommandHarness h;
  h.Load(u"abc");
  h.ctx.sSeek = u"bc";
  QString shown;
  QString caption;
  TypeInDialog(h, std::nullopt, &shown, &caption);
  mnuSeekNew_Click(h.ctx);
  EXPECT_EQ(shown, QStringLiteral("bc"));
  EXPECT_EQ(caption, QStringLiteral("查找字串"));
  EXPECT_EQ(h.ctx.sSeek, u"bc");
  EXPECT_EQ(h.seam.Beeps(), 0);
}

TEST(Find, FoundSelectionIsKeptInTheHistory) {
  CommandHarness h;
  h.Load(u"abcabc");
  h.ctx.sSeek = u"ca";
  cmdSeek_Click(h.ctx, 1);
  EXPECT_EQ(h.history.lStepStart(History::kOriginal), 2);
  EXPECT_EQ(h.history.lStepLen(History::kOriginal), 2);
}

struct ReplaceCase {
  const char* name;
  Text text;
  std::int32_t start;
  std::int32_t length;
  std::optional<QString> typed;
  std::vector<bool> answers;  // Yes/No answers to questions
  Text want;
  std::vector<Text> questions;
  std::vector<Text> messages;
  Text say;
  std::int32_t want_start;
  std::int32_t want_length;
};

class Replace : public testing::TestWithParam<ReplaceCase> {};

TEST_P(Replace, ReplacesEveryOccurrence) {
  const ReplaceCase& c = GetParam();
  CommandHarness h;
  h.Load(c.text, u"before");
  h.Select(c.start, c.length);
  TypeInDialog(h, c.typed);
  for (bool yes : c.answers) h.seam.AnswerAsk(yes);
  mnuReplace_Click(h.ctx);
  EXPECT_EQ(h.box.Text(), c.want) << testing::PrintToString(c.text);
  EXPECT_EQ(h.seam.Questions(), c.questions);
  EXPECT_EQ(h.seam.Messages(), c.messages);
  EXPECT_EQ(h.say.Caption(), c.say);
  EXPECT_EQ(h.box.SelStart(), c.want_start);
  EXPECT_EQ(h.box.SelLength(), c.want_length);
  EXPECT_EQ(h.history.nCur(), c.want == c.text ? History::kOriginal : 0);
}

const Text kAskEmpty = u"新内容为空。要删除旧内容吗？";
const Text kAskBlank = u"新内容是空格。要替换成空格吗？";

const ReplaceCase kReplaceCases[] = {
    {"third-of-three-selects-first",
     u"one two one two one",
     16,
     3,
     QStringLiteral("1"),
     {},
     u"1 two 1 two 1",
     {},
     {},
     u"统一替换 [F3] …",
     0,
     1},
    {"fifty-allowed",
     u"xax",
     1,
     1,
     QString(50, u'b'),
     {},
     u"x" + Text(50, u'b') + u"x",
     {},
     {},
     u"统一替换 [F3] …",
     1,
     50},
    {"fifty-one-refused",
     u"xax",
     1,
     1,
     QString(51, u'b'),
     {},
     u"xax",
     {},
     {u"不能替换~ 字数超过 50"},
     u"before",
     1,
     1},
    {"empty-no", u"a-b-c", 1, 1, QString(), {false}, u"a-b-c", {kAskEmpty}, {}, u"before", 1, 1},
    {"empty-yes-deletes-all",
     u"a-b-c",
     3,
     1,
     QString(),
     {true},
     u"abc",
     {kAskEmpty},
     {},
     u"统一替换 [F3] …",
     1,
     0},
    {"blank-asks",
     u"a-b",
     1,
     1,
     QStringLiteral(" "),
     {true},
     u"a b",
     {kAskBlank},
     {},
     u"统一替换 [F3] …",
     1,
     1},
    {"blank-no",
     u"a-b",
     1,
     1,
     QStringLiteral("  "),
     {false},
     u"a-b",
     {kAskBlank},
     {},
     u"before",
     1,
     1},
    {"same-content",
     u"abab",
     2,
     2,
     QStringLiteral("ab"),
     {},
     u"abab",
     {},
     {},
     u"没有改变~ 内容相同",
     0,
     2},
    {"cancelled", u"abab", 2, 2, std::nullopt, {}, u"abab", {}, {}, u"before", 0, 2},
    {"line-break-in-old-text",
     u"a\r\nb a\r\nb",
     0,
     3,
     QStringLiteral("X"),
     {},
     u"X X",
     {},
     {},
     u"统一替换 [F3] …",
     0,
     1},
    {"line-break-in-new-text",
     u"a-b",
     1,
     1,
     QStringLiteral("\n"),
     {},
     u"a\r\nb",
     {},
     {},
     u"统一替换 [F3] …",
     1,
     1},
    {"result-of-16383-allowed",
     Text(16381, u'a') + u"-",
     16381,
     1,
     QStringLiteral("bb"),
     {},
     Text(16381, u'a') + u"bb",
     {},
     {},
     u"统一替换 [F3] …",
     16381,
     2},
    {"result-of-16384-refused",
     Text(16382, u'a') + u"-",
     16382,
     1,
     QStringLiteral("bb"),
     {},
     Text(16382, u'a') + u"-",
     {},
     {u"替换失败~ 文本过长"},
     u"before",
     16382,
     1},
    {"new-line-break-counts-two-over-limit",
     Text(16382, u'a') + u"-",
     16382,
     1,
     QStringLiteral("\n"),
     {},
     Text(16382, u'a') + u"-",
     {},
     {u"替换失败~ 文本过长"},
     u"before",
     16382,
     1},
};

INSTANTIATE_TEST_SUITE_P(Cases, Replace, testing::ValuesIn(kReplaceCases), CaseName<ReplaceCase>);

TEST(Replace, NothingSelectedDoesNothing) {
  CommandHarness h;
  h.Load(u"abc");
  h.Select(1, 0);
  mnuReplace_Click(h.ctx);
  EXPECT_EQ(h.seam.DialogsShown(), 0);
  EXPECT_TRUE(h.seam.Events().empty());
}

TEST(Replace, OneUndoBringsBackTextSelectionAndStatus) {
  CommandHarness h;
  h.Load(u"one two one");
  h.Change(u"one two one!", u"edited");
  h.Select(8, 3);
  h.history.RecordStep(false);  // as moving the caret does
  TypeInDialog(h, QStringLiteral("1"));
  mnuReplace_Click(h.ctx);
  ASSERT_EQ(h.box.Text(), u"1 two 1!");
  h.history.cmdUd_Click(kUndo);
  EXPECT_EQ(h.box.Text(), u"one two one!");
  EXPECT_EQ(h.say.Caption(), u"edited");
  EXPECT_EQ(h.box.SelStart(), 8);
  EXPECT_EQ(h.box.SelLength(), 3);
}

}  // namespace
}  // namespace tekvo

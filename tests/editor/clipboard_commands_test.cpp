#include "editor/clipboard_commands.h"

#include <gtest/gtest.h>

#include <optional>
#include <string>

#include "dialogs/qtext.h"
#include "tests/case_name.h"
#include "tests/editor/command_harness.h"

namespace tekvo {
namespace {

QString Q(const std::u16string& text) { return ToQString(text); }

const std::u16string kTooLongMessage = u"粘贴失败~ 文本过长";

struct PasteOrigCase {
  const char* name;
  bool unsaved_before;         // a repair was made after loading
  std::optional<bool> answer;  // the answer to the discard question
  std::optional<std::u16string> clipboard;
  bool pasted;                   // the clipboard became the original
  std::u16string expected_text;  // Text() afterwards
};

void PrintTo(const PasteOrigCase& c, std::ostream* os) { *os << c.name; }

class PasteOrigTest : public testing::TestWithParam<PasteOrigCase> {};

TEST_P(PasteOrigTest, MakesClipboardTheUnsavedOriginal) {
  const PasteOrigCase& c = GetParam();
  CommandHarness h;
  h.Load(u"old text", u"打开作原始 (&O) …");
  h.ctx.file.sFile = u"/tmp/old.txt";
  h.ctx.file.nFilePat = FileEncoding::kUtf8;
  h.ctx.file.eFileBreak = LineBreakStyle::kLf;
  h.ctx.SetWindowCaption(u"old.txt  ~Tekvo");
  if (c.unsaved_before) h.Change(u"repaired", u"GB--Big5 ");
  if (c.answer) h.seam.AnswerAsk(*c.answer);
  h.clipboard.content = c.clipboard;
  const std::u16string text_before = h.box.Text();

  mnuPasteOrig_Click(h.ctx);

  EXPECT_EQ(h.seam.Unscripted(), 0);
  EXPECT_EQ(h.seam.Unused(), 0);
  if (!c.pasted) {
    EXPECT_EQ(Q(h.box.Text()), Q(text_before));
    EXPECT_EQ(Q(h.ctx.file.sFile), QStringLiteral("/tmp/old.txt"));
    EXPECT_EQ(ToInt(h.ctx.file.nFilePat), 4);
    EXPECT_EQ(h.ctx.file.eFileBreak, LineBreakStyle::kLf);
    EXPECT_EQ(Q(h.ctx.WindowCaption()), QStringLiteral("old.txt  ~Tekvo"));
    return;
  }
  EXPECT_EQ(Q(h.box.Text()), Q(c.expected_text));
  EXPECT_EQ(Q(h.say.Caption()), QStringLiteral("粘贴作原始 [Ctrl+P]"));
  EXPECT_EQ(Q(h.ctx.WindowCaption()), QStringLiteral("粘贴作原始  ~Tekvo"));
  EXPECT_TRUE(h.ctx.file.sFile.empty());
  EXPECT_EQ(ToInt(h.ctx.file.nFilePat), 0);
  // Pasted text came from no file: it is saved with CR LF.
  EXPECT_EQ(h.ctx.file.eFileBreak, LineBreakStyle::kCrLf);
  EXPECT_EQ(h.history.nCur(), -1);
  EXPECT_EQ(h.history.nNewest(), -1);
  EXPECT_EQ(h.history.nSaved(), -2);
  EXPECT_EQ(Q(h.history.sStepText(-1)), Q(c.expected_text));
  EXPECT_EQ(Q(h.history.sStepSay(-1)), QStringLiteral("粘贴作原始 [Ctrl+P]"));
  EXPECT_TRUE(h.box.Locked());
  // A pasted original is not saved: throwing it away asks.
  h.seam.ClearEvents();
  EXPECT_FALSE(h.history.ConfirmDiscard());
  EXPECT_EQ(h.seam.Questions().size(), 1u);
}

TEST_P(PasteOrigTest, RefusesOnlyTooLongText) {
  const PasteOrigCase& c = GetParam();
  CommandHarness h;
  h.Load(u"old text");
  if (c.unsaved_before) h.Change(u"repaired", u"GB--Big5 ");
  if (c.answer) h.seam.AnswerAsk(*c.answer);
  h.clipboard.content = c.clipboard;
  mnuPasteOrig_Click(h.ctx);
  const bool refused_for_length = !c.pasted && c.answer.value_or(true);
  EXPECT_EQ(h.seam.Messages(),
            refused_for_length ? std::vector<Text>{kTooLongMessage} : std::vector<Text>{});
}

// The pasted original keeps the caret after the paste, not the selection of
// the text it replaced; going back to the original after a repair puts it
// there again.
TEST(PasteOrigSelection, OriginalKeepsTheCaretAfterThePaste) {
  CommandHarness h;
  h.Load(u"old text");
  h.Select(1, 4);
  h.history.RecordStep(false);
  h.clipboard.content = u"ab\ncd";
  mnuPasteOrig_Click(h.ctx);
  EXPECT_EQ(h.history.lStepStart(History::kOriginal), 5);
  EXPECT_EQ(h.history.lStepLen(History::kOriginal), 0);
  h.Change(u"x", u"step");
  h.Select(0, 1);
  h.history.cmdUd_Click(kBackToOriginal);
  EXPECT_EQ(h.box.SelStart(), 5);
  EXPECT_EQ(h.box.SelLength(), 0);
}

const std::u16string kCjk = u"乱码 \u00A0修复\u2028テスト";

INSTANTIATE_TEST_SUITE_P(
    Cases, PasteOrigTest,
    testing::Values(
        PasteOrigCase{"cjk-text", false, std::nullopt, kCjk, true, kCjk},
        PasteOrigCase{"desktop-line-breaks", false, std::nullopt, u"a\nb\r\nc", true,
                      u"a\r\nb\r\nc"},
        PasteOrigCase{"exactly-16383", false, std::nullopt, std::u16string(16383, u'x'), true,
                      std::u16string(16383, u'x')},
        PasteOrigCase{"16384-refused", false, std::nullopt, std::u16string(16384, u'x'), false,
                      u""},
        PasteOrigCase{"lf-counts-as-two", false, std::nullopt, std::u16string(16381, u'x') + u"\n",
                      true, std::u16string(16381, u'x') + u"\r\n"},
        PasteOrigCase{"lf-over-limit-refused", false, std::nullopt,
                      std::u16string(16382, u'x') + u"\n", false, u""},
        PasteOrigCase{"frame-marker-over-limit-refused", false, std::nullopt,
                      std::u16string(16382, u'x') + u"\uFDD0", false, u""},
        PasteOrigCase{"empty-clipboard-text", false, std::nullopt, u"", true, u""},
        PasteOrigCase{"clipboard-without-text", false, std::nullopt, std::nullopt, true, u""},
        PasteOrigCase{"unsaved-answer-yes", true, true, u"new", true, u"new"},
        PasteOrigCase{"unsaved-answer-no", true, false, u"new", false, u""}),
    CaseName<PasteOrigCase>);

struct PasteCase {
  const char* name;
  std::u16string text;
  std::int32_t sel_start, sel_length;
  std::optional<std::u16string> clipboard;
  std::u16string expected_text;  // empty: unchanged
  std::u16string expected_say;
  bool step_added;
  bool refused;
};

void PrintTo(const PasteCase& c, std::ostream* os) { *os << c.name; }

class PasteTest : public testing::TestWithParam<PasteCase> {};

TEST_P(PasteTest, ReplacesSelectionAsOneStep) {
  const PasteCase& c = GetParam();
  CommandHarness h;
  h.Load(c.text, u"loaded");
  h.Select(c.sel_start, c.sel_length);
  h.clipboard.content = c.clipboard;

  mnuPaste_Click(h.ctx);

  EXPECT_EQ(Q(h.box.Text()), Q(c.expected_text.empty() ? c.text : c.expected_text));
  EXPECT_EQ(Q(h.say.Caption()), Q(c.expected_say));
  EXPECT_EQ(h.history.nCur(), c.step_added ? 0 : -1);
  EXPECT_EQ(h.seam.Messages(),
            c.refused ? std::vector<Text>{kTooLongMessage} : std::vector<Text>{});
  EXPECT_TRUE(h.box.Locked());
}

const std::u16string kNearlyFull(16380, u'a');

INSTANTIATE_TEST_SUITE_P(
    Cases, PasteTest,
    testing::Values(
        PasteCase{"over-selection", u"abcd", 1, 2, u"XY", u"aXYd", u"粘贴 [Ctrl+V]", true, false},
        PasteCase{"at-caret", u"abcd", 4, 0, u"乱码", u"abcd乱码", u"粘贴 [Ctrl+V]", true, false},
        PasteCase{"line-breaks", u"ab", 1, 0, u"1\n2", u"a1\r\n2b", u"粘贴 [Ctrl+V]", true, false},
        PasteCase{"no-text-says-no-change", u"abcd", 1, 0, std::nullopt, u"", u"没有改变", false,
                  false},
        PasteCase{"no-text-keeps-selection", u"abcd", 1, 2, std::nullopt, u"", u"没有改变", false,
                  false},
        PasteCase{"same-text-says-no-change", u"abcd", 1, 2, u"bc", u"", u"没有改变", false, false},
        PasteCase{"up-to-limit", kNearlyFull, 0, 0, u"xyz", u"xyz" + kNearlyFull, u"粘贴 [Ctrl+V]",
                  true, false},
        PasteCase{"over-limit-refused", kNearlyFull, 0, 0, u"wxyz", u"", u"loaded", false, true},
        PasteCase{"line-break-over-limit-refused", kNearlyFull, 0, 0, u"xy\n", u"", u"loaded",
                  false, true},
        PasteCase{"replacing-frees-room", kNearlyFull, 0, 2, u"wxyz",
                  u"wxyz" + std::u16string(16378, u'a'), u"粘贴 [Ctrl+V]", true, false}),
    CaseName<PasteCase>);

TEST(SelectAllTest, CountsLineBreaksAsTwo) {
  CommandHarness h;
  h.Load(u"ab\r\nc", u"loaded");
  h.Select(1, 0);
  mnuASel_Click(h.ctx);
  EXPECT_EQ(h.box.SelStart(), 0);
  EXPECT_EQ(h.box.SelLength(), 4);  // every position of the text
  EXPECT_EQ(Q(h.say.Caption()), QStringLiteral("字符总数 5"));
  EXPECT_EQ(h.history.nCur(), -1);
  EXPECT_EQ(h.history.lStepLen(-1), 0);  // reaches the history only with the next step
}

TEST(CopyTest, CopiesSelectionWithoutStep) {
  CommandHarness h;
  h.Load(u"乱码\r\n修复", u"loaded");
  h.Select(1, 3);
  mnuCopy_Click(h.ctx);
  ASSERT_TRUE(h.clipboard.content.has_value());
  EXPECT_EQ(Q(*h.clipboard.content), QStringLiteral("码\n修"));
  EXPECT_EQ(Q(h.say.Caption()), QStringLiteral("复制 [Ctrl+C]"));
  EXPECT_EQ(h.history.nCur(), -1);
}

struct EnablingCase {
  const char* name;
  bool selection;
  bool clipboard_text;
};

void PrintTo(const EnablingCase& c, std::ostream* os) { *os << c.name; }

class EditMenuTest : public testing::TestWithParam<EnablingCase> {};

TEST_P(EditMenuTest, EnablesItemsAsTheMenuOpens) {
  const EnablingCase& c = GetParam();
  CommandHarness h;
  h.Load(u"abc");
  h.Select(0, c.selection ? 2 : 0);
  if (c.clipboard_text) h.clipboard.content = u"x";
  // Start from the opposite of every expected state.
  for (QAction* a : h.menus.mnuEdits->actions()) a->setEnabled(!a->isEnabled());

  mnuEdits_Click(h.ctx);

  const Menus& m = h.menus;
  EXPECT_EQ(m.mnuPasteOrig->isEnabled(), c.clipboard_text);
  EXPECT_EQ(m.mnuPaste->isEnabled(), c.clipboard_text);
  EXPECT_EQ(m.mnuCopy->isEnabled(), c.selection);
  for (QAction* a : m.mnuWnCase)
    EXPECT_EQ(a->isEnabled(), c.selection) << a->objectName().toStdString();
  EXPECT_EQ(m.mnuMakes->menuAction()->isEnabled(), c.selection);
  EXPECT_EQ(m.mnuIns[0]->isEnabled(), c.selection);
  EXPECT_EQ(m.mnuReplace->isEnabled(), c.selection);
  EXPECT_TRUE(m.mnuASel->isEnabled());
  EXPECT_TRUE(m.mnuSeekNew->isEnabled());
  EXPECT_TRUE(m.mnuSayCode->isEnabled());
  for (int i = 1; i < 5; ++i) EXPECT_TRUE(m.mnuIns[i]->isEnabled()) << i;
  EXPECT_TRUE(h.box.Locked());
}

INSTANTIATE_TEST_SUITE_P(Cases, EditMenuTest,
                         testing::Values(EnablingCase{"nothing", false, false},
                                         EnablingCase{"selection", true, false},
                                         EnablingCase{"clipboard", false, true},
                                         EnablingCase{"both", true, true}),
                         CaseName<EnablingCase>);

}  // namespace
}  // namespace tekvo

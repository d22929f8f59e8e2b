#include "editor/history.h"

#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "dialogs/qtext.h"
#include "tests/case_name.h"
#include "tests/editor/command_harness.h"

namespace tekvo {
namespace {

// One action of a scenario.
enum class Op {
  kChange,  // a command replaced the text with "T<arg>", status "S<arg>"
  kSame,    // a command left the text as it was
  kUd,      // history button <arg>
  kSave,    // the file was saved at the current step
  kCaret,   // the caret moved to <arg> and was remembered
};

struct Step {
  Op op;
  int arg = 0;
};

struct Expect {
  std::u16string text;
  std::u16string say;
  int nCur, nOldest, nNewest, nSaved;
  std::array<bool, 4> buttons;
};

struct Scenario {
  const char* name;
  std::vector<Step> steps;
  Expect expect;
};

std::u16string T(int n) { return u"T" + ToText(QString::number(n)); }
std::u16string S(int n) { return u"S" + ToText(QString::number(n)); }

std::vector<Step> Changes(int from, int to) {
  std::vector<Step> steps;
  for (int n = from; n <= to; ++n) steps.push_back({Op::kChange, n});
  return steps;
}

std::vector<Step> Then(std::vector<Step> a, const std::vector<Step>& b) {
  a.insert(a.end(), b.begin(), b.end());
  return a;
}

std::vector<Step> Repeat(Step step, int times) { return std::vector<Step>(times, step); }

void Play(CommandHarness& h, const std::vector<Step>& steps) {
  for (const Step& s : steps) {
    switch (s.op) {
      case Op::kChange:
        h.Change(T(s.arg), S(s.arg));
        break;
      case Op::kSame:
        h.history.RecordStep(true);
        break;
      case Op::kUd:
        h.history.cmdUd_Click(s.arg);
        break;
      case Op::kSave:
        h.history.SetSaved(h.history.nCur());
        break;
      case Op::kCaret:
        h.box.SetSelStart(s.arg);
        h.history.RecordStep(false);
        break;
    }
  }
}

constexpr std::array<bool, 4> kNone = {false, false, false, false};
constexpr std::array<bool, 4> kBackOnly = {true, true, false, false};
constexpr std::array<bool, 4> kForwardOnly = {false, false, true, true};
constexpr std::array<bool, 4> kAll = {true, true, true, true};

const Step kUndoStep{Op::kUd, 1};
const Step kRedoStep{Op::kUd, 2};

void PrintTo(const Scenario& c, std::ostream* os) { *os << c.name; }

class HistoryScenarioTest : public testing::TestWithParam<Scenario> {};

TEST_P(HistoryScenarioTest, EndsInExpectedState) {
  const Scenario& sc = GetParam();
  CommandHarness h;
  std::array<bool, 4> shown{};
  h.history.SetButtonsHook([&](int i, bool on) { shown[i] = on; });
  h.history.SetSaved(History::kOriginal);
  h.history.ResetOriginal();
  Play(h, sc.steps);
  const Expect& e = sc.expect;
  EXPECT_EQ(ToQString(h.box.Text()), ToQString(e.text));
  EXPECT_EQ(ToQString(h.say.Caption()), ToQString(e.say));
  EXPECT_EQ(h.history.nCur(), e.nCur);
  EXPECT_EQ(h.history.nOldest(), e.nOldest);
  EXPECT_EQ(h.history.nNewest(), e.nNewest);
  EXPECT_EQ(h.history.nSaved(), e.nSaved);
  EXPECT_EQ(shown, e.buttons);
  for (int i = 0; i < 4; ++i) EXPECT_EQ(h.history.StepButtonEnabled(i), e.buttons[i]) << i;
  EXPECT_EQ(h.seam.Events().size(), 0u);
}

const Scenario kScenarios[] = {
    {"start-holds-empty-original", {}, {u"", u"", -1, -1, -1, -1, kNone}},
    {"one-change", Changes(1, 1), {T(1), S(1), 0, 0, 0, -1, kBackOnly}},
    {"nine-changes-ring-wraps", Changes(1, 9), {T(9), S(9), 0, 1, 0, -1, kBackOnly}},
    {"nine-changes-seven-undos-reach-oldest-kept",
     Then(Changes(1, 9), Repeat(kUndoStep, 7)),
     {T(2), S(2), 1, 1, 0, -1, kAll}},
    {"nine-changes-next-undo-skips-lost-first-step",
     Then(Changes(1, 9), Repeat(kUndoStep, 8)),
     {u"", u"", -1, 1, 0, -1, kForwardOnly}},
    {"redo-from-original-goes-to-oldest-kept",
     Then(Changes(1, 9), {{Op::kUd, kBackToOriginal}, kRedoStep}),
     {T(2), S(2), 1, 1, 0, -1, kAll}},
    {"to-newest-from-original",
     Then(Changes(1, 10), {{Op::kUd, 0}, {Op::kUd, 3}}),
     {T(10), S(10), 1, 2, 1, -1, kBackOnly}},
    {"back-to-original-then-change-starts-over",
     Then(Changes(1, 3), {{Op::kUd, kBackToOriginal}, {Op::kChange, 4}}),
     {T(4), S(4), 0, 0, 0, -1, kBackOnly}},
    {"undo-two-then-change-drops-later-steps",
     Then(Changes(1, 4), {kUndoStep, kUndoStep, {Op::kChange, 5}}),
     {T(5), S(5), 2, 0, 2, -1, kBackOnly}},
    {"redo-after-dropped-steps-does-nothing",
     Then(Changes(1, 4), {kUndoStep, kUndoStep, {Op::kChange, 5}, kRedoStep}),
     {T(5), S(5), 2, 0, 2, -1, kBackOnly}},
    {"unchanged-text-says-no-change-adds-nothing",
     Then(Changes(1, 2), {{Op::kSame}}),
     {T(2), u"没有改变", 1, 0, 1, -1, kBackOnly}},
    {"no-change-leaves-stored-status-text",
     Then(Changes(1, 2), {{Op::kSame}, kUndoStep, kRedoStep}),
     {T(2), S(2), 1, 0, 1, -1, kBackOnly}},
    {"undo-at-original-does-nothing", {kUndoStep}, {u"", u"", -1, -1, -1, -1, kNone}},
    {"redo-at-newest-does-nothing",
     Then(Changes(1, 2), {kRedoStep, {Op::kUd, 3}}),
     {T(2), S(2), 1, 0, 1, -1, kBackOnly}},
    {"save-then-undo-is-unsaved",
     Then(Changes(1, 2), {{Op::kSave}, kUndoStep}),
     {T(1), S(1), 0, 0, 1, 1, kAll}},
    {"save-undo-redo-is-saved-again",
     Then(Changes(1, 2), {{Op::kSave}, kUndoStep, kRedoStep}),
     {T(2), S(2), 1, 0, 1, 1, kBackOnly}},
    {"save-undo-change-overwrites-saved-slot",
     Then(Changes(1, 2), {{Op::kSave}, kUndoStep, {Op::kChange, 3}}),
     {T(3), S(3), 1, 0, 1, -2, kBackOnly}},
    {"saved-slot-overwritten-by-ring-wrap",
     Then(Changes(1, 1), Then({{Op::kSave}}, Changes(2, 9))),
     {T(9), S(9), 0, 1, 0, -2, kBackOnly}},
};

INSTANTIATE_TEST_SUITE_P(Scenarios, HistoryScenarioTest, testing::ValuesIn(kScenarios),
                         CaseName<Scenario>);

TEST(HistoryTest, StepsBringBackTheirSelection) {
  CommandHarness h;
  h.Load(u"");
  h.box.SetText(u"abcdef");
  h.Select(1, 2);
  h.say.SetCaption(u"first");
  h.history.RecordStep(true);
  h.box.SetText(u"abcdefgh");
  h.Select(5, 3);
  h.say.SetCaption(u"second");
  h.history.RecordStep(true);

  h.history.cmdUd_Click(kUndo);
  EXPECT_EQ(h.box.SelStart(), 1);
  EXPECT_EQ(h.box.SelLength(), 2);
  EXPECT_EQ(ToQString(h.say.Caption()), QStringLiteral("first"));

  // The caret moved by a key is remembered in the current step...
  h.Select(4, 0);
  h.history.RecordStep(false);
  h.history.cmdUd_Click(kRedo);
  EXPECT_EQ(h.box.SelStart(), 5);
  EXPECT_EQ(h.box.SelLength(), 3);
  // ...and comes back with it.
  h.history.cmdUd_Click(kUndo);
  EXPECT_EQ(h.box.SelStart(), 4);
  EXPECT_EQ(h.box.SelLength(), 0);
}

TEST(HistoryTest, UndoStoresTheSelectionBeforeMoving) {
  CommandHarness h;
  h.Load(u"one");
  h.Change(u"two lines\r\nhere", u"changed");
  h.Select(10, 4);  // "here", after a line break counted as one position
  h.history.cmdUd_Click(kUndo);
  h.history.cmdUd_Click(kRedo);
  EXPECT_EQ(h.box.SelStart(), 10);
  EXPECT_EQ(h.box.SelLength(), 4);
  EXPECT_EQ(ToQString(h.box.SelText()), QStringLiteral("here"));
}

TEST(HistoryTest, PasteThenBackToOriginalEmptiesBoxAndLabel) {
  CommandHarness h;
  h.history.ResetOriginal();
  h.Change(u"pasted", u"粘贴 [Ctrl+V]");
  h.history.cmdUd_Click(kBackToOriginal);
  EXPECT_TRUE(h.box.Text().empty());
  EXPECT_TRUE(h.say.Caption().empty());
}

struct DiscardCase {
  const char* name;
  bool change_after_load;
  std::vector<bool> answers;
  bool expected;
  int questions;
};

void PrintTo(const DiscardCase& c, std::ostream* os) { *os << c.name; }

class ConfirmDiscardTest : public testing::TestWithParam<DiscardCase> {};

TEST_P(ConfirmDiscardTest, AsksOnlyWhenUnsaved) {
  const DiscardCase& c = GetParam();
  CommandHarness h;
  h.Load(u"file text");
  if (c.change_after_load) h.Change(u"repaired", u"GB--Big5 ");
  for (bool yes : c.answers) h.seam.AnswerAsk(yes);
  EXPECT_EQ(h.history.ConfirmDiscard(), c.expected);
  ASSERT_EQ(static_cast<int>(h.seam.Questions().size()), c.questions);
  if (c.questions > 0) {
    EXPECT_EQ(ToQString(h.seam.Questions()[0]), QStringLiteral("当前文本未保存，是否清空？"));
    EXPECT_TRUE(h.seam.Events()[0].title.empty());  // the application title
  }
}

INSTANTIATE_TEST_SUITE_P(Cases, ConfirmDiscardTest,
                         testing::Values(DiscardCase{"saved", false, {}, true, 0},
                                         DiscardCase{"unsaved-yes", true, {true}, true, 1},
                                         DiscardCase{"unsaved-no", true, {false}, false, 1}),
                         CaseName<DiscardCase>);

struct TooLongCase {
  const char* name;
  std::u16string text;
  std::int32_t sel_start, sel_length;
  std::u16string replacement;
  bool too_long;
};

void PrintTo(const TooLongCase& c, std::ostream* os) { *os << c.name; }

class ReplacementTooLongTest : public testing::TestWithParam<TooLongCase> {};

TEST_P(ReplacementTooLongTest, CountsLineBreaksAsTwo) {
  const TooLongCase& c = GetParam();
  CommandHarness h;
  h.Load(c.text);
  h.Select(c.sel_start, c.sel_length);
  EXPECT_EQ(h.history.ReplacementTooLong(c.replacement), c.too_long)
      << "text length " << c.text.size() << ", selection " << c.sel_start << "+" << c.sel_length
      << ", replacement length " << c.replacement.size();
}

const std::u16string kFull(16383, u'a');
const std::u16string kFullWithBreak = std::u16string(16381, u'a') + u"\r\n";

INSTANTIATE_TEST_SUITE_P(
    Cases, ReplacementTooLongTest,
    testing::Values(
        TooLongCase{"full-one-by-one", kFull, 5, 1, u"b", false},
        TooLongCase{"full-one-by-two", kFull, 5, 1, u"bc", true},
        TooLongCase{"full-caret-insert-one", kFull, 5, 0, u"b", true},
        TooLongCase{"full-caret-insert-nothing", kFull, 5, 0, u"", false},
        TooLongCase{"selected-break-by-two", kFullWithBreak, 16381, 1, u"bc", false},
        TooLongCase{"selected-break-by-three", kFullWithBreak, 16381, 1, u"bcd", true},
        TooLongCase{"selected-break-by-break", kFullWithBreak, 16381, 1, u"\r\n", false},
        TooLongCase{"lone-lf-counts-two", kFullWithBreak, 16381, 1, u"b\n", true},
        TooLongCase{"short-text", u"abc", 0, 3, std::u16string(16383, u'x'), false},
        TooLongCase{"short-text-over", u"abc", 0, 2, std::u16string(16383, u'x'), true}),
    CaseName<TooLongCase>);

}  // namespace
}  // namespace tekvo

#include "editor/key_table.h"

#include <gtest/gtest.h>

#include "dialogs/qtext.h"
#include "tests/case_name.h"
#include "tests/editor/command_harness.h"

namespace tekvo {
namespace {

using A = KeyAction;

struct KeyCase {
  const char* name;
  int key;
  Qt::KeyboardModifiers at_press;
  KeyCommand expected;
};

void PrintTo(const KeyCase& c, std::ostream* os) { *os << c.name; }

class KeyTableTest : public testing::TestWithParam<KeyCase> {};

TEST_P(KeyTableTest, MapsKeyAndModifiersToCommand) {
  const KeyCase& c = GetParam();
  const KeyCommand got = LookUpKey(c.key, IsCtrlAlone(c.at_press));
  EXPECT_EQ(static_cast<int>(got.action), static_cast<int>(c.expected.action));
  EXPECT_EQ(got.index, c.expected.index);
}

constexpr Qt::KeyboardModifiers kPlain = Qt::NoModifier;
constexpr Qt::KeyboardModifiers kCtrl = Qt::ControlModifier;
const Qt::KeyboardModifiers kCtrlShift = Qt::ControlModifier | Qt::ShiftModifier;
const Qt::KeyboardModifiers kCtrlAlt = Qt::ControlModifier | Qt::AltModifier;
const Qt::KeyboardModifiers kCtrlKeypad = Qt::ControlModifier | Qt::KeypadModifier;

INSTANTIATE_TEST_SUITE_P(
    Rows, KeyTableTest,
    testing::Values(
        KeyCase{"left", Qt::Key_Left, kPlain, {A::kRecordStep}},
        KeyCase{"ctrl-end", Qt::Key_End, kCtrl, {A::kRecordStep}},
        KeyCase{"shift-page-down", Qt::Key_PageDown, Qt::ShiftModifier, {A::kRecordStep}},
        KeyCase{"insert", Qt::Key_Insert, kPlain, {A::kIns, 1}},
        KeyCase{"ctrl-insert", Qt::Key_Insert, kCtrl, {A::kIns, 1}},
        KeyCase{"delete", Qt::Key_Delete, kPlain, {A::kIns, 0}},
        KeyCase{"ctrl-delete", Qt::Key_Delete, kCtrl, {A::kIns, 2}},
        KeyCase{"ctrl-shift-delete-is-not-ctrl", Qt::Key_Delete, kCtrlShift, {A::kIns, 0}},
        KeyCase{"p", Qt::Key_P, kPlain, {A::kNone}},
        KeyCase{"ctrl-p", Qt::Key_P, kCtrl, {A::kPasteOrig}},
        KeyCase{"ctrl-alt-p", Qt::Key_P, kCtrlAlt, {A::kNone}},
        KeyCase{"ctrl-v", Qt::Key_V, kCtrl, {A::kPaste}},
        KeyCase{"v", Qt::Key_V, kPlain, {A::kNone}},
        KeyCase{"f1", Qt::Key_F1, kPlain, {A::kSeek, 0}},
        KeyCase{"ctrl-f1", Qt::Key_F1, kCtrl, {A::kSeekNew}},
        KeyCase{"f2", Qt::Key_F2, kPlain, {A::kSeek, 1}},
        KeyCase{"ctrl-f2", Qt::Key_F2, kCtrl, {A::kSeek, 1}},
        KeyCase{"f3", Qt::Key_F3, kPlain, {A::kReplace}},
        KeyCase{"ctrl-f3", Qt::Key_F3, kCtrl, {A::kAskCutaByte}},
        KeyCase{"f4", Qt::Key_F4, Qt::ShiftModifier, {A::kSayCode}},
        KeyCase{"f5", Qt::Key_F5, kPlain, {A::kUd, 1}},
        KeyCase{"ctrl-f5", Qt::Key_F5, kCtrl, {A::kUd, 0}},
        KeyCase{"f6", Qt::Key_F6, kPlain, {A::kUd, 2}},
        KeyCase{"ctrl-f6", Qt::Key_F6, kCtrl, {A::kUd, 3}},
        KeyCase{"alt-f7", Qt::Key_F7, Qt::AltModifier, {A::kAskJieA}},
        KeyCase{"f8", Qt::Key_F8, kPlain, {A::kAskA2B, 1}},
        KeyCase{"ctrl-f8", Qt::Key_F8, kCtrl, {A::kAskA2B, 0}},
        KeyCase{"ctrl-shift-f8", Qt::Key_F8, kCtrlShift, {A::kAskA2B, 1}},
        KeyCase{"f9", Qt::Key_F9, kPlain, {A::kIns, 4}},
        KeyCase{"ctrl-f9", Qt::Key_F9, kCtrl, {A::kIns, 3}},
        KeyCase{"keypad-does-not-hide-ctrl", Qt::Key_F9, kCtrlKeypad, {A::kIns, 3}},
        KeyCase{"f10-suggest", Qt::Key_F10, kPlain, {A::kSuggest}},
        KeyCase{"ctrl-f10-suggest", Qt::Key_F10, kCtrl, {A::kSuggest}},
        KeyCase{"ctrl-a-left-to-the-box", Qt::Key_A, kCtrl, {A::kNone}},
        KeyCase{"ctrl-c-left-to-the-box", Qt::Key_C, kCtrl, {A::kNone}}),
    CaseName<KeyCase>);

struct TrackCase {
  const char* name;
  Qt::KeyboardModifiers at_press;
  Qt::KeyboardModifiers at_release;
  bool press_seen;
  Qt::KeyboardModifiers decided;
};

void PrintTo(const TrackCase& c, std::ostream* os) { *os << c.name; }

class KeyTrackerTest : public testing::TestWithParam<TrackCase> {};

TEST_P(KeyTrackerTest, DecidesByTheStateAtKeyDown) {
  const TrackCase& c = GetParam();
  KeyTracker tracker;
  if (c.press_seen) tracker.Press(Qt::Key_P, c.at_press, false);
  EXPECT_EQ(tracker.Release(Qt::Key_P, c.at_release), c.decided);
  // The press is used once; a later release without a press reads its own.
  EXPECT_EQ(tracker.Release(Qt::Key_P, kPlain), kPlain);
}

INSTANTIATE_TEST_SUITE_P(
    Cases, KeyTrackerTest,
    testing::Values(TrackCase{"ctrl-held-throughout", kCtrl, kCtrl, true, kCtrl},
                    TrackCase{"ctrl-released-early", kCtrl, kPlain, true, kCtrl},
                    TrackCase{"ctrl-pressed-late", kPlain, kCtrl, true, kPlain},
                    TrackCase{"press-not-seen-uses-release", kCtrl, kPlain, false, kPlain}),
    CaseName<TrackCase>);

TEST(KeyTrackerTest, AutoRepeatKeepsFirstPress) {
  KeyTracker tracker;
  tracker.Press(Qt::Key_F5, kCtrl, false);
  tracker.Press(Qt::Key_F5, kPlain, true);
  EXPECT_EQ(tracker.Release(Qt::Key_F5, kPlain), kCtrl);
}

TEST(KeyTrackerTest, KeysAreTrackedApart) {
  KeyTracker tracker;
  tracker.Press(Qt::Key_P, kCtrl, false);
  tracker.Press(Qt::Key_V, kPlain, false);
  EXPECT_EQ(tracker.Release(Qt::Key_V, kCtrl), kPlain);
  EXPECT_EQ(tracker.Release(Qt::Key_P, kPlain), kCtrl);
}

// The keys reach the same handlers as the menu items and buttons.
TEST(KeyUpTest, CtrlPPastesAsOriginalEvenWhenCtrlWasLetGoFirst) {
  CommandHarness h;
  h.clipboard.content = u"乱码";
  KeyTracker tracker;
  tracker.Press(Qt::Key_P, kCtrl, false);
  txtA_KeyUp(h.ctx, Qt::Key_P, tracker.Release(Qt::Key_P, kPlain));
  EXPECT_EQ(ToQString(h.box.Text()), QStringLiteral("乱码"));
  EXPECT_EQ(ToQString(h.ctx.WindowCaption()), QStringLiteral("粘贴作原始  ~Tekvo"));
}

TEST(KeyUpTest, F5UndoesAndCtrlF5GoesBackToOriginal) {
  CommandHarness h;
  h.Load(u"original");
  h.Change(u"one", u"1");
  h.Change(u"two", u"2");
  txtA_KeyUp(h.ctx, Qt::Key_F5, kPlain);
  EXPECT_EQ(ToQString(h.box.Text()), QStringLiteral("one"));
  txtA_KeyUp(h.ctx, Qt::Key_F6, kCtrl);
  EXPECT_EQ(ToQString(h.box.Text()), QStringLiteral("two"));
  txtA_KeyUp(h.ctx, Qt::Key_F5, kCtrl);
  EXPECT_EQ(ToQString(h.box.Text()), QStringLiteral("original"));
  txtA_KeyUp(h.ctx, Qt::Key_F6, kPlain);
  EXPECT_EQ(ToQString(h.box.Text()), QStringLiteral("one"));
  EXPECT_TRUE(h.seam.Events().empty());
}

TEST(KeyUpTest, CaretKeysRememberTheSelection) {
  CommandHarness h;
  h.Load(u"abcdef");
  h.Change(u"abcdefg", u"x");
  h.Select(3, 2);
  txtA_KeyUp(h.ctx, Qt::Key_Right, Qt::ShiftModifier);
  EXPECT_EQ(h.history.lStepStart(0), 3);
  EXPECT_EQ(h.history.lStepLen(0), 2);
  EXPECT_EQ(ToQString(h.say.Caption()), QStringLiteral("x"));  // no "没有改变" for a caret move
}

TEST(MouseUpTest, LeftButtonRemembersTheCaret) {
  CommandHarness h;
  h.Load(u"abcdef");
  h.Select(4, 0);
  txtA_MouseUp(h.ctx, Qt::LeftButton, QPoint());
  EXPECT_EQ(h.history.lStepStart(-1), 4);
  h.Select(2, 0);
  txtA_MouseUp(h.ctx, Qt::MiddleButton, QPoint());
  EXPECT_EQ(h.history.lStepStart(-1), 4);
}

}  // namespace
}  // namespace tekvo

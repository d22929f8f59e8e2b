#include "editor/text_box.h"

#include <gtest/gtest.h>

#include <string>

#include "dialogs/qtext.h"
#include "tests/case_name.h"
#include "tests/editor/command_harness.h"

namespace tekvo {
namespace {

// Shows a text as code units, so a failure names the unit that changed.
std::string Units(const std::u16string& text) {
  std::string out;
  for (char16_t c : text) {
    char buf[8];
    std::snprintf(buf, sizeof buf, "%04X ", static_cast<unsigned>(c));
    out += buf;
  }
  return out;
}

struct RoundTrip {
  const char* name;
  std::u16string in;
  std::u16string text;  // Text() afterwards
};

void PrintTo(const RoundTrip& c, std::ostream* os) { *os << c.name; }

class TextRoundTripTest : public testing::TestWithParam<RoundTrip> {};

TEST_P(TextRoundTripTest, TextComesBackUnitForUnit) {
  const RoundTrip& c = GetParam();
  CommandHarness h;
  h.box.SetText(c.in);
  const std::u16string text = h.box.Text();
  EXPECT_EQ(Units(text), Units(c.text)) << "input " << Units(c.in);
  EXPECT_EQ(h.box.TextLength(), static_cast<std::int32_t>(c.text.size()));

  // The whole selection is the same text with single CR line breaks, and it
  // survives being put back over itself.
  h.box.SetSelStart(0);
  h.box.SetSelLength(h.box.TextLength());
  std::u16string with_cr;
  for (std::size_t i = 0; i < c.text.size(); ++i) {
    with_cr.push_back(c.text[i]);
    if (c.text[i] == u'\r' && i + 1 < c.text.size() && c.text[i + 1] == u'\n') ++i;
  }
  EXPECT_EQ(Units(h.box.SelText()), Units(with_cr));
  h.box.SetSelText(h.box.SelText());
  EXPECT_EQ(Units(h.box.Text()), Units(c.text));
}

const std::u16string kLoneHigh(1, char16_t{0xD800});
const std::u16string kLoneLow(1, char16_t{0xDC00});

INSTANTIATE_TEST_SUITE_P(
    Cases, TextRoundTripTest,
    testing::Values(
        RoundTrip{"ascii", u"Hello, world", u"Hello, world"}, RoundTrip{"empty", u"", u""},
        RoundTrip{"cjk", u"乱码修复 テスト 한국어", u"乱码修复 テスト 한국어"},
        RoundTrip{"crlf-kept", u"ab\r\ncd\r\n", u"ab\r\ncd\r\n"},
        RoundTrip{"lone-lf-becomes-crlf", u"ab\ncd", u"ab\r\ncd"},
        RoundTrip{"lone-cr-becomes-crlf", u"ab\rcd", u"ab\r\ncd"},
        RoundTrip{"blank-lines", u"\r\n\r\n\r\n", u"\r\n\r\n\r\n"},
        RoundTrip{"no-break-space", u"a\u00A0b", u"a\u00A0b"},
        RoundTrip{"line-separator", u"a\u2028b", u"a\u2028b"},
        RoundTrip{"byte-order-mark", u"\uFEFFab\uFEFF", u"\uFEFFab\uFEFF"},
        RoundTrip{"replacement-char", u"a\uFFFDb", u"a\uFFFDb"},
        RoundTrip{"lone-high-surrogate", u"a" + kLoneHigh + u"b", u"a" + kLoneHigh + u"b"},
        RoundTrip{"lone-low-surrogate", u"a" + kLoneLow + u"b", u"a" + kLoneLow + u"b"},
        RoundTrip{"surrogate-pair", u"a\U0001F600b", u"a\U0001F600b"},
        RoundTrip{"tab-and-controls", u"a\tb\x01\x1b\x7f\f\v\x85", u"a\tb\x01\x1b\x7f\f\v\x85"},
        RoundTrip{"nul", std::u16string(u"a\0b", 3), std::u16string(u"a\0b", 3)},
        RoundTrip{"object-replacement", u"a\uFFFCb", u"a\uFFFCb"},
        // The widget keeps paragraphs apart with U+2029; it reads as a line break.
        RoundTrip{"paragraph-separator", u"a\u2029b", u"a\r\nb"}),
    CaseName<RoundTrip>);

struct SelectionCase {
  const char* name;
  std::u16string text;
  std::int32_t set_start, set_length;
  std::int32_t start, length;
  std::u16string sel_text;
};

void PrintTo(const SelectionCase& c, std::ostream* os) { *os << c.name; }

class SelectionTest : public testing::TestWithParam<SelectionCase> {};

TEST_P(SelectionTest, PositionsCountLineBreakAsOne) {
  const SelectionCase& c = GetParam();
  CommandHarness h;
  h.box.SetText(c.text);
  h.Select(c.set_start, c.set_length);
  EXPECT_EQ(h.box.SelStart(), c.start);
  EXPECT_EQ(h.box.SelLength(), c.length);
  EXPECT_EQ(Units(h.box.SelText()), Units(c.sel_text));
}

INSTANTIATE_TEST_SUITE_P(
    Cases, SelectionTest,
    testing::Values(SelectionCase{"within-line", u"abc\r\ndef", 1, 2, 1, 2, u"bc"},
                    SelectionCase{"across-break", u"abc\r\ndef", 2, 3, 2, 3, u"c\rd"},
                    SelectionCase{"second-line", u"abc\r\ndef", 4, 3, 4, 3, u"def"},
                    SelectionCase{"caret", u"abc", 2, 0, 2, 0, u""},
                    SelectionCase{"start-beyond-end", u"abc\r\nd", 99, 1, 5, 0, u""},
                    SelectionCase{"length-beyond-end", u"abc\r\nd", 1, 99, 1, 4, u"bc\rd"},
                    SelectionCase{"negative-start", u"abc", -3, 1, 0, 1, u"a"},
                    SelectionCase{"negative-length", u"abc", 1, -2, 1, 0, u""},
                    SelectionCase{"all-by-text-length", u"ab\r\nc", 0, 5, 0, 4, u"ab\rc"},
                    SelectionCase{"keeps-nbsp", u"a\u00A0\u2028b", 1, 2, 1, 2, u"\u00A0\u2028"},
                    SelectionCase{"pair-counts-two", u"a\U0001F600b", 1, 2, 1, 2, u"\U0001F600"},
                    SelectionCase{"inside-pair", u"a\U0001F600b", 2, 2, 2, 2,
                                  u"\xDE00"
                                  u"b"}),
    CaseName<SelectionCase>);

struct InsertCase {
  const char* name;
  std::u16string text;
  std::int32_t start, length;
  std::u16string insert;
  std::u16string result;
  std::int32_t caret;
};

void PrintTo(const InsertCase& c, std::ostream* os) { *os << c.name; }

class SetSelTextTest : public testing::TestWithParam<InsertCase> {};

TEST_P(SetSelTextTest, ReplacesSelectionAndLeavesCaretAfter) {
  const InsertCase& c = GetParam();
  CommandHarness h;
  h.box.SetText(c.text);
  h.Select(c.start, c.length);
  h.box.SetSelText(c.insert);
  EXPECT_EQ(Units(h.box.Text()), Units(c.result));
  EXPECT_EQ(h.box.SelStart(), c.caret);
  EXPECT_EQ(h.box.SelLength(), 0);
}

INSTANTIATE_TEST_SUITE_P(
    Cases, SetSelTextTest,
    testing::Values(InsertCase{"insert-at-caret", u"abc", 1, 0, u"XY", u"aXYbc", 3},
                    InsertCase{"replace-selection", u"abc", 1, 1, u"XY", u"aXYc", 3},
                    InsertCase{"delete-selection", u"abc", 0, 2, u"", u"c", 0},
                    InsertCase{"crlf", u"ab", 1, 0, u"\r\n", u"a\r\nb", 2},
                    InsertCase{"lone-cr", u"ab", 1, 0, u"x\ry", u"ax\r\nyb", 4},
                    InsertCase{"lone-lf", u"ab", 1, 0, u"x\ny", u"ax\r\nyb", 4},
                    InsertCase{"replace-line-break", u"ab\r\ncd", 2, 1, u"-", u"ab-cd", 3},
                    InsertCase{"after-break", u"ab\r\ncd", 3, 1, u"\u00A0", u"ab\r\n\u00A0d", 4}),
    CaseName<InsertCase>);

TEST(TextBoxTest, PastesOnlyWhileUnlocked) {
  CommandHarness h;
  h.box.SetText(u"ab");
  h.Select(1, 0);
  h.clipboard.content = u"X\nY";
  EXPECT_TRUE(h.box.Locked());
  EXPECT_FALSE(h.box.CanPaste());
  h.box.Paste();
  EXPECT_EQ(Units(h.box.Text()), Units(u"ab"));

  h.box.SetLocked(false);
  EXPECT_TRUE(h.box.CanPaste());
  h.box.Paste();
  EXPECT_EQ(Units(h.box.Text()), Units(u"aX\r\nYb"));

  h.clipboard.content.reset();
  EXPECT_FALSE(h.box.CanPaste());
}

TEST(TextBoxTest, CopiesRawSelectionWithDesktopLineBreaks) {
  CommandHarness h;
  h.box.SetText(u"a\u00A0b\r\nc\u2028d");
  h.Select(0, 6);
  h.box.Copy();
  ASSERT_TRUE(h.clipboard.content.has_value());
  EXPECT_EQ(Units(*h.clipboard.content), Units(u"a\u00A0b\nc\u2028"));
}

TEST(TextBoxTest, CopyWithoutSelectionKeepsClipboard) {
  CommandHarness h;
  h.box.SetText(u"abc");
  h.clipboard.content = u"before";
  h.Select(1, 0);
  h.box.Copy();
  EXPECT_EQ(Units(*h.clipboard.content), Units(u"before"));
}

TEST(TextBoxTest, UserCannotType) {
  CommandHarness h;
  h.box.SetText(u"abc");
  EXPECT_TRUE(h.edit.isReadOnly());
  EXPECT_TRUE(h.edit.textInteractionFlags() & Qt::TextSelectableByKeyboard);
}

TEST(TextBoxTest, ViewPropertiesFollowSettings) {
  CommandHarness h;
  h.box.SetWordWrap(false);
  EXPECT_FALSE(h.box.WordWrap());
  h.box.SetFontName(QStringLiteral("Courier New"));
  h.box.SetFontSize(10.5);
  EXPECT_EQ(h.box.FontName(), QStringLiteral("Courier New"));
  EXPECT_DOUBLE_EQ(h.box.FontSize(), 10.5);
  h.box.SetFontSize(0);  // refused, as the designed box refuses it
  EXPECT_DOUBLE_EQ(h.box.FontSize(), 10.5);
  // CJK faces stay behind any chosen font.
  EXPECT_TRUE(h.edit.font().families().contains(QStringLiteral("Noto Sans CJK SC")));
}

}  // namespace
}  // namespace tekvo

#include "engine/repair/half_char.h"

#include <gtest/gtest.h>

#include <optional>

#include "engine/codepage/codepage.h"
#include "tests/engine/test_output.h"
#include "tests/id_output.h"

namespace tekvo {
namespace {

struct ShiftCase {
  const char* name;
  Text text;
  std::int32_t pos;
  LocaleId id;
  Text want;
};

class ShiftTable : public testing::TestWithParam<ShiftCase> {};

TEST_P(ShiftTable, Repairs) {
  const ShiftCase& c = GetParam();
  const Converted got = ShiftHalfCharacter(c.text, c.pos, c.id);
  EXPECT_FALSE(got.too_long);
  EXPECT_EQ(got.text, c.want) << "text " << testing::PrintToString(c.text) << " pos " << c.pos
                              << " id " << c.id;
}

const ShiftCase kShiftCases[] = {
    {"gb-single-byte-at-cut-becomes-blank", u"ABC", 1, LocaleId{2052}, u"A C"},
    {"gb-at-zero-shifts-everything", u"ABC", 0, LocaleId{2052}, u" BC"},
    {"gb-last-character", u"ABC", 2, LocaleId{2052}, u"AB "},
    {"utf16le-at-zero-drops-odd-byte", u"AB", 0, kIdUtf16Le, u" \u4200"},
    {"utf16be-same-as-le", u"AB", 0, kIdUtf16Be, u" \u4200"},
    {"utf16-null-unit-removed", u"A\u4200", 0, kIdUtf16Le, u" "},
    {"utf16-keeps-head", u"xyAB", 2, kIdUtf16Le, u"xy \u4200"},
    {"at-end-unchanged", u"ABC", 3, LocaleId{2052}, u"ABC"},
    {"past-end-unchanged", u"ABC", 9, LocaleId{2052}, u"ABC"},
    {"negative-unchanged", u"ABC", -1, LocaleId{2052}, u"ABC"},
    {"empty-unchanged", u"", 0, LocaleId{2052}, u""},
    {"id-zero-unchanged", u"ABC", 1, LocaleId{0}, u"ABC"},
    {"id-utf8-unchanged", u"ABC", 1, kIdUtf8, u"ABC"},
    {"id-other-negative-unchanged", u"ABC", 1, LocaleId{-4}, u"ABC"},
    {"unknown-lcid-unchanged", u"ABC", 1, LocaleId{12345}, u"ABC"},
    {"crlf-counts-two", u"A\r\nBC", 3, LocaleId{2052}, u"A\r\n C"},
};

INSTANTIATE_TEST_SUITE_P(Cases, ShiftTable, testing::ValuesIn(kShiftCases), CaseName<ShiftCase>);

// Bytes that really went through a lost or added byte: the repair at the first
// garbled character gives the original characters back.
TEST(ShiftHalfCharacter, RealignsGbTextAfterAnExtraByte) {
  // "ab", one stray byte, then 中文z in GB.
  const ByteString bytes("ab\xB0\xD6\xD0\xCE\xC4z", 8);
  const std::optional<Text> garbled = LocaleBytesToText(bytes, LocaleId{2052});
  ASSERT_TRUE(garbled.has_value());
  ASSERT_NE(*garbled, u"ab?中文z");
  const Converted got = ShiftHalfCharacter(*garbled, 2, LocaleId{2052});
  EXPECT_EQ(got.text, u"ab 中文z") << testing::PrintToString(*garbled);
}

TEST(ShiftHalfCharacter, RealignsUtf16TextAfterALostByte) {
  // A stray byte after "OK" misaligns everything behind it; the last
  // character's second byte fell off the end when the garbled text was read.
  ByteString bytes = TextToUtf16LeBytes(u"OK中文字");
  bytes.insert(bytes.begin() + 4, '\x20');
  const Text garbled = Utf16LeBytesToText(bytes);
  ASSERT_EQ(garbled.size(), 5u);
  const Converted got = ShiftHalfCharacter(garbled, 2, kIdUtf16Le);
  EXPECT_EQ(got.text, u"OK 中文") << testing::PrintToString(garbled);
}

TEST(ShiftHalfCharacter, RefusesResultAboveLimit) {
  const Text text = u"ABCD";
  const Converted over = ShiftHalfCharacter(text, 1, LocaleId{2052}, 3);
  EXPECT_TRUE(over.too_long);
  EXPECT_EQ(over.text, text);

  const Converted at_limit = ShiftHalfCharacter(text, 1, LocaleId{2052}, 4);
  EXPECT_FALSE(at_limit.too_long);
  EXPECT_EQ(at_limit.text, u"A CD");
}

// The editor's limit: a result of 16383 units is accepted, 16384 refused.
TEST(ShiftHalfCharacter, DefaultLimitIs16383) {
  const Text text(16383, u'x');
  const Converted got = ShiftHalfCharacter(text, 100, LocaleId{2052});
  EXPECT_FALSE(got.too_long);
  ASSERT_EQ(got.text.size(), 16383u);
  EXPECT_EQ(got.text[100], u' ');
  const Text over = text + u'x';
  const Converted refused = ShiftHalfCharacter(over, 100, LocaleId{2052});
  EXPECT_TRUE(refused.too_long);
  EXPECT_EQ(refused.text, over);
}

}  // namespace
}  // namespace tekvo

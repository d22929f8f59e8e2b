#include "engine/text/ascii.h"

#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "tests/case_name.h"

namespace tekvo {
namespace {

struct HexCase {
  std::string name;
  char32_t unit;
  int value;  // -1: no hex digit
};

void PrintTo(const HexCase& c, std::ostream* os) { *os << c.name; }

class HexDigit : public testing::TestWithParam<HexCase> {};

// The value must not depend on the width of the unit that carries it.
TEST_P(HexDigit, ValueInEveryWidth) {
  const HexCase& c = GetParam();
  EXPECT_EQ(HexDigitValue(c.unit), c.value);
  EXPECT_EQ(HexDigitValue(static_cast<char16_t>(c.unit)), c.value);
  EXPECT_EQ(IsHexDigit(c.unit), c.value >= 0);
  if (c.unit < 0x80) EXPECT_EQ(HexDigitValue(static_cast<char>(c.unit)), c.value);
}

// The ends of each digit range and their neighbours; units whose low byte is
// a digit.
INSTANTIATE_TEST_SUITE_P(Cases, HexDigit,
                         testing::ValuesIn(std::vector<HexCase>{
                             {"zero", U'0', 0},
                             {"nine", U'9', 9},
                             {"upper-a", U'A', 10},
                             {"upper-f", U'F', 15},
                             {"lower-a", U'a', 10},
                             {"lower-f", U'f', 15},
                             {"slash", U'/', -1},
                             {"colon", U':', -1},
                             {"at", U'@', -1},
                             {"upper-g", U'G', -1},
                             {"backquote", U'`', -1},
                             {"lower-g", U'g', -1},
                             {"fullwidth-zero", U'\uFF10', -1},
                             {"low-byte-zero", U'\u0130', -1},
                             {"low-byte-a", U'\u0141', -1},
                         }),
                         CaseName<HexCase>);

TEST(HexDigit, ByteAboveAsciiIsNoDigit) {
  EXPECT_EQ(HexDigitValue('\xB0'), -1);
  EXPECT_EQ(HexDigitValue('\xE1'), -1);
}

TEST(AsciiLower, LowersOnlyAtoZ) {
  EXPECT_EQ(AsciiLower(std::string_view("@AZ[`az{ GB--Big5")), "@az[`az{ gb--big5");
  // UTF-8 bytes and non-ASCII units pass through.
  EXPECT_EQ(AsciiLower(std::string_view("\xC3\x80")), "\xC3\x80");
  EXPECT_EQ(AsciiLower(u'\u00C0'), u'\u00C0');
  EXPECT_EQ(AsciiLower(u'\uFF21'), u'\uFF21');
}

TEST(EqualsIgnoringAsciiCase, MatchesAsciiNamesAgainstText) {
  EXPECT_TRUE(
      EqualsIgnoringAsciiCase(std::u16string_view(u"GB--Big5"), std::string_view("gb--big5")));
  EXPECT_FALSE(
      EqualsIgnoringAsciiCase(std::u16string_view(u"GB--Big"), std::string_view("gb--big5")));
  EXPECT_FALSE(EqualsIgnoringAsciiCase(std::string_view("gb--big5"), std::string_view("gb--big6")));
  // A wide unit is not its low byte.
  EXPECT_FALSE(EqualsIgnoringAsciiCase(std::u16string_view(u"\u0147b"), std::string_view("gb")));
}

}  // namespace
}  // namespace tekvo

#include "files/line_break_style.h"

#include <gtest/gtest.h>

#include "tests/case_name.h"
// After case_name.h, whose "testing" is GoogleTest's.
#include "file_test_support.h"

namespace tekvo {
namespace {

using testing::Show;

struct StyleCase {
  const char* name;
  Text text;
  LineBreakStyle style;
};

class DetectLineBreakStyleTest : public ::testing::TestWithParam<StyleCase> {};

TEST_P(DetectLineBreakStyleTest, TakesTheMajority) {
  const StyleCase& c = GetParam();
  EXPECT_EQ(DetectLineBreakStyle(c.text), c.style) << Show(c.text);
}

INSTANTIATE_TEST_SUITE_P(
    Styles, DetectLineBreakStyleTest,
    ::testing::Values(StyleCase{"lf", u"a\nb\n", LineBreakStyle::kLf},
                      StyleCase{"crlf", u"a\r\nb\r\n", LineBreakStyle::kCrLf},
                      StyleCase{"cr", u"a\rb\r", LineBreakStyle::kCr},
                      StyleCase{"crlf-is-not-cr-plus-lf", u"a\r\nb\r\nc\n", LineBreakStyle::kCrLf},
                      StyleCase{"mostly-lf", u"a\nb\r\nc\nd\re\n", LineBreakStyle::kLf},
                      StyleCase{"mostly-cr", u"a\rb\rc\n", LineBreakStyle::kCr},
                      StyleCase{"tie-goes-to-crlf", u"a\nb\r\n", LineBreakStyle::kCrLf},
                      StyleCase{"no-breaks", u"abc", LineBreakStyle::kCrLf}),
    CaseName<StyleCase>);

struct ApplyCase {
  const char* name;
  LineBreakStyle style;
  Text expected;
};

class ApplyLineBreakStyleTest : public ::testing::TestWithParam<ApplyCase> {};

TEST_P(ApplyLineBreakStyleTest, RewritesEveryBreak) {
  const Text mixed = u"a\r\nb\rc\nd\r\n\r\n";
  EXPECT_EQ(ApplyLineBreakStyle(mixed, GetParam().style), GetParam().expected)
      << Show(ApplyLineBreakStyle(mixed, GetParam().style));
}

INSTANTIATE_TEST_SUITE_P(Styles, ApplyLineBreakStyleTest,
                         ::testing::Values(ApplyCase{"lf", LineBreakStyle::kLf, u"a\nb\nc\nd\n\n"},
                                           ApplyCase{"cr", LineBreakStyle::kCr, u"a\rb\rc\rd\r\r"},
                                           ApplyCase{"crlf", LineBreakStyle::kCrLf,
                                                     u"a\r\nb\r\nc\r\nd\r\n\r\n"}),
                         CaseName<ApplyCase>);

}  // namespace
}  // namespace tekvo

#include <gtest/gtest.h>

#include "dialogs/qtext.h"
#include "editor/decode_commands.h"
#include "editor/menu_captions.h"
#include "tests/case_name.h"

namespace tekvo {
namespace {

namespace c = captions;

struct SayCase {
  const char* name;
  c::Caption caption;
  std::u16string say;
};

void PrintTo(const SayCase& s, std::ostream* os) { *os << s.name; }

class CaptionSayTest : public testing::TestWithParam<SayCase> {};

TEST_P(CaptionSayTest, TakesCaptionUpToTheBlankBeforeColon) {
  EXPECT_EQ(ToQString(Text(CaptionSay(GetParam().caption))), ToQString(GetParam().say));
}

INSTANTIATE_TEST_SUITE_P(Cases, CaptionSayTest,
                         testing::Values(SayCase{"gb-big5", c::kChgA2B[0], u"GB--Big5 "},
                                         SayCase{"euro-caption", c::kChgA2B[4], u"GB--UTF8 "},
                                         SayCase{"ampersands-after-colon", c::kNumU[0], u"HTM--U "},
                                         SayCase{"iso2022", c::k2022[1], u"Esc+日文(ISO2022) "},
                                         SayCase{"no-colon", c::kAskCutaByte, u""},
                                         SayCase{"separator", c::kSeparator, u""},
                                         SayCase{"colon-without-blank", u"A：B", u""},
                                         SayCase{"first-colon-wins", u"A ：B ：C", u"A "}),
                         CaseName<SayCase>);

}  // namespace
}  // namespace tekvo

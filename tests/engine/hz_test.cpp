#include "engine/transfer/hz.h"

#include <gtest/gtest.h>

#include <ostream>
#include <vector>

#include "tests/case_name.h"
#include "tests/engine/transfer_test_util.h"

namespace tekvo {
namespace {

using transfer_test::Repeat;
using transfer_test::Show;

struct EncodeCase {
  const char* name;
  Text input;
  Text expected;
};

void PrintTo(const EncodeCase& c, std::ostream* os) { *os << c.name; }

class EncodeHzTable : public testing::TestWithParam<EncodeCase> {};

TEST_P(EncodeHzTable, EncodesTheText) {
  const EncodeCase& c = GetParam();
  const Converted got = EncodeHz(c.input);
  EXPECT_FALSE(got.too_long);
  EXPECT_EQ(got.text, c.expected) << "input " << Show(c.input) << " got " << Show(got.text);
}

INSTANTIATE_TEST_SUITE_P(Cases, EncodeHzTable,
                         testing::ValuesIn(std::vector<EncodeCase>{
                             {"empty", u"", u""},
                             {"example", u"只支持ASCII码的系统", u"~{V;V'3V~}ASCII~{Bk5DO5M3~}"},
                             {"tilde-between", u"中~文", u"~{VP~}~~~{ND~}"},
                             {"line-break-closes-gb", u"中\r\n文", u"~{VP~}\r\n~{ND~}"},
                             {"gbk-only-as-itself", u"中丂文", u"~{VP~}丂~{ND~}"},
                             {"not-in-code-page-as-itself", u"中한", u"~{VP~}한"},
                             {"ascii-only", u"a~b", u"a~~b"},
                             {"full-width-in-gb-range", u"，。", u"~{#,!#~}"},
                             // Its code FEFD would read back as the "~}" that closes GB mode.
                             {"code-that-would-close-gb-as-itself", u"中\uE4C4", u"~{VP~}\uE4C4"},
                         }),
                         CaseName<EncodeCase>);

TEST(EncodeHz, LongLineIsNotFolded) {
  const Converted got = EncodeHz(Repeat(u"中", 3276));
  EXPECT_FALSE(got.too_long);
  EXPECT_EQ(got.text, u"~{" + Repeat(u"VP", 3276) + u"~}");
}

TEST(EncodeHz, LengthLimit) {
  const Text over = Repeat(u"中", 3277);
  const Converted refused = EncodeHz(over);
  EXPECT_TRUE(refused.too_long);
  EXPECT_EQ(refused.text, over);
  EXPECT_FALSE(EncodeHz(over, kNoLengthLimit).too_long);
}

struct DecodeCase {
  const char* name;
  Text input;
  Text expected;
};

void PrintTo(const DecodeCase& c, std::ostream* os) { *os << c.name; }

class DecodeHzTable : public testing::TestWithParam<DecodeCase> {};

TEST_P(DecodeHzTable, DecodesTheText) {
  const DecodeCase& c = GetParam();
  const Text got = DecodeHz(c.input);
  EXPECT_EQ(got, c.expected) << "input " << Show(c.input) << " got " << Show(got);
  EXPECT_LE(got.size(), c.input.size());
}

INSTANTIATE_TEST_SUITE_P(Cases, DecodeHzTable,
                         testing::ValuesIn(std::vector<DecodeCase>{
                             {"example", u"~{V;V'3V~}ASCII~{Bk5DO5M3~}", u"只支持ASCII码的系统"},
                             {"tilde-tilde", u"a~~b", u"a~b"},
                             {"stray-tilde-stays", u"~x ~} a~", u"~x ~} a"},
                             {"cr-ends-gb-mode", u"~{VP\r\nND", u"中\r\nND"},
                             {"continuation-joins-lines", u"~{VP~\r\nND~}", u"中文"},
                             {"continuation-after-blank", u"ab~ \r\ncd~\t\r\nef", u"abcdef"},
                             {"close-only-at-pair-start", u"~{V~VP~}", u"筑中"},
                             {"non-ascii-ends-gb-mode", u"~{VP中ND", u"中中ND"},
                             {"half-pair-at-end-dropped", u"~{VPN", u"中"},
                             {"half-pair-before-cr-dropped", u"~{V\rx", u"\rx"},
                             {"space-is-a-byte-in-gb", u"~{ V~}", u"犞"},
                             {"tilde-tilde-before-line-break-is-a-tilde", u"a~~\r\n~{VPND~}\r\nb",
                              u"a~\r\n中文\r\nb"},
                             {"continuation-after-literal-tilde", u"a~~~\r\nb", u"a~b"},
                             {"continuation-at-pair-start-keeps-gb", u"~{VP~ \r\nND~}", u"中文"},
                             {"tilde-at-end-dropped", u"a~", u"a"},
                             {"empty", u"", u""},
                         }),
                         CaseName<DecodeCase>);

// Whatever the text, encoding and decoding give it back: tildes next to line
// breaks and escape characters included.
struct RoundTripCase {
  const char* name;
  Text text;
};

void PrintTo(const RoundTripCase& c, std::ostream* os) { *os << c.name; }

class HzRoundTrip : public testing::TestWithParam<RoundTripCase> {};

TEST_P(HzRoundTrip, GivesTheTextBack) {
  const RoundTripCase& c = GetParam();
  const Converted encoded = EncodeHz(c.text);
  EXPECT_EQ(DecodeHz(encoded.text), c.text)
      << "input " << Show(c.text) << " encoded " << Show(encoded.text);
}

INSTANTIATE_TEST_SUITE_P(Cases, HzRoundTrip,
                         testing::ValuesIn(std::vector<RoundTripCase>{
                             {"tilde-ends-line-before-gb", u"a~\r\n中文\r\nb"},
                             {"tilde-ends-line-after-gb", u"中~\r\nb"},
                             {"tilde-before-blank-line-break", u"x~ \r\ny~\t\r\n"},
                             {"two-tildes-end-line", u"~~\r\n~"},
                             {"escape-lookalikes", u"~{~}{VP}"},
                             {"tilde-then-gb", u"~中"},
                             {"lone-surrogate-and-gbk-only", u"\xD800丂中"},
                             {"only-line-breaks", u"\r\n\r\n"},
                         }),
                         CaseName<RoundTripCase>);

}  // namespace
}  // namespace tekvo

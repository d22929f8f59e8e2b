#include "engine/hz.h"

#include <gtest/gtest.h>

#include "tests/engine/transfer_test_util.h"

namespace tekvo {
namespace {

using transfer_test::Repeat;
using transfer_test::Show;

TEST(EncodeHz, Table) {
  const struct {
    const char* name;
    Text input;
    Text expected;
  } cases[] = {
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
  };
  for (const auto& c : cases) {
    SCOPED_TRACE(c.name);
    const Converted got = EncodeHz(c.input);
    EXPECT_FALSE(got.too_long);
    EXPECT_EQ(got.text, c.expected) << "input " << Show(c.input) << " got " << Show(got.text);
  }
}

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

TEST(DecodeHz, Table) {
  const struct {
    const char* name;
    Text input;
    Text expected;
  } cases[] = {
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
      {"empty", u"", u""},
  };
  for (const auto& c : cases) {
    SCOPED_TRACE(c.name);
    const Text got = DecodeHz(c.input);
    EXPECT_EQ(got, c.expected) << "input " << Show(c.input) << " got " << Show(got);
    EXPECT_LE(got.size(), c.input.size());
  }
}

}  // namespace
}  // namespace tekvo

#include "engine/transfer/utf7.h"

#include <gtest/gtest.h>

#include "tests/engine/transfer_test_util.h"

namespace tekvo {
namespace {

using transfer_test::Repeat;
using transfer_test::Show;

TEST(EncodeUtf7, Table) {
  const struct {
    const char* name;
    Text input;
    Text expected;
  } cases[] = {
      {"empty", u"", u""},
      {"cjk-run", u"北京", u"+UxdOrA-"},
      {"plus-and-blank", u"1+1 中", u"1+-1 +Ti0-"},
      {"dash-after-run", u"中-", u"+Ti0--"},
      {"tab-cr-lf-direct-and-end-run", u"中\t文\r\n", u"+Ti0-\t+ZYc-\r\n"},
      {"other-controls-in-run", u"\x01\x7F", u"+AAEAfw-"},
      {"astral-pair-in-one-run", u"\U0001F600", u"+2D3eAA-"},
      {"printable-ascii-direct", u"~\\!", u"~\\!"},
  };
  for (const auto& c : cases) {
    SCOPED_TRACE(c.name);
    const Converted got = EncodeUtf7(c.input);
    EXPECT_FALSE(got.too_long);
    EXPECT_EQ(got.text, c.expected) << "input " << Show(c.input) << " got " << Show(got.text);
  }
}

TEST(EncodeUtf7, LengthLimit) {
  EXPECT_FALSE(EncodeUtf7(Repeat(u"中a", 1638)).too_long);
  const Text over = Repeat(u"中", 3277);
  const Converted refused = EncodeUtf7(over);
  EXPECT_TRUE(refused.too_long);
  EXPECT_EQ(refused.text, over);
  EXPECT_FALSE(EncodeUtf7(over, kNoLengthLimit).too_long);
}

TEST(DecodeUtf7, Table) {
  const struct {
    const char* name;
    Text input;
    Text expected;
  } cases[] = {
      {"example-nonzero-leftover-bits", u"+UxdOrA- YES +Ti1XC2-", u"北京 YES 中國"},
      {"one-char-run-stays", u"x++", u"x++"},
      {"short-run-keeps-dash", u"1+1=2 a+bc-d", u"1+1=2 a+bc-d"},
      {"plus-dash", u"+-", u"+"},
      {"plus-at-end", u"a+", u"a+"},
      {"dash-not-after-run-stays", u"a-b +Ti0--", u"a-b 中-"},
      {"run-inside-word", u"abc+def", u"abc\u75E7"},
      {"astral-pair", u"+2D3eAA-", u"\U0001F600"},
      {"nul-removed", u"+AAAAQQ-", u"A"},
      {"run-ended-by-blank", u"+Ti0 x", u"中 x"},
      {"empty", u"", u""},
  };
  for (const auto& c : cases) {
    SCOPED_TRACE(c.name);
    const Text got = DecodeUtf7(c.input);
    EXPECT_EQ(got, c.expected) << "input " << Show(c.input) << " got " << Show(got);
    EXPECT_LE(got.size(), c.input.size());
  }
}

}  // namespace
}  // namespace tekvo

#include "engine/transfer/quoted_printable.h"

#include <gtest/gtest.h>

#include "tests/engine/transfer_test_util.h"

namespace tekvo {
namespace {

using transfer_test::Repeat;
using transfer_test::Show;

struct EncodeCase {
  const char* name;
  Text input;
  ComposeBytes bytes;
  Text expected;
};

TEST(EncodeQuotedPrintable, Table) {
  const Text letters80 = Repeat(u"abcdefghij", 8);
  const EncodeCase cases[] = {
      {"empty", u"", ComposeBytes::kGb, u""},
      {"gb-example", u"支持ASCII码", ComposeBytes::kGb, u"=D6=A7=B3=D6ASCII=C2=EB"},
      {"utf8", u"电", ComposeBytes::kUtf8, u"=E7=94=B5"},
      {"utf8-astral-is-four-bytes", u"\U0001F600", ComposeBytes::kUtf8, u"=F0=9F=98=80"},
      {"low-controls-and-equals", u"\t=\x01 ~\x7F", ComposeBytes::kGb, u"=09=3D=01 ~=7F"},
      {"bare-cr-becomes-crlf", u"a\rb", ComposeBytes::kGb, u"a=0D=0Ab"},
      {"text-with-lf-kept", u"a\rb\n", ComposeBytes::kGb, u"a=0Db=0A"},
      {"80-letters-one-soft-break", letters80, ComposeBytes::kGb,
       letters80.substr(0, 75) + u"=\r" + letters80.substr(75)},
      // 25 escapes fill 75 characters; the 26th moves whole to the next line.
      {"escape-never-split", Repeat(u"\u00B7", 13) + u"\u00B7", ComposeBytes::kUtf8,
       Repeat(u"=C2=B7", 12) + u"=C2=" + u"\r" + u"=B7=C2=B7"},
      {"escape-ends-line-at-75", u"abc" + Repeat(u"=", 24) + u"d", ComposeBytes::kGb,
       u"abc" + Repeat(u"=3D", 24) + u"=\rd"},
  };
  for (const auto& c : cases) {
    SCOPED_TRACE(c.name);
    const Converted got = EncodeQuotedPrintable(c.input, c.bytes);
    EXPECT_FALSE(got.too_long);
    EXPECT_EQ(got.text, c.expected) << "input " << Show(c.input) << " got " << Show(got.text);
  }
}

TEST(EncodeQuotedPrintable, LinesNeverPass75) {
  const Converted got = EncodeQuotedPrintable(Repeat(u"码a=", 300), ComposeBytes::kUtf8);
  std::size_t line = 0;
  for (std::size_t i = 0; i < got.text.size(); ++i) {
    if (got.text[i] == u'\r') {
      EXPECT_EQ(got.text[i - 1], u'=');
      EXPECT_LE(line, 76u);  // 75 characters and the closing "="
      line = 0;
    } else {
      ++line;
    }
  }
}

TEST(EncodeQuotedPrintable, LengthLimit) {
  EXPECT_FALSE(EncodeQuotedPrintable(Repeat(u"中", 1638), ComposeBytes::kGb).too_long);
  const Text over = Repeat(u"中", 1639);
  const Converted refused = EncodeQuotedPrintable(over, ComposeBytes::kUtf8);
  EXPECT_TRUE(refused.too_long);
  EXPECT_EQ(refused.text, over);
  EXPECT_FALSE(EncodeQuotedPrintable(over, ComposeBytes::kUtf8, kNoLengthLimit).too_long);
}

struct DecodeCase {
  const char* name;
  Text input;
  LocaleId language;
  ByteEscapes escapes;
  Text expected;
};

TEST(DecodeQpOrUrl, Table) {
  const auto url = ByteEscapes::kUrl;
  const auto qp = ByteEscapes::kQuotedPrintable;
  const DecodeCase cases[] = {
      {"qp-gb-example", u"=D6=A7=B3=D6ASCII=C2=EB", LocaleId{2052}, qp, u"支持ASCII码"},
      {"url-gb-example", u"work%2Easp%3Fs%3D%B5%E7%C4%D4", LocaleId{2052}, url, u"work.asp?s=电脑"},
      {"url-plus-before-decoding", u"a+b%2Bc", LocaleId{2052}, url, u"a b+c"},
      {"url-malformed-stay", u"%ZZ 100% %4", LocaleId{2052}, url, u"%ZZ 100% %4"},
      {"url-double-percent", u"%%41", LocaleId{2052}, url, u"%A"},
      {"url-run-ends-at-malformed", u"%41%ZZ", LocaleId{2052}, url, u"A%ZZ"},
      {"qp-lower-case-digits", u"=3d", LocaleId{2052}, qp, u"="},
      {"qp-soft-break-joins-run", u"=D6=\r\n=A7", LocaleId{2052}, qp, u"支"},
      {"qp-soft-break-after-blank", u"ab= \r\ncd=\t\r\nef", LocaleId{2052}, qp, u"abcdef"},
      {"qp-bare-cr-soft-break-stays", u"ab=\rcd", LocaleId{2052}, qp, u"ab=\rcd"},
      {"qp-plus-stays", u"a+b", LocaleId{2052}, qp, u"a+b"},
      {"url-unescaped-trail-byte", u"%B5A", LocaleId{2052}, url, u"礎"},
      {"url-big5-trail-bytes", u"%A1A%C1c", LocaleId{1028}, url, u"，繁"},
      {"url-ascii-after-full-pair-is-text", u"%B5%E7A", LocaleId{2052}, url, u"电A"},
      {"url-utf8", u"%E7%94%B5", kIdUtf8, url, u"电"},
      {"url-utf8-no-trail-literals", u"%E7%94%B5A", kIdUtf8, url, u"电A"},
      {"qp-crlf-escapes", u"a=0D=0Ab", LocaleId{2052}, qp, u"a\r\nb"},
      {"no-escape-returns-prepared", u"a+b", LocaleId{0}, url, u"a b"},
      {"unknown-language-returns-input", u"a+b%41", LocaleId{0}, url, u"a+b%41"},
      {"utf16-id-returns-input", u"=41", kIdUtf16Le, qp, u"=41"},
      {"empty", u"", LocaleId{2052}, url, u""},
  };
  for (const auto& c : cases) {
    SCOPED_TRACE(c.name);
    const Text got = DecodeQpOrUrl(c.input, c.language, c.escapes);
    EXPECT_EQ(got, c.expected) << "input " << Show(c.input) << " got " << Show(got);
  }
}

}  // namespace
}  // namespace tekvo

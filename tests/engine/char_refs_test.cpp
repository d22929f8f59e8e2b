#include "engine/char_refs.h"

#include <gtest/gtest.h>

#include "engine/html_entities.h"
#include "tests/engine/transfer_test_util.h"

namespace tekvo {
namespace {

using transfer_test::Repeat;
using transfer_test::Show;

struct EncodeCase {
  const char* name;
  Text input;
  CharRefBase base;
  Text expected;
};

TEST(EncodeCharRefs, Table) {
  const EncodeCase cases[] = {
      {"empty", u"", CharRefBase::kHex, u""},
      {"ascii-never-escaped", u"a&b;<\r\n\t\x7F", CharRefBase::kHex, u"a&b;<\r\n\t\x7F"},
      {"hex-cjk", u"A可", CharRefBase::kHex, u"A&#x53EF;"},
      {"dec-cjk", u"A可", CharRefBase::kDecimal, u"A&#21487;"},
      {"hex-no-leading-zero", u"\u00A0\u0080", CharRefBase::kHex, u"&#xA0;&#x80;"},
      {"hex-ffff", u"\uFFFF", CharRefBase::kHex, u"&#xFFFF;"},
      {"dec-ffff", u"\uFFFF", CharRefBase::kDecimal, u"&#65535;"},
      {"hex-pair-is-one-ref", u"\U0001F600", CharRefBase::kHex, u"&#x1F600;"},
      {"dec-pair-is-one-ref", u"\U0001F600", CharRefBase::kDecimal, u"&#128512;"},
      {"hex-last-code-point", u"\U0010FFFF", CharRefBase::kHex, u"&#x10FFFF;"},
      {"lone-high-own-ref",
       u"\xD83D"
       u"a",
       CharRefBase::kHex, u"&#xD83D;a"},
      {"lone-low-own-ref", u"\xDE00", CharRefBase::kDecimal, u"&#56832;"},
      {"reversed-pair-two-refs", u"\xDE00\xD83D", CharRefBase::kHex, u"&#xDE00;&#xD83D;"},
  };
  for (const auto& c : cases) {
    SCOPED_TRACE(c.name);
    const Converted got = EncodeCharRefs(c.input, c.base);
    EXPECT_FALSE(got.too_long);
    EXPECT_EQ(got.text, c.expected) << "input " << Show(c.input) << " got " << Show(got.text);
  }
}

TEST(EncodeCharRefs, LengthLimitFollowsMaxLen) {
  const Text at_limit = Repeat(u"\uFFFF", 1820);
  const Converted ok = EncodeCharRefs(at_limit, CharRefBase::kHex);
  EXPECT_FALSE(ok.too_long);
  EXPECT_EQ(ok.text.size(), 1820u * 8);

  const Text over = at_limit + u"x";
  const Converted refused = EncodeCharRefs(over, CharRefBase::kDecimal);
  EXPECT_TRUE(refused.too_long);
  EXPECT_EQ(refused.text, over);

  EXPECT_FALSE(EncodeCharRefs(over, CharRefBase::kHex, kNoLengthLimit).too_long);
  EXPECT_TRUE(EncodeCharRefs(u"0123456789A", CharRefBase::kHex, 90).too_long);
  EXPECT_FALSE(EncodeCharRefs(u"0123456789", CharRefBase::kHex, 90).too_long);
}

struct DecodeCase {
  const char* name;
  EscapeFamily family;
  Text input;
  Text expected;
};

TEST(DecodeNumericEscapes, Table) {
  const auto html = EscapeFamily::kHtml;
  const auto bs = EscapeFamily::kBackslash;
  const auto pc = EscapeFamily::kPercent;
  const DecodeCase cases[] = {
      {"html-mixed", html, u"&#x53EF;&#25511;&ordm;&Atilde;", u"可控ºÃ"},
      {"html-upper-x", html, u"&#X41;", u"A"},
      {"html-hex-astral-one-ref", html, u"&#x1F600;", u"\U0001F600"},
      {"html-dec-astral-one-ref", html, u"&#128512;", u"\U0001F600"},
      {"html-last-code-point", html, u"&#x10FFFF;&#1114111;", u"\U0010FFFF\U0010FFFF"},
      {"html-first-astral-is-a-pair", html, u"&#x10000;&#65536;", u"\U00010000\U00010000"},
      // Digits that would carry a reference past U+10FFFF are text after a
      // basic-plane reference, not part of a reference that vanishes.
      {"html-dec-digits-past-range-stay-text", html, u"&#65509100",
       u"\uFFE5"
       u"100"},
      {"html-hex-letters-past-range-stay-text", html, u"&#x53EFabc", u"可abc"},
      {"html-hex-above-range-keeps-four-digits", html, u"a&#x110000;b",
       u"a\u1100"
       u"00;b"},
      {"html-dec-above-range-keeps-five-digits", html, u"a&#1114112;b",
       u"a\u2B85"
       u"12;b"},
      {"html-hex-ffff-is-one-unit", html, u"&#xFFFF;&#65535;", u"\uFFFF\uFFFF"},
      {"html-astral-then-letters", html, u"&#x1F600;abc", u"\U0001F600abc"},
      {"html-hex-six-digits-at-most", html, u"&#x00004142", u"A42"},
      {"html-dec-seven-digits-at-most", html, u"&#00000651", u"A1"},
      {"html-surrogate-refs-pair-up", html, u"&#xD83D;&#xDE00;", u"\U0001F600"},
      {"html-cut-short-keeps-digits", html, u"&#x41 b", u"A b"},
      {"html-no-digits-vanishes", html, u"x&#;y", u"xy"},
      {"html-bare-prefix-at-end", html, u"abc&#", u"abc"},
      {"html-zero-vanishes-with-terminator", html, u"x&#0;y", u"xy"},
      {"html-only-first-terminator-swallowed", html, u"&#65;;", u"A;"},
      {"html-plain-semicolon-stays", html, u"a;b", u"a;b"},
      {"html-digits-at-end", html, u"&#x53EF", u"可"},
      {"html-tags-any-case", html, u"<P>line</p>", u"\r\nline\r\n"},
      {"html-six-tags", html, u"<HR><Br><DIV></Div>", u"\r\n\r\n\r\n\r\n"},
      {"html-other-tag-forms-stay", html, u"<br/><br /><p class=x>", u"<br/><br /><p class=x>"},
      {"html-entity-needs-semicolon", html, u"&nbsp x", u"&nbsp x"},
      {"html-nbsp-is-not-space", html, u"&nbsp;", u"\u00A0"},
      {"html-escaped-lt-decoded-once", html, u"&amp;lt;", u"&lt;"},
      {"html-escaped-quot-decoded-once", html, u"&amp;quot;", u"&quot;"},
      {"html-entity-output-not-rescanned", html, u"&amp;#x41;", u"&#x41;"},
      {"html-entity-names-case-sensitive", html, u"&AMP;&Aacute;&aacute;", u"&AMP;Áá"},
      {"html-unknown-entity-stays", html, u"&foo;&;", u"&foo;&;"},
      {"html-entity-cuts-escape", html, u"&#65&lt;", u"A<"},
      {"html-markers-kept", html, u"\u9485\u9963\u8BA0;12", u"\u9485\u9963\u8BA0;12"},
      {"bs-caption-example", bs, u"\\u53EF\\u63A7\\x28\\x29", u"可控()"},
      {"bs-upper-prefixes", bs, u"\\U0041\\X41", u"AA"},
      {"bs-four-digits-at-most", bs, u"\\u1F600",
       u"\u1F60"
       u"0"},
      {"bs-last-bmp-unit", bs, u"\\uFFFF\\xFF", u"\uFFFF\u00FF"},
      {"bs-ffff-is-one-unit", bs, u"\\uFFFF\\UFFFF", u"\uFFFF\uFFFF"},
      {"bs-no-digits", bs, u"\\uZZZZ", u"ZZZZ"},
      {"bs-semicolon-stays", bs, u"\\u0041;", u"A;"},
      {"bs-zero-vanishes", bs, u"a\\u0000b", u"ab"},
      {"bs-other-backslash-stays", bs, u"C:\\new\\x", u"C:\\new"},
      {"bs-two-digits-are-characters", bs, u"\\xB5\\xe7", u"µç"},
      {"bs-html-untouched", bs, u"&#x41;&amp;", u"&#x41;&amp;"},
      {"bs-markers-kept", bs,
       u"\u9485"
       u"1234\u9963"
       u"12\u8BA0"
       u"9",
       u"\u9485"
       u"1234\u9963"
       u"12\u8BA0"
       u"9"},
      {"pc-caption-example", pc, u"%u53EF%u63A7%28%29", u"可控()"},
      {"pc-two-digits-are-characters", pc, u"%B5%E7", u"\u00B5\u00E7"},
      {"pc-last-bmp-unit", pc, u"%uFFFF%FF", u"\uFFFF\u00FF"},
      {"pc-ffff-is-one-unit", pc, u"%uFFFF%UFFFF", u"\uFFFF\uFFFF"},
      {"pc-no-digits-vanishes", pc, u"100%!", u"100!"},
      {"pc-bare-prefix-at-end", pc, u"abc%", u"abc"},
      {"pc-cut-short", pc, u"%u41 ", u"A "},
      {"pc-double-percent", pc, u"%%41", u"A"},
      {"pc-markers-kept", pc,
       u"\u9963"
       u"41",
       u"\u9963"
       u"41"},
      {"empty", html, u"", u""},
  };
  for (const auto& c : cases) {
    SCOPED_TRACE(c.name);
    const Text got = DecodeNumericEscapes(c.input, c.family);
    EXPECT_EQ(got, c.expected) << "input " << Show(c.input) << " got " << Show(got);
    EXPECT_LE(got.size(), c.input.size());
  }
}

TEST(DecodeNumericEscapes, UnknownFamilyReturnsInput) {
  const Text in = u"&#x41;\\u0041%41";
  EXPECT_EQ(DecodeNumericEscapes(in, static_cast<EscapeFamily>(7)), in);
}

TEST(HtmlEntities, TableHasHtml401Set) {
  EXPECT_EQ(HtmlEntityCount(), 252u);
  const struct {
    const char16_t* name;
    char16_t code;
  } cases[] = {{u"quot", 34},   {u"amp", 38},       {u"lt", 60},      {u"gt", 62},
               {u"nbsp", 160},  {u"yuml", 255},     {u"OElig", 338},  {u"fnof", 402},
               {u"euro", 8364}, {u"thetasym", 977}, {u"diams", 9830}, {u"apos", 0},
               {u"Amp", 0},     {u"", 0},           {u"thetasyms", 0}};
  for (const auto& c : cases) {
    EXPECT_EQ(HtmlEntityCode(c.name), c.code) << Show(c.name);
  }
}

TEST(HtmlEntities, DecodeNamedEntitiesAlone) {
  EXPECT_EQ(DecodeNamedEntities(u"&lt;br&gt;<br>&#65;"), u"<br>\r\n&#65;");
  EXPECT_EQ(DecodeNamedEntities(u""), u"");
  EXPECT_EQ(DecodeNamedEntities(u"&amp;amp;"), u"&amp;");
}

}  // namespace
}  // namespace tekvo

#include "engine/transfer/char_refs.h"

#include <gtest/gtest.h>

#include <sstream>
#include <string>
#include <vector>

#include "engine/transfer/html_entities.h"
#include "tests/case_name.h"
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

void PrintTo(const DecodeCase& c, std::ostream* os) { *os << c.name; }

class DecodeNumeric : public testing::TestWithParam<DecodeCase> {};

// The decoder rewrites its input in place, so it can never grow it.
TEST_P(DecodeNumeric, DecodesTheEscapes) {
  const DecodeCase& c = GetParam();
  const Text got = DecodeNumericEscapes(c.input, c.family);
  EXPECT_EQ(got, c.expected) << "input " << Show(c.input) << " got " << Show(got);
  EXPECT_LE(got.size(), c.input.size());
}

constexpr auto html = EscapeFamily::kHtml;
constexpr auto bs = EscapeFamily::kBackslash;
constexpr auto pc = EscapeFamily::kPercent;

INSTANTIATE_TEST_SUITE_P(
    Cases, DecodeNumeric,
    testing::ValuesIn(std::vector<DecodeCase>{
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
    }),
    CaseName<DecodeCase>);

TEST(DecodeNumericEscapes, UnknownFamilyReturnsInput) {
  const Text in = u"&#x41;\\u0041%41";
  EXPECT_EQ(DecodeNumericEscapes(in, static_cast<EscapeFamily>(7)), in);
}

// The 252 character entity references of HTML 4.01: the Latin-1 set names
// U+00A0 to U+00FF in order, the symbol and special sets with their codes.
TEST(HtmlEntities, TableIsTheHtml401Set) {
  std::istringstream latin1(
      "nbsp iexcl cent pound curren yen brvbar sect uml copy ordf laquo not shy reg macr deg "
      "plusmn sup2 sup3 acute micro para middot cedil sup1 ordm raquo frac14 frac12 frac34 "
      "iquest Agrave Aacute Acirc Atilde Auml Aring AElig Ccedil Egrave Eacute Ecirc Euml "
      "Igrave Iacute Icirc Iuml ETH Ntilde Ograve Oacute Ocirc Otilde Ouml times Oslash Ugrave "
      "Uacute Ucirc Uuml Yacute THORN szlig agrave aacute acirc atilde auml aring aelig ccedil "
      "egrave eacute ecirc euml igrave iacute icirc iuml eth ntilde ograve oacute ocirc otilde "
      "ouml divide oslash ugrave uacute ucirc uuml yacute thorn yuml ");
  std::istringstream others(
      "quot 34 amp 38 lt 60 gt 62 OElig 338 oelig 339 Scaron 352 scaron 353 Yuml 376 fnof 402 "
      "circ 710 tilde 732 Alpha 913 Beta 914 Gamma 915 Delta 916 Epsilon 917 Zeta 918 Eta 919 "
      "Theta 920 Iota 921 Kappa 922 Lambda 923 Mu 924 Nu 925 Xi 926 Omicron 927 Pi 928 Rho 929 "
      "Sigma 931 Tau 932 Upsilon 933 Phi 934 Chi 935 Psi 936 Omega 937 alpha 945 beta 946 gamma "
      "947 delta 948 epsilon 949 zeta 950 eta 951 theta 952 iota 953 kappa 954 lambda 955 mu "
      "956 nu 957 xi 958 omicron 959 pi 960 rho 961 sigmaf 962 sigma 963 tau 964 upsilon 965 "
      "phi 966 chi 967 psi 968 omega 969 thetasym 977 upsih 978 piv 982 ensp 8194 emsp 8195 "
      "thinsp 8201 zwnj 8204 zwj 8205 lrm 8206 rlm 8207 ndash 8211 mdash 8212 lsquo 8216 rsquo "
      "8217 sbquo 8218 ldquo 8220 rdquo 8221 bdquo 8222 dagger 8224 Dagger 8225 bull 8226 "
      "hellip 8230 permil 8240 prime 8242 Prime 8243 lsaquo 8249 rsaquo 8250 oline 8254 frasl "
      "8260 euro 8364 image 8465 weierp 8472 real 8476 trade 8482 alefsym 8501 larr 8592 uarr "
      "8593 rarr 8594 darr 8595 harr 8596 crarr 8629 lArr 8656 uArr 8657 rArr 8658 dArr 8659 "
      "hArr 8660 forall 8704 part 8706 exist 8707 empty 8709 nabla 8711 isin 8712 notin 8713 ni "
      "8715 prod 8719 sum 8721 minus 8722 lowast 8727 radic 8730 prop 8733 infin 8734 ang 8736 "
      "and 8743 or 8744 cap 8745 cup 8746 int 8747 there4 8756 sim 8764 cong 8773 asymp 8776 ne "
      "8800 equiv 8801 le 8804 ge 8805 sub 8834 sup 8835 nsub 8836 sube 8838 supe 8839 oplus "
      "8853 otimes 8855 perp 8869 sdot 8901 lceil 8968 rceil 8969 lfloor 8970 rfloor 8971 lang "
      "9001 rang 9002 loz 9674 spades 9824 clubs 9827 hearts 9829 diams 9830 ");
  std::size_t listed = 0;
  std::string name;
  for (char16_t code = 160; latin1 >> name; ++code, ++listed) {
    EXPECT_EQ(HtmlEntityCode(Text(name.begin(), name.end())), code) << name;
  }
  for (int code = 0; others >> name >> code; ++listed) {
    EXPECT_EQ(HtmlEntityCode(Text(name.begin(), name.end())), code) << name;
  }
  EXPECT_EQ(listed, 252u);
  EXPECT_EQ(HtmlEntityCount(), 252u);
  for (const char16_t* unknown : {u"apos", u"Amp", u"", u"thetasyms"}) {
    EXPECT_EQ(HtmlEntityCode(unknown), 0) << Show(unknown);
  }
}

TEST(HtmlEntities, DecodeNamedEntitiesAlone) {
  EXPECT_EQ(DecodeNamedEntities(u"&lt;br&gt;<br>&#65;"), u"<br>\r\n&#65;");
  EXPECT_EQ(DecodeNamedEntities(u""), u"");
  EXPECT_EQ(DecodeNamedEntities(u"&amp;amp;"), u"&amp;");
}

}  // namespace
}  // namespace tekvo

// Every decoder against an independent implementation: the expected values
// below were produced once by Python's standard codecs (base64, quopri,
// urllib.parse, codecs "utf-7", "hz", "unicode_escape", html.unescape and the
// "xmlcharrefreplace" error handler) from the same inputs, and are kept as
// literals. Only inputs on which both sides define the same result are
// listed.
#include <gtest/gtest.h>

#include <ostream>
#include <vector>

#include "engine/transfer/base64.h"
#include "engine/transfer/char_refs.h"
#include "engine/transfer/hz.h"
#include "engine/transfer/quoted_printable.h"
#include "engine/transfer/utf7.h"
#include "tests/case_name.h"
#include "tests/engine/transfer_test_util.h"

namespace tekvo {
namespace {

using transfer_test::Show;

struct LanguageCase {
  const char* name;
  Text encoded;
  Text plain;
  LocaleId language;
};

struct PlainCase {
  const char* name;
  Text encoded;
  Text plain;
};

struct Base64Case {
  const char* name;
  Text plain;
  Text encoded;
  LocaleId language;
};

void PrintTo(const Base64Case& c, std::ostream* os) { *os << c.name; }

class ReferenceBase64 : public testing::TestWithParam<Base64Case> {};

TEST_P(ReferenceBase64, DecodesAndEncodes) {
  const Base64Case& c = GetParam();
  EXPECT_EQ(DecodeBase64Text(c.encoded, c.language, Base64Alphabet::kStandard), c.plain)
      << Show(c.encoded);
  if (c.language == LocaleId{2052} || c.language == kIdUtf8) {
    const auto which = c.language == LocaleId{2052} ? ComposeBytes::kGb : ComposeBytes::kUtf8;
    EXPECT_EQ(EncodeBase64Text(c.plain, which).text, c.encoded) << Show(c.plain);
  }
}

INSTANTIATE_TEST_SUITE_P(
    Cases, ReferenceBase64,
    testing::ValuesIn(std::vector<Base64Case>{
        {"gb-ascii-system", u"只支持ASCII码的系统", u"1rvWp7PWQVNDSUnC67XEz7XNsw==",
         LocaleId{2052}},
        {"gb-founding-1949", u"中华人民共和国成立于1949年。",
         u"1tC7qsjLw/G5srrNufqzycGi09oxOTQ5xOqhow==", LocaleId{2052}},
        {"gb-beijing-welcome", u"北京欢迎你！今天天气很好，我们去公园散步吧。",
         u"sbG+qbu2063E46OhvfHM7Mzsxvi63LrDo6zO0sPHyKW5q9SwyaKyvbDJoaM=", LocaleId{2052}},
        {"gb-mojibake-tool", u"乱码修复工具：把“乱码”变回文字",
         u"wtLC69DeuLS5pL7fo7qw0aGwwtLC66GxseS72M7E19Y=", LocaleId{2052}},
        {"big5-traditional-culture", u"中國傳統文化，繁體字。", u"pKSw6rbHss6k5aTGoUHBY8XppnKhQw==",
         LocaleId{1028}},
        {"big5-taiwan-it", u"臺灣的資訊科技產業", u"u0/GV6q6uOqwVKzsp96yo7d+", LocaleId{1028}},
        {"utf8-japanese", u"日本語のテキストです。",
         u"5pel5pys6Kqe44Gu44OG44Kt44K544OI44Gn44GZ44CC", kIdUtf8},
        {"utf8-korean", u"한국어 텍스트 예제", u"7ZWc6rWt7Ja0IO2FjeyKpO2KuCDsmIjsoJw=", kIdUtf8},
        {"utf8-mixed-scripts", u"中文 English Ελληνικά Русский",
         u"5Lit5paHIEVuZ2xpc2ggzpXOu867zrfOvc65zrrOrCDQoNGD0YHRgdC60LjQuQ==", kIdUtf8},
        {"utf8-emoji", u"表情\U0001F600与汉字", u"6KGo5oOF8J+YgOS4juaxieWtlw==", kIdUtf8},
        {"gb-beijing-three-times-broken-lines",
         u"北京欢迎你！今天天气很好，我们去公园散步吧。北京欢迎你！今天天气很好，我们去公园散步吧。"
         u"北"
         u"京欢迎你！今天天气很好，我们去公园散步吧。",
         u"sbG+qbu2063E46OhvfHM7Mzsxvi63LrDo6zO0sPHyKW5q9SwyaKyvbDJoaOxsb6pu7bTrcTjo6G9\r8czszOzG+"
         u"LrcusOjrM7Sw8fIpbmr1LDJorK9sMmho7Gxvqm7ttOtxOOjob3xzOzM7Mb4uty6w6Os\rztLDx8iluavUsMmisr2"
         u"wy"
         u"aGj",
         LocaleId{2052}},
    }),
    CaseName<Base64Case>);

void PrintTo(const LanguageCase& c, std::ostream* os) { *os << c.name; }

class ReferenceUrlUnquote : public testing::TestWithParam<LanguageCase> {};

TEST_P(ReferenceUrlUnquote, Decodes) {
  const LanguageCase& c = GetParam();
  const Text got = DecodeQpOrUrl(c.encoded, c.language, ByteEscapes::kUrl);
  EXPECT_EQ(got, c.plain) << Show(c.encoded) << " got " << Show(got);
}

INSTANTIATE_TEST_SUITE_P(
    Cases, ReferenceUrlUnquote,
    testing::ValuesIn(std::vector<LanguageCase>{
        {"gb-ascii-system", u"%D6%BB%D6%A7%B3%D6ASCII%C2%EB%B5%C4%CF%B5%CD%B3",
         u"只支持ASCII码的系统", LocaleId{2052}},
        {"gb-founding-1949",
         u"%D6%D0%BB%AA%C8%CB%C3%F1%B9%B2%BA%CD%B9%FA%B3%C9%C1%A2%D3%DA1949%C4%EA%A1%A3",
         u"中华人民共和国成立于1949年。", LocaleId{2052}},
        {"gb-beijing-welcome",
         u"%B1%B1%BE%A9%BB%B6%D3%AD%C4%E3%A3%A1%BD%F1%CC%EC%CC%EC%C6%F8%BA%DC%BA%C3%A3%AC%CE%D2%C3%"
         u"C7%C8%A5%B9%AB%D4%B0%C9%A2%B2%BD%B0%C9%A1%A3",
         u"北京欢迎你！今天天气很好，我们去公园散步吧。", LocaleId{2052}},
        {"gb-mojibake-tool",
         u"%C2%D2%C2%EB%D0%DE%B8%B4%B9%A4%BE%DF%A3%BA%B0%D1%A1%B0%C2%D2%C2%EB%A1%B1%B1%E4%BB%D8%CE%"
         u"C4%D7%D6",
         u"乱码修复工具：把“乱码”变回文字", LocaleId{2052}},
        {"big5-traditional-culture", u"%A4%A4%B0%EA%B6%C7%B2%CE%A4%E5%A4%C6%A1A%C1c%C5%E9%A6r%A1C",
         u"中國傳統文化，繁體字。", LocaleId{1028}},
        {"big5-taiwan-it", u"%BBO%C6W%AA%BA%B8%EA%B0T%AC%EC%A7%DE%B2%A3%B7~", u"臺灣的資訊科技產業",
         LocaleId{1028}},
        {"utf8-japanese",
         u"%E6%97%A5%E6%9C%AC%E8%AA%9E%E3%81%AE%E3%83%86%E3%82%AD%E3%82%B9%E3%83%88%E3%81%A7%E3%81%"
         u"99%E3%80%82",
         u"日本語のテキストです。", kIdUtf8},
        {"utf8-korean",
         u"%ED%95%9C%EA%B5%AD%EC%96%B4%20%ED%85%8D%EC%8A%A4%ED%8A%B8%20%EC%98%88%EC%A0%9C",
         u"한국어 텍스트 예제", kIdUtf8},
        {"utf8-mixed-scripts",
         u"%E4%B8%AD%E6%96%87%20English%20%CE%95%CE%BB%CE%BB%CE%B7%CE%BD%CE%B9%CE%BA%CE%AC%20%D0%"
         u"A0%"
         u"D1%83%D1%81%D1%81%D0%BA%D0%B8%D0%B9",
         u"中文 English Ελληνικά Русский", kIdUtf8},
        {"utf8-emoji", u"%E8%A1%A8%E6%83%85%F0%9F%98%80%E4%B8%8E%E6%B1%89%E5%AD%97",
         u"表情\U0001F600与汉字", kIdUtf8},
        {"gb-query-string", u"work%2Easp%3Fs%3D%B5%E7%C4%D4", u"work.asp?s=电脑", LocaleId{2052}},
        {"plus-is-blank", u"a+b%2Bc", u"a b+c", LocaleId{2052}},
        {"bad-escape-kept", u"%ZZ", u"%ZZ", LocaleId{2052}},
        {"trailing-percent-kept", u"100%", u"100%", LocaleId{2052}},
        {"percent-before-escape", u"%%41", u"%A", LocaleId{2052}},
        {"good-then-bad-escape", u"%41%ZZ", u"A%ZZ", LocaleId{2052}},
    }),
    CaseName<LanguageCase>);

class ReferenceQuotedPrintable : public testing::TestWithParam<LanguageCase> {};

TEST_P(ReferenceQuotedPrintable, Decodes) {
  const LanguageCase& c = GetParam();
  const Text got = DecodeQpOrUrl(c.encoded, c.language, ByteEscapes::kQuotedPrintable);
  EXPECT_EQ(got, c.plain) << Show(c.encoded) << " got " << Show(got);
}

INSTANTIATE_TEST_SUITE_P(
    Cases, ReferenceQuotedPrintable,
    testing::ValuesIn(std::vector<LanguageCase>{
        {"gb-ascii-system", u"=D6=BB=D6=A7=B3=D6ASCII=C2=EB=B5=C4=CF=B5=CD=B3",
         u"只支持ASCII码的系统", LocaleId{2052}},
        {"gb-founding-1949",
         u"=D6=D0=BB=AA=C8=CB=C3=F1=B9=B2=BA=CD=B9=FA=B3=C9=C1=A2=D3=DA1949=C4=EA=A1=\r\n=A3",
         u"中华人民共和国成立于1949年。", LocaleId{2052}},
        {"gb-beijing-welcome",
         u"=B1=B1=BE=A9=BB=B6=D3=AD=C4=E3=A3=A1=BD=F1=CC=EC=CC=EC=C6=F8=BA=DC=BA=C3=A3=\r\n=AC=CE="
         u"D2="
         u"C3=C7=C8=A5=B9=AB=D4=B0=C9=A2=B2=BD=B0=C9=A1=A3",
         u"北京欢迎你！今天天气很好，我们去公园散步吧。", LocaleId{2052}},
        {"gb-mojibake-tool",
         u"=C2=D2=C2=EB=D0=DE=B8=B4=B9=A4=BE=DF=A3=BA=B0=D1=A1=B0=C2=D2=C2=EB=A1=B1=B1=\r\n=E4=BB="
         u"D8="
         u"CE=C4=D7=D6",
         u"乱码修复工具：把“乱码”变回文字", LocaleId{2052}},
        {"big5-traditional-culture", u"=A4=A4=B0=EA=B6=C7=B2=CE=A4=E5=A4=C6=A1A=C1c=C5=E9=A6r=A1C",
         u"中國傳統文化，繁體字。", LocaleId{1028}},
        {"big5-taiwan-it", u"=BBO=C6W=AA=BA=B8=EA=B0T=AC=EC=A7=DE=B2=A3=B7~", u"臺灣的資訊科技產業",
         LocaleId{1028}},
        {"utf8-japanese",
         u"=E6=97=A5=E6=9C=AC=E8=AA=9E=E3=81=AE=E3=83=86=E3=82=AD=E3=82=B9=E3=83=88=E3=\r\n=81=A7="
         u"E3="
         u"81=99=E3=80=82",
         u"日本語のテキストです。", kIdUtf8},
        {"utf8-korean",
         u"=ED=95=9C=EA=B5=AD=EC=96=B4=20=ED=85=8D=EC=8A=A4=ED=8A=B8=20=EC=98=88=EC=A0=\r\n=9C",
         u"한국어 텍스트 예제", kIdUtf8},
        {"utf8-mixed-scripts",
         u"=E4=B8=AD=E6=96=87=20English=20=CE=95=CE=BB=CE=BB=CE=B7=CE=BD=CE=B9=CE=BA=\r\n=CE=AC=20="
         u"D0=A0=D1=83=D1=81=D1=81=D0=BA=D0=B8=D0=B9",
         u"中文 English Ελληνικά Русский", kIdUtf8},
        {"utf8-emoji", u"=E8=A1=A8=E6=83=85=F0=9F=98=80=E4=B8=8E=E6=B1=89=E5=AD=97",
         u"表情\U0001F600与汉字", kIdUtf8},
        {"gb-beijing-twice",
         u"=B1=B1=BE=A9=BB=B6=D3=AD=C4=E3=A3=A1=BD=F1=CC=EC=CC=EC=C6=F8=BA=DC=BA=C3=A3=\r\n=AC=CE="
         u"D2="
         u"C3=C7=C8=A5=B9=AB=D4=B0=C9=A2=B2=BD=B0=C9=A1=A3=B1=B1=BE=A9=BB=B6=\r\n=D3=AD=C4=E3=A3="
         u"A1="
         u"BD=F1=CC=EC=CC=EC=C6=F8=BA=DC=BA=C3=A3=AC=CE=D2=C3=C7=C8=\r\n=A5=B9=AB=D4=B0=C9=A2=B2="
         u"BD="
         u"B0=C9=A1=A3",
         u"北京欢迎你！今天天气很好，我们去公园散步吧。北京欢迎你！今天天气很好，我们去公园散步吧"
         u"。",
         LocaleId{2052}},
    }),
    CaseName<LanguageCase>);

void PrintTo(const PlainCase& c, std::ostream* os) { *os << c.name; }

class ReferenceUtf7 : public testing::TestWithParam<PlainCase> {};

TEST_P(ReferenceUtf7, Decodes) {
  const PlainCase& c = GetParam();
  EXPECT_EQ(DecodeUtf7(c.encoded), c.plain) << Show(c.encoded);
}

INSTANTIATE_TEST_SUITE_P(
    Cases, ReferenceUtf7,
    testing::ValuesIn(std::vector<PlainCase>{
        {"ascii-system", u"+U+plL2MB-ASCII+eAF2hHz7ft8-", u"只支持ASCII码的系统"},
        {"founding-1949", u"+Ti1TTk66bBFRcVSMVv1iEHrLTo4-1949+XnQwAg-",
         u"中华人民共和国成立于1949年。"},
        {"beijing-welcome", u"+UxdOrGsij85PYP8BTspZKVkpbBRfiFl9/wxiEU7sU7tRbFbtZWNrZVQnMAI-",
         u"北京欢迎你！今天天气很好，我们去公园散步吧。"},
        {"mojibake-tool", u"+TnF4AU/uWQ1d5VF3/xpiiiAcTnF4ASAdU9hW3mWHW1c-",
         u"乱码修复工具：把“乱码”变回文字"},
        {"traditional-culture", u"+Ti1XC1CzfXFlh1MW/wx+QZrUW1cwAg-", u"中國傳統文化，繁體字。"},
        {"taiwan-it", u"+gfpwY3aEjMeKCnnRYoB1Imlt-", u"臺灣的資訊科技產業"},
        {"japanese", u"+ZeVnLIqeMG4wxjCtMLkwyDBnMFkwAg-", u"日本語のテキストです。"},
        {"korean", u"+1VytbcW0 +0U3CpNK4 +xgjIHA-", u"한국어 텍스트 예제"},
        {"mixed-scripts", u"+Ti1lhw English +A5UDuwO7A7cDvQO5A7oDrA +BCAEQwRBBEEEOgQ4BDk-",
         u"中文 English Ελληνικά Русский"},
        {"emoji", u"+iGhgxdg93gBODmxJW1c-", u"表情\U0001F600与汉字"},
        {"plus-dash-in-sum", u"1+-1=2 +Ti0-", u"1+1=2 中"},
        {"plus-dash-between-letters", u"a+-b", u"a+b"},
        {"tilde-and-backslash", u"x+AH4-y+AFw-z", u"x~y\\z"},
    }),
    CaseName<PlainCase>);

class ReferenceHz : public testing::TestWithParam<PlainCase> {};

TEST_P(ReferenceHz, DecodesAndEncodes) {
  const PlainCase& c = GetParam();
  EXPECT_EQ(DecodeHz(c.encoded), c.plain) << Show(c.encoded);
  EXPECT_EQ(EncodeHz(c.plain).text, c.encoded) << Show(c.plain);
}

INSTANTIATE_TEST_SUITE_P(
    Cases, ReferenceHz,
    testing::ValuesIn(std::vector<PlainCase>{
        {"ascii-system", u"~{V;V'3V~}ASCII~{Bk5DO5M3~}", u"只支持ASCII码的系统"},
        {"founding-1949", u"~{VP;*HKCq92:M9z3IA\"SZ~}1949~{Dj!#~}",
         u"中华人民共和国成立于1949年。"},
        {"beijing-welcome", u"~{11>);6S-Dc#!=qLlLlFx:\\:C#,NRCGH%9+T0I\"2=0I!#~}",
         u"北京欢迎你！今天天气很好，我们去公园散步吧。"},
        {"tilde-between-hanzi", u"~{VP~}~~~{ND~}", u"中~文"},
        {"two-lines", u"~{V;V'3V~}ASCII~{Bk5DO5M3~}\r\n~{5Z6~PP~}",
         u"只支持ASCII码的系统\r\n第二行"},
    }),
    CaseName<PlainCase>);

class ReferenceHtmlUnescape : public testing::TestWithParam<PlainCase> {};

TEST_P(ReferenceHtmlUnescape, Decodes) {
  const PlainCase& c = GetParam();
  EXPECT_EQ(DecodeNumericEscapes(c.encoded, EscapeFamily::kHtml), c.plain) << Show(c.encoded);
}

INSTANTIATE_TEST_SUITE_P(
    Cases, ReferenceHtmlUnescape,
    testing::ValuesIn(std::vector<PlainCase>{
        {"hex-decimal-and-named", u"&#x53EF;&#25511;&ordm;&Atilde;", u"可控ºÃ"},
        {"capital-x", u"&#X41;", u"A"},
        {"hex-beyond-bmp", u"&#x1F600;", u"\U0001F600"},
        {"decimal-beyond-bmp", u"&#128512;", u"\U0001F600"},
        {"amp-then-lt-once", u"&amp;lt;", u"&lt;"},
        {"amp-then-quot-once", u"&amp;quot;", u"&quot;"},
        {"lt-and-gt", u"&lt;p&gt;", u"<p>"},
        {"nbsp", u"a&nbsp;b", u"a b"},
        {"copy-mdash-euro", u"&copy; 2024 &mdash; &euro;100", u"© 2024 — €100"},
        {"greek-letters", u"&alpha;&beta;&Omega;", u"αβΩ"},
        {"amp-in-a-name", u"AT&amp;T", u"AT&T"},
    }),
    CaseName<PlainCase>);

struct RefsCase {
  const char* name;
  Text plain;
  Text refs;
};

void PrintTo(const RefsCase& c, std::ostream* os) { *os << c.name; }

class ReferenceDecimalCharRefs : public testing::TestWithParam<RefsCase> {};

TEST_P(ReferenceDecimalCharRefs, EncodesAndDecodes) {
  const RefsCase& c = GetParam();
  EXPECT_EQ(EncodeCharRefs(c.plain, CharRefBase::kDecimal).text, c.refs) << Show(c.plain);
  EXPECT_EQ(DecodeNumericEscapes(c.refs, EscapeFamily::kHtml), c.plain) << Show(c.refs);
}

INSTANTIATE_TEST_SUITE_P(
    Cases, ReferenceDecimalCharRefs,
    testing::ValuesIn(std::vector<RefsCase>{
        {"ascii-system", u"只支持ASCII码的系统",
         u"&#21482;&#25903;&#25345;ASCII&#30721;&#30340;&#31995;&#32479;"},
        {"founding-1949", u"中华人民共和国成立于1949年。",
         u"&#20013;&#21326;&#20154;&#27665;&#20849;&#21644;&#22269;&#25104;&#31435;&#20110;1949&#"
         u"24180;&#12290;"},
        {"beijing-welcome", u"北京欢迎你！今天天气很好，我们去公园散步吧。",
         u"&#21271;&#20140;&#27426;&#36814;&#20320;&#65281;&#20170;&#22825;&#22825;&#27668;&#24456;"
         u"&#"
         u"22909;&#65292;&#25105;&#20204;&#21435;&#20844;&#22253;&#25955;&#27493;&#21543;&#12290;"},
        {"mojibake-tool", u"乱码修复工具：把“乱码”变回文字",
         u"&#20081;&#30721;&#20462;&#22797;&#24037;&#20855;&#65306;&#25226;&#8220;&#20081;&#30721;&"
         u"#"
         u"8221;&#21464;&#22238;&#25991;&#23383;"},
        {"japanese", u"日本語のテキストです。",
         u"&#26085;&#26412;&#35486;&#12398;&#12486;&#12461;&#12473;&#12488;&#12391;&#12377;&#"
         u"12290;"},
        {"korean", u"한국어 텍스트 예제",
         u"&#54620;&#44397;&#50612; &#53581;&#49828;&#53944; &#50696;&#51228;"},
        {"mixed-scripts", u"中文 English Ελληνικά Русский",
         u"&#20013;&#25991; English &#917;&#955;&#955;&#951;&#957;&#953;&#954;&#940; "
         u"&#1056;&#1091;&#1089;&#1089;&#1082;&#1080;&#1081;"},
        {"emoji", u"表情\U0001F600与汉字", u"&#34920;&#24773;&#128512;&#19982;&#27721;&#23383;"},
    }),
    CaseName<RefsCase>);

class ReferenceBackslashEscapes : public testing::TestWithParam<PlainCase> {};

TEST_P(ReferenceBackslashEscapes, Decodes) {
  const PlainCase& c = GetParam();
  EXPECT_EQ(DecodeNumericEscapes(c.encoded, EscapeFamily::kBackslash), c.plain) << Show(c.encoded);
}

INSTANTIATE_TEST_SUITE_P(Cases, ReferenceBackslashEscapes,
                         testing::ValuesIn(std::vector<PlainCase>{
                             {"u-and-x", u"\\u53EF\\u63A7\\x28\\x29", u"可控()"},
                             {"lower-and-upper-hex", u"\\u5317\\u4eac and \\u4E2D\\u6587",
                              u"北京 and 中文"},
                             {"latin1-only", u"\\xB5\\xe7", u"µç"},
                         }),
                         CaseName<PlainCase>);

class ReferencePercentEscapes : public testing::TestWithParam<PlainCase> {};

TEST_P(ReferencePercentEscapes, DecodesAsLatin1) {
  const PlainCase& c = GetParam();
  EXPECT_EQ(DecodeNumericEscapes(c.encoded, EscapeFamily::kPercent), c.plain) << Show(c.encoded);
}

INSTANTIATE_TEST_SUITE_P(Cases, ReferencePercentEscapes,
                         testing::ValuesIn(std::vector<PlainCase>{
                             {"punctuation", u"%28%29", u"()"},
                             {"latin1-letters", u"%B5%E7", u"µç"},
                             {"blank-and-tilde", u"a%20b%7E", u"a b~"},
                         }),
                         CaseName<PlainCase>);

}  // namespace
}  // namespace tekvo

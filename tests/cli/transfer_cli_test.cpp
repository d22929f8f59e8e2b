#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "tests/cli/cli_harness.h"

namespace tekvo::cli {
namespace {

std::string Repeat(const std::string& piece, int times) {
  std::string out;
  for (int i = 0; i < times; ++i) out += piece;
  return out;
}

class TransferCli : public testing::TestWithParam<CliCase> {};

TEST_P(TransferCli, Runs) { ExpectRun(GetParam()); }

const CliCase kCases[] = {
    {"decode-html",
     {"decode", "html"},
     "&#x53EF;&#25511;&amp;lt;&#x1F600;",
     0,
     "可控&lt;\xF0\x9F\x98\x80",
     ""},
    {"decode-numu1", {"decode", "numu1"}, "\\u53EF\\x28", 0, "可(", ""},
    {"decode-numu2", {"decode", "NumU2"}, "%u53EF%28", 0, "可(", ""},
    {"decode-url-gb",
     {"decode", "url:gb"},
     "work%2Easp%3Fs%3D%B5%E7%C4%D4",
     0,
     "work.asp?s=电脑",
     ""},
    {"decode-url-by-number", {"decode", "url:1028"}, "%A4%A4%B0%EA", 0, "中國", ""},
    {"decode-qp-utf8", {"decode", "qp:utf8"}, "=E7=94=B5=\r\n=E7=94=B5", 0, "电电", ""},
    {"decode-base64-gb", {"decode", "base64:gb"}, "QVNDSUkgvs3Kxw==", 0, "ASCII 就是", ""},
    {"decode-base64url-star-dash", {"decode", "base64url:1033"}, "*-*-", 0, "ûÿ¿", ""},
    {"decode-utf7", {"decode", "utf7"}, "+UxdOrA- YES", 0, "北京 YES", ""},
    {"decode-hz", {"decode", "hz"}, "~{VP~}~~", 0, "中~", ""},
    {"decode-iso2022-still-served", {"decode", "iso2022:ja"}, "$B$3(B", 0, "こ", ""},
    {"decode-missing-language", {"decode", "qp"}, "", 2, "", "needs a language"},
    {"decode-utf16-language", {"decode", "url:u"}, "", 2, "", "LCID or utf8"},
    {"decode-unknown-language", {"decode", "url:xx"}, "", 2, "", "unknown language"},
    {"decode-unknown-lcid", {"decode", "base64:12345"}, "", 2, "", "unknown LCID"},
    {"decode-language-not-taken", {"decode", "hz:gb"}, "", 2, "", "takes no language"},
    {"decode-unknown-name", {"decode", "rot13"}, "", 2, "", "unknown decoding"},
    {"decode-code-page-pair-is-no-decoding", {"decode", "gb--big5"}, "", 2, "", "unknown decoding"},
    {"decode-no-name", {"decode"}, "", 2, "", "needs a NAME"},
    {"encode-html-hex", {"encode", "html-hex"}, "A可\xF0\x9F\x98\x80", 0, "A&#x53EF;&#x1F600;", ""},
    {"encode-html-dec", {"encode", "html-dec"}, "可", 0, "&#21487;", ""},
    {"encode-qp-gb", {"encode", "qp:gb"}, "支持ASCII码", 0, "=D6=A7=B3=D6ASCII=C2=EB", ""},
    {"encode-qp-soft-breaks-as-crlf",
     {"encode", "qp:utf8"},
     std::string(80, 'a'),
     0,
     std::string(75, 'a') + "=\r\n" + std::string(5, 'a'),
     ""},
    {"encode-base64-gb", {"encode", "base64:gb"}, "ASCII 就是", 0, "QVNDSUkgvs3Kxw==", ""},
    // Every encoder that folds lines ends them with CR LF.
    {"encode-base64-gb-breaks-as-crlf",
     {"encode", "base64:gb"},
     std::string(60, 'a'),
     0,
     Repeat("YWFh", 19) + "\r\nYWFh",
     ""},
    {"encode-base64-utf8-breaks-as-crlf",
     {"encode", "base64:utf8"},
     std::string(60, 'a'),
     0,
     Repeat("YWFh", 19) + "\r\nYWFh",
     ""},
    {"encode-base64-utf8", {"encode", "BASE64:UTF8"}, "电", 0, "55S1", ""},
    {"encode-utf7", {"encode", "utf7"}, "1+1 中", 0, "1+-1 +Ti0-", ""},
    {"encode-hz", {"encode", "hz"}, "中~文", 0, "~{VP~}~~~{ND~}", ""},
    // Lone surrogates would make ill-formed UTF-8: U+FFFD unless asked.
    {"decode-lone-high-surrogate",
     {"decode", "html"},
     "a&#xD800;b",
     0,
     "a\xEF\xBF\xBD"
     "b",
     ""},
    {"decode-lone-low-surrogate", {"decode", "numu1"}, "\\uDC00", 0, "\xEF\xBF\xBD", ""},
    {"decode-reversed-pair",
     {"decode", "numu2"},
     "%uDE00%uD83D",
     0,
     "\xEF\xBF\xBD\xEF\xBF\xBD",
     ""},
    {"decode-pair-kept", {"decode", "html"}, "&#xD83D;&#xDE00;", 0, "\xF0\x9F\x98\x80", ""},
    {"decode-keep-surrogates",
     {"decode", "--keep-surrogates", "html"},
     "&#xD800;",
     0,
     "\xED\xA0\x80",
     ""},
    {"encode-hz-lone-surrogate",
     {"encode", "hz"},
     "\xED\xA0\x80"
     "中",
     0,
     "\xEF\xBF\xBD~{VP~}",
     ""},
    {"encode-unknown", {"encode", "qp:big5"}, "", 2, "", "unknown encoding"},
    {"encode-too-many-args", {"encode", "hz", "a", "b"}, "", 2, "", "at most one FILE"},
    {"encode-to-gb-output", {"encode", "--out", "gb", "html-hex"}, "可", 0, "&#x53EF;", ""},
};

INSTANTIATE_TEST_SUITE_P(Cases, TransferCli, testing::ValuesIn(kCases), CaseName<CliCase>);

TEST(TransferCliRoundTrip, EncodeThenDecodeLongText) {
  std::string text;
  for (int i = 0; i < 2000; ++i) text += "乱码修复工具：把“乱码”变回文字。\n";
  const struct {
    const char* encode;
    const char* decode;
  } pairs[] = {{"html-hex", "html"},       {"html-dec", "html"},
               {"qp:gb", "qp:gb"},         {"qp:utf8", "qp:utf8"},
               {"base64:gb", "base64:gb"}, {"base64:utf8", "base64:utf8"},
               {"utf7", "utf7"},           {"hz", "hz"}};
  for (const auto& p : pairs) {
    const Result encoded = RunTool({"encode", p.encode}, text);
    ASSERT_EQ(encoded.status, 0) << p.encode << encoded.err;
    const Result decoded = RunTool({"decode", p.decode}, encoded.out);
    EXPECT_EQ(decoded.out, text) << p.encode;
  }
}

}  // namespace
}  // namespace tekvo::cli

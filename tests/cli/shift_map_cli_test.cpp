#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "tests/cli/cli_harness.h"

namespace tekvo::cli {
namespace {

class ShiftMapDecode : public testing::TestWithParam<CliCase> {};

TEST_P(ShiftMapDecode, Runs) { ExpectRun(GetParam()); }

// "ab", one stray byte, then 中文z, in GB and read as GB: "ab爸形膠".
const std::string kGbShifted = "ab\xe7\x88\xb8\xe5\xbd\xa2\xe8\x86\xa0";

const CliCase kCases[] = {
    {"shift-gb-by-number", {"shift", "2052", "1"}, "ABC", 0, "A C", ""},
    {"shift-gb-by-name", {"shift", "GB", "1"}, "ABC", 0, "A C", ""},
    {"shift-utf16", {"shift", "-2", "0"}, "AB", 0, " \xe4\x88\x80", ""},
    {"shift-utf16-be-same", {"shift", "ube", "0"}, "AB", 0, " \xe4\x88\x80", ""},
    {"shift-bad-id", {"shift", "0", "1"}, "ABC", 2, "", "LCID must be"},
    {"shift-utf8-id-refused", {"shift", "utf8", "1"}, "ABC", 2, "", "LCID must be"},
    {"shift-unknown-lcid", {"shift", "12345", "1"}, "ABC", 2, "", "unknown LCID"},
    {"shift-position-not-number", {"shift", "2052", "one"}, "ABC", 2, "", "POSITION"},
    {"shift-position-negative", {"shift", "2052", "-1"}, "ABC", 2, "", "POSITION"},
    {"shift-position-at-end", {"shift", "2052", "3"}, "ABC", 2, "", "not before the end"},
    {"shift-missing-position", {"shift", "2052"}, "ABC", 2, "", "needs an LCID and a POSITION"},
    {"decode-iso2022-ja", {"decode", "iso2022:ja"}, "$B$R$H$?$S(B", 0, "ひとたび", ""},
    {"decode-iso2022-ja-upper", {"decode", "ISO2022:JA"}, "$B$R$H(B", 0, "ひと", ""},
    {"decode-iso2022-ko",
     {"decode", "iso2022:ko"},
     "$)C\x0e"
     "0!\x0f",
     0,
     "가",
     ""},
    {"decode-iso2022-zh", {"decode", "iso2022:zh"}, "$)A\x0eVPND\x0f", 0, "中文", ""},
    {"decode-iso2022-cn-names-chinese", {"decode", "ISO2022:CN"}, "$)A\x0eVPND\x0f", 0, "中文", ""},
    {"decode-iso2022-kr-names-korean",
     {"decode", "iso2022:kr"},
     "$)C\x0e"
     "0!\x0f",
     0,
     "가",
     ""},
    {"decode-code-page-pair-is-no-iso2022", {"decode", "gb--big5"}, "x", 2, "", "unknown"},
    {"decode-unknown-kind", {"decode", "iso2022:xx"}, "x", 2, "", "unknown"},
    {"map-full", {"map", "full"}, "ABC 123", 0, "ＡＢＣ　１２３", ""},
    {"map-half", {"map", "half"}, "ＡＢＣ　１２３", 0, "ABC 123", ""},
    {"map-simplified", {"map", "simplified"}, "漢字簡體", 0, "汉字简体", ""},
    {"map-traditional", {"map", "Traditional"}, "汉字简体", 0, "漢字簡體", ""},
    {"map-keeps-line-breaks", {"map", "full"}, "a\r\nb\n", 0, "ａ\r\nｂ\n", ""},
    {"map-unknown", {"map", "sideways"}, "x", 2, "", "unknown mapping"},
    {"map-missing", {"map"}, "x", 2, "", "needs a MAPPING"},
};

INSTANTIATE_TEST_SUITE_P(Cases, ShiftMapDecode, testing::ValuesIn(kCases), CaseName<CliCase>);

TEST(Shift, RepairsAGbTextShiftedByOneByte) {
  const Result r = RunTool({"shift", "gb", "2"}, kGbShifted);
  EXPECT_EQ(r.status, 0) << r.err;
  EXPECT_EQ(r.out, "ab 中文z");
}

TEST(Shift, NoLengthLimit) {
  const std::string big(40000, 'a');
  const Result r = RunTool({"shift", "2052", "0"}, big);
  EXPECT_EQ(r.status, 0);
  EXPECT_EQ(r.out, " " + std::string(39999, 'a'));
}

}  // namespace
}  // namespace tekvo::cli

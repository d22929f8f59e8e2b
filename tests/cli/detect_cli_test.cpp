#include <gtest/gtest.h>

#include <string>

#include "tests/cli/cli_harness.h"

namespace tekvo::cli {
namespace {

class DetectCli : public ::testing::TestWithParam<CliCase> {};

TEST_P(DetectCli, Runs) { ExpectRun(GetParam()); }

// "остоянно" in KOI8-R; read as 1251 it is the same word in capitals.
const std::string kKoi8 = "\xCF\xD3\xD4\xCF\xD1\xCE\xCE\xCF";

INSTANTIATE_TEST_SUITE_P(
    Cases, DetectCli,
    ::testing::Values(
        CliCase{"mark-decides",
                {"detect"},
                "\xEF\xBB\xBF"
                "ab",
                0,
                "utf8-bom     1.000\n",
                ""},
        CliCase{"top-two",
                {"detect", "--top", "2"},
                kKoi8,
                0,
                "koi8-r       0.940\ncp21866      0.840\n",
                ""},
        CliCase{"empty-input", {"detect"}, "", 0, "utf8         0.000\n", ""},
        CliCase{"top-must-be-positive", {"detect", "--top", "0"}, kKoi8, 2, "", "--top"},
        CliCase{"one-file-at-most", {"detect", "a", "b"}, "", 2, "", "at most one FILE"},
        CliCase{"missing-file",
                {"detect", "/nonexistent/tekvo-detect.bin"},
                "",
                2,
                "",
                "tekvo-detect.bin"},
        CliCase{"in-detect-reads-gb",
                {"convert", "--in", "detect"},
                "\xC4\xE3\xBA\xC3\xCA\xC0\xBD\xE7",
                0,
                "你好世界",
                ""},
        CliCase{"in-detect-reads-koi8-r", {"convert", "--in", "detect"}, kKoi8, 0, "остоянно", ""},
        CliCase{"in-detect-drops-the-mark",
                {"convert", "--in", "detect"},
                std::string("\xFF\xFE\x2D\x4E", 4),
                0,
                "中",
                ""},
        CliCase{"bad-in-names-detect",
                {"convert", "--in", "bogus"},
                "",
                2,
                "",
                "one of: detect auto gb"}),
    CaseName<CliCase>);

}  // namespace
}  // namespace tekvo::cli

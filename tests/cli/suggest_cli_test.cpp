#include <gtest/gtest.h>

#include <sstream>
#include <string>
#include <vector>

#include "cli/commands/commands.h"
#include "tests/cli/cli_harness.h"

namespace tekvo::cli {
namespace {

std::vector<std::string> Lines(const std::string& s) {
  std::vector<std::string> lines;
  std::istringstream in(s);
  for (std::string line; std::getline(in, line);) lines.push_back(line);
  return lines;
}

// "中華民國" in Big5, shown as GBK text.
const std::string kBig5AsGb = "\xe3\x81\x84\xe5\x9c\xb0\xe3\x83\x81\xe7\x93\xa3";
const std::string kClean = "在 Debian 这种规模的项目中，很难避免遇到与你意见不和的人。";
// "保持礼貌" in UTF-8, shown as GBK text: a garbled line between clean ones.
const std::string kPage = kClean + "\n淇濇寔绀艰矊\n" + kClean;

TEST(SuggestCli, Cases) {
  const struct {
    const char* name;
    std::vector<std::string> args;
    std::string input;
    int status;
    std::string out_starts;    // the start of standard output
    std::string err_contains;  // part of standard error ("" = must be empty)
  } cases[] = {
      {"apply-writes-best", {"suggest", "--apply"}, kBig5AsGb, 0, "中華民國", ""},
      {"apply-keeps-clean-text", {"suggest", "--apply"}, kClean, 0, kClean, ""},
      {"top-must-be-a-number", {"suggest", "--top", "x"}, kBig5AsGb, 2, "", "--top"},
      {"top-must-be-positive", {"suggest", "--top", "0"}, kBig5AsGb, 2, "", "--top"},
      {"one-file-at-most", {"suggest", "a", "b"}, "", 2, "", "at most one FILE"},
      {"missing-file", {"suggest", "/nonexistent/tekvo-suggest.txt"}, "", 2, "", "tekvo-suggest"},
      {"empty-input", {"suggest", "--apply"}, "", 0, "", ""},
      {"apply-repairs-only-the-garbled-line",
       {"suggest", "--apply"},
       kPage,
       0,
       kClean + "\n保持礼貌\n" + kClean,
       ""},
  };
  for (const auto& c : cases) {
    SCOPED_TRACE(c.name);
    const Result r = RunTool(c.args, c.input);
    EXPECT_EQ(r.status, c.status) << r.err;
    EXPECT_EQ(r.out.substr(0, c.out_starts.size()), c.out_starts);
    if (c.err_contains.empty()) {
      EXPECT_EQ(r.err, "");
    } else {
      EXPECT_NE(r.err.find(c.err_contains), std::string::npos) << r.err;
    }
  }
}

// Ten candidates unless --top says otherwise, best first, each as score,
// name and the first line of its result.
TEST(SuggestCli, ListingIsRankedBestFirst) {
  const struct {
    std::vector<std::string> args;
    std::size_t lines;
  } cases[] = {{{"suggest"}, 10}, {{"suggest", "--top", "3"}, 3}};
  for (const auto& c : cases) {
    SCOPED_TRACE(c.args.size());
    const Result r = RunTool(c.args, kBig5AsGb + "\nsecond line");
    ASSERT_EQ(r.status, 0) << r.err;
    EXPECT_EQ(r.err, "");
    const auto lines = Lines(r.out);
    ASSERT_EQ(lines.size(), c.lines);
    double previous = 1e9;
    for (const std::string& line : lines) {
      const std::size_t tab1 = line.find('\t');
      const std::size_t tab2 = line.find('\t', tab1 + 1);
      ASSERT_NE(tab2, std::string::npos) << line;
      const double score = std::stod(line.substr(0, tab1));
      EXPECT_LE(score, previous) << line;
      previous = score;
      EXPECT_EQ(line.find("second line"), std::string::npos) << "first line only: " << line;
    }
    EXPECT_EQ(lines[0].substr(lines[0].find('\t') + 1), "GB--Big5\t中華民國");
  }
}

TEST(SuggestCli, ListsTheSegmentingRepairByTheRepairsItUsed) {
  const Result r = RunTool({"suggest", "--top", "1"}, kPage);
  ASSERT_EQ(r.status, 0) << r.err;
  const auto lines = Lines(r.out);
  ASSERT_EQ(lines.size(), 1u) << r.out;
  EXPECT_EQ(lines[0].substr(lines[0].find('\t') + 1), "逐段修复: GB--UTF8 ×1\t" + kClean) << r.out;
}

}  // namespace
}  // namespace tekvo::cli

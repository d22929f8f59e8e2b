// "--in auto" and "--in detect" on inputs longer than the sample the
// encoding is weighed on: the encoding is found first, then the input
// streams, and the result is the one of the input detected and read whole.
#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "cli/stream/input_detect.h"
#include "cli/stream/stream.h"
#include "tests/case_name.h"
#include "tests/cli/cli_harness.h"
#include "tests/cli/stream_shapes.h"

namespace tekvo::cli {
namespace {

struct AutoInputCase {
  const char* name;
  std::string input;
};

// Runs `convert --in <in>` on `c` as a file read whole, as a file past a
// small sample and from standard input (kept aside to be read twice), and
// checks the last two give the first's result.
void ExpectStreamedAsWhole(const char* in, const AutoInputCase& c, const Scratch& scratch) {
  scratch.Write("in", c.input);
  const std::vector<std::string> args = {"convert", "--in", in, scratch.File("in")};
  const Result whole = RunTool(args);
  SetDetectionSampleBytes(4096);
  const Result streamed = RunTool(args);
  const Result piped = RunTool({"convert", "--in", in}, c.input);
  SetDetectionSampleBytes(0);
  ASSERT_EQ(whole.status, 0) << whole.err;
  for (const Result& r : {streamed, piped}) {
    ASSERT_EQ(r.status, 0) << r.err;
    ASSERT_EQ(r.out.size(), whole.out.size()) << c.name;
    EXPECT_TRUE(r.out == whole.out) << c.name;
  }
}

// "--in auto" finds the encoding in a reading pass.
const AutoInputCase kAutoInputCases[] = {
    {"utf16le-marked", kUtf16LeMarked},
    {"gb-with-nul", kGbLines},
    {"utf8-lines", kGarbledLines},
    {"utf16be-no-mark", Utf16(kGarbledLines.substr(0, kInputBytes / 2), true)},
    {"utf8-two-byte-latin", Repeat("café naïve résumé ")},
    {"gb-reading-as-two-byte-utf8",
     Repeat(TextToCodePageBytes(u"摩某拧女呕譬贫扦潜蔷痊裙骚纱盛 ", CodePageId{936}))},
    {"gb-cut-short-utf8-at-end", Repeat("caf\xC3\xA9 ") + "\xC3"},
};

class AutoInputOnLongFile : public testing::TestWithParam<AutoInputCase> {};

TEST_P(AutoInputOnLongFile, StreamsInTheEncodingDetectedWhole) {
  const Scratch scratch;
  ExpectStreamedAsWhole("auto", GetParam(), scratch);
}

INSTANTIATE_TEST_SUITE_P(Shapes, AutoInputOnLongFile, testing::ValuesIn(kAutoInputCases),
                         CaseName<AutoInputCase>);

// "--in detect" past the sample ranks the readings on the sample and streams
// the file in the winner: the same text as the whole file ranked and read.
const AutoInputCase kDetectInputCases[] = {
    {"gb-lines",
     Repeat(TextToCodePageBytes(u"中华人民共和国的历史悠久，文化丰富。\n", CodePageId{936}))},
    {"big5-lines",
     Repeat(TextToCodePageBytes(u"中華民國的歷史悠久，文化豐富。\n", CodePageId{950}))},
    {"shift-jis-lines",
     Repeat(TextToCodePageBytes(u"日本語の文章を書きます。カタカナ。\n", CodePageId{932}))},
    {"euc-kr-lines",
     Repeat(TextToCodePageBytes(u"한국어 문장을 씁니다. 대한민국.\n", CodePageId{949}))},
    {"utf16le-marked", kUtf16LeMarked},
    {"utf8-lines", kGarbledLines},
    {"utf8-marked-twice", "\xEF\xBB\xBF\xEF\xBB\xBF" + kGarbledLines},
};

class DetectInputOnLongFile : public testing::TestWithParam<AutoInputCase> {};

TEST_P(DetectInputOnLongFile, StreamsInTheReadingRankedFirst) {
  const AutoInputCase& c = GetParam();
  const Scratch scratch;
  ExpectStreamedAsWhole("detect", c, scratch);
  const std::vector<std::string> args = {"convert", "--in", "detect", scratch.File("in")};
  // The start read a few bytes at a time: pieces end at every place the
  // page lets them, and the text is the one read in big pieces.
  scratch.Write("in", c.input.substr(0, 3000));
  SetDetectionSampleBytes(1024);
  const Result big_reads = RunTool(args);
  std::vector<Result> tiny_reads;
  for (std::size_t read : {1, 3, 7}) {
    SetStreamReadBytes(read);
    tiny_reads.push_back(RunTool(args));
  }
  SetStreamReadBytes(0);
  SetDetectionSampleBytes(0);
  for (const Result& r : tiny_reads) {
    ASSERT_EQ(r.status, 0) << r.err;
    EXPECT_EQ(testing::PrintToString(r.out), testing::PrintToString(big_reads.out)) << c.name;
  }
}

INSTANTIATE_TEST_SUITE_P(Shapes, DetectInputOnLongFile, testing::ValuesIn(kDetectInputCases),
                         CaseName<AutoInputCase>);

}  // namespace
}  // namespace tekvo::cli

// Past a few megabytes suggest ranks slices from all over the input, then
// streams the chosen repair: the result is still the whole-text repair,
// and the listing names it first.
#include <gtest/gtest.h>

#include <cstddef>
#include <functional>
#include <ostream>
#include <string>

#include "cli/stream/transfer_streams.h"
#include "engine/codepage/codepage.h"
#include "engine/codepage/windows_ids.h"
#include "engine/transfer/base64.h"
#include "engine/transfer/utf7.h"
#include "files/file_encoding.h"
#include "tests/case_name.h"
#include "tests/cli/cli_harness.h"
#include "tests/cli/stream_shapes.h"

namespace tekvo::cli {
namespace {

struct LongSuggestCase {
  const char* name;
  const std::string* unit;  // repeated past the size ranked whole
  std::string listed;       // the start of the name listed first
  std::function<Text(const Text&)> whole;
};

void PrintTo(const LongSuggestCase& c, std::ostream* os) { *os << c.name; }

// Base64 as mail carries it: lines of 76 without padding inside.
const std::string kBase64Mail = [] {
  std::u16string lines;
  for (int i = 0; i < 57; ++i) lines += u"中華民國的歷史悠久，文化豐富。Plain ASCII too.\n";
  return Repeat(TextToUtf8Bytes(
      BareCrToCrLf(EncodeBase64Text(lines, ComposeBytes::kGb, kNoLengthLimit).text + u"\r")));
}();

// GB shown as Big5, then saved as UTF-8 and shown as GB: two repairs undo it.
const std::string kGarbledTwice = Repeat(TextToUtf8Bytes(CodePageBytesToText(
    TextToUtf8Bytes(CodePageBytesToText(
        TextToCodePageBytes(u"一下文件 报告编码 中文天气 明天文件 文件今天 下午天气\n",
                            CodePageId{936}),
        CodePageId{950})),
    CodePageId{936})));

// GB shown as Big5, saved as UTF-8 and sent as Base64 on a single line: the
// sample's slices must keep to the four-character groups, and the chain's
// second step cuts the first step's results again.
const std::string kGarbledBase64OneLine = [] {
  // Three bytes to a group, so that the units' Base64 joins up.
  std::string unit = TextToUtf8Bytes(CodePageBytesToText(
      TextToCodePageBytes(u"一下文件 报告编码 中文天气 明天文件 文件今天 下午天气\n",
                          CodePageId{936}),
      CodePageId{950}));
  while (unit.size() % 3 != 0) unit += ' ';
  return Repeat(TextToUtf8Bytes(BytesToBase64(unit)));
}();

// The same garbled lines in UTF-7, whose reader carries a run from one
// piece to the next.
const std::string kGarbledUtf7 = Repeat(TextToUtf8Bytes(
    EncodeUtf7(CodePageBytesToText(
                   TextToCodePageBytes(u"一下文件 报告编码 中文天气 明天文件 文件今天 下午天气\n",
                                       CodePageId{936}),
                   CodePageId{950}),
               kNoLengthLimit)
        .text));

// The same with no ASCII at all, on one line: the second step finds its cuts
// in the first step's results where its reading side rests.
const std::string kGarbledTwiceNoAscii = Repeat(TextToUtf8Bytes(CodePageBytesToText(
    TextToUtf8Bytes(CodePageBytesToText(
        TextToCodePageBytes(u"中华人民共和国的历史悠久文化丰富今天天气很好我们去公园散步吧",
                            CodePageId{936}),
        CodePageId{950})),
    CodePageId{936})));

const LongSuggestCase kLongSuggestCases[] = {
    {"garbled-one-line", &kGarbledOneLine, "GB--Big5", Repair("gb--big5")},
    {"garbled-twice-lines", &kGarbledTwice, "GB--UTF8 + Big5--GB",
     [](const Text& t) { return Repair("big5--gb")(Repair("gb--utf8")(t)); }},
    {"base64-one-line-chain", &kGarbledBase64OneLine, "Base64--UTF8 + Big5--GB",
     [](const Text& t) {
       return Repair("big5--gb")(Base64(kIdUtf8, Base64Alphabet::kStandard)(t));
     }},
    {"utf7-lines-chain", &kGarbledUtf7, "UTF7--U + Big5--GB",
     [](const Text& t) { return Repair("big5--gb")(DecodeUtf7(t)); }},
    {"garbled-twice-no-ascii", &kGarbledTwiceNoAscii, "GB--UTF8 + Big5--GB",
     [](const Text& t) { return Repair("big5--gb")(Repair("gb--utf8")(t)); }},
    {"base64-lines", &kBase64Mail, "Base64--GB",
     Base64(kLcidChinesePrc, Base64Alphabet::kStandard)},
};

class SuggestOnLongInput : public testing::TestWithParam<LongSuggestCase> {};

TEST_P(SuggestOnLongInput, AppliesTheRepairTheSampleChose) {
  const LongSuggestCase& c = GetParam();
  std::string input = *c.unit;
  while (input.size() < (std::size_t{9} << 20)) input += *c.unit;
  const Text text =
      DecodeFileBytes(input, FileEncoding::kUtf8NoBom, DetectFileEncoding(input)).value();
  const std::string want = TextToUtf8Bytes(c.whole(text));
  const Result applied = RunTool({"suggest", "--apply"}, input);
  ASSERT_EQ(applied.status, 0) << applied.err;
  ASSERT_EQ(applied.out.size(), want.size()) << c.name;
  EXPECT_TRUE(applied.out == want) << c.name;
  const Result listed = RunTool({"suggest", "--top", "1"}, input);
  ASSERT_EQ(listed.status, 0) << listed.err;
  EXPECT_EQ(listed.out.substr(listed.out.find('\t') + 1, c.listed.size()), c.listed) << listed.out;
}

INSTANTIATE_TEST_SUITE_P(Shapes, SuggestOnLongInput, testing::ValuesIn(kLongSuggestCases),
                         CaseName<LongSuggestCase>);

// A sample whose best candidate repairs stretches: every line of the input
// is judged, not only the sample's.
TEST(SuggestOnLongInput, AppliesTheSegmentingRepairToTheWholeInput) {
  const std::string note =
      "会议纪要\n54Wn54mH5bey57uP5LiK5Lyg5Yiw5pyN5Yqh5Zmo\n明天下午三点开会。\n";
  const std::string repaired = "会议纪要\n照片已经上传到服务器\n明天下午三点开会。\n";
  std::string input;
  std::string want;
  while (input.size() < (std::size_t{5} << 20)) input += note, want += repaired;
  const Result applied = RunTool({"suggest", "--apply"}, input);
  ASSERT_EQ(applied.status, 0) << applied.err;
  ASSERT_EQ(applied.out.size(), want.size());
  EXPECT_TRUE(applied.out == want);
}

}  // namespace
}  // namespace tekvo::cli

#include "files/path_text.h"

#include <gtest/gtest.h>

#include "tests/case_name.h"
// After case_name.h, whose "testing" is GoogleTest's.
#include "file_test_support.h"

namespace tekvo {
namespace {

using testing::Hex;
using testing::Show;

struct NameCase {
  const char* name;
  std::string bytes;
  Text shown;  // everywhere: lists, boxes, captions, messages
};

class PathTextTest : public ::testing::TestWithParam<NameCase> {};

TEST_P(PathTextTest, BytesSurviveAndShowOneWay) {
  const NameCase& c = GetParam();
  EXPECT_EQ(TextPath(LosslessPathText(c.bytes)), c.bytes) << Hex(c.bytes);
  EXPECT_EQ(PathText(c.bytes), c.shown) << Hex(c.bytes) << " shown as " << Show(PathText(c.bytes));
  EXPECT_EQ(ShownPath(LosslessPathText(c.bytes)), c.shown) << Hex(c.bytes);
  // What is shown, typed back, names the same bytes.
  EXPECT_EQ(BytesOfReadablePath(c.shown), c.bytes) << Show(c.shown);
}

INSTANTIATE_TEST_SUITE_P(
    Names, PathTextTest,
    ::testing::Values(NameCase{"utf8", "\xE4\xB8\xAD\xE6\x96\x87.txt", u"中文.txt"},
                      NameCase{"gb", "\xD6\xD0\xCE\xC4.txt", u"中文.txt [GB]"},
                      NameCase{"gb-in-folder", "/tmp/\xD6\xD0/a.txt", u"/tmp/中 [GB]/a.txt"},
                      NameCase{"gb-name-in-folder", "/tmp/\xD6\xD0\xCE\xC4-gbname.txt",
                               u"/tmp/中文-gbname.txt [GB]"},
                      NameCase{"shift-jis", "\x83\x65\x83\x58\x83\x67.txt",
                               u"テスト.txt [Shift-JIS]"},
                      NameCase{"neither", "\xFF\xFE.txt", u"\\xFF\\xFE.txt"},
                      NameCase{"neither-with-utf8", "\xE4\xB8\xAD\xFF", u"中\\xFF"},
                      NameCase{"utf8-encoded-surrogate", "\xED\xB2\x80", u"聿€ [GB]"},
                      NameCase{"emoji", "\xF0\x9F\x98\x80", u"\U0001F600"},
                      NameCase{"root", "/", u"/"}),
    CaseName<NameCase>);

// Names typed into a box: a tag or an escape counts only when the bytes it
// stands for show exactly so; otherwise the name is taken as typed (UTF-8).
TEST(BytesOfReadableName, TypedNames) {
  const struct {
    const char* name;
    Text typed;
    std::string bytes;
  } cases[] = {
      {"new-gb-name", u"新文件.txt [GB]", "\xD0\xC2\xCE\xC4\xBC\xFE.txt"},
      {"new-shift-jis-name", u"テスト2.txt [Shift-JIS]",
       "\x83\x65\x83\x58\x83\x67"
       "2.txt"},
      {"ascii-is-utf8-not-gb", u"abc [GB]", "abc [GB]"},
      {"tag-the-page-lacks", u"한국.txt [GB]", "\xED\x95\x9C\xEA\xB5\xAD.txt [GB]"},
      {"escape-of-ascii-stays-text", u"\\x41.txt", "\\x41.txt"},
      {"lower-case-escape-stays-text", u"\\xff.txt", "\\xff.txt"},
      {"escape", u"a\\xFF", "a\xFF"},
      {"cut-escape", u"a\\xF", "a\\xF"},
      {"plain", u"notes.txt", "notes.txt"},
  };
  for (const auto& c : cases) {
    EXPECT_EQ(BytesOfReadableName(c.typed), c.bytes)
        << c.name << ": " << Hex(BytesOfReadableName(c.typed));
  }
}

// The file browser selects the part of a new name it added; that part is
// found in the shown name by showing the bytes before it the same way.
TEST(ShowNameAs, PrefixesOfAReadingShowAsPrefixes) {
  const std::string name = "\xD6\xD0\xCE\xC4_2.txt";
  ASSERT_EQ(ReadingOf(name), NameReading::kGb);
  EXPECT_EQ(ShowNameAs(name.substr(0, 4), NameReading::kGb), u"中文");
  EXPECT_EQ(ShowNameAs(name.substr(0, 6), NameReading::kGb), u"中文_2");
  EXPECT_EQ(ShowNameAs("\xFF", NameReading::kGb), u"\\xFF");
  EXPECT_EQ(ReadingOf("abc"), NameReading::kUtf8);
  EXPECT_EQ(ReadingOf("\xFF\xFE"), NameReading::kEscaped);
}

}  // namespace
}  // namespace tekvo

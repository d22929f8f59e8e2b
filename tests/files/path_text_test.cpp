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
  Text shown;     // in messages
  Text readable;  // in lists and captions
};

class PathTextTest : public ::testing::TestWithParam<NameCase> {};

TEST_P(PathTextTest, BytesSurviveAndShow) {
  const NameCase& c = GetParam();
  EXPECT_EQ(TextPath(LosslessPathText(c.bytes)), c.bytes) << Hex(c.bytes);
  EXPECT_EQ(PathText(c.bytes), c.shown) << Hex(c.bytes) << " shown as " << Show(PathText(c.bytes));
  EXPECT_EQ(ShownPath(LosslessPathText(c.bytes)), c.shown) << Hex(c.bytes);
  EXPECT_EQ(ReadableFileName(c.bytes), c.readable)
      << Hex(c.bytes) << " read as " << Show(ReadableFileName(c.bytes));
}

INSTANTIATE_TEST_SUITE_P(
    Names, PathTextTest,
    ::testing::Values(
        NameCase{"utf8", "\xE4\xB8\xAD\xE6\x96\x87.txt", u"中文.txt", u"中文.txt"},
        NameCase{"gb", "\xD6\xD0\xCE\xC4.txt", u"\\xD6\\xD0\\xCE\\xC4.txt", u"中文.txt [GB]"},
        NameCase{"gb-in-folder", "/tmp/\xD6\xD0/a.txt", u"/tmp/\\xD6\\xD0/a.txt",
                 u"/tmp/中/a.txt [GB]"},
        NameCase{"shift-jis", "\x83\x65\x83\x58\x83\x67.txt", u"\\x83e\\x83X\\x83g.txt",
                 u"テスト.txt [Shift-JIS]"},
        NameCase{"neither", "\xFF\xFE.txt", u"\\xFF\\xFE.txt", u"\\xFF\\xFE.txt"},
        NameCase{"utf8-encoded-surrogate", "\xED\xB2\x80", u"\\xED\\xB2\\x80", u"聿€ [GB]"},
        NameCase{"emoji", "\xF0\x9F\x98\x80", u"\U0001F600", u"\U0001F600"}),
    CaseName<NameCase>);

}  // namespace
}  // namespace tekvo

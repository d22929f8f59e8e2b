#include "files/detect_encoding.h"

#include <gtest/gtest.h>

#include <ostream>
#include <string>

#include "tests/case_name.h"

namespace tekvo {
namespace {

struct DetectCase {
  const char* name;
  std::string bytes;
  const char* best;
  Text text;  // the best reading decoded
};

void PrintTo(const DetectCase& c, std::ostream* os) { *os << c.name; }

class RankEncodingsTest : public ::testing::TestWithParam<DetectCase> {};

TEST_P(RankEncodingsTest, PutsTheRightReadingFirst) {
  const DetectCase& c = GetParam();
  const std::vector<EncodingReading> readings = RankEncodings(c.bytes);
  ASSERT_FALSE(readings.empty());
  EXPECT_EQ(readings.front().name, c.best);
  EXPECT_EQ(DecodeReading(c.bytes, readings.front()), c.text);
}

INSTANTIATE_TEST_SUITE_P(
    Readings, RankEncodingsTest,
    ::testing::Values(
        DetectCase{"gb-four-hanzi", "\xC4\xE3\xBA\xC3\xCA\xC0\xBD\xE7", "gb18030", u"你好世界"},
        // Colour sequences made for a terminal are no sign of a wrong page.
        DetectCase{"gb-in-terminal-colour", "\x1B[1m\xC4\xE3\xBA\xC3\x1B[0m", "gb18030",
                   u"\x1B[1m你好\x1B[0m"},
        DetectCase{"big5", "\xB8\xEA\xAE\xC6\xC0\xC9\xAE\xD7", "big5", u"資料檔案"},
        DetectCase{"shift-jis", "\x83\x74\x83\x40\x83\x43\x83\x8B\x82\xF0\x8A\x4A\x82\xAD",
                   "shift-jis", u"ファイルを開く"},
        DetectCase{"euc-jp", "\xC6\xFC\xCB\xDC\xB8\xEC\xA4\xCE\xCA\xB8\xBB\xFA", "euc-jp",
                   u"日本語の文字"},
        DetectCase{"euc-kr", "\xC6\xC4\xC0\xCF\xC0\xBB\x20\xBF\xB1\xB4\xCF\xB4\xD9", "euc-kr",
                   u"파일을 엽니다"},
        DetectCase{"cp1251", "\xEE\xF1\xF2\xEE\xFF\xED\xED\xEE", "cp1251", u"остоянно"},
        // Read as 1251 these are the same word in capitals.
        DetectCase{"koi8-r-small-letters", "\xCF\xD3\xD4\xCF\xD1\xCE\xCE\xCF", "koi8-r",
                   u"остоянно"},
        // 0xBB is a letter in the Latin-2 pages, which must not win for it.
        DetectCase{"cp1252-guillemet", "cat\xBB ne seront ni cr", "cp1252",
                   u"cat» ne seront ni cr"},
        DetectCase{"utf8-two-hanzi", "\xE6\x96\x87\xE4\xBB\xB6", "utf8", u"文件"},
        DetectCase{"utf16le-without-mark", std::string("\x2D\x4E\x87\x65\x57\x5B\x26\x7B", 8),
                   "utf16le", u"中文字符"},
        DetectCase{"utf16le-ascii-without-mark", std::string("h\0i\0!\0", 6), "utf16le", u"hi!"},
        DetectCase{"utf8-mark", "\xEF\xBB\xBF\xC4\xE3", "utf8-bom", u"\uFFFD\uFFFD"},
        DetectCase{"utf16le-mark", std::string("\xFF\xFE\x41\x00", 4), "utf16le-bom", u"A"},
        DetectCase{"utf16be-mark", std::string("\xFE\xFF\x00\x41", 4), "utf16be-bom", u"A"},
        DetectCase{"ascii-is-utf8", "plain text", "utf8", u"plain text"},
        DetectCase{"empty", "", "utf8", u""}),
    CaseName<DetectCase>);

TEST(RankEncodingsTest, PutsReadingsWithInvalidBytesLast) {
  // 0x80 alone is invalid in UTF-8 and in every East Asian page; a reading
  // that has to show U+FFFD or a control must score below every clean one.
  const std::string bytes = "\xC4\xE3\x80";
  const std::vector<EncodingReading> readings = RankEncodings(bytes);
  for (std::size_t i = 0; i < readings.size(); ++i) {
    const Text text = DecodeReading(bytes, readings[i]);
    if (text.find(u'\uFFFD') != Text::npos || text.find(u'\u0080') != Text::npos) {
      EXPECT_LT(readings[i].score, 0) << readings[i].name;
    }
    if (i > 0) EXPECT_GE(readings[i - 1].score, readings[i].score) << readings[i].name;
  }
  EXPECT_GE(readings.front().score, 0);
}

}  // namespace
}  // namespace tekvo

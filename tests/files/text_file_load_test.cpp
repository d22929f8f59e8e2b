#include "files/text_file_load.h"

#include <gtest/gtest.h>
#include <sys/stat.h>

#include "file_test_support.h"
#include "files/paths.h"

namespace tekvo {
namespace {

using testing::ScratchDir;
using testing::Show;
using testing::WriteBytes;

FileEncoding E(int v) { return ToFileEncoding(v); }

TEST(LoadTextFileTest, DetectionAndResolution) {
  struct Case {
    const char* name;
    std::string bytes;
    int requested;
    int used;
    Text text;
  } cases[] = {
      {"empty-keeps-request-0", "", 0, 0, u""},
      {"empty-keeps-request-4", "", 4, 4, u""},
      {"one-byte", "A", 0, 1, u"A"},
      {"mark-only", "\xFF\xFE", 0, 2, u""},
      {"gb-detected", "\xD6\xD0\xCE\xC4", 0, 1, u"中文"},
      {"utf8-detected", "\xE4\xB8\xAD\xE6\x96\x87", 0, 7, u"中文"},
      {"utf8-asked", "\xE4\xB8\xAD", 4, 7, u"中"},
      {"utf8-asked-as-gb", "\xD6\xD0", 1, 1, u"中"},
      {"utf8-mark-asked-without", "\xEF\xBB\xBF\x41", 7, 4, u"A"},
      {"utf8-mark-default", "\xEF\xBB\xBF\xE4\xB8\xAD", 0, 4, u"中"},
      {"be-mark-asked-le", std::string("\xFE\xFF\x00\x41", 4), 2, 5, u"\uFFFE\u4100"},
      {"le-no-mark-crlf", std::string("A\0\r\0\n\0", 6), 0, 5, u"A\r\n"},
      {"be-no-mark-crlf", std::string("\0A\0\r\0\n", 6), 0, 6, u"A\r\n"},
      {"odd-byte-count-le", std::string("\xFF\xFE\x41\x00\x42", 5), 0, 2, u"A"},
      {"ansi-zero-in-last-two", std::string("AB\0", 3), 0, 1, u"AB"},
      {"eng-asked", "caf\xE9", 8, 8, u"café"},
      {"zeros-removed", std::string("\xFF\xFE\x41\x00\x00\x00\x42\x00", 8), 0, 2, u"AB"},
  };
  ScratchDir dir;
  for (const Case& c : cases) {
    const std::string path = dir.File(std::string(c.name) + ".txt");
    WriteBytes(path, c.bytes);
    LoadResult r = LoadTextFile(path, E(c.requested));
    ASSERT_TRUE(r.ok()) << c.name << ": " << Show(r.message);
    EXPECT_EQ(ToInt(r.encoding), c.used) << c.name;
    EXPECT_EQ(r.text, c.text) << c.name << ": got " << Show(r.text);
  }
}

TEST(LoadTextFileTest, SizeAndLengthLimits) {
  std::string cjk_16383;
  for (int i = 0; i < 16383; ++i) cjk_16383 += "\xE4\xB8\xAD";
  struct Case {
    const char* name;
    std::string bytes;
    int requested;
    LoadOptions options;
    LoadStatus status;
    const char16_t* reason;
  } cases[] = {
      {"49149-bytes-16383-chars", cjk_16383, 0, {}, LoadStatus::kLoaded, u""},
      {"49150-bytes", cjk_16383 + "a", 0, {}, LoadStatus::kFileTooLarge, u"不能打开~ 文件过大"},
      {"49149-bytes-too-many-chars",
       std::string(49149, 'a'),
       0,
       {},
       LoadStatus::kTextTooLong,
       u"不能打开~ 文本过长"},
      {"16383-chars", std::string(16383, 'a'), 0, {}, LoadStatus::kLoaded, u""},
      {"16384-chars",
       std::string(16384, 'a'),
       0,
       {},
       LoadStatus::kTextTooLong,
       u"不能打开~ 文本过长"},
      {"zeros-do-not-count",
       std::string(16000, 'a') + std::string(1000, '\0') + "aaa",
       1,
       {},
       LoadStatus::kLoaded,
       u""},
      {"16384-after-zeros",
       std::string(16384, 'a') + std::string(10, '\0'),
       1,
       {},
       LoadStatus::kTextTooLong,
       u"不能打开~ 文本过长"},
      {"limits-lifted",
       std::string(100000, 'a'),
       0,
       {kNoLengthLimit, kNoLengthLimit},
       LoadStatus::kLoaded,
       u""},
      {"custom-byte-limit",
       std::string(11, 'a'),
       0,
       {10, 100},
       LoadStatus::kFileTooLarge,
       u"不能打开~ 文件过大"},
  };
  ScratchDir dir;
  for (const Case& c : cases) {
    const std::string path = dir.File(c.name);
    WriteBytes(path, c.bytes);
    LoadResult r = LoadTextFile(path, E(c.requested), c.options);
    EXPECT_EQ(r.status, c.status) << c.name << ": " << Show(r.message);
    if (c.status != LoadStatus::kLoaded) {
      EXPECT_EQ(r.message, PathText(path) + u"\r\n\r\n" + c.reason) << c.name;
      EXPECT_TRUE(r.text.empty()) << c.name;
    }
  }
}

TEST(LoadTextFileTest, FailuresCarryPathAndSystemReason) {
  ScratchDir dir;
  struct Case {
    const char* name;
    std::string path;
  } cases[] = {
      {"missing", dir.File("no-such.txt")},
      {"folder", dir.path()},
      {"below-a-file", dir.File("plain.txt/x.txt")},
  };
  WriteBytes(dir.File("plain.txt"), "abc");
  for (const Case& c : cases) {
    LoadResult r = LoadTextFile(c.path, FileEncoding::kDefaultEncoding);
    EXPECT_EQ(r.status, LoadStatus::kOpenFailed) << c.name;
    const Text prefix = PathText(c.path) + u"\r\n\r\n打开失败~ ";
    ASSERT_GT(r.message.size(), prefix.size()) << c.name << ": " << Show(r.message);
    EXPECT_EQ(r.message.substr(0, prefix.size()), prefix) << c.name;
  }
}

TEST(LoadTextFileTest, NoSuchFileNamesTheError) {
  LoadResult r = LoadTextFile("/nonexistent-tekvo/a.txt", FileEncoding::kDefaultEncoding);
  EXPECT_EQ(r.message, u"/nonexistent-tekvo/a.txt\r\n\r\n打开失败~ 没有那个文件或目录");
}

}  // namespace
}  // namespace tekvo

#include "files/paths.h"

#include <gtest/gtest.h>
#include <sys/stat.h>
#include <unistd.h>

#include "file_test_support.h"
#include "files/file_attributes.h"

namespace tekvo {
namespace {

using testing::ScratchDir;
using testing::WriteBytes;

TEST(SameFileTest, ComparesAsTheFileSystemDoes) {
  ScratchDir dir;
  const std::string d = dir.path();
  WriteBytes(d + "/Foo.txt", "1");
  WriteBytes(d + "/foo.txt", "2");
  ::mkdir((d + "/sub").c_str(), 0755);
  ::symlink((d + "/Foo.txt").c_str(), (d + "/link.txt").c_str());
  struct Case {
    const char* name;
    std::string a, b;
    bool same;
  } cases[] = {
      {"identical", d + "/Foo.txt", d + "/Foo.txt", true},
      {"case-differs", d + "/Foo.txt", d + "/foo.txt", false},
      {"dot", d + "/./Foo.txt", d + "/Foo.txt", true},
      {"dot-dot", d + "/sub/../Foo.txt", d + "/Foo.txt", true},
      {"symlink", d + "/link.txt", d + "/Foo.txt", true},
      {"missing-same", d + "/sub/../new.txt", d + "/new.txt", true},
      {"missing-different", d + "/new.txt", d + "/New.txt", false},
      {"empty", "", d + "/Foo.txt", false},
      {"both-empty", "", "", false},
  };
  for (const Case& c : cases) EXPECT_EQ(SameFile(c.a, c.b), c.same) << c.name;
}

TEST(FileNameOfTest, PartAfterLastSlash) {
  struct Case {
    const char* path;
    const char* name;
  } cases[] = {{"/home/u/a.txt", "a.txt"}, {"a.txt", "a.txt"}, {"/home/u/", ""}, {"/x", "x"}};
  for (const Case& c : cases) EXPECT_EQ(FileNameOf(c.path), c.name) << c.path;
}

TEST(AttributeTextTest, BitsInOrder) {
  struct Case {
    int bits;
    const char16_t* text;
  } cases[] = {
      {0, u"文件属性："},
      {1, u"文件属性： 只读"},
      {2 | 32, u"文件属性： 隐藏 存档"},
      {1 | 2 | 4 | 32, u"文件属性： 只读 隐藏 系统 存档"},
      {8 | 16 | 64, u"文件属性："},
  };
  for (const Case& c : cases) EXPECT_EQ(AttributeText(c.bits), c.text) << c.bits;
}

TEST(ReadFileFactsTest, LinuxMapping) {
  ScratchDir dir;
  WriteBytes(dir.File("a.txt"), std::string(1234, 'x'));
  ::chmod(dir.File("a.txt").c_str(), 0444);
  WriteBytes(dir.File(".b"), "");
  struct Case {
    std::string path;
    int attributes;
    std::uint64_t size;
  } cases[] = {
      {dir.File("a.txt"), kAttrReadOnly | kAttrArchive, 1234},
      {dir.File(".b"), kAttrHidden | kAttrArchive, 0},
  };
  for (const Case& c : cases) {
    std::error_code error;
    FileFacts facts = ReadFileFacts(c.path, error);
    EXPECT_FALSE(error) << c.path;
    EXPECT_EQ(facts.attributes, c.attributes) << c.path;
    EXPECT_EQ(facts.size, c.size) << c.path;
    EXPECT_GT(facts.modified, 0) << c.path;
  }
  std::error_code error;
  ReadFileFacts(dir.File("gone.txt"), error);
  EXPECT_EQ(error, std::errc::no_such_file_or_directory);
}

}  // namespace
}  // namespace tekvo

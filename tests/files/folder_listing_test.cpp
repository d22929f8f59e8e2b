#include "files/folder_listing.h"

#include <gtest/gtest.h>
#include <sys/stat.h>
#include <unistd.h>

#include "file_test_support.h"

namespace tekvo {
namespace {

using testing::ScratchDir;
using testing::WriteBytes;

TEST(ListFolderTest, ListsEveryNameByItsBytes) {
  ScratchDir dir;
  const std::string d = dir.path() + "/";
  for (const char* name : {"b.txt", "A.TXT", "\xD6\xD0\xCE\xC4.txt", "c.doc", ".hidden.txt"}) {
    WriteBytes(d + name, "x");
  }
  ::mkdir((d + "sub").c_str(), 0755);
  ::mkdir((d + "\xD0\xC2").c_str(), 0755);
  ::mkdir((d + ".git").c_str(), 0755);
  ::symlink((d + "b.txt").c_str(), (d + "link.txt").c_str());
  ::symlink((d + "gone").c_str(), (d + "broken.txt").c_str());

  const FolderListing txt = ListFolder(dir.path(), "*.txt");
  EXPECT_EQ(txt.error, 0);
  EXPECT_EQ(txt.files,
            (std::vector<std::string>{"A.TXT", "b.txt", "link.txt", "\xD6\xD0\xCE\xC4.txt"}));
  EXPECT_EQ(txt.folders, (std::vector<std::string>{"sub", "\xD0\xC2"}));
  EXPECT_EQ(ListFolder(d, "*").files.size(), 5u);

  const FolderListing missing = ListFolder(d + "none", "*");
  EXPECT_EQ(missing.error, ENOENT);
  EXPECT_TRUE(missing.files.empty());

  EXPECT_TRUE(IsEnterableFolder(d + "\xD0\xC2"));
  EXPECT_FALSE(IsEnterableFolder(d + "b.txt"));
  EXPECT_FALSE(IsEnterableFolder(d + "none"));
}

}  // namespace
}  // namespace tekvo

#include "files/trash.h"

#include <gtest/gtest.h>
#include <sys/stat.h>
#include <unistd.h>

#include <cerrno>

#include "tests/case_name.h"
// After case_name.h, whose "testing" is GoogleTest's.
#include "file_test_support.h"

namespace tekvo {
namespace {

using testing::Exists;
using testing::ReadBytes;
using testing::ScratchDir;
using testing::WriteBytes;

enum class Home { kNone, kSameVolume };
enum class Volume { kFound, kUsable, kBlocked };

struct TrashCase {
  const char* name;
  std::string file;  // inside the scratch folder's "vol/sub/"
  Home home;
  Volume volume;
  TrashResult result;
  std::string place;  // where the file went, below the scratch folder
  std::string path;   // the info file's Path line
};

class MoveToTrashTest : public ::testing::TestWithParam<TrashCase> {};

TEST_P(MoveToTrashTest, TrashesOrDeletes) {
  const TrashCase& c = GetParam();
  ScratchDir dir;
  const std::string d = dir.path();
  const std::string uid = std::to_string(::getuid());
  ::mkdir((d + "/vol").c_str(), 0755);
  ::mkdir((d + "/vol/sub").c_str(), 0755);
  const std::string victim = d + "/vol/sub/" + c.file;
  WriteBytes(victim, "content");
  TrashPlaces places;
  if (c.home == Home::kSameVolume) places.home_trash = d + "/home/.local/share/Trash";
  if (c.volume != Volume::kFound) places.volume_top = d + "/vol";
  // A file where the trash folder would go: the volume has no usable trash.
  if (c.volume == Volume::kBlocked) WriteBytes(d + "/vol/.Trash-" + uid, "");

  const TrashOutcome outcome = MoveToTrash(victim, places);
  ASSERT_EQ(outcome.result, c.result) << c.name << ": error " << outcome.error;
  EXPECT_FALSE(Exists(victim));
  if (c.result != TrashResult::kTrashed) return;
  std::string place = c.place;
  if (const std::size_t at = place.find("UID"); at != std::string::npos) place.replace(at, 3, uid);
  EXPECT_EQ(outcome.trashed_as, d + place);
  EXPECT_EQ(ReadBytes(d + place), "content");
  const std::size_t files = place.rfind("/files/");
  const std::string info =
      ReadBytes(d + place.substr(0, files) + "/info/" + place.substr(files + 7) + ".trashinfo");
  std::string path = c.path;
  if (const std::size_t at = path.find("ROOT"); at != std::string::npos) {
    path.replace(at, 4, PercentEncodePath(d));
  }
  EXPECT_EQ(info.rfind("[Trash Info]\nPath=" + path + "\nDeletionDate=", 0), 0u) << info;
  EXPECT_EQ(
      info.size(),
      std::string("[Trash Info]\nPath=\nDeletionDate=2024-01-02T03:04:05\n").size() + path.size())
      << info;
}

INSTANTIATE_TEST_SUITE_P(
    Places, MoveToTrashTest,
    ::testing::Values(TrashCase{"home-trash", "a b.txt", Home::kSameVolume, Volume::kFound,
                                TrashResult::kTrashed, "/home/.local/share/Trash/files/a b.txt",
                                "ROOT/vol/sub/a%20b.txt"},
                      TrashCase{"gb-name-percent-encoded", "\xD6\xD0%.txt", Home::kSameVolume,
                                Volume::kFound, TrashResult::kTrashed,
                                "/home/.local/share/Trash/files/\xD6\xD0%.txt",
                                "ROOT/vol/sub/%D6%D0%25.txt"},
                      TrashCase{"volume-trash-relative-path", "x.txt", Home::kNone, Volume::kUsable,
                                TrashResult::kTrashed, "/vol/.Trash-UID/files/x.txt", "sub/x.txt"},
                      TrashCase{"no-usable-trash-deletes", "x.txt", Home::kNone, Volume::kBlocked,
                                TrashResult::kDeleted, "", ""}),
    CaseName<TrashCase>);

TEST(TrashTest, SameNameTwiceKeepsBoth) {
  ScratchDir dir;
  TrashPlaces places;
  places.home_trash = dir.File("Trash");
  for (const char* content : {"one", "two"}) {
    WriteBytes(dir.File("a.txt"), content);
    ASSERT_EQ(MoveToTrash(dir.File("a.txt"), places).result, TrashResult::kTrashed);
  }
  EXPECT_EQ(ReadBytes(dir.File("Trash/files/a.txt")), "one");
  EXPECT_EQ(ReadBytes(dir.File("Trash/files/a.txt.2")), "two");
  EXPECT_TRUE(Exists(dir.File("Trash/info/a.txt.2.trashinfo")));
}

// The fault users met: the home trash on another volume made the move fail
// with "Invalid cross-device link" instead of deleting the file.
TEST(TrashTest, HomeTrashOnAnotherVolumeIsNotUsed) {
  ScratchDir dir;
  char shm[] = "/dev/shm/tekvo-trash-XXXXXX";
  struct stat a {
  }, b{};
  if (!::mkdtemp(shm)) GTEST_SKIP() << "no /dev/shm";
  const std::string home = shm;
  if (::stat(home.c_str(), &a) != 0 || ::stat(dir.path().c_str(), &b) != 0 ||
      a.st_dev == b.st_dev) {
    ::rmdir(shm);
    GTEST_SKIP() << "/dev/shm is on the scratch folder's volume";
  }
  WriteBytes(dir.File(".Trash-" + std::to_string(::getuid())), "");
  WriteBytes(dir.File("x.txt"), "x");
  TrashPlaces places;
  places.home_trash = home + "/Trash";
  places.volume_top = dir.path();
  EXPECT_EQ(MoveToTrash(dir.File("x.txt"), places).result, TrashResult::kDeleted);
  EXPECT_FALSE(Exists(dir.File("x.txt")));
  EXPECT_FALSE(Exists(home + "/Trash/files/x.txt"));
  std::system(("rm -rf " + home).c_str());
}

TEST(TrashTest, MissingFileFails) {
  ScratchDir dir;
  const TrashOutcome outcome = MoveToTrash(dir.File("none.txt"), TrashPlaces{dir.File("T"), ""});
  EXPECT_EQ(outcome.result, TrashResult::kFailed);
  EXPECT_EQ(outcome.error, ENOENT);
}

}  // namespace
}  // namespace tekvo

// The save protocol under failures, retries and crashes, and for targets that
// are not regular files. Each save goes through SaveTextFile with scripted
// file calls on a real scratch folder.
#include <gtest/gtest.h>
#include <signal.h>
#include <sys/resource.h>
#include <sys/stat.h>
#include <sys/sysmacros.h>
#include <unistd.h>

#include <cstdlib>
#include <map>
#include <optional>
#include <string>
#include <thread>
#include <vector>

#include "file_test_support.h"
#include "files/paths.h"
#include "files/text_file_save.h"
#include "scripted_file_ops.h"

namespace tekvo {
namespace {

using testing::FolderContent;
using testing::Op;
using testing::ReadBytes;
using testing::ScratchDir;
using testing::ScriptedOps;
using testing::ScriptedPrompter;
using testing::Show;
using testing::WriteBytes;

using Folder = std::map<std::string, std::string>;

SaveResult SaveWith(const Text& text, const std::string& path, FileOps& ops) {
  ScriptedPrompter prompter;
  SaveOptions options;
  options.ops = &ops;
  return SaveTextFile(text, path, FileEncoding::kUtf8NoBom, prompter, options);
}

std::string Joined(const std::vector<std::string>& log) {
  std::string out;
  for (const std::string& entry : log) out += entry + "\n";
  return out;
}

std::string Listed(const Folder& folder) {
  std::string out;
  for (const auto& [name, content] : folder) out += name + "=" + content + "; ";
  return out;
}

TEST(SaveProtocolTest, CallOrder) {
  struct Case {
    const char* name;
    bool old_file;
    bool users_backup;
    std::vector<std::string> calls;
  } cases[] = {
      {"replacing-a-file",
       true,
       false,
       {"Stat doc.txt", "Create <tmp>", "Write", "Sync", "Close", "SetOwner <tmp>", "SetMode <tmp>",
        "Link doc.txt doc.txt.bak", "Rename <tmp> doc.txt", "SyncFolder doc.txt",
        "Remove doc.txt.bak"}},
      {"users-backup-is-not-removed",
       true,
       true,
       {"Stat doc.txt", "Create <tmp>", "Write", "Sync", "Close", "SetOwner <tmp>", "SetMode <tmp>",
        "Link doc.txt doc.txt.bak", "Rename <tmp> doc.txt", "SyncFolder doc.txt"}},
      {"new-file",
       false,
       false,
       {"Stat doc.txt", "Create <tmp>", "Write", "Sync", "Close", "Rename <tmp> doc.txt",
        "SyncFolder doc.txt"}},
  };
  for (const Case& c : cases) {
    ScratchDir dir;
    const std::string path = dir.File("doc.txt");
    if (c.old_file) WriteBytes(path, "old");
    if (c.users_backup) WriteBytes(BackupPathOf(path), "mine");
    ScriptedOps ops(dir.path());
    SaveResult r = SaveWith(u"new", path, ops);
    ASSERT_TRUE(r.ok()) << c.name << ": " << Show(r.message);
    EXPECT_EQ(Joined(ops.log), Joined(c.calls)) << c.name;
  }
}

// Every step fails once, in a first save and again in its retry; neither
// may cost the old content or leave anything behind, and a user's own
// "doc.txt.bak" is never touched. Failures after the rename do not undo a
// save that is already complete.
TEST(SaveProtocolTest, FailureAtEveryStepThenRetry) {
  struct Case {
    const char* name;
    Op op;
    bool saved;
    std::optional<std::string> our_backup;  // left after a save that went through
  } cases[] = {
      {"inspecting", Op::kStat, false, std::nullopt},
      {"creating-temp", Op::kCreate, false, std::nullopt},
      {"writing", Op::kWrite, false, std::nullopt},
      {"flushing", Op::kSync, false, std::nullopt},
      {"closing", Op::kClose, false, std::nullopt},
      {"setting-mode", Op::kSetMode, false, std::nullopt},
      {"linking-backup", Op::kLink, true, std::nullopt},
      {"renaming", Op::kRename, false, std::nullopt},
      {"syncing-folder", Op::kSyncFolder, true, "old"},
      {"removing-backup", Op::kRemove, true, "old"},
  };
  for (const Case& c : cases) {
    for (const bool users_backup : {false, true}) {
      const std::string name = std::string(c.name) + (users_backup ? " with user's .bak" : "");
      ScratchDir dir;
      const std::string path = dir.File("doc.txt");
      WriteBytes(path, "old");
      if (users_backup) WriteBytes(BackupPathOf(path), "mine");
      const Folder before = FolderContent(dir.path());
      for (int attempt = 1; attempt <= 2; ++attempt) {
        ScriptedOps ops(dir.path());
        ops.FailAt(c.op, 1);
        SaveResult r = SaveWith(u"new content", path, ops);
        ASSERT_EQ(r.ok(), c.saved) << name << " attempt " << attempt;
        if (c.saved) break;
        EXPECT_EQ(r.message, PathText(path) + u"\r\n\r\n保存失败~ 输入/输出错误") << name;
        EXPECT_EQ(Listed(FolderContent(dir.path())), Listed(before))
            << name << " attempt " << attempt;
      }
      Folder expected = {{"doc.txt", "new content"}};
      if (users_backup) {
        expected["doc.txt.bak"] = "mine";
      } else if (c.saved && c.our_backup) {
        expected["doc.txt.bak"] = *c.our_backup;
      }
      if (c.saved) {
        EXPECT_EQ(Listed(FolderContent(dir.path())), Listed(expected)) << name;
      }
      ScriptedOps clean(dir.path());
      ASSERT_TRUE(SaveWith(u"new content", path, clean).ok()) << name;
      EXPECT_EQ(Listed(FolderContent(dir.path())), Listed(expected)) << name;
    }
  }
}

// The process dies at each call of a save: the file holds its old or its new
// content whole, never a part; a save after the restart goes through and
// leaves what the dead one left beside the file alone.
TEST(SaveProtocolTest, CrashAtEveryStep) {
  struct Case {
    const char* name;
    int call;
    const char* at_path;
    std::optional<std::string> backup;
  } cases[] = {
      {"inspecting", 1, "old", std::nullopt},
      {"creating-temp", 2, "old", std::nullopt},
      {"writing", 3, "old", std::nullopt},
      {"flushing", 4, "old", std::nullopt},
      {"closing", 5, "old", std::nullopt},
      {"setting-owner", 6, "old", std::nullopt},
      {"setting-mode", 7, "old", std::nullopt},
      {"linking-backup", 8, "old", std::nullopt},
      {"renaming", 9, "old", "old"},
      {"syncing-folder", 10, "new content", "old"},
      {"removing-backup", 11, "new content", "old"},
  };
  for (const Case& c : cases) {
    ScratchDir dir;
    const std::string path = dir.File("doc.txt");
    WriteBytes(path, "old");
    ScriptedOps ops(dir.path());
    ops.CrashAt(c.call);
    SaveWith(u"new content", path, ops);
    ASSERT_GE(ops.log.size(), static_cast<std::size_t>(c.call)) << c.name << "\n"
                                                                << Joined(ops.log);
    EXPECT_EQ(ReadBytes(path), c.at_path) << c.name;

    ScriptedOps restarted(dir.path());
    ASSERT_TRUE(SaveWith(u"newer", path, restarted).ok()) << c.name;
    Folder after = FolderContent(dir.path());
    after.erase("<tmp>");  // a dead save's hidden leftover, not the user's data
    Folder expected = {{"doc.txt", "newer"}};
    if (c.backup) expected["doc.txt.bak"] = *c.backup;
    EXPECT_EQ(Listed(after), Listed(expected)) << c.name;
  }
}

// A real write failure: the file size limit stands in for a full disk. Two
// saves in a row of a text larger than the limit over a smaller file.
[[noreturn]] void SaveTwiceOverTheLimit(const std::string& folder) {
  ::signal(SIGXFSZ, SIG_IGN);
  constexpr rlim_t kLimit = 64 << 10;
  const rlimit limit{kLimit, kLimit};
  ::setrlimit(RLIMIT_FSIZE, &limit);
  const std::string path = folder + "/small.txt";
  const std::string old(kLimit / 2, 'o');
  WriteBytes(path, old);
  for (int attempt = 0; attempt < 2; ++attempt) {
    ScriptedPrompter prompter;
    SaveResult r = SaveTextFile(Text(kLimit * 2, u'n'), path, FileEncoding::kUtf8NoBom, prompter);
    if (r.ok() || r.message.find(u"文件过大") == Text::npos) std::exit(1);
  }
  const Folder expected = {{"small.txt", old}};
  std::exit(FolderContent(folder) == expected ? 0 : 2);
}

TEST(SaveProtocolDeathTest, FileTooLargeTwiceKeepsTheOldFile) {
  ScratchDir dir;
  EXPECT_EXIT(SaveTwiceOverTheLimit(dir.path()), ::testing::ExitedWithCode(0), "");
}

// The temporary name must never reach an existing file, nor through a link
// someone planted in a shared folder.
TEST(SaveProtocolTest, CreatingTheTemporaryFileNeverOpensAnExistingName) {
  ScratchDir dir;
  const std::string file = dir.File("taken");
  const std::string link = dir.File("planted");
  const std::string victim = dir.File("victim");
  WriteBytes(file, "keep");
  ASSERT_EQ(::symlink(victim.c_str(), link.c_str()), 0);
  for (const std::string& path : {file, link}) {
    int fd = -1;
    EXPECT_EQ(PosixFileOps().CreateNew(path, 0600, fd), std::errc::file_exists) << path;
    EXPECT_EQ(fd, -1) << path;
  }
  EXPECT_EQ(ReadBytes(file), "keep");
  EXPECT_FALSE(testing::Exists(victim));
}

// The device is a null device of the test's own, never the system's: a
// save that replaced its node must not take /dev/null with it.
TEST(SaveProtocolTest, DevicesAndFifosAreWrittenWhereTheyAre) {
  constexpr unsigned kMemMajor = 1, kNullMinor = 3;
  ScratchDir dir;
  struct stat st {};
  const std::string device = dir.File("null");
  if (::mknod(device.c_str(), S_IFCHR | 0666, makedev(kMemMajor, kNullMinor)) == 0) {
    ScriptedOps ops(dir.path());
    SaveResult r = SaveWith(u"gone", device, ops);
    ASSERT_TRUE(r.ok()) << Show(r.message);
    EXPECT_EQ(Joined(ops.log), Joined({"Stat null", "Open null", "Write", "Close"}));
    ASSERT_EQ(::lstat(device.c_str(), &st), 0);
    EXPECT_TRUE(S_ISCHR(st.st_mode));
    ::unlink(device.c_str());
  }

  const std::string fifo = dir.File("pipe");
  ASSERT_EQ(::mkfifo(fifo.c_str(), 0600), 0);
  std::string received;
  std::thread reader([&] { received = ReadBytes(fifo); });
  ScriptedOps fifo_ops(dir.path());
  SaveResult r = SaveWith(u"中文", fifo, fifo_ops);
  reader.join();
  ASSERT_TRUE(r.ok()) << Show(r.message);
  EXPECT_EQ(received, "中文");
  ASSERT_EQ(::lstat(fifo.c_str(), &st), 0);
  EXPECT_TRUE(S_ISFIFO(st.st_mode));
  EXPECT_EQ(Listed(FolderContent(dir.path())), "pipe=; ") << "no backup, no temporary file";
}

}  // namespace
}  // namespace tekvo

#include "files/text_file_save.h"

#include <gtest/gtest.h>
#include <sys/stat.h>
#include <unistd.h>

#include "file_test_support.h"
#include "files/paths.h"
#include "scripted_file_ops.h"

namespace tekvo {
namespace {

using testing::Exists;
using testing::Hex;
using testing::ModeOf;
using testing::ReadBytes;
using testing::ScratchDir;
using testing::ScriptedOps;
using testing::ScriptedPrompter;
using testing::Show;
using testing::WriteBytes;

FileEncoding E(int v) { return ToFileEncoding(v); }

TEST(SaveTextFileTest, NewFileHoldsTheEncodedBytesOnly) {
  ScratchDir dir;
  struct Case {
    int encoding;
    int reported;
    const char* hex;
  } cases[] = {
      {0, 2, "FF FE 41 00 2D 4E"},    {1, 1, "41 D6 D0"},
      {2, 2, "FF FE 41 00 2D 4E"},    {3, 3, "FE FF 00 41 4E 2D"},
      {4, 4, "EF BB BF 41 E4 B8 AD"}, {5, 5, "41 00 2D 4E"},
      {6, 6, "00 41 4E 2D"},          {7, 7, "41 E4 B8 AD"},
      {-3, 2, "FF FE 41 00 2D 4E"},
  };
  for (const Case& c : cases) {
    const std::string path = dir.File("new" + std::to_string(c.encoding) + ".txt");
    ScriptedPrompter prompter;
    SaveResult r = SaveTextFile(u"A中", path, E(c.encoding), prompter);
    ASSERT_TRUE(r.ok()) << c.encoding << ": " << Show(r.message);
    EXPECT_EQ(ToInt(r.encoding), c.reported) << c.encoding;
    EXPECT_EQ(Hex(ReadBytes(path)), c.hex) << c.encoding;
    EXPECT_TRUE(prompter.questions.empty()) << c.encoding;
    EXPECT_FALSE(Exists(BackupPathOf(path))) << c.encoding;
  }
}

// A ".bak" that was there before the save may be the only good copy of
// something: it is left exactly as it was.
TEST(SaveTextFileTest, ReplacingAFileKeepsItsModeAndTheUsersBackup) {
  ScratchDir dir;
  const std::string path = dir.File("old.txt");
  WriteBytes(path, "old content");
  ::chmod(path.c_str(), 0640);
  WriteBytes(BackupPathOf(path), "stale backup");
  ScriptedPrompter prompter;
  SaveResult r = SaveTextFile(u"new", path, FileEncoding::kUtf8NoBom, prompter);
  ASSERT_TRUE(r.ok()) << Show(r.message);
  EXPECT_EQ(ReadBytes(path), "new");
  EXPECT_EQ(ModeOf(path), 0640u);
  EXPECT_EQ(ReadBytes(BackupPathOf(path)), "stale backup");
  EXPECT_TRUE(prompter.questions.empty());
}

TEST(SaveTextFileTest, SavingThroughALinkKeepsTheLink) {
  ScratchDir dir;
  const std::string target = dir.File("real.txt");
  const std::string link = dir.File("link.txt");
  WriteBytes(target, "old");
  ASSERT_EQ(::symlink(target.c_str(), link.c_str()), 0);
  ScriptedPrompter prompter;
  SaveResult r = SaveTextFile(u"new", link, FileEncoding::kUtf8NoBom, prompter);
  ASSERT_TRUE(r.ok()) << Show(r.message);
  struct stat st {};
  ASSERT_EQ(::lstat(link.c_str(), &st), 0);
  EXPECT_TRUE(S_ISLNK(st.st_mode));
  EXPECT_EQ(ReadBytes(target), "new");
  EXPECT_FALSE(Exists(BackupPathOf(target)));
  EXPECT_FALSE(Exists(BackupPathOf(link)));
}

TEST(SaveTextFileTest, ProtectedFilesAskFirst) {
  struct Case {
    const char* name;
    const char* file;
    unsigned mode;
    bool answer;
    const char16_t* attributes;
  } cases[] = {
      {"read-only-yes", "ro.txt", 0444, true, u"文件属性： 只读 存档"},
      {"read-only-no", "ro.txt", 0444, false, u"文件属性： 只读 存档"},
      {"hidden-yes", ".hidden.txt", 0600, true, u"文件属性： 隐藏 存档"},
      {"hidden-read-only-no", ".both.txt", 0400, false, u"文件属性： 只读 隐藏 存档"},
  };
  for (const Case& c : cases) {
    ScratchDir dir;
    const std::string path = dir.File(c.file);
    WriteBytes(path, "old");
    ::chmod(path.c_str(), c.mode);
    ScriptedPrompter prompter;
    prompter.answers = {c.answer};
    SaveResult r = SaveTextFile(u"new", path, FileEncoding::kUtf8NoBom, prompter);
    ASSERT_EQ(prompter.questions.size(), 1u) << c.name;
    EXPECT_EQ(prompter.questions[0],
              PathText(path) + u"\r\n\r\n" + c.attributes + u"\r\n\r\n是否改写文件？")
        << c.name;
    EXPECT_EQ(r.status, c.answer ? SaveStatus::kSaved : SaveStatus::kDeclined) << c.name;
    EXPECT_EQ(ReadBytes(path), c.answer ? "new" : "old") << c.name;
    EXPECT_EQ(ModeOf(path), c.mode) << c.name;
    EXPECT_FALSE(Exists(BackupPathOf(path))) << c.name;
    EXPECT_TRUE(r.message.empty()) << c.name;
  }
}

TEST(SaveTextFileTest, FailuresWithoutAnOldFile) {
  ScratchDir dir;
  WriteBytes(dir.File("plain"), "x");
  ::mkdir(dir.File("folder").c_str(), 0755);
  struct Case {
    const char* name;
    std::string path;
    const char16_t* reason;
  } cases[] = {
      {"missing-folder", dir.File("no/such/folder.txt"), u"没有那个文件或目录"},
      {"below-a-file", dir.File("plain/x.txt"), u"不是目录"},
      {"a-folder", dir.File("folder"), u"是一个目录"},
  };
  for (const Case& c : cases) {
    ScriptedPrompter prompter;
    SaveResult r = SaveTextFile(u"text", c.path, FileEncoding::kUnicode, prompter);
    EXPECT_EQ(r.status, SaveStatus::kFailed) << c.name;
    EXPECT_EQ(r.message, PathText(c.path) + u"\r\n\r\n保存失败~ " + c.reason) << c.name;
  }
  struct stat st {};
  ASSERT_EQ(::stat(dir.File("folder").c_str(), &st), 0);
  EXPECT_TRUE(S_ISDIR(st.st_mode));
  EXPECT_FALSE(Exists(dir.File("folder.bak")));
}

// A backup left by an earlier failure is not this save's old file: when the
// new file cannot be made, it must not turn up under the target's name.
TEST(SaveTextFileTest, FailedSaveOfANewFileLeavesAStaleBackupAlone) {
  ScratchDir dir;
  const std::string path = dir.File("doc.txt");
  WriteBytes(BackupPathOf(path), "stale");
  testing::ScriptedOps ops(dir.path());
  ops.FailAt(testing::Op::kCreate, 1);
  ScriptedPrompter prompter;
  SaveOptions options;
  options.ops = &ops;
  SaveResult r = SaveTextFile(u"new", path, FileEncoding::kUtf8NoBom, prompter, options);
  EXPECT_EQ(r.status, SaveStatus::kFailed);
  EXPECT_FALSE(Exists(path));
  EXPECT_EQ(ReadBytes(BackupPathOf(path)), "stale");
}

TEST(SaveTextFileTest, AsksBeforeAnsiLosesCharacters) {
  struct Case {
    const char* name;
    int encoding;
    bool warn;
    std::deque<bool> answers;
    std::size_t questions;
    std::size_t lost;
    bool saved;
  } cases[] = {
      {"gb-no", 1, true, {false}, 1, 1, false},
      {"gb-yes", 1, true, {true}, 1, 1, true},
      {"eng-no", 8, true, {false}, 1, 2, false},
      {"not-asked-when-off", 1, false, {}, 0, 0, true},
      {"utf8-never-asks", 7, true, {}, 0, 0, true},
  };
  for (const Case& c : cases) {
    ScratchDir dir;
    const std::string path = dir.File("emoji.txt");
    WriteBytes(path, "old");
    ScriptedPrompter prompter;
    prompter.answers = c.answers;
    SaveOptions options;
    options.warn_unmappable = c.warn;
    SaveResult r = SaveTextFile(u"中\U0001F600", path, E(c.encoding), prompter, options);
    ASSERT_EQ(prompter.questions.size(), c.questions) << c.name;
    if (c.questions) {
      EXPECT_EQ(prompter.questions[0], UnmappableQuestion(path, c.lost, E(c.encoding))) << c.name;
      EXPECT_EQ(prompter.defaults[0], DefaultButton::kNo) << c.name;
    }
    EXPECT_EQ(r.ok(), c.saved) << c.name;
    EXPECT_EQ(ReadBytes(path) == "old", !c.saved) << c.name;
    EXPECT_FALSE(Exists(BackupPathOf(path))) << c.name;
  }
}

TEST(SaveTextFileTest, UnmappableQuestionText) {
  EXPECT_EQ(UnmappableQuestion("/t/a.txt", 3, FileEncoding::kAnsiGb),
            u"/t/a.txt\r\n\r\n有 3 个字符不能用 ANSI GB 保存，会变成“?”或相近的字符。\r\n\r\n"
            u"是否仍然保存？");
}

}  // namespace
}  // namespace tekvo

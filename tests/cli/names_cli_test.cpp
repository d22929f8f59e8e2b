// tekvo-cli names on a real temporary tree: the plan, renames that never
// replace a name, and undo back to the exact bytes.
#include <dirent.h>
#include <gtest/gtest.h>
#include <stdlib.h>
#include <sys/stat.h>
#include <sys/wait.h>
#include <unistd.h>

#include <filesystem>
#include <fstream>
#include <iterator>
#include <set>
#include <string>
#include <vector>

#include "tests/cli/cli_harness.h"

namespace tekvo::cli {
namespace {

// "会议纪要.docx" in GB, "中華民國.txt" in Big5, "한국어 문서.hwp" in EUC-KR.
const std::string kGbName = "\xBB\xE1\xD2\xE9\xBC\xCD\xD2\xAA.docx";
const std::string kBig5Name = "\xA4\xA4\xB5\xD8\xA5\xC1\xB0\xEA.txt";
const std::string kKoreanFolder = "\xC7\xD1\xB1\xB9\xBE\xEE \xB9\xAE\xBC\xAD";
// "会议纪要.docx" in GB as a zip tool shows it through code page 437.
const std::string kGbAs437 = "╗ß╥Θ╝═╥¬.docx";

class Tree {
 public:
  Tree() {
    std::string pattern =
        (std::filesystem::temp_directory_path() / "tekvo-cli-names-XXXXXX").string();
    root_ = ::mkdtemp(pattern.data());
  }
  ~Tree() {
    ::chmod(root_.c_str(), 0700);
    std::filesystem::remove_all(root_);
  }
  const std::string& root() const { return root_; }
  std::string Path(const std::string& relative) const { return root_ + "/" + relative; }
  void File(const std::string& relative, const std::string& bytes = "") const {
    std::ofstream(Path(relative), std::ios::binary) << bytes;
  }
  void Folder(const std::string& relative) const { ::mkdir(Path(relative).c_str(), 0700); }
  std::string Read(const std::string& relative) const {
    std::ifstream in(Path(relative), std::ios::binary);
    return std::string(std::istreambuf_iterator<char>(in), std::istreambuf_iterator<char>());
  }
  // Every path under the root, relative and byte for byte.
  std::set<std::string> Listing() const { return ListUnder(""); }

 private:
  std::set<std::string> ListUnder(const std::string& relative) const {
    std::set<std::string> out;
    DIR* dir = ::opendir((root_ + "/" + relative).c_str());
    if (dir == nullptr) return out;
    while (const dirent* e = ::readdir(dir)) {
      const std::string name = e->d_name;
      if (name == "." || name == "..") continue;
      const std::string path = relative + name;
      out.insert(path);
      if (e->d_type == DT_DIR) out.merge(ListUnder(path + "/"));
    }
    ::closedir(dir);
    return out;
  }
  std::string root_;
};

std::string Shown(const std::set<std::string>& listing) {
  std::string out;
  for (const std::string& p : listing) out += p + "\n";
  return out;
}

TEST(NamesCliTest, PlanListsEachGarbledNameAndChangesNothing) {
  Tree tree;
  tree.File(kGbName);
  tree.File(kGbAs437);
  tree.File("readme.txt");
  tree.File("报告.txt");
  tree.File("Résumé.doc");
  tree.Folder(kKoreanFolder);
  tree.File(kKoreanFolder + "/" + kBig5Name);
  const std::set<std::string> before = tree.Listing();

  const Result r = RunTool({"names", "-r", tree.root()});
  const std::string& d = tree.root();
  EXPECT_EQ(r.status, 2) << r.err;
  EXPECT_EQ(r.out,
            d + "/\\xBB\\xE1\\xD2\\xE9\\xBC\\xCD\\xD2\\xAA.docx -> 会议纪要.docx  [GB]\n" + d +
                "/\\xC7\\xD1\\xB1\\xB9\\xBE\\xEE "
                "\\xB9\\xAE\\xBC\\xAD/\\xA4\\xA4\\xB5\\xD8\\xA5\\xC1\\xB0\\xEA.txt" +
                " -> 中華民國.txt  [Big5]\n" + d +
                "/\\xC7\\xD1\\xB1\\xB9\\xBE\\xEE \\xB9\\xAE\\xBC\\xAD -> 한국어 문서  [EUC-KR]\n" +
                d + "/╗ß╥Θ╝═╥¬.docx -> 会议纪要.docx  [GB read as CP437]\n")
      << r.out;
  // Both garbled forms of one name would take the same new name.
  EXPECT_NE(r.err.find("exists already"), std::string::npos) << r.err;
  EXPECT_EQ(Shown(tree.Listing()), Shown(before));

  const Result flat = RunTool({"names", tree.root()});
  EXPECT_EQ(flat.out.find("中華民國"), std::string::npos) << "without -r: " << flat.out;
}

TEST(NamesCliTest, ApplyThenUndoGivesBackTheExactBytes) {
  Tree tree;
  tree.Folder(kKoreanFolder);
  tree.File(kKoreanFolder + "/" + kBig5Name, "big5 file");
  tree.File(kGbName, "gb file");
  tree.File("readme.txt");
  tree.File("日本語のファイル.txt");
  const std::set<std::string> before = tree.Listing();
  const std::string journal = tree.Path("names.journal");

  const Result apply = RunTool({"names", "-r", "--apply", "-o", journal, tree.root()});
  EXPECT_EQ(apply.status, 0) << apply.err;
  EXPECT_EQ(apply.out.rfind("journal: " + journal + "\n", 0), 0u) << apply.out;
  EXPECT_EQ(tree.Read("한국어 문서/中華民國.txt"), "big5 file");
  EXPECT_EQ(tree.Read("会议纪要.docx"), "gb file");
  EXPECT_EQ(tree.Listing().count("日本語のファイル.txt"), 1u);

  const Result undo = RunTool({"names", "--undo", journal});
  EXPECT_EQ(undo.status, 0) << undo.err;
  std::set<std::string> after = tree.Listing();
  after.erase("names.journal");
  EXPECT_EQ(Shown(after), Shown(before));
  EXPECT_EQ(tree.Read(kKoreanFolder + "/" + kBig5Name), "big5 file");

  // A second undo finds everything in place and renames nothing.
  const Result again = RunTool({"names", "--undo", journal});
  EXPECT_EQ(again.status, 0) << again.err;
  EXPECT_EQ(again.out, "");
}

TEST(NamesCliTest, ApplyNeverReplacesAnExistingName) {
  Tree tree;
  tree.File(kGbName, "garbled");
  tree.File("会议纪要.docx", "keep me");
  const Result r = RunTool({"names", "--apply", "-o", tree.Path("j"), tree.root() + "/" + kGbName});
  EXPECT_EQ(r.status, 2);
  EXPECT_NE(r.err.find("exists already"), std::string::npos) << r.err;
  EXPECT_EQ(tree.Read("会议纪要.docx"), "keep me");
  EXPECT_EQ(tree.Read(kGbName), "garbled");
}

TEST(NamesCliTest, UndoReportsHandEditsAndMovedFilesAndRestoresTheRest) {
  Tree tree;
  tree.File(kGbName, "gb");
  tree.File(kBig5Name, "big5");
  const std::string journal = tree.Path("j");
  ASSERT_EQ(RunTool({"names", "--apply", "-o", journal, tree.root() + "/" + kGbName,
                     tree.root() + "/" + kBig5Name})
                .status,
            0);
  std::ofstream(journal, std::ios::app) << "rename zz 41\nrename 2f61 2f622f63\n";
  ASSERT_EQ(::rename(tree.Path("会议纪要.docx").c_str(), tree.Path("moved").c_str()), 0);

  const Result r = RunTool({"names", "--undo", journal});
  EXPECT_EQ(r.status, 2);
  EXPECT_NE(r.err.find("line 6: not understood"), std::string::npos) << r.err;
  EXPECT_NE(r.err.find("line 7: not a rename within one folder"), std::string::npos) << r.err;
  EXPECT_NE(r.err.find("会议纪要.docx is gone"), std::string::npos) << r.err;
  EXPECT_EQ(tree.Read(kBig5Name), "big5");
  EXPECT_EQ(tree.Read("moved"), "gb");
}

std::string Hex(const std::string& bytes) {
  static const char kDigits[] = "0123456789abcdef";
  std::string out;
  for (unsigned char b : bytes) {
    out.push_back(kDigits[b >> 4]);
    out.push_back(kDigits[b & 0x0F]);
  }
  return out;
}

TEST(NamesCliTest, UndoAfterACrashFinishesWhatTheJournalBegan) {
  Tree tree;
  // Stopped after the first rename, before its outcome was written; the
  // second was recorded but never tried.
  tree.File("会议纪要.docx", "renamed");
  tree.File(kBig5Name, "untouched");
  const std::string journal = tree.Path("j");
  std::ofstream(journal) << "tekvo names journal 1\n"
                         << "rename " << Hex(tree.Path(kGbName)) << " "
                         << Hex(tree.Path("会议纪要.docx")) << "\n"
                         << "rename " << Hex(tree.Path(kBig5Name)) << " "
                         << Hex(tree.Path("中華民國.txt")) << "\n";
  const Result r = RunTool({"names", "--undo", journal});
  EXPECT_EQ(r.status, 0) << r.err;
  EXPECT_EQ(tree.Read(kGbName), "renamed");
  EXPECT_EQ(tree.Read(kBig5Name), "untouched");
  EXPECT_EQ(tree.Listing().count("会议纪要.docx"), 0u);
}

TEST(NamesCliTest, UnreadableAndTooLongNamesAreReportedAndLeftAlone) {
  Tree tree;
  const std::string unreadable = "\x81\xFF\x80\xFF";
  std::string too_long;
  for (int i = 0; i < 60; ++i) too_long += "\xBB\xE1\xD2\xE9";
  tree.File(unreadable);
  tree.File(too_long);
  tree.File(kGbName);
  const Result r = RunTool({"names", "--apply", "-o", tree.Path("j"), tree.root()});
  EXPECT_EQ(r.status, 2);
  EXPECT_NE(r.err.find("\\x81\\xFF\\x80\\xFF: no code page reads this name"), std::string::npos)
      << r.err;
  EXPECT_NE(r.err.find("360 bytes"), std::string::npos) << r.err;
  EXPECT_EQ(tree.Listing().count(unreadable), 1u);
  EXPECT_EQ(tree.Listing().count(too_long), 1u);
  EXPECT_EQ(tree.Listing().count("会议纪要.docx"), 1u);
}

// Permission bits stop nothing for root, and the tests run as root in CI:
// there the tool runs in a child that has become the unprivileged user
// "nobody", as a person would run it. The child sends back its status and
// its error output.
Result RunWithoutRoot(const std::vector<std::string>& args) {
  if (::geteuid() != 0) return RunTool(args);
  constexpr uid_t kNobody = 65534;
  int fds[2];
  if (::pipe(fds) != 0) return {-1, "", "pipe failed"};
  const pid_t pid = ::fork();
  if (pid == 0) {
    ::close(fds[0]);
    if (::setgid(kNobody) != 0 || ::setuid(kNobody) != 0) ::_exit(3);
    const Result r = RunTool(args);
    const std::string message = std::to_string(r.status) + "\n" + r.err;
    const ssize_t written = ::write(fds[1], message.data(), message.size());
    ::_exit(written == static_cast<ssize_t>(message.size()) ? 0 : 4);
  }
  ::close(fds[1]);
  std::string message;
  char buffer[4096];
  for (ssize_t n; (n = ::read(fds[0], buffer, sizeof buffer)) > 0;) message.append(buffer, n);
  ::close(fds[0]);
  int wait_status = 0;
  ::waitpid(pid, &wait_status, 0);
  const std::size_t line_end = message.find('\n');
  if (!WIFEXITED(wait_status) || WEXITSTATUS(wait_status) != 0 || line_end == std::string::npos) {
    return {-1, "", "the child running as nobody failed"};
  }
  return {std::stoi(message.substr(0, line_end)), "", message.substr(line_end + 1)};
}

TEST(NamesCliTest, ARenameTheFolderRefusesIsReportedPerName) {
  Tree tree;
  tree.File(kGbName);
  tree.File(kBig5Name);
  const std::string journal = std::filesystem::temp_directory_path() / "tekvo-names-ro.journal";
  std::filesystem::remove(journal);
  // Readable and searchable by everyone, writable by no one.
  ::chmod(tree.root().c_str(), 0555);
  const Result r = RunWithoutRoot({"names", "--apply", "-o", journal, tree.root()});
  std::filesystem::remove(journal);
  EXPECT_EQ(r.status, 2) << r.err;
  EXPECT_NE(r.err.find("cannot rename " + tree.root() + "/\\xA4"), std::string::npos) << r.err;
  EXPECT_NE(r.err.find("cannot rename " + tree.root() + "/\\xBB"), std::string::npos) << r.err;
  EXPECT_EQ(tree.Listing().count(kGbName), 1u);
}

TEST(NamesCliTest, CommandLineMistakes) {
  EXPECT_EQ(RunTool({"names"}).status, 2);
  EXPECT_EQ(RunTool({"names", "--undo", "j", "extra"}).status, 2);
  EXPECT_EQ(RunTool({"names", "-o", "j", "."}).status, 2);
  const Result missing = RunTool({"names", "/nonexistent/tekvo"});
  EXPECT_EQ(missing.status, 2);
  EXPECT_NE(missing.err.find("cannot read /nonexistent/tekvo"), std::string::npos) << missing.err;
  const Result journal = RunTool({"names", "--undo", "/nonexistent/j"});
  EXPECT_EQ(journal.status, 2);
  EXPECT_NE(journal.err.find("cannot read the journal"), std::string::npos) << journal.err;
}

}  // namespace
}  // namespace tekvo::cli

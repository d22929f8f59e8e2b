// tekvo-cli with inputs and outputs that are not plain files (pipes, /proc
// files, devices, standard output by name), the messages of a failed read,
// unknown identifiers and "--force".
#include <fcntl.h>
#include <gtest/gtest.h>
#include <stdlib.h>
#include <sys/stat.h>
#include <sys/sysmacros.h>
#include <unistd.h>

#include <algorithm>
#include <cerrno>
#include <chrono>
#include <cstdlib>
#include <filesystem>
#include <fstream>
#include <iterator>
#include <string>
#include <thread>
#include <vector>

#include "cli/commands/commands.h"
#include "tests/cli/cli_harness.h"

namespace tekvo::cli {
namespace {

// "中華民國" in Big5, shown as GBK text.
const std::string kBig5AsGb = "\xe3\x81\x84\xe5\x9c\xb0\xe3\x83\x81\xe7\x93\xa3";

// Writes `bytes` into a FIFO once a reader has opened it, and gives up after
// a few seconds, so that a tool that never opens the FIFO fails the test
// instead of hanging it.
class FifoFeeder {
 public:
  FifoFeeder(const std::string& fifo, std::string bytes)
      : thread_([fifo, bytes = std::move(bytes)] {
          const auto deadline = std::chrono::steady_clock::now() + std::chrono::seconds(5);
          int fd = -1;
          while ((fd = ::open(fifo.c_str(), O_WRONLY | O_NONBLOCK)) < 0 && errno == ENXIO &&
                 std::chrono::steady_clock::now() < deadline) {
            std::this_thread::sleep_for(std::chrono::milliseconds(1));
          }
          if (fd < 0) return;
          ::fcntl(fd, F_SETFL, 0);
          (void)!::write(fd, bytes.data(), bytes.size());
          ::close(fd);
        }) {}
  ~FifoFeeder() { thread_.join(); }

 private:
  std::thread thread_;
};

std::size_t Lines(const std::string& err) {
  return static_cast<std::size_t>(std::count(err.begin(), err.end(), '\n'));
}

// Every command reads a pipe to its end: none may see an empty input.
TEST(CliFilesTest, PipeInputIsReadToTheEnd) {
  struct Case {
    const char* name;
    std::vector<std::string> args;  // the FIFO's path is appended
    std::string fed;
    std::string out;
  } cases[] = {
      {"convert", {"convert"}, "中文\n", "中文\n"},
      {"convert-auto", {"convert", "--in", "auto"}, std::string("\xFF\xFE\x2D\x4E", 4), "中"},
      {"repair-streamed", {"repair", "gb--big5"}, kBig5AsGb, "中華民國"},
      {"repair-whole", {"repair", "--in", "utf8", "gb--big5"}, kBig5AsGb, "中華民國"},
      {"map", {"map", "full"}, "abc", "ａｂｃ"},
      {"decode", {"decode", "html"}, "&#20013;", "中"},
      {"encode", {"encode", "html-dec"}, "中", "&#20013;"},
      {"shift", {"shift", "gb", "1"}, "ABC", "A C"},
  };
  for (const Case& c : cases) {
    Scratch dir;
    const std::string fifo = dir.File("pipe");
    ASSERT_EQ(::mkfifo(fifo.c_str(), 0600), 0);
    std::vector<std::string> args = c.args;
    args.push_back(fifo);
    Result r;
    {
      FifoFeeder feeder(fifo, c.fed);
      r = RunTool(args);
    }
    EXPECT_EQ(r.status, 0) << c.name << ": " << r.err;
    EXPECT_EQ(r.out, c.out) << c.name;
  }
}

TEST(CliFilesTest, ProcFileIsReadToTheEnd) {
  Result r = RunTool({"convert", "/proc/sys/kernel/ostype"});
  EXPECT_EQ(r.status, 0) << r.err;
  EXPECT_EQ(r.out, "Linux\n");
}

// A missing file and a folder give one message each, the same on every
// command.
TEST(CliFilesTest, UnreadableInputGivesOneMessageOnEveryCommand) {
  Scratch dir;
  const std::vector<std::vector<std::string>> commands = {
      {"convert"},        {"repair", "gb--big5"}, {"repair", "--in", "gb", "gb--big5"},
      {"map", "full"},    {"decode", "html"},     {"decode", "iso2022:zh"},
      {"encode", "utf7"}, {"shift", "gb", "0"},   {"suggest"},
  };
  struct Case {
    const char* name;
    std::string path;
    std::string message;
  } cases[] = {
      {"missing", dir.File("none.txt"),
       "tekvo-cli: " + dir.File("none.txt") + ": 打开失败~ 没有那个文件或目录\n"},
      {"folder", dir.File(""), "tekvo-cli: " + dir.File("") + ": 打开失败~ 是一个目录\n"},
  };
  for (const Case& c : cases) {
    for (std::vector<std::string> args : commands) {
      args.push_back(c.path);
      Result r = RunTool(args);
      EXPECT_EQ(r.status, 2) << c.name << " " << args[0];
      EXPECT_EQ(r.out, "") << c.name << " " << args[0];
      EXPECT_EQ(r.err, c.message) << c.name << " " << args[0] << " " << args[1];
    }
  }
}

TEST(CliFilesTest, OutputToStandardOutputByName) {
  for (const char* name : {"/dev/stdout", "/dev/fd/1", "-"}) {
    Result r = RunTool({"convert", "--out", "utf16le", "-o", name}, "中");
    EXPECT_EQ(r.status, 0) << name << ": " << r.err;
    EXPECT_EQ(r.out, std::string("\x2D\x4E", 2)) << name;
  }
}

TEST(CliFilesTest, OutputToAFifoIsWrittenWhereItIs) {
  Scratch dir;
  const std::string fifo = dir.File("pipe");
  ASSERT_EQ(::mkfifo(fifo.c_str(), 0600), 0);
  // A reader that is already there: the tool's open does not wait, and the
  // bytes stay in the pipe until read below.
  const int reader = ::open(fifo.c_str(), O_RDONLY | O_NONBLOCK);
  ASSERT_GE(reader, 0);
  Result r = RunTool({"convert", "-o", fifo}, "中文");
  char buffer[64];
  const ssize_t got = ::read(reader, buffer, sizeof buffer);
  ::close(reader);
  EXPECT_EQ(r.status, 0) << r.err;
  EXPECT_EQ(std::string(buffer, got > 0 ? static_cast<std::size_t>(got) : 0), "中文");
  struct stat st {};
  ASSERT_EQ(::lstat(fifo.c_str(), &st), 0);
  EXPECT_TRUE(S_ISFIFO(st.st_mode));
  EXPECT_FALSE(std::filesystem::exists(fifo + ".bak"));
}

// A full device of the test's own (the system's is never a target here):
// the failure is told once and the node stays a device.
TEST(CliFilesTest, FullDeviceFailsOnceAndStaysADevice) {
  constexpr unsigned kMemMajor = 1, kFullMinor = 7;
  Scratch dir;
  const std::string device = dir.File("full");
  if (::mknod(device.c_str(), S_IFCHR | 0666, makedev(kMemMajor, kFullMinor)) != 0) {
    GTEST_SKIP() << "making a device node needs root";
  }
  Result r = RunTool({"convert", "-o", device}, "text");
  EXPECT_EQ(r.status, 2);
  EXPECT_EQ(r.err, "tekvo-cli: " + device + ": 保存失败~ 设备上没有空间\n");
  struct stat st {};
  ASSERT_EQ(::lstat(device.c_str(), &st), 0);
  EXPECT_TRUE(S_ISCHR(st.st_mode));
}

// Standard output on a full device: "cannot write the output" once, from
// the command that wrote and not again at the exit.
[[noreturn]] void RunOnFullOutput(const std::string& command, const std::string& file) {
  const int full = ::open("/dev/full", O_WRONLY | O_CLOEXEC);
  if (full < 0 || ::dup2(full, STDOUT_FILENO) < 0) std::exit(3);
  std::string args[] = {"tekvo-cli", command, command == "repair" ? "gb--big5" : "full", file};
  char* argv[] = {args[0].data(), args[1].data(), args[2].data(), args[3].data()};
  std::exit(Main(4, argv));
}

TEST(CliFilesDeathTest, FullStandardOutputIsToldOnce) {
  Scratch dir;
  dir.Write("in.txt", kBig5AsGb);
  for (const char* command : {"repair", "map"}) {
    EXPECT_EXIT(RunOnFullOutput(command, dir.File("in.txt")), testing::ExitedWithCode(2),
                "^tekvo-cli: cannot write the output\n$")
        << command;
  }
}

TEST(CliFilesTest, UnknownIdentifiersAreRefused) {
  const CliCase cases[] = {
      {"unknown-lcid", {"repair", "lcid:9999:1028"}, "abc", 2, "", "unknown LCID 9999"},
      {"lcid-zero", {"repair", "lcid:0:2052"}, "abc", 2, "", "unknown LCID 0"},
      {"unknown-second-lcid", {"repair", "lcid:2052:-4"}, "abc", 2, "", "unknown LCID -4"},
      {"unknown-code-page", {"repair", "cp:99999:936"}, "abc", 2, "", "unknown code page 99999"},
      {"negative-code-page", {"repair", "cp:-7:936"}, "abc", 2, "", "unknown code page -7"},
      {"utf16be-is-no-code-page", {"repair", "cp:936:-1"}, "abc", 2, "", "unknown code page -1"},
      {"utf8-lcid-is-known", {"repair", "lcid:-3:-3"}, "abc", 0, "abc", ""},
      {"utf16le-code-page-is-known", {"repair", "cp:-2:-2"}, "abc", 0, "abc", ""},
  };
  for (const CliCase& c : cases) ExpectRun(c);
}

// Without "--force" every question of "-o" is answered No; with it, Yes.
TEST(CliFilesTest, ForceAnswersYes) {
  struct Case {
    const char* name;
    const char* file;
    unsigned mode;
    std::vector<std::string> extra;
    std::string input;
    bool force;
    int status;
    std::string content;
  } cases[] = {
      {"read-only-refused", "ro.txt", 0444, {}, "new", false, 2, "old"},
      {"read-only-forced", "ro.txt", 0444, {}, "new", true, 0, "new"},
      {"hidden-refused", ".hid.txt", 0644, {}, "new", false, 2, "old"},
      {"hidden-forced", ".hid.txt", 0644, {}, "new", true, 0, "new"},
      {"lossy-refused", "gb.txt", 0644, {"--out", "gb"}, "\xF0\x9F\x98\x80", false, 2, "old"},
      {"lossy-forced", "gb.txt", 0644, {"--out", "gb"}, "\xF0\x9F\x98\x80", true, 0, "?"},
  };
  for (const Case& c : cases) {
    Scratch dir;
    dir.Write(c.file, "old");
    ::chmod(dir.File(c.file).c_str(), c.mode);
    std::vector<std::string> args = {"convert", "-o", dir.File(c.file)};
    args.insert(args.end(), c.extra.begin(), c.extra.end());
    if (c.force) args.push_back("--force");
    Result r = RunTool(args, c.input);
    EXPECT_EQ(r.status, c.status) << c.name << ": " << r.err;
    EXPECT_EQ(dir.Read(c.file), c.content) << c.name;
    EXPECT_NE(r.err.find(c.force ? " -- yes\n" : " -- no\n"), std::string::npos)
        << c.name << ": " << r.err;
    EXPECT_EQ(Lines(r.err), c.force ? 1u : 2u) << c.name << ": " << r.err;
  }
  EXPECT_NE(RunTool({"--help"}).out.find("--force"), std::string::npos);
}

}  // namespace
}  // namespace tekvo::cli

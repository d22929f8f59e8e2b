#include <gtest/gtest.h>
#include <sys/resource.h>
#include <unistd.h>

#include <algorithm>
#include <cstdio>
#include <filesystem>
#include <fstream>
#include <iterator>
#include <string>
#include <vector>

#include "cli/commands/args.h"
#include "cli/commands/commands.h"
#include "cli/commands/repair_name.h"
#include "engine/codepage/codepage.h"
#include "tests/cli/cli_harness.h"

namespace tekvo::cli {
namespace {

// "中華民國" in Big5, shown as GBK text.
const std::string kBig5AsGb = "\xe3\x81\x84\xe5\x9c\xb0\xe3\x83\x81\xe7\x93\xa3";

class CliRun : public testing::TestWithParam<CliCase> {};

TEST_P(CliRun, GivesStatusAndOutput) { ExpectRun(GetParam()); }

const CliCase kCases[] = {
    {"repair-gb-big5-stdin", {"repair", "gb--big5"}, kBig5AsGb, 0, "中華民國", ""},
    {"repair-name-any-case", {"repair", "GB--BIG5"}, kBig5AsGb, 0, "中華民國", ""},
    {"repair-dash-is-stdin", {"repair", "gb--big5", "-"}, kBig5AsGb, 0, "中華民國", ""},
    {"repair-lcid-numbers", {"repair", "lcid:2052:1028"}, kBig5AsGb, 0, "中華民國", ""},
    {"repair-lcid-short-names", {"repair", "lcid:GB:big5"}, kBig5AsGb, 0, "中華民國", ""},
    {"repair-cp", {"repair", "cp:1252:65001"}, "\xc3\x83\xc2\xa9", 0, "\xc3\xa9", ""},
    {"repair-menu-name", {"repair", "U--UBE"}, "\xe4\x84\x80", 0, "A", ""},
    {"repair-utf8-negative-id",
     {"repair", "lcid:2052:-3"},
     "\xe6\xb6\x93\xee\x85\x9f\xe6\x9e\x83",
     0,
     "中文",
     ""},
    {"lone-surrogate-passes",
     {"repair", "lcid:u:u"},
     "\xed\xa0\xbd"
     "a",
     0,
     "\xed\xa0\xbd"
     "a",
     ""},
    {"bom-at-input-start-dropped",
     {"repair", "lcid:u:u"},
     "\xEF\xBB\xBF"
     "ab\ncd",
     0,
     "ab\ncd",
     ""},
    // Input is cut after a line feed; a mark there is text, not a start.
    {"bom-after-the-cut-kept",
     {"repair", "lcid:u:u"},
     "ab\n\xEF\xBB\xBF"
     "cd",
     0,
     "ab\n\xEF\xBB\xBF"
     "cd",
     ""},
    {"unchanged-when-nothing-to-do", {"repair", "gb--big5"}, "plain", 0, "plain", ""},
    {"empty-input", {"repair", "gb--big5"}, "", 0, "", ""},
    {"unknown-repair-lists-names", {"repair", "gb--xx"}, "", 2, "", "gb--big5"},
    {"missing-name", {"repair"}, "", 2, "", "needs a NAME"},
    {"too-many-args", {"repair", "gb--big5", "a", "b"}, "", 2, "", "at most one FILE"},
    {"cp-with-letters", {"repair", "cp:abc:936"}, "", 2, "", "unknown repair"},
    {"lcid-three-parts", {"repair", "lcid:1:2:3"}, "", 2, "", "unknown repair"},
    {"missing-file", {"repair", "gb--big5", "/nonexistent/x"}, "", 2, "", "/nonexistent/x"},
    {"unknown-command", {"frob"}, "", 2, "", "unknown command frob"},
    {"no-command", {}, "", 2, "", "usage:"},
    {"unknown-option", {"repair", "--frob", "gb--big5"}, "", 2, "", "unknown option --frob"},
    {"option-without-value", {"repair", "gb--big5", "-o"}, "", 2, "", "needs a value"},
    {"list-takes-no-args", {"list", "x"}, "", 2, "", "no arguments"},
};

INSTANTIATE_TEST_SUITE_P(Cases, CliRun, testing::ValuesIn(kCases), CaseName<CliCase>);

TEST(Cli, ListGivesNameAndCaptionPerRepair) {
  Result r = RunTool({"list"});
  EXPECT_EQ(r.status, 0);
  EXPECT_EQ(std::count(r.out.begin(), r.out.end(), '\n'), 14);
  EXPECT_EQ(r.out.rfind("gb--big5\tGB--Big5 ：英文通顺", 0), 0u);
  EXPECT_NE(r.out.find("gb--utf8\tGB--UTF8 ：英文通顺,中文不通,稍密,间有 € ,或开头有 锘\n"),
            std::string::npos);
}

// The address space the process uses now, in bytes.
rlim_t AddressSpaceInUse() {
  std::ifstream statm("/proc/self/statm");
  std::size_t pages = 0;
  statm >> pages;
  return static_cast<rlim_t>(pages) * static_cast<rlim_t>(::sysconf(_SC_PAGESIZE));
}

// Runs the tool with `args` and little more address space than is in use
// now (too little for a thread's stack), and exits with its status.
[[noreturn]] void RunWithLittleMemory(std::vector<std::string> args) {
  const rlimit limit{AddressSpaceInUse() + (8 << 20), RLIM_INFINITY};
  ::setrlimit(RLIMIT_AS, &limit);
  args.insert(args.begin(), "tekvo-cli");
  std::vector<char*> argv;
  for (std::string& a : args) argv.push_back(a.data());
  std::exit(Main(static_cast<int>(argv.size()), argv.data()));
}

// An input larger than the memory at hand ends with a message and status 2,
// not an abort.
TEST(CliDeathTest, OutOfMemoryIsAMessage) {
  namespace fs = std::filesystem;
  fs::path dir = fs::temp_directory_path() / ("tekvo-cli-oom-" + std::to_string(::getpid()));
  fs::create_directories(dir);
  const std::string file = (dir / "big.txt").string();
  std::ofstream(file, std::ios::binary) << std::string(std::size_t{32} << 20, 'a');
  EXPECT_EXIT(RunWithLittleMemory({"repair", "cp:54936:950", file}), testing::ExitedWithCode(2),
              "not enough memory");
  fs::remove_all(dir);
}

// Where no worker thread can start, a streamed repair converts its pieces
// itself, with the same result.
TEST(CliDeathTest, StreamsWithoutWorkerThreads) {
  namespace fs = std::filesystem;
  fs::path dir = fs::temp_directory_path() / ("tekvo-cli-nothread-" + std::to_string(::getpid()));
  fs::create_directories(dir);
  const std::string in = (dir / "in.txt").string();
  const std::string out = (dir / "out.txt").string();
  std::string lines;
  while (lines.size() < (std::size_t{3} << 19)) lines += kBig5AsGb + " Plain ASCII.\n";
  std::ofstream(in, std::ios::binary) << lines;
  EXPECT_EXIT(RunWithLittleMemory({"repair", "gb--big5", in, "-o", out}),
              testing::ExitedWithCode(0), "");
  std::ifstream written(out, std::ios::binary);
  const std::string got((std::istreambuf_iterator<char>(written)), {});
  EXPECT_TRUE(got == RunTool({"repair", "gb--big5"}, lines).out) << "written: " << got.size();
  fs::remove_all(dir);
}

TEST(Cli, HelpGoesToStandardOutput) {
  Result r = RunTool({"--help"});
  EXPECT_EQ(r.status, 0);
  EXPECT_NE(r.out.find("repair NAME [FILE]"), std::string::npos);
}

TEST(Cli, VersionGoesToStandardOutput) {
  Result r = RunTool({"--version"});
  EXPECT_EQ(r.status, 0);
  EXPECT_EQ(r.out, "tekvo-cli 1.0\n");
  EXPECT_EQ(r.err, "");
}

TEST(Cli, ReadsFileAndWritesOutputFile) {
  namespace fs = std::filesystem;
  fs::path dir = fs::temp_directory_path() / ("tekvo-cli-test-" + std::to_string(::getpid()));
  fs::create_directories(dir);
  fs::path in = dir / "in.txt", out = dir / "out.txt";
  std::ofstream(in, std::ios::binary) << kBig5AsGb;
  Result r = RunTool({"repair", "-o", out.string(), "gb--big5", in.string()});
  EXPECT_EQ(r.status, 0) << r.err;
  EXPECT_EQ(r.out, "");
  std::ifstream f(out, std::ios::binary);
  std::string written((std::istreambuf_iterator<char>(f)), {});
  EXPECT_EQ(written, "中華民國");
  Result bad = RunTool({"repair", "gb--big5", in.string(), "-o", (dir / "no" / "x").string()});
  EXPECT_EQ(bad.status, 2);
  fs::remove_all(dir);
}

TEST(Cli, NoLengthLimit) {
  std::string input;
  for (int i = 0; i < 20000; ++i) input += kBig5AsGb;
  Result r = RunTool({"repair", "gb--big5"}, input);
  EXPECT_EQ(r.status, 0);
  EXPECT_EQ(r.out.size(), 20000u * std::string("中華民國").size());
}

// Large inputs are repaired in pieces; the output must be what the whole
// repair gives, for pairs with and without byte order marks, stray bytes and
// long lines.
TEST(Cli, PiecesGiveTheWholeRepair) {
  std::string big;
  for (int i = 0; i < 60000; ++i) {
    big += kBig5AsGb;
    if (i % 7 == 0) big += "\n";
    if (i % 1000 == 0) big += "\xEF\xBB\xBF\xC3";
  }
  for (const char* name : {"gb--big5", "en--utf8", "u--ube", "cp:936:65001"}) {
    auto choice = ParseRepairName(name);
    ASSERT_TRUE(choice) << name;
    Text whole = ApplyRepair(*choice, Utf8BytesToText(big), kNoLengthLimit).text;
    Result r = RunTool({"repair", name}, big);
    EXPECT_EQ(r.status, 0) << name;
    EXPECT_TRUE(r.out == TextToUtf8Bytes(whole)) << name;
  }
}

// Input is read a megabyte at a time; line feeds far apart, or none at all,
// must not change where the text is cut or what comes out.
TEST(Cli, LongLinesAcrossReadsGiveTheWholeRepair) {
  auto run_of = [](std::size_t bytes) {
    std::string s;
    while (s.size() < bytes) s += kBig5AsGb;
    return s;
  };
  const std::size_t mib = std::size_t{1} << 20;
  struct LayoutCase {
    const char* name;
    std::string input;
  };
  const LayoutCase cases[] = {
      {"no-line-feed", run_of(3 * mib)},
      {"line-feed-after-long-run", run_of(2 * mib + 5) + "\n" + run_of(mib / 2)},
      {"line-feed-at-read-boundary", run_of(mib - 1) + "\n" + run_of(mib + 7) + "\n"},
      {"long-runs-then-short-lines",
       run_of(3 * mib / 2) + "\n" + run_of(5 * mib / 2) + "\nab\ncd\n" + run_of(100)},
  };
  for (const auto& c : cases) {
    auto choice = ParseRepairName("gb--big5");
    ASSERT_TRUE(choice);
    Text whole = ApplyRepair(*choice, Utf8BytesToText(c.input), kNoLengthLimit).text;
    Result r = RunTool({"repair", "gb--big5"}, c.input);
    EXPECT_EQ(r.status, 0) << c.name;
    EXPECT_TRUE(r.out == TextToUtf8Bytes(whole)) << c.name;
  }
}

struct SpecCase {
  const char* name;
  std::string text;
  bool ok;
  RepairKind kind;
  std::int32_t a, b;
};

TEST(RepairChoice, Parses) {
  using enum RepairKind;
  const SpecCase cases[] = {
      {"fixed", "ko--gb", true, kLocale, 1042, 2052},
      {"fixed-menu-name", "俄文--GB", true, kLocale, 1049, 2052},
      {"lcid-negative", "lcid:-2:-1", true, kLocale, -2, -1},
      {"lcid-upper-prefix", "LCID:th:vi", true, kLocale, 1054, 1066},
      {"lcid-plus-sign", "lcid:+1041:2052", true, kLocale, 1041, 2052},
      {"cp", "cp:20866:1251", true, kCodePage, 20866, 1251},
      {"cp-names-not-allowed", "cp:gb:big5", false, kCodePage, 0, 0},
      {"cp-overflow", "cp:2147483648:1", false, kCodePage, 0, 0},
      {"cp-min-int", "cp:-2147483648:1", true, kCodePage, INT32_MIN, 1},
      {"lcid-empty-side", "lcid::2052", false, kLocale, 0, 0},
      {"lcid-double-sign", "lcid:+-1:2", false, kLocale, 0, 0},
      {"nothing", "", false, kLocale, 0, 0},
  };
  for (const auto& c : cases) {
    auto choice = ParseRepairName(c.text);
    ASSERT_EQ(choice.has_value(), c.ok) << c.name;
    if (!choice) continue;
    EXPECT_EQ(choice->kind, c.kind) << c.name;
    EXPECT_EQ(choice->a, c.a) << c.name;
    EXPECT_EQ(choice->b, c.b) << c.name;
  }
}

TEST(Args, OptionsAnywhereAndEqualsForm) {
  std::string error;
  std::vector<std::string> args = {"repair", "-o", "x", "gb--big5", "--", "-o"};
  auto parsed = ParseArgs(args, error);
  ASSERT_TRUE(parsed) << error;
  EXPECT_EQ(parsed->command, "repair");
  EXPECT_EQ(parsed->Option("-o"), "x");
  EXPECT_EQ(parsed->positional, (std::vector<std::string>{"gb--big5", "-o"}));
  std::vector<std::string> twice = {"repair", "-o", "x", "-o", "y"};
  EXPECT_FALSE(ParseArgs(twice, error));
  EXPECT_NE(error.find("twice"), std::string::npos);
}

}  // namespace
}  // namespace tekvo::cli

// tekvo-cli repairing a 64 MiB file whole, against uconv doing the same two
// conversions (UTF-8 to GBK, then Big5 to UTF-8) in a pipe. Target: the
// tool at least as fast as uconv. The work happens in child processes, so
// each run reports the CPU time its children used ("child_cpu_ms") and the
// tool's runs compare theirs with uconv's.
#include <benchmark/benchmark.h>
#include <signal.h>
#include <unistd.h>

#include <cerrno>
#include <cstdlib>
#include <filesystem>
#include <fstream>
#include <string>
#include <system_error>

#include "bench/bench_target.h"
#include "engine/codepage.h"

namespace tekvo {
namespace {

namespace fs = std::filesystem;

constexpr std::size_t kFileSize = std::size_t{64} << 20;

// Big5 text shown as GB, as UTF-8, written once per run: in lines, or as
// one line with no line feed at all (the tool cannot cut that into pieces).
constexpr std::string_view kDirPrefix = "tekvo-bench-";

fs::path BenchDir() {
  return fs::temp_directory_path() / (std::string(kDirPrefix) + std::to_string(::getpid()));
}

void RemoveBenchDir() {
  std::error_code ec;
  fs::remove_all(BenchDir(), ec);
}

// An interrupted run (Ctrl+C, a timeout) would otherwise leave its 128 MiB
// behind: remove the folder, then die of the signal as before.
extern "C" void RemoveAndReraise(int sig) {
  RemoveBenchDir();
  ::signal(sig, SIG_DFL);
  ::raise(sig);
}

// Folders of earlier runs that were killed outright (SIGKILL) and whose
// process is gone.
void RemoveStaleBenchDirs() {
  std::error_code ec;
  for (const auto& entry : fs::directory_iterator(fs::temp_directory_path(), ec)) {
    const std::string name = entry.path().filename().string();
    if (name.rfind(kDirPrefix, 0) != 0) continue;
    char* end = nullptr;
    const long pid = std::strtol(name.c_str() + kDirPrefix.size(), &end, 10);
    if (end == nullptr || *end != '\0' || pid <= 0) continue;
    if (::kill(static_cast<pid_t>(pid), 0) == 0 || errno != ESRCH) continue;
    std::error_code ignored;
    fs::remove_all(entry.path(), ignored);
  }
}

fs::path WriteGarbledFile(const char* name, bool line_feeds) {
  static const bool made = [] {
    RemoveStaleBenchDirs();
    fs::create_directories(BenchDir());
    std::atexit(RemoveBenchDir);
    for (int sig : {SIGINT, SIGTERM, SIGHUP}) ::signal(sig, RemoveAndReraise);
    return true;
  }();
  (void)made;
  ByteString big5 =
      TextToCodePageBytes(line_feeds ? u"中華民國的歷史悠久，文化豐富。Plain ASCII too.\n"
                                     : u"中華民國的歷史悠久，文化豐富。Plain ASCII too. ",
                          950);
  ByteString line = TextToUtf8Bytes(CodePageBytesToText(big5, 936));
  ByteString all;
  all.reserve(kFileSize + line.size());
  while (all.size() < kFileSize) all += line;
  fs::path file = BenchDir() / name;
  std::ofstream(file, std::ios::binary).write(all.data(), static_cast<std::streamsize>(all.size()));
  return file;
}

const fs::path& GarbledFile() {
  static const fs::path path = WriteGarbledFile("garbled.txt", true);
  return path;
}

const fs::path& OneLineGarbledFile() {
  static const fs::path path = WriteGarbledFile("one-line.txt", false);
  return path;
}

// CPU time per run of uconv's pipe, once its benchmark has run; 0 before.
double uconv_cpu_per_run = 0;

// Runs `command` once per iteration and returns the CPU time its children
// used per run.
double RunShell(benchmark::State& state, const std::string& command,
                const fs::path& file = GarbledFile()) {
  const double before = bench::ChildrenCpuSeconds();
  for (auto _ : state) {
    if (std::system(command.c_str()) != 0) {
      state.SkipWithError(("failed: " + command).c_str());
      return 0;
    }
  }
  const double per_run =
      (bench::ChildrenCpuSeconds() - before) / static_cast<double>(state.iterations());
  state.counters["child_cpu_ms"] = per_run * 1e3;
  state.SetBytesProcessed(state.iterations() * static_cast<int64_t>(fs::file_size(file)));
  return per_run;
}

// Runs before the tool's benchmarks so they have a time to compare with.
void BM_UconvSameTwoConversions(benchmark::State& state) {
  if (std::system("command -v uconv > /dev/null 2>&1") != 0) {
    state.SkipWithError("uconv is not installed");
    return;
  }
  uconv_cpu_per_run =
      RunShell(state, "uconv -f UTF-8 -t windows-936-2000 '" + GarbledFile().string() +
                          "' | uconv -f windows-950-2000 -t UTF-8 > /dev/null");
}
BENCHMARK(BM_UconvSameTwoConversions)->Unit(benchmark::kMillisecond)->UseRealTime()->Iterations(3);

void RunTool(benchmark::State& state, const fs::path& file) {
  const double cpu = RunShell(
      state, std::string(TEKVO_CLI_PATH) + " repair gb--big5 '" + file.string() + "' > /dev/null",
      file);
  if (cpu <= 0) return;
  if (uconv_cpu_per_run <= 0) {
    state.SetLabel("no uconv time to compare with");
    return;
  }
  state.counters["target_ratio"] = cpu / uconv_cpu_per_run;
  state.SetLabel(std::string(cpu <= uconv_cpu_per_run ? "PASS" : "FAIL") + " CPU " +
                 std::to_string(static_cast<int>(cpu * 1e3)) + " ms vs uconv " +
                 std::to_string(static_cast<int>(uconv_cpu_per_run * 1e3)) + " ms");
}

void BM_TekvoCliRepairGbBig5(benchmark::State& state) { RunTool(state, GarbledFile()); }
BENCHMARK(BM_TekvoCliRepairGbBig5)->Unit(benchmark::kMillisecond)->UseRealTime()->Iterations(3);

// The whole file is one line: it must still take time in proportion to its
// size.
void BM_TekvoCliRepairGbBig5OneLine(benchmark::State& state) {
  RunTool(state, OneLineGarbledFile());
}
BENCHMARK(BM_TekvoCliRepairGbBig5OneLine)
    ->Unit(benchmark::kMillisecond)
    ->UseRealTime()
    ->Iterations(3);

}  // namespace
}  // namespace tekvo

// tekvo-cli repairing a 64 MiB file whole, against uconv doing the same two
// conversions (UTF-8 to GBK, then Big5 to UTF-8) in a pipe. Target: the
// tool at least as fast as uconv.
#include <benchmark/benchmark.h>
#include <unistd.h>

#include <cstdlib>
#include <filesystem>
#include <fstream>
#include <string>

#include "engine/codepage.h"

namespace tekvo {
namespace {

namespace fs = std::filesystem;

constexpr std::size_t kFileSize = std::size_t{64} << 20;

// Big5 text shown as GB, as UTF-8, written once per run: in lines, or as
// one line with no line feed at all (the tool cannot cut that into pieces).
fs::path BenchDir() {
  return fs::temp_directory_path() / ("tekvo-bench-" + std::to_string(::getpid()));
}

fs::path WriteGarbledFile(const char* name, bool line_feeds) {
  static const bool made = [] {
    fs::create_directories(BenchDir());
    std::atexit([] { fs::remove_all(BenchDir()); });
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

void RunShell(benchmark::State& state, const std::string& command,
              const fs::path& file = GarbledFile()) {
  for (auto _ : state) {
    if (std::system(command.c_str()) != 0) {
      state.SkipWithError(("failed: " + command).c_str());
      break;
    }
  }
  state.SetBytesProcessed(state.iterations() * static_cast<int64_t>(fs::file_size(file)));
}

void BM_TekvoCliRepairGbBig5(benchmark::State& state) {
  RunShell(state, std::string(TEKVO_CLI_PATH) + " repair gb--big5 '" + GarbledFile().string() +
                      "' > /dev/null");
}
BENCHMARK(BM_TekvoCliRepairGbBig5)->Unit(benchmark::kMillisecond)->UseRealTime()->Iterations(3);

// The whole file is one line: it must still take time in proportion to its
// size.
void BM_TekvoCliRepairGbBig5OneLine(benchmark::State& state) {
  RunShell(state,
           std::string(TEKVO_CLI_PATH) + " repair gb--big5 '" + OneLineGarbledFile().string() +
               "' > /dev/null",
           OneLineGarbledFile());
}
BENCHMARK(BM_TekvoCliRepairGbBig5OneLine)
    ->Unit(benchmark::kMillisecond)
    ->UseRealTime()
    ->Iterations(3);

void BM_UconvSameTwoConversions(benchmark::State& state) {
  if (std::system("command -v uconv > /dev/null 2>&1") != 0) {
    state.SkipWithError("uconv is not installed");
    return;
  }
  RunShell(state, "uconv -f UTF-8 -t windows-936-2000 '" + GarbledFile().string() +
                      "' | uconv -f windows-950-2000 -t UTF-8 > /dev/null");
}
BENCHMARK(BM_UconvSameTwoConversions)->Unit(benchmark::kMillisecond)->UseRealTime()->Iterations(3);

}  // namespace
}  // namespace tekvo

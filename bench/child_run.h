// Benchmarks that run tekvo-cli whole, in a process of its own, against a
// peer doing the same work in the same run: the 64 MiB files they read, and
// the wall time, CPU time and peak memory of the child processes.
#ifndef TEKVO_BENCH_CHILD_RUN_H_
#define TEKVO_BENCH_CHILD_RUN_H_

#include <benchmark/benchmark.h>
#include <signal.h>
#include <sys/resource.h>
#include <sys/wait.h>
#include <unistd.h>

#include <algorithm>
#include <cerrno>
#include <chrono>
#include <cstdio>
#include <cstdlib>
#include <filesystem>
#include <fstream>
#include <map>
#include <string>
#include <string_view>
#include <system_error>

#include "engine/text/text.h"

namespace tekvo::bench {

namespace fs = std::filesystem;

inline constexpr std::size_t kFileSize = std::size_t{64} << 20;
inline constexpr double kPeakTargetMib = 64;

inline constexpr std::string_view kDirPrefix = "tekvo-bench-";

inline fs::path BenchDir() {
  return fs::temp_directory_path() / (std::string(kDirPrefix) + std::to_string(::getpid()));
}

inline void RemoveBenchDir() {
  std::error_code ec;
  fs::remove_all(BenchDir(), ec);
}

// An interrupted run (Ctrl+C, a timeout) would otherwise leave its files
// behind: remove the folder, then die of the signal as before.
extern "C" inline void RemoveAndReraise(int sig) {
  RemoveBenchDir();
  ::signal(sig, SIG_DFL);
  ::raise(sig);
}

// Folders of earlier runs that were killed outright (SIGKILL) and whose
// process is gone.
inline void RemoveStaleBenchDirs() {
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

inline fs::path WriteRepeated(const char* name, const ByteString& unit) {
  static const bool made = [] {
    RemoveStaleBenchDirs();
    fs::create_directories(BenchDir());
    std::atexit(RemoveBenchDir);
    for (int sig : {SIGINT, SIGTERM, SIGHUP}) ::signal(sig, RemoveAndReraise);
    return true;
  }();
  (void)made;
  ByteString all;
  all.reserve(kFileSize + unit.size());
  while (all.size() < kFileSize) all += unit;
  fs::path file = BenchDir() / name;
  std::ofstream(file, std::ios::binary).write(all.data(), static_cast<std::streamsize>(all.size()));
  return file;
}

struct RunStats {
  double wall = 0;  // seconds
  double cpu = 0;   // seconds, user and system, of every process of the run
  double peak = 0;  // MiB, the largest resident set of any one of them
  bool ok = false;
};

inline double Seconds(const timeval& tv) {
  return static_cast<double>(tv.tv_sec) + static_cast<double>(tv.tv_usec) * 1e-6;
}

// Runs `command` in a shell of its own, so that its resource use is that
// process's and its children's alone.
inline RunStats RunOnce(const std::string& command) {
  RunStats stats;
  const auto start = std::chrono::steady_clock::now();
  const pid_t pid = ::fork();
  if (pid < 0) return stats;
  if (pid == 0) {
    ::execl("/bin/sh", "sh", "-c", command.c_str(), static_cast<char*>(nullptr));
    ::_exit(127);
  }
  int status = 0;
  rusage ru{};
  if (::wait4(pid, &status, 0, &ru) != pid) return stats;
  stats.wall = std::chrono::duration<double>(std::chrono::steady_clock::now() - start).count();
  stats.cpu = Seconds(ru.ru_utime) + Seconds(ru.ru_stime);
  stats.peak = static_cast<double>(ru.ru_maxrss) / 1024.0;  // kilobytes on Linux
  stats.ok = WIFEXITED(status) && WEXITSTATUS(status) == 0;
  return stats;
}

// Each peer's figures per run, once its benchmark has run.
inline std::map<std::string, RunStats>& Peers() {
  static std::map<std::string, RunStats> peers;
  return peers;
}

// Runs `command` once per iteration; reports mean wall and CPU time and the
// largest peak, and gives them back.
inline RunStats Measure(benchmark::State& state, const std::string& command, const fs::path& file) {
  RunStats total;
  total.ok = true;
  for (auto _ : state) {
    const RunStats one = RunOnce(command);
    if (!one.ok) {
      state.SkipWithError(("failed: " + command).c_str());
      return {};
    }
    state.SetIterationTime(one.wall);
    total.wall += one.wall;
    total.cpu += one.cpu;
    total.peak = std::max(total.peak, one.peak);
  }
  const auto runs = static_cast<double>(state.iterations());
  total.wall /= runs;
  total.cpu /= runs;
  state.counters["wall_ms"] = total.wall * 1e3;
  state.counters["child_cpu_ms"] = total.cpu * 1e3;
  state.counters["peak_mib"] = total.peak;
  state.SetBytesProcessed(state.iterations() * static_cast<int64_t>(fs::file_size(file)));
  return total;
}

inline bool Have(const std::string& program) {
  return std::system(("command -v " + program + " > /dev/null 2>&1").c_str()) == 0;
}

inline void RunPeer(benchmark::State& state, const std::string& name, const std::string& command,
                    const fs::path& file, const std::string& program = "uconv") {
  if (!Have(program)) {
    state.SkipWithError((program + " is not installed").c_str());
    return;
  }
  const RunStats stats = Measure(state, command, file);
  if (stats.ok) Peers()[name] = stats;
}

inline std::string Quoted(const fs::path& file) { return "'" + file.string() + "'"; }

inline std::string Fixed(double value, int digits) {
  char text[32];
  std::snprintf(text, sizeof text, "%.*f", digits, value);
  return text;
}

// `args` run on `file` by the tool, compared with the peer `peer`; a wall
// time target as a share of the peer's, or 0 for none.
inline void RunTool(benchmark::State& state, const std::string& args, const fs::path& file,
                    const std::string& peer, double wall_target) {
  const RunStats tool = Measure(
      state, std::string(TEKVO_CLI_PATH) + " " + args + " " + Quoted(file) + " > /dev/null", file);
  if (!tool.ok) return;
  bool pass = tool.peak <= kPeakTargetMib;
  std::string label = "peak " + Fixed(tool.peak, 1) + " MiB";
  const auto it = Peers().find(peer);
  if (it == Peers().end()) {
    state.SetLabel(std::string(pass ? "PASS " : "FAIL ") + label + ", no uconv to compare with");
    return;
  }
  const RunStats& ref = it->second;
  const double wall_ratio = tool.wall / ref.wall;
  state.counters["wall_ratio"] = wall_ratio;
  state.counters["cpu_ratio"] = tool.cpu / ref.cpu;
  state.counters["peak_ratio"] = tool.peak / ref.peak;
  if (wall_target > 0) {
    state.counters["target_ratio"] = wall_ratio / wall_target;
    pass = pass && wall_ratio <= wall_target;
  }
  label += "; wall " + Fixed(wall_ratio, 2) + ", CPU " + Fixed(tool.cpu / ref.cpu, 2) + ", peak " +
           Fixed(tool.peak / ref.peak, 2) + " of " + peer;
  if (wall_target > 0) label += " (wall target " + Fixed(wall_target, 1) + ")";
  state.SetLabel(std::string(pass ? "PASS " : "FAIL ") + label);
}

#define TEKVO_CHILD_BENCHMARK(fn) \
  BENCHMARK(fn)->Unit(benchmark::kMillisecond)->UseManualTime()->Iterations(3)

}  // namespace tekvo::bench

#endif  // TEKVO_BENCH_CHILD_RUN_H_

// Speed targets for the benchmarks: a benchmark measures the CPU time its
// timed loop takes and states in its label whether the time per iteration
// is within the target ("PASS 41.2 us <= 100 us" or "FAIL ..."). The check
// reports; it never fails the run, so a loaded machine cannot break a build.
//
// CPU time, not wall time, is what is compared: the machines these run on
// are shared, and a busy neighbour stretches wall time but not CPU time.
#ifndef TEKVO_BENCH_BENCH_TARGET_H_
#define TEKVO_BENCH_BENCH_TARGET_H_

#include <benchmark/benchmark.h>
#include <sys/resource.h>
#include <time.h>

#include <cstdio>
#include <string>

namespace tekvo::bench {

// CPU time this process has used so far, in seconds.
inline double ProcessCpuSeconds() {
  timespec ts{};
  clock_gettime(CLOCK_PROCESS_CPUTIME_ID, &ts);
  return static_cast<double>(ts.tv_sec) + static_cast<double>(ts.tv_nsec) * 1e-9;
}

// CPU time used so far by the children this process has waited for (the
// shell, the tool and every stage of a pipe), in seconds.
inline double ChildrenCpuSeconds() {
  rusage ru{};
  getrusage(RUSAGE_CHILDREN, &ru);
  auto seconds = [](const timeval& tv) {
    return static_cast<double>(tv.tv_sec) + static_cast<double>(tv.tv_usec) * 1e-6;
  };
  return seconds(ru.ru_utime) + seconds(ru.ru_stime);
}

// "PASS 41.2 us <= 100 us": the verdict for `seconds` per iteration against
// `target_seconds`, both shown in the unit that suits the target.
inline std::string Verdict(double seconds, double target_seconds) {
  const bool micro = target_seconds < 1e-3;
  const double scale = micro ? 1e6 : 1e3;
  const char* unit = micro ? "us" : "ms";
  char buf[96];
  std::snprintf(buf, sizeof buf, "%s %.4g %s %s %.4g %s",
                seconds <= target_seconds ? "PASS" : "FAIL", seconds * scale, unit,
                seconds <= target_seconds ? "<=" : ">", target_seconds * scale, unit);
  return buf;
}

// Create right before the timed loop, call Finish() right after it. Finish()
// labels the run with the verdict (after `label` when one is given) and sets
// the counter "target_ratio": CPU time per iteration over the target, so
// anything up to 1 meets it.
class TargetCheck {
 public:
  TargetCheck(benchmark::State& state, double target_seconds)
      : state_(state), target_(target_seconds), start_(ProcessCpuSeconds()) {}

  void Finish(const std::string& label = {}) {
    if (state_.iterations() == 0) return;
    const double per_iteration =
        (ProcessCpuSeconds() - start_) / static_cast<double>(state_.iterations());
    state_.counters["target_ratio"] = per_iteration / target_;
    state_.SetLabel((label.empty() ? "" : label + " ") + Verdict(per_iteration, target_));
  }

 private:
  benchmark::State& state_;
  double target_;
  double start_;
};

}  // namespace tekvo::bench

#endif  // TEKVO_BENCH_BENCH_TARGET_H_

// Measures the first reading run (as the window reads: lines counted for
// the progress bar), with the quoted-line test that tobrel-cli sets up for
// the default pattern, against `wc -l` on the same files in the same run:
// on one large generated log, on many small ones of the same total size,
// and on a file of nothing but line ends; with the peak memory of each
// against the size. The targets: logs at most 4 times `wc -l` elapsed and
// 6 times in processor time, the line ends at most 6 times. The first two
// cases are also read through the cache of parsed logs: once filling it
// (against reading without it) and once loading every log from it (against
// `wc -l`), with the size of the cache against that of the logs.
//   tobrel-read-bench [MEGABYTES [FILES [ENDS [AHEAD]]]]   (defaults 200, 100, 50, 1)
// The many-files case reads FILES logs of 2 MB each, the last case a file of
// ENDS MB of LF bytes; 0 leaves a case out. AHEAD 0 reads one file at a
// time, without the second thread. Times are the best of
// three rounds, as elapsed time and as processor time (user and system),
// which a machine busy with other work disturbs less. Generated logs are
// kept in the temporary folder and reused.
#include <sys/resource.h>
#include <unistd.h>

#include <cstdio>
#include <cstdlib>
#include <filesystem>
#include <fstream>
#include <optional>
#include <string>
#include <vector>

#include "bench/bench_support.h"
#include "core/log_cache.h"
#include "core/read_run.h"
#include "regex/quote_pattern.h"
#include "tally/quoted_line_test.h"

namespace {

using tobrel::bench::Clock;
using tobrel::bench::SecondsSince;

// Processor seconds of this process or of its waited-for children.
double CpuSeconds(int who) {
  rusage usage{};
  getrusage(who, &usage);
  auto seconds = [](const timeval& t) { return t.tv_sec + t.tv_usec / 1e6; };
  return seconds(usage.ru_utime) + seconds(usage.ru_stime);
}

// The peak resident size since the last ResetPeak(), in MB.
double PeakMegabytes() {
  std::ifstream status("/proc/self/status");
  std::string line;
  while (std::getline(status, line))
    if (line.rfind("VmHWM:", 0) == 0) return std::strtod(line.c_str() + 6, nullptr) / 1024.0;
  return 0;
}
double ResidentMegabytes() {
  std::ifstream status("/proc/self/status");
  std::string line;
  while (std::getline(status, line))
    if (line.rfind("VmRSS:", 0) == 0) return std::strtod(line.c_str() + 6, nullptr) / 1024.0;
  return 0;
}
void ResetPeak() { std::ofstream("/proc/self/clear_refs") << "5"; }

struct Best {
  double wall = 1e9, cpu = 1e9;
  void Take(double w, double c) {
    wall = std::min(wall, w);
    cpu = std::min(cpu, c);
  }
};

// Reads `paths` as one run and compares with `wc -l` over the same files.
bool read_ahead = true;

// One reading run over `paths`; gives the postings, or exits when it fails.
std::size_t ReadOnce(const std::vector<std::filesystem::path>& paths, const tobrel::TLineMatcher& quote,
                     const std::optional<tobrel::LogCacheUse>& cache, Best& best) {
  tobrel::LogStore store;
  tobrel::ReadRunInputs inputs;
  for (const auto& path : paths) inputs.candidates.push_back({path.string(), true});
  inputs.is_quoted = tobrel::MakeQuotedLineTest(quote);
  inputs.read_ahead = read_ahead;
  inputs.cache = cache;
  tobrel::ReadRunObserver observer;
  tobrel::FixedClock today(*tobrel::EncodeDateTime({2026, 12, 10, 0, 0, 0}));
  const auto start = Clock::now();
  const double cpu = CpuSeconds(RUSAGE_SELF);
  if (tobrel::ReadLogFiles(store, inputs, today, observer).stopped_by) std::exit(1);
  best.Take(SecondsSince(start), CpuSeconds(RUSAGE_SELF) - cpu);
  return store.Postings.size();
}

struct Targets {
  double elapsed, processor;
};
constexpr Targets kLogTargets{4, 6};
constexpr Targets kLineEndTargets{6, 6};

void Measure(const char* name, const std::vector<std::filesystem::path>& paths,
             const Targets& targets, bool cached_too) {
  double bytes = 0;
  std::string wc = "wc -l";
  for (const auto& path : paths) {
    bytes += static_cast<double>(std::filesystem::file_size(path));
    wc += " '" + path.string() + "'";
  }
  wc += " > /dev/null";
  const double file_mb = bytes / 1e6;
  tobrel::TLineMatcher quote;
  quote.SetRegExp(tobrel::kDefaultQuotePattern);
  Best wc_best, read_best;
  std::size_t postings = 0;
  double peak_mb = 0;
  for (int round = 0; round < 3; ++round) {
    auto start = Clock::now();
    double cpu = CpuSeconds(RUSAGE_CHILDREN);
    if (std::system(wc.c_str()) != 0) std::exit(1);
    wc_best.Take(SecondsSince(start), CpuSeconds(RUSAGE_CHILDREN) - cpu);

    const double baseline_mb = ResidentMegabytes();
    ResetPeak();
    {
      tobrel::LogStore store;
      tobrel::ReadRunInputs inputs;
      for (const auto& path : paths) inputs.candidates.push_back({path.string(), true});
      inputs.is_quoted = tobrel::MakeQuotedLineTest(quote);
      inputs.read_ahead = read_ahead;
      tobrel::ReadRunObserver observer;
      tobrel::FixedClock today(*tobrel::EncodeDateTime({2026, 12, 10, 0, 0, 0}));
      start = Clock::now();
      cpu = CpuSeconds(RUSAGE_SELF);
      if (tobrel::ReadLogFiles(store, inputs, today, observer).stopped_by) std::exit(1);
      read_best.Take(SecondsSince(start), CpuSeconds(RUSAGE_SELF) - cpu);
      postings = store.Postings.size();
    }
    peak_mb = std::max(peak_mb, PeakMegabytes() - baseline_mb);
  }
  // Through the cache: filled from empty each round, then loaded from.
  Best fill_best, load_best;
  double cache_mb = 0;
  if (cached_too) {
    const auto folder = std::filesystem::temp_directory_path() /
                        ("tobrel-bench-cache-" + std::to_string(::getpid()));
    const tobrel::LogCacheUse cache{folder, tobrel::kDefaultLogCacheCap, "default"};
    for (int round = 0; round < 3; ++round) {
      tobrel::ClearLogCache(folder);
      ReadOnce(paths, quote, cache, fill_best);
      if (ReadOnce(paths, quote, cache, load_best) != postings) std::exit(1);
    }
    cache_mb = static_cast<double>(tobrel::SummarizeLogCache(folder).bytes) / 1e6;
    tobrel::ClearLogCache(folder);
    std::filesystem::remove(folder);
  }
  std::printf("%s: %zu file(s), %.1f MB, %zu postings\n", name, paths.size(), file_mb, postings);
  std::printf("  wc -l          %.3f s elapsed, %.3f s processor\n", wc_best.wall, wc_best.cpu);
  std::printf("  reading run    %.3f s elapsed, %.3f s processor  (%.0f MB/s)\n", read_best.wall,
              read_best.cpu, file_mb / read_best.wall);
  std::printf("  time ratio     %.2f elapsed, %.2f processor  (targets <= %.0f, <= %.0f)\n",
              read_best.wall / wc_best.wall, read_best.cpu / std::max(wc_best.cpu, 1e-3),
              targets.elapsed, targets.processor);
  std::printf("  peak memory    %.1f MB = %.2f x file size\n", peak_mb, peak_mb / file_mb);
  if (!cached_too) return;
  std::printf("  filling cache  %.3f s elapsed, %.3f s processor  (%.2f x reading without it)\n",
              fill_best.wall, fill_best.cpu, fill_best.wall / read_best.wall);
  std::printf("  from the cache %.3f s elapsed, %.3f s processor  (%.2f x wc -l elapsed, %.2f processor)\n",
              load_best.wall, load_best.cpu, load_best.wall / wc_best.wall,
              load_best.cpu / std::max(wc_best.cpu, 1e-3));
  std::printf("  cache size     %.1f MB = %.2f x file size\n", cache_mb, cache_mb / file_mb);
}

}  // namespace

int main(int argc, char** argv) {
  using namespace tobrel::bench;
  const std::uint64_t megabytes = argc > 1 ? std::strtoull(argv[1], nullptr, 10) : 200;
  const std::uint64_t files = argc > 2 ? std::strtoull(argv[2], nullptr, 10) : 100;
  const std::uint64_t ends_mb = argc > 3 ? std::strtoull(argv[3], nullptr, 10) : 50;
  read_ahead = argc > 4 ? std::strtoull(argv[4], nullptr, 10) != 0 : true;
  Measure("one log", {LargeLog(megabytes)}, kLogTargets, true);
  tobrel::LogGeneratorOptions options = LargeLogOptions(megabytes);

  std::vector<std::filesystem::path> small;
  for (std::uint64_t i = 0; i < files; ++i) {
    options.seed = 1000 + i;
    options.min_bytes = 2000000;
    small.push_back(GeneratedLog("tobrel-bench-2mb.log", options));
  }
  if (!small.empty()) Measure("many logs", small, kLogTargets, true);

  // Nothing but line ends: the most lines a file of its size can hold.
  if (ends_mb == 0) return 0;
  const auto ends = std::filesystem::temp_directory_path() /
                    ("tobrel-bench-" + std::to_string(ends_mb) + "mb-line-ends.log");
  if (!std::filesystem::exists(ends) || std::filesystem::file_size(ends) != ends_mb * 1000000) {
    std::ofstream out(ends, std::ios::binary);
    const std::string chunk(1000000, '\n');
    for (std::uint64_t i = 0; i < ends_mb; ++i) out << chunk;
  }
  Measure("line ends only", {ends}, kLineEndTargets, false);
  return 0;
}

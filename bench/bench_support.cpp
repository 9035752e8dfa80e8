#include "bench/bench_support.h"

#include <algorithm>
#include <cstdio>
#include <cstdlib>
#include <ctime>
#include <fstream>

#include "core/read_run.h"
#include "platform/atomic_file.h"

namespace tobrel::bench {

double SecondsSince(Clock::time_point start) {
  return std::chrono::duration<double>(Clock::now() - start).count();
}

LogGeneratorOptions ArchiveLog(std::uint64_t postings, std::uint64_t seed) {
  LogGeneratorOptions options;
  options.seed = seed;
  options.postings = postings;
  options.ids = static_cast<int>(std::max<std::uint64_t>(postings / 10, 10));
  options.rooms = 20;
  options.first_year = 1990;
  return options;
}

LogGeneratorOptions LargeLogOptions(std::uint64_t megabytes) {
  LogGeneratorOptions options;
  options.seed = 42;
  options.min_bytes = megabytes * 1000000;
  options.ids = 5000;
  options.rooms = 20;
  return options;
}

std::filesystem::path LargeLog(std::uint64_t megabytes) {
  return GeneratedLog("tobrel-bench-" + std::to_string(megabytes) + "mb.log",
                      LargeLogOptions(megabytes));
}

std::filesystem::path GeneratedLog(const std::string& name, const LogGeneratorOptions& options) {
  const std::string key = "-v" + std::to_string(kLogGeneratorVersion) + "-s" +
                          std::to_string(options.seed) + "-p" + std::to_string(options.postings) +
                          "-b" + std::to_string(options.min_bytes) + "-r" +
                          std::to_string(options.rooms) + "-i" + std::to_string(options.ids) +
                          "-y" + std::to_string(options.first_year) + (options.crlf ? "-crlf" : "-lf");
  const std::filesystem::path named(name);
  const auto path = std::filesystem::temp_directory_path() /
                    (named.stem().string() + key + named.extension().string());
  if (!std::filesystem::exists(path))
    WriteFileAtomically(path, [&](std::ostream& out) { GenerateLog(options, out); });
  return path;
}

double ReadIntoStore(const std::filesystem::path& path, LogStore& store) {
  ReadRunInputs inputs;
  inputs.candidates.push_back({path.string(), true});
  ReadRunObserver observer;
  const FixedClock today(*EncodeDateTime({2026, 12, 10, 0, 0, 0}));
  const auto start = Clock::now();
  if (ReadLogFiles(store, inputs, today, observer).stopped_by) {
    std::fprintf(stderr, "cannot read %s\n", path.c_str());
    std::exit(1);
  }
  return SecondsSince(start);
}

namespace {

double ThreadCpuSeconds() {
  timespec now{};
  clock_gettime(CLOCK_THREAD_CPUTIME_ID, &now);
  return static_cast<double>(now.tv_sec) + static_cast<double>(now.tv_nsec) * 1e-9;
}

}  // namespace

double BestOfRuns(const LogStore& store, int rounds,
                  const std::function<std::size_t(LogStore& copy)>& run, std::size_t& lines,
                  double* best_cpu_seconds) {
  double best = 1e9, best_cpu = 1e9;
  for (int round = 0; round < rounds; ++round) {
    LogStore copy;
    copy.Postings = store.Postings;
    const auto start = Clock::now();
    const double cpu_start = ThreadCpuSeconds();
    lines = run(copy);
    best_cpu = std::min(best_cpu, ThreadCpuSeconds() - cpu_start);
    best = std::min(best, SecondsSince(start));
  }
  if (best_cpu_seconds) *best_cpu_seconds = best_cpu;
  return best;
}

}  // namespace tobrel::bench

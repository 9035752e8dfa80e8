// Measures that the work per log stays flat as the number of logs grows:
//   - loading a read-data file whose "[Files]" part lists N paths (and
//     holds one posting per path), into an empty store and candidate list;
//   - a reading run over N small logs (one posting each) named as
//     candidates, every one of them listed twice, so that each is read once.
// N is 1,000, 10,000 and 100,000; the counter "per_item" is the time per
// path or per log, which should not grow with N. The logs are written once
// into a folder of the temporary folder and kept for the next runs.
// Also a reading run over 100 generated logs of 2 MB, without the cache of
// parsed logs, filling it, and loading every log from it; the counter
// "x_wc_l" is its best elapsed time against that of `wc -l` over the same
// logs, timed in the same run (best of three).
//   tobrel-many-files-bench [Google Benchmark options]
#include <benchmark/benchmark.h>

#include <algorithm>
#include <cstdio>
#include <cstdlib>
#include <filesystem>
#include <fstream>
#include <string>
#include <vector>

#include <unistd.h>

#include "bench/bench_support.h"
#include "core/log_cache.h"
#include "core/read_data_load.h"
#include "core/read_run.h"
#include "platform/atomic_file.h"
#include "platform/date_time.h"
#include "regex/line_matcher.h"
#include "regex/quote_pattern.h"
#include "tally/quoted_line_test.h"

namespace {

using namespace tobrel;

const FixedClock kToday(*EncodeDateTime({2026, 12, 10, 0, 0, 0}));

std::filesystem::path BenchFolder() {
  return std::filesystem::temp_directory_path() / "tobrel-bench-many-files-v1";
}

// The name of log `i` of the folder: long and alike, as archive paths are.
std::string LogPath(std::size_t i) {
  char name[64];
  std::snprintf(name, sizeof name, "forum-archive-room-log-%06zu.log", i);
  return (BenchFolder() / name).string();
}

// A posting header, its sub-header, a body line and a delimiter: one
// posting per log, numbered by the log.
std::string OnePostingLog(std::size_t i) {
  char text[512];
  std::snprintf(text, sizeof text,
                "%05zu/%05zu ABC%05zu  %-16s title of posting %zu\r\n"
                "( 1)   97/05/12 23:45\r\n"
                "body line of the posting\r\n"
                " \b\r\n",
                i % 99999 + 1, i % 99999 + 1, i % 100000, "handle", i);
  return text;
}

// Logs 0 to n - 1 in the folder, written where missing.
std::vector<std::string> Logs(std::size_t n) {
  std::filesystem::create_directories(BenchFolder());
  std::vector<std::string> paths;
  paths.reserve(n);
  for (std::size_t i = 0; i < n; ++i) {
    paths.push_back(LogPath(i));
    if (!std::filesystem::exists(paths.back())) std::ofstream(paths.back(), std::ios::binary) << OnePostingLog(i);
  }
  return paths;
}

// A read-data file listing `n` paths and one posting per path.
std::filesystem::path ReadDataFile(std::size_t n) {
  const auto path = BenchFolder() / ("read-data-" + std::to_string(n) + ".Dat");
  if (std::filesystem::exists(path)) return path;
  std::filesystem::create_directories(BenchFolder());
  WriteFileAtomically(path, [&](std::ostream& out) {
    out << "[Files]\r\n";
    for (std::size_t i = 0; i < n; ++i) out << LogPath(i) << "\r\n";
    out << "[Log Info]\r\n";
    for (std::size_t i = 0; i < n; ++i) {
      char line[128];
      std::snprintf(line, sizeof line, "1,%zu,1997/05/12 23:45,0,0,24,0,24,0,ABC%05zu,handle,title\r\n",
                    i % 99999 + 1, i % 100000);
      out << line;
    }
  });
  return path;
}

void PerItem(benchmark::State& state, std::size_t items) {
  state.counters["per_item"] = benchmark::Counter(
      static_cast<double>(items), benchmark::Counter::kIsIterationInvariantRate |
                                      benchmark::Counter::kInvert);
}

void LoadReadData(benchmark::State& state) {
  const auto n = static_cast<std::size_t>(state.range(0));
  const auto path = ReadDataFile(n);
  for (auto _ : state) {
    LogStore store;
    std::vector<CandidateFile> candidates;
    try {
      LoadReadDataFile(path, store, candidates, 2026);
    } catch (const Failure&) {
      state.SkipWithError("load failed");
    }
    benchmark::DoNotOptimize(candidates.data());
  }
  PerItem(state, n);
}

void ReadManyLogs(benchmark::State& state) {
  const auto n = static_cast<std::size_t>(state.range(0));
  ReadRunInputs inputs;
  for (const std::string& path : Logs(n)) inputs.candidates.push_back({path, true});
  for (std::size_t i = 0; i < n; ++i) inputs.candidates.push_back(inputs.candidates[i]);
  for (auto _ : state) {
    LogStore store;
    ReadRunObserver observer;
    if (ReadLogFiles(store, inputs, kToday, observer).stopped_by) state.SkipWithError("reading failed");
    if (store.ReadFiles.size() != n) state.SkipWithError("a log was not read once");
    benchmark::DoNotOptimize(store.Postings.data());
  }
  PerItem(state, n);
}

// The 100 logs of 2 MB, generated once into the temporary folder.
const std::vector<std::filesystem::path>& TwoMegabyteLogs() {
  static const std::vector<std::filesystem::path> logs = [] {
    std::vector<std::filesystem::path> paths;
    LogGeneratorOptions options;
    options.ids = 5000;
    options.rooms = 20;
    options.min_bytes = 2000000;
    for (std::uint64_t i = 0; i < 100; ++i) {
      options.seed = 1000 + i;
      paths.push_back(bench::GeneratedLog("tobrel-bench-2mb.log", options));
    }
    return paths;
  }();
  return logs;
}

// `wc -l` over the 2 MB logs: the best of three, in seconds.
double WcSeconds() {
  static const double seconds = [] {
    std::string command = "wc -l";
    for (const auto& path : TwoMegabyteLogs()) command += " '" + path.string() + "'";
    command += " > /dev/null";
    double best = 1e9;
    for (int round = 0; round < 3; ++round) {
      const auto start = bench::Clock::now();
      if (std::system(command.c_str()) != 0) std::exit(1);
      best = std::min(best, bench::SecondsSince(start));
    }
    return best;
  }();
  return seconds;
}

// 0: without the cache; 1: filling it (emptied before each run); 2: from it.
void ReadTwoMegabyteLogs(benchmark::State& state) {
  const int use = static_cast<int>(state.range(0));
  TLineMatcher quote;
  quote.SetRegExp(kDefaultQuotePattern);
  ReadRunInputs inputs;
  for (const auto& path : TwoMegabyteLogs()) inputs.candidates.push_back({path.string(), true});
  inputs.is_quoted = MakeQuotedLineTest(quote);
  const auto folder = std::filesystem::temp_directory_path() /
                      ("tobrel-bench-many-cache-" + std::to_string(::getpid()));
  if (use != 0) inputs.cache = LogCacheUse{folder, kDefaultLogCacheCap, "default"};
  const double wc_seconds = WcSeconds();
  auto read = [&] {
    LogStore store;
    ReadRunObserver observer;
    if (ReadLogFiles(store, inputs, kToday, observer).stopped_by) state.SkipWithError("reading failed");
    benchmark::DoNotOptimize(store.Postings.data());
  };
  ClearLogCache(folder);
  if (use == 2) read();
  double best = 1e9;
  for (auto _ : state) {
    if (use == 1) {
      state.PauseTiming();
      ClearLogCache(folder);
      state.ResumeTiming();
    }
    const auto start = bench::Clock::now();
    read();
    best = std::min(best, bench::SecondsSince(start));
  }
  state.counters["x_wc_l"] = best / wc_seconds;
  ClearLogCache(folder);
  std::filesystem::remove(folder);
}

BENCHMARK(ReadTwoMegabyteLogs)->ArgName("cache")->Arg(0)->Arg(1)->Arg(2)->Unit(benchmark::kMillisecond)
    ->UseRealTime();
BENCHMARK(LoadReadData)->Arg(1000)->Arg(10000)->Arg(100000)->Unit(benchmark::kMillisecond);
BENCHMARK(ReadManyLogs)->Arg(1000)->Arg(10000)->Arg(100000)->Unit(benchmark::kMillisecond);

}  // namespace

BENCHMARK_MAIN();

#include "bench/bench_support.h"

#include <algorithm>
#include <cstdio>
#include <cstdlib>

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
  if (const auto error = ReadLogFiles(store, inputs, today, observer)) {
    std::fprintf(stderr, "cannot read %s\n", path.c_str());
    std::exit(1);
  }
  return SecondsSince(start);
}

double BestOfRuns(const LogStore& store, int rounds,
                  const std::function<std::size_t(LogStore& copy)>& run, std::size_t& lines) {
  double best = 1e9;
  for (int round = 0; round < rounds; ++round) {
    LogStore copy;
    copy.Postings = store.Postings;
    const auto start = Clock::now();
    lines = run(copy);
    best = std::min(best, SecondsSince(start));
  }
  return best;
}

}  // namespace tobrel::bench

// Measures the posting-count tally with all six time tables on stores of
// 10,000, 100,000 and 1,000,000 postings read from generated logs, and
// prints the time per posting at each size and, for each size, the time of
// the reading run that filled the store.
//   tobrel-tally-count-bench [LARGEST]   (default 1000000)
// Logs are generated once into the temporary folder and reused.
#include <algorithm>
#include <chrono>
#include <cstdio>
#include <cstdlib>
#include <filesystem>
#include <fstream>
#include <string>

#include "core/read_run.h"
#include "tally/count_tally.h"
#include "tools/log_generator.h"

namespace {

using Clock = std::chrono::steady_clock;

double Seconds(Clock::time_point since) {
  return std::chrono::duration<double>(Clock::now() - since).count();
}

// A log of `postings` postings by postings / 10 IDs over 20 rooms.
std::filesystem::path GeneratedLog(std::uint64_t postings) {
  const auto path = std::filesystem::temp_directory_path() /
                    ("tobrel-tally-bench-" + std::to_string(postings) + ".log");
  if (!std::filesystem::exists(path)) {
    std::ofstream out(path, std::ios::binary);
    tobrel::LogGeneratorOptions options;
    options.seed = 7;
    options.postings = postings;
    options.ids = static_cast<int>(std::max<std::uint64_t>(postings / 10, 10));
    options.rooms = 20;
    options.first_year = 1990;
    tobrel::GenerateLog(options, out);
  }
  return path;
}

}  // namespace

int main(int argc, char** argv) {
  const std::uint64_t largest = argc > 1 ? std::strtoull(argv[1], nullptr, 10) : 1000000;
  std::printf("%10s %10s %12s %14s %12s\n", "postings", "IDs", "read (s)", "tally (s)",
              "ns/posting");
  double first_per_posting = 0, last_per_posting = 0;
  for (std::uint64_t size = 10000; size <= largest; size *= 10) {
    const auto path = GeneratedLog(size);
    tobrel::LogStore read;
    tobrel::ReadRunInputs inputs;
    inputs.candidates.push_back({path.string(), true});
    tobrel::ReadRunObserver observer;
    tobrel::FixedClock today(*tobrel::EncodeDateTime({2026, 12, 10, 0, 0, 0}));
    const auto read_start = Clock::now();
    if (tobrel::ReadLogFiles(read, inputs, today, observer)) return 1;
    const double read_seconds = Seconds(read_start);

    tobrel::CountTallyOptions options;
    options.tables = {true, true, true, true, true, true};
    tobrel::TallyProgress progress;
    // Best of several runs, each on a fresh copy in reading order; more runs
    // for the small stores, whose times are short and easily disturbed.
    const int rounds = size >= 1000000 ? 5 : size >= 100000 ? 10 : 30;
    double best = 1e9;
    std::size_t lines = 0;
    for (int round = 0; round < rounds; ++round) {
      tobrel::LogStore store;
      store.Postings = read.Postings;
      tobrel::ReportText report;
      const auto start = Clock::now();
      tobrel::NormalTobrel(store, {}, options, progress, report);
      best = std::min(best, Seconds(start));
      lines = report.size();
    }
    const double per_posting = best * 1e9 / static_cast<double>(read.Postings.size());
    if (first_per_posting == 0) first_per_posting = per_posting;
    last_per_posting = per_posting;
    std::printf("%10zu %10s %12.3f %14.3f %12.1f   (%zu report lines)\n", read.Postings.size(),
                std::to_string(size / 10).c_str(), read_seconds, best, per_posting, lines);
  }
  std::printf("per-posting time, largest / smallest: %.2f (target <= 2)\n",
              last_per_posting / first_per_posting);
  return 0;
}

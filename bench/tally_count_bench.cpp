// Measures the posting-count tally with all six time tables on stores of
// 10,000, 100,000 and 1,000,000 postings read from generated logs, and
// prints the time per posting at each size and, for each size, the time of
// the reading run that filled the store.
//   tobrel-tally-count-bench [LARGEST]   (default 1000000)
// Logs are generated once into the temporary folder and reused.
#include <cstdio>
#include <cstdlib>
#include <string>

#include "bench/bench_support.h"
#include "tally/count_tally.h"

int main(int argc, char** argv) {
  using namespace tobrel::bench;
  const std::uint64_t largest = argc > 1 ? std::strtoull(argv[1], nullptr, 10) : 1000000;
  std::printf("%10s %10s %12s %14s %12s\n", "postings", "IDs", "read (s)", "tally (s)",
              "ns/posting");
  double first_per_posting = 0, last_per_posting = 0;
  for (std::uint64_t size = 10000; size <= largest; size *= 10) {
    const auto path = GeneratedLog("tobrel-tally-bench-" + std::to_string(size) + ".log",
                                   ArchiveLog(size, 7));
    tobrel::LogStore read;
    const double read_seconds = ReadIntoStore(path, read);

    tobrel::CountTallyOptions options;
    options.time_tables = {true, true, true, true, true, true};
    tobrel::TallyProgress progress;
    // More runs for the small stores, whose times are short and easily
    // disturbed.
    const int rounds = size >= 1000000 ? 5 : size >= 100000 ? 10 : 30;
    std::size_t lines = 0;
    const double best = BestOfRuns(read, rounds, [&](tobrel::LogStore& store) {
      tobrel::ReportText report;
      tobrel::NormalTobrel(store, {}, options, progress, report);
      return report.size();
    }, lines);
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

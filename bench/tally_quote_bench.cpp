// Measures the quotation tally on stores of 10,000, 100,000 and 1,000,000
// postings read from generated logs, in the order by quoted characters (the
// order that ranks by every key), and prints the time per posting at each
// size, as elapsed time and as processor time (which other programs running
// at the same time disturb less), and, for each size, the time of the
// reading run that filled the store.
//   tobrel-tally-quote-bench [LARGEST]   (default 1000000)
// Logs are generated once into the temporary folder and reused. The store is
// read without a quote pattern; a third of every posting's characters is
// then made quoted, so that the quoted sums and the best quoted posting move.
#include <cstdio>
#include <cstdlib>
#include <string>

#include "bench/bench_support.h"
#include "tally/quote_tally.h"

int main(int argc, char** argv) {
  using namespace tobrel::bench;
  const std::uint64_t largest = argc > 1 ? std::strtoull(argv[1], nullptr, 10) : 1000000;
  std::printf("%10s %10s %12s %14s %12s %12s\n", "postings", "IDs", "read (s)", "tally (s)",
              "ns/posting", "cpu ns/p.");
  double first_per_posting = 0, last_per_posting = 0;
  double first_cpu_per_posting = 0, last_cpu_per_posting = 0;
  for (std::uint64_t size = 10000; size <= largest; size *= 10) {
    const auto path = GeneratedLog("tobrel-tally-bench-" + std::to_string(size) + ".log",
                                   ArchiveLog(size, 7));
    tobrel::LogStore read;
    const double read_seconds = ReadIntoStore(path, read);
    for (tobrel::ArticleRec& posting : read.Postings) {
      posting.QuotedChars = posting.TotalChars / 3;
      posting.OwnChars = posting.TotalChars - posting.QuotedChars;
    }

    tobrel::TallyProgress progress;
    // More runs for the small stores, whose times are short and easily
    // disturbed.
    const int rounds = size >= 1000000 ? 5 : size >= 100000 ? 10 : 30;
    std::size_t lines = 0;
    double best_cpu = 0;
    const double best = BestOfRuns(read, rounds, [&](tobrel::LogStore& store) {
      tobrel::ReportText report;
      tobrel::QuoteTobrel(store, {}, {tobrel::QuoteOrder::ByQuoted}, progress, report);
      return report.size();
    }, lines, &best_cpu);
    const double postings = static_cast<double>(read.Postings.size());
    const double per_posting = best * 1e9 / postings;
    const double cpu_per_posting = best_cpu * 1e9 / postings;
    if (first_per_posting == 0) {
      first_per_posting = per_posting;
      first_cpu_per_posting = cpu_per_posting;
    }
    last_per_posting = per_posting;
    last_cpu_per_posting = cpu_per_posting;
    std::printf("%10zu %10s %12.3f %14.3f %12.1f %12.1f   (%zu report lines)\n",
                read.Postings.size(), std::to_string(size / 10).c_str(), read_seconds, best,
                per_posting, cpu_per_posting, lines);
  }
  std::printf("per-posting time, largest / smallest: %.2f, processor time %.2f (target <= 2)\n",
              last_per_posting / first_per_posting, last_cpu_per_posting / first_cpu_per_posting);
  return 0;
}

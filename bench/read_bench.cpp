// Measures the reading run, with the default quote pattern, on a large
// generated log against `wc -l` on the same file in the same run, and its
// peak memory against the file size.
//   tobrel-read-bench [MEGABYTES]   (default 200)
// The log is generated once into the temporary folder and reused.
#include <sys/resource.h>

#include <cstdio>
#include <cstdlib>
#include <filesystem>
#include <string>

#include "bench/bench_support.h"
#include "core/read_run.h"
#include "regex/line_matcher.h"
#include "regex/quote_pattern.h"

namespace {

double PeakMegabytes() {
  rusage usage{};
  getrusage(RUSAGE_SELF, &usage);
  return usage.ru_maxrss / 1024.0;
}

}  // namespace

int main(int argc, char** argv) {
  using namespace tobrel::bench;
  const std::uint64_t megabytes = argc > 1 ? std::strtoull(argv[1], nullptr, 10) : 200;
  tobrel::LogGeneratorOptions options;
  options.seed = 42;
  options.min_bytes = megabytes * 1000000;
  options.ids = 5000;
  options.rooms = 20;
  const auto path = GeneratedLog("tobrel-bench-" + std::to_string(megabytes) + "mb.log", options);
  const double file_mb = std::filesystem::file_size(path) / 1e6;
  const double baseline_mb = PeakMegabytes();

  const std::string wc = "wc -l '" + path.string() + "' > /dev/null";
  double wc_best = 1e9, read_best = 1e9;
  std::size_t postings = 0;
  for (int round = 0; round < 3; ++round) {
    auto start = Clock::now();
    if (std::system(wc.c_str()) != 0) return 1;
    wc_best = std::min(wc_best, SecondsSince(start));

    tobrel::LogStore store;
    tobrel::ReadRunInputs inputs;
    inputs.candidates.push_back({path.string(), true});
    tobrel::TLineMatcher quote_matcher;
    quote_matcher.SetRegExp(tobrel::kDefaultQuotePattern);
    inputs.is_quoted = [&](std::string_view line) { return quote_matcher.IsMatch(line); };
    tobrel::ReadRunObserver observer;
    tobrel::FixedClock today(*tobrel::EncodeDateTime({2026, 12, 10, 0, 0, 0}));
    start = Clock::now();
    if (tobrel::ReadLogFiles(store, inputs, today, observer)) return 1;
    read_best = std::min(read_best, SecondsSince(start));
    postings = store.Postings.size();
  }
  const double peak_mb = PeakMegabytes() - baseline_mb;
  std::printf("file                %.1f MB, %zu postings\n", file_mb, postings);
  std::printf("wc -l               %.3f s\n", wc_best);
  std::printf("reading run         %.3f s  (%.0f MB/s)\n", read_best, file_mb / read_best);
  std::printf("time ratio          %.2f  (target <= 6)\n", read_best / wc_best);
  std::printf("peak memory         %.1f MB = %.2f x file size  (target < 2.5)\n", peak_mb,
              peak_mb / file_mb);
  return 0;
}

// Measures the processing output on a large generated log against the
// reading run on the same file: the processed copy with no option on, and
// with every option on (alignment, every removal, recount, deleted postings
// and room headers left out). Each is the best of three runs; the target is
// at most twice the reading run (the ratio to a reading run without the
// quote pattern is shown in parentheses).
//   tobrel-process-bench [MEGABYTES]   (default 200)
// The log is generated once into the temporary folder and reused; the
// processed copy is written beside it and removed at the end.
#include <cstdio>
#include <cstdlib>
#include <filesystem>
#include <string>

#include "bench/bench_support.h"
#include "core/read_run.h"
#include "output/process_run.h"
#include "regex/line_matcher.h"
#include "regex/quote_pattern.h"

namespace {

double BestProcessRun(const tobrel::ProcessSettings& settings) {
  using namespace tobrel::bench;
  const tobrel::FixedClock today(*tobrel::EncodeDateTime({2026, 12, 10, 0, 0, 0}));
  double best = 1e9;
  for (int round = 0; round < 3; ++round) {
    tobrel::ProcessObserver quiet;
    std::vector<tobrel::ArticleRec> recount_list;
    const auto start = Clock::now();
    const auto result = tobrel::ProcessLogOutput(settings, today, quiet, recount_list);
    best = std::min(best, SecondsSince(start));
    if (result.status != tobrel::ProcessStatus::Done) {
      std::fprintf(stderr, "processing failed\n");
      std::exit(1);
    }
  }
  return best;
}

// The processed text built in memory, without writing the file.
double BestInMemoryRun(const tobrel::ProcessSettings& settings) {
  using namespace tobrel::bench;
  double best = 1e9;
  for (int round = 0; round < 3; ++round) {
    tobrel::TallyProgress quiet;
    std::vector<tobrel::ArticleRec> recount_list;
    const auto start = Clock::now();
    tobrel::LogLines lines;
    tobrel::LoadLogLines(settings.input, lines);
    const std::string text = tobrel::ProcessLogLines(settings, lines, recount_list, 46000, quiet);
    best = std::min(best, SecondsSince(start));
  }
  return best;
}

// The reading run as the window runs it, with the default quote pattern.
double ReadWithQuotePattern(const std::filesystem::path& path) {
  using namespace tobrel::bench;
  tobrel::LogStore store;
  tobrel::ReadRunInputs inputs;
  inputs.candidates.push_back({path.string(), true});
  tobrel::TLineMatcher quote_matcher;
  quote_matcher.SetRegExp(tobrel::kDefaultQuotePattern);
  inputs.is_quoted = [&](std::string_view line) { return quote_matcher.IsMatch(line); };
  tobrel::ReadRunObserver observer;
  const tobrel::FixedClock today(*tobrel::EncodeDateTime({2026, 12, 10, 0, 0, 0}));
  const auto start = Clock::now();
  if (tobrel::ReadLogFiles(store, inputs, today, observer).stopped_by) std::exit(1);
  return SecondsSince(start);
}

}  // namespace

int main(int argc, char** argv) {
  using namespace tobrel::bench;
  const std::uint64_t megabytes = argc > 1 ? std::strtoull(argv[1], nullptr, 10) : 200;
  const auto path = LargeLog(megabytes);
  const double file_mb = std::filesystem::file_size(path) / 1e6;

  double bare_best = 1e9, read_best = 1e9;
  std::size_t postings = 0;
  for (int round = 0; round < 3; ++round) {
    tobrel::LogStore store;
    bare_best = std::min(bare_best, ReadIntoStore(path, store));
    postings = store.Postings.size();
    read_best = std::min(read_best, ReadWithQuotePattern(path));
  }

  tobrel::ProcessSettings plain;
  plain.input = path.string();
  plain.output = path.string() + ".processed";
  const double plain_best = BestProcessRun(plain);
  const double plain_mb = std::filesystem::file_size(plain.output) / 1e6;
  const double plain_memory = BestInMemoryRun(plain);

  tobrel::ProcessSettings everything = plain;
  everything.align = true;
  everything.strip_delimiters = everything.strip_eof = everything.strip_tabs = true;
  everything.strip_trailing = everything.recount = everything.drop_deleted = true;
  everything.drop_room_headers = true;
  const double everything_best = BestProcessRun(everything);
  const double everything_memory = BestInMemoryRun(everything);
  std::filesystem::remove(plain.output);

  std::printf("file                  %.1f MB, %zu postings\n", file_mb, postings);
  std::printf("reading run           %.3f s  (default quote pattern, as the window reads)\n",
              read_best);
  std::printf("reading, no quotes    %.3f s\n", bare_best);
  std::printf("processing, plain     %.3f s  (%.1f MB written)  ratio %.2f (%.2f)  (target <= 2)\n",
              plain_best, plain_mb, plain_best / read_best, plain_best / bare_best);
  std::printf("processing, all on    %.3f s  ratio %.2f (%.2f)  (target <= 2)\n", everything_best,
              everything_best / read_best, everything_best / bare_best);
  std::printf("  of which building the text in memory: plain %.3f s, all on %.3f s; the rest is\n"
              "  writing the file (write, fsync, rename)\n",
              plain_memory, everything_memory);
  return 0;
}

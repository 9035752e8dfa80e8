// Measures what the exclusion and same-person rules and the read-data file
// cost on a generated log of 1,000,000 postings (or the size given):
//   1. the reading run with the default quote pattern, without rules and
//      with a typical title pattern plus a list of 1,000 excluded IDs;
//   2. the posting-count (no time tables), comment and monthly tallies
//      without and with 1,000 same-person pairs;
//   3. writing the read-data file of the store and loading it back, beside
//      the reading run that filled the store.
//   tobrel-exclusion-bench [POSTINGS]   (default 1000000)
#include <cstdio>
#include <cstdlib>
#include <filesystem>
#include <string>

#include "bench/bench_support.h"
#include "core/read_data_file.h"
#include "core/read_data_load.h"
#include "core/read_run.h"
#include "exclusion/exclusion_test.h"
#include "exclusion/same_id_map.h"
#include "platform/cp932.h"
#include "regex/quote_pattern.h"
#include "tally/comment_tally.h"
#include "tally/count_tally.h"
#include "tally/monthly_tally.h"

namespace {

using namespace tobrel;
using Stopwatch = bench::Clock;
using bench::SecondsSince;

const FixedClock kToday(*EncodeDateTime({2026, 12, 10, 0, 0, 0}));

// The best of `rounds` reading runs of `path` into fresh stores.
double BestRead(const std::filesystem::path& path, const ExclusionRules* rules,
                const TLineMatcher* quote, int rounds, LogStore& last) {
  double best = 1e9;
  for (int round = 0; round < rounds; ++round) {
    ReadRunInputs inputs;
    inputs.candidates.push_back({path.string(), true});
    if (quote) inputs.is_quoted = [quote](std::string_view line) { return quote->IsMatch(line); };
    if (rules) ApplyExclusionRules(*rules, inputs);
    ReadRunObserver observer;
    last = LogStore();
    const auto start = Stopwatch::now();
    if (ReadLogFiles(last, inputs, kToday, observer)) std::exit(1);
    best = std::min(best, SecondsSince(start));
  }
  return best;
}

// A month range of twelve months that ends with the last posting's month.
MonthRange LastYear(const LogStore& store) {
  double latest = 0;
  for (const ArticleRec& posting : store.Postings) latest = std::max(latest, posting.PostedAt);
  const DateTimeParts last = DecodeDateTime(latest);
  MonthRange range;
  range.to = {last.year, last.month};
  range.from = last.month == 12 ? YearMonth{last.year, 1} : YearMonth{last.year - 1, last.month + 1};
  return range;
}

}  // namespace

int main(int argc, char** argv) {
  const std::uint64_t postings = argc > 1 ? std::strtoull(argv[1], nullptr, 10) : 1000000;
  const auto path = bench::GeneratedLog("tobrel-exclusion-bench-" + std::to_string(postings) + ".log",
                                        bench::ArchiveLog(postings, 7));
  TLineMatcher quote;
  quote.SetRegExp(kDefaultQuotePattern);

  // 1. Reading with and without the rules.
  LogStore plain;
  const double read_bare = BestRead(path, nullptr, nullptr, 3, plain);
  const double read_plain = BestRead(path, nullptr, &quote, 3, plain);

  ExclusionRules rules;
  rules.master = true;
  rules.id_rule = true;
  // 1,000 IDs: 500 that post (every 7th distinct poster) and 500 that do not.
  for (std::size_t i = 0; rules.ExcludedIds.size() < 500 && i < plain.Postings.size(); i += 97)
    rules.ExcludedIds.push_back(plain.Postings[i].Id.str());
  for (int i = 0; rules.ExcludedIds.size() < 1000; ++i) {
    char id[16];
    std::snprintf(id, sizeof id, "QQQ%05d", i);
    rules.ExcludedIds.emplace_back(id);
  }
  rules.title_rule = true;
  rules.LineMatcher2.SetRegExp(cp932::FromUtf8("^(Re|RE):|お知らせ|＞＞"));
  LogStore ruled;
  const double read_rules_bare = BestRead(path, &rules, nullptr, 3, ruled);
  const double read_rules = BestRead(path, &rules, &quote, 3, ruled);
  std::printf("reading %zu postings (%zu excluded with the rules)\n", plain.Postings.size(),
              ruled.Excluded.size() - plain.Excluded.size());
  std::printf("  with the default quote pattern: no rules %.3f s, title rule + 1,000 IDs %.3f s, "
              "ratio %.3f (target <= 1.2)\n", read_plain, read_rules, read_rules / read_plain);
  std::printf("  without a quote pattern:        no rules %.3f s, title rule + 1,000 IDs %.3f s, "
              "ratio %.3f\n", read_bare, read_rules_bare, read_rules_bare / read_bare);

  // 2. The tallies without and with 1,000 same-person pairs: aliases among
  // the posters, mains among the other posters.
  std::vector<std::string> pairs;
  {
    std::vector<std::string> ids;
    for (const ArticleRec& posting : plain.Postings) ids.push_back(posting.Id.str());
    std::sort(ids.begin(), ids.end());
    ids.erase(std::unique(ids.begin(), ids.end()), ids.end());
    for (std::size_t i = 0; pairs.size() < 1000 && 2 * i + 1 < ids.size(); ++i)
      pairs.push_back(ids[2 * i + 1] + "," + ids[2 * i]);
  }
  TallySettings without;
  without.target.last_number = "99999";
  TallySettings with = without;
  with.MapSameId = MakeMapSameId(pairs);
  TallyProgress progress;
  const MonthRange year = LastYear(plain);
  struct Tally {
    const char* name;
    std::function<std::size_t(LogStore&, const TallySettings&)> run;
  } tallies[] = {
      {"count (no time tables)",
       [&](LogStore& store, const TallySettings& settings) {
         ReportText report;
         NormalTobrel(store, settings, {}, progress, report);
         return report.size();
       }},
      {"comment by ID",
       [&](LogStore& store, const TallySettings& settings) {
         ReportText report;
         bool recounted = true;  // as after the first comment tally
         CommentTobrel(store, settings, {}, recounted, progress, report);
         return report.size();
       }},
      {"month by postings",
       [&](LogStore& store, const TallySettings& settings) {
         ReportText report;
         (void)MonthTobrel(store, settings, {MonthKind::ByPostings, year, ""}, progress, report);
         return report.size();
       }},
  };
  std::printf("tallies of %zu postings, %zu same-person pairs:\n", plain.Postings.size(),
              pairs.size());
  for (const Tally& tally : tallies) {
    std::size_t lines = 0;
    const double base = bench::BestOfRuns(plain, 5, [&](LogStore& s) { return tally.run(s, without); }, lines);
    const double mapped = bench::BestOfRuns(plain, 5, [&](LogStore& s) { return tally.run(s, with); }, lines);
    std::printf("  %-24s without %.3f s, with %.3f s, ratio %.3f (target <= 1.2)\n", tally.name,
                base, mapped, mapped / base);
  }

  // 3. The read-data file.
  const std::filesystem::path folder = std::filesystem::temp_directory_path() / "tobrel-exclusion-bench";
  std::filesystem::create_directories(folder);
  double write_best = 1e9, load_best = 1e9;
  std::filesystem::path written;
  for (int round = 0; round < 3; ++round) {
    auto start = Stopwatch::now();
    written = *WriteReadDataFile(plain, folder, kToday.Now());
    write_best = std::min(write_best, SecondsSince(start));
    LogStore loaded;
    std::vector<CandidateFile> candidates;
    start = Stopwatch::now();
    if (const auto error = LoadReadDataFile(written, loaded, candidates, 2026)) {
      std::fprintf(stderr, "%s\n", cp932::ToUtf8(*error).c_str());
      return 1;
    }
    load_best = std::min(load_best, SecondsSince(start));
  }
  std::printf("read-data file of %zu postings (%.1f MB; log %.1f MB):\n", plain.Postings.size(),
              static_cast<double>(std::filesystem::file_size(written)) / 1e6,
              static_cast<double>(std::filesystem::file_size(path)) / 1e6);
  std::printf("  write %.3f s, load %.3f s, reading the log %.3f s; load / read %.3f (target < 1)\n",
              write_best, load_best, read_plain, load_best / read_plain);
  std::filesystem::remove_all(folder);
  return 0;
}

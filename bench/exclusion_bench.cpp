// Measures what the exclusion and same-person rules and the read-data file
// cost on a generated log of 1,000,000 postings (or the size given):
//   1. the reading run with the default quote pattern, without rules and
//      with a title pattern plus a list of 1,000 excluded IDs (typical
//      rules, and rules that leave nothing out);
//   2. the posting-count (no time tables), comment and monthly tallies
//      without and with 1,000 same-person pairs;
//   3. writing the read-data file of the store and loading it back, beside
//      the reading run that filled the store.
// Times are CPU seconds, the best of several runs taken in turns.
//   tobrel-exclusion-bench [POSTINGS]   (default 1000000)
#include <time.h>

#include <algorithm>
#include <cstdio>
#include <functional>
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

const FixedClock kToday(*EncodeDateTime({2026, 12, 10, 0, 0, 0}));

// CPU seconds of this process: steadier than the wall clock on a machine
// that other work shares.
double CpuSeconds() {
  timespec now{};
  clock_gettime(CLOCK_PROCESS_CPUTIME_ID, &now);
  return static_cast<double>(now.tv_sec) + static_cast<double>(now.tv_nsec) * 1e-9;
}

// Runs each variant `rounds` times, taking turns, and gives the shortest
// CPU time of each.
std::vector<double> BestInTurns(int rounds, const std::vector<std::function<void()>>& variants) {
  std::vector<double> best(variants.size(), 1e9);
  for (int round = 0; round < rounds; ++round)
    for (std::size_t i = 0; i < variants.size(); ++i) {
      const double start = CpuSeconds();
      variants[i]();
      best[i] = std::min(best[i], CpuSeconds() - start);
    }
  return best;
}

// One reading run of `path` into `store` (emptied first).
void Read(const std::filesystem::path& path, const ExclusionRules* rules,
          const TLineMatcher* quote, LogStore& store) {
  ReadRunInputs inputs;
  inputs.candidates.push_back({path.string(), true});
  if (quote) inputs.is_quoted = [quote](std::string_view line) { return quote->IsMatch(line); };
  if (rules) ApplyExclusionRules(*rules, inputs);
  ReadRunObserver observer;
  store = LogStore();
  if (ReadLogFiles(store, inputs, kToday, observer).stopped_by) std::exit(1);
}

// Rules with a title pattern and 1,000 excluded IDs, `posting_ids` of them
// taken from the store (distinct posters), the others never seen.
void SetRules(ExclusionRules& rules, const LogStore& store, std::size_t posting_ids,
              std::string_view pattern_utf8) {
  rules.master = rules.id_rule = rules.title_rule = true;
  rules.ExcludedIds.clear();
  std::vector<std::string> ids;
  for (const ArticleRec& posting : store.Postings) ids.push_back(posting.Id.str());
  std::sort(ids.begin(), ids.end());
  ids.erase(std::unique(ids.begin(), ids.end()), ids.end());
  for (std::size_t i = 0; i < posting_ids && i < ids.size(); ++i)
    rules.ExcludedIds.push_back(ids[i * (ids.size() / posting_ids)]);
  for (int i = 0; rules.ExcludedIds.size() < 1000; ++i) {
    char id[16];
    std::snprintf(id, sizeof id, "QQQ%05d", i);
    rules.ExcludedIds.emplace_back(id);
  }
  rules.LineMatcher2.SetRegExp(cp932::FromUtf8(pattern_utf8));
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

  // 1. Reading without and with the rules: typical rules that leave out
  // some postings, and rules that leave out none, so that every test runs
  // and nothing is saved by storing fewer postings.
  LogStore plain, typical, none;
  Read(path, nullptr, &quote, plain);
  ExclusionRules typical_rules, no_match_rules;
  SetRules(typical_rules, plain, 20, "お知らせ|^＞＞");
  SetRules(no_match_rules, plain, 0, "^【告知】|^\\[案内\\]");
  const std::vector<double> reads = BestInTurns(3, {
      [&] { Read(path, nullptr, &quote, plain); },
      [&] { Read(path, &typical_rules, &quote, typical); },
      [&] { Read(path, &no_match_rules, &quote, none); },
  });
  const double read_plain = reads[0];
  std::printf("reading %zu postings with the default quote pattern (CPU seconds, best of 3):\n",
              plain.Postings.size());
  std::printf("  no rules %.3f s\n", reads[0]);
  std::printf("  \"お知らせ|^＞＞\" + 1,000 IDs (20 of them posters): %.3f s, ratio %.3f, %zu left out\n",
              reads[1], reads[1] / reads[0], typical.Excluded.size() - plain.Excluded.size());
  std::printf("  a title pattern and 1,000 IDs that match nothing:  %.3f s, ratio %.3f, %zu left out\n",
              reads[2], reads[2] / reads[0], none.Excluded.size() - plain.Excluded.size());

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
    std::function<void(LogStore&, const TallySettings&)> run;
  } tallies[] = {
      {"count (no time tables)",
       [&](LogStore& store, const TallySettings& settings) {
         ReportText report;
         NormalTobrel(store, settings, {}, progress, report);
       }},
      {"comment by ID",
       [&](LogStore& store, const TallySettings& settings) {
         ReportText report;
         store.CommentsRecounted = true;  // as after the first comment tally
         CommentTobrel(store, settings, {}, progress, report);
       }},
      {"month by postings",
       [&](LogStore& store, const TallySettings& settings) {
         ReportText report;
         MonthTobrel(store, settings, {MonthKind::ByPostings, year, ""}, progress, report);
       }},
  };
  std::printf("tallies of %zu postings, %zu same-person pairs:\n", plain.Postings.size(),
              pairs.size());
  for (const Tally& tally : tallies) {
    LogStore copy;
    const std::vector<double> best = BestInTurns(7, {
        [&] { copy.Postings = plain.Postings; },
        [&] { copy.Postings = plain.Postings; tally.run(copy, without); },
        [&] { copy.Postings = plain.Postings; tally.run(copy, with); },
    });
    const double base = best[1] - best[0], mapped = best[2] - best[0];  // less the copy
    std::printf("  %-24s without %.3f s, with %.3f s, ratio %.3f (target <= 1.2)\n", tally.name,
                base, mapped, mapped / base);
  }

  // 3. The read-data file.
  const std::filesystem::path folder = std::filesystem::temp_directory_path() / "tobrel-exclusion-bench";
  std::filesystem::create_directories(folder);
  std::filesystem::path written;
  const std::vector<double> file_times = BestInTurns(3, {
      [&] { written = *WriteReadDataFile(plain, folder, kToday.Now()); },
      [&] {
        LogStore loaded;
        std::vector<CandidateFile> candidates;
        try {
          LoadReadDataFile(written, loaded, candidates, 2026);
        } catch (const Failure& failure) {
          std::fprintf(stderr, "%s\n", cp932::ToUtf8(failure.message()).c_str());
          std::exit(1);
        }
      },
  });
  const double write_best = file_times[0], load_best = file_times[1];
  std::printf("read-data file of %zu postings (%.1f MB; log %.1f MB):\n", plain.Postings.size(),
              static_cast<double>(std::filesystem::file_size(written)) / 1e6,
              static_cast<double>(std::filesystem::file_size(path)) / 1e6);
  std::printf("  write %.3f s, load %.3f s, reading the log %.3f s; load / read %.3f (target < 1)\n",
              write_best, load_best, read_plain, load_best / read_plain);
  std::filesystem::remove_all(folder);
  return 0;
}

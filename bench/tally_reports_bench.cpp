// Measures the comment tally (with its recount), the statistics report (with
// title lists and missing numbers) and the monthly tally on stores of
// 10,000, 100,000 and 1,000,000 postings read from generated logs, and
// prints the time per posting of each report at each size.
//   tobrel-tally-reports-bench [LARGEST]   (default 1000000)
// Logs are generated once into the temporary folder and reused.
#include <algorithm>
#include <cstdio>
#include <cstdlib>
#include <functional>
#include <map>
#include <string>
#include <vector>

#include "bench/bench_support.h"
#include "tally/comment_tally.h"
#include "tally/monthly_tally.h"
#include "tally/statistics_report.h"

namespace {

struct Report {
  const char* name;
  std::function<void(tobrel::LogStore&, tobrel::ReportText&)> run;
};

// Twelve months from the month of the middle posting in time.
tobrel::MonthRange MiddleYear(const tobrel::LogStore& store) {
  std::vector<double> times;
  for (const auto& posting : store.Postings) times.push_back(posting.PostedAt);
  std::nth_element(times.begin(), times.begin() + times.size() / 2, times.end());
  const auto middle = tobrel::DecodeDateTime(times[times.size() / 2]);
  tobrel::MonthRange range;
  range.from = {middle.year, middle.month};
  range.to = middle.month == 1 ? tobrel::YearMonth{middle.year, 12}
                               : tobrel::YearMonth{middle.year + 1, middle.month - 1};
  return range;
}

}  // namespace

int main(int argc, char** argv) {
  using namespace tobrel::bench;
  const std::uint64_t largest = argc > 1 ? std::strtoull(argv[1], nullptr, 10) : 1000000;
  tobrel::TallyProgress progress;
  tobrel::TallySettings settings;
  settings.target.last_number = "99999";

  std::map<std::string, std::vector<double>> per_posting;  // by report, by size
  std::vector<const char*> names;
  std::printf("%10s  %-28s %10s %12s %10s\n", "postings", "report", "time (s)", "ns/posting",
              "lines");
  for (std::uint64_t size = 10000; size <= largest; size *= 10) {
    const auto path = GeneratedLog(
        "tobrel-tally-reports-bench-" + std::to_string(size) + ".log", ArchiveLog(size, 11));
    tobrel::LogStore read;
    ReadIntoStore(path, read);
    const tobrel::MonthRange year = MiddleYear(read);

    const Report reports[] = {
        {"comment by ID (recount)",
         [&](tobrel::LogStore& store, tobrel::ReportText& report) {
           store.CommentsRecounted = false;
           tobrel::CommentTobrel(store, settings, {}, progress, report);
         }},
        {"comment by posting, all",
         [&](tobrel::LogStore& store, tobrel::ReportText& report) {
           store.CommentsRecounted = false;
           tobrel::CommentTobrel(
               store, settings,
               {tobrel::CommentOrder::ByPosting, tobrel::CommentLimit::All}, progress,
               report);
         }},
        {"stats, titles, missing",
         [&](tobrel::LogStore& store, tobrel::ReportText& report) {
           tobrel::StatsTallyOptions options;
           options.title_list = true;
           options.title_form = tobrel::TitleListForm::RtCommand;
           options.missing_numbers = true;
           tobrel::StatsTobrel(store, settings, options, progress, report);
         }},
        {"month by postings, 12 months",
         [&](tobrel::LogStore& store, tobrel::ReportText& report) {
           tobrel::MonthTobrel(store, settings, {tobrel::MonthKind::ByPostings, year, ""},
                                     progress, report);
         }},
        {"month by characters",
         [&](tobrel::LogStore& store, tobrel::ReportText& report) {
           tobrel::MonthTobrel(store, settings, {tobrel::MonthKind::ByChars, year, ""},
                                     progress, report);
         }},
    };
    // More runs for the small stores, whose times are short and easily disturbed.
    const int rounds = size >= 1000000 ? 3 : size >= 100000 ? 8 : 20;
    for (const Report& report_kind : reports) {
      std::size_t lines = 0;
      const double best = BestOfRuns(read, rounds, [&](tobrel::LogStore& store) {
        tobrel::ReportText report;
        report_kind.run(store, report);
        return report.size();
      }, lines);
      const double ns = best * 1e9 / static_cast<double>(read.Postings.size());
      if (per_posting[report_kind.name].empty()) names.push_back(report_kind.name);
      per_posting[report_kind.name].push_back(ns);
      std::printf("%10zu  %-28s %10.3f %12.1f %10zu\n", read.Postings.size(), report_kind.name,
                  best, ns, lines);
    }
  }
  std::printf("per-posting time, largest / smallest (target <= 2):\n");
  for (const char* name : names) {
    const auto& times = per_posting[name];
    std::printf("  %-28s %.2f\n", name, times.back() / times.front());
  }
  return 0;
}

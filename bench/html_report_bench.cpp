// Measures the posting-count report with all six time tables as text (the
// lines joined as tobrel-cli writes them) and as the HTML page (the same
// tally with its data, the charts and the page), on the 200 MB generated log
// of the reading benchmark, and prints the ratio HTML / text with reading
// included (what a run of tobrel-cli takes; target: at most 1.5) and with
// it left out.
//   tobrel-html-report-bench [MEGABYTES]   (default 200)
// The log is generated once into the temporary folder and reused.
#include <time.h>

#include <algorithm>
#include <cstdio>
#include <cstdlib>
#include <functional>
#include <string>

#include "bench/bench_support.h"
#include "cli/report_output.h"
#include "output/html_report.h"
#include "tally/report_request.h"

namespace {

// Processor time of the whole process, both threads of the tally included:
// other programs on the machine disturb it less than the time on the clock.
double ProcessCpuSeconds() {
  timespec now{};
  clock_gettime(CLOCK_PROCESS_CPUTIME_ID, &now);
  return now.tv_sec + now.tv_nsec / 1e9;
}

struct Timing {
  double elapsed = 1e9;
  double cpu = 1e9;
};

// Runs `run` on a fresh copy of `store`'s postings and keeps the shortest
// times in `best`.
void TimeOneRun(const tobrel::LogStore& store, const std::function<void(tobrel::LogStore&)>& run,
                Timing& best) {
  tobrel::LogStore copy;
  copy.Postings = store.Postings;
  copy.ReadFiles = store.ReadFiles;
  const auto start = tobrel::bench::Clock::now();
  const double cpu_start = ProcessCpuSeconds();
  run(copy);
  best.cpu = std::min(best.cpu, ProcessCpuSeconds() - cpu_start);
  best.elapsed = std::min(best.elapsed, tobrel::bench::SecondsSince(start));
}

}  // namespace

int main(int argc, char** argv) {
  using namespace tobrel::bench;
  const std::uint64_t megabytes = argc > 1 ? std::strtoull(argv[1], nullptr, 10) : 200;
  const auto path = LargeLog(megabytes);

  tobrel::LogStore store;
  const double reading = ReadIntoStore(path, store);
  tobrel::ReportRequest request;
  request.count.time_tables = {true, true, true, true, true, true};
  request.settings.target.last_number = "65000";
  tobrel::TallyProgress progress;

  std::size_t text_bytes = 0, page_bytes = 0;
  Timing text, html;
  // In turns, so that the machine's other work weighs on both alike.
  for (int round = 0; round < 7; ++round) {
    TimeOneRun(store, [&](tobrel::LogStore& copy) {
      const tobrel::ReportOutcome outcome = tobrel::MakeReport(copy, request, progress);
      text_bytes = tobrel::JoinReportLines(outcome.lines, false).size();
    }, text);
    TimeOneRun(store, [&](tobrel::LogStore& copy) {
      tobrel::ReportData data;
      tobrel::MakeReport(copy, request, progress, &data);
      page_bytes = tobrel::HtmlReport(request, data, copy.ReadFiles, 0).size();
    }, html);
  }
  std::printf("log: %s, %zu postings, read in %.2f s\n", path.filename().c_str(),
              store.Postings.size(), reading);
  std::printf("%-40s %9s %9s %11s\n", "count report, all six tables", "elapsed", "cpu", "bytes");
  std::printf("%-40s %8.3fs %8.3fs %11zu\n", "as text", text.elapsed, text.cpu, text_bytes);
  std::printf("%-40s %8.3fs %8.3fs %11zu\n", "as HTML (tally with data, charts, page)",
              html.elapsed, html.cpu, page_bytes);
  std::printf("HTML / text, reading included:  %.2f elapsed (target: at most 1.5)\n",
              (reading + html.elapsed) / (reading + text.elapsed));
  std::printf("HTML / text, reading left out:  %.2f elapsed, %.2f cpu\n",
              html.elapsed / text.elapsed, html.cpu / text.cpu);
  return 0;
}

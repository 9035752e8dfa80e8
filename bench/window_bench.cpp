// The window's share of the work: reading a large log through the window
// (status texts and progress bar live, offscreen) against the reading run
// as tobrel-cli does it, and a tally of an archive of many postings into
// the result view against the same tally written as tobrel-cli's text; and
// how soon after a count tally of the large log its chart page is painted.
//   QT_QPA_PLATFORM=offscreen tobrel-window-bench [MEGABYTES] [POSTINGS]
//   (defaults 200 and 1000000)
#include <QApplication>
#include <QCheckBox>
#include <cstdio>
#include <cstdlib>
#include <filesystem>

#include "bench/bench_support.h"
#include "cli/report_output.h"
#include "core/read_run.h"
#include "regex/line_matcher.h"
#include "regex/quote_pattern.h"
#include "tally/report_request.h"
#include "ui/charts/chart_tab.h"
#include "ui/window/main_window.h"
#include "ui/view/text_view.h"

using namespace tobrel;
using namespace tobrel::bench;

namespace {

DateTime Today() { return *EncodeDateTime({2026, 12, 10, 0, 0, 0}); }

std::unique_ptr<TForm1> Window(const std::filesystem::path& folder, const std::filesystem::path& log) {
  WindowEnvironment environment;
  environment.startup.program_path = folder / "tobrel";
  environment.startup.settings_path = folder / "TOBREL.INI";
  environment.startup.today = Today();
  environment.clock = std::make_shared<FixedClock>(Today());
  auto window = std::make_unique<TForm1>(environment);
  window->AddLogFiles({QString::fromStdString(log.string())});
  window->Candidates().CheckAll(true);
  window->show();
  QApplication::processEvents();
  return window;
}

double CliRead(const std::filesystem::path& log, std::size_t& postings) {
  LogStore store;
  ReadRunInputs inputs;
  inputs.candidates.push_back({log.string(), true});
  TLineMatcher matcher;
  matcher.SetRegExp(kDefaultQuotePattern);
  inputs.is_quoted = [&](std::string_view line) { return matcher.IsMatch(line); };
  ReadRunObserver silent;
  FixedClock today(Today());
  const auto start = tobrel::bench::Clock::now();
  if (ReadLogFiles(store, inputs, today, silent).stopped_by) std::exit(1);
  postings = store.Postings.size();
  return SecondsSince(start);
}

// The count tally with every time table over what `window` read, then the
// chart page: the time from the tally's end until the page is painted with
// its first chart (target: within 1 s), and the slowest of the other charts
// to be shown and painted.
void ChartsAfterTally(TForm1& window) {
  for (const char* table : {"CheckBox1", "CheckBox2", "CheckBox3", "CheckBox4", "CheckBox13", "CheckBox14"})
    window.findChild<QCheckBox*>(table)->setChecked(true);
  double tally = 1e9, first = 1e9, slowest = 0;
  std::size_t charts = 0;
  for (int round = 0; round < 3; ++round) {
    auto start = tobrel::bench::Clock::now();
    window.RunTally();
    tally = std::min(tally, SecondsSince(start));
    start = tobrel::bench::Clock::now();
    window.ToggleChartPage();
    // The page lays out its chart, which then lays itself out, each in events.
    QApplication::processEvents();
    QApplication::processEvents();
    window.ChartPage()->repaint();
    first = std::min(first, SecondsSince(start));
    if (!window.ChartPage()->CurrentPane()) std::exit(1);
    charts = window.ChartPage()->Charts().size();
    for (std::size_t i = 1; i < charts; ++i) {
      start = tobrel::bench::Clock::now();
      window.ChartPage()->ShowChart(static_cast<int>(i));
      QApplication::processEvents();
      QApplication::processEvents();
      window.ChartPage()->repaint();
      slowest = std::max(slowest, SecondsSince(start));
    }
    window.ToggleChartPage();
  }
  std::printf("count tally with every time table: %.3f s; chart page painted %.3f s after it "
              "(target 1 s), %zu charts, the slowest of the others %.3f s\n",
              tally, first, charts, slowest);
}

}  // namespace

int main(int argc, char** argv) {
  QApplication app(argc, argv);
  const std::uint64_t megabytes = argc > 1 ? std::strtoull(argv[1], nullptr, 10) : 200;
  const std::uint64_t archive = argc > 2 ? std::strtoull(argv[2], nullptr, 10) : 1000000;
  const std::filesystem::path folder = std::filesystem::temp_directory_path() / "tobrel-window-bench";
  std::filesystem::create_directories(folder);

  const auto big = LargeLog(megabytes);
  double cli_best = 1e9, window_best = 1e9;
  std::size_t postings = 0;
  for (int round = 0; round < 3; ++round) {
    cli_best = std::min(cli_best, CliRead(big, postings));
    auto window = Window(folder, big);
    const auto start = tobrel::bench::Clock::now();
    window->ReadCheckedFiles();
    window_best = std::min(window_best, SecondsSince(start));
    if (window->Store().Postings.size() != postings) return 1;
    if (round == 2) ChartsAfterTally(*window);
  }
  std::printf("read %.0f MB, %zu postings: tobrel-cli %.3f s, window %.3f s (%.3fx)\n",
              std::filesystem::file_size(big) / 1e6, postings, cli_best, window_best,
              window_best / cli_best);

  const auto many = GeneratedLog("tobrel-bench-archive-" + std::to_string(archive) + ".log",
                                 ArchiveLog(archive, 7));
  LogStore store;
  ReadIntoStore(many, store);
  ReportRequest request;  // the posting-count tally as the window starts
  std::size_t lines = 0;
  const double cli_tally = BestOfRuns(store, 3, [&](LogStore& copy) {
    TallyProgress quiet;
    const ReportOutcome outcome = MakeReport(copy, request, quiet);
    const std::string text = JoinReportLines(outcome.lines, false);
    return outcome.lines.size() + (text.empty() ? 1 : 0);
  }, lines);
  auto window = Window(folder, many);
  window->ReadCheckedFiles();
  double window_tally = 1e9;
  for (int round = 0; round < 3; ++round) {
    const auto start = tobrel::bench::Clock::now();
    window->RunTally();
    QApplication::processEvents();
    window_tally = std::min(window_tally, SecondsSince(start));
  }
  std::printf("count tally of %zu postings, %zu lines: tobrel-cli %.3f s, window %.3f s (%.3fx)\n",
              store.Postings.size(), lines, cli_tally, window_tally, window_tally / cli_tally);
  std::filesystem::remove_all(folder);
  return 0;
}

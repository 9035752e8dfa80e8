// Benchmark of the result view with a report of a million lines: the time to
// append every line and show the view, the memory the view takes against
// the size of the text, and the time to paint the view at the top and at the
// bottom of the report (which should be the same: only visible rows are
// painted). Prints its figures; run by hand.
#include <QApplication>
#include <QElapsedTimer>
#include <cstdio>
#include <fstream>
#include <string>
#include <vector>

#include "platform/cp932.h"
#include "ui/view/text_view.h"

namespace {

constexpr int kLines = 1'000'000;
constexpr int kPaints = 50;

long ResidentBytes() {
  std::ifstream statm("/proc/self/statm");
  long pages = 0;
  long resident = 0;
  statm >> pages >> resident;
  return resident * 4096;
}

// Lines like those of a ranking report: rank, ID, a handle with full-width
// characters, counts and shares.
std::vector<std::string> MakeReport() {
  const std::string handles[] = {tobrel::cp932::FromUtf8("山田太郎"), tobrel::cp932::FromUtf8("ｶﾀｶﾅﾊﾝﾄﾞﾙ"),
                                 "plain_handle", tobrel::cp932::FromUtf8("全角ＡＢＣ")};
  std::vector<std::string> lines;
  lines.reserve(kLines);
  char buffer[160];
  for (int i = 0; i < kLines; ++i) {
    const std::string& handle = handles[i % 4];
    std::snprintf(buffer, sizeof buffer, "%7d  ABC%05d  %-16s %9d %9d  %6.2f%%", i + 1,
                  i % 100000, handle.c_str(), kLines - i, (kLines - i) * 37, 100.0 / (i + 1));
    lines.emplace_back(buffer);
  }
  return lines;
}

double MillisecondsPerPaint(tobrel::TTextView& view) {
  QElapsedTimer timer;
  timer.start();
  for (int i = 0; i < kPaints; ++i) view.viewport()->repaint();
  return static_cast<double>(timer.nsecsElapsed()) / 1e6 / kPaints;
}

}  // namespace

int main(int argc, char** argv) {
  if (qEnvironmentVariableIsEmpty("QT_QPA_PLATFORM")) qputenv("QT_QPA_PLATFORM", "offscreen");
  QApplication app(argc, argv);
  tobrel::TTextView view;
  view.resize(1000, 700);
  view.SetLeftbarVisible(true);
  view.SetRulerVisible(true);
  view.SetScrollBars(tobrel::ScrollBarChoice::kBoth);

  const std::vector<std::string> report = MakeReport();
  long long text_size = 0;
  for (const std::string& line : report) text_size += static_cast<long long>(line.size()) + 2;
  text_size -= 2;

  const long memory_before = ResidentBytes();
  QElapsedTimer timer;
  timer.start();
  for (const std::string& line : report) view.Lines().Add(line);
  view.show();
  QCoreApplication::processEvents();
  view.viewport()->repaint();
  const double append_ms = static_cast<double>(timer.nsecsElapsed()) / 1e6;
  const long memory_used = ResidentBytes() - memory_before;

  view.SetTopRow(0);
  const double top_ms = MillisecondsPerPaint(view);
  view.SetTopRow(kLines);
  const double bottom_ms = MillisecondsPerPaint(view);

  std::printf("lines               %d\n", view.Lines().Count());
  std::printf("text size           %.1f MB\n", text_size / 1e6);
  std::printf("append + show       %.0f ms\n", append_ms);
  std::printf("memory of the view  %.1f MB (%.2f x text)\n", memory_used / 1e6,
              static_cast<double>(memory_used) / static_cast<double>(text_size));
  std::printf("visible rows        %d\n", view.VisibleRowCount());
  std::printf("paint at top        %.2f ms\n", top_ms);
  std::printf("paint at bottom     %.2f ms (top row %d)\n", bottom_ms, view.TopRow());
  return 0;
}

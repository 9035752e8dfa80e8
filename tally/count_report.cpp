#include "tally/count_report.h"

#include "platform/cp932.h"
#include "tally/compact_listing.h"
#include "tally/report_fields.h"

namespace tobrel {
namespace {

constexpr std::size_t kTableWidth = 75;

bool ByPostings(CountOrder order) {
  return order == CountOrder::ByPostings || order == CountOrder::ByPostingsCumulative;
}
bool Cumulative(CountOrder order) {
  return order == CountOrder::ByPostingsCumulative || order == CountOrder::ByCharsCumulative;
}

void WriteHeading(CountOrder order, bool show_ids, ReportText& report) {
  struct Heading {
    const char* title;
    const char* with_ids;
    const char* without_ids;
  };
  static const Heading kHeadings[] = {
      {"【発言数順集計】",
       "順位      ＩＤ  ハンドル           発言数       発言文字数       平均文字数",
       "順位    ハンドル           発言数       発言文字数       平均文字数"},
      {"【発言文字数順集計】",
       "順位      ＩＤ  ハンドル          発言文字数        発言数       平均文字数",
       "順位     ハンドル          発言文字数        発言数       平均文字数"},
      {"【発言数順集計(累計)】",
       "順位      ＩＤ  ハンドル           発言数       発言文字数   発言比率(累計)",
       "順位    ハンドル           発言数       発言文字数   発言比率(累計)"},
      {"【発言文字数順集計(累計)】",
       "順位      ＩＤ  ハンドル          発言文字数        発言数 文字数比率(累計)",
       "順位    ハンドル          発言文字数        発言数 文字数比率(累計)"},
  };
  const Heading& heading = kHeadings[static_cast<int>(order)];
  report.push_back(cp932::FromUtf8(heading.title));
  report.push_back(Rule('=', kTableWidth));
  report.push_back(cp932::FromUtf8(show_ids ? heading.with_ids : heading.without_ids));
  report.push_back(FramedRule(kTableWidth));
}

// "  0.00%(  0.00%)" pieces of the cumulative orders.
std::string SharePiece(std::int64_t value, std::int64_t running, std::int64_t total) {
  if (total < 1) return "  0.00%(  0.00%)";
  return PercentField(value, total, 6) + "%(" + PercentField(running, total, 6) + "%)";
}

struct Totals {
  std::int64_t count = 0;
  std::int64_t chars = 0;
};

std::string Row(const IdTallyRec& entry, CountOrder order, bool show_ids, const Totals& totals,
                Totals& running) {
  const int rank = ByPostings(order) ? entry.RankByCount : entry.RankByChars;
  std::string row = IntField(rank, 4);
  if (show_ids) {
    row += "  " + entry.Id + "  ";
  } else {
    row += "    ";
  }
  row += AlignLeft(entry.Handle, 16);
  running.count += entry.PostCount;
  running.chars += entry.TotalChars;
  if (ByPostings(order)) {
    row += "  " + CountField(entry.PostCount, 7);
    row += CountField(entry.TotalChars, 11) + "(" + IntField(entry.RankByChars, 4) + ")";
    if (order == CountOrder::ByPostings) {
      row += "  " + CountField(entry.TruncatedAverage(), 9) + "(" +
             IntField(entry.RankByAverage, 4) + ")";
    } else {
      row += ' ';
      row += SharePiece(entry.PostCount, running.count, totals.count);
    }
  } else {
    row += CountField(entry.TotalChars, 12) + " ";
    row += CountField(entry.PostCount, 7) + "(" + IntField(entry.RankByCount, 4) + ") ";
    if (order == CountOrder::ByChars) {
      row += ' ';
      row += CountField(entry.TruncatedAverage(), 9) + "(" + IntField(entry.RankByAverage, 4) + ")";
    } else {
      row += SharePiece(entry.TotalChars, running.chars, totals.chars);
    }
  }
  return row;
}

std::string TotalsLine(std::size_t entries, const Totals& totals, CountOrder order,
                       bool show_ids) {
  std::string line = TotalsLineStart(entries);
  if (ByPostings(order)) {
    line += Rule(' ', show_ids ? 20 : 12);
    line += CountField(totals.count, 7) + CountField(totals.chars, 11);
  } else {
    line += Rule(' ', show_ids ? 19 : 11);
    line += CountField(totals.chars, 11) + " " + CountField(totals.count, 7);
  }
  if (Cumulative(order)) {
    line += Rule(' ', 14) + "(100.00%)";
  } else {
    const std::int64_t average = totals.count > 0 ? totals.chars / totals.count : 0;
    line += Rule(' ', 10) + CountField(average, 7);
  }
  return line;
}

}  // namespace

void WriteCountTable(const std::vector<IdTallyRec>& entries, const TopArticle& top,
                     CountOrder order, const TallySettings& settings, TallyProgress& progress,
                     ReportText& report) {
  static const std::string kDisplaying = cp932::FromUtf8("発言集計情報の表示中...");
  static const std::string kBest = cp932::FromUtf8("最高文字数発言 #");
  const bool show_ids = !settings.hide_ids;
  WriteHeading(order, show_ids, report);
  progress.ShowProgress(kDisplaying);

  Totals totals;
  for (const IdTallyRec& entry : entries) {
    totals.count += entry.PostCount;
    totals.chars += entry.TotalChars;
  }
  Totals running;
  CompactListing rows(settings.top100_only, CompactListing::RankForm::Padded, show_ids, report);
  for (const IdTallyRec& entry : entries) {
    rows.AddRow(Row(entry, order, show_ids, totals, running),
                ByPostings(order) ? entry.RankByCount : entry.RankByChars, entry.Handle,
                entry.Id);
  }
  rows.Finish();

  report.push_back(Rule('-', kTableWidth));
  report.push_back(TotalsLine(entries.size(), totals, order, show_ids));
  report.push_back(FramedRule(kTableWidth));
  report.push_back(BestPostingLine(kBest, top, 0, top.TotalChars));
  report.push_back(Rule('=', kTableWidth));
}

}  // namespace tobrel

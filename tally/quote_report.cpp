#include "tally/quote_report.h"

#include "platform/cp932.h"
#include "tally/compact_listing.h"
#include "tally/report_fields.h"

namespace tobrel {
namespace {

constexpr std::size_t kTableWidth = 77;

void WriteHeading(QuoteOrder order, bool show_ids, ReportText& report) {
  struct Heading {
    const char* title;
    const char* with_ids;
    const char* without_ids;
  };
  static const Heading kHeadings[] = {
      {"【発言数順集計】",
       "順位     ＩＤ ハンドル          発言数         発言文字数   平均文字数 引用率",
       "順位  ハンドル          発言数         発言文字数   平均文字数 引用率"},
      {"【発言文字数順集計】",
       "順位     ＩＤ ハンドル           発言文字数        発言数   平均文字数 引用率",
       "順位  ハンドル           発言文字数        発言数   平均文字数 引用率"},
      {"【本文文字数順集計】",
       "順位     ＩＤ ハンドル          本文文字数   総発言文字数       発言数 本文率",
       "順位  ハンドル          本文文字数   総発言文字数       発言数 本文率"},
      {"【引用文字数順集計】",
       "順位     ＩＤ ハンドル          引用文字数   総発言文字数       発言数 引用率",
       "順位  ハンドル          引用文字数   総発言文字数       発言数 引用率"},
  };
  const Heading& heading = kHeadings[static_cast<int>(order)];
  report.push_back(cp932::FromUtf8(heading.title));
  report.push_back(Rule('=', kTableWidth));
  report.push_back(cp932::FromUtf8(show_ids ? heading.with_ids : heading.without_ids));
  report.push_back(FramedRule(kTableWidth));
}

// The rank that orders the table.
int TableRank(const IdTallyRec& entry, QuoteOrder order) {
  switch (order) {
    case QuoteOrder::ByPostings: return entry.RankByCount;
    case QuoteOrder::ByChars: return entry.RankByChars;
    case QuoteOrder::ByOwnChars: return entry.RankByOwn;
    case QuoteOrder::ByQuoted: return entry.RankByQuoted;
  }
  return 0;
}

// "%N.2f%%" of value * 100 / total; a total of 0 characters has no ratio and
// shows as zero in the same format.
std::string RatioPiece(std::int64_t value, std::int64_t total, std::size_t width) {
  return (total > 0 ? PercentField(value, total, width) : AlignRight("0.00", width)) + "%";
}

// The truncated average in `width` columns and its rank.
std::string AveragePiece(const IdTallyRec& entry, std::size_t width) {
  return CountField(entry.TruncatedAverage(), width) + "(" + IntField(entry.RankByAverage, 4) +
         ") ";
}

std::string Row(const IdTallyRec& entry, QuoteOrder order, bool show_ids) {
  std::string row = IntField(TableRank(entry, order), 4);
  row += ' ';
  if (show_ids) row += AlignRight(entry.Id, 8);
  row += ' ';
  row += AlignLeft(entry.Handle, 16) + " ";
  switch (order) {
    case QuoteOrder::ByPostings:
      row += CountField(entry.PostCount, 7) + " ";
      row += CountField(entry.TotalChars, 12) + "(" + IntField(entry.RankByChars, 4) + ")";
      row += AveragePiece(entry, 7) + RatioPiece(entry.QuotedChars, entry.TotalChars, 5);
      break;
    case QuoteOrder::ByChars:
      row += CountField(entry.TotalChars, 12) + " ";
      row += CountField(entry.PostCount, 7) + "(" + IntField(entry.RankByCount, 4) + ") ";
      row += AveragePiece(entry, 6) + RatioPiece(entry.QuotedChars, entry.TotalChars, 5);
      break;
    case QuoteOrder::ByOwnChars:
    case QuoteOrder::ByQuoted: {
      const bool own = order == QuoteOrder::ByOwnChars;
      const std::int64_t part = own ? entry.OwnChars : entry.QuotedChars;
      row += CountField(part, 11) + "    " + CountField(entry.TotalChars, 11) + " ";
      row += CountField(entry.PostCount, 6) + "(" + IntField(entry.RankByCount, 4) + ")";
      row += RatioPiece(part, entry.TotalChars, 6);
      break;
    }
  }
  return row;
}

struct Totals {
  std::int64_t count = 0;
  std::int64_t chars = 0;
  std::int64_t own = 0;
  std::int64_t quoted = 0;
};

std::string TotalsLine(std::size_t entries, const Totals& totals, QuoteOrder order,
                       bool show_ids) {
  std::string line = TotalsLineStart(entries) + Rule(' ', show_ids ? 17 : 9);
  // The last piece, the ratio, reads "00.00" when nothing was written.
  auto ratio = [&](std::string lead, std::int64_t value, std::size_t width) {
    return totals.chars > 0 ? lead + PercentField(value, totals.chars, width) + "%"
                            : std::string("00.00");
  };
  const std::int64_t average = totals.count > 0 ? totals.chars / totals.count : 0;
  switch (order) {
    case QuoteOrder::ByPostings:
      line += CountField(totals.count, 7) + " " + CountField(totals.chars, 12);
      line += Rule(' ', 6) + CountField(average, 7) + Rule(' ', 7);
      line += ratio("", totals.quoted, 5);
      break;
    case QuoteOrder::ByChars:
      line += CountField(totals.chars, 12) + " " + CountField(totals.count, 7);
      line += Rule(' ', 6) + CountField(average, 7) + Rule(' ', 7);
      line += ratio("", totals.quoted, 5);
      break;
    case QuoteOrder::ByOwnChars:
      line += CountField(totals.own, 11) + "    " + CountField(totals.chars, 11) + " ";
      line += CountField(totals.count, 6);
      line += ratio(Rule(' ', 6), totals.own, 6);
      break;
    case QuoteOrder::ByQuoted:
      line += CountField(totals.quoted, 11) + "    " + CountField(totals.chars, 11) + " ";
      line += ' ';
      line += CountField(totals.count, 6);
      line += ratio(Rule(' ', 5), totals.quoted, 6);
      break;
  }
  return line;
}

}  // namespace

void WriteQuoteTable(const std::vector<IdTallyRec>& entries, const QuoteTops& tops,
                     QuoteOrder order, const TallySettings& settings, ReportText& report) {
  static const std::string kMostChars = cp932::FromUtf8("最高文字数発言   #");
  static const std::string kMostQuoted = cp932::FromUtf8("最高引用文字発言 #");
  const bool show_ids = !settings.hide_ids;
  WriteHeading(order, show_ids, report);

  Totals totals;
  CompactListing rows(settings.top100_only, CompactListing::RankForm::Plain, show_ids, report);
  for (const IdTallyRec& entry : entries) {
    totals.count += entry.PostCount;
    totals.chars += entry.TotalChars;
    totals.own += entry.OwnChars;
    totals.quoted += entry.QuotedChars;
    rows.AddRow(Row(entry, order, show_ids), TableRank(entry, order), entry.Handle, entry.Id);
  }
  rows.Finish();

  report.push_back(Rule('-', kTableWidth));
  report.push_back(TotalsLine(entries.size(), totals, order, show_ids));
  report.push_back(FramedRule(kTableWidth));
  report.push_back(BestPostingLine(kMostChars, tops.most_chars, 0, tops.most_chars.TotalChars));
  report.push_back(
      BestPostingLine(kMostQuoted, tops.most_quoted, 8, tops.most_quoted.QuotedChars));
  report.push_back(Rule('=', kTableWidth));
}

}  // namespace tobrel

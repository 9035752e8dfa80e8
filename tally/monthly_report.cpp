#include "tally/monthly_report.h"

#include "platform/cp932.h"
#include "tally/report_fields.h"

namespace tobrel {
namespace {

constexpr std::size_t kMonthTableWidth = 74;
constexpr std::size_t kIdTableWidth = 67;

// The rank in the month before and the move since: "   -(－)" in the first
// month or after a month without the key, else the rank and "(▼)" for a
// fall, "(△)" for a rise, "(－)" for the same rank.
std::string PreviousMonthPiece(const MonthlyEntry& entry, std::size_t month, MonthKey key) {
  static const std::string kAbsent = cp932::FromUtf8("   -(－)");
  static const std::string kFell = cp932::FromUtf8("(▼)");
  static const std::string kRose = cp932::FromUtf8("(△)");
  static const std::string kSame = cp932::FromUtf8("(－)");
  if (month == 0) return kAbsent;
  const MonthSlot& before = entry.Months[month - 1];
  const MonthSlot& now = entry.Months[month];
  const bool by_count = key == MonthKey::PostCount;
  if ((by_count ? before.PostCount : before.TotalChars) == 0) return kAbsent;
  const std::int32_t rank_before = by_count ? before.RankByCount : before.RankByChars;
  const std::int32_t rank_now = by_count ? now.RankByCount : now.RankByChars;
  return IntField(rank_before, 4) +
         (rank_before < rank_now ? kFell : rank_before > rank_now ? kRose : kSame);
}

}  // namespace

void WriteMonthTable(const std::vector<MonthlyEntry>& entries,
                     const std::vector<std::uint32_t>& order, std::size_t month,
                     const std::string& label, MonthKey key, bool hide_ids, ReportText& report) {
  struct Texts {
    std::string title, with_ids, without_ids;
  };
  static const Texts kByCount{
      cp932::FromUtf8("【月間発言数集計】 "),
      cp932::FromUtf8(
          "順位      ＩＤ  ハンドル           発言数        発言文字数       前月順位"),
      cp932::FromUtf8("順位    ハンドル           発言数        発言文字数       前月順位")};
  static const Texts kByChars{
      cp932::FromUtf8("【月間発言文字数集計】 "),
      cp932::FromUtf8(
          "順位      ＩＤ  ハンドル          発言文字数        発言数        前月順位"),
      cp932::FromUtf8("順位    ハンドル          発言文字数        発言数        前月順位")};
  static const std::string kPeople = cp932::FromUtf8("人");
  const bool by_count = key == MonthKey::PostCount;
  const Texts& texts = by_count ? kByCount : kByChars;
  report.push_back(texts.title + label);
  report.push_back(Rule('=', kMonthTableWidth));
  report.push_back(hide_ids ? texts.without_ids : texts.with_ids);
  report.push_back(FramedRule(kMonthTableWidth));

  std::int64_t rows = 0, total_count = 0, total_chars = 0;
  for (const std::uint32_t position : order) {
    const MonthlyEntry& entry = entries[position];
    const MonthSlot& slot = entry.Months[month];
    if (slot.PostCount == 0) break;
    std::string row = IntField(by_count ? slot.RankByCount : slot.RankByChars, 4);
    row += hide_ids ? "    " : "  " + AlignRight(entry.Id, 8) + "  ";
    row += AlignLeft(slot.Handle, 16) + "  ";
    if (by_count) {
      row += CountField(slot.PostCount, 7) + " " + CountField(slot.TotalChars, 11) + "(" +
             IntField(slot.RankByChars, 4) + ")";
    } else {
      row += CountField(slot.TotalChars, 11) + " " + CountField(slot.PostCount, 7) + "(" +
             IntField(slot.RankByCount, 4) + ")";
    }
    row += Rule(' ', 8) + PreviousMonthPiece(entry, month, key);
    report.push_back(std::move(row));
    ++rows;
    total_count += slot.PostCount;
    total_chars += slot.TotalChars;
  }

  report.push_back(FramedRule(kMonthTableWidth));
  std::string totals = Rule(' ', 8) + IntField(rows, 4) + kPeople + Rule(' ', hide_ids ? 12 : 20);
  totals += by_count ? CountField(total_count, 7) + " " + CountField(total_chars, 11)
                     : CountField(total_chars, 11) + " " + CountField(total_count, 7);
  report.push_back(std::move(totals));
  report.push_back(Rule('=', kMonthTableWidth));
  report.emplace_back();
}

void WriteIdMonthTable(const MonthlyEntry& entry, const std::vector<std::string>& labels,
                       ReportText& report) {
  static const std::string kTitle = cp932::FromUtf8("【ID別月間集計】ID：");
  static const std::string kHandle = cp932::FromUtf8(" ハンドル：");
  static const std::string kHeading = cp932::FromUtf8(
      "   年月           発言数         発言文字数  平均発言文字数  引用率");
  static const std::string kEmptyMonth =
      "          0(   -)            0(   -)               0   0.00%";
  report.push_back(kTitle + entry.Id + kHandle + std::string(entry.Handle));
  report.push_back(Rule('=', kIdTableWidth));
  report.push_back(kHeading);
  report.push_back(FramedRule(kIdTableWidth));

  // A ratio whose characters are 0 reads as zero.
  auto quoted_share = [](std::int64_t quoted, std::int64_t chars) {
    return chars > 0 ? PercentField(quoted, chars, 6) : AlignRight("0.00", 6);
  };
  std::int64_t total_count = 0, total_chars = 0, total_quoted = 0;
  for (std::size_t month = 0; month < labels.size(); ++month) {
    const MonthSlot& slot = entry.Months[month];
    if (slot.PostCount < 1) {
      report.push_back(labels[month] + kEmptyMonth);
      continue;
    }
    report.push_back(labels[month] + "    " + CountField(slot.PostCount, 7) + "(" +
                     IntField(slot.RankByCount, 4) + ")  " + CountField(slot.TotalChars, 11) +
                     "(" + IntField(slot.RankByChars, 4) + ")     " +
                     CountField(slot.TotalChars / slot.PostCount, 11) + " " +
                     quoted_share(slot.QuotedChars, slot.TotalChars) + "%");
    total_count += slot.PostCount;
    total_chars += slot.TotalChars;
    total_quoted += slot.QuotedChars;
  }

  report.push_back(Rule('=', kIdTableWidth));
  std::string totals =
      Rule(' ', 11) + CountField(total_count, 7) + Rule(' ', 8) + CountField(total_chars, 11);
  if (total_count < 1) {
    totals += Rule(' ', 21) + "0   0.00%";
  } else {
    totals += Rule(' ', 11) + CountField(total_chars / total_count, 11) + " " +
              quoted_share(total_quoted, total_chars) + "%";
  }
  report.push_back(std::move(totals));
  report.push_back(Rule('=', kIdTableWidth));
  report.emplace_back();
}

}  // namespace tobrel

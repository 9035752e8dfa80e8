// The monthly tally. Every ID of the store gets an entry with twelve month
// slots; the postings of the range's months are summed into them. Then month
// by month the entries are ranked by both keys, the key of the table last,
// so that each slot holds its month's ranks and a month's table can show the
// rank of the month before beside the rank of its own.
#include "tally/monthly_tally.h"

#include "core/article_rec.h"
#include "platform/cp932.h"
#include "platform/failure.h"
#include "tally/monthly_entries.h"
#include "tally/monthly_report.h"
#include "tally/monthly_data.h"

namespace tobrel {
namespace {

// Clears the progress text however the tally ends.
class ProgressClearer {
 public:
  explicit ProgressClearer(TallyProgress& progress) : progress_(progress) {}
  ~ProgressClearer() { progress_.ShowProgress(""); }
  ProgressClearer(const ProgressClearer&) = delete;
  ProgressClearer& operator=(const ProgressClearer&) = delete;

 private:
  TallyProgress& progress_;
};

}  // namespace

std::string UpperCaseTargetId(std::string_view text) {
  std::string upper(text);
  for (char& c : upper)
    if (c >= 'a' && c <= 'z') c = static_cast<char>(c - 'a' + 'A');
  return upper;
}

void MonthTobrel(const LogStore& store, const TallySettings& settings,
                 const MonthTallyOptions& options, TallyProgress& progress, ReportText& report,
                 ReportData* data) {
  static const std::string kBadId = cp932::FromUtf8("対象IDが不正です");
  static const std::string kCollecting = cp932::FromUtf8("月別集計情報を取得中...");
  static const std::string kByPostings = cp932::FromUtf8("月別発言数集計中... : ");
  static const std::string kByChars = cp932::FromUtf8("月別発言文字数集計中... : ");
  static const std::string kOneId = cp932::FromUtf8("ID別月間集計集... : ");
  const ProgressClearer clearer(progress);
  if (options.kind == MonthKind::OneId && !IsNiftyIdText(options.target_id))
    throw Failure(FailureKind::TallyRefused, kBadId);
  CheckMonthRange(options.range);
  report.clear();
  if (data) data->clear();

  const std::vector<YearMonth> months = MonthsOfRange(options.range);
  std::vector<std::string> labels;
  for (const YearMonth& month : months) labels.push_back(MonthLabel(month));

  progress.ShowProgress(kCollecting);
  std::vector<MonthlyEntry> entries =
      CollectMonthlyEntries(store.Postings, months, settings.MapSameId);

  for (std::size_t month = 0; month < months.size(); ++month) {
    switch (options.kind) {
      case MonthKind::ByPostings: {
        progress.ShowProgress(kByPostings + labels[month]);
        const auto order = RankMonth(entries, month, MonthKey::TotalChars);
        WriteMonthTable(entries, order, month, labels[month], MonthKey::PostCount,
                        settings.hide_ids, report);
        if (data)
          data->push_back(MonthRankingDataRows(entries, order, month, labels[month],
                                                  MonthKey::PostCount, settings));
        break;
      }
      case MonthKind::ByChars: {
        progress.ShowProgress(kByChars + labels[month]);
        const auto order = RankMonth(entries, month, MonthKey::PostCount);
        WriteMonthTable(entries, order, month, labels[month], MonthKey::TotalChars,
                        settings.hide_ids, report);
        if (data)
          data->push_back(MonthRankingDataRows(entries, order, month, labels[month],
                                                  MonthKey::TotalChars, settings));
        break;
      }
      case MonthKind::OneId:
        RankMonth(entries, month, MonthKey::TotalChars);
        break;
    }
  }

  if (options.kind == MonthKind::OneId) {
    progress.ShowProgress(kOneId + options.target_id);
    for (const MonthlyEntry& entry : entries) {
      if (entry.Id != options.target_id) continue;
      WriteIdMonthTable(entry, labels, report);
      if (data) data->push_back(IdMonthDataRows(entry, labels));
      break;
    }
  }
}

}  // namespace tobrel

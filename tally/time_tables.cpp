#include "tally/time_tables.h"

#include "platform/cp932.h"
#include "core/posting_sorts.h"
#include "core/side_by_side.h"

namespace tobrel {
namespace {

// Writes one table's text and, when asked, its exported table.
template <typename Counts, typename Text, typename Data>
void Emit(const Counts& counts, Text write_text, Data data_table, ReportText& report,
          ReportTables* tables) {
  write_text(counts, report);
  if (tables) tables->push_back(data_table(counts));
}

}  // namespace

void WriteTimeTables(std::vector<ArticleRec>& postings, const TargetTest& target,
                     const TimeTableChoice& choice, TallyProgress& progress, ReportText& report,
                     ReportTables* tables) {
  if (!(choice.by_date || choice.by_month || choice.by_hour || choice.by_weekday ||
        choice.by_id_hour || choice.by_weekday_hour))
    return;
  auto show = [&progress](const char* text_utf8) {
    progress.ShowProgress(cp932::FromUtf8(text_utf8));
  };
  // The date table walks the postings in time order; sorting first lets
  // every table share one collection of facts.
  if (choice.by_date) {
    show("日付別集計表を作成中...");
    SortPostingsByTime(postings);
  }
  const std::vector<TimeFact> facts = CollectTimeFacts(postings, target);
  // The months, which take longest, are counted on a second thread while
  // the other tables are counted here; all are written after.
  std::vector<PeriodCount> days, months;
  HourCounts hours{};
  std::array<std::int64_t, 7> weekdays{};
  std::vector<IdHourCount> id_hours;
  std::array<HourCounts, 7> weekday_hours{};
  RunSideBySide(
      [&] {
        if (choice.by_month) months = CountMonths(facts);
      },
      [&] {
        if (choice.by_date) days = CountDays(facts);
        if (choice.by_hour) hours = CountHours(facts);
        if (choice.by_weekday) weekdays = CountWeekdays(facts);
        if (choice.by_id_hour) id_hours = CountIdHours(facts, postings);
        if (choice.by_weekday_hour) weekday_hours = CountWeekdayHours(facts);
      });
  if (choice.by_date) Emit(days, WriteDateTable, DateDataTable, report, tables);
  if (choice.by_month) {
    show("月別集計表を作成中...");
    Emit(months, WriteMonthTable, MonthDataTable, report, tables);
  }
  if (choice.by_hour) {
    show("時間帯別集計表を作成中...");
    Emit(hours, WriteHourTable, HourDataTable, report, tables);
  }
  if (choice.by_weekday) {
    show("曜日別集計表を作成中...");
    Emit(weekdays, WriteWeekdayTable, WeekdayDataTable, report, tables);
  }
  if (choice.by_id_hour) {
    show("ID別時間帯集計表を作成中...");
    Emit(id_hours, WriteIdHourTable, IdHourDataTable, report, tables);
    progress.ShowProgress("");
  }
  if (choice.by_weekday_hour) {
    show("曜日別時間帯集計表を作成中...");
    Emit(weekday_hours, WriteWeekdayHourTable, WeekdayHourDataTable, report, tables);
  }
}

}  // namespace tobrel

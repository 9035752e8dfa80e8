#include "tally/time_tables.h"

#include <iterator>
#include <optional>
#include <utility>

#include "platform/cp932.h"
#include "core/posting_sorts.h"
#include "core/side_by_side.h"

namespace tobrel {
namespace {

// One table made apart from the report: its text and, when asked, its
// exported table.
struct MadeTable {
  ReportText text;
  std::optional<DataRows> data;
};

template <typename Counts, typename Text, typename Data>
MadeTable Make(const Counts& counts, Text write_text, Data make_data, bool with_data) {
  MadeTable made;
  write_text(counts, made.text);
  if (with_data) made.data = make_data(counts);
  return made;
}

// Adds a made table to the report and to the exported tables.
void Add(MadeTable& made, ReportText& report, ReportData* data) {
  report.insert(report.end(), std::make_move_iterator(made.text.begin()),
                std::make_move_iterator(made.text.end()));
  if (data && made.data) data->push_back(std::move(*made.data));
}

}  // namespace

void WriteTimeTables(std::vector<ArticleRec>& postings, const TargetTest& target,
                     const TimeTableChoice& choice, TallyProgress& progress, ReportText& report,
                     ReportData* data) {
  if (!(choice.by_date || choice.by_month || choice.by_hour || choice.by_weekday ||
        choice.by_id_hour || choice.by_weekday_hour))
    return;
  auto show = [&progress](const char* text_utf8) {
    progress.ShowProgress(cp932::FromUtf8(text_utf8));
  };
  // The date table walks the postings in time order; sorting first lets
  // every table share one walk.
  if (choice.by_date) {
    show("日付別集計表を作成中...");
    SortPostingsByTime(postings);
  }
  const TimeCounts counts = CountTimes(postings, target, choice.by_date);
  // The tables are written on two threads, the IDs by hour (which take
  // longest) on this one and the others beside it; then each is shown and
  // added in order.
  const bool with_data = data != nullptr;
  MadeTable days, months, hours, weekdays, id_hours, weekday_hours;
  RunSideBySide(
      [&choice, &counts, with_data, &days, &months, &hours, &weekdays, &weekday_hours] {
        if (choice.by_date) days = Make(counts.days, WriteDateTable, DateDataRows, with_data);
        if (choice.by_month) months = Make(counts.months, WriteMonthTable, MonthDataRows, with_data);
        if (choice.by_hour)
          hours = Make(HourTotals(counts.weekday_hours), WriteHourTable, HourDataRows, with_data);
        if (choice.by_weekday)
          weekdays =
              Make(WeekdayTotals(counts.weekday_hours), WriteWeekdayTable, WeekdayDataRows, with_data);
        if (choice.by_weekday_hour)
          weekday_hours = Make(counts.weekday_hours, WriteWeekdayHourTable, WeekdayHourDataRows,
                               with_data);
      },
      [&choice, &counts, with_data, &id_hours] {
        if (choice.by_id_hour)
          id_hours = Make(counts.id_hours, WriteIdHourTable, IdHourDataRows, with_data);
      });
  if (choice.by_date) Add(days, report, data);
  if (choice.by_month) {
    show("月別集計表を作成中...");
    Add(months, report, data);
  }
  if (choice.by_hour) {
    show("時間帯別集計表を作成中...");
    Add(hours, report, data);
  }
  if (choice.by_weekday) {
    show("曜日別集計表を作成中...");
    Add(weekdays, report, data);
  }
  if (choice.by_id_hour) {
    show("ID別時間帯集計表を作成中...");
    Add(id_hours, report, data);
    progress.ShowProgress("");
  }
  if (choice.by_weekday_hour) {
    show("曜日別時間帯集計表を作成中...");
    Add(weekday_hours, report, data);
  }
}

}  // namespace tobrel

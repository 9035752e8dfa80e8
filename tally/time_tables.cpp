#include "tally/time_tables.h"

#include <future>
#include <optional>
#include <system_error>

#include "platform/cp932.h"
#include "core/posting_sorts.h"

namespace tobrel {
namespace {

// Writes one table's text and, when asked, its exported table.
template <typename Counts, typename Text, typename Data>
void Emit(const Counts& counts, Text write_text, Data data_table, ReportText& report,
          ReportTables* tables) {
  write_text(counts, report);
  if (tables) tables->push_back(data_table(counts));
}

// Runs `count` on a second thread, or, where none can be had, when its
// result is asked for.
template <typename Count>
auto CountAside(Count count) {
  try {
    return std::async(std::launch::async, count);
  } catch (const std::system_error&) {
    return std::async(std::launch::deferred, count);
  }
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
  // The months and the IDs, which take longest, are counted on a second
  // thread while the other tables are counted and written here.
  struct CountedAside {
    std::vector<PeriodCount> months;
    std::vector<IdHourCount> id_hours;
  };
  std::future<CountedAside> aside;
  if (choice.by_month || choice.by_id_hour)
    aside = CountAside([&] {
      CountedAside counts;
      if (choice.by_month) counts.months = CountMonths(facts);
      if (choice.by_id_hour) counts.id_hours = CountIdHours(facts, postings);
      return counts;
    });
  std::optional<CountedAside> counted;
  auto counted_aside = [&]() -> CountedAside& {
    if (!counted) counted = aside.get();
    return *counted;
  };
  if (choice.by_date) Emit(CountDays(facts), WriteDateTable, DateDataTable, report, tables);
  if (choice.by_month) {
    show("月別集計表を作成中...");
    Emit(counted_aside().months, WriteMonthTable, MonthDataTable, report, tables);
  }
  if (choice.by_hour) {
    show("時間帯別集計表を作成中...");
    Emit(CountHours(facts), WriteHourTable, HourDataTable, report, tables);
  }
  if (choice.by_weekday) {
    show("曜日別集計表を作成中...");
    Emit(CountWeekdays(facts), WriteWeekdayTable, WeekdayDataTable, report, tables);
  }
  if (choice.by_id_hour) {
    show("ID別時間帯集計表を作成中...");
    Emit(counted_aside().id_hours, WriteIdHourTable, IdHourDataTable, report, tables);
    progress.ShowProgress("");
  }
  if (choice.by_weekday_hour) {
    show("曜日別時間帯集計表を作成中...");
    Emit(CountWeekdayHours(facts), WriteWeekdayHourTable, WeekdayHourDataTable, report, tables);
  }
}

}  // namespace tobrel

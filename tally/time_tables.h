// The time-distribution tables: postings of the target range by date, month,
// hour, weekday, ID and hour, weekday and hour. They count the posting's own
// ID (no same-person mapping) and skip deleted postings, as the target test
// does.
#pragma once

#include <vector>

#include "core/article_rec.h"
#include "tally/report_data.h"
#include "tally/report_text.h"
#include "tally/tally_progress.h"
#include "tally/target_test.h"
#include "tally/time_counts.h"

namespace tobrel {

// Which tables to write; they are written in this order.
struct TimeTableChoice {
  bool by_date = false;          // "日付別集計(&D)"
  bool by_month = false;         // "月別集計(&M)"
  bool by_hour = false;          // "時間帯別集計(&T)"
  bool by_weekday = false;       // "曜日別集計(&W)"
  bool by_id_hour = false;       // "ID別時間帯集計（&I)"
  bool by_weekday_hour = false;  // "曜日別時間帯集計(&Z)"
};

// Writes the chosen tables in order, each after its progress text, and with
// `data` also appends each one's exported table. The date table first
// sorts `postings` by time, and the order stays.
void WriteTimeTables(std::vector<ArticleRec>& postings, const TargetTest& target,
                     const TimeTableChoice& choice, TallyProgress& progress, ReportText& report,
                     ReportData* data = nullptr);

// The text tables, from the counts of the counted postings.
void WriteDateTable(const std::vector<PeriodCount>& days, ReportText& report);
void WriteMonthTable(const std::vector<PeriodCount>& months, ReportText& report);
void WriteHourTable(const HourCounts& counts, ReportText& report);
void WriteWeekdayTable(const std::array<std::int64_t, 7>& counts, ReportText& report);
void WriteIdHourTable(const std::vector<IdHourCount>& entries, ReportText& report);
void WriteWeekdayHourTable(const std::array<HourCounts, 7>& counts, ReportText& report);

// The exported tables: one row per day, month, hour, weekday, ID or weekday,
// with raw counts and no bars.
DataRows DateDataRows(const std::vector<PeriodCount>& days);
DataRows MonthDataRows(const std::vector<PeriodCount>& months);
DataRows HourDataRows(const HourCounts& counts);
DataRows WeekdayDataRows(const std::array<std::int64_t, 7>& counts);
DataRows IdHourDataRows(const std::vector<IdHourCount>& entries);
DataRows WeekdayHourDataRows(const std::array<HourCounts, 7>& counts);

}  // namespace tobrel

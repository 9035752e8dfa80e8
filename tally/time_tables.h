// The time-distribution tables: postings of the target range by date, month,
// hour, weekday, ID and hour, weekday and hour. They count the posting's own
// ID (no same-person mapping) and skip deleted postings, as the target test
// does.
#pragma once

#include <vector>

#include "core/article_rec.h"
#include "tally/report_text.h"
#include "tally/tally_progress.h"
#include "tally/target_test.h"
#include "tally/time_facts.h"

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

// Writes the chosen tables in order, each after its progress text. The date
// table first sorts `postings` by time, and the order stays.
void WriteTimeTables(std::vector<ArticleRec>& postings, const TargetTest& target,
                     const TimeTableChoice& choice, TallyProgress& progress, ReportText& report);

// The tables themselves, from the facts of the counted postings in the order
// of the postings (time order for the date table).
void WriteDateTable(const std::vector<TimeFact>& facts, ReportText& report);
void WriteMonthTable(const std::vector<TimeFact>& facts, ReportText& report);
void WriteHourTable(const std::vector<TimeFact>& facts, ReportText& report);
void WriteWeekdayTable(const std::vector<TimeFact>& facts, ReportText& report);
// `postings` gives each ID's text and handle.
void WriteIdHourTable(const std::vector<TimeFact>& facts,
                      const std::vector<ArticleRec>& postings, ReportText& report);
void WriteWeekdayHourTable(const std::vector<TimeFact>& facts, ReportText& report);

}  // namespace tobrel

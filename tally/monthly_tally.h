// The monthly tally: posters ranked month by month over up to twelve months,
// by postings or by characters, beside their rank in the month before; or
// one ID's postings, characters, ranks and quotation ratio month by month.
// It walks the whole store under its own month range, without the target
// range, and writes no target lines.
#pragma once

#include <optional>
#include <string>
#include <string_view>

#include "core/log_store.h"
#include "tally/month_range.h"
#include "tally/report_data.h"
#include "tally/posting_order_left.h"
#include "tally/report_text.h"
#include "tally/tally_progress.h"
#include "tally/tally_settings.h"

namespace tobrel {

// The items of "集計種別(&O)".
enum class MonthKind {
  ByPostings = 0,  // "月間発言数集計"
  ByChars = 1,     // "月間文字数集計"
  OneId = 2,       // "ID別月間集計"
};

struct MonthTallyOptions {
  MonthKind kind = MonthKind::ByPostings;
  MonthRange range;
  std::string target_id;  // "対象&ID", for OneId
};

// Whether the target ID field (and its label) is enabled for `kind`.
inline bool TargetIdEnabled(MonthKind kind) { return kind == MonthKind::OneId; }

// The target ID field's text as it is left: ASCII letters upper-cased.
std::string UpperCaseTargetId(std::string_view text);

// Empties `report`, and `data` when given, and writes the report and its
// data rows into them; a throw leaves both as they were. Throws
// Failure (TallyRefused) with the message (CP932) of the first check that
// fails, with nothing written: "対象IDが不正です" for OneId with a target ID
// that is no member ID, then the month range's message (CheckMonthRange). Uses only
// `settings.hide_ids` and `settings.MapSameId`.
// Leaves the postings: as found.
void MonthTobrel(const LogStore& store, const TallySettings& settings,
                 const MonthTallyOptions& options, TallyProgress& progress, ReportText& report,
                 ReportData* data = nullptr);

inline PostingOrderLeft OrderLeftBy(const MonthTallyOptions& /*options*/) {
  return PostingOrderLeft::AsFound;
}

}  // namespace tobrel

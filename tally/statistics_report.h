// The statistics report: for each conference room with postings in the
// target range, its information block, its title list and its missing
// posting numbers, as asked for.
#pragma once

#include "core/log_store.h"
#include "tally/report_data.h"
#include "tally/posting_order_left.h"
#include "tally/report_text.h"
#include "tally/tally_progress.h"
#include "tally/tally_settings.h"
#include "tally/title_list.h"

namespace tobrel {

struct StatsTallyOptions {
  bool room_information = true;  // "会議室情報を出力する(&J)"
  bool title_list = false;       // "発言タイトルリストを作成する(&L)"
  TitleListForm title_form = TitleListForm::TitleList;
  // "欠番チェックを行う (番号指定時のみ)(&N)": has effect only with a number
  // range (see MissingNumberCheckEnabled).
  bool missing_numbers = false;
};

// Whether the missing-number check can be chosen: only while the target
// kind is by number. Every change of the target kind unchecks it.
inline bool MissingNumberCheckEnabled(TargetKind kind) { return kind == TargetKind::ByNumber; }

// Empties `report`, and `data` when given, and writes the report and its
// data rows into them; a throw leaves both as they were. Sorts the
// postings by room and time. With the title list, recounts the comments of
// the whole store first, so that the list shows them. Throws
// Failure (BadNumberText), before anything changes, when a number text of the
// target range is not an integer.
// Leaves the postings: by room and time.
void StatsTobrel(LogStore& store, const TallySettings& settings, const StatsTallyOptions& options,
                 TallyProgress& progress, ReportText& report, ReportData* data = nullptr);

inline PostingOrderLeft OrderLeftBy(const StatsTallyOptions& /*options*/) {
  return PostingOrderLeft::ByRoomTime;
}

}  // namespace tobrel

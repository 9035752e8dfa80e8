// The comment tally: posters ranked by the comments their postings drew, in
// all or per posting, or single postings ranked by their comments. The first
// comment tally after the read data were cleared recounts the comments of
// the store first.
#pragma once

#include "core/log_store.h"
#include "tally/report_data.h"
#include "tally/posting_order_left.h"
#include "tally/report_text.h"
#include "tally/tally_progress.h"
#include "tally/tally_settings.h"

namespace tobrel {

// The items of "集計順 (&O)".
enum class CommentOrder {
  ByCommentSum = 0,   // "ID別被コメント数"
  ByCommentRate = 1,  // "ID別被コメント率"
  ByPosting = 2,      // "発言別被コメント数"
};

// The items of "上位...(&U)".
enum class CommentLimit {
  Top30 = 0,  // "30位まで"
  Top20 = 1,  // "20位まで"
  Top10 = 2,  // "10位まで"
  All = 3,    // "すべて": every poster, postings down to rank 50
};

struct CommentTallyOptions {
  CommentOrder order = CommentOrder::ByCommentSum;
  CommentLimit limit = CommentLimit::Top30;
};

// Empties `report`, and `data` when given, and writes the report and its
// data rows into them; a throw leaves both as they were. Sorts the
// postings by room and time, and for ByPosting then by comment count. When
// the store's CommentsRecounted is false, recounts the comments of the store
// first and sets it (ClearStore clears it; further reading leaves it as it
// is). Throws
// Failure (BadNumberText), before anything changes, when a number text of the
// target range is not an integer.
// Leaves the postings: by comment count for ByPosting, else by room and time.
void CommentTobrel(LogStore& store, const TallySettings& settings,
                   const CommentTallyOptions& options,
                   TallyProgress& progress, ReportText& report,
                   ReportData* data = nullptr);

inline PostingOrderLeft OrderLeftBy(const CommentTallyOptions& options) {
  return options.order == CommentOrder::ByPosting ? PostingOrderLeft::ByCommentCount
                                                  : PostingOrderLeft::ByRoomTime;
}

}  // namespace tobrel

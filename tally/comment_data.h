// The comment tally's tables as exported values: the posters by comment sum
// or by comments per posting, or the postings by their comments, down to the
// same limit as the report.
#pragma once

#include <vector>

#include "tally/comment_report.h"
#include "tally/report_data.h"

namespace tobrel {

// The table of posters (comment form of IdTallyRec, see WriteCommentIdTable)
// in table order. With `hide_ids` the ID column is left out.
DataRows CommentIdDataRows(const std::vector<IdTallyRec>& entries, CommentOrder order,
                             CommentLimit limit, bool hide_ids);

// The table of ranked postings.
DataRows PostingRankingDataRows(const std::vector<RankedPosting>& postings);

}  // namespace tobrel

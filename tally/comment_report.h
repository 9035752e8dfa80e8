// The tables of the comment tally: posters by comment sum or by comments
// per posting, and postings by their comments.
#pragma once

#include <cstdint>
#include <vector>

#include "core/article_rec.h"
#include "tally/comment_tally.h"
#include "tally/id_tally_rec.h"
#include "tally/target_test.h"

namespace tobrel {

// Writes the table of posters for ByCommentSum or ByCommentRate. `entries`
// are the comment form of IdTallyRec (TotalChars holds the comment sum,
// Average the comments per posting, RankByChars the rank by comment sum), in
// table order with every rank set. With `hide_ids` the ID column shows
// "********".
void WriteCommentIdTable(const std::vector<IdTallyRec>& entries, CommentOrder order,
                         CommentLimit limit, bool hide_ids, ReportText& report);

// Writes the table of postings: the postings of `by_comments` (in
// OrderByCommentCount order) that lie in the target range, ranked by their
// CommentCount, down to the limit (rank 50 for All).
void WritePostingRankingTable(const std::vector<ArticleRec>& by_comments,
                              const TargetTest& target, CommentLimit limit,
                              ReportText& report);

}  // namespace tobrel

// The comment recount: every posting's CommentCount recomputed from the
// CommentTo of the postings of its room.
#pragma once

#include <vector>

#include "core/article_rec.h"
#include "tally/tally_progress.h"

namespace tobrel {

// Sets the CommentCount of every posting of `postings` to the number of
// comments found for it: the later postings of its room that name its number
// and stand less than 1000 numbers above it, found by a forward scan that
// ends at the room's end or at the first posting numbered more than 999
// above it, and the comments from further above, credited to the posting of
// that number that a backward search finds. A CommentTo of 0 names no
// posting. `postings` must be in OrderByRoomTime order. Shows
// "コメントの再計算中...".
void RecountComments(std::vector<ArticleRec>& postings, TallyProgress& progress);

}  // namespace tobrel

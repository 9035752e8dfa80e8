// Sorting the store's postings by room and time, and by comment count: the
// same orders as SortPostings with OrderByRoomTime and OrderByCommentCount
// (stable), made fast for whole archives.
#pragma once

#include <vector>

#include "core/article_rec.h"

namespace tobrel {

void SortPostingsByRoomTime(std::vector<ArticleRec>& postings);
void SortPostingsByCommentCount(std::vector<ArticleRec>& postings);

}  // namespace tobrel

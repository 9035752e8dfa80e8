// Sorting the store's postings in its three orders, made fast for whole
// archives: each gives exactly what SortPostings gives with OrderByRoomTime,
// OrderByTime or OrderByCommentCount (a stable sort), ties included. Each
// may start a second thread of its own and joins it before returning; it
// runs on one thread where none can be had. Call from any one thread at a
// time for a given list.
#pragma once

#include <vector>

#include "core/article_rec.h"

namespace tobrel {

void SortPostingsByRoomTime(std::vector<ArticleRec>& postings);
void SortPostingsByTime(std::vector<ArticleRec>& postings);
void SortPostingsByCommentCount(std::vector<ArticleRec>& postings);

}  // namespace tobrel

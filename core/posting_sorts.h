// Sorting the store's postings in its three orders, made fast for whole
// archives: each gives exactly what SortPostings gives with OrderByRoomTime,
// OrderByTime or OrderByCommentCount (a stable sort), ties included.
#pragma once

#include <vector>

#include "core/article_rec.h"

namespace tobrel {

void SortPostingsByRoomTime(std::vector<ArticleRec>& postings);
void SortPostingsByTime(std::vector<ArticleRec>& postings);
void SortPostingsByCommentCount(std::vector<ArticleRec>& postings);

}  // namespace tobrel

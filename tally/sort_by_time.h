// Sorting the store's postings by time for the date table.
#pragma once

#include <vector>

#include "core/article_rec.h"

namespace tobrel {

// Puts `postings` in OrderByTime order, keeping the order of postings with
// equal date-times: the same result as SortPostings with OrderByTime.
void SortPostingsByTime(std::vector<ArticleRec>& postings);

}  // namespace tobrel

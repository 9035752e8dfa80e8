// The in-memory store of postings that every report reads: the stored
// postings, the postings left out of the tallies, and the paths of the log
// files read so far, and whether the comment counts of the postings were
// recounted. Also the sort orders of the postings and the removal of
// duplicates that ends every reading run.
#pragma once

#include <string>
#include <vector>

#include "core/article_rec.h"

namespace tobrel {

struct LogStore {
  std::vector<ArticleRec> Postings;
  std::vector<ExcludedRec> Excluded;
  std::vector<std::string> ReadFiles;  // native paths, in reading order
  // Set by the comment tally once it has recounted the comments of Postings;
  // only ClearStore sets it back (further reading leaves it as it is).
  bool CommentsRecounted = false;
};

// Empties a list of records and gives its memory back.
template <typename Record>
void ClearPostings(std::vector<Record>& list) {
  std::vector<Record>().swap(list);
}

// Empties Postings, Excluded and ReadFiles, giving their memory back, and
// clears CommentsRecounted.
void ClearStore(LogStore& store);

// Three-way orders of Postings, as "less than" predicates. SortPostings is
// stable, so records that compare equal keep the order they had;
// core/posting_sorts.h has the same sorts made fast for whole archives.
bool OrderByRoomTime(const ArticleRec& a, const ArticleRec& b);     // room, time, number
bool OrderByTime(const ArticleRec& a, const ArticleRec& b);         // time
bool OrderByCommentCount(const ArticleRec& a, const ArticleRec& b);  // comments desc, room, number

void SortPostings(std::vector<ArticleRec>& postings,
                  bool (*order)(const ArticleRec&, const ArticleRec&));

// Sorts Postings by OrderByRoomTime and removes every posting whose room,
// number, date-time and ID equal those of the posting after it; of a run of
// equal postings the last one stays. Each removed posting is appended to
// Excluded as a duplicate.
void RemoveDuplicates(LogStore& store);

// An ExcludedRec holding the posting's fields, cut to its narrower widths.
ExcludedRec MakeExcludedRec(ExclusionReason reason, const ArticleRec& posting);

}  // namespace tobrel

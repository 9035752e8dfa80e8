// The order a tally leaves the store's postings in. Tallies walk the
// postings in the order they find them, and some sort them first; the order
// one leaves is where the next one starts, and reports that follow the walk
// (the handle an ID shows is that of its last posting walked, of equal
// best postings the first is shown) differ with it. Each tally's header
// names its order, and its OrderLeftBy gives it as this value.
#pragma once

namespace tobrel {

enum class PostingOrderLeft {
  AsFound,         // as the tally found them: it does not reorder them
  ByTime,          // by date-time, postings of one time as found (OrderByTime)
  ByRoomTime,      // by room, date-time and number (OrderByRoomTime)
  ByCommentCount,  // by comment count, most first, then room and number
                   // (OrderByCommentCount)
};

}  // namespace tobrel

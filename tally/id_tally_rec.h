// One distinct (mapped) ID of a tally with its sums and its ranks.
#pragma once

#include <cstddef>
#include <cstdint>
#include <string>

namespace tobrel {

struct IdTallyRec {
  std::string Id;      // the ID counted under
  std::string Handle;  // the handle of the last counted posting of the ID
  std::int32_t PostCount = 0;
  // Character sums are 64-bit: a whole archive passes 2^31 characters.
  std::int64_t TotalChars = 0;
  std::int64_t OwnChars = 0;     // quotation tally only
  std::int64_t QuotedChars = 0;  // quotation tally only
  double Average = 0;            // TotalChars / PostCount
  std::int32_t RankByChars = 0;
  std::int32_t RankByCount = 0;
  std::int32_t RankByAverage = 0;
  std::int32_t RankByOwn = 0;     // quotation tally only
  std::int32_t RankByQuoted = 0;  // quotation tally only
  // Position in order of first appearance; orders entries that tie in every
  // ranking key, so that tables do not depend on the sort.
  std::size_t FirstSeen = 0;

  // The average as printed: the truncated quotient, 0 without postings.
  std::int64_t TruncatedAverage() const { return PostCount > 0 ? TotalChars / PostCount : 0; }
};

}  // namespace tobrel

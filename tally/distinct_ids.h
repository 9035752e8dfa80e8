// Counting the distinct IDs of a day or a month of postings.
#pragma once

#include <algorithm>
#include <string_view>
#include <vector>

namespace tobrel {

// The number of distinct IDs in `ids`; sorts the list.
inline std::size_t CountDistinctIds(std::vector<std::string_view>& ids) {
  std::sort(ids.begin(), ids.end());
  return static_cast<std::size_t>(std::unique(ids.begin(), ids.end()) - ids.begin());
}

}  // namespace tobrel

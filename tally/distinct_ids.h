// Counting the distinct IDs of a day or a month of postings. A posting's ID
// (at most 9 bytes) is packed into one 128-bit number with its length, so
// that gathering and comparing IDs touches no text.
#pragma once

#include <algorithm>
#include <cstring>
#include <vector>

#include "core/short_string.h"

namespace tobrel {

using PackedId = unsigned __int128;

inline PackedId PackId(const ShortString<9>& id) {
  static_assert(ShortString<9>::kCapacity < sizeof(PackedId));
  unsigned char bytes[sizeof(PackedId)] = {};
  std::memcpy(bytes, id.view().data(), id.size());
  bytes[sizeof(PackedId) - 1] = static_cast<unsigned char>(id.size());
  PackedId packed;
  std::memcpy(&packed, bytes, sizeof packed);
  return packed;
}

// The number of distinct IDs in `ids`; sorts the list.
inline std::size_t CountDistinctIds(std::vector<PackedId>& ids) {
  std::sort(ids.begin(), ids.end());
  return static_cast<std::size_t>(std::unique(ids.begin(), ids.end()) - ids.begin());
}

}  // namespace tobrel

// Comparing member IDs and list entries the way the rules do: letter case
// ignored for ASCII letters, every other byte compared as it is (a two-byte
// character never folds).
#pragma once

#include <string_view>

namespace tobrel {

// <0, 0 or >0 as `a` sorts before, with or after `b`, ASCII case ignored.
int CompareTextIgnoringCase(std::string_view a, std::string_view b);

inline bool EqualIgnoringCase(std::string_view a, std::string_view b) {
  return a.size() == b.size() && CompareTextIgnoringCase(a, b) == 0;
}

}  // namespace tobrel

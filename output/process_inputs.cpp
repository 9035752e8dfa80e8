#include "output/process_inputs.h"

#include <algorithm>

namespace tobrel {
namespace {

unsigned char Folded(char c) {
  const auto byte = static_cast<unsigned char>(c);
  return byte >= 'a' && byte <= 'z' ? byte - 32 : byte;
}

bool LessIgnoringCase(const std::string& a, const std::string& b) {
  return std::lexicographical_compare(a.begin(), a.end(), b.begin(), b.end(),
                                      [](char x, char y) { return Folded(x) < Folded(y); });
}

bool EqualIgnoringCase(const std::string& a, const std::string& b) {
  return !LessIgnoringCase(a, b) && !LessIgnoringCase(b, a);
}

}  // namespace

std::vector<std::string> ProcessInputList(std::vector<std::string> candidates) {
  std::stable_sort(candidates.begin(), candidates.end(), LessIgnoringCase);
  return candidates;
}

std::size_t AddProcessInput(std::vector<std::string>& list, const std::string& path) {
  for (std::size_t i = 0; i < list.size(); ++i)
    if (EqualIgnoringCase(list[i], path)) return i;
  const auto at = std::upper_bound(list.begin(), list.end(), path, LessIgnoringCase);
  const auto inserted = list.insert(at, path);
  return static_cast<std::size_t>(inserted - list.begin());
}

}  // namespace tobrel

#include "platform/text_case.h"

#include <algorithm>

#include "platform/cp932.h"

namespace tobrel {
namespace {

char Upper(char c) { return c >= 'a' && c <= 'z' ? static_cast<char>(c - 'a' + 'A') : c; }

}  // namespace

std::string UpperAscii(std::string_view text) {
  std::string upper(text);
  std::transform(upper.begin(), upper.end(), upper.begin(), Upper);
  return upper;
}

std::string UpperCp932(std::string_view text) {
  std::string upper(text);
  for (std::size_t pos = 0; pos < upper.size(); pos = cp932::NextCharPos(upper, pos))
    upper[pos] = Upper(upper[pos]);
  return upper;
}

int CompareIgnoringCase(std::string_view a, std::string_view b) {
  const std::size_t common = std::min(a.size(), b.size());
  for (std::size_t i = 0; i < common; ++i) {
    const auto x = static_cast<unsigned char>(Upper(a[i]));
    const auto y = static_cast<unsigned char>(Upper(b[i]));
    if (x != y) return x < y ? -1 : 1;
  }
  return a.size() == b.size() ? 0 : (a.size() < b.size() ? -1 : 1);
}

bool EqualsIgnoringCase(std::string_view a, std::string_view b) {
  return a.size() == b.size() && CompareIgnoringCase(a, b) == 0;
}

bool StartsWithIgnoringCase(std::string_view text, std::string_view prefix) {
  return text.size() >= prefix.size() && EqualsIgnoringCase(text.substr(0, prefix.size()), prefix);
}

bool NameLess(std::string_view a, std::string_view b) {
  const int folded = CompareIgnoringCase(a, b);
  return folded != 0 ? folded < 0 : a < b;
}

}  // namespace tobrel

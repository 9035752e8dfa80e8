// Matching runs over characters, not bytes, so that "?" takes a whole UTF-8
// character. The glob itself is the usual greedy scan that remembers the
// last "*" and, on a mismatch, lets that star take one character more: it
// never backtracks further, so a match costs at most name × pattern steps.
#include "platform/file_mask.h"

#include <string>
#include <vector>

#include "platform/text_case.h"

namespace tobrel {
namespace {

// The text cut into characters: an ASCII byte, or a lead byte with the
// continuation bytes after it.
std::vector<std::string_view> Characters(std::string_view text) {
  std::vector<std::string_view> chars;
  for (std::size_t pos = 0; pos < text.size();) {
    std::size_t end = pos + 1;
    if (static_cast<unsigned char>(text[pos]) >= 0xC0)
      while (end < text.size() && (static_cast<unsigned char>(text[end]) & 0xC0) == 0x80) ++end;
    chars.push_back(text.substr(pos, end - pos));
    pos = end;
  }
  return chars;
}

bool Glob(std::string_view name_text, std::string_view pattern_text) {
  const auto name = Characters(name_text);
  const auto pattern = Characters(pattern_text);
  std::size_t n = 0, p = 0;
  std::size_t star = std::string_view::npos, star_n = 0;
  while (n < name.size()) {
    if (p < pattern.size() && pattern[p] == "*") {
      star = p++;
      star_n = n;
    } else if (p < pattern.size() && (pattern[p] == "?" || EqualsIgnoringCase(pattern[p], name[n]))) {
      ++p;
      ++n;
    } else if (star != std::string_view::npos) {
      p = star + 1;
      n = ++star_n;
    } else {
      return false;
    }
  }
  while (p < pattern.size() && pattern[p] == "*") ++p;
  return p == pattern.size();
}

}  // namespace

bool MatchesFileMask(std::string_view name, std::string_view pattern) {
  if (pattern.empty()) return false;
  const bool has_dot = name.find('.') != std::string_view::npos;
  if (pattern.size() >= 2 && pattern.substr(pattern.size() - 2) == ".*")
    return Glob(name, pattern) || (!has_dot && Glob(name, pattern.substr(0, pattern.size() - 2)));
  if (pattern.back() == '.') return !has_dot && Glob(name, pattern.substr(0, pattern.size() - 1));
  return Glob(name, pattern);
}

}  // namespace tobrel

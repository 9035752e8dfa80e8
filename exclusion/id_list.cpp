#include "exclusion/id_list.h"

#include <algorithm>
#include <unordered_set>

#include "core/article_rec.h"
#include "exclusion/id_text.h"
#include "platform/cp932.h"

namespace tobrel {
namespace {

void SortIgnoringCase(std::vector<std::string>& entries) {
  std::stable_sort(entries.begin(), entries.end(), [](const std::string& a, const std::string& b) {
    return CompareTextIgnoringCase(a, b) < 0;
  });
}

std::string_view Bytes(std::string_view line, std::size_t first, std::size_t count) {
  return first < line.size() ? line.substr(first, count) : std::string_view();
}

}  // namespace

const std::string& NotNiftyIdMessage() {
  static const std::string message = cp932::FromUtf8("NIFTY IDでない文字列があります");
  return message;
}

const std::string& DuplicateOrNotNiftyIdMessage() {
  static const std::string message =
      cp932::FromUtf8("IDに重複があるか、NIFTY IDでない文字列があります");
  return message;
}

IdListCheck CheckExcludedIdLines(const std::vector<std::string_view>& lines) {
  IdListCheck check;
  check.entries.reserve(lines.size());
  for (std::size_t i = 0; i < lines.size(); ++i) {
    const std::string_view id = Bytes(lines[i], 0, 8);
    if (!IsNiftyIdText(id)) {
      check.bad_line = i + 1;
      check.entries.clear();
      return check;
    }
    check.entries.emplace_back(id);
  }
  SortIgnoringCase(check.entries);
  return check;
}

IdListCheck CheckSameIdLines(const std::vector<std::string_view>& lines) {
  IdListCheck check;
  // Every main ID first, then each alias against them and the aliases seen.
  std::unordered_set<std::string_view> mains, aliases;
  for (std::size_t i = 0; i < lines.size() && !check.bad_line; ++i) {
    const std::string_view main = Bytes(lines[i], 0, 8);
    if (!IsNiftyIdText(main)) check.bad_line = i + 1;
    mains.insert(main);
  }
  for (std::size_t i = 0; i < lines.size() && !check.bad_line; ++i) {
    const std::string_view alias = Bytes(lines[i], 9, 8);
    if (!IsNiftyIdText(alias) || mains.count(alias) || !aliases.insert(alias).second)
      check.bad_line = i + 1;
  }
  if (check.bad_line) return check;
  check.entries.reserve(lines.size());
  for (const std::string_view line : lines) check.entries.emplace_back(Bytes(line, 0, 17));
  SortIgnoringCase(check.entries);
  return check;
}

}  // namespace tobrel

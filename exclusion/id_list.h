// The two ID lists as the ID list editor hands them over: the check made
// when the editor is closed with OK, and what the list in force becomes.
//   Excluded IDs: one ID a line; the first 8 bytes of every line must be a
//   member ID; text after them is dropped.
//   Same-person pairs: "<main ID><any byte><alias ID>" a line; every main
//   and alias must be an ID, no alias may equal any main ID (so no ID maps
//   to itself and no chains form), and no alias may be listed twice.
// An editor without lines passes; an empty line fails. Accepted lists are
// sorted ascending, letter case ignored.
#pragma once

#include <cstddef>
#include <optional>
#include <string>
#include <string_view>
#include <vector>

namespace tobrel {

// The editor's messages (CP932): "NIFTY IDでない文字列があります" and
// "IDに重複があるか、NIFTY IDでない文字列があります".
const std::string& NotNiftyIdMessage();
const std::string& DuplicateOrNotNiftyIdMessage();

struct IdListCheck {
  std::vector<std::string> entries;      // the list to take, when accepted
  std::optional<std::size_t> bad_line;   // 1-based line of the first fault
  bool accepted() const { return !bad_line; }
};

// The check of "集計除外設定" on OK.
IdListCheck CheckExcludedIdLines(const std::vector<std::string_view>& lines);

// The check of "同一視IDの設定" on OK.
IdListCheck CheckSameIdLines(const std::vector<std::string_view>& lines);

}  // namespace tobrel

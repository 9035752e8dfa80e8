// The ID rule is a lookup among the excluded IDs: each entry is packed into
// a 64-bit key with its letters upper-cased and the keys are kept sorted,
// so a posting costs one fold of its 8-byte ID and a binary search. Only
// an ID of exactly 8 bytes can equal an entry, since every entry is a
// member ID. The title rule is the matcher's search or a prefix compare.
#include "exclusion/exclusion_test.h"

#include <algorithm>
#include <cstdint>
#include <memory>
#include <vector>

namespace tobrel {
namespace {

std::optional<std::uint64_t> FoldedKey(std::string_view id) {
  if (id.size() != 8) return std::nullopt;
  std::uint64_t key = 0;
  for (const char c : id) {
    auto byte = static_cast<unsigned char>(c);
    if (byte >= 'a' && byte <= 'z') byte = static_cast<unsigned char>(byte - 'a' + 'A');
    key = key << 8 | byte;
  }
  return key;
}

bool TitleExcluded(const ExclusionRules& rules, std::string_view title) {
  if (!rules.title_rule) return false;
  if (rules.title_mode == TitleMode::Regex) return rules.LineMatcher2.IsMatch(title);
  const std::string_view text = rules.title_text;
  return text.size() < title.size() && title.substr(0, text.size()) == text;
}

std::optional<ExclusionReason> Verdict(const ExclusionRules& rules, bool by_id,
                                       std::string_view title) {
  if (TitleExcluded(rules, title)) return ExclusionReason::ByTitle;
  if (by_id) return ExclusionReason::ById;
  return std::nullopt;
}

}  // namespace

ExclusionTest MakeExclusionTest(const ExclusionRules& rules) {
  auto keys = std::make_shared<std::vector<std::uint64_t>>();
  if (rules.id_rule) {
    for (const std::string& entry : rules.ExcludedIds)
      if (const auto key = FoldedKey(entry)) keys->push_back(*key);
    std::sort(keys->begin(), keys->end());
  }
  return [&rules, keys](std::string_view id, std::string_view title) {
    const auto key = rules.id_rule ? FoldedKey(id) : std::nullopt;
    const bool by_id = key && std::binary_search(keys->begin(), keys->end(), *key);
    return Verdict(rules, by_id, title);
  };
}

void ApplyExclusionRules(const ExclusionRules& rules, ReadRunInputs& inputs) {
  inputs.options.use_exclusion = rules.master;
  inputs.exclusion = MakeExclusionTest(rules);
}

}  // namespace tobrel

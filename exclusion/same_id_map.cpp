#include "exclusion/same_id_map.h"

#include <memory>
#include <string_view>
#include <unordered_map>

namespace tobrel {

MapSameIdFn MakeMapSameId(const std::vector<std::string>& pairs) {
  // Aliases point into `owned`, which the function keeps alive.
  struct Table {
    std::vector<std::string> owned;
    std::unordered_map<std::string_view, std::string_view> main_of;
  };
  auto table = std::make_shared<Table>();
  table->owned = pairs;
  table->main_of.reserve(pairs.size());
  for (const std::string& entry : table->owned) {
    const std::string_view text = entry;
    const std::string_view alias = text.size() > 9 ? text.substr(9, 8) : std::string_view();
    table->main_of.emplace(alias, text.substr(0, 8));  // the first entry wins
  }
  return [table](std::string_view id) {
    const auto found = table->main_of.find(id);
    return std::string(found == table->main_of.end() ? id : found->second);
  };
}

MapSameIdFn MapSameIdOf(const ExclusionRules& rules) {
  if (!rules.master || !rules.same_id_rule) return {};
  return MakeMapSameId(rules.SameIdPairs);
}

}  // namespace tobrel

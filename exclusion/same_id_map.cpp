// The aliases are looked up once per counted posting, so the lookup is made
// cheap: an alias of 8 bytes (every member ID) is packed into a 64-bit key
// and kept in an open-addressing table of at least twice as many slots as
// aliases, found by a multiplicative hash and a linear probe. Aliases of
// any other length, which only a hand-made list can hold, go to an ordinary
// map. The first entry of an alias wins, as the list is searched in order.
#include "exclusion/same_id_map.h"

#include <cstdint>
#include <cstring>
#include <memory>
#include <string_view>
#include <unordered_map>

namespace tobrel {
namespace {

std::uint64_t Pack(std::string_view id) {
  std::uint64_t key;
  std::memcpy(&key, id.data(), 8);
  return key;
}

class AliasTable {
 public:
  explicit AliasTable(const std::vector<std::string>& pairs) : owned_(pairs) {
    std::size_t slots = 16;
    while (slots < 2 * owned_.size()) slots *= 2;
    slots_.assign(slots, Slot{});
    mask_ = slots - 1;
    for (std::uint32_t i = 0; i < owned_.size(); ++i) {
      const std::string_view entry = owned_[i];
      const std::string_view alias = entry.size() > 9 ? entry.substr(9, 8) : std::string_view();
      if (alias.size() == 8)
        Insert(Pack(alias), i);
      else
        others_.emplace(alias, i);
    }
  }

  // The main ID of `id`, or `id` itself.
  std::string Map(std::string_view id) const {
    const std::uint32_t entry = id.size() == 8 ? Find(Pack(id)) : FindOther(id);
    return std::string(entry == kNone ? id : std::string_view(owned_[entry]).substr(0, 8));
  }

 private:
  static constexpr std::uint32_t kNone = 0xFFFFFFFF;
  struct Slot {
    std::uint64_t key = 0;
    std::uint32_t entry = kNone;
  };

  std::size_t Home(std::uint64_t key) const {
    return static_cast<std::size_t>((key * 0x9E3779B97F4A7C15ull) >> 32) & mask_;
  }
  void Insert(std::uint64_t key, std::uint32_t entry) {
    for (std::size_t at = Home(key);; at = (at + 1) & mask_) {
      if (slots_[at].entry == kNone) {
        slots_[at] = {key, entry};
        return;
      }
      if (slots_[at].key == key) return;  // a later entry of the same alias
    }
  }
  std::uint32_t Find(std::uint64_t key) const {
    for (std::size_t at = Home(key);; at = (at + 1) & mask_) {
      if (slots_[at].entry == kNone) return kNone;
      if (slots_[at].key == key) return slots_[at].entry;
    }
  }
  std::uint32_t FindOther(std::string_view id) const {
    if (others_.empty()) return kNone;
    const auto found = others_.find(id);
    return found == others_.end() ? kNone : found->second;
  }

  std::vector<std::string> owned_;
  std::vector<Slot> slots_;
  std::size_t mask_ = 0;
  std::unordered_map<std::string_view, std::uint32_t> others_;  // views into owned_
};

}  // namespace

MapSameIdFn MakeMapSameId(const std::vector<std::string>& pairs) {
  auto table = std::make_shared<const AliasTable>(pairs);
  return [table](std::string_view id) { return table->Map(id); };
}

MapSameIdFn MapSameIdOf(const ExclusionRules& rules, bool exclusion_on) {
  if (!exclusion_on || !rules.same_id_rule) return {};
  return MakeMapSameId(rules.SameIdPairs);
}

}  // namespace tobrel

#include "tally/id_index.h"

#include <cstring>

namespace tobrel {
namespace {

constexpr std::size_t kLongestPacked = sizeof(std::uint64_t);

std::size_t HashOf(std::uint64_t text, std::uint32_t length) {
  std::uint64_t h = (text ^ length) * 0x9E3779B97F4A7C15ull;
  h ^= h >> 32;
  return static_cast<std::size_t>(h);
}

// An ID of up to 8 bytes as its packed text and its length + 1.
struct Packed {
  std::uint64_t text = 0;
  std::uint32_t length = 0;
};

Packed Pack(std::string_view id) {
  Packed packed;
  std::memcpy(&packed.text, id.data(), id.size());
  packed.length = static_cast<std::uint32_t>(id.size() + 1);
  return packed;
}

}  // namespace

std::int64_t IdIndex::Find(std::string_view id) const {
  if (id.size() > kLongestPacked) {
    const auto it = long_ids_.find(std::string(id));
    return it == long_ids_.end() ? -1 : it->second;
  }
  if (slots_.empty()) return -1;
  const Packed packed = Pack(id);
  const std::size_t mask = slots_.size() - 1;
  for (std::size_t i = HashOf(packed.text, packed.length) & mask;; i = (i + 1) & mask) {
    const Slot& slot = slots_[i];
    if (slot.text == packed.text && slot.length == packed.length) return slot.position;
    if (slot.length == 0) return -1;
  }
}

void IdIndex::Prefetch(std::string_view id) const {
  if (id.size() > kLongestPacked || slots_.empty()) return;
  const Packed packed = Pack(id);
  __builtin_prefetch(&slots_[HashOf(packed.text, packed.length) & (slots_.size() - 1)]);
}

IdIndex::Found IdIndex::FindOrInsert(std::string_view id, std::uint32_t next) {
  if (id.size() > kLongestPacked) {
    const auto [it, inserted] = long_ids_.try_emplace(std::string(id), next);
    return {it->second, inserted};
  }
  const auto [text, length] = Pack(id);

  if ((count_ + 1) * 5 > slots_.size() * 4) Grow();  // at most 80% full
  const std::size_t mask = slots_.size() - 1;
  for (std::size_t i = HashOf(text, length) & mask;; i = (i + 1) & mask) {
    Slot& slot = slots_[i];
    if (slot.text == text && slot.length == length) return {slot.position, false};
    if (slot.length == 0) {
      slot = {text, length, next};
      ++count_;
      return {next, true};
    }
  }
}

void IdIndex::Grow() {
  std::vector<Slot> old;
  old.swap(slots_);
  slots_.resize(old.empty() ? 64 : old.size() * 2);
  const std::size_t mask = slots_.size() - 1;
  for (const Slot& slot : old) {
    if (slot.length == 0) continue;
    std::size_t i = HashOf(slot.text, slot.length) & mask;
    while (slots_[i].length != 0) i = (i + 1) & mask;
    slots_[i] = slot;
  }
}

}  // namespace tobrel

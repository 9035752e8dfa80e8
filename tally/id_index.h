// A hash index from ID text to the position of its entry in a list that the
// caller keeps in order of first appearance. A member ID has 8 bytes, so the
// index keeps the text of each ID of up to 8 bytes packed into its 16-byte
// table slot beside the position: a lookup touches one slot of one small
// flat table. Longer IDs, which only a damaged log holds, go to a separate
// map.
#pragma once

#include <cstdint>
#include <string>
#include <string_view>
#include <unordered_map>
#include <vector>

namespace tobrel {

class IdIndex {
 public:
  struct Found {
    std::uint32_t position;
    bool inserted;
  };

  // The position of `id`. An ID not yet indexed gets position `next` (the
  // size of the caller's list, where the caller then appends its entry).
  Found FindOrInsert(std::string_view id, std::uint32_t next);

  // The position of `id`, or -1 when it is not indexed yet.
  std::int64_t Find(std::string_view id) const;

  // True when the table has outgrown the processor's nearer caches, so that
  // a lookup is likely to wait for memory.
  bool Large() const { return slots_.size() >= kLargeSlots; }

  // A hint that `id` is looked up soon: starts loading the slot where the
  // search for it begins.
  void Prefetch(std::string_view id) const;

 private:
  struct Slot {
    std::uint64_t text = 0;    // the ID's bytes
    std::uint32_t length = 0;  // the ID's length + 1; 0 marks a free slot
    std::uint32_t position = 0;
  };
  void Grow();

  static constexpr std::size_t kLargeSlots = std::size_t{1} << 15;  // 512 KiB

  std::vector<Slot> slots_;
  std::size_t count_ = 0;
  std::unordered_map<std::string, std::uint32_t> long_ids_;
};

}  // namespace tobrel

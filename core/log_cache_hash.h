// A small, fast 64-bit hash of bytes for the cache of parsed logs: it tells
// a log's content apart from what it was when its entry was made, and checks
// an entry for damage. Not meant to withstand anyone who crafts collisions:
// the cache is the user's own.
#pragma once

#include <cstddef>
#include <cstdint>
#include <string_view>

namespace tobrel {

// The hash of `bytes`, started from `seed`. The same bytes and seed give the
// same value on every run and machine of the same byte order.
std::uint64_t HashBytes(std::string_view bytes, std::uint64_t seed = 0);

// HashBytes() of bytes given in pieces, one after another: Finish() gives
// the hash of all the pieces added so far, joined.
class BytesHash {
 public:
  explicit BytesHash(std::uint64_t seed = 0);
  void Add(std::string_view bytes);
  std::uint64_t Finish() const;

 private:
  std::uint64_t lanes_[4];
  std::uint64_t size_ = 0;
  char pending_[32];  // the bytes of an unfinished step
  std::size_t pending_size_ = 0;
};

}  // namespace tobrel

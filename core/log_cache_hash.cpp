// Four lanes of multiply-xorshift take 32 bytes a step, so that the
// multiplications of one step do not wait for each other; the lanes, the
// tail (packed into words) and the length are folded together at the end.
#include "core/log_cache_hash.h"

#include <algorithm>
#include <cstring>

namespace tobrel {
namespace {

constexpr std::uint64_t kMultiplier = 0x9E3779B97F4A7C15ull;
constexpr std::uint64_t kOtherMultiplier = 0xD6E8FEB86659FD93ull;

inline std::uint64_t Word(const char* bytes) {
  std::uint64_t word;
  std::memcpy(&word, bytes, sizeof word);
  return word;
}

inline std::uint64_t Step(std::uint64_t lane, std::uint64_t word) {
  lane = (lane ^ word) * kMultiplier;
  return lane ^ (lane >> 29);
}

inline std::uint64_t Avalanche(std::uint64_t h) {
  h ^= h >> 32;
  h *= kOtherMultiplier;
  h ^= h >> 29;
  h *= kMultiplier;
  return h ^ (h >> 32);
}

}  // namespace

std::uint64_t HashBytes(std::string_view bytes, std::uint64_t seed) {
  BytesHash hash(seed);
  hash.Add(bytes);
  return hash.Finish();
}

BytesHash::BytesHash(std::uint64_t seed)
    : lanes_{seed ^ 0x243F6A8885A308D3ull, seed ^ 0x13198A2E03707344ull,
             seed ^ 0xA4093822299F31D0ull, seed ^ 0x082EFA98EC4E6C89ull} {}

void BytesHash::Add(std::string_view bytes) {
  if (bytes.empty()) return;  // an empty piece may have no bytes to point at
  size_ += bytes.size();
  const char* at = bytes.data();
  std::size_t left = bytes.size();
  if (pending_size_ > 0) {
    const std::size_t taken = std::min(left, sizeof pending_ - pending_size_);
    std::memcpy(pending_ + pending_size_, at, taken);
    pending_size_ += taken;
    at += taken;
    left -= taken;
    if (pending_size_ < sizeof pending_) return;
    for (int lane = 0; lane < 4; ++lane) lanes_[lane] = Step(lanes_[lane], Word(pending_ + 8 * lane));
    pending_size_ = 0;
  }
  std::uint64_t l0 = lanes_[0], l1 = lanes_[1], l2 = lanes_[2], l3 = lanes_[3];
  for (; left >= 32; at += 32, left -= 32) {
    l0 = Step(l0, Word(at));
    l1 = Step(l1, Word(at + 8));
    l2 = Step(l2, Word(at + 16));
    l3 = Step(l3, Word(at + 24));
  }
  lanes_[0] = l0;
  lanes_[1] = l1;
  lanes_[2] = l2;
  lanes_[3] = l3;
  std::memcpy(pending_, at, left);
  pending_size_ = left;
}

std::uint64_t BytesHash::Finish() const {
  const char* at = pending_;
  std::size_t left = pending_size_;
  std::uint64_t h = size_ * kOtherMultiplier;
  for (std::uint64_t lane : lanes_) h = Step(h, Avalanche(lane));
  for (; left >= 8; at += 8, left -= 8) h = Step(h, Word(at));
  if (left > 0) {
    std::uint64_t tail = 0;
    std::memcpy(&tail, at, left);
    h = Step(h, tail ^ (std::uint64_t{left} << 56));
  }
  return Avalanche(h);
}

}  // namespace tobrel

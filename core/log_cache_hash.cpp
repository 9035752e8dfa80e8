// Four lanes of multiply-xorshift take 32 bytes a step, so that the
// multiplications of one step do not wait for each other; the lanes, the
// tail (packed into words) and the length are folded together at the end.
#include "core/log_cache_hash.h"

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

inline std::uint64_t Finish(std::uint64_t h) {
  h ^= h >> 32;
  h *= kOtherMultiplier;
  h ^= h >> 29;
  h *= kMultiplier;
  return h ^ (h >> 32);
}

}  // namespace

std::uint64_t HashBytes(std::string_view bytes, std::uint64_t seed) {
  std::uint64_t lanes[4] = {seed ^ 0x243F6A8885A308D3ull, seed ^ 0x13198A2E03707344ull,
                            seed ^ 0xA4093822299F31D0ull, seed ^ 0x082EFA98EC4E6C89ull};
  const char* at = bytes.data();
  std::size_t left = bytes.size();
  for (; left >= 32; at += 32, left -= 32) {
    lanes[0] = Step(lanes[0], Word(at));
    lanes[1] = Step(lanes[1], Word(at + 8));
    lanes[2] = Step(lanes[2], Word(at + 16));
    lanes[3] = Step(lanes[3], Word(at + 24));
  }
  std::uint64_t h = bytes.size() * kOtherMultiplier;
  for (std::uint64_t lane : lanes) h = Step(h, Finish(lane));
  for (; left >= 8; at += 8, left -= 8) h = Step(h, Word(at));
  if (left > 0) {
    std::uint64_t tail = 0;
    std::memcpy(&tail, at, left);
    h = Step(h, tail ^ (std::uint64_t{left} << 56));
  }
  return Finish(h);
}

}  // namespace tobrel

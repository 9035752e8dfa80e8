// TRegexStateSet is a set of NFA states as a bit array (bit i of word i / 64
// for state i), the form in which the subset construction compares and
// stores the NFA states that make up one DFA state.
#pragma once

#include <algorithm>
#include <bit>
#include <cstddef>
#include <cstdint>
#include <vector>

namespace tobrel {

class TRegexStateSet {
 public:
  explicit TRegexStateSet(int state_count) : words_((state_count + 63) / 64, 0) {}

  bool Contains(int state) const { return words_[state / 64] >> (state % 64) & 1; }
  void Add(int state) { words_[state / 64] |= std::uint64_t{1} << (state % 64); }
  void Clear() { std::fill(words_.begin(), words_.end(), 0); }
  const std::vector<std::uint64_t>& words() const { return words_; }

  // Calls visit(state) for every state in ascending order.
  template <typename Visit>
  static void ForEach(const std::uint64_t* words, std::size_t count, Visit visit) {
    for (std::size_t w = 0; w < count; ++w) {
      for (std::uint64_t bits = words[w]; bits != 0; bits &= bits - 1)
        visit(static_cast<int>(w * 64 + std::countr_zero(bits)));
    }
  }

 private:
  std::vector<std::uint64_t> words_;
};

}  // namespace tobrel

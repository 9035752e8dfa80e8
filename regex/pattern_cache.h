// CompiledPatternCache keeps the DFAs of recently set patterns so that
// setting a pattern again does not compile it again. It holds at most 30
// entries. Entry 0 is always the empty pattern; a newly compiled pattern is
// inserted as entry 1, pushing older ones down, and the last entry is dropped
// when the cache is full. A pattern found again keeps its place.
#pragma once

#include <cstddef>
#include <memory>
#include <string>
#include <string_view>
#include <vector>

#include "regex/dfa.h"

namespace tobrel {

class CompiledPatternCache {
 public:
  static constexpr std::size_t kCapacity = 30;

  CompiledPatternCache();
  CompiledPatternCache(const CompiledPatternCache&) = delete;
  CompiledPatternCache& operator=(const CompiledPatternCache&) = delete;

  // Puts the entry of `text` in force, compiling it on a miss. On a syntax
  // error the new entry is removed again, entry 0 (the empty pattern) is put
  // in force and the ERegexSyntax is passed on; an entry dropped to make
  // room stays dropped.
  void Select(std::string_view text);

  const TRegexDFA& InForce() const { return *entries_[in_force_].dfa; }
  std::size_t InForceIndex() const { return in_force_; }
  std::size_t size() const { return entries_.size(); }
  const std::string& TextAt(std::size_t index) const { return entries_[index].text; }

 private:
  struct Entry {
    std::string text;
    std::unique_ptr<TRegexDFA> dfa;
  };
  std::vector<Entry> entries_;
  std::size_t in_force_ = 0;
};

}  // namespace tobrel

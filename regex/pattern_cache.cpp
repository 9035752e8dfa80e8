#include "regex/pattern_cache.h"

#include "regex/compile.h"

namespace tobrel {

CompiledPatternCache::CompiledPatternCache() {
  entries_.push_back({std::string(), Compile("")});
}

void CompiledPatternCache::Select(std::string_view text) {
  for (std::size_t i = 0; i < entries_.size(); ++i) {
    if (entries_[i].text == text) {
      in_force_ = i;
      return;
    }
  }
  if (entries_.size() == kCapacity) entries_.pop_back();
  entries_.insert(entries_.begin() + 1, Entry{std::string(text), nullptr});
  try {
    entries_[1].dfa = Compile(text);
  } catch (...) {
    entries_.erase(entries_.begin() + 1);
    in_force_ = 0;
    throw;
  }
  in_force_ = 1;
}

}  // namespace tobrel

// Linear search. The restarting search starts a run from the initial state
// at every character position, and at every line head (the start of the
// subject, right after an LF) also one from the initial state's line-head
// successor when the pattern has "^"; the first position at which one of
// these runs matches is the match's start, and the later end of the runs
// from there is its end.
//
// Whether the run from a DFA state q at a position p matches depends only on
// q and the rest of the subject: it does when q is accepting; at the end of
// the subject, when q has a line-tail transition; otherwise, when the
// character at p leads from q to a state whose run from the next position
// matches, or leads nowhere from q while it is the line separator and q has
// a line-tail transition. So the set of states whose runs match at p follows
// from the set at the next position and the character at p alone. One pass
// from the end of the subject to its start computes these sets, a character
// at a time, and notes the first position whose set holds the initial state
// (or, at a line head, the line-head successor). Going backwards needs the
// character boundaries, found by a forward pass first.
//
// The sets are numbered as they are met and the step from one set over a
// character class to another is kept in a table, so that over most subjects
// only a handful of sets are ever built and each character costs one table
// lookup. The table and the sets are dropped and built again when they grow
// too large, which bounds the memory whatever the pattern. The start found,
// the match's end comes from the single runs at that start, each one pass
// over the subject at most.
#include "regex/linear_search.h"

#include <algorithm>
#include <cstdint>
#include <string>
#include <unordered_map>
#include <vector>

#include "regex/dfa_run.h"

namespace tobrel {

namespace {

constexpr DfaStateId kStartState = TRegexDFA::kInitialState;

// Bytes the sets and their table may take before they are built again.
constexpr std::size_t kMaxCacheBytes = 8 << 20;

// The sets of DFA states whose runs match, one per position met, and the
// steps between them.
class MatchingSets {
 public:
  MatchingSets(const TRegexDFA& dfa, unsigned char separator)
      : dfa_(dfa),
        separator_class_(ClassOfSeparator(dfa, separator)),
        words_((static_cast<std::size_t>(dfa.StateCount()) + 63) / 64),
        columns_(dfa.ClassCount() + 1),
        scratch_(words_) {}

  // The set at the end of the subject.
  int AtEnd() {
    std::fill(scratch_.begin(), scratch_.end(), 0);
    for (int q = 0; q < dfa_.StateCount(); ++q) {
      const auto state = static_cast<DfaStateId>(q);
      if (dfa_.IsAccepting(state) || dfa_.HasTailTransition(state)) Add(q);
    }
    return Register();
  }

  // The set before a character of class `char_class` (the line separator
  // when `at_separator`) when `after` is the set after it.
  int Before(int after, std::uint16_t char_class, bool at_separator) {
    const std::size_t column = at_separator ? columns_ - 1 : char_class;
    const std::int32_t known = next_[static_cast<std::size_t>(after) * columns_ + column];
    if (known >= 0) return known;
    if (CacheBytes() > kMaxCacheBytes) after = StartAgainWith(after);
    std::fill(scratch_.begin(), scratch_.end(), 0);
    for (int q = 0; q < dfa_.StateCount(); ++q) {
      const auto state = static_cast<DfaStateId>(q);
      const DfaStateId to = dfa_.Next(state, char_class);
      const bool matches = dfa_.IsAccepting(state) ||
                           (to != kNoDfaState ? Holds(after, to)
                                              : at_separator && dfa_.HasTailTransition(state));
      if (matches) Add(q);
    }
    const int before = Register();
    next_[static_cast<std::size_t>(after) * columns_ + column] = before;
    return before;
  }

  bool Holds(int set, DfaStateId state) const {
    return sets_[static_cast<std::size_t>(set) * words_ + state / 64] >> (state % 64) & 1;
  }

  std::uint16_t SeparatorClass() const { return separator_class_; }

 private:
  static std::uint16_t ClassOfSeparator(const TRegexDFA& dfa, unsigned char separator) {
    const char text[1] = {static_cast<char>(separator)};
    std::size_t length;
    return dfa.ClassAt(std::string_view(text, 1), 0, &length);
  }

  void Add(int state) { scratch_[state / 64] |= std::uint64_t{1} << (state % 64); }

  // The number of the set in scratch_, added when new.
  int Register() {
    std::string key(reinterpret_cast<const char*>(scratch_.data()), words_ * sizeof(std::uint64_t));
    const auto [it, added] = index_.try_emplace(std::move(key), static_cast<int>(index_.size()));
    if (added) {
      sets_.insert(sets_.end(), scratch_.begin(), scratch_.end());
      next_.resize(next_.size() + columns_, -1);
    }
    return it->second;
  }

  std::size_t CacheBytes() const {
    return index_.size() * (2 * words_ * sizeof(std::uint64_t) + columns_ * sizeof(std::int32_t));
  }

  // Drops every set but `keep`, which becomes set 0.
  int StartAgainWith(int keep) {
    std::copy_n(sets_.begin() + static_cast<std::ptrdiff_t>(keep * words_), words_,
                scratch_.begin());
    sets_.clear();
    next_.clear();
    index_.clear();
    return Register();
  }

  const TRegexDFA& dfa_;
  const std::uint16_t separator_class_;
  const std::size_t words_;    // per set
  const std::size_t columns_;  // the character classes, then the separator
  std::vector<std::uint64_t> scratch_;
  std::vector<std::uint64_t> sets_;  // words_ per set
  std::vector<std::int32_t> next_;   // columns_ per set; -1: not built yet
  std::unordered_map<std::string, int> index_;
};

// Where a match starts, and whether it is a line head.
struct MatchStart {
  std::size_t pos;
  bool line_head;
};

// The leftmost start of a match, or none; with kAnyMatch the first start
// met going backwards, which answers only whether there is one.
template <bool kAnyMatch>
std::optional<MatchStart> FindStart(const TRegexDFA& dfa, std::string_view s,
                                    unsigned char separator) {
  std::vector<bool> boundary(s.size() + 1, false);
  for (std::size_t pos = 0; pos <= s.size(); pos = cp932::NextCharPos(s, pos)) boundary[pos] = true;

  const DfaStateId head_successor = dfa.HeadAnchored() ? dfa.HeadSuccessor() : kNoDfaState;
  MatchingSets sets(dfa, separator);
  int set = sets.AtEnd();
  std::optional<MatchStart> found;
  std::size_t pos = s.size();
  while (true) {
    const bool line_head = pos == 0 || (s[pos - 1] == '\n' && boundary[pos - 1]);
    if (sets.Holds(set, kStartState) ||
        (line_head && head_successor != kNoDfaState && sets.Holds(set, head_successor))) {
      found = MatchStart{pos, line_head};
      if (kAnyMatch) return found;
    }
    if (pos == 0) return found;
    const std::size_t previous = boundary[pos - 1] ? pos - 1 : pos - 2;
    const bool at_separator = static_cast<unsigned char>(s[previous]) == separator;
    std::size_t length;
    const std::uint16_t char_class =
        at_separator ? sets.SeparatorClass() : dfa.ClassAt(s, previous, &length);
    set = sets.Before(set, char_class, at_separator);
    pos = previous;
  }
}

}  // namespace

std::optional<MatchSpan> LinearSearch(const TRegexDFA& dfa, std::string_view subject,
                                      unsigned char separator) {
  const std::optional<MatchStart> start = FindStart<false>(dfa, subject, separator);
  if (!start) return std::nullopt;
  std::size_t stop;
  std::size_t end = RunDfa<false>(dfa, subject, kStartState, start->pos, separator, &stop);
  if (start->line_head && dfa.HeadAnchored() && dfa.HeadSuccessor() != kNoDfaState) {
    const std::size_t anchored =
        RunDfa<false>(dfa, subject, dfa.HeadSuccessor(), start->pos, separator, &stop);
    if (anchored != kNoMatchEnd && (end == kNoMatchEnd || anchored > end)) end = anchored;
  }
  return MatchSpan{start->pos, end};
}

bool LinearHasMatch(const TRegexDFA& dfa, std::string_view subject, unsigned char separator) {
  return FindStart<true>(dfa, subject, separator).has_value();
}

}  // namespace tobrel

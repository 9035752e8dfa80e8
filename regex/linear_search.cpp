// Linear search. The restarting search starts a run from the initial state
// at every character position, and at every line head (the start of the
// subject, right after an LF) also one from the initial state's line-head
// successor when the pattern has "^"; the first position at which one of
// these runs matches is the match's start, and the later end of the runs
// from there is its end. Here all those runs are stepped side by side
// instead, one character of the subject at a time. A run is a DFA state and
// the position it started at; two runs that are in the same state at the same
// position take the same way from there on, so only the one that started
// first is kept, and there are never more runs than DFA states. The runs are
// kept in the order of their starts. A run matches when it passes an
// accepting state, or when it stops on the line separator or at the end of
// the subject in a state with a line-tail transition, exactly as a single
// run does. Once one has matched, later runs cannot give the leftmost start:
// they are dropped and no new ones begin; the earlier ones go on until they
// match or stop. The start found, the match's end comes from the single runs
// at that start, each one pass over the subject at most.
#include "regex/linear_search.h"

#include <algorithm>
#include <cstdint>
#include <vector>

#include "regex/dfa_run.h"

namespace tobrel {

namespace {

constexpr DfaStateId kInitial = TRegexDFA::kInitialState;

// Where a match starts, and whether a run from the line-head successor
// started there too.
struct MatchStart {
  std::size_t pos;
  bool line_head;
};

struct Thread {
  DfaStateId state;
  bool line_head;
  std::size_t start;
};

// The leftmost start of a match, or none; with kAnyMatch the start of the
// first match found, which answers only whether there is one.
template <bool kAnyMatch>
std::optional<MatchStart> FindStart(const TRegexDFA& dfa, std::string_view s,
                                    unsigned char separator) {
  const DfaStateId head_successor = dfa.HeadAnchored() ? dfa.HeadSuccessor() : kNoDfaState;
  // Two lists of runs, the current one and the next one; each holds at most
  // one run per DFA state, and two runs begin at a position at most.
  const std::size_t capacity = static_cast<std::size_t>(dfa.StateCount()) + 2;
  std::vector<Thread> lists(2 * capacity);
  Thread* current = lists.data();
  Thread* next = lists.data() + capacity;
  std::size_t count = 0;
  // mark[state] == generation: a run of the current list is in that state.
  std::vector<std::uint32_t> mark(dfa.StateCount(), 0);
  std::uint32_t generation = 1;
  std::optional<MatchStart> found;
  bool line_head = true;
  std::size_t pos = 0;
  while (true) {
    if (!found) {
      if (mark[kInitial] != generation) {
        mark[kInitial] = generation;
        current[count++] = {kInitial, line_head, pos};
      }
      if (line_head && head_successor != kNoDfaState && mark[head_successor] != generation) {
        mark[head_successor] = generation;
        current[count++] = {head_successor, line_head, pos};
      }
    }
    for (std::size_t i = 0; i < count; ++i) {
      if (dfa.IsAccepting(current[i].state)) {
        found = MatchStart{current[i].start, current[i].line_head};
        count = i;
        break;
      }
    }
    if (found && (kAnyMatch || count == 0)) return found;
    if (pos == s.size()) {
      for (std::size_t i = 0; i < count; ++i)
        if (dfa.HasTailTransition(current[i].state))
          return MatchStart{current[i].start, current[i].line_head};
      return found;
    }

    std::size_t length;
    const std::uint16_t char_class = dfa.ClassAt(s, pos, &length);
    const bool at_separator = static_cast<unsigned char>(s[pos]) == separator;
    ++generation;
    std::size_t next_count = 0;
    for (std::size_t i = 0; i < count; ++i) {
      const Thread& run = current[i];
      const DfaStateId to = dfa.Next(run.state, char_class);
      if (to == kNoDfaState) {
        if (at_separator && dfa.HasTailTransition(run.state)) {
          found = MatchStart{run.start, run.line_head};
          break;
        }
        continue;
      }
      if (mark[to] == generation) continue;
      mark[to] = generation;
      next[next_count++] = {to, run.line_head, run.start};
    }
    if (found && (kAnyMatch || next_count == 0)) return found;
    std::swap(current, next);
    count = next_count;
    line_head = length == 1 && s[pos] == '\n';
    pos += length;
  }
}

}  // namespace

std::optional<MatchSpan> LinearSearch(const TRegexDFA& dfa, std::string_view subject,
                                      unsigned char separator) {
  const std::optional<MatchStart> start = FindStart<false>(dfa, subject, separator);
  if (!start) return std::nullopt;
  std::size_t stop;
  std::size_t end = RunDfa<false>(dfa, subject, kInitial, start->pos, separator, &stop);
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

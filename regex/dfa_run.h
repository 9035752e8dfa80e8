// One run of a DFA over a subject, the step that every search is built from:
// from a state at a position it steps one whole character at a time until no
// transition fits or the subject ends. The run's match ends at the last
// accepting state it passed or, when the run stops on the line separator or
// at the end of the subject in a state with a line-tail transition, at that
// stop.
#pragma once

#include <cstddef>
#include <string_view>

#include "regex/dfa.h"

namespace tobrel {

// What RunDfa gives for a run without a match.
inline constexpr std::size_t kNoMatchEnd = std::string_view::npos;

// The end of the longest match of the run from `state` at `pos`, or
// kNoMatchEnd; with kStopAtFirstMatch the first match end found instead.
// `*stop` gets the position where the run stopped (for a first match: where
// it was found).
template <bool kStopAtFirstMatch>
std::size_t RunDfa(const TRegexDFA& dfa, std::string_view s, DfaStateId state, std::size_t pos,
                   unsigned char separator, std::size_t* stop) {
  std::size_t end = kNoMatchEnd;
  while (true) {
    if (dfa.IsAccepting(state)) {
      end = pos;
      if constexpr (kStopAtFirstMatch) {
        *stop = pos;
        return end;
      }
    }
    if (pos >= s.size()) break;
    std::size_t length;
    const DfaStateId next = dfa.Step(state, s, pos, &length);
    if (next == kNoDfaState) break;
    state = next;
    pos += length;
  }
  if (dfa.HasTailTransition(state) &&
      (pos >= s.size() || static_cast<unsigned char>(s[pos]) == separator))
    end = pos;
  *stop = pos;
  return end;
}

}  // namespace tobrel

// One run of a DFA over a subject, the step that every search is built from:
// from a state at a position it steps one whole character at a time until no
// transition fits or the subject ends. The run's match ends at the last
// accepting state it passed or, when the run stops on the line separator or
// at the end of the subject in a state with a line-tail transition, at that
// stop.
#pragma once

#include <algorithm>
#include <cstddef>
#include <optional>
#include <string_view>

#include "regex/dfa.h"

namespace tobrel {

// The end of the longest match of the run from `state` at `pos`, or none;
// with kStopAtFirstMatch the first match end found instead. `*stop` gets the
// position where the run stopped (for a first match: where it was found).
// A run that reaches `limit` (< s.size()) is cut off there: `*stop` is then
// `limit` and the result means nothing.
template <bool kStopAtFirstMatch>
std::optional<std::size_t> RunDfa(const TRegexDFA& dfa, std::string_view s, DfaStateId state,
                                  std::size_t pos, unsigned char separator, std::size_t* stop,
                                  std::size_t limit = std::string_view::npos) {
  const std::size_t last = std::min(s.size(), limit);
  std::optional<std::size_t> end;
  while (true) {
    if (dfa.IsAccepting(state)) {
      end = pos;
      if constexpr (kStopAtFirstMatch) {
        *stop = pos;
        return end;
      }
    }
    if (pos >= last) {
      if (pos < s.size()) {
        *stop = pos;
        return end;
      }
      break;
    }
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

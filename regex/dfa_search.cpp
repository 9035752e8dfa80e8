// Searching. A run starts in some DFA state at some position and steps one
// whole character at a time until no transition fits; the longest match of
// the run ends at the last accepting state it passed, or, when the character
// that stopped it is the line separator or the end of the subject and the
// stopping state has a line-tail transition, at that separator.
//
// The plain routine starts a run from the initial state at every character
// position and takes the first that matches. The anchored routine first
// tries the start of the subject through the initial state's line-head
// transition (a head-anchored run; the run from the initial state itself may
// end later and then wins), then every position as the plain routine does,
// with a head-anchored run after every LF, and finally the empty match at the
// end when "$" may match there directly. An accepting initial state matches
// at position 0 in both routines, also in an empty subject, so "^a|b*"
// matches "" as "b*" does. A position whose first character leads nowhere
// from the initial state is skipped without starting a run, so a pattern
// such as "^..." looks only at the head of the subject and at LF bytes
// (found with memchr). The yes/no test follows the same order but stops at
// the first accepting state.
#include "regex/dfa_search.h"

#include <algorithm>
#include <cstring>

namespace tobrel {

namespace {

constexpr DfaStateId kInitial = TRegexDFA::kInitialState;

// Longest run from `state` at `pos`: the end of the longest match, or none.
// With kStopAtFirstMatch the first match end found is returned instead.
template <bool kStopAtFirstMatch>
std::optional<std::size_t> Run(const TRegexDFA& dfa, std::string_view s, DfaStateId state,
                               std::size_t pos, unsigned char separator) {
  std::optional<std::size_t> end;
  while (true) {
    if (dfa.IsAccepting(state)) {
      end = pos;
      if constexpr (kStopAtFirstMatch) return end;
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
  return end;
}

// The head-anchored run at `pos` (the start of the subject or right after an
// LF), or for a pattern without "^" the run from the initial state.
template <bool kStopAtFirstMatch>
std::optional<std::size_t> HeadRun(const TRegexDFA& dfa, std::string_view s, std::size_t pos,
                                   unsigned char separator) {
  if (!dfa.HeadAnchored()) return Run<kStopAtFirstMatch>(dfa, s, kInitial, pos, separator);
  if (dfa.HeadSuccessor() == kNoDfaState) return std::nullopt;
  const auto anchored = Run<kStopAtFirstMatch>(dfa, s, dfa.HeadSuccessor(), pos, separator);
  if (!anchored || kStopAtFirstMatch) return anchored;
  const auto unanchored = Run<false>(dfa, s, kInitial, pos, separator);
  return unanchored ? std::max(*anchored, *unanchored) : *anchored;
}

// Walks the character positions of `s` in order and calls try_at(pos) where a
// match may start: where the first character leads somewhere from the initial
// state, where the initial state may match "$" before the separator, and
// (when `after_lf` is set) at LF bytes. The initial state must not be
// accepting (then every position matches). Stops when try_at returns a value.
template <typename Result, typename TryAt>
Result ScanPositions(const TRegexDFA& dfa, std::string_view s, unsigned char separator,
                     bool after_lf, TryAt try_at) {
  const int tail_byte = dfa.HasTailTransition(kInitial) ? separator : -1;
  const int lf_byte = after_lf ? '\n' : -1;
  if (!dfa.MayStartAnywhere() && tail_byte < 0) {
    // Only LF bytes matter: find them, then check they start a character.
    if (lf_byte < 0) return Result();
    std::size_t pos = 0;
    while (pos < s.size()) {
      const void* hit = std::memchr(s.data() + pos, '\n', s.size() - pos);
      if (hit == nullptr) break;
      const auto lf = static_cast<std::size_t>(static_cast<const char*>(hit) - s.data());
      while (pos < lf) pos = cp932::NextCharPos(s, pos);
      if (pos == lf) {
        if (Result r = try_at(pos)) return r;
        ++pos;
      }
    }
    return Result();
  }
  std::size_t length;
  for (std::size_t pos = 0; pos < s.size(); pos += length) {
    const auto byte = static_cast<unsigned char>(s[pos]);
    if (dfa.Step(kInitial, s, pos, &length) != kNoDfaState || byte == tail_byte ||
        byte == lf_byte) {
      if (Result r = try_at(pos)) return r;
    }
  }
  return Result();
}

}  // namespace

std::optional<MatchSpan> PlainSearch(const TRegexDFA& dfa, std::string_view subject) {
  if (dfa.IsAccepting(kInitial)) return MatchSpan{0, *Run<false>(dfa, subject, kInitial, 0, 0)};
  return ScanPositions<std::optional<MatchSpan>>(
      dfa, subject, 0, false, [&](std::size_t pos) -> std::optional<MatchSpan> {
        if (const auto end = Run<false>(dfa, subject, kInitial, pos, 0)) return MatchSpan{pos, *end};
        return std::nullopt;
      });
}

std::optional<MatchSpan> AnchoredSearch(const TRegexDFA& dfa, std::string_view subject,
                                        unsigned char separator) {
  if (const auto end = HeadRun<false>(dfa, subject, 0, separator)) return MatchSpan{0, *end};
  // An accepting initial state matches at position 0, also in an empty
  // subject (a pattern such as "^a|b*" matches the empty string).
  if (dfa.IsAccepting(kInitial))
    return MatchSpan{0, *Run<false>(dfa, subject, kInitial, 0, separator)};
  // Without "^" the run at position 0 was the one just tried.
  const bool head = dfa.HeadAnchored();
  const std::size_t first = head ? 0 : 1;
  if (auto found = ScanPositions<std::optional<MatchSpan>>(
          dfa, subject, separator, head, [&](std::size_t pos) -> std::optional<MatchSpan> {
            if (pos >= first) {
              if (const auto end = Run<false>(dfa, subject, kInitial, pos, separator))
                return MatchSpan{pos, *end};
            }
            if (head && subject[pos] == '\n') {
              if (const auto end = HeadRun<false>(dfa, subject, pos + 1, separator))
                return MatchSpan{pos + 1, *end};
            }
            return std::nullopt;
          }))
    return found;
  // The empty match at the end, where "$" may match directly.
  if (dfa.TailAnchored() && dfa.HasTailTransition(kInitial))
    return MatchSpan{subject.size(), subject.size()};
  return std::nullopt;
}

std::optional<MatchSpan> Search(const TRegexDFA& dfa, std::string_view subject,
                                unsigned char separator) {
  if (dfa.HeadAnchored() || dfa.TailAnchored()) return AnchoredSearch(dfa, subject, separator);
  return PlainSearch(dfa, subject);
}

bool HasMatch(const TRegexDFA& dfa, std::string_view subject, unsigned char separator) {
  if (dfa.IsAccepting(kInitial)) return true;
  const bool anchored = dfa.HeadAnchored() || dfa.TailAnchored();
  if (!anchored) {
    return ScanPositions<bool>(dfa, subject, 0, false, [&](std::size_t pos) {
      return Run<true>(dfa, subject, kInitial, pos, 0).has_value();
    });
  }
  if (dfa.TailAnchored() && dfa.HasTailTransition(kInitial)) return true;
  if (HeadRun<true>(dfa, subject, 0, separator)) return true;
  const bool head = dfa.HeadAnchored();
  return ScanPositions<bool>(dfa, subject, separator, head, [&](std::size_t pos) {
    if (Run<true>(dfa, subject, kInitial, pos, separator)) return true;
    return head && subject[pos] == '\n' && HeadRun<true>(dfa, subject, pos + 1, separator);
  });
}

}  // namespace tobrel

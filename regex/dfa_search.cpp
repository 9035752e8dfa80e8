// Searching. A run (regex/dfa_run.h) starts in some DFA state at some
// position and steps one whole character at a time until no transition fits.
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
//
// Restarting at every position is the fastest way over ordinary lines, but a
// run may cross most of the subject at each start ("a*b" over a long run of
// "a"), which costs the square of the length. So the runs of one search share
// a budget of work in proportion to the subject's length; a search that uses
// it up gives up and starts again with the linear search
// (regex/linear_search.h), which gives the same answer. A run that passes
// the budget reports a match, so that the search stops at once without a
// check of its own in the loops; its answer is then thrown away. That run
// crosses the subject once at most, so the work stays linear.
#include "regex/dfa_search.h"

#include <algorithm>
#include <cstring>

#include "regex/dfa_run.h"
#include "regex/linear_search.h"

namespace tobrel {

namespace {

constexpr DfaStateId kInitial = TRegexDFA::kInitialState;

// Characters the runs of one search may step through: this many per byte of
// the subject, plus a fixed allowance, so that short lines never give up.
constexpr std::size_t kWorkPerByte = 1;
constexpr std::size_t kFixedWork = 256;

// The work left to the runs of one search; `gave_up` once they passed it.
struct Budget {
  std::size_t left;
  bool gave_up = false;
};

// The run from `state` at `pos` (its match end, or kNoMatchEnd), charged to
// `budget`. When it passes what is left, the search has given up: the result
// is then a made-up match end.
template <bool kStopAtFirstMatch>
std::size_t Run(const TRegexDFA& dfa, std::string_view s, DfaStateId state, std::size_t pos,
                unsigned char separator, Budget& budget) {
  std::size_t stop;
  const std::size_t end = RunDfa<kStopAtFirstMatch>(dfa, s, state, pos, separator, &stop);
  const std::size_t work = stop - pos + 1;
  if (work > budget.left) {
    budget.gave_up = true;
    return pos;
  }
  budget.left -= work;
  return end;
}

// The head-anchored run at `pos` (the start of the subject or right after an
// LF), or for a pattern without "^" the run from the initial state. The run
// from the initial state after a head-anchored match is left out when no
// character leads anywhere from that state: it could end at `pos` at most,
// where the head-anchored match ends or later.
template <bool kStopAtFirstMatch>
std::size_t HeadRun(const TRegexDFA& dfa, std::string_view s, std::size_t pos,
                    unsigned char separator, Budget& budget) {
  if (!dfa.HeadAnchored()) return Run<kStopAtFirstMatch>(dfa, s, kInitial, pos, separator, budget);
  if (dfa.HeadSuccessor() == kNoDfaState) return kNoMatchEnd;
  const std::size_t anchored =
      Run<kStopAtFirstMatch>(dfa, s, dfa.HeadSuccessor(), pos, separator, budget);
  if (anchored == kNoMatchEnd || kStopAtFirstMatch || !dfa.MayStartAnywhere()) return anchored;
  const std::size_t unanchored = Run<false>(dfa, s, kInitial, pos, separator, budget);
  return unanchored == kNoMatchEnd ? anchored : std::max(anchored, unanchored);
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

std::optional<MatchSpan> PlainSearch(const TRegexDFA& dfa, std::string_view subject,
                                     Budget& budget) {
  if (dfa.IsAccepting(kInitial))
    return MatchSpan{0, Run<false>(dfa, subject, kInitial, 0, 0, budget)};
  return ScanPositions<std::optional<MatchSpan>>(
      dfa, subject, 0, false, [&](std::size_t pos) -> std::optional<MatchSpan> {
        const std::size_t end = Run<false>(dfa, subject, kInitial, pos, 0, budget);
        if (end != kNoMatchEnd) return MatchSpan{pos, end};
        return std::nullopt;
      });
}

std::optional<MatchSpan> AnchoredSearch(const TRegexDFA& dfa, std::string_view subject,
                                        unsigned char separator, Budget& budget) {
  if (const std::size_t end = HeadRun<false>(dfa, subject, 0, separator, budget);
      end != kNoMatchEnd)
    return MatchSpan{0, end};
  // An accepting initial state matches at position 0, also in an empty
  // subject (a pattern such as "^a|b*" matches the empty string).
  if (dfa.IsAccepting(kInitial))
    return MatchSpan{0, Run<false>(dfa, subject, kInitial, 0, separator, budget)};
  // Without "^" the run at position 0 was the one just tried.
  const bool head = dfa.HeadAnchored();
  const std::size_t first = head ? 0 : 1;
  if (auto found = ScanPositions<std::optional<MatchSpan>>(
          dfa, subject, separator, head, [&](std::size_t pos) -> std::optional<MatchSpan> {
            if (pos >= first) {
              const std::size_t end = Run<false>(dfa, subject, kInitial, pos, separator, budget);
              if (end != kNoMatchEnd) return MatchSpan{pos, end};
            }
            if (head && subject[pos] == '\n') {
              const std::size_t end = HeadRun<false>(dfa, subject, pos + 1, separator, budget);
              if (end != kNoMatchEnd) return MatchSpan{pos + 1, end};
            }
            return std::nullopt;
          }))
    return found;
  // The empty match at the end, where "$" may match directly.
  if (dfa.TailAnchored() && dfa.HasTailTransition(kInitial))
    return MatchSpan{subject.size(), subject.size()};
  return std::nullopt;
}

bool RestartingHasMatch(const TRegexDFA& dfa, std::string_view subject, unsigned char separator,
                        Budget& budget) {
  if (dfa.IsAccepting(kInitial)) return true;
  const bool anchored = dfa.HeadAnchored() || dfa.TailAnchored();
  if (!anchored) {
    return ScanPositions<bool>(dfa, subject, 0, false, [&](std::size_t pos) {
      return Run<true>(dfa, subject, kInitial, pos, 0, budget) != kNoMatchEnd;
    });
  }
  if (dfa.TailAnchored() && dfa.HasTailTransition(kInitial)) return true;
  if (HeadRun<true>(dfa, subject, 0, separator, budget) != kNoMatchEnd) return true;
  const bool head = dfa.HeadAnchored();
  return ScanPositions<bool>(dfa, subject, separator, head, [&](std::size_t pos) {
    if (Run<true>(dfa, subject, kInitial, pos, separator, budget) != kNoMatchEnd) return true;
    return head && subject[pos] == '\n' &&
           HeadRun<true>(dfa, subject, pos + 1, separator, budget) != kNoMatchEnd;
  });
}

Budget BudgetFor(std::string_view subject) {
  return {kWorkPerByte * subject.size() + kFixedWork};
}

}  // namespace

std::optional<MatchSpan> Search(const TRegexDFA& dfa, std::string_view subject,
                                unsigned char separator) {
  Budget budget = BudgetFor(subject);
  const auto found = dfa.HeadAnchored() || dfa.TailAnchored()
                         ? AnchoredSearch(dfa, subject, separator, budget)
                         : PlainSearch(dfa, subject, budget);
  if (budget.gave_up) return LinearSearch(dfa, subject, separator);
  return found;
}

bool HasMatch(const TRegexDFA& dfa, std::string_view subject, unsigned char separator) {
  Budget budget = BudgetFor(subject);
  const bool found = RestartingHasMatch(dfa, subject, separator, budget);
  if (budget.gave_up) return LinearHasMatch(dfa, subject, separator);
  return found;
}

}  // namespace tobrel

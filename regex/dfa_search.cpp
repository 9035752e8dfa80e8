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
// "a"), which costs the square of the length. So the runs share a budget of
// work in proportion to the subject's length; a search that uses it up
// starts again with the linear search (regex/linear_search.h), which gives
// the same answer.
#include "regex/dfa_search.h"

#include <algorithm>
#include <cstring>

#include "regex/dfa_run.h"
#include "regex/linear_search.h"

namespace tobrel {

namespace {

constexpr DfaStateId kInitial = TRegexDFA::kInitialState;

// Characters the runs of one search may step through: this many per byte of
// the subject, plus a fixed allowance, so that short lines never switch.
constexpr std::size_t kWorkPerByte = 2;
constexpr std::size_t kFixedWork = 256;

class RestartingSearch {
 public:
  RestartingSearch(const TRegexDFA& dfa, std::string_view s, unsigned char separator)
      : dfa_(dfa), s_(s), separator_(separator), budget_(kWorkPerByte * s.size() + kFixedWork) {}

  // True when the runs used up their budget; the answer is then unknown.
  bool GaveUp() const { return gave_up_; }

  std::optional<MatchSpan> Plain();
  std::optional<MatchSpan> Anchored();
  bool HasMatch();

 private:
  template <bool kStopAtFirstMatch>
  std::optional<std::size_t> Run(DfaStateId state, std::size_t pos);
  template <bool kStopAtFirstMatch>
  std::optional<std::size_t> HeadRun(std::size_t pos);
  template <typename Result, typename TryAt>
  Result ScanPositions(bool after_lf, TryAt try_at);

  const TRegexDFA& dfa_;
  const std::string_view s_;
  const unsigned char separator_;
  std::size_t budget_;
  bool gave_up_ = false;
};

// The run from `state` at `pos`, charged to the budget; a run that would
// pass the budget is cut off and the search gives up.
template <bool kStopAtFirstMatch>
std::optional<std::size_t> RestartingSearch::Run(DfaStateId state, std::size_t pos) {
  if (gave_up_) return std::nullopt;
  std::size_t stop;
  const auto end =
      RunDfa<kStopAtFirstMatch>(dfa_, s_, state, pos, separator_, &stop, pos + budget_);
  const std::size_t work = stop - pos + 1;
  if (work > budget_) {
    gave_up_ = true;
    return std::nullopt;
  }
  budget_ -= work;
  return end;
}

// The head-anchored run at `pos` (the start of the subject or right after an
// LF), or for a pattern without "^" the run from the initial state.
template <bool kStopAtFirstMatch>
std::optional<std::size_t> RestartingSearch::HeadRun(std::size_t pos) {
  if (!dfa_.HeadAnchored()) return Run<kStopAtFirstMatch>(kInitial, pos);
  if (dfa_.HeadSuccessor() == kNoDfaState) return std::nullopt;
  const auto anchored = Run<kStopAtFirstMatch>(dfa_.HeadSuccessor(), pos);
  if (!anchored || kStopAtFirstMatch) return anchored;
  const auto unanchored = Run<false>(kInitial, pos);
  return unanchored ? std::max(*anchored, *unanchored) : *anchored;
}

// Walks the character positions of the subject in order and calls
// try_at(pos) where a match may start: where the first character leads
// somewhere from the initial state, where the initial state may match "$"
// before the separator, and (when `after_lf` is set) at LF bytes. The initial
// state must not be accepting (then every position matches). Stops when
// try_at returns a value or the budget is used up.
template <typename Result, typename TryAt>
Result RestartingSearch::ScanPositions(bool after_lf, TryAt try_at) {
  const std::string_view s = s_;
  const int tail_byte = dfa_.HasTailTransition(kInitial) ? separator_ : -1;
  const int lf_byte = after_lf ? '\n' : -1;
  if (!dfa_.MayStartAnywhere() && tail_byte < 0) {
    // Only LF bytes matter: find them, then check they start a character.
    if (lf_byte < 0) return Result();
    std::size_t pos = 0;
    while (pos < s.size() && !gave_up_) {
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
  for (std::size_t pos = 0; pos < s.size() && !gave_up_; pos += length) {
    const auto byte = static_cast<unsigned char>(s[pos]);
    if (dfa_.Step(kInitial, s, pos, &length) != kNoDfaState || byte == tail_byte ||
        byte == lf_byte) {
      if (Result r = try_at(pos)) return r;
    }
  }
  return Result();
}

std::optional<MatchSpan> RestartingSearch::Plain() {
  if (dfa_.IsAccepting(kInitial)) {
    if (const auto end = Run<false>(kInitial, 0)) return MatchSpan{0, *end};
    return std::nullopt;  // gave up
  }
  return ScanPositions<std::optional<MatchSpan>>(
      false, [&](std::size_t pos) -> std::optional<MatchSpan> {
        if (const auto end = Run<false>(kInitial, pos)) return MatchSpan{pos, *end};
        return std::nullopt;
      });
}

std::optional<MatchSpan> RestartingSearch::Anchored() {
  if (const auto end = HeadRun<false>(0)) return MatchSpan{0, *end};
  // An accepting initial state matches at position 0, also in an empty
  // subject (a pattern such as "^a|b*" matches the empty string).
  if (dfa_.IsAccepting(kInitial)) {
    if (const auto end = Run<false>(kInitial, 0)) return MatchSpan{0, *end};
    return std::nullopt;  // gave up
  }
  // Without "^" the run at position 0 was the one just tried.
  const bool head = dfa_.HeadAnchored();
  const std::size_t first = head ? 0 : 1;
  if (auto found = ScanPositions<std::optional<MatchSpan>>(
          head, [&](std::size_t pos) -> std::optional<MatchSpan> {
            if (pos >= first) {
              if (const auto end = Run<false>(kInitial, pos)) return MatchSpan{pos, *end};
            }
            if (head && s_[pos] == '\n') {
              if (const auto end = HeadRun<false>(pos + 1)) return MatchSpan{pos + 1, *end};
            }
            return std::nullopt;
          }))
    return found;
  // The empty match at the end, where "$" may match directly.
  if (dfa_.TailAnchored() && dfa_.HasTailTransition(kInitial))
    return MatchSpan{s_.size(), s_.size()};
  return std::nullopt;
}

bool RestartingSearch::HasMatch() {
  if (dfa_.IsAccepting(kInitial)) return true;
  const bool anchored = dfa_.HeadAnchored() || dfa_.TailAnchored();
  if (!anchored) {
    return ScanPositions<bool>(false,
                               [&](std::size_t pos) { return Run<true>(kInitial, pos).has_value(); });
  }
  if (dfa_.TailAnchored() && dfa_.HasTailTransition(kInitial)) return true;
  if (HeadRun<true>(0)) return true;
  const bool head = dfa_.HeadAnchored();
  return ScanPositions<bool>(head, [&](std::size_t pos) {
    if (Run<true>(kInitial, pos)) return true;
    return head && s_[pos] == '\n' && HeadRun<true>(pos + 1).has_value();
  });
}

}  // namespace

std::optional<MatchSpan> Search(const TRegexDFA& dfa, std::string_view subject,
                                unsigned char separator) {
  RestartingSearch search(dfa, subject, separator);
  const auto found = dfa.HeadAnchored() || dfa.TailAnchored() ? search.Anchored() : search.Plain();
  if (search.GaveUp()) return LinearSearch(dfa, subject, separator);
  return found;
}

bool HasMatch(const TRegexDFA& dfa, std::string_view subject, unsigned char separator) {
  RestartingSearch search(dfa, subject, separator);
  const bool found = search.HasMatch();
  if (search.GaveUp()) return LinearHasMatch(dfa, subject, separator);
  return found;
}

}  // namespace tobrel

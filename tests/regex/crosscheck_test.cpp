// Cross-check: a slow matcher kept for tests runs the search rules directly
// on the NFA, stepping sets of NFA states, and must agree with the DFA
// searches (their tables and shortcuts included) and with the linear
// searches on random patterns and subjects: short subjects, and long ones
// made of repeated pieces, on which the DFA searches switch to the linear
// ones.
#include <gtest/gtest.h>

#include <algorithm>
#include <optional>
#include <random>
#include <set>

#include "regex/compile.h"
#include "regex/dfa_search.h"
#include "regex/linear_search.h"
#include "regex/nfa.h"
#include "regex/parser.h"
#include "regex/regex_error.h"
#include "tests/regex/test_text.h"

namespace tobrel {
namespace {

class ReferenceMatcher {
 public:
  explicit ReferenceMatcher(std::string_view pattern)
      : root_(TRegexParser(pattern, tree_).Parse()), nfa_(tree_, root_) {}

  std::optional<MatchSpan> Search(std::string_view s, unsigned char separator) const {
    s_ = s;
    separator_ = separator;
    const StateSet initial = Closure({TRegexNFA::kEntry});
    if (!nfa_.HeadAnchored() && !nfa_.TailAnchored()) {
      if (s.empty() && Accepting(initial)) return MatchSpan{0, 0};
      for (std::size_t pos = 0; pos < s.size(); pos = cp932::NextCharPos(s, pos))
        if (const auto end = LongestRun(initial, pos)) return MatchSpan{pos, *end};
      return std::nullopt;
    }
    if (const auto end = HeadRun(initial, 0)) return MatchSpan{0, *end};
    for (std::size_t pos = 0; pos < s.size(); pos = cp932::NextCharPos(s, pos)) {
      if (const auto end = LongestRun(initial, pos)) return MatchSpan{pos, *end};
      if (s[pos] == '\n' && nfa_.HeadAnchored())
        if (const auto end = HeadRun(initial, pos + 1)) return MatchSpan{pos + 1, *end};
    }
    if (s.empty() && Accepting(initial)) return MatchSpan{0, 0};
    if (nfa_.TailAnchored() && !Step(initial, kLineTailCode).empty())
      return MatchSpan{s.size(), s.size()};
    return std::nullopt;
  }

 private:
  using StateSet = std::set<int>;

  StateSet Closure(StateSet set) const {
    std::vector<int> stack(set.begin(), set.end());
    while (!stack.empty()) {
      const int state = stack.back();
      stack.pop_back();
      for (const NfaTransition& t : nfa_.TransitionsFrom(state))
        if (t.label == TRegexNFA::kEpsilon && set.insert(t.target).second)
          stack.push_back(t.target);
    }
    return set;
  }

  StateSet Step(const StateSet& set, std::uint32_t code) const {
    StateSet targets;
    for (const int state : set) {
      for (const NfaTransition& t : nfa_.TransitionsFrom(state)) {
        if (t.label == TRegexNFA::kEpsilon) continue;
        const RegexLabel& label = nfa_.labels()[t.label];
        if (label.lo <= code && code <= label.hi) targets.insert(t.target);
      }
    }
    return Closure(targets);
  }

  static bool Accepting(const StateSet& set) { return set.count(TRegexNFA::kFinal) > 0; }

  std::optional<std::size_t> LongestRun(StateSet state, std::size_t pos) const {
    std::optional<std::size_t> end;
    while (true) {
      if (Accepting(state)) end = pos;
      if (pos >= s_.size()) break;
      const CharAt c = ReadCharAt(s_, pos);
      StateSet next = Step(state, c.code);
      if (next.empty()) break;
      state = std::move(next);
      pos += c.length;
    }
    const bool at_tail = pos >= s_.size() || static_cast<unsigned char>(s_[pos]) == separator_;
    if (at_tail && !Step(state, kLineTailCode).empty()) end = pos;
    return end;
  }

  std::optional<std::size_t> HeadRun(const StateSet& initial, std::size_t pos) const {
    if (!nfa_.HeadAnchored()) return LongestRun(initial, pos);
    const StateSet after_head = Step(initial, kLineHeadCode);
    if (after_head.empty()) return std::nullopt;
    const auto anchored = LongestRun(after_head, pos);
    if (!anchored) return std::nullopt;
    const auto unanchored = LongestRun(initial, pos);
    return unanchored ? std::max(*anchored, *unanchored) : *anchored;
  }

  TRegexTree tree_;
  int root_;
  TRegexNFA nfa_;
  mutable std::string_view s_;
  mutable unsigned char separator_ = '\r';
};

std::string Pick(std::mt19937& random, const std::vector<std::string>& pieces, int max_count) {
  std::string text;
  const int count = std::uniform_int_distribution<int>(0, max_count)(random);
  for (int i = 0; i < count; ++i)
    text += pieces[std::uniform_int_distribution<std::size_t>(0, pieces.size() - 1)(random)];
  return text;
}

const std::vector<std::string>& PatternPieces() {
  using test::Sjis;
  static const std::vector<std::string> pieces = {
      "a", "b", Sjis("あ"), "\\x82", "^", "$", ".", "|", "*", "+", "?", "(", ")",
      "[ab]", "[^a]", Sjis("[あ-ん]"), "\\n", "\\r", Sjis("ソ"), "()", "a", "b"};
  return pieces;
}

const std::vector<std::string>& SubjectPieces() {
  using test::Sjis;
  static const std::vector<std::string> pieces = {
      "a", "b", Sjis("あ"), Sjis("ん"), "\r", "\n", Sjis("ソ"), "\\", "\x82", "^", "$"};
  return pieces;
}

// Compiles a random pattern; nullptr when it is not a valid one.
std::unique_ptr<TRegexDFA> RandomPattern(std::mt19937& random, std::string* pattern) {
  *pattern = Pick(random, PatternPieces(), 7);
  try {
    return Compile(*pattern);
  } catch (const ERegexSyntax&) {
    return nullptr;
  }
}

// Every search agrees with the reference on `subject`, with both separators.
void ExpectAgreement(const TRegexDFA& dfa, const ReferenceMatcher& reference,
                     const std::string& pattern, const std::string& subject) {
  for (const unsigned char separator : {'\r', '\n'}) {
    const auto expected = reference.Search(subject, separator);
    const std::string what = "/" + pattern + "/ on \"" + subject + "\"";
    ASSERT_EQ(Search(dfa, subject, separator), expected) << what;
    ASSERT_EQ(HasMatch(dfa, subject, separator), expected.has_value()) << what;
    ASSERT_EQ(LinearSearch(dfa, subject, separator), expected) << what;
    ASSERT_EQ(LinearHasMatch(dfa, subject, separator), expected.has_value()) << what;
  }
}

TEST(RegexCrossCheck, DfaSearchAgreesWithNfaReference) {
  std::mt19937 random(20240601);
  int compared = 0;
  for (int round = 0; round < 6000; ++round) {
    std::string pattern;
    const std::unique_ptr<TRegexDFA> dfa = RandomPattern(random, &pattern);
    if (!dfa) continue;
    const ReferenceMatcher reference(pattern);
    for (int i = 0; i < 8; ++i) {
      ExpectAgreement(*dfa, reference, pattern, Pick(random, SubjectPieces(), 8));
      if (HasFatalFailure()) return;
      compared += 2;
    }
  }
  EXPECT_GT(compared, 20000);
}

TEST(RegexCrossCheck, LongSubjectsAgreeWithNfaReference) {
  // Patterns with a loop that long stretches of the subject keep alive, on
  // subjects that repeat a few pieces: runs from many positions cross the
  // same characters, which makes the DFA searches switch to the linear ones.
  using test::Sjis;
  const char* const heads[] = {"", "^", "b|", "(^a)?", "$|", "x"};
  const std::vector<std::string> loops = {
      "a*", ".*", "[^b]*", "(a|aa)*", "(a|\\n)*", Sjis("(あ|a)*"), "(a$)*", "(\\r|a)*"};
  const char* const tails[] = {"b", "$", "b$", "", "\\r", "a", "^"};
  const std::vector<std::string> chunks = {"a",      "aa\n", Sjis("あa"), "a\r",
                                           Sjis("ソ"), "\x82" "a", "a$",       "ab"};
  std::mt19937 random(20261210);
  for (const char* head : heads) {
    for (const std::string& loop : loops) {
      for (const char* tail : tails) {
        const std::string pattern = head + loop + tail;
        const std::unique_ptr<TRegexDFA> dfa = Compile(pattern);
        const ReferenceMatcher reference(pattern);
        const std::string& chunk =
            chunks[std::uniform_int_distribution<std::size_t>(0, chunks.size() - 1)(random)];
        std::string subject = Pick(random, SubjectPieces(), 3);
        while (subject.size() < 150) subject += chunk;
        subject += Pick(random, SubjectPieces(), 3);
        ExpectAgreement(*dfa, reference, pattern, subject);
        if (HasFatalFailure()) return;
      }
    }
  }
}

}  // namespace
}  // namespace tobrel

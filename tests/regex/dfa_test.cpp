// Shapes of compiled automata, and the bounds that stop patterns whose
// automata explode.
#include <gtest/gtest.h>

#include <chrono>
#include <string>

#include "regex/compile.h"
#include "regex/regex_error.h"

namespace tobrel {
namespace {

TEST(RegexDfa, Shapes) {
  static const struct {
    const char* pattern;
    int states;
    int initial_transitions;
    bool head_anchored;
    bool tail_anchored;
  } cases[] = {
      {"", 1, 0, false, false},
      {"a|a", 2, 1, false, false},
      {"[aa]", 2, 1, false, false},
      {"[a-m]|[h-z]", 2, 3, false, false},
      {"[^\\x01-\\x09]", 2, 2, false, false},
      {"^a", 3, 1, true, false},
      {"a$", 3, 1, false, true},
      {"a^", 3, 1, false, false},
      {"(^a)+", 5, 1, true, false},
  };
  for (const auto& c : cases) {
    const auto dfa = Compile(c.pattern);
    EXPECT_EQ(dfa->StateCount(), c.states) << c.pattern;
    EXPECT_EQ(dfa->Transitions(TRegexDFA::kInitialState).size(),
              static_cast<std::size_t>(c.initial_transitions))
        << c.pattern;
    EXPECT_EQ(dfa->HeadAnchored(), c.head_anchored) << c.pattern;
    EXPECT_EQ(dfa->TailAnchored(), c.tail_anchored) << c.pattern;
  }
}

TEST(RegexDfa, SplitRangesLeadToOneState) {
  // "[a-m]|[h-z]": pieces a-g, h-m and n-z, ascending, all to one accepting
  // state.
  const auto dfa = Compile("[a-m]|[h-z]");
  const auto transitions = dfa->Transitions(TRegexDFA::kInitialState);
  ASSERT_EQ(transitions.size(), 3u);
  const RegexLabel expected[] = {{'a', 'g'}, {'h', 'm'}, {'n', 'z'}};
  for (int i = 0; i < 3; ++i) {
    EXPECT_EQ(dfa->labels()[transitions[i].label], expected[i]);
    EXPECT_EQ(transitions[i].target, transitions[0].target);
    EXPECT_TRUE(dfa->IsAccepting(transitions[i].target));
  }
}

TEST(RegexDfa, TransitionsSortedByLowCode) {
  const auto dfa = Compile("z|[a-c]|\\x8184|^x|y$");
  for (int s = 0; s < dfa->StateCount(); ++s) {
    const auto transitions = dfa->Transitions(static_cast<DfaStateId>(s));
    for (std::size_t i = 1; i < transitions.size(); ++i)
      EXPECT_LT(dfa->labels()[transitions[i - 1].label].lo,
                dfa->labels()[transitions[i].label].lo);
  }
}

TEST(RegexDfa, ExplodingPatternsFailQuickly) {
  std::string many_links = "(a|b)*a";
  for (int i = 0; i < 24; ++i) many_links += "(a|b)";
  std::string nested_plus = "a";
  for (int i = 0; i < 30; ++i) nested_plus = "(" + nested_plus + ")+";
  std::string deep_groups(300, '(');
  deep_groups += "a" + std::string(300, ')');
  std::string many_dots;
  for (int i = 0; i < 2000; ++i) many_dots += "[\\x" + std::to_string(1000 + i) + "].*";

  for (const std::string& pattern : {many_links, nested_plus, deep_groups, many_dots}) {
    const auto started = std::chrono::steady_clock::now();
    try {
      Compile(pattern);
      ADD_FAILURE() << pattern.substr(0, 40) << " compiled";
    } catch (const ERegexSyntax& e) {
      EXPECT_EQ(e.what(), regex_message::kTooComplex) << pattern.substr(0, 40);
      EXPECT_TRUE(e.TooComplex()) << pattern.substr(0, 40);
    }
    EXPECT_LT(std::chrono::steady_clock::now() - started, std::chrono::seconds(5))
        << pattern.substr(0, 40);
  }
  // A syntax error is not a bound.
  try {
    Compile("(a|b");
    ADD_FAILURE() << "(a|b compiled";
  } catch (const ERegexSyntax& e) {
    EXPECT_FALSE(e.TooComplex());
  }
  // Below the bounds the same shapes compile.
  std::string few_links = "(a|b)*a";
  for (int i = 0; i < 10; ++i) few_links += "(a|b)";
  EXPECT_EQ(Compile(few_links)->StateCount(), 2049);
}

}  // namespace
}  // namespace tobrel

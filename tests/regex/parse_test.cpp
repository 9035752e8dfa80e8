// Parse trees (after the leaves are made disjoint) and syntax errors.
#include <gtest/gtest.h>

#include "regex/compile.h"
#include "regex/parse_tree.h"
#include "regex/parser.h"
#include "regex/regex_error.h"
#include "tests/regex/test_text.h"

namespace tobrel {
namespace {

using test::Sjis;

std::string DumpOf(std::string_view pattern) {
  TRegexTree tree;
  const int root = TRegexParser(pattern, tree).Parse();
  return tree.Dump(root);
}

TEST(RegexParse, Trees) {
  static const struct {
    const char* pattern;
    const char* tree;
  } cases[] = {
      // Precedence: alternation, then concatenation, then postfix operators.
      {"ab|c", "alt{cat{a b} c}"},
      {"ab*", "cat{a star{b}}"},
      {"a+", "cat{a star{a}}"},
      {"a?", "alt{a empty}"},
      {"a|", "alt{a empty}"},
      {"()", "empty"},
      {"", "empty"},
      // Letters, braces and escapes are characters.
      {"{d}", "cat{cat{{ d} }}"},
      {"\\.\\x41\\101\\q", "cat{cat{cat{. A} A} q}"},
      // Equal ranges share one leaf; overlapping ones are cut into pieces.
      {"a|a", "alt{a a}"},
      {"[a-m]|[h-z]", "alt{alt{[a-g] [h-m]} alt{[h-m] [n-z]}}"},
      {".", "alt{alt{[\\x01-\\x09] [\\x0B-\\x0C]} [\\x0E-\\xFCFC]}"},
      // A "^" or "$" candidate adds its character's leaf, which cuts ".".
      {"^.", "cat{head{^} alt{alt{[\\x01-\\x09] [\\x0B-\\x0C]} alt{alt{[\\x0E-]] ^} "
             "[_-\\xFCFC]}}}"},
      // A negated class is "." without its items.
      {"[^\\x01-\\x09]", "alt{[\\x0B-\\x0C] [\\x0E-\\xFCFC]}"},
      {"[^b-y]", "alt{alt{alt{[\\x01-\\x09] [\\x0B-\\x0C]} [\\x0E-a]} [z-\\xFCFC]}"},
      // Brackets: "-" first or last is literal, "]" first ends the class.
      {"[-a]", "alt{- a}"},
      {"[a-]", "alt{a -}"},
      {"[\\]a]", "alt{] a}"},
      {"[a\\-z]", "alt{alt{a -} z}"},
      {"[.*(|$^]", "alt{alt{alt{alt{alt{. *} (} |} $} ^}"},
  };
  for (const auto& c : cases) EXPECT_EQ(DumpOf(c.pattern), c.tree) << c.pattern;
}

TEST(RegexParse, DoubleByteCharacters) {
  // "ソ" is 83 5C: its trail byte is a backslash but it is one character.
  EXPECT_EQ(DumpOf(Sjis("ソ")), "\\x835C");
  EXPECT_EQ(DumpOf(Sjis("[ぁ-ん]")), "[\\x829F-\\x82F1]");
  EXPECT_EQ(DumpOf(Sjis("\\＞")), "\\x8184");
  EXPECT_EQ(DumpOf("\\x8184"), "\\x8184");
}

TEST(RegexParse, Errors) {
  namespace m = regex_message;
  static const struct {
    std::string pattern;
    std::string_view message;
    int error_pos;
  } cases[] = {
      {"\x82", m::kBadDoubleByte, 2},
      {"a[\x82", m::kBadDoubleByte, 4},
      {"\\", m::kCharAfterBackslash, 2},
      {"[\\", m::kCharAfterBackslash, 3},
      {"\\x", m::kBadHex, 3},
      {"\\xg", m::kBadHex, 3},
      {"\\777777", m::kBadOctal, 8},
      {"[", m::kRightBracketExpected, 2},
      {"[^", m::kRightBracketExpected, 3},
      {"[a", m::kRightBracketExpected, 3},
      {"[a-", m::kRightBracketExpected, 4},
      {"[b-a]", m::kBadRange, 5},
      {"[]a]", m::kBadClass, 3},
      {"[^]", m::kBadClass, 4},
      {"(a", m::kRightParenExpected, 3},
      {"(a|b", m::kRightParenExpected, 5},
      {"a**", m::kAtomExpected, 4},
      {"a+?", m::kAtomExpected, 4},
      {"a*+", m::kAtomExpected, 4},
      {"+", m::kAtomExpected, 2},
      {"*a", m::kAtomExpected, 2},
      {"(+a)", m::kAtomExpected, 3},
      {"a|*", m::kAtomExpected, 4},
      {"]", m::kAtomExpected, 2},
      {"a)", m::kExtraCharacters, 3},
      // Codes the engine keeps for its anchors cannot be spelled.
      {"\\xFFFD", m::kBadHex, 7},
      {"[a-\\xFFFF]", m::kBadHex, 10},
      {"\\177776", m::kBadOctal, 8},
      // A negated class that leaves no character is as empty as "[^]".
      {"[^\\x01-\\xFCFC]", m::kBadClass, 15},
      {"[^\\x01-\\x09\\x0b\\x0c\\x0e-\\xFCFC]", m::kBadClass, 32},
  };
  for (const auto& c : cases) {
    try {
      Compile(c.pattern);
      ADD_FAILURE() << c.pattern << " compiled";
    } catch (const ERegexSyntax& e) {
      EXPECT_EQ(e.what(), c.message) << c.pattern;
      EXPECT_EQ(e.ErrorPos(), c.error_pos) << c.pattern;
    }
  }
}

}  // namespace
}  // namespace tobrel

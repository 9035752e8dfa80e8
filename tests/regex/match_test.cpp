// Which match Match() finds: leftmost, then longest, with the anchor rules.
#include <gtest/gtest.h>

#include "regex/line_matcher.h"
#include "regex/quote_pattern.h"
#include "tests/regex/test_text.h"

namespace tobrel {
namespace {

using test::Sjis;
using namespace std::string_view_literals;

struct MatchCase {
  std::string_view pattern;
  std::string_view subject;
  int start;  // 1-based; 0: no match
  int length;
};

// Runs `cases` through one matcher; patterns and subjects are UTF-8 and are
// converted to CP932 unless `raw`.
void ExpectMatches(const std::vector<MatchCase>& cases, TLineSeparator separator = lsCRLF,
                   bool raw = false) {
  TLineMatcher matcher;
  matcher.SetLineSeparator(separator);
  for (const MatchCase& c : cases) {
    const std::string pattern = raw ? std::string(c.pattern) : Sjis(c.pattern);
    const std::string subject = raw ? std::string(c.subject) : Sjis(c.subject);
    matcher.SetRegExp(pattern);
    int start = -1;
    int length = -1;
    const int result = matcher.Match(subject, start, length);
    EXPECT_EQ(result, c.start) << "/" << c.pattern << "/ on \"" << c.subject << "\"";
    EXPECT_EQ(start, c.start) << "/" << c.pattern << "/ on \"" << c.subject << "\"";
    EXPECT_EQ(length, c.length) << "/" << c.pattern << "/ on \"" << c.subject << "\"";
    EXPECT_EQ(matcher.IsMatch(subject), c.start >= 1)
        << "/" << c.pattern << "/ on \"" << c.subject << "\"";
  }
}

TEST(RegexMatch, LeftmostLongest) {
  ExpectMatches({
      {"", "", 1, 0},
      {"", "abc", 1, 0},
      {"a", "bab", 2, 1},
      {"abc", "xxabcx", 3, 3},
      {"a*", "", 1, 0},
      {"a*", "aab", 1, 2},
      {"a*", "baa", 1, 0},  // the first start position wins, even if empty
      {"a+", "baa", 2, 2},
      {"ab?c", "ac", 1, 2},
      {"ab?c", "abbc", 0, 0},
      {"ab|abcd", "xabcd", 2, 4},  // longest, not the first alternative
      {"(a|ab)(c|bcd)", "abcd", 1, 4},
      {"(ab)*c", "xababc", 2, 5},
      {"a|", "b", 1, 0},
      {"()", "x", 1, 0},
      {"{2}", "a{2}", 2, 3},
      {"a.c", "abc", 1, 3},
      {"a.c", "a\rc", 0, 0},
      {"a.c", "a\nc", 0, 0},
      {"a.c", "aあc", 1, 4},
      {".+", "ab\rcd", 1, 2},
  });
}

TEST(RegexMatch, Classes) {
  ExpectMatches({
      {"[abc]+", "xxbcad", 3, 3},
      {"[a-c]", "d", 0, 0},
      {"[a-]", "-", 1, 1},
      {"[-a]", "x-", 2, 1},
      {"[\\]a]", "]", 1, 1},
      {"[a\\-z]", "b-", 2, 1},
      {"[.*(|$]+", "x.*(|$", 2, 5},
      {"[a^]", "^", 1, 1},
      {"[^a]", "a\r\nb", 4, 1},
      {"[^a]", "\r\n", 0, 0},
      {"[^a]+", "bあc", 1, 4},
      {"[ぁ-ん]+", "カなかナ", 3, 4},
      {"[＞>]", "a＞", 2, 2},
  });
}

TEST(RegexMatch, Escapes) {
  ExpectMatches({
      {"\\x41", "A", 1, 1},
      {"\\101", "A", 1, 1},
      {"\\x41g", "Ag", 1, 2},
      {"\\x414", "A4", 0, 0},  // the single code 0x0414
      {"\\8", "8", 1, 1},
      {"\\q", "q", 1, 1},
      {"\\.", "a.", 2, 1},
      {"\\\\", "a\\", 2, 1},
      {"\\|", "|", 1, 1},
      {"\\t\\n", "\t\n", 1, 2},
      {"\\x8184", "＞", 1, 2},
      {"[\\x41-\\x43]+", "ABCD", 1, 3},
  });
}

TEST(RegexMatch, WholeCharacters) {
  // "ソ" is 83 5C and "\x5c" a lone backslash: a search never starts inside
  // a two-byte character.
  ExpectMatches({
      {"ソ", "aソ", 2, 2},
      {"\\x5c", "ソ", 0, 0},
      {"\\x5c", "ソ\\", 3, 1},
      {"\\x5c+", "ソ\\\\", 3, 2},
      {"[\\x40-\\x7e]", "ソ@", 3, 1},
  });
}

TEST(RegexMatch, Anchors) {
  ExpectMatches({
      {"^a", "abc", 1, 1},
      {"^a", "bac", 0, 0},
      {"^a", "x\na", 3, 1},  // right after an LF
      {"^", "abc", 1, 0},
      {"a^", "a^", 1, 2},
      {"a^", "a", 0, 0},
      {"a$b", "a$b", 1, 3},
      {"$a", "$a", 1, 2},
      {"a$", "ba", 2, 1},
      {"a$", "ab", 0, 0},
      {"a$", "xa\rb", 2, 1},  // before the separator (CR)
      {"a$", "a\nb", 0, 0},
      {"$", "abc", 4, 0},
      {"$", "ab\rc", 3, 0},
      {"$", "", 1, 0},
      {"^$", "", 1, 0},
      {"^$", "a", 0, 0},
      {"^$", "a\n", 3, 0},
      {"ab*$", "abbb", 1, 4},
      {"x|^a", "ab", 1, 1},
      {"x|^a", "bxa", 2, 1},
      {"x|^a", "ba", 0, 0},
      {"a$|b", "ab", 2, 1},
      {"(^a)", "ab", 1, 1},
      {"(a$)", "ba", 2, 1},
      {"(^a)?b", "ab", 1, 2},
      {"()^a", "^a", 1, 2},
      {"b*^a", "^a", 1, 2},
      {"(^a)*", "^a", 1, 2},
      {"a$*", "a$$", 1, 3},
      // A shared "+" operand is anchored only in its first copy.
      {"(^a)+", "a^a", 1, 3},
      {"(^a)+", "aa", 1, 1},
      {"(^a)+", "ba", 0, 0},
      // The head-anchored run and the run from the initial state: the later
      // end wins.
      {"^a|ab", "abc", 1, 2},
      // A pattern that can match the empty string matches the empty subject.
      {"^a|b*", "", 1, 0},
      {"^a|b*", "c", 1, 0},
  });
}

TEST(RegexMatch, LineSeparatorLf) {
  ExpectMatches(
      {
          {"a$", "a\nb", 1, 1},
          {"a$", "a\rb", 0, 0},
          {"$", "ab\nc", 3, 0},
          {"^b", "a\nb", 3, 1},  // "^" follows an LF whatever the separator
      },
      lsLF);
}

TEST(RegexMatch, RawBytes) {
  ExpectMatches(
      {
          // A lead byte at the end of the subject is a character of its own.
          {"\\x82", "a\x82", 2, 1},
          {".", "\x82", 1, 1},
          {"a.", "a\x82", 1, 2},
          {"\\x82", "\x82\x82", 0, 0},
          // A NUL byte is the character of code 0; "." does not cover it.
          {".", "\0"sv, 0, 0},
          {"a\\0b", "xa\0b"sv, 2, 3},
          {"a\0"sv, "a\0"sv, 1, 2},
          {"[^a]", "\0"sv, 0, 0},
          {".", "\0b"sv, 2, 1},
      },
      lsCRLF, true);
}

TEST(RegexMatch, LongLines) {
  // Lines on which a run restarted at every position crosses the rest of the
  // line each time; only the answers are checked here.
  const std::string as(200'000, 'a');
  const std::string lfs(100'000, '\n');
  std::string kana;
  for (int i = 0; i < 100'000; ++i) kana += Sjis("あ");
  const int n = static_cast<int>(as.size());
  const struct {
    const char* pattern;
    std::string subject;
    int start;
    int length;
  } cases[] = {
      {"a*b", as, 0, 0},
      {"(a|aa)*b", as, 0, 0},
      {".*>", as, 0, 0},
      {"a*b", as + "b", 1, n + 1},
      {"(a|aa)*b", "x" + as + "b", 2, n + 1},
      {".*>", as + ">" + as, 1, n + 1},
      {"a*b|a", as, 1, 1},
      {"a*$", as + "b", n + 2, 0},  // only the empty match at the end
      {"^a*$", as, 1, n},
      {"a*c$", as + "c\r" + as, 1, n + 1},
      {"^(a|\n)*b", lfs, 0, 0},
      {"^(a|\n)*b", lfs + "b", 1, n / 2 + 1},
      {"(あ|ああ)*い", Sjis("う") + kana, 0, 0},
      {"(あ|ああ)*い", Sjis("う") + kana + Sjis("い"), 3, n + 2},
  };
  TLineMatcher matcher;
  for (const auto& c : cases) {
    matcher.SetRegExp(Sjis(c.pattern));
    int start, length;
    EXPECT_EQ(matcher.Match(c.subject, start, length), c.start) << c.pattern;
    EXPECT_EQ(length, c.length) << c.pattern;
    EXPECT_EQ(matcher.IsMatch(c.subject), c.start >= 1) << c.pattern;
  }
}

TEST(RegexMatch, DefaultQuotePattern) {
  TLineMatcher matcher;
  matcher.SetRegExp(kDefaultQuotePattern);
  EXPECT_EQ(matcher.RegExp(), Sjis("^[   ]*[>|＞｜》〉≫].*$"));
  static const struct {
    const char* line;
    bool quoted;
  } cases[] = {
      {"> abc", true},   {"   ＞abc", true}, {"｜", true},     {"≫x", true},
      {"》", true},      {"〉引用", true},   {"|", true},      {">", true},
      {"　>abc", false}, {"a>b", false},    {"", false},      {"≪x", false},
      {"\t>", false},    {"本文です", false},
  };
  for (const auto& c : cases) {
    const std::string line = Sjis(c.line);
    int start, length;
    EXPECT_EQ(matcher.Match(line, start, length), c.quoted ? 1 : 0) << c.line;
    if (c.quoted) {
      EXPECT_EQ(length, static_cast<int>(line.size())) << c.line;
    }
    EXPECT_EQ(matcher.IsMatch(line), c.quoted) << c.line;
  }
}

}  // namespace
}  // namespace tobrel

// Dictionary expansion of patterns, and the built-in fuzzy dictionary.
#include <gtest/gtest.h>

#include <cstring>

#include "regex/compile.h"
#include "regex/fuzzy_chars.h"
#include "regex/preprocessor.h"
#include "tests/regex/test_text.h"

namespace tobrel {
namespace {

using test::Sjis;

TEST(RegexPreprocessor, Expansion) {
  static const RegexDictionary dictionary = {
      {"a", "x"}, {"bc", "d"}, {"b"}, {".", "*?"}, {"q", "\\"}};
  static const struct {
    const char* pattern;
    const char* expanded;
  } cases[] = {
      {"a", "(a|x)"},
      {"za*", "z(a|x)*"},
      {"bcb", "(bc|d)(b)"},        // the first word that fits wins
      {"b|c", "(b)|c"},            // a word does not reach across "|"
      {"[a]a", "[a](a|x)"},        // brackets are copied as written
      {"\\.\\x61", "(\\.|\\*\\?)(a|x)"},  // escapes are plain characters
      {"q", "(q|\\\\)"},
      {"(^a$)", "(^(a|x)$)"},
  };
  for (const auto& c : cases)
    EXPECT_EQ(TRegexPreprocessor::ExpandWith(c.pattern, dictionary), c.expanded) << c.pattern;
}

TEST(RegexPreprocessor, FuzzyDictionaryGroups) {
  const RegexDictionary& fuzzy = FuzzyCharDictionary();
  ASSERT_EQ(fuzzy.size(), 145u);
  EXPECT_EQ(fuzzy[0], (std::vector<std::string>{Sjis("Ａ"), Sjis("ａ"), "A", "a"}));
  EXPECT_EQ(fuzzy[27], (std::vector<std::string>{"1", Sjis("１"), Sjis("一"), Sjis("①"),
                                                 Sjis("Ⅰ"), Sjis("壱")}));
  EXPECT_EQ(fuzzy[72], (std::vector<std::string>{Sjis("あ"), Sjis("ア"), Sjis("ｱ"), Sjis("ぁ"),
                                                 Sjis("ァ"), Sjis("ｧ")}));
  EXPECT_EQ(fuzzy[144], (std::vector<std::string>{Sjis("ﾟ"), Sjis("゜")}));
  // Every word converted to CP932: an unconvertible character would read
  // "?", so the only "?" is the question mark of its own group. Every group
  // expands into a pattern that compiles.
  int words_with_question_mark = 0;
  for (const auto& group : fuzzy) {
    for (const std::string& word : group) {
      EXPECT_FALSE(word.empty());
      if (word.find('?') != std::string::npos) {
        ++words_with_question_mark;
        EXPECT_EQ(group, (std::vector<std::string>{"?", Sjis("？")})) << word;
      }
    }
    const std::string& word = group.front();
    const std::string pattern =
        word.size() == 1 && std::strchr("^(|)+*?.[]$\\", word[0]) ? "\\" + word : word;
    EXPECT_NO_THROW(Compile(TRegexPreprocessor::ExpandWith(pattern, fuzzy))) << pattern;
  }
  EXPECT_EQ(words_with_question_mark, 1);
}

}  // namespace
}  // namespace tobrel

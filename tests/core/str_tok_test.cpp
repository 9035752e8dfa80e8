#include "core/str_tok.h"

#include <gtest/gtest.h>

#include <string>
#include <vector>

namespace tobrel {
namespace {

std::vector<std::string> Tokens(std::string_view line, std::string_view delimiters = ",") {
  std::vector<std::string> tokens;
  TStrTokRec tok;
  for (std::string_view token = StrTokFirst(tok, line, delimiters); !token.empty();
       token = StrTokNext(tok))
    tokens.emplace_back(token);
  return tokens;
}

TEST(StrTok, SplitsAtDelimiterRuns) {
  const struct {
    std::string_view line;
    std::vector<std::string> tokens;
  } cases[] = {
      {"", {}},
      {",,,", {}},
      {"a,b,c", {"a", "b", "c"}},
      {",,a,,b,", {"a", "b"}},          // runs count as one, empty fields vanish
      {"ID,,title", {"ID", "title"}},   // an empty handle shifts the title up
      {"x,Re:a,b", {"x", "Re:a", "b"}},
      // 0x81 0x2C is not a character, but a lead byte always takes the next
      // byte along: the comma inside it does not end the token.
      {"a\x81,b,c", {"a\x81,b", "c"}},
      {"a,\x82", {"a", "\x82"}},        // a lead byte at the very end stands alone
  };
  for (const auto& c : cases) EXPECT_EQ(Tokens(c.line), c.tokens) << c.line;
  EXPECT_EQ(Tokens("a; b;;c", "; "), (std::vector<std::string>{"a", "b", "c"}));
}

TEST(StrTok, GivesEmptyTokensOnceTheLineIsUsedUp) {
  TStrTokRec tok;
  EXPECT_EQ(StrTokFirst(tok, "a,b", ","), "a");
  EXPECT_EQ(StrTokNext(tok), "b");
  EXPECT_EQ(tok.position, 4);
  EXPECT_EQ(StrTokNext(tok), "");
  EXPECT_EQ(StrTokNext(tok), "");
}

}  // namespace
}  // namespace tobrel

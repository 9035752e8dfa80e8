// A tokenizer over a set of delimiter bytes, as the read-data file is read:
// runs of delimiters count as one (so empty fields vanish), and a Shift-JIS
// lead byte always takes the byte after it along, so a delimiter value in
// the second byte of a two-byte character never ends a token.
//
//   TStrTokRec tok;
//   std::string_view first = StrTokFirst(tok, line, ",");
//   std::string_view next = StrTokNext(tok);  // empty once the line is used up
#pragma once

#include <cstdint>
#include <string_view>

namespace tobrel {

struct TStrTokRec {
  std::string_view line;
  std::string_view delimiters;
  std::int32_t position = 1;  // 1-based: the byte where the next token is looked for
};

// Starts on `line` (which must outlive the tokenizer) and gives its first token.
std::string_view StrTokFirst(TStrTokRec& tok, std::string_view line, std::string_view delimiters);
// Gives the next token, or an empty one when the line is used up.
std::string_view StrTokNext(TStrTokRec& tok);

}  // namespace tobrel

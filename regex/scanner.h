// TRegexScanner cuts a pattern into tokens. It reads one character at a time
// (a two-byte CP932 character whole, so a trail byte that equals "\" or "]"
// is never taken for a metacharacter) and has two modes: normal mode, and
// bracket mode between "[" (or "[^") and "]", where only characters, ranges
// and the closing bracket exist.
#pragma once

#include <cstddef>
#include <cstdint>
#include <string_view>

#include "regex/char_code.h"

namespace tobrel {

enum class RegexTokenKind : std::uint8_t {
  kChar,          // a character, also every escape
  kRange,         // c1-c2, only inside brackets
  kBar,           // |
  kOpenParen,     // (
  kCloseParen,    // )
  kStar,          // *
  kPlus,          // +
  kQuestion,      // ?
  kOpenClass,     // [
  kOpenNegClass,  // [^
  kCloseClass,    // ]
  kDot,           // .
  kCaret,         // ^
  kDollar,        // $
  kEnd,           // end of the pattern
};

struct RegexToken {
  RegexTokenKind kind = RegexTokenKind::kEnd;
  RegexLabel chars;          // the character (lo == hi) or the range
  std::size_t start = 0;     // byte positions of the token in the pattern
  std::size_t end = 0;
  bool in_brackets = false;  // read in bracket mode
};

class TRegexScanner {
 public:
  explicit TRegexScanner(std::string_view pattern) : pattern_(pattern) {}

  // Reads the next token. Throws ERegexSyntax for a malformed character,
  // escape or range, and for a pattern that ends inside brackets.
  RegexToken Next();

  // Throws ERegexSyntax with `message` at the position scanning stands.
  [[noreturn]] void Fail(std::string_view message) const;

 private:
  RegexToken NextInBrackets();
  // One character, escapes resolved; pos_ must be before the pattern's end.
  CharCode ReadCharacter();
  // One character as written, a backslash included.
  CharCode ReadRawCharacter();
  CharCode ReadEscape();
  CharCode ReadNumber(int base, int max_digits, std::string_view message);

  std::string_view pattern_;
  std::size_t pos_ = 0;
  bool in_brackets_ = false;
};

}  // namespace tobrel

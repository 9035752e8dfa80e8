#include "regex/scanner.h"

#include "regex/regex_error.h"

namespace tobrel {

namespace {

int DigitValue(char c, int base) {
  int value = -1;
  if (c >= '0' && c <= '9') value = c - '0';
  else if (c >= 'a' && c <= 'f') value = c - 'a' + 10;
  else if (c >= 'A' && c <= 'F') value = c - 'A' + 10;
  return value < base ? value : -1;
}

}  // namespace

void TRegexScanner::Fail(std::string_view message) const {
  throw ERegexSyntax(message, static_cast<int>(pos_) + 1);
}

RegexToken TRegexScanner::Next() {
  if (in_brackets_) return NextInBrackets();
  RegexToken token;
  token.start = pos_;
  if (pos_ >= pattern_.size()) {
    token.end = pos_;
    return token;  // kEnd
  }
  using K = RegexTokenKind;
  const char c = pattern_[pos_];
  K kind = K::kChar;
  switch (c) {
    case '|': kind = K::kBar; break;
    case '(': kind = K::kOpenParen; break;
    case ')': kind = K::kCloseParen; break;
    case '*': kind = K::kStar; break;
    case '+': kind = K::kPlus; break;
    case '?': kind = K::kQuestion; break;
    case ']': kind = K::kCloseClass; break;
    case '.': kind = K::kDot; break;
    case '^': kind = K::kCaret; break;
    case '$': kind = K::kDollar; break;
    case '[': kind = K::kOpenClass; break;
    default: break;
  }
  if (kind == K::kChar) {
    const CharCode code = ReadCharacter();
    token.chars = {code, code};
  } else {
    ++pos_;
    if (kind == K::kOpenClass) {
      if (pos_ < pattern_.size() && pattern_[pos_] == '^') {
        kind = K::kOpenNegClass;
        ++pos_;
      }
      in_brackets_ = true;
    }
  }
  token.kind = kind;
  token.end = pos_;
  return token;
}

RegexToken TRegexScanner::NextInBrackets() {
  if (pos_ >= pattern_.size()) Fail(regex_message::kRightBracketExpected);
  RegexToken token;
  token.start = pos_;
  token.in_brackets = true;
  if (pattern_[pos_] == ']') {
    ++pos_;
    in_brackets_ = false;
    token.kind = RegexTokenKind::kCloseClass;
    token.end = pos_;
    return token;
  }
  const CharCode first = ReadCharacter();
  token.kind = RegexTokenKind::kChar;
  token.chars = {first, first};
  // A "-" makes a range unless the class closes right after it.
  if (pos_ < pattern_.size() && pattern_[pos_] == '-') {
    const std::size_t dash = pos_++;
    if (pos_ >= pattern_.size()) Fail(regex_message::kRightBracketExpected);
    if (pattern_[pos_] == ']') {
      pos_ = dash;
    } else {
      const CharCode last = ReadCharacter();
      if (last < first) Fail(regex_message::kBadRange);
      token.kind = RegexTokenKind::kRange;
      token.chars.hi = last;
    }
  }
  token.end = pos_;
  return token;
}

CharCode TRegexScanner::ReadCharacter() {
  if (pattern_[pos_] == '\\') {
    ++pos_;
    return ReadEscape();
  }
  return ReadRawCharacter();
}

CharCode TRegexScanner::ReadRawCharacter() {
  const auto byte = static_cast<unsigned char>(pattern_[pos_++]);
  if (!cp932::IsLeadByte(byte)) return byte;
  if (pos_ >= pattern_.size()) Fail(regex_message::kBadDoubleByte);
  const auto trail = static_cast<unsigned char>(pattern_[pos_++]);
  return static_cast<CharCode>(byte << 8 | trail);
}

CharCode TRegexScanner::ReadEscape() {
  if (pos_ >= pattern_.size()) Fail(regex_message::kCharAfterBackslash);
  const char c = pattern_[pos_];
  switch (c) {
    case 'b': ++pos_; return 8;
    case 'n': ++pos_; return 10;
    case 'r': ++pos_; return 13;
    case 't': ++pos_; return 9;
    case 'x': ++pos_; return ReadNumber(16, 4, regex_message::kBadHex);
    default: break;
  }
  if (c >= '0' && c <= '7') return ReadNumber(8, 6, regex_message::kBadOctal);
  return ReadRawCharacter();  // the character itself, also a two-byte one
}

// Reads up to `max_digits` digits. No digit at all, a value above 0xFFFF or a
// code that the engine reserves for its anchors fails with `message`.
CharCode TRegexScanner::ReadNumber(int base, int max_digits,
                                   std::string_view message) {
  unsigned value = 0;
  int digits = 0;
  while (digits < max_digits && pos_ < pattern_.size()) {
    const int digit = DigitValue(pattern_[pos_], base);
    if (digit < 0) break;
    value = value * base + digit;
    ++pos_;
    ++digits;
  }
  if (digits == 0 || value >= kFirstReservedCode) Fail(message);
  return static_cast<CharCode>(value);
}

}  // namespace tobrel

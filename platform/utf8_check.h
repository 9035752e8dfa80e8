// Whether bytes are well-formed UTF-8: for text that enters the program as
// UTF-8 (command-line arguments) before it is converted to CP932, and for
// log files that another tool saved as UTF-8.
#pragma once

#include <cstddef>
#include <string_view>

namespace tobrel {

// Checks bytes fed in pieces of any size for well-formed UTF-8. Checking
// stops at the first ill-formed sequence, so feeding a Shift-JIS file costs
// almost nothing after its first full-width character.
class Utf8Check {
 public:
  void Feed(const char* data, std::size_t size);
  // False once an ill-formed sequence was seen; more bytes cannot help.
  bool MayBeUtf8() const { return valid_; }
  // True when everything fed is well-formed UTF-8, ends on a whole
  // character, and has a byte above 0x7F.
  bool IsUtf8Text() const { return IsWellFormed() && non_ascii_; }
  // True when everything fed is well-formed UTF-8 and ends on a whole
  // character.
  bool IsWellFormed() const { return valid_ && needed_ == 0; }

 private:
  bool valid_ = true;
  bool non_ascii_ = false;
  unsigned needed_ = 0;  // continuation bytes still to come
  unsigned char low_ = 0x80, high_ = 0xBF;  // the range of the next one
};

// True when `text` is well-formed UTF-8: no stray continuation bytes, no
// cut sequences, no overlong forms, no surrogates, nothing above U+10FFFF.
bool IsValidUtf8(std::string_view text);

}  // namespace tobrel

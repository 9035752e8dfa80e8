// Fuzz target for the pattern matcher: the input's first byte chooses the
// options, the next two give the pattern's length, then come the pattern and
// the subject. Every pattern must compile or raise ERegexSyntax; a compiled
// one is searched, and the yes/no test must agree with Match(). The linear
// search must give the same answers as the matcher, which on short subjects
// restarts a run at every position and on long ones uses the linear search
// itself.
#include <cstddef>
#include <cstdint>
#include <cstdlib>
#include <string_view>

#include "regex/line_matcher.h"
#include "regex/linear_search.h"
#include "regex/regex_error.h"

using tobrel::ERegexSyntax;
using tobrel::TLineMatcher;

// The matcher with its compiled pattern in view.
class FuzzedMatcher : public TLineMatcher {
 public:
  using TLineMatcher::Dfa;
};

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
  if (size < 3) return 0;
  const std::uint8_t options = data[0];
  std::size_t pattern_length = data[1] | data[2] << 8;
  const std::string_view rest(reinterpret_cast<const char*>(data + 3), size - 3);
  if (pattern_length > rest.size()) pattern_length = rest.size();
  const std::string_view pattern = rest.substr(0, pattern_length);
  const std::string_view subject = rest.substr(pattern_length);

  static FuzzedMatcher matcher;  // one instance, so the cache is exercised too
  matcher.SetLineSeparator(options & 1 ? tobrel::lsLF : tobrel::lsCRLF);
  try {
    if (matcher.UseFuzzyChars() != static_cast<bool>(options & 2))
      matcher.SetUseFuzzyChars(options & 2);
    matcher.SetRegExp(pattern);
  } catch (const ERegexSyntax&) {
    if (!matcher.RegExp().empty()) std::abort();  // the empty pattern must be in force
  }

  int start = -1;
  int length = -1;
  const int result = matcher.Match(subject, start, length);
  const int size_of_subject = static_cast<int>(subject.size());
  if (result != start || start < 0 || length < 0) std::abort();
  if (start == 0 && length != 0) std::abort();
  if (start > 0 && start - 1 + length > size_of_subject) std::abort();
  if (matcher.IsMatch(subject) != (start > 0)) std::abort();

  const unsigned char separator = options & 1 ? '\n' : '\r';
  const auto linear = tobrel::LinearSearch(matcher.Dfa(), subject, separator);
  if (linear.has_value() != (start > 0)) std::abort();
  if (linear && (static_cast<int>(linear->start) + 1 != start ||
                 static_cast<int>(linear->end - linear->start) != length))
    std::abort();
  if (tobrel::LinearHasMatch(matcher.Dfa(), subject, separator) != (start > 0)) std::abort();
  return 0;
}

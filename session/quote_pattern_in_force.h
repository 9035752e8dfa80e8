// The quote-line pattern a run works with, taken from a stored setting: an
// empty setting means the default pattern, and a stored pattern that no
// longer compiles gives way to the default instead of stopping the program.
#pragma once

#include <string>

#include "regex/line_matcher.h"

namespace tobrel {

// Puts `stored` (empty: the default pattern) in force in `matcher`. When it
// does not compile, the default pattern is put in force instead and false
// is given, so the caller can forget the stored one.
bool PutStoredQuotePatternInForce(TLineMatcher& matcher, const std::string& stored);

}  // namespace tobrel

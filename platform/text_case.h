// Comparing names and texts with ASCII letters folded, the way Windows
// compares file names and the program compares texts "ignoring letter case":
// only A-Z and a-z fold, every other byte compares as it is.
#pragma once

#include <string>
#include <string_view>

namespace tobrel {

// Upper-cases the ASCII letters of a native (UTF-8) name; bytes of other
// characters are never letters in UTF-8, so they stay as they are.
std::string UpperAscii(std::string_view text);

// Upper-cases the ASCII letters of CP932 text; the second byte of a
// double-byte character is never folded.
std::string UpperCp932(std::string_view text);

// Native names compared with ASCII letters folded: <0, 0 or >0.
int CompareIgnoringCase(std::string_view a, std::string_view b);
bool EqualsIgnoringCase(std::string_view a, std::string_view b);
bool StartsWithIgnoringCase(std::string_view text, std::string_view prefix);

// The order of a listing sorted by name ignoring case, with names that fold
// alike (two files "a.log" and "A.LOG", possible on Linux) kept apart by
// their bytes, so that the order is total.
bool NameLess(std::string_view a, std::string_view b);

}  // namespace tobrel

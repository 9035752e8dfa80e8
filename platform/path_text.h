// File names where they meet text: the CP932 text of a native path (reports,
// status texts, the settings and read-data files), the native path of such a
// text read back, and the UTF-8 text of a native path for messages.
//
// Native names on Linux are UTF-8 as a rule, but logs unpacked from old
// Japanese archives keep names whose bytes are CP932. A native name that is
// not valid UTF-8 is taken as CP932 already, so such a name keeps its bytes
// on the way into CP932 text and is shown as its Japanese characters in
// UTF-8 messages. None of these functions fails.
#pragma once

#include <string>
#include <string_view>

namespace tobrel {

// The CP932 text of `native`: a valid UTF-8 name converted (a character
// without a CP932 code becomes "?"), any other name's bytes as they are.
std::string PathToCp932(std::string_view native);

// The native path of the CP932 text `cp932`, by this rule:
//   1. text of ASCII bytes only is the path as it is;
//   2. else its UTF-8 conversion, when a file (or folder, or link) of that
//      name exists;
//   3. else the bytes as they are, when a file of that name exists;
//   4. else (nothing exists under either name) the UTF-8 conversion when it
//      converts back to the same bytes, and otherwise the bytes as they are.
// So PathFromCp932(PathToCp932(p)) is p for an existing p (unless a file
// also exists under the other name of the two) and for a missing p whose
// name is UTF-8 text that CP932 can hold.
std::string PathFromCp932(std::string_view cp932);

// The UTF-8 text of `native` for messages: a valid UTF-8 name as it is, any
// other converted from CP932 (bytes that form no CP932 character become
// U+FFFD).
std::string PathToUtf8(std::string_view native);

}  // namespace tobrel

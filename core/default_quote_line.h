// The quoted-line test of the default quote pattern, "^[   ]*[>|＞｜》〉≫].*$"
// (three ASCII spaces in the first bracket), written out by hand: the reading
// run asks it of nearly every body line, and it answers exactly as the
// pattern matcher with that pattern and its default settings does.
#pragma once

#include <string_view>

namespace tobrel {

// True when the default quote pattern matches `line`: after any number of
// ASCII spaces at the head of the line (or right after an LF in it), one of
// ">", "|", "＞", "｜", "》", "〉", "≫", then characters that "." matches up
// to the end of the line or a CR.
bool IsDefaultQuoteLine(std::string_view line);

// The same answer for a line that holds no LF, as every line of a log that
// the reading run hands out: only the head of the line can start a match,
// so the line is not searched for LF bytes.
bool IsDefaultQuoteLogLine(std::string_view line);

}  // namespace tobrel

// The first lines of a text file for the preview pane of the file dialogs,
// made safe to show: line ends (CR LF, CR or LF) become "\n", control bytes
// other than tab become blanks, and nothing is split inside a double-byte
// character. The bytes stay CP932.
#pragma once

#include <string>
#include <string_view>

namespace tobrel {

// The first `max_lines` lines of `bytes`. Line ends after the last text
// add nothing; a lead byte at the very end (a character cut off where the
// reading stopped) is dropped; a lead byte before a byte that cannot follow
// it (below 0x40: a line end, a control byte) stands alone.
std::string PreviewLines(std::string_view bytes, int max_lines);

}  // namespace tobrel

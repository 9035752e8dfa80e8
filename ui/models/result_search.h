// What the result output does with the report text, as plain functions:
// finding a text after the selection, and the text of the file handed to
// the external editor (header, lines, footer).
#pragma once

#include <cstdint>
#include <string>
#include <string_view>
#include <vector>

namespace tobrel {

// The byte offset of the first match of `needle` in `text` (CP932) at or
// after `from`, starting on a character boundary, or -1. Without
// `match_case` ASCII letters of both compare folded. An empty needle finds
// nothing.
std::int64_t FindInResult(std::string_view text, std::string_view needle, std::int64_t from,
                          bool match_case);

// The external editor's file: the header (its two characters "\n" each a
// line break) when not empty, every line, then the footer likewise; CP932
// with CR LF, or with `utf8` UTF-8 with LF.
std::string EditorFileText(std::string_view header, const std::vector<std::string>& lines,
                           std::string_view footer, bool utf8);

}  // namespace tobrel

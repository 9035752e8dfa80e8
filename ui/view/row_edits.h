// Edits on a run of rows copied out of a text (a window of the text): every
// change of the view is done on such a copy and then stored as one
// replacement of rows, which is also what the undo store keeps. Positions are
// relative to the first row of the window.
#pragma once

#include <string>
#include <string_view>
#include <utility>
#include <vector>

#include "ui/view/text_pos.h"

namespace tobrel::row_edits {

using Rows = std::vector<std::string>;

// Splits text at CR LF, CR or LF. A line end at the very end adds no empty
// last line; the empty text gives no lines.
std::vector<std::string_view> SplitLines(std::string_view text);

// Inserts `text` (which may hold line ends) at `at`; a column beyond the end
// of its row is reached by padding with blanks. Returns the end of the
// inserted text.
TextPos InsertStream(Rows& rows, TextPos at, std::string_view text);

// Removes the text from `begin` to `end` (begin <= end), joining rows.
// Columns beyond the end of a row count as its end.
void DeleteStream(Rows& rows, TextPos begin, TextPos end);

// The byte range of `line` that the cells [left_cell, right_cell) select: a
// double-byte character half inside counts whole; clipped to the line.
std::pair<int, int> BoxColumns(std::string_view line, int left_cell, int right_cell,
                               int tab_width);

// Removes the cells [left_cell, right_cell) from rows top..bottom.
void DeleteBox(Rows& rows, int top, int bottom, int left_cell, int right_cell, int tab_width);

// Inserts `lines` one per row from row `at.row`, each at the cell where
// `at.column` stands in that first row, padding short rows with blanks and
// adding rows at the end when needed. Returns where the caret goes: after
// the text inserted into the first row.
TextPos InsertBox(Rows& rows, TextPos at, const std::vector<std::string_view>& lines,
                  int tab_width);

}  // namespace tobrel::row_edits

// How one line of CP932 bytes lies on the view's grid of cells: a
// single-byte character takes one cell, a double-byte character two, and a
// TAB reaches the next multiple of the tab width. Byte columns beyond the end
// of the line (where the free caret may stand) map one to one onto cells
// beyond the line's last cell.
#pragma once

#include <string_view>
#include <utility>

namespace tobrel::line_layout {

// Number of cells the line covers.
int LineCells(std::string_view line, int tab_width);

// First cell of the character at byte `column` (column may lie beyond the end).
int CellOfColumn(std::string_view line, int column, int tab_width);

// Byte column of the character that covers `cell`; cells beyond the line give
// columns beyond its end.
int ColumnAtCell(std::string_view line, int cell, int tab_width);

// `column` moved back to the start of the character it falls into.
int SnapColumn(std::string_view line, int column);

// The byte column of the next and of the previous character; beyond the end
// of the line the steps are one byte.
int NextColumn(std::string_view line, int column);
int PreviousColumn(std::string_view line, int column);

// The byte range [first, second) of the word (run of characters of one kind:
// blanks, ASCII letters and digits, other ASCII, half-width kana, hiragana,
// katakana, kanji, other double-byte characters) that holds `column`.
std::pair<int, int> WordAt(std::string_view line, int column);

// The byte column where the next word starts after `column` (for Ctrl+Right)
// and where the word before `column` starts (for Ctrl+Left).
int NextWordStart(std::string_view line, int column);
int PreviousWordStart(std::string_view line, int column);

}  // namespace tobrel::line_layout

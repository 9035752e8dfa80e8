#include "ui/view/row_edits.h"

#include <algorithm>

#include "ui/view/line_layout.h"

namespace tobrel::row_edits {
namespace {

int Size(std::string_view line) { return static_cast<int>(line.size()); }

void PadTo(std::string& line, int column) {
  if (Size(line) < column) line.append(column - Size(line), ' ');
}

}  // namespace

std::vector<std::string_view> SplitLines(std::string_view text) {
  std::vector<std::string_view> lines;
  std::size_t start = 0;
  while (start < text.size()) {
    const std::size_t end = text.find_first_of("\r\n", start);
    if (end == std::string_view::npos) {
      lines.push_back(text.substr(start));
      break;
    }
    lines.push_back(text.substr(start, end - start));
    start = end + (text[end] == '\r' && end + 1 < text.size() && text[end + 1] == '\n' ? 2 : 1);
  }
  return lines;
}

TextPos InsertStream(Rows& rows, TextPos at, std::string_view text) {
  if (text.empty()) return at;
  std::string& line = rows[at.row];
  PadTo(line, at.column);
  std::vector<std::string_view> pieces = SplitLines(text);
  const bool ends_with_break = !text.empty() && (text.back() == '\n' || text.back() == '\r');
  if (ends_with_break) pieces.emplace_back();
  if (pieces.empty()) return at;
  if (pieces.size() == 1) {
    line.insert(static_cast<std::size_t>(at.column), pieces[0]);
    return {at.row, at.column + Size(pieces[0])};
  }
  const std::string tail = line.substr(static_cast<std::size_t>(at.column));
  line.resize(static_cast<std::size_t>(at.column));
  line += pieces[0];
  Rows inserted;
  for (std::size_t i = 1; i < pieces.size(); ++i) inserted.emplace_back(pieces[i]);
  const TextPos end{at.row + static_cast<int>(inserted.size()), Size(inserted.back())};
  inserted.back() += tail;
  rows.insert(rows.begin() + at.row + 1, inserted.begin(), inserted.end());
  return end;
}

void DeleteStream(Rows& rows, TextPos begin, TextPos end) {
  std::string& first = rows[begin.row];
  const int from = std::min(begin.column, Size(first));
  const std::string& last = rows[end.row];
  const std::string tail = last.substr(static_cast<std::size_t>(std::min(end.column, Size(last))));
  if (begin.row == end.row && from >= Size(first)) return;
  first.resize(static_cast<std::size_t>(from));
  first += tail;
  rows.erase(rows.begin() + begin.row + 1, rows.begin() + end.row + 1);
}

std::pair<int, int> BoxColumns(std::string_view line, int left_cell, int right_cell,
                               int tab_width) {
  int left = line_layout::ColumnAtCell(line, left_cell, tab_width);
  int right = line_layout::ColumnAtCell(line, right_cell, tab_width);
  if (right < Size(line) && line_layout::CellOfColumn(line, right, tab_width) < right_cell)
    right = line_layout::NextColumn(line, right);
  left = std::min(left, Size(line));
  right = std::min(right, Size(line));
  return {left, std::max(left, right)};
}

void DeleteBox(Rows& rows, int top, int bottom, int left_cell, int right_cell, int tab_width) {
  for (int row = top; row <= bottom; ++row) {
    const auto [left, right] = BoxColumns(rows[row], left_cell, right_cell, tab_width);
    rows[row].erase(static_cast<std::size_t>(left), static_cast<std::size_t>(right - left));
  }
}

TextPos InsertBox(Rows& rows, TextPos at, const std::vector<std::string_view>& lines,
                  int tab_width) {
  const int cell = line_layout::CellOfColumn(rows[at.row], at.column, tab_width);
  TextPos caret = at;
  for (std::size_t i = 0; i < lines.size(); ++i) {
    const std::size_t row = static_cast<std::size_t>(at.row) + i;
    if (row >= rows.size()) rows.emplace_back();
    std::string& line = rows[row];
    const int column = line_layout::ColumnAtCell(line, cell, tab_width);
    PadTo(line, column);
    line.insert(static_cast<std::size_t>(column), lines[i]);
    if (i == 0) caret.column = column + Size(lines[i]);
  }
  return caret;
}

}  // namespace tobrel::row_edits

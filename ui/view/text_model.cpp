// Every edit follows one pattern: the rows it touches are copied out, changed
// in memory (row_edits), and stored back as one replacement, which is also
// the undo step. Undo stores the old rows back and restores the caret and
// selection of before the edit; redo does the opposite.
#include "ui/view/text_model.h"

#include <algorithm>

#include "ui/view/line_layout.h"
#include "ui/view/row_edits.h"

namespace tobrel {
namespace {

// The free caret may wander this far right of any line, no further.
constexpr int kMaxColumn = 1 << 16;

int Size(std::string_view line) { return static_cast<int>(line.size()); }

}  // namespace

TextModel::TextModel() : history_(kDefaultUndoLimit) {}

std::string_view TextModel::Line(int row) const {
  return row >= 0 && row < store_.Count() ? store_.Line(row) : std::string_view();
}

void TextModel::Clear() {
  store_.Clear();
  history_.Clear();
  anchor_ = caret_ = TextPos{};
  max_cells_ = 0;
  max_cells_lines_ = 0;
  max_cells_known_ = true;
}

void TextModel::AppendLine(std::string_view line) {
  store_.Append(line);
  NoteLineAdded(line);
}

void TextModel::SetText(std::string_view text) {
  Clear();
  for (std::string_view line : row_edits::SplitLines(text)) AppendLine(line);
}

std::string TextModel::FileText() const {
  std::string text;
  text.reserve(static_cast<std::size_t>(store_.TextLength()) + 2);
  for (int row = 0; row < store_.Count(); ++row) {
    text += store_.Line(row);
    text += "\r\n";
  }
  return text;
}

void TextModel::SetTabWidth(int cells) {
  tab_width_ = std::max(1, cells);
  max_cells_known_ = false;
  Restore(State());
}

// ---- Caret and selection.

TextPos TextModel::Clamp(TextPos at) const {
  at.row = std::clamp(at.row, 0, RowCount() - 1);
  const std::string_view line = Line(at.row);
  at.column = std::clamp(at.column, 0, kFreeCaret ? kMaxColumn : Size(line));
  if (at.column < Size(line)) at.column = line_layout::SnapColumn(line, at.column);
  return at;
}

void TextModel::Restore(CaretState state) {
  anchor_ = Clamp(state.anchor);
  caret_ = Clamp(state.caret);
}

void TextModel::MoveCaret(TextPos to, bool extend) {
  caret_ = Clamp(to);
  if (!extend) anchor_ = caret_;
}

void TextModel::Select(TextPos anchor, TextPos caret) { Restore({anchor, caret}); }

void TextModel::SelectAll() {
  const int last = RowCount() - 1;
  const int end = mode_ == SelectionShape::kBox ? std::max(MaxLineCells(), Size(Line(last)))
                                               : Size(Line(last));
  Select({0, 0}, {last, end});
}

void TextModel::SelectRows(int first_row, int last_row) {
  if (first_row > last_row) std::swap(first_row, last_row);
  const TextPos end = last_row + 1 < RowCount() ? TextPos{last_row + 1, 0}
                                                : TextPos{last_row, Size(Line(last_row))};
  Select({first_row, 0}, end);
}

TextPos TextModel::SelectionBegin() const {
  TextPos begin = std::min(anchor_, caret_);
  begin.column = std::min(begin.column, Size(Line(begin.row)));
  return begin;
}

TextPos TextModel::SelectionEnd() const {
  TextPos end = std::max(anchor_, caret_);
  end.column = std::min(end.column, Size(Line(end.row)));
  return end;
}

TextModel::Box TextModel::SelectedBox() const {
  const int anchor_cell = CellOf(anchor_);
  const int caret_cell = CellOf(caret_);
  return {std::min(anchor_.row, caret_.row), std::max(anchor_.row, caret_.row),
          std::min(anchor_cell, caret_cell), std::max(anchor_cell, caret_cell)};
}

bool TextModel::HasSelection() const {
  if (mode_ == SelectionShape::kBox) {
    const Box box = SelectedBox();
    return box.left_cell < box.right_cell;
  }
  return SelectionBegin() < SelectionEnd();
}

std::int64_t TextModel::SelectionStart() const {
  if (mode_ == SelectionShape::kBox && HasSelection()) {
    const Box box = SelectedBox();
    const int column =
        row_edits::BoxColumns(Line(box.top), box.left_cell, box.right_cell, tab_width_).first;
    return PositionOf({box.top, column});
  }
  return PositionOf(HasSelection() ? SelectionBegin() : caret_);
}

void TextModel::SetSelectionStart(std::int64_t position) {
  caret_ = anchor_ = PosAt(position);
}

std::int64_t TextModel::SelectionLength() const {
  if (!HasSelection()) return 0;
  if (mode_ == SelectionShape::kBox) return static_cast<std::int64_t>(SelectedText().size());
  return PositionOf(SelectionEnd()) - PositionOf(SelectionBegin());
}

void TextModel::SetSelectionLength(std::int64_t length) {
  const std::int64_t start = SelectionStart();
  Select(PosAt(start), PosAt(start + std::max<std::int64_t>(0, length)));
}

std::string TextModel::SelectedText() const {
  if (!HasSelection()) return {};
  std::string text;
  if (mode_ == SelectionShape::kBox) {
    const Box box = SelectedBox();
    for (int row = box.top; row <= box.bottom; ++row) {
      if (row > box.top) text += "\r\n";
      const std::string_view line = Line(row);
      const auto [left, right] =
          row_edits::BoxColumns(line, box.left_cell, box.right_cell, tab_width_);
      text += line.substr(left, right - left);
    }
    return text;
  }
  const TextPos begin = SelectionBegin();
  const TextPos end = SelectionEnd();
  for (int row = begin.row; row <= end.row; ++row) {
    const std::string_view line = Line(row);
    const int from = row == begin.row ? begin.column : 0;
    const int to = row == end.row ? end.column : Size(line);
    text += line.substr(from, to - from);
    if (row < end.row) text += "\r\n";
  }
  return text;
}

std::optional<std::pair<int, int>> TextModel::SelectedCells(int row) const {
  if (!HasSelection()) return std::nullopt;
  if (mode_ == SelectionShape::kBox) {
    const Box box = SelectedBox();
    if (row < box.top || row > box.bottom) return std::nullopt;
    return std::pair{box.left_cell, box.right_cell};
  }
  const TextPos begin = SelectionBegin();
  const TextPos end = SelectionEnd();
  if (row < begin.row || row > end.row) return std::nullopt;
  const int from = row == begin.row ? CellOf(begin) : 0;
  const int to = row == end.row ? CellOf(end)
                                : line_layout::LineCells(Line(row), tab_width_) + 1;
  if (from >= to) return std::nullopt;
  return std::pair{from, to};
}

bool TextModel::IsSelected(TextPos at) const {
  if (!HasSelection()) return false;
  if (mode_ == SelectionShape::kBox) {
    const Box box = SelectedBox();
    const int cell = CellOf(at);
    return at.row >= box.top && at.row <= box.bottom && cell >= box.left_cell &&
           cell < box.right_cell;
  }
  return at.column < Size(Line(at.row)) && SelectionBegin() <= at && at < SelectionEnd();
}

// ---- Positions.

std::int64_t TextModel::PositionOf(TextPos at) const {
  if (store_.Count() == 0) return 0;
  at.row = std::clamp(at.row, 0, store_.Count() - 1);
  return store_.RowStart(at.row) + std::clamp(at.column, 0, Size(Line(at.row)));
}

TextPos TextModel::PosAt(std::int64_t position) const {
  if (store_.Count() == 0 || position <= 0) return {};
  const int row = store_.RowAt(position);
  const std::int64_t column = std::min<std::int64_t>(position - store_.RowStart(row),
                                                     Size(Line(row)));
  return Clamp({row, static_cast<int>(column)});
}

int TextModel::CellOf(TextPos at) const {
  return line_layout::CellOfColumn(Line(at.row), at.column, tab_width_);
}

TextPos TextModel::PosAtCell(int row, int cell) const {
  row = std::clamp(row, 0, RowCount() - 1);
  return Clamp({row, line_layout::ColumnAtCell(Line(row), std::max(0, cell), tab_width_)});
}

int TextModel::MaxLineCells() const {
  if (!max_cells_known_) {
    max_cells_ = 0;
    max_cells_lines_ = 0;
    max_cells_known_ = true;
    for (int row = 0; row < store_.Count(); ++row)
      NoteLineAdded(store_.Line(row));
  }
  return max_cells_;
}

int TextModel::CellsOfLine(std::string_view line) const {
  // Without TABs a line covers one cell per byte, which spares the scan.
  return line.find('\t') == std::string_view::npos ? Size(line)
                                                    : line_layout::LineCells(line, tab_width_);
}

void TextModel::NoteLineAdded(std::string_view line) const {
  if (!max_cells_known_) return;
  const int cells = CellsOfLine(line);
  if (cells > max_cells_) {
    max_cells_ = cells;
    max_cells_lines_ = 0;
  }
  if (cells == max_cells_) ++max_cells_lines_;
}

void TextModel::NoteLineRemoved(std::string_view line) const {
  if (max_cells_known_ && CellsOfLine(line) == max_cells_ && --max_cells_lines_ == 0)
    max_cells_known_ = false;
}

// ---- Edits.

TextModel::Rows TextModel::CopyRows(int first, int last) const {
  if (store_.Count() == 0) return Rows(1);
  Rows rows;
  for (int row = first; row <= last; ++row) rows.emplace_back(store_.Line(row));
  return rows;
}

void TextModel::ReplaceRows(int first, int count, const Rows& rows) {
  for (int row = first; row < first + count; ++row) NoteLineRemoved(store_.Line(row));
  store_.Replace(first, count, rows);
  for (const std::string& line : rows) NoteLineAdded(line);
}

bool TextModel::Apply(int first, Rows old_rows, Rows new_rows, CaretState before,
                      CaretState after, bool typing) {
  if (store_.Count() == 0) old_rows.clear();
  if (new_rows == old_rows) {
    Restore(after);
    return false;
  }
  ReplaceRows(first, static_cast<int>(old_rows.size()), new_rows);
  Restore(after);
  history_.Record({first, std::move(old_rows), std::move(new_rows), before, State(), typing});
  return true;
}

bool TextModel::ReplaceSelection(std::string_view text, bool as_box, bool typing) {
  const CaretState before = State();
  const bool selected = HasSelection();
  const Box box = SelectedBox();
  int top = caret_.row;
  int bottom = caret_.row;
  if (selected) {
    top = mode_ == SelectionShape::kBox ? box.top : SelectionBegin().row;
    bottom = mode_ == SelectionShape::kBox ? box.bottom : SelectionEnd().row;
  }
  const std::vector<std::string_view> lines = row_edits::SplitLines(text);
  const int extra = as_box ? static_cast<int>(lines.size()) : 0;
  const int last = std::min(RowCount() - 1, bottom + extra);
  Rows rows = CopyRows(top, last);
  const Rows old_rows = rows;

  TextPos at{caret_.row - top, caret_.column};
  if (selected && mode_ == SelectionShape::kBox) {
    row_edits::DeleteBox(rows, 0, bottom - top, box.left_cell, box.right_cell, tab_width_);
    at = {0, line_layout::ColumnAtCell(rows[0], box.left_cell, tab_width_)};
  } else if (selected) {
    const TextPos begin = SelectionBegin();
    const TextPos end = SelectionEnd();
    row_edits::DeleteStream(rows, {0, begin.column}, {end.row - top, end.column});
    at = {0, begin.column};
  }
  const TextPos caret = as_box ? row_edits::InsertBox(rows, at, lines, tab_width_)
                               : row_edits::InsertStream(rows, at, text);
  const TextPos after{caret.row + top, caret.column};
  return Apply(top, old_rows, std::move(rows), before, {after, after}, typing);
}

bool TextModel::InsertText(std::string_view text) { return ReplaceSelection(text, false, false); }

bool TextModel::TypeText(std::string_view text) { return ReplaceSelection(text, false, true); }

bool TextModel::InsertBox(std::string_view text) { return ReplaceSelection(text, true, false); }

bool TextModel::InsertLineBreak() {
  std::string text = "\r\n";
  if (auto_indent_) {
    const std::string_view line = Line(caret_.row);
    const std::size_t blanks =
        std::min<std::size_t>(line.find_first_not_of(" \t") == std::string_view::npos
                                  ? line.size()
                                  : line.find_first_not_of(" \t"),
                              static_cast<std::size_t>(caret_.column));
    text += line.substr(0, blanks);
  }
  return ReplaceSelection(text, false, false);
}

bool TextModel::DeleteSelection() {
  if (!HasSelection()) return false;
  return ReplaceSelection({}, false, false);
}

bool TextModel::DeleteRange(TextPos begin, TextPos end) {
  const CaretState before = State();
  Rows rows = CopyRows(begin.row, end.row);
  const Rows old_rows = rows;
  row_edits::DeleteStream(rows, {0, begin.column}, {end.row - begin.row, end.column});
  return Apply(begin.row, old_rows, std::move(rows), before, {begin, begin}, false);
}

bool TextModel::DeleteForward() {
  if (HasSelection()) return DeleteSelection();
  const std::string_view line = Line(caret_.row);
  if (caret_.column < Size(line))
    return DeleteRange(caret_, {caret_.row, line_layout::NextColumn(line, caret_.column)});
  if (caret_.row + 1 < RowCount()) return DeleteRange(caret_, {caret_.row + 1, 0});
  return false;
}

bool TextModel::DeleteBackward() {
  if (HasSelection()) return DeleteSelection();
  const std::string_view line = Line(caret_.row);
  if (caret_.column > Size(line)) {
    MoveCaret({caret_.row, caret_.column - 1});
    return false;
  }
  if (caret_.column > 0)
    return DeleteRange({caret_.row, line_layout::PreviousColumn(line, caret_.column)}, caret_);
  if (caret_.row > 0) return DeleteRange({caret_.row - 1, Size(Line(caret_.row - 1))}, caret_);
  return false;
}

bool TextModel::MoveSelectionTo(TextPos target, bool copy) {
  if (mode_ != SelectionShape::kNormal || !HasSelection()) return false;
  target = Clamp(target);
  const TextPos begin = SelectionBegin();
  const TextPos end = SelectionEnd();
  if (!copy && begin <= target && target <= end) return false;
  const CaretState before = State();
  const std::string text = SelectedText();
  const int top = std::min(begin.row, target.row);
  const int bottom = std::max(end.row, target.row);
  Rows rows = CopyRows(top, bottom);
  const Rows old_rows = rows;
  TextPos at{target.row - top, target.column};
  if (!copy) {
    if (target > end) {
      // Where the target stands once the moved text is gone.
      at = target.row == end.row ? TextPos{begin.row, begin.column + target.column - end.column}
                                 : TextPos{target.row - (end.row - begin.row), target.column};
      at.row -= top;
    }
    row_edits::DeleteStream(rows, {begin.row - top, begin.column}, {end.row - top, end.column});
  }
  const TextPos moved_end = row_edits::InsertStream(rows, at, text);
  return Apply(top, old_rows, std::move(rows), before,
               {{at.row + top, at.column}, {moved_end.row + top, moved_end.column}}, false);
}

bool TextModel::Undo() {
  if (!history_.CanUndo()) return false;
  const EditStep& step = history_.TakeUndo();
  ReplaceRows(step.first_row, static_cast<int>(step.new_rows.size()), step.old_rows);
  Restore(step.before);
  return true;
}

bool TextModel::Redo() {
  if (!history_.CanRedo()) return false;
  const EditStep& step = history_.TakeRedo();
  ReplaceRows(step.first_row, static_cast<int>(step.old_rows.size()), step.new_rows);
  Restore(step.after);
  return true;
}

}  // namespace tobrel

// TextModel: everything a text view shows and edits, without any widget:
// the lines (CP932 bytes), the caret and the selection (normal or box), the
// edits with their undo store, and the conversion between rows and columns
// and byte positions of the whole text (lines joined by CR LF).
//
// Rows and byte columns count from 0. The caret never stands inside a
// double-byte character; with the free caret it may stand beyond the end of
// a line. An empty text still has one (empty) row for the caret.
#pragma once

#include <cstdint>
#include <optional>
#include <string>
#include <string_view>
#include <utility>
#include <vector>

#include "ui/view/edit_history.h"
#include "ui/view/line_store.h"
#include "ui/view/text_pos.h"

namespace tobrel {

class TextModel {
 public:
  static constexpr int kDefaultUndoLimit = 64;
  static constexpr int kDefaultTabWidth = 8;

  TextModel();
  TextModel(const TextModel&) = delete;
  TextModel& operator=(const TextModel&) = delete;

  // ---- Content. These are the program's own changes: no undo steps, and the
  // undo store is emptied because its rows no longer match.
  int LineCount() const { return store_.Count(); }
  int RowCount() const { return store_.Count() > 0 ? store_.Count() : 1; }
  std::string_view Line(int row) const;
  void Clear();
  void AppendLine(std::string_view line);
  std::string Text() const { return store_.JoinedText(); }
  void SetText(std::string_view text);
  // Every line followed by CR LF, as a text file holds it.
  std::string FileText() const;

  // ---- Settings.
  int TabWidth() const { return tab_width_; }
  void SetTabWidth(int cells);
  bool FreeCaret() const { return kFreeCaret; }
  bool AutoIndent() const { return auto_indent_; }
  void SetAutoIndent(bool on) { auto_indent_ = on; }
  int UndoLimit() const { return history_.MaxSteps(); }

  // ---- Caret and selection.
  TextPos Caret() const { return caret_; }
  SelectionShape Mode() const { return mode_; }
  void SetMode(SelectionShape mode) { mode_ = mode; }
  bool HasSelection() const;
  // Moves the caret to `to` (clamped to the text, snapped to a character
  // start); with `extend` the anchor stays, otherwise the selection goes.
  void MoveCaret(TextPos to, bool extend = false);
  void Select(TextPos anchor, TextPos caret);
  void SelectAll();
  void SelectRows(int first_row, int last_row);
  // Start and end of a normal selection, clamped to the line ends.
  TextPos SelectionBegin() const;
  TextPos SelectionEnd() const;
  // Byte position of the selection start (or the caret) in the whole text.
  std::int64_t SelectionStart() const;
  // Moves the caret to a byte position of the whole text; no selection.
  void SetSelectionStart(std::int64_t position);
  // Byte length of SelectedText().
  std::int64_t SelectionLength() const;
  // Selects `length` bytes from SelectionStart().
  void SetSelectionLength(std::int64_t length);
  // The selected text: a normal selection as it stands in the whole text, a
  // box as the selected bytes of every row joined by CR LF.
  std::string SelectedText() const;
  // The cells [first, second) of `row` to paint as selected, if any; a normal
  // selection that goes on past the row's end covers one more cell.
  std::optional<std::pair<int, int>> SelectedCells(int row) const;
  // True when `at` lies inside the selected text.
  bool IsSelected(TextPos at) const;

  // ---- Positions.
  std::int64_t PositionOf(TextPos at) const;
  TextPos PosAt(std::int64_t position) const;
  // `at` clamped to the text and snapped to a character start.
  TextPos Clamp(TextPos at) const;
  int CellOf(TextPos at) const;
  TextPos PosAtCell(int row, int cell) const;
  // Cells of the longest line.
  int MaxLineCells() const;

  // ---- Edits by the user. Each is one undo step; each returns whether the
  // text changed.
  // Replaces the selection with `text` (a stream) at the caret.
  bool InsertText(std::string_view text);
  // Typing one character: like InsertText, and consecutive typing on one row
  // is undone at once.
  bool TypeText(std::string_view text);
  // Replaces the selection with the lines of `text` inserted as a box.
  bool InsertBox(std::string_view text);
  // A line break, followed by the blanks that start the caret's row when
  // auto indent is on.
  bool InsertLineBreak();
  bool DeleteSelection();
  // The Delete and Backspace keys: the selection, else one character (or
  // line end) after or before the caret.
  bool DeleteForward();
  bool DeleteBackward();
  // Moves (or copies) a normal selection to `target`; the moved text stays
  // selected. A target inside the selection moves nothing.
  bool MoveSelectionTo(TextPos target, bool copy);
  bool CanUndo() const { return history_.CanUndo(); }
  bool CanRedo() const { return history_.CanRedo(); }
  bool Undo();
  bool Redo();

 private:
  using Rows = std::vector<std::string>;
  struct Box {
    int top, bottom, left_cell, right_cell;
  };
  Box SelectedBox() const;
  CaretState State() const { return {anchor_, caret_}; }
  void Restore(CaretState state);
  // Rows first..last copied out, the store's empty text counting as one row.
  Rows CopyRows(int first, int last) const;
  // Stores `new_rows` in place of the window `old_rows` that starts at
  // `first`, sets the caret and selection to `after` and records the undo
  // step; returns false (recording nothing) when no row changed.
  bool Apply(int first, Rows old_rows, Rows new_rows, CaretState before, CaretState after,
             bool typing);
  void ReplaceRows(int first, int count, const Rows& rows);
  bool ReplaceSelection(std::string_view text, bool as_box, bool typing);
  bool DeleteRange(TextPos begin, TextPos end);
  int CellsOfLine(std::string_view line) const;
  // Keep the widest line's cells up to date as lines come and go.
  void NoteLineAdded(std::string_view line) const;
  void NoteLineRemoved(std::string_view line) const;

  LineStore store_;
  EditHistory history_;
  TextPos anchor_;
  TextPos caret_;
  SelectionShape mode_ = SelectionShape::kNormal;
  int tab_width_ = kDefaultTabWidth;
  // The caret may stand beyond the end of a line.
  static constexpr bool kFreeCaret = true;
  bool auto_indent_ = true;
  // Cells of the widest line and how many lines are that wide; unknown
  // (recounted on demand) once the last of them is gone.
  mutable int max_cells_ = 0;
  mutable int max_cells_lines_ = 0;
  mutable bool max_cells_known_ = true;
};

}  // namespace tobrel

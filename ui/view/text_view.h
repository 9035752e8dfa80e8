// TTextView: the result view. It shows lines of CP932 text on a grid of byte
// columns (a single-byte character fills one cell, a double-byte character
// two), so report columns line up whatever the font's glyph widths are. It
// lets the user move the caret, select (normally or as a box), copy, and,
// when not read-only, edit with undo. Optional line numbers on the left and
// a column ruler on top. The text and the editing live in a TextModel; the
// widget paints only the rows in sight.
#pragma once

#include <QAbstractScrollArea>
#include <QColor>
#include <QTimer>
#include <cstdint>

#include "ui/view/text_lines.h"
#include "ui/view/text_model.h"
#include "ui/view/view_choices.h"

namespace tobrel {

class TTextView : public QAbstractScrollArea {
  Q_OBJECT

 public:
  explicit TTextView(QWidget* parent = nullptr);

  // ---- Content.
  TTextLines& Lines() { return lines_; }
  const TTextLines& Lines() const { return lines_; }
  const TextModel& Model() const { return model_; }

  // ---- State the user may change.
  bool ReadOnly() const { return read_only_; }
  void SetReadOnly(bool read_only);

  std::int64_t SelectionStart() const { return model_.SelectionStart(); }
  void SetSelectionStart(std::int64_t position);
  std::int64_t SelectionLength() const { return model_.SelectionLength(); }
  void SetSelectionLength(std::int64_t length);
  bool HasSelection() const { return model_.HasSelection(); }
  int CaretRow() const { return model_.Caret().row; }
  int CaretColumn() const { return model_.Caret().column; }
  // Moves the caret to `row`, keeping its column; a selection is kept when
  // the caret is already in that row.
  void SetCaretRow(int row);
  int TopRow() const;
  void SetTopRow(int row);
  // Rows that fit wholly into the view (at least 1).
  int VisibleRowCount() const;
  void SelectWholeText();
  SelectionShape SelectionMode() const { return selection_mode_; }
  void SetSelectionMode(SelectionShape mode);

  // ---- Commands. The changing ones do nothing while read-only.
  void CopySelection();
  void CutSelection();
  void PasteText();
  void DeleteSelection();
  void UndoEdit();
  void RedoEdit();
  // Scroll requests by whole lines (the mouse wheel sends one per notch).
  void ScrollLineUp();
  void ScrollLineDown();

  // ---- Configuration.
  // The font by the name the settings keep ("FixedSys" or a family).
  QString FontName() const { return font_name_; }
  int FontSize() const { return font_size_; }
  void SetFontByName(const QString& name, int point_size);
  ScrollBarChoice ScrollBars() const { return scroll_bars_; }
  void SetScrollBars(ScrollBarChoice choice);
  bool LeftbarVisible() const { return leftbar_visible_; }
  void SetLeftbarVisible(bool visible);
  bool RulerVisible() const { return ruler_visible_; }
  void SetRulerVisible(bool visible);
  void SetWantReturns(bool on) { want_returns_ = on; }
  QColor TextColor() const { return text_color_; }
  QColor BackColor() const { return back_color_; }
  QColor SelectColor() const { return select_color_; }
  // Text colour, background colour, selection background (its text is white).
  void SetColors(const QColor& text, const QColor& back, const QColor& select);

  // ---- Geometry, in viewport pixels.
  int CellWidth() const { return cell_width_; }
  int RowHeight() const { return row_height_; }
  // Where the cell `cell` of row `row` starts (rows and cells of the text).
  QPoint CellOrigin(int row, int cell) const;

 signals:
  void OnCaretMoved();
  // Any mouse button pressed over the text; `position` in the view's pixels.
  void OnMouseDown(Qt::MouseButton button, QPoint position);

 protected:
  bool event(QEvent* event) override;
  void paintEvent(QPaintEvent* event) override;
  void resizeEvent(QResizeEvent* event) override;
  void keyPressEvent(QKeyEvent* event) override;
  void inputMethodEvent(QInputMethodEvent* event) override;
  QVariant inputMethodQuery(Qt::InputMethodQuery query) const override;
  void mousePressEvent(QMouseEvent* event) override;
  void mouseMoveEvent(QMouseEvent* event) override;
  void mouseReleaseEvent(QMouseEvent* event) override;
  void mouseDoubleClickEvent(QMouseEvent* event) override;
  void wheelEvent(QWheelEvent* event) override;
  void changeEvent(QEvent* event) override;
  void focusInEvent(QFocusEvent* event) override;
  void focusOutEvent(QFocusEvent* event) override;
  void scrollContentsBy(int dx, int dy) override;

 private:
  friend class TTextLines;

  // After the program changed the text: layout again soon, in one go.
  void ContentChanged();
  // After the user's action: layout, show the caret, repaint, report a move.
  void ActionDone(bool show_caret = true);
  void UpdateLayout();
  void UpdateMetrics();
  void EnsureCaretVisible();
  void NotifyCaretMove();
  bool Editable() const { return !read_only_ && isEnabled(); }
  int LeftbarWidth() const;
  int RulerHeight() const;
  int TextLeft() const;
  int TextTop() const;
  int VisibleCellCount() const;
  int LeftCell() const;
  // The text position under a viewport point, rounded to the nearest
  // character boundary.
  TextPos PosAtPoint(QPoint point) const;
  int RowAtY(int y) const;

  // Painting (text_view_paint.cpp).
  void PaintRows(QPainter& painter, int first_row, int last_row);
  void PaintRow(QPainter& painter, int row, int y);
  void PaintLeftbar(QPainter& painter, int first_row, int last_row);
  void PaintRuler(QPainter& painter);
  void PaintCaret(QPainter& painter);

  // Keyboard and mouse (text_view_input.cpp).
  bool HandleNavigationKey(QKeyEvent* event);
  bool HandleCommandKey(QKeyEvent* event);
  bool HandleEditKey(QKeyEvent* event);
  void MoveCaretBy(TextPos to, bool extend, bool keep_cell = false);
  void UpdateHoverCursor(QPoint point);
  void StartSelection(QMouseEvent* event);
  // Extends a mouse selection to `point`; outside the view it keeps
  // scrolling on a timer until the mouse comes back or is released.
  void ExtendMouseSelection(QPoint point);

  TextModel model_;
  TTextLines lines_{*this};
  bool read_only_ = true;
  SelectionShape selection_mode_ = SelectionShape::kNormal;
  QString font_name_;
  int font_size_ = 0;
  ScrollBarChoice scroll_bars_ = ScrollBarChoice::kNone;
  bool leftbar_visible_ = false;
  bool ruler_visible_ = false;
  bool want_returns_ = true;
  // Fixed behaviours of the edit mode: Tab goes into the text, clicking the
  // left margin selects whole rows, and a selection can be dragged elsewhere.
  static constexpr bool kWantTabs = true;
  static constexpr bool kRowSelect = true;
  static constexpr bool kSelMove = true;
  QColor text_color_;
  QColor back_color_;
  QColor select_color_;

  int cell_width_ = 8;
  int row_height_ = 16;
  int ascent_ = 12;
  bool layout_pending_ = false;

  TextPos reported_caret_{-1, -1};
  int wanted_cell_ = -1;  // the cell Up and Down keep to
  bool caret_shown_ = true;
  QTimer caret_blink_;

  enum class Drag { kNone, kSelecting, kSelectingRows, kPending, kMoving };
  Drag drag_ = Drag::kNone;
  QPoint press_point_;
  QPoint drag_point_;
  QTimer auto_scroll_;
  int row_anchor_ = 0;
  TextPos drop_at_;
};

}  // namespace tobrel

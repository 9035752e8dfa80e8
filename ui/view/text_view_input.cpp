// Keyboard and mouse of the result view. The caret and selection move in
// every state; keys that change the text act only when the view is not
// read-only. The mouse selects by dragging (with Alt as a box), selects
// words by double click and whole rows in the left margin, and drags a
// selection to another place (with Ctrl to copy it).
#include <QApplication>
#include <QInputMethodEvent>
#include <QKeyEvent>
#include <QMouseEvent>
#include <QWheelEvent>

#include "platform/cp932.h"
#include "ui/view/line_layout.h"
#include "ui/view/text_view.h"
#include "ui/view/view_cursors.h"

namespace tobrel {

bool TTextView::event(QEvent* event) {
  // In edit mode Tab goes into the text instead of moving the focus.
  if (event->type() == QEvent::KeyPress && kWantTabs && Editable()) {
    auto* key = static_cast<QKeyEvent*>(event);
    if (key->key() == Qt::Key_Tab && !(key->modifiers() & (Qt::ControlModifier | Qt::AltModifier))) {
      keyPressEvent(key);
      return true;
    }
  }
  return QAbstractScrollArea::event(event);
}

int TTextView::RowAtY(int y) const {
  const int offset = y - TextTop();
  const int rows = offset >= 0 ? offset / row_height_ : -1 - (-offset - 1) / row_height_;
  return std::clamp(TopRow() + rows, 0, model_.RowCount() - 1);
}

TextPos TTextView::PosAtPoint(QPoint point) const {
  const int x = point.x() - TextLeft() + cell_width_ / 2;
  const int cell = LeftCell() + (x >= 0 ? x / cell_width_ : 0);
  return model_.PosAtCell(RowAtY(point.y()), cell);
}

void TTextView::MoveCaretBy(TextPos to, bool extend, bool keep_cell) {
  if (!keep_cell)
    wanted_cell_ = -1;
  else if (wanted_cell_ < 0)
    wanted_cell_ = model_.CellOf(model_.Caret());
  if (!extend || !model_.HasSelection()) model_.SetMode(selection_mode_);
  model_.MoveCaret(to, extend);
  ActionDone();
}

void TTextView::keyPressEvent(QKeyEvent* event) {
  if (HandleCommandKey(event) || HandleNavigationKey(event) ||
      (Editable() && HandleEditKey(event))) {
    event->accept();
    return;
  }
  QAbstractScrollArea::keyPressEvent(event);
}

bool TTextView::HandleCommandKey(QKeyEvent* event) {
  if (event->matches(QKeySequence::Copy))
    CopySelection();
  else if (event->matches(QKeySequence::Cut))
    CutSelection();
  else if (event->matches(QKeySequence::Paste))
    PasteText();
  else if (event->matches(QKeySequence::Undo))
    UndoEdit();
  else if (event->matches(QKeySequence::Redo))
    RedoEdit();
  else
    return false;
  return true;
}

bool TTextView::HandleNavigationKey(QKeyEvent* event) {
  const bool shift = event->modifiers() & Qt::ShiftModifier;
  const bool ctrl = event->modifiers() & Qt::ControlModifier;
  const TextPos caret = model_.Caret();
  const std::string_view line = model_.Line(caret.row);
  const int length = static_cast<int>(line.size());
  const int last_row = model_.RowCount() - 1;
  const auto vertical = [&](int rows) {
    const int cell = wanted_cell_ >= 0 ? wanted_cell_ : model_.CellOf(caret);
    MoveCaretBy(model_.PosAtCell(caret.row + rows, cell), shift, true);
  };
  switch (event->key()) {
    case Qt::Key_Left:
      if (caret.column == 0 && caret.row > 0)
        MoveCaretBy({caret.row - 1, static_cast<int>(model_.Line(caret.row - 1).size())}, shift);
      else
        MoveCaretBy({caret.row, ctrl ? line_layout::PreviousWordStart(line, caret.column)
                                     : line_layout::PreviousColumn(line, caret.column)},
                    shift);
      return true;
    case Qt::Key_Right:
      if (caret.column >= length && (ctrl || !model_.FreeCaret()) && caret.row < last_row)
        MoveCaretBy({caret.row + 1, 0}, shift);
      else
        MoveCaretBy({caret.row, ctrl ? line_layout::NextWordStart(line, caret.column)
                                     : line_layout::NextColumn(line, caret.column)},
                    shift);
      return true;
    case Qt::Key_Up:
      if (ctrl)
        ScrollLineUp();
      else
        vertical(-1);
      return true;
    case Qt::Key_Down:
      if (ctrl)
        ScrollLineDown();
      else
        vertical(1);
      return true;
    case Qt::Key_PageUp:
      SetTopRow(TopRow() - VisibleRowCount());
      vertical(-VisibleRowCount());
      return true;
    case Qt::Key_PageDown:
      SetTopRow(TopRow() + VisibleRowCount());
      vertical(VisibleRowCount());
      return true;
    case Qt::Key_Home:
      MoveCaretBy(ctrl ? TextPos{0, 0} : TextPos{caret.row, 0}, shift);
      return true;
    case Qt::Key_End:
      MoveCaretBy(ctrl ? TextPos{last_row, static_cast<int>(model_.Line(last_row).size())}
                       : TextPos{caret.row, length},
                  shift);
      return true;
    default:
      return false;
  }
}

bool TTextView::HandleEditKey(QKeyEvent* event) {
  const Qt::KeyboardModifiers modifiers = event->modifiers();
  switch (event->key()) {
    case Qt::Key_Return:
    case Qt::Key_Enter:
      if (!want_returns_) return false;
      model_.InsertLineBreak();
      break;
    case Qt::Key_Tab:
      if (!kWantTabs) return false;
      model_.TypeText("\t");
      break;
    case Qt::Key_Backspace:
      model_.DeleteBackward();
      break;
    case Qt::Key_Delete:
      model_.DeleteForward();
      break;
    default: {
      const QString text = event->text();
      if (text.isEmpty() || !text[0].isPrint() ||
          (modifiers & (Qt::ControlModifier | Qt::AltModifier | Qt::MetaModifier)))
        return false;
      model_.TypeText(cp932::FromUtf8(text.toStdString()));
    }
  }
  wanted_cell_ = -1;
  ActionDone();
  return true;
}

void TTextView::inputMethodEvent(QInputMethodEvent* event) {
  if (Editable() && !event->commitString().isEmpty()) {
    model_.TypeText(cp932::FromUtf8(event->commitString().toStdString()));
    ActionDone();
  }
  event->accept();
}

QVariant TTextView::inputMethodQuery(Qt::InputMethodQuery query) const {
  switch (query) {
    case Qt::ImEnabled:
      return Editable();
    case Qt::ImCursorRectangle: {
      const QPoint at = CellOrigin(model_.Caret().row, model_.CellOf(model_.Caret()));
      return QRect(viewport()->mapTo(this, at), QSize(2, row_height_));
    }
    default:
      return QAbstractScrollArea::inputMethodQuery(query);
  }
}

void TTextView::StartSelection(QMouseEvent* event) {
  const bool shift = event->modifiers() & Qt::ShiftModifier;
  const bool alt = event->modifiers() & Qt::AltModifier;
  if (!shift) model_.SetMode(alt ? SelectionShape::kBox : selection_mode_);
  model_.MoveCaret(PosAtPoint(event->position().toPoint()), shift);
  wanted_cell_ = -1;
  drag_ = Drag::kSelecting;
  ActionDone();
}

void TTextView::mousePressEvent(QMouseEvent* event) {
  const QPoint point = event->position().toPoint();
  emit OnMouseDown(event->button(), viewport()->mapTo(this, point));
  if (event->button() != Qt::LeftButton) return;
  press_point_ = point;
  const bool shift = event->modifiers() & Qt::ShiftModifier;
  if (kRowSelect && point.x() < TextLeft()) {
    const int row = RowAtY(point.y());
    if (!shift) row_anchor_ = row;
    model_.SetMode(SelectionShape::kNormal);
    model_.SelectRows(row_anchor_, row);
    drag_ = Drag::kSelectingRows;
    ActionDone();
    return;
  }
  if (!shift && kSelMove && Editable() && model_.Mode() == SelectionShape::kNormal &&
      model_.IsSelected(PosAtPoint(point))) {
    drag_ = Drag::kPending;
    return;
  }
  row_anchor_ = RowAtY(point.y());
  StartSelection(event);
}

void TTextView::mouseMoveEvent(QMouseEvent* event) {
  const QPoint point = event->position().toPoint();
  if (!(event->buttons() & Qt::LeftButton)) {
    UpdateHoverCursor(point);
    return;
  }
  switch (drag_) {
    case Drag::kSelectingRows:
    case Drag::kSelecting:
      ExtendMouseSelection(point);
      break;
    case Drag::kPending:
      if ((point - press_point_).manhattanLength() < QApplication::startDragDistance()) break;
      drag_ = Drag::kMoving;
      [[fallthrough]];
    case Drag::kMoving:
      drop_at_ = PosAtPoint(point);
      viewport()->setCursor(event->modifiers() & Qt::ControlModifier ? DragSelCopyCursor()
                                                                     : QCursor(Qt::DragMoveCursor));
      viewport()->update();
      break;
    case Drag::kNone:
      break;
  }
}

void TTextView::ExtendMouseSelection(QPoint point) {
  drag_point_ = point;
  if (drag_ == Drag::kSelectingRows)
    model_.SelectRows(row_anchor_, RowAtY(point.y()));
  else
    model_.MoveCaret(PosAtPoint(point), true);
  ActionDone();
  const QRect text_area(0, TextTop(), viewport()->width(), viewport()->height() - TextTop());
  if (text_area.contains(point) || drag_ == Drag::kNone)
    auto_scroll_.stop();
  else if (!auto_scroll_.isActive())
    auto_scroll_.start();
}

void TTextView::mouseReleaseEvent(QMouseEvent* event) {
  if (event->button() != Qt::LeftButton) return;
  auto_scroll_.stop();
  const QPoint point = event->position().toPoint();
  if (drag_ == Drag::kMoving) {
    model_.MoveSelectionTo(PosAtPoint(point), event->modifiers() & Qt::ControlModifier);
    ActionDone();
  } else if (drag_ == Drag::kPending) {
    model_.MoveCaret(PosAtPoint(press_point_));
    ActionDone();
  }
  drag_ = Drag::kNone;
  UpdateHoverCursor(point);
}

void TTextView::mouseDoubleClickEvent(QMouseEvent* event) {
  const QPoint point = event->position().toPoint();
  emit OnMouseDown(event->button(), viewport()->mapTo(this, point));
  if (event->button() != Qt::LeftButton || point.x() < TextLeft()) return;
  const int row = RowAtY(point.y());
  const int cell = LeftCell() + (point.x() - TextLeft()) / cell_width_;
  const TextPos at = model_.PosAtCell(row, cell);
  const auto [first, last] = line_layout::WordAt(model_.Line(row), at.column);
  model_.SetMode(SelectionShape::kNormal);
  model_.Select({row, first}, {row, last});
  drag_ = Drag::kNone;
  ActionDone();
}

void TTextView::wheelEvent(QWheelEvent* event) {
  const int notches = event->angleDelta().y() / 120;
  for (int i = 0; i < std::abs(notches); ++i) notches > 0 ? ScrollLineUp() : ScrollLineDown();
  event->accept();
}

void TTextView::UpdateHoverCursor(QPoint point) {
  if (kRowSelect && point.x() < TextLeft())
    viewport()->setCursor(RightArrowCursor());
  else if (model_.IsSelected(PosAtPoint(point)))
    viewport()->setCursor(Qt::ArrowCursor);
  else
    viewport()->setCursor(Qt::IBeamCursor);
}

}  // namespace tobrel

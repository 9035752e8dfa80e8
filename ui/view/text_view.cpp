// Properties, commands and layout of the result view. Changes by the program
// (appending report lines) only mark the layout as stale; it is brought up
// to date once, when the event loop next runs or when something needs it, so
// appending a million lines costs no more than storing them.
#include "ui/view/text_view.h"

#include <QApplication>
#include <QScrollBar>

#include "ui/view/box_clipboard.h"
#include "ui/view/view_font.h"

namespace tobrel {
namespace {

constexpr int kMarginLeft = 2;
constexpr int kMarginTop = 2;
constexpr int kLeftbarDigits = 4;
constexpr int kLeftbarMargin = 4;

int DigitCount(int number) {
  int digits = 1;
  while (number >= 10) {
    number /= 10;
    ++digits;
  }
  return digits;
}

}  // namespace

TTextView::TTextView(QWidget* parent) : QAbstractScrollArea(parent) {
  setFocusPolicy(Qt::StrongFocus);
  viewport()->setCursor(Qt::IBeamCursor);
  viewport()->setMouseTracking(true);
  viewport()->setAttribute(Qt::WA_OpaquePaintEvent);
  SetColors(palette().color(QPalette::WindowText), palette().color(QPalette::Base),
            QColor(0, 0, 128));
  SetFontByName(QString::fromLatin1(kDefaultViewFontName), kDefaultViewFontSize);
  SetScrollBars(ScrollBarChoice::kNone);
  SetReadOnly(true);
  const int flash = QApplication::cursorFlashTime();
  caret_blink_.setInterval(flash > 0 ? flash / 2 : 500);
  connect(&caret_blink_, &QTimer::timeout, this, [this] {
    caret_shown_ = !caret_shown_;
    viewport()->update();
  });
  auto_scroll_.setInterval(50);
  connect(&auto_scroll_, &QTimer::timeout, this, [this] { ExtendMouseSelection(drag_point_); });
}

// ---- State the user may change.

void TTextView::SetReadOnly(bool read_only) {
  read_only_ = read_only;
  setAttribute(Qt::WA_InputMethodEnabled, !read_only);
  if (drag_ == Drag::kPending || drag_ == Drag::kMoving) drag_ = Drag::kNone;
}

void TTextView::SetSelectionStart(std::int64_t position) {
  model_.SetMode(selection_mode_);
  model_.SetSelectionStart(position);
  ActionDone();
}

void TTextView::SetSelectionLength(std::int64_t length) {
  model_.SetSelectionLength(length);
  ActionDone();
}

void TTextView::SetCaretRow(int row) {
  if (row == model_.Caret().row) return;
  model_.MoveCaret({row, model_.Caret().column});
  ActionDone();
}

int TTextView::TopRow() const { return verticalScrollBar()->value(); }

void TTextView::SetTopRow(int row) {
  if (layout_pending_) UpdateLayout();
  verticalScrollBar()->setValue(row);
}

int TTextView::VisibleRowCount() const {
  return std::max(1, (viewport()->height() - TextTop()) / row_height_);
}

void TTextView::SelectWholeText() {
  model_.SetMode(selection_mode_);
  model_.SelectAll();
  ActionDone(false);
}

void TTextView::SetSelectionMode(SelectionShape mode) {
  selection_mode_ = mode;
  model_.SetMode(mode);
  viewport()->update();
}

// ---- Commands.

void TTextView::CopySelection() {
  if (!model_.HasSelection()) return;
  PutOnClipboard(model_.SelectedText(), model_.Mode() == SelectionShape::kBox);
}

void TTextView::CutSelection() {
  if (!Editable() || !model_.HasSelection()) return;
  CopySelection();
  DeleteSelection();
}

void TTextView::PasteText() {
  if (!Editable()) return;
  const std::optional<ClipboardText> content = ClipboardContent();
  if (!content) return;
  if (content->box || model_.Mode() == SelectionShape::kBox)
    model_.InsertBox(content->cp932);
  else
    model_.InsertText(content->cp932);
  ActionDone();
}

void TTextView::DeleteSelection() {
  if (!Editable()) return;
  model_.DeleteSelection();
  ActionDone();
}

void TTextView::UndoEdit() {
  if (!Editable()) return;
  model_.Undo();
  ActionDone();
}

void TTextView::RedoEdit() {
  if (!Editable()) return;
  model_.Redo();
  ActionDone();
}

void TTextView::ScrollLineUp() { verticalScrollBar()->triggerAction(QScrollBar::SliderSingleStepSub); }

void TTextView::ScrollLineDown() { verticalScrollBar()->triggerAction(QScrollBar::SliderSingleStepAdd); }

// ---- Configuration.

void TTextView::SetFontByName(const QString& name, int point_size) {
  font_name_ = name;
  font_size_ = point_size > 0 ? point_size : kDefaultViewFontSize;
  const QFont font = ResolveViewFont(name, font_size_);
  setFont(font);
  viewport()->setFont(font);
  UpdateMetrics();
}

void TTextView::SetScrollBars(ScrollBarChoice choice) {
  scroll_bars_ = choice;
  const bool horizontal =
      choice == ScrollBarChoice::kHorizontal || choice == ScrollBarChoice::kBoth;
  const bool vertical = choice == ScrollBarChoice::kVertical || choice == ScrollBarChoice::kBoth;
  setHorizontalScrollBarPolicy(horizontal ? Qt::ScrollBarAsNeeded : Qt::ScrollBarAlwaysOff);
  setVerticalScrollBarPolicy(vertical ? Qt::ScrollBarAsNeeded : Qt::ScrollBarAlwaysOff);
}

void TTextView::SetLeftbarVisible(bool visible) {
  leftbar_visible_ = visible;
  UpdateLayout();
}

void TTextView::SetRulerVisible(bool visible) {
  ruler_visible_ = visible;
  UpdateLayout();
}

void TTextView::SetColors(const QColor& text, const QColor& back, const QColor& select) {
  text_color_ = text;
  back_color_ = back;
  select_color_ = select;
  viewport()->update();
}

// ---- Geometry.

void TTextView::UpdateMetrics() {
  const QFontMetrics metrics(font());
  // One cell is the width of a digit, as in any fixed-pitch font.
  cell_width_ = std::max(1, metrics.horizontalAdvance(QLatin1Char('0')));
  row_height_ = std::max(1, metrics.height());
  ascent_ = metrics.ascent();
  UpdateLayout();
}

int TTextView::LeftbarWidth() const {
  if (!leftbar_visible_) return 0;
  const int digits = std::max(kLeftbarDigits, DigitCount(model_.RowCount()));
  return kLeftbarMargin + digits * cell_width_ + kLeftbarMargin + 1;
}

int TTextView::RulerHeight() const { return ruler_visible_ ? row_height_ + 6 : 0; }

int TTextView::TextLeft() const { return LeftbarWidth() + kMarginLeft; }

int TTextView::TextTop() const { return RulerHeight() + kMarginTop; }

int TTextView::VisibleCellCount() const {
  return std::max(1, (viewport()->width() - TextLeft()) / cell_width_);
}

int TTextView::LeftCell() const { return horizontalScrollBar()->value(); }

QPoint TTextView::CellOrigin(int row, int cell) const {
  return {TextLeft() + (cell - LeftCell()) * cell_width_,
          TextTop() + (row - TopRow()) * row_height_};
}

void TTextView::UpdateLayout() {
  layout_pending_ = false;
  const int visible_rows = VisibleRowCount();
  QScrollBar* vertical = verticalScrollBar();
  vertical->setRange(0, std::max(0, model_.RowCount() - visible_rows));
  vertical->setPageStep(visible_rows);
  vertical->setSingleStep(1);
  const int visible_cells = VisibleCellCount();
  const int widest = std::max(model_.MaxLineCells(), model_.CellOf(model_.Caret())) + 1;
  QScrollBar* horizontal = horizontalScrollBar();
  horizontal->setRange(0, std::max(0, widest - visible_cells));
  horizontal->setPageStep(visible_cells);
  horizontal->setSingleStep(1);
  viewport()->update();
  NotifyCaretMove();
}

void TTextView::ContentChanged() {
  if (layout_pending_) return;
  layout_pending_ = true;
  QTimer::singleShot(0, this, [this] {
    if (layout_pending_) UpdateLayout();
  });
}

void TTextView::ActionDone(bool show_caret) {
  UpdateLayout();
  if (show_caret) EnsureCaretVisible();
  caret_shown_ = true;
  if (hasFocus()) caret_blink_.start();
}

void TTextView::EnsureCaretVisible() {
  const TextPos caret = model_.Caret();
  const int rows = VisibleRowCount();
  if (caret.row < TopRow())
    SetTopRow(caret.row);
  else if (caret.row >= TopRow() + rows)
    SetTopRow(caret.row - rows + 1);
  const int cell = model_.CellOf(caret);
  const int cells = VisibleCellCount();
  if (cell < LeftCell())
    horizontalScrollBar()->setValue(cell);
  else if (cell >= LeftCell() + cells)
    horizontalScrollBar()->setValue(cell - cells + 1);
}

void TTextView::NotifyCaretMove() {
  if (model_.Caret() == reported_caret_) return;
  reported_caret_ = model_.Caret();
  emit OnCaretMoved();
}

void TTextView::scrollContentsBy(int, int) { viewport()->update(); }

void TTextView::resizeEvent(QResizeEvent* event) {
  QAbstractScrollArea::resizeEvent(event);
  UpdateLayout();
}

void TTextView::changeEvent(QEvent* event) {
  QAbstractScrollArea::changeEvent(event);
  if (event->type() == QEvent::FontChange) UpdateMetrics();
}

void TTextView::focusInEvent(QFocusEvent* event) {
  QAbstractScrollArea::focusInEvent(event);
  caret_shown_ = true;
  caret_blink_.start();
  viewport()->update();
}

void TTextView::focusOutEvent(QFocusEvent* event) {
  QAbstractScrollArea::focusOutEvent(event);
  caret_blink_.stop();
  viewport()->update();
}

}  // namespace tobrel

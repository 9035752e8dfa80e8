// Painting of the result view. Only the rows that intersect the area to
// repaint are drawn, and of each row only the characters in sight, so the
// cost depends on the size of the view, not of the text. Every character is
// drawn at the left edge of its own cells: a double-byte character at the
// first of its two cells, whatever width the font gives its glyph.
#include <QPaintEvent>
#include <QPainter>

#include "platform/cp932.h"
#include "ui/view/cp932_glyphs.h"
#include "ui/view/line_layout.h"
#include "ui/view/text_view.h"

namespace tobrel {
namespace {

struct VisibleChar {
  int column;  // byte column in the line
  int cell;    // first cell
  bool drawn;  // TABs and control codes take cells but show nothing
};

// The characters of `line` that cover cells in [first_cell, end_cell).
std::vector<VisibleChar> CharsInSight(std::string_view line, int first_cell, int end_cell,
                                      int tab_width, int& end_column) {
  std::vector<VisibleChar> chars;
  int cell = 0;
  int column = 0;
  end_column = 0;
  while (column < static_cast<int>(line.size()) && cell < end_cell) {
    const int next = static_cast<int>(cp932::NextCharPos(line, static_cast<std::size_t>(column)));
    const auto byte = static_cast<unsigned char>(line[column]);
    const int next_cell = byte == '\t' ? (cell / tab_width + 1) * tab_width : cell + (next - column);
    if (next_cell > first_cell) {
      chars.push_back({column, cell, byte >= 0x20 && byte != 0x7F});
      end_column = next;
    }
    column = next;
    cell = next_cell;
  }
  return chars;
}

}  // namespace

void TTextView::paintEvent(QPaintEvent* event) {
  if (layout_pending_) UpdateLayout();
  QPainter painter(viewport());
  const QRect area = event->rect();
  painter.fillRect(area, back_color_);
  const int top = TopRow();
  const int first_row = top + std::max(0, (area.top() - TextTop()) / row_height_);
  const int last_row = std::min(model_.RowCount() - 1,
                                top + std::max(0, (area.bottom() - TextTop()) / row_height_));

  painter.save();
  painter.setClipRect(QRect(LeftbarWidth(), RulerHeight(), viewport()->width(),
                            viewport()->height()));
  PaintRows(painter, first_row, last_row);
  PaintCaret(painter);
  painter.restore();
  if (leftbar_visible_) PaintLeftbar(painter, first_row, last_row);
  if (ruler_visible_) PaintRuler(painter);
}

void TTextView::PaintRows(QPainter& painter, int first_row, int last_row) {
  for (int row = first_row; row <= last_row; ++row)
    PaintRow(painter, row, CellOrigin(row, 0).y());
}

void TTextView::PaintRow(QPainter& painter, int row, int y) {
  const int left = LeftCell();
  const int end_cell = left + VisibleCellCount() + 2;
  const auto selected = model_.SelectedCells(row);
  if (selected && selected->second > left && selected->first < end_cell) {
    const int from = std::max(selected->first, left);
    const int to = std::min(selected->second, end_cell);
    painter.fillRect(CellOrigin(row, from).x(), y, (to - from) * cell_width_, row_height_,
                     select_color_);
  }

  const std::string_view line = model_.Line(row);
  int end_column = 0;
  const std::vector<VisibleChar> chars =
      CharsInSight(line, left, end_cell, model_.TabWidth(), end_column);
  if (chars.empty()) return;
  const int begin_column = chars.front().column;
  const QString glyphs = DecodeCharacters(line.substr(begin_column, end_column - begin_column));
  const QColor selected_text(Qt::white);
  const QColor* pen = nullptr;
  for (std::size_t i = 0; i < chars.size(); ++i) {
    if (!chars[i].drawn) continue;
    const bool in_selection =
        selected && chars[i].cell >= selected->first && chars[i].cell < selected->second;
    const QColor* wanted = in_selection ? &selected_text : &text_color_;
    if (wanted != pen) {
      painter.setPen(*wanted);
      pen = wanted;
    }
    painter.drawText(QPoint(CellOrigin(row, chars[i].cell).x(), y + ascent_),
                     QString(glyphs[static_cast<qsizetype>(i)]));
  }
}

void TTextView::PaintLeftbar(QPainter& painter, int first_row, int last_row) {
  const int width = LeftbarWidth();
  painter.fillRect(0, 0, width, viewport()->height(), palette().color(QPalette::Button));
  painter.setPen(palette().color(QPalette::ButtonText));
  const int digits_width = width - 1 - 2 * 4;
  for (int row = first_row; row <= std::min(last_row, model_.LineCount() - 1); ++row) {
    const int y = CellOrigin(row, 0).y();
    if (y < RulerHeight()) continue;
    painter.drawText(QRect(4, y, digits_width, row_height_), Qt::AlignRight | Qt::AlignVCenter,
                     QString::number(row + 1));
  }
  painter.setPen(palette().color(QPalette::Dark));
  painter.drawLine(width - 1, RulerHeight(), width - 1, viewport()->height());
}

void TTextView::PaintRuler(QPainter& painter) {
  const int height = RulerHeight();
  painter.fillRect(0, 0, viewport()->width(), height, palette().color(QPalette::Button));
  painter.save();
  painter.setClipRect(QRect(TextLeft(), 0, viewport()->width(), height));
  // The caret's column is marked by a filled cell above the edge line.
  const int caret_x = CellOrigin(0, model_.CellOf(model_.Caret())).x();
  painter.fillRect(caret_x, height - 4, cell_width_, 3, palette().color(QPalette::Highlight));
  painter.setPen(palette().color(QPalette::ButtonText));
  const int left = LeftCell();
  for (int cell = left; cell <= left + VisibleCellCount() + 1; ++cell) {
    const int x = CellOrigin(0, cell).x();
    const int tick = cell % 10 == 0 ? height - 2 : cell % 5 == 0 ? 5 : 2;
    painter.drawLine(x, height - 1 - tick, x, height - 2);
    if (cell % 10 == 0 && cell > 0)
      painter.drawText(QPoint(x + 2, ascent_ + 1), QString::number(cell));
  }
  painter.restore();
  painter.setPen(palette().color(QPalette::Dark));
  painter.drawLine(0, height - 1, viewport()->width(), height - 1);
}

void TTextView::PaintCaret(QPainter& painter) {
  if (drag_ == Drag::kMoving) {
    const QPoint drop = CellOrigin(drop_at_.row, model_.CellOf(drop_at_));
    painter.fillRect(drop.x(), drop.y(), 2, row_height_, QBrush(text_color_, Qt::Dense4Pattern));
  }
  if (!hasFocus() || !caret_shown_) return;
  const QPoint at = CellOrigin(model_.Caret().row, model_.CellOf(model_.Caret()));
  painter.fillRect(at.x(), at.y(), 2, row_height_, text_color_);
}

}  // namespace tobrel

// A place in a text view: a row (line index) and a byte column in that row,
// both from 0. The column may lie beyond the end of the line where the free
// caret stands in the blank area.
#pragma once

#include <compare>

namespace tobrel {

struct TextPos {
  int row = 0;
  int column = 0;
  auto operator<=>(const TextPos&) const = default;
};

// The shape of a selection: a stream of text, or a rectangle of cells.
enum class SelectionShape { kNormal, kBox };

}  // namespace tobrel

#include "ui/view/line_layout.h"

#include <algorithm>

#include "platform/cp932.h"

namespace tobrel::line_layout {
namespace {

int Size(std::string_view line) { return static_cast<int>(line.size()); }

int CharEnd(std::string_view line, int column) {
  return static_cast<int>(cp932::NextCharPos(line, static_cast<std::size_t>(column)));
}

int CellsAfter(std::string_view line, int column, int cell, int tab_width) {
  if (line[column] == '\t' && tab_width > 0) return (cell / tab_width + 1) * tab_width;
  return cell + (CharEnd(line, column) - column);
}

enum class Kind { kBlank, kAsciiWord, kAsciiOther, kHalfKana, kHiragana, kKatakana, kKanji, kOtherWide };

Kind KindAt(std::string_view line, int column) {
  const auto lead = static_cast<unsigned char>(line[column]);
  if (lead == ' ' || lead == '\t') return Kind::kBlank;
  if (lead < 0x80) {
    const bool word = (lead >= '0' && lead <= '9') || (lead >= 'A' && lead <= 'Z') ||
                      (lead >= 'a' && lead <= 'z') || lead == '_';
    return word ? Kind::kAsciiWord : Kind::kAsciiOther;
  }
  if (lead >= 0xA1 && lead <= 0xDF) return Kind::kHalfKana;
  if (!cp932::IsLeadByte(lead) || column + 1 >= Size(line)) return Kind::kOtherWide;
  const auto trail = static_cast<unsigned char>(line[column + 1]);
  if (lead == 0x81 && trail == 0x40) return Kind::kBlank;  // full-width space
  if (lead == 0x82 && trail >= 0x9F) return Kind::kHiragana;
  if (lead == 0x83 && trail <= 0x96) return Kind::kKatakana;
  if (lead == 0x81 && trail == 0x5B) return Kind::kKatakana;  // long vowel mark
  if (lead >= 0x88) return Kind::kKanji;
  return Kind::kOtherWide;
}

}  // namespace

int LineCells(std::string_view line, int tab_width) {
  int cell = 0;
  for (int column = 0; column < Size(line); column = CharEnd(line, column))
    cell = CellsAfter(line, column, cell, tab_width);
  return cell;
}

int CellOfColumn(std::string_view line, int column, int tab_width) {
  int cell = 0;
  int at = 0;
  for (; at < Size(line) && at < column; at = CharEnd(line, at))
    cell = CellsAfter(line, at, cell, tab_width);
  return column > at ? cell + (column - at) : cell;
}

int ColumnAtCell(std::string_view line, int cell, int tab_width) {
  int start = 0;
  int column = 0;
  for (; column < Size(line); column = CharEnd(line, column)) {
    const int end = CellsAfter(line, column, start, tab_width);
    if (cell < end) return column;
    start = end;
  }
  return column + (cell - start);
}

int SnapColumn(std::string_view line, int column) {
  int at = 0;
  while (at < Size(line) && at < column) {
    const int end = CharEnd(line, at);
    if (end > column) return at;
    at = end;
  }
  return column;
}

int NextColumn(std::string_view line, int column) {
  return column < Size(line) ? CharEnd(line, column) : column + 1;
}

int PreviousColumn(std::string_view line, int column) {
  if (column <= 0) return 0;
  if (column > Size(line)) return column - 1;
  return SnapColumn(line, column - 1);
}

std::pair<int, int> WordAt(std::string_view line, int column) {
  if (column >= Size(line)) return {column, column};
  column = SnapColumn(line, column);
  const Kind kind = KindAt(line, column);
  int first = column;
  while (first > 0) {
    const int previous = PreviousColumn(line, first);
    if (KindAt(line, previous) != kind) break;
    first = previous;
  }
  int last = column;
  while (last < Size(line) && KindAt(line, last) == kind) last = CharEnd(line, last);
  return {first, last};
}

int NextWordStart(std::string_view line, int column) {
  if (column >= Size(line)) return column;
  column = WordAt(line, column).second;
  while (column < Size(line) && KindAt(line, column) == Kind::kBlank) column = CharEnd(line, column);
  return column;
}

int PreviousWordStart(std::string_view line, int column) {
  column = std::min(column, Size(line));
  while (column > 0) {
    const int previous = PreviousColumn(line, column);
    if (KindAt(line, previous) != Kind::kBlank) return WordAt(line, previous).first;
    column = previous;
  }
  return 0;
}

}  // namespace tobrel::line_layout

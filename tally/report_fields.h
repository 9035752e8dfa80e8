// Fields of report lines. Widths count bytes of CP932 text, so a full-width
// character takes two columns; a value wider than its width widens the line
// and nothing is cut.
#pragma once

#include <cstdint>
#include <string>
#include <string_view>

namespace tobrel {

// `text` right-aligned in `width` columns ("%Ns").
std::string AlignRight(std::string_view text, std::size_t width);
// `text` left-aligned in `width` columns ("%-Ns").
std::string AlignLeft(std::string_view text, std::size_t width);
// A decimal integer right-aligned in `width` columns ("%Nd").
std::string IntField(std::int64_t value, std::size_t width);
// Appends IntField(value, width) to `line`, with no string of its own: for
// the many cells of the tables by hour.
void AppendIntField(std::int64_t value, std::size_t width, std::string& line);
// A decimal integer zero-padded to `digits` digits ("%.Nd").
std::string ZeroPadded(std::int64_t value, int digits);
// A count with thousands separators, right-aligned ("%Ns" of FormatThousands).
std::string CountField(std::int64_t value, std::size_t width);
// `count` copies of `c`: the rules of the tables.
std::string Rule(char c, std::size_t count);
// "*", `width` - 2 "-", "*": the rule below a table heading and above its
// best-posting lines.
std::string FramedRule(std::size_t width);
// `text` without the blanks and control bytes at its end.
std::string_view TrimRight(std::string_view text);

// value * 100 / total rounded half up to two decimals, right-aligned in
// `width` columns ("%N.2f"). The rounding works on the exact quotient, so a
// share that ends in 5 in the third decimal always rounds up. `total` must be
// positive and `value` not negative.
std::string PercentField(std::int64_t value, std::int64_t total, std::size_t width);

// The start of a ranking table's totals line: "合計%7s 人" with the number of
// entries.
std::string TotalsLineStart(std::size_t entries);

}  // namespace tobrel

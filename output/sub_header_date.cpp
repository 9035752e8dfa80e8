#include "output/sub_header_date.h"

#include <string>

#include "core/log_line_recognizers.h"

namespace tobrel {

std::optional<DateTime> PivotedSubHeaderDateTime(std::string_view line) {
  const std::string text = SubHeaderDateTime(line);  // "yy/mm/dd hh:mm:00"
  if (text.empty()) return std::nullopt;
  const bool nineteen = text[0] > '8' || (text[0] == '8' && text[1] >= '7');
  return ParseDateTime((nineteen ? "19" : "20") + text, 2000);
}

}  // namespace tobrel

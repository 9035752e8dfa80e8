#include "tally/report_data.h"

#include "platform/cp932.h"
#include "tally/report_fields.h"

namespace tobrel {

std::vector<std::string> HeaderRow(std::initializer_list<std::string_view> names_utf8) {
  std::vector<std::string> header;
  for (const std::string_view name : names_utf8) header.push_back(cp932::FromUtf8(name));
  return header;
}

std::string PercentCell(std::int64_t value, std::int64_t total) {
  return total > 0 ? PercentField(value, total, 0) : "0.00";
}

}  // namespace tobrel

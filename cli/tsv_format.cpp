#include "cli/tsv_format.h"

#include <algorithm>
#include <iterator>

namespace tobrel {

bool HasReportData(std::string_view report) {
  static constexpr std::string_view kTallies[] = {"count", "quote", "comment", "stats", "month"};
  return std::find(std::begin(kTallies), std::end(kTallies), report) != std::end(kTallies);
}

}  // namespace tobrel

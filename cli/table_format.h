// --format tsv: which reports have tables to export.
#pragma once

#include <string_view>

namespace tobrel {

// True for the tally reports (count, quote, comment, stats, month), whose
// tables --format tsv writes.
bool HasTables(std::string_view report);

}  // namespace tobrel

#include "output/log_information.h"

#include <algorithm>
#include <cstdio>
#include <filesystem>
#include <system_error>

#include "core/log_line_recognizers.h"
#include "core/posting_assembler.h"
#include "core/utf8_log_text.h"
#include "output/sub_header_date.h"
#include "platform/path_text.h"

namespace tobrel {

std::vector<std::string> LogInformationLines(const std::string& path, std::uintmax_t size,
                                             const LogLines& lines) {
  std::int32_t smallest = 65001, largest = 0;
  DateTime earliest = *EncodeDateTime({2085, 12, 31, 0, 0, 0});
  DateTime latest = *EncodeDateTime({1985, 4, 1, 0, 0, 0});
  long long postings = 0;
  for (std::size_t i = 0; i < lines.size(); ++i) {
    const std::string_view line = lines[i];
    const bool five = IsPostingHeader5(line);
    if (five || IsPostingHeader3(line)) {
      ++postings;
      const auto fields = five ? ParsePostingHeader5(line) : ParsePostingHeader3(line);
      const std::int32_t number = ReadLogInteger(fields.number, i + 1);
      smallest = std::min(smallest, number);
      largest = std::max(largest, number);
    } else if (IsSubHeaderLine(line)) {
      const auto posted_at = PivotedSubHeaderDateTime(line);
      if (!posted_at)
        throw InvalidLogFailure(i + 1,
                                "'" + SubHeaderDateTime(line) + "' is not a valid date and time");
      earliest = std::min(earliest, *posted_at);
      latest = std::max(latest, *posted_at);
    }
  }
  char counts[64], numbers[64];
  std::snprintf(counts, sizeof counts, "    %8lld Lines   %5lld Articles",
                static_cast<long long>(lines.size()), postings);
  std::snprintf(numbers, sizeof numbers, "    #%.5d - #%.5d ", smallest, largest);
  return {PathToCp932(path),
          "",
          "  LOG File Size : " + std::to_string(size) + " Byte",
          counts,
          numbers,
          FormatDateTime("    yy/mm/dd hh:nn:ss", earliest) + " - " +
              FormatDateTime("    yy/mm/dd hh:nn:ss", latest)};
}

std::vector<std::string> LogInformationLines(const std::string& path) {
  LogLines lines;
  LoadLogLinesAsCp932(path, lines);  // a UTF-8 log counts as its Shift-JIS original
  std::error_code error;
  const std::uintmax_t size = std::filesystem::file_size(path, error);
  return LogInformationLines(path, error ? 0 : size, lines);
}

}  // namespace tobrel

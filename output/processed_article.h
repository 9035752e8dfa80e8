// Writing one posting of the processed log: the range test, leaving out
// deleted postings, the aligned header, the recounted comment count in the
// sub-header line and the cleaned body lines.
#pragma once

#include <cstddef>
#include <string>
#include <string_view>
#include <vector>

#include "output/process_settings.h"
#include "output/recount_list.h"

namespace tobrel {

class ProcessedArticleWriter {
 public:
  // Appends to `out`, lines ended by CR LF. `recount` is used when the
  // settings ask for it. All must outlive the writer.
  ProcessedArticleWriter(const ProcessSettings& settings, const RecountedComments& recount,
                         std::string& out);

  // Writes the posting when it is in the range and not left out.
  // `sub_header_line` (1-based) names the line in errors: throws
  // InvalidLogFailure for a date that does not exist.
  void WriteProcessedArticle(std::string_view header, std::string_view sub_header,
                             const std::vector<std::string_view>& body,
                             std::size_t sub_header_line);

 private:
  bool InRange(std::int32_t number, std::string_view sub_header, std::size_t line) const;
  void WriteHeader(std::string_view header, bool five_digits);
  void WriteSubHeader(std::string_view sub_header, std::int32_t number);
  void WriteBodyLine(std::string_view line);
  void WriteLine(std::string_view line);

  const ProcessSettings& settings_;
  const RecountedComments& recount_;
  std::string& out_;
  std::int32_t first_number_, last_number_;
  DateTime first_day_, after_last_day_;
  std::string scratch_;
};

// Makes the removals the settings ask for in the body line that stands in
// `text` from byte `from` to its end: trailing blanks and control codes,
// EOF codes, TAB codes, delimiters, in that order.
void CleanBodyLine(std::string& text, std::size_t from, const ProcessSettings& settings);

// The sub-header line with the recounted comment `count` written in: a line
// of 21, 40 or 54 bytes gets the count text or the count appended; a line
// that already ends in a count gets the new count in its place (or, for 0,
// goes back to its first 40 bytes); any other line, or 0, stays as it is.
std::string SubHeaderWithCount(std::string_view sub_header, std::int32_t count);

}  // namespace tobrel

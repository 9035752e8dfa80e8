#include "tally/tsv_text.h"

#include "platform/cp932.h"

namespace tobrel {

// A control byte never stands inside a two-byte CP932 character (trail
// bytes are 0x40 and above, 0x7F excluded), so a byte-wise scan is safe.
void AppendTsvCell(std::string_view cell, std::string& line) {
  for (const char c : cell) {
    const auto byte = static_cast<unsigned char>(c);
    line += byte < 0x20 || byte == 0x7F ? ' ' : c;
  }
}

namespace {

std::string TsvLine(const std::vector<std::string>& cells) {
  std::string line;
  for (std::size_t i = 0; i < cells.size(); ++i) {
    if (i > 0) line += '\t';
    AppendTsvCell(cells[i], line);
  }
  return line;
}

}  // namespace

ReportText TsvLines(const ReportData& data) {
  ReportText lines;
  for (std::size_t i = 0; i < data.size(); ++i) {
    if (i > 0) lines.emplace_back();
    lines.push_back(TsvLine(data[i].header));
    for (const auto& row : data[i].rows) lines.push_back(TsvLine(row));
  }
  return lines;
}

std::string TsvDocument(const ReportData& data) {
  std::string text;
  for (const std::string& line : TsvLines(data)) {
    text += cp932::ToUtf8(line);
    text += '\n';
  }
  return text;
}

}  // namespace tobrel

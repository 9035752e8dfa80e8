#include "ui/models/result_search.h"

#include "platform/cp932.h"
#include "platform/text_case.h"

namespace tobrel {
namespace {

// `text` with each two-character "\n" replaced by `eol`, then ended by `eol`.
std::string WithLineBreaks(std::string_view text, std::string_view eol) {
  std::string out;
  for (std::size_t i = 0; i < text.size(); ++i) {
    if (text[i] == '\\' && i + 1 < text.size() && text[i + 1] == 'n') {
      out += eol;
      ++i;
    } else {
      const std::size_t next = cp932::NextCharPos(text, i);
      out.append(text.substr(i, next - i));
      i = next - 1;
    }
  }
  out += eol;
  return out;
}

}  // namespace

std::int64_t FindInResult(std::string_view text, std::string_view needle, std::int64_t from,
                          bool match_case) {
  if (needle.empty() || from < 0 || static_cast<std::size_t>(from) > text.size()) return -1;
  // Folding keeps every byte where it was, so offsets stay valid.
  const std::string folded_text = match_case ? std::string(text) : UpperCp932(text);
  const std::string folded_needle = match_case ? std::string(needle) : UpperCp932(needle);
  // The start must be a character boundary of the whole text.
  std::size_t start = 0;
  while (start < static_cast<std::size_t>(from)) start = cp932::NextCharPos(text, start);
  const std::size_t found = cp932::FindAligned(folded_text, folded_needle, start);
  return found == std::string_view::npos ? -1 : static_cast<std::int64_t>(found);
}

std::string EditorFileText(std::string_view header, const std::vector<std::string>& lines,
                           std::string_view footer, bool utf8) {
  const std::string_view eol = utf8 ? "\n" : "\r\n";
  std::string text;
  if (!header.empty()) text += WithLineBreaks(header, eol);
  for (const std::string& line : lines) {
    text += line;
    text += eol;
  }
  if (!footer.empty()) text += WithLineBreaks(footer, eol);
  return utf8 ? cp932::ToUtf8(text) : text;
}

}  // namespace tobrel

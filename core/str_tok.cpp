#include "core/str_tok.h"

#include "platform/cp932.h"

namespace tobrel {
namespace {

bool IsDelimiter(const TStrTokRec& tok, std::size_t index) {
  return tok.delimiters.find(tok.line[index]) != std::string_view::npos;
}

}  // namespace

std::string_view StrTokFirst(TStrTokRec& tok, std::string_view line, std::string_view delimiters) {
  tok.line = line;
  tok.delimiters = delimiters;
  tok.position = 1;
  return StrTokNext(tok);
}

std::string_view StrTokNext(TStrTokRec& tok) {
  const std::size_t size = tok.line.size();
  std::size_t at = static_cast<std::size_t>(tok.position - 1);
  if (tok.position < 1 || at >= size) return {};
  while (at < size && IsDelimiter(tok, at)) ++at;
  const std::size_t start = at;
  while (at < size && !IsDelimiter(tok, at)) {
    // A lead byte takes the next byte along, whatever it is.
    at = cp932::IsLeadByte(static_cast<unsigned char>(tok.line[at])) && at + 1 < size ? at + 2 : at + 1;
  }
  const std::size_t end = at;
  while (at < size && IsDelimiter(tok, at)) ++at;
  // Lines of the read-data file stay far below 2 GiB; clamp all the same.
  tok.position = at >= 0x7FFFFFFF ? 0x7FFFFFFF : static_cast<std::int32_t>(at + 1);
  return tok.line.substr(start, end - start);
}

}  // namespace tobrel

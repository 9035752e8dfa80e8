#include "core/log_line_recognizers.h"

#include <cstring>

#include "platform/cp932.h"

namespace tobrel {
namespace {

// Byte at 1-based column `col`; the caller has checked the length.
inline char At(std::string_view line, std::size_t col) { return line[col - 1]; }
inline bool IsDigit(char c) { return c >= '0' && c <= '9'; }
inline bool IsLetter(char c) { return c >= 'A' && c <= 'Z'; }

bool DigitsAt(std::string_view line, std::size_t first, std::size_t last) {
  for (std::size_t col = first; col <= last; ++col)
    if (!IsDigit(At(line, col))) return false;
  return true;
}

// Columns first..first+7 hold "********" or three letters and five digits.
bool IdAt(std::string_view line, std::size_t first) {
  if (line.substr(first - 1, 8) == "********") return true;
  for (std::size_t col = first; col < first + 3; ++col)
    if (!IsLetter(At(line, col))) return false;
  return DigitsAt(line, first + 3, first + 7);
}

std::string_view TrimTrailingBlanks(std::string_view text) {
  while (!text.empty() && text.back() == ' ') text.remove_suffix(1);
  return text;
}

bool RoomHeaderStart(std::string_view line) {
  return line.size() >= 28 && At(line, 1) == '-' && At(line, 2) == ' ' &&
         cp932::FindAligned(line, "MES(") != std::string_view::npos &&
         cp932::FindAligned(line, "):") != std::string_view::npos;
}

// True when a character starts at `pos`. The bytes just before it that can
// start a two-byte character are counted back to one that cannot, which
// ends a character, or to the line's start: from there each of them starts
// a character two bytes long.
inline bool StartsCharacter(std::string_view line, std::size_t pos) {
  std::size_t first = pos;
  while (first > 0 && cp932::IsLeadByte(static_cast<unsigned char>(line[first - 1]))) --first;
  return (pos - first) % 2 == 0;
}

// cp932::FindAligned(line, mark), without walking the characters of the
// line from its start: each occurrence is checked on its own. A mark here
// holds a byte that cannot start a character, so no count reaches back past
// the occurrence before.
inline std::size_t FindMark(std::string_view line, std::string_view mark) {
  std::size_t pos = line.find(mark);
  while (pos != std::string_view::npos && !StartsCharacter(line, pos))
    pos = line.find(mark, pos + 1);
  return pos;
}

// Title of a posting header: from `blank_col` + 1 when that column is a
// blank, otherwise after the last blank at or before `blank_col` - 1.
std::string_view TitleAfter(std::string_view line, std::size_t blank_col) {
  if (line.size() >= blank_col && At(line, blank_col) == ' ') return line.substr(blank_col);
  for (std::size_t col = blank_col - 1; col >= 1; --col)
    if (At(line, col) == ' ') return line.substr(col);
  return line;
}

}  // namespace

bool IsRoomHeaderLine(std::string_view line) {
  const std::size_t L = line.size();
  return L >= 28 && At(line, 1) == '-' && At(line, L) == '-' && At(line, L - 1) == ' ' &&
         At(line, L - 10) == ' ' && At(line, L - 4) == '/' && At(line, L - 7) == '/' &&
         IsDigit(At(line, L - 9)) && IsDigit(At(line, L - 8)) && IsDigit(At(line, L - 6)) &&
         IsDigit(At(line, L - 5)) && IsDigit(At(line, L - 3)) && IsDigit(At(line, L - 2)) &&
         RoomHeaderStart(line);
}

bool IsRoomHeaderLineLong(std::string_view line) {
  const std::size_t L = line.size();
  return L >= 28 && At(line, L) == '-' && At(line, L - 1) == ' ' && At(line, L - 12) == ' ' &&
         At(line, L - 4) == '/' && At(line, L - 7) == '/' && DigitsAt(line, L - 11, L - 8) &&
         IsDigit(At(line, L - 6)) && IsDigit(At(line, L - 5)) && IsDigit(At(line, L - 3)) &&
         IsDigit(At(line, L - 2)) && RoomHeaderStart(line);
}

bool IsPostingHeader5(std::string_view line) {
  return line.size() >= 40 && IsDigit(At(line, 1)) && At(line, 6) == '/' && At(line, 12) == ' ' &&
         At(line, 21) == ' ' && At(line, 22) == ' ' && DigitsAt(line, 1, 5) &&
         DigitsAt(line, 7, 11) && IdAt(line, 13);
}

bool IsPostingHeader3(std::string_view line) {
  return line.size() >= 39 && IsDigit(At(line, 1)) && At(line, 4) == '/' && At(line, 8) == ' ' &&
         At(line, 9) == ' ' && At(line, 10) == ' ' && At(line, 19) == ' ' && At(line, 20) == ' ' &&
         DigitsAt(line, 1, 3) && DigitsAt(line, 5, 7) && IdAt(line, 11);
}

bool LooksLikePostingHeader(std::string_view line) {
  if (line.empty() || !IsDigit(line[0])) return false;
  const std::size_t size = line.size();
  std::size_t i = 0;
  // Digits from `i`, between one and six of them.
  auto number = [&] {
    const std::size_t first = i;
    while (i < size && IsDigit(line[i])) ++i;
    return i > first && i - first <= 6;
  };
  auto blank = [&] { return i < size && (line[i] == ' ' || line[i] == '\t'); };
  if (!number() || i == size || line[i++] != '/' || !number() || !blank()) return false;
  while (blank()) ++i;
  const std::size_t id = i;
  while (i < size && (IsDigit(line[i]) || IsLetter(line[i]) || (line[i] >= 'a' && line[i] <= 'z') ||
                      line[i] == '*'))
    ++i;
  return i - id == 8 && (i == size || blank());
}

PostingHeaderFields ParsePostingHeader5(std::string_view line) {
  return {line.substr(0, 5), line.substr(12, 8), TrimTrailingBlanks(line.substr(22, 16)),
          TitleAfter(line, 39)};
}

PostingHeaderFields ParsePostingHeader3(std::string_view line) {
  return {line.substr(0, 3), line.substr(10, 8), TrimTrailingBlanks(line.substr(20, 16)),
          TitleAfter(line, 38)};
}

bool IsSubHeaderLine(std::string_view line) {
  if (line.size() < 21) return false;
  if (At(line, 1) != '(' || At(line, 4) != ')' || At(line, 5) != ' ' || At(line, 6) != ' ' ||
      At(line, 7) != ' ' || At(line, 10) != '/' || At(line, 13) != '/' || At(line, 16) != ' ' ||
      At(line, 19) != ':')
    return false;
  if (At(line, 2) != ' ' && !IsDigit(At(line, 2))) return false;
  for (std::size_t col : {3, 8, 9, 11, 12, 14, 15, 17, 18, 20, 21})
    if (!IsDigit(At(line, col))) return false;
  return true;
}

std::string SubHeaderDateTime(std::string_view line) {
  char buffer[17];
  return std::string(SubHeaderDateTime(line, buffer));
}

std::string_view SubHeaderDateTime(std::string_view line, char (&buffer)[17]) {
  if (!IsSubHeaderLine(line)) return {};
  line.copy(buffer, 8, 7);
  buffer[8] = ' ';
  line.copy(buffer + 9, 5, 16);
  std::memcpy(buffer + 14, ":00", 3);
  return {buffer, sizeof buffer};
}

std::int32_t SubHeaderRoom(std::string_view line) {
  // A blank or a digit, then a digit, as in every sub-header line.
  if (line.size() >= 3 && (line[1] == ' ' || IsDigit(line[1])) && IsDigit(line[2]))
    return (line[1] == ' ' ? 0 : line[1] - '0') * 10 + (line[2] - '0');
  return ParseDecimal(line.substr(1, 2)).value_or(0);
}

std::string_view SubHeaderCommentTo(std::string_view line) {
  static constexpr std::string_view kCommentMark = "\x82\xd6\x82\xcc\x83\x52\x83\x81\x83\x93\x83\x67";  // へのコメント
  if (line.size() < 25) return {};
  const std::size_t pos = FindMark(line, kCommentMark);
  if (pos == std::string_view::npos || pos < 23) return {};
  return line.substr(23, pos - 23);
}

std::int32_t SubHeaderCommentCount(std::string_view line) {
  static constexpr std::string_view kColon = "\x81\x46";  // ：
  if (line.size() < 44) return 0;
  const std::size_t pos = FindMark(line, kColon);
  if (pos == std::string_view::npos) return 0;
  return ParseDecimal(line.substr(pos + 2)).value_or(0);
}

std::optional<std::int32_t> ParseDecimal(std::string_view text) {
  // Most texts are up to nine digits and nothing else, which cannot leave
  // 32 bits: those are read without a test for each byte.
  if (!text.empty() && text.size() <= 9) {
    std::uint32_t value = 0;
    bool digits = true;
    for (const char c : text) {
      const auto digit = static_cast<unsigned char>(c - '0');
      digits &= digit < 10;
      value = value * 10 + digit;
    }
    if (digits) return static_cast<std::int32_t>(value);
  }
  std::size_t pos = 0;
  while (pos < text.size() && text[pos] == ' ') ++pos;
  bool negative = false;
  if (pos < text.size() && (text[pos] == '+' || text[pos] == '-')) negative = text[pos++] == '-';
  if (pos == text.size()) return std::nullopt;
  std::int64_t value = 0;
  for (; pos < text.size(); ++pos) {
    if (!IsDigit(text[pos])) return std::nullopt;
    value = value * 10 + (text[pos] - '0');
    if (value > 2147483648LL) return std::nullopt;
  }
  if (negative) value = -value;
  if (value > 2147483647LL) return std::nullopt;
  return static_cast<std::int32_t>(value);
}

}  // namespace tobrel

// Recognisers and field extractors for the lines of a forum log: room header
// lines, the two forms of posting header, the sub-header with room, date,
// comment target and comment count, delimiters and skipped lines. Each looks
// at one line (without its line end) and has no side effects. Columns are
// 1-based bytes; a full-width character takes two. A change to what they
// take goes with a new kLogReaderVersion (core/log_cache_key.h).
#pragma once

#include <cstdint>
#include <optional>
#include <string>
#include <string_view>

namespace tobrel {

// "- ... MES(nn): name ... yy/mm/dd -"
bool IsRoomHeaderLine(std::string_view line);
// The same with a four-digit year "yyyy/mm/dd".
bool IsRoomHeaderLineLong(std::string_view line);

// "nnnnn/nnnnn ID      handle           title"
bool IsPostingHeader5(std::string_view line);
// "nnn/nnn    ID      handle           title"
bool IsPostingHeader3(std::string_view line);

// A posting header's shape, loosely: a number, "/", a number, blanks or
// tabs, then eight letters, digits or "*" before a blank or the line's end.
// It takes the header lines that the two above take and those that a tool
// damaged (blanks trimmed or made tabs, a shorter number, a lower-case ID),
// and hardly any text line. Lines not starting with a digit fail at once.
bool LooksLikePostingHeader(std::string_view line);

struct PostingHeaderFields {
  std::string_view number;  // digits only
  std::string_view id;
  std::string_view handle;  // trailing blanks removed
  std::string_view title;
};
// Only for lines that pass the matching recogniser; views point into `line`.
PostingHeaderFields ParsePostingHeader5(std::string_view line);
PostingHeaderFields ParsePostingHeader3(std::string_view line);

// "(rr)   yy/mm/dd hh:mm ..."
bool IsSubHeaderLine(std::string_view line);
// "yy/mm/dd hh:mm:00" of a sub-header line; empty for any other line.
std::string SubHeaderDateTime(std::string_view line);
// The same text written into `buffer`, for a run that reads many postings.
std::string_view SubHeaderDateTime(std::string_view line, char (&buffer)[17]);
// The room number in columns 2-3 of a sub-header line.
std::int32_t SubHeaderRoom(std::string_view line);
// The text before "へのコメント" from column 24; empty when there is none.
std::string_view SubHeaderCommentTo(std::string_view line);
// The number after the full-width colon "："; 0 when absent or unreadable.
std::int32_t SubHeaderCommentCount(std::string_view line);

// A blank and a backspace: the posting delimiter.
inline bool IsDelimiterLine(std::string_view line) { return line.substr(0, 2) == " \b"; }
// "X", backspace, "!!": a line never counted as own text.
inline bool IsSkippedLine(std::string_view line) { return line.substr(0, 4) == "X\b!!"; }

// Reads a decimal number: leading blanks, an optional sign, then digits and
// nothing else, within 32 bits. Gives nothing otherwise.
std::optional<std::int32_t> ParseDecimal(std::string_view text);

}  // namespace tobrel

// The assembler is a three-state machine fed one line at a time. In
// SeekHeader it waits for a posting header; the line after a header must be
// the sub-header, or the header is dropped (and that line is not tried as a
// header). In InBody every line is body text until a delimiter ends the
// posting, or a new header does (unless only delimiters count), in which case
// the running posting is handed over before the header is taken. Body lines
// add their visible characters to the quoted or the own count; the second
// body line may name the comment target as "RE:nnnnn".
#include "core/posting_assembler.h"

#include <algorithm>
#include <cctype>
#include <limits>

#include "core/count_chars.h"
#include "core/log_line_recognizers.h"

namespace tobrel {
namespace {

// Cheap tests that rule out most lines (body text, blank lines) before the
// recognisers are asked: by the length and the first byte each form needs.
inline bool MayBeRoomHeader(std::string_view line) { return line.size() >= 28 && line[0] == '-'; }
inline bool MayBePostingHeader(std::string_view line) {
  return line.size() >= 39 && line[0] >= '0' && line[0] <= '9';
}

// LooksLikePostingHeader, with its first test where the compiler can inline
// it: most lines do not start with a digit.
inline bool HeaderLike(std::string_view line) {
  return !line.empty() && line[0] >= '0' && line[0] <= '9' && LooksLikePostingHeader(line);
}

}  // namespace

PostingAssembler::PostingAssembler(Options options, QuotedLineTest is_quoted, Sink sink)
    : options_(options), is_quoted_(std::move(is_quoted)), sink_(std::move(sink)) {}

// The record keeps own, quoted and total characters in 32 bits: a posting
// whose total would not fit is an error of the line that took it over.
inline void PostingAssembler::AddChars(std::int32_t& counter, std::int64_t chars) {
  const std::int64_t total = std::int64_t{posting_.own_chars} + posting_.quoted_chars + chars;
  if (total > std::numeric_limits<std::int32_t>::max()) [[unlikely]]
    RefuseTooManyChars();
  counter += static_cast<std::int32_t>(chars);
}

void PostingAssembler::RefuseTooManyChars() {
  state_ = State::SeekHeader;
  throw InvalidLogFailure(line_number_, "the posting has more than 2147483647 characters");
}

bool PostingAssembler::TryStartPosting(std::string_view line) {
  PostingHeaderFields fields;
  if (IsPostingHeader5(line))
    fields = ParsePostingHeader5(line);
  else if (IsPostingHeader3(line))
    fields = ParsePostingHeader3(line);
  else
    return false;
  posting_.number.assign(fields.number);
  posting_.id.assign(fields.id);
  posting_.handle.assign(fields.handle);
  posting_.title.assign(fields.title);
  posting_.own_chars = 0;
  posting_.quoted_chars = 0;
  AddChars(posting_.own_chars, CountChars(fields.title, options_.exclude_interway));
  posting_.re_number = 0;
  state_ = State::ExpectSubHeader;
  return true;
}

void PostingAssembler::Feed(std::string_view line) {
  ++line_number_;
  if (MayBeRoomHeader(line) && IsRoomHeaderLine(line)) return;
  switch (state_) {
    case State::SeekHeader:
      if (!(MayBePostingHeader(line) && TryStartPosting(line)) && HeaderLike(line)) ++stray_headers_;
      return;
    case State::ExpectSubHeader:
      body_lines_ = 0;
      if (IsSubHeaderLine(line)) {
        posting_.sub_header.assign(line);
        posting_.sub_header_line = line_number_;
        state_ = State::InBody;
      } else {
        // The header before is dropped, and this line is not tried as one.
        stray_headers_ += HeaderLike(line) ? 2 : 1;
        state_ = State::SeekHeader;
      }
      return;
    case State::InBody:
      if (IsDelimiterLine(line)) {
        Complete();
        state_ = State::SeekHeader;
      } else if (!options_.delimiter_only && MayBePostingHeader(line) &&
                 (IsPostingHeader5(line) || IsPostingHeader3(line))) {
        Complete();
        TryStartPosting(line);
      } else {
        if (HeaderLike(line) &&
            !(options_.delimiter_only && (IsPostingHeader5(line) || IsPostingHeader3(line))))
          ++stray_headers_;
        AddBodyLine(line);
      }
      return;
  }
}

void PostingAssembler::FeedEmptyLines(std::size_t count) {
  if (count == 0) return;
  // Only the first can change the state (it drops a header waiting for its
  // sub-header); the rest find it waiting for a header or in a body, where
  // an empty line counts no character and is no comment target, so that
  // only the line numbers and the body's line count move on.
  if (state_ == State::ExpectSubHeader) {
    Feed({});
    --count;
  }
  line_number_ += count;
  if (state_ == State::InBody)
    body_lines_ = static_cast<int>(std::min<std::size_t>(body_lines_ + count, 3));
}

void PostingAssembler::AddBodyLine(std::string_view line) {
  ++body_lines_;
  if (is_quoted_ && is_quoted_(line))
    AddChars(posting_.quoted_chars, CountChars(line, options_.exclude_interway));
  else if (!IsSkippedLine(line))
    AddChars(posting_.own_chars, CountChars(line, options_.exclude_interway));

  if (body_lines_ != 2 || line.size() < 3 || std::toupper(static_cast<unsigned char>(line[0])) != 'R' ||
      std::toupper(static_cast<unsigned char>(line[1])) != 'E' || line[2] != ':')
    return;
  const std::string_view target_text = SubHeaderCommentTo(posting_.sub_header);
  std::int32_t target = 0;
  if (!target_text.empty()) {
    try {
      target = ReadLogInteger(target_text, posting_.sub_header_line);
    } catch (const Failure&) {
      state_ = State::SeekHeader;
      throw;
    }
  }
  if (target == 0) {
    std::string digits;
    for (char c : line.substr(3, 5))
      if (c >= '0' && c <= '9') digits += c;
    target = digits.empty() ? 0 : ParseDecimal(digits).value_or(0);
  }
  posting_.re_number = target;
}

void PostingAssembler::Complete() { sink_(posting_); }

PostingAssembler::Boundary PostingAssembler::boundary() const {
  switch (state_) {
    case State::SeekHeader:
      return Boundary::SeekingHeader;
    case State::ExpectSubHeader:
      return Boundary::HeaderTaken;
    case State::InBody:
      break;
  }
  return Boundary::InsidePosting;
}

void PostingAssembler::Finish() {
  if (state_ == State::InBody) Complete();
  if (state_ == State::ExpectSubHeader) ++stray_headers_;  // a header as the last line
  state_ = State::SeekHeader;
}

Failure InvalidLogFailure(std::size_t line, std::string reason) {
  reason.erase(std::find(reason.begin(), reason.end(), '\0'), reason.end());
  return Failure(FailureKind::InvalidLog, std::move(reason), {}, line);
}

std::int32_t ReadLogInteger(std::string_view text, std::size_t line) {
  if (auto value = ParseDecimal(text)) return *value;
  throw InvalidLogFailure(line, "'" + std::string(text) + "' is not a valid integer value");
}

namespace {

// The day of the posting before, on this thread: postings come in runs of
// the same day, whose start is worked out once.
struct LastDay {
  int current_year = 0, yy = -1, month = 0, day = 0;
  DateTime midnight = 0;
};
thread_local LastDay last_day;

// The date and time of a sub-header line, as ParseDateTime reads the text
// SubHeaderDateTime makes of it: read straight from the columns, which
// IsSubHeaderLine has checked to be digits. Any other line, and a date or
// time that does not exist, take the long way to the same error.
DateTime SubHeaderPostedAt(std::string_view sub_header, std::size_t line, int current_year) {
  if (IsSubHeaderLine(sub_header)) {
    auto two_digits = [&](std::size_t col) {  // 1-based, as the recognisers count
      return (sub_header[col - 1] - '0') * 10 + (sub_header[col] - '0');
    };
    const int yy = two_digits(8), month = two_digits(11), day = two_digits(14);
    const int hour = two_digits(17), minute = two_digits(20);
    LastDay& last = last_day;
    if (yy == last.yy && month == last.month && day == last.day &&
        current_year == last.current_year && hour <= 23 && minute <= 59)
      return AtTimeOfDay(last.midnight, hour, minute, 0);
    DateTimeParts parts;
    parts.year = ExpandTwoDigitYear(yy, current_year);
    parts.month = month;
    parts.day = day;
    if (const auto midnight = EncodeDateTime(parts)) last = {current_year, yy, month, day, *midnight};
    parts.hour = hour;
    parts.minute = minute;
    parts.second = 0;
    if (const auto posted_at = EncodeDateTime(parts)) return *posted_at;
  }
  char date_buffer[17];
  const std::string_view date_text = SubHeaderDateTime(sub_header, date_buffer);
  const auto posted_at = ParseDateTime(date_text, current_year);
  if (!posted_at)
    throw InvalidLogFailure(line, "'" + std::string(date_text) + "' is not a valid date and time");
  return *posted_at;
}

}  // namespace

ArticleRec MakeArticleRec(const CompletedPosting& posting, int current_year) {
  ArticleRec record;
  record.Number = ReadLogInteger(posting.number, posting.sub_header_line);
  record.Id = posting.id;
  record.Handle = posting.handle;
  record.Title = posting.title;
  record.PostedAt = SubHeaderPostedAt(posting.sub_header, posting.sub_header_line, current_year);
  const std::string_view target_text = SubHeaderCommentTo(posting.sub_header);
  record.CommentTo =
      target_text.empty() ? 0 : ReadLogInteger(target_text, posting.sub_header_line);
  if (record.CommentTo == 0) record.CommentTo = posting.re_number;
  record.Room = SubHeaderRoom(posting.sub_header);
  record.CommentCount = SubHeaderCommentCount(posting.sub_header);
  record.OwnChars = posting.own_chars;
  record.QuotedChars = posting.quoted_chars;
  record.TotalChars = posting.own_chars + posting.quoted_chars;
  return record;
}

ExcludedRec MakeExcludedRec(ExclusionReason reason, const CompletedPosting& posting) {
  ExcludedRec record;
  record.Reason = reason;
  record.Room = SubHeaderRoom(posting.sub_header);
  record.Number = ParseDecimal(posting.number).value_or(0);
  record.Id = posting.id;
  record.Handle = posting.handle;
  record.Title = posting.title;
  return record;
}

}  // namespace tobrel

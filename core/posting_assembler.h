// Turns the lines of one forum log into completed postings. A posting is a
// header line, a sub-header line and body lines up to a delimiter, the next
// header (unless only delimiters end postings) or the end of the file; room
// header lines are ignored wherever they stand. A change to what it finds
// goes with a new kLogReaderVersion (core/log_cache_key.h), so that the
// cache of parsed logs reads every log again.
#pragma once

#include <cstdint>
#include <functional>
#include <string>
#include <string_view>

#include "core/article_rec.h"
#include "platform/failure.h"

namespace tobrel {

// A log text that cannot be read as its field requires (an impossible date,
// a comment target that is not a number) is a Failure of kind InvalidLog:
// line() is the line's number (1-based), message() the reason in CP932
// ("'97/02/30 23:45:00' is not a valid date and time"), which ends before
// a NUL byte of the log's text as every message shown does; file() is
// empty, for the caller that knows the file.
Failure InvalidLogFailure(std::size_t line, std::string reason);

// One posting as the log gives it, before its texts are converted.
struct CompletedPosting {
  std::string number, id, handle, title;  // from the header line
  std::string sub_header;
  std::size_t sub_header_line = 0;  // 1-based
  std::int32_t own_chars = 0;
  std::int32_t quoted_chars = 0;
  std::int32_t re_number = 0;  // comment target named by "RE:" on body line 2
};

class PostingAssembler {
 public:
  struct Options {
    bool delimiter_only = false;    // only delimiter lines end a posting
    bool exclude_interway = false;  // web forum link lines count no characters
  };
  using QuotedLineTest = std::function<bool(std::string_view line)>;
  using Sink = std::function<void(const CompletedPosting&)>;

  // `is_quoted` may be empty: then no line is quoted. `sink` receives every
  // completed posting; the reference is valid during the call only.
  PostingAssembler(Options options, QuotedLineTest is_quoted, Sink sink);

  // Feeds the next line (without its line end). Throws InvalidLogFailure
  // when the comment target of the posting is not a number, or when the
  // posting has more characters than its record can count (2^31 - 1); then
  // the posting is dropped and the assembler looks for the next header.
  void Feed(std::string_view line);
  // Feeds `count` empty lines, as as many calls of Feed("") would, at once.
  void FeedEmptyLines(std::size_t count);
  // Ends the file: a posting with its sub-header is completed.
  void Finish();

  // Lines fed so far that look like posting headers (LooksLikePostingHeader)
  // but did not start a posting: refused by the strict recognisers, or not
  // followed by a sub-header. Header lines inside a posting when only
  // delimiters end postings are body text by choice and not counted.
  std::size_t stray_headers() const { return stray_headers_; }

  // Where the lines fed so far leave the lines that follow: at a point
  // where nothing before matters any more (waiting for a header, or a
  // header just taken, which the line decides alone), or inside a posting.
  enum class Boundary { InsidePosting, SeekingHeader, HeaderTaken };
  Boundary boundary() const;

 private:
  enum class State { SeekHeader, ExpectSubHeader, InBody };

  bool TryStartPosting(std::string_view line);
  void AddBodyLine(std::string_view line);
  void AddChars(std::int32_t& counter, std::int64_t chars);
  [[noreturn]] void RefuseTooManyChars();
  void Complete();

  Options options_;
  QuotedLineTest is_quoted_;
  Sink sink_;
  State state_ = State::SeekHeader;
  CompletedPosting posting_;
  int body_lines_ = 0;
  std::size_t line_number_ = 0;
  std::size_t stray_headers_ = 0;
};

// Reads a number text of the log; throws InvalidLogFailure naming `line`.
std::int32_t ReadLogInteger(std::string_view text, std::size_t line);

// The stored posting made of a completed one. Throws InvalidLogFailure for
// a date that does not exist or a comment target that is not a number.
ArticleRec MakeArticleRec(const CompletedPosting& posting, int current_year);
// The record of a completed posting left out of the tallies.
ExcludedRec MakeExcludedRec(ExclusionReason reason, const CompletedPosting& posting);

}  // namespace tobrel

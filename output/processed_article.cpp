#include "output/processed_article.h"

#include <cstdio>
#include <cstdlib>

#include "core/log_line_recognizers.h"
#include "core/posting_assembler.h"
#include "output/sub_header_date.h"
#include "platform/cp932.h"

namespace tobrel {
namespace {

constexpr std::string_view kPosterDeleted = "\x94\xad\x8c\xbe\x8e\xd2\x8d\xed\x8f\x9c";  // 発言者削除
constexpr std::string_view kSysopDeleted = "********";
constexpr std::string_view kCountLabel = "\x83\x52\x83\x81\x83\x93\x83\x67\x90\x94\x81\x46";  // コメント数：
// Length of a sub-header line with a comment reference and no count.
constexpr std::size_t kReferenceLength = 40;

std::int32_t FieldValue(const std::string& text) { return std::atoi(text.c_str()); }

DateTime Day(DateTime value) { return static_cast<double>(static_cast<long long>(value)); }

}  // namespace

void CleanBodyLine(std::string& text, std::size_t from, const ProcessSettings& settings) {
  if (settings.strip_trailing) {
    std::size_t end = text.size();
    while (end > from && static_cast<unsigned char>(text[end - 1]) < 0x21) --end;
    text.resize(end);
  }
  if (!settings.strip_eof && !settings.strip_tabs && !settings.strip_delimiters) return;
  // One pass moves the kept bytes down. Removing every blank-backspace pair
  // until none is left, searching from the start each time, ends in the same
  // text as dropping each backspace together with the kept blank before it;
  // EOF and TAB codes are gone before that, as if removed first.
  std::size_t kept = from;
  for (std::size_t i = from; i < text.size(); ++i) {
    const char c = text[i];
    if ((c == '\x1a' && settings.strip_eof) || (c == '\t' && settings.strip_tabs)) continue;
    if (c == '\b' && settings.strip_delimiters && kept > from && text[kept - 1] == ' ') {
      --kept;
      continue;
    }
    text[kept++] = c;
  }
  text.resize(kept);
}

std::string SubHeaderWithCount(std::string_view sub_header, std::int32_t count) {
  // A line that already holds a count gets the new one in its place, and
  // loses it when no comment is left.
  const std::size_t label = cp932::FindAligned(sub_header, kCountLabel, kReferenceLength);
  const bool has_count = label != std::string_view::npos && sub_header.size() > label + kCountLabel.size();
  if (count == 0)
    return std::string(has_count ? sub_header.substr(0, kReferenceLength) : sub_header);
  const std::string number = std::to_string(count);
  if (has_count) return std::string(sub_header.substr(0, label + kCountLabel.size())) + number;
  std::string line(sub_header);
  switch (sub_header.size()) {
    case 21:
      return line + std::string(21, ' ') + std::string(kCountLabel) + number;
    case kReferenceLength:
      return line + "  " + std::string(kCountLabel) + number;
    case kReferenceLength + 2 + kCountLabel.size():
      return line + number;
    default:
      return line;
  }
}

ProcessedArticleWriter::ProcessedArticleWriter(const ProcessSettings& settings,
                                               const RecountedComments& recount, std::string& out)
    : settings_(settings),
      recount_(recount),
      out_(out),
      first_number_(FieldValue(settings.first_number)),
      last_number_(FieldValue(settings.last_number)),
      first_day_(Day(settings.first_date)),
      after_last_day_(Day(settings.last_date) + 1) {}

void ProcessedArticleWriter::WriteProcessedArticle(std::string_view header,
                                                   std::string_view sub_header,
                                                   const std::vector<std::string_view>& body,
                                                   std::size_t sub_header_line) {
  const bool five_digits = IsPostingHeader5(header);
  const PostingHeaderFields fields =
      five_digits ? ParsePostingHeader5(header) : ParsePostingHeader3(header);
  const std::int32_t number = ReadLogInteger(fields.number, sub_header_line - 1);
  if (!InRange(number, sub_header, sub_header_line)) return;
  if (settings_.drop_deleted &&
      (fields.title.substr(0, kPosterDeleted.size()) == kPosterDeleted || fields.id == kSysopDeleted))
    return;
  WriteHeader(header, five_digits);
  WriteSubHeader(sub_header, number);
  for (const std::string_view line : body) WriteBodyLine(line);
}

bool ProcessedArticleWriter::InRange(std::int32_t number, std::string_view sub_header,
                                     std::size_t line) const {
  const auto posted_at = PivotedSubHeaderDateTime(sub_header);
  if (!posted_at)
    throw InvalidLogFailure(line,
                            "'" + SubHeaderDateTime(sub_header) + "' is not a valid date and time");
  if (settings_.range == ProcessRangeKind::ByNumber)
    return first_number_ <= number && number <= last_number_;
  return first_day_ <= *posted_at && *posted_at < after_last_day_;
}

void ProcessedArticleWriter::WriteHeader(std::string_view header, bool five_digits) {
  if (!settings_.align) {
    WriteLine(header);
    return;
  }
  scratch_.assign(header);
  if (five_digits) {
    scratch_.replace(6, 5, settings_.align_number);
  } else {
    const std::int32_t value = FieldValue(settings_.align_number);
    char digits[8];
    std::snprintf(digits, sizeof digits, "%.3d", value >= 1 && value <= 999 ? value : 999);
    scratch_.replace(4, 3, digits);
  }
  WriteLine(scratch_);
}

void ProcessedArticleWriter::WriteSubHeader(std::string_view sub_header, std::int32_t number) {
  if (settings_.recount) {
    const auto count = recount_.Find(SubHeaderRoom(sub_header), number);
    if (count) {
      WriteLine(SubHeaderWithCount(sub_header, *count));
      return;
    }
  }
  WriteLine(sub_header);
}

void ProcessedArticleWriter::WriteBodyLine(std::string_view line) {
  // The line is cleaned where it is written.
  const std::size_t start = out_.size();
  out_ += line;
  CleanBodyLine(out_, start, settings_);
  if (settings_.drop_room_headers && IsRoomHeaderLine(std::string_view(out_).substr(start))) {
    out_.resize(start);
    return;
  }
  out_ += "\r\n";
}

void ProcessedArticleWriter::WriteLine(std::string_view line) {
  out_ += line;
  out_ += "\r\n";
}

}  // namespace tobrel

#include "tally/report_fields.h"

#include <charconv>
#include <cstdio>

#include "core/format_thousands.h"
#include "platform/cp932.h"

namespace tobrel {

std::string AlignRight(std::string_view text, std::size_t width) {
  std::string field;
  if (text.size() < width) field.assign(width - text.size(), ' ');
  field += text;
  return field;
}

std::string AlignLeft(std::string_view text, std::size_t width) {
  std::string field(text);
  if (field.size() < width) field.append(width - field.size(), ' ');
  return field;
}

std::string IntField(std::int64_t value, std::size_t width) {
  std::string field;
  AppendIntField(value, width, field);
  return field;
}

void AppendIntField(std::int64_t value, std::size_t width, std::string& line) {
  char digits[24];
  const std::size_t length =
      static_cast<std::size_t>(std::to_chars(digits, digits + sizeof digits, value).ptr - digits);
  if (length < width) line.append(width - length, ' ');
  line.append(digits, length);
}

std::string ZeroPadded(std::int64_t value, int digits) {
  char buffer[32];
  std::snprintf(buffer, sizeof buffer, "%.*lld", digits, static_cast<long long>(value));
  return buffer;
}

std::string CountField(std::int64_t value, std::size_t width) {
  return AlignRight(FormatThousands(value), width);
}

std::string Rule(char c, std::size_t count) { return std::string(count, c); }

std::string FramedRule(std::size_t width) {
  std::string rule = Rule('-', width);
  if (!rule.empty()) rule.front() = rule.back() = '*';
  return rule;
}

std::string_view TrimRight(std::string_view text) {
  while (!text.empty() && static_cast<unsigned char>(text.back()) <= ' ') text.remove_suffix(1);
  return text;
}

std::string PercentField(std::int64_t value, std::int64_t total, std::size_t width) {
  // Hundredths of a percent, rounded half up: floor((2 * value * 10000 + total) / (2 * total)).
  const unsigned __int128 numerator =
      static_cast<unsigned __int128>(value) * 20000 + static_cast<unsigned __int128>(total);
  const auto hundredths =
      static_cast<unsigned long long>(numerator / (static_cast<unsigned __int128>(total) * 2));
  char buffer[48];
  std::snprintf(buffer, sizeof buffer, "%llu.%02llu", hundredths / 100, hundredths % 100);
  return AlignRight(buffer, width);
}

std::string TotalsLineStart(std::size_t entries) {
  static const std::string kTotal = cp932::FromUtf8("合計");
  static const std::string kPeople = cp932::FromUtf8(" 人");
  return kTotal + CountField(static_cast<std::int64_t>(entries), 7) + kPeople;
}

}  // namespace tobrel

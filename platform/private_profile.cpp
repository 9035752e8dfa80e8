#include "platform/private_profile.h"

#include <charconv>

#include "platform/atomic_file.h"
#include "platform/regular_file.h"

namespace tobrel {
namespace {

std::string_view Trim(std::string_view text) {
  const std::size_t first = text.find_first_not_of(" \t");
  if (first == std::string_view::npos) return {};
  const std::size_t last = text.find_last_not_of(" \t");
  return text.substr(first, last - first + 1);
}

bool EqualIgnoringCase(std::string_view a, std::string_view b) {
  if (a.size() != b.size()) return false;
  for (std::size_t i = 0; i < a.size(); ++i) {
    unsigned char x = static_cast<unsigned char>(a[i]), y = static_cast<unsigned char>(b[i]);
    if (x >= 'a' && x <= 'z') x -= 32;
    if (y >= 'a' && y <= 'z') y -= 32;
    if (x != y) return false;
  }
  return true;
}

// The name of a "[name]" line, or nothing for any other line.
std::optional<std::string_view> SectionName(std::string_view line) {
  const std::string_view trimmed = Trim(line);
  if (trimmed.size() < 2 || trimmed.front() != '[') return std::nullopt;
  const std::size_t close = trimmed.find(']');
  if (close == std::string_view::npos) return std::nullopt;
  return Trim(trimmed.substr(1, close - 1));
}

// The key of a "key=value" line, or nothing for a line without "=".
std::optional<std::string_view> KeyName(std::string_view line) {
  const std::size_t equals = line.find('=');
  if (equals == std::string_view::npos) return std::nullopt;
  return Trim(line.substr(0, equals));
}

}  // namespace

PrivateProfile::PrivateProfile(std::string_view bytes) {
  std::size_t start = 0;
  while (start < bytes.size()) {
    const std::size_t end = bytes.find_first_of("\r\n", start);
    if (end == std::string_view::npos) {
      lines_.emplace_back(bytes.substr(start));
      break;
    }
    lines_.emplace_back(bytes.substr(start, end - start));
    start = end + 1;
    if (bytes[end] == '\r' && start < bytes.size() && bytes[start] == '\n') ++start;
  }
}

std::optional<std::string> PrivateProfile::Find(std::string_view section,
                                                std::string_view key) const {
  bool seen_section = false, inside = false;
  for (const std::string& line : lines_) {
    if (const auto name = SectionName(line)) {
      // Only the first section of that name counts.
      if (inside) return std::nullopt;
      inside = !seen_section && EqualIgnoringCase(*name, section);
      seen_section = seen_section || inside;
      continue;
    }
    if (!inside) continue;
    const auto name = KeyName(line);
    if (name && EqualIgnoringCase(*name, key))
      return std::string(Trim(std::string_view(line).substr(line.find('=') + 1)));
  }
  return std::nullopt;
}

std::string PrivateProfile::ReadString(std::string_view section, std::string_view key,
                                       std::string_view fallback) const {
  if (auto value = Find(section, key)) return std::move(*value);
  return std::string(fallback);
}

int PrivateProfile::ReadInteger(std::string_view section, std::string_view key,
                                int fallback) const {
  const auto value = Find(section, key);
  if (!value || value->empty()) return fallback;
  const char* first = value->data();
  const char* last = first + value->size();
  if (*first == '+') ++first;
  int number = 0;
  const auto [end, error] = std::from_chars(first, last, number);
  if (error != std::errc() || end != last) return fallback;
  return number;
}

bool PrivateProfile::ReadBool(std::string_view section, std::string_view key,
                              bool fallback) const {
  return ReadInteger(section, key, fallback ? 1 : 0) != 0;
}

DateTime PrivateProfile::ReadDate(std::string_view section, std::string_view key,
                                  DateTime fallback) const {
  // A four-digit year and a date alone: "1999/2/3" reads, "99/02/03" and a
  // time of day do not.
  const auto value = Find(section, key);
  if (!value || value->find('/') != 4 || value->find(' ') != std::string::npos) return fallback;
  return ParseDateTime(*value, 2000).value_or(fallback);
}

void PrivateProfile::WriteString(std::string_view section, std::string_view key,
                                 std::string_view value) {
  value = value.substr(0, value.find_first_of("\r\n"));
  std::string entry(key);
  entry += '=';
  entry += value;

  // Where the section starts, and after its last key line.
  std::size_t insert_at = lines_.size();
  bool inside = false, found = false;
  for (std::size_t i = 0; i < lines_.size(); ++i) {
    if (const auto name = SectionName(lines_[i])) {
      if (inside) break;
      inside = !found && EqualIgnoringCase(*name, section);
      if (inside) {
        found = true;
        insert_at = i + 1;
      }
      continue;
    }
    if (!inside) continue;
    const auto name = KeyName(lines_[i]);
    if (name && EqualIgnoringCase(*name, key)) {
      lines_[i] = std::move(entry);
      return;
    }
    if (!Trim(lines_[i]).empty()) insert_at = i + 1;
  }
  if (!found) {
    std::string header(1, '[');
    header += section;
    header += ']';
    lines_.push_back(std::move(header));
    insert_at = lines_.size();
  }
  lines_.insert(lines_.begin() + static_cast<std::ptrdiff_t>(insert_at), std::move(entry));
}

void PrivateProfile::WriteInteger(std::string_view section, std::string_view key, int value) {
  WriteString(section, key, std::to_string(value));
}

void PrivateProfile::WriteBool(std::string_view section, std::string_view key, bool value) {
  WriteString(section, key, value ? "1" : "0");
}

void PrivateProfile::WriteDate(std::string_view section, std::string_view key, DateTime value) {
  WriteString(section, key, FormatDateTime("yyyy/mm/dd", value));
}

std::string PrivateProfile::Bytes() const {
  std::string bytes;
  for (const std::string& line : lines_) {
    bytes += line;
    bytes += "\r\n";
  }
  return bytes;
}

PrivateProfile LoadPrivateProfile(const std::filesystem::path& path) {
  try {
    return PrivateProfile(ReadRegularFile(path, kSmallFileLimit));
  } catch (const Failure& error) {
    if (IsMissingFile(error)) return {};
    throw;
  }
}

void SavePrivateProfile(const std::filesystem::path& path, const PrivateProfile& profile) {
  WriteFileAtomically(path, profile.Bytes());
}

}  // namespace tobrel

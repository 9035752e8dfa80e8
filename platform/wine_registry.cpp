// The registry file format: a line "[Key\\Path] stamp" opens a key, lines
// "name"=value or @=value (the default value) give its values, lines
// beginning with ";" or "#" are comments and options. Names and strings are
// written with C-like escapes: "\\" and "\"", \n and the other letters,
// \x followed by up to four hex digits (a UTF-16 unit) and \ followed by
// up to three octal digits. Binary values ("hex:", "hex(N):") may continue
// over lines that end in "\"; those lines are skipped with their value.
#include "platform/wine_registry.h"

#include <cstring>
#include <fstream>

#include "platform/text_case.h"
#include "platform/utf8.h"

namespace tobrel {
namespace {

int HexDigit(char c) {
  if (c >= '0' && c <= '9') return c - '0';
  if (c >= 'a' && c <= 'f') return c - 'a' + 10;
  if (c >= 'A' && c <= 'F') return c - 'A' + 10;
  return -1;
}

// Reads an escaped text from `pos` up to the unescaped `delimiter` and
// leaves `pos` just after the delimiter; nothing when the delimiter is
// missing. UTF-16 units from \x escapes are joined into characters; a
// lone surrogate becomes U+FFFD.
std::optional<std::string> ReadEscaped(std::string_view line, std::size_t& pos, char delimiter) {
  std::string out;
  char32_t high_surrogate = 0;
  auto put = [&](char32_t unit) {
    if (high_surrogate && unit >= 0xDC00 && unit <= 0xDFFF) {
      AppendUtf8(out, 0x10000 + ((high_surrogate - 0xD800) << 10) + (unit - 0xDC00));
      high_surrogate = 0;
      return;
    }
    if (high_surrogate) AppendUtf8(out, 0xFFFD);
    high_surrogate = 0;
    if (unit >= 0xD800 && unit <= 0xDBFF) {
      high_surrogate = unit;
    } else if (unit >= 0xDC00 && unit <= 0xDFFF) {
      AppendUtf8(out, 0xFFFD);
    } else {
      AppendUtf8(out, unit);
    }
  };
  auto put_byte = [&](char byte) {
    if (high_surrogate) AppendUtf8(out, 0xFFFD);
    high_surrogate = 0;
    out += byte;
  };
  while (pos < line.size()) {
    const char c = line[pos++];
    if (c == delimiter) {
      if (high_surrogate) AppendUtf8(out, 0xFFFD);
      return out;
    }
    if (c != '\\' || pos >= line.size()) {
      put_byte(c);
      continue;
    }
    const char e = line[pos++];
    switch (e) {
      case 'a': put(7); break;
      case 'b': put(8); break;
      case 'e': put(27); break;
      case 'f': put(12); break;
      case 'n': put(10); break;
      case 'r': put(13); break;
      case 't': put(9); break;
      case 'v': put(11); break;
      case 'x': {
        char32_t unit = 0;
        int digits = 0;
        while (digits < 4 && pos < line.size() && HexDigit(line[pos]) >= 0) {
          unit = unit * 16 + static_cast<char32_t>(HexDigit(line[pos++]));
          ++digits;
        }
        if (digits == 0) put_byte('x');
        else put(unit);
        break;
      }
      default:
        if (e >= '0' && e <= '7') {
          char32_t unit = static_cast<char32_t>(e - '0');
          for (int digits = 1; digits < 3 && pos < line.size() && line[pos] >= '0' && line[pos] <= '7';
               ++digits)
            unit = unit * 8 + static_cast<char32_t>(line[pos++] - '0');
          put(unit);
        } else {
          put_byte(e);
        }
    }
  }
  return std::nullopt;
}

// Registry lines are short (binary values are split over lines); a longer
// one is passed over so that a damaged file cannot fill the memory with it.
constexpr std::size_t kMaxLineLength = 1 << 20;

// The lines of a stream, read in blocks. A line longer than
// kMaxLineLength is consumed but not kept.
class LineReader {
 public:
  explicit LineReader(std::istream& in) : in_(in) {}

  // The next line without its LF into `line`; `too_long` tells that it was
  // passed over. False at the end of the input.
  bool Next(std::string& line, bool& too_long) {
    line.clear();
    too_long = false;
    bool any = false;
    for (;;) {
      if (pos_ == end_ && !Fill()) return any;
      any = true;
      const char* start = block_ + pos_;
      const void* newline = std::memchr(start, '\n', end_ - pos_);
      const std::size_t length =
          newline ? static_cast<std::size_t>(static_cast<const char*>(newline) - start) : end_ - pos_;
      if (!too_long && line.size() + length <= kMaxLineLength) {
        line.append(start, length);
      } else {
        too_long = true;
        line.clear();
      }
      pos_ += length;
      if (newline) {
        ++pos_;
        return true;
      }
    }
  }

 private:
  bool Fill() {
    in_.read(block_, sizeof block_);
    pos_ = 0;
    end_ = static_cast<std::size_t>(in_.gcount());
    return end_ > 0;
  }

  std::istream& in_;
  char block_[1 << 16];
  std::size_t pos_ = 0, end_ = 0;
};

// A key path in the form the map keeps: folded, without "\" at either end.
std::string NormalKey(std::string_view key) {
  while (!key.empty() && key.front() == '\\') key.remove_prefix(1);
  while (!key.empty() && key.back() == '\\') key.remove_suffix(1);
  return UpperAscii(key);
}

// A string value cut at its first NUL, as the program would see it.
std::string CutAtNul(std::string text) {
  const std::size_t nul = text.find('\0');
  if (nul != std::string::npos) text.resize(nul);
  return text;
}

}  // namespace

RegistryFile RegistryFile::Parse(std::istream& in) {
  RegistryFile file;
  std::unordered_map<std::string, std::string>* values = nullptr;
  bool continued = false;  // the previous line went on with a final "\"
  LineReader reader(in);
  std::string line;
  bool too_long = false;
  while (reader.Next(line, too_long)) {
    if (too_long) {
      // Its value is lost; a line that was cut must not be read as one.
      continued = false;
      continue;
    }
    if (!line.empty() && line.back() == '\r') line.pop_back();
    const bool ends_in_backslash = !line.empty() && line.back() == '\\';
    if (continued) {
      continued = ends_in_backslash;
      continue;
    }
    std::size_t pos = 0;
    if (line.empty()) continue;
    if (line[0] == '[') {
      ++pos;
      const auto key = ReadEscaped(line, pos, ']');
      values = key ? &file.keys_[NormalKey(*key)] : nullptr;
      continue;
    }
    if (line[0] != '"' && line[0] != '@') continue;
    std::optional<std::string> name;
    if (line[0] == '@') {
      name = "";
      pos = 1;
    } else {
      pos = 1;
      name = ReadEscaped(line, pos, '"');
    }
    if (!name || pos >= line.size() || line[pos] != '=') continue;
    const std::string_view value = std::string_view(line).substr(pos + 1);
    if (value.starts_with("hex")) {
      continued = ends_in_backslash;
      continue;
    }
    std::size_t start;
    if (value.starts_with("\"")) start = 1;
    else if (value.starts_with("str(2):\"") || value.starts_with("str(1):\"")) start = 8;
    else continue;
    const auto text = ReadEscaped(value, start, '"');
    if (text && values) (*values)[UpperAscii(*name)] = CutAtNul(*text);
  }
  return file;
}

RegistryFile RegistryFile::Load(const std::filesystem::path& path) {
  std::ifstream in(path, std::ios::binary);
  if (!in) return {};
  return Parse(in);
}

std::optional<std::string> RegistryFile::ReadString(std::string_view key,
                                                    std::string_view name) const {
  const auto found = keys_.find(NormalKey(key));
  if (found == keys_.end()) return std::nullopt;
  const auto value = found->second.find(UpperAscii(name));
  if (value == found->second.end()) return std::nullopt;
  return value->second;
}

WineRegistry::WineRegistry(const std::filesystem::path& prefix)
    : machine_(RegistryFile::Load(prefix / "system.reg")),
      user_(RegistryFile::Load(prefix / "user.reg")) {}

std::optional<std::string> WineRegistry::ReadString(RegistryRoot root, std::string_view key,
                                                    std::string_view name) const {
  switch (root) {
    case RegistryRoot::LocalMachine:
      return machine_.ReadString(key, name);
    case RegistryRoot::CurrentUser:
      return user_.ReadString(key, name);
    case RegistryRoot::ClassesRoot: {
      const std::string classes_key = "Software\\Classes\\" + std::string(key);
      if (auto value = user_.ReadString(classes_key, name)) return value;
      return machine_.ReadString(classes_key, name);
    }
  }
  return std::nullopt;
}

}  // namespace tobrel

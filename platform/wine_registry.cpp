// The registry file format: a line "[Key\\Path] stamp" opens a key, lines
// "name"=value or @=value (the default value) give its values, lines
// beginning with ";" or "#" are comments and options. Names and strings are
// written with C-like escapes: "\\" and "\"", \n and the other letters,
// \x followed by up to four hex digits (a UTF-16 unit) and \ followed by
// up to three octal digits. Binary values ("hex:", "hex(N):") may continue
// over lines that end in "\"; those lines are skipped with their value.
// Lines of the file's head: ";; All keys relative to REGISTRY\\Machine"
// names the key the file holds, "#arch=win64" marks a 64-bit prefix. A key
// followed by a line "#link" is a link: its value "SymbolicLinkValue",
// hex(6) bytes of UTF-16LE text, names the target key by its full name
// ("\REGISTRY\Machine\Software\Classes\AppId").
#include "platform/wine_registry.h"

#include <cstring>
#include <sstream>
#include <unordered_set>

#include "platform/regular_file.h"
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

// Links are followed this many times at most in one lookup.
constexpr int kMaxLinkHops = 16;
// A link value longer than this is no key name.
constexpr std::size_t kMaxLinkBytes = 1 << 16;

// Appends the bytes of comma-separated hex pairs ("5c,00,52,") to `out`;
// false when `text` holds anything else or `out` grows too long.
bool AppendHexBytes(std::string_view text, std::string& out) {
  for (std::size_t pos = 0; pos < text.size();) {
    if (text[pos] == ',' || text[pos] == ' ' || text[pos] == '\t') {
      ++pos;
      continue;
    }
    if (pos + 1 >= text.size() || HexDigit(text[pos]) < 0 || HexDigit(text[pos + 1]) < 0)
      return false;
    out += static_cast<char>(HexDigit(text[pos]) * 16 + HexDigit(text[pos + 1]));
    pos += 2;
    if (out.size() > kMaxLinkBytes) return false;
  }
  return true;
}

// UTF-16LE bytes as UTF-8, up to a NUL unit; lone surrogates and an odd
// last byte become U+FFFD.
std::string Utf16LeToUtf8(std::string_view bytes) {
  std::string out;
  auto unit_at = [&](std::size_t pos) -> char32_t {
    return static_cast<unsigned char>(bytes[pos]) | static_cast<unsigned char>(bytes[pos + 1]) << 8;
  };
  for (std::size_t pos = 0; pos < bytes.size(); pos += 2) {
    if (pos + 1 == bytes.size()) {
      AppendUtf8(out, 0xFFFD);
      break;
    }
    const char32_t unit = unit_at(pos);
    if (unit == 0) break;
    if (unit >= 0xD800 && unit <= 0xDBFF && pos + 3 < bytes.size()) {
      const char32_t low = unit_at(pos + 2);
      if (low >= 0xDC00 && low <= 0xDFFF) {
        AppendUtf8(out, 0x10000 + ((unit - 0xD800) << 10) + (low - 0xDC00));
        pos += 2;
        continue;
      }
    }
    AppendUtf8(out, unit >= 0xD800 && unit <= 0xDFFF ? 0xFFFD : unit);
  }
  return out;
}

// The folded full name of the key a file holds, from its head line
// ("REGISTRY\\Machine"; older files wrote "\\Machine").
std::string FileRootKey(std::string_view written) {
  std::string root;
  for (std::size_t pos = 0; pos < written.size(); ++pos) {
    root += written[pos];
    if (written[pos] == '\\' && pos + 1 < written.size() && written[pos + 1] == '\\') ++pos;
  }
  root = NormalKey(root);
  return root.starts_with("REGISTRY\\") ? root : "REGISTRY\\" + root;
}

// The key of a 32-bit program's view that stands for `key` of the
// machine's keys (`machine`) or the user's; nothing for a key both views
// share.
std::optional<std::string> ThirtyTwoBitKey(std::string_view key, bool machine) {
  while (!key.empty() && key.front() == '\\') key.remove_prefix(1);
  auto under = [&](std::string_view parent) {
    return StartsWithIgnoringCase(key, parent) &&
           (key.size() == parent.size() || key[parent.size()] == '\\');
  };
  static constexpr std::string_view kClasses = "Software\\Classes", kSoftware = "Software";
  if (under(kClasses))
    return std::string(kClasses) + "\\Wow6432Node" + std::string(key.substr(kClasses.size()));
  if (machine && under(kSoftware))
    return std::string(kSoftware) + "\\Wow6432Node" + std::string(key.substr(kSoftware.size()));
  return std::nullopt;
}

}  // namespace

RegistryFile RegistryFile::Parse(std::istream& in) {
  RegistryFile file;
  std::unordered_map<std::string, std::string>* values = nullptr;
  std::string key;          // the folded name of the key being read
  std::string root;         // the folded full name of the file's key
  std::unordered_set<std::string> link_keys;                  // keys marked "#link"
  std::unordered_map<std::string, std::string> link_targets;  // their full target names
  std::optional<std::string> link_bytes;  // a link value being read over lines
  auto end_link_value = [&] {
    if (link_bytes) link_targets[key] = NormalKey(Utf16LeToUtf8(*link_bytes));
    link_bytes.reset();
  };
  bool continued = false;  // the previous line went on with a final "\"
  LineReader reader(in);
  std::string line;
  bool too_long = false;
  while (reader.Next(line, too_long)) {
    if (too_long) {
      // Its value is lost; a line that was cut must not be read as one.
      continued = false;
      link_bytes.reset();
      continue;
    }
    if (!line.empty() && line.back() == '\r') line.pop_back();
    const bool ends_in_backslash = !line.empty() && line.back() == '\\';
    if (continued) {
      continued = ends_in_backslash;
      if (link_bytes &&
          !AppendHexBytes(std::string_view(line).substr(0, line.size() - continued), *link_bytes))
        link_bytes.reset();
      if (!continued) end_link_value();
      continue;
    }
    std::size_t pos = 0;
    if (line.empty()) continue;
    if (line[0] == '[') {
      ++pos;
      const auto name = ReadEscaped(line, pos, ']');
      key = name ? NormalKey(*name) : "";
      values = name ? &file.keys_[key] : nullptr;
      continue;
    }
    static constexpr std::string_view kRootLine = ";; All keys relative to ";
    if (line.starts_with(kRootLine))
      root = FileRootKey(std::string_view(line).substr(kRootLine.size()));
    if (line == "#arch=win64") file.win64_ = true;
    if (line == "#link" && values) link_keys.insert(key);
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
      static constexpr std::string_view kLinkValue = "hex(6):";
      if (values && EqualsIgnoringCase(*name, "SymbolicLinkValue") &&
          value.starts_with(kLinkValue)) {
        link_bytes.emplace();
        const std::string_view bytes = value.substr(kLinkValue.size());
        if (!AppendHexBytes(bytes.substr(0, bytes.size() - continued), *link_bytes))
          link_bytes.reset();
        if (!continued) end_link_value();
      }
      continue;
    }
    std::size_t start;
    if (value.starts_with("\"")) start = 1;
    else if (value.starts_with("str(2):\"") || value.starts_with("str(1):\"")) start = 8;
    else continue;
    const auto text = ReadEscaped(value, start, '"');
    if (text && values) (*values)[UpperAscii(*name)] = CutAtNul(*text);
  }

  // Links to keys of this file become links by the names the file uses.
  for (const std::string& link : link_keys) {
    const auto target = link_targets.find(link);
    if (target == link_targets.end()) continue;
    std::optional<std::string>& entry = file.links_[link];
    if (!root.empty() && target->second.starts_with(root + "\\"))
      entry = target->second.substr(root.size() + 1);
  }
  return file;
}

RegistryFile RegistryFile::Load(const std::filesystem::path& path) {
  std::string bytes;
  try {
    bytes = ReadRegularFile(path, kRegistryFileLimit);
  } catch (const Failure&) {
    return {};
  }
  std::istringstream in(std::move(bytes));
  return Parse(in);
}

std::optional<std::string> RegistryFile::FollowLinks(std::string key) const {
  if (links_.empty()) return key;
  for (int hop = 0; hop <= kMaxLinkHops; ++hop) {
    // The first key on the way down that is a link leads elsewhere.
    bool followed = false;
    for (std::size_t end = key.find('\\');; end = key.find('\\', end + 1)) {
      const std::size_t length = end == std::string::npos ? key.size() : end;
      const auto link = links_.find(key.substr(0, length));
      if (link != links_.end()) {
        if (!link->second) return std::nullopt;
        key = NormalKey(*link->second + key.substr(length));
        followed = true;
        break;
      }
      if (end == std::string::npos) break;
    }
    if (!followed) return key;
  }
  return std::nullopt;
}

std::optional<std::string> RegistryFile::ReadString(std::string_view key,
                                                    std::string_view name) const {
  const auto followed = FollowLinks(NormalKey(key));
  if (!followed) return std::nullopt;
  const auto found = keys_.find(*followed);
  if (found == keys_.end()) return std::nullopt;
  const auto value = found->second.find(UpperAscii(name));
  if (value == found->second.end()) return std::nullopt;
  return value->second;
}

WineRegistry::WineRegistry(const std::filesystem::path& prefix)
    : machine_(RegistryFile::Load(prefix / "system.reg")),
      user_(RegistryFile::Load(prefix / "user.reg")) {}

std::optional<std::string> WineRegistry::ReadString(RegistryRoot root, std::string_view key,
                                                    std::string_view name,
                                                    RegistryView view) const {
  if (view == RegistryView::Program32)
    if (auto value = Read32BitView(root, key, name)) return value;
  return ReadNative(root, key, name);
}

std::optional<std::string> WineRegistry::Read32BitView(RegistryRoot root, std::string_view key,
                                                       std::string_view name) const {
  switch (root) {
    case RegistryRoot::LocalMachine:
      if (const auto redirected = ThirtyTwoBitKey(key, true); redirected && machine_.IsWin64())
        return machine_.ReadString(*redirected, name);
      return std::nullopt;
    case RegistryRoot::CurrentUser:
      if (const auto redirected = ThirtyTwoBitKey(key, false); redirected && user_.IsWin64())
        return user_.ReadString(*redirected, name);
      return std::nullopt;
    case RegistryRoot::ClassesRoot: {
      const std::string classes_key = "Software\\Classes\\" + std::string(key);
      if (auto value = Read32BitView(RegistryRoot::CurrentUser, classes_key, name)) return value;
      return Read32BitView(RegistryRoot::LocalMachine, classes_key, name);
    }
  }
  return std::nullopt;
}

std::optional<std::string> WineRegistry::ReadNative(RegistryRoot root, std::string_view key,
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

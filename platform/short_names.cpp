// Short names are made from a name's UTF-16 units. Wine's: the first four
// units before the extension (upper-cased, characters DOS names do not
// allow as "_"), "~" up to five characters, three characters of a 15-bit
// hash of the whole name lower-cased, and a dot with the extension's first
// three units. The hash starts at 0xBEEF and takes in every unit with the
// one after it: h = (h << 3) ^ (h >> 5) ^ c[i] ^ (c[i + 1] << 8), kept to
// 16 bits, then once more the last unit alone; its bits 14-10, 9-5 and 4-0
// pick the three characters from "A"-"Z" and "0"-"5". Windows' numeric
// tails: the first six allowed characters before the extension without
// blanks and dots, "~N", and the extension's first three. The extension
// starts at the last dot that is neither the first nor the last character.
// Letters fold for ASCII only, in the hash as in every comparison.
#include "platform/short_names.h"

#include <algorithm>
#include <cstdint>
#include <map>
#include <numeric>

#include "platform/cp932.h"
#include "platform/text_case.h"
#include "platform/utf8_check.h"

namespace tobrel {
namespace {

constexpr std::string_view kHashAlphabet = "ABCDEFGHIJKLMNOPQRSTUVWXYZ012345";
constexpr std::size_t kNone = std::u16string::npos;

// The UTF-16 units of a native name: UTF-8 when it is well-formed, CP932
// otherwise (the conversion gives well-formed UTF-8).
std::u16string Utf16Units(std::string_view name) {
  const std::string utf8 = IsValidUtf8(name) ? std::string(name) : cp932::ToUtf8(name);
  std::u16string units;
  for (std::size_t pos = 0; pos < utf8.size();) {
    const auto lead = static_cast<unsigned char>(utf8[pos]);
    const int length = lead < 0x80 ? 1 : lead < 0xE0 ? 2 : lead < 0xF0 ? 3 : 4;
    char32_t code = length == 1 ? lead : lead & (0x3F >> (length - 1));
    for (int i = 1; i < length && pos + i < utf8.size(); ++i)
      code = code << 6 | (static_cast<unsigned char>(utf8[pos + i]) & 0x3F);
    pos += length;
    if (code < 0x10000) {
      units += static_cast<char16_t>(code);
    } else {
      units += static_cast<char16_t>(0xD800 + ((code - 0x10000) >> 10));
      units += static_cast<char16_t>(0xDC00 + ((code - 0x10000) & 0x3FF));
    }
  }
  return units;
}

// A character a valid 8.3 name may hold besides its one dot: printable
// ASCII without blanks and the characters DOS names forbid.
bool IsShortNameChar(char16_t unit) {
  static constexpr std::string_view kForbidden = "*?<>|\"+=,;[]/\\:";
  return unit > 0x20 && unit < 0x7F && kForbidden.find(static_cast<char>(unit)) == kNone;
}

// A unit as it stands in a made-up short name: upper case, "_" for what a
// short name cannot hold ("~" and "." have their own places there).
char ShortNameChar(char16_t unit) {
  if (!IsShortNameChar(unit) || unit == '~' || unit == '.') return '_';
  return unit >= 'a' && unit <= 'z' ? static_cast<char>(unit - 'a' + 'A') : static_cast<char>(unit);
}

bool IsValid8Dot3(const std::u16string& units) {
  if (units.empty() || units.size() > 12) return false;
  std::size_t dot = kNone;
  for (std::size_t i = 0; i < units.size(); ++i) {
    if (units[i] == '.') {
      if (dot != kNone || i == 0) return false;
      dot = i;
    } else if (!IsShortNameChar(units[i])) {
      return false;
    }
  }
  if (dot == kNone) return units.size() <= 8;
  const std::size_t extension = units.size() - dot - 1;
  return dot <= 8 && extension >= 1 && extension <= 3;
}

// Where the extension's dot is, or kNone.
std::size_t ExtensionDot(const std::u16string& units) {
  const std::size_t dot = units.rfind(u'.');
  return dot == kNone || dot == 0 || dot + 1 == units.size() ? kNone : dot;
}

// "." and the extension's first three units as a short name holds them,
// or nothing without an extension.
std::string ShortExtension(const std::u16string& units) {
  const std::size_t dot = ExtensionDot(units);
  if (dot == kNone) return {};
  std::string extension = ".";
  for (std::size_t i = dot + 1; i < units.size() && i <= dot + 3; ++i)
    extension += ShortNameChar(units[i]);
  return extension;
}

std::uint16_t WineHash(const std::u16string& units) {
  auto lower = [](char16_t unit) -> std::uint16_t {
    return unit >= 'A' && unit <= 'Z' ? unit - 'A' + 'a' : unit;
  };
  std::uint16_t hash = 0xBEEF;
  for (std::size_t i = 0; i + 1 < units.size(); ++i)
    hash = static_cast<std::uint16_t>((hash << 3) ^ (hash >> 5) ^ lower(units[i]) ^
                                      (lower(units[i + 1]) << 8));
  return static_cast<std::uint16_t>((hash << 3) ^ (hash >> 5) ^ lower(units.back()));
}

std::string WineShortNameOf(const std::u16string& units) {
  if (units.empty() || IsValid8Dot3(units)) return {};
  const std::size_t dot = ExtensionDot(units);
  const std::size_t base_end = dot == kNone ? units.size() : dot;
  std::string name;
  for (std::size_t i = 0; i < base_end && i < 4; ++i) name += ShortNameChar(units[i]);
  name.resize(5, '~');
  const std::uint16_t hash = WineHash(units);
  name += kHashAlphabet[(hash >> 10) & 0x1F];
  name += kHashAlphabet[(hash >> 5) & 0x1F];
  name += kHashAlphabet[hash & 0x1F];
  return name + ShortExtension(units);
}

// The basis of Windows' numeric tail; empty when the name has no
// character for one.
std::string NumericTailBasis(const std::u16string& units) {
  const std::size_t dot = ExtensionDot(units);
  const std::size_t base_end = dot == kNone ? units.size() : dot;
  std::string basis;
  for (std::size_t i = 0; i < base_end && basis.size() < 6; ++i)
    if (units[i] != ' ' && units[i] != '.') basis += ShortNameChar(units[i]);
  return basis;
}

}  // namespace

bool IsValid8Dot3Name(std::string_view name) { return IsValid8Dot3(Utf16Units(name)); }

std::string WineShortName(std::string_view name) { return WineShortNameOf(Utf16Units(name)); }

std::optional<std::size_t> FindByShortName(const std::vector<std::string>& names,
                                           std::string_view short_name) {
  if (short_name.find('~') == std::string_view::npos || !IsValid8Dot3Name(short_name))
    return std::nullopt;
  std::vector<std::size_t> order(names.size());
  std::iota(order.begin(), order.end(), std::size_t{0});
  std::sort(order.begin(), order.end(),
            [&](std::size_t a, std::size_t b) { return NameLess(names[a], names[b]); });
  std::vector<std::u16string> units(names.size());
  for (const std::size_t i : order) {
    units[i] = Utf16Units(names[i]);
    if (EqualsIgnoringCase(WineShortNameOf(units[i]), short_name)) return i;
  }
  std::map<std::string, int> tails;  // basis and extension -> the last number given
  for (const std::size_t i : order) {
    if (IsValid8Dot3(units[i])) continue;
    const std::string basis = NumericTailBasis(units[i]);
    if (basis.empty()) continue;
    const std::string extension = ShortExtension(units[i]);
    const std::string number = std::to_string(++tails[basis + extension]);
    std::string name = basis.substr(0, 7 - std::min<std::size_t>(number.size(), 7));
    name += '~';
    name += number;
    name += extension;
    if (EqualsIgnoringCase(name, short_name)) return i;
  }
  return std::nullopt;
}

}  // namespace tobrel

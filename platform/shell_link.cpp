// A shell link file is little-endian binary:
//   header, 0x4C bytes: HeaderSize (4, always 0x4C), LinkCLSID (16, the
//     class 00021401-0000-0000-C000-000000000046), LinkFlags (4), then file
//     attributes, three times, size, icon, show command and hot key that are
//     not needed here;
//   LinkTargetIDList when LinkFlags has HasLinkTargetIDList (0x1): a 2-byte
//     size and that many bytes of item IDs, skipped;
//   LinkInfo when LinkFlags has HasLinkInfo (0x2) and not ForceNoLinkInfo
//     (0x100): LinkInfoSize (4), LinkInfoHeaderSize (4), LinkInfoFlags (4),
//     VolumeIDOffset, LocalBasePathOffset, CommonNetworkRelativeLinkOffset,
//     CommonPathSuffixOffset (4 each), and when the header size is at least
//     0x24 the Unicode offsets LocalBasePathOffsetUnicode and
//     CommonPathSuffixOffsetUnicode. Offsets count from the start of
//     LinkInfo; the strings are NUL-terminated, ANSI (code page 932 on the
//     systems these links come from) or UTF-16LE.
// The local path is LocalBasePath followed by CommonPathSuffix, present when
// LinkInfoFlags has VolumeIDAndLocalBasePath (0x1). Every offset and size is
// checked against the bytes it must stay within.
#include "platform/shell_link.h"

#include <array>
#include <cstdint>

#include "platform/cp932.h"
#include "platform/utf8.h"

namespace tobrel {
namespace {

constexpr std::uint32_t kHeaderSize = 0x4C;
constexpr std::array<unsigned char, 16> kLinkClsid = {0x01, 0x14, 0x02, 0x00, 0x00, 0x00,
                                                      0x00, 0x00, 0xC0, 0x00, 0x00, 0x00,
                                                      0x00, 0x00, 0x00, 0x46};
constexpr std::uint32_t kHasLinkTargetIdList = 0x1;
constexpr std::uint32_t kHasLinkInfo = 0x2;
constexpr std::uint32_t kForceNoLinkInfo = 0x100;
constexpr std::uint32_t kVolumeIdAndLocalBasePath = 0x1;
constexpr std::uint32_t kLinkInfoMinHeaderSize = 0x1C;
constexpr std::uint32_t kLinkInfoUnicodeHeaderSize = 0x24;

std::uint32_t ReadU32(std::string_view bytes, std::size_t pos) {
  std::uint32_t value = 0;
  for (int i = 3; i >= 0; --i) value = value << 8 | static_cast<unsigned char>(bytes[pos + i]);
  return value;
}

std::uint16_t ReadU16(std::string_view bytes, std::size_t pos) {
  return static_cast<std::uint16_t>(static_cast<unsigned char>(bytes[pos]) |
                                    static_cast<unsigned char>(bytes[pos + 1]) << 8);
}

// The NUL-terminated ANSI string at `offset` of `block`, in UTF-8; nothing
// when the string would start inside the header or run past the block.
std::optional<std::string> AnsiStringAt(std::string_view block, std::uint32_t offset,
                                        std::uint32_t header_size) {
  if (offset < header_size || offset >= block.size()) return std::nullopt;
  const std::string_view rest = block.substr(offset);
  const std::size_t end = rest.find('\0');
  if (end == std::string_view::npos) return std::nullopt;
  return cp932::ToUtf8(rest.substr(0, end));
}

// The NUL-terminated UTF-16LE string at `offset` of `block`, in UTF-8; a
// lone surrogate becomes U+FFFD.
std::optional<std::string> UnicodeStringAt(std::string_view block, std::uint32_t offset,
                                           std::uint32_t header_size) {
  if (offset < header_size) return std::nullopt;
  std::string out;
  for (std::size_t pos = offset; pos + 1 < block.size(); pos += 2) {
    const char32_t unit = ReadU16(block, pos);
    if (unit == 0) return out;
    if (unit >= 0xD800 && unit <= 0xDBFF && pos + 3 < block.size()) {
      const char32_t low = ReadU16(block, pos + 2);
      if (low >= 0xDC00 && low <= 0xDFFF) {
        AppendUtf8(out, 0x10000 + ((unit - 0xD800) << 10) + (low - 0xDC00));
        pos += 2;
        continue;
      }
    }
    AppendUtf8(out, unit >= 0xD800 && unit <= 0xDFFF ? 0xFFFD : unit);
  }
  return std::nullopt;
}

}  // namespace

std::optional<std::string> ReadShellLinkTarget(std::string_view bytes) {
  if (bytes.size() < kHeaderSize || ReadU32(bytes, 0) != kHeaderSize) return std::nullopt;
  for (std::size_t i = 0; i < kLinkClsid.size(); ++i)
    if (static_cast<unsigned char>(bytes[4 + i]) != kLinkClsid[i]) return std::nullopt;
  const std::uint32_t flags = ReadU32(bytes, 20);
  std::size_t pos = kHeaderSize;
  if (flags & kHasLinkTargetIdList) {
    if (pos + 2 > bytes.size()) return std::nullopt;
    pos += 2 + ReadU16(bytes, pos);
  }
  if (!(flags & kHasLinkInfo) || (flags & kForceNoLinkInfo)) return std::nullopt;
  if (pos + kLinkInfoMinHeaderSize > bytes.size()) return std::nullopt;
  const std::uint32_t info_size = ReadU32(bytes, pos);
  const std::uint32_t header_size = ReadU32(bytes, pos + 4);
  if (info_size > bytes.size() - pos || header_size < kLinkInfoMinHeaderSize ||
      header_size > info_size)
    return std::nullopt;
  const std::string_view info = bytes.substr(pos, info_size);
  if (!(ReadU32(info, 8) & kVolumeIdAndLocalBasePath)) return std::nullopt;

  std::optional<std::string> base, suffix;
  if (header_size >= kLinkInfoUnicodeHeaderSize) {
    base = UnicodeStringAt(info, ReadU32(info, 0x1C), header_size);
    suffix = UnicodeStringAt(info, ReadU32(info, 0x20), header_size);
  }
  if (!base || !suffix) {
    base = AnsiStringAt(info, ReadU32(info, 0x10), header_size);
    suffix = AnsiStringAt(info, ReadU32(info, 0x18), header_size);
  }
  if (!base || !suffix || base->empty()) return std::nullopt;
  return *base + *suffix;
}

}  // namespace tobrel

// Test helper: a synthetic Wine prefix in a temporary folder, built file by
// file: registry files, drive links under dosdevices, files with given
// bytes and modification times, and shell link (.lnk) files written from
// the format's layout.
#pragma once

#include <sys/stat.h>
#include <utime.h>

#include <cstdint>
#include <ctime>
#include <filesystem>
#include <fstream>
#include <string>
#include <string_view>

#include "support/temp_folder.h"

namespace tobrel::testing {

class WinePrefixBuilder {
 public:
  // An empty prefix with drive C: linked to its drive_c folder, in a
  // temporary folder named as TempFolder names it.
  explicit WinePrefixBuilder(std::string_view name,
                             TempFolder::Naming naming = TempFolder::Naming::kPerProcess)
      : folder_(name, naming) {
    std::filesystem::create_directories(path() / "drive_c");
    std::filesystem::create_directories(path() / "dosdevices");
    Link("dosdevices/c:", "../drive_c");
  }

  const std::filesystem::path& path() const { return folder_.path(); }
  // The native path of `relative` in the prefix, as a string.
  std::string Native(std::string_view relative) const { return (path() / relative).string(); }

  // Writes `bytes` to `relative`, creating its folders.
  void Write(std::string_view relative, std::string_view bytes) const {
    const auto file = path() / relative;
    std::filesystem::create_directories(file.parent_path());
    std::ofstream(file, std::ios::binary)
        .write(bytes.data(), static_cast<std::streamsize>(bytes.size()));
  }
  void MakeFolder(std::string_view relative) const {
    std::filesystem::create_directories(path() / relative);
  }
  // A symbolic link at `relative` pointing to `target` (as written).
  void Link(std::string_view relative, std::string_view target) const {
    std::filesystem::create_symlink(target, path() / relative);
  }
  // Sets the last-write time of `relative` to a local date and time.
  void SetTime(std::string_view relative, int year, int month, int day, int hour, int minute,
               int second = 0) const {
    std::tm local{};
    local.tm_year = year - 1900;
    local.tm_mon = month - 1;
    local.tm_mday = day;
    local.tm_hour = hour;
    local.tm_min = minute;
    local.tm_sec = second;
    local.tm_isdst = -1;
    const utimbuf times{std::mktime(&local), std::mktime(&local)};
    ::utime((path() / relative).c_str(), &times);
  }

 private:
  TempFolder folder_;
};

// What a shell link written by ShellLinkBytes holds.
struct ShellLinkLayout {
  std::string base_path = {};   // LocalBasePath, CP932
  std::string suffix = {};      // CommonPathSuffix, CP932
  bool unicode_paths = false;   // also the Unicode offsets (header size 0x24)
  std::string unicode_base_path = {};  // ASCII; the Unicode LocalBasePath when it differs
  bool id_list = true;          // a LinkTargetIDList before LinkInfo
  bool network = false;         // a network target only, no local path
};

namespace shell_link_detail {

inline void PutU32(std::string& out, std::uint32_t value) {
  for (int i = 0; i < 4; ++i) out += static_cast<char>(value >> (8 * i) & 0xFF);
}
inline void PutU16(std::string& out, std::uint16_t value) {
  out += static_cast<char>(value & 0xFF);
  out += static_cast<char>(value >> 8);
}
inline void SetU32(std::string& out, std::size_t pos, std::uint32_t value) {
  for (int i = 0; i < 4; ++i) out[pos + i] = static_cast<char>(value >> (8 * i) & 0xFF);
}
// ASCII text as UTF-16LE with a final NUL (enough for the tests' paths).
inline std::string Utf16(std::string_view ascii) {
  std::string out;
  for (const char c : ascii) PutU16(out, static_cast<unsigned char>(c));
  PutU16(out, 0);
  return out;
}

}  // namespace shell_link_detail

// The bytes of a shell link file after the documented layout: the 0x4C-byte
// header with the link class identifier, an optional item ID list, the
// LinkInfo structure with a volume ID and the paths, and the terminal block.
inline std::string ShellLinkBytes(const ShellLinkLayout& layout) {
  using namespace shell_link_detail;
  std::string out;
  PutU32(out, 0x4C);
  out += std::string("\x01\x14\x02\x00\x00\x00\x00\x00\xC0\x00\x00\x00\x00\x00\x00\x46", 16);
  PutU32(out, (layout.id_list ? 0x1 : 0) | 0x2);  // LinkFlags: HasLinkTargetIDList, HasLinkInfo
  out.resize(0x4C, '\0');                      // attributes, times, size, icon, show, hot key
  if (layout.id_list) {
    const std::string item = std::string("\x14\x00\x1F\x50", 4) + std::string(16, '\x07');  // one root item
    PutU16(out, static_cast<std::uint16_t>(item.size() + 2));
    out += item;
    PutU16(out, 0);  // the terminal item ID
  }

  const std::uint32_t header_size = layout.unicode_paths ? 0x24 : 0x1C;
  std::string info(header_size, '\0');
  SetU32(info, 4, header_size);
  SetU32(info, 8, layout.network ? 0x2 : 0x1);
  if (layout.network) {
    SetU32(info, 0x14, static_cast<std::uint32_t>(info.size()));  // CommonNetworkRelativeLink
    std::string link;
    PutU32(link, 0);  // size, set below
    PutU32(link, 0);
    PutU32(link, 0x14);  // NetNameOffset
    PutU32(link, 0);
    PutU32(link, 0);
    link += "\\\\SERVER\\SHARE";
    link += '\0';
    SetU32(link, 0, static_cast<std::uint32_t>(link.size()));
    info += link;
  } else {
    SetU32(info, 0x0C, static_cast<std::uint32_t>(info.size()));  // VolumeID
    std::string volume;
    PutU32(volume, 0x11);
    PutU32(volume, 3);           // a fixed drive
    PutU32(volume, 0x12345678);  // serial number
    PutU32(volume, 0x10);        // VolumeLabelOffset
    volume += '\0';
    info += volume;
    SetU32(info, 0x10, static_cast<std::uint32_t>(info.size()));  // LocalBasePath
    info += layout.base_path;
    info += '\0';
  }
  SetU32(info, 0x18, static_cast<std::uint32_t>(info.size()));  // CommonPathSuffix
  info += layout.suffix;
  info += '\0';
  if (layout.unicode_paths && !layout.network) {
    SetU32(info, 0x1C, static_cast<std::uint32_t>(info.size()));
    info += Utf16(layout.unicode_base_path.empty() ? layout.base_path : layout.unicode_base_path);
    SetU32(info, 0x20, static_cast<std::uint32_t>(info.size()));
    info += Utf16(layout.suffix);
  }
  SetU32(info, 0, static_cast<std::uint32_t>(info.size()));
  out += info;
  PutU32(out, 0);  // TerminalBlock
  return out;
}

}  // namespace tobrel::testing

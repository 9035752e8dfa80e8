// An INI file read and written the way the settings file has always been:
// "[SECTION]" lines and "KEY=value" lines, sections and keys matched ignoring
// ASCII case, values trimmed of blanks and tabs. Setting a key replaces that
// one line (or adds it at the end of its section, or adds the section at the
// end of the file) and keeps every other line as it was: comments, unknown
// sections and lines without "=" survive. Text is CP932 bytes; the file is
// written with CR LF line ends through the atomic writer.
#pragma once

#include <filesystem>
#include <optional>
#include <string>
#include <string_view>
#include <vector>

#include "platform/date_time.h"

namespace tobrel {

class PrivateProfile {
 public:
  PrivateProfile() = default;
  // Splits `bytes` into lines ending at CR LF, CR or LF. Never fails.
  explicit PrivateProfile(std::string_view bytes);

  // The trimmed value of the first `key` in the first `section` of that name,
  // or nothing when either is missing.
  std::optional<std::string> Find(std::string_view section, std::string_view key) const;

  std::string ReadString(std::string_view section, std::string_view key,
                         std::string_view fallback) const;
  // A decimal integer (optional sign, within 32 bits); anything else, or a
  // missing key, gives `fallback`.
  int ReadInteger(std::string_view section, std::string_view key, int fallback) const;
  // An integer that is not 0; `fallback` as ReadInteger gives it.
  bool ReadBool(std::string_view section, std::string_view key, bool fallback) const;
  // A date "yyyy/mm/dd" (month and day may have one digit); an unreadable
  // one gives `fallback`.
  DateTime ReadDate(std::string_view section, std::string_view key, DateTime fallback) const;

  // Replaces or adds `key`. A line end in `value` would break the file, so
  // the value is cut before its first CR or LF.
  void WriteString(std::string_view section, std::string_view key, std::string_view value);
  void WriteInteger(std::string_view section, std::string_view key, int value);
  void WriteBool(std::string_view section, std::string_view key, bool value);
  void WriteDate(std::string_view section, std::string_view key, DateTime value);

  // The file's bytes: every line ended by CR LF.
  std::string Bytes() const;

 private:
  std::vector<std::string> lines_;
};

// Reads the INI file at `path`; a missing file gives an empty profile.
// Throws Failure (RegularFileFailure, platform/regular_file.h) when
// an existing file cannot be read, is no regular file (a folder, a FIFO, a
// device: never waited on) or is larger than 16 MiB.
PrivateProfile LoadPrivateProfile(const std::filesystem::path& path);

// Replaces the file at `path` through the atomic writer. Throws Failure
// (WriteFailure, platform/atomic_file.h; the old file intact) when it cannot
// be written.
void SavePrivateProfile(const std::filesystem::path& path, const PrivateProfile& profile);

}  // namespace tobrel

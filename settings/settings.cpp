#include "settings/settings.h"

#include <cstdio>

#include "platform/path_text.h"

namespace tobrel {
namespace {

std::string LogFileKey(int n) {
  char key[16];
  std::snprintf(key, sizeof key, "LOGFILE%.2d", n);
  return key;
}

std::string ReadPath(const PrivateProfile& ini, std::string_view section, std::string_view key) {
  return PathFromCp932(ini.ReadString(section, key, ""));
}

void WritePath(PrivateProfile& ini, std::string_view section, std::string_view key,
               const std::string& path) {
  ini.WriteString(section, key, PathToCp932(path));
}

std::optional<StoredWindowGeometry> ReadWindowGeometry(const PrivateProfile& ini) {
  StoredWindowGeometry window;
  window.width = ini.ReadInteger("WINDOW", "Width", 0);
  window.height = ini.ReadInteger("WINDOW", "Height", 0);
  if (window.width <= 0 || window.height <= 0) return std::nullopt;
  window.left = ini.ReadInteger("WINDOW", "Left", 0);
  window.top = ini.ReadInteger("WINDOW", "Top", 0);
  window.maximized = ini.ReadBool("WINDOW", "Maximized", false);
  return window;
}

void WriteWindowGeometry(const StoredWindowGeometry& window, PrivateProfile& ini) {
  ini.WriteInteger("WINDOW", "Left", window.left);
  ini.WriteInteger("WINDOW", "Top", window.top);
  ini.WriteInteger("WINDOW", "Width", window.width);
  ini.WriteInteger("WINDOW", "Height", window.height);
  ini.WriteBool("WINDOW", "Maximized", window.maximized);
}

}  // namespace

DateTime DefaultFromDate() { return *EncodeDateTime({1987, 4, 1, 0, 0, 0}); }

TobrelSettings DefaultSettings(DateTime today) {
  TobrelSettings settings;
  settings.from_date = DefaultFromDate();
  settings.to_date = static_cast<double>(static_cast<long long>(today));
  return settings;
}

TobrelSettings ReadSettings(const PrivateProfile& ini, DateTime today) {
  TobrelSettings s = DefaultSettings(today);
  s.top = ini.ReadInteger("POS", "TOP", s.top);
  s.left = ini.ReadInteger("POS", "LEFT", s.left);
  s.height = ini.ReadInteger("POS", "HEIGHT", s.height);

  for (int n = 1; n <= kStoredLogFiles; ++n) {
    std::string path = ReadPath(ini, "ENV", LogFileKey(n));
    if (!path.empty()) s.log_files.push_back(std::move(path));
  }
  s.quote = ini.ReadString("ENV", "QUOTE", "");

  s.folder_name = ReadPath(ini, "FOLDER", "FOLDERNAME");
  s.personal = ReadPath(ini, "FOLDER", "PERSONAL");
  s.except_title = ini.ReadString("EXCEPT", "TITLE", "");

  s.scroll = ini.ReadInteger("OPTION", "SCROLL", s.scroll);
  s.line_numbers = ini.ReadBool("OPTION", "LINENO", s.line_numbers);
  s.ruler = ini.ReadBool("OPTION", "RULER", s.ruler);
  s.font_size = ini.ReadInteger("OPTION", "SIZE", s.font_size);
  s.font_name = ini.ReadString("OPTION", "NAME", s.font_name);

  s.delimiter_only = ini.ReadBool("OPTREAD", "DELIMITER", false);
  s.omit_id = ini.ReadBool("OPTREAD", "OMITID", false);
  s.hide_ids = ini.ReadBool("OPTREAD", "DISPID", false);
  s.top100 = ini.ReadBool("OPTREAD", "100", false);
  s.interway = ini.ReadBool("OPTREAD", "INTERWAY", false);
  s.keep_dates = ini.ReadBool("OPTREAD", "PDATE", false);

  s.ext_file_type = static_cast<ExternalFileKind>(ini.ReadInteger("EXTED", "FILETYPE", 0));
  s.ext_folder = ReadPath(ini, "EXTED", "FOLDER");
  s.ext_file_name = ReadPath(ini, "EXTED", "FILENAME");
  s.ext_editor = ReadPath(ini, "EXTED", "EDITOR");
  s.ext_header = ini.ReadString("EXTED", "HEADER", "");
  s.ext_footer = ini.ReadString("EXTED", "FOOTER", "");
  s.ext_encoding = static_cast<ExternalFileEncoding>(ini.ReadInteger("EXTED", "ENCODING", 0));

  s.from_date = ini.ReadDate("PERIOD", "FROMDATE", s.from_date);
  s.to_date = ini.ReadDate("PERIOD", "TODATE", s.to_date);

  s.char_color = ini.ReadInteger("COLOR", "CHAR", s.char_color);
  s.back_color = ini.ReadInteger("COLOR", "BACK", s.back_color);
  s.select_color = ini.ReadInteger("COLOR", "SELECT", s.select_color);

  s.add_masks = ReadFileMasks(ini);
  s.window_geometry = ReadWindowGeometry(ini);
  if (!ini.ReadString("OPTREAD", "LOGCACHE", "").empty())
    s.use_log_cache = ini.ReadBool("OPTREAD", "LOGCACHE", true);
  return s;
}

std::vector<std::string> ReadFileMasks(const PrivateProfile& ini) {
  std::vector<std::string> masks;
  for (int n = 0; n < kFileMaskKeys; ++n) {
    std::string mask = ini.ReadString("FileMask", "AddMask" + std::to_string(n), "");
    if (mask.empty()) break;
    masks.push_back(std::move(mask));
  }
  return masks;
}

void WriteSettings(const TobrelSettings& s, PrivateProfile& ini) {
  ini.WriteInteger("POS", "TOP", s.top);
  ini.WriteInteger("POS", "LEFT", s.left);
  ini.WriteInteger("POS", "HEIGHT", s.height);

  for (int n = 1; n <= kStoredLogFiles; ++n) {
    const std::size_t index = static_cast<std::size_t>(n - 1);
    WritePath(ini, "ENV", LogFileKey(n), index < s.log_files.size() ? s.log_files[index] : "");
  }
  ini.WriteString("ENV", "QUOTE", s.quote);

  WritePath(ini, "FOLDER", "FOLDERNAME", s.folder_name);
  WritePath(ini, "FOLDER", "PERSONAL", s.personal);
  ini.WriteString("EXCEPT", "TITLE", s.except_title);

  ini.WriteInteger("OPTION", "SCROLL", s.scroll);
  ini.WriteBool("OPTION", "LINENO", s.line_numbers);
  ini.WriteBool("OPTION", "RULER", s.ruler);
  ini.WriteInteger("OPTION", "SIZE", s.font_size);
  ini.WriteString("OPTION", "NAME", s.font_name);

  ini.WriteBool("OPTREAD", "DELIMITER", s.delimiter_only);
  ini.WriteBool("OPTREAD", "OMITID", s.omit_id);
  ini.WriteBool("OPTREAD", "DISPID", s.hide_ids);
  ini.WriteBool("OPTREAD", "100", s.top100);
  ini.WriteBool("OPTREAD", "INTERWAY", s.interway);
  ini.WriteBool("OPTREAD", "PDATE", s.keep_dates);

  ini.WriteInteger("EXTED", "FILETYPE", static_cast<int>(s.ext_file_type));
  WritePath(ini, "EXTED", "FOLDER", s.ext_folder);
  WritePath(ini, "EXTED", "FILENAME", s.ext_file_name);
  WritePath(ini, "EXTED", "EDITOR", s.ext_editor);
  ini.WriteString("EXTED", "HEADER", s.ext_header);
  ini.WriteString("EXTED", "FOOTER", s.ext_footer);
  ini.WriteInteger("EXTED", "ENCODING", static_cast<int>(s.ext_encoding));

  ini.WriteDate("PERIOD", "FROMDATE", s.from_date);
  ini.WriteDate("PERIOD", "TODATE", s.to_date);

  ini.WriteInteger("COLOR", "CHAR", s.char_color);
  ini.WriteInteger("COLOR", "BACK", s.back_color);
  ini.WriteInteger("COLOR", "SELECT", s.select_color);

  if (s.window_geometry) WriteWindowGeometry(*s.window_geometry, ini);
  if (s.use_log_cache) ini.WriteBool("OPTREAD", "LOGCACHE", *s.use_log_cache);
}

}  // namespace tobrel

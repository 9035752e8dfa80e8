// Every value the settings file holds, as plain values with their defaults,
// and the reading and writing of them in the file's sections and keys.
// Paths are native file names here and CP932 in the file; patterns and
// texts stay CP932. Reading applies no start-up rule: the window's clamps,
// the scroll-bar value and the target dates are in startup_rules.h.
#pragma once

#include <optional>
#include <string>
#include <vector>

#include "platform/date_time.h"
#include "platform/private_profile.h"

namespace tobrel {

inline constexpr int kStoredLogFiles = 20;  // LOGFILE01 .. LOGFILE20
inline constexpr int kFileMaskKeys = 10;    // AddMask0 .. AddMask9

// The file the result goes to for the external editor (FILETYPE): a new
// file in the temporary folder, a new file in ext_folder, or ext_file_name
// in ext_folder. The file keeps the number; a number outside these is kept
// as read and written back unchanged, and the editor command treats it as
// kTemporaryFile.
enum class ExternalFileKind : int { kTemporaryFile = 0, kFileInFolder = 1, kNamedFile = 2 };

// The character code of that file (ENCODING); a number outside these is kept
// as read, written back unchanged, and means kCp932.
enum class ExternalFileEncoding : int { kCp932 = 0, kUtf8 = 1 };

// The window's own placement, in the section "WINDOW" beside "POS": the
// frame's left and top, the size inside the frame when not maximised, and
// whether it was maximised.
struct StoredWindowGeometry {
  int left = 0;       // Left
  int top = 0;        // Top
  int width = 0;      // Width
  int height = 0;     // Height
  bool maximized = false;  // Maximized
};

struct TobrelSettings {
  // "POS"
  int top = 0;
  int left = 0;
  int height = 480;
  // "ENV"
  std::vector<std::string> log_files;  // LOGFILEnn, native paths, in key order
  std::string quote;                   // CP932; empty: the default pattern
  // "FOLDER"
  std::string folder_name;  // native
  std::string personal;     // native
  // "EXCEPT"
  std::string except_title;  // CP932
  // "OPTION"
  int scroll = 0;  // 0 none, 1 horizontal, 2 vertical, 3 both
  bool line_numbers = false;
  bool ruler = false;
  int font_size = 9;
  std::string font_name = "FixedSys";
  // "OPTREAD"
  bool delimiter_only = false;  // DELIMITER
  bool omit_id = false;         // OMITID: the exclusion master switch
  bool hide_ids = false;        // DISPID
  bool top100 = false;          // 100
  bool interway = false;        // INTERWAY
  bool keep_dates = false;      // PDATE
  // "EXTED"
  ExternalFileKind ext_file_type = ExternalFileKind::kTemporaryFile;  // FILETYPE
  std::string ext_folder;     // native
  std::string ext_file_name;  // native
  std::string ext_editor;     // native
  std::string ext_header;     // CP932
  std::string ext_footer;     // CP932
  ExternalFileEncoding ext_encoding = ExternalFileEncoding::kCp932;  // ENCODING
  // "PERIOD"
  DateTime from_date = 0;  // default 1987/04/01
  DateTime to_date = 0;    // default today
  // "COLOR": 0x00BBGGRR
  int char_color = 0;
  int back_color = 16777215;
  int select_color = 16711680;
  // "FileMask": AddMask0 upwards to the first missing or empty key; never written.
  std::vector<std::string> add_masks;  // CP932
  // "WINDOW": nothing when the file holds no width and height above 0;
  // written only when set, after every other key.
  std::optional<StoredWindowGeometry> window_geometry;
  // "OPTREAD" LOGCACHE: whether reading uses the cache of parsed logs
  // ("読込みｷｬｯｼｭを使う(&K)"); nothing (on) when the file does not hold it,
  // written only when set, after "WINDOW".
  std::optional<bool> use_log_cache;
};

// 1987/04/01, the default start of the target dates.
DateTime DefaultFromDate();

// The defaults, with `today` as the default end date.
TobrelSettings DefaultSettings(DateTime today);

// Every key of `ini`; a missing or unreadable value gives its default.
// LOGFILE keys that are empty are skipped.
TobrelSettings ReadSettings(const PrivateProfile& ini, DateTime today);

// The extra file masks of the folder-list selection: AddMask0 upwards to the
// first missing or empty key of "FileMask" (the only section that dialog
// reads).
std::vector<std::string> ReadFileMasks(const PrivateProfile& ini);

// Writes every key in the file's order, keeping the other lines of `ini`:
// LOGFILE01 onwards with the first 20 paths, the later keys up to LOGFILE20
// written empty; "FileMask" is left as it is.
void WriteSettings(const TobrelSettings& settings, PrivateProfile& ini);

}  // namespace tobrel

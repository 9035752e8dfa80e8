#include "settings/startup_rules.h"

#include <algorithm>
#include <system_error>

namespace tobrel {

WindowPlacement PlaceWindow(const TobrelSettings& settings, int screen_width, int screen_height,
                            int window_width) {
  WindowPlacement place{settings.top, settings.left, settings.height};
  if (place.height < kMinimumWindowHeight) place.height = kMinimumWindowHeight;
  if (place.height > screen_height) place.height = screen_height;
  if (place.top < 0 || place.top > screen_height) place.top = kFallbackWindowPosition;
  if (place.left < 0 || place.left > screen_width - window_width)
    place.left = kFallbackWindowPosition;
  return place;
}

int NormalizedScroll(int stored) { return stored >= 0 && stored <= 3 ? stored : 0; }

void AddStoredLogFiles(const TobrelSettings& settings, std::vector<std::string>& candidates) {
  for (const std::string& path : settings.log_files) {
    std::error_code error;
    if (!std::filesystem::is_regular_file(path, error)) continue;
    if (std::find(candidates.begin(), candidates.end(), path) == candidates.end())
      candidates.push_back(path);
  }
}

TargetDates StartupTargetDates(const TobrelSettings& settings, DateTime today) {
  if (settings.keep_dates) return {settings.from_date, settings.to_date};
  return {DefaultFromDate(), static_cast<double>(static_cast<long long>(today))};
}

std::string ExternalEditorFolder(const TobrelSettings& settings,
                                 const std::string& default_folder) {
  if (settings.ext_file_type == ExternalFileKind::kTemporaryFile && settings.ext_folder.empty() &&
      settings.ext_file_name.empty())
    return default_folder;
  return settings.ext_folder;
}

}  // namespace tobrel

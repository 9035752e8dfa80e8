// What the window does with the stored values when it starts: the window
// placement kept on the screen, the scroll-bar value, the candidate files
// that still exist, the target dates, and the external editor's default
// folder. Plain functions, so that the window only applies their results.
#pragma once

#include <filesystem>
#include <string>
#include <vector>

#include "settings/settings.h"

namespace tobrel {

struct WindowPlacement {
  int top = 0;
  int left = 0;
  int height = 480;
};

inline constexpr int kMinimumWindowHeight = 320;
inline constexpr int kFallbackWindowPosition = 50;

// The stored placement kept on a screen of the given size: the height at
// least 320 and at most the screen height, a top outside the screen and a
// left below 0 or beyond (screen width - window width) become 50.
WindowPlacement PlaceWindow(const TobrelSettings& settings, int screen_width, int screen_height,
                            int window_width);

// The scroll-bar value; anything but 0 to 3 counts (and is stored) as 0.
int NormalizedScroll(int stored);

// Appends each stored log file that names an existing file and is not in
// `candidates` yet.
void AddStoredLogFiles(const TobrelSettings& settings, std::vector<std::string>& candidates);

// The target dates at start-up: the stored ones when "PDATE" is on, else
// 1987/04/01 and today.
struct TargetDates {
  DateTime from = 0;
  DateTime to = 0;
};
TargetDates StartupTargetDates(const TobrelSettings& settings, DateTime today);

// The external editor's folder: with file type 0 and both folder and file
// name empty it becomes `default_folder` (the user's home folder).
std::string ExternalEditorFolder(const TobrelSettings& settings,
                                 const std::string& default_folder);

}  // namespace tobrel

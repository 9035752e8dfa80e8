// The settings part of the window's start-up as one UI-free step: read the
// settings file, apply the start-up rules, handle the command line and
// consult NIFTERM.INI, in the order the window does it. The window then
// applies the result to its controls; at close it puts its controls' state
// back into `settings` and saves it with SaveSettingsFile.
#pragma once

#include <filesystem>
#include <optional>
#include <string>
#include <vector>

#include "platform/failure.h"
#include "settings/command_line.h"
#include "settings/settings.h"
#include "settings/startup_rules.h"

namespace tobrel {

struct StartupInputs {
  std::filesystem::path settings_path;
  std::filesystem::path program_path;
  std::vector<std::string> arguments;  // without the program's own name
  int screen_width = 1920;
  int screen_height = 1080;
  int window_width = 640;  // the window sets its own first width here
  DateTime today = 0;
  std::string home_folder;  // the external editor's default folder
};

struct StartupState {
  // The stored values with the start-up rules applied: the scroll value
  // normalised, the external editor's folder defaulted, "PERSONAL" replaced
  // by "/P", "FOLDERNAME" taken from NIFTERM.INI when empty, the target
  // dates as the pickers start ("FROMDATE" and "TODATE" only with "PDATE").
  // The quote pattern is as stored: the window compiles it and falls back to
  // the default pattern when it is empty or invalid.
  TobrelSettings settings;
  WindowPlacement window;
  std::vector<std::string> candidates;  // stored files that exist, then file arguments
  std::vector<std::string> data_files;  // "/D" read-data files to load
  // Why the settings file was not read, when it exists but could not be
  // read, is no regular file (a FIFO is never waited on) or is too large
  // (RegularFileFailure, platform/regular_file.h); the start-up then goes on
  // from the defaults.
  std::optional<Failure> settings_unread;
};

// Never fails for the settings file: see `settings_unread`.
StartupState LoadAtStartup(const StartupInputs& inputs);

}  // namespace tobrel

// --settings FILE: the values of a settings file written by the window taken
// as the defaults of a tobrel-cli run, so that a batch run does what the
// window was set up to do. Options on the command line override them.
#pragma once

#include <optional>
#include <string>

#include "cli/cli_options.h"
#include "settings/settings.h"

namespace tobrel {

// Reads the settings file at `path` (native) into `options`. Gives a message
// (UTF-8) when the file is missing or cannot be read.
std::optional<std::string> ApplySettingsFile(const std::string& path, CliOptions& options);

// The reading options, the quote pattern (an invalid one counts as empty,
// as in the window) and the table options of every tally page.
void ApplyReadingAndTableSettings(const TobrelSettings& settings, CliOptions& options);

// The exclusion keys: "OMITID" (the master switch) and "TITLE" (the title
// text) of the exclusion settings. CliOptions has no exclusion options yet;
// they are taken here when it has.
void ApplyExclusionSettings(const TobrelSettings& settings, CliOptions& options);

}  // namespace tobrel

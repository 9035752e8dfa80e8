// --settings FILE: the values of a settings file written by the window taken
// as the defaults of a tobrel-cli run, so that a batch run does what the
// window was set up to do. Options on the command line override them.
#pragma once

#include <string>

#include "cli/cli_options.h"
#include "platform/failure.h"
#include "settings/settings.h"

namespace tobrel {

// Reads the settings file at `path` (native) into `options`. Throws Failure
// (RegularFileFailure, platform/regular_file.h) when the file is missing,
// cannot be read, is larger than 16 MiB or is no regular file (a FIFO is
// never waited on).
void ApplySettingsFile(const std::string& path, CliOptions& options);

// The usage message (UTF-8) for a settings file that ApplySettingsFile
// refused: "--settings: no settings file PATH", "--settings: PATH is a
// FIFO, not a settings file" and so on.
std::string SettingsFileRefusal(const Failure& failure);

// The reading options, the quote pattern (an invalid one counts as empty,
// as in the window) and the table options of every tally page. The
// exclusion keys ("OMITID", "TITLE") change no run: the window starts every
// rule of its exclusion dialog switched off, so a run that wants a rule names
// it with --exclude-ids, --exclude-title or --same-ids.
void ApplyReadingAndTableSettings(const TobrelSettings& settings, CliOptions& options);

}  // namespace tobrel

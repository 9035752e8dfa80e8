#include "cli/settings_defaults.h"

#include "platform/clock.h"
#include "platform/path_text.h"
#include "platform/private_profile.h"
#include "platform/regular_file.h"
#include "regex/line_matcher.h"
#include "session/quote_pattern_in_force.h"

namespace tobrel {
namespace {

// The message for a settings file that was not read.
std::string RefusalMessage(const std::string& native_path, const RegularFileError& error) {
  const std::string path = PathToUtf8(native_path);
  const std::string not_settings = ", not a settings file";
  switch (error.fault()) {
    case RegularFileFault::Missing: return "--settings: no settings file " + path;
    case RegularFileFault::LinkLoop: return "--settings: " + path + ": symbolic links loop";
    case RegularFileFault::Folder: return "--settings: " + path + " is a folder" + not_settings;
    case RegularFileFault::Fifo: return "--settings: " + path + " is a FIFO" + not_settings;
    case RegularFileFault::Device: return "--settings: " + path + " is a device" + not_settings;
    case RegularFileFault::Socket: return "--settings: " + path + " is a socket" + not_settings;
    case RegularFileFault::OtherKind:
      return "--settings: " + path + " is not a regular file" + not_settings;
    case RegularFileFault::TooLarge:
      return "--settings: " + path + " is too large for a settings file (more than " +
             std::to_string(kSmallFileLimit >> 20) + " MiB)";
    case RegularFileFault::CannotOpen:
    case RegularFileFault::CannotRead: break;
  }
  return "--settings: cannot read " + path + ": " + error.code().message();
}

}  // namespace

std::optional<std::string> ApplySettingsFile(const std::string& path, CliOptions& options) {
  std::string bytes;
  try {
    bytes = ReadRegularFile(path, kSmallFileLimit);
  } catch (const RegularFileError& error) {
    return RefusalMessage(path, error);
  }
  ApplyReadingAndTableSettings(ReadSettings(PrivateProfile(bytes), SystemClock().Now()), options);
  return std::nullopt;
}

void ApplyReadingAndTableSettings(const TobrelSettings& settings, CliOptions& options) {
  options.delimiter_only = settings.delimiter_only;
  options.interway = settings.interway;
  options.hide_ids = settings.hide_ids;
  options.top100 = settings.top100;
  options.quote.reset();
  // A stored pattern that no longer compiles leaves the default in force.
  TLineMatcher matcher;
  if (!settings.quote.empty() && PutStoredQuotePatternInForce(matcher, settings.quote))
    options.quote = settings.quote;
}

}  // namespace tobrel

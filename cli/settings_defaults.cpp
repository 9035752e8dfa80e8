#include "cli/settings_defaults.h"

#include "platform/clock.h"
#include "platform/path_text.h"
#include "platform/private_profile.h"
#include "platform/regular_file.h"
#include "regex/line_matcher.h"
#include "session/quote_pattern_in_force.h"

namespace tobrel {

std::string SettingsFileRefusal(const Failure& failure) {
  const std::string path = PathToUtf8(failure.file().string());
  const std::string not_settings = ", not a settings file";
  if (IsMissingFile(failure)) return "--settings: no settings file " + path;
  if (failure.code() == std::errc::too_many_symbolic_link_levels)
    return "--settings: " + path + ": symbolic links loop";
  const struct {
    NotRegularFile fault;
    const char* what;
  } kinds[] = {
      {NotRegularFile::Folder, " is a folder"},  {NotRegularFile::Fifo, " is a FIFO"},
      {NotRegularFile::Device, " is a device"},  {NotRegularFile::Socket, " is a socket"},
      {NotRegularFile::OtherKind, " is not a regular file"},
  };
  for (const auto& kind : kinds)
    if (IsNotRegularFile(failure, kind.fault)) return "--settings: " + path + kind.what + not_settings;
  if (IsNotRegularFile(failure, NotRegularFile::TooLarge))
    return "--settings: " + path + " is too large for a settings file (more than " +
           std::to_string(kSmallFileLimit >> 20) + " MiB)";
  return "--settings: cannot read " + path + ": " + failure.code().message();
}

void ApplySettingsFile(const std::string& path, CliOptions& options) {
  const std::string bytes = ReadRegularFile(path, kSmallFileLimit);
  ApplyReadingAndTableSettings(ReadSettings(PrivateProfile(bytes), SystemClock().Now()), options);
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

#include "cli/settings_defaults.h"

#include <system_error>

#include "platform/clock.h"
#include "regex/line_matcher.h"
#include "regex/regex_error.h"
#include "settings/settings_file.h"

namespace tobrel {

std::optional<std::string> ApplySettingsFile(const std::string& path, CliOptions& options) {
  std::error_code error;
  if (!std::filesystem::is_regular_file(path, error))
    return "--settings: no settings file " + path;
  TobrelSettings settings;
  try {
    settings = LoadSettingsFile(path, SystemClock().Now());
  } catch (const std::system_error& e) {
    return "--settings: cannot read " + path + ": " + e.code().message();
  }
  ApplyReadingAndTableSettings(settings, options);
  return std::nullopt;
}

void ApplyReadingAndTableSettings(const TobrelSettings& settings, CliOptions& options) {
  options.delimiter_only = settings.delimiter_only;
  options.interway = settings.interway;
  options.hide_ids = settings.hide_ids;
  options.top100 = settings.top100;
  options.quote.reset();
  if (!settings.quote.empty()) {
    try {
      TLineMatcher matcher;
      matcher.SetRegExp(settings.quote);
      options.quote = settings.quote;
    } catch (const ERegexSyntax&) {
    }
  }
}

}  // namespace tobrel

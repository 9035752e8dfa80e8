#include "cli/cli_options.h"

#include "cli/reports.h"
#include "platform/cp932.h"

namespace tobrel {
namespace {

// Reads "YYYY/MM/DD" strictly (four-digit year).
std::optional<DateTime> ParseDay(const std::string& text) {
  if (text.size() != 10 || text[4] != '/' || text[7] != '/') return std::nullopt;
  return ParseDateTime(text, 2000);
}

}  // namespace

std::string CliHelpText() {
  return
      "usage: tobrel-cli REPORT [OPTIONS] [LOGFILE...]\n"
      "\n"
      "Reads the forum logs in the order given and writes a report.\n"
      "\n"
      "Reports:\n"
      "  read                 one line per stored posting with all its fields (tab-separated)\n"
      "\n"
      "Reading:\n"
      "  --delimiter-only     only delimiter lines end a posting\n"
      "  --interway           leave out the web forum's link lines when counting\n"
      "  --quote PATTERN      the quote-line pattern\n"
      "\n"
      "Output and environment:\n"
      "  -o FILE              write to FILE instead of standard output\n"
      "  --utf8               write UTF-8 with LF line ends (default: Shift-JIS, CR LF)\n"
      "  --today YYYY/MM/DD   the date taken as today\n"
      "  --progress           progress texts on standard error\n"
      "  --help, --version\n"
      "\n"
      "Exit status: 0 done, 1 an error while reading (the report is still written),\n"
      "2 usage error, 3 the report refused its settings.\n";
}

CliParse ParseCliArguments(const std::vector<std::string>& arguments) {
  CliParse parse;
  CliOptions& options = parse.options;
  auto fail = [&](std::string message) {
    parse.outcome = CliParse::Outcome::UsageError;
    parse.error = std::move(message);
    return parse;
  };

  for (std::size_t i = 0; i < arguments.size(); ++i) {
    const std::string& arg = arguments[i];
    auto value = [&]() -> std::optional<std::string> {
      if (i + 1 >= arguments.size()) return std::nullopt;
      return arguments[++i];
    };
    if (arg == "--help" || arg == "-h") {
      parse.outcome = CliParse::Outcome::Help;
      return parse;
    }
    if (arg == "--version") {
      parse.outcome = CliParse::Outcome::Version;
      return parse;
    }
    if (arg.size() > 1 && arg[0] == '-') {
      if (arg == "--delimiter-only") {
        options.delimiter_only = true;
      } else if (arg == "--interway") {
        options.interway = true;
      } else if (arg == "--utf8") {
        options.utf8 = true;
      } else if (arg == "--progress") {
        options.progress = true;
      } else if (arg == "--quote") {
        const auto text = value();
        if (!text) return fail("--quote needs a pattern");
        options.quote = cp932::FromUtf8(*text);
      } else if (arg == "-o") {
        const auto text = value();
        if (!text || text->empty()) return fail("-o needs a file name");
        options.output = *text;
      } else if (arg == "--today") {
        const auto text = value();
        const auto day = text ? ParseDay(*text) : std::nullopt;
        if (!day) return fail("--today needs a date YYYY/MM/DD");
        options.today = day;
      } else {
        return fail("unknown option " + arg);
      }
    } else if (options.report.empty()) {
      if (!FindReport(arg)) return fail("unknown report " + arg);
      options.report = arg;
    } else {
      options.logs.push_back(arg);
    }
  }
  if (options.report.empty()) return fail("no report named");
  return parse;
}

}  // namespace tobrel

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

// Reads "FROM-TO" of --numbers: two numbers of up to six digits, each 1 to
// 65000 as the number fields keep them; the texts stay as given.
bool ParseNumberRange(const std::string& text, TallyTarget& target) {
  const std::size_t dash = text.find('-');
  if (dash == std::string::npos) return false;
  const std::string from = text.substr(0, dash), to = text.substr(dash + 1);
  for (const std::string& number : {from, to}) {
    if (number.empty() || number.size() > 6 ||
        number.find_first_not_of("0123456789") != std::string::npos)
      return false;
    const long value = std::stol(number);
    if (value < 1 || value > 65000) return false;
  }
  target.kind = TargetKind::ByNumber;
  target.first_number = from;
  target.last_number = to;
  return true;
}

// Reads "YYYY/MM/DD-YYYY/MM/DD" of --dates.
bool ParseDateRange(const std::string& text, TallyTarget& target) {
  if (text.size() != 21 || text[10] != '-') return false;
  const auto first = ParseDay(text.substr(0, 10));
  const auto last = ParseDay(text.substr(11));
  if (!first || !last) return false;
  target.kind = TargetKind::ByDate;
  target.first_day = *first;
  target.last_day = *last;
  return true;
}

}  // namespace

std::string CliHelpText() {
  return
      "usage: tobrel-cli REPORT [OPTIONS] [LOGFILE...]\n"
      "\n"
      "Reads the forum logs in the order given and writes a report.\n"
      "\n"
      "Reports:\n"
      "  count                posting-count tally, with the time tables chosen by --tables\n"
      "  read                 one line per stored posting with all its fields (tab-separated)\n"
      "\n"
      "Reading:\n"
      "  --delimiter-only     only delimiter lines end a posting\n"
      "  --interway           leave out the web forum's link lines when counting\n"
      "  --quote PATTERN      the quote-line pattern\n"
      "\n"
      "Target range and tables:\n"
      "  --numbers FROM-TO    postings numbered FROM to TO, 1 to 65000 (default 1-65000)\n"
      "  --dates YYYY/MM/DD-YYYY/MM/DD\n"
      "                       postings of these days, the last day included\n"
      "  --top100             list the posters below rank 100 compactly\n"
      "  --hide-ids           tables without the ID column\n"
      "\n"
      "count:\n"
      "  --order 0..3         by postings, by characters, by postings with cumulative\n"
      "                       shares, by characters with cumulative shares (default 0)\n"
      "  --tables LETTERS     time tables: d date, m month, h hour, w weekday,\n"
      "                       i ID by hour, z weekday by hour\n"
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
      } else if (arg == "--top100") {
        options.top100 = true;
      } else if (arg == "--hide-ids") {
        options.hide_ids = true;
      } else if (arg == "--numbers") {
        const auto text = value();
        if (!text || !ParseNumberRange(*text, options.target))
          return fail("--numbers needs FROM-TO, numbers from 1 to 65000");
      } else if (arg == "--dates") {
        const auto text = value();
        if (!text || !ParseDateRange(*text, options.target))
          return fail("--dates needs YYYY/MM/DD-YYYY/MM/DD");
      } else if (arg == "--order") {
        const auto text = value();
        if (!text || text->size() != 1 || (*text)[0] < '0' || (*text)[0] > '3')
          return fail("--order needs a number from 0 to 3");
        options.order = (*text)[0] - '0';
      } else if (arg == "--tables") {
        const auto text = value();
        if (!text || text->find_first_not_of("dmhwiz") != std::string::npos)
          return fail("--tables needs letters of dmhwiz");
        options.tables = *text;
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

#include "cli/cli_options.h"

#include <algorithm>
#include <iterator>

#include "cli/aclogs_command.h"
#include "cli/cache_command.h"
#include "cli/argument_text.h"
#include "cli/reports.h"
#include "cli/log_output_commands.h"
#include "cli/rule_options.h"
#include "cli/tsv_format.h"
#include "cli/settings_defaults.h"
#include "platform/cp932.h"
#include "platform/failure.h"
#include "platform/path_text.h"

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

// Reads "YYYY/MM" of --from and --to.
std::optional<YearMonth> ParseYearMonth(const std::string& text) {
  if (text.size() != 7 || text[4] != '/' ||
      text.find_first_not_of("0123456789", 0) != 4 ||
      text.find_first_not_of("0123456789", 5) != std::string::npos)
    return std::nullopt;
  const YearMonth month{std::stoi(text.substr(0, 4)), std::stoi(text.substr(5))};
  if (month.year < 1 || month.month < 1 || month.month > 12) return std::nullopt;
  return month;
}

// The value of an option that takes one digit from 0 to `last`.
std::optional<int> Digit(const std::optional<std::string>& text, char last) {
  if (!text || text->size() != 1 || (*text)[0] < '0' || (*text)[0] > last) return std::nullopt;
  return (*text)[0] - '0';
}

// Reads the list of --strip.
bool ParseStrip(const std::string& text, CliOptions& options) {
  std::size_t start = 0;
  while (start <= text.size()) {
    std::size_t end = text.find(',', start);
    if (end == std::string::npos) end = text.size();
    const std::string item = text.substr(start, end - start);
    if (item == "delimiter") options.strip_delimiters = true;
    else if (item == "eof") options.strip_eof = true;
    else if (item == "tab") options.strip_tabs = true;
    else if (item == "trailing") options.strip_trailing = true;
    else return false;
    start = end + 1;
  }
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
      "  quote                quotation tally\n"
      "  comment              comment tally\n"
      "  stats                statistics report\n"
      "  month                monthly tally\n"
      "  read                 one line per stored posting with all its fields (tab-separated)\n"
      "  aclogs               the AirCraft 97 log folders and room logs (see below)\n"
      "  savedata             the read-data file's lines (what closing with Shift writes)\n"
      "  excluded             the excluded postings as their list shows them: room, number,\n"
      "                       reason (ID, title, duplicate), ID, handle, title; tab-separated,\n"
      "                       by room and number\n"
      "  info                 the log information of each LOGFILE (size, lines, postings,\n"
      "                       number and date range)\n"
      "  process              the processed copy of ONE LOGFILE to -o FILE; the account\n"
      "                       lines go to standard error\n"
      "  cache --info|--clear the cache of parsed logs: its folder, entries, size and\n"
      "                       cap; or remove its files\n"
      "\n"
      "Reading:\n"
      "  --delimiter-only     only delimiter lines end a posting\n"
      "  --interway           leave out the web forum's link lines when counting\n"
      "  --quote PATTERN      the quote-line pattern\n"
      "  --exclude-ids FILE   leave out the postings of the IDs listed in FILE (one a line)\n"
      "  --exclude-title TEXT leave out the postings whose title matches TEXT\n"
      "  --title-mode regex|prefix\n"
      "                       TEXT is a regular expression (default), or a beginning\n"
      "                       that the title is longer than\n"
      "  --same-ids FILE      count the alias IDs of FILE (\"MAIN_ID,ALIAS_ID\" a line)\n"
      "                       under their main IDs in count, quote, comment and month\n"
      "  --data FILE          load a read-data file before reading the logs (repeatable)\n"
      "  --strict             exit with status 5 when reading gives a warning: a log\n"
      "                       with no posting, or with lines that look like posting\n"
      "                       headers but were not read as postings (a warning line\n"
      "                       per log on standard error, with or without --strict);\n"
      "                       a log read from UTF-8 is a note, not a warning; info\n"
      "                       and process too (process then writes no copy)\n"
      "  --no-cache           read every log, neither using nor filling the cache of\n"
      "                       parsed logs ($XDG_CACHE_HOME/tobrel/, by default\n"
      "                       ~/.cache/tobrel/); a log that has not changed is loaded\n"
      "                       from it otherwise, with the same report and messages\n"
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
      "quote:\n"
      "  --order 0..3         by postings, by characters, by own characters, by quoted\n"
      "                       characters (default 0)\n"
      "\n"
      "comment:\n"
      "  --order 0..2         by comments per ID, by comments per posting of each ID,\n"
      "                       by comments per posting (default 0)\n"
      "  --limit 30|20|10|all the ranks to list (default 30; all: every ID, postings\n"
      "                       down to rank 50)\n"
      "\n"
      "stats:\n"
      "  --no-rooms           leave out the room information\n"
      "  --titles 0|1         the title list of each room: 0 titles, 1 RT command form\n"
      "  --missing            the missing posting numbers (only with --numbers)\n"
      "\n"
      "month:\n"
      "  --kind 0..2          by postings, by characters, one ID's months (default 0)\n"
      "  --from YYYY/MM       the first month (default: the month after today's a year\n"
      "                       ago, or January in December)\n"
      "  --to YYYY/MM         the last month (default: today's); 2 to 12 months\n"
      "  --id ID              the member ID of --kind 2\n"
      "\n"
      "aclogs [--install DIR] [--personal DIR] [--descending] [FORUM]:\n"
      "  lists the AirCraft 97 log folders of the Wine prefix ($WINEPREFIX, default\n"
      "  ~/.wine): without FORUM one line per forum (GO word, forum name); with FORUM\n"
      "  (a GO word as listed, or PATIO/NAME) one line per room log (full path, room\n"
      "  name, update time yy-mm-dd hh:nn), tab-separated. Exit status 3 when the\n"
      "  installation folder has no Global.Dat.\n"
      "  --install DIR        the installation folder (default: found in the prefix)\n"
      "  --personal DIR       list a personal log folder instead of the shared one\n"
      "  --descending         room logs in descending order of file name\n"
      "process:\n"
      "  --align NNNNN        put NNNNN as the last posting number into every header\n"
      "                       (three-digit headers: NNNNN if below 1000, else 999)\n"
      "  --numbers, --dates   the postings to copy (default 1-65000)\n"
      "  --strip LIST         remove from body lines, comma-separated: delimiter, eof,\n"
      "                       tab, trailing (blanks and control codes at line ends)\n"
      "  --recount            write recounted comment counts into the sub-header lines\n"
      "  --drop-deleted       leave out postings deleted by their poster or the operator\n"
      "  --drop-room-headers  leave out room header lines inside postings\n"
      "\n"
      "Settings:\n"
      "  --settings FILE      take the options that the window's settings file FILE\n"
      "                       holds (reading options, quote pattern, --top100,\n"
      "                       --hide-ids) as the defaults; the command line overrides\n"
      "                       them; given twice, the last one wins. Without it no\n"
      "                       settings file is read.\n"
      "\n"
      "Output and environment:\n"
      "  -o FILE              write to FILE instead of standard output; FILE may not\n"
      "                       be one of the run's input files (status 2)\n"
      "  --utf8               write UTF-8 with LF line ends (default: Shift-JIS, CR LF)\n"
      "  --format text|tsv|html|svg\n"
      "                       text: the report (default); tsv: the tables of count,\n"
      "                       quote, comment, stats or month as tab-separated values,\n"
      "                       UTF-8 with LF, a header row per table, an empty line\n"
      "                       between tables (columns: see the README); html: one\n"
      "                       self-contained page with those tables and their\n"
      "                       charts; svg: the report's charts stacked in one SVG\n"
      "                       document. tsv, html and svg are always UTF-8; --utf8\n"
      "                       makes no difference to them\n"
      "  --today YYYY/MM/DD   the date taken as today\n"
      "  --progress           progress texts on standard error\n"
      "  --help, --version\n"
      "\n"
      "Exit status: 0 done, 1 an error while reading (the report is still written,\n"
      "but with -o nowhere), 2 usage error, 3 the report refused its settings or\n"
      "no log was read,\n"
      "4 the output could not be written, 5 --strict and a reading warning (the\n"
      "report is still written, but with -o nowhere). -o FILE is written only with\n"
      "status 0; with any other an existing FILE stays as it was.\n";
}

namespace {

// The usage message (UTF-8) for a Failure of an option's value.
std::string UsageMessage(const Failure& failure) {
  switch (failure.kind()) {
    case FailureKind::BadIdList:
      return PathToUtf8(failure.file().string()) + "(" + std::to_string(failure.line()) +
             "): " + cp932::ToUtf8(failure.message());
    case FailureKind::FileUnreadable:  // names the path as the file system gives it
      return failure.message();
    default:
      return cp932::ToUtf8(failure.message());
  }
}

// The parse, throwing Failure for a value that a function of its own checks.
CliParse ParseOrThrow(const std::vector<std::string>& arguments) {
  CliParse parse;
  CliOptions& options = parse.options;
  auto fail = [&](std::string message) {
    parse.outcome = CliParse::Outcome::UsageError;
    parse.error = std::move(message);
    return parse;
  };

  // The settings file's values first, so that every option given overrides
  // them. Given more than once, the last one is read.
  bool settings_given = false;
  for (std::size_t i = 0; i + 1 < arguments.size(); ++i) {
    if (arguments[i] != "--settings") continue;
    options.settings_file = arguments[i + 1];
    settings_given = true;
  }
  if (settings_given) {
    try {
      ApplySettingsFile(options.settings_file, options);
    } catch (const Failure& failure) {
      return fail(SettingsFileRefusal(failure));
    }
  }

  std::string format_name;  // as given, for the refusal below
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
      if (ParseRuleOption(arguments, i, options)) {
        continue;
      } else if (arg == "--delimiter-only") {
        options.delimiter_only = true;
      } else if (arg == "--interway") {
        options.interway = true;
      } else if (arg == "--utf8") {
        options.utf8 = true;
      } else if (arg == "--format") {
        const auto text = value();
        if (text == "text") options.format = ReportFormat::Text;
        else if (text == "tsv") options.format = ReportFormat::Tsv;
        else if (text == "html") options.format = ReportFormat::Html;
        else if (text == "svg") options.format = ReportFormat::Svg;
        else return fail("--format needs text, tsv, html or svg");
        format_name = *text;
      } else if (arg == "--progress") {
        options.progress = true;
      } else if (arg == "--strict") {
        options.strict = true;
      } else if (arg == "--no-cache") {
        options.no_cache = true;
      } else if (arg == "--info" || arg == "--clear") {
        options.cache_action = arg.substr(2);
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
      } else if (arg == "--limit") {
        const auto text = value();
        static const char* const kLimits[] = {"30", "20", "10", "all"};
        const auto chosen = std::find(std::begin(kLimits), std::end(kLimits), text.value_or(""));
        if (chosen == std::end(kLimits)) return fail("--limit needs 30, 20, 10 or all");
        options.limit = static_cast<int>(chosen - std::begin(kLimits));
      } else if (arg == "--no-rooms") {
        options.no_rooms = true;
      } else if (arg == "--titles") {
        options.titles = Digit(value(), '1');
        if (!options.titles) return fail("--titles needs 0 or 1");
      } else if (arg == "--missing") {
        options.missing = true;
      } else if (arg == "--kind") {
        const auto kind = Digit(value(), '2');
        if (!kind) return fail("--kind needs a number from 0 to 2");
        options.kind = *kind;
      } else if (arg == "--from" || arg == "--to") {
        const auto text = value();
        const auto month = text ? ParseYearMonth(*text) : std::nullopt;
        if (!month) return fail(arg + " needs a month YYYY/MM");
        (arg == "--from" ? options.month_from : options.month_to) = month;
      } else if (arg == "--id") {
        const auto text = value();
        if (!text) return fail("--id needs a member ID");
        options.target_id = Cp932Argument(arg, *text);
      } else if (arg == "--install" || arg == "--personal") {
        const auto text = value();
        if (!text || text->empty()) return fail(arg + " needs a folder");
        (arg == "--install" ? options.install_folder : options.personal_folder) = *text;
      } else if (arg == "--descending") {
        options.descending = true;
      } else if (arg == "--tables") {
        const auto text = value();
        if (!text || text->find_first_not_of("dmhwiz") != std::string::npos)
          return fail("--tables needs letters of dmhwiz");
        options.tables = *text;
      } else if (arg == "--settings") {
        if (!value()) return fail("--settings needs a file name");
      } else if (arg == "--align") {
        const auto text = value();
        if (!text || text->empty() || text->size() > 5 ||
            text->find_first_not_of("0123456789") != std::string::npos ||
            std::stoi(*text) < 1 || std::stoi(*text) > 65000)
          return fail("--align needs a number from 1 to 65000");
        options.align = *text;
      } else if (arg == "--strip") {
        const auto text = value();
        if (!text || !ParseStrip(*text, options))
          return fail("--strip needs a list of delimiter, eof, tab, trailing");
      } else if (arg == "--recount") {
        options.recount = true;
      } else if (arg == "--drop-deleted") {
        options.drop_deleted = true;
      } else if (arg == "--drop-room-headers") {
        options.drop_room_headers = true;
      } else if (arg == "--quote") {
        const auto text = value();
        if (!text) return fail("--quote needs a pattern");
        options.quote = Cp932Argument(arg, *text);
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
      if (arg != kAcLogsCommand && arg != kCacheCommand && !FindReport(arg) &&
          !IsLogOutputCommand(arg))
        return fail("unknown report " + arg);
      options.report = arg;
    } else if (options.report == kCacheCommand) {
      return fail("cache takes no files");
    } else if (options.report == kAcLogsCommand) {
      if (options.forum) return fail("aclogs takes one FORUM");
      options.forum = arg;
    } else {
      options.logs.push_back(arg);
    }
  }
  if (options.report.empty()) return fail("no report named");
  if (options.report == kCacheCommand && options.cache_action.empty())
    return fail("cache needs --info or --clear");
  if (options.report != kCacheCommand && !options.cache_action.empty())
    return fail("--" + options.cache_action + " is an option of cache");
  if (options.report == "process" && options.logs.size() != 1)
    return fail("process needs exactly one LOGFILE");
  if (options.report == "process" && options.output.empty()) return fail("process needs -o FILE");
  if (options.report == "comment" && options.order > 2)
    return fail("--order of comment needs a number from 0 to 2");
  if (options.missing && options.target.kind != TargetKind::ByNumber)
    return fail("--missing needs a number range");
  if (options.format != ReportFormat::Text && !HasReportData(options.report))
    return fail("--format " + format_name +
                " needs a report with tables (count, quote, comment, stats, month); " +
                options.report + " has none");
  return parse;
}

}  // namespace

CliParse ParseCliArguments(const std::vector<std::string>& arguments) {
  try {
    return ParseOrThrow(arguments);
  } catch (const Failure& failure) {
    CliParse parse;
    parse.outcome = CliParse::Outcome::UsageError;
    parse.error = UsageMessage(failure);
    return parse;
  }
}

}  // namespace tobrel

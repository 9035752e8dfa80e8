// The command line of tobrel-cli as a plain struct, and its parser. Each
// option is the twin of a control of the main window.
#pragma once

#include <optional>
#include <string>
#include <vector>

#include "exclusion/exclusion_rules.h"
#include "platform/date_time.h"
#include "tally/month_range.h"
#include "tally/tally_settings.h"

namespace tobrel {

// What --format asks for: the report text, or the report's data as
// tab-separated text, as an HTML page with charts, or its charts as SVG (the
// last three always UTF-8).
enum class ReportFormat { Text, Tsv, Html, Svg };

struct CliOptions {
  std::string report;              // count, quote, comment, stats, month, read, ...
  std::vector<std::string> logs;   // log files, read in this order

  // Reading.
  bool delimiter_only = false;
  bool interway = false;
  std::optional<std::string> quote;  // CP932 pattern
  bool strict = false;  // --strict: a reading warning gives exit status 5
  bool no_cache = false;  // --no-cache: neither use nor fill the cache of parsed logs

  // Exclusion and same-person rules, read-data files (cli/rule_options.h).
  std::optional<std::vector<std::string>> excluded_ids;   // --exclude-ids, checked
  std::optional<std::string> exclude_title;               // --exclude-title, CP932
  TitleMode title_mode = TitleMode::Regex;                // --title-mode
  std::optional<std::vector<std::string>> same_id_pairs;  // --same-ids, checked
  std::vector<std::string> data_files;                    // --data, loaded in this order
  std::vector<std::string> id_list_files;                 // the files of --exclude-ids, --same-ids

  // Target range and tables.
  TallyTarget target;     // --numbers or --dates
  bool top100 = false;    // "集計表には上位100位まで(&U)"
  bool hide_ids = false;  // "集計表にIDを表示しない(&D)"

  // Per report.
  int order = 0;       // --order: the item of "集計順 (&O)"
  std::string tables;  // --tables: letters of the time tables of count
  int limit = 0;       // --limit: the item of "上位...(&U)" of comment (3 = all)
  bool no_rooms = false;       // --no-rooms: "会議室情報を出力する(&J)" off
  std::optional<int> titles;   // --titles: the title list, in this form
  bool missing = false;        // --missing: "欠番チェックを行う (番号指定時のみ)(&N)"
  int kind = 0;                // --kind: the item of "集計種別(&O)" of month
  std::optional<YearMonth> month_from;  // --from (default: as at start-up)
  std::optional<YearMonth> month_to;    // --to (default: as at start-up)
  std::string target_id;       // --id: "対象&ID", CP932
  // process: the processing dialog's own options.
  std::optional<std::string> align;  // --align: "最終発言番号を揃える(&N)" with this number
  bool strip_delimiters = false;     // --strip delimiter,eof,tab,trailing
  bool strip_eof = false;
  bool strip_tabs = false;
  bool strip_trailing = false;
  bool recount = false;              // --recount: "ｺﾒﾝﾄ数の再計算(&R)"
  bool drop_deleted = false;         // --drop-deleted: "削除発言は出力しない(&X)"
  bool drop_room_headers = false;    // --drop-room-headers: "会議室ﾍｯﾀﾞを(&H)" "全て削除"

  // aclogs.
  std::string install_folder;         // --install: AirCraft 97's folder (native)
  std::string personal_folder;        // --personal: a personal log folder (native)
  bool descending = false;            // --descending: room files in "降順"
  std::optional<std::string> forum;   // FORUM: the forum whose room files are listed (UTF-8)

  // cache: "info" (--info) or "clear" (--clear).
  std::string cache_action;

  // Output and environment.
  std::string output;                // empty: standard output
  bool utf8 = false;
  ReportFormat format = ReportFormat::Text;  // --format
  std::optional<DateTime> today;
  bool progress = false;
  std::string settings_file;  // --settings: its values are the defaults
};

struct CliParse {
  enum class Outcome { Run, Help, Version, UsageError };
  Outcome outcome = Outcome::Run;
  CliOptions options;
  std::string error;  // for UsageError, UTF-8
};

// Parses argv[1..]; never exits.
CliParse ParseCliArguments(const std::vector<std::string>& arguments);

// The text of --help (UTF-8).
std::string CliHelpText();

}  // namespace tobrel

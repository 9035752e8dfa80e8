// The reading run reads lines while it parses them and asks the default
// quote pattern's own test; it must leave in the store exactly what loading
// each file whole and asking the pattern matcher, line by line, leaves. The
// logs are generated, then reshaped: LF ends, lone CR ends, mixed ends, no
// end on the last line, a CR as the last byte, NUL bytes and noise; each
// with the reading options as given and with the others. Reading the next
// file ahead on a second thread must show and leave exactly what reading
// one file at a time does, also when a file in the middle stops the run;
// so must parsing a log's second half on a second thread.
#include <gtest/gtest.h>

#include <fcntl.h>
#include <sys/stat.h>

#include <algorithm>
#include <atomic>
#include <optional>
#include <sstream>
#include <thread>

#include "core/log_lines.h"
#include "core/read_run.h"
#include "platform/cp932.h"
#include "platform/second_thread.h"
#include "regex/line_matcher.h"
#include "regex/quote_pattern.h"
#include "support/temp_folder.h"
#include "tally/quoted_line_test.h"
#include "tools/log_generator.h"

namespace tobrel {
namespace {

// The message a run stopped with: runs are compared by what they show.
std::optional<std::string> StopMessage(const ReadRunResult& result) {
  if (!result.stopped_by) return std::nullopt;
  return result.stopped_by->message();
}

class ProgressObserver final : public ReadRunObserver {
 public:
  explicit ProgressObserver(bool shows_progress) : shows_progress_(shows_progress) {}
  void SetProgressRange(int maximum) override { maximums.push_back(maximum); }
  bool ShowsProgress() const override { return shows_progress_; }
  std::vector<int> maximums;

 private:
  bool shows_progress_;
};

// Field by field: the bytes that pad a record may differ.
bool SameExcluded(const ExcludedRec& a, const ExcludedRec& b) {
  return a.Reason == b.Reason && a.Room == b.Room && a.Number == b.Number && a.Id == b.Id &&
         a.Handle == b.Handle && a.Title == b.Title;
}

// The run as it was: each file loaded whole, then parsed line by line; an
// error in a log stops it.
LogStore ReadWholeFiles(const std::vector<std::string>& paths, const TLineMatcher& quote,
                        const ReadOptions& options, std::vector<int>& maximums,
                        std::optional<std::string>& error) {
  LogStore store;
  for (const std::string& path : paths) {
    store.ReadFiles.push_back(path);
    LogLines lines;
    LoadLogLines(path, lines);
    maximums.push_back(static_cast<int>(lines.size()) - 1);
    PostingAssembler assembler({options.delimiter_only, options.exclude_interway},
                               [&](std::string_view line) { return quote.IsMatch(line); },
                               [&](const CompletedPosting& posting) {
                                 store.Postings.push_back(MakeArticleRec(posting, 2026));
                               });
    try {
      for (std::size_t i = 0; i < lines.size(); ++i) assembler.Feed(lines[i]);
      assembler.Finish();
    } catch (const Failure& e) {
      error = path + "(" + std::to_string(e.line()) + "): " + e.what();
      break;
    }
  }
  RemoveDuplicates(store);
  return store;
}

std::string Reshaped(std::string log, int shape) {
  auto replace_all = [&](std::string_view from, std::string_view to) {
    std::string out;
    std::size_t pos = 0;
    for (std::size_t hit; (hit = log.find(from, pos)) != std::string::npos; pos = hit + from.size())
      out.append(log, pos, hit - pos).append(to);
    log = out.append(log, pos);
  };
  switch (shape) {
    case 0: break;                                   // CR LF as generated
    case 1: replace_all("\r\n", "\n"); break;        // LF
    case 2: replace_all("\r\n", "\r"); break;        // lone CR
    case 3: {                                        // every third end CR, LF or CR LF
      replace_all("\r\n", "\n");
      int n = 0;
      for (char& c : log)
        if (c == '\n' && ++n % 3 == 1) c = '\r';
      replace_all("\n\n", "\r\n\n");
      break;
    }
    case 4: log.resize(log.size() - 2); break;       // no end on the last line
    case 5: log.pop_back(); break;                   // ends in CR
    case 6:                                           // NUL bytes and noise in lines
      for (std::size_t i = 97; i < log.size(); i += 211) log[i] = (i / 211) % 2 ? '\0' : '\x1a';
      break;
  }
  return log;
}

// The reading options and generator settings each shape is read with: as
// given, and with only delimiters ending postings, link lines left out, many
// rooms and two-digit years that wrap (postings out of order).
struct Variant {
  ReadOptions options;
  int rooms;
  int first_year;
};

TEST(ReadRunCrossCheck, LinesReadWhileParsingGiveTheSameStore) {
  testing::TempFolder folder("tobrel-read-cross");
  TLineMatcher quote;
  quote.SetRegExp(kDefaultQuotePattern);
  ReadOptions other_options;
  other_options.delimiter_only = true;
  other_options.exclude_interway = true;
  const Variant variants[] = {{ReadOptions{}, 6, 1996}, {other_options, 40, 1960}};
  for (int run = 0; run < 14; ++run) {
    const int shape = run % 7;
    const Variant& variant = variants[run / 7];
    std::vector<std::string> paths;
    for (const std::uint64_t seed : {3u, 4u}) {
      LogGeneratorOptions options;
      options.seed = seed;
      options.postings = run < 7 ? 400 : 1500;
      options.rooms = variant.rooms;
      options.first_year = variant.first_year;
      std::ostringstream log;
      GenerateLog(options, log);
      paths.push_back(folder.Write("log" + std::to_string(run) + "-" + std::to_string(seed),
                                   Reshaped(log.str(), shape)));
    }
    std::vector<int> expected_maximums;
    std::optional<std::string> expected_error;
    const LogStore expected =
        ReadWholeFiles(paths, quote, variant.options, expected_maximums, expected_error);

    // Without a progress bar the lines are not counted first.
    for (const bool progress : {true, false}) {
      LogStore store;
      ReadRunInputs inputs;
      for (const auto& path : paths) inputs.candidates.push_back({path, true});
      inputs.options = variant.options;
      inputs.is_quoted = MakeQuotedLineTest(quote);
      ProgressObserver observer(progress);
      EXPECT_EQ(StopMessage(ReadLogFiles(
                    store, inputs, FixedClock(*EncodeDateTime({2026, 12, 10, 0, 0, 0})), observer)),
                expected_error)
          << shape;
      if (progress) {
        EXPECT_EQ(observer.maximums, expected_maximums) << shape;
      }
      EXPECT_EQ(store.ReadFiles, expected.ReadFiles);
      ASSERT_EQ(store.Postings.size(), expected.Postings.size()) << shape;
      ASSERT_GT(store.Postings.size(), 50u) << shape;
      for (std::size_t i = 0; i < store.Postings.size(); ++i) {
        const ArticleRec& a = store.Postings[i];
        const ArticleRec& b = expected.Postings[i];
        ASSERT_TRUE(a.Number == b.Number && a.Id == b.Id && a.Handle == b.Handle &&
                    a.Title == b.Title && a.Room == b.Room && a.PostedAt == b.PostedAt &&
                    a.CommentTo == b.CommentTo && a.CommentCount == b.CommentCount &&
                    a.TotalChars == b.TotalChars && a.QuotedChars == b.QuotedChars &&
                    a.OwnChars == b.OwnChars && a.Rank == b.Rank)
            << "shape " << shape << " posting " << i;
      }
      ASSERT_EQ(store.Excluded.size(), expected.Excluded.size()) << shape;
      for (std::size_t i = 0; i < store.Excluded.size(); ++i)
        ASSERT_TRUE(SameExcluded(store.Excluded[i], expected.Excluded[i]))
            << "shape " << shape << " excluded " << i;
    }
  }
}

// Records every call of the observer, in order.
class CallRecordingObserver final : public ReadRunObserver {
 public:
  explicit CallRecordingObserver(bool shows_progress) : shows_progress_(shows_progress) {}
  std::vector<std::string> events;

  void ShowCandidatesPage() override { events.push_back("candidates"); }
  void ShowReadFilesPage() override { events.push_back("read files"); }
  void SetBusyCursor(bool busy) override { events.push_back(busy ? "busy" : "normal"); }
  void ShowStatus(std::string_view text) override { events.push_back("status " + std::string(text)); }
  void SetProgressRange(int maximum) override { events.push_back("range " + std::to_string(maximum)); }
  void SetProgressPosition(int position) override {
    events.push_back("at " + std::to_string(position));
  }
  bool ShowsProgress() const override { return shows_progress_; }
  void SetFilesLabel(std::string_view text) override { events.push_back("files " + std::string(text)); }
  void SetArticlesLabel(std::string_view text) override {
    events.push_back("articles " + std::string(text));
  }
  void ShowReadHealth(const std::vector<FileReadHealth>& files) override {
    for (const FileReadHealth& file : files)
      events.push_back("health " + file.path + " " + std::to_string(file.postings) + " " +
                       std::to_string(file.stray_headers) + " " +
                       std::to_string(file.conversion.converted) + " " +
                       std::to_string(file.conversion.unmapped));
  }

 private:
  bool shows_progress_;
};

void ExpectSameStore(const LogStore& a, const LogStore& b, const std::string& context) {
  EXPECT_EQ(a.ReadFiles, b.ReadFiles) << context;
  ASSERT_EQ(a.Postings.size(), b.Postings.size()) << context;
  for (std::size_t i = 0; i < a.Postings.size(); ++i) {
    const ArticleRec& x = a.Postings[i];
    const ArticleRec& y = b.Postings[i];
    ASSERT_TRUE(x.Number == y.Number && x.Id == y.Id && x.Handle == y.Handle &&
                x.Title == y.Title && x.Room == y.Room && x.PostedAt == y.PostedAt &&
                x.CommentTo == y.CommentTo && x.CommentCount == y.CommentCount &&
                x.TotalChars == y.TotalChars && x.QuotedChars == y.QuotedChars &&
                x.OwnChars == y.OwnChars && x.Rank == y.Rank)
        << context << " posting " << i;
  }
  ASSERT_EQ(a.Excluded.size(), b.Excluded.size()) << context;
  for (std::size_t i = 0; i < a.Excluded.size(); ++i)
    ASSERT_TRUE(SameExcluded(a.Excluded[i], b.Excluded[i])) << context << " excluded " << i;
}

TEST(ReadRunCrossCheck, ReadingAheadShowsAndLeavesWhatReadingOneByOneDoes) {
  testing::TempFolder folder("tobrel-read-ahead");
  TLineMatcher quote;
  quote.SetRegExp(kDefaultQuotePattern);
  const std::string bad_posting = cp932::FromUtf8(
      "00009/00009 BAD00009  ハンドル         bad\r\n( 5)   97/02/30 23:45\r\n本文\r\n \b\r\n");
  // What stops the run in the middle: nothing, a posting with a date that
  // does not exist, a missing file, a folder.
  enum Stop { kNone, kBadPosting, kMissing, kFolder };
  for (const Stop stop : {kNone, kBadPosting, kMissing, kFolder}) {
    std::vector<CandidateFile> candidates;
    for (int i = 0; i < 16; ++i) {
      const std::string name = "log" + std::to_string(stop) + "-" + std::to_string(i);
      if (i == 9 && stop == kMissing) {
        candidates.push_back({(folder.path() / name).string(), true});
        continue;
      }
      if (i == 9 && stop == kFolder) {
        std::filesystem::create_directory(folder.path() / name);
        candidates.push_back({(folder.path() / name).string(), true});
        continue;
      }
      LogGeneratorOptions options;
      options.seed = 100 + i;
      options.postings = 30 + 17 * i;
      options.rooms = 3 + i;
      std::ostringstream out;
      GenerateLog(options, out);
      std::string log = out.str();
      if (i == 9 && stop == kBadPosting) log.insert(log.find("\r\n", log.size() / 2) + 2, bad_posting);
      log = Reshaped(log, i % 6);  // the noise of shape 6 may stop the run
      // One log in UTF-8, which is converted as it is read.
      if (i == 11) log = cp932::ToUtf8(log);
      candidates.push_back({folder.Write(name, log), i != 4});
    }
    // A file named twice is read once.
    candidates.push_back(candidates[2]);

    for (const bool progress : {true, false}) {
      const std::string context = "stop " + std::to_string(stop) + " progress " +
                                  std::to_string(progress);
      LogStore stores[2];
      CallRecordingObserver observers[2] = {CallRecordingObserver(progress), CallRecordingObserver(progress)};
      std::optional<std::string> errors[2];
      for (const bool ahead : {false, true}) {
        ReadRunInputs inputs;
        inputs.candidates = candidates;
        inputs.is_quoted = MakeQuotedLineTest(quote);
        inputs.read_ahead = ahead;
        errors[ahead] = StopMessage(ReadLogFiles(
            stores[ahead], inputs, FixedClock(*EncodeDateTime({2026, 12, 10, 0, 0, 0})),
            observers[ahead]));
      }
      EXPECT_EQ(errors[1], errors[0]) << context;
      EXPECT_EQ(errors[0].has_value(), stop != kNone) << context << " " << errors[0].value_or("");
      EXPECT_EQ(stores[0].ReadFiles.size(), stop == kNone ? 15u : 9u) << context;
      EXPECT_GT(stores[0].Postings.size(), 100u) << context;
      EXPECT_EQ(observers[1].events, observers[0].events) << context;
      if (stop == kNone) {
        // The UTF-8 log is told as converted.
        const std::string health = "health " + candidates[11].path + " ";
        EXPECT_EQ(std::count_if(observers[0].events.begin(), observers[0].events.end(),
                                [&](const std::string& event) {
                                  return event.rfind(health, 0) == 0 &&
                                         event.substr(event.size() - 4) == " 1 0";
                                }),
                  1)
            << context;
      }
      ExpectSameStore(stores[1], stores[0], context);
    }
  }
}

// Parsing a log's second half on a second thread, and taking over where
// both parses meet, must leave and show what reading it line by line does,
// wherever the middle falls: inside a posting, on a header, a sub-header or
// a delimiter, among header lines that are body text (when only delimiters
// end postings), at a header without its sub-header, before a posting that
// stops the run, among postings left out.
TEST(ReadRunCrossCheck, ParsingTheSecondHalfAheadChangesNothing) {
  testing::TempFolder folder("tobrel-read-halves");
  TLineMatcher quote;
  quote.SetRegExp(kDefaultQuotePattern);
  const auto is_quoted = MakeQuotedLineTest(quote);
  const std::thread::id test_thread = std::this_thread::get_id();
  std::atomic<bool> second_thread_asked{false};

  LogGeneratorOptions generated;
  generated.seed = 7;
  generated.postings = 60;
  generated.rooms = 3;
  std::ostringstream out;
  GenerateLog(generated, out);
  const std::string log = out.str();
  // The first posting's header and sub-header, and the first delimiter
  // after the middle, where the cases put their lines.
  const std::size_t header_end = log.find("\r\n") + 2;
  const std::string header = log.substr(0, header_end);
  const std::string header_pair = log.substr(0, log.find("\r\n", header_end) + 2);
  const std::size_t middle = log.find(" \b\r\n", log.size() / 2) + 4;
  const std::string body = cp932::FromUtf8("本文です\r\n");
  const std::string filler = cp932::FromUtf8("雑談です\r\n");

  struct Case {
    const char* name;
    std::string lines;
    bool delimiter_only;
    bool exclusion;
    bool stops;
  };
  const Case cases[] = {
      {"plain", "", false, false, false},
      {"header lines in a body", header_pair + body + header_pair + header_pair + body + " \b\r\n",
       false, false, false},
      {"header lines in a body, delimiters only",
       header_pair + body + header_pair + header_pair + body + " \b\r\n", true, false, false},
      {"header without sub-header", header + body + body + header + header + body, false, false,
       false},
      {"bad date",
       cp932::FromUtf8("00009/00009 BAD00009  ハンドル         bad\r\n( 5)   97/02/30 23:45\r\n") +
           body + " \b\r\n",
       false, false, true},
      {"postings left out", "", false, true, false},
  };
  int runs = 0, split_runs = 0;
  for (const Case& c : cases) {
    for (const int shape : {0, 3}) {
      // Filler lines outside postings, before the log or after it, move the
      // middle across the case's lines and the postings around them.
      for (int shift = -120; shift <= 120; shift += 3) {
        std::string content = log.substr(0, middle) + c.lines + log.substr(middle);
        std::string fill;
        for (int i = 0; i < std::abs(shift); ++i) fill += filler;
        content = shift < 0 ? fill + content : content + fill;
        const std::string context =
            std::string(c.name) + " shape " + std::to_string(shape) + " shift " + std::to_string(shift);
        const std::string path = folder.Write("log", Reshaped(content, shape));
        for (const bool progress : {true, false}) {
          LogStore stores[2];
          CallRecordingObserver observers[2] = {CallRecordingObserver(progress),
                                                CallRecordingObserver(progress)};
          std::optional<std::string> errors[2];
          second_thread_asked = false;
          for (const bool ahead : {false, true}) {
            ReadRunInputs inputs;
            inputs.candidates = {{path, true}};
            inputs.options.delimiter_only = c.delimiter_only;
            inputs.options.use_exclusion = c.exclusion;
            inputs.exclusion = [](std::string_view id, std::string_view) -> std::optional<ExclusionReason> {
              if (!id.empty() && id.back() % 3 == 0) return ExclusionReason::ById;
              return std::nullopt;
            };
            inputs.is_quoted = [&](std::string_view line) {
              if (std::this_thread::get_id() != test_thread) second_thread_asked = true;
              return is_quoted(line);
            };
            inputs.read_ahead = ahead;
            inputs.split_size = 1;
            errors[ahead] = StopMessage(ReadLogFiles(
                stores[ahead], inputs, FixedClock(*EncodeDateTime({2026, 12, 10, 0, 0, 0})),
                observers[ahead]));
          }
          ++runs;
          split_runs += second_thread_asked ? 1 : 0;
          EXPECT_EQ(errors[1], errors[0]) << context;
          EXPECT_EQ(errors[0].has_value(), c.stops) << context;
          EXPECT_EQ(observers[1].events, observers[0].events) << context;
          EXPECT_EQ(std::any_of(stores[0].Excluded.begin(), stores[0].Excluded.end(),
                                [](const ExcludedRec& r) { return r.Reason == ExclusionReason::ById; }),
                    c.exclusion)
              << context;
          ExpectSameStore(stores[1], stores[0], context);
        }
      }
    }
  }
  // The second thread did parse: most runs asked it about quoted lines.
  EXPECT_GT(split_runs, runs * 9 / 10);
}

// Where the system gives no second thread, the run reads every log here,
// parsed ahead or split or not, and leaves and shows what it does with one:
// logs small enough to be parsed from the back, a large one split in
// halves, an error in one of them.
TEST(ReadRunCrossCheck, WithoutASecondThreadTheRunLeavesWhatItDoesWithOne) {
  testing::TempFolder folder("tobrel-no-thread");
  TLineMatcher quote;
  quote.SetRegExp(kDefaultQuotePattern);
  const auto is_quoted = MakeQuotedLineTest(quote);
  const std::thread::id test_thread = std::this_thread::get_id();
  const std::string bad_posting = cp932::FromUtf8(
      "00009/00009 BAD00009  ハンドル         bad\r\n( 5)   97/02/30 23:45\r\n本文\r\n \b\r\n");
  for (const bool stops : {false, true}) {
    std::vector<CandidateFile> candidates;
    std::uint64_t largest = 0;
    for (int i = 0; i < 6; ++i) {
      LogGeneratorOptions options;
      options.seed = 200 + i;
      options.postings = i == 3 ? 400 : 20 + 5 * i;
      options.rooms = 2 + i;
      std::ostringstream out;
      GenerateLog(options, out);
      std::string log = out.str();
      if (i == 4 && stops) log.insert(log.find("\r\n", log.size() / 2) + 2, bad_posting);
      largest = std::max<std::uint64_t>(largest, log.size());
      candidates.push_back({folder.Write("log" + std::to_string(stops) + std::to_string(i), log), true});
    }
    LogStore stores[2];
    CallRecordingObserver observers[2] = {CallRecordingObserver(true), CallRecordingObserver(true)};
    std::optional<std::string> errors[2];
    bool other_thread_asked[2] = {false, false};
    for (const bool refused : {false, true}) {
      std::optional<RefuseSecondThreads> refuse;
      if (refused) refuse.emplace();
      ReadRunInputs inputs;
      inputs.candidates = candidates;
      std::atomic<bool> asked{false};
      inputs.is_quoted = [&is_quoted, &asked, test_thread](std::string_view line) {
        if (std::this_thread::get_id() != test_thread) asked = true;
        return is_quoted(line);
      };
      inputs.read_ahead = true;
      inputs.split_size = largest;  // only the largest log is split
      errors[refused] = StopMessage(ReadLogFiles(
          stores[refused], inputs, FixedClock(*EncodeDateTime({2026, 12, 10, 0, 0, 0})),
          observers[refused]));
      other_thread_asked[refused] = asked;
    }
    const std::string context = stops ? "stops" : "reads all";
    EXPECT_TRUE(other_thread_asked[0]) << context;
    EXPECT_FALSE(other_thread_asked[1]) << context;
    EXPECT_EQ(errors[1], errors[0]) << context;
    EXPECT_EQ(errors[0].has_value(), stops) << context;
    EXPECT_EQ(observers[1].events, observers[0].events) << context;
    ExpectSameStore(stores[1], stores[0], context);
  }
}

// Reading through the cache of parsed logs shows and leaves what reading
// without it does, when the run fills the cache and when it loads every log
// it can from it: logs of every shape, with long titles, one in UTF-8, one
// with a posting that cannot be read, with either reading option, with
// a progress bar or without, parsed ahead and in halves or one at a time,
// and whatever rules of exclusion the entries were made under. A posting
// left out whose date cannot be read keeps its log out of the cache: other
// rules would stop reading there.
TEST(ReadRunCrossCheck, TheCacheOfParsedLogsChangesNothing) {
  testing::TempFolder folder("tobrel-read-cache");
  TLineMatcher quote;
  quote.SetRegExp(kDefaultQuotePattern);
  const auto is_quoted = MakeQuotedLineTest(quote);
  const std::string bad_posting = cp932::FromUtf8(
      "00009/00009 BAD00009  ハンドル         bad\r\n( 5)   97/02/30 23:45\r\n本文\r\n \b\r\n");
  std::vector<CandidateFile> candidates;
  for (int i = 0; i < 9; ++i) {
    LogGeneratorOptions options;
    options.seed = 300 + i;
    options.postings = 40 + 10 * i;
    options.rooms = 2 + i;
    options.first_year = i % 2 ? 1960 : 1996;
    std::ostringstream out;
    GenerateLog(options, out);
    std::string log = out.str();
    // Shapes 0 to 5, one in UTF-8, one with a posting that cannot be read,
    // of an ID left out below, and last the noise of shape 6, which may
    // stop the run.
    if (i == 6) log = cp932::ToUtf8(log);
    if (i == 7) log.insert(log.find("\r\n", log.size() / 2) + 2, bad_posting);
    const int shape = i < 6 ? i : i == 8 ? 6 : 0;
    candidates.push_back({folder.Write("log" + std::to_string(i), Reshaped(log, shape)), true});
  }
  using Rule = std::optional<ExclusionReason> (*)(std::string_view, std::string_view);
  const Rule by_id = [](std::string_view id, std::string_view) -> std::optional<ExclusionReason> {
    if (!id.empty() && id.back() % 3 == 0) return ExclusionReason::ById;
    return std::nullopt;
  };
  // Asks for more of the title than a record holds.
  const Rule by_long_title = [](std::string_view, std::string_view title)
      -> std::optional<ExclusionReason> {
    if (title.size() > 45 && title[45] % 2 == 0) return ExclusionReason::ByTitle;
    return std::nullopt;
  };
  struct Case {
    const char* name;
    Rule fill_rule, load_rule;  // nullptr: exclusion off
    bool other_options, progress, ahead;
  };
  const Case cases[] = {
      {"plain", nullptr, nullptr, false, true, true},
      {"plain without progress", nullptr, nullptr, false, false, true},
      {"other options one at a time", nullptr, nullptr, true, true, false},
      {"made by ID, loaded without", by_id, nullptr, false, false, false},
      {"made without, loaded by long title", nullptr, by_long_title, true, true, true},
      {"made by long title, loaded by ID", by_long_title, by_id, false, true, true},
  };
  int case_number = 0;
  for (const Case& c : cases) {
    const std::string cache_folder = (folder.path() / ("cache" + std::to_string(case_number++))).string();
    std::atomic<int> questions{0};
    auto run = [&](Rule rule, bool cached, CallRecordingObserver& observer, LogStore& store) {
      ReadRunInputs inputs;
      inputs.candidates = candidates;
      inputs.options.delimiter_only = c.other_options;
      inputs.options.exclude_interway = c.other_options;
      inputs.options.use_exclusion = rule != nullptr;
      if (rule) inputs.exclusion = rule;
      inputs.is_quoted = [&](std::string_view line) {
        ++questions;
        return is_quoted(line);
      };
      inputs.read_ahead = c.ahead;
      inputs.split_size = 20000;  // the larger logs are read in halves
      if (cached) inputs.cache = LogCacheUse{cache_folder, kDefaultLogCacheCap, "default"};
      questions = 0;
      return StopMessage(ReadLogFiles(store, inputs, FixedClock(*EncodeDateTime({2026, 12, 10, 0, 0, 0})),
                                      observer));
    };
    for (const bool load_pass : {false, true}) {
      const Rule rule = load_pass ? c.load_rule : c.fill_rule;
      const std::string context = std::string(c.name) + (load_pass ? ", loaded" : ", filled");
      LogStore cold_store, store;
      CallRecordingObserver cold_observer(c.progress), observer(c.progress);
      const auto cold_error = run(rule, false, cold_observer, cold_store);
      const int cold_questions = questions;
      const auto error = run(rule, true, observer, store);
      EXPECT_EQ(error, cold_error) << context;
      EXPECT_EQ(observer.events, cold_observer.events) << context;
      ExpectSameStore(store, cold_store, context);
      // The first seven logs get entries, and are then not parsed.
      EXPECT_GE(SummarizeLogCache(cache_folder).entries, 7u) << context;
      if (load_pass) EXPECT_LT(questions, cold_questions * 2 / 3) << context;
    }
  }
}

// Logs parsed on the second thread while the first is read here get their
// entries there (where no second thread can be had, here): every log does.
TEST(ReadRunCrossCheck, LogsParsedAheadGetEntriesToo) {
  testing::TempFolder folder("tobrel-read-cache-ahead");
  TLineMatcher quote;
  quote.SetRegExp(kDefaultQuotePattern);
  ReadRunInputs inputs;
  for (int i = 0; i < 4; ++i) {
    LogGeneratorOptions options;
    options.seed = 40 + i;
    options.postings = i == 0 ? 1500 : 20;  // the second thread takes the small ones
    std::ostringstream out;
    GenerateLog(options, out);
    inputs.candidates.push_back({folder.Write("log" + std::to_string(i), out.str()), true});
  }
  inputs.is_quoted = MakeQuotedLineTest(quote);
  inputs.cache = LogCacheUse{folder.path() / "cache", kDefaultLogCacheCap, "default"};
  LogStore store;
  ReadRunObserver observer;
  ReadLogFiles(store, inputs, FixedClock(*EncodeDateTime({2026, 12, 10, 0, 0, 0})), observer);
  EXPECT_EQ(SummarizeLogCache(folder.path() / "cache").entries, 4u);
}

// A log changed in place, its size and modification time restored, is read
// again when the change is in its first or last 64 KiB; so is a log whose
// entry was cut short, which gets a new one.
TEST(ReadRunCrossCheck, ALogChangedInPlaceIsReadAgain) {
  testing::TempFolder folder("tobrel-read-cache-changed");
  TLineMatcher quote;
  quote.SetRegExp(kDefaultQuotePattern);
  LogGeneratorOptions options;
  options.seed = 9;
  options.postings = 800;
  std::ostringstream out;
  GenerateLog(options, out);
  const std::string log = out.str();
  ASSERT_GT(log.size(), 3 * 65536u);
  const std::string path = folder.Write("log", log);
  struct stat st;
  ASSERT_EQ(::stat(path.c_str(), &st), 0);
  auto read = [&](bool cached) {
    LogStore store;
    ReadRunInputs inputs;
    inputs.candidates = {{path, true}};
    inputs.is_quoted = MakeQuotedLineTest(quote);
    if (cached) inputs.cache = LogCacheUse{folder.path() / "cache", kDefaultLogCacheCap, "default"};
    ReadRunObserver observer;
    ReadLogFiles(store, inputs, FixedClock(*EncodeDateTime({2026, 12, 10, 0, 0, 0})), observer);
    return store;
  };
  read(true);
  // A handle near either end, with one of the same length.
  for (const bool near_end : {false, true}) {
    std::string changed = log;
    const std::size_t handle = near_end ? changed.rfind("\r\n", changed.size() - 4000) : 0;
    const std::size_t header = changed.find(" \b\r\n", handle) + 4;
    changed[header + 22] = changed[header + 22] == 'X' ? 'Y' : 'X';
    folder.Write("log", changed);
    const struct timespec times[2] = {st.st_atim, st.st_mtim};
    ASSERT_EQ(::utimensat(AT_FDCWD, path.c_str(), times, 0), 0);
    const LogStore cold = read(false);
    ExpectSameStore(read(true), cold, near_end ? "near the end" : "near the start");
    ExpectSameStore(read(true), cold, near_end ? "near the end, again" : "near the start, again");
  }
  // An entry cut short is read past and replaced.
  const LogStore cold = read(false);
  for (const auto& entry : std::filesystem::directory_iterator(folder.path() / "cache")) {
    const std::uintmax_t size = std::filesystem::file_size(entry.path());
    std::filesystem::resize_file(entry.path(), size - 1);
    ExpectSameStore(read(true), cold, "cut entry");
    EXPECT_EQ(std::filesystem::file_size(entry.path()), size);
  }
  EXPECT_EQ(SummarizeLogCache(folder.path() / "cache").entries, 1u);
  ExpectSameStore(read(true), cold, "replaced entry");
}

}  // namespace
}  // namespace tobrel

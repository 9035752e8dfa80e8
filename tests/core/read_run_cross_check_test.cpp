// The reading run reads lines while it parses them and asks the default
// quote pattern's own test; it must leave in the store exactly what loading
// each file whole and asking the pattern matcher, line by line, leaves. The
// logs are generated, then reshaped: LF ends, lone CR ends, mixed ends, no
// end on the last line, a CR as the last byte, NUL bytes and noise; each
// with the reading options as given and with the others.
#include <gtest/gtest.h>

#include <cstring>
#include <sstream>

#include "core/log_lines.h"
#include "core/read_run.h"
#include "regex/line_matcher.h"
#include "regex/quote_pattern.h"
#include "support/temp_folder.h"
#include "tally/quoted_line_test.h"
#include "tools/log_generator.h"

namespace tobrel {
namespace {

class ProgressObserver final : public ReadRunObserver {
 public:
  explicit ProgressObserver(bool shows_progress) : shows_progress_(shows_progress) {}
  void SetProgressRange(int maximum) override { maximums.push_back(maximum); }
  bool ShowsProgress() const override { return shows_progress_; }
  std::vector<int> maximums;

 private:
  bool shows_progress_;
};

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
    } catch (const LogFormatError& e) {
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
      EXPECT_EQ(ReadLogFiles(store, inputs, FixedClock(*EncodeDateTime({2026, 12, 10, 0, 0, 0})),
                             observer),
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
        ASSERT_EQ(std::memcmp(&store.Excluded[i], &expected.Excluded[i], sizeof(ExcludedRec)), 0)
            << "shape " << shape << " excluded " << i;
    }
  }
}

}  // namespace
}  // namespace tobrel

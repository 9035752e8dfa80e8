// Logs shared out between the calling thread and the second one: the
// calling thread always reads the first log and those the second thread
// may not take, and every log the second thread parsed is handed over as
// that log, whole, with its error.
#include "core/parse_from_back.h"

#include <gtest/gtest.h>

#include <chrono>
#include <sstream>
#include <string>
#include <thread>

#include "support/temp_folder.h"
#include "tools/log_generator.h"

namespace tobrel {
namespace {

TEST(ParseFromBack, HandsOverWhatTheSecondThreadParsedOfEachLog) {
  testing::TempFolder folder("tobrel-parse-from-back");
  std::vector<std::string> paths;
  for (int i = 0; i < 6; ++i) {
    LogGeneratorOptions options;
    options.seed = 40 + i;
    options.postings = 5 + i;
    std::ostringstream log;
    GenerateLog(options, log);
    paths.push_back(folder.Write("log" + std::to_string(i), log.str()));
  }
  paths[4] = (folder.path() / "missing").string();
  auto settings_for = [&](std::size_t log) {
    ParseSettings settings;
    settings.open = [path = paths[log]] { return std::make_unique<LogLineReader>(path); };
    settings.store = [](const CompletedPosting&, std::vector<ArticleRec>& postings,
                        std::vector<ExcludedRec>&) { postings.emplace_back(); };
    return settings;
  };
  // Log 2 may not be taken by the second thread.
  ParseFromBack queue({true, true, false, true, true, true}, settings_for);
  EXPECT_EQ(queue.Take(0), nullptr);
  // Time for the second thread to parse every log it may.
  std::this_thread::sleep_for(std::chrono::milliseconds(200));
  int handed_over = 0;
  for (std::size_t i = 1; i < paths.size(); ++i) {
    const std::unique_ptr<ParsedLog> parsed = queue.Take(i);
    if (i == 2) EXPECT_EQ(parsed, nullptr);
    if (!parsed) continue;
    ++handed_over;
    if (i == 4) {
      EXPECT_TRUE(parsed->open_error);
      continue;
    }
    ASSERT_FALSE(parsed->open_error) << i;
    EXPECT_FALSE(parsed->error) << i;
    EXPECT_EQ(parsed->postings.size(), 5 + i) << i;
    EXPECT_EQ(parsed->lines, parsed->line_count) << i;
  }
  EXPECT_GT(handed_over, 0);
}

TEST(ParseFromBack, NothingToShareStartsNoSecondThreadAndHandsOverNothing) {
  ParseFromBack queue({true, false, false}, [](std::size_t) -> ParseSettings {
    ADD_FAILURE() << "no log is for the second thread";
    return {};
  });
  for (std::size_t i = 0; i < 3; ++i) EXPECT_EQ(queue.Take(i), nullptr);
}

}  // namespace
}  // namespace tobrel

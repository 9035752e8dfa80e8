// tobrel-cli with the cache of parsed logs: a second run over unchanged
// logs writes the same report and messages from the cache; --no-cache
// neither uses nor fills it; standard input is never cached; a cache folder
// that cannot be written changes nothing; `cache --info` and `cache
// --clear` show and empty it.
#include <gtest/gtest.h>

#include <fcntl.h>
#include <unistd.h>

#include <cstdlib>
#include <filesystem>
#include <sstream>

#include "cli/exit_status.h"
#include "support/cli_in_process.h"
#include "support/sjis.h"
#include "support/temp_folder.h"
#include "tools/log_generator.h"

namespace tobrel {
namespace {

namespace fs = std::filesystem;

class CacheCliTest : public ::testing::Test {
 protected:
  CacheCliTest() {
    const char* old = std::getenv("XDG_CACHE_HOME");
    if (old) old_cache_home_ = old;
    ::setenv("XDG_CACHE_HOME", folder_.path().c_str(), 1);
    for (int i = 0; i < 2; ++i) {
      LogGeneratorOptions options;
      options.seed = 40 + i;
      options.postings = 150;
      std::ostringstream log;
      GenerateLog(options, log);
      logs_.push_back(folder_.Write("log" + std::to_string(i), log.str()));
    }
  }
  ~CacheCliTest() override {
    if (old_cache_home_) ::setenv("XDG_CACHE_HOME", old_cache_home_->c_str(), 1);
    else ::unsetenv("XDG_CACHE_HOME");
  }

  int Run(std::vector<std::string> arguments) {
    return testing::RunCliInProcess(arguments, out_, err_);
  }
  std::size_t Entries() const {
    std::size_t entries = 0;
    std::error_code error;
    for (fs::directory_iterator it(cache_, error), end; !error && it != end; it.increment(error))
      entries += it->path().extension() == ".tobrelcache";
    return entries;
  }

  testing::TempFolder folder_{"tobrel-cache-cli"};
  const fs::path cache_ = folder_.path() / "tobrel";
  std::optional<std::string> old_cache_home_;
  std::vector<std::string> logs_;
  std::ostringstream out_, err_;
};

TEST_F(CacheCliTest, ASecondRunWritesTheSameFromTheCache) {
  const std::vector<std::vector<std::string>> commands = {
      {"count", "--tables", "dmhwiz", "--progress"},
      {"savedata"},
      {"excluded", "--exclude-title", "Re", "--progress"},
      {"quote", "--quote", ">", "--delimiter-only", "--interway"}};
  for (const auto& command : commands) {
    std::vector<std::string> arguments = command;
    arguments.insert(arguments.end(), {"--today", "2026/12/10", logs_[0], logs_[1]});
    std::vector<std::string> no_cache = arguments;
    no_cache.push_back("--no-cache");
    ASSERT_EQ(Run(no_cache), kExitDone) << command[0];
    const std::string out = out_.str(), err = err_.str();
    EXPECT_EQ(Entries(), 0u) << command[0];
    for (int run = 0; run < 2; ++run) {  // filling, then loading
      ASSERT_EQ(Run(arguments), kExitDone) << command[0];
      EXPECT_EQ(out_.str(), out) << command[0] << run;
      EXPECT_EQ(err_.str(), err) << command[0] << run;
      EXPECT_EQ(Entries(), 2u) << command[0] << run;
    }
    ASSERT_EQ(Run({"cache", "--clear"}), kExitDone);
    EXPECT_EQ(out_.str(), "removed 2 files from " + cache_.string() + "\n");
  }
}

TEST_F(CacheCliTest, InfoAndClearShowAndEmptyOnlyTheCache) {
  ASSERT_EQ(Run({"cache", "--info"}), kExitDone);
  EXPECT_EQ(out_.str(), "folder: " + cache_.string() +
                            "\nentries: 0\nsize: 0 bytes\ncap: 1073741824 bytes\n");
  ASSERT_EQ(Run({"count", logs_[0], logs_[1]}), kExitDone);
  folder_.Write("tobrel/mine.txt", "not the cache's");
  ASSERT_EQ(Run({"cache", "--info"}), kExitDone);
  std::uintmax_t size = 0;
  for (const auto& entry : fs::directory_iterator(cache_))
    if (entry.path().extension() == ".tobrelcache") size += entry.file_size();
  EXPECT_EQ(out_.str(), "folder: " + cache_.string() + "\nentries: 2\nsize: " +
                            std::to_string(size) + " bytes\ncap: 1073741824 bytes\n");
  ASSERT_EQ(Run({"cache", "--clear"}), kExitDone);
  EXPECT_EQ(Entries(), 0u);
  EXPECT_TRUE(fs::exists(cache_ / "mine.txt"));
  // Their usage.
  for (const std::vector<std::string>& wrong :
       {std::vector<std::string>{"cache"}, {"count", "--info", logs_[0]}, {"cache", "--clear", logs_[0]}}) {
    const CliParse parse = ParseCliArguments(wrong);
    EXPECT_EQ(parse.outcome, CliParse::Outcome::UsageError) << wrong.size();
  }
}

TEST_F(CacheCliTest, StreamsAndUnwritableFoldersAreReadAsWithout) {
  ASSERT_EQ(Run({"count", "--no-cache", logs_[0]}), kExitDone);
  const std::string expected = out_.str();
  // A cache folder under a file cannot be made.
  const std::string file = folder_.Write("file", "x");
  ::setenv("XDG_CACHE_HOME", file.c_str(), 1);
  ASSERT_EQ(Run({"count", logs_[0]}), kExitDone);
  EXPECT_EQ(out_.str(), expected);
  EXPECT_EQ(err_.str(), "");
  ::setenv("XDG_CACHE_HOME", folder_.path().c_str(), 1);
  // Standard input.
  const int saved = ::dup(0);
  ASSERT_EQ(::close(0), 0);
  ASSERT_EQ(::open(logs_[0].c_str(), O_RDONLY), 0);
  const int status = Run({"count", "-"});
  ::dup2(saved, 0);
  ::close(saved);
  ASSERT_EQ(status, kExitDone);
  EXPECT_EQ(out_.str().size(), expected.size());
  EXPECT_EQ(Entries(), 0u);
}

}  // namespace
}  // namespace tobrel

#include "core/log_lines.h"

#include <gtest/gtest.h>

#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>

#include <fstream>
#include <thread>
#include <vector>

namespace tobrel {
namespace {

class LogLinesTest : public ::testing::Test {
 protected:
  void SetUp() override {
    path_ = std::filesystem::temp_directory_path() /
            ("tobrel-lines-" + std::to_string(::getpid()) + ".log");
  }
  void TearDown() override { std::filesystem::remove(path_); }

  std::vector<std::string> Load(const std::string& content) {
    std::ofstream(path_, std::ios::binary) << content;
    LogLines lines;
    LoadLogLines(path_, lines);
    std::vector<std::string> out;
    for (std::size_t i = 0; i < lines.size(); ++i) out.emplace_back(lines[i]);
    return out;
  }

  // The same content read as a stream: through /dev/fd of a pipe's read
  // end, as a shell's "<(...)" gives it.
  std::vector<std::string> LoadThroughPipe(const std::string& content) {
    int fds[2];
    EXPECT_EQ(::pipe(fds), 0);
    std::thread writer([&] {
      const char* data = content.data();
      std::size_t left = content.size();
      while (left > 0) {
        const ssize_t put = ::write(fds[1], data, left);
        if (put <= 0) break;
        data += put;
        left -= static_cast<std::size_t>(put);
      }
      ::close(fds[1]);
    });
    LogLines lines;
    try {
      LoadLogLines("/dev/fd/" + std::to_string(fds[0]), lines);
    } catch (...) {
      writer.join();
      ::close(fds[0]);
      throw;
    }
    writer.join();
    ::close(fds[0]);
    std::vector<std::string> out;
    for (std::size_t i = 0; i < lines.size(); ++i) out.emplace_back(lines[i]);
    return out;
  }

  std::filesystem::path path_;
};

using Lines = std::vector<std::string>;

TEST_F(LogLinesTest, LineEnds) {
  static const struct {
    const char* name;
    std::string content;
    Lines lines;
  } cases[] = {
      {"empty file", "", {}},
      {"CR LF", "a\r\nb\r\n", {"a", "b"}},
      {"LF", "a\nb\n", {"a", "b"}},
      {"lone CR", "a\rb\r", {"a", "b"}},
      {"mixed", "a\r\n\nb\rc\n\rd", {"a", "", "b", "c", "", "d"}},
      {"no end on the last line", "a\r\nb", {"a", "b"}},
      {"ends in CR", "a\r", {"a"}},
      {"LF CR is two ends", "a\n\r", {"a", ""}},
      {"bytes stay", std::string("t\tab\x1a\0z\x82\r\n", 10), {std::string("t\tab\x1a\0z\x82", 8)}},
  };
  for (const auto& c : cases) {
    EXPECT_EQ(Load(c.content), c.lines) << c.name;
    EXPECT_EQ(LoadThroughPipe(c.content), c.lines) << c.name << " (pipe)";
  }
}

TEST_F(LogLinesTest, CrLfSplitAcrossBlocksIsOneEnd) {
  for (std::size_t cr_at : {32766u, 32767u, 32768u}) {
    std::string content(cr_at, 'x');
    content += "\r\nnext\r\n";
    const Lines lines = Load(content);
    ASSERT_EQ(lines.size(), 2u) << cr_at;
    EXPECT_EQ(lines[0].size(), cr_at);
    EXPECT_EQ(lines[1], "next");
  }
}

TEST_F(LogLinesTest, HugeLineAndManyLines) {
  std::string content(3 << 20, 'x');
  content += "\n";
  for (int i = 0; i < 100000; ++i) content += "l\r\n";
  const Lines lines = Load(content);
  ASSERT_EQ(lines.size(), 100001u);
  EXPECT_EQ(lines[0].size(), 3u << 20);
  EXPECT_EQ(lines.back(), "l");
  EXPECT_EQ(LoadThroughPipe(content), lines);
}

TEST_F(LogLinesTest, NamedFifoIsReadAsAStream) {
  ASSERT_EQ(::mkfifo(path_.c_str(), 0600), 0);
  std::thread writer([&] { std::ofstream(path_, std::ios::binary) << "a\r\nb"; });
  LogLines lines;
  LoadLogLines(path_, lines);
  writer.join();
  ASSERT_EQ(lines.size(), 2u);
  EXPECT_EQ(lines[1], "b");
}

TEST_F(LogLinesTest, FifoWithoutAWriterIsAnErrorNotAWaitForEver) {
  ASSERT_EQ(::mkfifo(path_.c_str(), 0600), 0);
  LogLines lines;
  try {
    LoadLogLines(path_, lines, std::chrono::milliseconds(50));
    ADD_FAILURE() << "no error";
  } catch (const Failure& e) {
    EXPECT_EQ(std::string(e.what()), path_.string() + ": no program wrote to the FIFO within 50 ms");
  }
}

TEST_F(LogLinesTest, DevicesAreRefused) {
  for (const char* device : {"/dev/zero", "/dev/null"}) {
    LogLines lines;
    try {
      LoadLogLines(device, lines);
      ADD_FAILURE() << device;
    } catch (const Failure& e) {
      EXPECT_EQ(std::string(e.what()), std::string(device) + ": a device, not a log file");
    }
  }
}

TEST_F(LogLinesTest, MissingFileThrowsAndLeavesTheListEmpty) {
  LogLines lines;
  EXPECT_THROW(LoadLogLines("/nonexistent/tobrel.log", lines), Failure);
  EXPECT_TRUE(lines.empty());
  EXPECT_THROW(LoadLogLines(std::filesystem::temp_directory_path(), lines), Failure);
}

}  // namespace
}  // namespace tobrel

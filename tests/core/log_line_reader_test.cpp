// The lines handed out while reading must be those of the whole-file loader
// and of a plain reference split, for logs of every shape and for any size
// of the reads (so that CR LF and long lines fall across every boundary).
#include "core/log_line_reader.h"

#include <gtest/gtest.h>
#include <unistd.h>

#include <algorithm>
#include <fstream>
#include <sstream>
#include <thread>
#include <vector>

#include "core/log_lines.h"
#include "tools/log_generator.h"

namespace tobrel {
namespace {

using Lines = std::vector<std::string>;

// The rule written out plainly: a line ends at CR LF, a lone CR or a lone
// LF; a last line without an end is a line.
Lines ReferenceSplit(const std::string& content) {
  Lines lines;
  std::string line;
  for (std::size_t i = 0; i < content.size(); ++i) {
    const char c = content[i];
    if (c == '\n' || c == '\r') {
      lines.push_back(line);
      line.clear();
      if (c == '\r' && i + 1 < content.size() && content[i + 1] == '\n') ++i;
    } else {
      line += c;
    }
  }
  if (!content.empty() && content.back() != '\n' && content.back() != '\r') lines.push_back(line);
  return lines;
}

// Where each line of `content` starts.
std::vector<std::uint64_t> LineStarts(const std::string& content) {
  std::vector<std::uint64_t> starts;
  std::size_t start = 0;
  for (std::size_t i = 0; i < content.size(); ++i) {
    if (content[i] != '\r' && content[i] != '\n') continue;
    starts.push_back(start);
    if (content[i] == '\r' && i + 1 < content.size() && content[i + 1] == '\n') ++i;
    start = i + 1;
  }
  if (start < content.size()) starts.push_back(start);
  return starts;
}

class LogLineReaderTest : public ::testing::Test {
 protected:
  void SetUp() override {
    path_ = std::filesystem::temp_directory_path() /
            ("tobrel-reader-" + std::to_string(::getpid()) + ".log");
  }
  void TearDown() override { std::filesystem::remove(path_); }

  void Write(const std::string& content) { std::ofstream(path_, std::ios::binary) << content; }

  static Lines ReadAll(LogLineReader& reader) {
    Lines lines;
    std::string_view line;
    while (reader.Next(line)) lines.emplace_back(line);
    return lines;
  }

  // Reads all lines and, for a reader in blocks, where each one starts.
  static Lines ReadAll(LogLineReader& reader, std::vector<std::uint64_t>& starts) {
    Lines lines;
    std::string_view line;
    for (;;) {
      const std::uint64_t start = reader.NextLineOffset();
      if (!reader.Next(line)) break;
      lines.emplace_back(line);
      if (reader.ReadsInBlocks()) starts.push_back(start);
    }
    return lines;
  }

  // As ReadAll, but takes the empty lines before each line at once, as
  // many as a limit allows that changes from one line to the next.
  static Lines ReadAllTakingEmptyRuns(LogLineReader& reader, std::vector<std::uint64_t>& starts) {
    static constexpr std::size_t kMost[] = {1000, 0, 1, 2, 63, 64, 65};
    Lines lines;
    std::string_view line;
    for (std::size_t round = 0;; ++round) {
      const std::size_t most = kMost[round % std::size(kMost)];
      const std::uint64_t before = reader.NextLineOffset();
      const std::size_t taken = reader.TakeEmptyLines(most);
      EXPECT_LE(taken, most);
      // Only lines ended by a lone LF are taken: one byte each.
      for (std::size_t i = 0; i < taken; ++i) {
        lines.emplace_back();
        if (reader.ReadsInBlocks()) starts.push_back(before + i);
      }
      const std::uint64_t start = reader.NextLineOffset();
      if (!reader.Next(line)) break;
      lines.emplace_back(line);
      if (reader.ReadsInBlocks()) starts.push_back(start);
    }
    return lines;
  }

  // Reads the file with each block size, counted first or not, and with the
  // whole-file loader; all must give the reference lines, and the count
  // before the first. With `empty_runs`, uncounted also taking runs of
  // empty lines at once.
  void CheckAllAgree(const std::string& content, const std::string& name,
                     std::initializer_list<std::size_t> block_sizes, bool empty_runs = true) {
    Write(content);
    const Lines expected = ReferenceSplit(content);
    LogLines whole;
    LoadLogLines(path_, whole);
    ASSERT_EQ(whole.size(), expected.size()) << name;
    for (std::size_t i = 0; i < whole.size(); ++i) ASSERT_EQ(whole[i], expected[i]) << name << i;
    const std::vector<std::uint64_t> expected_starts = LineStarts(content);
    ASSERT_EQ(expected_starts.size(), expected.size()) << name;
    for (const std::size_t block : block_sizes) {
      for (const bool counted : {true, false}) {
        const std::string context =
            name + " block " + std::to_string(block) + (counted ? "" : " uncounted");
        LogLineReader reader(path_, kFifoWriterWait, block, counted);
        if (counted) EXPECT_EQ(reader.size(), expected.size()) << context;
        std::vector<std::uint64_t> starts;
        ASSERT_EQ(ReadAll(reader, starts), expected) << context;
        if (reader.ReadsInBlocks()) ASSERT_EQ(starts, expected_starts) << context;
        if (counted || !empty_runs) continue;
        LogLineReader runs_reader(path_, kFifoWriterWait, block, counted);
        std::vector<std::uint64_t> runs_starts;
        ASSERT_EQ(ReadAllTakingEmptyRuns(runs_reader, runs_starts), expected) << context << " runs";
        if (runs_reader.ReadsInBlocks()) {
          ASSERT_EQ(runs_starts, expected_starts) << context << " runs";
        }
      }
      // From line starts after an LF (some forty spread over a long file),
      // the lines from there on.
      const std::size_t stride = std::max<std::size_t>(1, expected.size() / 40);
      for (std::size_t i = 1; i < expected.size(); i += stride) {
        const std::uint64_t start = expected_starts[i];
        if (content[start - 1] != '\n') continue;
        const auto reader = LogLineReader::FromOffset(path_, start, content.size(), block);
        ASSERT_EQ(ReadAll(*reader), Lines(expected.begin() + static_cast<std::ptrdiff_t>(i), expected.end()))
            << name << " block " << block << " from " << start;
      }
    }
  }

  std::filesystem::path path_;
};

TEST_F(LogLineReaderTest, AgreesOnEveryShapeOfLineEnd) {
  static const struct {
    const char* name;
    std::string content;
  } cases[] = {
      {"empty", ""},
      {"only line ends", "\n\n\r\n\r\r\n\r"},
      {"CR LF", "ab\r\ncd\r\n"},
      {"LF", "ab\ncd\n"},
      {"lone CR", "ab\rcd\r"},
      {"ends in CR", "ab\r\ncd\r"},
      {"ends in CR LF CR", "ab\r\n\r"},
      {"no end", "ab\r\ncd"},
      {"LF CR", "a\n\rb\n\r"},
      {"NUL and 0x1A", std::string("a\0b\x1a\r\n\0\r", 8)},
      {"lone lead bytes", "\x81\r\n\x82\r\x9f\n\xfc"},
      {"a lead byte before CR LF", "\x82\r\n\x82\n"},
      {"runs of empty lines", std::string(130, '\n') + "a" + std::string(70, '\n') +
                                  "\r\n\n\r\r\n\n\n" + std::string(64, '\n') + "b"},
  };
  for (const auto& c : cases)
    CheckAllAgree(c.content, c.name, {1, 2, 3, 5, 16, 17, 33, LogLineReader::kDefaultBlockSize});
}

TEST_F(LogLineReaderTest, AgreesOnRandomMixesOfLineEnds) {
  std::uint32_t state = 2026;
  auto next = [&] {
    state = state * 1103515245u + 12345u;
    return state >> 16;
  };
  static const char kPool[] = {'\r', '\n', 'a', ' ', '\0', '\x81', '\x40'};
  for (int round = 0; round < 300; ++round) {
    std::string content(next() % 200, ' ');
    for (char& c : content) c = kPool[next() % sizeof kPool];
    CheckAllAgree(content, "round " + std::to_string(round), {1, 2, 7, 16, 64});
  }
}

// Line ends are looked for 64 bytes at a time: a CR LF, a CR or an LF on
// either side of such a window's edge and of a block's edge.
TEST_F(LogLineReaderTest, AgreesAcrossTheEdgesOfWindowsAndBlocks) {
  for (const std::size_t at : {62u, 63u, 64u, 127u, 128u}) {
    for (const char* end : {"\r\n", "\r", "\n", "\r\r\n", "\n\r"}) {
      const std::string content =
          std::string(at, 'a') + end + "b\r\n" + std::string(70, 'c') + "\nd";
      CheckAllAgree(content, std::to_string(at) + " " + end,
                    {at, at + 1, at + 2, at + 3, 64, 128, LogLineReader::kDefaultBlockSize});
    }
  }
}

TEST_F(LogLineReaderTest, AgreesOnGeneratedLogs) {
  for (const bool crlf : {true, false}) {
    for (const std::uint64_t seed : {1u, 7u}) {
      LogGeneratorOptions options;
      options.seed = seed;
      options.postings = 300;
      options.crlf = crlf;
      std::ostringstream log;
      GenerateLog(options, log);
      CheckAllAgree(log.str(), std::string(crlf ? "crlf" : "lf") + std::to_string(seed),
                    {13, 4096, LogLineReader::kDefaultBlockSize});
    }
  }
}

TEST_F(LogLineReaderTest, LinesLongerThanTheBuffer) {
  std::string content(300000, 'x');
  content += "\r";
  content += std::string(70000, 'y');
  content += "\r\n\r";
  CheckAllAgree(content, "long lines", {1000, 65536, LogLineReader::kDefaultBlockSize}, false);

  // Lines too long for a buffer on the heap: the buffer is mapped for the
  // first, and its pages move when it grows for the second.
  const std::string mapped = std::string(LineBuffer::kMappedSize + 3, 'x') + "\r\n" +
                             std::string(2 * LineBuffer::kMappedSize + 7, 'y') + "\nz";
  CheckAllAgree(mapped, "mapped lines", {LogLineReader::kDefaultBlockSize}, false);
}

TEST_F(LogLineReaderTest, StreamsAreReadWhole) {
  int fds[2];
  ASSERT_EQ(::pipe(fds), 0);
  const std::string content = "a\r\nb\rc\n";
  std::thread writer([&] {
    (void)!::write(fds[1], content.data(), content.size());
    ::close(fds[1]);
  });
  LogLineReader reader("/dev/fd/" + std::to_string(fds[0]));
  writer.join();
  ::close(fds[0]);
  EXPECT_EQ(reader.size(), 3u);
  EXPECT_EQ(ReadAll(reader), (Lines{"a", "b", "c"}));
}

// A file read whole (here a UTF-8 one, converted) has no line ends left:
// its empty lines are taken whatever ended them.
TEST_F(LogLineReaderTest, EmptyRunsOfAFileReadWhole) {
  Write("\xe3\x81\x82\n\n\r\n\n\xe3\x81\x82");
  LogLineReader reader(path_);
  ASSERT_FALSE(reader.ReadsInBlocks());
  std::vector<std::uint64_t> starts;
  EXPECT_EQ(ReadAllTakingEmptyRuns(reader, starts), (Lines{"\x82\xa0", "", "", "", "\x82\xa0"}));
}

TEST_F(LogLineReaderTest, ErrorsAreThoseOfTheLoader) {
  EXPECT_THROW(LogLineReader("/nonexistent/tobrel.log"), Failure);
  EXPECT_THROW(LogLineReader(std::filesystem::temp_directory_path()), Failure);
  EXPECT_THROW(LogLineReader("/dev/zero"), Failure);
}

}  // namespace
}  // namespace tobrel

// The lines of a log handed out one at a time, for the reading run: it needs
// every line once, in order, and the number of lines before the first, but
// never the whole file at once. The lines are those that LoadLogLines gives.
#pragma once

#include <chrono>
#include <cstddef>
#include <cstdint>
#include <filesystem>
#include <memory>
#include <string_view>

#include "core/input_file.h"
#include "core/line_buffer.h"
#include "core/log_lines.h"
#include "core/utf8_log_text.h"

namespace tobrel {

class LogLineReader {
 public:
  // Bytes read from the file at a time.
  static constexpr std::size_t kDefaultBlockSize = 128 * 1024;

  // Opens `path` and, with `count_lines`, counts its lines. Throws
  // Failure as LoadLogLines does. `block_size` (at least 1) is for
  // tests of lines split across reads.
  explicit LogLineReader(const std::filesystem::path& path,
                         std::chrono::milliseconds fifo_wait = kFifoWriterWait,
                         std::size_t block_size = kDefaultBlockSize, bool count_lines = true);
  // The lines of the regular file `path`, known not to be UTF-8, from byte
  // `from` on, where a line starts, up to byte `to` or the end of the file;
  // neither counted nor checked. Throws Failure as above.
  static std::unique_ptr<LogLineReader> FromOffset(const std::filesystem::path& path,
                                                   std::uint64_t from, std::uint64_t to,
                                                   std::size_t block_size = kDefaultBlockSize);
  LogLineReader(const LogLineReader&) = delete;
  LogLineReader& operator=(const LogLineReader&) = delete;

  // The number of lines, known before the first is read; 0 for a regular
  // file whose lines were not counted.
  std::size_t size() const { return count_; }

  // Gives the next line without its line end, valid until the next call;
  // false after the last line. Throws Failure when reading fails.
  bool Next(std::string_view& line) {
    // Most lines end with an LF or a CR LF that the window of line ends
    // already holds: those are handed out here, the rest by NextSlow().
    if (ends_ != 0) {
      const char* data = buffer_.data();
      const std::size_t end = window_ + static_cast<unsigned>(__builtin_ctzll(ends_));
      if (data[end] == '\n') {
        ends_ &= ends_ - 1;
        line = {data + begin_, end - begin_};
        begin_ = end + 1;
        return true;
      }
      if (data[end] == '\r' && data[end + 1] == '\n' && end + 1 < window_ + 64) {
        ends_ &= ends_ - 1;
        ends_ &= ends_ - 1;
        line = {data + begin_, end - begin_};
        begin_ = end + 2;
        return true;
      }
    }
    return NextSlow(line);
  }
  // Takes the empty lines that come next, at most `most` of them, as that
  // many calls of Next() would, without handing them out; gives how many it
  // took. A file read in blocks gives only lines ended by a lone LF (one
  // byte each), and only from the bytes read so far: at a CR or at the end
  // of what was read it stops, and Next() gives the rest one by one. Throws
  // nothing.
  std::size_t TakeEmptyLines(std::size_t most);

  // Whether the file was UTF-8 and its lines are the converted CP932 text.
  const Utf8Conversion& conversion() const { return conversion_; }

  // True for a regular file read in blocks, as it is (not UTF-8): then its
  // lines have places in the file. The byte where the next line starts, and
  // the byte after the last that the reader reads at most.
  bool ReadsInBlocks() const { return !whole_; }
  // The size of a regular file when it was opened.
  std::uint64_t FileSize() const { return file_.Size(); }
  std::uint64_t NextLineOffset() const { return base_ + begin_; }
  std::uint64_t EndOffset() const { return start_ + total_; }

 private:
  struct FromOffsetTag {};
  LogLineReader(FromOffsetTag, const std::filesystem::path& path, std::uint64_t from,
                std::uint64_t to, std::size_t block_size);

  // Counts the lines; with `keep`, keeps the bytes in the buffer and says
  // whether all of them are there.
  bool CountLines(bool keep);
  bool NextSlow(std::string_view& line);
  std::size_t WholeFileLimit() const;
  void Refill();

  InputFile file_;
  std::size_t block_size_;
  std::size_t count_ = 0;

  // A stream, and a UTF-8 file to convert, are read whole, as LoadLogLines
  // reads them.
  bool whole_ = false;
  Utf8Check utf8_;
  Utf8Conversion conversion_;
  LogLines stream_lines_;
  std::size_t next_stream_line_ = 0;

  // A regular file is read again in blocks after counting. The buffer holds
  // the bytes from the start of the line being looked for up to `filled_`,
  // then zero bytes of padding.
  LineBuffer buffer_;
  std::size_t capacity_ = 0;  // without the padding
  std::size_t begin_ = 0;     // start of the next line
  std::size_t scan_ = 0;      // where the next window of line ends starts
  std::size_t window_ = 0;    // where the window of `ends_` starts
  std::uint64_t ends_ = 0;    // line ends in the window from `begin_` on, as bits
  std::size_t filled_ = 0;
  std::uint64_t start_ = 0;   // the byte of the file where reading starts
  std::uint64_t base_ = 0;    // the byte of the file in the buffer's first place
  std::uint64_t total_ = 0;   // the bytes counted from `start_`; no more are read
  std::uint64_t read_ = 0;    // the bytes read in the second pass
  bool at_end_ = false;       // nothing more to read
};

}  // namespace tobrel

// A text file as a list of lines, the way the reading run and the processing
// output see a log: a line ends at CR LF, a lone CR or a lone LF, and its
// bytes stay exactly as they were (tabs, NUL and 0x1A included).
#pragma once

#include <chrono>
#include <cstdint>
#include <filesystem>
#include <memory>
#include <string_view>
#include <vector>

#include "core/input_file.h"

namespace tobrel {

class LogLines {
 public:
  LogLines() = default;
  LogLines(const LogLines&) = delete;
  LogLines& operator=(const LogLines&) = delete;

  std::size_t size() const { return line_starts_.empty() ? 0 : line_starts_.size() - 1; }
  bool empty() const { return size() == 0; }
  // Line `index` without its line end; valid until the list changes.
  std::string_view operator[](std::size_t index) const {
    const std::uint64_t begin = line_starts_[index];
    std::uint64_t end = line_starts_[index + 1];
    // Drop the line end: CR LF, CR or LF (a CR before an LF is always a pair).
    if (end > begin && bytes_[end - 1] == '\n') --end;
    if (end > begin && bytes_[end - 1] == '\r') --end;
    return {bytes_.get() + begin, static_cast<std::size_t>(end - begin)};
  }
  // Frees the lines and their memory.
  void clear();
  // All the bytes, line ends included.
  std::string_view text() const {
    return line_starts_.empty() ? std::string_view()
                                : std::string_view(bytes_.get(), line_starts_.back());
  }

 private:
  friend void LoadLogLines(const std::filesystem::path& path, LogLines& lines,
                           std::chrono::milliseconds fifo_wait);
  friend void LoadStreamLines(InputFile& file, LogLines& lines);
  friend void SetLogText(LogLines& lines, std::unique_ptr<char[]> bytes, std::uint64_t size);

// Takes the bytes out of `lines`, which is left empty; `size` gets their
// number. With SetLogText, for changing a text in place.
std::unique_ptr<char[]> TakeLogText(LogLines& lines, std::uint64_t& size);
  friend std::unique_ptr<char[]> TakeLogText(LogLines& lines, std::uint64_t& size);

  // The file's bytes as they are, line ends included, and where each line
  // starts (one more entry: the end of the last line's bytes).
  std::unique_ptr<char[]> bytes_;
  std::vector<std::uint64_t> line_starts_;
};

// How long reading a FIFO waits for a program to open it and write.
inline constexpr std::chrono::milliseconds kFifoWriterWait{10000};

// Replaces the content of `lines` with the lines of the file at `path`.
// A regular file is read twice in 32 KiB blocks: once to count lines and
// bytes so that the list is sized once, then to fill it. A pipe, a FIFO or
// standard input ("-") is read once, whole. Throws Failure (core/input_file.h)
// for a file that cannot be opened or read, a device, and a FIFO that
// nothing writes to within `fifo_wait`.
void LoadLogLines(const std::filesystem::path& path, LogLines& lines,
                  std::chrono::milliseconds fifo_wait = kFifoWriterWait);

// Replaces the content of `lines` with the lines of the opened stream, read
// whole from where it stands.
void LoadStreamLines(InputFile& file, LogLines& lines);

// Replaces the content of `lines` with the lines of `size` bytes, which it
// keeps.
void SetLogText(LogLines& lines, std::unique_ptr<char[]> bytes, std::uint64_t size);

// Takes the bytes out of `lines`, which is left empty; `size` gets their
// number. With SetLogText, for changing a text in place.
std::unique_ptr<char[]> TakeLogText(LogLines& lines, std::uint64_t& size);

}  // namespace tobrel

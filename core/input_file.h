// An opened log input for the loaders of lines: a regular file, which can be
// read more than once, or a stream (a pipe, a FIFO, a socket, standard input
// as "-"), read once to its end. Devices are refused.
#pragma once

#include <chrono>
#include <cstddef>
#include <cstdint>
#include <filesystem>
#include <string>

#include "platform/failure.h"

namespace tobrel {

// The name of a log input as its messages begin with it: the UTF-8 text of
// the path (platform/path_text.h) converted into CP932.
std::string InputFileMessageName(const std::filesystem::path& path);

// A log input that cannot be opened or read fails with a Failure of kind
// FileUnreadable: file() is the path; code() is the errno, ETIMEDOUT for a
// FIFO that nothing wrote to in time, or NotRegularFile::Device of
// RegularFileCategory() (platform/regular_file.h) for a device; message() is
// InputFileMessageName(path) followed by ": " and the reason ("No such file
// or directory", "a device, not a log file", "no program wrote to the FIFO
// within N ms").
class InputFile {
 public:
  // Throws Failure for a file that cannot be opened, a folder, a device, and
  // a FIFO that nothing writes to within `fifo_wait`.
  InputFile(const std::filesystem::path& path, std::chrono::milliseconds fifo_wait);
  ~InputFile();
  InputFile(const InputFile&) = delete;
  InputFile& operator=(const InputFile&) = delete;

  // True for an input that can be read only once, front to end.
  bool IsStream() const { return stream_; }
  // The size of a regular file when it was opened; 0 for a stream.
  std::uint64_t Size() const { return size_; }

  // Reads up to `size` bytes; 0 at the end of the file. Throws Failure.
  std::size_t Read(char* buffer, std::size_t size);
  // Moves to byte `offset` of a regular file.
  void Seek(std::uint64_t offset);

 private:
  void WaitForWriter(std::chrono::milliseconds wait);
  [[noreturn]] void Fail(std::error_code code, const std::string& reason);
  [[noreturn]] void RefuseDevice();
  [[noreturn]] void Fail(int error);
  [[noreturn]] void Fail();

  std::filesystem::path path_;
  int fd_ = -1;
  bool owned_ = true;
  bool stream_ = false;
  std::uint64_t size_ = 0;
};

}  // namespace tobrel

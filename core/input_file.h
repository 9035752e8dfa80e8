// An opened log input for the loaders of lines: a regular file, which can be
// read more than once, or a stream (a pipe, a FIFO, a socket, standard input
// as "-"), read once to its end. Devices are refused.
#pragma once

#include <chrono>
#include <cstddef>
#include <cstdint>
#include <filesystem>
#include <stdexcept>

namespace tobrel {

// A file that cannot be opened or read; what() names the path and reason.
class FileReadError : public std::runtime_error {
 public:
  using std::runtime_error::runtime_error;
};

class InputFile {
 public:
  // Throws FileReadError for a file that cannot be opened, a folder, a
  // device, and a FIFO that nothing writes to within `fifo_wait`.
  InputFile(const std::filesystem::path& path, std::chrono::milliseconds fifo_wait);
  ~InputFile();
  InputFile(const InputFile&) = delete;
  InputFile& operator=(const InputFile&) = delete;

  // True for an input that can be read only once, front to end.
  bool IsStream() const { return stream_; }
  // The size of a regular file when it was opened; 0 for a stream.
  std::uint64_t Size() const { return size_; }

  // Reads up to `size` bytes; 0 at the end of the file. Throws FileReadError.
  std::size_t Read(char* buffer, std::size_t size);
  // Moves to byte `offset` of a regular file.
  void Seek(std::uint64_t offset);

 private:
  void WaitForWriter(std::chrono::milliseconds wait);
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

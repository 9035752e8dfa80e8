// The memory a line reader reads into: a block of bytes that can grow while
// keeping what it holds. A small block lives on the heap; a large one is
// mapped from the system whole, so that growing it moves its pages instead
// of copying them (a line of gigabytes is never held twice) and large pages
// can back it (filling it faults once for 2 MiB, not for every 4 KiB).
#pragma once

#include <cstddef>

namespace tobrel {

class LineBuffer {
 public:
  // Blocks of this size and more are mapped.
  static constexpr std::size_t kMappedSize = std::size_t{4} << 20;

  LineBuffer() = default;
  ~LineBuffer() { Release(); }
  LineBuffer(const LineBuffer&) = delete;
  LineBuffer& operator=(const LineBuffer&) = delete;

  char* data() const { return data_; }
  std::size_t size() const { return size_; }

  // Makes the block `size` bytes long, keeping its first `keep` bytes (at
  // most the old size); the bytes after them are undefined. Throws
  // std::bad_alloc when the memory cannot be had; the block is then as it
  // was.
  void Resize(std::size_t size, std::size_t keep);
  // Gives the memory back; the block is then empty.
  void Release();

 private:
  char* data_ = nullptr;
  std::size_t size_ = 0;
  std::size_t mapped_ = 0;  // the bytes mapped; 0 for a block on the heap
};

}  // namespace tobrel

#include "core/line_buffer.h"

#include <sys/mman.h>
#include <unistd.h>

#include <algorithm>
#include <cstdlib>
#include <cstring>
#include <new>

#include "platform/large_pages.h"

namespace tobrel {
namespace {

std::size_t WholePages(std::size_t bytes) {
  const auto page = static_cast<std::size_t>(::sysconf(_SC_PAGESIZE));
  return (bytes + page - 1) / page * page;
}

// A fresh mapping of `bytes`, advised for large pages as a whole (advice
// on part of it would split it, and it could no longer be moved whole).
char* Map(std::size_t bytes) {
  void* mapped = ::mmap(nullptr, bytes, PROT_READ | PROT_WRITE, MAP_PRIVATE | MAP_ANONYMOUS, -1, 0);
  if (mapped == MAP_FAILED) throw std::bad_alloc();
  AdviseLargePages(mapped, bytes);
  return static_cast<char*>(mapped);
}

}  // namespace

void LineBuffer::Resize(std::size_t size, std::size_t keep) {
  keep = std::min(keep, size_);
  size = std::max(size, std::size_t{1});
  if (mapped_ && keep) {
    // The pages move to where the new mapping is; nothing is copied.
    const std::size_t bytes = WholePages(size);
    void* moved = ::mremap(data_, mapped_, bytes, MREMAP_MAYMOVE);
    if (moved == MAP_FAILED) throw std::bad_alloc();
    data_ = static_cast<char*>(moved);
    mapped_ = bytes;
    AdviseLargePages(data_, bytes);
  } else if (size < kMappedSize) {
    void* resized = keep && !mapped_ ? std::realloc(data_, size) : std::malloc(size);
    if (!resized) throw std::bad_alloc();
    if (!keep) Release();
    data_ = static_cast<char*>(resized);
  } else {
    // From the heap to a mapping, or anew: the kept bytes are copied once.
    const std::size_t bytes = WholePages(size);
    char* fresh = Map(bytes);
    if (keep) std::memcpy(fresh, data_, keep);
    Release();
    data_ = fresh;
    mapped_ = bytes;
  }
  size_ = size;
}

void LineBuffer::Release() {
  if (mapped_)
    ::munmap(data_, mapped_);
  else
    std::free(data_);
  data_ = nullptr;
  size_ = mapped_ = 0;
}

}  // namespace tobrel

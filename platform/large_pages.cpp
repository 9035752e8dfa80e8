#include "platform/large_pages.h"

#include <sys/mman.h>
#include <unistd.h>

#include <cstdint>

namespace tobrel {
namespace {

// Gives `advice` for the whole pages of [data, data + bytes): advice takes
// whole pages, those that lie wholly inside the block. Advice the system
// does not take changes nothing: its answer is ignored.
void AdviseWholePages(const void* data, std::size_t bytes, int advice) {
  const auto page = static_cast<std::uintptr_t>(::sysconf(_SC_PAGESIZE));
  const auto begin = reinterpret_cast<std::uintptr_t>(data);
  const std::uintptr_t first = (begin + page - 1) / page * page;
  const std::uintptr_t last = (begin + bytes) / page * page;
  if (last > first) ::madvise(reinterpret_cast<void*>(first), last - first, advice);
}

}  // namespace

void AdviseLargePages(const void* data, std::size_t bytes) {
  // Below this the faults saved are too few to matter.
  constexpr std::size_t kLargeBlock = std::size_t{4} << 20;
  if (bytes < kLargeBlock) return;
#ifdef MADV_HUGEPAGE
  AdviseWholePages(data, bytes, MADV_HUGEPAGE);
#endif
}

void PrefaultForWriting(const void* data, std::size_t bytes) {
#ifdef MADV_POPULATE_WRITE
  AdviseWholePages(data, bytes, MADV_POPULATE_WRITE);
#endif
}

}  // namespace tobrel

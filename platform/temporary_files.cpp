#include "platform/temporary_files.h"

#include <unistd.h>

#include <atomic>
#include <climits>
#include <cstring>

namespace tobrel {
namespace {

// A slot is free, being filled by its writer, or holds a path to remove.
enum SlotState : int { kFree = 0, kFilling = 1, kRecorded = 2 };

struct Slot {
  std::atomic<int> state{kFree};
  char path[PATH_MAX];
};
static_assert(std::atomic<int>::is_always_lock_free);

constexpr int kSlots = 8;
Slot g_slots[kSlots];

}  // namespace

int RegisterTemporaryFile(const char* path) {
  const std::size_t size = std::strlen(path);
  if (size >= PATH_MAX) return -1;
  for (int i = 0; i < kSlots; ++i) {
    int expected = kFree;
    if (!g_slots[i].state.compare_exchange_strong(expected, kFilling)) continue;
    std::memcpy(g_slots[i].path, path, size + 1);
    g_slots[i].state.store(kRecorded);
    return i;
  }
  return -1;
}

void ReleaseTemporaryFile(int slot) {
  if (slot >= 0 && slot < kSlots) g_slots[slot].state.store(kFree);
}

void RemoveRecordedTemporaryFiles() {
  for (Slot& slot : g_slots)
    if (slot.state.load() == kRecorded) ::unlink(slot.path);
}

}  // namespace tobrel

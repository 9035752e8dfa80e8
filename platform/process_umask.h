// The process's file-mode creation mask, learned without changing it: the
// only portable way, umask() itself, sets a new mask to read the old one,
// which races with every thread that creates a file meanwhile.
#pragma once

#include <sys/types.h>

namespace tobrel {

// The "Umask:" line of /proc/self/status; 022 where the system does not
// show it.
mode_t ProcessUmask();

}  // namespace tobrel

// A record of the temporary files that writes in progress have created, kept
// so that a signal handler can remove them: a few fixed slots of atomic state
// and fixed-size path buffers, nothing that allocates or locks.
#pragma once

namespace tobrel {

// Records `path`; gives the slot to release, or -1 when no slot is free or
// the path is too long (the file is then not removed on a signal).
int RegisterTemporaryFile(const char* path);

// Forgets the file of `slot` (does nothing for -1).
void ReleaseTemporaryFile(int slot);

// Removes every recorded file. Async-signal-safe.
void RemoveRecordedTemporaryFiles();

}  // namespace tobrel

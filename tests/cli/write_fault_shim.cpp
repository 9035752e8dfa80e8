// A stand-in for a few system calls, loaded into a real tobrel-cli through
// LD_PRELOAD by the tests, to make the faults of other file systems happen
// here: fallocate fails as where the file system lacks it (EOPNOTSUPP), and
// once TOBREL_FAULT_WRITE_LIMIT bytes have gone to regular files, every
// further write to one fails with ENOSPC, as on a disk that has filled up.
// With TOBREL_FAULT_SIGNAL_AFTER, the process sends itself SIGTERM right
// after that many bytes have gone to regular files, as a kill part-way would.
// Writes to pipes, terminals and devices pass untouched, so messages still
// reach standard error. The real calls are made as raw system calls, so the
// shim needs no other library's symbols and works under AddressSanitizer too.
#include <errno.h>
#include <fcntl.h>
#include <signal.h>
#include <stdlib.h>
#include <sys/stat.h>
#include <sys/syscall.h>
#include <unistd.h>

namespace {

long long written_to_files = 0;
bool signal_sent = false;

// The number a variable of the environment holds, or -1 without it.
long long Setting(const char* name) {
  const char* text = getenv(name);
  return text != nullptr ? atoll(text) : -1;
}

bool IsRegularFile(int fd) {
  struct stat st;
  return fstat(fd, &st) == 0 && S_ISREG(st.st_mode);
}

// How many of `size` bytes a write to a file may put down: up to the write
// limit, and a write that would pass the byte of the signal stops there.
// -1 (errno ENOSPC) when the limit is already reached.
ssize_t Allowed(size_t size) {
  const long long written = __atomic_load_n(&written_to_files, __ATOMIC_SEQ_CST);
  long long allowed = static_cast<long long>(size);
  if (const long long limit = Setting("TOBREL_FAULT_WRITE_LIMIT"); limit >= 0) {
    if (written >= limit) {
      errno = ENOSPC;
      return -1;
    }
    if (limit - written < allowed) allowed = limit - written;
  }
  const long long signal_at = Setting("TOBREL_FAULT_SIGNAL_AFTER");
  if (!signal_sent && signal_at > written && signal_at - written < allowed)
    allowed = signal_at - written;
  __atomic_add_fetch(&written_to_files, allowed, __ATOMIC_SEQ_CST);
  return static_cast<ssize_t>(allowed);
}

// Sends SIGTERM once, when TOBREL_FAULT_SIGNAL_AFTER bytes have gone to files.
void SignalWhenDue() {
  const long long signal_at = Setting("TOBREL_FAULT_SIGNAL_AFTER");
  if (signal_at < 0 || signal_sent ||
      __atomic_load_n(&written_to_files, __ATOMIC_SEQ_CST) < signal_at)
    return;
  signal_sent = true;
  kill(getpid(), SIGTERM);
}

}  // namespace

extern "C" {

int fallocate(int, int, off_t, off_t) {
  errno = EOPNOTSUPP;
  return -1;
}

int fallocate64(int, int, off64_t, off64_t) {
  errno = EOPNOTSUPP;
  return -1;
}

ssize_t write(int fd, const void* data, size_t size) {
  if (!IsRegularFile(fd)) return syscall(SYS_write, fd, data, size);
  const ssize_t allowed = Allowed(size);
  if (allowed < 0) return -1;
  const ssize_t written = syscall(SYS_write, fd, data, static_cast<size_t>(allowed));
  SignalWhenDue();
  return written;
}

ssize_t pwrite(int fd, const void* data, size_t size, off_t offset) {
  if (!IsRegularFile(fd)) return syscall(SYS_pwrite64, fd, data, size, offset);
  const ssize_t allowed = Allowed(size);
  if (allowed < 0) return -1;
  const ssize_t written = syscall(SYS_pwrite64, fd, data, static_cast<size_t>(allowed), offset);
  SignalWhenDue();
  return written;
}

ssize_t pwrite64(int fd, const void* data, size_t size, off64_t offset) {
  return pwrite(fd, data, size, offset);
}

}  // extern "C"

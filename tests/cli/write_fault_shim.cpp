// A stand-in for a few system calls, loaded into a real tobrel-cli through
// LD_PRELOAD by the tests, to make the faults of other file systems happen
// here: fallocate fails as where the file system lacks it (EOPNOTSUPP), and
// once TOBREL_FAULT_WRITE_LIMIT bytes have gone to regular files, every
// further write to one fails with ENOSPC, as on a disk that has filled up.
// Writes to pipes, terminals and devices pass untouched, so messages still
// reach standard error. The real calls are made as raw system calls, so the
// shim needs no other library's symbols and works under AddressSanitizer too.
#include <errno.h>
#include <fcntl.h>
#include <stdlib.h>
#include <sys/stat.h>
#include <sys/syscall.h>
#include <unistd.h>

namespace {

long long written_to_files = 0;

// How many of `size` bytes a write to `fd` may put down; -1 (errno ENOSPC)
// when the limit is already reached.
ssize_t Allowed(int fd, size_t size) {
  const char* limit_text = getenv("TOBREL_FAULT_WRITE_LIMIT");
  struct stat st;
  if (limit_text == nullptr || fstat(fd, &st) != 0 || !S_ISREG(st.st_mode))
    return static_cast<ssize_t>(size);
  const long long left =
      atoll(limit_text) - __atomic_load_n(&written_to_files, __ATOMIC_SEQ_CST);
  if (left <= 0) {
    errno = ENOSPC;
    return -1;
  }
  const size_t allowed =
      static_cast<unsigned long long>(left) < size ? static_cast<size_t>(left) : size;
  __atomic_add_fetch(&written_to_files, static_cast<long long>(allowed), __ATOMIC_SEQ_CST);
  return static_cast<ssize_t>(allowed);
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
  const ssize_t allowed = Allowed(fd, size);
  if (allowed < 0) return -1;
  return syscall(SYS_write, fd, data, static_cast<size_t>(allowed));
}

ssize_t pwrite(int fd, const void* data, size_t size, off_t offset) {
  const ssize_t allowed = Allowed(fd, size);
  if (allowed < 0) return -1;
  return syscall(SYS_pwrite64, fd, data, static_cast<size_t>(allowed), offset);
}

ssize_t pwrite64(int fd, const void* data, size_t size, off64_t offset) {
  return pwrite(fd, data, size, offset);
}

}  // extern "C"

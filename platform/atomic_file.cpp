// What stands at the path, its symbolic links followed, decides how it is
// written: a device or FIFO is opened by the path and written directly; a
// regular file with more than one link is rewritten in place after the
// room of the new content is made (by fallocate, or by writing zeros where
// the file system lacks it), and cut back to its old size when that fails;
// anything else is replaced by a temporary file in the folder of the links'
// final target that gets the old file's owner and mode, is synced, renamed
// over that target, and the folder synced after it. The temporary file is
// recorded for the signal handler while it exists, and removed on every
// failure.
#include "platform/atomic_file.h"

#include <fcntl.h>
#include <pthread.h>
#include <signal.h>
#include <sys/stat.h>
#include <unistd.h>

#include <algorithm>
#include <cerrno>
#include <climits>
#include <cstdio>
#include <cstdlib>
#include <functional>
#include <optional>
#include <ostream>
#include <streambuf>
#include <string>
#include <system_error>
#include <vector>

#include "platform/process_umask.h"
#include "platform/temporary_files.h"

namespace tobrel {
namespace {

constexpr int kCleanupSignals[] = {SIGINT, SIGTERM, SIGHUP};

[[noreturn]] void Fail(const std::filesystem::path& path, int error) {
  throw WriteFailure(path, error);
}

// Blocks the cleanup signals while it lives, so that creating or renaming a
// temporary file and recording or forgetting it happen as one step.
class CleanupSignalsBlocked {
 public:
  CleanupSignalsBlocked() {
    sigset_t set;
    sigemptyset(&set);
    for (int signal : kCleanupSignals) sigaddset(&set, signal);
    pthread_sigmask(SIG_BLOCK, &set, &old_);
  }
  ~CleanupSignalsBlocked() { pthread_sigmask(SIG_SETMASK, &old_, nullptr); }
  CleanupSignalsBlocked(const CleanupSignalsBlocked&) = delete;
  CleanupSignalsBlocked& operator=(const CleanupSignalsBlocked&) = delete;

  // True when a cleanup signal came while it was blocked here, and will be
  // delivered as soon as it is no longer.
  bool SignalWaiting() const {
    sigset_t pending;
    if (sigpending(&pending) != 0) return false;
    for (int signal : kCleanupSignals)
      if (sigismember(&pending, signal) == 1 && sigismember(&old_, signal) == 0) return true;
    return false;
  }

 private:
  sigset_t old_;
};

// The file a path names once its symbolic links are followed (a link to
// nothing names the file it would create).
std::string ResolveLinks(const std::filesystem::path& path) {
  std::filesystem::path current = path;
  for (int hops = 0; hops < 40; ++hops) {
    struct stat st;
    if (::lstat(current.c_str(), &st) != 0 || !S_ISLNK(st.st_mode)) return current.string();
    std::error_code error;
    const std::filesystem::path target = std::filesystem::read_symlink(current, error);
    if (error) Fail(path, error.value());
    current = target.is_absolute() ? target : current.parent_path() / target;
  }
  Fail(path, ELOOP);
}

// Writes all of `content` at the descriptor's position; 0 or an errno.
int WriteAll(int fd, std::string_view content) {
  const char* data = content.data();
  std::size_t left = content.size();
  while (left > 0) {
    const ssize_t written = ::write(fd, data, left);
    if (written < 0) {
      if (errno == EINTR) continue;
      return errno;
    }
    if (written == 0) return ENOSPC;  // no progress and no error: the device is full
    data += written;
    left -= static_cast<std::size_t>(written);
  }
  return 0;
}

// Writes what a stream is given to a descriptor, 64 KiB at a time; the
// first error is kept, and the stream fails from then on.
class DescriptorBuffer final : public std::streambuf {
 public:
  explicit DescriptorBuffer(int fd) : fd_(fd), buffer_(1 << 16) {
    setp(buffer_.data(), buffer_.data() + buffer_.size());
  }
  int error() const { return error_; }

 protected:
  int overflow(int c) override {
    if (Drain() != 0) return traits_type::eof();
    if (c != traits_type::eof()) sputc(static_cast<char>(c));
    return traits_type::not_eof(c);
  }
  int sync() override { return Drain() == 0 ? 0 : -1; }

 private:
  int Drain() {
    if (error_ == 0) error_ = WriteAll(fd_, std::string_view(pbase(), pptr() - pbase()));
    setp(buffer_.data(), buffer_.data() + buffer_.size());
    return error_;
  }
  int fd_;
  std::vector<char> buffer_;
  int error_ = 0;
};

// The content of one write: fills a descriptor, giving 0 or an errno; the
// size, where it is known before.
struct Content {
  std::function<int(int fd)> fill;
  std::optional<std::size_t> size;
};

Content FromText(std::string_view text) {
  return {[text](int fd) { return WriteAll(fd, text); }, text.size()};
}

Content FromProducer(const std::function<void(std::ostream&)>& produce) {
  return {[&produce](int fd) {
            DescriptorBuffer buffer(fd);
            std::ostream out(&buffer);
            produce(out);
            out.flush();
            if (buffer.error() != 0) return buffer.error();
            return out ? 0 : EIO;
          },
          std::nullopt};
}

// Closes `fd`; 0 or an errno. The descriptor is gone either way.
int Close(int fd) { return ::close(fd) == 0 ? 0 : errno; }

// A device or FIFO: written as it is, like a shell redirection.
void WriteDirectly(const std::string& target, const Content& content,
                   const std::filesystem::path& path) {
  const int fd = ::open(target.c_str(), O_WRONLY | O_CLOEXEC | O_NOCTTY);
  if (fd < 0) Fail(path, errno);
  int error = 0;
  try {
    error = content.fill(fd);
  } catch (...) {
    ::close(fd);
    throw;
  }
  const int close_error = Close(fd);
  if (error == 0) error = close_error;
  if (error != 0) Fail(path, error);
}

// The temporary file's name: beside the target, the target's name and six
// random characters, or a short name where that would be too long.
std::string TemporaryTemplate(const std::string& target) {
  const std::filesystem::path target_path(target);
  if (target_path.filename().string().size() + 7 <= NAME_MAX) return target + ".XXXXXX";
  return (target_path.parent_path() / ".tobrel-XXXXXX").string();
}

// A descriptor closed when it goes.
class OwnedDescriptor {
 public:
  explicit OwnedDescriptor(int fd) : fd_(fd) {}
  ~OwnedDescriptor() {
    if (fd_ >= 0) ::close(fd_);
  }
  OwnedDescriptor(const OwnedDescriptor&) = delete;
  OwnedDescriptor& operator=(const OwnedDescriptor&) = delete;
  int get() const { return fd_; }
  // Closes it now; 0 or an errno.
  int Close() {
    const int error = tobrel::Close(fd_);
    fd_ = -1;
    return error;
  }

 private:
  int fd_;
};

// Writes `size` zero bytes at `offset`; 0 or an errno.
int WriteZeros(int fd, off_t offset, off_t size) {
  static const char kZeros[1 << 16] = {};
  while (size > 0) {
    const std::size_t chunk = static_cast<std::size_t>(std::min<off_t>(size, sizeof kZeros));
    const ssize_t written = ::pwrite(fd, kZeros, chunk, offset);
    if (written < 0) {
      if (errno == EINTR) continue;
      return errno;
    }
    if (written == 0) return ENOSPC;
    offset += written;
    size -= written;
  }
  return 0;
}

// Reads up to `size` bytes at `offset`; the count, or -1 with errno set.
ssize_t ReadAt(int fd, char* data, std::size_t size, off_t offset) {
  std::size_t got = 0;
  while (got < size) {
    const ssize_t read = ::pread(fd, data + got, size - got, offset + static_cast<off_t>(got));
    if (read < 0 && errno == EINTR) continue;
    if (read < 0) return -1;
    if (read == 0) break;
    got += static_cast<std::size_t>(read);
  }
  return static_cast<ssize_t>(got);
}

// The room of the first `size` bytes, made by writing where the file system
// has no fallocate: every block of the old bytes that reads as zeros (a
// hole, perhaps) is written with zeros, which changes no byte, then zeros
// are appended up to `size`. 0 or an errno.
int WriteRoom(int fd, off_t old_size, off_t size, std::size_t block) {
  if (block == 0 || block > (1 << 20)) block = 4096;
  std::vector<char> buffer(block * std::max<std::size_t>(1, (1 << 16) / block));
  for (off_t at = 0; at < old_size;) {
    const ssize_t got = ReadAt(fd, buffer.data(), buffer.size(), at);
    if (got < 0 && errno == EBADF) break;  // opened only for writing: no holes looked for
    if (got < 0) return errno;
    if (got == 0) break;
    for (ssize_t in = 0; in < got; in += static_cast<ssize_t>(block)) {
      const ssize_t length = std::min<ssize_t>(static_cast<ssize_t>(block), got - in);
      const char* bytes = buffer.data() + in;
      if (std::all_of(bytes, bytes + length, [](char c) { return c == 0; }))
        if (const int error = WriteZeros(fd, at + in, length)) return error;
    }
    at += got;
  }
  return size > old_size ? WriteZeros(fd, old_size, size - old_size) : 0;
}

// Makes sure that writing the first `size` bytes of the file takes no room
// it does not have yet, before the first of its old bytes is overwritten:
// fallocate where the file system has it, real bytes where not; either
// way also within a file-size limit. On failure the file is cut back to
// its old size, every old byte as it was. 0 or an errno.
int ReserveRoom(int fd, const struct stat& old, off_t size) {
  const off_t room = std::max(old.st_size, size);
  if (room == 0) return 0;
  int error = ::fallocate(fd, 0, 0, room) == 0 ? 0 : errno;
  if (error == EOPNOTSUPP || error == ENOSYS)
    error = WriteRoom(fd, old.st_size, size, static_cast<std::size_t>(old.st_blksize));
  if (error != 0) (void)::ftruncate(fd, old.st_size);
  return error;
}

// A temporary file with no name, beside `target` or else in the temporary
// folder: nothing of it stays on any end of the process. Fails as the
// write of `path`.
int NamelessTemporary(const std::string& target, const std::filesystem::path& path) {
  std::error_code no_folder;
  const std::filesystem::path folder = std::filesystem::temp_directory_path(no_folder);
  int error = 0;
  for (std::string temp : {TemporaryTemplate(target), (folder / "tobrel-XXXXXX").string()}) {
    CleanupSignalsBlocked blocked;
    const int fd = ::mkostemp(temp.data(), O_CLOEXEC);
    if (fd >= 0) {
      ::unlink(temp.c_str());
      return fd;
    }
    if (error == 0) error = errno;
  }
  Fail(path, error);
}

// The content of a nameless temporary file of `size` bytes.
Content FromSpool(int spool, std::size_t size) {
  return {[spool, size](int fd) {
            std::vector<char> buffer(1 << 16);
            for (off_t at = 0; at < static_cast<off_t>(size);) {
              const ssize_t got = ReadAt(spool, buffer.data(), buffer.size(), at);
              if (got < 0) return errno;
              if (got == 0) return EIO;  // the spool lost bytes
              const std::string_view bytes(buffer.data(), static_cast<std::size_t>(got));
              if (const int error = WriteAll(fd, bytes)) return error;
              at += got;
            }
            return 0;
          },
          size};
}

// A regular file with other names: rewritten in place so that they all see
// the new content. Content of unknown size is produced into a temporary
// file first; then the room of the new content is made before the first
// old byte is overwritten, so that running out of it (a full disk, a
// file-size limit) or an interruption until then leaves the file as it was.
void RewriteInPlace(const std::string& target, const Content& content,
                    const std::filesystem::path& path) {
  // Read and write, to look for holes where fallocate is missing; a file
  // that may only be written is written all the same.
  int fd = ::open(target.c_str(), O_RDWR | O_CLOEXEC | O_NOCTTY);
  if (fd < 0 && errno == EACCES) fd = ::open(target.c_str(), O_WRONLY | O_CLOEXEC | O_NOCTTY);
  OwnedDescriptor file(fd);
  if (file.get() < 0) Fail(path, errno);
  struct stat old;
  if (::fstat(file.get(), &old) != 0) Fail(path, errno);

  std::optional<OwnedDescriptor> spool;
  Content sized = content;
  if (!content.size) {
    spool.emplace(NamelessTemporary(target, path));
    if (const int error = content.fill(spool->get())) Fail(path, error);
    const off_t size = ::lseek(spool->get(), 0, SEEK_END);
    if (size < 0) Fail(path, errno);
    sized = FromSpool(spool->get(), static_cast<std::size_t>(size));
  }
  // The cleanup signals wait from here: one that came while the room was
  // made ends the write with the file as it was; once the old bytes are
  // being overwritten, one waits until the new content is whole.
  CleanupSignalsBlocked blocked;
  if (const int error = ReserveRoom(file.get(), old, static_cast<off_t>(*sized.size)))
    Fail(path, error);
  if (blocked.SignalWaiting()) {
    (void)::ftruncate(file.get(), old.st_size);
    Fail(path, EINTR);
  }
  if (const int error = sized.fill(file.get())) Fail(path, error);
  if (::ftruncate(file.get(), static_cast<off_t>(*sized.size)) != 0) Fail(path, errno);
  if (::fsync(file.get()) != 0) Fail(path, errno);
  if (const int error = file.Close()) Fail(path, error);
}

// Syncs the folder of `target`, so that the rename itself is on disk. A
// file system that cannot sync folders says EINVAL; that is no failure.
int SyncFolder(const std::string& target) {
  std::filesystem::path folder = std::filesystem::path(target).parent_path();
  if (folder.empty()) folder = ".";
  const int fd = ::open(folder.c_str(), O_RDONLY | O_DIRECTORY | O_CLOEXEC);
  if (fd < 0) return errno;
  int error = ::fsync(fd) == 0 || errno == EINVAL ? 0 : errno;
  const int close_error = Close(fd);
  return error != 0 ? error : close_error;
}

// A new or singly linked regular file: replaced through a temporary file.
void ReplaceThroughTemporary(const std::string& target, const struct stat* old,
                             const Content& content, const std::filesystem::path& path) {
  std::string temp = TemporaryTemplate(target);
  int fd = -1;
  int slot = -1;
  {
    CleanupSignalsBlocked blocked;
    fd = ::mkostemp(temp.data(), O_CLOEXEC);
    if (fd < 0) Fail(path, errno);
    slot = RegisterTemporaryFile(temp.c_str());
  }
  auto remove_temporary = [&] {
    if (fd >= 0) ::close(fd);
    CleanupSignalsBlocked blocked;
    ::unlink(temp.c_str());
    ReleaseTemporaryFile(slot);
  };
  auto fail = [&](int error) {
    remove_temporary();
    Fail(path, error);
  };

  int fill_error = 0;
  try {
    fill_error = content.fill(fd);
  } catch (...) {
    remove_temporary();
    throw;
  }
  if (fill_error != 0) fail(fill_error);
  mode_t mode = 0666 & ~ProcessUmask();
  if (old) {
    mode = old->st_mode & 07777;
    // The owner only root may give; the group, any member of it. Neither is
    // a failure: the file then belongs to whoever writes it, as a new one.
    if (::fchown(fd, old->st_uid, old->st_gid) != 0) (void)::fchown(fd, static_cast<uid_t>(-1), old->st_gid);
  }
  if (::fchmod(fd, mode) != 0) fail(errno);  // after fchown, which may clear set-ID bits
  if (::fsync(fd) != 0) fail(errno);
  const int close_error = Close(fd);
  fd = -1;
  if (close_error != 0) fail(close_error);
  {
    CleanupSignalsBlocked blocked;
    if (std::rename(temp.c_str(), target.c_str()) != 0) fail(errno);
    ReleaseTemporaryFile(slot);
  }
  if (const int error = SyncFolder(target)) Fail(path, error);
}

void Write(const std::filesystem::path& path, const Content& content) {
  if (path.empty()) Fail(path, ENOENT);
  // A device or FIFO is found through the links first: the links of
  // /dev/stdout and /proc/self/fd lead to "pipe:[...]", no path to follow.
  struct stat through_links;
  if (::stat(path.c_str(), &through_links) == 0 && !S_ISREG(through_links.st_mode) &&
      !S_ISDIR(through_links.st_mode))
    return WriteDirectly(path.string(), content, path);
  const std::string target = ResolveLinks(path);
  struct stat st;
  const bool exists = ::stat(target.c_str(), &st) == 0;
  if (!exists && errno != ENOENT) Fail(path, errno);
  if (!exists) return ReplaceThroughTemporary(target, nullptr, content, path);
  if (S_ISDIR(st.st_mode)) Fail(path, EISDIR);
  if (!S_ISREG(st.st_mode)) return WriteDirectly(target, content, path);
  if (st.st_nlink > 1) return RewriteInPlace(target, content, path);
  ReplaceThroughTemporary(target, &st, content, path);
}

void OnCleanupSignal(int signal) {
  const int saved = errno;
  RemoveRecordedTemporaryFiles();
  errno = saved;
  // The handler was reset on entry: the signal, raised again, ends the
  // process as it would have without the handler once this returns.
  ::raise(signal);
}

}  // namespace

Failure WriteFailure(const std::filesystem::path& path, int error) {
  const std::error_code code(error, std::generic_category());
  return Failure(FailureKind::FileUnwritable, path.string() + ": " + code.message(), path, 0, code);
}

void WriteFileAtomically(const std::filesystem::path& path, std::string_view content) {
  Write(path, FromText(content));
}

void WriteFileAtomically(const std::filesystem::path& path,
                         const std::function<void(std::ostream&)>& produce) {
  Write(path, FromProducer(produce));
}

void RemoveTemporaryFilesOnSignals() {
  for (int signal : kCleanupSignals) {
    struct sigaction old {};
    if (::sigaction(signal, nullptr, &old) == 0 && old.sa_handler == SIG_IGN) continue;
    struct sigaction action {};
    action.sa_handler = OnCleanupSignal;
    sigemptyset(&action.sa_mask);
    action.sa_flags = SA_RESETHAND;
    ::sigaction(signal, &action, nullptr);
  }
}

}  // namespace tobrel

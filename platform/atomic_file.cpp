// What stands at the path, its symbolic links followed, decides how it is
// written: a device or FIFO is opened by the path and written directly; a
// regular file with more than one link is rewritten in place after its
// space is reserved; anything else is replaced by a temporary file in the
// folder of the links' final target that gets the old file's owner and
// mode, is synced, renamed over that target, and the folder synced after
// it. The temporary file is recorded for the signal handler while it
// exists, and removed on every failure.
#include "platform/atomic_file.h"

#include <fcntl.h>
#include <pthread.h>
#include <signal.h>
#include <sys/stat.h>
#include <unistd.h>

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
  throw std::system_error(error, std::generic_category(), path.string());
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

// A regular file with other names: rewritten in place so that they all see
// the new content. The space is reserved first where the file system can.
void RewriteInPlace(const std::string& target, const Content& content,
                    const std::filesystem::path& path) {
  const int fd = ::open(target.c_str(), O_WRONLY | O_CLOEXEC | O_NOCTTY);
  if (fd < 0) Fail(path, errno);
  auto fail = [&](int error) {
    ::close(fd);
    Fail(path, error);
  };
  if (content.size.value_or(0) > 0 &&
      ::fallocate(fd, 0, 0, static_cast<off_t>(*content.size)) != 0 && errno != EOPNOTSUPP &&
      errno != ENOSYS)
    fail(errno);
  int fill_error = 0;
  try {
    fill_error = content.fill(fd);
  } catch (...) {
    ::close(fd);
    throw;
  }
  if (fill_error != 0) fail(fill_error);
  const off_t end = ::lseek(fd, 0, SEEK_CUR);
  if (end < 0 || ::ftruncate(fd, end) != 0) fail(errno);
  if (::fsync(fd) != 0) fail(errno);
  if (const int error = Close(fd)) Fail(path, error);
}

// The temporary file's name: beside the target, the target's name and six
// random characters, or a short name where that would be too long.
std::string TemporaryTemplate(const std::string& target) {
  const std::filesystem::path target_path(target);
  if (target_path.filename().string().size() + 7 <= NAME_MAX) return target + ".XXXXXX";
  return (target_path.parent_path() / ".tobrel-XXXXXX").string();
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

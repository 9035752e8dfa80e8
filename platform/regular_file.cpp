#include "platform/regular_file.h"

#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>

#include <algorithm>
#include <cerrno>
#include <utility>

namespace tobrel {
namespace {

class NotRegularFileCategory : public std::error_category {
 public:
  const char* name() const noexcept override { return "regular file"; }
  std::string message(int value) const override {
    switch (static_cast<NotRegularFile>(value)) {
      case NotRegularFile::Folder: return "not a regular file: a folder";
      case NotRegularFile::Fifo: return "not a regular file: a FIFO";
      case NotRegularFile::Device: return "not a regular file: a device";
      case NotRegularFile::Socket: return "not a regular file: a socket";
      case NotRegularFile::OtherKind: return "not a regular file";
      case NotRegularFile::TooLarge: return "too large";
    }
    return "not readable";
  }
};

std::error_code CodeOf(NotRegularFile fault) {
  return std::error_code(static_cast<int>(fault), RegularFileCategory());
}

std::error_code ErrnoCode(int error_number) {
  return std::error_code(error_number, std::generic_category());
}

std::string LimitText(std::uint64_t limit) {
  constexpr std::uint64_t kMiB = std::uint64_t{1} << 20;
  if (limit >= kMiB && limit % kMiB == 0) return std::to_string(limit / kMiB) + " MiB";
  return std::to_string(limit) + " bytes";
}

std::error_code KindCode(mode_t mode) {
  if (S_ISDIR(mode)) return CodeOf(NotRegularFile::Folder);
  if (S_ISFIFO(mode)) return CodeOf(NotRegularFile::Fifo);
  if (S_ISCHR(mode) || S_ISBLK(mode)) return CodeOf(NotRegularFile::Device);
  if (S_ISSOCK(mode)) return CodeOf(NotRegularFile::Socket);
  return CodeOf(NotRegularFile::OtherKind);
}

}  // namespace

const std::error_category& RegularFileCategory() {
  static const NotRegularFileCategory category;
  return category;
}

Failure RegularFileFailure(const std::filesystem::path& path, std::error_code code,
                           std::uint64_t limit) {
  std::string message = path.string() + ": " + code.message();
  if (code == CodeOf(NotRegularFile::TooLarge)) message += " (more than " + LimitText(limit) + ")";
  return Failure(FailureKind::FileUnreadable, std::move(message), path, 0, code);
}

bool IsMissingFile(const Failure& failure) {
  const std::error_code code = failure.code();
  return failure.kind() == FailureKind::FileUnreadable &&
         code.category() == std::generic_category() &&
         (code.value() == ENOENT || code.value() == ENOTDIR);
}

bool IsNotRegularFile(const Failure& failure, NotRegularFile fault) {
  return failure.kind() == FailureKind::FileUnreadable && failure.code() == CodeOf(fault);
}

RegularFile::RegularFile(const std::filesystem::path& path, std::uint64_t max_size)
    : path_(path) {
  // What the path names is checked before it is opened: a device or a
  // socket is never opened, and a FIFO is refused before it could block.
  struct stat st;
  if (::stat(path.c_str(), &st) != 0) throw RegularFileFailure(path, ErrnoCode(errno));
  if (!S_ISREG(st.st_mode)) throw RegularFileFailure(path, KindCode(st.st_mode));
  // The name may have been replaced since: O_NONBLOCK keeps a FIFO put there
  // from blocking the open, and the opened file is checked again.
  fd_ = ::open(path.c_str(), O_RDONLY | O_CLOEXEC | O_NOCTTY | O_NONBLOCK);
  if (fd_ < 0) throw RegularFileFailure(path, ErrnoCode(errno));
  const int stat_error = ::fstat(fd_, &st) == 0 ? 0 : errno;
  if (stat_error != 0 || !S_ISREG(st.st_mode) ||
      static_cast<std::uint64_t>(st.st_size) > max_size) {
    ::close(fd_);
    if (stat_error != 0) throw RegularFileFailure(path, ErrnoCode(stat_error));
    if (!S_ISREG(st.st_mode)) throw RegularFileFailure(path, KindCode(st.st_mode));
    throw RegularFileFailure(path, CodeOf(NotRegularFile::TooLarge), max_size);
  }
  size_ = static_cast<std::uint64_t>(st.st_size);
}

RegularFile::~RegularFile() { ::close(fd_); }

std::size_t RegularFile::Read(char* buffer, std::size_t count) {
  for (;;) {
    const ssize_t got = ::read(fd_, buffer, count);
    if (got >= 0) return static_cast<std::size_t>(got);
    if (errno != EINTR) throw RegularFileFailure(path_, ErrnoCode(errno));
  }
}

std::uint64_t RegularFile::ReadAll(char* buffer) {
  if (::lseek(fd_, 0, SEEK_SET) < 0)
    throw RegularFileFailure(path_, ErrnoCode(errno));
  constexpr std::uint64_t kBlock = std::uint64_t{1} << 24;
  std::uint64_t filled = 0;
  while (filled < size_) {
    const std::size_t got =
        Read(buffer + filled, static_cast<std::size_t>(std::min(kBlock, size_ - filled)));
    if (got == 0) break;
    filled += got;
  }
  return filled;
}

std::string RegularFile::ReadHead(std::size_t count) {
  if (::lseek(fd_, 0, SEEK_SET) < 0)
    throw RegularFileFailure(path_, ErrnoCode(errno));
  std::string bytes(count, '\0');
  std::size_t filled = 0;
  while (filled < count) {
    const std::size_t got = Read(bytes.data() + filled, count - filled);
    if (got == 0) break;
    filled += got;
  }
  bytes.resize(filled);
  return bytes;
}

std::string ReadRegularFile(const std::filesystem::path& path, std::uint64_t max_size) {
  RegularFile file(path, max_size);
  std::string bytes(static_cast<std::size_t>(file.size()), '\0');
  bytes.resize(static_cast<std::size_t>(file.ReadAll(bytes.data())));
  return bytes;
}

}  // namespace tobrel

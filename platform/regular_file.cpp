#include "platform/regular_file.h"

#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>

#include <algorithm>
#include <cerrno>

namespace tobrel {
namespace {

// The values of RegularFileCategory().
enum class NotReadable : int { Folder = 1, Fifo, Device, Socket, OtherKind, TooLarge };

class NotReadableCategory : public std::error_category {
 public:
  const char* name() const noexcept override { return "regular file"; }
  std::string message(int value) const override {
    switch (static_cast<NotReadable>(value)) {
      case NotReadable::Folder: return "not a regular file: a folder";
      case NotReadable::Fifo: return "not a regular file: a FIFO";
      case NotReadable::Device: return "not a regular file: a device";
      case NotReadable::Socket: return "not a regular file: a socket";
      case NotReadable::OtherKind: return "not a regular file";
      case NotReadable::TooLarge: return "too large";
    }
    return "not readable";
  }
};

std::error_code CodeOf(RegularFileFault fault, int error_number) {
  auto code = [](NotReadable value) {
    return std::error_code(static_cast<int>(value), RegularFileCategory());
  };
  switch (fault) {
    case RegularFileFault::Folder: return code(NotReadable::Folder);
    case RegularFileFault::Fifo: return code(NotReadable::Fifo);
    case RegularFileFault::Device: return code(NotReadable::Device);
    case RegularFileFault::Socket: return code(NotReadable::Socket);
    case RegularFileFault::OtherKind: return code(NotReadable::OtherKind);
    case RegularFileFault::TooLarge: return code(NotReadable::TooLarge);
    default: return std::error_code(error_number, std::generic_category());
  }
}

std::string LimitText(std::uint64_t limit) {
  constexpr std::uint64_t kMiB = std::uint64_t{1} << 20;
  if (limit >= kMiB && limit % kMiB == 0) return std::to_string(limit / kMiB) + " MiB";
  return std::to_string(limit) + " bytes";
}

RegularFileFault FaultOfErrno(int error_number) {
  if (error_number == ENOENT || error_number == ENOTDIR) return RegularFileFault::Missing;
  if (error_number == ELOOP) return RegularFileFault::LinkLoop;
  return RegularFileFault::CannotOpen;
}

RegularFileFault FaultOfKind(mode_t mode) {
  if (S_ISDIR(mode)) return RegularFileFault::Folder;
  if (S_ISFIFO(mode)) return RegularFileFault::Fifo;
  if (S_ISCHR(mode) || S_ISBLK(mode)) return RegularFileFault::Device;
  if (S_ISSOCK(mode)) return RegularFileFault::Socket;
  return RegularFileFault::OtherKind;
}

}  // namespace

const std::error_category& RegularFileCategory() {
  static const NotReadableCategory category;
  return category;
}

RegularFileError::RegularFileError(const std::filesystem::path& path, RegularFileFault fault,
                                   int error_number, std::uint64_t limit)
    : std::system_error(CodeOf(fault, error_number), path.string()),
      fault_(fault),
      message_(path.string() + ": " + code().message()) {
  if (fault == RegularFileFault::TooLarge) message_ += " (more than " + LimitText(limit) + ")";
}

RegularFile::RegularFile(const std::filesystem::path& path, std::uint64_t max_size)
    : path_(path) {
  // What the path names is checked before it is opened: a device or a
  // socket is never opened, and a FIFO is refused before it could block.
  struct stat st;
  if (::stat(path.c_str(), &st) != 0) throw RegularFileError(path, FaultOfErrno(errno), errno);
  if (!S_ISREG(st.st_mode)) throw RegularFileError(path, FaultOfKind(st.st_mode), 0);
  // The name may have been replaced since: O_NONBLOCK keeps a FIFO put there
  // from blocking the open, and the opened file is checked again.
  fd_ = ::open(path.c_str(), O_RDONLY | O_CLOEXEC | O_NOCTTY | O_NONBLOCK);
  if (fd_ < 0) throw RegularFileError(path, FaultOfErrno(errno), errno);
  const int stat_error = ::fstat(fd_, &st) == 0 ? 0 : errno;
  if (stat_error != 0 || !S_ISREG(st.st_mode) ||
      static_cast<std::uint64_t>(st.st_size) > max_size) {
    ::close(fd_);
    if (stat_error != 0) throw RegularFileError(path, RegularFileFault::CannotOpen, stat_error);
    if (!S_ISREG(st.st_mode)) throw RegularFileError(path, FaultOfKind(st.st_mode), 0);
    throw RegularFileError(path, RegularFileFault::TooLarge, 0, max_size);
  }
  size_ = static_cast<std::uint64_t>(st.st_size);
}

RegularFile::~RegularFile() { ::close(fd_); }

std::size_t RegularFile::Read(char* buffer, std::size_t count) {
  for (;;) {
    const ssize_t got = ::read(fd_, buffer, count);
    if (got >= 0) return static_cast<std::size_t>(got);
    if (errno != EINTR) throw RegularFileError(path_, RegularFileFault::CannotRead, errno);
  }
}

std::uint64_t RegularFile::ReadAll(char* buffer) {
  if (::lseek(fd_, 0, SEEK_SET) < 0)
    throw RegularFileError(path_, RegularFileFault::CannotRead, errno);
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
    throw RegularFileError(path_, RegularFileFault::CannotRead, errno);
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

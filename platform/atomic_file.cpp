#include "platform/atomic_file.h"

#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>

#include <cerrno>
#include <cstdlib>
#include <string>
#include <system_error>

namespace tobrel {
namespace {

[[noreturn]] void Fail(const std::string& what) {
  throw std::system_error(errno, std::generic_category(), what);
}

}  // namespace

void WriteFileAtomically(const std::filesystem::path& path, std::string_view content) {
  std::string temp = path.string() + ".XXXXXX";
  const int fd = mkstemp(temp.data());
  if (fd < 0) Fail(path.string());
  const char* data = content.data();
  std::size_t left = content.size();
  while (left > 0) {
    const ssize_t written = ::write(fd, data, left);
    if (written < 0 && errno == EINTR) continue;
    if (written <= 0) {
      const int error = errno;
      ::close(fd);
      ::unlink(temp.c_str());
      errno = error;
      Fail(path.string());
    }
    data += written;
    left -= static_cast<std::size_t>(written);
  }
  // mkstemp creates the file 0600; a replaced file gets the usual mode.
  const mode_t mask = ::umask(0);
  ::umask(mask);
  ::fchmod(fd, 0666 & ~mask);
  if (::fsync(fd) != 0 || ::close(fd) != 0) {
    const int error = errno;
    ::unlink(temp.c_str());
    errno = error;
    Fail(path.string());
  }
  if (std::rename(temp.c_str(), path.c_str()) != 0) {
    const int error = errno;
    ::unlink(temp.c_str());
    errno = error;
    Fail(path.string());
  }
}

}  // namespace tobrel

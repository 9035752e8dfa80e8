#include "platform/process_umask.h"

#include <fcntl.h>
#include <unistd.h>

#include <cerrno>
#include <cstdlib>
#include <cstring>

namespace tobrel {

mode_t ProcessUmask() {
  constexpr mode_t kFallback = 022;
  const int fd = ::open("/proc/self/status", O_RDONLY | O_CLOEXEC);
  if (fd < 0) return kFallback;
  char text[4096];
  std::size_t size = 0;
  while (size + 1 < sizeof text) {
    const ssize_t got = ::read(fd, text + size, sizeof text - 1 - size);
    if (got > 0) {
      size += static_cast<std::size_t>(got);
    } else if (got == 0 || errno != EINTR) {
      break;
    }
  }
  ::close(fd);
  text[size] = '\0';
  const char* line = std::strstr(text, "\nUmask:");
  if (!line) return kFallback;
  char* end = nullptr;
  const unsigned long mask = std::strtoul(line + 7, &end, 8);
  if (end == line + 7) return kFallback;
  return static_cast<mode_t>(mask & 0777);
}

}  // namespace tobrel

// Reading a file that has to be an ordinary file on disk: settings and INI
// files, the Wine prefix's registry files, shortcuts and index files, ID
// lists and read-data files. Anything else is refused without being read: a
// folder, a FIFO (opened without waiting for a writer, so it never blocks),
// a device or a socket (never opened at all: opening one can have effects of
// its own), and a file larger than the caller's limit. So no such file can
// make the program wait for ever, or read without end.
#pragma once

#include <cstddef>
#include <cstdint>
#include <filesystem>
#include <limits>
#include <string>
#include <system_error>

#include "platform/failure.h"

namespace tobrel {

// Limits for files that are small when they are what they claim to be.
// A Wine registry file (system.reg, user.reg): 256 MiB.
inline constexpr std::uint64_t kRegistryFileLimit = std::uint64_t{256} << 20;
// A settings or INI file, and the index files and installer's log of the
// communication program: 16 MiB.
inline constexpr std::uint64_t kSmallFileLimit = std::uint64_t{16} << 20;
// A shortcut (.lnk): 1 MiB.
inline constexpr std::uint64_t kShortcutFileLimit = std::uint64_t{1} << 20;
// ID lists and read-data files, which grow with the logs.
inline constexpr std::uint64_t kNoFileLimit = std::numeric_limits<std::uint64_t>::max();

// The faults that no errno names: the values of RegularFileCategory().
enum class NotRegularFile : int { Folder = 1, Fifo, Device, Socket, OtherKind, TooLarge };

// The category of the faults that no errno names (a kind of file, too large).
const std::error_category& RegularFileCategory();

// A refused file is a Failure of kind FileUnreadable with file() the path.
// code() is the errno (ENOENT or ENOTDIR for a missing file, ELOOP for
// symbolic links that loop, else that of the open or read that failed), or
// a NotRegularFile of RegularFileCategory(); message() is "PATH: " and the
// reason: the system's text of an errno ("PATH: No such file or directory"),
// "not a regular file: a folder" (a FIFO, a device, a socket) or "too large
// (more than N MiB)". Unlike other messages, PATH is the file system's name
// as it stands, not CP932: the edges show it as it is.
Failure RegularFileFailure(const std::filesystem::path& path, std::error_code code,
                           std::uint64_t limit = 0);

// Whether `failure` is that of a file that is not there (a dangling
// symbolic link, a file as a folder of the path included).
bool IsMissingFile(const Failure& failure);

// Whether `failure` is the given fault that no errno names.
bool IsNotRegularFile(const Failure& failure, NotRegularFile fault);

// A regular file opened for reading.
class RegularFile {
 public:
  // Opens `path` (symbolic links followed) when it is a regular file of at
  // most `max_size` bytes. Throws Failure (RegularFileFailure).
  RegularFile(const std::filesystem::path& path, std::uint64_t max_size);
  ~RegularFile();
  RegularFile(const RegularFile&) = delete;
  RegularFile& operator=(const RegularFile&) = delete;

  // The size when it was opened; never more than the limit.
  std::uint64_t size() const { return size_; }
  // Reads up to `count` bytes from where reading stands; fewer only at the
  // end of the file. Throws Failure (RegularFileFailure).
  std::size_t Read(char* buffer, std::size_t count);
  // Reads the whole file from its start into `buffer`, which holds at least
  // size() bytes; gives the number read: size(), or fewer when the file got
  // shorter since it was opened (a file that grew is read only to size()).
  std::uint64_t ReadAll(char* buffer);
  // The first `count` bytes of the file, or all of it when it is shorter.
  // Throws Failure (RegularFileFailure).
  std::string ReadHead(std::size_t count);

 private:
  std::filesystem::path path_;
  int fd_ = -1;
  std::uint64_t size_ = 0;
};

// The bytes of the regular file at `path`, of at most `max_size` bytes.
// Throws Failure (RegularFileFailure).
std::string ReadRegularFile(const std::filesystem::path& path, std::uint64_t max_size);

}  // namespace tobrel

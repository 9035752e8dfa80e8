#include "core/input_file.h"

#include <fcntl.h>
#include <poll.h>
#include <sys/stat.h>
#include <sys/vfs.h>
#include <unistd.h>

#include <cerrno>
#include <cstring>
#include <limits>
#include <string>

#include "platform/cp932.h"
#include "platform/path_text.h"
#include "platform/regular_file.h"

namespace tobrel {
namespace {

// PIPEFS_MAGIC: the file system of anonymous pipes (a shell's "|" and
// "<(...)"), told apart from FIFOs that have a name in a folder.
constexpr long kPipeFileSystem = 0x50495045;

bool IsDevice(const struct stat& st) { return S_ISCHR(st.st_mode) || S_ISBLK(st.st_mode); }

}  // namespace

std::string InputFileMessageName(const std::filesystem::path& path) {
  return cp932::FromUtf8(PathToUtf8(path.string()));
}

InputFile::InputFile(const std::filesystem::path& path, std::chrono::milliseconds fifo_wait)
    : path_(path) {
  if (path == "-") {
    fd_ = STDIN_FILENO;
    owned_ = false;
  } else {
    // Devices are refused before they are opened: opening one can have
    // effects of its own.
    struct stat st;
    if (::stat(path.c_str(), &st) == 0 && IsDevice(st)) RefuseDevice();
    // Without O_NONBLOCK, opening a FIFO waits for a writer however long.
    fd_ = ::open(path.c_str(), O_RDONLY | O_CLOEXEC | O_NOCTTY | O_NONBLOCK);
    if (fd_ < 0) Fail();
  }
  // The destructor does not run when the constructor throws: close here.
  try {
    struct stat st;
    if (::fstat(fd_, &st) != 0) Fail();
    if (IsDevice(st) && !(path == "-" && ::isatty(fd_))) RefuseDevice();
    if (S_ISDIR(st.st_mode)) Fail(EISDIR);
    stream_ = path == "-" || !S_ISREG(st.st_mode);
    if (!stream_) size_ = static_cast<std::uint64_t>(st.st_size);
    if (owned_ && S_ISFIFO(st.st_mode)) WaitForWriter(fifo_wait);
    // A file opened here has no other status flag that F_SETFL sets, so
    // setting none clears O_NONBLOCK alone; standard input keeps its others.
    const int flags = owned_ ? 0 : ::fcntl(fd_, F_GETFL);
    if (flags < 0 || ::fcntl(fd_, F_SETFL, flags & ~O_NONBLOCK) != 0) Fail();
  } catch (...) {
    if (owned_) ::close(fd_);
    throw;
  }
}

InputFile::~InputFile() {
  if (owned_ && fd_ >= 0) ::close(fd_);
}

std::size_t InputFile::Read(char* buffer, std::size_t size) {
  for (;;) {
    const ssize_t got = ::read(fd_, buffer, size);
    if (got >= 0) return static_cast<std::size_t>(got);
    if (errno != EINTR) Fail();
  }
}

void InputFile::Seek(std::uint64_t offset) {
  if (offset > static_cast<std::uint64_t>(std::numeric_limits<off_t>::max())) Fail(EINVAL);
  if (::lseek(fd_, static_cast<off_t>(offset), SEEK_SET) < 0) Fail();
}

// A FIFO with a name is read once something writes to it (or a writer
// comes and goes). One that no writer opens in `wait` is an error, not a
// run that waits for ever; a pipe always has had its writer.
void InputFile::WaitForWriter(std::chrono::milliseconds wait) {
  struct statfs fs;
  if (::fstatfs(fd_, &fs) == 0 && fs.f_type == kPipeFileSystem) return;
  pollfd poll_fd{fd_, POLLIN, 0};
  for (;;) {
    const int ready = ::poll(&poll_fd, 1, static_cast<int>(wait.count()));
    if (ready > 0) return;
    if (ready == 0)
      Fail(std::make_error_code(std::errc::timed_out),
           "no program wrote to the FIFO within " + std::to_string(wait.count()) + " ms");
    if (errno != EINTR) Fail();
  }
}

void InputFile::Fail(std::error_code code, const std::string& reason) {
  throw Failure(FailureKind::FileUnreadable, InputFileMessageName(path_) + ": " + reason, path_, 0,
                code);
}

void InputFile::RefuseDevice() {
  Fail(std::error_code(static_cast<int>(NotRegularFile::Device), RegularFileCategory()),
       "a device, not a log file");
}

void InputFile::Fail(int error) {
  Fail(std::error_code(error, std::generic_category()), std::strerror(error));
}

void InputFile::Fail() { Fail(errno); }

}  // namespace tobrel

// Reading only regular files: every other kind of file is refused at once,
// each with its reason, and a file past the limit is not read.
#include "platform/regular_file.h"

#include <gtest/gtest.h>
#include <sys/socket.h>
#include <sys/stat.h>
#include <sys/un.h>
#include <unistd.h>

#include <csignal>
#include <cstdlib>
#include <string>

#include "platform/private_profile.h"
#include "support/temp_folder.h"

namespace tobrel {
namespace {

class RegularFileTest : public ::testing::Test {
 protected:
  RegularFileTest() {
    std::filesystem::create_directory(folder_.path() / "folder");
    ::mkfifo((folder_.path() / "fifo").c_str(), 0600);
    std::filesystem::create_symlink("/dev/zero", folder_.path() / "zero");
    std::filesystem::create_symlink("loop", folder_.path() / "loop");
    std::filesystem::create_symlink("nowhere", folder_.path() / "dangling");
    socket_ = ::socket(AF_UNIX, SOCK_STREAM, 0);
    sockaddr_un address{};
    address.sun_family = AF_UNIX;
    const std::string socket_path = Path("socket");
    socket_path.copy(address.sun_path, sizeof address.sun_path - 1);
    ::bind(socket_, reinterpret_cast<const sockaddr*>(&address), sizeof address);
  }
  ~RegularFileTest() override { ::close(socket_); }

  std::string Path(const std::string& name) const { return (folder_.path() / name).string(); }

  testing::TempFolder folder_{"tobrel-regular-file-test"};
  int socket_ = -1;
};

TEST_F(RegularFileTest, ReadsRegularFilesWithinTheLimit) {
  const std::string ten = folder_.Write("ten", "0123456789");
  EXPECT_EQ(ReadRegularFile(ten, 10), "0123456789");
  EXPECT_EQ(ReadRegularFile(folder_.Write("empty", ""), 0), "");
  std::filesystem::create_symlink("ten", folder_.path() / "link");
  EXPECT_EQ(ReadRegularFile(Path("link"), kNoFileLimit), "0123456789");

  RegularFile file(ten, kNoFileLimit);
  EXPECT_EQ(file.size(), 10u);
  EXPECT_EQ(file.ReadHead(4), "0123");
  EXPECT_EQ(file.ReadHead(40), "0123456789");
}

// Each refusal comes at once: the test runs in a child that an alarm ends,
// so that a file that blocks fails the test rather than hanging it.
TEST_F(RegularFileTest, RefusesEveryOtherKindOfFileAtOnce) {
  folder_.Write("eleven", "0123456789A");
  const struct {
    const char* name;
    std::error_code code;
    std::string reason;
  } cases[] = {
      {"missing", std::make_error_code(std::errc::no_such_file_or_directory),
       "No such file or directory"},
      {"dangling", std::make_error_code(std::errc::no_such_file_or_directory),
       "No such file or directory"},
      {"loop", std::make_error_code(std::errc::too_many_symbolic_link_levels),
       "Too many levels of symbolic links"},
      {"folder", {int(NotRegularFile::Folder), RegularFileCategory()},
       "not a regular file: a folder"},
      {"fifo", {int(NotRegularFile::Fifo), RegularFileCategory()}, "not a regular file: a FIFO"},
      {"zero", {int(NotRegularFile::Device), RegularFileCategory()},
       "not a regular file: a device"},
      {"socket", {int(NotRegularFile::Socket), RegularFileCategory()},
       "not a regular file: a socket"},
      {"eleven", {int(NotRegularFile::TooLarge), RegularFileCategory()},
       "too large (more than 10 bytes)"},
  };
  for (const auto& c : cases) {
    EXPECT_EXIT(
        {
          ::alarm(20);
          try {
            ReadRegularFile(Path(c.name), 10);
          } catch (const Failure& error) {
            const bool right = error.code() == c.code &&
                               std::string(error.what()) == Path(c.name) + ": " + c.reason;
            if (!right) std::fprintf(stderr, "%s\n", error.what());
            std::_Exit(right ? 0 : 1);
          }
          std::_Exit(2);
        },
        ::testing::ExitedWithCode(0), "")
        << c.name;
  }
  try {
    ReadRegularFile(Path("folder"), kNoFileLimit);
    ADD_FAILURE() << "a folder was read";
  } catch (const Failure& error) {
    EXPECT_EQ(error.code().message(), "not a regular file: a folder");
  }
}

TEST_F(RegularFileTest, AnIniFileThatIsAFifoIsRefusedAndAMissingOneIsEmpty) {
  EXPECT_EQ(LoadPrivateProfile(Path("missing")).Bytes(), "");
  EXPECT_EXIT(
      {
        ::alarm(20);
        try {
          LoadPrivateProfile(Path("fifo"));
        } catch (const Failure& error) {
          std::_Exit(IsNotRegularFile(error, NotRegularFile::Fifo) ? 0 : 1);
        }
        std::_Exit(2);
      },
      ::testing::ExitedWithCode(0), "");
}

}  // namespace
}  // namespace tobrel

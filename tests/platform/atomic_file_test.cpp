#include "platform/atomic_file.h"

#include <gtest/gtest.h>
#include <signal.h>
#include <sys/stat.h>
#include <sys/wait.h>
#include <unistd.h>

#include <fstream>
#include <sstream>
#include <thread>

#include "platform/process_umask.h"
#include "platform/temporary_files.h"
#include "support/file_bytes.h"
#include "support/temp_folder.h"

namespace tobrel {
namespace {

namespace fs = std::filesystem;

using testing::ReadAll;

struct stat Stat(const fs::path& path) {
  struct stat st {};
  EXPECT_EQ(::lstat(path.c_str(), &st), 0) << path;
  return st;
}

std::size_t Entries(const fs::path& dir) {
  return static_cast<std::size_t>(std::distance(fs::directory_iterator(dir), {}));
}

class AtomicFileTest : public ::testing::Test {
 protected:
  testing::TempFolder folder_{"tobrel-atomic-test"};
  const fs::path& dir() { return folder_.path(); }
};

TEST_F(AtomicFileTest, ReplacesContentAndLeavesNoTemporaryFile) {
  const auto path = dir() / "out.txt";
  WriteFileAtomically(path, "first\r\n");
  WriteFileAtomically(path, std::string("sec\0ond", 7));
  EXPECT_EQ(ReadAll(path), std::string("sec\0ond", 7));
  EXPECT_EQ(Entries(dir()), 1u);
}

TEST_F(AtomicFileTest, FailureKeepsTheOldFile) {
  fs::create_directories(dir() / "target-is-a-folder");
  std::ofstream(dir() / "target-is-a-folder" / "keep") << "old";
  EXPECT_THROW(WriteFileAtomically(dir() / "target-is-a-folder", "new"), Failure);
  EXPECT_EQ(ReadAll(dir() / "target-is-a-folder" / "keep"), "old");
  EXPECT_EQ(Entries(dir()), 1u);
  EXPECT_THROW(WriteFileAtomically(dir() / "no-such-folder" / "x", "new"), Failure);
}

TEST_F(AtomicFileTest, KeepsTheOldModeAndOwner) {
  const auto path = folder_.Write("private.txt", "old");
  ASSERT_EQ(::chmod(path.c_str(), 0600), 0);
  const bool root = ::geteuid() == 0;
  if (root) {
    ASSERT_EQ(::chown(path.c_str(), 1234, 2345), 0);
  }
  WriteFileAtomically(path, "new");
  const struct stat st = Stat(path);
  EXPECT_EQ(st.st_mode & 07777, 0600u);
  if (root) {
    EXPECT_EQ(st.st_uid, 1234u);
    EXPECT_EQ(st.st_gid, 2345u);
  }
  EXPECT_EQ(ReadAll(path), "new");
}

TEST_F(AtomicFileTest, NewFileGetsTheUmaskModeAndTheUmaskStays) {
  const mode_t old_mask = ::umask(027);
  EXPECT_EQ(ProcessUmask(), 027u);
  WriteFileAtomically(dir() / "new.txt", "x");
  EXPECT_EQ(::umask(old_mask), 027u);
  EXPECT_EQ(Stat(dir() / "new.txt").st_mode & 07777, 0640u);
}

TEST_F(AtomicFileTest, FollowsSymbolicLinks) {
  fs::create_directories(dir() / "real");
  const auto target = folder_.Write("real/target.txt", "old");
  fs::create_symlink("real/target.txt", dir() / "link");          // relative
  fs::create_symlink(dir() / "link", dir() / "link-to-link");     // absolute, two hops
  fs::create_symlink("real/new.txt", dir() / "dangling");
  WriteFileAtomically(dir() / "link-to-link", "new");
  WriteFileAtomically(dir() / "dangling", "created");
  EXPECT_TRUE(fs::is_symlink(dir() / "link"));
  EXPECT_TRUE(fs::is_symlink(dir() / "link-to-link"));
  EXPECT_TRUE(fs::is_symlink(dir() / "dangling"));
  EXPECT_EQ(ReadAll(target), "new");
  EXPECT_EQ(ReadAll(dir() / "real" / "new.txt"), "created");
  EXPECT_EQ(Entries(dir() / "real"), 2u);
}

TEST_F(AtomicFileTest, HardLinksStayLinked) {
  const auto path = folder_.Write("a.txt", "old content, longer than the new");
  fs::create_hard_link(path, dir() / "b.txt");
  ASSERT_EQ(::chmod(path.c_str(), 0604), 0);
  WriteFileAtomically(dir() / "b.txt", "new");
  EXPECT_EQ(ReadAll(path), "new");
  EXPECT_EQ(Stat(path).st_nlink, 2u);
  EXPECT_EQ(Stat(path).st_ino, Stat(dir() / "b.txt").st_ino);
  EXPECT_EQ(Stat(path).st_mode & 07777, 0604u);
  EXPECT_EQ(Entries(dir()), 2u);
}

TEST_F(AtomicFileTest, HardLinkedFileTakesProducedContentWhole) {
  const std::string old = "old content\r\n";
  const auto path = folder_.Write("a.txt", old);
  fs::create_hard_link(path, dir() / "b.txt");
  // A producer that fails part-way leaves both names as they were.
  EXPECT_THROW(WriteFileAtomically(dir() / "b.txt", [](std::ostream& out) {
                 out << std::string(100000, 'x');
                 throw std::runtime_error("stop");
               }),
               std::runtime_error);
  EXPECT_EQ(ReadAll(path), old);
  EXPECT_EQ(ReadAll(dir() / "b.txt"), old);
  const std::string line(999, 'y');
  WriteFileAtomically(dir() / "b.txt", [&](std::ostream& out) {
    for (int i = 0; i < 200; ++i) out << line << '\n';
  });
  EXPECT_EQ(fs::file_size(path), 200000u);
  EXPECT_EQ(ReadAll(path), ReadAll(dir() / "b.txt"));
  EXPECT_EQ(Stat(path).st_ino, Stat(dir() / "b.txt").st_ino);
  EXPECT_EQ(Entries(dir()), 2u);
}

TEST_F(AtomicFileTest, DevicesAreWrittenDirectly) {
  WriteFileAtomically("/dev/null", "report");
  EXPECT_TRUE(S_ISCHR(Stat("/dev/null").st_mode));
  try {
    WriteFileAtomically("/dev/full", "report");
    ADD_FAILURE() << "writing /dev/full did not fail";
  } catch (const Failure& e) {
    EXPECT_EQ(e.kind(), FailureKind::FileUnwritable);
    EXPECT_EQ(e.file(), "/dev/full");
    EXPECT_EQ(e.code(), std::error_code(ENOSPC, std::generic_category()));
    EXPECT_EQ(e.message(), "/dev/full: No space left on device");
  }
  EXPECT_TRUE(S_ISCHR(Stat("/dev/full").st_mode));
  for (const auto& entry : fs::directory_iterator("/dev"))
    EXPECT_EQ(entry.path().string().find("/dev/full."), std::string::npos) << entry.path();
}

TEST_F(AtomicFileTest, FifosAreWrittenDirectly) {
  const auto fifo = dir() / "fifo";
  ASSERT_EQ(::mkfifo(fifo.c_str(), 0600), 0);
  std::string received;
  std::thread reader([&] { received = ReadAll(fifo); });
  WriteFileAtomically(fifo, "through the fifo");
  reader.join();
  EXPECT_EQ(received, "through the fifo");
  EXPECT_TRUE(S_ISFIFO(Stat(fifo).st_mode));
}

TEST_F(AtomicFileTest, ContentFromAProducer) {
  const auto path = dir() / "big.txt";
  const std::string line(1000, 'x');
  WriteFileAtomically(path, [&](std::ostream& out) {
    for (int i = 0; i < 1000; ++i) out << line << '\n';
  });
  EXPECT_EQ(fs::file_size(path), 1001000u);
  // A producer that throws replaces nothing and leaves no temporary file.
  EXPECT_THROW(WriteFileAtomically(path, [](std::ostream& out) {
                 out << "partial";
                 throw std::runtime_error("stop");
               }),
               std::runtime_error);
  EXPECT_EQ(fs::file_size(path), 1001000u);
  EXPECT_EQ(Entries(dir()), 1u);
  try {
    WriteFileAtomically("/dev/full", [&](std::ostream& out) { out << line; });
    ADD_FAILURE() << "writing /dev/full did not fail";
  } catch (const Failure& e) {
    EXPECT_EQ(e.code().value(), ENOSPC);
  }
}

TEST_F(AtomicFileTest, ASignalRemovesTheRecordedTemporaryFile) {
  const auto temp = folder_.Write("report.txt.AbCdEf", "half a report");
  const pid_t child = ::fork();
  ASSERT_GE(child, 0);
  if (child == 0) {
    RemoveTemporaryFilesOnSignals();
    RegisterTemporaryFile(temp.c_str());
    ::raise(SIGTERM);
    ::_exit(0);
  }
  int status = 0;
  ASSERT_EQ(::waitpid(child, &status, 0), child);
  EXPECT_TRUE(WIFSIGNALED(status) && WTERMSIG(status) == SIGTERM) << status;
  EXPECT_FALSE(fs::exists(temp));
}

}  // namespace
}  // namespace tobrel

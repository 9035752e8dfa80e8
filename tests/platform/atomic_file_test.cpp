#include "platform/atomic_file.h"

#include <gtest/gtest.h>

#include <fstream>
#include <sstream>
#include <system_error>

namespace tobrel {
namespace {

std::string ReadAll(const std::filesystem::path& path) {
  std::ifstream in(path, std::ios::binary);
  std::stringstream buffer;
  buffer << in.rdbuf();
  return buffer.str();
}

TEST(AtomicFile, ReplacesContentAndLeavesNoTemporaryFile) {
  const auto dir = std::filesystem::temp_directory_path() / "tobrel-atomic-test";
  std::filesystem::remove_all(dir);
  std::filesystem::create_directories(dir);
  const auto path = dir / "out.txt";
  WriteFileAtomically(path, "first\r\n");
  WriteFileAtomically(path, std::string("sec\0ond", 7));
  EXPECT_EQ(ReadAll(path), std::string("sec\0ond", 7));
  EXPECT_EQ(std::distance(std::filesystem::directory_iterator(dir), {}), 1);
  std::filesystem::remove_all(dir);
}

TEST(AtomicFile, FailureKeepsTheOldFile) {
  const auto dir = std::filesystem::temp_directory_path() / "tobrel-atomic-fail";
  std::filesystem::remove_all(dir);
  std::filesystem::create_directories(dir / "target-is-a-folder");
  // Renaming a file over a non-empty folder fails after the write.
  std::ofstream(dir / "target-is-a-folder" / "keep") << "old";
  EXPECT_THROW(WriteFileAtomically(dir / "target-is-a-folder", "new"), std::system_error);
  EXPECT_EQ(ReadAll(dir / "target-is-a-folder" / "keep"), "old");
  EXPECT_EQ(std::distance(std::filesystem::directory_iterator(dir), {}), 1);
  EXPECT_THROW(WriteFileAtomically(dir / "no-such-folder" / "x", "new"), std::system_error);
  std::filesystem::remove_all(dir);
}

}  // namespace
}  // namespace tobrel

#include "platform/program_folder.h"

#include <gtest/gtest.h>

#include <unistd.h>

namespace tobrel {
namespace {

TEST(ProgramFolder, BesideTheProgramWhenWritableElseTheConfigurationFolder) {
  const std::filesystem::path writable = std::filesystem::temp_directory_path();
  EXPECT_EQ(ChooseFilesFolder(writable, "/x/config", "/home/u"), writable);
  const std::filesystem::path closed = "/proc/1";  // never writable
  if (::access(closed.c_str(), W_OK) == 0) GTEST_SKIP() << "running with every right";
  EXPECT_EQ(ChooseFilesFolder(closed, "/x/config", "/home/u"), "/x/config/tobrel");
  EXPECT_EQ(ChooseFilesFolder(closed, nullptr, "/home/u"), "/home/u/.config/tobrel");
  EXPECT_EQ(ChooseFilesFolder(closed, "relative", "/home/u"), "/home/u/.config/tobrel");
  EXPECT_EQ(ChooseFilesFolder(closed, "", "/home/u"), "/home/u/.config/tobrel");
  EXPECT_FALSE(ProgramFolder().empty());
}

}  // namespace
}  // namespace tobrel

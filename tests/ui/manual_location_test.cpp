// Where Help finds the manual: beside the program first, then the installed
// tree, then the source checkout; a folder of that name is not a manual.
#include <gtest/gtest.h>

#include "support/temp_folder.h"
#include "ui/models/manual_location.h"

namespace tobrel {
namespace {

namespace fs = std::filesystem;

TEST(ManualLocation, CandidatesInOrder) {
  EXPECT_EQ(ManualCandidates("/opt/t/bin/tobrel", "/src/docs"),
            (std::vector<fs::path>{"/opt/t/bin/tobrel.html", "/opt/t/share/doc/tobrel/tobrel.html",
                                   "/src/docs/tobrel.html"}));
  EXPECT_EQ(ManualCandidates("/usr/bin/tobrel", ""),
            (std::vector<fs::path>{"/usr/bin/tobrel.html", "/usr/share/doc/tobrel/tobrel.html"}));
}

TEST(ManualLocation, FirstExistingFileWins) {
  testing::TempFolder root("tobrel-manual-location-test");
  fs::create_directories(root.path() / "bin");
  fs::create_directories(root.path() / "share/doc/tobrel");
  fs::create_directories(root.path() / "docs/tobrel.html");  // a folder, not a manual
  const std::vector<fs::path> candidates =
      ManualCandidates(root.path() / "bin/tobrel", root.path() / "docs");

  EXPECT_EQ(FindManual(candidates), fs::path());
  root.Write("share/doc/tobrel/tobrel.html", "installed");
  EXPECT_EQ(FindManual(candidates), root.path() / "share/doc/tobrel/tobrel.html");
  root.Write("bin/tobrel.html", "portable");
  EXPECT_EQ(FindManual(candidates), root.path() / "bin/tobrel.html");
}

TEST(ManualLocation, SourceCheckoutLast) {
  testing::TempFolder root("tobrel-manual-location-source-test");
  fs::create_directories(root.path() / "build/ui");
  fs::create_directories(root.path() / "docs");
  root.Write("docs/tobrel.html", "checkout");
  EXPECT_EQ(FindManual(ManualCandidates(root.path() / "build/ui/tobrel", root.path() / "docs")),
            root.path() / "docs/tobrel.html");
}

}  // namespace
}  // namespace tobrel

// tobrel-cli run as a process on files that are not regular files where a
// regular file belongs: Wine registry files, shortcuts and index files of
// the prefix, the settings file and the files of --exclude-ids, --same-ids
// and --data. Each run must end at once with its message; an alarm ends a
// run that blocks, so that such a fault fails the test rather than hangs it.
#include <gtest/gtest.h>
#include <sys/stat.h>

#include <string>
#include <vector>

#include "support/aircraft_prefix.h"
#include "support/cli_process.h"

namespace tobrel {
namespace {

const std::string kProgram = TOBREL_CLI_PROGRAM;
const std::string kSample = TOBREL_SAMPLE_LOG;
constexpr unsigned kAlarmSeconds = 30;

// Runs tobrel-cli with `arguments` and WINEPREFIX set to `prefix`; a run
// still going after kAlarmSeconds is ended by SIGALRM (status 128 + 14).
testing::ProcessOutcome RunCliProcess(const std::vector<std::string>& arguments,
                                      const std::string& prefix) {
  testing::ProcessLaunch launch;
  launch.environment = {"WINEPREFIX=" + prefix, "LC_ALL=C.UTF-8"};
  launch.alarm_seconds = kAlarmSeconds;
  return testing::RunProcess(kProgram, arguments, launch);
}

class NonRegularFilesCliTest : public ::testing::Test {
 protected:
  NonRegularFilesCliTest() { testing::BuildAircraftInstall(prefix_); }

  void MakeFifo(std::string_view relative) const {
    std::filesystem::remove(prefix_.path() / relative);
    ASSERT_EQ(::mkfifo((prefix_.path() / relative).c_str(), 0600), 0);
  }
  testing::ProcessOutcome Run(const std::vector<std::string>& arguments) const {
    return RunCliProcess(arguments, prefix_.path().string());
  }

  testing::WinePrefixBuilder prefix_{"tobrel-special-files-cli-test"};
};

// The registration is found in user.reg, so the listing stays whole when
// system.reg cannot be read.
TEST_F(NonRegularFilesCliTest, RegistryFilesThatAreNoRegularFiles) {
  testing::RegisterAircraftServer(prefix_);
  MakeFifo("system.reg");
  testing::ProcessOutcome run = Run({"aclogs", "--utf8"});
  EXPECT_EQ(run.status, 0) << run.err;
  EXPECT_EQ(run.err, "tobrel-cli: warning: " + prefix_.Native("system.reg") +
                         ": not a regular file: a FIFO; its keys are not read\n");
  EXPECT_NE(run.out.find("FPC\t"), std::string::npos) << run.out;

  std::filesystem::remove(prefix_.path() / "user.reg");
  prefix_.Link("user.reg", "/dev/zero");
  run = Run({"aclogs", "--utf8"});
  EXPECT_EQ(run.status, 0) << run.err;
  EXPECT_NE(run.err.find(prefix_.Native("user.reg") + ": not a regular file: a device"),
            std::string::npos)
      << run.err;
  EXPECT_EQ(run.out, "");
}

TEST_F(NonRegularFilesCliTest, FilesOfTheInstallationThatAreFifos) {
  // Found through the start-menu shortcut only: a FIFO there is no shortcut.
  prefix_.Write("user.reg",
                "WINE REGISTRY Version 2\n"
                "[Software\\\\Microsoft\\\\Windows\\\\CurrentVersion\\\\Explorer\\\\Shell "
                "Folders] 1\n"
                "\"Programs\"=\"C:\\\\Menu\"\n");
  prefix_.Write("drive_c/Menu/AirCraft 97/AirCraft 97.lnk",
                testing::ShellLinkBytes({.base_path = "C:\\AC97\\AirCraft.exe"}));
  testing::ProcessOutcome run = Run({"aclogs", "--utf8"});
  ASSERT_EQ(run.status, 0) << run.err;
  ASSERT_NE(run.out.find("FPC\t"), std::string::npos) << run.out;
  MakeFifo("drive_c/Menu/AirCraft 97/AirCraft 97.lnk");
  run = Run({"aclogs", "--utf8"});
  EXPECT_EQ(run.status, 0) << run.err;
  EXPECT_EQ(run.out, "");

  // A forum list and a room table that are FIFOs name nothing.
  const std::string install = prefix_.Native("drive_c/AC97");
  MakeFifo("drive_c/AC97/FLIST.DAT");
  MakeFifo("drive_c/AC97/Log/Fpc/MES.LOG");
  run = Run({"aclogs", "--utf8", "--install", install});
  EXPECT_EQ(run.status, 0) << run.err;
  EXPECT_NE(run.out.find("FPC\t\n"), std::string::npos) << run.out;
  run = Run({"aclogs", "--utf8", "--install", install, "FPC"});
  EXPECT_EQ(run.status, 0) << run.err;
  EXPECT_NE(run.out.find("Mes_03.LOG\t\t"), std::string::npos) << run.out;

  // A FIFO is no Global.Dat.
  MakeFifo("drive_c/AC97/Global.Dat");
  run = Run({"aclogs", "--utf8", "--install", install});
  EXPECT_EQ(run.status, 3);
  EXPECT_EQ(run.err, "指定されたAirCraft 97本体フォルダにGlobal.Datが見つかりません\n");
}

TEST_F(NonRegularFilesCliTest, OptionFilesThatAreNoRegularFiles) {
  MakeFifo("fifo");
  const std::string fifo = prefix_.Native("fifo");
  const struct {
    std::vector<std::string> arguments;
    int status;
    std::string err;
  } cases[] = {
      {{"--settings", fifo}, 2, "tobrel-cli: --settings: " + fifo + " is a FIFO, not a settings file\n"},
      {{"--settings", "/dev/zero"}, 2, "tobrel-cli: --settings: /dev/zero is a device, not a settings file\n"},
      {{"--exclude-ids", fifo}, 2, "tobrel-cli: " + fifo + ": not a regular file: a FIFO\n"},
      {{"--same-ids", fifo}, 2, "tobrel-cli: " + fifo + ": not a regular file: a FIFO\n"},
      {{"--data", fifo}, 3, "tobrel-cli: " + fifo + ": not a regular file: a FIFO\n"},
  };
  for (const auto& c : cases) {
    std::vector<std::string> arguments = {"count", "--utf8", "--today", "2026/12/10"};
    arguments.insert(arguments.end(), c.arguments.begin(), c.arguments.end());
    arguments.push_back(kSample);
    const testing::ProcessOutcome run = Run(arguments);
    EXPECT_EQ(run.status, c.status) << c.arguments[0];
    EXPECT_EQ(run.err.substr(0, run.err.find('\n') + 1), c.err) << c.arguments[0];
  }
}

}  // namespace
}  // namespace tobrel

// tobrel-cli run as a process on files that are not regular files where a
// regular file belongs: Wine registry files, shortcuts and index files of
// the prefix, the settings file and the files of --exclude-ids, --same-ids
// and --data. Each run must end at once with its message; an alarm ends a
// run that blocks, so that such a fault fails the test rather than hangs it.
#include <fcntl.h>
#include <gtest/gtest.h>
#include <sys/stat.h>
#include <sys/wait.h>
#include <unistd.h>

#include <csignal>
#include <string>
#include <thread>
#include <vector>

#include "support/aircraft_prefix.h"

namespace tobrel {
namespace {

const std::string kProgram = TOBREL_CLI_PROGRAM;
const std::string kSample = TOBREL_SAMPLE_LOG;
constexpr unsigned kAlarmSeconds = 30;

struct Outcome {
  int status = -1;
  std::string out, err;
};

std::string ReadFd(int fd) {
  std::string text;
  char buffer[65536];
  for (ssize_t got; (got = ::read(fd, buffer, sizeof buffer)) > 0;) text.append(buffer, got);
  return text;
}

// Runs tobrel-cli with `arguments` and WINEPREFIX set to `prefix`; a run
// still going after kAlarmSeconds is ended by SIGALRM (status 128 + 14).
Outcome RunCliProcess(const std::vector<std::string>& arguments, const std::string& prefix) {
  std::vector<std::string> environment = {"WINEPREFIX=" + prefix, "LC_ALL=C.UTF-8"};
  std::vector<char*> envp;
  for (std::string& entry : environment) envp.push_back(entry.data());
  envp.push_back(nullptr);
  std::vector<char*> argv{const_cast<char*>(kProgram.c_str())};
  for (const std::string& argument : arguments) argv.push_back(const_cast<char*>(argument.c_str()));
  argv.push_back(nullptr);

  int out_pipe[2], err_pipe[2];
  EXPECT_EQ(::pipe2(out_pipe, O_CLOEXEC), 0);
  EXPECT_EQ(::pipe2(err_pipe, O_CLOEXEC), 0);
  const pid_t child = ::fork();
  if (child == 0) {
    ::dup2(out_pipe[1], 1);
    ::dup2(err_pipe[1], 2);
    ::alarm(kAlarmSeconds);  // an alarm outlives exec
    ::execve(kProgram.c_str(), argv.data(), envp.data());
    ::_exit(127);
  }
  ::close(out_pipe[1]);
  ::close(err_pipe[1]);
  Outcome outcome;
  std::thread err_reader([&] { outcome.err = ReadFd(err_pipe[0]); });
  outcome.out = ReadFd(out_pipe[0]);
  err_reader.join();
  ::close(out_pipe[0]);
  ::close(err_pipe[0]);
  int status = 0;
  EXPECT_EQ(::waitpid(child, &status, 0), child);
  outcome.status = WIFEXITED(status) ? WEXITSTATUS(status) : 128 + WTERMSIG(status);
  return outcome;
}

class SpecialFilesCliTest : public ::testing::Test {
 protected:
  SpecialFilesCliTest() { testing::BuildAircraftInstall(prefix_); }

  void MakeFifo(std::string_view relative) const {
    std::filesystem::remove(prefix_.path() / relative);
    ASSERT_EQ(::mkfifo((prefix_.path() / relative).c_str(), 0600), 0);
  }
  Outcome Run(const std::vector<std::string>& arguments) const {
    return RunCliProcess(arguments, prefix_.path().string());
  }

  testing::WinePrefixBuilder prefix_{"tobrel-special-files-cli-test"};
};

// The registration is found in user.reg, so the listing stays whole when
// system.reg cannot be read.
TEST_F(SpecialFilesCliTest, RegistryFilesThatAreNoRegularFiles) {
  testing::RegisterAircraftServer(prefix_);
  MakeFifo("system.reg");
  Outcome run = Run({"aclogs", "--utf8"});
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

TEST_F(SpecialFilesCliTest, FilesOfTheInstallationThatAreFifos) {
  // Found through the start-menu shortcut only: a FIFO there is no shortcut.
  prefix_.Write("user.reg",
                "WINE REGISTRY Version 2\n"
                "[Software\\\\Microsoft\\\\Windows\\\\CurrentVersion\\\\Explorer\\\\Shell "
                "Folders] 1\n"
                "\"Programs\"=\"C:\\\\Menu\"\n");
  prefix_.Write("drive_c/Menu/AirCraft 97/AirCraft 97.lnk",
                testing::ShellLinkBytes({.base_path = "C:\\AC97\\AirCraft.exe"}));
  Outcome run = Run({"aclogs", "--utf8"});
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

TEST_F(SpecialFilesCliTest, OptionFilesThatAreNoRegularFiles) {
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
    const Outcome run = Run(arguments);
    EXPECT_EQ(run.status, c.status) << c.arguments[0];
    EXPECT_EQ(run.err.substr(0, run.err.find('\n') + 1), c.err) << c.arguments[0];
  }
}

}  // namespace
}  // namespace tobrel

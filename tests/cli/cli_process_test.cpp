// tobrel-cli run as a process, for what only a process shows: its standard
// streams (a full device, a closed pipe, a log on standard input or through
// a pipe's /dev/fd name) and the exit statuses that come of them.
#include <fcntl.h>
#include <gtest/gtest.h>
#include <spawn.h>
#include <sys/wait.h>
#include <unistd.h>

#include <cstdio>
#include <fstream>
#include <sstream>
#include <string>
#include <thread>
#include <vector>

#include "support/temp_folder.h"

extern char** environ;

namespace tobrel {
namespace {

const std::string kProgram = TOBREL_CLI_PROGRAM;
const std::string kSample = TOBREL_SAMPLE_LOG;

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

std::string ReadFile(const std::string& path) {
  std::ifstream in(path, std::ios::binary);
  std::stringstream bytes;
  bytes << in.rdbuf();
  return bytes.str();
}

// Runs tobrel-cli with `arguments`. `stdin_fd` and `stdout_fd` (when not -1)
// become its standard input and output; otherwise its output is collected.
Outcome RunCliProcess(const std::vector<std::string>& arguments, int stdin_fd = -1, int stdout_fd = -1) {
  int out_pipe[2], err_pipe[2];
  EXPECT_EQ(::pipe2(out_pipe, O_CLOEXEC), 0);
  EXPECT_EQ(::pipe2(err_pipe, O_CLOEXEC), 0);
  posix_spawn_file_actions_t actions;
  posix_spawn_file_actions_init(&actions);
  if (stdin_fd >= 0) posix_spawn_file_actions_adddup2(&actions, stdin_fd, 0);
  posix_spawn_file_actions_adddup2(&actions, stdout_fd >= 0 ? stdout_fd : out_pipe[1], 1);
  posix_spawn_file_actions_adddup2(&actions, err_pipe[1], 2);
  std::vector<char*> argv{const_cast<char*>(kProgram.c_str())};
  for (const std::string& argument : arguments) argv.push_back(const_cast<char*>(argument.c_str()));
  argv.push_back(nullptr);
  pid_t child = -1;
  EXPECT_EQ(posix_spawn(&child, kProgram.c_str(), &actions, nullptr, argv.data(), environ), 0);
  posix_spawn_file_actions_destroy(&actions);
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

// Feeds `bytes` into a new pipe from a thread; gives the read end.
class PipeFeeder {
 public:
  explicit PipeFeeder(std::string bytes) {
    EXPECT_EQ(::pipe2(fds_, O_CLOEXEC), 0);  // the child gets only its dup
    writer_ = std::thread([this, bytes = std::move(bytes)] {
      std::size_t done = 0;
      while (done < bytes.size()) {
        const ssize_t put = ::write(fds_[1], bytes.data() + done, bytes.size() - done);
        if (put <= 0) break;
        done += static_cast<std::size_t>(put);
      }
      ::close(fds_[1]);
    });
  }
  ~PipeFeeder() {
    writer_.join();
    ::close(fds_[0]);
  }
  int read_end() const { return fds_[0]; }

 private:
  int fds_[2];
  std::thread writer_;
};

const std::vector<std::string> kRead = {"read", "--today", "2026/12/10"};

std::vector<std::string> ReadOf(const std::string& log) {
  std::vector<std::string> arguments = kRead;
  arguments.push_back(log);
  return arguments;
}

TEST(CliProcess, LogsFromStandardInputAndPipesReadLikeFiles) {
  const Outcome from_file = RunCliProcess(ReadOf(kSample));
  ASSERT_EQ(from_file.status, 0) << from_file.err;
  ASSERT_FALSE(from_file.out.empty());
  {
    PipeFeeder feeder(ReadFile(kSample));
    const Outcome from_stdin = RunCliProcess(ReadOf("-"), feeder.read_end());
    EXPECT_EQ(from_stdin.status, 0) << from_stdin.err;
    EXPECT_EQ(from_stdin.out, from_file.out);
  }
  {
    // What a shell's "<(cat sample.log)" gives: a pipe under /dev/fd.
    PipeFeeder feeder(ReadFile(kSample));
    const Outcome from_pipe = RunCliProcess(ReadOf("/dev/fd/0"), feeder.read_end());
    EXPECT_EQ(from_pipe.status, 0) << from_pipe.err;
    EXPECT_EQ(from_pipe.out, from_file.out);
  }
}

TEST(CliProcess, OutputToDevStdoutGoesToThePipe) {
  const Outcome direct = RunCliProcess(ReadOf(kSample));
  std::vector<std::string> arguments = ReadOf(kSample);
  arguments.insert(arguments.end(), {"-o", "/dev/stdout"});
  const Outcome through_link = RunCliProcess(arguments);
  EXPECT_EQ(through_link.status, 0) << through_link.err;
  EXPECT_EQ(through_link.out, direct.out);
}

TEST(CliProcess, OutputOverStandardInputIsRefused) {
  const std::string log = ::testing::TempDir() + "tobrel-stdin-output.log";
  std::ofstream(log, std::ios::binary) << ReadFile(kSample);
  const int in = ::open(log.c_str(), O_RDONLY | O_CLOEXEC);
  ASSERT_GE(in, 0);
  std::vector<std::string> arguments = ReadOf("-");
  arguments.insert(arguments.end(), {"-o", log});
  const Outcome outcome = RunCliProcess(arguments, in);
  ::close(in);
  EXPECT_EQ(outcome.status, 2);
  EXPECT_EQ(outcome.err, "tobrel-cli: -o " + log + " is the input log -; it is not replaced\n");
  EXPECT_EQ(ReadFile(log), ReadFile(kSample));
  std::remove(log.c_str());
}

TEST(CliProcess, DevicesAreRefusedAsReadingErrors) {
  const Outcome outcome = RunCliProcess(ReadOf("/dev/zero"));
  EXPECT_EQ(outcome.status, 1);
  EXPECT_EQ(outcome.err, "tobrel-cli: /dev/zero: a device, not a log file\n");
}

TEST(CliProcess, StandardOutputErrorsExitWithFour) {
  const int full = ::open("/dev/full", O_WRONLY | O_CLOEXEC);
  ASSERT_GE(full, 0);
  const Outcome outcome = RunCliProcess(ReadOf(kSample), -1, full);
  ::close(full);
  EXPECT_EQ(outcome.status, 4);
  EXPECT_EQ(outcome.err, "tobrel-cli: cannot write standard output: No space left on device\n");

  // A pipe whose reader is gone: EPIPE, not a silent death by SIGPIPE.
  int fds[2];
  ASSERT_EQ(::pipe2(fds, O_CLOEXEC), 0);
  ::close(fds[0]);
  const Outcome closed = RunCliProcess(ReadOf(kSample), -1, fds[1]);
  ::close(fds[1]);
  EXPECT_EQ(closed.status, 4);
  EXPECT_EQ(closed.err, "tobrel-cli: cannot write standard output: Broken pipe\n");
}

TEST(CliProcess, ProcessAndInfoRefuseStandardInputAsTheirOutput) {
  testing::TempFolder folder("tobrel-cli-stdin-output");
  const std::string log = folder.Write("in.log", ReadFile(kSample));
  for (const char* command : {"process", "info"}) {
    const int in = ::open(log.c_str(), O_RDONLY | O_CLOEXEC);
    ASSERT_GE(in, 0);
    const Outcome outcome = RunCliProcess({command, "-o", log, "-"}, in);
    ::close(in);
    EXPECT_EQ(outcome.status, 2) << command << ": " << outcome.err;
    EXPECT_EQ(ReadFile(log), ReadFile(kSample)) << command;
  }
}

}  // namespace
}  // namespace tobrel

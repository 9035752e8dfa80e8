// Test helper: runs a program (tobrel-cli) as a child process and collects
// what it wrote to standard output and standard error and how it ended, for
// what only a process shows: its standard streams, signals, preloaded
// shims, limits and files that block.
#pragma once

#include <fcntl.h>
#include <gtest/gtest.h>
#include <sys/wait.h>
#include <unistd.h>

#include <string>
#include <thread>
#include <vector>

extern char** environ;

namespace tobrel::testing {

struct ProcessOutcome {
  int status = -1;  // the exit status, or 128 + the signal that ended it
  std::string out, err;
};

// How the program is started beyond its arguments.
struct ProcessLaunch {
  // A program that starts it (`launcher`, then the program and its arguments).
  std::vector<std::string> launcher;
  // Entries ("NAME=value") that replace or join the test's own environment.
  std::vector<std::string> environment;
  // When not -1, its standard input and output; otherwise no input and its
  // output is collected.
  int stdin_fd = -1;
  int stdout_fd = -1;
  // When not 0, SIGALRM ends a run still going after these seconds
  // (status 128 + 14), so that a run that blocks fails a test, not hangs it.
  unsigned alarm_seconds = 0;
};

inline std::string ReadAllFrom(int fd) {
  std::string text;
  char buffer[65536];
  for (ssize_t got; (got = ::read(fd, buffer, sizeof buffer)) > 0;) text.append(buffer, got);
  return text;
}

// The test's environment with the entries of `changes` put in.
inline std::vector<std::string> EnvironmentWith(const std::vector<std::string>& changes) {
  std::vector<std::string> entries;
  for (char** entry = environ; *entry != nullptr; ++entry) {
    const std::string text = *entry;
    bool replaced = false;
    for (const std::string& change : changes) {
      const std::size_t name_end = change.find('=') + 1;  // "NAME=" is compared
      replaced = replaced || text.compare(0, name_end, change, 0, name_end) == 0;
    }
    if (!replaced) entries.push_back(text);
  }
  entries.insert(entries.end(), changes.begin(), changes.end());
  return entries;
}

// Runs `program` with `arguments` as `launch` says and waits for it.
inline ProcessOutcome RunProcess(const std::string& program, const std::vector<std::string>& arguments,
                                 const ProcessLaunch& launch = {}) {
  std::vector<std::string> words = launch.launcher;
  words.push_back(program);
  words.insert(words.end(), arguments.begin(), arguments.end());
  std::vector<char*> argv;
  for (std::string& word : words) argv.push_back(word.data());
  argv.push_back(nullptr);
  std::vector<std::string> environment = EnvironmentWith(launch.environment);
  std::vector<char*> envp;
  for (std::string& entry : environment) envp.push_back(entry.data());
  envp.push_back(nullptr);

  int out_pipe[2], err_pipe[2];
  EXPECT_EQ(::pipe2(out_pipe, O_CLOEXEC), 0);
  EXPECT_EQ(::pipe2(err_pipe, O_CLOEXEC), 0);
  const pid_t child = ::fork();
  if (child == 0) {  // only calls that are safe after fork in a threaded test
    ::dup2(launch.stdin_fd >= 0 ? launch.stdin_fd : ::open("/dev/null", O_RDONLY), 0);
    ::dup2(launch.stdout_fd >= 0 ? launch.stdout_fd : out_pipe[1], 1);
    ::dup2(err_pipe[1], 2);
    if (launch.alarm_seconds != 0) ::alarm(launch.alarm_seconds);  // an alarm outlives exec
    ::execve(argv[0], argv.data(), envp.data());
    ::_exit(127);
  }
  ::close(out_pipe[1]);
  ::close(err_pipe[1]);
  ProcessOutcome outcome;
  std::thread err_reader([&] { outcome.err = ReadAllFrom(err_pipe[0]); });
  outcome.out = ReadAllFrom(out_pipe[0]);
  err_reader.join();
  ::close(out_pipe[0]);
  ::close(err_pipe[0]);
  int status = 0;
  EXPECT_EQ(::waitpid(child, &status, 0), child);
  outcome.status = WIFEXITED(status) ? WEXITSTATUS(status) : 128 + WTERMSIG(status);
  return outcome;
}

}  // namespace tobrel::testing

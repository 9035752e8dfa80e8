// tobrel-cli run as a process, for what only a process shows: its standard
// streams (a full device, a closed pipe, a log on standard input or through
// a pipe's /dev/fd name), the faults of the files it writes (a disk that
// fills up on a file system without fallocate and a kill part-way, through
// a preloaded shim; a file-size limit) and the exit statuses that come of
// them.
#include <fcntl.h>
#include <gtest/gtest.h>
#include <signal.h>
#include <sys/wait.h>
#include <unistd.h>

#include <algorithm>
#include <cstdio>
#include <cstdlib>
#include <filesystem>
#include <fstream>
#include <sstream>
#include <string>
#include <thread>
#include <vector>

#include "support/cli_process.h"
#include "support/temp_folder.h"

namespace tobrel {
namespace {

const std::string kProgram = TOBREL_CLI_PROGRAM;
const std::string kSample = TOBREL_SAMPLE_LOG;
const std::string kWriteFaultShim = TOBREL_WRITE_FAULT_SHIM;

using Outcome = testing::ProcessOutcome;
// How tobrel-cli is started beyond its arguments and standard streams.
using Launch = testing::ProcessLaunch;

std::string ReadFile(const std::string& path) {
  std::ifstream in(path, std::ios::binary);
  std::stringstream bytes;
  bytes << in.rdbuf();
  return bytes.str();
}

// Runs tobrel-cli with `arguments`. `stdin_fd` and `stdout_fd` (when not -1)
// become its standard input and output; otherwise its output is collected.
Outcome RunCliProcess(const std::vector<std::string>& arguments, int stdin_fd = -1, int stdout_fd = -1,
                      Launch launch = {}) {
  launch.stdin_fd = stdin_fd;
  launch.stdout_fd = stdout_fd;
  return testing::RunProcess(kProgram, arguments, launch);
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

// The names in `folder`, sorted.
std::vector<std::string> Names(const std::filesystem::path& folder) {
  std::vector<std::string> names;
  for (const auto& entry : std::filesystem::directory_iterator(folder))
    names.push_back(entry.path().filename().string());
  std::sort(names.begin(), names.end());
  return names;
}

// A report file to be replaced: `old` in a.txt, also named b.txt when
// `hard_linked`; gives the name -o is to write.
std::string OldReport(const testing::TempFolder& folder, const std::string& old, bool hard_linked) {
  const std::string path = folder.Write("a.txt", old);
  if (!hard_linked) return path;
  std::filesystem::create_hard_link(path, folder.path() / "b.txt");
  return (folder.path() / "b.txt").string();
}

// Runs tobrel-cli with the write fault shim: no fallocate, and the disk
// full once `limit` bytes have gone to files.
Launch WithWriteFaults(long long limit) {
  const char* asan = std::getenv("ASAN_OPTIONS");
  return {{},
          {"LD_PRELOAD=" + kWriteFaultShim, "TOBREL_FAULT_WRITE_LIMIT=" + std::to_string(limit),
           // The sanitizer runtime checks that it comes first; here the
           // shim, built without it, comes before it on purpose.
           "ASAN_OPTIONS=" + (asan ? std::string(asan) + ":" : std::string()) +
               "verify_asan_link_order=0"}};
}

TEST(CliProcess, AFullDiskWithoutFallocateLeavesTheOldReport) {
  const Outcome fresh = RunCliProcess(ReadOf(kSample));
  ASSERT_EQ(fresh.status, 0) << fresh.err;
  // A sparse old report: a hole of 1 MiB, then a line.
  const std::string sparse = std::string(1 << 20, '\0') + "tail\r\n";
  ASSERT_LT(fresh.out.size(), sparse.size());
  static const struct {
    const char* what;
    bool sparse;
    bool hard_linked;
    long long limit;
  } cases[] = {
      {"two names, the disk full from the start", false, true, 0},
      {"two names, the disk full part-way", false, true, 100},
      {"two names, a sparse old report", true, true, 1000},
      {"one name, through a temporary file", false, false, 100},
  };
  for (const auto& c : cases) {
    testing::TempFolder folder("tobrel-cli-full-disk");
    const std::string old = c.sparse ? sparse : std::string("old report\r\n");
    std::string output;
    if (c.sparse) {
      output = OldReport(folder, "", c.hard_linked);
      const int fd = ::open(output.c_str(), O_WRONLY | O_CLOEXEC);
      ASSERT_EQ(::pwrite(fd, "tail\r\n", 6, 1 << 20), 6);
      ::close(fd);
    } else {
      output = OldReport(folder, old, c.hard_linked);
    }
    const std::vector<std::string> names = Names(folder.path());
    std::vector<std::string> arguments = ReadOf(kSample);
    arguments.insert(arguments.end(), {"-o", output});
    const Outcome outcome = RunCliProcess(arguments, -1, -1, WithWriteFaults(c.limit));
    EXPECT_EQ(outcome.status, 4) << c.what;
    EXPECT_EQ(outcome.err, "tobrel-cli: cannot write " + output + ": No space left on device\n")
        << c.what;
    for (const std::string& name : names)
      EXPECT_TRUE(ReadFile((folder.path() / name).string()) == old) << c.what << ": " << name;
    EXPECT_EQ(Names(folder.path()), names) << c.what;

    // With room enough, the same run writes the report under every name.
    const Outcome done = RunCliProcess(arguments, -1, -1, WithWriteFaults(1 << 30));
    EXPECT_EQ(done.status, 0) << c.what << ": " << done.err;
    for (const std::string& name : names)
      EXPECT_TRUE(ReadFile((folder.path() / name).string()) == fresh.out) << c.what << ": " << name;
  }
}

TEST(CliProcess, AnInterruptedRewriteInPlaceLeavesTheOldReportOrTheWholeNewOne) {
  const Outcome fresh = RunCliProcess(ReadOf(kSample));
  ASSERT_EQ(fresh.status, 0) << fresh.err;
  const std::string old = "old report\r\n";
  // The room past the old end is the first write to a file, the report the
  // second: a signal after the first byte of each.
  const std::string room_and_one = std::to_string(fresh.out.size() - old.size() + 1);
  static const struct {
    const char* what;
    bool before_overwriting;  // the signal comes while the room is made
  } cases[] = {{"while the room is made", true}, {"while the old bytes are overwritten", false}};
  for (const auto& c : cases) {
    testing::TempFolder folder("tobrel-cli-interrupted");
    const std::string output = OldReport(folder, old, true);
    std::vector<std::string> arguments = ReadOf(kSample);
    arguments.insert(arguments.end(), {"-o", output});
    Launch launch = WithWriteFaults(1LL << 30);
    launch.environment.push_back("TOBREL_FAULT_SIGNAL_AFTER=" +
                                 (c.before_overwriting ? std::string("1") : room_and_one));
    const Outcome outcome = RunCliProcess(arguments, -1, -1, launch);
    EXPECT_EQ(outcome.status, 128 + SIGTERM) << c.what << ": " << outcome.err;
    for (const char* name : {"a.txt", "b.txt"})
      EXPECT_TRUE(ReadFile((folder.path() / name).string()) ==
                  (c.before_overwriting ? old : fresh.out))
          << c.what << ": " << name;
    EXPECT_EQ(Names(folder.path()), (std::vector<std::string>{"a.txt", "b.txt"})) << c.what;
  }
}

TEST(CliProcess, AFileSizeLimitLeavesTheOldReport) {
  const Outcome fresh = RunCliProcess(ReadOf(kSample));
  ASSERT_GT(fresh.out.size(), 4096u);  // over the limit below, whatever its unit
  // Limits of 4 blocks, of 512 or 1024 bytes as the shell counts them.
  const Launch limited{{"/bin/sh", "-c", "ulimit -f 4 && exec \"$0\" \"$@\""}, {}};
  for (const bool hard_linked : {false, true}) {
    testing::TempFolder folder("tobrel-cli-size-limit");
    const std::string output = OldReport(folder, "old report\r\n", hard_linked);
    const std::vector<std::string> names = Names(folder.path());
    std::vector<std::string> arguments = ReadOf(kSample);
    arguments.insert(arguments.end(), {"-o", output});
    const Outcome outcome = RunCliProcess(arguments, -1, -1, limited);
    EXPECT_EQ(outcome.status, 4) << hard_linked;
    EXPECT_EQ(outcome.err, "tobrel-cli: cannot write " + output + ": File too large\n");
    for (const std::string& name : names)
      EXPECT_EQ(ReadFile((folder.path() / name).string()), "old report\r\n") << name;
    EXPECT_EQ(Names(folder.path()), names) << hard_linked;
  }
}

}  // namespace
}  // namespace tobrel

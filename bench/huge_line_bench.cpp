// Measures reading a log whose posting has one huge body line against
// reading a generated log of the same size, in the same run: the time per
// byte of each and their ratio (target: at most 2), and the peak memory of
// the huge one against its size (target: at most 1.2). Each reading runs
// in a child process, whose peak resident size the system reports when it
// ends; what the child held before reading is taken off. Both the reading
// of tobrel-cli (lines not counted first) and that of the window (counted
// first, for the progress bar) are measured. The huge line's characters
// are checked against what they must count.
//   tobrel-huge-line-bench [MEBIBYTES [ROUNDS]]   (defaults 256 and 3)
// The two logs are kept in the temporary folder and reused.
#include <sys/resource.h>
#include <sys/wait.h>
#include <unistd.h>

#include <algorithm>
#include <cstdio>
#include <cstdlib>
#include <filesystem>
#include <fstream>
#include <string>

#include "bench/bench_support.h"
#include "core/count_chars.h"
#include "core/read_run.h"
#include "platform/atomic_file.h"
#include "regex/quote_pattern.h"
#include "tally/quoted_line_test.h"

namespace {

using namespace tobrel;

// One piece of the huge line: full-width and half-width text, a full-width
// blank, half-width katakana and a lead byte whose second byte is a lead
// byte too; it ends where a character ends.
const std::string kPiece =
    "\x93\xfa\x96\x7b\x8c\xea\x82\xcc\x95\xb6\x8f\xcd text, \x81\x40\xb1\xb2\x88\x9f\x88\x9f>|";

// The posting around the huge line: its header, sub-header and first body
// line, then the huge line's end and a delimiter.
const std::string kHead =
    "00001/00001 ABC00001  handle           the huge line\r\n"
    "( 1)   97/05/12 23:45\r\n"
    "first body line\r\n";
const std::string kTail = "\r\n \b\r\n";

// A posting whose second body line is the huge one, a little longer than
// `bytes` (so that a buffer that doubles as it grows has just filled
// `bytes` when the line goes on).
std::filesystem::path HugeLineLog(std::uint64_t bytes) {
  const auto path = std::filesystem::temp_directory_path() /
                    ("tobrel-bench-huge-line-" + std::to_string(bytes) + "-4k.log");
  if (std::filesystem::exists(path)) return path;
  WriteFileAtomically(path, [&](std::ostream& out) {
    out << kHead;
    std::string block;
    while (block.size() < (1u << 20)) block += kPiece;
    std::uint64_t line = bytes + 4096;
    line -= line % kPiece.size();
    for (std::uint64_t written = 0; written < line;) {
      const std::uint64_t n = std::min<std::uint64_t>(block.size() - block.size() % kPiece.size(),
                                                      line - written);
      out.write(block.data(), static_cast<std::streamsize>(n));
      written += n;
    }
    out << kTail;
  });
  return path;
}

// The characters the huge log's one posting must count.
std::int64_t HugeLineChars(const std::filesystem::path& path) {
  const std::uint64_t size = std::filesystem::file_size(path);
  const std::uint64_t pieces = (size - kHead.size() - kTail.size()) / kPiece.size();
  return static_cast<std::int64_t>(pieces) * CountChars(kPiece, false) +
         CountChars("the huge line", false) + CountChars("first body line", false);
}

double ResidentKilobytes() {
  std::ifstream status("/proc/self/status");
  std::string line;
  while (std::getline(status, line))
    if (line.rfind("VmRSS:", 0) == 0) return std::strtod(line.c_str() + 6, nullptr);
  return 0;
}

class Observer final : public ReadRunObserver {
 public:
  explicit Observer(bool progress) : progress_(progress) {}
  bool ShowsProgress() const override { return progress_; }

 private:
  bool progress_;
};

struct Result {
  double wall = 0, cpu = 0, peak_mb = 0;
  std::int64_t chars = -1;  // of the first posting
};

// Reads `path` in a child process.
Result ReadInChild(const std::filesystem::path& path, bool progress) {
  int pipe_ends[2];
  if (pipe(pipe_ends) != 0) std::exit(1);
  const pid_t child = fork();
  if (child < 0) std::exit(1);
  if (child == 0) {
    close(pipe_ends[0]);
    Result result;
    const double before_kb = ResidentKilobytes();
    TLineMatcher quote;
    quote.SetRegExp(kDefaultQuotePattern);
    ReadRunInputs inputs;
    inputs.candidates.push_back({path.string(), true});
    inputs.is_quoted = MakeQuotedLineTest(quote);
    Observer observer(progress);
    LogStore store;
    const FixedClock today(*EncodeDateTime({2026, 12, 10, 0, 0, 0}));
    rusage start_usage{};
    getrusage(RUSAGE_SELF, &start_usage);
    const auto start = bench::Clock::now();
    if (ReadLogFiles(store, inputs, today, observer).stopped_by) _exit(2);
    result.wall = bench::SecondsSince(start);
    rusage usage{};
    getrusage(RUSAGE_SELF, &usage);
    auto seconds = [](const timeval& t) { return t.tv_sec + t.tv_usec / 1e6; };
    result.cpu = seconds(usage.ru_utime) + seconds(usage.ru_stime) -
                 seconds(start_usage.ru_utime) - seconds(start_usage.ru_stime);
    result.peak_mb = before_kb;  // the parent takes it off the peak
    if (!store.Postings.empty()) result.chars = store.Postings.front().TotalChars;
    if (write(pipe_ends[1], &result, sizeof result) != sizeof result) _exit(3);
    _exit(0);
  }
  close(pipe_ends[1]);
  Result result;
  const bool got = read(pipe_ends[0], &result, sizeof result) == sizeof result;
  close(pipe_ends[0]);
  int status = 0;
  rusage usage{};
  wait4(child, &status, 0, &usage);
  if (!got || !WIFEXITED(status) || WEXITSTATUS(status) != 0) {
    std::fprintf(stderr, "reading %s failed\n", path.c_str());
    std::exit(1);
  }
  result.peak_mb = (static_cast<double>(usage.ru_maxrss) - result.peak_mb) / 1024.0;
  return result;
}

// The best time and the highest peak of `rounds` readings.
Result Best(const std::filesystem::path& path, bool progress, int rounds) {
  Result best;
  best.wall = best.cpu = 1e9;
  for (int i = 0; i < rounds; ++i) {
    const Result r = ReadInChild(path, progress);
    best.wall = std::min(best.wall, r.wall);
    best.cpu = std::min(best.cpu, r.cpu);
    best.peak_mb = std::max(best.peak_mb, r.peak_mb);
    best.chars = r.chars;
  }
  return best;
}

}  // namespace

int main(int argc, char** argv) {
  const std::uint64_t mebibytes = argc > 1 ? std::strtoull(argv[1], nullptr, 10) : 256;
  const int rounds = argc > 2 ? std::atoi(argv[2]) : 3;
  const std::uint64_t bytes = mebibytes << 20;
  LogGeneratorOptions options;
  options.seed = 42;
  options.min_bytes = bytes + 4096;
  options.ids = 5000;
  options.rooms = 20;
  const auto normal =
      bench::GeneratedLog("tobrel-bench-" + std::to_string(mebibytes) + "mib-4k.log", options);
  const auto huge = HugeLineLog(bytes);
  const double normal_mb = static_cast<double>(std::filesystem::file_size(normal)) / 1e6;
  const double huge_mb = static_cast<double>(std::filesystem::file_size(huge)) / 1e6;
  const std::int64_t expected = HugeLineChars(huge);
  std::printf("generated log %.1f MB; one posting with a line of %.1f MB (%lld characters)\n",
              normal_mb, huge_mb, static_cast<long long>(expected));
  bool right = true;
  for (const bool progress : {false, true}) {
    const Result a = Best(normal, progress, rounds);
    const Result b = Best(huge, progress, rounds);
    std::printf("%s:\n", progress ? "lines counted first (the window)" : "lines not counted (tobrel-cli)");
    std::printf("  generated log  %.3f s elapsed, %.3f s processor, %.2f ns/byte, peak %.0f MB = %.2f x size\n",
                a.wall, a.cpu, a.cpu * 1e3 / normal_mb, a.peak_mb, a.peak_mb / normal_mb);
    std::printf("  huge line      %.3f s elapsed, %.3f s processor, %.2f ns/byte, peak %.0f MB = %.2f x size\n",
                b.wall, b.cpu, b.cpu * 1e3 / huge_mb, b.peak_mb, b.peak_mb / huge_mb);
    std::printf("  ratio per byte %.2f processor, %.2f elapsed (target <= 2); memory %.2f x size (target <= 1.2)\n",
                (b.cpu / huge_mb) / (a.cpu / normal_mb), (b.wall / huge_mb) / (a.wall / normal_mb),
                b.peak_mb / huge_mb);
    if (b.chars != expected) {
      std::printf("  WRONG: the huge line's posting counts %lld characters\n",
                  static_cast<long long>(b.chars));
      right = false;
    }
  }
  return right ? 0 : 1;
}

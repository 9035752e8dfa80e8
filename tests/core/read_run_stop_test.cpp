// A reading run asked to stop leaves exactly what a run over only the files
// it read to the end leaves: the store (postings, excluded postings, the
// files read) and what it tells of each file's health, wherever it is asked
// (before the first file, inside a small or a split log, between files) and
// whether a second thread parses logs ahead or not.
#include <gtest/gtest.h>

#include <algorithm>
#include <optional>
#include <sstream>

#include "core/read_data_file.h"
#include "core/read_run.h"
#include "platform/second_thread.h"
#include "support/temp_folder.h"
#include "tools/log_generator.h"

namespace tobrel {
namespace {

// Says stop once the run shows file `file` (by its place in the list) with
// the progress bar at `position` or past it; -1 for the file's last line.
struct StopPoint {
  const char* name;
  int file;
  int position;
  std::size_t files_kept;
};

class StoppingObserver final : public ReadRunObserver {
 public:
  StoppingObserver(std::vector<std::string> paths, std::optional<StopPoint> point)
      : paths_(std::move(paths)), point_(point) {}

  void ShowStatus(std::string_view text) override {
    for (std::size_t i = 0; i < paths_.size(); ++i)
      if (text.starts_with(paths_[i])) file_ = static_cast<int>(i);
  }
  void SetProgressRange(int maximum) override { maximum_ = maximum; }
  void SetProgressPosition(int position) override { position_ = position; }
  void KeepResponsive() override { ++responsive_calls; }
  bool StopRequested() override {
    if (!point_ || file_ != point_->file) return false;
    const int wanted = point_->position < 0 ? maximum_ : point_->position;
    if (position_ < wanted) return false;
    fired = true;
    return true;
  }
  void ShowReadHealth(const std::vector<FileReadHealth>& files) override { health = files; }

  bool fired = false;
  int responsive_calls = 0;
  std::vector<FileReadHealth> health;

 private:
  std::vector<std::string> paths_;
  std::optional<StopPoint> point_;
  int file_ = -1;  // none shown yet: the run is before its first file
  int maximum_ = 0;
  int position_ = 0;
};

struct Outcome {
  ReadRunResult result;
  std::vector<std::string> data;      // the store as its read-data file has it
  std::vector<std::string> excluded;  // the postings left out, by ID and number
  std::vector<std::string> health;
};

Outcome Read(const std::vector<std::string>& paths, std::optional<StopPoint> point,
             std::uint64_t split_size, StoppingObserver* seen = nullptr) {
  ReadRunInputs inputs;
  for (const std::string& path : paths) inputs.candidates.push_back({path, true});
  inputs.options.use_exclusion = true;
  inputs.exclusion = [](std::string_view id, std::string_view) -> std::optional<ExclusionReason> {
    if (!id.empty() && id.back() % 3 == 0) return ExclusionReason::ById;
    return std::nullopt;
  };
  inputs.split_size = split_size;
  LogStore store;
  StoppingObserver observer(paths, point);
  Outcome outcome;
  outcome.result = ReadLogFiles(store, inputs, FixedClock(*EncodeDateTime({2026, 12, 10, 0, 0, 0})),
                                observer);
  outcome.data = ReadDataLines(store);
  for (const ExcludedRec& rec : store.Excluded)
    outcome.excluded.push_back(std::string(rec.Id.view()) + "/" +
                               std::to_string(rec.Number));
  for (const FileReadHealth& file : observer.health)
    outcome.health.push_back(file.path + " " + std::to_string(file.postings) + " " +
                             std::to_string(file.stray_headers));
  if (seen) *seen = observer;
  return outcome;
}

TEST(ReadRunStop, AStoppedRunLeavesWhatReadingTheFilesBeforeItLeaves) {
  testing::TempFolder folder("tobrel-read-stop");
  std::vector<std::string> paths;
  std::uint64_t split_size = 0;
  // Small logs around a large one that is split in halves (the third).
  const int postings[] = {20, 400, 1500, 400, 30};
  for (int i = 0; i < 5; ++i) {
    LogGeneratorOptions options;
    options.seed = 300 + i;
    options.postings = postings[i];
    std::ostringstream out;
    GenerateLog(options, out);
    if (i == 2) split_size = out.str().size();
    paths.push_back(folder.Write("log" + std::to_string(i), out.str()));
  }
  const StopPoint points[] = {
      {"before the first file", -1, 0, 0},
      {"inside a small log", 1, 1000, 1},
      {"between two logs", 1, -1, 2},
      {"in the first half of a split log", 2, 1000, 2},
      {"in the second half of a split log", 2, 11000, 2},
      {"inside a log parsed ahead", 3, 1000, 3},
      {"at the first line of the last log", 4, 0, 4},
  };
  for (const bool refused : {false, true}) {
    std::optional<RefuseSecondThreads> refuse;
    if (refused) refuse.emplace();
    for (const StopPoint& point : points) {
      const std::string context =
          std::string(point.name) + (refused ? ", one thread" : ", two threads");
      StoppingObserver observer({}, std::nullopt);
      const Outcome stopped = Read(paths, point, split_size, &observer);
      const Outcome expected = Read(
          std::vector<std::string>(paths.begin(), paths.begin() + point.files_kept), std::nullopt,
          split_size);
      EXPECT_TRUE(observer.fired) << context;
      EXPECT_TRUE(stopped.result.stopped) << context;
      EXPECT_FALSE(stopped.result.stopped_by) << context;
      EXPECT_FALSE(expected.result.stopped) << context;
      EXPECT_EQ(stopped.data, expected.data) << context;
      EXPECT_EQ(stopped.excluded, expected.excluded) << context;
      EXPECT_EQ(stopped.health, expected.health) << context;
    }
  }
}

// The observer is asked between blocks of lines, not once a file: a window
// that handles its events there stays responsive during a long log.
TEST(ReadRunStop, TheObserverIsAskedAlongALog) {
  testing::TempFolder folder("tobrel-read-asked");
  LogGeneratorOptions options;
  options.postings = 3000;
  std::ostringstream out;
  GenerateLog(options, out);
  const std::string log = out.str();
  const std::string path = folder.Write("log", log);
  const auto lines = static_cast<std::size_t>(std::count(log.begin(), log.end(), '\n'));
  StoppingObserver observer({}, std::nullopt);
  const Outcome outcome = Read({path}, std::nullopt, std::uint64_t{1} << 40, &observer);
  EXPECT_FALSE(outcome.result.stopped);
  EXPECT_GE(static_cast<std::size_t>(observer.responsive_calls), lines / 1024);
}

}  // namespace
}  // namespace tobrel

#include "cli/output_guard.h"

#include <sys/stat.h>
#include <unistd.h>

#include <utility>
#include <vector>

namespace tobrel {
namespace {

// True when `input` ("-": standard input) is the regular file `output` is.
bool IsFile(const std::string& input, const struct stat& output) {
  struct stat st;
  const int found = input == "-" ? ::fstat(STDIN_FILENO, &st) : ::stat(input.c_str(), &st);
  return found == 0 && S_ISREG(st.st_mode) && st.st_dev == output.st_dev &&
         st.st_ino == output.st_ino;
}

// Every file the options make the run read, with its role, in the order of
// the message a user would most expect first.
std::vector<std::pair<std::string, const char*>> InputsOf(const CliOptions& options) {
  std::vector<std::pair<std::string, const char*>> inputs;
  for (const std::string& log : options.logs) inputs.emplace_back(log, "input log");
  for (const std::string& data : options.data_files) inputs.emplace_back(data, "read-data file");
  for (const std::string& list : options.id_list_files) inputs.emplace_back(list, "ID list");
  if (!options.settings_file.empty()) inputs.emplace_back(options.settings_file, "settings file");
  return inputs;
}

}  // namespace

std::optional<OutputClash> InputNamedByOutput(const CliOptions& options) {
  struct stat output;
  if (options.output.empty() || ::stat(options.output.c_str(), &output) != 0) return std::nullopt;
  for (const auto& [input, role] : InputsOf(options))
    if (IsFile(input, output)) return OutputClash{input, role};
  return std::nullopt;
}

}  // namespace tobrel

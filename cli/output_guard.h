// The check that keeps -o from replacing a file the run reads: the logs,
// the read-data files, the ID lists and the settings file. The same file is
// found by device and inode, so another path to it (a link, "..", a
// symbolic link, standard input redirected from it) is caught too. Every
// command that takes -o runs this one check before it reads anything.
#pragma once

#include <optional>
#include <string>

#include "cli/cli_options.h"

namespace tobrel {

// An input of the run that -o names.
struct OutputClash {
  std::string input;  // the input as given ("-": standard input)
  std::string role;   // what it is to the run: "input log", "read-data file", ...
};

// The first input of `options` ("-": standard input, found by its
// descriptor) that is the regular file named by -o (links followed), or
// nothing when -o is not given, does not exist yet or names none of them.
std::optional<OutputClash> InputNamedByOutput(const CliOptions& options);

}  // namespace tobrel

// Test helper: tobrel-cli's whole path run in the test's own process, from
// its arguments to its exit status, with what it writes kept in two streams.
#pragma once

#include <gtest/gtest.h>

#include <sstream>
#include <string>
#include <vector>

#include "cli/cli_options.h"
#include "cli/cli_run.h"

namespace tobrel::testing {

// Parses `arguments` (a failure to parse them as a run fails the test),
// empties `out` and `err` and runs them; gives the exit status.
inline int RunCliInProcess(const std::vector<std::string>& arguments, std::ostringstream& out,
                           std::ostringstream& err) {
  const CliParse parse = ParseCliArguments(arguments);
  EXPECT_EQ(parse.outcome, CliParse::Outcome::Run) << parse.error;
  out.str("");
  err.str("");
  return RunCli(parse.options, out, err);
}

}  // namespace tobrel::testing

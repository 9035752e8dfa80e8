// tobrel-cli: the command-line front end over the same core as the window.
#include <csignal>
#include <iostream>
#include <new>
#include <string>
#include <vector>

#include "cli/cli_options.h"
#include "cli/cli_run.h"
#include "platform/atomic_file.h"

int main(int argc, char** argv) {
  // A closed pipe and a file-size limit (ulimit -f) are write errors
  // reported as such (EPIPE, EFBIG), not a silent end that leaves a
  // temporary file behind.
  std::signal(SIGPIPE, SIG_IGN);
  std::signal(SIGXFSZ, SIG_IGN);
  tobrel::RemoveTemporaryFilesOnSignals();
  const std::vector<std::string> arguments(argv + 1, argv + argc);
  const tobrel::CliParse parse = tobrel::ParseCliArguments(arguments);
  switch (parse.outcome) {
    case tobrel::CliParse::Outcome::Help:
      std::cout << tobrel::CliHelpText() << std::flush;
      return std::cout ? tobrel::kExitDone : tobrel::kExitWriteError;
    case tobrel::CliParse::Outcome::Version:
      std::cout << "tobrel-cli " TOBREL_VERSION "\n" << std::flush;
      return std::cout ? tobrel::kExitDone : tobrel::kExitWriteError;
    case tobrel::CliParse::Outcome::UsageError:
      std::cerr << "tobrel-cli: " << parse.error << "\n"
                << "Try 'tobrel-cli --help'.\n";
      return tobrel::kExitUsage;
    case tobrel::CliParse::Outcome::Run:
      break;
  }
  try {
    return tobrel::RunCli(parse.options, std::cout, std::cerr);
  } catch (const std::bad_alloc&) {
    std::cerr << "tobrel-cli: not enough memory\n";
    return tobrel::kExitReadError;
  }
}

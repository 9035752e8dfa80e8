// tobrel-cli: the command-line front end over the same core as the window.
#include <iostream>
#include <string>
#include <vector>

#include "cli/cli_options.h"
#include "cli/cli_run.h"

int main(int argc, char** argv) {
  const std::vector<std::string> arguments(argv + 1, argv + argc);
  const tobrel::CliParse parse = tobrel::ParseCliArguments(arguments);
  switch (parse.outcome) {
    case tobrel::CliParse::Outcome::Help:
      std::cout << tobrel::CliHelpText();
      return tobrel::kExitDone;
    case tobrel::CliParse::Outcome::Version:
      std::cout << "tobrel-cli " TOBREL_VERSION "\n";
      return tobrel::kExitDone;
    case tobrel::CliParse::Outcome::UsageError:
      std::cerr << "tobrel-cli: " << parse.error << "\n"
                << "Try 'tobrel-cli --help'.\n";
      return tobrel::kExitUsage;
    case tobrel::CliParse::Outcome::Run:
      break;
  }
  return tobrel::RunCli(parse.options, std::cout, std::cerr);
}

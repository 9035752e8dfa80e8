// tobrel-loggen: writes a synthetic forum log.
//   tobrel-loggen [--seed N] [--postings N | --megabytes N] [--rooms N]
//                 [--ids N] [--year YYYY] [--lf] -o FILE
#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <iostream>
#include <string>

#include "platform/atomic_file.h"
#include "tools/log_generator.h"

namespace {

int Usage() {
  std::cerr << "usage: tobrel-loggen [--seed N] [--postings N | --megabytes N] [--rooms N]"
               " [--ids N] [--year YYYY] [--lf] -o FILE\n";
  return 2;
}

}  // namespace

int main(int argc, char** argv) {
  tobrel::RemoveTemporaryFilesOnSignals();
  tobrel::LogGeneratorOptions options;
  std::string output;
  for (int i = 1; i < argc; ++i) {
    const std::string arg = argv[i];
    const bool has_value = i + 1 < argc;
    auto number = [&]() { return std::strtoull(argv[++i], nullptr, 10); };
    if (arg == "--lf") {
      options.crlf = false;
    } else if (!has_value) {
      return Usage();
    } else if (arg == "--seed") {
      options.seed = number();
    } else if (arg == "--postings") {
      options.postings = number();
    } else if (arg == "--megabytes") {
      options.min_bytes = number() * 1000000;
    } else if (arg == "--rooms") {
      options.rooms = static_cast<int>(std::max(1ULL, std::min(99ULL, number())));
    } else if (arg == "--ids") {
      options.ids = static_cast<int>(std::max(1ULL, std::min(100000ULL, number())));
    } else if (arg == "--year") {
      options.first_year = static_cast<int>(number());
    } else if (arg == "-o") {
      output = argv[++i];
    } else {
      return Usage();
    }
  }
  if (output.empty()) return Usage();
  std::uint64_t postings = 0;
  try {
    tobrel::WriteFileAtomically(
        output, [&](std::ostream& out) { postings = tobrel::GenerateLog(options, out); });
  } catch (const tobrel::Failure& e) {
    std::cerr << "tobrel-loggen: cannot write " << e.message() << "\n";
    return 1;
  }
  std::cerr << postings << " postings written to " << output << "\n";
  return 0;
}

#include "settings/command_line.h"

#include <algorithm>
#include <system_error>

namespace tobrel {
namespace {

bool Exists(const std::string& path) {
  std::error_code error;
  return std::filesystem::exists(path, error);
}

// The letter of a "/D..." or "/P..." switch in upper case, or 0.
char SwitchLetter(const std::string& argument) {
  if (argument.size() < 4 || argument[0] != '/' || Exists(argument)) return 0;
  const char letter = static_cast<char>(argument[1] & ~0x20);
  return letter == 'D' || letter == 'P' ? letter : 0;
}

bool IsProgram(const std::string& argument, const std::filesystem::path& program_path) {
  std::error_code error;
  return !program_path.empty() && std::filesystem::equivalent(argument, program_path, error);
}

}  // namespace

CommandLineEffects HandleCommandLine(const std::vector<std::string>& arguments,
                                     const std::filesystem::path& program_path,
                                     const std::string& current_personal,
                                     std::vector<std::string>& candidates) {
  CommandLineEffects effects;
  for (const std::string& argument : arguments) {
    const char letter = SwitchLetter(argument);
    const std::string path = argument.substr(std::min<std::size_t>(2, argument.size()));
    if (letter == 'D') {
      std::error_code error;
      if (std::filesystem::is_regular_file(path, error)) effects.data_files.push_back(path);
    } else if (letter == 'P') {
      std::error_code error;
      if (std::filesystem::is_directory(path, error) && !current_personal.empty())
        effects.personal = path;
      break;
    }
  }
  for (const std::string& argument : arguments) {
    std::error_code error;
    if (!std::filesystem::is_regular_file(argument, error) || IsProgram(argument, program_path))
      continue;
    if (std::find(candidates.begin(), candidates.end(), argument) == candidates.end())
      candidates.push_back(argument);
  }
  return effects;
}

}  // namespace tobrel

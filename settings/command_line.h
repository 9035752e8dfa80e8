// The program's command line at start-up: "/D<path>" names a read-data file
// to load, "/P<folder>" replaces the personal log folder, and every other
// argument that names an existing file is a candidate log.
//
// Switches are scanned in order and a "/P" ends the scan, whether or not it
// took effect; then every argument is tried as a file. A switch needs at
// least two characters after its letter, and its letter may be either case.
// Since an absolute path here also starts with "/", an argument that itself
// names an existing file or folder is a file argument, never a switch; and
// paths are used as given (file names keep their case on this system).
#pragma once

#include <filesystem>
#include <optional>
#include <string>
#include <vector>

namespace tobrel {

struct CommandLineEffects {
  std::vector<std::string> data_files;  // "/D" files that exist, to load in order
  std::optional<std::string> personal;  // "/P" folder that replaces "PERSONAL"
};

// Handles `arguments` (without the program's own name): returns the switches'
// effects and appends each file argument that exists, is not the program
// file and is not in `candidates` yet. A "/P" folder takes effect only when
// it exists and `current_personal` is not empty.
CommandLineEffects HandleCommandLine(const std::vector<std::string>& arguments,
                                     const std::filesystem::path& program_path,
                                     const std::string& current_personal,
                                     std::vector<std::string>& candidates);

}  // namespace tobrel

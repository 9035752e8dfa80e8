// The lines of a text file that has to be a regular file (an ID list, a
// read-data file, an index file of the communication program), split as
// LogLines splits a log. Unlike a log, such a file is never read from a
// FIFO, a pipe or a device: those are refused at once (platform/regular_file.h).
#pragma once

#include <cstdint>
#include <filesystem>

#include "core/log_lines.h"

namespace tobrel {

// Replaces the content of `lines` with the lines of the regular file at
// `path`, of at most `max_size` bytes. Throws the Failure of
// platform/regular_file.h (RegularFileFailure: "PATH: No such file or
// directory", "PATH: not a regular file: a FIFO"); `lines` is then empty.
void LoadRegularFileLines(const std::filesystem::path& path, LogLines& lines,
                          std::uint64_t max_size);

}  // namespace tobrel

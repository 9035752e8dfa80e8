// Writing the read-data file: a plain-text dump of the store (the paths of
// the logs read, then one line per posting with twelve comma-separated
// fields), CP932 with CR LF. Written when the program is closed with Shift
// held; core/read_data_load.h reads it back.
#pragma once

#include <filesystem>
#include <optional>
#include <string>
#include <vector>

#include "core/log_store.h"
#include "platform/clock.h"
#include "platform/date_time.h"

namespace tobrel {

// One posting as its line of the file: room, number, "yyyy/mm/dd hh:nn",
// comment target, comment count, total, quoted and own characters, rank,
// then ID, handle and title as stored. Nothing is quoted.
std::string ReadDataPostingLine(const ArticleRec& posting);

// Every line of the file without line ends: "[Files]", the read paths (in
// CP932), "[Log Info]", the postings in store order.
std::vector<std::string> ReadDataLines(const LogStore& store);

// The file's name for the local time `now`: "ddhhnnss.Dat".
std::string ReadDataFileName(DateTime now);

// Writes the file into `folder` under the name of `now`, replacing a file of
// that name, and gives its path; writes nothing and gives nothing when the
// store holds no postings. Throws Failure (WriteFailure,
// platform/atomic_file.h) when it cannot write.
std::optional<std::filesystem::path> WriteReadDataFile(const LogStore& store,
                                                       const std::filesystem::path& folder,
                                                       DateTime now);

// What closing the window with Shift held writes (the window shows
// "デバッグ情報の保存中..." meanwhile): the file for the clock's local time in
// the folder beside the program (platform/program_folder.h). Throws Failure
// (WriteFailure) when it cannot write the file, and
// std::filesystem::filesystem_error when the folder cannot be made.
std::optional<std::filesystem::path> WriteReadDataFileBesideProgram(const LogStore& store,
                                                                    const Clock& clock);

}  // namespace tobrel

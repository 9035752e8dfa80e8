// Reading a read-data file (core/read_data_file.h) back into the store, as
// the menu command and the "/D" start-up switch do. The file is read whole
// and checked first; only a file without faults is added, so a failed load
// leaves the store and the candidate list exactly as they were.
#pragma once

#include <cstddef>
#include <filesystem>
#include <optional>
#include <string>
#include <string_view>
#include <vector>

#include "core/log_store.h"
#include "core/read_run.h"
#include "platform/failure.h"

namespace tobrel {

// What a read-data file holds: the paths of its "[Files]" part (native) and
// its postings in file order.
struct ReadDataContent {
  std::vector<std::string> files;
  std::vector<ArticleRec> postings;
};

// Reads the lines of a read-data file. Lines before "[Files]" are ignored,
// then every non-empty line is a path up to "[Log Info]", then every
// non-empty line is a posting of twelve fields: the first nine are taken
// with the "," tokenizer (core/str_tok.h), the ID (8 bytes), the handle and
// the title are the text between the next commas, the title running to the
// end of the line (so it keeps its commas and an empty handle stays empty). Dates
// read with the two-digit-year window of `current_year`. A negative comment
// count or number of characters is a fault. Throws Failure (BadReadData):
// line() is 1-based (0 when no line is to blame), message() says what is
// wrong, in English.
ReadDataContent ParseReadData(const std::vector<std::string_view>& lines, int current_year);

// The load: reads the file at `path`, then appends its paths to ReadFiles
// and to `candidates` (each appended even when already there, and the first
// candidate with that path checked) and its postings to Postings, with no
// duplicate removal and no sorting. The file has to be a regular file: a
// FIFO, a pipe or a device is refused at once. Throws Failure, with file()
// the path, and then changes nothing: of kind FileUnreadable for a file
// that cannot be read, or BadReadData with its line() (0 when no line is
// to blame); message() is the user's text in CP932, "path(line): reason"
// or "path: not a regular file: a FIFO".
void LoadReadDataFile(const std::filesystem::path& path, LogStore& store,
                      std::vector<CandidateFile>& candidates, int current_year);

// The path of a start-up argument "/D<path>" ("/d" too; at least 4 bytes in
// all) when that file exists; nothing for any other argument. The path is
// taken as written: file names on Linux are case-sensitive.
std::optional<std::filesystem::path> DataSwitchPath(std::string_view argument);

}  // namespace tobrel

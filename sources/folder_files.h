// The file list of the folder-list dialog: the files of one folder that
// match a mask, with size and time stamp, sortable by each column.
#pragma once

#include <cstdint>
#include <string>
#include <string_view>
#include <vector>

#include "platform/date_time.h"

namespace tobrel {

struct FileRow {
  std::string name;          // native, as listed
  std::uint64_t size = 0;
  std::string size_text;     // "1,234"
  DateTime time = 0;         // last-write time, whole seconds
  std::string time_text;     // "yyyy/mm/dd hh:nn:ss"
};

enum class FileColumn { Name = 0, Size = 1, Time = 2 };

// `ListFolderFiles`: the files (hidden ones included, no folders) of the
// native `folder` that match any pattern of `mask` (CP932, patterns
// separated by ";"), each file once, sorted by name ascending. A folder
// that cannot be read gives no rows.
std::vector<FileRow> ListFolderFiles(const std::string& folder, std::string_view mask);

// Sorts by `column`: names ignoring case, sizes as numbers, times as
// date-times; rows that compare equal keep their order.
void SortFileRows(std::vector<FileRow>& rows, FileColumn column, bool descending);

}  // namespace tobrel

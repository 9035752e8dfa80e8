// A file matched by two patterns of a mask ("*.LOG;*.*") must be listed
// once: the rows of all patterns are gathered, sorted by name (ignoring
// case, names that fold alike kept apart by their bytes so that equal rows
// end up side by side) and a row equal to the one after it in name, size
// and time text is dropped.
#include "sources/folder_files.h"

#include <algorithm>

#include "core/format_thousands.h"
#include "platform/cp932.h"
#include "platform/file_mask.h"
#include "platform/folder_listing.h"
#include "platform/text_case.h"
#include "sources/selection_text.h"

namespace tobrel {

std::vector<FileRow> ListFolderFiles(const std::string& folder, std::string_view mask) {
  std::vector<FileRow> rows;
  const std::vector<FolderEntry> entries = ListFolder(folder);
  for (const std::string& pattern : SplitSelection(mask)) {
    const std::string native_pattern = cp932::ToUtf8(pattern);
    for (const FolderEntry& entry : entries)
      if (!entry.is_folder && MatchesFileMask(entry.name, native_pattern))
        rows.push_back({entry.name, entry.size,
                        FormatThousands(static_cast<std::int64_t>(entry.size)), entry.last_write,
                        FormatDateTime("yyyy/mm/dd hh:nn:ss", entry.last_write)});
  }
  std::stable_sort(rows.begin(), rows.end(),
                   [](const FileRow& a, const FileRow& b) { return NameLess(a.name, b.name); });
  const auto same = [](const FileRow& a, const FileRow& b) {
    return a.name == b.name && a.size_text == b.size_text && a.time_text == b.time_text;
  };
  rows.erase(std::unique(rows.begin(), rows.end(), same), rows.end());
  return rows;
}

void SortFileRows(std::vector<FileRow>& rows, FileColumn column, bool descending) {
  const auto key_less = [column](const FileRow& a, const FileRow& b) {
    switch (column) {
      case FileColumn::Name: return CompareIgnoringCase(a.name, b.name) < 0;
      case FileColumn::Size: return a.size < b.size;
      case FileColumn::Time: return a.time < b.time;
    }
    return false;
  };
  std::stable_sort(rows.begin(), rows.end(), [&](const FileRow& a, const FileRow& b) {
    return descending ? key_less(b, a) : key_less(a, b);
  });
}

}  // namespace tobrel

// The ID list editor without its window: the text it edits as lines, the
// file it was last opened from, and reading and writing list files (CP932
// text; lines end at CR LF, CR or LF when read and with CR LF when written;
// an existing file is replaced).
#pragma once

#include <filesystem>
#include <optional>
#include <string>
#include <string_view>
#include <vector>

namespace tobrel {

// The lines of a list file, which has to be a regular file: a FIFO, a
// device or a folder is refused at once. Throws Failure
// (core/regular_file_lines.h).
std::vector<std::string> LoadIdListFile(const std::filesystem::path& path);

// The file's bytes for `lines`: each line ended by CR LF.
std::string IdListFileContent(const std::vector<std::string>& lines);

// Writes `lines` to `path` through the atomic writer. Throws Failure
// (WriteFailure, platform/atomic_file.h) when it cannot.
void SaveIdListFile(const std::filesystem::path& path, const std::vector<std::string>& lines);

// The lines of the editor's text: lines end at CR LF, CR or LF, and a line
// end at the very end starts no further line (so "" has no lines and "\n"
// has one empty line).
std::vector<std::string> IdListTextLines(std::string_view text);

// The editor's text for `lines`: each line followed by LF, so that
// IdListTextLines gives the same lines back.
std::string IdListText(const std::vector<std::string>& lines);

// The file names the editor's open and save dialogs hold.
struct IdListFiles {
  // The open dialog's: the current file, which "上書き保存(&S)" writes to.
  std::optional<std::filesystem::path> current;
  // The save dialog's: where it was last saved, and where it starts next.
  std::optional<std::filesystem::path> saved;
  bool operator==(const IdListFiles&) const = default;
};

class IdListDocument {
 public:
  const std::vector<std::string>& lines() const { return lines_; }
  void SetLines(std::vector<std::string> lines) { lines_ = std::move(lines); }

  // "新規作成(&N)": empties the text; the current file stays.
  void New() { lines_.clear(); }
  // "開く(&O)...": the file's lines replace the text and it becomes the
  // current file. On a read error (Failure) nothing changes.
  void Open(const std::filesystem::path& path);
  // The file "上書き保存(&S)" writes to; nothing means it asks as
  // "名前をつけて保存(&A)..." does.
  const std::optional<std::filesystem::path>& current_file() const { return files_.current; }
  // "上書き保存(&S)": writes the lines to `path`.
  void SaveTo(const std::filesystem::path& path) const { SaveIdListFile(path, lines_); }
  // "名前をつけて保存(&A)...": writes the lines to `path`, which the save
  // dialog keeps; the current file stays as it was.
  void SaveAs(const std::filesystem::path& path);

  const IdListFiles& files() const { return files_; }
  void SetFiles(IdListFiles files) { files_ = std::move(files); }
  // Clears the file names of the open and save dialogs.
  void ForgetFile() { files_ = {}; }

 private:
  std::vector<std::string> lines_;
  IdListFiles files_;
};

}  // namespace tobrel

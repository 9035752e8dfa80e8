// TTextLines: the content operations of a TTextView (its `Lines`): clear,
// add a line, the whole text, the count, saving to a file. They are the
// program's own changes and work while the view is read-only or disabled.
#pragma once

#include <filesystem>
#include <string>
#include <string_view>

namespace tobrel {

class TTextView;

class TTextLines {
 public:
  explicit TTextLines(TTextView& view) : view_(view) {}
  TTextLines(const TTextLines&) = delete;
  TTextLines& operator=(const TTextLines&) = delete;

  void Clear();
  // Appends one line (CP932 bytes without line end).
  void Add(std::string_view line);
  int Count() const;
  // Line `row` (0 <= row < Count()); valid until the next change.
  std::string_view operator[](int row) const;
  // The lines joined by CR LF.
  std::string Text() const;
  // Replaces the lines by those of `text` (ended by CR LF, CR or LF).
  void SetText(std::string_view text);
  // Writes every line followed by CR LF to `path`, replacing the file.
  // Throws Failure (WriteFailure, platform/atomic_file.h) when the file
  // cannot be written.
  void SaveToFile(const std::filesystem::path& path) const;

 private:
  TTextView& view_;
};

}  // namespace tobrel

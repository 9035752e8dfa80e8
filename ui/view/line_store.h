// LineStore: the lines of a text view, held as CP932 byte strings in large
// shared blocks instead of one allocation per line, so a report of a million
// lines costs little more than its bytes. It also answers where each row
// starts in the whole text (lines joined by CR LF) and which row holds a byte
// position of that text.
#pragma once

#include <cstdint>
#include <string>
#include <string_view>
#include <vector>

namespace tobrel {

class LineStore {
 public:
  LineStore() = default;
  LineStore(const LineStore&) = delete;
  LineStore& operator=(const LineStore&) = delete;

  int Count() const { return static_cast<int>(spans_.size()); }
  // The bytes of line `row` (0 <= row < Count()), without line end. The view
  // stays valid until the next change of the store.
  std::string_view Line(int row) const;

  void Clear();
  void Append(std::string_view line);
  // Replaces the `count` lines from `first` with `lines` (any number).
  void Replace(int first, int count, const std::vector<std::string>& lines);

  // The lines joined by CR LF (no line end after the last line).
  std::string JoinedText() const;
  // Length of JoinedText().
  std::int64_t TextLength() const;
  // Position in the joined text where `row` starts; Count() gives the length
  // of the text plus two (as if the last line ended with CR LF).
  std::int64_t RowStart(int row) const;
  // The row whose span (line plus its line end) holds `position`; positions
  // past the end give the last row.
  int RowAt(std::int64_t position) const;

 private:
  struct Span {
    std::uint32_t block;
    std::uint32_t offset;
    std::uint32_t length;
  };

  Span Store(std::string_view line);
  void Compact();
  void ExtendRowStarts(int row) const;

  std::vector<std::string> blocks_;
  std::vector<Span> spans_;
  std::int64_t live_bytes_ = 0;
  std::int64_t dead_bytes_ = 0;
  // row_starts_[i] is the start of row i; valid for the rows it holds.
  mutable std::vector<std::int64_t> row_starts_;
};

}  // namespace tobrel

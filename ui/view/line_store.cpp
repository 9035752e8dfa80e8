// Lines live in blocks of about a megabyte; a line never straddles two
// blocks (a longer line gets a block of its own). A changed line is written
// anew at the end of the last block and its old bytes become dead; once dead
// bytes outweigh live ones the blocks are rebuilt. Row starts in the joined
// text are computed on demand and kept until a change before them.
#include "ui/view/line_store.h"

#include <algorithm>

namespace tobrel {
namespace {

constexpr std::size_t kBlockSize = 1 << 20;
constexpr std::int64_t kCompactSlack = 1 << 20;

}  // namespace

std::string_view LineStore::Line(int row) const {
  const Span& span = spans_[row];
  return std::string_view(blocks_[span.block].data() + span.offset, span.length);
}

void LineStore::Clear() {
  blocks_.clear();
  spans_.clear();
  row_starts_.clear();
  live_bytes_ = 0;
  dead_bytes_ = 0;
}

LineStore::Span LineStore::Store(std::string_view line) {
  if (blocks_.empty() || blocks_.back().capacity() - blocks_.back().size() < line.size()) {
    blocks_.emplace_back();
    blocks_.back().reserve(std::max(kBlockSize, line.size()));
  }
  std::string& block = blocks_.back();
  Span span{static_cast<std::uint32_t>(blocks_.size() - 1),
            static_cast<std::uint32_t>(block.size()),
            static_cast<std::uint32_t>(line.size())};
  block.append(line);
  live_bytes_ += static_cast<std::int64_t>(line.size());
  return span;
}

void LineStore::Append(std::string_view line) { spans_.push_back(Store(line)); }

void LineStore::Replace(int first, int count, const std::vector<std::string>& lines) {
  for (int row = first; row < first + count; ++row) {
    live_bytes_ -= spans_[row].length;
    dead_bytes_ += spans_[row].length;
  }
  std::vector<Span> stored;
  stored.reserve(lines.size());
  for (const std::string& line : lines) stored.push_back(Store(line));
  const auto at = spans_.begin() + first;
  const std::size_t common = std::min<std::size_t>(count, stored.size());
  std::copy_n(stored.begin(), common, at);
  if (stored.size() > common)
    spans_.insert(at + common, stored.begin() + common, stored.end());
  else
    spans_.erase(at + common, at + count);
  row_starts_.resize(std::min<std::size_t>(row_starts_.size(), first + 1));
  if (dead_bytes_ > live_bytes_ + kCompactSlack) Compact();
}

void LineStore::Compact() {
  std::vector<std::string> old_blocks;
  old_blocks.swap(blocks_);
  live_bytes_ = 0;
  dead_bytes_ = 0;
  for (Span& span : spans_)
    span = Store(std::string_view(old_blocks[span.block].data() + span.offset, span.length));
}

std::string LineStore::JoinedText() const {
  std::string text;
  text.reserve(static_cast<std::size_t>(TextLength()));
  for (int row = 0; row < Count(); ++row) {
    if (row > 0) text += "\r\n";
    text += Line(row);
  }
  return text;
}

std::int64_t LineStore::TextLength() const {
  return spans_.empty() ? 0 : live_bytes_ + 2 * (static_cast<std::int64_t>(spans_.size()) - 1);
}

void LineStore::ExtendRowStarts(int row) const {
  if (row_starts_.empty() && !spans_.empty()) row_starts_.push_back(0);
  while (static_cast<int>(row_starts_.size()) <= row) {
    const std::size_t previous = row_starts_.size() - 1;
    row_starts_.push_back(row_starts_.back() + spans_[previous].length + 2);
  }
}

std::int64_t LineStore::RowStart(int row) const {
  if (row >= Count()) return spans_.empty() ? 0 : TextLength() + 2;
  ExtendRowStarts(row);
  return row_starts_[row];
}

int LineStore::RowAt(std::int64_t position) const {
  if (spans_.empty()) return 0;
  ExtendRowStarts(Count() - 1);
  const auto after = std::upper_bound(row_starts_.begin(), row_starts_.end(), position);
  return std::max(0, static_cast<int>(after - row_starts_.begin()) - 1);
}

}  // namespace tobrel

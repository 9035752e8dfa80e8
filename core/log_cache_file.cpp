// The entry is the header below, the posting records and the title
// references as fixed-size structures in the machine's own byte order, then
// the bytes of the long titles. A posting record is an ArticleRec's bytes,
// its Rank standing for the number of its long title; the loader reads it
// through PostingRecord, which names the same bytes, and trusts none of
// them. Every structure is copied out of the bytes with memcpy, so the
// bytes need no alignment. The checksum covers
// everything after its own field, the rest of the header included.
#include "core/log_cache_file.h"

#include <cmath>
#include <cstddef>
#include <cstring>
#include <limits>
#include <type_traits>

#include "core/log_cache_hash.h"
#include "platform/date_time.h"

namespace tobrel {
namespace {

constexpr char kMagic[8] = {'T', 'o', 'b', 'r', 'e', 'l', 'L', 'C'};
constexpr std::uint32_t kFormatVersion = 2;
constexpr std::uint32_t kByteOrderMark = 0x01020304;

struct Header {
  char magic[8];
  std::uint64_t checksum;
  std::uint32_t format_version;
  std::uint32_t byte_order;
  std::uint64_t device, inode, size;
  std::int64_t mtime_ns;
  std::uint64_t content, reading;
  std::uint64_t postings, long_titles, title_bytes;
  std::uint64_t lines, stray_headers, unmapped;
  std::uint32_t converted, reserved;
};
static_assert(sizeof(Header) == 128);
constexpr std::size_t kChecksummedFrom = offsetof(Header, format_version);

struct PostingRecord {
  std::int32_t number;
  std::uint8_t id_size;
  char id[decltype(ArticleRec::Id)::kCapacity];
  std::uint8_t handle_size;
  char handle[decltype(ArticleRec::Handle)::kCapacity];
  std::uint8_t title_size;
  char title[decltype(ArticleRec::Title)::kCapacity];
  char padding[2];
  std::int32_t room;
  DateTime posted_at;
  std::int32_t comment_to, comment_count, total_chars, quoted_chars, own_chars;
  std::uint32_t long_title;  // 0, or 1 + the index of its TitleRef
};
static_assert(sizeof(PostingRecord) == 112);
// The same bytes as ArticleRec (a short string is its size, then its bytes).
static_assert(std::is_trivially_copyable_v<ArticleRec> && sizeof(ArticleRec) == sizeof(PostingRecord));
static_assert(sizeof(ArticleRec::Id) == 1 + sizeof(PostingRecord::id));
static_assert(offsetof(ArticleRec, Number) == offsetof(PostingRecord, number) &&
              offsetof(ArticleRec, Id) == offsetof(PostingRecord, id_size) &&
              offsetof(ArticleRec, Handle) == offsetof(PostingRecord, handle_size) &&
              offsetof(ArticleRec, Title) == offsetof(PostingRecord, title_size) &&
              offsetof(ArticleRec, Room) == offsetof(PostingRecord, room) &&
              offsetof(ArticleRec, PostedAt) == offsetof(PostingRecord, posted_at) &&
              offsetof(ArticleRec, CommentTo) == offsetof(PostingRecord, comment_to) &&
              offsetof(ArticleRec, CommentCount) == offsetof(PostingRecord, comment_count) &&
              offsetof(ArticleRec, TotalChars) == offsetof(PostingRecord, total_chars) &&
              offsetof(ArticleRec, QuotedChars) == offsetof(PostingRecord, quoted_chars) &&
              offsetof(ArticleRec, OwnChars) == offsetof(PostingRecord, own_chars) &&
              offsetof(ArticleRec, Rank) == offsetof(PostingRecord, long_title));
constexpr std::size_t kPaddingAt = offsetof(PostingRecord, padding);

struct TitleRef {
  std::uint64_t offset;  // among the title bytes
  std::uint32_t size;
  std::uint32_t posting;
};
static_assert(sizeof(TitleRef) == 16);

template <typename T>
T CopyOut(const char* bytes) {
  T value;
  std::memcpy(&value, bytes, sizeof value);
  return value;
}

template <typename T>
void Append(std::string& out, const T& value) {
  out.append(reinterpret_cast<const char*>(&value), sizeof value);
}

bool HeadMatches(const Header& header, const LogCacheKey& key) {
  return std::memcmp(header.magic, kMagic, sizeof kMagic) == 0 &&
         header.format_version == kFormatVersion && header.byte_order == kByteOrderMark &&
         header.device == key.device && header.inode == key.inode && header.size == key.size &&
         header.mtime_ns == key.mtime_ns && header.content == key.content &&
         header.reading == key.reading;
}

// A date-time that reading a log can give: years 1 to 9999.
bool PossibleDateTime(DateTime value) {
  static const DateTime first = *EncodeDateTime({1, 1, 1, 0, 0, 0});
  static const DateTime last = *EncodeDateTime({9999, 12, 31, 23, 59, 59});
  return std::isfinite(value) && value >= first && value <= last;
}

}  // namespace

std::size_t CachedLogHeadSize() { return sizeof(Header); }

std::string CachedLogEntry::Joined() const {
  std::string bytes;
  for (const std::string_view piece : pieces()) bytes.append(piece);
  return bytes;
}

void PutInEntryForm(ArticleRec& posting, std::uint32_t long_title) {
  posting.Rank = static_cast<std::int32_t>(long_title);
  std::memset(reinterpret_cast<char*>(&posting) + kPaddingAt, 0, sizeof PostingRecord::padding);
}

CachedLogEntry EncodeCachedLog(const LogCacheKey& key, const CachedLogFacts& facts,
                               std::span<const ArticleRec> postings,
                               std::span<const LongTitle> long_titles) {
  Header header{};
  std::memcpy(header.magic, kMagic, sizeof kMagic);
  header.format_version = kFormatVersion;
  header.byte_order = kByteOrderMark;
  header.device = key.device;
  header.inode = key.inode;
  header.size = key.size;
  header.mtime_ns = key.mtime_ns;
  header.content = key.content;
  header.reading = key.reading;
  header.postings = postings.size();
  header.long_titles = long_titles.size();
  for (const LongTitle& title : long_titles) header.title_bytes += title.second.size();
  header.lines = facts.lines;
  header.stray_headers = facts.stray_headers;
  header.unmapped = facts.conversion.unmapped;
  header.converted = facts.conversion.converted ? 1 : 0;

  CachedLogEntry entry;
  entry.records_ = {reinterpret_cast<const char*>(postings.data()), postings.size_bytes()};
  entry.titles_.reserve(long_titles.size() * sizeof(TitleRef) + header.title_bytes);
  std::uint64_t offset = 0;
  for (const LongTitle& title : long_titles) {
    Append(entry.titles_, TitleRef{offset, static_cast<std::uint32_t>(title.second.size()), title.first});
    offset += title.second.size();
  }
  for (const LongTitle& title : long_titles) entry.titles_.append(title.second);
  // The checksum runs on over the pieces, as over the entry's bytes joined.
  Append(entry.header_, header);
  BytesHash checksum;
  checksum.Add(std::string_view(entry.header_).substr(kChecksummedFrom));
  checksum.Add(entry.records_);
  checksum.Add(entry.titles_);
  header.checksum = checksum.Finish();
  std::memcpy(entry.header_.data(), &header, sizeof header);
  return entry;
}

bool CachedLogHeadMatches(std::string_view head, const LogCacheKey& key) {
  return head.size() >= sizeof(Header) && HeadMatches(CopyOut<Header>(head.data()), key);
}

std::optional<CachedLogView> CachedLogView::Open(std::string_view bytes, const LogCacheKey& key) {
  if (!CachedLogHeadMatches(bytes, key)) return std::nullopt;
  const Header header = CopyOut<Header>(bytes.data());
  const std::string_view body = bytes.substr(sizeof(Header));
  // Each count on its own first, so that the sizes below cannot overflow.
  if (header.postings > body.size() / sizeof(PostingRecord) ||
      header.long_titles > body.size() / sizeof(TitleRef) || header.title_bytes > body.size())
    return std::nullopt;
  const std::size_t records = header.postings * sizeof(PostingRecord);
  const std::size_t refs = header.long_titles * sizeof(TitleRef);
  if (records + refs + header.title_bytes != body.size()) return std::nullopt;
  if (HashBytes(bytes.substr(kChecksummedFrom)) != header.checksum) return std::nullopt;
  // What one log of this size can have given.
  if (header.lines > header.size + 1 || header.postings > header.lines ||
      header.stray_headers > header.lines || header.unmapped > header.size ||
      header.converted > 1 || header.long_titles > header.postings)
    return std::nullopt;
  CachedLogView view;
  view.facts_.lines = header.lines;
  view.facts_.stray_headers = header.stray_headers;
  view.facts_.conversion.converted = header.converted == 1;
  view.facts_.conversion.unmapped = header.unmapped;
  view.count_ = header.postings;
  view.records_ = body.substr(0, records);
  view.title_refs_ = body.substr(records, refs);
  view.title_bytes_ = body.substr(records + refs);
  return view;
}

bool CachedLogView::AppendPostings(std::vector<ArticleRec>& out,
                                   std::vector<LongTitle>& long_titles) const {
  const std::size_t out_before = out.size();
  const std::size_t titles_before = long_titles.size();
  const std::size_t title_count = title_refs_.size() / sizeof(TitleRef);
  auto refuse = [&] {
    out.resize(out_before);
    long_titles.resize(titles_before);
    return false;
  };
  out.reserve(out_before + count_);
  std::size_t next_title = 0;
  for (std::size_t i = 0; i < count_; ++i) {
    const auto record = CopyOut<PostingRecord>(records_.data() + i * sizeof(PostingRecord));
    if (record.id_size > sizeof record.id || record.handle_size > sizeof record.handle ||
        record.title_size > sizeof record.title || !PossibleDateTime(record.posted_at))
      return refuse();
    ArticleRec& posting = out.emplace_back();
    posting.PostedAt = record.posted_at;
    posting.Number = record.number;
    posting.Room = record.room;
    posting.CommentTo = record.comment_to;
    posting.CommentCount = record.comment_count;
    posting.TotalChars = record.total_chars;
    posting.QuotedChars = record.quoted_chars;
    posting.OwnChars = record.own_chars;
    posting.Id.assign({record.id, record.id_size});
    posting.Handle.assign({record.handle, record.handle_size});
    posting.Title.assign({record.title, record.title_size});
    if (record.long_title == 0) continue;
    // Each long title once, in the order of the postings, starting with
    // the title its record holds.
    if (record.long_title != next_title + 1 || next_title >= title_count) return refuse();
    const auto ref = CopyOut<TitleRef>(title_refs_.data() + next_title * sizeof(TitleRef));
    if (ref.posting != i || ref.offset > title_bytes_.size() ||
        ref.size > title_bytes_.size() - ref.offset || ref.size <= posting.Title.kCapacity)
      return refuse();
    const std::string_view title = title_bytes_.substr(ref.offset, ref.size);
    if (title.substr(0, posting.Title.size()) != posting.Title.view()) return refuse();
    long_titles.emplace_back(static_cast<std::uint32_t>(i), title);
    ++next_title;
  }
  if (next_title != title_count) return refuse();
  return true;
}

}  // namespace tobrel

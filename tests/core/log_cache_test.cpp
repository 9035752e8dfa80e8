// The cache of parsed logs below the reading run: an entry's bytes loaded
// back as they were made, every kind of unsound entry refused, the key of a
// log that changed, and the folder's entries dropped least recently used
// first, written through temporary files, cleared of its own files only.
#include <gtest/gtest.h>

#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>

#include <cmath>
#include <cstring>
#include <filesystem>
#include <fstream>
#include <new>
#include <thread>

#include "core/log_cache.h"
#include "core/log_cache_file.h"
#include "core/log_cache_hash.h"
#include "core/log_cache_key.h"
#include "support/temp_folder.h"

namespace tobrel {
namespace {

namespace fs = std::filesystem;

LogCacheKey SomeKey() { return {11, 22, 3000, 123456789012345, 0xABCDEF, 0x1234}; }

std::vector<ArticleRec> SomePostings() {
  std::vector<ArticleRec> postings(3);
  for (int i = 0; i < 3; ++i) {
    ArticleRec& p = postings[i];
    p.Number = 100 + i;
    p.Id = "ABC0000" + std::to_string(i);
    p.Handle = "handle" + std::to_string(i);
    p.Title = std::string(41, static_cast<char>('a' + i));
    p.Room = i;
    p.PostedAt = 36000.5 + i;
    p.CommentTo = i == 1 ? 100 : 0;
    p.CommentCount = i;
    p.OwnChars = 10 * i;
    p.QuotedChars = i;
    p.TotalChars = 11 * i;
  }
  postings[0].Title = "short";
  return postings;
}

const std::string kLongTitle = std::string(41, 'b') + "...and on";

std::string SomeEntry() {
  std::vector<ArticleRec> postings = SomePostings();
  for (std::size_t i = 0; i < postings.size(); ++i) PutInEntryForm(postings[i], i == 1 ? 1 : 0);
  const LongTitle long_titles[] = {{1, kLongTitle}};
  CachedLogFacts facts;
  facts.lines = 40;
  facts.stray_headers = 2;
  facts.conversion = {true, 3};
  return EncodeCachedLog(SomeKey(), facts, postings, long_titles).Joined();
}

// Sets the checksum again after a change, as an entry made so would have.
void Rechecksum(std::string& entry) {
  const std::uint64_t sum = HashBytes(std::string_view(entry).substr(16));
  std::memcpy(entry.data() + 8, &sum, sizeof sum);
}

TEST(LogCacheFile, AnEntryLoadsBackAsItWasMade) {
  const std::string entry = SomeEntry();
  const auto view = CachedLogView::Open(entry, SomeKey());
  ASSERT_TRUE(view);
  EXPECT_EQ(view->facts().lines, 40u);
  EXPECT_EQ(view->facts().stray_headers, 2u);
  EXPECT_TRUE(view->facts().conversion.converted);
  EXPECT_EQ(view->facts().conversion.unmapped, 3u);
  std::vector<ArticleRec> postings(1);  // appended after what is there
  std::vector<LongTitle> long_titles;
  ASSERT_TRUE(view->AppendPostings(postings, long_titles));
  const std::vector<ArticleRec> expected = SomePostings();
  ASSERT_EQ(postings.size(), 4u);
  for (std::size_t i = 0; i < expected.size(); ++i) {
    const ArticleRec& a = postings[i + 1];
    const ArticleRec& b = expected[i];
    EXPECT_TRUE(a.Number == b.Number && a.Id == b.Id && a.Handle == b.Handle &&
                a.Title == b.Title && a.Room == b.Room && a.PostedAt == b.PostedAt &&
                a.CommentTo == b.CommentTo && a.CommentCount == b.CommentCount &&
                a.TotalChars == b.TotalChars && a.QuotedChars == b.QuotedChars &&
                a.OwnChars == b.OwnChars && a.Rank == 0)
        << i;
  }
  ASSERT_EQ(long_titles.size(), 1u);
  EXPECT_EQ(long_titles[0].first, 1u);
  EXPECT_EQ(long_titles[0].second, kLongTitle);
}

TEST(LogCacheFile, AnEntryHoldsNoBytesButWhatItsPostingsSay) {
  // Alike postings made in memory that held other bytes make alike entries:
  // the bytes between their fields are not written as they were.
  const ArticleRec model = SomePostings()[1];
  std::vector<std::string> entries;
  for (const unsigned char before : {0x00, 0xA5}) {
    alignas(ArticleRec) unsigned char memory[sizeof(ArticleRec)];
    std::memset(memory, before, sizeof memory);
    ArticleRec* posting = new (memory) ArticleRec;
    posting->Number = model.Number;
    posting->Id = model.Id.view();
    posting->Handle = model.Handle.view();
    posting->Title = model.Title.view();
    posting->Room = model.Room;
    posting->PostedAt = model.PostedAt;
    posting->Rank = 7;  // a rank is not kept
    PutInEntryForm(*posting, 0);
    entries.push_back(EncodeCachedLog(SomeKey(), {}, {posting, 1}, {}).Joined());
  }
  EXPECT_EQ(entries[0], entries[1]);
}

TEST(LogCacheHash, PiecesHashAsTheirBytesJoined) {
  std::string bytes(200, '\0');
  for (std::size_t i = 0; i < bytes.size(); ++i) bytes[i] = static_cast<char>(i * 37 + 1);
  const std::string_view all(bytes);
  for (const std::size_t size : {0, 7, 31, 32, 33, 95, 200}) {
    const std::uint64_t whole = HashBytes(all.substr(0, size), 5);
    for (const std::size_t cut : {0, 1, 8, 31, 32, 40, 64}) {
      if (cut > size) continue;
      BytesHash pieces(5);
      pieces.Add(all.substr(0, cut));
      pieces.Add(all.substr(cut, (size - cut) / 2));
      pieces.Add(all.substr(cut + (size - cut) / 2, size - cut - (size - cut) / 2));
      EXPECT_EQ(pieces.Finish(), whole) << size << " cut at " << cut;
    }
  }
}

TEST(LogCacheFile, UnsoundEntriesAreRefused) {
  const std::string good = SomeEntry();
  constexpr std::size_t kHeader = 128, kRecord = 112;
  struct Case {
    const char* name;
    void (*spoil)(std::string&);
    bool rechecksum;  // spoiled as a writer would have, checksum and all
  };
  const Case cases[] = {
      {"empty", [](std::string& e) { e.clear(); }, false},
      {"header cut", [](std::string& e) { e.resize(100); }, false},
      {"last byte cut", [](std::string& e) { e.pop_back(); }, false},
      {"a byte more", [](std::string& e) { e.push_back('x'); }, false},
      {"foreign magic", [](std::string& e) { e[0] = 'X'; }, false},
      {"future version", [](std::string& e) { e[16] = 3; }, true},
      {"other byte order", [](std::string& e) { std::swap(e[20], e[23]); }, true},
      {"payload byte flipped", [](std::string& e) { e[kHeader + 5] ^= 1; }, false},
      {"header count flipped", [](std::string& e) { e[kHeader - 20] ^= 1; }, false},
      {"more postings than bytes",
       [](std::string& e) {
         const std::uint64_t count = std::uint64_t{1} << 61;
         std::memcpy(e.data() + 72, &count, sizeof count);
       },
       true},
      {"more lines than the log has bytes",
       [](std::string& e) {
         const std::uint64_t lines = 3002;
         std::memcpy(e.data() + 96, &lines, sizeof lines);
       },
       true},
      {"field size past its room", [](std::string& e) { e[kHeader + 4] = 10; }, true},
      {"date not a number",
       [](std::string& e) {
         const double nan = std::nan("");
         std::memcpy(e.data() + kHeader + 80, &nan, sizeof nan);
       },
       true},
      {"long title out of the bytes",
       [](std::string& e) { e[kHeader + 3 * kRecord] = 100; }, true},
      {"long title of another posting",
       [](std::string& e) { e[kHeader + 3 * kRecord + 12] = 2; }, true},
      {"long title not beginning with the record's",
       [](std::string& e) { e[e.size() - 1 - 9] = 'z'; }, true},
  };
  for (const Case& c : cases) {
    std::string entry = good;
    c.spoil(entry);
    if (c.rechecksum) Rechecksum(entry);
    const auto view = CachedLogView::Open(entry, SomeKey());
    std::vector<ArticleRec> postings;
    std::vector<LongTitle> long_titles;
    EXPECT_FALSE(view && view->AppendPostings(postings, long_titles)) << c.name;
    EXPECT_TRUE(postings.empty() && long_titles.empty()) << c.name;
  }
  // Made for another log, or another reading of it.
  for (int field = 0; field < 6; ++field) {
    LogCacheKey key = SomeKey();
    std::uint64_t* fields[] = {&key.device, &key.inode, &key.size, nullptr, &key.content,
                               &key.reading};
    if (fields[field]) ++*fields[field]; else ++key.mtime_ns;
    EXPECT_FALSE(CachedLogView::Open(good, key)) << field;
  }
  EXPECT_TRUE(CachedLogView::Open(good, SomeKey()));
}

void SetModificationTime(const std::string& path, const struct stat& st) {
  const struct timespec times[2] = {st.st_atim, st.st_mtim};
  ASSERT_EQ(::utimensat(AT_FDCWD, path.c_str(), times, 0), 0);
}

TEST(LogCacheKey, TellsAChangedLogEvenWithItsSizeAndTimeRestored) {
  testing::TempFolder folder("tobrel-cache-key");
  const std::string log(300 * 1024, 'x');
  const std::string path = folder.Write("log", log);
  const auto key = LogCacheKeyOf(path, 7);
  ASSERT_TRUE(key);
  EXPECT_EQ(LogCacheKeyOf(path, 7), key);
  EXPECT_NE(LogCacheKeyOf(path, 8), key);
  struct stat st;
  ASSERT_EQ(::stat(path.c_str(), &st), 0);
  // A byte changed near either end, in place: same inode, size and time.
  for (const std::size_t at : {std::size_t{10}, log.size() - 10}) {
    std::string changed = log;
    changed[at] = 'y';
    folder.Write("log", changed);
    SetModificationTime(path, st);
    EXPECT_NE(LogCacheKeyOf(path, 7), key) << at;
  }
  // Only regular files have keys.
  EXPECT_FALSE(LogCacheKeyOf(folder.path().string(), 7));
  const std::string fifo = (folder.path() / "fifo").string();
  ASSERT_EQ(::mkfifo(fifo.c_str(), 0600), 0);
  EXPECT_FALSE(LogCacheKeyOf(fifo, 7));
  EXPECT_FALSE(LogCacheKeyOf((folder.path() / "missing").string(), 7));
}

TEST(LogCacheFolder, KeepsEntriesUnderItsCapDroppingTheLeastRecentlyUsed) {
  testing::TempFolder temp("tobrel-cache-folder");
  const fs::path folder = temp.path() / "cache" / "tobrel";  // made when first written
  std::string bytes(1000, 'e');
  bytes[100] = 'f';  // where the second piece starts
  LogCacheKey keys[3] = {SomeKey(), SomeKey(), SomeKey()};
  for (int i = 0; i < 3; ++i) {
    keys[i].inode = 100 + i;
    const std::string_view pieces[] = {std::string_view(bytes).substr(0, 100), "",
                                       std::string_view(bytes).substr(100)};
    ASSERT_TRUE(WriteLogCacheEntry(folder, keys[i], pieces));
    // Used one after the other, oldest first.
    fs::last_write_time(LogCacheEntryPath(folder, keys[i]),
                        fs::file_time_type::clock::now() - std::chrono::minutes(10 - i));
  }
  EXPECT_EQ(SummarizeLogCache(folder).entries, 3u);
  EXPECT_EQ(SummarizeLogCache(folder).bytes, 3000u);
  // Reading the oldest makes it the most recently used.
  EXPECT_EQ(ReadLogCacheEntry(folder, keys[0])->view(), bytes);
  TrimLogCache(folder, 2000);
  EXPECT_TRUE(fs::exists(LogCacheEntryPath(folder, keys[0])));
  EXPECT_FALSE(fs::exists(LogCacheEntryPath(folder, keys[1])));
  EXPECT_TRUE(fs::exists(LogCacheEntryPath(folder, keys[2])));
  EXPECT_FALSE(ReadLogCacheEntry(folder, keys[1]));
  // No temporary file is left; clearing leaves other files alone.
  temp.Write("cache/tobrel/notes.txt", "mine");
  std::size_t files = 0;
  for (const auto& entry : fs::directory_iterator(folder)) files += entry.is_regular_file();
  EXPECT_EQ(files, 3u);
  EXPECT_EQ(ClearLogCache(folder), 2u);
  EXPECT_EQ(SummarizeLogCache(folder).entries, 0u);
  EXPECT_TRUE(fs::exists(folder / "notes.txt"));
}

TEST(LogCacheFolder, AFolderThatCannotBeMadeOrReadIsNoError) {
  testing::TempFolder temp("tobrel-cache-unwritable");
  const fs::path under_a_file = fs::path(temp.Write("file", "x")) / "tobrel";
  const std::string_view pieces[] = {"bytes"};
  EXPECT_FALSE(WriteLogCacheEntry(under_a_file, SomeKey(), pieces));
  EXPECT_FALSE(ReadLogCacheEntry(under_a_file, SomeKey()));
  EXPECT_FALSE(HasLogCacheEntry(under_a_file, SomeKey()));
  TrimLogCache(under_a_file, 0);
  EXPECT_EQ(SummarizeLogCache(under_a_file).entries, 0u);
  EXPECT_EQ(ClearLogCache(under_a_file), 0u);
  // An entry that is no regular file is not read.
  const fs::path folder = temp.path() / "cache";
  fs::create_directories(LogCacheEntryPath(folder, SomeKey()));
  EXPECT_FALSE(ReadLogCacheEntry(folder, SomeKey()));
}

}  // namespace
}  // namespace tobrel

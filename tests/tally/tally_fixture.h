// Test helpers for the tallies: postings built from readable values, and
// whole reports compared with reviewed golden files (CP932, CR LF) under
// tests/data/tally. Setting TOBREL_WRITE_GOLDEN=1 writes the files instead,
// for review before they are committed.
#pragma once

#include <gtest/gtest.h>

#include <cstdlib>
#include <fstream>
#include <sstream>
#include <string>
#include <string_view>

#include "core/article_rec.h"
#include "core/log_store.h"
#include "platform/date_time.h"
#include "tally/report_text.h"
#include "tests/support/sjis.h"

namespace tobrel::testing {

// A date-time from "yyyy/mm/dd hh:nn".
inline DateTime At(std::string_view text) {
  const auto value = ParseDateTime(text, 2000);
  EXPECT_TRUE(value) << text;
  return value.value_or(0);
}

// A posting; handle and title are UTF-8 and stored as CP932.
inline ArticleRec Posting(int room, int number, std::string_view id, std::string_view handle,
                          std::string_view posted_at, int chars,
                          std::string_view title = "title") {
  ArticleRec posting;
  posting.Room = room;
  posting.Number = number;
  posting.Id = id;
  posting.Handle = S(handle);
  posting.Title = S(title);
  posting.PostedAt = At(posted_at);
  posting.TotalChars = chars;
  posting.OwnChars = chars;
  return posting;
}

// A posting with `quoted` of its characters quoted, commenting on number
// `comment_to` (0: none).
inline ArticleRec QuotingPosting(int room, int number, std::string_view id,
                                 std::string_view handle, std::string_view posted_at, int chars,
                                 int quoted, int comment_to, std::string_view title) {
  ArticleRec posting = Posting(room, number, id, handle, posted_at, chars, title);
  posting.QuotedChars = quoted;
  posting.OwnChars = chars - quoted;
  posting.CommentTo = comment_to;
  return posting;
}

// 120 posters, tied in pairs from rank 99 on, so that ranks 99 and 101 are
// shared. Poster 0's first posting has number 0, outside the range, which
// ties it with poster 1 at rank 1.
inline LogStore ManyPosters() {
  LogStore store;
  for (int poster = 0; poster < 120; ++poster) {
    const int count = poster < 98 ? 300 - poster : 300 - 98 - (poster - 98) / 2;
    const std::string id = "ABC" + std::to_string(10000 + poster);
    const std::string handle =
        poster % 7 == 3 ? "ハンドル" + std::to_string(poster) : "poster" + std::to_string(poster);
    for (int i = 0; i < count; ++i) {
      store.Postings.push_back(
          Posting(1, poster * 300 % 65000 + i, id, handle, "1998/01/01 10:00", poster + i % 5));
    }
  }
  return store;
}

inline std::string JoinLines(const ReportText& report) {
  std::string text;
  for (const std::string& line : report) text += line + "\r\n";
  return text;
}

// Compares `actual` with the golden file `relative_path` of the test data
// (TOBREL_WRITE_GOLDEN=1 writes it instead). CP932 text is shown in UTF-8
// when it differs.
inline void ExpectGoldenFile(const std::string& actual, const std::string& relative_path,
                             bool cp932_text) {
  const std::string path = std::string(TOBREL_TEST_DATA) + "/" + relative_path;
  if (const char* write = std::getenv("TOBREL_WRITE_GOLDEN"); write && *write == '1') {
    std::ofstream(path, std::ios::binary) << actual;
    return;
  }
  std::ifstream file(path, std::ios::binary);
  ASSERT_TRUE(file) << "missing golden file " << path;
  std::ostringstream expected;
  expected << file.rdbuf();
  if (cp932_text) {
    EXPECT_EQ(cp932::ToUtf8(actual), cp932::ToUtf8(expected.str())) << relative_path;
  }
  EXPECT_EQ(actual, expected.str()) << relative_path << " differs in its bytes";
}

// Compares `actual` with the golden file tally/`name`.
inline void ExpectTextGolden(const std::string& actual, const std::string& name,
                             bool cp932_text = true) {
  ExpectGoldenFile(actual, "tally/" + name, cp932_text);
}

// Compares the report with the golden file tally/`name`.
inline void ExpectGolden(const ReportText& report, const std::string& name) {
  ExpectTextGolden(JoinLines(report), name);
}

}  // namespace tobrel::testing

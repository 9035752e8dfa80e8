// A small store for the chart tests: three rooms over two months, a gap in
// the numbers of rooms 1 and 2, quotations, comments, and a handle made of
// the characters that markup must escape.
#pragma once

#include "core/log_store.h"
#include "tests/tally/tally_fixture.h"

namespace tobrel::testing {

inline LogStore ChartStore() {
  LogStore store;
  auto add = [&store](auto... fields) { store.Postings.push_back(QuotingPosting(fields...)); };
  add(1, 1, "ABC00001", "たろう", "1998/11/02 09:15", 120, 0, 0, "はじめまして");
  add(1, 2, "DEF00002", "<&>\"'", "1998/11/02 21:40", 300, 60, 1, "Re:はじめまして");
  add(1, 3, "GHI00003", "はなこ", "1998/11/03 09:05", 80, 20, 1, "質問です");
  add(1, 5, "ABC00001", "たろう", "1998/12/05 23:59", 45, 0, 2, "Re:Re:");
  add(1, 6, "DEF00002", "<&>\"'", "1998/12/06 00:10", 500, 0, 0, "長い話");
  add(2, 1, "GHI00003", "はなこ", "1998/12/07 13:00", 80, 40, 0, "別室");
  add(2, 2, "JKL00004", "ｻﾌﾞﾛｳ", "1998/12/07 13:30", 200, 10, 1, "Re:別室");
  add(2, 4, "DEF00002", "<&>\"'", "1998/12/08 18:00", 90, 0, 0, "雑談");
  add(3, 1, "JKL00004", "ｻﾌﾞﾛｳ", "1998/12/09 07:45", 150, 30, 0, "三番目");
  add(3, 2, "ABC00001", "たろう", "1998/12/09 08:00", 60, 15, 1, "Re:三番目");
  return store;
}

// 120 posters with one posting each in 1998/01, their characters all
// different (so that ranks by characters run past 100), and the first 15
// with a second posting in 1997/12: rankings with a rest, a compact
// listing, and more posters than the monthly lines follow.
inline LogStore ManySmallPosters() {
  LogStore store;
  for (int poster = 0; poster < 120; ++poster) {
    const std::string id = "ABC" + std::to_string(10000 + poster);
    const std::string handle = "poster" + std::to_string(poster);
    store.Postings.push_back(
        Posting(1, poster + 1, id, handle, "1998/01/05 10:00", 1000 - poster));
    if (poster < 15)
      store.Postings.push_back(
          Posting(2, poster + 1, id, handle, "1997/12/20 21:00", 10 + poster));
  }
  return store;
}

}  // namespace tobrel::testing

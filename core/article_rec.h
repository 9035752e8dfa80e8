// The records of the posting store: one stored posting (ArticleRec) and one
// posting left out of the tallies (ExcludedRec), with the tests that the
// reports make on them.
#pragma once

#include <cstdint>
#include <string_view>

#include "core/short_string.h"
#include "platform/date_time.h"

namespace tobrel {

// The ID printed for a posting that the forum operator deleted.
inline constexpr std::string_view kSysopDeletedId = "********";

struct ArticleRec {
  std::int32_t Number = 0;      // posting number within its room
  ShortString<9> Id;            // member ID, or "********"
  ShortString<17> Handle;       // handle without trailing blanks
  ShortString<41> Title;        // title, cut after byte 41
  std::int32_t Room = 0;        // conference room number
  DateTime PostedAt = 0;        // minute precision
  std::int32_t CommentTo = 0;   // posting commented on, 0 if none
  std::int32_t CommentCount = 0;
  std::int32_t TotalChars = 0;  // OwnChars + QuotedChars
  std::int32_t QuotedChars = 0;
  std::int32_t OwnChars = 0;
  std::int32_t Rank = 0;        // given by the comment ranking
};

enum class ExclusionReason : std::int32_t { ById = 0, ByTitle = 1, Duplicate = 2 };

struct ExcludedRec {
  ExclusionReason Reason = ExclusionReason::ById;
  std::int32_t Room = 0;
  std::int32_t Number = 0;
  ShortString<8> Id;
  ShortString<16> Handle;
  ShortString<40> Title;
};

// True when the forum operator deleted the posting (its ID is masked).
bool IsSysopDeleted(const ArticleRec& posting);
// True when the poster deleted the posting (the title starts with "発言者削除").
bool IsPosterDeleted(const ArticleRec& posting);
// True exactly for a member ID: three letters A-Z then five digits 0-9.
bool IsNiftyIdText(std::string_view text);

}  // namespace tobrel

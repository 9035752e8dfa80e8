// The list of posting titles of one conference room, in one of two forms.
#pragma once

#include <cstdint>
#include <span>

#include "core/article_rec.h"
#include "tally/report_text.h"
#include "tally/target_test.h"

namespace tobrel {

// The items of the title list's form.
enum class TitleListForm {
  TitleList = 0,   // "ﾀｲﾄﾙ一覧表示形式": number, date, ID, handle, title
  RtCommand = 1,   // "ＲＴｺﾏﾝﾄﾞ形式": number, ID, date-time, comment target and count, title
};

// Appends the heading lines and one line per posting of `room_postings` (one
// room's postings in list order) that lies in the target range.
void WriteTitleList(std::span<const ArticleRec> room_postings, std::int32_t room,
                    TitleListForm form, const TargetTest& target, ReportText& report);

}  // namespace tobrel

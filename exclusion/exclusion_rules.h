// The exclusion and same-person rules of one program run, owned by the main
// window: the master switch, the three rule switches of the settings dialog,
// the title mode and text, the title matcher LineMatcher2, and the two ID
// lists in force. Only the master switch and the title text outlive the run
// (the settings file keeps them).
#pragma once

#include <string>
#include <vector>

#include "regex/line_matcher.h"

namespace tobrel {

enum class TitleMode {
  Regex = 0,   // "正規表現": LineMatcher2 finds a match in the title
  Prefix = 1,  // "前方一致": the title starts with the text and is longer
};

struct ExclusionRules {
  bool master = false;        // "集計から除外する発言を設定する(&Q)"
  bool id_rule = false;       // "集計対象から除外するﾕｰｻﾞｰID(&I)"
  std::vector<std::string> ExcludedIds;  // member IDs, sorted ignoring case
  bool title_rule = false;    // "集計対象から除外するﾀｲﾄﾙ(&T)"
  TitleMode title_mode = TitleMode::Regex;
  std::string title_text;     // the dialog's title field (CP932)
  TLineMatcher LineMatcher2;  // the title pattern; set only when the dialog closes with OK
  bool same_id_rule = false;  // "集計時に同一視するIDの設定(&S)"
  // 17 bytes each: main ID, a separator byte, alias ID; sorted ignoring case.
  std::vector<std::string> SameIdPairs;
};

}  // namespace tobrel

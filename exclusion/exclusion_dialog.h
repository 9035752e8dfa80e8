// What the exclusion settings dialog does, without its window: the working
// copies of the two ID lists it edits, the ID list editor's round through
// them, and how OK and Cancel put them and the title pattern into force.
//
//   ExclusionDialogSession session(rules);          // on opening
//   ... session.AcceptExcludedIdEditor(lines) ...   // editor closed with OK
//   CloseExclusionDialog(rules, session, fields, /*ok=*/true);
#pragma once

#include <string>
#include <string_view>
#include <vector>

#include "exclusion/exclusion_rules.h"
#include "platform/failure.h"

namespace tobrel {

// The caption and text-area hint the ID list editor gets for each list.
struct IdEditorTexts {
  std::string caption;
  std::string hint;
};
const IdEditorTexts& ExcludedIdEditorTexts();  // "除外ＩＤの設定"
const IdEditorTexts& SameIdEditorTexts();      // "同一視IDの設定"

// The dialog's controls as the user left them.
struct ExclusionDialogFields {
  bool id_rule = false;
  bool title_rule = false;
  TitleMode title_mode = TitleMode::Regex;
  std::string title_text;
  bool same_id_rule = false;
};

class ExclusionDialogSession {
 public:
  // Opening: both lists are copied, and the stored title text is
  // remembered as the title at opening.
  explicit ExclusionDialogSession(const ExclusionRules& rules);

  const std::vector<std::string>& excluded_ids() const { return excluded_ids_; }
  const std::vector<std::string>& same_id_pairs() const { return same_id_pairs_; }
  const std::string& title_at_opening() const { return title_at_opening_; }

  // The editor closed with OK holding `lines`: the working copy becomes the
  // checked, sorted list. When a line fails, throws Failure of kind
  // BadIdList with line() the first bad line and message() the text to
  // show (after a beep, before showing the editor again), and the working
  // copy stays as it was.
  void AcceptExcludedIdEditor(const std::vector<std::string_view>& lines);
  void AcceptSameIdEditor(const std::vector<std::string_view>& lines);

 private:
  std::vector<std::string> excluded_ids_;
  std::vector<std::string> same_id_pairs_;
  std::string title_at_opening_;
};

// Closing the dialog. With `ok`, each list whose switch is on takes its
// working copy, and in regex mode with the title rule on, LineMatcher2 takes
// the title text; for an invalid pattern the pattern of the title at
// opening goes back in (the empty pattern if that one fails too). Either
// way the switches, the mode and the title text become the rules' own;
// after that, an invalid pattern throws Failure of kind BadPattern whose
// message() is "正規表現が不正です" (to show after a beep).
void CloseExclusionDialog(ExclusionRules& rules, const ExclusionDialogSession& session,
                          const ExclusionDialogFields& fields, bool ok);

}  // namespace tobrel

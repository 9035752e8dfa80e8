#include "exclusion/exclusion_dialog.h"

#include "exclusion/id_list.h"
#include "platform/cp932.h"
#include "regex/regex_error.h"

namespace tobrel {

const IdEditorTexts& ExcludedIdEditorTexts() {
  static const IdEditorTexts texts{cp932::FromUtf8("除外ＩＤの設定"),
                                   cp932::FromUtf8("ログの読み込み時に集計から除外するIDを1行に一つ記載")};
  return texts;
}

const IdEditorTexts& SameIdEditorTexts() {
  static const IdEditorTexts texts{cp932::FromUtf8("同一視IDの設定"),
                                   cp932::FromUtf8("集計時に同一視するIDの設定：<主ID>,<同一視ID>")};
  return texts;
}

ExclusionDialogSession::ExclusionDialogSession(const ExclusionRules& rules)
    : excluded_ids_(rules.ExcludedIds),
      same_id_pairs_(rules.SameIdPairs),
      title_at_opening_(rules.title_text) {}

void ExclusionDialogSession::AcceptExcludedIdEditor(const std::vector<std::string_view>& lines) {
  IdListCheck check = CheckExcludedIdLines(lines);
  if (!check.accepted())
    throw Failure(FailureKind::BadIdList, NotNiftyIdMessage(), {}, *check.bad_line);
  excluded_ids_ = std::move(check.entries);
}

void ExclusionDialogSession::AcceptSameIdEditor(const std::vector<std::string_view>& lines) {
  IdListCheck check = CheckSameIdLines(lines);
  if (!check.accepted())
    throw Failure(FailureKind::BadIdList, DuplicateOrNotNiftyIdMessage(), {}, *check.bad_line);
  same_id_pairs_ = std::move(check.entries);
}

void CloseExclusionDialog(ExclusionRules& rules, const ExclusionDialogSession& session,
                          const ExclusionDialogFields& fields, bool ok) {
  bool invalid_pattern = false;
  if (ok) {
    if (fields.id_rule) rules.ExcludedIds = session.excluded_ids();
    if (fields.same_id_rule) rules.SameIdPairs = session.same_id_pairs();
    if (fields.title_rule && fields.title_mode == TitleMode::Regex) {
      try {
        rules.LineMatcher2.SetRegExp(fields.title_text);
      } catch (const ERegexSyntax&) {
        invalid_pattern = true;
        try {
          rules.LineMatcher2.SetRegExp(session.title_at_opening());
        } catch (const ERegexSyntax&) {
          // The failed SetRegExp left the empty pattern in force.
        }
      }
    }
  }
  rules.id_rule = fields.id_rule;
  rules.title_rule = fields.title_rule;
  rules.title_mode = fields.title_mode;
  rules.title_text = fields.title_text;
  rules.same_id_rule = fields.same_id_rule;
  if (invalid_pattern) throw Failure(FailureKind::BadPattern, std::string(kInvalidPatternMessage));
}

}  // namespace tobrel

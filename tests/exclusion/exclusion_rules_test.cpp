#include <gtest/gtest.h>

#include "core/read_run.h"
#include "exclusion/exclusion_dialog.h"
#include "exclusion/exclusion_test.h"
#include "exclusion/id_list.h"
#include "exclusion/same_id_map.h"
#include "regex/regex_error.h"
#include "support/sjis.h"
#include "support/temp_folder.h"

namespace tobrel {
namespace {

using testing::S;
using Reason = std::optional<ExclusionReason>;

constexpr auto kById = ExclusionReason::ById;
constexpr auto kByTitle = ExclusionReason::ByTitle;

void SetPattern(ExclusionRules& rules, std::string_view pattern) {
  rules.title_rule = true;
  rules.title_mode = TitleMode::Regex;
  rules.LineMatcher2.SetRegExp(pattern);
}

TEST(ExclusionTest, IdRuleIgnoresLetterCase) {
  ExclusionRules rules;
  rules.ExcludedIds = {"ABC00001", "XYZ00009"};
  EXPECT_EQ(MakeExclusionTest(rules)("ABC00001", "t"), std::nullopt);  // rule off
  rules.id_rule = true;
  const ExclusionTest test = MakeExclusionTest(rules);
  const struct {
    std::string_view id;
    Reason reason;
  } cases[] = {
      {"ABC00001", kById}, {"abc00001", kById}, {"xyz00009", kById},
      {"ABC00002", std::nullopt}, {"ABC0000", std::nullopt}, {"ABC000011", std::nullopt},
      {"********", std::nullopt}, {"", std::nullopt},
  };
  for (const auto& c : cases) EXPECT_EQ(test(c.id, "t"), c.reason) << c.id;
}

TEST(ExclusionTest, TitleRuleInPrefixMode) {
  ExclusionRules rules;
  rules.title_rule = true;
  rules.title_mode = TitleMode::Prefix;
  rules.title_text = "Re:";
  const ExclusionTest test = MakeExclusionTest(rules);
  const struct {
    std::string_view title;
    Reason reason;
  } cases[] = {
      {"Re:abc", kByTitle},
      {"re:abc", std::nullopt},  // case counts
      {"Re:", std::nullopt},     // not longer than the text
      {"Re", std::nullopt},
      {"xRe:abc", std::nullopt},
  };
  for (const auto& c : cases) EXPECT_EQ(test("ABC00001", c.title), c.reason) << c.title;
  // The text is read at the time of each test; an empty one excludes every
  // non-empty title.
  rules.title_text.clear();
  EXPECT_EQ(test("ABC00001", "x"), kByTitle);
  EXPECT_EQ(test("ABC00001", ""), std::nullopt);
}

TEST(ExclusionTest, TitleRuleInRegexModeAndTitleWinsOverId) {
  ExclusionRules rules;
  SetPattern(rules, S("^＞|お知らせ"));
  rules.id_rule = true;
  rules.ExcludedIds = {"ABC00001"};
  const ExclusionTest test = MakeExclusionTest(rules);
  EXPECT_EQ(test("XYZ00001", S("＞＞まとめ")), kByTitle);
  EXPECT_EQ(test("XYZ00001", S("オフ会のお知らせ")), kByTitle);
  EXPECT_EQ(test("XYZ00001", S("まとめ＞")), std::nullopt);
  EXPECT_EQ(test("ABC00001", S("お知らせ")), kByTitle);  // both hold: the title
  EXPECT_EQ(test("ABC00001", "x"), kById);
  SetPattern(rules, "");  // the empty pattern matches every title
  EXPECT_EQ(test("XYZ00001", ""), kByTitle);
}

std::string Posting(int number, const char* id, const char* title) {
  char head[64];
  std::snprintf(head, sizeof head, "%05d/%05d %s  ", number, number, id);
  return S(std::string(head) + "ハンドル         " + title +
           "\r\n( 5)   97/05/12 23:45\r\n本文\r\n \b\r\n");
}

TEST(ExclusionTest, TheReadingRunStoresExcludedPostingsOnlyUnderTheMasterSwitch) {
  testing::TempFolder folder("tobrel-exclusion-read");
  ExclusionRules rules;
  rules.id_rule = true;
  rules.ExcludedIds = {"ABC00001"};
  SetPattern(rules, "^Re:");
  ReadRunInputs inputs;
  // The last posting of the file is tested like every other one.
  inputs.candidates = {{folder.Write("a.log", Posting(1, "ABC00001", "Re:x") +
                                                  Posting(2, "ABC00002", "keep") +
                                                  Posting(3, "ABC00001", "mine")),
                        true}};
  FixedClock clock(*EncodeDateTime({2026, 12, 10, 0, 0, 0}));
  ReadRunObserver observer;

  LogStore off;
  ApplyExclusionRules(rules, inputs);  // master switch off: nothing left out
  ASSERT_FALSE(ReadLogFiles(off, inputs, clock, observer).stopped_by);
  EXPECT_EQ(off.Postings.size(), 3u);
  EXPECT_TRUE(off.Excluded.empty());

  rules.master = true;
  ApplyExclusionRules(rules, inputs);
  LogStore on;
  ASSERT_FALSE(ReadLogFiles(on, inputs, clock, observer).stopped_by);
  ASSERT_EQ(on.Postings.size(), 1u);
  EXPECT_EQ(on.Postings[0].Number, 2);
  ASSERT_EQ(on.Excluded.size(), 2u);
  EXPECT_EQ(on.Excluded[0].Reason, kByTitle);
  EXPECT_EQ(on.Excluded[0].Number, 1);
  EXPECT_EQ(on.Excluded[0].Room, 5);
  EXPECT_EQ(on.Excluded[0].Id, "ABC00001");
  EXPECT_EQ(on.Excluded[0].Handle, S("ハンドル"));
  EXPECT_EQ(on.Excluded[0].Title, "Re:x");
  EXPECT_EQ(on.Excluded[1].Reason, kById);
  EXPECT_EQ(on.Excluded[1].Number, 3);
}

TEST(MapSameId, MapsAliasesOneStepWithLetterCaseCounting) {
  const MapSameIdFn map =
      MakeMapSameId({"ABC00001,ABC00002", "ABC00001,ABC00003", "XYZ00001,ABC00003"});
  const struct {
    std::string_view id, mapped;
  } cases[] = {
      {"ABC00002", "ABC00001"},
      {"ABC00003", "ABC00001"},  // the first entry in list order wins
      {"abc00002", "abc00002"},  // case counts
      {"ABC00001", "ABC00001"},
      {"XYZ00001", "XYZ00001"},
      {"", ""},
  };
  for (const auto& c : cases) EXPECT_EQ(map(c.id), c.mapped) << c.id;
  EXPECT_EQ(MakeMapSameId({"ABC00001,ABC00002", "ABC00002,ABC00003"})("ABC00003"), "ABC00002");
  // Hand-made entries: short aliases, a short main, many entries.
  const MapSameIdFn odd = MakeMapSameId({"ABC00001,AB", "XYZ99999,ABC00009", "ABC00002,AB", "short"});
  EXPECT_EQ(odd("AB"), "ABC00001");
  EXPECT_EQ(odd("ABC00009"), "XYZ99999");
  EXPECT_EQ(odd("ABC0000"), "ABC0000");
  EXPECT_EQ(odd(""), "short");  // no alias bytes at all
  std::vector<std::string> many;
  for (int i = 0; i < 5000; ++i) {
    char pair[32];
    std::snprintf(pair, sizeof pair, "MAN%05d,ALI%05d", i, i);
    many.emplace_back(pair);
  }
  const MapSameIdFn big = MakeMapSameId(many);
  for (int i = 0; i < 5000; i += 7) {
    char alias[16], main[16];
    std::snprintf(alias, sizeof alias, "ALI%05d", i);
    std::snprintf(main, sizeof main, "MAN%05d", i);
    ASSERT_EQ(big(alias), main);
    ASSERT_EQ(big(main), main);
  }
}

TEST(MapSameId, OnlyWithBothSwitchesOn) {
  ExclusionRules rules;
  rules.SameIdPairs = {"ABC00001,ABC00002"};
  EXPECT_FALSE(MapSameIdOf(rules, true));  // same-person switch off
  rules.same_id_rule = true;
  EXPECT_FALSE(MapSameIdOf(rules, false));  // exclusion switch off
  rules.master = true;  // the last reading run's switch is not what counts
  EXPECT_FALSE(MapSameIdOf(rules, false));
  ASSERT_TRUE(MapSameIdOf(rules, true));
  EXPECT_EQ(MapSameIdOf(rules, true)("ABC00002"), "ABC00001");
}

// The message of the Failure that `step` throws, or nothing when it throws none.
template <typename Step>
std::optional<std::string> Refusal(Step step) {
  try {
    step();
  } catch (const Failure& failure) {
    return failure.message();
  }
  return std::nullopt;
}

ExclusionDialogFields Fields(bool id_rule, bool title_rule, std::string title, bool same) {
  ExclusionDialogFields fields;
  fields.id_rule = id_rule;
  fields.title_rule = title_rule;
  fields.title_text = std::move(title);
  fields.same_id_rule = same;
  return fields;
}

TEST(ExclusionDialog, WorkingCopiesComeIntoForceOnOkForSwitchesThatAreOn) {
  ExclusionRules rules;
  rules.ExcludedIds = {"OLD00001"};
  rules.SameIdPairs = {"OLD00001,OLD00002"};
  {
    ExclusionDialogSession session(rules);
    EXPECT_EQ(Refusal([&] { session.AcceptExcludedIdEditor({"abc00001"}); }), NotNiftyIdMessage());
    EXPECT_EQ(session.excluded_ids(), rules.ExcludedIds);  // a refused editor changes nothing
    EXPECT_FALSE(Refusal([&] { session.AcceptExcludedIdEditor({"XYZ00001 x", "ABC00001"}); }));
    EXPECT_EQ(session.excluded_ids(), (std::vector<std::string>{"ABC00001", "XYZ00001"}));
    EXPECT_TRUE(Refusal([&] { session.AcceptSameIdEditor({"ABC00001,ABC00001"}); }));
    EXPECT_FALSE(Refusal([&] { session.AcceptSameIdEditor({"ABC00001,ABC00002"}); }));
    // Cancel drops both copies but keeps what the controls hold.
    EXPECT_FALSE(Refusal([&] {
        CloseExclusionDialog(rules, session, Fields(true, false, "t", true), false);
      }));
    EXPECT_EQ(rules.ExcludedIds, std::vector<std::string>{"OLD00001"});
    EXPECT_TRUE(rules.id_rule && rules.same_id_rule);
    EXPECT_EQ(rules.title_text, "t");
  }
  {
    ExclusionDialogSession session(rules);
    ASSERT_FALSE(Refusal([&] { session.AcceptExcludedIdEditor({"ABC00001"}); }));
    ASSERT_FALSE(Refusal([&] { session.AcceptSameIdEditor({"ABC00001,ABC00002"}); }));
    // The same-person switch is off: its list in force stays.
    EXPECT_FALSE(Refusal([&] {
        CloseExclusionDialog(rules, session, Fields(true, false, "t", false), true);
      }));
    EXPECT_EQ(rules.ExcludedIds, std::vector<std::string>{"ABC00001"});
    EXPECT_EQ(rules.SameIdPairs, std::vector<std::string>{"OLD00001,OLD00002"});
  }
}

TEST(ExclusionDialog, AnInvalidTitlePatternBringsBackThePatternAtOpening) {
  ExclusionRules rules;
  rules.title_text = "^Re:";
  {
    ExclusionDialogSession session(rules);
    EXPECT_FALSE(Refusal([&] {
        CloseExclusionDialog(rules, session, Fields(false, true, "^Re:", false), true);
      }));
  }
  ExclusionDialogSession session(rules);
  EXPECT_EQ(session.title_at_opening(), "^Re:");
  const auto message = Refusal([&] {
      CloseExclusionDialog(rules, session, Fields(false, true, "(", false), true);
    });
  EXPECT_EQ(message, std::string(kInvalidPatternMessage));
  EXPECT_EQ(rules.title_text, "(");  // the invalid text is still what the field keeps
  EXPECT_TRUE(rules.LineMatcher2.IsMatch("Re:x"));
  EXPECT_FALSE(rules.LineMatcher2.IsMatch("x"));

  // When the title at opening is invalid too, the empty pattern stays.
  ExclusionDialogSession again(rules);
  EXPECT_TRUE(Refusal([&] {
      CloseExclusionDialog(rules, again, Fields(false, true, "[", false), true);
    }));
  EXPECT_TRUE(rules.LineMatcher2.IsMatch("x"));
  // In prefix mode no pattern is set.
  ExclusionDialogFields prefix = Fields(false, true, "(", false);
  prefix.title_mode = TitleMode::Prefix;
  EXPECT_FALSE(Refusal([&] { CloseExclusionDialog(rules, again, prefix, true); }));
  EXPECT_EQ(rules.title_mode, TitleMode::Prefix);
}

}  // namespace
}  // namespace tobrel

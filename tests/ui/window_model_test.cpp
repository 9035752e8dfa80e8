// The plain models of the main window: the selectable-file list, the search
// in the result and the external editor's file.
#include <gtest/gtest.h>

#include "support/sjis.h"
#include "ui/models/candidate_list.h"
#include "ui/models/result_search.h"

namespace tobrel {
namespace {

using testing::S;

TEST(CandidateList, AddsEachPathOnceIgnoringCaseUnchecked) {
  CandidateList list;
  EXPECT_TRUE(list.Add("/logs/a.LOG"));
  EXPECT_FALSE(list.Add("/LOGS/A.log"));
  EXPECT_TRUE(list.Add("/logs/b.log"));
  ASSERT_EQ(list.Count(), 2);
  EXPECT_FALSE(list.Entries()[0].checked);
}

TEST(CandidateList, SortKeepsEveryEntryOnceAndMarksStayWithRows) {
  CandidateList list;
  for (const char* path : {"c.log", "B.log", "a.log"}) list.Add(path);
  list.SetChecked(0, true);
  list.Sort();
  ASSERT_EQ(list.Count(), 3);
  EXPECT_EQ(list.Entries()[0].path, "a.log");
  EXPECT_EQ(list.Entries()[1].path, "B.log");
  EXPECT_EQ(list.Entries()[2].path, "c.log");
  EXPECT_TRUE(list.Entries()[0].checked);
  EXPECT_FALSE(list.Entries()[2].checked);
}

TEST(CandidateList, RemoveOutOfRangeAndChecks) {
  CandidateList list;
  list.Add("a");
  list.Add("b");
  list.Remove(-1);
  list.Remove(5);
  EXPECT_EQ(list.Count(), 2);
  list.CheckAll(true);
  list.SetChecked(1, false);
  list.InvertAll();
  EXPECT_FALSE(list.Entries()[0].checked);
  EXPECT_TRUE(list.Entries()[1].checked);
  list.Remove(0);
  EXPECT_EQ(list.Entries()[0].path, "b");
}

TEST(CandidateList, LabelTexts) {
  EXPECT_EQ(FilesLabelText(0), "  0 Files");
  EXPECT_EQ(FilesLabelText(12), " 12 Files");
  EXPECT_EQ(ArticlesLabelText(345), S("   345 Article 読込み済み"));
}

struct FindCase {
  const char* name;
  std::string text;
  std::string needle;
  std::int64_t from;
  bool match_case;
  std::int64_t expected;
};

TEST(FindInResult, Cases) {
  const FindCase cases[] = {
      {"plain", "abc abc\r\n", "abc", 0, true, 0},
      {"after the selection", "abc abc\r\n", "abc", 3, true, 4},
      {"last occurrence passed", "abc abc\r\n", "abc", 5, true, -1},
      {"case folded", "xx ABC\r\n", "abc", 0, false, 3},
      {"case kept", "xx ABC\r\n", "abc", 0, true, -1},
      {"empty needle", "abc", "", 0, true, -1},
      // 0x95 0x5C is one character; a match never starts on its second byte.
      {"second byte", S("表") + "\\", "\\", 0, true, 2},
      {"across lines", "ab\r\ncd\r\n", "b\r\nc", 0, true, 1},
  };
  for (const FindCase& c : cases)
    EXPECT_EQ(FindInResult(c.text, c.needle, c.from, c.match_case), c.expected) << c.name;
}

TEST(EditorFileText, HeaderAndFooterWithLineBreaks) {
  EXPECT_EQ(EditorFileText("Head\\n", {"line1", "line2"}, "Foot", false),
            "Head\r\n\r\nline1\r\nline2\r\nFoot\r\n");
  EXPECT_EQ(EditorFileText("", {"a"}, "", false), "a\r\n");
  // The trail byte 0x5C of a double-byte character is no backslash.
  EXPECT_EQ(EditorFileText(S("表") + "n", {}, "", false), S("表") + "n\r\n");
  EXPECT_EQ(EditorFileText(S("見出し"), {S("本文")}, "", true), "見出し\n本文\n");
}

}  // namespace
}  // namespace tobrel

#include "exclusion/excluded_list.h"

#include <gtest/gtest.h>

#include "support/sjis.h"

namespace tobrel {
namespace {

using testing::S;

ExcludedRec Rec(ExclusionReason reason, int room, int number, std::string_view id,
                std::string_view handle = "h", std::string_view title = "t") {
  ExcludedRec r;
  r.Reason = reason;
  r.Room = room;
  r.Number = number;
  r.Id = id;
  r.Handle = handle;
  r.Title = title;
  return r;
}

std::vector<std::string> Numbers(const std::vector<ExcludedRow>& rows) {
  std::vector<std::string> numbers;
  for (const ExcludedRow& row : rows) numbers.push_back(row.cells[0] + "/" + row.cells[1]);
  return numbers;
}

TEST(ExcludedList, RowsAndTheirInitialOrder) {
  const std::vector<ExcludedRec> excluded = {
      Rec(ExclusionReason::ByTitle, 10, 2, "ABC00001", S("たろう"), S("Re:題")),
      Rec(ExclusionReason::Duplicate, 2, 30, "abc00002"),
      Rec(ExclusionReason::ById, 2, 4, "XYZ00001"),
      Rec(static_cast<ExclusionReason>(7), 2, 30, "ABC00003"),
  };
  const std::vector<ExcludedRow> rows = InitialExcludedList(excluded);
  EXPECT_EQ(Numbers(rows), (std::vector<std::string>{"2/4", "2/30", "2/30", "10/2"}));
  EXPECT_EQ(rows[3].cells, (std::array<std::string, 6>{"10", "2", S("ﾀｲﾄﾙ"), "ABC00001",
                                                        S("たろう"), S("Re:題")}));
  EXPECT_EQ(rows[0].cells[2], "ID");
  EXPECT_EQ(rows[1].cells[2], S("重複"));
  EXPECT_EQ(rows[2].cells[2], "");  // unknown reason
  EXPECT_EQ(Numbers(InitialExcludedList(excluded, true)),
            (std::vector<std::string>{"10/2", "2/30", "2/30", "2/4"}));
  EXPECT_EQ(ExcludedCountLabel(4), S("除外発言：4 件"));
  EXPECT_EQ(ExcludedListColumns()[5].heading, S("題名"));
}

TEST(ExcludedList, SortsByAnyColumnIgnoringCase) {
  std::vector<ExcludedRow> rows = ExcludedListRows({
      Rec(ExclusionReason::ById, 1, 1, "abc00002"),
      Rec(ExclusionReason::ById, 1, 2, "ABC00003"),
      Rec(ExclusionReason::ById, 1, 3, "ABC00001"),
      Rec(ExclusionReason::ById, 1, 4, "abc00001"),
  });
  SortExcludedRows(rows, 3, false);
  EXPECT_EQ(Numbers(rows), (std::vector<std::string>{"1/3", "1/4", "1/1", "1/2"}));
  SortExcludedRows(rows, 3, true);  // equal keys keep their order
  EXPECT_EQ(Numbers(rows), (std::vector<std::string>{"1/2", "1/1", "1/3", "1/4"}));
  SortExcludedRows(rows, 1, false);
  EXPECT_EQ(Numbers(rows), (std::vector<std::string>{"1/1", "1/2", "1/3", "1/4"}));
}

}  // namespace
}  // namespace tobrel

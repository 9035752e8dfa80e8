#include "exclusion/excluded_list.h"

#include <gtest/gtest.h>

#include "support/excluded_posting.h"
#include "support/sjis.h"

namespace tobrel {
namespace {

using testing::ExcludedPosting;
using testing::S;

std::vector<std::string> Numbers(const std::vector<ExcludedRow>& rows) {
  std::vector<std::string> numbers;
  for (const ExcludedRow& row : rows) numbers.push_back(row.cells[0] + "/" + row.cells[1]);
  return numbers;
}

TEST(ExcludedList, RowsAndTheirInitialOrder) {
  const std::vector<ExcludedRec> excluded = {
      ExcludedPosting(ExclusionReason::ByTitle, 10, 2, "ABC00001", "たろう", "Re:題"),
      ExcludedPosting(ExclusionReason::Duplicate, 2, 30, "abc00002"),
      ExcludedPosting(ExclusionReason::ById, 2, 4, "XYZ00001"),
      ExcludedPosting(static_cast<ExclusionReason>(7), 2, 30, "ABC00003"),
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
      ExcludedPosting(ExclusionReason::ById, 1, 1, "abc00002"),
      ExcludedPosting(ExclusionReason::ById, 1, 2, "ABC00003"),
      ExcludedPosting(ExclusionReason::ById, 1, 3, "ABC00001"),
      ExcludedPosting(ExclusionReason::ById, 1, 4, "abc00001"),
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

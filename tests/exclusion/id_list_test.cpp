#include "exclusion/id_list.h"

#include <gtest/gtest.h>

#include <fstream>

#include "core/log_lines.h"
#include "exclusion/id_list_file.h"
#include "support/temp_folder.h"

namespace tobrel {
namespace {

using Lines = std::vector<std::string_view>;
using Entries = std::vector<std::string>;

TEST(IdList, ExcludedIdsCheck) {
  const struct {
    Lines lines;
    std::optional<std::size_t> bad_line;
    Entries entries;
  } cases[] = {
      {{}, std::nullopt, {}},  // an editor without lines passes
      {{"ABC00002", "ABC00001 owner", "XYZ99999"}, std::nullopt,
       {"ABC00001", "ABC00002", "XYZ99999"}},  // text after 8 bytes dropped, sorted
      {{"ABC00001", "ABC00001"}, std::nullopt, {"ABC00001", "ABC00001"}},  // duplicates stay
      {{"ABC00001", ""}, 2, {}},         // an empty line fails
      {{"abc00001"}, 1, {}},             // lower case is not an ID
      {{"ABC0001"}, 1, {}},              // too short
      {{"AB100001"}, 1, {}},
      {{"********"}, 1, {}},
      {{"\x82\xa0" "C00001"}, 1, {}},    // full-width bytes
  };
  for (const auto& c : cases) {
    const IdListCheck check = CheckExcludedIdLines(c.lines);
    EXPECT_EQ(check.bad_line, c.bad_line) << ::testing::PrintToString(c.lines);
    EXPECT_EQ(check.entries, c.entries) << ::testing::PrintToString(c.lines);
  }
}

TEST(IdList, SameIdPairsCheck) {
  const struct {
    Lines lines;
    std::optional<std::size_t> bad_line;
  } cases[] = {
      {{}, std::nullopt},
      {{"ABC00001,ABC00002", "ABC00001,ABC00003"}, std::nullopt},  // one main, two aliases
      {{"ABC00001 ABC00002 comment"}, std::nullopt},                // any separator byte
      {{"ABC00001,ABC00002", "ABC00001,ABC00003", "ABC00002,ABC00004"}, 1},  // an alias is a main
      {{"ABC00002,ABC00004", "ABC00001,ABC00002"}, 2},             // ... in either order
      {{"ABC00001,ABC00001"}, 1},                                  // maps to itself
      {{"ABC00001,ABC00002", "ABC00003,ABC00002"}, 2},             // alias listed twice
      {{"ABC00001,abc00002"}, 1},
      {{"ABC00001,ABC0000"}, 1},
      {{"ABC00001"}, 1},
      {{""}, 1},
      {{"ABC00001,ABC00002", "bad"}, 2},
  };
  for (const auto& c : cases)
    EXPECT_EQ(CheckSameIdLines(c.lines).bad_line, c.bad_line) << ::testing::PrintToString(c.lines);

  const IdListCheck check = CheckSameIdLines({"XYZ00001,ABC00009 note", "ABC00001,ABC00002"});
  EXPECT_EQ(check.entries, (Entries{"ABC00001,ABC00002", "XYZ00001,ABC00009"}));
}

TEST(IdList, ListsOfHundredsOfThousandsOfLines) {
  std::vector<std::string> owned;
  for (int i = 0; i < 200000; ++i) {
    char line[32];
    std::snprintf(line, sizeof line, "ABC%05d,XYZ%05d", i % 100000, i % 100000);
    owned.emplace_back(line);
  }
  const Lines lines(owned.begin(), owned.end());
  // Each alias is listed twice: refused at the first repeat.
  EXPECT_EQ(CheckSameIdLines(lines).bad_line, 100001u);
  EXPECT_TRUE(CheckExcludedIdLines(lines).accepted());
}

TEST(IdListFile, ReadsAnyLineEndsAndWritesCrLf) {
  testing::TempFolder folder("tobrel-id-list");
  const struct {
    std::string bytes;
    Entries lines;
  } cases[] = {
      {"ABC00001\r\nABC00002\r\n", {"ABC00001", "ABC00002"}},
      {"ABC00001\nABC00002", {"ABC00001", "ABC00002"}},
      {"ABC00001\rABC00002\r", {"ABC00001", "ABC00002"}},
      {"ABC00001\r\n\r\nABC00002\r\n", {"ABC00001", "", "ABC00002"}},
      {"", {}},
  };
  for (const auto& c : cases)
    EXPECT_EQ(LoadIdListFile(folder.Write("list.LST", c.bytes)), c.lines) << c.bytes;
  EXPECT_THROW(LoadIdListFile(folder.path() / "none.LST"), Failure);

  const std::string long_line(100000, 'A');
  SaveIdListFile(folder.path() / "out.LST", {"ABC00001", long_line, ""});
  std::ifstream in(folder.path() / "out.LST", std::ios::binary);
  const std::string bytes{std::istreambuf_iterator<char>(in), {}};
  EXPECT_EQ(bytes, "ABC00001\r\n" + long_line + "\r\n\r\n");
}

TEST(IdListFile, DocumentKeepsItsCurrentFile) {
  testing::TempFolder folder("tobrel-id-document");
  const std::string opened = folder.Write("a.LST", "ABC00001\r\n");
  IdListDocument document;
  EXPECT_FALSE(document.current_file());
  document.Open(opened);
  EXPECT_EQ(document.lines(), Entries{"ABC00001"});
  document.SetLines({"XYZ00001"});
  document.SaveAs(folder.path() / "b.LST");  // the current file stays
  EXPECT_EQ(document.current_file(), std::filesystem::path(opened));
  EXPECT_EQ(document.files().saved, folder.path() / "b.LST");
  document.New();  // empties the text, keeps the file
  EXPECT_TRUE(document.lines().empty());
  EXPECT_EQ(document.current_file(), std::filesystem::path(opened));
  EXPECT_THROW(document.Open(folder.path() / "none.LST"), Failure);
  EXPECT_EQ(document.current_file(), std::filesystem::path(opened));
  const IdListFiles files = document.files();
  document.ForgetFile();  // both dialogs' names go
  EXPECT_EQ(document.files(), IdListFiles{});
  document.SetFiles(files);
  EXPECT_EQ(document.current_file(), std::filesystem::path(opened));
  EXPECT_EQ(LoadIdListFile(folder.path() / "b.LST"), Entries{"XYZ00001"});
}

TEST(IdListFile, EditorTextAsLines) {
  const struct {
    std::string_view text;
    Entries lines;
  } cases[] = {
      {"", {}},
      {"\n", {""}},
      {"ABC00001", {"ABC00001"}},
      {"ABC00001\n", {"ABC00001"}},  // a final line end starts no line
      {"ABC00001\n\n", {"ABC00001", ""}},
      {"ABC00001\r\nABC00002\rABC00003\nABC00004", {"ABC00001", "ABC00002", "ABC00003", "ABC00004"}},
      {"\r\n\r\n", {"", ""}},
  };
  for (const auto& c : cases) {
    EXPECT_EQ(IdListTextLines(c.text), c.lines) << ::testing::PrintToString(c.text);
    EXPECT_EQ(IdListTextLines(IdListText(c.lines)), c.lines) << ::testing::PrintToString(c.text);
  }
}

}  // namespace
}  // namespace tobrel

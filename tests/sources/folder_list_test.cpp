#include <gtest/gtest.h>

#include <cstdlib>

#include "platform/wine_paths.h"
#include "sources/folder_list_model.h"
#include "sources/selection_text.h"
#include "support/sjis.h"
#include "support/wine_prefix.h"

namespace tobrel {
namespace {

std::vector<std::string> Names(const std::vector<FileRow>& rows) {
  std::vector<std::string> names;
  for (const FileRow& row : rows) names.push_back(row.name);
  return names;
}

class FolderListTest : public ::testing::Test {
 protected:
  FolderListTest() {
    folder_.Write("b.LOG", std::string(999, 'x'));
    folder_.Write("a.log", std::string(1000, 'x'));
    folder_.Write("C.txt", std::string(1234567, 'x'));
    folder_.Write("notes", "");
    folder_.Write(".hidden.log", "x");
    folder_.Write("sub.log/inner.log", "x");  // a folder is never listed
    folder_.SetTime("b.LOG", 2001, 2, 3, 4, 5, 6);
    folder_.SetTime("a.log", 1999, 12, 31, 23, 59, 59);
    folder_.SetTime("C.txt", 2000, 1, 1, 0, 0, 0);
    folder_.SetTime("notes", 1990, 1, 1, 0, 0, 0);
    folder_.SetTime(".hidden.log", 2010, 1, 1, 0, 0, 0);
  }
  std::string Folder() const { return folder_.Native("") ; }

  testing::WinePrefixBuilder folder_{"tobrel-folder-list-test"};
};

TEST_F(FolderListTest, ListsByMask) {
  static const struct {
    const char* mask;
    std::vector<std::string> names;
  } cases[] = {
      {"*.LOG", {".hidden.log", "a.log", "b.LOG"}},
      {"*.LOG;*.TXT", {".hidden.log", "a.log", "b.LOG", "C.txt"}},
      // A file matched by two patterns is listed once.
      {"*.LOG;*.*", {".hidden.log", "a.log", "b.LOG", "C.txt", "notes"}},
      {"*.*;*.log;A.LOG", {".hidden.log", "a.log", "b.LOG", "C.txt", "notes"}},
      {"*.DAT", {}},
      {"", {}},
      {";", {}},
  };
  for (const auto& c : cases) EXPECT_EQ(Names(ListFolderFiles(Folder(), c.mask)), c.names) << c.mask;
  EXPECT_TRUE(ListFolderFiles(Folder() + "nosuch/", "*.*").empty());

  const std::vector<FileRow> rows = ListFolderFiles(Folder(), "*.LOG;*.TXT");
  EXPECT_EQ(rows[1].size_text, "1,000");
  EXPECT_EQ(rows[1].time_text, "1999/12/31 23:59:59");
  EXPECT_EQ(rows[3].size_text, "1,234,567");
}

TEST_F(FolderListTest, ListsTwoFilesWhoseNamesFoldAlike) {
  folder_.Write("A.LOG", "other");
  EXPECT_EQ(Names(ListFolderFiles(Folder(), "*.LOG;*.*;a.log")),
            (std::vector<std::string>{".hidden.log", "A.LOG", "a.log", "b.LOG", "C.txt", "notes"}));
}

TEST_F(FolderListTest, ModelSortsSelectsAndAddsMasks) {
  FolderListModel model({{"*.TXT;notes", "", "*.NEVER"}});
  EXPECT_EQ(model.masks(), (std::vector<std::string>{"*.TXT;notes", "*.LOG;*.TXT", "*.LOG",
                                                     "*.TXT", "*.*"}));
  model.Show(Folder());
  EXPECT_TRUE(model.showing());
  EXPECT_EQ(Names(model.rows()), (std::vector<std::string>{"C.txt", "notes"}));

  model.ChooseMask(2);  // *.LOG
  EXPECT_EQ(Names(model.rows()), (std::vector<std::string>{".hidden.log", "a.log", "b.LOG"}));

  // The first click on a column sorts it in descending order, the next ascending.
  static const struct {
    FileColumn column;
    std::vector<std::string> names;
  } clicks[] = {
      {FileColumn::Size, {"a.log", "b.LOG", ".hidden.log"}},  // 1,000 after 999
      {FileColumn::Size, {".hidden.log", "b.LOG", "a.log"}},
      {FileColumn::Time, {".hidden.log", "b.LOG", "a.log"}},
      {FileColumn::Time, {"a.log", "b.LOG", ".hidden.log"}},
      {FileColumn::Name, {"b.LOG", "a.log", ".hidden.log"}},
  };
  for (const auto& click : clicks) {
    model.ClickColumn(click.column);
    EXPECT_EQ(Names(model.rows()), click.names);
  }
  EXPECT_EQ(model.sort_counter(FileColumn::Size), 2);

  // A new listing keeps the name column's order.
  model.ChooseMask(4);
  EXPECT_EQ(Names(model.rows()).front(), "notes");

  // Selection in list order; deselecting keeps it.
  model.SelectRows({2, 0});
  EXPECT_EQ(model.selected_files(), Folder() + "notes;" + Folder() + "b.LOG");
  model.SelectRows({});
  EXPECT_EQ(model.SelectedPaths(),
            (std::vector<std::string>{Folder() + "notes", Folder() + "b.LOG"}));
  EXPECT_EQ(model.NewLastLogFolder(), Folder());

  // Adding: an empty answer changes nothing, a known mask (letter case
  // ignored) is chosen, a new one is added and chosen.
  model.AddMask("");
  EXPECT_EQ(model.mask_index(), 4u);
  model.AddMask("*.log");
  EXPECT_EQ(model.mask_index(), 2u);
  EXPECT_EQ(model.masks().size(), 5u);
  model.AddMask("?.LOG");
  EXPECT_EQ(model.mask_index(), 5u);
  EXPECT_EQ(model.masks().back(), "?.LOG");
  EXPECT_EQ(Names(model.rows()), (std::vector<std::string>{"b.LOG", "a.log"}));

  // Showing again: first mask, ascending, no selection; added masks remain.
  model.Hide();
  model.ChangeFolder(Folder() + "sub.log");
  EXPECT_EQ(Names(model.rows()), (std::vector<std::string>{"b.LOG", "a.log"}));
  model.Show(Folder());
  EXPECT_EQ(model.mask_index(), 0u);
  EXPECT_EQ(model.masks().size(), 6u);
  EXPECT_EQ(model.sort_counter(FileColumn::Name), 0);
  EXPECT_EQ(Names(model.rows()), (std::vector<std::string>{"C.txt", "notes"}));
  // OK without any selection hands over nothing and empties LastLogFolder.
  EXPECT_TRUE(model.SelectedPaths().empty());
  EXPECT_EQ(model.NewLastLogFolder(), "");
  // While showing, a folder change lists the new folder.
  model.ChooseMask(2);
  model.ChangeFolder(Folder() + "sub.log");
  EXPECT_EQ(Names(model.rows()), (std::vector<std::string>{"inner.log"}));
}

TEST_F(FolderListTest, StartFolderAndDrives) {
  EXPECT_EQ(StartFolder(Folder()), Folder());
  EXPECT_EQ(StartFolder(Folder() + "nosuch"), HomeFolder().string());
  EXPECT_EQ(StartFolder(""), HomeFolder().string());
  EXPECT_EQ(StartFolder(Folder() + "notes"), HomeFolder().string());

  const std::vector<std::string> drives = DriveFolders(folder_.path());
  ASSERT_GE(drives.size(), 3u);
  EXPECT_EQ(drives[0], "/");
  EXPECT_EQ(drives[1], HomeFolder().string());
  EXPECT_EQ(drives.back(), std::filesystem::canonical(folder_.path() / "drive_c").string());
}

TEST(SelectionText, JoinSplitAndFolder) {
  EXPECT_EQ(JoinSelection({}), "");
  EXPECT_EQ(JoinSelection({"/a/b.log"}), "/a/b.log");
  EXPECT_EQ(JoinSelection({"/a/b.log", "/c.log"}), "/a/b.log;/c.log");
  EXPECT_EQ(SplitSelection(";"), (std::vector<std::string>{"", ""}));
  EXPECT_EQ(FolderOfPath("/a/b.log"), "/a/");
  EXPECT_EQ(FolderOfPath("b.log"), "");
  EXPECT_EQ(FolderOfPath(""), "");
}

}  // namespace
}  // namespace tobrel

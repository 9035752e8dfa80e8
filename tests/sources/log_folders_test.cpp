#include <gtest/gtest.h>

#include "sources/ac_log_model.h"
#include "sources/forum_folders.h"
#include "sources/install_search.h"
#include "sources/room_files.h"
#include "support/aircraft_prefix.h"

namespace tobrel {
namespace {

using testing::S;

std::vector<std::string> Columns(const std::vector<ForumRow>& rows) {
  std::vector<std::string> lines;
  for (const ForumRow& row : rows) lines.push_back(row.go_word + "|" + row.name + "|" + row.folder);
  return lines;
}

std::vector<std::string> Columns(const std::vector<RoomFileRow>& rows) {
  std::vector<std::string> lines;
  for (const RoomFileRow& row : rows)
    lines.push_back(row.file_name + "|" + row.room_name + "|" + row.update_text);
  return lines;
}

class LogFoldersTest : public ::testing::Test {
 protected:
  LogFoldersTest() { testing::BuildAircraftInstall(prefix_); }

  std::string Install() const { return prefix_.Native("drive_c/AC97/"); }
  std::string LogRoot() const { return prefix_.Native("drive_c/AC97/Log/"); }

  testing::WinePrefixBuilder prefix_{"tobrel-log-folders-test"};
};

TEST_F(LogFoldersTest, ListsForums) {
  // Named from FLIST.DAT and sorted; PATIO rows keep their folder name.
  EXPECT_EQ(Columns(ScanForumFolders(LogRoot(), Install())),
            (std::vector<std::string>{
                S("FGAL|ギャラリー（FGAL）|FGAL"),
                S("FPC|ＦＰＣ会議室フォーラム (FPC) |Fpc"),
                S("FTRAVEL|旅の広場 FTRAVEL |Ftravel"),
                "PATIO|Garden|Patio/Garden",
            }));
  // Without FLIST.DAT: no names, in the folder's order.
  EXPECT_EQ(Columns(ScanForumFolders(LogRoot(), prefix_.Native("drive_c"))),
            (std::vector<std::string>{"FGAL||FGAL", "FPC||Fpc", "FTRAVEL||Ftravel",
                                      "PATIO|Garden|Patio/Garden"}));
  // No log root, a missing one, one that is a file.
  EXPECT_TRUE(ScanForumFolders("", Install()).empty());
  EXPECT_TRUE(ScanForumFolders(LogRoot() + "nosuch/", Install()).empty());
  EXPECT_TRUE(ScanForumFolders(LogRoot() + "NOTES/", Install()).empty());
}

TEST(ForumNameFromLine, BelongsAndName) {
  static const struct {
    const char* line;  // UTF-8
    const char* go_word;
    const char* name;  // nullptr: the line does not belong
  } cases[] = {
      {"パソコン FPC nifty:FPC", "FPC", "パソコン FPC "},
      {"  パソコン FPC Nifty:FPC  ", "FPC", "パソコン FPC "},
      {"パソコン(FPC)", "FPC", "パソコン(FPC)"},
      {"パソコン（FPC）", "FPC", "パソコン（FPC）"},
      {"パソコン nifty:x Nifty:y FPC ", "FPC", "パソコン "},
      {"FPCX パソコン", "FPC", nullptr},
      {"FPCX FPC パソコン", "FPC", "FPCX FPC パソコン"},
      {"パソコン FPC", "FPC", nullptr},
      {"fpc パソコン", "FPC", nullptr},
      {"", "FPC", nullptr},
  };
  for (const auto& c : cases) {
    const auto name = ForumNameFromLine(S(c.line), c.go_word);
    if (c.name)
      EXPECT_EQ(name, std::optional<std::string>(S(c.name))) << c.line;
    else
      EXPECT_FALSE(name) << c.line;
  }
}

TEST_F(LogFoldersTest, ListsRoomFilesInBothOrders) {
  const std::vector<std::string> ascending = {
      S("Mes_03.LOG|雑談室|97-05-12 23:45"),
      S("Mes_05.LOG|質問室|98-01-02 03:04"),
      S("Mes_10.LOG|お知らせ|01-12-31 00:00"),
      S("ar_00002.log|過去ログ２|96-07-08 09:10"),
      S("ar_00010.LOG|過去ログ１０|96-11-30 12:59"),
  };
  const std::vector<std::string> descending = {ascending[2], ascending[1], ascending[0],
                                               ascending[4], ascending[3]};
  EXPECT_EQ(Columns(ListRoomFiles(LogRoot() + "Fpc/", RoomOrder::Ascending)), ascending);
  EXPECT_EQ(Columns(ListRoomFiles(LogRoot() + "Fpc/", RoomOrder::Descending)), descending);

  std::vector<RoomFileRow> rows = ListRoomFiles(LogRoot() + "Fpc/", RoomOrder::Ascending);
  SortRoomFiles(rows, RoomOrder::Descending);
  EXPECT_EQ(Columns(rows), descending);

  // Without index files the names stay empty; a missing folder lists nothing.
  const auto travel = ListRoomFiles(LogRoot() + "Ftravel/", RoomOrder::Ascending);
  ASSERT_EQ(travel.size(), 1u);
  EXPECT_EQ(travel[0].file_name, "mes_01.log");
  EXPECT_EQ(travel[0].room_name, "");
  EXPECT_TRUE(ListRoomFiles(LogRoot() + "nosuch/", RoomOrder::Ascending).empty());
}

RoomFileRow Row(std::string name) {
  RoomFileRow row;
  row.file_name = std::move(name);
  return row;
}

TEST(CompareRoomFiles, RoomLogsFirstInBothOrders) {
  const RoomFileRow mes = Row("MES_02.LOG"), mes_lower = Row("mes_10.log"),
                    ar = Row("AR_00001.LOG"), ar_lower = Row("ar_00002.log");
  for (const RoomOrder order : {RoomOrder::Ascending, RoomOrder::Descending}) {
    EXPECT_LT(CompareRoomFiles(mes, ar, order), 0);
    EXPECT_LT(CompareRoomFiles(mes_lower, ar, order), 0);
    EXPECT_GT(CompareRoomFiles(ar_lower, mes, order), 0);
  }
  EXPECT_LT(CompareRoomFiles(mes, mes_lower, RoomOrder::Ascending), 0);
  EXPECT_GT(CompareRoomFiles(mes, mes_lower, RoomOrder::Descending), 0);
  EXPECT_LT(CompareRoomFiles(ar, ar_lower, RoomOrder::Ascending), 0);
  EXPECT_EQ(CompareRoomFiles(mes, Row("mes_02.log"), RoomOrder::Descending), 0);
}

class AcLogModelTest : public LogFoldersTest {
 protected:
  AcLogModelTest() {
    testing::RegisterAircraftServer(prefix_);
  }
  std::string Drive(std::string_view rest) const {
    return prefix_.Native("dosdevices/c:") + std::string(rest);
  }
  AcLogModel model_{prefix_.path()};
};

TEST_F(AcLogModelTest, ShowChooseForumAndRooms) {
  EXPECT_FALSE(model_.Show("/personal/"));
  EXPECT_EQ(model_.install_folder(), Drive("/AC97/"));
  EXPECT_EQ(model_.log_root(), Drive("/AC97/Log/"));
  EXPECT_EQ(model_.shared_log_root(), model_.log_root());
  EXPECT_EQ(model_.personal_folder(), "/personal/");
  ASSERT_EQ(model_.forums().size(), 4u);

  model_.ChooseForum(1);  // FPC
  EXPECT_EQ(model_.forum_folder(), "Fpc");
  ASSERT_EQ(model_.room_files().size(), 5u);
  model_.SelectRoomFiles({3, 0});
  const std::string fpc = Drive("/AC97/Log/Fpc/");
  EXPECT_EQ(model_.selection_text(), fpc + "Mes_03.LOG;" + fpc + "ar_00002.log");

  // Deselecting everything keeps the text; OK hands those files over.
  model_.SelectRoomFiles({});
  EXPECT_EQ(model_.SelectedPaths(),
            (std::vector<std::string>{fpc + "Mes_03.LOG", fpc + "ar_00002.log"}));

  // A new order sorts again; selecting in it follows the list order.
  model_.SetOrder(RoomOrder::Descending);
  EXPECT_EQ(model_.room_files()[0].file_name, "Mes_10.LOG");
  model_.SelectRoomFiles({0});
  EXPECT_EQ(model_.selection_text(), fpc + "Mes_10.LOG");

  // A PATIO row lists its PATIO folder.
  model_.ChooseForum(3);
  EXPECT_EQ(model_.forum_folder(), "Patio/Garden");
  EXPECT_EQ(model_.selection_text(), "");
  model_.SelectRoomFiles({0});
  EXPECT_EQ(model_.selection_text(), Drive("/AC97/Log/Patio/Garden/Mes_01.LOG"));

  // A typed selection text: ";" separates, two in a row hand over an empty entry.
  model_.SetSelectionText("/a/one.log;;/b/two.log");
  EXPECT_EQ(model_.SelectedPaths(), (std::vector<std::string>{"/a/one.log", "", "/b/two.log"}));
  model_.SetSelectionText("/a/one.log");
  EXPECT_EQ(model_.SelectedPaths(), (std::vector<std::string>{"/a/one.log"}));
  model_.SetSelectionText("");
  EXPECT_TRUE(model_.SelectedPaths().empty());

  // Showing again starts afresh.
  EXPECT_FALSE(model_.Show(""));
  EXPECT_EQ(model_.order(), RoomOrder::Ascending);
  EXPECT_EQ(model_.forum_folder(), "");
  EXPECT_TRUE(model_.room_files().empty());
}

TEST_F(AcLogModelTest, PersonalFolder) {
  model_.Show("");
  // Missing: the message, back to the shared folder, the lists kept.
  const auto missing = model_.ChooseFolderKind(LogFolderKind::Personal);
  ASSERT_TRUE(missing);
  EXPECT_EQ(missing->text, kPersonalFolderMissingMessage);
  EXPECT_TRUE(missing->beep);
  EXPECT_EQ(model_.folder_kind(), LogFolderKind::Shared);
  EXPECT_EQ(model_.forums().size(), 4u);

  // Typed without a final "/": the paths still get one.
  prefix_.Write("mine/Fmine/Mes_07.LOG", "log");
  model_.SetPersonalFolder(prefix_.Native("mine"));
  EXPECT_FALSE(model_.ChooseFolderKind(LogFolderKind::Personal));
  EXPECT_EQ(model_.log_root(), prefix_.Native("mine/"));
  ASSERT_EQ(model_.forums().size(), 1u);
  model_.ChooseForum(0);
  model_.SelectRoomFiles({0});
  EXPECT_EQ(model_.selection_text(), prefix_.Native("mine/Fmine/Mes_07.LOG"));

  // Back to the shared folder.
  EXPECT_FALSE(model_.ChooseFolderKind(LogFolderKind::Shared));
  EXPECT_EQ(model_.log_root(), Drive("/AC97/Log/"));
  EXPECT_EQ(model_.selection_text(), "");
  EXPECT_EQ(model_.forums().size(), 4u);

  // The browser: a chosen folder ends in "/", a cancelled one empties the field.
  model_.ChoosePersonalFolder(prefix_.Native("mine"));
  EXPECT_EQ(model_.personal_folder(), prefix_.Native("mine/"));
  model_.ChoosePersonalFolder(std::nullopt);
  EXPECT_EQ(model_.personal_folder(), "");
}

TEST_F(AcLogModelTest, InstallFolderByHand) {
  prefix_.Write("user.reg", "WINE REGISTRY Version 2\n");
  EXPECT_FALSE(model_.Show(""));
  EXPECT_EQ(model_.install_folder(), "");
  EXPECT_TRUE(model_.forums().empty());

  // A folder without Global.Dat: the message; the lists stay empty.
  const auto notice = model_.ChooseInstallFolder(prefix_.Native("drive_c"));
  ASSERT_TRUE(notice);
  EXPECT_EQ(notice->text, kGlobalDatMissingMessage);
  EXPECT_TRUE(notice->beep);
  EXPECT_TRUE(model_.forums().empty());

  // The installation: its shared folder is listed and is the one to return to.
  EXPECT_FALSE(model_.ChooseInstallFolder(prefix_.Native("drive_c/AC97")));
  EXPECT_EQ(model_.install_folder(), prefix_.Native("drive_c/AC97/"));
  EXPECT_EQ(model_.forums().size(), 4u);
  EXPECT_EQ(model_.shared_log_root(), model_.log_root());
}

TEST_F(AcLogModelTest, UnreadableInstallerLog) {
  prefix_.Write("user.reg", "WINE REGISTRY Version 2\n");
  prefix_.Write("system.reg",
                "WINE REGISTRY Version 2\n"
                "[Software\\\\Microsoft\\\\Windows\\\\CurrentVersion\\\\Uninstall\\\\AirCraft 97] 1\n"
                "\"UninstallString\"=\"C:\\\\unvise.exe /L C:\\\\AC97\\\\GONE.LOG\"\n");
  const auto notice = model_.Show("");
  ASSERT_TRUE(notice);
  EXPECT_FALSE(notice->beep);
  EXPECT_EQ(model_.install_folder(), "");
  EXPECT_TRUE(model_.forums().empty());
}

}  // namespace
}  // namespace tobrel

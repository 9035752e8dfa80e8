#include <gtest/gtest.h>

#include <cstdlib>
#include <fstream>
#include <sstream>

#include "cli/cli_options.h"
#include "cli/cli_run.h"
#include "support/aircraft_prefix.h"

namespace tobrel {
namespace {

using testing::S;

class AcLogsCliTest : public ::testing::Test {
 protected:
  AcLogsCliTest() {
    testing::BuildAircraftInstall(prefix_);
    testing::RegisterAircraftServer(prefix_);
    const char* saved = std::getenv("WINEPREFIX");
    saved_prefix_ = saved ? std::optional<std::string>(saved) : std::nullopt;
    ::setenv("WINEPREFIX", prefix_.path().c_str(), 1);
  }
  ~AcLogsCliTest() override {
    if (saved_prefix_) ::setenv("WINEPREFIX", saved_prefix_->c_str(), 1);
    else ::unsetenv("WINEPREFIX");
  }

  int Run(std::vector<std::string> arguments) {
    out_.str("");
    err_.str("");
    const CliParse parse = ParseCliArguments(arguments);
    EXPECT_EQ(parse.outcome, CliParse::Outcome::Run) << parse.error;
    return RunCli(parse.options, out_, err_);
  }

  testing::WinePrefixBuilder prefix_{"tobrel-aclogs-cli-test"};
  std::optional<std::string> saved_prefix_;
  std::ostringstream out_, err_;
};

TEST_F(AcLogsCliTest, ListsForumsAndRoomFiles) {
  EXPECT_EQ(Run({"aclogs"}), 0);
  EXPECT_EQ(out_.str(), S("FGAL\tギャラリー（FGAL）\r\n"
                          "FPC\tＦＰＣ会議室フォーラム (FPC) \r\n"
                          "FTRAVEL\t旅の広場 FTRAVEL \r\n"
                          "PATIO\tGarden\r\n"));
  EXPECT_EQ(err_.str(), "");

  const std::string fpc = prefix_.Native("dosdevices/c:/AC97/Log/Fpc/");
  EXPECT_EQ(Run({"aclogs", "--utf8", "--descending", "fpc"}), 0);
  EXPECT_EQ(out_.str(), fpc + "Mes_10.LOG\tお知らせ\t01-12-31 00:00\n" +
                            fpc + "Mes_05.LOG\t質問室\t98-01-02 03:04\n" +
                            fpc + "Mes_03.LOG\t雑談室\t97-05-12 23:45\n" +
                            fpc + "ar_00010.LOG\t過去ログ１０\t96-11-30 12:59\n" +
                            fpc + "ar_00002.log\t過去ログ２\t96-07-08 09:10\n");

  prefix_.SetTime("drive_c/AC97/Log/Patio/Garden/Mes_01.LOG", 2000, 2, 29, 12, 0);
  EXPECT_EQ(Run({"aclogs", "--utf8", "PATIO/Garden"}), 0);
  EXPECT_EQ(out_.str(), prefix_.Native("dosdevices/c:/AC97/Log/Patio/Garden/Mes_01.LOG") +
                            "\t\t00-02-29 12:00\n");
  EXPECT_EQ(Run({"aclogs", "NOSUCH"}), 0);
  EXPECT_EQ(out_.str(), "");
  EXPECT_NE(err_.str().find("NOSUCH"), std::string::npos);

  // A personal folder, the installation named by hand, and -o.
  prefix_.Write("mine/Fmine/Mes_07.LOG", "log");
  const std::string listing = prefix_.Native("listing.txt");
  EXPECT_EQ(Run({"aclogs", "--personal", prefix_.Native("mine"), "--install",
                 prefix_.Native("drive_c/AC97"), "-o", listing}),
            0);
  EXPECT_EQ(out_.str(), "");
  std::ifstream written(listing, std::ios::binary);
  EXPECT_EQ(std::string(std::istreambuf_iterator<char>(written), {}), "FMINE\t\r\n");

  // With --utf8 a path is written as the file system gives it, even where
  // Shift-JIS has no character for it.
  prefix_.Write("caf\xC3\xA9/Fmine/Mes_07.LOG", "log");
  prefix_.SetTime("caf\xC3\xA9/Fmine/Mes_07.LOG", 1999, 9, 9, 9, 9);
  EXPECT_EQ(Run({"aclogs", "--utf8", "--personal", prefix_.Native("caf\xC3\xA9"), "FMINE"}), 0);
  EXPECT_EQ(out_.str(), prefix_.Native("caf\xC3\xA9/Fmine/Mes_07.LOG") + "\t\t99-09-09 09:09\n");
}

// A 64-bit prefix as Wine makes it: the 32-bit program is registered only
// in the 32-bit view, with a path of short names (a numeric tail and
// Wine's hashed names), and its Global.Dat names the log folder in short
// names too.
TEST_F(AcLogsCliTest, FindsLogsOfA32BitInstallationByShortNames) {
  prefix_.Write("system.reg",
                "WINE REGISTRY Version 2\n"
                ";; All keys relative to REGISTRY\\\\Machine\n\n"
                "#arch=win64\n\n"
                "[Software\\\\Classes\\\\Wow6432Node\\\\AirCraft.Application\\\\Clsid] 1\n"
                "@=\"{32}\"\n"
                "[Software\\\\Classes\\\\Wow6432Node\\\\CLSID\\\\{32}\\\\LocalServer32] 1\n"
                "@=\"C:\\\\PROGRA~2\\\\AIRC~JGG\\\\AIRCRAFT.EXE\"\n");
  prefix_.Write("user.reg", "WINE REGISTRY Version 2\n#arch=win64\n");
  prefix_.MakeFolder("drive_c/Program Files/Common Files");
  const std::string install = "drive_c/Program Files (x86)/AirCraft 97/";
  prefix_.Write(install + "AirCraft.exe", "MZ");
  prefix_.Write(install + "Global.Dat", testing::GlobalDat("C:\\PROG~5P2\\AIRC~JGG\\NIFT~NRF"));
  prefix_.Write(install + "FLIST.DAT", S("ＦＰＣ会議室 FPC nifty:FPC\r\n"));
  prefix_.Write(install + "Nifty Forum Logs/Fpc/Mes_01.LOG", "log");
  prefix_.SetTime(install + "Nifty Forum Logs/Fpc/Mes_01.LOG", 1997, 8, 1, 10, 30);

  EXPECT_EQ(Run({"aclogs", "--utf8"}), 0);
  EXPECT_EQ(out_.str(), "FPC\tＦＰＣ会議室 FPC \n");
  EXPECT_EQ(err_.str(), "");
  EXPECT_EQ(Run({"aclogs", "--utf8", "FPC"}), 0);
  EXPECT_EQ(out_.str(), prefix_.Native("dosdevices/c:/Program Files (x86)/AirCraft 97/"
                                       "Nifty Forum Logs/Fpc/Mes_01.LOG") +
                            "\t\t97-08-01 10:30\n");
}

TEST_F(AcLogsCliTest, NothingFoundAndRefusals) {
  // No installation in the prefix: an empty listing.
  prefix_.Write("user.reg", "WINE REGISTRY Version 2\n");
  EXPECT_EQ(Run({"aclogs"}), 0);
  EXPECT_EQ(out_.str(), "");
  EXPECT_EQ(err_.str(), "");

  // An installation folder without Global.Dat: its message, status 3.
  EXPECT_EQ(Run({"aclogs", "--utf8", "--install", prefix_.Native("drive_c")}), 3);
  EXPECT_EQ(out_.str(), "");
  EXPECT_EQ(err_.str(), "指定されたAirCraft 97本体フォルダにGlobal.Datが見つかりません\n");

  EXPECT_EQ(Run({"aclogs", "--personal", prefix_.Native("nosuch")}), 3);
  EXPECT_NE(err_.str().find("個人ログフォルダが存在しません"), std::string::npos);

  for (const std::vector<std::string>& bad : {std::vector<std::string>{"aclogs", "A", "B"},
                                              {"aclogs", "--install"},
                                              {"aclogs", "--personal", ""}})
    EXPECT_EQ(ParseCliArguments(bad).outcome, CliParse::Outcome::UsageError)
        << ::testing::PrintToString(bad);
}

}  // namespace
}  // namespace tobrel

#include <gtest/gtest.h>
#include <sys/stat.h>
#include <unistd.h>

#include <cstdlib>
#include <fstream>
#include <sstream>

#include "platform/private_profile.h"
#include "platform/program_folder.h"
#include "platform/regular_file.h"
#include "settings/command_line.h"
#include "settings/nifterm_ini.h"
#include "settings/settings_file.h"
#include "settings/startup.h"
#include "settings/startup_rules.h"
#include "support/file_bytes.h"
#include "support/sjis.h"
#include "support/temp_folder.h"

namespace tobrel {
namespace {

using testing::S;

DateTime Day(int y, int m, int d) { return *EncodeDateTime({y, m, d, 0, 0, 0}); }
const DateTime kToday = Day(2026, 12, 10);

using testing::ReadAll;

TEST(Settings, MissingOrEmptyFileGivesDefaults) {
  testing::TempFolder folder("tobrel-settings-defaults");
  for (const std::string& bytes : {std::string(), std::string("\x81\xff\0garbage\r\n[", 14)}) {
    const auto path = folder.Write("EMPTY.INI", bytes);
    const TobrelSettings s = LoadSettingsFile(path, kToday);
    EXPECT_EQ(s.height, 480);
    EXPECT_EQ(s.font_size, 9);
    EXPECT_EQ(s.font_name, "FixedSys");
    EXPECT_EQ(s.from_date, Day(1987, 4, 1));
    EXPECT_EQ(s.to_date, kToday);
    EXPECT_EQ(s.back_color, 16777215);
    EXPECT_EQ(s.select_color, 16711680);
    EXPECT_TRUE(s.log_files.empty() && s.quote.empty() && !s.keep_dates);
  }
  EXPECT_EQ(LoadSettingsFile(folder.path() / "MISSING.INI", kToday).height, 480);
}

TEST(Settings, LoadChangeSaveLoadKeepsValuesAndForeignLines) {
  testing::TempFolder folder("tobrel-settings-round-trip");
  const auto path = folder.Write("TOBREL.INI",
      S("; written by hand\r\n[POS]\r\nTOP=12\r\n[MINE]\r\nkey = kept\r\n"
        "[FileMask]\r\nAddMask0=*.ABC\r\nAddMask1=\r\nAddMask2=*.XYZ\r\n"));
  TobrelSettings s = LoadSettingsFile(path, kToday);
  EXPECT_EQ(s.top, 12);
  EXPECT_EQ(s.add_masks, std::vector<std::string>{"*.ABC"});

  s.left = -5;
  s.log_files = {"/logs/a.log", "/logs/ろぐ.log"};
  s.quote = S("^[>＞]");
  s.folder_name = "/logs/";
  s.except_title = S("宣伝");
  s.scroll = 3;
  s.line_numbers = s.ruler = s.delimiter_only = s.omit_id = s.hide_ids = s.top100 = true;
  s.interway = s.keep_dates = true;
  s.font_name = "IPAGothic";
  s.ext_file_type = ExternalFileKind::kNamedFile;
  s.ext_header = S("ヘッダ");
  s.from_date = Day(1999, 2, 3);
  s.to_date = Day(2001, 12, 31);
  s.char_color = 255;
  SaveSettingsFile(path, s);

  const TobrelSettings again = LoadSettingsFile(path, kToday);
  EXPECT_EQ(again.left, -5);
  EXPECT_EQ(again.log_files, s.log_files);
  EXPECT_EQ(again.quote, s.quote);
  EXPECT_EQ(again.folder_name, s.folder_name);
  EXPECT_EQ(again.except_title, s.except_title);
  EXPECT_EQ(again.scroll, 3);
  EXPECT_TRUE(again.line_numbers && again.ruler && again.delimiter_only && again.omit_id &&
              again.hide_ids && again.top100 && again.interway && again.keep_dates);
  EXPECT_EQ(again.font_name, "IPAGothic");
  EXPECT_EQ(again.ext_file_type, ExternalFileKind::kNamedFile);
  EXPECT_EQ(again.ext_header, s.ext_header);
  EXPECT_EQ(again.from_date, s.from_date);
  EXPECT_EQ(again.to_date, s.to_date);
  EXPECT_EQ(again.char_color, 255);

  const std::string bytes = ReadAll(path);
  EXPECT_EQ(bytes.rfind("; written by hand\r\n[POS]\r\nTOP=12\r\nLEFT=-5\r\nHEIGHT=480\r\n[MINE]\r\nkey = kept\r\n", 0), 0u)
      << bytes;
  EXPECT_NE(bytes.find("AddMask2=*.XYZ\r\n"), std::string::npos);
  EXPECT_NE(bytes.find("LOGFILE02=/logs/" + S("ろぐ") + ".log\r\nLOGFILE03=\r\n"), std::string::npos);
  EXPECT_NE(bytes.find("LOGFILE20=\r\nQUOTE="), std::string::npos);
  EXPECT_NE(bytes.find("FROMDATE=1999/02/03\r\nTODATE=2001/12/31\r\n"), std::string::npos);
  EXPECT_EQ(bytes.find('\n', 0), bytes.find("\r\n", 0) + 1);
}

// The window's own placement goes to "WINDOW" after every other key and
// comes back as written; "POS" keeps its three keys. A file without a usable
// width and height has none, and saving it writes no "WINDOW" section.
TEST(Settings, WindowGeometryRoundTripsBesideThePositionKeys) {
  testing::TempFolder folder("tobrel-settings-window");
  const auto path = folder.Write("TOBREL.INI", "[POS]\r\nTOP=7\r\n");
  TobrelSettings s = LoadSettingsFile(path, kToday);
  EXPECT_FALSE(s.window_geometry.has_value());
  ASSERT_NO_THROW(SaveSettingsFile(path, s));
  EXPECT_EQ(ReadAll(path).find("[WINDOW]"), std::string::npos);

  s.window_geometry = StoredWindowGeometry{-1200, 35, 900, 640, true};
  ASSERT_NO_THROW(SaveSettingsFile(path, s));
  const std::string bytes = ReadAll(path);
  EXPECT_EQ(bytes.rfind("[POS]\r\nTOP=7\r\nLEFT=0\r\nHEIGHT=480\r\n", 0), 0u) << bytes;
  EXPECT_NE(bytes.find("SELECT=16711680\r\n[WINDOW]\r\nLeft=-1200\r\nTop=35\r\nWidth=900\r\n"
                       "Height=640\r\nMaximized=1\r\n"),
            std::string::npos)
      << bytes;
  const auto again = LoadSettingsFile(path, kToday).window_geometry;
  ASSERT_TRUE(again.has_value());
  EXPECT_EQ(again->left, -1200);
  EXPECT_EQ(again->top, 35);
  EXPECT_EQ(again->width, 900);
  EXPECT_EQ(again->height, 640);
  EXPECT_TRUE(again->maximized);

  for (const char* text : {"[WINDOW]\r\nLeft=5\r\nTop=5\r\nWidth=0\r\nHeight=500\r\n",
                           "[WINDOW]\r\nWidth=700\r\nHeight=x\r\n"}) {
    const auto file = folder.Write("BAD.INI", text);
    EXPECT_FALSE(LoadSettingsFile(file, kToday).window_geometry.has_value()) << text;
  }
}

// The cache switch is written only once set, so that saving a file that never
// held it keeps its bytes.
TEST(Settings, TheLogCacheSwitchIsWrittenOnlyOnceSet) {
  testing::TempFolder folder("tobrel-settings-cache");
  const auto path = folder.Write("TOBREL.INI", "");
  TobrelSettings s = LoadSettingsFile(path, kToday);
  EXPECT_FALSE(s.use_log_cache.has_value());
  ASSERT_NO_THROW(SaveSettingsFile(path, s));
  const std::string unset = ReadAll(path);
  EXPECT_EQ(unset.find("LOGCACHE"), std::string::npos);
  ASSERT_NO_THROW(SaveSettingsFile(path, LoadSettingsFile(path, kToday)));
  EXPECT_EQ(ReadAll(path), unset);
  for (const bool on : {false, true}) {
    s.use_log_cache = on;
    ASSERT_NO_THROW(SaveSettingsFile(path, s));
    EXPECT_EQ(LoadSettingsFile(path, kToday).use_log_cache, on);
  }
  EXPECT_NE(ReadAll(path).find("PDATE=0\r\nLOGCACHE=1\r\n"), std::string::npos) << ReadAll(path);
}

// The external editor's file kind and character code are kept as the numbers
// the file holds, even numbers that name no choice.
TEST(Settings, UnknownExternalEditorNumbersAreWrittenBackAsRead) {
  testing::TempFolder folder("tobrel-settings-exted-numbers");
  const auto path = folder.Write("TOBREL.INI", "[EXTED]\r\nFILETYPE=7\r\nENCODING=-1\r\n");
  const TobrelSettings s = LoadSettingsFile(path, kToday);
  EXPECT_NE(s.ext_file_type, ExternalFileKind::kTemporaryFile);
  EXPECT_NE(s.ext_encoding, ExternalFileEncoding::kCp932);
  SaveSettingsFile(path, s);
  const std::string bytes = ReadAll(path);
  EXPECT_NE(bytes.find("FILETYPE=7\r\n"), std::string::npos) << bytes;
  EXPECT_NE(bytes.find("ENCODING=-1\r\n"), std::string::npos) << bytes;
}

TEST(Settings, OnlyTheFirstTwentyLogFilesAreStoredAndTheRestEmptied) {
  testing::TempFolder folder("tobrel-settings-log-files");
  const auto path = folder.Write("TOBREL.INI", "[ENV]\r\nLOGFILE20=/old/twenty.log\r\n");
  for (const std::size_t count : {19u, 25u}) {
    TobrelSettings s = LoadSettingsFile(path, kToday);
    s.log_files.clear();
    for (std::size_t i = 0; i < count; ++i) s.log_files.push_back("/l/" + std::to_string(i));
    SaveSettingsFile(path, s);
    const TobrelSettings again = LoadSettingsFile(path, kToday);
    ASSERT_EQ(again.log_files.size(), std::min<std::size_t>(count, 20)) << count;
    EXPECT_EQ(again.log_files.back(), "/l/" + std::to_string(again.log_files.size() - 1));
  }
}

TEST(Settings, SavingIntoAReadOnlyFolderKeepsTheOldFile) {
  testing::TempFolder folder("tobrel-settings-read-only");
  const std::string not_a_folder = folder.Write("file", "x");
  const std::filesystem::path under_a_file = std::filesystem::path(not_a_folder) / "TOBREL.INI";
  try {
    SaveSettingsFile(under_a_file, DefaultSettings(kToday));
    ADD_FAILURE() << "saved under a file";
  } catch (const Failure& failure) {
    EXPECT_EQ(failure.kind(), FailureKind::FileUnwritable);
    EXPECT_EQ(failure.file(), under_a_file);
    EXPECT_TRUE(failure.code());
  }
  if (::geteuid() == 0) GTEST_SKIP() << "root writes into read-only folders";
  const auto path = folder.Write("TOBREL.INI", "[POS]\r\nTOP=1\r\n");
  ::chmod(folder.path().c_str(), 0555);
  std::optional<Failure> failure;
  try {
    SaveSettingsFile(path, DefaultSettings(kToday));
  } catch (const Failure& e) {
    failure = e;
  }
  ::chmod(folder.path().c_str(), 0755);
  ASSERT_TRUE(failure.has_value());
  EXPECT_EQ(failure->file(), path);
  EXPECT_EQ(failure->code(), std::error_code(EACCES, std::generic_category()));
  EXPECT_EQ(ReadAll(path), "[POS]\r\nTOP=1\r\n");
  EXPECT_EQ(std::distance(std::filesystem::directory_iterator(folder.path()), {}), 2);
}

TEST(Settings, FileLivesBesideTheProgramOnlyWhenItAlreadyStandsThere) {
  testing::TempFolder folder("tobrel-settings-place");
  ::setenv("XDG_CONFIG_HOME", "/xdg", 1);
  EXPECT_EQ(SettingsFilePath(folder.path() / "tobrel"), std::filesystem::path("/xdg/tobrel/TOBREL.INI"));
  folder.Write("TOBREL.INI", "");
  EXPECT_EQ(SettingsFilePath(folder.path() / "tobrel"), folder.path() / "TOBREL.INI");
  ::unsetenv("XDG_CONFIG_HOME");
}

// The cache of parsed logs follows the XDG rule as the settings do.
TEST(Settings, TheCacheFolderFollowsXdgCacheHome) {
  EXPECT_EQ(ChooseCacheFolder("/xdg", "/home/u"), std::filesystem::path("/xdg/tobrel"));
  EXPECT_EQ(ChooseCacheFolder("relative", "/home/u"), std::filesystem::path("/home/u/.cache/tobrel"));
  EXPECT_EQ(ChooseCacheFolder("", "/home/u"), std::filesystem::path("/home/u/.cache/tobrel"));
  EXPECT_EQ(ChooseCacheFolder(nullptr, nullptr), std::filesystem::path("./.cache/tobrel"));
}

TEST(StartupRules, WindowScrollAndDates) {
  static const struct {
    int top, left, height;
    WindowPlacement expected;
  } cases[] = {
      {10, 20, 480, {10, 20, 480}},
      {10, 20, 100, {10, 20, 320}},      // too low
      {10, 20, 5000, {10, 20, 1080}},    // higher than the screen
      {-10, 20, 480, {50, 20, 480}},     // above the screen
      {1081, 20, 480, {50, 20, 480}},    // below the screen
      {10, -1, 480, {10, 50, 480}},      // left of the screen
      {10, 1281, 480, {10, 50, 480}},    // beyond screen width - window width
      {10, 1280, 480, {10, 1280, 480}},
  };
  for (const auto& c : cases) {
    TobrelSettings s;
    s.top = c.top, s.left = c.left, s.height = c.height;
    const WindowPlacement place = PlaceWindow(s, 1920, 1080, 640);
    EXPECT_EQ(place.top, c.expected.top) << c.top;
    EXPECT_EQ(place.left, c.expected.left) << c.left;
    EXPECT_EQ(place.height, c.expected.height) << c.height;
  }
  EXPECT_EQ(NormalizedScroll(7), 0);
  EXPECT_EQ(NormalizedScroll(-1), 0);
  EXPECT_EQ(NormalizedScroll(2), 2);

  TobrelSettings s = DefaultSettings(kToday);
  s.from_date = Day(1999, 1, 1);
  s.to_date = Day(2000, 1, 1);
  EXPECT_EQ(StartupTargetDates(s, kToday + 0.5).from, Day(1987, 4, 1));
  EXPECT_EQ(StartupTargetDates(s, kToday + 0.5).to, kToday);
  s.keep_dates = true;
  EXPECT_EQ(StartupTargetDates(s, kToday).from, Day(1999, 1, 1));

  EXPECT_EQ(ExternalEditorFolder(s, "/home/u"), "/home/u");
  s.ext_file_name = "out.txt";
  EXPECT_EQ(ExternalEditorFolder(s, "/home/u"), "");
}

TEST(StartupRules, StoredLogFilesThatExistJoinTheCandidates) {
  testing::TempFolder folder("tobrel-settings-candidates");
  const std::string a = folder.Write("a.log", "x"), b = folder.Write("b.log", "x");
  TobrelSettings s;
  s.log_files = {a, (folder.path() / "gone.log").string(), b, a};
  std::vector<std::string> candidates = {b};
  AddStoredLogFiles(s, candidates);
  EXPECT_EQ(candidates, (std::vector<std::string>{b, a}));
}

TEST(CommandLine, SwitchesAndFiles) {
  testing::TempFolder folder("tobrel-settings-command-line");
  const std::string data = folder.Write("12345678.Dat", "x");
  const std::string log = folder.Write("room.log", "x");
  const std::string program = folder.Write("tobrel", "x");
  const std::string dir = folder.path().string();
  static const std::string missing = dir + "/missing";
  const struct {
    std::vector<std::string> arguments;
    std::string personal;
    std::vector<std::string> data_files;
    std::optional<std::string> new_personal;
    std::vector<std::string> candidates;
  } cases[] = {
      {{"/D" + data}, "", {data}, std::nullopt, {}},
      {{"/d" + data, log}, "", {data}, std::nullopt, {log}},
      {{"/D" + missing}, "", {}, std::nullopt, {}},
      {{"/P" + dir}, "/old", {}, dir, {}},
      {{"/P" + dir}, "", {}, std::nullopt, {}},          // "PERSONAL" empty: no effect
      {{"/P" + missing, "/D" + data}, "/old", {}, std::nullopt, {}},  // "/P" ends the scan
      {{log, program, log, missing}, "", {}, std::nullopt, {log}},
      {{"/D"}, "", {}, std::nullopt, {}},
  };
  for (const auto& c : cases) {
    std::vector<std::string> candidates;
    const CommandLineEffects effects = HandleCommandLine(c.arguments, program, c.personal, candidates);
    const std::string name = ::testing::PrintToString(c.arguments);
    EXPECT_EQ(effects.data_files, c.data_files) << name;
    EXPECT_EQ(effects.personal, c.new_personal) << name;
    EXPECT_EQ(candidates, c.candidates) << name;
  }
}

TEST(NiftermIni, RecentFolderThroughTheWinePrefix) {
  testing::TempFolder prefix("tobrel-settings-wine");
  std::filesystem::create_directories(prefix.path() / "drive_c" / "Windows");
  std::filesystem::create_directories(prefix.path() / "drive_c" / "NifTerm" / "Log");
  std::filesystem::create_directories(prefix.path() / "dosdevices");
  std::filesystem::create_directory_symlink("../drive_c", prefix.path() / "dosdevices" / "c:");
  EXPECT_EQ(NiftermRecentFolder(prefix.path()), std::nullopt);  // no NIFTERM.INI

  std::ofstream(prefix.path() / "drive_c" / "Windows" / "nifterm.ini", std::ios::binary)
      << "[Other]\r\nFile1=D:\\X\\Y.LOG\r\n[Recent File List]\r\nfile1 = C:\\NIFTERM\\LOG\\FORUM.LOG\r\n";
  EXPECT_EQ(NiftermRecentFolder(prefix.path()),
            (prefix.path() / "dosdevices" / "c:" / "NifTerm" / "Log").string() + "/");

  std::ofstream(prefix.path() / "drive_c" / "Windows" / "nifterm.ini", std::ios::binary)
      << "[Recent File List]\r\nFile2=C:\\A.LOG\r\n";
  EXPECT_EQ(NiftermRecentFolder(prefix.path()), std::nullopt);

  ::setenv("WINEPREFIX", (prefix.path() / "none").c_str(), 1);
  EXPECT_EQ(InitialFolderName(""), "");
  EXPECT_EQ(InitialFolderName("/kept/"), "/kept/");
  ::unsetenv("WINEPREFIX");
}

TEST(Startup, StoredValuesWithTheRulesAppliedThenTheCommandLine) {
  testing::TempFolder folder("tobrel-settings-startup");
  const std::string a = folder.Write("a.log", "x"), b = folder.Write("b.log", "x");
  const std::string dir = folder.path().string();
  StartupInputs inputs;
  inputs.settings_path = folder.Write("TOBREL.INI",
      "[POS]\r\nHEIGHT=100\r\nTOP=-10\r\n[ENV]\r\nLOGFILE01=" + a + "\r\nLOGFILE02=" + dir +
      "/gone.log\r\n[FOLDER]\r\nFOLDERNAME=/f/\r\nPERSONAL=/p/\r\n[OPTION]\r\nSCROLL=7\r\n"
      "[PERIOD]\r\nFROMDATE=1999/01/01\r\n");
  inputs.program_path = folder.path() / "tobrel";
  inputs.arguments = {"/D" + b, b, "/P" + dir, a};
  inputs.today = kToday;
  inputs.home_folder = "/home/u";
  const StartupState state = LoadAtStartup(inputs);
  EXPECT_EQ(state.window.height, 320);
  EXPECT_EQ(state.window.top, 50);
  EXPECT_EQ(state.candidates, (std::vector<std::string>{a, b}));
  EXPECT_EQ(state.data_files, std::vector<std::string>{b});
  EXPECT_EQ(state.settings.personal, dir);
  EXPECT_EQ(state.settings.folder_name, "/f/");
  EXPECT_EQ(state.settings.scroll, 0);
  EXPECT_EQ(state.settings.ext_folder, "/home/u");
  EXPECT_EQ(state.settings.from_date, Day(1987, 4, 1));  // "PDATE" off
  EXPECT_EQ(state.settings.to_date, kToday);
}

// A settings file that is a FIFO must not keep the window from starting: it
// starts from the defaults and says why. Run in a child that an alarm ends,
// so that a start-up that waits on the FIFO fails rather than hangs.
TEST(Startup, ASettingsFileThatIsAFifoGivesTheDefaultsAndAMessage) {
  testing::TempFolder folder("tobrel-settings-fifo");
  StartupInputs inputs;
  inputs.settings_path = folder.path() / "TOBREL.INI";
  ASSERT_EQ(::mkfifo(inputs.settings_path.c_str(), 0600), 0);
  inputs.program_path = folder.path() / "tobrel";
  inputs.today = kToday;
  const std::string expected = inputs.settings_path.string() + ": not a regular file: a FIFO";
  EXPECT_EXIT(
      {
        ::alarm(20);
        const StartupState state = LoadAtStartup(inputs);
        const bool right = state.settings_unread && state.settings_unread->message() == expected &&
                           state.settings_unread->file() == inputs.settings_path &&
                           state.settings.scroll == 0 &&
                           state.settings.quote.empty();
        std::_Exit(right ? 0 : 1);
      },
      ::testing::ExitedWithCode(0), "");
  // Saving does not write into the FIFO either.
  EXPECT_EXIT(
      {
        ::alarm(20);
        try {
          SaveSettingsFile(inputs.settings_path, ReadSettings(PrivateProfile(), kToday));
        } catch (const Failure& failure) {
          std::_Exit(IsNotRegularFile(failure, NotRegularFile::Fifo) ? 0 : 1);
        }
        std::_Exit(1);
      },
      ::testing::ExitedWithCode(0), "");
}

}  // namespace
}  // namespace tobrel

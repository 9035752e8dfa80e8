// Test helper: an AirCraft 97 installation in a synthetic Wine prefix. The
// program lies in C:\AC97 with "Global.Dat" naming C:\ac97\LOG (the folder
// is "Log": found ignoring case) and a forum list "FLIST.DAT". The log
// folder holds forum folders in mixed case with room logs, archive logs,
// "MES.LOG" and "ARLIST.DAT", the special folders, and folders that must
// not be listed.
#pragma once

#include <string>
#include <string_view>

#include "support/sjis.h"
#include "support/wine_prefix.h"

namespace tobrel::testing {

// A room line of "MES.LOG": the two number columns, then the name from
// column 29 on, with trailing blanks.
inline std::string RoomLine(std::string_view number, std::string_view name_utf8) {
  std::string line = std::string(number) + "  12 (  0)  97/05/12";
  line.resize(28, ' ');
  return line + S(name_utf8) + "   \r\n";
}

// "Global.Dat": two bytes not read, the length, the path, then more bytes.
inline std::string GlobalDat(std::string_view path) {
  return std::string("\x07\x01", 2) + static_cast<char>(path.size()) + std::string(path) +
         std::string("\0\x05tail", 6);
}

// The user registry of the prefix naming the program as the local server of
// its automation class, the way the installation is found.
inline void RegisterAircraftServer(const WinePrefixBuilder& prefix) {
  prefix.Write("user.reg",
               "WINE REGISTRY Version 2\n"
               "[Software\\\\Classes\\\\AirCraft.Application\\\\Clsid] 1\n"
               "@=\"{1}\"\n"
               "[Software\\\\Classes\\\\CLSID\\\\{1}\\\\LocalServer32] 1\n"
               "@=\"C:\\\\AC97\\\\AirCraft.exe\"\n");
}

inline void BuildAircraftInstall(const WinePrefixBuilder& prefix) {
  prefix.Write("drive_c/AC97/AirCraft.exe", "MZ");
  prefix.Write("drive_c/AC97/Global.Dat", GlobalDat("C:\\ac97\\LOG"));
  prefix.Write("drive_c/AC97/FLIST.DAT",
               S("ＦＧＡＬＸ別館 FGALX nifty:FGALX\r\n"
                 "\r\n"
                 "ＦＰＣ会議室フォーラム (FPC) nifty:FPC\r\n"
                 "  旅の広場 FTRAVEL Nifty:FTRAVEL\r\n"
                 "二番目の旅 FTRAVEL\r\n"
                 "ギャラリー（FGAL）\r\n"
                 "ＰＡＴＩＯ案内 PATIO nifty:PATIO\r\n"));

  const std::string log = "drive_c/AC97/Log/";
  // FPC: rooms 03, 05, 10 and two archives, named by both index files.
  for (const char* name : {"Mes_05.LOG", "Mes_10.LOG", "Mes_03.LOG", "ar_00002.log",
                           "ar_00010.LOG", "Mes_01.TXT", "MES_1.LOG"})
    prefix.Write(log + "Fpc/" + name, "log");
  prefix.Write(log + "Fpc/MES.LOG",
               RoomLine("05", "偽物（見出しの前）") + S("番号　発言 (未読) 　最新　　会議室名\r\n") +
                   RoomLine(" 3", "雑談室") + RoomLine("05", "質問室") +
                   S("＞ 10 番の会議室は閉鎖予定\r\n") + RoomLine("10", "お知らせ") + "1\r\n" +
                   "\r\n");
  prefix.Write(log + "Fpc/ARLIST.DAT",
               S("1,N,AR_00002.LOG,\"過去ログ２\"\r\n"
                 "2,X,AR_00010.LOG,\"これではない\"\r\n"
                 "3,N,ar_00010.log,\"過去ログ１０\"\r\n"
                 ",N,閉じていない行\r\n"
                 ",N,\r\n"));
  prefix.SetTime(log + "Fpc/Mes_03.LOG", 1997, 5, 12, 23, 45);
  prefix.SetTime(log + "Fpc/Mes_05.LOG", 1998, 1, 2, 3, 4);
  prefix.SetTime(log + "Fpc/Mes_10.LOG", 2001, 12, 31, 0, 0);
  prefix.SetTime(log + "Fpc/ar_00002.log", 1996, 7, 8, 9, 10);
  prefix.SetTime(log + "Fpc/ar_00010.LOG", 1996, 11, 30, 12, 59);
  // FTRAVEL and FGAL: room logs without index files.
  prefix.Write(log + "Ftravel/mes_01.log", "log");
  prefix.Write(log + "FGAL/MES_02.LOG", "log");
  // PATIO: one forum with room logs, one without.
  prefix.Write(log + "Patio/Garden/Mes_01.LOG", "log");
  prefix.Write(log + "Patio/empty/AR_00001.LOG", "log");
  // Not forums: only archives, a special folder, a name with a dot, a file,
  // a loop of links.
  prefix.Write(log + "fbook/AR_00001.LOG", "log");
  prefix.Write(log + "Daily/Mes_01.LOG", "log");
  prefix.Write(log + "old.bak/Mes_01.LOG", "log");
  prefix.Write(log + "NOTES", "text");
  prefix.Link(log + "Loop", "Loop");
}

}  // namespace tobrel::testing

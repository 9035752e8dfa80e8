// The Japanese reasons of the window's file failure messages.
#include <gtest/gtest.h>

#include <cerrno>
#include <string>

#include "platform/regular_file.h"
#include "ui/models/file_failure_reason.h"

namespace tobrel {
namespace {

std::error_code Errno(int value) { return {value, std::generic_category()}; }

TEST(FileFailureReason, TheCodesUsersMeetByDirection) {
  static const struct {
    std::error_code code;
    FileAccess access;
    const char* reason;  // nullptr: left to the system's text
  } cases[] = {
      {Errno(EACCES), FileAccess::kWrite, "書き込みの権限がありません"},
      {Errno(EPERM), FileAccess::kWrite, "書き込みの権限がありません"},
      {Errno(EACCES), FileAccess::kRead, "読み込みの権限がありません"},
      {{EACCES, std::system_category()}, FileAccess::kRead, "読み込みの権限がありません"},
      {Errno(ENOSPC), FileAccess::kWrite, "ディスクの空きがありません"},
      {Errno(EDQUOT), FileAccess::kWrite, "ディスクの使用量の上限を超えました"},
      {Errno(EROFS), FileAccess::kWrite, "読み込み専用のファイルシステムです"},
      {Errno(ENOENT), FileAccess::kRead, "ファイルが見つかりません"},
      {Errno(ENOTDIR), FileAccess::kRead, "ファイルが見つかりません"},
      {Errno(ENOENT), FileAccess::kWrite, "フォルダが見つかりません"},
      {Errno(ENOTDIR), FileAccess::kWrite, "フォルダが見つかりません"},
      {Errno(EISDIR), FileAccess::kWrite, "同じ名前のフォルダがあります"},
      {Errno(ENAMETOOLONG), FileAccess::kWrite, "ファイル名が長すぎます"},
      {Errno(EIO), FileAccess::kRead, "ディスクの読み書きでエラーが起きました"},
      {Errno(EMFILE), FileAccess::kRead, "開いているファイルが多すぎます"},
      {Errno(EFBIG), FileAccess::kWrite, "ファイルが大きすぎます"},
      {Errno(ETIMEDOUT), FileAccess::kRead, "時間内に読み込めませんでした"},
      {{static_cast<int>(NotRegularFile::Fifo), RegularFileCategory()}, FileAccess::kRead,
       "通常のファイルではありません（名前付きパイプです）"},
      {{static_cast<int>(NotRegularFile::TooLarge), RegularFileCategory()}, FileAccess::kRead,
       "ファイルが大きすぎます"},
      {Errno(EXDEV), FileAccess::kWrite, nullptr},
      {std::make_error_code(std::io_errc::stream), FileAccess::kWrite, nullptr},
  };
  for (const auto& c : cases) {
    const char* reason = FileFailureReason(c.code, c.access);
    EXPECT_EQ(std::string(reason ? reason : "(system text)"),
              std::string(c.reason ? c.reason : "(system text)"))
        << c.code.category().name() << " " << c.code.value();
  }
}

}  // namespace
}  // namespace tobrel

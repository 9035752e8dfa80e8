#include "ui/models/file_failure_reason.h"

#include <cerrno>

#include "platform/regular_file.h"

namespace tobrel {
namespace {

const char* ErrnoReason(int value, FileAccess access) {
  const bool writing = access == FileAccess::kWrite;
  switch (value) {
    case EACCES:
    case EPERM:
      return writing ? "書き込みの権限がありません" : "読み込みの権限がありません";
    case ENOSPC: return "ディスクの空きがありません";
    case EDQUOT: return "ディスクの使用量の上限を超えました";
    case EROFS: return "読み込み専用のファイルシステムです";
    case ENOENT:
    case ENOTDIR:
      return writing ? "フォルダが見つかりません" : "ファイルが見つかりません";
    case EISDIR: return "同じ名前のフォルダがあります";
    case ENAMETOOLONG: return "ファイル名が長すぎます";
    case EIO: return "ディスクの読み書きでエラーが起きました";
    case EMFILE:
    case ENFILE:
      return "開いているファイルが多すぎます";
    case EFBIG: return "ファイルが大きすぎます";
    case ETXTBSY:
    case EBUSY:
      return "ファイルが使用中です";
    case ELOOP: return "シンボリックリンクが循環しています";
    case ETIMEDOUT: return "時間内に読み込めませんでした";
    case ENOMEM: return "メモリが足りません";
    default: return nullptr;
  }
}

const char* KindReason(int value) {
  switch (static_cast<NotRegularFile>(value)) {
    case NotRegularFile::Folder: return "通常のファイルではありません（フォルダです）";
    case NotRegularFile::Fifo: return "通常のファイルではありません（名前付きパイプです）";
    case NotRegularFile::Device: return "通常のファイルではありません（デバイスです）";
    case NotRegularFile::Socket: return "通常のファイルではありません（ソケットです）";
    case NotRegularFile::OtherKind: return "通常のファイルではありません";
    case NotRegularFile::TooLarge: return "ファイルが大きすぎます";
  }
  return nullptr;
}

}  // namespace

const char* FileFailureReason(std::error_code code, FileAccess access) {
  if (code.category() == RegularFileCategory()) return KindReason(code.value());
  if (code.category() == std::generic_category() || code.category() == std::system_category())
    return ErrnoReason(code.value(), access);
  return nullptr;
}

}  // namespace tobrel

// Where the result goes when it is handed to the external editor, decided
// from the settings before anything is written: a new temporary file (in
// the system's temporary folder, or in the chosen folder) or the chosen file
// in the chosen folder; or the message that refuses the settings.
#pragma once

#include <filesystem>
#include <optional>
#include <string_view>

#include "settings/settings.h"

namespace tobrel {

struct ExternalEditorPlan {
  enum class Target { TemporaryFile, NamedFile };
  Target target = Target::TemporaryFile;
  // TemporaryFile: the folder to make it in; empty means the system's
  // temporary folder.
  std::filesystem::path folder;
  // NamedFile: the file to replace.
  std::filesystem::path file;
  // The message that refuses the folder or the file name (CP932); nothing
  // is written then.
  std::optional<std::string_view> refusal;
  // False when the editor named is not a regular file; an empty name means
  // the desktop's program for text files. Checked once the file is made.
  bool editor_usable = true;
};

ExternalEditorPlan PlanExternalEditor(const TobrelSettings& settings);

// 指定されたフォルダ名が無効です, 指定されたファイル名が無効です and
// 指定されたエディタが無効です (CP932).
extern const std::string_view kInvalidEditorFolderMessage;
extern const std::string_view kInvalidEditorFileNameMessage;
extern const std::string_view kInvalidEditorMessage;

}  // namespace tobrel

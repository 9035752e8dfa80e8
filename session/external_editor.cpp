#include "session/external_editor.h"

#include <system_error>

namespace tobrel {

const std::string_view kInvalidEditorFolderMessage =
    "\x8e\x77\x92\xe8\x82\xb3\x82\xea\x82\xbd\x83\x74\x83\x48\x83\x8b\x83\x5f\x96\xbc\x82\xaa"
    "\x96\xb3\x8c\xf8\x82\xc5\x82\xb7";
const std::string_view kInvalidEditorFileNameMessage =
    "\x8e\x77\x92\xe8\x82\xb3\x82\xea\x82\xbd\x83\x74\x83\x40\x83\x43\x83\x8b\x96\xbc\x82\xaa"
    "\x96\xb3\x8c\xf8\x82\xc5\x82\xb7";
const std::string_view kInvalidEditorMessage =
    "\x8e\x77\x92\xe8\x82\xb3\x82\xea\x82\xbd\x83\x47\x83\x66\x83\x42\x83\x5e\x82\xaa\x96\xb3"
    "\x8c\xf8\x82\xc5\x82\xb7";

ExternalEditorPlan PlanExternalEditor(const TobrelSettings& settings) {
  namespace fs = std::filesystem;
  ExternalEditorPlan plan;
  std::error_code error;
  // A number that names no kind means a temporary file, as kTemporaryFile.
  const ExternalFileKind type = settings.ext_file_type;
  if (type == ExternalFileKind::kFileInFolder || type == ExternalFileKind::kNamedFile) {
    if (!fs::is_directory(settings.ext_folder, error)) {
      plan.refusal = kInvalidEditorFolderMessage;
      return plan;
    }
    if (type == ExternalFileKind::kNamedFile) {
      if (settings.ext_file_name.empty()) {
        plan.refusal = kInvalidEditorFileNameMessage;
        return plan;
      }
      plan.target = ExternalEditorPlan::Target::NamedFile;
      plan.file = fs::path(settings.ext_folder) / settings.ext_file_name;
    } else {
      plan.folder = settings.ext_folder;
    }
  }
  plan.editor_usable =
      settings.ext_editor.empty() || fs::is_regular_file(settings.ext_editor, error);
  return plan;
}

}  // namespace tobrel

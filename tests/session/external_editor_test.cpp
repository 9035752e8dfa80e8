#include "session/external_editor.h"

#include <gtest/gtest.h>

#include <filesystem>
#include <fstream>
#include <optional>
#include <string>

#include <unistd.h>

namespace tobrel {
namespace {

namespace fs = std::filesystem;

class ExternalEditor : public testing::Test {
 protected:
  void SetUp() override {
    folder_ = fs::temp_directory_path() / ("tobrel-editor-" + std::to_string(::getpid()));
    fs::create_directories(folder_);
    std::ofstream(folder_ / "editor").put('x');
  }
  void TearDown() override { fs::remove_all(folder_); }
  fs::path folder_;
};

TEST_F(ExternalEditor, TheFileKindAndNamesDecideWhereTheResultGoes) {
  using Target = ExternalEditorPlan::Target;
  const std::string folder = folder_.string();
  const std::string missing = (folder_ / "missing").string();
  const std::string editor = (folder_ / "editor").string();
  struct Case {
    int type;
    std::string folder, name, editor;
    std::optional<std::string_view> refusal;
    Target target;
    fs::path planned_folder, planned_file;
    bool editor_usable;
  };
  const Case cases[] = {
      // The system's temporary folder; the folder setting is not looked at.
      {0, missing, "", "", std::nullopt, Target::TemporaryFile, "", "", true},
      {7, missing, "", editor, std::nullopt, Target::TemporaryFile, "", "", true},
      {1, folder, "", editor, std::nullopt, Target::TemporaryFile, folder_, "", true},
      {1, missing, "", "", kInvalidEditorFolderMessage, Target::TemporaryFile, "", "", true},
      {2, folder, "out.txt", "", std::nullopt, Target::NamedFile, "", folder_ / "out.txt", true},
      {2, folder, "", "", kInvalidEditorFileNameMessage, Target::TemporaryFile, "", "", true},
      {2, missing, "", "", kInvalidEditorFolderMessage, Target::TemporaryFile, "", "", true},
      // An editor that is missing or a folder is refused once the file is made.
      {0, "", "", missing, std::nullopt, Target::TemporaryFile, "", "", false},
      {0, "", "", folder, std::nullopt, Target::TemporaryFile, "", "", false},
  };
  for (const Case& c : cases) {
    TobrelSettings settings;
    settings.ext_file_type = static_cast<ExternalFileKind>(c.type);
    settings.ext_folder = c.folder;
    settings.ext_file_name = c.name;
    settings.ext_editor = c.editor;
    const ExternalEditorPlan plan = PlanExternalEditor(settings);
    SCOPED_TRACE(testing::Message() << c.type << ' ' << c.folder << ' ' << c.name << ' ' << c.editor);
    EXPECT_EQ(plan.refusal, c.refusal);
    if (plan.refusal) continue;
    EXPECT_EQ(plan.target, c.target);
    EXPECT_EQ(plan.folder, c.planned_folder);
    EXPECT_EQ(plan.file, c.planned_file);
    EXPECT_EQ(plan.editor_usable, c.editor_usable);
  }
}

}  // namespace
}  // namespace tobrel

#include "cli/aclogs_command.h"


#include "cli/cli_run.h"
#include "cli/failure_text.h"
#include "cli/report_output.h"
#include "platform/cp932.h"
#include "platform/folder_listing.h"
#include "platform/path_text.h"
#include "platform/regular_file.h"
#include "platform/text_case.h"
#include "platform/wine_paths.h"
#include "sources/ac_log_model.h"
#include "sources/forum_folders.h"
#include "sources/install_search.h"
#include "sources/room_files.h"
#include "sources/selection_text.h"

namespace tobrel {
namespace {

// The forum row that FORUM names: a first column ("FPC", letter case
// ignored) or "PATIO/" and a second column.
const ForumRow* FindForum(const std::vector<ForumRow>& forums, const std::string& forum) {
  const std::string wanted = cp932::FromUtf8(forum);
  for (const ForumRow& row : forums) {
    if (row.go_word == "PATIO") {
      if (wanted == "PATIO/" + row.name) return &row;
    } else if (UpperCp932(row.go_word) == UpperCp932(wanted)) {
      return &row;
    }
  }
  return nullptr;
}

// A registry file that is there but is not read (no regular file, or too
// large) leaves its keys out of the search; says so rather than leave an
// empty listing unexplained.
void WarnAboutUnreadRegistryFiles(const std::filesystem::path& prefix, std::ostream& err) {
  for (const char* name : {"system.reg", "user.reg"}) {
    try {
      RegularFile file(prefix / name, kRegistryFileLimit);
    } catch (const Failure& error) {
      if (!IsMissingFile(error))
        err << "tobrel-cli: warning: " << error.what() << "; its keys are not read\n";
    }
  }
}

}  // namespace

int RunAcLogs(const CliOptions& options, std::ostream& out, std::ostream& err) {
  const WineSystem system = WineSystem::Load(DefaultWinePrefix());
  std::string install_folder = WithFinalSlash(options.install_folder);
  if (install_folder.empty()) {
    WarnAboutUnreadRegistryFiles(system.prefix, err);
    const InstallSearch search = FindInstallFolder(system);
    if (search.log_unread) {
      err << "tobrel-cli: " << cp932::ToUtf8(search.log_unread->message()) << '\n';
      if (options.personal_folder.empty()) return kExitReadError;
    }
    install_folder = search.folder;
  }

  std::string log_root;
  if (!options.personal_folder.empty()) {
    if (!IsFolder(options.personal_folder)) {
      err << cp932::ToUtf8(kPersonalFolderMissingMessage) << '\n';
      return kExitRefused;
    }
    log_root = WithFinalSlash(options.personal_folder);
  } else {
    const GlobalDatResult global = ReadGlobalDat(system, install_folder);
    if (global.not_read) {
      err << cp932::ToUtf8(global.not_read->message()) << '\n';
      return kExitRefused;
    }
    log_root = global.log_root;
  }

  // Lines in UTF-8, so that --utf8 writes native paths as they are.
  std::vector<std::string> lines;
  const std::vector<ForumRow> forums = ScanForumFolders(log_root, install_folder);
  if (!options.forum) {
    for (const ForumRow& row : forums)
      lines.push_back(cp932::ToUtf8(row.go_word) + '\t' + cp932::ToUtf8(row.name));
  } else if (const ForumRow* row = FindForum(forums, *options.forum)) {
    const std::string folder = log_root + row->folder + "/";
    const RoomOrder order = options.descending ? RoomOrder::Descending : RoomOrder::Ascending;
    for (const RoomFileRow& file : ListRoomFiles(folder, order))
      lines.push_back(folder + file.file_name + '\t' + cp932::ToUtf8(file.room_name) + '\t' +
                      file.update_text);
  } else {
    err << "tobrel-cli: no forum " << *options.forum << " in the log folder\n";
  }

  std::string text;
  for (const std::string& line : lines)
    text += options.utf8 ? line + '\n' : cp932::FromUtf8(line) + "\r\n";
  try {
    WriteReportText(text, options.output, out);
  } catch (const Failure& failure) {
    err << "tobrel-cli: " << FailureText(failure) << '\n';
    return ExitStatusOf(failure);
  }
  return kExitDone;
}

}  // namespace tobrel

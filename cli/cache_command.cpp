#include "cli/cache_command.h"

#include "cli/exit_status.h"
#include "core/log_cache.h"
#include "platform/path_text.h"
#include "platform/program_folder.h"

namespace tobrel {

int RunCacheCommand(const CliOptions& options, std::ostream& out) {
  const std::filesystem::path folder = CacheFolder();
  const std::string shown = PathToUtf8(folder.string());
  if (options.cache_action == "clear") {
    const std::size_t removed = ClearLogCache(folder);
    out << "removed " << removed << (removed == 1 ? " file" : " files") << " from " << shown
        << '\n';
    return kExitDone;
  }
  const LogCacheSummary summary = SummarizeLogCache(folder);
  out << "folder: " << shown << '\n'
      << "entries: " << summary.entries << '\n'
      << "size: " << summary.bytes << " bytes\n"
      << "cap: " << kDefaultLogCacheCap << " bytes\n";
  return kExitDone;
}

}  // namespace tobrel

// The tallies refuse to run while no log has been read: the window beeps and
// shows the message, the command line prints it and ends with the status of
// a refused report.
#pragma once

#include <string_view>

#include "core/log_store.h"

namespace tobrel {

// ログファイルが読み込まれていません (CP932).
extern const std::string_view kNothingReadMessage;

// True when no log (and no read-data file) has been read into `store`.
bool NothingRead(const LogStore& store);

}  // namespace tobrel

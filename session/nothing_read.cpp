#include "session/nothing_read.h"

namespace tobrel {

const std::string_view kNothingReadMessage =
    "\x83\x8d\x83\x4f\x83\x74\x83\x40\x83\x43\x83\x8b\x82\xaa\x93\xc7\x82\xdd\x8d\x9e\x82\xdc"
    "\x82\xea\x82\xc4\x82\xa2\x82\xdc\x82\xb9\x82\xf1";

bool NothingRead(const LogStore& store) { return store.ReadFiles.empty(); }

}  // namespace tobrel

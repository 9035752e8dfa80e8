// The text of a report: its lines in order, CP932 bytes without line ends.
// An empty line is an empty string. The result view and the command line
// join the lines with CR LF.
#pragma once

#include <string>
#include <vector>

namespace tobrel {

using ReportText = std::vector<std::string>;

}  // namespace tobrel

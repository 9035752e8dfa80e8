// The clipboard as the result view uses it. Text goes out as plain text
// (decoded from CP932, rows separated by LF as is usual on this desktop); a
// rectangular selection goes out a second time, as its exact CP932 bytes,
// under the private box format, which marks it as a box when it comes back.
#pragma once

#include <optional>
#include <string>

namespace tobrel {

// The MIME type of the private box format "Tobrel Box Type".
inline constexpr char kBoxMimeType[] = "application/x-tobrel-box-type";

struct ClipboardText {
  std::string cp932;
  bool box = false;
};

void PutOnClipboard(const std::string& cp932, bool box);

// The clipboard's text as CP932, or nothing when it holds no plain text.
std::optional<ClipboardText> ClipboardContent();

}  // namespace tobrel

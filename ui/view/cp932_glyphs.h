// Decoding CP932 text for painting: one UTF-16 unit per CP932 character, so
// that the painter can put every character into its own cells. Every CP932
// character lies in the Basic Multilingual Plane; bytes that form no
// character become U+FFFD.
#pragma once

#include <QString>
#include <string_view>

namespace tobrel {

// `bytes` must start on a character boundary. The result has exactly as many
// units as `bytes` has characters (stepped by cp932::NextCharPos).
QString DecodeCharacters(std::string_view bytes);

}  // namespace tobrel

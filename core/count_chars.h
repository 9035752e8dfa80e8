// Counting the visible characters of a log line, the measure of every
// character figure in the reports.
#pragma once

#include <cstdint>
#include <string_view>

namespace tobrel {

// The 30-byte start of the web forum's comment links.
inline constexpr std::string_view kInterwayLinkPrefix = "https://patio.nif.jp/iw/nifty/";
static_assert(kInterwayLinkPrefix.size() == 30);

// Visible characters of `line`: blanks and control bytes count 0, a
// single-byte printable character or half-width katakana 1, a two-byte
// character 1 unless it is the full-width blank (or sorts below it). With
// `exclude_interway`, the web forum's comment-link lines count 0. A line may
// be longer than 2^31 bytes, hence the 64-bit count.
std::int64_t CountChars(std::string_view line, bool exclude_interway);

// The ways of counting, which give the same counts: one character at a
// time, 16 bytes at a time (SSE2) and 32 bytes at a time (AVX2 and POPCNT).
// CountChars() takes the widest one this build and processor can.
enum class CountPath { Portable, Bytes16, Bytes32 };

// Whether this build, on this processor, can count the way `path` says.
bool CanCount(CountPath path);

// CountChars() the way `path` says; a way that CanCount() refuses counts one
// character at a time instead.
std::int64_t CountCharsBy(CountPath path, std::string_view line, bool exclude_interway);

}  // namespace tobrel

// Writes synthetic forum logs for tests, samples and benchmarks. The output is
// fully determined by the options (the seed included) and holds every form
// the log parser knows: room header lines, five- and three-digit posting
// headers, masked IDs, poster-deleted titles, full-width handles and titles,
// long titles, comment targets and counts, "RE:" lines, quoted lines,
// skipped lines, delimiters (and postings ended by the next header), and
// terminal noise between postings.
#pragma once

#include <cstdint>
#include <ostream>

namespace tobrel {

struct LogGeneratorOptions {
  std::uint64_t seed = 1;
  std::uint64_t postings = 100;      // stop after this many postings...
  std::uint64_t min_bytes = 0;       // ...or, when set, once this many bytes are written
  int rooms = 6;                     // rooms 1..rooms
  int ids = 40;                      // distinct member IDs
  int first_year = 1996;             // the first posting's year
  bool crlf = true;                  // CR LF line ends, otherwise LF
};

// Goes up by one whenever the same options give another log, so that logs
// kept from an earlier version are told apart.
inline constexpr int kLogGeneratorVersion = 1;

// Writes one log to `out`; gives the number of postings written.
std::uint64_t GenerateLog(const LogGeneratorOptions& options, std::ostream& out);

}  // namespace tobrel

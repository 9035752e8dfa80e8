// What the benchmark programs share: generated logs kept in the temporary
// folder for reuse, reading one into a store, and timing the best of
// several runs of a report on fresh copies of that store.
#pragma once

#include <chrono>
#include <cstdint>
#include <filesystem>
#include <functional>
#include <string>

#include "core/log_store.h"
#include "tools/log_generator.h"

namespace tobrel::bench {

using Clock = std::chrono::steady_clock;

double SecondsSince(Clock::time_point start);

// A log like a forum archive: `postings` postings by postings / 10 IDs
// (at least 10) over 20 rooms from 1990 on.
LogGeneratorOptions ArchiveLog(std::uint64_t postings, std::uint64_t seed);

// The log `name` in the temporary folder, generated first when it is not
// there (written through the atomic writer, so an interrupted run leaves no
// half log behind). The file name holds every generator option and the
// generator's version, so a kept log is reused only when it is the same.
std::filesystem::path GeneratedLog(const std::string& name, const LogGeneratorOptions& options);

// The benchmarks' large log: `megabytes` MB of postings by 5,000 IDs in 20
// rooms, the same for every benchmark so that it is generated once.
LogGeneratorOptions LargeLogOptions(std::uint64_t megabytes);
std::filesystem::path LargeLog(std::uint64_t megabytes);

// Reads the log into `store` with the default settings; gives the seconds
// it took. Exits the program when the log cannot be read.
double ReadIntoStore(const std::filesystem::path& path, LogStore& store);

// Runs `run` `rounds` times, each on a fresh copy of `store`'s postings in
// their order, and gives the shortest time in seconds; `lines` gets the
// number of report lines of the last run. `best_cpu_seconds`, when given,
// gets the shortest processor time of this thread, which other programs
// running at the same time disturb less.
double BestOfRuns(const LogStore& store, int rounds,
                  const std::function<std::size_t(LogStore& copy)>& run, std::size_t& lines,
                  double* best_cpu_seconds = nullptr);

}  // namespace tobrel::bench

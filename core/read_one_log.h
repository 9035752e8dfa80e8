// One log of a reading run into the store: read here, taken over from the
// second thread that parsed it (core/parse_from_back.h), or loaded from the
// cache of parsed logs (core/log_cache.h), with the same texts, progress,
// postings and error every way.
#pragma once

#include <string>

#include "core/log_cache_file.h"
#include "core/log_line_reader.h"
#include "core/log_store.h"
#include "core/parse_ahead.h"
#include "core/read_health.h"
#include "core/read_run.h"
#include "core/read_run_observer.h"
#include "core/read_stop.h"

namespace tobrel {

// How the run's assemblers are set, and what they do with a completed
// posting: keep it or leave it out by the rules.
PostingAssembler::Options AssemblerOptions(const ReadRunInputs& inputs);
ParseSettings::StorePosting PostingStore(const ReadRunInputs& inputs, int current_year);

// Reads the lines of the opened log `lines` into the store, each completed
// posting through `store_posting` (PostingStore() or the cache's), and
// tells what it found out about it and, in `lines_read`, how many lines it
// read; throws Failure of kind FileUnreadable (then the log adds nothing)
// or InvalidLog (the postings before it stay). `path_text` is the path as
// shown. Throws ReadStopped when `stop` was asked for; the log may then have
// added some of its postings, which the caller takes away.
FileReadHealth ReadLogHere(LogStore& store, const ReadRunInputs& inputs, const std::string& path,
                           const std::string& path_text,
                           const ParseSettings::StorePosting& store_posting,
                           ReadRunObserver& observer, LogLineReader& lines, ReadStop& stop,
                           std::size_t& lines_read);

// Takes over a log that the second thread parsed, as if it were read here:
// the same texts and progress, the same postings, the same error, and the
// same questions to `stop` (ReadStopped before it adds anything).
FileReadHealth TakeParsedLog(LogStore& store, const std::string& path,
                             const std::string& path_text, ReadRunObserver& observer,
                             const ParsedLog& parsed, ReadStop& stop);

// Shows what reading a log whose entry the cache had shows, as if it were
// read here: the same texts and progress, and the same questions to `stop`
// (then ReadStopped). `postings` is the number of postings the entry gave
// (kept or left out); the caller has added them to the store.
FileReadHealth ReplayCachedLog(const std::string& path, const std::string& path_text,
                               ReadRunObserver& observer, const CachedLogFacts& facts,
                               std::size_t postings, ReadStop& stop);

}  // namespace tobrel

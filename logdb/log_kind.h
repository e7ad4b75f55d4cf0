#pragma once

#include <memory>
#include <string>

#include "logdb/frequency_check.h"
#include "logdb/log_source.h"
#include "platform/user_interface.h"

namespace sfxtal::logdb {

/// The kinds of log the program reads.
enum class LogKind {
  kTevrakDatabase,  // Tevrak.TDB, the logging program's database (LogDatabase)
  kAdif,            // an ADIF file (AdifLog)
};

/// The kind of the log at `path` (UTF-8, as typed), by its content first: a database whose field
/// table starts with CALLS, or text that starts with "<" or holds "<EOH>" near its start, is
/// ADIF. A file that tells neither, or none at all, goes by its extension: ".adi" and ".adif"
/// (any letter case) are ADIF, anything else the database.
LogKind ChooseLogKind(const std::string& path);

/// The reader for the log at `path`, of the kind ChooseLogKind gives; the one place that knows
/// every kind. `errors` lives as long as the program.
std::unique_ptr<LogSource> MakeLogSource(const std::string& path, platform::UserInterface& ui,
                                         FrequencyErrors& errors);

}  // namespace sfxtal::logdb

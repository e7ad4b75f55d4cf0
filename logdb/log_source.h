#pragma once

#include <cstdint>
#include <string>

#include "logdb/qso_record.h"

namespace sfxtal::logdb {

/// Why the last open of a log failed.
enum class OpenFailure {
  kNone,       // it did not fail
  kMissing,    // no readable file at the path; nothing was shown
  kMalformed,  // the file is not a log of this kind; the operator was told why
};

/// A log the import reads its QSOs from, record by record. The logging program's database file is
/// one kind (LogDatabase); another kind of log is another implementation of these six calls.
class LogSource {
 public:
  virtual ~LogSource() = default;

  /// Opens the log at `dbPath`, the path exactly as the operator typed it (UTF-8). True when the
  /// log is open, now or already before.
  virtual bool OpenLogDatabase(const std::string& dbPath) = 0;
  virtual OpenFailure LastOpenFailure() const = 0;
  /// The number of records; the import reads records 1 to this.
  virtual std::int32_t RecordCount() const = 0;
  /// Reads record `current.Pointer` into `current.Qso`. False, with the QSO untouched, when there
  /// is no such record, or when the operator ended the program during the read (ProgramEnded).
  virtual bool ReadQso(CurrentQso& current) = 0;
  /// True once the operator chose, during a read, to end the program.
  virtual bool ProgramEnded() const = 0;
  virtual void CloseLogDatabase() = 0;
};

}  // namespace sfxtal::logdb

#pragma once

#include <string>
#include <string_view>

#include "logdb/qso_record.h"

namespace sfxtal::logdb {

/// Why the last open of a log failed.
enum class OpenFailure {
  kNone,       // it did not fail
  kMissing,    // no readable file at the path; nothing was shown
  kMalformed,  // the file is not a log of this kind; the operator was told why
};

/// A log the import reads its QSOs from, record by record: the logging program's database file
/// (LogDatabase) or an ADIF file (AdifLog); MakeLogSource (log_kind.h) chooses the kind. Every
/// kind classifies each QSO's frequency through a FrequencyCheck, so the band and the
/// invalid-frequency report are the same whatever the log.
class LogSource {
 public:
  virtual ~LogSource() = default;

  /// Opens the log at `dbPath`, the path exactly as the operator typed it (UTF-8). True when the
  /// log is open, now or already before.
  virtual bool OpenLogDatabase(const std::string& dbPath) = 0;
  virtual OpenFailure LastOpenFailure() const = 0;
  /// True when the records come in ascending date order, so that a reader may probe its way to a
  /// date and stop at the first record after a period. False: any record may hold any date, and
  /// only reading the log whole finds every QSO of a period.
  virtual bool InDateOrder() const = 0;
  /// Reads record `current.Pointer` (its place in the file, counted from 1) into `current.Qso`.
  /// Where the kind leaves that record out (see LeftOutMessage), the next one it can deliver is
  /// read and Pointer set to its place. False when there is no such record, or when the operator
  /// ended the program during the read (ProgramEnded); the QSO read before is then no longer to
  /// be looked at.
  virtual bool ReadQso(CurrentQso& current) = 0;
  /// True once the operator chose, during a read, to end the program.
  virtual bool ProgramEnded() const = 0;
  virtual void CloseLogDatabase() = 0;

  /// The log's bytes as the operator reads them (UTF-8): a QSO's texts for the dialog, a message
  /// or a listing.
  virtual std::string TextOf(std::string_view logBytes) const = 0;

  /// "… が見つかりません" naming this kind of log.
  virtual std::string_view MissingMessage() const = 0;
  /// What the reads so far left out of the log and why, for the operator once the reading is
  /// over; "" when nothing was.
  virtual std::string LeftOutMessage() const { return {}; }
};

}  // namespace sfxtal::logdb

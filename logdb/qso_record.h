#pragma once

#include <cstdint>
#include <string>
#include <string_view>

namespace sfxtal::logdb {

/// The QSO in hand, as the reader took it from the log. The texts are the log's own bytes (CP932),
/// so that what only passes through to the work file and the history stays byte for byte what the
/// log holds; LogSource::TextOf turns them into text for the operator. The field names are the
/// database's, and every kind of log fills them. The import rewrites some fields in place while it
/// processes the QSO; the next read overwrites them all.
struct QsoRecord {
  std::string Calls;     // CALLS, blanks trimmed; later the base call
  std::string Ign;       // IGN, kept whole
  std::string Callsign;  // Calls + Ign; later normalized
  std::string Date;      // CCYY-MM-DD; CCYY/MM/DD once the import has rewritten it
  std::string Time;      // HH:MM followed by "U" or "J"
  std::string Qsl3;      // third QSL byte, blank trimmed; later the confirmation mark
  std::string Freq;      // FREQ, blanks trimmed
  std::string Mode;      // MODE, blanks trimmed
  /// The band label of Freq ("1.9" … "47000"), "" when the frequency is invalid; the label lives
  /// as long as the program.
  std::string_view Band;
};

/// The record in hand: its number in the log and the QSO read from it.
struct CurrentQso {
  /// The number of the record to read, counted from 1.
  std::int32_t Pointer = 0;
  QsoRecord Qso;
};

}  // namespace sfxtal::logdb

#pragma once

#include <cstdint>
#include <string_view>

namespace sfxtal::logdb {

/// The QSO in hand, as the reader took it from the log. The texts are the log's own bytes (CP932),
/// so that what only passes through to the work file and the history stays byte for byte what the
/// log holds; LogSource::TextOf turns them into text for the operator. They are views into the
/// reader, valid until its next read or its close: a QSO is read, processed and left, and nothing
/// of it is copied that need not be. The field names are the database's, and every kind of log
/// fills them.
struct QsoRecord {
  std::string_view Calls;     // CALLS, blanks trimmed
  std::string_view Ign;       // IGN, kept whole
  std::string_view Callsign;  // Calls + Ign
  std::string_view Date;      // CCYY-MM-DD
  std::string_view Time;      // HH:MM followed by "U" or "J"
  std::string_view Qsl3;      // the third QSL byte, blank trimmed
  std::string_view Freq;      // FREQ, blanks trimmed
  std::string_view Mode;      // MODE, blanks trimmed
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

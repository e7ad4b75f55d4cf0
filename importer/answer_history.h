#pragma once

#include <filesystem>
#include <string>
#include <string_view>

#include "logdb/qso_record.h"
#include "platform/path_text.h"
#include "platform/user_interface.h"

namespace sfxtal::importer {

/// The answer history "履歴.txt" in the program folder: every suffix the operator gave in the
/// suffix dialog, one "callsign,suffix" line each, the callsign as the log's bytes and the suffix
/// as the CP932 of what the operator typed. There is no copy in memory; every lookup reads
/// the file afresh.
class AnswerHistory {
 public:
  AnswerHistory(const std::filesystem::path& programFolder, platform::UserInterface& ui);
  AnswerHistory(const platform::NarrowText auto&, platform::UserInterface&) = delete;

  const std::filesystem::path& Path() const { return path_; }

  /// MaeRireki: with both texts empty, looks the QSO's Callsign up and, on a hit, sets its Calls
  /// to the whole Callsign; returns the remembered suffix or "". Otherwise appends
  /// "callsign,suffix" and returns "".
  std::string MaeRireki(logdb::QsoRecord& qso, std::string_view callsign, std::string_view suffix);

  /// The suffix (UTF-8) of the first line whose first field is exactly `callsign`, the log's
  /// bytes, or "". Blank lines, and lines that name the callsign without a suffix, are no answer
  /// and reading goes on. A CR, LF or comma in the callsign is looked for as the "?" it was
  /// appended as.
  std::string Lookup(std::string_view callsign) const;

  /// Appends one line, `callsign` as the log's bytes and `suffix` (UTF-8) as CP932, and flushes it
  /// at once; a CR, LF or comma in the callsign becomes "?", so that the line stays one line of
  /// two fields. When it cannot, shows "ファイルに書き込めません" with the path and returns false;
  /// the caller still uses the answer.
  bool Append(std::string_view callsign, std::string_view suffix);

 private:
  std::filesystem::path path_;
  platform::UserInterface& ui_;
};

}  // namespace sfxtal::importer

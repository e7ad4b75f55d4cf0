#pragma once

#include <array>
#include <cstdint>
#include <string>
#include <string_view>

#include "logdb/frequency_check.h"
#include "logdb/log_source.h"
#include "logdb/log_texts.h"
#include "logdb/qso_record.h"
#include "platform/read_only_file.h"
#include "platform/user_interface.h"

namespace sfxtal::logdb {

/// An ADIF file ("ADI" text, as every logging program exports it): an optional header up to
/// <EOH> (none when the file starts with "<"), then records of fields <NAME:LENGTH[:TYPE]>data,
/// each ended by <EOR>. Names are taken in any letter case, the length counts bytes, and anything
/// between fields is ignored. Records may come in any date order.
///
/// The QSO: CALL gives Calls and Callsign (Ign stays empty), QSO_DATE (CCYYMMDD) the date
/// CCYY-MM-DD, TIME_ON (HHMM or HHMMSS) the time HH:MM with "U" (ADIF times are UTC), FREQ and
/// MODE as they stand, QSL_RCVD "Y" or "V" (any case) the mark in capitals, else a blank mark.
/// Bytes outside ASCII are CP932. A record without CALL or without a valid QSO_DATE is left out
/// and counted (LeftOutMessage).
///
/// The file is read through a window of its bytes, and of each field only what the QSO needs is
/// kept, so neither a length of 2^31 nor a file without a single "<" costs memory.
class AdifLog final : public LogSource {
 public:
  /// `errors` lives as long as the program.
  AdifLog(platform::UserInterface& ui, FrequencyErrors& errors);
  ~AdifLog() override;
  AdifLog(const AdifLog&) = delete;
  AdifLog& operator=(const AdifLog&) = delete;

  /// Opens the file at `dbPath` (no name is formed). A file that holds no record (no <EOR> after
  /// its header) is refused with "ADIF ファイルの形式が正しくありません" and its path.
  bool OpenLogDatabase(const std::string& dbPath) override;
  OpenFailure LastOpenFailure() const override { return lastOpenFailure_; }
  bool InDateOrder() const override { return false; }
  /// Reads the record at place `current.Pointer` (counting every record of the file) or the next
  /// one not left out. Reading on from the last record is one pass through the file; an earlier
  /// place reads the file again from its start.
  bool ReadQso(CurrentQso& current) override;
  bool ProgramEnded() const override { return programEnded_; }
  void CloseLogDatabase() override;
  std::string TextOf(std::string_view logBytes) const override;
  std::string_view MissingMessage() const override;
  std::string LeftOutMessage() const override;

  /// The records left out so far, each counted once however often it is read.
  const AdifLeftOut& LeftOut() const { return leftOut_; }

 private:
  // What one record holds of the fields the QSO is made of: the file's bytes, each cut to at most
  // kKeptBytes.
  struct RawRecord {
    std::string call, date, time, freq, mode, qsl;
  };
  enum class Found { kRecord, kUnended, kEnd };

  void Rewind();
  Found NextRecord(RawRecord& record);
  // At least `size` bytes from the reading place in the window, unless the file ends first.
  // Inline: it is asked before every tag and field, and the window mostly holds enough.
  bool Fill(std::size_t size) { return window_.size() - at_ >= size || Refill(size); }
  bool Refill(std::size_t size);
  void Skip(std::uint64_t size);

  platform::UserInterface& ui_;
  FrequencyCheck frequencyCheck_;
  std::string path_;
  OpenFailure lastOpenFailure_ = OpenFailure::kNone;
  bool programEnded_ = false;
  AdifLeftOut leftOut_;
  std::int32_t countedUpTo_ = 0;  // the last place whose record is in leftOut_'s counts

  platform::ReadOnlyFile file_;
  std::string window_;  // bytes of the file from windowStart_ on
  std::int64_t windowStart_ = 0;
  std::size_t at_ = 0;           // the reading place in the window
  bool inHeader_ = false;        // before the header's <EOH>
  std::int32_t nextRecord_ = 1;  // the place of the record the reading place stands before
  RawRecord raw_;
  // The texts the reader makes, which the QSO views: the date and the time.
  std::array<char, 10> date_{};
  std::array<char, 6> time_{};
};

}  // namespace sfxtal::logdb

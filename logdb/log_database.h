#pragma once

#include <array>
#include <cstdint>
#include <filesystem>
#include <string>
#include <string_view>
#include <vector>

#include "logdb/frequency_check.h"
#include "logdb/log_source.h"
#include "logdb/qso_record.h"
#include "platform/read_only_file.h"
#include "platform/user_interface.h"

namespace sfxtal::logdb {

/// The reader of the logging program's database file (Tevrak.TDB), a dBASE-like file of
/// fixed-length records, in date order: its header values and its open file.
class LogDatabase final : public LogSource {
 public:
  static constexpr int kFieldCount = 16;

  /// `errors` lives as long as the program.
  LogDatabase(platform::UserInterface& ui, FrequencyErrors& errors);
  ~LogDatabase() override;
  LogDatabase(const LogDatabase&) = delete;
  LogDatabase& operator=(const LogDatabase&) = delete;

  /// The log's path as the operator typed it (UTF-8). Opening never changes it; a read on a
  /// closed log opens it from here.
  std::string DbPath;

  /// Sets DbPath and opens the log: ".tdb" is appended unless the path ends in ".TDB" in any
  /// letter case; the header and field table are read, with "名称違い…" and "長さ感知エラー …"
  /// shown as they apply. True when the log is open (now, or already before: then nothing is
  /// read again).
  bool OpenLogDatabase(const std::string& dbPath) override;
  OpenFailure LastOpenFailure() const override { return lastOpenFailure_; }
  bool InDateOrder() const override { return true; }
  /// The number of records the header gives; reads past it find no record.
  std::int32_t RecordCount() const { return recordCount_; }
  /// Reads record `current.Pointer` into views of its bytes, opening the log from DbPath first
  /// when it is closed, and classifies its frequency (with the invalid-frequency report). False
  /// when the pointer is below 1 or above RecordCount, when the record's bytes lie past the end of
  /// the file, when the log cannot be opened, and when the operator chose to abort at the
  /// frequency-error question (then ProgramEnded() is true and the log is closed).
  bool ReadQso(CurrentQso& current) override;
  bool ProgramEnded() const override { return programEnded_; }
  void CloseLogDatabase() override;
  std::string TextOf(std::string_view logBytes) const override;
  std::string_view MissingMessage() const override;

  bool IsOpen() const { return file_.IsOpen(); }
  /// The path that opening uses (DbPath with ".tdb" appended where it must be).
  std::filesystem::path FormedPath() const;
  std::int16_t HeaderLength() const { return headerLength_; }
  std::int16_t RecordLength() const { return recordLength_; }
  const std::array<std::int16_t, kFieldCount>& FieldWidths() const { return fieldWidths_; }
  std::int16_t WidthSum() const { return widthSum_; }

 private:
  // The bytes of `size` at `offset`; null past the end of the file.
  const unsigned char* RecordBytes(std::int64_t offset, std::size_t size);
  platform::UserInterface& ui_;
  FrequencyCheck frequencyCheck_;
  OpenFailure lastOpenFailure_ = OpenFailure::kNone;
  bool programEnded_ = false;
  std::int32_t recordCount_ = 0;
  std::int16_t headerLength_ = 0;
  std::int16_t recordLength_ = 0;
  std::array<std::int16_t, kFieldCount> fieldWidths_{};
  std::int16_t widthSum_ = 0;

  platform::ReadOnlyFile file_;
  // The bytes read ahead of the records in hand, and where they start in the file.
  std::vector<unsigned char> window_;
  std::int64_t windowStart_ = 0;
  // Where the QSO's fields lie in a record, counted from its status byte; set at opening.
  struct FieldPlace {
    std::size_t at = 0, width = 0;
  };
  struct RecordPlan {
    FieldPlace calls, ign, date, freq, mode;
    std::size_t time = 0, qsl3 = 0;
    std::size_t end = 0;  // the end of MODE: the bytes a record needs in the file
  };
  RecordPlan plan_;
  // The texts the reader makes rather than finds in the record, which the QSO views: Calls and
  // Ign (each at most 255 bytes) joined, the date (at most three digits per byte of its up to 255
  // bytes, and two "-"), the time.
  std::array<char, 2 * 255> callsign_{};
  std::array<char, 255 * 3 + 2> date_{};
  std::array<char, 8> time_{};
};

}  // namespace sfxtal::logdb

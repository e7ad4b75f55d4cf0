#pragma once

#include <array>
#include <cstdint>
#include <filesystem>
#include <string>
#include <string_view>
#include <vector>

#include "logdb/qso_record.h"
#include "platform/read_only_file.h"
#include "platform/user_interface.h"

namespace sfxtal::logdb {

/// Invalid frequencies reported so far. Lives as long as the program, across opens and closes of
/// the log; 99 means the operator switched the reports off.
struct FrequencyErrors {
  static constexpr std::int16_t kSilent = 99;
  std::int16_t FreqErrorCount = 0;
};

/// The band label for a frequency text ("1.9" ... "47000"), or "" when the text is not a valid
/// amateur frequency. Characters are compared one by one; nothing is parsed as a number.
std::string ClassifyBand(std::string_view freq);

/// Why the last OpenLogDatabase failed.
enum class OpenFailure {
  kNone,       // it did not fail
  kMissing,    // no readable file at the formed path; nothing was shown
  kMalformed,  // too short, a record length of 0, or a header or record length above 32767;
               // the message was shown
};

/// The fields of a record as ReadQso takes them, still the log's bytes: views into the reader,
/// valid until its next read or close.
struct RecordFields {
  std::string_view calls;  // blanks trimmed
  std::string_view ign;
  std::string_view freq;  // blanks trimmed
  std::string_view mode;  // blanks trimmed
  char qsl3 = ' ';
  /// Every byte of CALLS, IGN, FREQ, MODE and the QSL byte is ASCII: the bytes are the characters.
  bool ascii = false;
  /// The date text CCYY-MM-DD, as Qso.Date would have it.
  std::string date;
};

/// The reader of the logging program's database file (Tevrak.TDB): the reader's state, the
/// current record number and the current QSO, held together and passed explicitly.
class LogDatabase {
 public:
  static constexpr int kFieldCount = 16;

  LogDatabase(platform::UserInterface& ui, FrequencyErrors& errors);
  ~LogDatabase();
  LogDatabase(const LogDatabase&) = delete;
  LogDatabase& operator=(const LogDatabase&) = delete;

  /// The log's path as the operator typed it (UTF-8). Opening never changes it.
  std::string DbPath;
  /// The number of the record to read, counted from 1.
  std::int32_t Pointer = 0;
  /// The current QSO: the last record read. Readers may rewrite fields in place.
  QsoRecord Qso;

  /// Opens the log at DbPath (".tdb" appended unless it ends in ".TDB" in any letter case) and
  /// reads its header and field table, showing "名称違い…" and "長さ感知エラー …" as they apply.
  /// True when the log is open (now, or already before: then nothing is read again).
  bool OpenLogDatabase();
  void CloseLogDatabase();
  bool IsOpen() const;
  OpenFailure LastOpenFailure() const { return lastOpenFailure_; }
  /// The path that opening uses (DbPath with ".tdb" appended where it must be).
  std::filesystem::path FormedPath() const;

  /// Reads and decodes record number Pointer into Qso, opening the log first when it is closed.
  /// False, with Qso untouched, when Pointer is below 1 or above RecordCount, when the record's
  /// bytes lie past the end of the file, when the log cannot be opened, and when the operator chose
  /// to abort at the frequency-error question (then ProgramEnded() is true and the log is closed).
  bool ReadQso();
  /// ReadQso in two halves, for the import's main pass, which needs the whole QSO only now and
  /// then. SkimQso reads record Pointer with every check and report of ReadQso, giving its fields
  /// but leaving Qso as it was; TakeQso decodes the record last skimmed into Qso, exactly as
  /// ReadQso would have, at any later time (also after the log is closed).
  bool SkimQso(RecordFields& fields);
  void TakeQso();

  /// True once the operator chose to abort the program at the frequency-error question.
  bool ProgramEnded() const { return programEnded_; }

  std::int32_t RecordCount() const { return recordCount_; }
  std::int16_t HeaderLength() const { return headerLength_; }
  std::int16_t RecordLength() const { return recordLength_; }
  const std::array<std::int16_t, kFieldCount>& FieldWidths() const { return fieldWidths_; }
  std::int16_t WidthSum() const { return widthSum_; }
  /// The band of the current QSO ("" when its frequency is invalid).
  const std::string& Band() const { return *band_; }

 private:
  // Implementation state is the reader's own business.
  platform::UserInterface& ui_;
  FrequencyErrors& errors_;
  OpenFailure lastOpenFailure_ = OpenFailure::kNone;
  bool programEnded_ = false;
  std::int32_t recordCount_ = 0;
  std::int16_t headerLength_ = 0;
  std::int16_t recordLength_ = 0;
  std::array<std::int16_t, kFieldCount> fieldWidths_{};
  std::int16_t widthSum_ = 0;
  const std::string* band_;  // one of the labels, which live as long as the program

  // The bytes of `size` at `offset`, through a window read ahead; null past the end of the file.
  const unsigned char* RecordBytes(std::int64_t offset, std::size_t size);
  // Moves the record last skimmed out of the window before the window changes.
  void KeepSkimmed();
  // The invalid-frequency report and its questions; false when the operator chose to abort.
  bool ReportInvalidFrequency(const std::string& freq);

  platform::ReadOnlyFile file_;
  std::vector<unsigned char> window_;
  std::int64_t windowStart_ = 0;
  // Where the decoded fields lie in a record, counted from its status byte; set at opening.
  struct RecordPlan {
    std::size_t calls = 0, ign = 0, date = 0, time = 0, qsl3 = 0, freq = 0, mode = 0;
    std::size_t end = 0;  // the end of MODE: the bytes a record needs in the file
  };
  RecordPlan plan_;
  std::string freqText_;  // the frequency as text where bytes will not do (reports, katakana)
  // The record last skimmed, in the window or kept aside, and its band, for TakeQso.
  const unsigned char* skimmed_ = nullptr;
  std::vector<unsigned char> kept_;
  const std::string* skimmedBand_ = nullptr;
};

}  // namespace sfxtal::logdb

#pragma once

#include <array>
#include <cstdint>
#include <cstdio>
#include <filesystem>
#include <optional>
#include <string>
#include <vector>

#include "platform/path_text.h"

namespace sfxtal::logwriter {

/// One field descriptor of a log's field table.
struct LogFieldSpec {
  std::string name;  // up to 10 bytes; a name of 10 bytes has no NUL after it
  std::uint8_t width = 0;
};

/// The 16 fields the reader expects, with the widths of a typical Tevrak log.
std::vector<LogFieldSpec> StandardFields();

/// The file's layout, with the odd cases tests need.
struct LogLayout {
  std::vector<LogFieldSpec> fields = StandardFields();
  /// Header bytes 8-9; default: right after the field table and its end byte.
  std::optional<std::uint16_t> headerLength;
  /// Header bytes 10-11; default: 1 + the sum of the widths.
  std::optional<std::uint16_t> recordLength;
  /// Header bytes 4-6 (taken modulo 2^24); default: the number of records written.
  std::optional<std::uint32_t> recordCount;
  /// Header byte 7, which the reader ignores.
  std::uint8_t headerByte7 = 0;
};

/// One record's raw bytes. Text fields are padded with blanks to the field's width (or cut);
/// fields are placed by their position in the field table (position 1 CALLS ... 16 RMK2), and
/// fields past the 16th are blank.
struct LogRecord {
  char status = ' ';
  std::string calls, ign;
  std::array<std::uint8_t, 4> date{};  // century, year in century, month, day
  std::uint8_t hour = 0;
  std::uint8_t minute = 0;  // bit 7 set for "U"
  std::string code, gl;
  std::string qsl;  // 3 bytes; the third is the one the program reads
  std::string flag, his, my;
  std::string freq, mode;
  std::string name, qth, rmk1, rmk2;

  /// Sets `date` from a year such as 1998 and a month and day.
  void SetDate(int year, int month, int day);
};

/// The whole file's bytes for these records.
std::string LogDatabaseBytes(const std::vector<LogRecord>& records, const LogLayout& layout = {});

/// Writes a log file record by record, so that a million records need no memory of their own.
class LogDatabaseWriter {
 public:
  LogDatabaseWriter() = default;
  ~LogDatabaseWriter();
  LogDatabaseWriter(const LogDatabaseWriter&) = delete;
  LogDatabaseWriter& operator=(const LogDatabaseWriter&) = delete;

  /// Creates the file and writes header and field table for `recordCount` records. Close puts the
  /// number of records actually added into the header when it differs (unless the layout sets one).
  bool Open(const std::filesystem::path& path, std::uint32_t recordCount,
            const LogLayout& layout = {});
  bool Open(const platform::NarrowText auto&, std::uint32_t, const LogLayout& = {}) = delete;
  bool Add(const LogRecord& record);
  /// True when everything reached the file.
  bool Close();

 private:
  std::FILE* file_ = nullptr;
  LogLayout layout_;
  bool failed_ = false;
  std::uint32_t promised_ = 0;
  std::uint32_t added_ = 0;
  std::string buffer_;   // one record's bytes, reused
  std::string scratch_;  // a binary field's bytes, reused
};

/// Writes the records to a new file; false when it cannot be written.
bool WriteLogDatabase(const std::filesystem::path& path, const std::vector<LogRecord>& records,
                      const LogLayout& layout = {});
bool WriteLogDatabase(const platform::NarrowText auto&, const std::vector<LogRecord>&,
                      const LogLayout& = {}) = delete;

}  // namespace sfxtal::logwriter

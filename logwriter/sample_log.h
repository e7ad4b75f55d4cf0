#pragma once

#include <cstdint>
#include <filesystem>

#include "logwriter/log_database_writer.h"
#include "platform/path_text.h"

namespace sfxtal::logwriter {

/// The largest record count a log's header can hold (three bytes).
inline constexpr std::uint32_t kMaxRecordCount = 0xFFFFFF;

/// Makes the records of a realistic invented log one by one: the same records for the same count
/// and seed. Dates ascend from 1998-01-01; callsigns use invented prefixes only.
class SampleLogGenerator {
 public:
  SampleLogGenerator(std::uint32_t count, std::uint32_t seed);

  /// Overwrites every field of `record` with the next record, reusing its strings' capacity.
  void Next(LogRecord& record);

 private:
  std::uint32_t Below(std::uint32_t bound);
  bool Chance(std::uint32_t perMille) { return Below(1000) < perMille; }
  void AppendBaseCall(std::string& out, std::size_t suffixLength);
  void AppendSuffix(std::string& out, std::size_t length);
  std::size_t SuffixLength();
  void MakeCalls(LogRecord& record);
  void MakeFrequencyAndMode(LogRecord& record);
  void MakeDateAndTime(LogRecord& record);

  std::uint64_t state_;
  std::uint64_t minutes_ = 0;  // since 1998-01-01 00:00
  std::uint64_t meanGap_;      // minutes between QSOs, on average
};

/// Writes a generated log of `count` records (at most kMaxRecordCount) to `out`, streaming, so
/// memory stays flat for any count: an ADIF file when `out` ends in ".adi" or ".adif" (any letter
/// case), else a Tevrak log database. The file appears whole or not at all: false when it cannot be
/// written, and then an older file at `out` is left as it was.
bool WriteSampleLog(const std::filesystem::path& out, std::uint32_t count, std::uint32_t seed);
bool WriteSampleLog(const platform::NarrowText auto&, std::uint32_t, std::uint32_t) = delete;

}  // namespace sfxtal::logwriter

#pragma once

#include <cstdint>
#include <string>
#include <string_view>

#include "platform/user_interface.h"

namespace sfxtal::logdb {

/// Invalid frequencies reported so far. Lives as long as the program, across opens and closes of
/// the log; 99 means the operator switched the reports off.
struct FrequencyErrors {
  static constexpr std::int16_t kSilent = 99;
  std::int16_t FreqErrorCount = 0;
};

/// The band of each QSO's frequency and the report of an invalid one, the same for every kind of
/// log: "交信番号 n の交信周波数は 無効です" with the frequency, and at the tenth report the
/// question whether to abort, then whether to go on reporting.
class FrequencyCheck {
 public:
  /// How a kind of log's bytes read as text (LogSource::TextOf).
  using TextOfBytes = std::string (*)(std::string_view logBytes);

  /// `errors` lives as long as the program.
  FrequencyCheck(platform::UserInterface& ui, FrequencyErrors& errors, TextOfBytes textOf)
      : ui_(ui), errors_(errors), textOf_(textOf) {}

  /// Sets `band` to the label of `freq`, the log's bytes ("" when invalid, then reported as the
  /// frequency of record `pointer`). False when the operator chose to abort: the source then closes
  /// its log and ends the program.
  bool Classify(std::int32_t pointer, std::string_view freq, std::string_view& band);

 private:
  platform::UserInterface& ui_;
  FrequencyErrors& errors_;
  TextOfBytes textOf_;
};

}  // namespace sfxtal::logdb

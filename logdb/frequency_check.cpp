#include "logdb/frequency_check.h"

#include <string>

#include "logdb/band.h"
#include "logdb/log_texts.h"

namespace sfxtal::logdb {

bool FrequencyCheck::Classify(std::int32_t pointer, std::string_view freq, std::string_view& band) {
  band = ClassifyBand(freq);
  if (!band.empty() || errors_.FreqErrorCount == FrequencyErrors::kSilent) return true;
  ui_.ShowMessage(logdb::InvalidFrequencyMessage(pointer, textOf_(freq)));
  ++errors_.FreqErrorCount;
  if (errors_.FreqErrorCount < 10) return true;
  if (ui_.AskYesNo(std::string(logdb::kFrequencyFloodQuestion))) return false;
  errors_.FreqErrorCount =
      ui_.AskYesNo(std::string(logdb::kKeepReportingQuestion)) ? 0 : FrequencyErrors::kSilent;
  return true;
}

}  // namespace sfxtal::logdb
